#pragma once

// The control's proof of life, for code that calls out to the application.
//
// An application handler may end the control from inside any event: unload
// the form (which terminates the control) or destroy it outright. Code that
// raises an event takes a watch first and, once the handler returns, touches
// the control again only while the watch says it lives:
//
//     const LifeToken::Watch watch = button.lifeWatch();
//     if (!raiseEvent(watch, button.events().Click))
//         return; // the control, and whatever held it, may be gone
//
// The watch is a value on the caller's stack, so asking it never reads the
// control's memory.

#include <functional>
#include <memory>

namespace bastara::button {

class LifeToken
{
public:
    class Watch
    {
    public:
        bool alive() const { return !m_life.expired(); }

    private:
        friend class LifeToken;
        explicit Watch(std::weak_ptr<const char> life)
            : m_life(std::move(life))
        { }
        std::weak_ptr<const char> m_life;
    };

    Watch watch() const { return Watch(m_life); }
    // Every watch taken reports the control gone from now on.
    void end() { m_life.reset(); }

private:
    std::shared_ptr<const char> m_life = std::make_shared<const char>();
};

// Runs the handler (when one is set) with the event's arguments, by
// reference, and says whether the control survived it. The handler runs from
// a copy: it belongs to the control, which the handler may destroy.
template <typename... Args>
[[nodiscard]] bool raiseEvent(
    const LifeToken::Watch& watch, const std::function<void(Args&...)>& handler, Args&... args)
{
    if (!watch.alive())
        return false;
    if (handler) {
        const std::function<void(Args & ...)> running = handler;
        running(args...);
    }
    return watch.alive();
}

} // namespace bastara::button
