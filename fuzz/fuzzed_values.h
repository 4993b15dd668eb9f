#pragma once

// Fuzzer bytes read as a sequence of choices, for targets that need stored
// values rather than file bytes: texts, numbers, fonts, pictures and whole
// property sets, each within what a form file can hold. Once the bytes run
// out every choice is 0, so any input makes a value.

#include "platform/gdi/bitmap.h"
#include "platform/gdi/icon.h"
#include "platform/gdi/picture.h"
#include "platform/properties/property_set.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace bastara::fuzz {

class ByteChoices
{
public:
    ByteChoices(const std::uint8_t* data, std::size_t size)
        : m_data(data, size)
    { }

    bool exhausted() const { return m_next >= m_data.size(); }

    std::uint8_t byte() { return exhausted() ? 0 : m_data[m_next++]; }

    template <typename T> T integer()
    {
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            bits |= std::uint64_t(byte()) << (8 * i);
        T value;
        std::memcpy(&value, &bits, sizeof(T));
        return value;
    }

    // In [low, high].
    std::int64_t inRange(std::int64_t low, std::int64_t high)
    {
        const std::uint64_t span = std::uint64_t(high - low) + 1;
        return low + std::int64_t(integer<std::uint32_t>() % span);
    }

    bool flag() { return (byte() & 1) != 0; }

    // Unicode text of up to maxLength characters (any plane, controls and
    // NUL included; no lone surrogate, which no stored form can hold).
    std::u16string text(std::size_t maxLength)
    {
        const std::size_t length = byte() % (maxLength + 1);
        std::u16string result;
        for (std::size_t i = 0; i < length && !exhausted(); ++i) {
            const std::uint8_t kind = byte();
            char32_t c;
            if (kind < 160)
                c = char32_t(0x20 + kind % 0x5F); // printable ASCII, the common case
            else if (kind < 250)
                c = char32_t(integer<std::uint16_t>());
            else
                c = char32_t(0x10000 + integer<std::uint32_t>() % 0x100000);
            if (c >= 0xD800 && c <= 0xDFFF)
                c = 0xFFFD;
            if (c < 0x10000) {
                result.push_back(char16_t(c));
            } else {
                result.push_back(char16_t(0xD800 + ((c - 0x10000) >> 10)));
                result.push_back(char16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
            }
        }
        return result;
    }

    std::vector<std::uint8_t> bytes(std::size_t maxLength)
    {
        std::vector<std::uint8_t> result(integer<std::uint16_t>() % (maxLength + 1));
        for (std::uint8_t& b : result)
            b = byte();
        return result;
    }

private:
    std::span<const std::uint8_t> m_data;
    std::size_t m_next = 0;
};

// A font a form file can hold: a face, more than 0 and up to 1000 points, weight 1 to 1000,
// character set 0 to 255.
inline properties::FontDescription fontFrom(ByteChoices& in)
{
    static constexpr std::u16string_view faces[]
        = { u"Times New Roman", u"Tahoma", u"MS Sans Serif", u"Arial" };
    properties::FontDescription font;
    const std::uint8_t face = in.byte();
    font.name = face < 200 ? std::u16string(faces[face % std::size(faces)]) : in.text(12);
    if (font.name.empty())
        font.name = u"x";
    // Mostly sizes a form has; any in range otherwise.
    font.points = in.flag() ? double(in.inRange(1, 72)) / (in.flag() ? 2 : 1)
                            : double(in.integer<std::uint32_t>() % 1000000 + 1) / 1000;
    font.weight = std::int32_t(in.inRange(1, 1000));
    font.italic = in.flag();
    font.underline = in.flag();
    font.strikethrough = in.flag();
    font.charset = std::int32_t(in.inRange(0, 255));
    return font;
}

// No picture, bytes that may not decode, or a bitmap or icon made in memory
// (stored as the file the picture encoder writes).
inline properties::PictureValue pictureFrom(ByteChoices& in)
{
    switch (in.byte() % 4) {
    case 0:
        return {};
    case 1:
        return properties::PictureValue::fromFileBytes(in.bytes(512));
    default:
        break;
    }
    const bool icon = in.flag();
    const std::int32_t width = std::int32_t(in.inRange(1, 48));
    const std::int32_t height = std::int32_t(in.inRange(1, 48));
    gdi::BitmapRef colour = gdi::createBitmap(width, height, 1, 32);
    colour->fill(in.integer<std::uint32_t>() & 0xFFFFFF);
    if (!icon)
        return properties::PictureValue::fromPicture(std::make_shared<const gdi::Picture>(
            gdi::Picture::fromBitmap(colour, gdi::PictureFormat::Bmp)));
    gdi::BitmapRef mask = gdi::createBitmap(width, height, 1, 1);
    const bool cursor = in.flag();
    auto made = gdi::Icon::create(mask, colour, {}, cursor,
        { std::int32_t(in.inRange(0, width - 1)), std::int32_t(in.inRange(0, height - 1)) });
    if (!made)
        return {};
    return properties::PictureValue::fromPicture(std::make_shared<const gdi::Picture>(
        gdi::Picture::fromIcon(made, cursor ? gdi::PictureFormat::Cur : gdi::PictureFormat::Ico)));
}

// A value of any of the types a property set holds.
inline properties::PropertyValue valueFrom(ByteChoices& in)
{
    switch (in.byte() % 7) {
    case 0:
        return in.text(40);
    case 1:
        return in.integer<std::int16_t>();
    case 2:
        // Small numbers are what enumerations hold.
        return in.flag() ? std::int32_t(in.inRange(-2, 10)) : in.integer<std::int32_t>();
    case 3:
        return properties::Bool16(in.flag());
    case 4:
        return properties::OleColor(in.integer<std::uint32_t>());
    case 5:
        return fontFrom(in);
    default:
        return pictureFrom(in);
    }
}

// Up to 32 entries; keys mostly from knownKeys in any ASCII case, else any
// non-empty text.
inline properties::PropertySet propertySetFrom(
    ByteChoices& in, std::span<const std::u16string_view> knownKeys)
{
    properties::PropertySet set;
    const std::size_t count = in.byte() % 33;
    for (std::size_t i = 0; i < count && !in.exhausted(); ++i) {
        const std::uint8_t pick = in.byte();
        std::u16string key;
        if (pick < 224 && !knownKeys.empty()) {
            key = knownKeys[pick % knownKeys.size()];
            const std::uint32_t caseFlips = in.integer<std::uint32_t>();
            for (std::size_t c = 0; c < key.size() && c < 32; ++c) {
                if ((caseFlips >> c) & 1) {
                    if (key[c] >= u'a' && key[c] <= u'z')
                        key[c] = char16_t(key[c] - 32);
                    else if (key[c] >= u'A' && key[c] <= u'Z')
                        key[c] = char16_t(key[c] + 32);
                }
            }
        } else {
            key = in.text(16);
            if (key.empty())
                key = u"k";
        }
        set.write(key, valueFrom(in));
    }
    return set;
}

} // namespace bastara::fuzz
