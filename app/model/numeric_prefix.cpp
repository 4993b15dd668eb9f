#include "app/model/numeric_prefix.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace bastara::app {

namespace {

    // Walks the text, skipping the characters that the rule ignores.
    class Cursor
    {
    public:
        explicit Cursor(std::u16string_view text)
            : m_text(text)
        { }

        char16_t peek()
        {
            skipIgnored();
            return m_pos < m_text.size() ? m_text[m_pos] : u'\0';
        }
        void advance() { ++m_pos; }

    private:
        void skipIgnored()
        {
            while (m_pos < m_text.size()
                && (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t' || m_text[m_pos] == u'\n'))
                ++m_pos;
        }

        std::u16string_view m_text;
        std::size_t m_pos = 0;
    };

    std::optional<int> decimalDigit(char16_t c)
    {
        if (c >= u'0' && c <= u'9')
            return c - u'0';
        if (c >= u'\u06F0' && c <= u'\u06F9')
            return c - u'\u06F0';
        if (c >= u'\u0660' && c <= u'\u0669')
            return c - u'\u0660';
        return std::nullopt;
    }

    std::optional<int> digitInBase(char16_t c, int base)
    {
        int value = -1;
        if (auto d = decimalDigit(c))
            value = *d;
        else if (c >= u'a' && c <= u'f')
            value = 10 + (c - u'a');
        else if (c >= u'A' && c <= u'F')
            value = 10 + (c - u'A');
        if (value < 0 || value >= base)
            return std::nullopt;
        return value;
    }

    double readRadixInteger(Cursor& cursor, int base)
    {
        double value = 0;
        while (auto digit = digitInBase(cursor.peek(), base)) {
            value = value * base + *digit;
            cursor.advance();
        }
        return value;
    }

    // Digits are collected as text and converted once, so that "0.1" is the
    // same double as the literal 0.1 rather than an accumulation of errors.
    // std::from_chars ignores the C locale, whose decimal point may not be the
    // full stop.
    double readDecimal(Cursor& cursor)
    {
        bool negative = false;
        if (cursor.peek() == u'+' || cursor.peek() == u'-') {
            negative = cursor.peek() == u'-';
            cursor.advance();
        }
        std::string number;
        bool anyDigit = false;
        auto appendDigits = [&] {
            while (auto digit = decimalDigit(cursor.peek())) {
                number += static_cast<char>('0' + *digit);
                anyDigit = true;
                cursor.advance();
            }
        };
        appendDigits();
        if (cursor.peek() == u'.') {
            number += '.';
            cursor.advance();
            appendDigits();
        }
        if (!anyDigit)
            return 0;
        if (cursor.peek() == u'E' || cursor.peek() == u'e') {
            cursor.advance();
            std::string exponent = "e";
            if (cursor.peek() == u'+' || cursor.peek() == u'-') {
                exponent += static_cast<char>(cursor.peek());
                cursor.advance();
            }
            bool exponentDigit = false;
            while (auto digit = decimalDigit(cursor.peek())) {
                exponent += static_cast<char>('0' + *digit);
                exponentDigit = true;
                cursor.advance();
            }
            if (exponentDigit)
                number += exponent;
        }
        double value = 0;
        const auto [end, error]
            = std::from_chars(number.data(), number.data() + number.size(), value);
        if (error == std::errc::result_out_of_range) {
            // Too large gives infinity; too small gives zero.
            const bool hugeExponent = number.find("e-") == std::string::npos;
            value = hugeExponent ? HUGE_VAL : 0.0;
        }
        return negative ? -value : value;
    }

} // namespace

double numericPrefix(std::u16string_view text)
{
    Cursor cursor(text);
    if (cursor.peek() == u'&') {
        cursor.advance();
        const char16_t radix = cursor.peek();
        if (radix == u'H' || radix == u'h') {
            cursor.advance();
            return readRadixInteger(cursor, 16);
        }
        if (radix == u'O' || radix == u'o') {
            cursor.advance();
            return readRadixInteger(cursor, 8);
        }
        return 0;
    }
    return readDecimal(cursor);
}

} // namespace bastara::app
