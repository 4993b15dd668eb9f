#pragma once

// Comparing stored keys the way the stored forms expect: A-Z and a-z are the
// same, every other code unit only equals itself.

#include <algorithm>
#include <string_view>

namespace bastara {

constexpr char16_t foldAsciiCase(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}

constexpr bool equalIgnoringAsciiCase(std::u16string_view a, std::u16string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
        [](char16_t x, char16_t y) { return foldAsciiCase(x) == foldAsciiCase(y); });
}

} // namespace bastara
