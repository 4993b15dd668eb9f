#pragma once

// Tiny ICO / CUR files built byte by byte, so the tests know every bit.

#include <cstdint>
#include <vector>

namespace bastara::gdi::test {

class IcoWriter
{
public:
    void u8(std::uint32_t v) { bytes.push_back(std::uint8_t(v)); }
    void u16(std::uint32_t v)
    {
        u8(v & 0xFF);
        u8(v >> 8);
    }
    void u32(std::uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void fill(std::size_t count, std::uint8_t v = 0) { bytes.insert(bytes.end(), count, v); }

    // ICONDIR with one entry whose image follows directly (offset 22).
    void directory(bool cursor, std::uint32_t width, std::uint32_t height, std::uint32_t bitCount,
        std::uint32_t imageSize)
    {
        u16(0);
        u16(cursor ? 2 : 1);
        u16(1);
        u8(width);
        u8(height);
        u8(0);
        u8(0);
        u16(1); // planes, or hotspot x = 1
        u16(cursor ? 0 : bitCount); // bit count, or hotspot y = 0
        u32(imageSize);
        u32(22);
    }

    void infoHeader(
        std::int32_t width, std::int32_t height, std::uint32_t bitCount, std::uint32_t colors = 0)
    {
        u32(40);
        u32(std::uint32_t(width));
        u32(std::uint32_t(2 * height));
        u16(1);
        u16(bitCount);
        u32(0); // BI_RGB
        u32(0);
        u32(0);
        u32(0);
        u32(colors);
        u32(0);
    }

    std::vector<std::uint8_t> bytes;
};

// 2 x 2, 24 bits: top-left blue, bottom-right red; mask bit set at (1, 0).
inline std::vector<std::uint8_t> icoFile24(bool cursor)
{
    IcoWriter w;
    w.directory(cursor, 2, 2, 24, 40 + 16 + 8);
    w.infoHeader(2, 2, 24);
    // Colour rows, bottom-up, 8 bytes each (6 used): B, G, R per pixel.
    w.fill(3); // (0, 1)
    w.u8(0);
    w.u8(0);
    w.u8(0xFF); // (1, 1) red
    w.fill(2);
    w.u8(0xFF); // (0, 0) blue
    w.u8(0);
    w.u8(0);
    w.fill(3); // (1, 0)
    w.fill(2);
    // Mask rows, bottom-up, 4 bytes each.
    w.u32(0);
    w.u8(0x40);
    w.fill(3);
    return w.bytes;
}

// 2 x 2, 1 bit, black and white palette.
inline std::vector<std::uint8_t> icoFileMono()
{
    IcoWriter w;
    w.directory(false, 2, 2, 1, 40 + 8 + 8 + 8);
    w.infoHeader(2, 2, 1, 2);
    w.u32(0x000000);
    w.u32(0xFFFFFF);
    w.u8(0x80);
    w.fill(3);
    w.u8(0x40);
    w.fill(3);
    w.fill(8);
    return w.bytes;
}

// 2 x 2, 32 bits with alpha; top-left alpha 0x80.
inline std::vector<std::uint8_t> icoFile32Alpha()
{
    IcoWriter w;
    w.directory(false, 2, 2, 32, 40 + 16 + 8);
    w.infoHeader(2, 2, 32);
    w.u32(0xFF102030); // (0, 1)
    w.u32(0xFF102030); // (1, 1)
    w.u32(0x80405060); // (0, 0)
    w.u32(0x00000000); // (1, 0) transparent
    w.fill(8);
    return w.bytes;
}

inline std::vector<std::uint8_t> icoWithPng(const std::vector<std::uint8_t>& png)
{
    IcoWriter w;
    w.directory(false, 0, 0, 32, std::uint32_t(png.size()));
    w.bytes.insert(w.bytes.end(), png.begin(), png.end());
    return w.bytes;
}

} // namespace bastara::gdi::test
