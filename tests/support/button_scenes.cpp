#include "support/button_scenes.h"

#include "button/arithmetic.h"
#include "button/button.h"
#include "platform/gdi/font_substitutes.h"
#include "platform/gdi/picture.h"
#include "platform/gdi/sys_colors.h"
#include "platform/window/regions.h"
#include "platform/window/widget_bridge.h"
#include "support/fake_host.h"

#include <QWidget>
#include <array>
#include <cmath>

namespace bastara::button::test {

namespace {

    // The main window's create button.
    constexpr std::int32_t kWidth = 137;
    constexpr std::int32_t kHeight = 41;
    const std::u16string kCreateCaption = u"ساخت بانک اطلاعاتي";
    constexpr OleColor kWhiteBack { 0xFFFFFF };
    // A mid blue the gradient scenes run to from the white face.
    constexpr OleColor kGradientColour { 0xD08030 };

    struct Named {
        const char* name; // in file names
        const char* label; // in the gallery
    };

    constexpr std::array<Named, kLookCount> kLookNames { {
        { "classic", "classic" },
        { "framed_bevel", "framed bevel" },
        { "rounded_light", "rounded light" },
        { "etched", "etched" },
        { "thin_edge", "thin edge" },
        { "flat_hover", "flat hover" },
        { "soft_bevel", "soft bevel" },
        { "rounded_dark", "rounded dark" },
    } };

    struct StateName {
        SceneState state;
        Named name;
    };
    constexpr std::array<StateName, 6> kStates { {
        { SceneState::Normal, { "normal", "normal" } },
        { SceneState::DefaultButton, { "default", "default" } },
        { SceneState::Hot, { "hot", "hot" } },
        { SceneState::Pressed, { "pressed", "pressed" } },
        { SceneState::Checked, { "checked", "checked" } },
        { SceneState::Disabled, { "disabled", "disabled" } },
    } };

    struct ShapeName {
        Shape shape;
        Named name;
    };
    constexpr std::array<ShapeName, 8> kShapes { {
        { Shape::SlantedLeft, { "slanted_left", "slanted left" } },
        { Shape::SlantedRight, { "slanted_right", "slanted right" } },
        { Shape::Parallelogram, { "parallelogram", "parallelogram" } },
        { Shape::Oval, { "oval", "oval" } },
        { Shape::OvalPlain, { "oval_plain", "oval plain" } },
        { Shape::OvalFramed, { "oval_framed", "oval framed" } },
        { Shape::PictureFramed, { "picture_framed", "picture framed" } },
        { Shape::PictureRimmed, { "picture_rimmed", "picture rimmed" } },
    } };

    struct GradientName {
        GradientDirection direction;
        Named name;
    };
    constexpr std::array<GradientName, 4> kGradients { {
        { GradientDirection::LeftToRight, { "left_to_right", "left to right" } },
        { GradientDirection::RightToLeft, { "right_to_left", "right to left" } },
        { GradientDirection::TopToBottom, { "top_to_bottom", "top to bottom" } },
        { GradientDirection::BottomToTop, { "bottom_to_top", "bottom to top" } },
    } };

    std::string number(auto value)
    {
        return std::to_string(static_cast<int>(value));
    }

    std::string lookLabel(Look look)
    {
        return number(look) + " " + kLookNames[std::size_t(look)].label;
    }

    std::vector<ButtonScene> makeScenes()
    {
        std::vector<ButtonScene> scenes;
        const std::string shapesRow = "shapes, " + lookLabel(kShapeAndGradientLook);
        const std::string gradientsRow = "gradients, " + lookLabel(kShapeAndGradientLook);
        for (int k = 0; k < kLookCount; ++k) {
            const std::string name = "look" + number(k) + "_" + kLookNames[std::size_t(k)].name;
            for (const StateName& s : kStates)
                scenes.push_back({ name + "_" + s.name.name, lookLabel(Look(k)), s.name.label,
                    Look(k), s.state });
        }
        for (const ShapeName& s : kShapes) {
            const std::string n = number(s.shape);
            scenes.push_back({ "shape" + n + "_" + s.name.name, shapesRow, n + " " + s.name.label,
                kShapeAndGradientLook, SceneState::Normal, s.shape });
        }
        for (const GradientName& g : kGradients) {
            const std::string n = number(g.direction);
            scenes.push_back(
                { "gradient" + n + "_" + g.name.name, gradientsRow, n + " " + g.name.label,
                    kShapeAndGradientLook, SceneState::Normal, Shape::Rectangle, g.direction });
        }
        return scenes;
    }

    // An 82 x 41 green pill with a dark rim on magenta, which its top-left
    // pixel makes transparent: the picture shapes are cut from it at its own
    // size (it fits the 137 x 41 button exactly).
    PictureRef pillPicture()
    {
        constexpr std::int32_t width = 82;
        constexpr std::int32_t height = 41;
        constexpr double radius = 20.5;
        gdi::BitmapRef bitmap = gdi::createDibSection(width, height);
        for (std::int32_t y = 0; y < height; ++y)
            for (std::int32_t x = 0; x < width; ++x) {
                const double dx
                    = std::max(0.0, std::abs(x + 0.5 - width / 2.0) - (width / 2.0 - radius));
                const double dy = y + 0.5 - height / 2.0;
                const double d = std::sqrt(dx * dx + dy * dy);
                gdi::ColorRef c = gdi::rgb(255, 0, 255);
                if (d <= radius - 3.0)
                    c = gdi::rgb(0, 150, 60);
                else if (d <= radius)
                    c = gdi::rgb(0, 80, 30);
                bitmap->setColorAt(x, y, c);
            }
        return std::make_shared<const gdi::Picture>(
            gdi::Picture::fromBitmap(bitmap, gdi::PictureFormat::Bmp));
    }

    bool isPictureShape(Shape shape)
    {
        return shape == Shape::PictureFramed || shape == Shape::PictureRimmed;
    }

    // The properties the create button is stored with, and the scene's own.
    void configure(ButtonState& s, const ButtonScene& scene)
    {
        s.buttonStyle = scene.look;
        s.captionText = kCreateCaption;
        s.captionAlign = CaptionAlignment::Center;
        s.captionStyle = CaptionEffect::Engraved;
        s.showFocusRect = kTrue;
        s.backColor = kWhiteBack;
        // The hover colours follow the normal ones (HoverColorLocks 0), and a
        // button stored without a gradient colour has its face colour there.
        s.hoverBackColor = kWhiteBack;
        s.hoverForeColor = PropertyDefaults::foreColor;
        s.gradientColor = kWhiteBack;
        s.pictureSizePx = 16;

        s.buttonShape = scene.shape;
        if (isPictureShape(scene.shape)) {
            s.picture = pillPicture();
            s.pictureSizePx = 48; // the picture is the whole button
        }
        if (scene.gradient != GradientDirection::None) {
            s.gradientMode = scene.gradient;
            s.gradientColor = kGradientColour;
        }
        switch (scene.state) {
        case SceneState::Normal:
        case SceneState::Disabled:
            break;
        case SceneState::DefaultButton:
            s.stateFlags = kFlagDefaultLook;
            break;
        case SceneState::Hot:
            s.hoverTracking = kTrue;
            s.stateFlags = kFlagMouseInside;
            break;
        case SceneState::Pressed:
            s.stateFlags = kFlagsPressed;
            break;
        case SceneState::Checked:
            s.buttonMode = ButtonMode::CheckBox;
            s.buttonValue = kTrue;
            break;
        }
    }

    // The surface where the window region lets it show, the container
    // elsewhere.
    gdi::BitmapRef windowImage(const FakeHost& host)
    {
        gdi::BitmapRef image = gdi::createDibSection(host.width, host.height);
        gdi::Region region;
        const bool shaped = window::getWindowRegion(host.handle, region) != gdi::RegionKind::Error;
        const gdi::ColorRef container = TranslateColor(host.containerBackColor).colorRef();
        for (std::int32_t y = 0; y < host.height; ++y)
            for (std::int32_t x = 0; x < host.width; ++x)
                image->setColorAt(x, y,
                    !shaped || region.contains(x, y) ? host.surface->colorAt(x, y) : container);
        return image;
    }

} // namespace

const std::vector<ButtonScene>& buttonScenes()
{
    static const std::vector<ButtonScene> scenes = makeScenes();
    return scenes;
}

void PrintTo(const ButtonScene& scene, std::ostream* out)
{
    *out << scene.name;
}

gdi::BitmapRef renderScene(const ButtonScene& scene, double pixelRatio)
{
    gdi::ScopedSystemColors pinned(gdi::referenceSystemColors());
    gdi::installFontSubstitutes();

    // A live window keeps the region a shape cuts it to.
    QWidget window;
    FakeHost host(roundEven(kWidth * pixelRatio), roundEven(kHeight * pixelRatio));
    host.pixelRatio = pixelRatio;
    host.handle = window::handleOf(&window);
    host.isEnabled = scene.state != SceneState::Disabled;
    Button button(host);
    host.control = &button;
    configure(button.state(), scene);
    button.UpdateResources("Picture");
    button.UpdateResources("BackColor");
    button.onHostResize();
    return windowImage(host);
}

} // namespace bastara::button::test
