#include "platform/toolkit/file_dialog_details.h"

#include <QCalendar>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLayout>
#include <QMimeDatabase>
#include <QScreen>
#include <QTreeView>

namespace bastara::toolkit {

namespace {

    // The columns of the file system model.
    enum Column { Name = 0, Size = 1, Type = 2, Modified = 3 };

    // The calendar the locale's readers count days in.
    QCalendar calendarOf(const QLocale& locale)
    {
        if (locale.language() == QLocale::Persian) {
            const QCalendar solarHijri(QCalendar::System::Jalali);
            if (solarHijri.isValid())
                return solarHijri;
        }
        return QCalendar();
    }

    class LocalisedDetails : public QIdentityProxyModel
    {
    public:
        using QIdentityProxyModel::QIdentityProxyModel;

        QVariant data(const QModelIndex& index, int role) const override
        {
            const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
            if (role != Qt::DisplayRole || !files
                || (index.column() != Size && index.column() != Modified))
                return QIdentityProxyModel::data(index, role);
            const QFileInfo file = files->fileInfo(mapToSource(index));
            const QLocale locale;
            if (index.column() == Size)
                return file.isDir() ? QString() : locale.formattedDataSize(file.size());
            return locale.toString(file.lastModified(), QLocale::ShortFormat, calendarOf(locale));
        }
    };

    // The patterns of a name filter: "*.mdb", or "Databases (*.mdb *.accdb)".
    QStringList filterPatterns(const QString& filter)
    {
        QString patterns = filter;
        const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && filter.endsWith(QLatin1Char(')')))
            patterns = filter.mid(open + 1, filter.size() - open - 2);
        return patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }

} // namespace

void showDetailsInApplicationLanguage(QFileDialog& dialog)
{
    dialog.setProxyModel(new LocalisedDetails(&dialog));

    dialog.setViewMode(QFileDialog::Detail);
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!details)
        return;

    // Each detail column as wide as its longest usual text: a late date, a
    // size of four digits before the separator in the largest unit, and
    // the type of a folder or of a file the filter offers. The name takes
    // the rest of the view, and the dialog opens wide enough for a long name.
    const QFontMetrics metrics = details->fontMetrics();
    const QLocale locale;
    const int margins
        = 2 * (details->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, details) + 1)
        + metrics.averageCharWidth();
    const int dateWidth = metrics.horizontalAdvance(
        locale.toString(QDateTime(QDate(2026, 12, 28), QTime(23, 59, 59)), QLocale::ShortFormat,
            calendarOf(locale)));
    int sizeWidth = 0;
    for (qint64 size = 1023; size < (1LL << 50); size = size * 1024 + 1023)
        sizeWidth = std::max(sizeWidth, metrics.horizontalAdvance(locale.formattedDataSize(size)));
    int typeWidth = metrics.horizontalAdvance(
        QCoreApplication::translate("QAbstractFileIconProvider", "Folder"));
    const QMimeDatabase types;
    for (const QString& filter : dialog.nameFilters()) {
        for (const QString& pattern : filterPatterns(filter)) {
            QString example = pattern;
            example.replace(QLatin1Char('*'), QLatin1Char('x'));
            for (const QMimeType& type : types.mimeTypesForFileName(example))
                typeWidth = std::max(typeWidth, metrics.horizontalAdvance(type.comment()));
        }
    }
    QHeaderView* header = details->header();
    // A heading wider than its texts (with room for the sort mark) wins.
    auto headingWidth = [&](int column) {
        return metrics.horizontalAdvance(
                   header->model()->headerData(column, Qt::Horizontal).toString())
            + metrics.height();
    };
    sizeWidth = std::max(sizeWidth, headingWidth(Size));
    typeWidth = std::max(typeWidth, headingWidth(Type));
    const int dateColumnWidth = std::max(dateWidth, headingWidth(Modified));
    header->setStretchLastSection(false);
    header->setSectionResizeMode(Name, QHeaderView::Stretch);
    header->resizeSection(Size, sizeWidth + margins);
    header->resizeSection(Type, typeWidth + margins);
    header->resizeSection(Modified, dateColumnWidth + margins);
    const int wanted
        = metrics.averageCharWidth() * 32 + sizeWidth + typeWidth + dateColumnWidth + 4 * margins;

    // The dialog at its own opening size, laid out, shows how much wider
    // the view must be.
    QSize size = dialog.sizeHint();
    dialog.resize(size);
    if (dialog.layout())
        dialog.layout()->activate();
    size.rwidth() += std::max(0, wanted - details->viewport()->width());
    size.rheight() = std::max(size.height(), size.width() * 3 / 5);
    if (const QScreen* screen = dialog.screen())
        size = size.boundedTo(screen->availableSize());
    dialog.resize(size);
}

} // namespace bastara::toolkit
