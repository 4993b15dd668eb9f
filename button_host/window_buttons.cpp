#include "button_host/window_buttons.h"

#include "button_host/control_host.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace bastara::button_host {

namespace {

    constexpr const char* kObjectName = "bastara-window-buttons";

    // findChildren, but safe while a widget deletes its children: the focus
    // leaves a focused button as it is destroyed, and the window hears of it
    // while its list of children holds empty places for those already gone.
    void collectButtons(const QObject& parent, QList<ControlHost*>& buttons)
    {
        for (QObject* child : parent.children()) {
            if (!child)
                continue;
            if (auto* button = qobject_cast<ControlHost*>(child))
                buttons.push_back(button);
            collectButtons(*child, buttons);
        }
    }

    QList<ControlHost*> buttonsOf(QWidget& window)
    {
        QList<ControlHost*> buttons;
        if (auto* self = qobject_cast<ControlHost*>(&window))
            buttons.push_back(self);
        collectButtons(window, buttons);
        return buttons;
    }

    bool sameCharacter(char16_t a, char16_t b)
    {
        return QChar(a).toCaseFolded() == QChar(b).toCaseFolded();
    }

} // namespace

bool WindowButtons::canTakeKeys(const ControlHost& button)
{
    // A button being designed is not clicked: the keys are the designer's.
    return button.controlLives() && button.isVisible() && button.isEnabled()
        && button.ambient().userMode;
}

WindowButtons::WindowButtons(QWidget& window)
    : QObject(&window)
    , m_window(&window)
{
    setObjectName(QString::fromLatin1(kObjectName));
    window.installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        const auto inWindow = [this](QWidget* w) { return w && w->window() == m_window; };
        if (inWindow(old) || inWindow(now))
            update();
    });
}

WindowButtons& WindowButtons::of(QWidget& window)
{
    if (auto* existing = window.findChild<WindowButtons*>(
            QString::fromLatin1(kObjectName), Qt::FindDirectChildrenOnly))
        return *existing;
    // Owned by the window.
    return *new WindowButtons(window);
}

void WindowButtons::refresh(QWidget& window)
{
    of(window).update();
}

void WindowButtons::update()
{
    if (!m_window)
        return;
    // Telling one button may run code that changes the rest: every button is
    // held weakly before any is told.
    QList<QPointer<ControlHost>> buttons;
    for (ControlHost* button : buttonsOf(*m_window))
        buttons.push_back(button);
    QWidget* focus = m_window->focusWidget();
    auto* focusedButton = qobject_cast<ControlHost*>(focus);
    // Another kind of push button with the focus is the default one itself.
    const bool focusOnOtherButton = !focusedButton && qobject_cast<QAbstractButton*>(focus);
    for (const QPointer<ControlHost>& button : buttons) {
        if (!button)
            continue;
        bool shown = false;
        if (!button->ambient().userMode)
            shown = button->isDefault();
        else if (focusedButton)
            shown = button == focusedButton;
        else
            shown = !focusOnOtherButton && button->isDefault();
        button->setDisplayAsDefault(shown);
    }
}

bool WindowButtons::pressAccessKey(char16_t character)
{
    if (!m_window || character == 0)
        return false;
    for (ControlHost* button : buttonsOf(*m_window)) {
        if (!canTakeKeys(*button))
            continue;
        for (char16_t key : button->services().accessKeys()) {
            if (sameCharacter(key, character)) {
                button->pressAccessKey(std::int16_t(key));
                return true;
            }
        }
    }
    return false;
}

bool WindowButtons::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window)
        return false;
    if (event->type() == QEvent::Show && !event->spontaneous()) {
        update();
        return false;
    }
    if (event->type() == QEvent::KeyPress)
        return handleKey(*static_cast<QKeyEvent*>(event));
    return false;
}

bool WindowButtons::handleKey(const QKeyEvent& event)
{
    // Only keys no widget of the window answered come here.
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool plain = !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
    const int key = event.key();
    if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)) {
        const bool enter = key != Qt::Key_Escape;
        for (ControlHost* button : buttonsOf(*m_window)) {
            if (canTakeKeys(*button)
                && (enter ? button->displaysAsDefault() : button->isCancel())) {
                button->pressAccessKey(enter ? button::kKeyEnter : button::kKeyEscape);
                return true;
            }
        }
        return false;
    }

    const bool alt = modifiers & Qt::AltModifier;
    QWidget* focus = m_window->focusWidget();
    const bool focusOnButton
        = qobject_cast<ControlHost*>(focus) || qobject_cast<QAbstractButton*>(focus);
    return (alt || focusOnButton) && pressAccessKey(accessCharacterOf(event));
}

char16_t WindowButtons::accessCharacterOf(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.size() == 1 && text[0].isPrint())
        return text[0].unicode();
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return char16_t(u'a' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return char16_t(key);
    return 0;
}

} // namespace bastara::button_host
