#include "tools/designer/property_browser.h"

#include "tools/designer/property_editors.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace bastara::designer {

namespace {

    QString qText(std::string_view text)
    {
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }

} // namespace

PropertyBrowser::PropertyBrowser(QWidget* parent)
    : QWidget(parent)
    , m_table(new QTableWidget(this))
    , m_title(new QLabel(this))
    , m_description(new QLabel(this))
    , m_error(new QLabel(this))
{
    const auto properties = button::publicProperties();
    m_table->setColumnCount(2);
    m_table->setRowCount(int(properties.size()));
    m_table->setHorizontalHeaderLabels({ QStringLiteral("Property"), QStringLiteral("Value") });
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < int(properties.size()); ++row) {
        const button::PublicProperty& property = properties[std::size_t(row)];
        auto* name = new QTableWidgetItem(qText(property.name));
        name->setToolTip(qText(property.description));
        m_table->setItem(row, 0, name);
        ValueEditor* editor = createEditor(property, m_table);
        editor->edited
            = [this, &property](const button::PublicValue& value) { apply(property, value); };
        editor->setEnabled(false);
        m_table->setCellWidget(row, 1, editor);
        m_editors.push_back(editor);
        // A click into a value, or the focus arriving there by Tab, makes
        // its row current, so that the description below is about it.
        editor->installEventFilter(this);
        for (QWidget* part : editor->findChildren<QWidget*>())
            part->installEventFilter(this);
    }
    m_table->resizeRowsToContents();
    connect(m_table, &QTableWidget::currentCellChanged, this,
        [this](int row, int, int, int) { showDescription(row); });

    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_description->setMinimumHeight(m_description->fontMetrics().lineSpacing() * 3);
    m_description->setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_table, 1);
    column->addWidget(m_title);
    column->addWidget(m_description);
    column->addWidget(m_error);
    m_error->setStyleSheet(QStringLiteral("color: #B00000"));
    // Its room is kept while it is empty: a refusal appearing must not move
    // the rows under the mouse.
    m_error->setWordWrap(true);
    m_error->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_error->setFixedHeight(m_error->fontMetrics().lineSpacing() * 2);

    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, &PropertyBrowser::refresh);
    m_table->setCurrentCell(0, 0);
}

void PropertyBrowser::setButton(button_host::ControlHost* button)
{
    finishEditing();
    m_button = button;
    m_error->clear();
    for (ValueEditor* editor : m_editors)
        editor->setEnabled(button != nullptr);
    refresh();
}

void PropertyBrowser::apply(
    const button::PublicProperty& property, const button::PublicValue& value)
{
    if (!m_button)
        return;
    const button::HostResult result = property.set(m_button->control(), value);
    // In words under the table: a refused icon has already shown its own
    // message box.
    m_error->setText(result ? QString()
                            : qText(property.name) + QStringLiteral(": ")
                + QString::fromStdU16String(result.error().description));
    refresh();
}

void PropertyBrowser::finishEditing()
{
    for (ValueEditor* editor : m_editors)
        editor->finishEditing();
}

void PropertyBrowser::refresh()
{
    m_refresh.stop();
    if (!m_button)
        return;
    const auto properties = button::publicProperties();
    for (std::size_t row = 0; row < properties.size(); ++row)
        m_editors[row]->showValue(properties[row].get(m_button->control()));
}

void PropertyBrowser::refreshSoon()
{
    m_refresh.start();
}

int PropertyBrowser::rowOf(std::string_view name) const
{
    const auto properties = button::publicProperties();
    for (std::size_t row = 0; row < properties.size(); ++row)
        if (properties[row].name == name)
            return int(row);
    return -1;
}

ValueEditor& PropertyBrowser::editorOf(std::string_view name) const
{
    return *m_editors.at(std::size_t(rowOf(name)));
}

void PropertyBrowser::showDescription(int row)
{
    const auto properties = button::publicProperties();
    if (row < 0 || row >= int(properties.size())) {
        m_title->clear();
        m_description->clear();
        return;
    }
    m_title->setText(qText(properties[std::size_t(row)].name));
    m_description->setText(qText(properties[std::size_t(row)].description));
}

QString PropertyBrowser::shownDescription() const
{
    return m_description->text();
}

QString PropertyBrowser::shownError() const
{
    return m_error->text();
}

bool PropertyBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn) {
        for (int row = 0; row < int(m_editors.size()); ++row) {
            QWidget* editor = m_editors[std::size_t(row)];
            if (watched == editor || editor->isAncestorOf(qobject_cast<QWidget*>(watched))) {
                if (m_table->currentRow() != row)
                    m_table->setCurrentCell(row, 1);
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace bastara::designer
