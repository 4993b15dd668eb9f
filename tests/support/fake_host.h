#pragma once

// A test double of the button's host: every service is a plain field the test
// sets or reads, and the window surface is a colour bitmap the test inspects.
//
//     FakeHost host(60, 20);
//     Button button(host);
//     host.control = &button;        // setSizePixels runs the button's resize
//     button.onHostResize();
//     host.surface->colorAt(0, 0);
//
// Header-only, so the benchmarks can use it too.

#include "button/button.h"
#include "button/host.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"

#include <memory>
#include <string>
#include <vector>

namespace bastara::button::test {

// What the window shows before the control draws there.
inline constexpr gdi::ColorRef kUndrawnSurface = 0x123456;

inline FontDescription formFont(double points = 12, std::int32_t weight = 700)
{
    FontDescription font;
    font.name = u"Times New Roman";
    font.points = points;
    font.weight = weight;
    return font;
}

class FakeHost : public Host
{
public:
    explicit FakeHost(std::int32_t initialWidth = 60, std::int32_t initialHeight = 20)
    {
        resizeSurface(initialWidth, initialHeight);
    }

    // Sets the inner size and makes a new surface of that size (as a window
    // does), without telling the control.
    void resizeSurface(std::int32_t newWidth, std::int32_t newHeight)
    {
        width = newWidth;
        height = newHeight;
        surface = gdi::createBitmap(width, height, 1, 32);
        surface->fill(kUndrawnSurface);
        if (!surfaceDC)
            surfaceDC = gdi::createDisplayDC(surface);
        else
            surfaceDC->selectObject(surface);
    }

    bool userMode() const override { return runMode; }
    std::u16string displayName() const override { return name; }
    OleColor ambientBackColor() const override { return containerBackColor; }
    bool displayAsDefault() const override { return isDefault; }
    FontDescription parentFont() const override { return formFontValue; }
    OleColor parentBackColor() const override { return formBackColor; }
    window::WindowHandle containerWindow() const override { return container; }
    window::WindowHandle windowHandle() const override { return handle; }
    gdi::DeviceContext* windowDC() override { return surfaceDC.get(); }
    float scaleWidth() const override { return float(width); }
    float scaleHeight() const override { return float(height); }
    double twipsPerPixel() const override { return 15.0 / pixelRatio; }
    void setSizePixels(std::int32_t newWidth, std::int32_t newHeight) override
    {
        if (newWidth == width && newHeight == height)
            return;
        resizeSurface(newWidth, newHeight);
        if (control)
            control->onHostResize();
    }
    void refreshWindow() override { ++refreshes; }

    std::optional<FontDescription> font() const override { return windowFont; }
    HostResult setFont(const FontDescription& value) override
    {
        if (value.name.empty())
            return Unexpected { HostError { u"Invalid font" } };
        windowFont = value;
        return {};
    }
    OleColor foreColor() const override { return textColour; }
    void setForeColor(OleColor colour) override { textColour = colour; }
    bool enabled() const override { return isEnabled; }
    void setEnabled(bool value) override { isEnabled = value; }
    std::u16string accessKeys() const override { return keys; }
    void setAccessKeys(std::u16string value) override { keys = std::move(value); }
    std::int16_t mousePointer() const override { return pointer; }
    HostResult setMousePointer(std::int16_t value) override
    {
        if (value < 0 || (value > 15 && value != kPointerCustomIcon))
            return Unexpected { HostError { u"Invalid property value" } };
        pointer = value;
        return {};
    }
    PictureRef mouseIcon() const override { return icon; }
    HostResult setMouseIcon(PictureRef value) override
    {
        if (value && value->kind() != gdi::PictureKind::Icon)
            return Unexpected { HostError { u"Invalid picture" } };
        icon = std::move(value);
        return {};
    }
    std::u16string tag() const override { return tagText; }
    void setTag(std::u16string value) override { tagText = std::move(value); }
    PropertyValue readProperty(
        std::u16string_view key, const PropertyValue& defaultValue) const override
    {
        return bag.read(key, defaultValue);
    }
    void writeProperty(std::u16string_view key, const PropertyValue& value,
        const std::optional<PropertyValue>& defaultValue) override
    {
        bag.write(key, value, defaultValue);
    }
    void propertyChanged(std::u16string_view key) override { changed.emplace_back(key); }
    void showDesignMessage(std::u16string text, std::u16string title) override
    {
        messages.push_back({ std::move(text), std::move(title) });
    }

    // Settings.
    bool runMode = true;
    std::u16string name = u"Button1";
    OleColor containerBackColor = kSystemButtonFace;
    bool isDefault = false;
    FontDescription formFontValue = formFont();
    OleColor formBackColor = kSystemButtonFace;
    window::WindowHandle container = 0;
    window::WindowHandle handle = 0;
    std::optional<FontDescription> windowFont = formFont();
    OleColor textColour = kSystemButtonText;
    bool isEnabled = true;
    std::u16string keys;
    std::int16_t pointer = 0;
    PictureRef icon;
    std::u16string tagText;
    PropertySet bag;
    double pixelRatio = 1.0; // device pixels per logical pixel of the screen

    // Observations.
    std::int32_t width = 0;
    std::int32_t height = 0;
    gdi::BitmapRef surface;
    std::unique_ptr<gdi::DeviceContext> surfaceDC;
    int refreshes = 0;
    std::vector<std::u16string> changed;
    struct Message {
        std::u16string text;
        std::u16string title;
    };
    std::vector<Message> messages;
    Button* control = nullptr;
};

} // namespace bastara::button::test
