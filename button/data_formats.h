#pragma once

// The 16-bit numbers by which drag-and-drop events name a data format
// (OLESetData's DataFormat): the standard numbers for text, bitmaps, file
// lists and rich text, and for any other format a number of the registered
// range (0xC000 and up, negative as a 16-bit value), handed out on first use
// and the same for the rest of the process.

#include <cstdint>
#include <string>
#include <string_view>

namespace bastara::button {

inline constexpr std::int16_t kDataFormatText = 1;
inline constexpr std::int16_t kDataFormatBitmap = 2;
inline constexpr std::int16_t kDataFormatFiles = 15;
inline constexpr std::int16_t kDataFormatRichText = -16639;

// The number of a format (a MIME type name); registers it when it has none.
// 0 for an empty name, or when the registered range is full.
std::int16_t dataFormatNumber(std::u16string_view name);

// The name of a format number; empty for a number nobody registered.
std::u16string dataFormatName(std::int16_t number);

} // namespace bastara::button
