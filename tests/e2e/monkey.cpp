// A seeded monkey: the whole program (main window, entry and edit dialogs,
// message boxes, the save dialog) driven by random clicks, double-clicks,
// keys and typed Persian and Latin text for a while, on a real X server.
// The save dialog is answered with a fresh name in a scratch folder (or
// cancelled); every database the program reports created is read back with
// mdbtools, which must list its table with the fields in the order given.
//
//   monkey --seconds 60 --scratch DIR [--seed N]
//
// Prints the seed first: the same seed replays the same actions (the timing
// of the X server may still differ). Exits 1 when a created file does not
// read back; a crash or a sanitizer report ends the process on its own.

#include "app/create_table.h"
#include "app/forms/app_setup.h"
#include "app/forms/form1.h"
#include "button_host/control_host.h"
#include "platform/gdi/font_substitutes.h"
#include "platform/toolkit/image_control.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace bastara;

struct Options {
    std::uint64_t seed = std::random_device {}();
    int seconds = 60;
    QString scratch;
};

struct CreatedTable {
    std::filesystem::path path;
    QString table;
    QStringList fields;
};

class Monkey
{
public:
    explicit Monkey(const Options& options)
        : m_random(options.seed)
        , m_scratch(options.scratch)
        , m_deadline(std::chrono::steady_clock::now() + std::chrono::seconds(options.seconds))
    { }

    void start(app::Form1& mainWindow)
    {
        m_mainWindow = &mainWindow;
        // Each tick only queues its action: an action that opens a modal
        // dialog runs the dialog's loop, where the next ticks keep coming.
        QObject::connect(&m_ticks, &QTimer::timeout, [this] { tick(); });
        m_ticks.start(2);
    }

    int steps() const { return m_steps; }
    int saveDialogsAnswered() const { return m_answers; }
    std::vector<CreatedTable>& created() { return m_created; }

    void recordCreated(const std::filesystem::path& path, const std::u16string& table,
        const std::vector<app::FieldRow>& rows)
    {
        CreatedTable entry { path, QString::fromStdU16String(table), {} };
        for (const app::FieldRow& row : rows)
            entry.fields.push_back(QString::fromStdU16String(row.name));
        m_created.push_back(std::move(entry));
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    void tick()
    {
        if (std::chrono::steady_clock::now() >= m_deadline) {
            m_ticks.stop();
            finish();
            return;
        }
        ++m_steps;
        const int choice = pick(100);
        QMetaObject::invokeMethod(
            qApp, [this, choice] { act(choice); }, Qt::QueuedConnection);
    }

    // Closes what is open, innermost first, until the main window is alone,
    // then ends the program.
    void finish()
    {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
            QTimer::singleShot(10, [this] { finish(); });
            return;
        }
        m_mainWindow->close();
        QApplication::quit();
    }

    QWidget* targetWindow()
    {
        if (QWidget* modal = QApplication::activeModalWidget())
            return modal;
        std::vector<QWidget*> windows;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible())
                windows.push_back(widget);
        if (windows.empty())
            return nullptr;
        return windows[std::size_t(pick(int(windows.size())))];
    }

    void act(int choice)
    {
        if (!m_mainWindow->isVisible())
            m_mainWindow->show();
        QWidget* window = targetWindow();
        if (!window)
            return;
        if (auto* files = qobject_cast<QFileDialog*>(window)) {
            answer(*files);
            return;
        }
        if (choice >= 95 && !QApplication::activeModalWidget()) {
            removeSomeRow();
            return;
        }
        std::vector<QWidget*> widgets { window };
        for (QWidget* child : window->findChildren<QWidget*>())
            if (child->isVisible() && child->isEnabled() && child->width() > 0)
                widgets.push_back(child);
        // Half the clicks go to something made to be clicked, so that fields
        // get added and files created now and then.
        std::vector<QWidget*> buttons;
        for (QWidget* widget : widgets)
            if (isClickable(*widget))
                buttons.push_back(widget);
        const bool aimed = choice < 50 && !buttons.empty() && pick(2) == 0;
        const std::vector<QWidget*>& from = aimed ? buttons : widgets;
        QWidget* target = from[std::size_t(pick(int(from.size())))];
        const QPoint where(pick(std::max(1, target->width())), pick(std::max(1, target->height())));
        if (choice < 40)
            QTest::mouseClick(target, pick(8) == 0 ? Qt::RightButton : Qt::LeftButton, {}, where);
        else if (choice < 50)
            QTest::mouseDClick(target, Qt::LeftButton, {}, where);
        else if (choice < 75)
            pressKey();
        else
            typeText();
    }

    static bool isClickable(const QWidget& widget)
    {
        return qobject_cast<const button_host::ControlHost*>(&widget)
            || qobject_cast<const toolkit::ImageControl*>(&widget)
            || qobject_cast<const QAbstractButton*>(&widget);
    }

    void answer(QFileDialog& dialog)
    {
        if (pick(5) == 0) {
            dialog.reject();
            return;
        }
        // As a user types it: the folder, then the name in the name box.
        auto* nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!nameBox) {
            dialog.reject();
            return;
        }
        ++m_answers;
        dialog.setDirectory(m_scratch);
        nameBox->setText(QStringLiteral("monkey-%1.mdb").arg(++m_fileNumber, 4, 10, QChar('0')));
        static_cast<QDialog&>(dialog).accept(); // QFileDialog::accept, as its Save button
    }

    // A row of the main window's field list selected and removed by its key,
    // so that the list stays short enough to be written now and then.
    void removeSomeRow()
    {
        const QList<QListWidget*> lists = m_mainWindow->findChildren<QListWidget*>();
        if (lists.isEmpty() || lists.first()->count() == 0)
            return;
        QListWidget* names = lists.first();
        names->setFocus(Qt::OtherFocusReason);
        names->setCurrentRow(pick(names->count()));
        QTest::keyClick(names, Qt::Key_Delete);
    }

    QWidget* focused() { return QApplication::focusWidget(); }

    void pressKey()
    {
        static const std::vector<Qt::Key> keys { Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return,
            Qt::Key_Escape, Qt::Key_Space, Qt::Key_Insert, Qt::Key_Delete, Qt::Key_Up, Qt::Key_Down,
            Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Backspace,
            Qt::Key_PageDown, Qt::Key_A, Qt::Key_1 };
        QWidget* target = focused();
        if (!target)
            return;
        const Qt::KeyboardModifiers modifiers
            = pick(6) == 0 ? Qt::AltModifier : (pick(6) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
        QTest::keyClick(target, keys[std::size_t(pick(int(keys.size())))], modifiers);
    }

    void typeText()
    {
        static const std::vector<QString> words { QStringLiteral("نام"), QStringLiteral("شماره"),
            QStringLiteral("تاریخ تولد"), QStringLiteral("Name"), QStringLiteral("id"),
            QStringLiteral("Price 2"), QStringLiteral("255"), QStringLiteral("50"),
            QStringLiteral("-1"), QStringLiteral("Text"), QStringLiteral("Long"),
            QStringLiteral("x.y"), QStringLiteral("[a]"), QStringLiteral("   "),
            QStringLiteral("\u200c") };
        QWidget* target = focused();
        if (!target)
            return;
        // QTest::keyClicks knows only ASCII: other characters arrive as the
        // text of an unnamed key, as an input method delivers them.
        // Mostly fresh words, so that a field list of typed names can be
        // free of duplicates and be written.
        QString text = words[std::size_t(pick(int(words.size())))];
        if (pick(10) < 7)
            text += QString::number(++m_wordNumber);
        const QPointer<QWidget> receiver(target);
        for (const QChar character : std::as_const(text)) {
            if (!receiver)
                return;
            const Qt::Key key = character.unicode() < 0x80
                ? QTest::asciiToKey(char(character.unicode()))
                : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, receiver, key, QString(character), Qt::NoModifier);
        }
    }

    std::mt19937_64 m_random;
    QString m_scratch;
    std::chrono::steady_clock::time_point m_deadline;
    app::Form1* m_mainWindow = nullptr;
    QTimer m_ticks;
    int m_steps = 0;
    int m_fileNumber = 0;
    int m_answers = 0;
    int m_wordNumber = 0;
    std::vector<CreatedTable> m_created;
};

std::optional<Options> parse(const QStringList& arguments)
{
    Options options;
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        const QString& name = arguments[i];
        const QString& value = arguments[i + 1];
        bool ok = true;
        if (name == QLatin1String("--seed"))
            options.seed = value.toULongLong(&ok);
        else if (name == QLatin1String("--seconds"))
            options.seconds = value.toInt(&ok);
        else if (name == QLatin1String("--scratch"))
            options.scratch = value;
        else
            ok = false;
        if (!ok)
            return std::nullopt;
    }
    if (options.scratch.isEmpty() || arguments.size() % 2 == 0)
        return std::nullopt;
    return options;
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// mdbtools lists the table and, in the first line of its rows, the fields.
bool readsBack(const CreatedTable& table)
{
    const QString file = QString::fromStdString(table.path.string());
    const QStringList tables = run(QStringLiteral("mdb-tables"), { QStringLiteral("-1"), file })
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!tables.contains(table.table)) {
        std::fprintf(stderr, "monkey: %s does not list its table \"%s\"\n", qPrintable(file),
            qPrintable(table.table));
        return false;
    }
    const QString header
        = run(QStringLiteral("mdb-export"), { QStringLiteral("-Q"), file, table.table })
              .section(QLatin1Char('\n'), 0, 0);
    if (header != table.fields.join(QLatin1Char(','))) {
        std::fprintf(stderr, "monkey: %s has the fields \"%s\", not \"%s\"\n", qPrintable(file),
            qPrintable(header), qPrintable(table.fields.join(QLatin1Char(','))));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const std::optional<Options> options = parse(QApplication::arguments());
    if (!options) {
        std::fprintf(stderr, "usage: monkey --scratch DIR [--seconds N] [--seed N]\n");
        return 2;
    }
    std::printf("monkey: seed %llu, %d s\n", static_cast<unsigned long long>(options->seed),
        options->seconds);
    std::fflush(stdout);

    QApplication::setApplicationName(app::applicationTitle);
    QApplication::setQuitOnLastWindowClosed(false);
    gdi::installFontSubstitutes();
    QLocale::setDefault(QLocale(QLocale::Persian, QLocale::Iran));
    QTranslator qtTexts;
    (void)app::installQtTranslation(application, qtTexts);

    Monkey monkey(*options);
    auto form1 = app::Form1::create(app::applicationControls(),
        [&monkey](const std::filesystem::path& path, const std::u16string& tableName,
            const std::vector<app::FieldRow>& rows) {
            auto result = app::createTable(path, tableName, rows);
            if (result)
                monkey.recordCreated(path, tableName, rows);
            return result;
        });
    if (!form1) {
        std::fprintf(stderr, "monkey: the main window did not load\n");
        return 1;
    }
    (*form1)->show();
    monkey.start(**form1);
    QApplication::exec();

    int unreadable = 0;
    for (const CreatedTable& table : monkey.created())
        if (!std::filesystem::exists(table.path) || !readsBack(table))
            ++unreadable;
    std::printf("monkey: %d steps, %d save dialogs answered with a name, %zu databases created, "
                "%d unreadable\n",
        monkey.steps(), monkey.saveDialogsAnswered(), monkey.created().size(), unreadable);
    return unreadable == 0 ? 0 : 1;
}
