#pragma once

// A Qt widget that carries one custom button and provides the host services
// it needs (button/host.h).
//
//     auto* host = new ControlHost(form);            // the form owns it
//     host->setAmbient({ .userMode = true, .displayName = u"Button1" });
//     host->setSizePixels(137, 41);                  // buffer, layout, first drawing
//     host->control().events().Click = [] { ... };
//     ...
//     host->terminate();                             // at form unload, before deletion
//
// The window's surface is a colour bitmap of the drawing layer, the same size
// as the widget; hdc draws into it and paintEvent only shows it. The control's
// Paint is raised only when the surface has not been drawn at its current
// size (first show, a new size): the control's own refreshes come back as
// plain repaints, so a redraw never calls itself through the host.
//
// The control's enabled flag is the widget's own (what it was last set to),
// not whether some ancestor is disabled.

#include "button/button.h"
#include "button/host.h"
#include "platform/gdi/dc.h"

#include <QSize>
#include <QWidget>
#include <memory>
#include <string>

namespace bastara::toolkit {

// What the container tells its controls.
struct AmbientSettings {
    bool userMode = true; // false while a designer edits the form
    std::u16string displayName; // the control's design name
    button::OleColor backColor = button::kSystemButtonFace; // the container's
    bool displayAsDefault = false;
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
    // The host services the control sees.
    button::Host& services();

    void setAmbient(AmbientSettings ambient);
    const AmbientSettings& ambient() const { return m_ambient; }

    // Resizes the widget and runs the control's resize handling before
    // returning (hidden widgets get Qt's resize event only later).
    void setSizePixels(int width, int height);

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
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class Services;
    friend class Services;

    void applySize(QSize size);
    void refreshFromControl();
    void queueDesignMessage(const QString& text, const QString& title);
    void applyCursor();

    AmbientSettings m_ambient;
    gdi::BitmapRef m_surface;
    std::unique_ptr<gdi::DeviceContext> m_surfaceDC;
    QSize m_reportedSize { -1, -1 };
    bool m_surfaceCurrent = false;
    bool m_painting = false;
    int m_paintsRaised = 0;

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

} // namespace bastara::toolkit
