#include "platform/window/timers.h"
#include "platform/window/widget_bridge.h"
#include "window_test_support.h"

#include <gtest/gtest.h>
#include <vector>

namespace bastara::window {
namespace {

    TEST(TimersTest, ATimerTicksWithItsWindowAndIdentifier)
    {
        QWidget widget;
        const WindowHandle h = handleOf(&widget);
        int ticks = 0;
        ASSERT_TRUE(setTimer(h, 237, 20, [&](WindowHandle w, TimerId id) {
            EXPECT_EQ(w, h);
            EXPECT_EQ(id, 237u);
            ++ticks;
        }));
        EXPECT_TRUE(test::runEventsUntil([&] { return ticks >= 3; }));
        EXPECT_TRUE(killTimer(h, 237));
        const int stoppedAt = ticks;
        test::runEventsFor(80);
        EXPECT_EQ(ticks, stoppedAt);
        EXPECT_FALSE(killTimer(h, 237));
    }

    TEST(TimersTest, TheSameIdentifierReplacesTheTimer)
    {
        QWidget widget;
        const WindowHandle h = handleOf(&widget);
        int first = 0;
        int second = 0;
        ASSERT_TRUE(setTimer(h, 5, 20, [&](WindowHandle, TimerId) { ++first; }));
        ASSERT_TRUE(setTimer(h, 5, 20, [&](WindowHandle, TimerId) { ++second; }));
        EXPECT_TRUE(test::runEventsUntil([&] { return second >= 2; }));
        EXPECT_EQ(first, 0);
        EXPECT_TRUE(killTimer(h, 5));
    }

    TEST(TimersTest, CallbacksMayKillTheirTimerOrDestroyTheWindow)
    {
        QWidget widget;
        const WindowHandle h = handleOf(&widget);
        int ticks = 0;
        ASSERT_TRUE(setTimer(h, 1, 10, [&](WindowHandle w, TimerId id) {
            ++ticks;
            EXPECT_TRUE(killTimer(w, id));
        }));
        test::runEventsFor(100);
        EXPECT_EQ(ticks, 1);

        auto doomed = std::make_unique<QWidget>();
        const WindowHandle d = handleOf(doomed.get());
        int doomedTicks = 0;
        ASSERT_TRUE(setTimer(d, 2, 10, [&](WindowHandle, TimerId) {
            ++doomedTicks;
            doomed.reset();
        }));
        test::runEventsFor(100);
        EXPECT_EQ(doomedTicks, 1);
        EXPECT_FALSE(isWindow(d));
    }

    TEST(TimersTest, InvalidWindowsAndEmptyCallbacksAreRefused)
    {
        QWidget widget;
        EXPECT_FALSE(setTimer(0, 1, 10, [](WindowHandle, TimerId) {}));
        EXPECT_FALSE(setTimer(handleOf(&widget), 1, 10, TimerCallback()));
        EXPECT_FALSE(killTimer(0, 1));
    }

    TEST(TimersTest, ManualClockRunsDueTimersInOrder)
    {
        QWidget a;
        QWidget b;
        const WindowHandle ha = handleOf(&a);
        const WindowHandle hb = handleOf(&b);
        // A timer made before the clock moves onto it.
        std::vector<std::pair<char, std::uint64_t>> log;
        ManualTimerClock* clockPtr = nullptr;
        ASSERT_TRUE(setTimer(
            ha, 237, 50, [&](WindowHandle, TimerId) { log.emplace_back('a', clockPtr->now()); }));
        {
            ManualTimerClock clock;
            clockPtr = &clock;
            ASSERT_TRUE(setTimer(
                hb, 237, 30, [&](WindowHandle, TimerId) { log.emplace_back('b', clock.now()); }));
            test::runEventsFor(80); // real time does not matter any more
            EXPECT_TRUE(log.empty());
            clock.advance(100);
            EXPECT_EQ(log,
                (std::vector<std::pair<char, std::uint64_t>> {
                    { 'b', 30 }, { 'a', 50 }, { 'b', 60 }, { 'b', 90 }, { 'a', 100 } }));
            EXPECT_EQ(clock.now(), 100u);
            // Replacing restarts the period from now.
            ASSERT_TRUE(setTimer(ha, 237, 15, [&](WindowHandle, TimerId) {
                log.emplace_back('A', clockPtr ? clockPtr->now() : 0);
            }));
            ASSERT_TRUE(killTimer(hb, 237));
            log.clear();
            clock.advance(40);
            EXPECT_EQ(
                log, (std::vector<std::pair<char, std::uint64_t>> { { 'A', 115 }, { 'A', 130 } }));
            log.clear();
            clockPtr = nullptr;
        }
        // Back on real time.
        EXPECT_TRUE(test::runEventsUntil([&] { return !log.empty(); }));
        EXPECT_TRUE(killTimer(ha, 237));
    }

    TEST(TimersTest, ManualClockStopsTimersOfDestroyedWindows)
    {
        ManualTimerClock clock;
        auto widget = std::make_unique<QWidget>();
        int ticks = 0;
        ASSERT_TRUE(
            setTimer(handleOf(widget.get()), 3, 5, [&](WindowHandle, TimerId) { ++ticks; }));
        clock.advance(10);
        EXPECT_EQ(ticks, 1) << "periods under 10 ms run at 10 ms";
        widget.reset();
        clock.advance(100);
        EXPECT_EQ(ticks, 1);
    }

} // namespace
} // namespace bastara::window
