#pragma once

// The custom buttons of one top-level window, as a dialog manager sees them:
// which one the window shows as its default button, and which one Enter,
// Escape or an access key reaches.
//
// Default-button flag (the ambient "DisplayAsDefault"), while the program
// runs: True for the focused button when the focus is on one of these
// buttons; when the focus is elsewhere, True for the window's default button
// (unless the focus is on another kind of push button); False for the rest.
// In a designer it is True for the default button alone. Every button whose
// flag changes is told, from the time the window is first shown.
//
// Keys that reach the window unanswered (the focused widget ignored them):
// - Enter clicks the button whose flag is True, Escape the cancel button;
// - Alt+character clicks the button whose access key it is; without Alt too
//   while the focus is on a button (the buttons offer their own characters).
// Disabled and hidden buttons take nothing, nor do buttons in a designer.
//
// The first button shown in a window attaches one WindowButtons to it (a
// child of the window); it finds the buttons among the window's children each
// time, so buttons come and go freely.

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

namespace bastara::button_host {

class ControlHost;

class WindowButtons : public QObject
{
    Q_OBJECT
public:
    // The window's WindowButtons, attaching one on first use.
    static WindowButtons& of(QWidget& window);
    // Works out every button's default-button flag again.
    static void refresh(QWidget& window);

    // Clicks the button whose access key this character is; false when none.
    bool pressAccessKey(char16_t character);

    // The character a key stands for as an access key: what it types, else
    // the letter or digit on it; 0 for none.
    static char16_t accessCharacterOf(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowButtons(QWidget& window);
    void update();
    bool handleKey(const QKeyEvent& event);
    static bool canTakeKeys(const ControlHost& button);

    QPointer<QWidget> m_window;
};

} // namespace bastara::button_host
