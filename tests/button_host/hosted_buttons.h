#pragma once

// Buttons in their real Qt windows, driven like a user drives them: mouse
// events go through the form's window (so masks and grabs route them), keys
// to the focused widget, the pointer position and the window under it come
// from a fake that follows the mouse and asks Qt which widget is there, and
// hover ticks run on a manual clock.
//
// Everything a button reports lands in one log, in order: its fifteen events
// ("MouseDown(1)", "Click", ...) and its redraws ("draw", "draw:pressed",
// "draw:checked").

#include "button/renderers/renderer.h"
#include "button_host/control_host.h"
#include "platform/window/pointer.h"
#include "platform/window/timers.h"
#include "platform/window/widget_bridge.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace bastara::button_host::test {

using button::Bool16;
using button::ButtonMode;
using button::kFalse;
using button::kTrue;

// Public, so that table rows can drive it.
class HostedButtonsTest : public testing::Test
{
public:
    HostedButtonsTest()
    {
        m_form.resize(300, 120);
        m_pointer.setWindowAt([](gdi::Point p) {
            return window::handleOf(QApplication::widgetAt(QPoint(p.x, p.y)));
        });
        m_pointer.setPosition({ -1000, -1000 });
    }

    // A button in the container (the form by default), sized and drawn, that
    // logs what it does.
    ControlHost& addButton(QRect geometry, ButtonMode mode = ButtonMode::Command,
        Bool16 value = kFalse, QWidget* container = nullptr)
    {
        QWidget& parent = container ? *container : m_form;
        auto* host = new ControlHost(&parent);
        host->move(geometry.topLeft());
        button::Button& b = host->control();
        host->services().setTag(toU16(window::windowHandleText(window::handleOf(&parent))));
        b.state().showFocusRect = kTrue; // as a newly placed control has it
        if (mode != ButtonMode::Command)
            b.setMode(mode);
        b.state().buttonValue = value;
        for (int look = 0; look < button::kLookCount; ++look)
            b.renderers().install(button::Look(look), [this](button::Painter& p, auto& result) {
                const button::ButtonState& s = p.state();
                m_log.push_back(std::string("draw") + (s.isPressed() ? ":pressed" : "")
                    + (s.buttonValue.isTrue() ? ":checked" : ""));
                result.redrawLevel = button::RedrawLevel::Copy;
            });
        host->setSizePixels(geometry.width(), geometry.height());
        host->show();
        record(b.events());
        return *host;
    }

    void show()
    {
        m_form.show();
        QApplication::setActiveWindow(&m_form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_form));
        // Qt drops a move to where the last window left the mouse: start
        // from a corner no button uses.
        moveTo(kRestingPoint);
    }
    static constexpr QPoint kRestingPoint { 299, 119 };

    // The mouse, through the form's window; the pointer follows.
    void moveTo(QPoint p)
    {
        follow(p);
        QTest::mouseMove(m_form.windowHandle(), p);
    }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        follow(p);
        QTest::mousePress(m_form.windowHandle(), b, {}, p);
    }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        follow(p);
        QTest::mouseRelease(m_form.windowHandle(), b, {}, p);
    }
    void click(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        press(p, b);
        release(p, b);
    }
    void doubleClick(QPoint p)
    {
        follow(p);
        QTest::mouseDClick(m_form.windowHandle(), Qt::LeftButton, {}, p);
    }
    static QPoint centreOf(const QWidget& w) { return w.geometry().center(); }

    // The log so far as one line; clears it.
    std::string takeLog()
    {
        std::string line;
        for (const std::string& entry : m_log)
            line += (line.empty() ? "" : " ") + entry;
        m_log.clear();
        return line;
    }

    static std::u16string toU16(const std::string& text) { return { text.begin(), text.end() }; }

    std::vector<std::string> m_log;
    window::ManualTimerClock m_clock;
    window::FakePointer m_pointer;
    window::ScopedPointerProvider m_usePointer { m_pointer };
    QWidget m_form; // last, so its buttons go first

private:
    void follow(QPoint p)
    {
        const QPoint global = m_form.mapToGlobal(p);
        m_pointer.setPosition({ global.x(), global.y() });
    }

    void record(button::ButtonEvents& e)
    {
        auto log = [this](std::string entry) { m_log.push_back(std::move(entry)); };
        auto call = [](const char* name, int value) {
            return std::string(name) + "(" + std::to_string(value) + ")";
        };
        e.MouseDown = [=](auto& b, auto&, auto&, auto&) { log(call("MouseDown", b)); };
        e.MouseUp = [=](auto& b, auto&, auto&, auto&) { log(call("MouseUp", b)); };
        e.MouseMove = [=](auto& b, auto&, auto&, auto&) { log(call("MouseMove", b)); };
        e.KeyDown = [=](auto& k, auto&) { log(call("KeyDown", k)); };
        e.KeyPress = [=](auto& a) { log(call("KeyPress", a)); };
        e.KeyUp = [=](auto& k, auto&) { log(call("KeyUp", k)); };
        e.MouseOnButton = [=](Bool16& on) { log(call("MouseOnButton", on.value())); };
        e.Click = [=] { log("Click"); };
        e.DoubleClick = [=](auto& b) { log(call("DoubleClick", b)); };
    }
};

} // namespace bastara::button_host::test
