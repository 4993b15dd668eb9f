#include "button/option_group.h"
#include "button_test_support.h"
#include "platform/gdi/sys_colors.h"
#include "platform/window/properties.h"
#include "platform/window/widget_bridge.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <list>

namespace bastara::button {
namespace {

    // Option buttons in real container windows: each button has a window of
    // its own (a child of its container) and names the container in its Tag.
    class OptionGroupTest : public testing::Test
    {
    protected:
        struct Member {
            explicit Member(QWidget& container)
                : window(&container)
            {
                host.handle = window::handleOf(&window);
                host.container = window::handleOf(&container);
                host.tagText = toU16(window::windowHandleText(host.container));
            }
            QWidget window;
            test::FakeHost host;
            std::optional<Button> button;
        };

        static std::u16string toU16(const std::string& text)
        {
            return std::u16string(text.begin(), text.end());
        }

        // A new option button in the container, joined as a stored one is.
        Button& join(QWidget& container, Bool16 value = kFalse)
        {
            Member& m = m_members.emplace_back(container);
            Button& b = m.button.emplace(m.host);
            m.host.control = &b;
            b.onHostResize();
            b.state().buttonMode = ButtonMode::Option;
            b.state().buttonValue = value;
            OptionToggle(b, OptionAction::Join);
            return b;
        }

        static std::vector<std::int32_t> entries(QWidget& container)
        {
            return optionGroupEntries(window::handleOf(&container));
        }
        static std::optional<window::PropertyValue> count(QWidget& container)
        {
            return window::getProp(window::handleOf(&container), "kz_OptCount");
        }

        gdi::ScopedSystemColors m_pinned { gdi::referenceSystemColors() };
        QWidget m_form;
        QWidget m_frame;
        std::list<Member> m_members;
    };

    TEST_F(OptionGroupTest, EntriesFollowJoinOrderAndCloseUpWhenOneLeaves)
    {
        Button& a = join(m_form);
        Button& b = join(m_form);
        Button& c = join(m_form);
        EXPECT_EQ(count(m_form), 3);
        EXPECT_EQ(entries(m_form), (std::vector { a.hwnd(), b.hwnd(), c.hwnd() }));

        b.setMode(ButtonMode::CheckBox);
        EXPECT_EQ(count(m_form), 2);
        EXPECT_EQ(entries(m_form), (std::vector { a.hwnd(), c.hwnd() }));
        EXPECT_FALSE(window::getProp(window::handleOf(&m_form), "3kz_Obj"));

        a.setMode(ButtonMode::Command);
        c.setMode(ButtonMode::Command);
        EXPECT_FALSE(count(m_form)); // the last one out removes the count
    }

    TEST_F(OptionGroupTest, SelectingOneClearsTheRestOfItsContainerOnly)
    {
        Button& a = join(m_form, kTrue);
        Button& b = join(m_form);
        Button& c = join(m_form);
        Button& other = join(m_frame, kTrue);

        c.setValue(kTrue);
        EXPECT_EQ(a.Value(), kFalse);
        EXPECT_EQ(b.Value(), kFalse);
        EXPECT_EQ(c.Value(), kTrue);
        EXPECT_EQ(other.Value(), kTrue);
        // The others were redrawn and reported as changed, too.
        EXPECT_EQ(m_members.front().host.changed.back(), u"Value");

        // False clears only the one button: a group may have no selection.
        c.setValue(kFalse);
        EXPECT_EQ(OptionToggle(c, OptionAction::AnySelected), kFalse);
        b.setValue(kTrue);
        EXPECT_EQ(OptionToggle(a, OptionAction::AnySelected), kTrue);
        EXPECT_EQ(OptionToggle(other, OptionAction::AnySelected), kTrue);
    }

    TEST_F(OptionGroupTest, ATrueButtonThatJoinsTakesTheSelection)
    {
        Button& a = join(m_form, kTrue);
        Button& b = join(m_form, kTrue);
        EXPECT_EQ(a.Value(), kFalse);
        EXPECT_EQ(b.Value(), kTrue);
    }

    // Mends: the registry never holds an entry for a button that is gone,
    // never holds a button twice, and a leave by a stranger removes nobody.
    TEST_F(OptionGroupTest, EntriesNeverOutliveOrRepeatTheirButtons)
    {
        Button& a = join(m_form);
        join(m_form);
        Button& c = join(m_form, kTrue);
        const window::WindowHandle first = a.hwnd();
        const window::WindowHandle last = c.hwnd();

        m_members.erase(std::next(m_members.begin())); // B ends
        EXPECT_EQ(entries(m_form), (std::vector { first, last }));
        EXPECT_EQ(c.Value(), kTrue); // leaving at the end clears nobody

        OptionToggle(a, OptionAction::Join);
        EXPECT_EQ(entries(m_form), (std::vector { first, last }));

        Member& stranger = m_members.emplace_back(m_form);
        Button& s = stranger.button.emplace(stranger.host);
        OptionToggle(s, OptionAction::Leave);
        EXPECT_EQ(entries(m_form), (std::vector { first, last }));

        c.setValue(kFalse);
        a.setValue(kTrue);
        EXPECT_EQ(c.Value(), kFalse);
    }

    // Mend: a button read again as a command button is still registered; it
    // leaves when it ends, so the rest of its group keeps working.
    TEST_F(OptionGroupTest, AButtonLeavesAtItsEndWhateverModeItEndsIn)
    {
        Button& a = join(m_form);
        join(m_form);
        Button& c = join(m_form, kTrue);
        Member& second = *std::next(m_members.begin());
        second.host.bag.write(u"Mode", std::int32_t(0));
        second.button->onHostReadProperties();

        m_members.erase(std::next(m_members.begin()));
        EXPECT_EQ(entries(m_form), (std::vector { a.hwnd(), c.hwnd() }));
        a.setValue(kTrue);
        EXPECT_EQ(c.Value(), kFalse);
    }

    TEST_F(OptionGroupTest, ACountBeyondTheIndexRangeEndsTheWalkSilently)
    {
        Button& a = join(m_form);
        ASSERT_TRUE(window::setProp(window::handleOf(&m_form), "kz_OptCount", 40000));
        a.state().buttonValue = kTrue;
        EXPECT_EQ(OptionToggle(a, OptionAction::AnySelected), kFalse);
        EXPECT_EQ(OptionToggle(a, OptionAction::Join), kFalse);
        EXPECT_EQ(count(m_form), 40000);
    }

    TEST_F(OptionGroupTest, ValueTrueIsRefusedInCommandModeWithAMessageOnlyInDesign)
    {
        Member& m = m_members.emplace_back(m_form);
        Button& b = m.button.emplace(m.host);
        b.setValue(kTrue);
        EXPECT_EQ(b.Value(), kFalse);
        EXPECT_TRUE(m.host.messages.empty());

        m.host.runMode = false;
        b.setValue(kTrue);
        ASSERT_EQ(m.host.messages.size(), 1u);
        EXPECT_EQ(
            m.host.messages[0].text, u"This property is not applicable for command button modes.");

        // Check-box mode takes it; back to command mode clears it.
        b.setMode(ButtonMode::CheckBox);
        b.setValue(Bool16::raw(1));
        EXPECT_EQ(b.Value(), kTrue);
        b.setMode(ButtonMode::Command);
        EXPECT_EQ(b.Value(), kFalse);
    }

} // namespace
} // namespace bastara::button
