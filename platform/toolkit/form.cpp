#include "platform/toolkit/form.h"

#include "platform/toolkit/qt_values.h"
#include "platform/toolkit/taskbar.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QShowEvent>
#include <algorithm>

namespace bastara::toolkit {

namespace {

    Qt::WindowFlags flagsForFrame(FrameKind frame)
    {
        // Only the hints named are shown: no minimise or maximise button.
        const Qt::WindowFlags hints
            = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        switch (frame) {
        case FrameKind::FixedToolWindow:
            // Window managers give utility windows no task-bar button.
            return Qt::Tool | hints;
        case FrameKind::FixedDialog:
            break;
        }
        return Qt::Dialog | Qt::WindowSystemMenuHint | hints;
    }

    QRect pixelRect(const TwipsRect& twips)
    {
        return QRect(pixelsFromTwips(twips.left), pixelsFromTwips(twips.top),
            pixelsFromTwips(twips.width), pixelsFromTwips(twips.height));
    }

    // A caption is one line and is never cut: when the face the platform
    // substitutes runs wider than the box, the box grows away from the side
    // the caption is aligned to, so that edge stays where the layout put it.
    void growToFitCaption(QLabel& label, TextAlignment alignment)
    {
        const int missing = label.sizeHint().width() - label.width();
        if (missing <= 0)
            return;
        QRect box = label.geometry();
        switch (alignment) {
        case TextAlignment::Right:
            box.setLeft(box.left() - missing);
            break;
        case TextAlignment::Centre:
            box.setLeft(box.left() - missing / 2);
            box.setRight(box.right() + (missing - missing / 2));
            break;
        case TextAlignment::Left:
            box.setRight(box.right() + missing);
            break;
        }
        label.setGeometry(box);
    }

    FormFileError formError(const FormLayout& layout, const QString& problem)
    {
        return FormFileError { QStringLiteral("%1: %2").arg(layout.name, problem) };
    }

} // namespace

Form::Form(QWidget* owner)
    : QWidget(owner, Qt::Dialog)
{ }

Result<void, FormFileError> Form::load(const FormLayout& layout, const ControlRegistry& registry)
{
    if (m_loaded)
        return Unexpected { formError(layout, QStringLiteral("the window is already loaded")) };
    m_loaded = true;
    m_layout = layout;
    if (auto window = setUpWindow(); !window)
        return window;
    for (const ControlLayout& control : m_layout.controls) {
        if (auto built = buildControl(control, registry); !built)
            return built;
    }
    chainFocusOrder();
    return {};
}

Result<void, FormFileError> Form::setUpWindow()
{
    setWindowFlags(flagsForFrame(m_layout.frame));
    setWindowTitle(m_layout.caption);
    setFixedSize(pixelsFromTwips(m_layout.clientWidth), pixelsFromTwips(m_layout.clientHeight));
    setLayoutDirection(Qt::LeftToRight);
    if (m_layout.backColour) {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, toQColor(*m_layout.backColour, palette));
        setPalette(palette);
        setAutoFillBackground(true);
    }
    if (!m_layout.icon.isEmpty()) {
        const QIcon icon(m_layout.icon);
        if (icon.availableSizes().isEmpty())
            return Unexpected { formError(
                m_layout, QStringLiteral("cannot read the icon %1").arg(m_layout.icon)) };
        setWindowIcon(icon);
    }
    return {};
}

Result<void, FormFileError> Form::buildControl(
    const ControlLayout& layout, const ControlRegistry& registry)
{
    const ControlFactory* factory = registry.find(layout.kind);
    if (!factory)
        return Unexpected { formError(m_layout,
            QStringLiteral("%1 is of the unknown kind \"%2\"")
                .arg(layout.displayName(), layout.kind)) };
    auto built = (*factory)(layout, *this);
    if (!built)
        return Unexpected { formError(
            m_layout, QStringLiteral("%1: %2").arg(layout.displayName(), built.error())) };
    QWidget& widget = **built;
    widget.setObjectName(layout.displayName());
    widget.setGeometry(pixelRect(layout.geometry));
    if (layout.font)
        widget.setFont(toQFont(*layout.font));
    if (!layout.toolTip.isEmpty())
        widget.setToolTip(layout.toolTip);
    if (auto* label = qobject_cast<QLabel*>(&widget);
        label && layout.kind == QLatin1String("label"))
        growToFitCaption(*label, layout.alignment);
    m_controls.push_back(BuiltControl { &layout, &widget });
    return {};
}

void Form::chainFocusOrder()
{
    std::vector<const BuiltControl*> chain;
    for (const BuiltControl& control : m_controls) {
        if (control.layout->tabIndex)
            chain.push_back(&control);
        else if (control.widget->focusPolicy() & Qt::TabFocus)
            control.widget->setFocusPolicy(Qt::ClickFocus);
    }
    std::stable_sort(chain.begin(), chain.end(), [](const BuiltControl* a, const BuiltControl* b) {
        return *a->layout->tabIndex < *b->layout->tabIndex;
    });
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1]->widget, chain[i]->widget);
    // A hidden window remembers this and gives the focus when it is shown.
    if (!chain.empty())
        chain.front()->widget->setFocus();
}

QWidget* Form::control(const QString& name, std::optional<int> index) const
{
    for (const BuiltControl& control : m_controls) {
        if (control.layout->index == index
            && control.layout->name.compare(name, Qt::CaseInsensitive) == 0)
            return control.widget;
    }
    return nullptr;
}

ControlEvents* Form::events(const QString& name, std::optional<int> index) const
{
    QWidget* widget = control(name, index);
    return widget ? ControlEvents::of(*widget) : nullptr;
}

void Form::showEvent(QShowEvent* event)
{
    // Before the window is mapped, every time it is.
    if (!event->spontaneous() && !m_layout.showInTaskbar)
        keepOffTaskbar(*this);
    QWidget::showEvent(event);
}

void Form::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

} // namespace bastara::toolkit
