#pragma once

// The custom-drawn push button: its public surface and its own routines.
//
//     FakeHost host;                       // or button_host::ControlHost
//     Button button(host);
//     button.onHostResize();               // makes the back buffer, lays out, draws
//     button.events().Click = [] { ... };
//
// Every change ends in one RedrawButton: the renderer of the current look
// paints the face into the back buffer (bufferDC), which is then copied to the
// host's surface in one block, and the host is asked to show it.
//
// The routines named like RedrawButton are the control's own steps, shared by
// its units (colours and fonts, pipeline, layout, primitives, pictures,
// renderers); application code uses the properties, methods and events only.
//
// Ownership: the button owns its state record and every drawing object in it;
// the host must outlive the button. The destructor runs the host's terminate
// handling if the host has not.

#include "button/events.h"
#include "button/host.h"
#include "button/layout.h"
#include "button/liveness.h"
#include "button/painter.h"
#include "button/properties.h"
#include "button/property_keys.h"
#include "button/renderers/renderer.h"
#include "button/state.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace bastara::button {

class Button
{
public:
    explicit Button(Host& host);
    ~Button();
    Button(const Button&) = delete;
    Button& operator=(const Button&) = delete;

    // --- Properties -------------------------------------------------------
    // Getters return what is held; those the window holds ask the host.
    // Each property's default on a new control is in PropertyDefaults.
    Look ButtonStyle() const { return m_state.buttonStyle; }
    ButtonMode Mode() const { return m_state.buttonMode; }
    std::u16string Caption() const { return m_state.captionText; }
    CaptionAlignment CaptionAlign() const { return m_state.captionAlign; }
    CaptionEffect CaptionStyle() const { return m_state.captionStyle; }
    ClickMovement CustomClick() const { return m_state.customClick; }
    Shape ButtonShape() const { return m_state.buttonShape; }
    PictureRef Picture() const { return m_state.picture; }
    PicturePlacement PictureAlign() const { return m_state.pictureAlign; }
    Bool16 Enabled() const { return Bool16(m_host.enabled()); }
    Bool16 ShowFocusRect() const { return m_state.showFocusRect; }
    Bool16 Value() const { return m_state.buttonValue; }
    // Not const: a held size of 0 becomes 16 first.
    PictureSizing PictureSize();
    std::int16_t MousePointer() const { return m_host.mousePointer(); }
    PictureRef MouseIcon() const { return m_host.mouseIcon(); }
    std::optional<FontDescription> Font() const { return m_host.font(); }
    // 2 bold + 4 italic + 8 underline of the current font.
    std::int32_t FontStyle() const;
    OleColor ForeColor() const { return m_host.foreColor(); }
    OleColor BackColor() const { return m_state.backColor; }
    OleColor GradientColor() const { return m_state.gradientColor; }
    GradientDirection GradientMode() const { return m_state.gradientMode; }
    // A write-only action: always reads False.
    Bool16 ResetDefaultColors() const { return kFalse; }
    HoverLock HoverColorLocks() const { return m_state.hoverLocks; }
    OleColor HoverForeColor() const { return m_state.hoverForeColor; }
    OleColor HoverBackColor() const { return m_state.hoverBackColor; }
    // The host window's surface and handle.
    gdi::DeviceContext* hdc() const { return m_host.windowDC(); }
    window::WindowHandle hwnd() const { return m_host.windowHandle(); }

    // --- Property setters -------------------------------------------------
    // Each validates (enumerations outside their values are ignored), stores,
    // recomputes what depends on the property, redraws and tells the host
    // which persisted property changed. Refusals explain themselves to the
    // person designing the form; at run time they are silent.
    void setButtonStyle(Look Style);
    // Entering or leaving option mode joins or leaves the container's group;
    // command mode clears Value.
    void setMode(ButtonMode nMode);
    // The last unpaired "&" marks the access key; "||" is a line break.
    void setCaption(std::u16string sCaption);
    void setCaptionAlign(CaptionAlignment nAlign);
    void setCaptionStyle(CaptionEffect nStyle);
    void setCustomClick(ClickMovement nOpt);
    void setButtonShape(Shape nShape);
    void setPicture(PictureRef xPic);
    void setPictureAlign(PicturePlacement ImgAlign);
    void setEnabled(Bool16 bEnabled);
    void setShowFocusRect(Bool16 bShow);
    // True is refused in command mode; True in option mode clears the group.
    void setValue(Bool16 bValue);
    void setPictureSize(PictureSizing nSize);
    // The window may refuse a pointer, an icon or a font: the refusal is this
    // call's error, as is a FontStyle for a window that holds no font.
    HostResult setMousePointer(std::int32_t nPointer);
    HostResult setMouseIcon(PictureRef nIcon);
    HostResult setFont(const FontDescription& nFont);
    HostResult setFontStyle(std::int32_t nStyle);
    void setForeColor(OleColor nColor);
    void setBackColor(OleColor nColor);
    void setGradientColor(OleColor nColor);
    void setGradientMode(GradientDirection nOpt);
    // A designer's action: back to the system's face and text colours.
    void setResetDefaultColors(Bool16 nDefault);
    void setHoverColorLocks(HoverLock nLock);
    void setHoverForeColor(OleColor nColor);
    void setHoverBackColor(OleColor nColor);

    // --- Methods ----------------------------------------------------------
    // Ends any delay and draws.
    void Refresh();
    // True holds back every redraw until False (which then draws) or anything
    // else that ends the delay: Paint, Refresh, the ForeColor setter, input.
    // Brackets do not nest: one False ends them all.
    void DelayDrawing(Bool16 bDelay);

    ButtonEvents& events() { return m_events; }
    // Reports the control gone once it ends (terminated or destroyed): what
    // raises an event checks it before touching the control again.
    LifeToken::Watch lifeWatch() const { return m_life.watch(); }

    // --- Host notifications -----------------------------------------------
    // Paint always draws and ends any delay.
    void onHostPaint();
    // Remakes the back buffer at the new size; unless drawing is delayed, lays
    // out again and draws.
    void onHostResize();
    // In a designer, shows the default-button look when the container asks.
    void onHostShow();
    // Releases every drawing resource and stops the hover timer; the control
    // draws nothing and raises no event afterwards. Runs once (the destructor
    // calls it if the host did not).
    void onHostTerminate();

    // --- The stored property set (the host's; keys in property_keys.h) ------
    // A control newly placed in a designer: the defaults, the container in
    // Tag, the form's font; reports as changed the keys a save must write. A
    // font the window refuses is the call's error.
    HostResult onHostInitProperties();
    // A control of a form being loaded: reads every key in loading order (a
    // key that fails keeps its property as it was, the others still load),
    // applies the access key, joins the option group, then lays out and draws.
    // Reports no change: what it reads is what is stored.
    void onHostReadProperties();
    // Writes every key in writing order; a value equal to its default is not
    // stored.
    void onHostWriteProperties();
    // What onHostWriteProperties stores under the key.
    PropertyValue storedValue(PersistedKey key) const;

    // --- The control's own routines ---------------------------------------
    ButtonState& state() { return m_state; }
    const ButtonState& state() const { return m_state; }
    Host& host() const { return m_host; }
    RendererTable& renderers() { return m_renderers; }
    // SW and SH: the inner size in pixels.
    float scaleWidth() const { return m_host.scaleWidth(); }
    float scaleHeight() const { return m_host.scaleHeight(); }

    // Rebuilds what the drawing code caches for one topic: "Font" (the caption
    // font in bufferDC), "Picture" (the picture's kind and size) or
    // "BackColor" (the four face colours). Case does not matter; any other
    // topic does nothing.
    void UpdateResources(std::string_view topic);

    void RedrawButton();
    // True while RedrawButton runs: what the window reports meanwhile is a
    // side effect of the redraw's own platform calls.
    bool isRedrawing() const { return m_redrawDepth > 0; }
    // True: makes sure bufferDC and the buffer bitmap exist. False: copies the
    // buffer to the window's surface.
    void ManageBackBuffer(Bool16 create);

    // Recomputes captionRect and pictureRect (measuring with the caption font)
    // and, when asked or when the size needs it, prepares the picture again.
    void CalculateLayout(Bool16 preparePicture);
    // The smallest size that shows the caption unwrapped and the picture
    // whole (layout.h's preferredFaceSize), measured with the caption font.
    // Before the first resize there is no font to measure with: the caption
    // then counts as empty.
    gdi::Size preferredSize() const;

    // The window region of the current shape (and look), the two clip
    // regions of the oval and picture shapes, and the rims they leave in the
    // back buffer. Slanted and picture shapes may resize the window first.
    void BuildShapeRegions();

    // The drawing routines the looks use; they draw into this control's back
    // buffer.
    Painter& painter() { return m_painter; }

private:
    LayoutInput layoutInput() const;
    // Notify-changed: the persisted property with this key changed. Not while
    // the stored set is being read.
    void propertyChanged(PersistedKey key);
    // The access key a caption marks, or nullopt for a caption without "&".
    static std::optional<std::u16string> accessKeyOf(std::u16string_view caption);
    // The resize handling, then (inside a caller's DelayDrawing bracket, which
    // the resize handling respects) the regions and layout of a new shape.
    void resizeForShape();
    // Shown only while a designer edits the form.
    void designMessage(std::u16string text, std::u16string title = {});
    void updateFont();
    void updatePicture();
    void updateFaceColours();
    void frameWindowRegion(std::int32_t frameColour);

    Host& m_host;
    ButtonState m_state;
    Painter m_painter { m_state, m_host };
    RendererTable m_renderers;
    ButtonEvents m_events;
    LifeToken m_life;
    bool m_terminated = false;
    bool m_readingProperties = false;
    int m_redrawDepth = 0;
    // Setters call setters (ResetDefaultColors four deep); a debug build
    // catches a change that would make them call round in a circle.
    int m_setterDepth = 0;
    friend class SetterDepth;
};

} // namespace bastara::button
