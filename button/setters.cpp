// The property setters: validate, store, recompute what depends on the
// property, redraw, and tell the host which persisted property changed.

#include "button/button.h"
#include "button/option_group.h"

namespace bastara::button {

void Button::designMessage(std::u16string text, std::u16string title)
{
    if (!m_host.userMode())
        m_host.showDesignMessage(std::move(text), std::move(title));
}

void Button::setMode(ButtonMode nMode)
{
    const auto value = static_cast<std::int32_t>(nMode);
    if (value < 0 || value > 2)
        return;
    const auto old = static_cast<std::int32_t>(m_state.buttonMode);
    if (old == 2 && value < 2)
        OptionToggle(*this, OptionAction::Leave);
    if (value == 2 && old < 2)
        OptionToggle(*this, OptionAction::Join);
    if (value == 0 && old > 0)
        setValue(kFalse);
    m_state.buttonMode = nMode;
    RedrawButton();
    propertyChanged(u"Mode");
}

void Button::setValue(Bool16 bValue)
{
    if (bValue.isSet() && m_state.buttonMode == ButtonMode::Command) {
        designMessage(u"This property is not applicable for command button modes.");
        return;
    }
    // Stored as -1 or 0, whatever non-zero value came in.
    m_state.buttonValue = Bool16(bValue.isSet());
    if (m_state.buttonValue.isTrue() && m_state.buttonMode == ButtonMode::Option)
        OptionToggle(*this, OptionAction::Selected);
    RedrawButton();
    propertyChanged(u"Value");
}

} // namespace bastara::button
