#pragma once

// What assistive technologies (screen readers, through Qt's accessibility
// bridge) see of a ControlHost: the control itself, with no second widget.
//
// - role: push button, check box or radio button, by the control's Mode;
// - name: the caption as drawn, on one line (access-key marks resolved, "||"
//   read as a space); a caption-less button takes its window's tool tip, else
//   its design name; an accessible name set on the widget wins over both;
// - states: Qt's for the widget (focusable, focused, unavailable) plus
//   pressed, checked (Value) and default button (the default-button look);
// - the access key as the shortcut ("Alt+X");
// - actions Press, and Toggle for check boxes and option buttons: the click
//   of a left press and release (ControlHost::activate), run from the event
//   loop once the request has been answered, so a handler that opens a modal
//   dialog does not hold up the reader. None while disabled.
//
// ControlHost installs the factory itself. Its changes of caption, Value and
// the default-button look reach the reader through tellReaders; Qt's QWidget
// reports the enabled state and the focus itself.

#include <QAccessibleWidget>
#include <functional>

namespace bastara::button_host {

class ControlHost;

class AccessibleControlHost final : public QAccessibleWidget
{
public:
    explicit AccessibleControlHost(ControlHost& host);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    ControlHost& host() const;
    bool isCheckable() const;
};

// Makes every ControlHost answer with an AccessibleControlHost. Runs once,
// however often it is called.
void installAccessibleControlHostFactory();

// Tells assistive technologies of a change, when one is listening.
void tellReaders(QAccessibleEvent& event);

// For tests: sees every event tellReaders is given, also where no reader
// listens (the offscreen platform has no accessibility bridge, so Qt drops
// them there). One at a time.
class ScopedReaderTap
{
public:
    explicit ScopedReaderTap(std::function<void(QAccessibleEvent&)> tap);
    ~ScopedReaderTap();
    ScopedReaderTap(const ScopedReaderTap&) = delete;
    ScopedReaderTap& operator=(const ScopedReaderTap&) = delete;
};

} // namespace bastara::button_host
