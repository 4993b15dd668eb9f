#pragma once

// Conversions between the UTF-16 the engine stores and the UTF-8 the rest of
// the system prints.

#include <optional>
#include <string>
#include <string_view>

namespace bastara::jet {

// Unpaired surrogates become U+FFFD: the result is always valid UTF-8.
std::string toUtf8(std::u16string_view text);

// Nothing when the bytes are not valid UTF-8 (overlong forms, surrogates and
// code points above U+10FFFF count as invalid).
std::optional<std::u16string> fromUtf8(std::string_view text);

// True when every surrogate code unit is part of a pair.
bool isWellFormedUtf16(std::u16string_view text);

} // namespace bastara::jet
