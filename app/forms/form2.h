#pragma once

// Form2, the field edit dialog: changes one entry of one list of the main
// window. The main window fills it; ok writes the item text back at the
// typed position and closes it.

#include "platform/support/result.h"
#include "platform/toolkit/form.h"

#include <functional>
#include <memory>

class QLineEdit;
class QListWidget;

namespace bastara::app {

class Form2 : public toolkit::Form
{
    Q_OBJECT
public:
    // The list to write back to, asked at the moment of confirmation.
    using TargetList = std::function<QListWidget&()>;

    // Loads the dialog as a tool window of `owner`.
    [[nodiscard]] static Result<std::unique_ptr<Form2>, toolkit::FormFileError> create(
        QWidget& owner, const toolkit::ControlRegistry& registry, TargetList targetList);

    // Puts the entry to edit in the boxes: the position first, then the text.
    void fill(int position, const QString& itemText);

    // Ok: replaces the entry at the typed position with the item text and
    // closes the dialog. A position that names no row (or is no 16-bit
    // number) is refused with a message; the list and the dialog stay.
    void ok();

    struct Key; // lets create() construct through std::make_unique
    Form2(const Key&, QWidget& owner, TargetList targetList);

signals:
    // Ok has written the item text back into the target list.
    void entryReplaced();

private:
    [[nodiscard]] Result<void, toolkit::FormFileError> connectControls();

    TargetList m_targetList;
    QLineEdit* m_itemText = nullptr;
    QLineEdit* m_position = nullptr;
};

} // namespace bastara::app
