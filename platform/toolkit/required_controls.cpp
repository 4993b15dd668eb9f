#include "platform/toolkit/required_controls.h"

namespace bastara::toolkit {

ControlEvents* RequiredControls::events(const QString& name, std::optional<int> index)
{
    ControlEvents* found = m_form.events(name, index);
    if (!found)
        noteMissing(name, index, QStringLiteral("control with events"));
    return found;
}

Result<void, FormFileError> RequiredControls::check() const
{
    if (m_firstMissing)
        return Unexpected { *m_firstMissing };
    return {};
}

void RequiredControls::noteMissing(
    const QString& name, std::optional<int> index, const QString& what)
{
    if (m_firstMissing)
        return;
    const QString control = index ? QStringLiteral("%1(%2)").arg(name).arg(*index) : name;
    m_firstMissing
        = FormFileError { QStringLiteral("%1: no %2 named %3 of the kind this window needs")
                              .arg(m_form.layout().name, what, control) };
}

} // namespace bastara::toolkit
