#pragma once

// Builds the main window from its shipped layout, with a recording stand-in
// for the function that writes the database file.

#include "app/forms/app_setup.h"
#include "app/forms/form1.h"
#include "platform/gdi/font_substitutes.h"
#include "platform/toolkit/control_registry.h"

#include <QListWidget>
#include <QTest>
#include <array>
#include <gtest/gtest.h>
#include <initializer_list>
#include <optional>

namespace bastara::app {

struct CreateCall {
    std::filesystem::path path;
    std::u16string tableName;
    std::vector<FieldRow> rows;
};

class RecordingCreateTable
{
public:
    std::vector<CreateCall> calls;
    std::optional<CreateFailure> failure; // reported by every call when set

    CreateTableFunction function()
    {
        return [this](const std::filesystem::path& path, const std::u16string& tableName,
                   const std::vector<FieldRow>& rows) -> Result<void, CreateFailure> {
            calls.push_back(CreateCall { path, tableName, rows });
            if (failure)
                return Unexpected { *failure };
            return {};
        };
    }
};

class Form1Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gdi::installFontSubstitutes();
        auto form = Form1::create(app::applicationControls(), engine.function());
        ASSERT_TRUE(form.ok()) << form.error().message.toStdString();
        form1 = std::move(*form);
        form1->show();
    }

    QListWidget& list(int k) const
    {
        return *form1->control<QListWidget>(QStringLiteral("List1"), k);
    }

    QStringList items(int k) const
    {
        QStringList texts;
        for (int row = 0; row < list(k).count(); ++row)
            texts << list(k).item(row)->text();
        return texts;
    }

    void addRows(std::initializer_list<std::array<const char*, 3>> rows)
    {
        for (const auto& row : rows) {
            for (int k = 0; k < 3; ++k)
                list(k).addItem(QString::fromUtf8(row[static_cast<std::size_t>(k)]));
        }
    }

    void select(int k, int row) { list(k).setCurrentRow(row); }

    void click(const QString& name)
    {
        QWidget* control = form1->control(name);
        ASSERT_NE(control, nullptr) << name.toStdString();
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(3, 3));
    }

    // As the user does it: the first click selects the item.
    void doubleClickItem(int k, int row)
    {
        const QPoint centre = list(k).visualItemRect(list(k).item(row)).center();
        QTest::mouseClick(list(k).viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list(k).viewport(), Qt::LeftButton, {}, centre);
    }

    RecordingCreateTable engine;
    std::unique_ptr<Form1> form1;
};

} // namespace bastara::app
