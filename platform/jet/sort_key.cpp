#include "platform/jet/sort_key.h"

#include <algorithm>

namespace bastara::jet {

namespace {

    constexpr std::size_t maxKeyedUnits = 255;
    constexpr std::uint8_t placeholder = 0x02;

} // namespace

std::optional<std::vector<std::uint8_t>> generalSortKey(std::u16string_view text)
{
    text = text.substr(0, std::min(text.size(), maxKeyedUnits));
    // Only U+0020 counts as trailing space, and it goes before any lookup.
    while (!text.empty() && text.back() == u' ')
        text.remove_suffix(1);

    std::vector<std::uint8_t> main;
    std::vector<std::uint8_t> extra;
    std::vector<std::uint8_t> unprint;
    std::size_t position = 0;
    for (char16_t unit : text) {
        const auto entry = generalSortEntry(unit);
        if (!entry)
            return std::nullopt;
        switch (entry->kind) {
        case SortKind::Ignore:
            break;
        case SortKind::Simple:
            main.insert(main.end(), entry->inlineBytes, entry->inlineBytes + entry->inlineCount);
            ++position;
            break;
        case SortKind::Intl:
            main.insert(main.end(), entry->inlineBytes, entry->inlineBytes + entry->inlineCount);
            extra.resize(std::max(extra.size(), position), placeholder);
            extra.push_back(entry->extra);
            ++position;
            break;
        case SortKind::Unprint: {
            // Names the position of the next character that writes inline bytes.
            const auto value = static_cast<std::uint16_t>(0x8000u | (7u + 4u * position));
            unprint.push_back(static_cast<std::uint8_t>(value >> 8));
            unprint.push_back(static_cast<std::uint8_t>(value & 0xFF));
            unprint.push_back(0x06);
            unprint.push_back(entry->extra);
            break;
        }
        }
    }
    while (!extra.empty() && extra.back() <= placeholder)
        extra.pop_back();

    std::vector<std::uint8_t> key = std::move(main);
    key.push_back(0x01);
    if (!extra.empty() || !unprint.empty()) {
        key.insert(key.end(), extra.begin(), extra.end());
        if (!unprint.empty()) {
            key.insert(key.end(), { 0x01, 0x01, 0x01 });
            key.insert(key.end(), unprint.begin(), unprint.end());
        }
    }
    key.push_back(0x00);
    return key;
}

} // namespace bastara::jet
