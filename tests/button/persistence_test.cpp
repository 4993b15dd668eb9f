#include "button/option_group.h"
#include "button_test_support.h"
#include "platform/gdi/sys_colors.h"
#include "platform/window/widget_bridge.h"

#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    constexpr OleColor kRed { 0x0000FF };
    constexpr OleColor kWhite { 0xFFFFFF };

    PictureRef icon()
    {
        return test::iconPicture(
            gdi::createDibSection(8, 8), gdi::Bitmap::create(8, 8, gdi::PixelFormat::Mono1));
    }

    // A control on its own host, loaded from `stored` or new; inside a real
    // container window when one is given (option groups need one).
    struct Control {
        explicit Control(const PropertySet& stored = {}, QWidget* container = nullptr)
        {
            if (container) {
                window.emplace(container);
                host.handle = window::handleOf(&*window);
                host.container = window::handleOf(container);
            }
            host.bag = stored;
            button.emplace(host);
            host.control = &*button;
        }
        Button& operator*() { return *button; }
        Button* operator->() { return &*button; }

        std::optional<QWidget> window;
        test::FakeHost host;
        std::optional<Button> button;
    };

    // Every property away from its default.
    void setEveryProperty(Button& b)
    {
        b.setButtonStyle(Look::Etched);
        b.setMode(ButtonMode::CheckBox);
        b.setValue(kTrue);
        b.setCaption(u"Sa&ve || \u0628\u0627\u0646\u06A9");
        b.setPicture(test::bitmapPicture({ { 0xFFFFFF, 0x0000FF }, { 0x00FF00, 0x123456 } }));
        b.setPictureAlign(PicturePlacement::RightOfCaption);
        b.setCaptionStyle(CaptionEffect::Embossed);
        b.setCustomClick(ClickMovement::DownLeft);
        b.setButtonShape(Shape::SlantedRight); // centres the caption
        b.setCaptionAlign(CaptionAlignment::Right);
        b.setEnabled(kFalse);
        b.setShowFocusRect(kFalse);
        b.setPictureSize(PictureSizing::Px32);
        ASSERT_TRUE(b.setMouseIcon(icon()).ok());
        ASSERT_TRUE(b.setMousePointer(5).ok());
        ASSERT_TRUE(b.setFont({ u"Liberation Sans", 9.75, 300, true, true, true, 178 }).ok());
        b.setForeColor(OleColor(0x00AA00));
        b.setGradientColor(OleColor(0x123456));
        b.setGradientMode(GradientDirection::BottomToTop);
        b.setBackColor(kRed);
        b.setHoverColorLocks(HoverLock::Neither);
        b.setHoverForeColor(OleColor(0xABCDEF));
        b.setHoverBackColor(OleColor(0x654321));
    }

    class PersistenceTest : public testing::Test
    {
    protected:
        PersistenceTest()
        {
            setEveryProperty(*m_original);
            m_original->onHostWriteProperties();
        }

        const PropertySet& written() const { return m_original.host.bag; }

        gdi::ScopedSystemColors m_pinned { gdi::referenceSystemColors() };
        Control m_original;
    };

    TEST_F(PersistenceTest, EveryPropertySurvivesAWriteAndARead)
    {
        // All keys, in writing order.
        ASSERT_EQ(written().size(), kPersistedKeyCount);
        for (std::size_t i = 0; i < kPersistedKeyCount; ++i)
            EXPECT_TRUE(
                PropertySet::keysEqual(written().entries()[i].key, persistedProperties()[i].key));

        Control loaded(written());
        loaded->onHostReadProperties();
        Button& a = *m_original;
        Button& b = *loaded;
        EXPECT_EQ(b.ButtonStyle(), a.ButtonStyle());
        EXPECT_EQ(b.Mode(), a.Mode());
        EXPECT_EQ(b.Caption(), a.Caption());
        EXPECT_EQ(b.CaptionAlign(), a.CaptionAlign());
        EXPECT_EQ(b.CaptionStyle(), a.CaptionStyle());
        EXPECT_EQ(b.CustomClick(), a.CustomClick());
        EXPECT_EQ(b.ButtonShape(), a.ButtonShape());
        EXPECT_EQ(PictureValue::fromPicture(b.Picture()), PictureValue::fromPicture(a.Picture()));
        EXPECT_EQ(b.Picture()->bitmap()->colorAt(1, 1), 0x123456u);
        EXPECT_EQ(b.PictureAlign(), a.PictureAlign());
        EXPECT_EQ(b.Enabled(), a.Enabled());
        EXPECT_EQ(b.ShowFocusRect(), a.ShowFocusRect());
        EXPECT_EQ(b.Value(), a.Value());
        EXPECT_EQ(b.PictureSize(), a.PictureSize());
        EXPECT_EQ(b.MousePointer(), a.MousePointer());
        EXPECT_EQ(
            PictureValue::fromPicture(b.MouseIcon()), PictureValue::fromPicture(a.MouseIcon()));
        EXPECT_EQ(b.Font(), a.Font());
        EXPECT_EQ(b.FontStyle(), a.FontStyle());
        EXPECT_EQ(b.ForeColor(), a.ForeColor());
        EXPECT_EQ(b.BackColor(), a.BackColor());
        EXPECT_EQ(b.GradientColor(), a.GradientColor());
        EXPECT_EQ(b.GradientMode(), a.GradientMode());
        EXPECT_EQ(b.HoverColorLocks(), a.HoverColorLocks());
        EXPECT_EQ(b.HoverForeColor(), a.HoverForeColor());
        EXPECT_EQ(b.HoverBackColor(), a.HoverBackColor());
        EXPECT_EQ(loaded.host.keys, u"v");
        // Loading reports no change: the form is as it was stored.
        EXPECT_TRUE(loaded.host.changed.empty());
        EXPECT_EQ(b.state().delayDrawing, kFalse);
    }

    struct Breakage {
        PersistedKey key;
        PropertyValue value;
    };

    // A value of the wrong type, bytes that are no picture, a size the control
    // cannot hold or something the window refuses: that property keeps what
    // it had (a new control's), and every other key still loads.
    TEST_F(PersistenceTest, AKeyThatCannotBeReadLeavesItsPropertyAndTheRestLoad)
    {
        std::vector<Breakage> breakages;
        for (const PersistedProperty& row : persistedProperties())
            breakages.push_back({ row.id,
                std::holds_alternative<std::u16string>(row.defaultValue)
                    ? PropertyValue(std::int32_t(5))
                    : PropertyValue(std::u16string(u"5")) });
        const PictureValue damaged = PictureValue::fromFileBytes({ 'B', 'M', 7 });
        breakages.push_back({ PersistedKey::Image, damaged });
        breakages.push_back({ PersistedKey::MouseIcon, damaged });
        breakages.push_back(
            { PersistedKey::MouseIcon, PictureValue::fromPicture(m_original->Picture()) });
        breakages.push_back({ PersistedKey::ImgSize, std::int16_t(20) });
        breakages.push_back({ PersistedKey::MousePointer, std::int16_t(50) });
        breakages.push_back({ PersistedKey::Font, FontDescription { u"", 12 } });

        Control fresh;
        for (const Breakage& broken : breakages) {
            SCOPED_TRACE(std::string(keyOf(broken.key).begin(), keyOf(broken.key).end()));
            PropertySet stored = written();
            stored.write(keyOf(broken.key), broken.value);
            Control loaded(stored);
            loaded->onHostReadProperties();
            for (const PersistedProperty& row : persistedProperties()) {
                PropertyValue expected = m_original->storedValue(row.id);
                if (row.id == broken.key)
                    expected = fresh->storedValue(row.id);
                // The icon read just before sets the pointer to "custom".
                if (row.id == broken.key && row.id == PersistedKey::MousePointer)
                    expected = kPointerCustomIcon;
                EXPECT_EQ(loaded->storedValue(row.id), expected)
                    << std::string(row.key.begin(), row.key.end());
            }
        }
    }

    struct LoadCase {
        const char* name;
        std::function<void(PropertySet&, test::FakeHost&)> store;
        std::function<void(Button&)> check;
    };

    TEST(LoadingTest, AbsentKeysTakeTheirReadingDefaults)
    {
        gdi::ScopedSystemColors pinned { gdi::referenceSystemColors() };
        const LoadCase cases[] = {
            { "no Mode or Value: a command button", [](PropertySet&, test::FakeHost&) {},
                [](Button& b) {
                    EXPECT_EQ(b.Mode(), ButtonMode::Command);
                    EXPECT_EQ(b.Value(), kFalse);
                    EXPECT_EQ(b.CaptionAlign(), CaptionAlignment::Center);
                    EXPECT_EQ(b.GradientColor(), kSystemButtonFace);
                } },
            { "no cBack: the form's back colour, also for hovering",
                [](PropertySet&, test::FakeHost& host) { host.formBackColor = kWhite; },
                [](Button& b) {
                    EXPECT_EQ(b.BackColor(), kWhite);
                    EXPECT_EQ(b.HoverBackColor(), kWhite);
                } },
            { "no cBHover: the back colour read",
                [](PropertySet& set, test::FakeHost&) { set.write(u"cback", kRed); },
                [](Button& b) { EXPECT_EQ(b.HoverBackColor(), kRed); } },
            { "ImgSize 40 is PictureSize 3",
                [](PropertySet& set, test::FakeHost&) { set.write(u"imgsize", std::int16_t(40)); },
                [](Button& b) { EXPECT_EQ(b.PictureSize(), PictureSizing::FillButton); } },
            { "no Font: the window keeps its own",
                [](PropertySet&, test::FakeHost& host) { host.windowFont = test::formFont(9); },
                [](Button& b) { EXPECT_EQ(b.Font(), test::formFont(9)); } },
            { "Booleans and colours stored as integers",
                [](PropertySet& set, test::FakeHost&) {
                    set.write(u"focus", std::int32_t(0));
                    set.write(u"value", std::int16_t(1));
                    set.write(u"cback", std::int32_t(-2147483633));
                },
                [](Button& b) {
                    EXPECT_EQ(b.ShowFocusRect(), kFalse);
                    EXPECT_EQ(b.Value().value(), -1);
                    EXPECT_EQ(b.BackColor(), kSystemButtonFace);
                } },
            { "an icon without a pointer: the pointer read after it wins",
                [](PropertySet& set, test::FakeHost&) {
                    set.write(u"micon", PictureValue::fromPicture(icon()));
                },
                [](Button& b) {
                    EXPECT_TRUE(b.MouseIcon());
                    EXPECT_EQ(b.MousePointer(), kPointerDefault);
                } },
            { "values the setters would refuse are taken as stored",
                [](PropertySet& set, test::FakeHost&) {
                    set.write(u"shape", std::int32_t(7));
                    set.write(u"mode", std::int32_t(0));
                    set.write(u"value", kTrue);
                    set.write(u"backstyle", std::int32_t(12));
                    set.write(u"capalign", std::int32_t(7));
                    set.write(u"imgalign", std::int32_t(-1));
                    set.write(u"gradient", std::int32_t(9));
                    set.write(u"capstyle", std::int32_t(3));
                    set.write(u"customclick", std::int32_t(40));
                    set.write(u"image", PictureValue::fromPicture(test::solidPicture(4, 4, 0)));
                },
                [](Button& b) {
                    EXPECT_EQ(b.ButtonShape(), Shape::PictureFramed);
                    EXPECT_EQ(b.Value(), kTrue);
                    EXPECT_EQ(b.ButtonStyle(), Look(12));
                } },
        };
        for (const LoadCase& c : cases) {
            SCOPED_TRACE(c.name);
            PropertySet stored;
            Control loaded;
            c.store(stored, loaded.host);
            loaded.host.bag = stored;
            loaded->onHostReadProperties();
            c.check(*loaded);
        }
    }

    TEST(LoadingTest, AStoredOptionButtonJoinsItsGroup)
    {
        QWidget form;
        PropertySet stored;
        stored.write(u"mode", std::int32_t(2));
        stored.write(u"value", kTrue);
        Control first(stored, &form);
        first->onHostReadProperties();
        Control second(stored, &form);
        second->onHostReadProperties();
        EXPECT_EQ(optionGroupEntries(window::handleOf(&form)),
            (std::vector { first->hwnd(), second->hwnd() }));
        // The later True button takes the selection; the other one's change
        // is a real one.
        EXPECT_EQ(first->Value(), kFalse);
        EXPECT_EQ(second->Value(), kTrue);
        EXPECT_EQ(first.host.changed, std::vector<std::u16string> { u"Value" });
    }

    TEST(NewControlTest, StartsFromTheFormAndStoresWhatDiffersFromTheDefaults)
    {
        gdi::ScopedSystemColors pinned { gdi::referenceSystemColors() };
        Control placed;
        placed.host.runMode = false;
        placed.host.name = u"Button3";
        placed.host.formFontValue = test::formFont(9);
        ASSERT_TRUE(placed->onHostInitProperties().ok());
        EXPECT_EQ(placed->Caption(), u"Button3");
        EXPECT_EQ(placed->Font(), test::formFont(9));
        EXPECT_EQ(placed.host.tagText, u"0");
        EXPECT_EQ(placed.host.changed,
            (std::vector<std::u16string> {
                u"Caption", u"CapAlign", u"Focus", u"cFHover", u"cBHover", u"Font" }));

        placed->onHostWriteProperties();
        std::vector<std::u16string> keys;
        for (const auto& entry : placed.host.bag.entries())
            keys.push_back(entry.key);
        // A new control's gradient colour is black, not the face; its picture
        // size has never been read, so it is stored as 0.
        EXPECT_EQ(keys,
            (std::vector<std::u16string> {
                u"Caption", u"Font", u"cGradient", u"Mode", u"Value", u"ImgSize", u"cBack" }));

        // A font the window refuses is the initialisation's error.
        Control refused;
        refused.host.formFontValue = FontDescription();
        EXPECT_FALSE(refused->onHostInitProperties().ok());
    }

} // namespace
} // namespace bastara::button
