#pragma once

// Index keys of Text values in the General sort order (LCID 0x0409, sort
// version 0), for the code points whose codes are known: U+0020..U+007E,
// U+00A0..U+00FF, U+0600..U+06FF, U+200B..U+200F and U+FEFF (453 in all).
// Other characters have no key here, and a key is never guessed.
//
// Every character has one of four kinds:
//   simple   1-2 inline bytes; counts as a position
//   intl     inline bytes plus one extra byte at its position
//   unprint  a 4-byte record (position, code) in a third part; no position
//   ignore   nothing, as if absent
//
// The key is MAIN 01 [EXTRA] [01 01 01 UNPR] 00, after trailing U+0020 are
// dropped and at most 255 code units are read. Letters differ from their
// other case nowhere in the key, which is how the catalog makes names
// case-insensitive.
//
//     generalSortKey(u"table")  →  6D 4A 4C 5E 51 01 00
//     generalSortKey(u"Café")   →  4D 4A 53 51 01 02 02 02 0E 00

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace bastara::jet {

enum class SortKind : std::uint8_t { Simple, Intl, Unprint, Ignore };

struct SortEntry {
    SortKind kind;
    std::uint8_t inlineCount; // 0, 1 or 2
    std::uint8_t inlineBytes[2];
    std::uint8_t extra; // Intl: extra byte; Unprint: unprint code
};

// The table entry of one UTF-16 code unit; nothing outside the known ranges.
std::optional<SortEntry> generalSortEntry(char16_t unit);

// The key, or nothing when some character has no known code.
std::optional<std::vector<std::uint8_t>> generalSortKey(std::u16string_view text);

} // namespace bastara::jet
