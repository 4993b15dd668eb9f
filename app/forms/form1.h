#pragma once

// Form1, the main window: the table name and the field list (three parallel
// lists of names, type names and sizes), the pictures that open the entry
// dialog and remove a row, and the button that creates the database file.
// The two dialogs write into the lists; they close with this window, so they
// never outlive the lists they write to.

#include "app/create_table.h"
#include "app/forms/form2.h"
#include "app/forms/form3.h"
#include "platform/support/result.h"
#include "platform/toolkit/form.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

namespace bastara::app {

// createTable(), or a stand-in for it in tests.
using CreateTableFunction
    = std::function<Result<void, CreateFailure>(const std::filesystem::path& path,
        const std::u16string& tableName, const std::vector<FieldRow>& rows)>;

class Form1 : public toolkit::Form
{
    Q_OBJECT
public:
    [[nodiscard]] static Result<std::unique_ptr<Form1>, toolkit::FormFileError> create(
        const toolkit::ControlRegistry& registry, CreateTableFunction createTable);
    ~Form1() override;

    // Writes the field list to a new database file at `path` and says how it
    // went: success, rows refused before anything was written, or the
    // engine's error. The list is left as it is either way.
    void CreateDb(const QString& path);

    // The list (0 names, 1 type names, 2 sizes) the edit dialog writes back to.
    int32_t EditedList() const { return m_editedList; }

    // The dialogs while they are open, else nullptr.
    Form3* entryDialog() const { return m_entryDialog.get(); }
    Form2* editDialog() const { return m_editDialog.get(); }

    // The event handlers, as the controls call them.
    void openEntryDialog();
    void removeSelectedRow();
    void openEditDialog(int list);
    void chooseFileAndCreate();

    struct Key; // lets create() construct through std::make_unique
    Form1(const Key&, const toolkit::ControlRegistry& registry, CreateTableFunction createTable);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    [[nodiscard]] Result<void, toolkit::FormFileError> connectControls();
    // Takes the row from all three lists.
    void removeRow(int row);
    void appendRow(const QString& fieldName, const QString& typeName, const QString& sizeText);
    void clearSelections();
    std::vector<FieldRow> fieldRows() const;
    void showDialog(toolkit::Form& dialog);

    toolkit::ControlRegistry m_registry;
    CreateTableFunction m_createTable;
    int32_t m_editedList = 0;
    QLineEdit* m_tableName = nullptr;
    QListWidget* m_lists[3] = {};
    // Declared last: destroyed first, while the lists they point to still exist.
    std::unique_ptr<Form3> m_entryDialog;
    std::unique_ptr<Form2> m_editDialog;
};

} // namespace bastara::app
