#include "platform/window/timers.h"

#include "platform/window/internal/registry.h"

#include <algorithm>
#include <memory>

namespace bastara::window {

namespace {

    ManualTimerClock* g_manualClock = nullptr;

    void fire(WindowHandle handle, TimerId id)
    {
        detail::WindowEntry* entry = detail::Registry::instance().entry(handle);
        if (!entry)
            return;
        auto it = entry->timers.find(id);
        if (it == entry->timers.end())
            return;
        // A copy: the callback may replace or kill this very timer.
        const TimerCallback callback = it->second.callback;
        callback(handle, id);
    }

    void startRealTimer(QWidget* widget, WindowHandle handle, TimerId id, detail::TimerEntry& timer)
    {
        if (!timer.qtTimer) {
            // Owned by the widget, so it dies with the window.
            auto qtTimer = std::make_unique<QTimer>();
            qtTimer->setParent(widget);
            timer.qtTimer = qtTimer.release();
            QObject::connect(timer.qtTimer, &QTimer::timeout, [handle, id] { fire(handle, id); });
        }
        timer.qtTimer->start(int(timer.periodMs));
    }

    void dropRealTimer(detail::TimerEntry& timer)
    {
        if (timer.qtTimer) {
            timer.qtTimer->stop();
            // It may be the timer whose timeout is running right now.
            timer.qtTimer->deleteLater();
        }
    }

} // namespace

bool setTimer(WindowHandle handle, TimerId id, std::uint32_t periodMs, TimerCallback callback)
{
    detail::Registry& registry = detail::Registry::instance();
    detail::WindowEntry* entry = registry.entry(handle);
    if (!entry || !callback)
        return false;
    detail::TimerEntry& timer = entry->timers[id];
    timer.periodMs = std::max(periodMs, kMinimumTimerPeriodMs);
    timer.callback = std::move(callback);
    if (g_manualClock)
        timer.dueAt = g_manualClock->now() + timer.periodMs;
    else
        startRealTimer(entry->widget, handle, id, timer);
    return true;
}

bool killTimer(WindowHandle handle, TimerId id)
{
    detail::WindowEntry* entry = detail::Registry::instance().entry(handle);
    if (!entry)
        return false;
    auto it = entry->timers.find(id);
    if (it == entry->timers.end())
        return false;
    dropRealTimer(it->second);
    entry->timers.erase(it);
    return true;
}

ManualTimerClock::ManualTimerClock()
{
    g_manualClock = this;
    detail::Registry::instance().forEachTimer(
        [this](WindowHandle, TimerId, detail::TimerEntry& timer, QWidget*) {
            if (timer.qtTimer)
                timer.qtTimer->stop();
            timer.dueAt = m_now + timer.periodMs;
        });
}

ManualTimerClock::~ManualTimerClock()
{
    g_manualClock = nullptr;
    detail::Registry::instance().forEachTimer(
        [](WindowHandle handle, TimerId id, detail::TimerEntry& timer, QWidget* widget) {
            startRealTimer(widget, handle, id, timer);
        });
}

void ManualTimerClock::advance(std::uint32_t milliseconds)
{
    const std::uint64_t target = m_now + milliseconds;
    for (;;) {
        // The earliest timer due by the target time.
        WindowHandle nextHandle = 0;
        TimerId nextId = 0;
        std::uint64_t nextDue = target + 1;
        detail::Registry::instance().forEachTimer(
            [&](WindowHandle handle, TimerId id, detail::TimerEntry& timer, QWidget*) {
                if (timer.dueAt < nextDue) {
                    nextDue = timer.dueAt;
                    nextHandle = handle;
                    nextId = id;
                }
            });
        if (nextDue > target)
            break;
        m_now = nextDue;
        detail::WindowEntry* entry = detail::Registry::instance().entry(nextHandle);
        entry->timers[nextId].dueAt = m_now + entry->timers[nextId].periodMs;
        fire(nextHandle, nextId);
    }
    m_now = target;
}

} // namespace bastara::window
