#include "button_test_support.h"
#include "platform/gdi/sys_colors.h"
#include "platform/window/regions.h"
#include "platform/window/widget_bridge.h"

#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    constexpr OleColor kRed { 0x0000FF };
    constexpr OleColor kBlue { 0xFF0000 };
    constexpr OleColor kGreen { 0x00FF00 };

    PictureRef bitmap()
    {
        return test::solidPicture(8, 8, 0x00FF00);
    }
    PictureRef icon()
    {
        return test::iconPicture(
            gdi::createDibSection(8, 8), gdi::Bitmap::create(8, 8, gdi::PixelFormat::Mono1));
    }

    class SettersTest : public testing::Test
    {
    protected:
        SettersTest()
        {
            m_host.control = &m_button;
            m_button.onHostResize();
        }

        ButtonState& state() { return m_button.state(); }

        gdi::ScopedSystemColors m_pinned { gdi::referenceSystemColors() };
        test::FakeHost m_host;
        Button m_button { m_host };
    };

    using Action = std::function<void(Button&)>;

    struct Refusal {
        const char* name;
        Action prepare;
        Action refused;
        std::u16string text;
        std::u16string title = {};
    };

    // Each refusal explains itself in a designer, with exactly these words,
    // and is silent in a running program.
    TEST_F(SettersTest, RefusalsExplainThemselvesOnlyInADesigner)
    {
        const Refusal refusals[] = {
            { "caption align under a top picture",
                [](Button& b) {
                    b.setPicture(bitmap());
                    b.setPictureAlign(PicturePlacement::TopCenter);
                },
                [](Button& b) { b.setCaptionAlign(CaptionAlignment::Left); },
                u"When button images are aligned top/bottom center, \n"
                u"button captions can only be center aligned" },
            { "custom click on a plain shape", [](Button&) {},
                [](Button& b) { b.setCustomClick(ClickMovement::Down); },
                u"This property has no effect unless the Button Shape is a custom shape." },
            { "picture shape without a picture", [](Button&) {},
                [](Button& b) { b.setButtonShape(Shape::PictureFramed); },
                u"The Picture Property must be assigned first and must be a bitmap or JPEG." },
            { "icon on a picture shape",
                [](Button& b) {
                    b.setPicture(bitmap());
                    b.setButtonShape(Shape::PictureRimmed);
                },
                [](Button& b) { b.setPicture(icon()); },
                u"Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\n"
                u"Button was changed to Rectangular shaped." },
            { "picture size of a picture shape",
                [](Button& b) {
                    b.setPicture(bitmap());
                    b.setButtonShape(Shape::PictureFramed);
                },
                [](Button& b) { b.setPictureSize(PictureSizing::Px24); },
                u"The picture size cannot be changed for Shaped buttons" },
            { "focus rectangle of a default button",
                [](Button& b) { b.state().stateFlags |= kFlagDefaultLook; },
                [](Button& b) { b.setShowFocusRect(kFalse); },
                u"The focus rectangle may appear on default buttons ONLY while in design mode, \n"
                u"but will not appear when the form is running." },
            { "a bitmap as mouse icon", [](Button&) {},
                [](Button& b) { EXPECT_FALSE(b.setMouseIcon(bitmap()).ok()); }, u"Invalid picture",
                u"Select .ico Or .cur Files Only" },
        };
        for (const Refusal& r : refusals) {
            SCOPED_TRACE(r.name);
            for (const bool running : { true, false }) {
                test::FakeHost host;
                Button button(host);
                host.control = &button;
                button.onHostResize();
                host.runMode = running;
                r.prepare(button);
                host.messages.clear();
                r.refused(button);
                if (running) {
                    EXPECT_TRUE(host.messages.empty());
                } else {
                    ASSERT_EQ(host.messages.size(), 1u);
                    EXPECT_EQ(host.messages[0].text, r.text);
                    EXPECT_EQ(host.messages[0].title, r.title);
                }
            }
        }
    }

    struct Notification {
        const char* name;
        Action set;
        std::u16string_view key;
    };

    // Each setter reports its stored key, not its property's name.
    TEST_F(SettersTest, EachSetterReportsItsStoredKey)
    {
        const Notification cases[] = {
            { "ButtonStyle", [](Button& b) { b.setButtonStyle(Look::Etched); }, u"BackStyle" },
            { "Caption", [](Button& b) { b.setCaption(u"x"); }, u"Caption" },
            { "CaptionAlign", [](Button& b) { b.setCaptionAlign(CaptionAlignment::Left); },
                u"CapAlign" },
            { "CaptionStyle", [](Button& b) { b.setCaptionStyle(CaptionEffect::Engraved); },
                u"CapStyle" },
            { "CustomClick", [](Button& b) { b.setCustomClick(ClickMovement::Up); },
                u"CustomClick" },
            { "ButtonShape", [](Button& b) { b.setButtonShape(Shape::Oval); }, u"Shape" },
            { "Picture", [](Button& b) { b.setPicture(bitmap()); }, u"Image" },
            { "PictureAlign", [](Button& b) { b.setPictureAlign(PicturePlacement::RightEdge); },
                u"ImgAlign" },
            { "Enabled", [](Button& b) { b.setEnabled(kFalse); }, u"Enabled" },
            { "ShowFocusRect", [](Button& b) { b.setShowFocusRect(kFalse); }, u"Focus" },
            { "PictureSize", [](Button& b) { b.setPictureSize(PictureSizing::Px32); }, u"ImgSize" },
            { "MousePointer", [](Button& b) { (void)b.setMousePointer(3); }, u"mPointer" },
            // Clearing the icon is a change too.
            { "MouseIcon none", [](Button& b) { (void)b.setMouseIcon(nullptr); }, u"mIcon" },
            { "Font", [](Button& b) { (void)b.setFont(test::formFont(9)); }, u"Font" },
            { "FontStyle", [](Button& b) { (void)b.setFontStyle(4); }, u"Font" },
            { "ForeColor", [](Button& b) { b.setForeColor(kRed); }, u"cFore" },
            { "BackColor", [](Button& b) { b.setBackColor(kRed); }, u"cBack" },
            { "GradientColor", [](Button& b) { b.setGradientColor(kRed); }, u"cGradient" },
            { "GradientMode", [](Button& b) { b.setGradientMode(GradientDirection::TopToBottom); },
                u"Gradient" },
            { "HoverColorLocks", [](Button& b) { b.setHoverColorLocks(HoverLock::Neither); },
                u"LockHover" },
            { "HoverForeColor", [](Button& b) { b.setHoverForeColor(kGreen); }, u"cFHover" },
            { "HoverBackColor", [](Button& b) { b.setHoverBackColor(kGreen); }, u"cBHover" },
        };
        for (const Notification& c : cases) {
            SCOPED_TRACE(c.name);
            m_host.changed.clear();
            c.set(m_button);
            ASSERT_FALSE(m_host.changed.empty());
            EXPECT_EQ(m_host.changed.back(), c.key);
        }
    }

    struct CaptionAlignCase {
        const char* name;
        PicturePlacement pictureAlign;
        bool withPicture;
        CaptionAlignment requested;
        CaptionAlignment result;
    };

    TEST_F(SettersTest, CaptionAlignYieldsToAPictureAboveOrBelow)
    {
        using enum CaptionAlignment;
        using enum PicturePlacement;
        const CaptionAlignCase cases[] = {
            { "top picture", TopCenter, true, Left, Center },
            { "bottom picture", BottomCenter, true, Right, Center },
            { "top without a picture", TopCenter, false, Left, Left },
            { "picture beside", RightOfCaption, true, Right, Right },
        };
        for (const CaptionAlignCase& c : cases) {
            SCOPED_TRACE(c.name);
            m_button.setPicture(c.withPicture ? bitmap() : nullptr);
            state().pictureAlign = c.pictureAlign;
            state().captionAlign = Center;
            m_button.setCaptionAlign(c.requested);
            EXPECT_EQ(m_button.CaptionAlign(), c.result);
        }
    }

    TEST_F(SettersTest, APictureAboveOrBelowCentresTheCaption)
    {
        for (int align = 0; align <= 6; ++align) {
            SCOPED_TRACE(align);
            state().pictureAlign = PicturePlacement::LeftEdge;
            state().captionAlign = CaptionAlignment::Right;
            m_button.setPictureAlign(PicturePlacement(align));
            EXPECT_EQ(m_button.CaptionAlign(),
                align == 4 || align == 5 ? CaptionAlignment::Center : CaptionAlignment::Right);
            // Out of range is ignored.
            EXPECT_EQ(m_button.PictureAlign(), PicturePlacement(align == 6 ? 0 : align));
        }
    }

    TEST_F(SettersTest, EveryShapeChangeCentresTheCaptionUnreported)
    {
        m_button.setPicture(bitmap());
        // Starting with the shape it has.
        for (int shape = 0; shape <= 8; ++shape) {
            SCOPED_TRACE(shape);
            state().captionAlign = CaptionAlignment::Left;
            m_host.changed.clear();
            m_button.setButtonShape(Shape(shape));
            EXPECT_EQ(m_button.CaptionAlign(), CaptionAlignment::Center);
            EXPECT_EQ(m_host.changed.back(), u"Shape");
            EXPECT_EQ(std::ranges::count(m_host.changed, u"CapAlign"), 0);
        }
    }

    struct PictureShapeCase {
        const char* name;
        std::function<PictureRef()> picture;
        Shape shape;
        PictureSizing size;
    };

    TEST_F(SettersTest, PictureShapesNeedABitmapAndSizeItToTheButton)
    {
        const PictureShapeCase cases[] = {
            { "no picture", [] { return PictureRef(); }, Shape::Rectangle, PictureSizing::Px16 },
            { "an icon", icon, Shape::Rectangle, PictureSizing::Px16 },
            { "a bitmap", bitmap, Shape::PictureFramed, PictureSizing::FitButton },
        };
        for (const PictureShapeCase& c : cases) {
            SCOPED_TRACE(c.name);
            test::FakeHost host;
            Button button(host);
            host.control = &button;
            button.onHostResize();
            button.setPicture(c.picture());
            button.setButtonShape(Shape::PictureFramed);
            EXPECT_EQ(button.ButtonShape(), c.shape);
            EXPECT_EQ(button.PictureSize(), c.size);
        }
    }

    TEST_F(SettersTest, APictureShapeWithoutABitmapBecomesARectangle)
    {
        for (const PictureRef& replacement : { icon(), PictureRef() }) {
            m_button.setPicture(bitmap());
            m_button.setButtonShape(Shape::PictureRimmed);
            ASSERT_EQ(m_button.ButtonShape(), Shape::PictureRimmed);
            m_button.setPicture(replacement);
            EXPECT_EQ(m_button.ButtonShape(), Shape::Rectangle);
        }
    }

    // Mend: a shape set inside a caller's DelayDrawing bracket gets its
    // outline at once, not at the next real resize.
    TEST_F(SettersTest, AShapeChangedWhileDrawingIsDelayedGetsItsOutline)
    {
        m_button.DelayDrawing(kTrue);
        m_button.setButtonShape(Shape::SlantedLeft);
        EXPECT_GT(state().shapeLeft, 0);
        EXPECT_EQ(state().delayDrawing, kFalse);
    }

    struct HoverLockCase {
        const char* name;
        HoverLock start;
        Action set;
        HoverLock result;
    };

    TEST_F(SettersTest, HoverColoursOfTheirOwnUnlockTheHoverColours)
    {
        using enum HoverLock;
        const OleColor back = kSystemButtonFace;
        const HoverLockCase cases[] = {
            { "hover face set to the face", Both, [back](Button& b) { b.setHoverBackColor(back); },
                Both },
            { "hover face of its own", Both, [](Button& b) { b.setHoverBackColor(kRed); },
                ForeOnly },
            { "hover face of its own, text free", BackOnly,
                [](Button& b) { b.setHoverBackColor(kRed); }, Neither },
            { "hover text of its own", Both, [](Button& b) { b.setHoverForeColor(kRed); },
                BackOnly },
            { "hover text of its own, face free", ForeOnly,
                [](Button& b) { b.setHoverForeColor(kRed); }, Neither },
            { "hover text set to the text", ForeOnly,
                [](Button& b) { b.setHoverForeColor(kSystemButtonText); }, ForeOnly },
            { "text colour under lock", Both, [](Button& b) { b.setForeColor(kBlue); }, Both },
            { "face colour without gradient", Both, [](Button& b) { b.setBackColor(kGreen); },
                Both },
        };
        for (const HoverLockCase& c : cases) {
            SCOPED_TRACE(c.name);
            state().backColor = back;
            state().hoverBackColor = kBlue; // not the face: setting the face is a change
            state().hoverForeColor = kGreen;
            state().gradientMode = GradientDirection::None;
            state().gradientColor = kBlue;
            m_host.textColour = kSystemButtonText;
            state().hoverLocks = c.start;
            c.set(m_button);
            EXPECT_EQ(m_button.HoverColorLocks(), c.result);
        }
        // Locked colours follow the text colour, and the face or, with a
        // gradient, its second colour.
        state().gradientMode = GradientDirection::LeftToRight;
        m_button.setHoverColorLocks(Both);
        EXPECT_EQ(m_button.HoverBackColor(), kBlue);
        m_button.setBackColor(kGreen);
        EXPECT_EQ(m_button.HoverBackColor(), kBlue);
        m_button.setGradientMode(GradientDirection::None);
        EXPECT_EQ(m_button.HoverBackColor(), kGreen);
        m_button.setBackColor(kRed);
        EXPECT_EQ(m_button.HoverBackColor(), kRed);
        m_button.setForeColor(kBlue);
        EXPECT_EQ(m_button.HoverForeColor(), kBlue);
        EXPECT_EQ(m_button.HoverColorLocks(), Both);
    }

    TEST_F(SettersTest, ResetDefaultColorsActsOnlyInADesigner)
    {
        m_button.setForeColor(kRed);
        m_button.setBackColor(kRed);
        m_button.setGradientMode(GradientDirection::LeftToRight);
        m_button.setHoverColorLocks(HoverLock::Neither);
        m_button.setHoverBackColor(kBlue);

        m_button.setResetDefaultColors(kTrue);
        EXPECT_EQ(m_button.BackColor(), kRed);
        EXPECT_EQ(m_button.GradientMode(), GradientDirection::LeftToRight);

        m_host.runMode = false;
        m_host.changed.clear();
        m_button.setResetDefaultColors(kTrue);
        EXPECT_EQ(m_button.BackColor(), kSystemButtonFace);
        EXPECT_EQ(m_button.ForeColor(), kSystemButtonText);
        EXPECT_EQ(m_button.GradientColor(), kSystemButtonFace);
        EXPECT_EQ(m_button.GradientMode(), GradientDirection::None);
        EXPECT_EQ(m_button.HoverColorLocks(), HoverLock::Both);
        EXPECT_EQ(m_button.HoverBackColor(), kSystemButtonFace);
        EXPECT_EQ(m_button.HoverForeColor(), kSystemButtonText);
        EXPECT_EQ(m_button.ResetDefaultColors(), kFalse);
        ASSERT_GE(m_host.changed.size(), 2u);
        EXPECT_EQ(m_host.changed.end()[-2], u"cGradient");
        EXPECT_EQ(m_host.changed.end()[-1], u"cBack");
    }

    struct AccessKeyCase {
        std::u16string_view caption;
        std::u16string_view key;
    };

    TEST_F(SettersTest, TheLastUnpairedAmpersandMarksTheAccessKey)
    {
        // In order: a caption without "&" keeps the key before it.
        const AccessKeyCase cases[] = {
            { u"Sa&ve", u"v" },
            { u"Plain", u"v" },
            { u"End&", u"" },
            { u"&One &Two", u"T" },
            { u"Save && Exit", u"" },
            { u"A&&B&c", u"c" },
            { u"&&&x", u"x" },
            { u"x&&&", u"" },
            { u"\u0633\u0627&\u062E\u062A", u"\u062E" },
        };
        for (const AccessKeyCase& c : cases) {
            m_button.setCaption(std::u16string(c.caption));
            EXPECT_EQ(m_host.keys, c.key) << std::string(c.caption.begin(), c.caption.end());
        }
    }

    TEST_F(SettersTest, FontStyleSetsBoldItalicAndUnderlineFromItsBits)
    {
        FontDescription font = test::formFont(12, 400);
        font.italic = true;
        m_host.windowFont = font;
        ASSERT_TRUE(m_button.setFontStyle(10 | 1 | 16).ok()); // the other bits are ignored
        EXPECT_EQ(m_button.FontStyle(), 10);
        EXPECT_EQ(m_host.windowFont->weight, 700);
        EXPECT_FALSE(m_host.windowFont->italic);
        EXPECT_TRUE(m_host.windowFont->underline);
    }

    // Mend: only hiding the focus rectangle drops the default look.
    TEST_F(SettersTest, OnlyHidingTheFocusRectangleDropsTheDefaultLookAtRunTime)
    {
        state().stateFlags |= kFlagDefaultLook;
        m_button.setShowFocusRect(kTrue);
        EXPECT_TRUE(state().isDefaultLook());
        m_host.runMode = false;
        m_button.setShowFocusRect(kFalse);
        EXPECT_TRUE(state().isDefaultLook());
        m_host.runMode = true;
        m_button.setShowFocusRect(kFalse);
        EXPECT_FALSE(state().isDefaultLook());
        EXPECT_EQ(m_button.ShowFocusRect(), kFalse);
    }

    // The etched look cuts two corner pixels only while enabled.
    TEST(EnabledTest, TheEtchedLookSquaresItsCornersWhileDisabled)
    {
        QWidget window;
        test::FakeHost host(60, 20);
        host.handle = window::handleOf(&window);
        Button button(host);
        host.control = &button;
        button.onHostResize();
        button.setButtonStyle(Look::Etched);
        auto cornerCut = [&] {
            gdi::Region region;
            (void)window::getWindowRegion(host.handle, region);
            return !region.contains(0, 19);
        };
        EXPECT_TRUE(cornerCut());
        button.setEnabled(kFalse);
        EXPECT_FALSE(cornerCut());
        button.setEnabled(kTrue);
        EXPECT_TRUE(cornerCut());
    }

    TEST_F(SettersTest, PointersTheWindowRefusesAreTheSettersError)
    {
        EXPECT_FALSE(m_button.setMousePointer(70000).ok());
        EXPECT_FALSE(m_button.setMousePointer(50).ok());
        EXPECT_EQ(m_button.MousePointer(), 0);
        ASSERT_TRUE(m_button.setMouseIcon(icon()).ok());
        EXPECT_EQ(m_button.MousePointer(), kPointerCustomIcon);
        ASSERT_TRUE(m_button.setMouseIcon(nullptr).ok());
        EXPECT_EQ(m_button.MousePointer(), kPointerCustomIcon);
        EXPECT_EQ(m_button.setFont(FontDescription()).error().description, u"Invalid font");
    }

    // Mend: a FontStyle that changes nothing says so instead of succeeding.
    TEST_F(SettersTest, AFontStyleTheWindowCannotTakeIsTheSettersError)
    {
        FontDescription unnamed = test::formFont();
        unnamed.name.clear();
        const std::optional<FontDescription> windowFonts[] = { std::nullopt, unnamed };
        for (const std::optional<FontDescription>& font : windowFonts) {
            m_host.windowFont = font;
            m_host.changed.clear();
            EXPECT_FALSE(m_button.setFontStyle(kFontStyleBold).ok());
            EXPECT_EQ(m_host.windowFont, font);
            EXPECT_TRUE(m_host.changed.empty());
        }
    }

} // namespace
} // namespace bastara::button
