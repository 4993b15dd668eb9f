#pragma once

// The three lists of the field list (names, type names, sizes) read as one
// table: row i of each list stands on one line.
//
// Every row of the three lists has one height, whatever the script of its
// text (Persian text comes from a fallback face of other metrics than the
// Latin face). No list scrolls sideways: a text wider than its list is cut
// short with an ellipsis. Only the name list shows a vertical scroll bar, so
// the narrow type and size lists keep their whole width for their texts;
// scrolling any of the three (wheel, bar, keys) scrolls the other two with
// it. Selections stay each list's own.

#include <array>

class QListWidget;

namespace bastara::app {

void showAsOneTable(const std::array<QListWidget*, 3>& lists);

} // namespace bastara::app
