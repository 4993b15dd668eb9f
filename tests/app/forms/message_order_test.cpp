// The messages with English or typed text inside read in order: each is laid
// out as a message box lays it out (right to left, with Qt's text layout),
// and the test checks where the characters land.

#include "app/forms/messages.h"
#include "platform/gdi/font_substitutes.h"

#include <QApplication>
#include <QGlyphRun>
#include <QTextLayout>
#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <optional>

namespace bastara::app {
namespace {

    // One paragraph on one line, in the given direction.
    class LaidOutLine
    {
    public:
        LaidOutLine(const QString& text, Qt::LayoutDirection direction)
            : m_layout(text, QApplication::font())
        {
            QTextOption option;
            option.setTextDirection(direction);
            option.setWrapMode(QTextOption::NoWrap);
            m_layout.setTextOption(option);
            m_layout.beginLayout();
            m_line = m_layout.createLine();
            m_line.setLineWidth(100000);
            m_layout.endLayout();
        }

        // The middle of the glyphs that show the character at `position`;
        // nothing for a character that shows no glyph (a directional mark).
        std::optional<qreal> x(qsizetype position) const
        {
            QRectF shown;
            for (const QGlyphRun& run : m_line.glyphRuns(static_cast<int>(position), 1))
                shown = shown.united(run.boundingRect());
            if (shown.isEmpty())
                return std::nullopt;
            return shown.center().x();
        }

    private:
        QTextLayout m_layout;
        QTextLine m_line;
    };

    // A character whose place the checks look at: letters and digits, the
    // full stop and the minus.
    bool measured(const QString& text, qsizetype position)
    {
        const QChar c = text[position];
        return c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-');
    }

    // Where the character at `position` stands; fails the test when it shows nothing.
    qreal xOf(const LaidOutLine& line, qsizetype position)
    {
        const std::optional<qreal> x = line.x(position);
        EXPECT_TRUE(x) << "character " << position << " shows no glyph";
        return x.value_or(0);
    }

    QString paragraphWith(const QString& message, const QString& part)
    {
        for (const QString& paragraph : message.split(QLatin1Char('\n'))) {
            if (paragraph.contains(part))
                return paragraph;
        }
        ADD_FAILURE() << "no paragraph holds " << part.toStdString();
        return {};
    }

    // The order in which the measured characters of `count` from `start` of
    // `text` stand from left to right, as offsets from `start`.
    std::vector<qsizetype> leftToRightOrder(
        const LaidOutLine& line, const QString& text, qsizetype start, qsizetype count)
    {
        std::vector<qsizetype> order;
        for (qsizetype offset = 0; offset < count; ++offset) {
            if (measured(text, start + offset))
                order.push_back(offset);
        }
        std::stable_sort(order.begin(), order.end(),
            [&](qsizetype a, qsizetype b) { return xOf(line, start + a) < xOf(line, start + b); });
        return order;
    }

    // The English words of `sentence` stand left to right in reading order,
    // its full stop right of everything else in it, and `name`, where the
    // sentence quotes it, reads as a text box shows it on its own.
    void expectSentenceInOrder(const QString& message, const QString& sentence, const QString& name)
    {
        const QString lastWord = sentence.section(QLatin1Char(' '), -1);
        const QString paragraph = paragraphWith(message, lastWord);
        const LaidOutLine line(paragraph, Qt::RightToLeft);

        qsizetype from = name.isEmpty() ? 0 : paragraph.indexOf(name) + name.size();
        qreal previous = -1e9;
        const QStringList words = sentence.mid(sentence.indexOf(QLatin1String("' ")) + 2)
                                      .split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString& word : words) {
            const qsizetype found = paragraph.indexOf(word, from);
            ASSERT_GE(found, 0) << word.toStdString();
            const qsizetype at = found;
            EXPECT_GT(xOf(line, at), previous) << "\"" << word.toStdString() << "\" stands left of "
                                               << "the word before it";
            previous = xOf(line, at);
            from = found + word.size();
        }
        const qsizetype fullStop = paragraph.lastIndexOf(QLatin1Char('.'));
        const qsizetype sentenceStart = name.isEmpty()
            ? paragraph.indexOf(words.front())
            : paragraph.lastIndexOf(QLatin1Char('\''), paragraph.indexOf(name));
        for (qsizetype at = sentenceStart; at < fullStop; ++at) {
            if (measured(paragraph, at)) {
                EXPECT_LT(xOf(line, at), xOf(line, fullStop))
                    << "character " << at << " is right of the stop";
            }
        }

        if (name.isEmpty())
            return;
        const qsizetype nameAt = paragraph.indexOf(name);
        ASSERT_GE(nameAt, 0);
        const LaidOutLine alone(name, name.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
        EXPECT_EQ(leftToRightOrder(line, paragraph, nameAt, name.size()),
            leftToRightOrder(alone, name, 0, name.size()))
            << "the quoted name does not read as typed";
        const qsizetype afterName = paragraph.indexOf(words.front(), nameAt);
        for (qsizetype at = nameAt; at < nameAt + name.size(); ++at) {
            if (measured(paragraph, at)) {
                EXPECT_LT(xOf(line, at), xOf(line, afterName))
                    << "the name stands right of the sentence that follows it";
            }
        }
    }

    std::string invalidName(const QString& name)
    {
        return "'" + name.toStdString()
            + "' isn't a valid name. Make sure that it doesn't include invalid characters or "
              "punctuation and that it isn't too long.";
    }

    class MessageOrder : public ::testing::Test
    {
    protected:
        void SetUp() override { gdi::installFontSubstitutes(); }
    };

    TEST_F(MessageOrder, AnInvalidTableNameReadsInOrder)
    {
        const std::vector<FieldRow> rows { { u"id", u"Long", u"" } };
        for (const char* typed : { "کارمندان.قدیم", "کارمندان😀", "😀", "staff کارمندان ۲" }) {
            const QString name = QString::fromUtf8(typed);
            SCOPED_TRACE(typed);
            const std::string description = invalidName(name);
            const QString message
                = engineFailureMessage({ { 3125, description }, {}, true }, rows, name);
            expectSentenceInOrder(message, QString::fromStdString(description), name);
        }
    }

    TEST_F(MessageOrder, AnInvalidFieldNameReadsInOrder)
    {
        const QString name = QString::fromUtf8("نام.کامل");
        const std::vector<FieldRow> rows { { name.toStdU16String(), u"Text", u"50" } };
        const std::string description = invalidName(name);
        const QString message
            = engineFailureMessage({ { 3125, description }, 0 }, rows, QStringLiteral("t"));
        expectSentenceInOrder(message, QString::fromStdString(description), name);
    }

    TEST_F(MessageOrder, AnEngineSentenceWithoutANameReadsInOrder)
    {
        const std::string description = "No field defined--cannot append TableDef or Index.";
        const QString message
            = engineFailureMessage({ { 3264, description }, {}, true }, {}, QStringLiteral("t"));
        expectSentenceInOrder(
            message, QStringLiteral("' ") + QString::fromStdString(description), QString());
    }

    TEST_F(MessageOrder, ARefusedTableIsNamed)
    {
        for (const char* typed : { "", "جدول" }) {
            const QString name = QString::fromUtf8(typed);
            const QString message
                = engineFailureMessage({ { 3125, invalidName(name) }, {}, true }, {}, name);
            const QString line = paragraphWith(message, QString::fromUtf8("نام جدول"));
            EXPECT_TRUE(
                line.contains(QString::fromUtf8("«\u2068") + name + QString::fromUtf8("\u2069»")))
                << line.toStdString();
            EXPECT_TRUE(message.contains(QString::fromUtf8("خطاي ۳۱۲۵")));
        }
        const QString database = engineFailureMessage(
            { { 3204, "Database already exists." }, {} }, {}, QStringLiteral("t"));
        EXPECT_FALSE(database.contains(QString::fromUtf8("نام جدول")));
    }

    TEST_F(MessageOrder, ARefusedPositionKeepsItsMinusAtTheLeft)
    {
        const QString message
            = positionProblemMessage(PositionProblem::OutsideList, QStringLiteral("-1"), 3);
        const QString paragraph = paragraphWith(message, QStringLiteral("-1"));
        const LaidOutLine line(paragraph, Qt::RightToLeft);
        const qsizetype minus = paragraph.indexOf(QStringLiteral("-1"));
        EXPECT_LT(xOf(line, minus), xOf(line, minus + 1));
    }

    TEST_F(MessageOrder, TheKnownTypeNamesOfARefusedRowReadInOrder)
    {
        const std::vector<FieldRow> rows { { u"نام", u"Varchar", u"10" } };
        const QString message = rowProblemMessage({ RowProblem::Kind::UnknownTypeName, 0 }, rows);
        const QString paragraph = paragraphWith(message, QStringLiteral("Integer"));
        const LaidOutLine line(paragraph, Qt::RightToLeft);
        qreal previous = -1e9;
        for (const char* type : { "Text,", "Integer,", "Long,", "Float,", "Memo" }) {
            const qsizetype at = paragraph.indexOf(QLatin1String(type));
            ASSERT_GE(at, 0) << type;
            EXPECT_GT(xOf(line, at), previous) << type;
            previous = xOf(line, at);
        }
    }

} // namespace
} // namespace bastara::app
