#include "tools/designer/form_surface.h"

#include "button/property_keys.h"
#include "platform/gdi/font_substitutes.h"
#include "tools/designer/property_editors.h"
#include "tools/designer/selection_frame.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace bastara::designer {

namespace {
    // A new form's client area.
    constexpr QSize kNewFormSize(480, 320);
} // namespace

using button_host::ControlHost;

namespace {

    const QString kButtonKind = QStringLiteral("customButton");
    const QString kNamePrefix = QStringLiteral("kzButtons_H");
    constexpr QSize kMinimumButton { 4, 4 };
    constexpr int kGrid = 8;

    // The host keeps the control's size in HIMETRIC (0.01 mm) at 96 pixels
    // to the inch.
    std::int32_t himetricFromPixels(int pixels)
    {
        return std::int32_t((std::int64_t(pixels) * 2540 + 48) / 96);
    }

    toolkit::TwipsRect twipsOf(QRect r)
    {
        return { r.x() * toolkit::twipsPerPixel, r.y() * toolkit::twipsPerPixel,
            r.width() * toolkit::twipsPerPixel, r.height() * toolkit::twipsPerPixel };
    }

    QRect pixelsOf(const toolkit::TwipsRect& r)
    {
        return { toolkit::pixelsFromTwips(r.left), toolkit::pixelsFromTwips(r.top),
            toolkit::pixelsFromTwips(r.width), toolkit::pixelsFromTwips(r.height) };
    }

    bool isControlsOwnKey(std::u16string_view key)
    {
        if (properties::PropertySet::keysEqual(key, u"_extentx")
            || properties::PropertySet::keysEqual(key, u"_extenty"))
            return true;
        const auto rows = button::persistedProperties();
        return std::any_of(rows.begin(), rows.end(), [&](const button::PersistedProperty& row) {
            return properties::PropertySet::keysEqual(row.key, key);
        });
    }

    // The control writes its properties into the host's set: its keys in
    // writing order, then the size, then whatever else the set held.
    properties::PropertySet writtenProperties(ControlHost& host)
    {
        properties::PropertySet& set = host.properties();
        const properties::PropertySet before = set;
        set = {};
        host.control().onHostWriteProperties();
        set.write(u"_extentx", himetricFromPixels(host.width()));
        set.write(u"_extenty", himetricFromPixels(host.height()));
        for (const properties::PropertySet::Entry& entry : before.entries())
            if (!isControlsOwnKey(entry.key))
                set.write(entry.key, entry.value);
        return set;
    }

} // namespace

FormSurface::FormSurface(QWidget* parent)
    : QWidget(parent)
{
    // The stored forms name Times New Roman; this maps it onto fonts the
    // platform has, with an Arabic-script face for Persian captions.
    gdi::installFontSubstitutes();
    m_font = button::FontDescription { .name = u"Times New Roman", .points = 12 };
    m_form.name = QStringLiteral("Form1");
    m_form.caption = QStringLiteral("Form1");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(kNewFormSize);
    m_frame = new SelectionFrame(*this);
}

FormSurface::~FormSurface()
{
    // The buttons end while the form (their container) still exists.
    for (Entry& entry : m_entries)
        if (entry.button)
            entry.button->terminate();
}

// --- Buttons -----------------------------------------------------------------

button_host::AmbientSettings FormSurface::ambientFor(const QString& name) const
{
    return { .userMode = m_runMode,
        .displayName = name.toStdU16String(),
        .backColor = m_backColor,
        .parentFont = m_font,
        .parentBackColor = m_backColor };
}

ControlHost& FormSurface::addHost(const QString& name, QRect geometry)
{
    auto* host = new ControlHost(this);
    host->setObjectName(name);
    host->setAmbient(ambientFor(name));
    host->move(geometry.topLeft());
    applyMode(*host);
    connect(host, &ControlHost::controlPropertyChanged, this, [this, host](const QString& key) {
        // What the user does to the buttons in run mode is not the design.
        if (!m_runMode)
            setModified(true);
        emit buttonPropertyChanged(host, key);
    });
    m_frame->raise();
    return *host;
}

ControlHost& FormSurface::placeButton(QRect geometry)
{
    const QString name = nextButtonName();
    ControlHost& host = addHost(name, geometry);
    Entry entry { &host, {} };
    entry.layout.kind = kButtonKind;
    entry.layout.name = name;
    int tabIndex = 0;
    for (const Entry& other : m_entries)
        if (other.layout.tabIndex)
            tabIndex = std::max(tabIndex, *other.layout.tabIndex + 1);
    entry.layout.tabIndex = tabIndex;
    m_entries.push_back(std::move(entry));

    if (const button::HostResult init = host.control().onHostInitProperties(); !init)
        qWarning("designer: the form's font was refused: %s",
            qPrintable(QString::fromStdU16String(init.error().description)));
    host.setSizePixels(std::max(geometry.width(), kMinimumButton.width()),
        std::max(geometry.height(), kMinimumButton.height()));
    host.show();
    setModified(true);
    select(&host);
    return host;
}

void FormSurface::removeButton(ControlHost& button)
{
    if (m_selected == &button)
        select(nullptr);
    std::erase_if(m_entries, [&](const Entry& entry) { return entry.button == &button; });
    button.terminate();
    delete &button;
    setModified(true);
}

std::vector<ControlHost*> FormSurface::buttons() const
{
    std::vector<ControlHost*> list;
    for (const Entry& entry : m_entries)
        if (entry.button)
            list.push_back(entry.button);
    return list;
}

QPoint FormSurface::freePlaceFor(QSize size)
{
    constexpr int kMargin = 16;
    constexpr int kStep = 8;
    std::vector<QRect> taken;
    int lowest = 0;
    for (const Entry& entry : m_entries) {
        taken.push_back(entry.button ? entry.button->geometry() : pixelsOf(entry.layout.geometry));
        lowest = std::max(lowest, taken.back().bottom() + 1);
    }
    // Clear of the others by a step where the form has room, else touching.
    for (const int gap : { kStep, 0 }) {
        for (int top = kMargin; top + size.height() <= height(); top += kStep) {
            for (int left = kMargin; left + size.width() <= width(); left += kStep) {
                const QRect place(QPoint(left, top), size);
                const QRect around = place.adjusted(-gap, -gap, gap, gap);
                if (std::none_of(taken.begin(), taken.end(),
                        [&](const QRect& other) { return other.intersects(around); }))
                    return place.topLeft();
            }
        }
    }
    // A full form grows at the bottom.
    const QPoint below(kMargin, lowest + kStep);
    resize(
        std::max(width(), kMargin + size.width() + kMargin), below.y() + size.height() + kMargin);
    return below;
}

QString FormSurface::nameOf(const ControlHost& button)
{
    return QString::fromStdU16String(button.ambient().displayName);
}

QString FormSurface::nextButtonName() const
{
    int highest = 0;
    for (const Entry& entry : m_entries) {
        const QString& name = entry.layout.name;
        if (!name.startsWith(kNamePrefix, Qt::CaseInsensitive))
            continue;
        bool isNumber = false;
        const int number = name.mid(kNamePrefix.size()).toInt(&isNumber);
        if (isNumber)
            highest = std::max(highest, number);
    }
    return kNamePrefix + QString::number(highest + 1);
}

void FormSurface::select(ControlHost* button)
{
    if (m_selected == button)
        return;
    m_selected = button;
    updateFrame();
    emit selectionChanged(button);
}

void FormSurface::setButtonGeometry(ControlHost& button, QRect geometry)
{
    const QRect before = button.geometry();
    button.move(geometry.topLeft());
    if (geometry.size() != button.size())
        button.setSizePixels(std::max(geometry.width(), kMinimumButton.width()),
            std::max(geometry.height(), kMinimumButton.height()));
    if (button.geometry() != before)
        setModified(true);
    updateFrame();
}

ControlHost* FormSurface::buttonAt(QPoint point) const
{
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it)
        if (it->button && it->button->geometry().contains(point))
            return it->button;
    return nullptr;
}

void FormSurface::updateFrame()
{
    m_frame->setFrame(m_selected && !m_runMode ? m_selected->geometry() : QRect());
}

// --- Form settings -------------------------------------------------------------

void FormSurface::setDefaultButton(ControlHost* button)
{
    if (button == defaultButton())
        return;
    if (button)
        button->setDefault(true); // takes the part from any other
    else if (ControlHost* current = defaultButton())
        current->setDefault(false);
    setModified(true);
}

ControlHost* FormSurface::defaultButton() const
{
    for (ControlHost* button : buttons())
        if (button->isDefault())
            return button;
    return nullptr;
}

void FormSurface::setBackColor(button::OleColor colour)
{
    if (colour == m_backColor)
        return;
    m_backColor = colour;
    for (ControlHost* button : buttons())
        button->setAmbient(ambientFor(nameOf(*button)));
    setModified(true);
    update();
}

void FormSurface::setModified(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

// --- Modes ---------------------------------------------------------------------

void FormSurface::applyMode(ControlHost& button)
{
    // In design mode the form takes the mouse and the keys; the buttons are
    // only drawn.
    button.setAttribute(Qt::WA_TransparentForMouseEvents, !m_runMode);
    button.setFocusPolicy(m_runMode ? Qt::StrongFocus : Qt::NoFocus);
}

void FormSurface::setRunMode(bool run)
{
    if (run == m_runMode)
        return;
    m_drag.reset();
    if (run) {
        m_runSnapshots.clear();
        for (ControlHost* button : buttons())
            m_runSnapshots.push_back({ button, writtenProperties(*button), button->geometry() });
    }
    m_runMode = run;
    for (ControlHost* button : buttons()) {
        applyMode(*button);
        button->setAmbient(ambientFor(nameOf(*button)));
    }
    if (!run)
        restoreDesign();
    // The looks draw differently in the two modes (the dotted outlines of the
    // flat look, the default button's frame).
    for (ControlHost* button : buttons())
        button->control().Refresh();
    m_frame->setVisible(!run);
    updateFrame();
    if (run) {
        const std::vector<ControlHost*> list = buttons();
        if (!list.empty())
            list.front()->setFocus(Qt::TabFocusReason);
    } else {
        setFocus(Qt::OtherFocusReason);
    }
    update();
    emit runModeChanged(run);
}

void FormSurface::restoreDesign()
{
    // Running the form changes nothing of its design: a button the user
    // changed (a check box clicked) reads its design-time set again.
    for (const RunSnapshot& snapshot : m_runSnapshots) {
        if (!snapshot.button)
            continue;
        ControlHost& button = *snapshot.button;
        button.move(snapshot.geometry.topLeft());
        if (writtenProperties(button) != snapshot.stored) {
            button.properties() = snapshot.stored;
            button.control().onHostReadProperties();
        }
        if (button.size() != snapshot.geometry.size())
            button.setSizePixels(snapshot.geometry.width(), snapshot.geometry.height());
    }
    m_runSnapshots.clear();
}

// --- The stored form -------------------------------------------------------------

toolkit::ControlLayout FormSurface::layoutOf(const Entry& entry) const
{
    if (!entry.button)
        return entry.layout;
    toolkit::ControlLayout layout = entry.layout;
    layout.geometry = twipsOf(entry.button->geometry());
    layout.properties = writtenProperties(*entry.button);
    return layout;
}

toolkit::FormLayout FormSurface::saveLayout()
{
    toolkit::FormLayout form = m_form;
    form.clientWidth = width() * toolkit::twipsPerPixel;
    form.clientHeight = height() * toolkit::twipsPerPixel;
    // A form that never had a colour of its own keeps none while it has the
    // default.
    if (m_form.backColour || m_backColor != button::kSystemButtonFace)
        form.backColour = m_backColor;
    const ControlHost* defaultOne = defaultButton();
    form.defaultButton = defaultOne ? nameOf(*defaultOne) : QString();
    form.controls.clear();
    for (const Entry& entry : m_entries)
        form.controls.push_back(layoutOf(entry));
    return form;
}

void FormSurface::openLayout(const toolkit::FormLayout& layout)
{
    clear();
    m_form = layout;
    m_backColor = layout.backColour.value_or(button::kSystemButtonFace);
    resize(toolkit::pixelsFromTwips(layout.clientWidth),
        toolkit::pixelsFromTwips(layout.clientHeight));
    std::vector<std::pair<int, ControlHost*>> tabOrder;
    for (const toolkit::ControlLayout& control : layout.controls) {
        if (control.kind != kButtonKind) {
            m_entries.push_back({ nullptr, control });
            continue;
        }
        const QRect geometry = pixelsOf(control.geometry);
        ControlHost& host = addHost(control.displayName(), geometry);
        m_entries.push_back({ &host, control });
        host.properties() = control.properties;
        host.setSizePixels(geometry.width(), geometry.height());
        host.control().onHostReadProperties();
        host.show();
        tabOrder.emplace_back(control.tabIndex.value_or(INT_MAX), &host);
        if (control.name.compare(layout.defaultButton, Qt::CaseInsensitive) == 0)
            host.setDefault(true);
    }
    std::stable_sort(tabOrder.begin(), tabOrder.end(),
        [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    setModified(false);
    update();
}

void FormSurface::clear()
{
    setRunMode(false);
    select(nullptr);
    for (Entry& entry : m_entries) {
        if (entry.button) {
            entry.button->terminate();
            delete entry.button;
        }
    }
    m_entries.clear();
    m_form = toolkit::FormLayout();
    m_form.name = QStringLiteral("Form1");
    m_form.caption = QStringLiteral("Form1");
    m_backColor = button::kSystemButtonFace;
    resize(kNewFormSize);
    setModified(false);
    update();
}

// --- Drawing and the mouse in design mode --------------------------------------------

void FormSurface::resizeEvent(QResizeEvent* /*event*/)
{
    m_frame->setGeometry(rect());
}

void FormSurface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QColor back = qColorOf(m_backColor);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, back);
    if (m_runMode)
        return;
    // The design grid where it shows (a form can be 32767 pixels square),
    // and the outlines of the controls kept as they were.
    painter.setPen(back.lightness() > 96 ? back.darker(160) : back.lighter(180));
    const auto firstGridLine
        = [](int from) { return std::max(kGrid, (from + kGrid - 1) / kGrid * kGrid); };
    for (int y = firstGridLine(exposed.top()); y <= exposed.bottom(); y += kGrid)
        for (int x = firstGridLine(exposed.left()); x <= exposed.right(); x += kGrid)
            painter.drawPoint(x, y);
    painter.setPen(QPen(Qt::gray, 1, Qt::DashLine));
    for (const Entry& entry : m_entries) {
        if (entry.button)
            continue;
        const QRect r = pixelsOf(entry.layout.geometry).adjusted(0, 0, -1, -1);
        painter.drawRect(r);
        painter.drawText(r.adjusted(3, 1, -2, -1), Qt::AlignLeft | Qt::AlignTop,
            entry.layout.kind + QLatin1Char(' ') + entry.layout.displayName());
    }
}

void FormSurface::mousePressEvent(QMouseEvent* event)
{
    if (m_runMode || event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    if (m_selected) {
        if (const Handle handle = handleAt(m_selected->geometry(), at); handle != Handle::None) {
            m_drag = Drag { at, m_selected->geometry(), int(handle) };
            return;
        }
    }
    select(buttonAt(at));
    if (m_selected)
        m_drag = Drag { at, m_selected->geometry(), int(Handle::None) };
}

void FormSurface::mouseMoveEvent(QMouseEvent* event)
{
    if (m_runMode)
        return;
    const QPoint at = event->position().toPoint();
    if (!m_drag || !m_selected) {
        const Handle over = m_selected ? handleAt(m_selected->geometry(), at) : Handle::None;
        setCursor(cursorFor(over));
        return;
    }
    const QPoint delta = at - m_drag->start;
    const auto handle = Handle(m_drag->handle);
    const QRect target = handle == Handle::None
        ? m_drag->startGeometry.translated(delta)
        : resizedRect(m_drag->startGeometry, handle, delta, kMinimumButton);
    setButtonGeometry(*m_selected, target);
    // The control may size itself otherwise (a slanted shape widens): it
    // grows away from the sides the handle leaves in place.
    if (m_selected->size() != target.size())
        setButtonGeometry(*m_selected, keepingUnmovedSides(target, m_selected->size(), handle));
}

void FormSurface::mouseReleaseEvent(QMouseEvent* /*event*/)
{
    m_drag.reset();
}

void FormSurface::keyPressEvent(QKeyEvent* event)
{
    if (m_runMode || !m_selected) {
        QWidget::keyPressEvent(event);
        return;
    }
    QPoint step;
    switch (event->key()) {
    case Qt::Key_Delete:
        removeButton(*m_selected);
        return;
    case Qt::Key_Left:
        step = { -1, 0 };
        break;
    case Qt::Key_Right:
        step = { 1, 0 };
        break;
    case Qt::Key_Up:
        step = { 0, -1 };
        break;
    case Qt::Key_Down:
        step = { 0, 1 };
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    // Arrows move the selection; with Shift they resize it.
    QRect r = m_selected->geometry();
    if (event->modifiers() & Qt::ShiftModifier)
        r.setSize(r.size() + QSize(step.x(), step.y()));
    else
        r.translate(step);
    setButtonGeometry(*m_selected, r);
}

} // namespace bastara::designer
