#include "platform/dao/locale_options.h"

#include "platform/dao/engine_errors.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string>

namespace bastara::dao {

namespace {

    constexpr std::uint32_t generalLanguage = 0x0409;
    constexpr std::uint32_t westernCodePage = 1252;

    std::string_view trimmed(std::string_view text)
    {
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
            text.remove_suffix(1);
        return text;
    }

    std::string upper(std::string_view text)
    {
        std::string result(text);
        std::transform(result.begin(), result.end(), result.begin(),
            [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return result;
    }

    // "0x0409" or "1033"; nothing for anything else.
    std::optional<std::uint32_t> number(std::string_view text)
    {
        int base = 10;
        if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
            text.remove_prefix(2);
            base = 16;
        }
        std::uint32_t value = 0;
        const auto [end, failure]
            = std::from_chars(text.data(), text.data() + text.size(), value, base);
        if (failure != std::errc {} || end != text.data() + text.size() || text.empty())
            return std::nullopt;
        return value;
    }

    bool validLocale(std::string_view locale, CreationSettings& settings)
    {
        bool haveLanguage = false, haveCodePage = false, haveCountry = false, havePassword = false;
        while (!locale.empty()) {
            const std::size_t end = std::min(locale.find(';'), locale.size());
            const std::string_view setting = trimmed(locale.substr(0, end));
            locale.remove_prefix(std::min(end + 1, locale.size()));
            if (setting.empty())
                continue;
            const std::size_t equals = setting.find('=');
            if (equals == std::string_view::npos)
                return false;
            const std::string key = upper(trimmed(setting.substr(0, equals)));
            const std::string_view value = trimmed(setting.substr(equals + 1));
            if (key == "LANGID" && !haveLanguage) {
                haveLanguage = true;
                if (number(value) != generalLanguage)
                    return false;
            } else if (key == "CP" && !haveCodePage) {
                haveCodePage = true;
                if (number(value) != westernCodePage)
                    return false;
                settings.codePage = westernCodePage;
            } else if (key == "COUNTRY" && !haveCountry) {
                haveCountry = true;
                if (!number(value))
                    return false;
            } else if (key == "PWD" && !havePassword) {
                havePassword = true;
                if (!value.empty())
                    return false;
            } else {
                return false;
            }
        }
        return haveLanguage;
    }

} // namespace

EngineResult<CreationSettings> parseCreationSettings(std::string_view locale, std::int32_t options)
{
    CreationSettings settings;
    if (!validLocale(locale, settings))
        return Unexpected { errors::invalidArgument() };
    constexpr std::int32_t known = dbEncrypt | dbDecrypt | dbVersion40;
    if ((options & ~known) != 0 || ((options & dbEncrypt) && (options & dbDecrypt)))
        return Unexpected { errors::invalidArgument() };
    settings.encrypt = (options & dbEncrypt) != 0;
    return settings;
}

} // namespace bastara::dao
