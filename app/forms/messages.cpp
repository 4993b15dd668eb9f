#include "app/forms/messages.h"

#include "app/model/field_types.h"

#include <QLocale>
#include <QStringList>

namespace bastara::app {

namespace {

    // Numbers in Persian digits, as the rest of the text reads, without
    // group separators: they are row and error numbers, not amounts.
    QString persianNumber(qlonglong number)
    {
        QLocale persian(QLocale::Persian, QLocale::Iran);
        persian.setNumberOptions(QLocale::OmitGroupSeparator);
        return persian.toString(number);
    }

    // Keeps typed text and paths in their own reading order inside a
    // right-to-left sentence (first-strong isolate ... pop): the direction
    // of their first letter, as a text box shows them; left to right when
    // they have no letter, so "-1" keeps its minus at the left.
    QString isolated(const QString& text)
    {
        return QChar(0x2068) + text + QChar(0x2069);
    }

    // The engine's description is an English sentence: left to right
    // (left-to-right isolate ... pop) even when it starts with a quoted
    // Persian name, so that its words stay in order and its full stop at
    // its end. The names it quotes are isolated within it, to read as typed.
    QString engineDescription(const std::string& description, const QStringList& quotedNames)
    {
        QString text = QString::fromStdString(description);
        for (const QString& name : quotedNames) {
            if (!name.isEmpty())
                text.replace(QLatin1Char('\'') + name + QLatin1Char('\''),
                    QLatin1Char('\'') + isolated(name) + QLatin1Char('\''));
        }
        return QChar(0x2066) + text + QChar(0x2069);
    }

    const QString notCreated = QStringLiteral("بانک اطلاعاتي ساخته نشد.");

} // namespace

QString successMessage()
{
    return QStringLiteral("بانک اطلاعاتي با موفقيت ساخته شد");
}

QString rowProblemMessage(const RowProblem& problem, const std::vector<FieldRow>& rows)
{
    const QString row = persianNumber(static_cast<qlonglong>(problem.row) + 1);
    switch (problem.kind) {
    case RowProblem::Kind::TooManyRows: {
        const QString atMost = QStringLiteral("رديف %1: يک جدول حداکثر %2 فيلد دارد.");
        return notCreated + QLatin1Char('\n')
            + atMost.arg(row, persianNumber(static_cast<qlonglong>(maxFieldRows)));
    }
    case RowProblem::Kind::UnknownTypeName:
        break;
    }
    const QString typed = problem.row < rows.size()
        ? QString::fromStdU16String(rows[problem.row].typeName)
        : QString();
    QStringList known;
    for (std::u16string_view name : offeredTypeNames)
        known << QString::fromStdU16String(std::u16string(name));
    return notCreated + QLatin1Char('\n')
        + QStringLiteral("رديف %1: نوع «%2» شناخته نشده است.").arg(row, isolated(typed))
        + QLatin1Char('\n')
        + QStringLiteral("نوع بايد يکي از اين نام‌ها باشد: %1")
              .arg(isolated(known.join(QStringLiteral(", "))));
}

QString engineFailureMessage(
    const EngineFailure& failure, const std::vector<FieldRow>& rows, const QString& tableName)
{
    QString message = notCreated + QLatin1Char('\n');
    QStringList quotedNames { tableName };
    if (failure.table)
        message += QStringLiteral("نام جدول «%1»").arg(isolated(tableName)) + QLatin1Char('\n');
    // The engine's description rarely names the field it refused ("Invalid
    // argument."); among many rows the user could not tell which one it was.
    if (failure.row && *failure.row < rows.size()) {
        const FieldRow& row = rows[*failure.row];
        message += QStringLiteral("رديف %1: فيلد «%2» از نوع «%3» با سايز «%4»")
                       .arg(persianNumber(static_cast<qlonglong>(*failure.row) + 1),
                           isolated(QString::fromStdU16String(row.name)),
                           isolated(QString::fromStdU16String(row.typeName)),
                           isolated(QString::fromStdU16String(row.sizeText)))
            + QLatin1Char('\n');
        quotedNames << QString::fromStdU16String(row.name);
    }
    const dao::EngineError& error = failure.error;
    return message
        + QStringLiteral("خطاي %1: %2")
              .arg(persianNumber(error.number), engineDescription(error.description, quotedNames));
}

QString positionProblemMessage(PositionProblem problem, const QString& typed, std::size_t rowCount)
{
    switch (problem) {
    case PositionProblem::NotSixteenBit:
        return QStringLiteral("موقعيت «%1» عدد درستي براي يک رديف نيست.").arg(isolated(typed));
    case PositionProblem::OutsideList:
        break;
    }
    if (rowCount == 0)
        return QStringLiteral("اين فهرست خالي است و رديفي براي تغيير ندارد.");
    return QStringLiteral("موقعيت «%1» در فهرست نيست. موقعيت بايد عددي از %2 تا %3 باشد.")
        .arg(
            isolated(typed), persianNumber(0), persianNumber(static_cast<qlonglong>(rowCount) - 1));
}

QString startFailureMessage(const QString& detail)
{
    return QStringLiteral("برنامه نمي‌تواند پنجره‌هايش را بسازد.")
        + QLatin1Char('\n') + isolated(detail);
}

} // namespace bastara::app
