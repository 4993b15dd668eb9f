#include "button/option_group.h"

#include "button/button.h"
#include "button/control_windows.h"
#include "platform/window/properties.h"

#include <limits>
#include <optional>
#include <string>

namespace bastara::button {

namespace {

    constexpr std::string_view kCountName = "kz_OptCount";

    std::string entryName(std::int32_t index)
    {
        return std::to_string(index) + "kz_Obj";
    }

    // The registry of one container. Every read can fail: a missing entry,
    // a count that does not fit the 16-bit index, a window that is gone.
    class Registry
    {
    public:
        explicit Registry(window::WindowHandle container)
            : m_container(container)
        { }

        // 0 when absent; nullopt when the count is not a usable 16-bit value.
        std::optional<std::int32_t> count() const
        {
            const std::optional<window::PropertyValue> n = window::getProp(m_container, kCountName);
            if (!n)
                return 0;
            // One more must still fit the 16-bit index.
            if (*n < 0 || *n >= std::numeric_limits<std::int16_t>::max())
                return std::nullopt;
            return std::int32_t(*n);
        }
        std::optional<window::WindowHandle> entry(std::int32_t index) const
        {
            const std::optional<window::PropertyValue> handle
                = window::getProp(m_container, entryName(index));
            if (!handle || *handle <= 0 || *handle > std::numeric_limits<std::int32_t>::max())
                return std::nullopt;
            return window::WindowHandle(*handle);
        }
        // The live button of an entry, or nullptr (stale or missing).
        Button* button(std::int32_t index) const
        {
            const std::optional<window::WindowHandle> handle = entry(index);
            return handle ? controlOfWindow(*handle) : nullptr;
        }
        // Index of the entry naming this window, or 0.
        std::int32_t find(window::WindowHandle self, std::int32_t n) const
        {
            for (std::int32_t i = 1; i <= n; ++i)
                if (entry(i) == self)
                    return i;
            return 0;
        }

        bool setEntry(std::int32_t index, window::WindowHandle handle)
        {
            return window::setProp(m_container, entryName(index), handle);
        }
        bool setCount(std::int32_t n) { return window::setProp(m_container, kCountName, n); }
        void removeEntry(std::int32_t index) { window::removeProp(m_container, entryName(index)); }
        void removeCount() { window::removeProp(m_container, kCountName); }

        // Entries after `position` move down one place; the count shrinks.
        void close(std::int32_t position, std::int32_t n)
        {
            for (std::int32_t i = position + 1; i <= n; ++i) {
                const std::optional<window::WindowHandle> moved = entry(i);
                if (!moved || !setEntry(i - 1, *moved))
                    return;
            }
            removeEntry(n);
            if (n == 1)
                removeCount();
            else
                (void)setCount(n - 1);
        }

    private:
        window::WindowHandle m_container;
    };

    std::optional<Registry> registryOf(const Button& button)
    {
        const std::optional<window::WindowHandle> container = containerFromTag(button.host().tag());
        if (!container)
            return std::nullopt;
        return Registry(*container);
    }

} // namespace

Bool16 OptionToggle(Button& button, OptionAction action)
{
    std::optional<Registry> registry = registryOf(button);
    if (!registry)
        return kFalse;
    const std::optional<std::int32_t> count = registry->count();
    if (!count)
        return kFalse;
    const std::int32_t n = *count;
    const window::WindowHandle self = button.hwnd();
    registerControlWindow(self, button);

    // A True button that joins (and one that just became True) is the
    // group's selection: every other button becomes False.
    if ((action == OptionAction::Join || n > 0) && button.state().buttonValue.isTrue()) {
        for (std::int32_t i = 1; i <= n; ++i) {
            const std::optional<window::WindowHandle> handle = registry->entry(i);
            Button* other = handle ? controlOfWindow(*handle) : nullptr;
            if (!other)
                return kFalse;
            if (other != &button)
                other->setValue(kFalse);
        }
    }

    switch (action) {
    case OptionAction::Leave:
        // A button that is not registered has nothing to leave; the walk of
        // the original design would drop the last entry instead.
        if (const std::int32_t position = registry->find(self, n); position > 0)
            registry->close(position, n);
        break;
    case OptionAction::Join:
        // Joining twice would leave an entry that one leave cannot remove.
        if (self != 0 && registry->find(self, n) == 0 && registry->setCount(n + 1))
            (void)registry->setEntry(n + 1, self);
        break;
    case OptionAction::AnySelected:
        for (std::int32_t i = 1; i <= n; ++i) {
            Button* member = registry->button(i);
            if (!member)
                return kFalse;
            if (member->Value().isTrue())
                return kTrue;
        }
        break;
    case OptionAction::Selected:
        break;
    }
    return kFalse;
}

void LeaveOptionGroupAtEnd(Button& button)
{
    std::optional<Registry> registry = registryOf(button);
    if (!registry)
        return;
    const std::optional<std::int32_t> n = registry->count();
    if (!n)
        return;
    if (const std::int32_t position = registry->find(button.hwnd(), *n); position > 0)
        registry->close(position, *n);
}

std::vector<std::int32_t> optionGroupEntries(std::int32_t container)
{
    Registry registry(container);
    std::vector<std::int32_t> handles;
    const std::optional<std::int32_t> n = registry.count();
    for (std::int32_t i = 1; n && i <= *n; ++i)
        handles.push_back(registry.entry(i).value_or(0));
    return handles;
}

} // namespace bastara::button
