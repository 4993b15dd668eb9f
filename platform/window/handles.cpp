#include "platform/window/handles.h"

#include "platform/window/internal/registry.h"
#include "platform/window/widget_bridge.h"

#include <charconv>

namespace bastara::window {

namespace detail {

    namespace {
        // Widgets can outlive the registry at process exit; their destroyed
        // signal must not reach it then.
        bool g_registryAlive = false;
    } // namespace

    Registry& Registry::instance()
    {
        static Registry registry;
        g_registryAlive = true;
        return registry;
    }

    Registry::~Registry()
    {
        g_registryAlive = false;
        for (auto& [handle, entry] : m_entries)
            QObject::disconnect(entry.destroyedConnection);
    }

    WindowHandle Registry::handleOf(QWidget* widget)
    {
        if (!widget)
            return 0;
        if (auto it = m_byWidget.find(widget); it != m_byWidget.end())
            return it->second;
        const WindowHandle handle = m_next++;
        WindowEntry& entry = m_entries[handle];
        entry.widget = widget;
        entry.key = widget;
        entry.destroyedConnection = QObject::connect(widget, &QObject::destroyed, [handle] {
            if (g_registryAlive)
                Registry::instance().forget(handle);
        });
        m_byWidget[widget] = handle;
        return handle;
    }

    WindowEntry* Registry::entry(WindowHandle handle)
    {
        auto it = m_entries.find(handle);
        if (it == m_entries.end() || !it->second.widget)
            return nullptr;
        return &it->second;
    }

    WindowEntry* Registry::entryOf(const QWidget* widget)
    {
        auto it = m_byWidget.find(widget);
        return it == m_byWidget.end() ? nullptr : entry(it->second);
    }

    QWidget* Registry::widget(WindowHandle handle)
    {
        WindowEntry* e = entry(handle);
        return e ? e->widget.data() : nullptr;
    }

    void Registry::forget(WindowHandle handle)
    {
        auto it = m_entries.find(handle);
        if (it == m_entries.end())
            return;
        m_byWidget.erase(it->second.key);
        // Timers are children of the widget and die with it.
        m_entries.erase(it);
        if (capture == handle)
            capture = 0;
    }

} // namespace detail

WindowHandle handleOf(QWidget* widget)
{
    return detail::Registry::instance().handleOf(widget);
}

QWidget* widgetOf(WindowHandle handle)
{
    return detail::Registry::instance().widget(handle);
}

bool isWindow(WindowHandle handle)
{
    return widgetOf(handle) != nullptr;
}

WindowHandle getParent(WindowHandle handle)
{
    QWidget* widget = widgetOf(handle);
    if (!widget || widget->isWindow())
        return 0;
    return handleOf(widget->parentWidget());
}

std::string windowHandleText(WindowHandle handle)
{
    return std::to_string(handle);
}

std::optional<WindowHandle> parseWindowHandle(std::string_view text)
{
    WindowHandle value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || ptr != end || value <= 0)
        return std::nullopt;
    return value;
}

} // namespace bastara::window
