#pragma once

// Form3, the field entry dialog: each confirmation appends one row to the
// main window's field list and leaves the dialog open for the next field.

#include "platform/support/result.h"
#include "platform/toolkit/form.h"

#include <functional>
#include <memory>

class QComboBox;
class QLineEdit;

namespace bastara::app {

class Form3 : public toolkit::Form
{
    Q_OBJECT
public:
    // Receives a confirmed row, each text exactly as typed.
    using AppendRow = std::function<void(
        const QString& fieldName, const QString& typeName, const QString& sizeText)>;

    // Loads the dialog, tool window of `owner`, and fills its type list.
    [[nodiscard]] static Result<std::unique_ptr<Form3>, toolkit::FormFileError> create(
        QWidget& owner, const toolkit::ControlRegistry& registry, AppendRow appendRow);

    // Confirm: appends the row unless a text is empty, then clears the name
    // for the next field; the type and size stay.
    void confirm();
    // Finish: closes (and so unloads) the dialog.
    void finish();

    struct Key; // lets create() construct through std::make_unique
    Form3(const Key&, QWidget& owner, AppendRow appendRow);

private:
    [[nodiscard]] Result<void, toolkit::FormFileError> connectControls();
    void fillTypeList();

    AppendRow m_appendRow;
    QLineEdit* m_fieldName = nullptr;
    QComboBox* m_typeName = nullptr;
    QLineEdit* m_sizeText = nullptr;
};

} // namespace bastara::app
