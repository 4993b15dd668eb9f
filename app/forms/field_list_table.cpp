#include "app/forms/field_list_table.h"

#include <QListWidget>
#include <QPointer>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <memory>

namespace bastara::app {

namespace {

    // What the row height must fit before any row is there: Latin text, and
    // Persian text with its marks above and below.
    const QString heightSamples[] = { QStringLiteral("Ag"), QStringLiteral("گژپ ِ") };

    struct Table {
        std::array<QPointer<QListWidget>, 3> lists;
        int rowHeight = 0;

        // The height the list's style gives a row showing `text`.
        static int heightOf(const QListWidget& list, const QString& text)
        {
            QStyleOptionViewItem option;
            option.initFrom(&list);
            option.features = QStyleOptionViewItem::HasDisplay;
            option.text = text;
            option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
            return list.style()
                ->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), &list)
                .height();
        }

        // Raises the common height to fit the texts of rows first..last of
        // `list`; when it grew, every list lays its rows out again.
        void fit(const QListWidget& list, int first, int last)
        {
            int needed = rowHeight;
            for (int row = first; row <= last; ++row) {
                if (const QListWidgetItem* item = list.item(row))
                    needed = std::max(needed, heightOf(list, item->text()));
            }
            if (needed == rowHeight)
                return;
            rowHeight = needed;
            for (QListWidget* each : lists) {
                if (each)
                    each->doItemsLayout();
            }
        }
    };

    // Every row as high as the table's rows, and never wider than the list:
    // the view then gives each row the list's width and a longer text is cut
    // short instead of widening the list's contents.
    class TableRowDelegate : public QStyledItemDelegate
    {
    public:
        TableRowDelegate(std::shared_ptr<Table> table, QObject* parent)
            : QStyledItemDelegate(parent)
            , m_table(std::move(table))
        { }

        QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
        {
            return QSize(0, m_table->rowHeight);
        }

    private:
        std::shared_ptr<Table> m_table;
    };

} // namespace

void showAsOneTable(const std::array<QListWidget*, 3>& lists)
{
    auto table = std::make_shared<Table>();
    for (std::size_t k = 0; k < lists.size(); ++k)
        table->lists[k] = lists[k];
    for (QListWidget* list : lists) {
        for (const QString& sample : heightSamples)
            table->rowHeight = std::max(table->rowHeight, Table::heightOf(*list, sample));
    }

    for (QListWidget* list : lists) {
        list->setItemDelegate(new TableRowDelegate(table, list));
        list->setTextElideMode(Qt::ElideRight);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        list->setVerticalScrollBarPolicy(
            list == lists[0] ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        QAbstractItemModel* model = list->model();
        QObject::connect(model, &QAbstractItemModel::rowsInserted, list,
            [table, list](
                const QModelIndex&, int first, int last) { table->fit(*list, first, last); });
        QObject::connect(model, &QAbstractItemModel::dataChanged, list,
            [table, list](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                table->fit(*list, topLeft.row(), bottomRight.row());
            });
        table->fit(*list, 0, list->count() - 1);
    }

    // A value set on a list that already shows it sends nothing, so the
    // three connections in each direction settle after one round.
    for (QListWidget* from : lists) {
        for (QListWidget* to : lists) {
            if (from != to)
                QObject::connect(from->verticalScrollBar(), &QScrollBar::valueChanged,
                    to->verticalScrollBar(), &QScrollBar::setValue);
        }
    }
}

} // namespace bastara::app
