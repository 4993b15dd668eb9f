#pragma once

// Names a box after the label that stands beside it, for assistive
// technologies: a screen reader announces the box by the label's words.
//
//     nameByLabel(*required.control<QLabel>("Label1"), *tableName);
//
// The name is the label's text without the colon that ends it ("Name :" ->
// "Name"); the label also becomes the box's buddy, which readers see as the
// "labelled by" relation. An editable combo box's edit field gets the name
// too: readers on Linux name a combo box by its text, and its edit field is
// what they reach. Nothing visible changes.

class QLabel;
class QWidget;

namespace bastara::toolkit {

void nameByLabel(QLabel& label, QWidget& box);

} // namespace bastara::toolkit
