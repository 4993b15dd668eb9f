#pragma once

// What the control needs of the window that carries it: one interface,
// implemented over Qt by button_host/control_host.h and by a test double.
//
// The host owns the control's window and its surface (the colour bitmap the
// window shows, which hdc names); the control draws into that surface only by
// copying its back buffer there, then asks for refreshWindow(). The control
// never keeps a pointer to anything it gets from here beyond the call.
//
// Host-side truths are plain bool; the control turns them into its own
// Booleans where it stores or reports them.

#include "button/bool16.h"
#include "button/colors.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/picture.h"
#include "platform/properties/property_set.h"
#include "platform/support/result.h"
#include "platform/window/handles.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace bastara::button {

using properties::FontDescription;
using properties::PictureRef;
using properties::PictureValue;
using properties::PropertySet;
using properties::PropertyValue;

// A request the window refused, with the reason in words for the user.
struct HostError {
    std::u16string description;
};
using HostResult = Result<void, HostError>;

class Host
{
public:
    virtual ~Host() = default;

    // Ambient properties of the container.
    virtual bool userMode() const = 0; // true while the program runs, false in a designer
    virtual std::u16string displayName() const = 0; // the control's design name
    virtual OleColor ambientBackColor() const = 0;
    virtual bool displayAsDefault() const = 0; // shown as the form's default button

    // The form the control sits on.
    virtual FontDescription parentFont() const = 0;
    virtual OleColor parentBackColor() const = 0;

    // The window that contains the control's window.
    virtual window::WindowHandle containerWindow() const = 0;

    // The control's own window.
    virtual window::WindowHandle windowHandle() const = 0;
    // Draws into the window's surface; nullptr while there is none.
    virtual gdi::DeviceContext* windowDC() = 0;
    // Inner size in whole pixels (single precision, as the control computes).
    virtual float scaleWidth() const = 0;
    virtual float scaleHeight() const = 0;
    // How many twips a pixel of the window is: 15 at 96 dpi, 15 / r on a
    // screen of r device pixels per logical one. Caption fonts are made at
    // this resolution, so that a 12-point caption is as tall as Qt's own text.
    virtual double twipsPerPixel() const = 0;
    // Resizes the window and runs the control's resize handling before
    // returning, once; the window's own later resize notification for the same
    // size is not passed on again.
    virtual void setSizePixels(std::int32_t width, std::int32_t height) = 0;
    // Shows the surface again, later, from the event loop. Never raises the
    // control's Paint: that would come back into the redraw that asked.
    virtual void refreshWindow() = 0;

    // Properties the window itself holds.
    // nullopt when the font cannot be read.
    virtual std::optional<FontDescription> font() const = 0;
    virtual HostResult setFont(const FontDescription& font) = 0;
    virtual OleColor foreColor() const = 0;
    virtual void setForeColor(OleColor colour) = 0;
    // The control's own enabled flag, not whether an ancestor disables it.
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual std::u16string accessKeys() const = 0;
    virtual void setAccessKeys(std::u16string keys) = 0;
    virtual std::int16_t mousePointer() const = 0;
    // Refused for a pointer code the window does not know.
    virtual HostResult setMousePointer(std::int16_t pointer) = 0;
    virtual PictureRef mouseIcon() const = 0;
    // Refused (nothing changes) for a picture that is neither an icon nor a
    // cursor; nullptr clears the icon.
    virtual HostResult setMouseIcon(PictureRef icon) = 0;
    virtual std::u16string tag() const = 0;
    virtual void setTag(std::u16string tag) = 0;

    // The stored property set. Keys compare without regard to ASCII case.
    // read: the stored value, or defaultValue when the key is absent.
    virtual PropertyValue readProperty(
        std::u16string_view key, const PropertyValue& defaultValue) const = 0;
    // write: stores the value; stores nothing (and forgets what was stored)
    // when it equals defaultValue, so that absent means default. Without a
    // default the value is always stored.
    virtual void writeProperty(std::u16string_view key, const PropertyValue& value,
        const std::optional<PropertyValue>& defaultValue)
        = 0;
    // The persisted property with this key changed: the designer will save it.
    // The control reports nothing while it reads its stored set (what it reads
    // is what is stored), so a form that was only loaded is not modified.
    virtual void propertyChanged(std::u16string_view key) = 0;

    // An information message for the person designing the form (the control
    // asks only in design mode). Shown once the property change under way has
    // finished, never in the middle of it; an empty title means the
    // application's title. Lines break at "\n".
    virtual void showDesignMessage(std::u16string text, std::u16string title) = 0;

    // The control has raised Click and its handler has returned, the control
    // still living: a host that reports clicks its own way does so now. It
    // may end the control.
    virtual void clickRaised() { }
};

} // namespace bastara::button
