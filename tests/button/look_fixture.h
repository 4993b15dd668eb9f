#pragma once

// A 60 x 20 button with the system face, laid out, without a caption, whose
// looks the tests run one at a time into a back buffer marked as unpainted.

#include "button_test_support.h"
#include "platform/gdi/sys_colors.h"

#include <gtest/gtest.h>
#include <string>

namespace bastara::button::test {

// Marks edge colour slots a look has not written, and pixels it has not painted.
inline constexpr std::int32_t kUntouched = 0x123456;
inline constexpr gdi::ColorRef kUnpainted = 0x654321;

class LookTest : public testing::Test
{
protected:
    void SetUp() override
    {
        useFormFonts();
        m_host.control = &m_button;
        ButtonState& s = m_button.state();
        s.backColor = kSystemButtonFace;
        s.hoverBackColor = kSystemButtonFace;
        s.hoverForeColor = kSystemButtonText;
        s.showFocusRect = kTrue;
        s.parentBackColor = Rgb(0xC0C0C0);
        m_button.onHostResize();
    }

    // One run of the look's renderer, as RedrawButton starts it.
    RenderResult render(Look look)
    {
        ButtonState& s = m_button.state();
        s.buttonStyle = look;
        m_button.UpdateResources("BackColor");
        buffer().fill(kUnpainted);
        RenderResult result;
        result.edgeColors.fill(1, 12, kUntouched);
        const Renderer* renderer = m_button.renderers().find(look);
        EXPECT_NE(renderer, nullptr);
        if (renderer)
            (*renderer)(m_button.painter(), result);
        return result;
    }

    // A checked check box, or a command button.
    void setChecked(bool checked)
    {
        m_button.state().buttonMode = checked ? ButtonMode::CheckBox : ButtonMode::Command;
        m_button.state().buttonValue = Bool16(checked);
    }

    void setCaption(std::u16string text)
    {
        m_button.state().captionText = std::move(text);
        m_button.CalculateLayout(kFalse);
    }

    gdi::Bitmap& buffer() { return bufferOf(m_button); }
    gdi::ColorRef at(std::int32_t x, std::int32_t y) { return buffer().colorAt(x, y); }

    gdi::ScopedSystemColors m_pinned { gdi::referenceSystemColors() };
    FakeHost m_host { 60, 20 };
    Button m_button { m_host };
};

} // namespace bastara::button::test
