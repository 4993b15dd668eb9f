#include "button/data_formats.h"

#include <array>
#include <mutex>
#include <utility>
#include <vector>

namespace bastara::button {

namespace {

    struct StandardFormat {
        std::int16_t number;
        std::u16string_view name;
    };

    constexpr std::array<StandardFormat, 4> kStandardFormats { {
        { kDataFormatText, u"text/plain" },
        { kDataFormatBitmap, u"image/bmp" },
        { kDataFormatFiles, u"text/uri-list" },
        { kDataFormatRichText, u"text/rtf" },
    } };

    constexpr int kFirstRegistered = 0xC000;
    constexpr int kLastRegistered = 0xFFFF;

    // Registered names in the order they came; the number of the k-th is
    // kFirstRegistered + k.
    struct Registry {
        std::mutex lock;
        std::vector<std::u16string> names;
    };

    Registry& registry()
    {
        static Registry formats;
        return formats;
    }

} // namespace

std::int16_t dataFormatNumber(std::u16string_view name)
{
    if (name.empty())
        return 0;
    for (const StandardFormat& format : kStandardFormats)
        if (format.name == name)
            return format.number;
    Registry& formats = registry();
    const std::scoped_lock guard(formats.lock);
    std::size_t index = 0;
    while (index < formats.names.size() && formats.names[index] != name)
        ++index;
    if (index == formats.names.size()) {
        if (kFirstRegistered + int(index) > kLastRegistered)
            return 0;
        formats.names.emplace_back(name);
    }
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(kFirstRegistered + int(index)));
}

std::u16string dataFormatName(std::int16_t number)
{
    for (const StandardFormat& format : kStandardFormats)
        if (format.number == number)
            return std::u16string(format.name);
    const int index = int(static_cast<std::uint16_t>(number)) - kFirstRegistered;
    Registry& formats = registry();
    const std::scoped_lock guard(formats.lock);
    if (index < 0 || std::size_t(index) >= formats.names.size())
        return {};
    return formats.names[std::size_t(index)];
}

} // namespace bastara::button
