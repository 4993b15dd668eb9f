// The main window over the real engine: what reaches the disk.

#include "engine_backed_form1.h"
#include "support/modal_watcher.h"

#include <QProcess>
#include <QStandardPaths>

namespace bastara::app {
namespace {

    using namespace test_support;

    // The tables mdbtools finds in the file, or nothing when it is not installed.
    std::optional<QString> tablesSeenByMdbtools(const QString& path)
    {
        if (QStandardPaths::findExecutable(QStringLiteral("mdb-tables")).isEmpty())
            return std::nullopt;
        QProcess tables;
        tables.start(QStringLiteral("mdb-tables"), { QStringLiteral("-1"), path });
        tables.waitForFinished(10000);
        return QString::fromUtf8(tables.readAllStandardOutput()).trimmed();
    }

    TEST_F(EngineBackedForm1Test, WritingTheSameListTwiceFailsTheSecondTimeAndKeepsTheFirstFile)
    {
        addRows({ { "id", "Long", "4" }, { "name", "Text", "50" } });
        const QString path = m_dir.filePath(QStringLiteral("twice.mdb"));
        MessageRecord first, second;
        ModalWatcher watcher({ acceptMessage(first), acceptMessage(second) });

        form1->CreateDb(path);
        EXPECT_EQ(first.icon, QMessageBox::NoIcon) << first.text.toStdString();
        const QByteArray written = contents(path);
        ASSERT_FALSE(written.isEmpty());

        form1->CreateDb(path);
        EXPECT_EQ(second.icon, QMessageBox::Critical);
        EXPECT_TRUE(second.text.contains(QString::fromUtf8("۳۲۰۴"))) << second.text.toStdString();
        EXPECT_EQ(contents(path), written);
        EXPECT_EQ(items(0), QStringList({ "id", "name" }));
        if (const auto tables = tablesSeenByMdbtools(path)) {
            EXPECT_EQ(*tables, "table");
        }
    }

    TEST_F(EngineBackedForm1Test, AnEmptyListIsRefusedByTheEngineAndLeavesNoFile)
    {
        const QString path = m_dir.filePath(QStringLiteral("empty.mdb"));
        MessageRecord message;
        ModalWatcher watcher({ acceptMessage(message) });
        form1->CreateDb(path);
        ASSERT_TRUE(message.wasMessageBox);
        EXPECT_EQ(message.icon, QMessageBox::Critical) << message.text.toStdString();
        EXPECT_TRUE(message.text.contains(QString::fromUtf8("۳۲۶۴"))) << message.text.toStdString();
        EXPECT_TRUE(message.text.contains(QStringLiteral("No field defined")));
        EXPECT_FALSE(QFile::exists(path)); // the refused creation leaves no file
        EXPECT_EQ(watcher.unexpected(), 0);
    }

} // namespace
} // namespace bastara::app
