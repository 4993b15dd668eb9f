#include "app/forms/form1.h"

#include "app/forms/app_setup.h"
#include "app/forms/field_list_table.h"
#include "app/forms/messages.h"
#include "platform/toolkit/dialogs.h"
#include "platform/toolkit/labelled_controls.h"
#include "platform/toolkit/required_controls.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace bastara::app {

namespace {

    constexpr int listCount = 3;

    std::optional<int> selectedRow(const QListWidget& list)
    {
        const QList<QListWidgetItem*> selected = list.selectedItems();
        if (selected.isEmpty())
            return std::nullopt;
        return list.row(selected.front());
    }

    QString itemText(const QListWidget& list, int row)
    {
        const QListWidgetItem* item = list.item(row);
        return item ? item->text() : QString();
    }

    // The field list's keys for what the pictures do with the mouse: Insert
    // adds a field, Delete removes the row selected in the list that has the
    // focus.
    class ListKeys : public QObject
    {
    public:
        ListKeys(QListWidget& list, std::function<void()> insert, std::function<void(int)> remove)
            : QObject(&list)
            , m_insert(std::move(insert))
            , m_remove(std::move(remove))
        {
            list.installEventFilter(this);
        }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() != QEvent::KeyPress)
                return false;
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
                return false;
            if (key.key() == Qt::Key_Insert) {
                m_insert();
                return true;
            }
            if (key.key() == Qt::Key_Delete) {
                if (const auto row = selectedRow(*static_cast<QListWidget*>(watched)))
                    m_remove(*row);
                return true;
            }
            return false;
        }

    private:
        std::function<void()> m_insert;
        std::function<void(int)> m_remove;
    };

    // A dialog closing from inside its own handlers cannot be deleted there:
    // it is unloaded at once (the pointer is empty, the next opening loads a
    // fresh one) and deleted when control is back in the event loop.
    template <typename Dialog> void unloadLater(std::unique_ptr<Dialog>& dialog)
    {
        if (!dialog)
            return;
        Dialog* released = dialog.release();
        released->hide();
        released->deleteLater();
    }

} // namespace

struct Form1::Key { };

Form1::Form1(const Key&, const toolkit::ControlRegistry& registry, CreateTableFunction createTable)
    : m_registry(registry)
    , m_createTable(std::move(createTable))
{ }

Form1::~Form1() = default;

Result<std::unique_ptr<Form1>, toolkit::FormFileError> Form1::create(
    const toolkit::ControlRegistry& registry, CreateTableFunction createTable)
{
    const auto layout = toolkit::loadFormFile(QStringLiteral(":/bastara/forms/form1.json"));
    if (!layout)
        return Unexpected { layout.error() };
    auto form = std::make_unique<Form1>(Key {}, registry, std::move(createTable));
    if (auto loaded = form->load(*layout, registry); !loaded)
        return Unexpected { loaded.error() };
    if (auto connected = form->connectControls(); !connected)
        return Unexpected { connected.error() };
    return form;
}

Result<void, toolkit::FormFileError> Form1::connectControls()
{
    toolkit::RequiredControls required(*this);
    m_tableName = required.control<QLineEdit>(QStringLiteral("Text1"));
    toolkit::ControlEvents* listEvents[listCount] = {};
    for (int k = 0; k < listCount; ++k) {
        m_lists[k] = required.control<QListWidget>(QStringLiteral("List1"), k);
        listEvents[k] = required.events(QStringLiteral("List1"), k);
    }
    toolkit::ControlEvents* addPicture = required.events(QStringLiteral("Image1"));
    toolkit::ControlEvents* removePicture = required.events(QStringLiteral("Image2"));
    toolkit::ControlEvents* createButton = required.events(QStringLiteral("kzButtons_H1"));
    QLabel* tableNameLabel = required.control<QLabel>(QStringLiteral("Label1"));
    // The column headings, over the names, the type names and the sizes.
    QLabel* headings[listCount] = { required.control<QLabel>(QStringLiteral("Label5")),
        required.control<QLabel>(QStringLiteral("Label4")),
        required.control<QLabel>(QStringLiteral("Label3")) };
    if (auto found = required.check(); !found)
        return found;
    showAsOneTable({ m_lists[0], m_lists[1], m_lists[2] });

    toolkit::nameByLabel(*tableNameLabel, *m_tableName);
    for (int k = 0; k < listCount; ++k) {
        toolkit::nameByLabel(*headings[k], *m_lists[k]);
        new ListKeys(
            *m_lists[k], [this] { openEntryDialog(); }, [this](int row) { removeRow(row); });
    }

    using toolkit::ControlEvents;
    connect(addPicture, &ControlEvents::Click, this, &Form1::openEntryDialog);
    connect(removePicture, &ControlEvents::Click, this, &Form1::removeSelectedRow);
    for (int k = 0; k < listCount; ++k)
        connect(listEvents[k], &ControlEvents::DblClick, this, [this, k] { openEditDialog(k); });
    connect(createButton, &ControlEvents::Click, this, &Form1::chooseFileAndCreate);
    return {};
}

void Form1::showDialog(toolkit::Form& dialog)
{
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

void Form1::openEntryDialog()
{
    if (!m_entryDialog) {
        auto dialog = Form3::create(*this, m_registry,
            [this](const QString& name, const QString& type, const QString& size) {
                appendRow(name, type, size);
            });
        if (!dialog) {
            toolkit::showMessage(this, applicationTitle,
                startFailureMessage(dialog.error().message), toolkit::MessageIcon::Critical);
            return;
        }
        m_entryDialog = std::move(*dialog);
        connect(m_entryDialog.get(), &toolkit::Form::closed, this,
            [this, opened = m_entryDialog.get()] {
                if (m_entryDialog.get() == opened)
                    unloadLater(m_entryDialog);
            });
    }
    showDialog(*m_entryDialog);
}

// Only the field-name list's selection counts; the row goes from all three.
void Form1::removeSelectedRow()
{
    if (const std::optional<int> row = selectedRow(*m_lists[0]))
        removeRow(*row);
}

void Form1::removeRow(int row)
{
    for (QListWidget* list : m_lists)
        std::unique_ptr<QListWidgetItem> removed(list->takeItem(row));
    clearSelections();
}

// A list makes the row after a removed current row current and selected; the
// user chose neither, and a second click on the remove picture would take it.
// After a removal or an edit no row of any list is selected or current.
void Form1::clearSelections()
{
    for (QListWidget* list : m_lists) {
        list->clearSelection();
        // Through the view, not its selection model: the view then keeps
        // "no current row" when it next takes the focus.
        list->setCurrentIndex(QModelIndex());
    }
}

void Form1::openEditDialog(int list)
{
    const std::optional<int> row = selectedRow(*m_lists[list]);
    if (!row)
        return;
    if (!m_editDialog) {
        auto dialog = Form2::create(
            *this, m_registry, [this]() -> QListWidget& { return *m_lists[m_editedList]; });
        if (!dialog) {
            toolkit::showMessage(this, applicationTitle,
                startFailureMessage(dialog.error().message), toolkit::MessageIcon::Critical);
            return;
        }
        m_editDialog = std::move(*dialog);
        connect(m_editDialog.get(), &Form2::entryReplaced, this, &Form1::clearSelections);
        connect(
            m_editDialog.get(), &toolkit::Form::closed, this, [this, opened = m_editDialog.get()] {
                if (m_editDialog.get() == opened)
                    unloadLater(m_editDialog);
            });
    }
    showDialog(*m_editDialog);
    m_editDialog->fill(*row, itemText(*m_lists[list], *row));
    m_editedList = list;
}

void Form1::chooseFileAndCreate()
{
    const std::optional<QString> path = toolkit::askSaveFileName(this, QStringLiteral("*.mdb"));
    if (!path)
        return;
    CreateDb(*path);
}

void Form1::appendRow(const QString& fieldName, const QString& typeName, const QString& sizeText)
{
    m_lists[0]->addItem(fieldName);
    m_lists[1]->addItem(typeName);
    m_lists[2]->addItem(sizeText);
}

// The row count is the name list's; the other two are kept in step with it.
std::vector<FieldRow> Form1::fieldRows() const
{
    std::vector<FieldRow> rows;
    for (int row = 0; row < m_lists[0]->count(); ++row) {
        rows.push_back(FieldRow { itemText(*m_lists[0], row).toStdU16String(),
            itemText(*m_lists[1], row).toStdU16String(),
            itemText(*m_lists[2], row).toStdU16String() });
    }
    return rows;
}

void Form1::CreateDb(const QString& path)
{
    const std::vector<FieldRow> rows = fieldRows();
    // createTable checks the rows too; checking here as well keeps a refused
    // list away from whatever function writes the file.
    if (const auto problem = checkRows(rows)) {
        toolkit::showMessage(this, applicationTitle, rowProblemMessage(*problem, rows),
            toolkit::MessageIcon::Warning);
        return;
    }
    const auto created = m_createTable(std::filesystem::path(QFile::encodeName(path).toStdString()),
        m_tableName->text().toStdU16String(), rows);
    if (created) {
        toolkit::showMessage(this, applicationTitle, successMessage(), toolkit::MessageIcon::None);
        return;
    }
    if (const auto* problem = std::get_if<RowProblem>(&created.error()))
        toolkit::showMessage(this, applicationTitle, rowProblemMessage(*problem, rows),
            toolkit::MessageIcon::Warning);
    else if (const auto* failure = std::get_if<EngineFailure>(&created.error()))
        toolkit::showMessage(this, applicationTitle,
            engineFailureMessage(*failure, rows, m_tableName->text()),
            toolkit::MessageIcon::Critical);
}

void Form1::closeEvent(QCloseEvent* event)
{
    // The save dialog or a message box of this window goes with it, so that
    // nothing is created for a window that is no longer there.
    for (QDialog* dialog : findChildren<QDialog*>()) {
        if (dialog->isVisible())
            dialog->reject();
    }
    if (m_entryDialog)
        m_entryDialog->close();
    if (m_editDialog)
        m_editDialog->close();
    toolkit::Form::closeEvent(event);
}

} // namespace bastara::app
