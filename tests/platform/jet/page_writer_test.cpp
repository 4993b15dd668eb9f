#include "hex.h"
#include "platform/jet/byte_reader.h"
#include "platform/jet/page_writer.h"

#include <gtest/gtest.h>

namespace bastara::jet {
namespace {

    TEST(PageWriter, WritesEachWidthInItsByteOrder)
    {
        std::vector<std::uint8_t> buffer(32, 0xEE);
        PageWriter w(buffer);
        w.u8(0x01).u16le(0x0302).u32le(0x07060504).u24be(0x0A0B0C).u32be(0x11223344);
        w.f64le(1.0).utf16le(u"\u062C");
        ASSERT_TRUE(w.status());
        EXPECT_EQ(w.offset(), 24u);
        EXPECT_TRUE(testing::bytesAt(buffer, 0,
            "01 02 03 04 05 06 07 0a 0b 0c 11 22 33 44 00 00 00 00 00 00 f0 3f 2c 06 ee ee"));
    }

    TEST(PageWriter, AWriteThatDoesNotFitWritesNothingAndFailsFromThenOn)
    {
        std::vector<std::uint8_t> buffer(6, 0);
        PageWriter w(buffer);
        w.u32le(0xAABBCCDD).u32le(0x11223344);
        EXPECT_FALSE(w.ok());
        w.at(0).u8(0x55); // ignored after the first failure
        EXPECT_TRUE(testing::bytesAt(buffer, 0, "dd cc bb aa 00 00"));
        const auto status = w.status();
        ASSERT_FALSE(status);
        EXPECT_EQ(status.error().kind, FormatError::Kind::OutOfBounds);
    }

    TEST(PageWriter, SeekingPastTheEndFails)
    {
        std::vector<std::uint8_t> buffer(4, 0);
        PageWriter atEnd(buffer);
        EXPECT_TRUE(atEnd.at(4).ok());
        EXPECT_FALSE(atEnd.u8(1).ok());
        PageWriter beyond(buffer);
        EXPECT_FALSE(beyond.at(5).ok());
        PageWriter huge(buffer);
        EXPECT_FALSE(huge.skip(SIZE_MAX).ok());
    }

    TEST(ByteReader, ReadsWhatTheWriterWrote)
    {
        std::vector<std::uint8_t> buffer(20, 0);
        PageWriter w(buffer);
        w.u8(7).u16le(0xBEEF).u32le(0xDEADBEEF).f64le(-2.5).utf16le(u"ab");
        ASSERT_TRUE(w.status());
        ByteReader r(buffer);
        EXPECT_EQ(r.u8(), 7);
        EXPECT_EQ(r.u16le(), 0xBEEF);
        EXPECT_EQ(r.u32le(), 0xDEADBEEFu);
        EXPECT_EQ(r.f64le(), -2.5);
        EXPECT_EQ(r.utf16le(4), u"ab");
        EXPECT_TRUE(r.ok());
    }

    TEST(ByteReader, ReadingPastTheEndYieldsZeroAndFails)
    {
        const std::vector<std::uint8_t> buffer { 1, 2, 3 };
        ByteReader r(buffer);
        EXPECT_EQ(r.at(2).u16le(), 0);
        EXPECT_FALSE(r.ok());
        ByteReader s(buffer);
        EXPECT_TRUE(s.bytes(4).empty());
        EXPECT_FALSE(s.ok());
        ByteReader t(buffer);
        t.at(SIZE_MAX);
        EXPECT_FALSE(t.ok());
    }

} // namespace
} // namespace bastara::jet
