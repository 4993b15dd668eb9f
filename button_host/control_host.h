#pragma once

// A Qt widget that carries one custom button and provides the host services
// it needs (button/host.h).
//
//     auto* host = new ControlHost(form);            // the form owns it
//     host->setAmbient({ .userMode = true, .displayName = u"Button1" });
//     host->setSizePixels(137, 41);                  // buffer, layout, first drawing
//     host->setDefault(true);                        // Enter clicks it
//     host->control().events().Click = [] { ... };
//     ...
//     host->terminate();                             // at form unload, before deletion
//
// The window's surface is a colour bitmap of the drawing layer, the size of
// the widget in device pixels; hdc draws into it and paintEvent only shows it,
// pixel for pixel. On a screen of r device pixels per logical pixel the
// control works as a program aware of the screen's density does: its
// ScaleWidth and ScaleHeight, mouse positions and window region are device
// pixels, its caption font is made at 96 * r dpi, its one-pixel lines are one
// device pixel. A move to a screen of another ratio draws it again there. The control's
// Paint is raised only when the surface has not been drawn at its current
// size (first show, a new size): the control's own refreshes come back as
// plain repaints, so a redraw never calls itself through the host.
//
// Input: mouse, keys, focus and drag-and-drop go to the control's input
// (button/input.h) as they arrive, with the event's numbers by reference, and
// the host acts on what the handlers leave there (KeyCode or KeyAscii 0
// swallows a key; an OLE Effect 0 refuses a drop). The host's own rules:
// - click follows a release over the button (inside its window region) after
//   a press there; the release that ends a double-click is no click;
// - a key held down repeats its presses, not its releases;
// - focus is reported when it comes by Tab, Shift+Tab, the mouse, a shortcut
//   or the program, not when the window is activated or a popup closes;
// - Enter and Escape belong to the window's default and cancel buttons
//   (window_buttons.h): the focused button never sees them as keys.
// Notifications that the control's own platform calls cause (its redraw
// moving the window, its Enabled setter moving the focus) reach it from the
// event loop afterwards, never in the middle of the call; the size change is
// the exception (Host::setSizePixels).
//
// Any handler may destroy the host (or terminate it); the host then returns
// from the Qt event at once. The control's enabled flag is the widget's own
// (what it was last set to), not whether some ancestor is disabled.

#include "button/button.h"
#include "button/host.h"
#include "button/input.h"
#include "platform/gdi/dc.h"

#include <QSize>
#include <QWidget>
#include <memory>
#include <string>

namespace bastara::button_host {

// What the container tells its controls.
struct AmbientSettings {
    bool userMode = true; // false while a designer edits the form
    std::u16string displayName; // the control's design name
    button::OleColor backColor = button::kSystemButtonFace; // the container's
    button::FontDescription parentFont; // the form's
    button::OleColor parentBackColor = button::kSystemButtonFace; // the form's
};

class ControlHost : public QWidget
{
    Q_OBJECT
public:
    explicit ControlHost(QWidget* parent = nullptr);
    ~ControlHost() override;

    button::Button& control() { return *m_control; }
    const button::Button& control() const { return *m_control; }
    // The host services the control sees.
    button::Host& services();

    // A change of the back colour is reported to the control once it has
    // been sized.
    void setAmbient(AmbientSettings ambient);
    const AmbientSettings& ambient() const { return m_ambient; }

    // Resizes the widget (in Qt's logical pixels, as layouts place it) and
    // runs the control's resize handling before returning (hidden widgets get
    // Qt's resize event only later).
    void setSizePixels(int width, int height);
    // The device pixels per logical pixel the surface is drawn at.
    qreal surfacePixelRatio() const { return m_pixelRatio; }

    // The control's stored property set: the form fills it before the
    // control reads it and stores it after the control has written it.
    button::PropertySet& properties() { return m_properties; }

    // The window's default button (Enter clicks it while the focus is on no
    // other button) and cancel button (Escape clicks it). Setting one takes
    // the part from any other button of the window.
    void setDefault(bool isDefault);
    bool isDefault() const { return m_default; }
    void setCancel(bool isCancel);
    bool isCancel() const { return m_cancel; }
    // Whether the window shows this control as its default button right now
    // (the ambient default-button flag).
    bool displaysAsDefault() const { return m_displayAsDefault; }

    // Over the button: a position in the widget's logical pixels that falls
    // on a device pixel inside the widget and inside its window region.
    bool hitButton(QPointF position) const;

    // A press that does not come from the mouse or the keyboard (a screen
    // reader's action): the same click a left press and release make, Click
    // raised once. Nothing while the widget is disabled or the control ended.
    void activate();

    // Drags from the button, as the program asks: OLEStartDrag lets the
    // handler fill the data and choose the effects it allows (copy and move
    // unless it changes them; none cancels the drag before it starts),
    // OLEGiveFeedback follows the effect the target chooses, OLESetData
    // renders a promised format when a target asks for it, and
    // OLECompleteDrag reports the effect of the drop (0 when cancelled).
    // Returns when the drag is over.
    void beginDrag();

    // The control's end: releases its drawing resources. Runs once; the
    // destructor calls it when the form did not.
    void terminate();

    // The surface the control draws into, for tests and screenshots.
    const gdi::Bitmap& surface() const { return *m_surface; }
    // How many times the control's Paint was raised.
    int paintsRaised() const { return m_paintsRaised; }

signals:
    // A persisted property changed (its property-set key): the form is modified.
    void controlPropertyChanged(const QString& key);

protected:
    // The control raised Click and its handler returned; the widget may be
    // destroyed by what this does.
    virtual void controlClicked() { }

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    class Services;
    friend class Services;
    friend class WindowButtons;

    // Gives the control a surface of the widget's size in device pixels at
    // the screen's current ratio, when either changed.
    void applyDeviceSize();
    void setSizeDevicePixels(int width, int height);
    // After a change of screen: the ratio is read again once Qt has settled.
    void schedulePixelRatioCheck();
    QPoint toDevicePixel(QPointF position) const;
    void refreshFromControl();
    void queueDesignMessage(const QString& text, const QString& title);
    void applyCursor();

    // Whether the control is inside one of its own platform calls, so that
    // what Qt reports now is a side effect of that call.
    bool controlBusy() const;
    // When the control is busy, posts a copy of the event to come back later
    // and accepts this one. True when it did.
    bool deferWhileBusy(QEvent& event);
    // False once the control has ended: nothing more goes to it.
    bool controlLives() const { return !m_terminated; }
    button::ButtonInput input() { return button::ButtonInput(*m_control); }
    // OLEDragOver with state 0 (enter) or 2 (over), and the drop action its
    // handler leaves.
    void dragOver(QDragMoveEvent& event, std::int16_t state);

    // The window's rules reach the control through these.
    void setDisplayAsDefault(bool shown);
    void pressAccessKey(std::int16_t character);
    void announceAmbientChange(std::u16string_view name);
    // Tells assistive technologies what a property change of the control
    // changed for them (its name, its checked state).
    void announceToReaders(std::u16string_view key);

    AmbientSettings m_ambient;
    gdi::BitmapRef m_surface;
    std::unique_ptr<gdi::DeviceContext> m_surfaceDC;
    QSize m_reportedSize { -1, -1 }; // device pixels
    qreal m_pixelRatio = 1.0;
    bool m_pixelRatioCheckQueued = false;
    bool m_surfaceCurrent = false;
    bool m_painting = false;
    int m_paintsRaised = 0;

    // The window's default and cancel buttons, and the flag as last reported.
    bool m_default = false;
    bool m_cancel = false;
    bool m_displayAsDefault = false;
    // Mouse buttons pressed on the control (their release over it clicks),
    // those of a double-click (their release does not), and the key taken as
    // an access key (its release is not the control's either).
    std::int16_t m_pressedButtons = 0;
    std::int16_t m_doubleClickButtons = 0;
    int m_accessKeyDown = 0;

    // What the window itself holds for the control.
    std::optional<button::FontDescription> m_font;
    button::OleColor m_foreColor = button::kSystemButtonText;
    bool m_enabled = true;
    std::u16string m_accessKeys;
    std::int16_t m_mousePointer = 0;
    button::PictureRef m_mouseIcon;
    std::u16string m_tag;
    button::PropertySet m_properties;

    std::unique_ptr<Services> m_services;
    std::unique_ptr<button::Button> m_control;
    bool m_terminated = false;
};

} // namespace bastara::button_host
