#pragma once

// Byte-exact comparisons against the worked hex examples, with a readable
// hex dump of both sides when they differ.

#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bastara::jet::testing {

// "02 01 67 0d" → bytes. Tokens are separated by blanks and line breaks and
// must be whole bytes ("6400" is two); '#' starts a comment to the line end.
inline std::vector<std::uint8_t> hexBytes(std::string_view text)
{
    auto digit = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    std::vector<std::uint8_t> bytes;
    bool comment = false;
    std::string token;
    auto flush = [&] {
        if (token.empty())
            return;
        if (token.size() % 2 != 0)
            ADD_FAILURE() << "odd hex token '" << token << "'";
        for (std::size_t i = 0; i + 1 < token.size(); i += 2) {
            const int high = digit(token[i]);
            const int low = digit(token[i + 1]);
            if (high < 0 || low < 0)
                ADD_FAILURE() << "not a hex token '" << token << "'";
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        }
        token.clear();
    };
    for (char c : text) {
        if (c == '\n') {
            flush();
            comment = false;
        } else if (comment) {
            continue;
        } else if (c == '#') {
            flush();
            comment = true;
        } else if (c == ' ' || c == '\t') {
            flush();
        } else {
            token.push_back(c);
        }
    }
    flush();
    return bytes;
}

inline std::string hexDump(std::span<const std::uint8_t> bytes, std::size_t base = 0)
{
    std::string out;
    char cell[8];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % 16 == 0) {
            std::snprintf(cell, sizeof cell, "%s%04zx:", i ? "\n" : "", base + i);
            out += cell;
        }
        std::snprintf(cell, sizeof cell, " %02x", bytes[i]);
        out += cell;
    }
    return out;
}

// Passes when `actual` holds `expectedHex` at `offset`.
inline ::testing::AssertionResult bytesAt(
    std::span<const std::uint8_t> actual, std::size_t offset, std::string_view expectedHex)
{
    const auto expected = hexBytes(expectedHex);
    if (offset + expected.size() > actual.size())
        return ::testing::AssertionFailure() << "only " << actual.size() << " bytes, expected "
                                             << expected.size() << " at " << offset;
    const auto got = actual.subspan(offset, expected.size());
    if (std::equal(got.begin(), got.end(), expected.begin()))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\nexpected:\n"
                                         << hexDump(expected, offset) << "\nactual:\n"
                                         << hexDump(got, offset);
}

} // namespace bastara::jet::testing
