#pragma once

// A top-level window built from a form layout.
//
//     Form form;
//     if (auto loaded = form.load(layout, standardControlRegistry()); !loaded)
//         report(loaded.error().message);
//     connect(form.events(u"Image1"), &ControlEvents::Click, ...);
//
// Loading sets the caption, the fixed client size, the background, the frame
// and the icon, builds each control through the registry, places it (twips to
// pixels), gives it its font and tooltip, and chains the keyboard focus order
// by tab index. App forms derive from Form and connect their handlers after
// loading.
//
// Forms keep left-to-right geometry even when the application's layout
// direction is right to left (as it is with a Persian translation loaded):
// controls stand where the layout puts them, and only the controls that ask
// for it read right to left.

#include "platform/support/result.h"
#include "platform/toolkit/control_events.h"
#include "platform/toolkit/control_registry.h"
#include "platform/toolkit/form_file.h"
#include "platform/toolkit/form_layout.h"

#include <QPointer>
#include <QWidget>
#include <optional>
#include <vector>

namespace bastara::toolkit {

class Form : public QWidget
{
    Q_OBJECT
public:
    // `owner`: the window a tool window stays above and closes with; nullptr
    // for a main window.
    explicit Form(QWidget* owner = nullptr);

    // Builds the window once; a second call is refused.
    [[nodiscard]] Result<void, FormFileError> load(
        const FormLayout& layout, const ControlRegistry& registry);

    const FormLayout& layout() const { return m_layout; }

    // The control with this name (and index, for array members), or nullptr.
    // Names compare without regard to case.
    QWidget* control(const QString& name, std::optional<int> index = std::nullopt) const;
    template <typename T>
    T* control(const QString& name, std::optional<int> index = std::nullopt) const
    {
        return qobject_cast<T*>(control(name, index));
    }
    // The events of the control, or nullptr when it has none.
    ControlEvents* events(const QString& name, std::optional<int> index = std::nullopt) const;

signals:
    // The window accepted a close request: from its frame or from close().
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct BuiltControl {
        const ControlLayout* layout;
        QPointer<QWidget> widget;
    };

    [[nodiscard]] Result<void, FormFileError> setUpWindow();
    [[nodiscard]] Result<void, FormFileError> buildControl(
        const ControlLayout& layout, const ControlRegistry& registry);
    void chainFocusOrder();

    FormLayout m_layout;
    std::vector<BuiltControl> m_controls;
    bool m_loaded = false;
};

} // namespace bastara::toolkit
