// Bad input through the three windows over the real engine, one table per
// window: what the user does, the message the program shows (exactly) or
// what the file holds, and that nothing typed is lost on the way.

#include "engine_backed_form1.h"
#include "platform/dao/engine_test_hooks.h"
#include "platform/jet/reader.h"
#include "support/failing_sink.h"
#include "support/modal_watcher.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <ostream>
#include <unistd.h>

namespace bastara::app {
namespace {

    using namespace test_support;

    struct TypedRow {
        QString name;
        QString type;
        QString size;
    };

    struct Column {
        std::u16string name;
        std::uint8_t type; // Jet type byte
        std::uint16_t length;
    };

    // What the user is told, and what is on disk afterwards.
    struct Outcome {
        QString message; // the one message box, exactly; empty: none at all
        std::u16string table; // the table in the new file; no file when `columns` is empty
        std::vector<Column> columns;
    };

    constexpr std::uint8_t jetLong = 0x04, jetText = 0x0A, jetDate = 0x08;

    const QString success = QStringLiteral("بانک اطلاعاتي با موفقيت ساخته شد");
    const QString notCreated = QStringLiteral("بانک اطلاعاتي ساخته نشد.\n");
    const QString placeholderPath = QStringLiteral("<path>");

    QString isolated(const QString& text)
    {
        return QChar(0x2068) + text + QChar(0x2069);
    }

    Outcome written(std::u16string table, std::vector<Column> columns)
    {
        return { success, std::move(table), std::move(columns) };
    }

    Outcome refused(QString message)
    {
        return { std::move(message), {}, {} };
    }

    // The engine's error as the main window words it, its English sentence
    // left to right; `refused` names the row or the table the engine
    // refused, when it refused one.
    QString engineSays(
        const QString& number, const QString& description, const QString& refused = {})
    {
        return notCreated + (refused.isEmpty() ? QString() : refused + QLatin1Char('\n'))
            + QStringLiteral("خطاي %1: %2")
                  .arg(number, QChar(0x2066) + description + QChar(0x2069));
    }

    QString tableNamed(const QString& name)
    {
        return QStringLiteral("نام جدول «%1»").arg(isolated(name));
    }

    QString fieldRow(const QString& row, const TypedRow& typed)
    {
        return QStringLiteral("رديف %1: فيلد «%2» از نوع «%3» با سايز «%4»")
            .arg(row, isolated(typed.name), isolated(typed.type), isolated(typed.size));
    }

    QString invalidName(const QString& name)
    {
        return QStringLiteral("'%1' isn't a valid name. Make sure that it doesn't include invalid "
                              "characters or punctuation and that it isn't too long.")
            .arg(name.isEmpty() ? name : isolated(name));
    }

    QString unknownType(const QString& row, const QString& typed)
    {
        return notCreated
            + QStringLiteral("رديف %1: نوع «%2» شناخته نشده است.\n").arg(row, isolated(typed))
            + QStringLiteral("نوع بايد يکي از اين نام‌ها باشد: ")
            + isolated(QStringLiteral("Text, Integer, Long, Binary, Byte, Currency, Boolean, "
                                      "Time, Date, Double, Single, Float, Memo"));
    }

    // The fixture of all three tables: rows go in through the entry dialog,
    // the file is chosen in the save dialog, and the outcome is read back.
    class BadInput : public EngineBackedForm1Test
    {
    protected:
        void enterRows(const std::vector<TypedRow>& rows)
        {
            form1->openEntryDialog();
            Form3* entry = form1->entryDialog();
            ASSERT_NE(entry, nullptr);
            for (const TypedRow& row : rows) {
                typeInto(*entry->control<QLineEdit>(QStringLiteral("Text1")), row.name);
                typeInto(
                    *entry->control<QComboBox>(QStringLiteral("Combo1"))->lineEdit(), row.type);
                typeInto(*entry->control<QLineEdit>(QStringLiteral("Text2")), row.size);
                entry->confirm();
            }
            entry->finish();
        }

        // As a key press ends: insert() (QTest's key clicks know ASCII only).
        static void typeInto(QLineEdit& box, const QString& text)
        {
            box.clear();
            box.insert(text);
        }

        QString tableName() const
        {
            return form1->control<QLineEdit>(QStringLiteral("Text1"))->text();
        }

        std::vector<TypedRow> listedRows() const
        {
            std::vector<TypedRow> rows;
            for (int row = 0; row < list(0).count(); ++row)
                rows.push_back({ items(0).value(row), items(1).value(row), items(2).value(row) });
            return rows;
        }

        static void expectSameRows(const std::vector<TypedRow>& actual,
            const std::vector<TypedRow>& expected, const char* when)
        {
            ASSERT_EQ(actual.size(), expected.size()) << when;
            for (std::size_t row = 0; row < actual.size(); ++row) {
                EXPECT_EQ(actual[row].name, expected[row].name) << when << ", row " << row;
                EXPECT_EQ(actual[row].type, expected[row].type) << when << ", row " << row;
                EXPECT_EQ(actual[row].size, expected[row].size) << when << ", row " << row;
            }
        }

        // Presses the create button's handler and answers the save dialog
        // with `answer`; returns the message shown afterwards ("" for none).
        QString createWith(ModalAnswer answer)
        {
            MessageRecord message;
            ModalWatcher watcher({ std::move(answer), acceptMessage(message) });
            form1->chooseFileAndCreate();
            EXPECT_EQ(watcher.unexpected(), 0) << "a second message";
            return message.text;
        }

        QString createAt(const QString& path)
        {
            FileDialogRecord dialog;
            return createWith(chooseFile(path, dialog));
        }

        // The message and the file at `path` (the folder holds nothing else
        // of ours: no temporary file, no second file).
        void expectOutcome(const QString& shown, const QString& path, const Outcome& expected,
            const QStringList& entriesBefore)
        {
            QString message = expected.message;
            EXPECT_EQ(
                shown.toStdU16String(), message.replace(placeholderPath, path).toStdU16String());
            QStringList entries = entriesBefore;
            if (!expected.columns.empty()) {
                entries << QFileInfo(path).fileName();
                entries.sort();
                const QByteArray bytes = contents(path);
                const auto info = jet::readDatabase(std::span(
                    reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size()));
                ASSERT_TRUE(info) << "the file does not read back";
                ASSERT_EQ(info->tables.size(), 1u);
                EXPECT_EQ(info->tables[0].name, expected.table);
                const auto& columns = info->tables[0].columns;
                ASSERT_EQ(columns.size(), expected.columns.size());
                for (std::size_t c = 0; c < columns.size(); ++c) {
                    EXPECT_EQ(columns[c].name, expected.columns[c].name) << "column " << c;
                    EXPECT_EQ(columns[c].type, expected.columns[c].type) << "column " << c;
                    EXPECT_EQ(columns[c].length, expected.columns[c].length) << "column " << c;
                }
            }
            EXPECT_EQ(QDir(m_dir.path())
                          .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                entries);
        }
    };

    // ------------------------------------------------------------------
    // The main window: the table name, the number of rows, and the file.

    enum class Target {
        NewFile, // a new name in the temporary folder
        ExistingFile, // a file that is already there
        FolderChosen, // a folder typed into the save dialog
        FolderGiven, // a folder handed to CreateDb
        MissingFolder, // a name in a folder that does not exist
        UnwritableFolder, // a name in a folder without write permission
        FullDisk, // the disk fills while the table is written
        Cancelled, // the save dialog is cancelled
        WindowClosed, // the main window closes while the save dialog is open
    };

    struct MainWindowCase {
        const char* what;
        QString tableName;
        std::vector<TypedRow> rows;
        Target target;
        Outcome outcome;
    };
    // ctest lists the case by its name, not by its bytes.
    void PrintTo(const MainWindowCase& c, std::ostream* out)
    {
        *out << c.what;
    }

    const std::vector<TypedRow> oneRow { { QStringLiteral("id"), QStringLiteral("Long"),
        QStringLiteral("4") } };
    const std::vector<Column> oneColumn { { u"id", jetLong, 4 } };

    std::vector<TypedRow> manyRows(int count)
    {
        std::vector<TypedRow> rows;
        for (int row = 0; row < count; ++row)
            rows.push_back(
                { QStringLiteral("f%1").arg(row), QStringLiteral("Long"), QStringLiteral("4") });
        return rows;
    }

    std::vector<Column> manyColumns(int count)
    {
        std::vector<Column> columns;
        for (int c = 0; c < count; ++c)
            columns.push_back({ QStringLiteral("f%1").arg(c).toStdU16String(), jetLong, 4 });
        return columns;
    }

    const QString longName = QString(65, QLatin1Char('t'));

    const MainWindowCase mainWindowCases[] = {
        { "EmptyTableName", QString(), oneRow, Target::NewFile,
            refused(engineSays(QStringLiteral("۳۱۲۵"), invalidName({}), tableNamed(QString()))) },
        { "TableNameWithLeadingSpace", QStringLiteral(" table"), oneRow, Target::NewFile,
            refused(engineSays(QStringLiteral("۳۱۲۵"), invalidName(QStringLiteral(" table")),
                tableNamed(QStringLiteral(" table")))) },
        { "TableNameTooLong", longName, oneRow, Target::NewFile,
            refused(
                engineSays(QStringLiteral("۳۱۲۵"), invalidName(longName), tableNamed(longName))) },
        { "TableNameOfSixtyFourCharacters", QString(64, QLatin1Char('t')), oneRow, Target::NewFile,
            written(std::u16string(64, u't'), oneColumn) },
        { "TableNameWithForbiddenCharacter", QStringLiteral("a.b"), oneRow, Target::NewFile,
            refused(engineSays(QStringLiteral("۳۱۲۵"), invalidName(QStringLiteral("a.b")),
                tableNamed(QStringLiteral("a.b")))) },
        { "TableNameOfASystemTable", QStringLiteral("msysobjects"), oneRow, Target::NewFile,
            refused(engineSays(QStringLiteral("۳۰۱۰"),
                QStringLiteral("Table '%1' already exists.")
                    .arg(isolated(QStringLiteral("msysobjects"))),
                tableNamed(QStringLiteral("msysobjects")))) },
        { "PersianTableName", QStringLiteral("جدول"), oneRow, Target::NewFile,
            written(u"جدول", oneColumn) },
        // The general sort order has no key for characters outside the Basic
        // Multilingual Plane, and table names need one.
        { "TableNameWithEmoji", QStringLiteral("جدول😀"), oneRow, Target::NewFile,
            refused(engineSays(QStringLiteral("۳۱۲۵"), invalidName(QStringLiteral("جدول😀")),
                tableNamed(QStringLiteral("جدول😀")))) },
        { "HundredAndOneRows", QStringLiteral("table"), manyRows(101), Target::NewFile,
            written(u"table", manyColumns(101)) },
        { "HundredAndTwoRows", QStringLiteral("table"), manyRows(102), Target::NewFile,
            refused(notCreated + QStringLiteral("رديف ۱۰۲: يک جدول حداکثر ۱۰۱ فيلد دارد.")) },
        { "ExistingFile", QStringLiteral("table"), oneRow, Target::ExistingFile,
            refused(
                engineSays(QStringLiteral("۳۲۰۴"), QStringLiteral("Database already exists."))) },
        // The save dialog opens a folder typed into it rather than returning it.
        { "FolderChosen", QStringLiteral("table"), oneRow, Target::FolderChosen, refused({}) },
        // Handed to CreateDb, a folder is a taken name like any file.
        { "FolderGiven", QStringLiteral("table"), oneRow, Target::FolderGiven,
            refused(
                engineSays(QStringLiteral("۳۲۰۴"), QStringLiteral("Database already exists."))) },
        { "MissingFolder", QStringLiteral("table"), oneRow, Target::MissingFolder,
            refused(engineSays(QStringLiteral("۳۰۴۴"),
                QStringLiteral(
                    "'<path>' isn't a valid path. Make sure that the path name is spelled "
                    "correctly and that you are connected to the server on which the "
                    "file resides."))) },
        { "UnwritableFolder", QStringLiteral("table"), oneRow, Target::UnwritableFolder,
            refused(engineSays(QStringLiteral("۳۰۵۱"),
                QStringLiteral(
                    "The Microsoft Jet database engine cannot open the file '<path>'. It "
                    "is already opened exclusively by another user, or you need "
                    "permission to view its data."))) },
        { "FullDisk", QStringLiteral("table"), oneRow, Target::FullDisk,
            refused(engineSays(QStringLiteral("۳۰۲۶"), QStringLiteral("Not enough space on disk."),
                tableNamed(QStringLiteral("table")))) },
        { "CancelledDialog", QStringLiteral("table"), oneRow, Target::Cancelled, refused({}) },
        { "MainWindowClosedWhileTheSaveDialogIsOpen", QStringLiteral("table"), oneRow,
            Target::WindowClosed, refused({}) },
    };

    class MainWindowBadInput : public BadInput, public ::testing::WithParamInterface<MainWindowCase>
    { };

    // Lets the disk fill at the first write of the second file: the new
    // empty database is written, the one with the table is not.
    jet::FileWriteOptions diskFillsWritingTheTable()
    {
        jet::FileWriteOptions options;
        options.wrapSink = [files = 0](std::unique_ptr<jet::PageSink> sink) mutable {
            if (files++ == 0)
                return sink;
            return bastara::testing::failingWrites(0).wrapSink(std::move(sink));
        };
        return options;
    }

    TEST_P(MainWindowBadInput, IsRefusedClearlyOrWrittenAsTyped)
    {
        const MainWindowCase& c = GetParam();
        if (c.target == Target::UnwritableFolder && ::geteuid() == 0)
            GTEST_SKIP() << "permissions do not bind root; run the tests as another user";
        enterRows(c.rows);
        form1->control<QLineEdit>(QStringLiteral("Text1"))->setText(c.tableName);
        const QDir dir(m_dir.path());
        QString path = dir.filePath(QStringLiteral("db.mdb"));
        const QByteArray existing("someone else's file");
        std::optional<dao::testing::ScopedEngineHooks> hooks;
        QString shown;
        switch (c.target) {
        case Target::NewFile:
            shown = createAt(path);
            break;
        case Target::ExistingFile: {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(existing);
            file.close();
            shown = createAt(path);
            EXPECT_EQ(contents(path), existing);
            break;
        }
        case Target::FolderChosen: {
            ASSERT_TRUE(dir.mkdir(QStringLiteral("db.mdb")));
            bool stayedOpenInTheFolder = false;
            shown = createWith([&](QWidget& dialog) {
                auto* files = qobject_cast<QFileDialog*>(&dialog);
                ASSERT_NE(files, nullptr);
                files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
                QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
                // Queued after the accept: what it did, then the user gives up.
                QMetaObject::invokeMethod(
                    files,
                    [&, files] {
                        stayedOpenInTheFolder = files->isVisible()
                            && QDir(files->directory()).absolutePath() == QDir(path).absolutePath();
                        files->reject();
                    },
                    Qt::QueuedConnection);
            });
            EXPECT_TRUE(stayedOpenInTheFolder);
            EXPECT_TRUE(QFileInfo(path).isDir());
            path.clear();
            break;
        }
        case Target::FolderGiven: {
            ASSERT_TRUE(dir.mkdir(QStringLiteral("db.mdb")));
            MessageRecord message;
            ModalWatcher watcher({ acceptMessage(message) });
            form1->CreateDb(path);
            shown = message.text;
            EXPECT_TRUE(QFileInfo(path).isDir());
            path.clear();
            break;
        }
        case Target::MissingFolder:
            path = dir.filePath(QStringLiteral("no such folder/db.mdb"));
            shown = createAt(path);
            break;
        case Target::UnwritableFolder: {
            ASSERT_TRUE(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner));
            shown = createAt(path);
            QFile::setPermissions(
                m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            break;
        }
        case Target::FullDisk:
            hooks.emplace(dao::testing::EngineHooks { diskFillsWritingTheTable(), {}, {} });
            shown = createAt(path);
            break;
        case Target::Cancelled: {
            FileDialogRecord dialog;
            shown = createWith(cancelFileDialog(dialog));
            EXPECT_TRUE(dialog.seen);
            break;
        }
        case Target::WindowClosed: {
            QPointer<QWidget> saveDialog;
            shown = createWith([&](QWidget& dialog) {
                saveDialog = &dialog;
                qobject_cast<QFileDialog*>(&dialog)
                    ->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                    ->setText(path);
                QMetaObject::invokeMethod(form1.get(), &QWidget::close, Qt::QueuedConnection);
            });
            EXPECT_FALSE(form1->isVisible());
            EXPECT_TRUE(saveDialog.isNull() || !saveDialog->isVisible());
            break;
        }
        }
        QStringList before;
        if (c.target == Target::ExistingFile || c.target == Target::FolderChosen
            || c.target == Target::FolderGiven)
            before << QStringLiteral("db.mdb");
        expectOutcome(shown, path, c.outcome, before);
        expectSameRows(listedRows(), c.rows, c.what);
        EXPECT_EQ(tableName(), c.tableName);
    }

    INSTANTIATE_TEST_SUITE_P(Catalogue, MainWindowBadInput, ::testing::ValuesIn(mainWindowCases),
        [](const auto& test) { return std::string(test.param.what); });

    // ------------------------------------------------------------------
    // The entry dialog: field names, type names and sizes as typed.

    struct EntryCase {
        const char* what;
        std::vector<TypedRow> typed; // each typed and confirmed in turn
        bool added; // the rows join the list (else nothing does, silently)
        Outcome outcome; // of creating the list (when added)
    };
    // ctest lists the case by its name, not by its bytes.
    void PrintTo(const EntryCase& c, std::ostream* out)
    {
        *out << c.what;
    }

    QString row1(const QString& name, const QString& type, const QString& size)
    {
        return fieldRow(QStringLiteral("۱"), { name, type, size });
    }

    EntryCase textSized(const char* what, const QString& size, std::optional<std::uint16_t> length)
    {
        std::vector<TypedRow> typed { { QStringLiteral("note"), QStringLiteral("Text"), size } };
        if (length)
            return { what, typed, true, written(u"table", { { u"note", jetText, *length } }) };
        return { what, typed, true,
            refused(engineSays(QStringLiteral("۳۰۰۱"), QStringLiteral("Invalid argument."),
                row1(QStringLiteral("note"), QStringLiteral("Text"), size))) };
    }

    EntryCase namedField(const char* what, const QString& name, bool valid)
    {
        std::vector<TypedRow> typed { { name, QStringLiteral("Long"), QStringLiteral("4") } };
        if (valid)
            return { what, typed, true,
                written(u"table", { { name.toStdU16String(), jetLong, 4 } }) };
        return { what, typed, true,
            refused(engineSays(QStringLiteral("۳۱۲۵"), invalidName(name),
                row1(name, QStringLiteral("Long"), QStringLiteral("4")))) };
    }

    EntryCase typedAs(const char* what, const QString& type)
    {
        return { what, { { QStringLiteral("id"), type, QStringLiteral("4") } }, true,
            refused(unknownType(QStringLiteral("۱"), type)) };
    }

    EntryCase notAdded(
        const char* what, const QString& name, const QString& type, const QString& size)
    {
        return { what, { { name, type, size } }, false, {} };
    }

    const EntryCase entryCases[] = {
        notAdded("EmptyFieldName", {}, QStringLiteral("Long"), QStringLiteral("4")),
        notAdded("EmptyTypeName", QStringLiteral("id"), {}, QStringLiteral("4")),
        notAdded("EmptySize", QStringLiteral("id"), QStringLiteral("Long"), {}),
        namedField("FieldNameWithLeadingSpace", QStringLiteral(" id"), false),
        namedField("FieldNameWithTrailingSpace", QStringLiteral("id "), true),
        namedField("FieldNameTooLong", QString(65, QLatin1Char('f')), false),
        namedField("FieldNameOfSixtyFourCharacters", QString(64, QLatin1Char('f')), true),
        namedField("FieldNameWithFullStop", QStringLiteral("a.b"), false),
        namedField("FieldNameWithExclamationMark", QStringLiteral("wow!"), false),
        namedField("FieldNameWithBracket", QStringLiteral("[x]"), false),
        namedField("FieldNameWithGraveAccent", QStringLiteral("a`b"), false),
        namedField("PersianFieldName", QStringLiteral("نام خانوادگی"), true),
        // Field names need no sort key: an emoji is stored as typed, as a
        // surrogate pair.
        namedField("FieldNameWithEmoji", QStringLiteral("نام😀"), true),
        { "DuplicatedFieldName",
            { { QStringLiteral("id"), QStringLiteral("Long"), QStringLiteral("4") },
                { QStringLiteral("ID"), QStringLiteral("Text"), QStringLiteral("5") } },
            true,
            refused(engineSays(QStringLiteral("۳۳۶۷"),
                QStringLiteral("Cannot append. An object with that name already exists in the "
                               "collection."),
                fieldRow(QStringLiteral("۲"),
                    { QStringLiteral("ID"), QStringLiteral("Text"), QStringLiteral("5") }))) },
        typedAs("TypeNameInLowerCase", QStringLiteral("text")),
        typedAs("TypeNameWithTrailingBlank", QStringLiteral("Text ")),
        typedAs("UnknownTypeName", QStringLiteral("Varchar")),
        typedAs("PersianTypeName", QStringLiteral("متن")),
        textSized("SizeOfLettersIsTheLargest", QStringLiteral("abc"), 510),
        textSized("NegativeSize", QStringLiteral("-5"), std::nullopt),
        textSized("SizeZeroIsTheLargest", QStringLiteral("0"), 510),
        textSized("SizeAboveTheTextLimit", QStringLiteral("256"), std::nullopt),
        textSized("SizeBeyondDoubleRange", QStringLiteral("1e309"), std::nullopt),
        textSized("HexadecimalSize", QStringLiteral("&HFFFF"), std::nullopt),
        textSized("OctalSize", QStringLiteral("&O777"), std::nullopt),
        textSized("SizeWithBlanks", QStringLiteral(" 1 2 "), 24),
        { "FixedWidthTypesIgnoreTheSize",
            { { QStringLiteral("id"), QStringLiteral("Long"), QStringLiteral("1e309") },
                { QStringLiteral("born"), QStringLiteral("Time"), QStringLiteral("-5") } },
            true, written(u"table", { { u"id", jetLong, 4 }, { u"born", jetDate, 8 } }) },
    };

    class EntryDialogBadInput : public BadInput, public ::testing::WithParamInterface<EntryCase>
    { };

    TEST_P(EntryDialogBadInput, IsRefusedClearlyOrWrittenAsTyped)
    {
        const EntryCase& c = GetParam();
        {
            ModalWatcher watcher({}); // confirming never asks anything
            enterRows(c.typed);
            EXPECT_EQ(watcher.unexpected(), 0);
        }
        if (!c.added) {
            EXPECT_TRUE(listedRows().empty());
            return;
        }
        expectSameRows(listedRows(), c.typed, "after confirming");
        const QString path = QDir(m_dir.path()).filePath(QStringLiteral("db.mdb"));
        expectOutcome(createAt(path), path, c.outcome, {});
        expectSameRows(listedRows(), c.typed, "after creating");
    }

    INSTANTIATE_TEST_SUITE_P(Catalogue, EntryDialogBadInput, ::testing::ValuesIn(entryCases),
        [](const auto& test) { return std::string(test.param.what); });

    // ------------------------------------------------------------------
    // The edit dialog: the item text and the position it goes to.

    const std::vector<TypedRow> threeRows {
        { QStringLiteral("id"), QStringLiteral("Long"), QStringLiteral("4") },
        { QStringLiteral("note"), QStringLiteral("Text"), QStringLiteral("50") },
        { QStringLiteral("born"), QStringLiteral("Date"), QStringLiteral("8") },
    };

    struct EditCase {
        const char* what;
        int list; // 0 names, 1 type names, 2 sizes
        QString position; // as typed over the one filled in (row 1 was double-clicked)
        QString text;
        int replacedRow; // the row that gets the text; -1: refused with `refusal`
        QString refusal;
        std::optional<Outcome> creation; // of creating the edited list
    };
    // ctest lists the case by its name, not by its bytes.
    void PrintTo(const EditCase& c, std::ostream* out)
    {
        *out << c.what;
    }

    QString outsideList(const QString& typed)
    {
        return QStringLiteral("موقعيت «%1» در فهرست نيست. موقعيت بايد عددي از ۰ تا ۲ باشد.")
            .arg(isolated(typed));
    }

    QString notARow(const QString& typed)
    {
        return QStringLiteral("موقعيت «%1» عدد درستي براي يک رديف نيست.").arg(isolated(typed));
    }

    EditCase positioned(const char* what, const QString& position, int row, QString refusal = {})
    {
        return { what, 0, position, QStringLiteral("code"), row, std::move(refusal), std::nullopt };
    }

    QString row2(const QString& name, const QString& type, const QString& size)
    {
        return fieldRow(QStringLiteral("۲"), { name, type, size });
    }

    const EditCase editCases[] = {
        { "EmptyFieldName", 0, QStringLiteral("1"), {}, 1, {},
            refused(engineSays(QStringLiteral("۳۱۲۵"), invalidName({}),
                row2({}, QStringLiteral("Text"), QStringLiteral("50")))) },
        { "FieldNameWithLeadingSpace", 0, QStringLiteral("1"), QStringLiteral(" note"), 1, {},
            refused(engineSays(QStringLiteral("۳۱۲۵"), invalidName(QStringLiteral(" note")),
                row2(QStringLiteral(" note"), QStringLiteral("Text"), QStringLiteral("50")))) },
        { "FieldNameRepeated", 0, QStringLiteral("1"), QStringLiteral("ID"), 1, {},
            refused(engineSays(QStringLiteral("۳۳۶۷"),
                QStringLiteral("Cannot append. An object with that name already exists in the "
                               "collection."),
                row2(QStringLiteral("ID"), QStringLiteral("Text"), QStringLiteral("50")))) },
        { "PersianFieldNameWithEmoji", 0, QStringLiteral("1"), QStringLiteral("يادداشت😀"), 1, {},
            written(u"table",
                { { u"id", jetLong, 4 }, { u"يادداشت😀", jetText, 100 },
                    { u"born", jetDate, 8 } }) },
        { "EmptyTypeName", 1, QStringLiteral("1"), {}, 1, {},
            refused(unknownType(QStringLiteral("۲"), {})) },
        { "SizeAboveTheTextLimit", 2, QStringLiteral("1"), QStringLiteral("256"), 1, {},
            refused(engineSays(QStringLiteral("۳۰۰۱"), QStringLiteral("Invalid argument."),
                row2(QStringLiteral("note"), QStringLiteral("Text"), QStringLiteral("256")))) },
        { "EmptySizeIsTheLargest", 2, QStringLiteral("1"), {}, 1, {},
            written(u"table",
                { { u"id", jetLong, 4 }, { u"note", jetText, 510 }, { u"born", jetDate, 8 } }) },
        positioned("PositionOfLettersIsTheFirstRow", QStringLiteral("abc"), 0),
        positioned("EmptyPositionIsTheFirstRow", {}, 0),
        positioned("PositionInPersianDigits", QStringLiteral("۲"), 2),
        positioned("NegativePosition", QStringLiteral("-5"), -1, outsideList(QStringLiteral("-5"))),
        positioned("PositionPastTheEnd", QStringLiteral("3"), -1, outsideList(QStringLiteral("3"))),
        positioned("PositionBeyondDoubleRange", QStringLiteral("1e309"), -1,
            notARow(QStringLiteral("1e309"))),
        positioned(
            "HexadecimalPosition", QStringLiteral("&HFFFF"), -1, notARow(QStringLiteral("&HFFFF"))),
        positioned(
            "OctalPosition", QStringLiteral("&O777"), -1, outsideList(QStringLiteral("&O777"))),
        positioned("PositionWithBlanks", QStringLiteral(" 1 2 "), -1,
            outsideList(QStringLiteral(" 1 2 "))),
    };

    class EditDialogBadInput : public BadInput, public ::testing::WithParamInterface<EditCase>
    { };

    TEST_P(EditDialogBadInput, IsRefusedClearlyOrWrittenAsTyped)
    {
        const EditCase& c = GetParam();
        enterRows(threeRows);
        select(c.list, 1);
        form1->openEditDialog(c.list);
        Form2* edit = form1->editDialog();
        ASSERT_NE(edit, nullptr);
        edit->control<QLineEdit>(QStringLiteral("Text2"))->setText(c.position);
        edit->control<QLineEdit>(QStringLiteral("Text1"))->setText(c.text);
        MessageRecord refusal;
        {
            ModalWatcher watcher({ acceptMessage(refusal) });
            edit->ok();
        }
        EXPECT_EQ(refusal.text.toStdU16String(), c.refusal.toStdU16String());
        // A refusal keeps the dialog open for another position.
        EXPECT_EQ(form1->editDialog() == edit, c.replacedRow < 0);

        std::vector<TypedRow> expected = threeRows;
        if (c.replacedRow >= 0) {
            TypedRow& row = expected[static_cast<std::size_t>(c.replacedRow)];
            (c.list == 0 ? row.name : c.list == 1 ? row.type : row.size) = c.text;
        }
        expectSameRows(listedRows(), expected, "after ok");
        if (!c.creation)
            return;
        const QString path = QDir(m_dir.path()).filePath(QStringLiteral("db.mdb"));
        expectOutcome(createAt(path), path, *c.creation, {});
        expectSameRows(listedRows(), expected, "after creating");
    }

    INSTANTIATE_TEST_SUITE_P(Catalogue, EditDialogBadInput, ::testing::ValuesIn(editCases),
        [](const auto& test) { return std::string(test.param.what); });

} // namespace
} // namespace bastara::app
