#pragma once

// The control's Boolean is the stored-form Boolean (True = -1, False = 0).

#include "platform/properties/bool16.h"

namespace bastara::button {

using properties::Bool16;
using properties::kFalse;
using properties::kTrue;

} // namespace bastara::button
