#pragma once

// The custom button as a control kind of stored forms.
//
//     toolkit::ControlRegistry registry = toolkit::standardControlRegistry();
//     button_host::addFormButtonFactory(registry);   // kind "customButton"
//
// Each button of a loaded form is a ControlHost in run mode: its stored
// property set is read through the control's own read handling, it is sized
// from the layout, and its Click reaches the form's code as
// ControlEvents::Click, like any other control's.

#include "platform/support/result.h"
#include "platform/toolkit/control_registry.h"
#include "platform/toolkit/form_layout.h"

#include <QString>

class QWidget;

namespace bastara::button_host {

// The kind name that form files give the custom button.
inline constexpr char kFormButtonKind[] = "customButton";

// A ControlFactory: builds the button of `layout` as a child of `parent`.
Result<QWidget*, QString> buildFormButton(const toolkit::ControlLayout& layout, QWidget& parent);

// Registers buildFormButton for the kind, replacing any other factory of it.
void addFormButtonFactory(toolkit::ControlRegistry& registry);

} // namespace bastara::button_host
