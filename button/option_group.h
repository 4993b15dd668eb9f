#pragma once

// Option groups: the option-mode buttons of one container window, of which
// at most one is True. The group is a registry kept as window properties of
// the container:
//
//     "kz_OptCount"                  n, the number of registered buttons
//     "1kz_Obj", "2kz_Obj", ... "<n>kz_Obj"
//                                    each button's own window handle, in the
//                                    order the buttons joined
//
// Entries name buttons by window handle, never by pointer, and a button that
// ends leaves its group first; an entry whose button is gone ends any walk
// over the group silently.

#include "button/bool16.h"

#include <cstdint>
#include <vector>

namespace bastara::button {

class Button;

// What OptionToggle is asked to do.
enum class OptionAction : std::int16_t {
    Leave = -1,
    Selected = 0, // this button became True: the others become False
    Join = 1,
    AnySelected = 2, // is any button of the group True?
};

// Maintains or consults the group of the button's container (named by its
// Tag). A True button that joins, and one that becomes True, clears the
// others first. The result is meaningful only for AnySelected; every other
// action returns False, as does any failure (no container, a stale entry, a
// count out of range).
Bool16 OptionToggle(Button& button, OptionAction action);

// Removes the button's entry (if it has one) without touching the others:
// for a button that ends while its container lives on.
void LeaveOptionGroupAtEnd(Button& button);

// The registry as it stands, for tests and the designer: the handles in
// entry order (empty when the container has no group).
std::vector<std::int32_t> optionGroupEntries(std::int32_t container);

} // namespace bastara::button
