#pragma once

// A picture as a property set stores it: the bytes of its file, and the
// picture decoded from them.
//
//     auto stored = PictureValue::fromFileBytes(bytesOfTheIcoFile);
//     if (stored.picture()) button.setPicture(stored.picture());
//     PictureValue::fromPicture(button.Picture());   // for writing it back
//
// The bytes are what persists, so a value whose bytes do not decode (a damaged
// form file) is still a value: it keeps its bytes and has no picture, and a
// reader treats it as a failed read of that one property. Two values are equal
// when their bytes are; "no picture" has no bytes. Copies share the bytes and
// the picture.

#include "platform/gdi/picture.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace bastara::properties {

using PictureRef = std::shared_ptr<const gdi::Picture>;

class PictureValue
{
public:
    // No picture.
    PictureValue() = default;

    static PictureValue fromFileBytes(std::vector<std::uint8_t> bytes);
    // nullptr gives no picture; a picture made in memory is encoded as a file.
    static PictureValue fromPicture(PictureRef picture);

    bool isNone() const { return fileBytes().empty(); }
    std::span<const std::uint8_t> fileBytes() const;
    // nullptr for no picture and for bytes that do not decode.
    const PictureRef& picture() const { return m_picture; }

    friend bool operator==(const PictureValue& a, const PictureValue& b);

private:
    std::shared_ptr<const std::vector<std::uint8_t>> m_bytes;
    PictureRef m_picture;
};

} // namespace bastara::properties
