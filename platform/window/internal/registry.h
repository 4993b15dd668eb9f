#pragma once

// Per-window bookkeeping behind the handles: the widget, its properties, its
// window region and its timers. Everything of a window goes when its widget
// is destroyed. User-interface thread only.

#include "platform/gdi/region.h"
#include "platform/window/handles.h"
#include "platform/window/timers.h"

#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

namespace bastara::window::detail {

struct TimerEntry {
    std::uint32_t periodMs = 0;
    TimerCallback callback;
    QPointer<QTimer> qtTimer; // real time
    std::uint64_t dueAt = 0; // manual clock
};

struct WindowEntry {
    QPointer<QWidget> widget;
    const QObject* key = nullptr; // the widget's address, for the reverse map
    QMetaObject::Connection destroyedConnection;
    std::map<std::string, std::intptr_t> properties; // names folded to lower case
    std::optional<gdi::Region> region; // in device pixels
    // The device rectangle a move asked for (parent's client coordinates)
    // and the logical geometry it gave the widget.
    struct DevicePlacement {
        gdi::Rect device;
        QRect logical;
    };
    std::optional<DevicePlacement> placement;
    std::map<TimerId, TimerEntry> timers;
};

class Registry
{
public:
    static Registry& instance();
    ~Registry();

    WindowHandle handleOf(QWidget* widget);
    // nullptr for unknown or dead windows.
    WindowEntry* entry(WindowHandle handle);
    QWidget* widget(WindowHandle handle);
    // The entry of a widget that has a handle, without handing one out.
    WindowEntry* entryOf(const QWidget* widget);

    // Calls visit(handle, id, timer, widget) for every timer of every live
    // window. The visitor must not add or remove timers.
    template <typename Visit> void forEachTimer(Visit visit)
    {
        for (auto& [handle, entry] : m_entries) {
            if (!entry.widget)
                continue;
            for (auto& [id, timer] : entry.timers)
                visit(handle, id, timer, entry.widget.data());
        }
    }

    WindowHandle capture = 0;

private:
    Registry() = default;
    void forget(WindowHandle handle);

    WindowHandle m_next = 1;
    std::unordered_map<WindowHandle, WindowEntry> m_entries;
    std::unordered_map<const QObject*, WindowHandle> m_byWidget;
};

} // namespace bastara::window::detail
