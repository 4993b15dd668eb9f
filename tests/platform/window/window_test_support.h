#pragma once

// Helpers for window-layer tests: running the event loop until something
// happens, and a shown top-level window with one child control.

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>

namespace bastara::window::test {

// Runs the event loop until `done` holds or the time is up; returns `done`.
inline bool runEventsUntil(const std::function<bool()>& done, int timeoutMs = 2000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

// Runs the event loop for a while, for checks that something does NOT happen.
inline void runEventsFor(int milliseconds)
{
    runEventsUntil([] { return false; }, milliseconds);
}

// The child is declared last, so it goes first and leaves its parent.
struct Form {
    std::unique_ptr<QWidget> top = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> child = std::make_unique<QWidget>();

    Form()
    {
        top->resize(200, 120);
        child->setParent(top.get());
        child->setGeometry(10, 20, 30, 15);
        top->show();
    }
};

} // namespace bastara::window::test
