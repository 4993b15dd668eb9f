#pragma once

// Where the pointer is (GetCursorPos) and which window lies under a screen
// point (WindowFromPoint): the deepest visible widget there, a widget covering
// another one counting as the window there; 0 outside every window. Both
// queries go through a replaceable provider so tests can place the pointer
// without moving the real one:
//
//     FakePointer pointer;
//     ScopedPointerProvider use(pointer);
//     pointer.setPosition({ 120, 40 });
//     pointer.setWindowUnderPointer(buttonHandle);

#include "platform/gdi/types.h"
#include "platform/window/handles.h"

#include <functional>

namespace bastara::window {

class PointerProvider
{
public:
    virtual ~PointerProvider() = default;
    virtual gdi::Point cursorPos() const = 0;
    virtual WindowHandle windowFromPoint(gdi::Point screenPoint) const = 0;
};

// Screen coordinates, in device pixels.
gdi::Point getCursorPos();
WindowHandle windowFromPoint(gdi::Point screenPoint);

// Installs a provider for its lifetime and restores the previous one.
class ScopedPointerProvider
{
public:
    explicit ScopedPointerProvider(const PointerProvider& provider);
    ~ScopedPointerProvider();
    ScopedPointerProvider(const ScopedPointerProvider&) = delete;
    ScopedPointerProvider& operator=(const ScopedPointerProvider&) = delete;

private:
    const PointerProvider* m_previous;
};

// A provider for tests: a settable position, and either one window under the
// pointer or a function of the point.
class FakePointer : public PointerProvider
{
public:
    void setPosition(gdi::Point position) { m_position = position; }
    void setWindowUnderPointer(WindowHandle handle)
    {
        m_windowAt = [handle](gdi::Point) { return handle; };
    }
    void setWindowAt(std::function<WindowHandle(gdi::Point)> windowAt)
    {
        m_windowAt = std::move(windowAt);
    }

    gdi::Point cursorPos() const override { return m_position; }
    WindowHandle windowFromPoint(gdi::Point screenPoint) const override
    {
        return m_windowAt ? m_windowAt(screenPoint) : 0;
    }

private:
    gdi::Point m_position;
    std::function<WindowHandle(gdi::Point)> m_windowAt;
};

} // namespace bastara::window
