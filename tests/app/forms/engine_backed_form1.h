#pragma once

// The main window over the real engine, for tests of what reaches the disk.

#include "form1_fixture.h"

#include <QFile>
#include <QTemporaryDir>

namespace bastara::app {

class EngineBackedForm1Test : public Form1Test
{
protected:
    void SetUp() override
    {
        gdi::installFontSubstitutes();
        auto form = Form1::create(app::applicationControls(),
            [](const std::filesystem::path& path, const std::u16string& tableName,
                const std::vector<FieldRow>& rows) { return createTable(path, tableName, rows); });
        ASSERT_TRUE(form.ok()) << form.error().message.toStdString();
        form1 = std::move(*form);
        form1->show();
        ASSERT_TRUE(m_dir.isValid());
    }

    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

} // namespace bastara::app
