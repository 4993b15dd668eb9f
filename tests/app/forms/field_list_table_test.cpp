// The three lists of the main window read as one table: row i of each list
// on one line, whatever the script of the texts, the number of rows, or the
// list and the way the user scrolls.

#include "app/model/field_types.h"
#include "form1_fixture.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <functional>

namespace bastara::app {
namespace {

    struct Rows {
        const char* name;
        std::vector<std::array<QString, 3>> rows;
    };

    void PrintTo(const Rows& rows, std::ostream* out)
    {
        *out << rows.name;
    }

    Rows mixedEight()
    {
        Rows eight { "mixed Persian and Latin names", {} };
        for (const char* name : { "aaa", "ببب", "ccc", "ددد", "eee", "fff", "سسس", "ggg" })
            eight.rows.push_back({ QString::fromUtf8(name), "Text", "50" });
        return eight;
    }

    Rows everyTypeName()
    {
        Rows types { "all thirteen type names", {} };
        int n = 0;
        for (std::u16string_view type : offeredTypeNames) {
            types.rows.push_back({ QStringLiteral("فیلد%1").arg(++n),
                QString::fromStdU16String(std::u16string(type)), "8" });
        }
        return types;
    }

    Rows hundredAndOne()
    {
        Rows many { "101 rows", {} };
        for (int n = 0; n < 101; ++n) {
            const QString name
                = n % 2 ? QStringLiteral("ستون %1").arg(n) : QStringLiteral("c%1").arg(n);
            const auto type
                = offeredTypeNames[static_cast<std::size_t>(n) % offeredTypeNames.size()];
            many.rows.push_back({ name, QString::fromStdU16String(std::u16string(type)), "255" });
        }
        return many;
    }

    struct Scroll {
        const char* name;
        std::function<void(QListWidget&)> apply;
    };

    void wheelDown(QListWidget& list)
    {
        const QPointF inside(10, 10);
        QWheelEvent wheel(inside, list.viewport()->mapToGlobal(inside), QPoint(), QPoint(0, -120),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list.viewport(), &wheel);
    }

    // From the first row: a list without a current row makes the first
    // key's target the first row.
    void keyFromFirstRow(QListWidget& list, Qt::Key key, int times = 1)
    {
        list.setCurrentRow(0);
        for (int n = 0; n < times; ++n)
            QTest::keyClick(&list, key);
    }

    const Scroll scrolls[] = {
        { "wheel", wheelDown },
        { "End key", [](QListWidget& list) { keyFromFirstRow(list, Qt::Key_End); } },
        { "Page Down key twice",
            [](QListWidget& list) { keyFromFirstRow(list, Qt::Key_PageDown, 2); } },
        { "scroll bar",
            [](QListWidget& list) {
                list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum());
            } },
    };

    class FieldListTableTest : public Form1Test, public ::testing::WithParamInterface<Rows>
    {
    protected:
        void SetUp() override
        {
            Form1Test::SetUp();
            for (const auto& row : GetParam().rows) {
                for (int k = 0; k < 3; ++k)
                    list(k).addItem(row[static_cast<std::size_t>(k)]);
            }
            QApplication::processEvents();
        }

        // Where row `row` of list k stands in the window.
        QRect rowInWindow(int k, int row) const
        {
            const QRect rect = list(k).visualItemRect(list(k).item(row));
            return QRect(list(k).viewport()->mapTo(form1.get(), rect.topLeft()), rect.size());
        }

        void expectRowsSideBySide(const std::string& after) const
        {
            for (int row = 0; row < list(0).count(); ++row) {
                const QRect name = rowInWindow(0, row);
                for (int k = 1; k < 3; ++k) {
                    const QRect other = rowInWindow(k, row);
                    ASSERT_EQ(other.top(), name.top())
                        << "row " << row << " of list " << k << after;
                    ASSERT_EQ(other.height(), name.height())
                        << "row " << row << " of list " << k << after;
                }
            }
        }
    };

    TEST_P(FieldListTableTest, RowsStandSideBySide)
    {
        expectRowsSideBySide("");
    }

    TEST_P(FieldListTableTest, NoListScrollsSideways)
    {
        for (int k = 0; k < 3; ++k) {
            EXPECT_FALSE(list(k).horizontalScrollBar()->isVisible()) << "list " << k;
            for (int row = 0; row < list(k).count(); ++row)
                ASSERT_LE(rowInWindow(k, row).width(), list(k).viewport()->width())
                    << "row " << row << " of list " << k;
        }
    }

    TEST_P(FieldListTableTest, TypeNamesShowWhole)
    {
        const QListWidget& types = list(1);
        for (int row = 0; row < types.count(); ++row) {
            const QString text = types.item(row)->text();
            EXPECT_LT(types.fontMetrics().horizontalAdvance(text), rowInWindow(1, row).width())
                << text.toStdString();
        }
    }

    TEST_P(FieldListTableTest, ScrollingOneListScrollsAll)
    {
        for (const Scroll& scroll : scrolls) {
            for (int k = 0; k < 3; ++k) {
                for (int each = 0; each < 3; ++each)
                    list(each).scrollToTop();
                scroll.apply(list(k));
                QApplication::processEvents();
                const std::string after
                    = std::string(" after the ") + scroll.name + " on list " + std::to_string(k);
                const int value = list(k).verticalScrollBar()->value();
                if (list(0).count() > 8) {
                    EXPECT_GT(value, 0) << "nothing scrolled" << after;
                }
                for (int each = 0; each < 3; ++each)
                    EXPECT_EQ(list(each).verticalScrollBar()->value(), value)
                        << "list " << each << after;
                expectRowsSideBySide(after);
            }
        }
    }

    std::string rowsName(const ::testing::TestParamInfo<Rows>& rows)
    {
        std::string name;
        for (const char* c = rows.param.name; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    }

    INSTANTIATE_TEST_SUITE_P(Rows, FieldListTableTest,
        ::testing::Values(mixedEight(), everyTypeName(), hundredAndOne()), rowsName);

} // namespace
} // namespace bastara::app
