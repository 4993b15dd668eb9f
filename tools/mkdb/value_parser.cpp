#include "tools/mkdb/value_parser.h"

#include "platform/jet/text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace bastara::mkdb {

namespace {

    Unexpected<std::string> refuse(std::string why)
    {
        return Unexpected { std::move(why) };
    }

    bool equalsIgnoringCase(std::string_view text, std::string_view word)
    {
        if (text.size() != word.size())
            return false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            char c = text[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != word[i])
                return false;
        }
        return true;
    }

    // from_chars without a leading '+', which it refuses.
    std::string_view withoutPlus(std::string_view text)
    {
        return !text.empty() && text.front() == '+' ? text.substr(1) : text;
    }

    Result<dao::Variant, std::string> wholeNumber(std::string_view text)
    {
        const std::string_view digits = withoutPlus(text);
        std::int64_t value = 0;
        const auto [end, error]
            = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error == std::errc::result_out_of_range)
            return refuse("a whole number out of range");
        if (error != std::errc {} || end != digits.data() + digits.size() || digits.empty())
            return refuse("not a whole number");
        return dao::Variant { value };
    }

    Result<dao::Variant, std::string> currency(std::string_view text)
    {
        std::string_view rest = text;
        bool negative = false;
        if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
            negative = rest.front() == '-';
            rest.remove_prefix(1);
        }
        const std::size_t point = rest.find('.');
        const std::string_view whole = rest.substr(0, point);
        const std::string_view fraction
            = point == std::string_view::npos ? std::string_view {} : rest.substr(point + 1);
        if ((whole.empty() && fraction.empty())
            || (point != std::string_view::npos && fraction.empty() && whole.empty()))
            return refuse("not a decimal number");
        if (fraction.size() > 4)
            return refuse("more than four decimal places");
        // Counted downwards, so that the most negative amount fits too.
        std::int64_t units = 0;
        auto digit = [&](char c) {
            return c >= '0' && c <= '9'
                && !__builtin_mul_overflow(units, std::int64_t { 10 }, &units)
                && !__builtin_sub_overflow(units, std::int64_t { c - '0' }, &units);
        };
        for (char c : whole) {
            if (c < '0' || c > '9')
                return refuse("not a decimal number");
            if (!digit(c))
                return refuse("out of range for Currency");
        }
        for (std::size_t i = 0; i < 4; ++i) {
            const char c = i < fraction.size() ? fraction[i] : '0';
            if (c < '0' || c > '9')
                return refuse("not a decimal number");
            if (!digit(c))
                return refuse("out of range for Currency");
        }
        if (!negative && units == std::numeric_limits<std::int64_t>::min())
            return refuse("out of range for Currency");
        return dao::Variant { dao::Currency { negative ? units : -units } };
    }

    Result<dao::Variant, std::string> realNumber(std::string_view text)
    {
        const std::string_view digits = withoutPlus(text);
        double value = 0;
        const auto [end, error]
            = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error == std::errc::result_out_of_range)
            return refuse("a number out of range");
        if (error != std::errc {} || end != digits.data() + digits.size() || digits.empty()
            || !std::isfinite(value))
            return refuse("not a number");
        return dao::Variant { value };
    }

    bool digitsAt(std::string_view text, std::size_t at, std::size_t count, int& value)
    {
        value = 0;
        if (at + count > text.size())
            return false;
        for (std::size_t i = at; i < at + count; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return false;
            value = value * 10 + (text[i] - '0');
        }
        return true;
    }

    bool leapYear(int year)
    {
        return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    }

    Result<dao::Variant, std::string> dateTime(std::string_view text)
    {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
        const bool dateOk = (text.size() == 10 || text.size() == 19) && digitsAt(text, 0, 4, year)
            && text[4] == '-' && digitsAt(text, 5, 2, month) && text[7] == '-'
            && digitsAt(text, 8, 2, day);
        const bool timeOk = text.size() == 10
            || ((text[10] == ' ' || text[10] == 'T') && digitsAt(text, 11, 2, hour)
                && text[13] == ':' && digitsAt(text, 14, 2, minute) && text[16] == ':'
                && digitsAt(text, 17, 2, second));
        if (!dateOk || !timeOk)
            return refuse("not a date as YYYY-MM-DD or YYYY-MM-DD HH:MM:SS");
        constexpr int monthDays[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
        if (year < 100 || month < 1 || month > 12 || day < 1
            || day > monthDays[month - 1] + (month == 2 && leapYear(year) ? 1 : 0) || hour > 23
            || minute > 59 || second > 59)
            return refuse("not a date between 0100-01-01 and 9999-12-31");
        return dao::Variant { dao::DateTime { oleDate(year, month, day, hour, minute, second) } };
    }

    Result<dao::Variant, std::string> hexBytes(std::string_view text)
    {
        if (text.size() % 2 != 0)
            return refuse("an odd number of hexadecimal digits");
        std::vector<std::uint8_t> bytes(text.size() / 2);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            unsigned value = 0;
            const auto [end, error]
                = std::from_chars(text.data() + 2 * i, text.data() + 2 * i + 2, value, 16);
            if (error != std::errc {} || end != text.data() + 2 * i + 2)
                return refuse("not hexadecimal digits");
            bytes[i] = static_cast<std::uint8_t>(value);
        }
        return dao::Variant { std::move(bytes) };
    }

} // namespace

double oleDate(int year, int month, int day, int hour, int minute, int second)
{
    // Days since 1970-01-01 (the proleptic Gregorian calendar).
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const std::int64_t unixDays = std::int64_t { era } * 146097 + dayOfEra - 719468;
    const double days = static_cast<double>(unixDays) + 25569.0;
    const double time = (hour * 3600 + minute * 60 + second) / 86400.0;
    return days < 0 ? days - time : days + time;
}

Result<dao::Variant, std::string> parseValue(std::string_view text, int32_t type)
{
    if (text.empty())
        return dao::Variant {};
    switch (type) {
    case dao::dbBoolean:
        if (equalsIgnoringCase(text, "true") || equalsIgnoringCase(text, "yes") || text == "1"
            || text == "-1")
            return dao::Variant { true };
        if (equalsIgnoringCase(text, "false") || equalsIgnoringCase(text, "no") || text == "0")
            return dao::Variant { false };
        return refuse("not a Boolean (true/false, yes/no, 1/0 or -1)");
    case dao::dbByte:
    case dao::dbInteger:
    case dao::dbLong:
        return wholeNumber(text);
    case dao::dbCurrency:
        return currency(text);
    case dao::dbSingle:
    case dao::dbDouble:
    case dao::dbFloat:
        return realNumber(text);
    case dao::dbDate:
        return dateTime(text);
    case dao::dbText:
    case dao::dbMemo: {
        auto decoded = jet::fromUtf8(text);
        if (!decoded)
            return refuse("not valid UTF-8");
        return dao::Variant { std::move(*decoded) };
    }
    case dao::dbBinary:
    case dao::dbLongBinary:
    case dao::dbGUID:
        return hexBytes(text);
    default:
        break;
    }
    return refuse("a field type rows cannot be given for");
}

} // namespace bastara::mkdb
