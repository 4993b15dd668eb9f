#pragma once

// Looks up the controls a window's code cannot work without, remembering the
// first one missing, so the code looks them all up and checks once:
//
//     RequiredControls required(form);
//     m_name = required.control<QLineEdit>(QStringLiteral("Text1"));
//     ControlEvents* ok = required.events(QStringLiteral("Command1"));
//     if (auto found = required.check(); !found)
//         return found;                   // names the form and the control
//     connect(ok, &ControlEvents::Click, ...);

#include "platform/toolkit/form.h"

namespace bastara::toolkit {

class RequiredControls
{
public:
    explicit RequiredControls(const Form& form)
        : m_form(form)
    { }

    // The control, or nullptr when it is missing or of another class.
    template <typename T> T* control(const QString& name, std::optional<int> index = std::nullopt)
    {
        T* found = m_form.control<T>(name, index);
        if (!found)
            noteMissing(name, index, QStringLiteral("control"));
        return found;
    }
    // The control's events, or nullptr when it is missing or raises none.
    ControlEvents* events(const QString& name, std::optional<int> index = std::nullopt);

    [[nodiscard]] Result<void, FormFileError> check() const;

private:
    void noteMissing(const QString& name, std::optional<int> index, const QString& what);

    const Form& m_form;
    std::optional<FormFileError> m_firstMissing;
};

} // namespace bastara::toolkit
