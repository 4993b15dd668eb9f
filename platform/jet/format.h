#pragma once

// Named offsets and sizes of the Jet 4 (.mdb) page kinds this writer emits
// and its reader accepts. Every integer is little-endian unless a name says
// otherwise; index keys are the one big-endian place.
//
// A page/row pointer is `(page << 8) | row`.

#include <cstddef>
#include <cstdint>

namespace bastara::jet::format {

inline constexpr std::size_t pageSize = 4096;
// Usage maps are written inline with start page 0, so 512 pages is the
// largest file they can describe (2 MB).
inline constexpr std::uint32_t maxPages = 512;

enum class PageType : std::uint8_t {
    Header = 0x00,
    Data = 0x01,
    TableDef = 0x02,
    IndexNode = 0x03,
    IndexLeaf = 0x04,
    UsageBitmap = 0x05,
};

constexpr std::uint32_t pageRowPointer(std::uint32_t page, std::uint8_t row)
{
    return (page << 8) | row;
}

// Page 0, the database header.
//
//   OFFSET  SIZE  DESCRIPTION
//   0x00    4     00 01 00 00
//   0x04    16    "Standard Jet DB\0"
//   0x14    4     format version, 1 = Jet 4
//   0x18    24    constant block, copied as observed        | masked:
//   0x3C    2     code page                                 | RC4 with the
//   0x3E    4     database key (0 = pages not encoded)      | fixed key
//   0x42    40    password area, XOR-ed with the date mask  | over
//   0x6A    4     A6 11 00 00 (meaning unknown)             | 0x18..0x97
//   0x6E    4     sort order: LCID, 0, sort version         |
//   0x72    8     creation date (OLE date, local time)      |
//   0x98    4     54 06 00 00
//   0x9C    4     "4.0\0"
//   0xE00   512   256 × u16, 0x0101 then 0x0100 (meaning unknown)
namespace header {
    inline constexpr std::size_t engineName = 0x04;
    inline constexpr std::size_t version = 0x14;
    inline constexpr std::size_t constantBlock = 0x18;
    inline constexpr std::size_t codePage = 0x3C;
    inline constexpr std::size_t databaseKey = 0x3E;
    inline constexpr std::size_t password = 0x42;
    inline constexpr std::size_t passwordLength = 40;
    inline constexpr std::size_t unknown6A = 0x6A;
    inline constexpr std::size_t sortOrder = 0x6E;
    inline constexpr std::size_t creationDate = 0x72;
    inline constexpr std::size_t constant98 = 0x98;
    inline constexpr std::size_t versionText = 0x9C;
    inline constexpr std::size_t unknownTable = 0xE00;
    inline constexpr std::size_t unknownTableWords = 256;

    inline constexpr std::size_t maskedBegin = 0x18;
    inline constexpr std::size_t maskedLength = 128;
    inline constexpr std::uint8_t maskKey[4] = { 0xC7, 0xDA, 0x39, 0x6B };

    inline constexpr std::uint32_t versionJet4 = 1;
    inline constexpr std::uint16_t sortGeneral = 0x0409;

    static_assert(maskedBegin + maskedLength == constant98);
    static_assert(password + passwordLength == unknown6A);
    static_assert(creationDate + 8 + 30 == constant98);
    static_assert(unknownTable + 2 * unknownTableWords == pageSize);
} // namespace header

// Data page (type 0x01): rows of a table, usage-map rows, the global map.
//
//   OFFSET  SIZE     DESCRIPTION
//   0       1        01
//   1       1        01
//   2       2        free space = 4096 - 14 - 2 × rows - Σ row lengths
//   4       4        TDEF page of the owning table (0: usage maps, 1: page 1)
//   8       4        0
//   12      2        row count
//   14      2×rows   row start offsets; rows are packed down from 4096
namespace data {
    inline constexpr std::size_t freeSpace = 2;
    inline constexpr std::size_t owner = 4;
    inline constexpr std::size_t rowCount = 12;
    inline constexpr std::size_t rowOffsets = 14;
    inline constexpr std::size_t headerSize = 14;
    inline constexpr std::size_t rowOffsetSize = 2;
    // Offset flags a writer of fresh pages never sets.
    inline constexpr std::uint16_t deletedRowFlag = 0x8000;
    inline constexpr std::uint16_t overflowRowFlag = 0x4000;
    inline constexpr std::uint16_t rowOffsetMask = 0x1FFF;
} // namespace data

// Inline usage-map row (map type 0), always 69 bytes.
//
//   OFFSET  SIZE  DESCRIPTION
//   0       1     00 (inline bitmap)
//   1       4     first page covered (always 0 here)
//   5       64    bitmap, bit k (LSB first) = page start + k
namespace usageMap {
    inline constexpr std::size_t mapType = 0;
    inline constexpr std::size_t startPage = 1;
    inline constexpr std::size_t bitmap = 5;
    inline constexpr std::size_t bitmapBytes = 64;
    inline constexpr std::size_t rowSize = 69;
    inline constexpr std::uint8_t typeInline = 0x00;
    // A usage-map page holds at most this many rows.
    inline constexpr std::size_t rowsPerPage
        = (pageSize - data::headerSize) / (rowSize + data::rowOffsetSize);

    static_assert(bitmap + bitmapBytes == rowSize);
    static_assert(bitmapBytes * 8 == maxPages);
    static_assert(rowsPerPage == 57);
} // namespace usageMap

// Table definition (type 0x02). The first page holds a 63-byte header; the
// definition continues as one logical byte stream over further 0x02 pages,
// each with its own 8-byte page header.
//
//   OFFSET  SIZE  DESCRIPTION
//   0       1     02
//   1       1     01
//   2       2     free space
//   4       4     next TDEF page (0 on the last)
//   8       4     logical length up to and including the final FF FF
//   12      4     59 06 00 00
//   16      4     row count
//   20      4     next AutoNumber value
//   24      1     01
//   25      15    0
//   40      1     table type: 4E user, 53 system
//   41      2     max column count
//   43      2     variable column count
//   45      2     column count
//   47      4     logical index count
//   51      4     real index count
//   55      4     owned-pages usage map (page/row)
//   59      4     free-space usage map (page/row)
//   63            real-index row counts (12 each), column blocks (25 each),
//                 column names (u16 length + UCS-2), real indexes (52 each),
//                 logical indexes (28 each) and their names, long-value map
//                 references (10 each), FF FF
namespace tdef {
    inline constexpr std::size_t freeSpace = 2;
    inline constexpr std::size_t nextPage = 4;
    inline constexpr std::size_t length = 8;
    inline constexpr std::size_t constant = 12;
    inline constexpr std::size_t rowCount = 16;
    inline constexpr std::size_t autoNumber = 20;
    inline constexpr std::size_t autoNumberFlag = 24;
    inline constexpr std::size_t tableType = 40;
    inline constexpr std::size_t maxColumns = 41;
    inline constexpr std::size_t varColumns = 43;
    inline constexpr std::size_t columns = 45;
    inline constexpr std::size_t logicalIndexes = 47;
    inline constexpr std::size_t realIndexes = 51;
    inline constexpr std::size_t ownedMap = 55;
    inline constexpr std::size_t freeMap = 59;
    inline constexpr std::size_t headerSize = 63;
    inline constexpr std::size_t pageHeaderSize = 8;

    inline constexpr std::size_t realIndexCountSize = 12;
    inline constexpr std::size_t columnBlockSize = 25;
    inline constexpr std::size_t realIndexSize = 52;
    inline constexpr std::size_t logicalIndexSize = 28;
    inline constexpr std::size_t longValueRefSize = 10;
    inline constexpr std::uint16_t terminator = 0xFFFF;

    inline constexpr std::uint32_t magic = 0x0659;
    inline constexpr std::uint32_t realIndexMagic = 0x0783;
    inline constexpr std::uint8_t typeUser = 0x4E;
    inline constexpr std::uint8_t typeSystem = 0x53;

    static_assert(freeMap + 4 == headerSize);
} // namespace tdef

// Column block inside a TDEF (25 bytes).
//
//   OFFSET  SIZE  DESCRIPTION
//   0       1     type byte
//   1       4     59 06 00 00
//   5       2     column number
//   7       2     var column: its var index; fixed: var columns before it
//   9       2     user tables: column number again; system tables: 0
//   11      4     sort order 09 04 00 00
//   15      1     flags
//   16      1     extra flags (01 = Unicode compression)
//   17      4     0
//   21      2     fixed column: offset in the fixed area
//   23      2     length in bytes
namespace column {
    inline constexpr std::size_t type = 0;
    inline constexpr std::size_t magic = 1;
    inline constexpr std::size_t number = 5;
    inline constexpr std::size_t varIndex = 7;
    inline constexpr std::size_t numberAgain = 9;
    inline constexpr std::size_t sortOrder = 11;
    inline constexpr std::size_t flags = 15;
    inline constexpr std::size_t extraFlags = 16;
    inline constexpr std::size_t fixedOffset = 21;
    inline constexpr std::size_t length = 23;

    inline constexpr std::uint8_t flagFixed = 0x01;
    inline constexpr std::uint8_t flagUpdatable = 0x02;
    inline constexpr std::uint8_t flagSystem = 0x10;
    inline constexpr std::uint8_t flagSid = 0x20;

    static_assert(length + 2 == tdef::columnBlockSize);
} // namespace column

// Real index (52 bytes) and logical index (28 bytes) inside a TDEF.
//
//   real:    0 83 07 00 00 | 4 ten × (u16 column, u8 order) | 34 usage-map
//            row | 38 root page | 42 0 | 46 flags | 47 0 × 5
//   logical: 0 59 06 00 00 | 4 number | 8 real index | 12 0 | 13 FF FF FF FF
//            | 17 0 | 21 04 | 22 04 | 23 kind | 24 0
namespace index {
    inline constexpr std::size_t columnSlots = 10; // not "slots": Qt defines that as a macro
    inline constexpr std::size_t slotSize = 3;
    inline constexpr std::size_t realSlots = 4;
    inline constexpr std::size_t realUsageMap = 34;
    inline constexpr std::size_t realRootPage = 38;
    inline constexpr std::size_t realFlags = 46;
    inline constexpr std::uint8_t ascending = 0x01;
    inline constexpr std::uint8_t descending = 0x00;

    inline constexpr std::uint8_t flagUnique = 0x01;
    inline constexpr std::uint8_t flagIgnoreNulls = 0x02;
    inline constexpr std::uint8_t flagRequired = 0x08;
    inline constexpr std::uint8_t flagJet4 = 0x80;

    inline constexpr std::uint8_t kindOther = 0x00;
    inline constexpr std::uint8_t kindPrimaryKey = 0x01;

    static_assert(realSlots + columnSlots * slotSize == realUsageMap);
    static_assert(realFlags + 1 + 5 == tdef::realIndexSize);
} // namespace index

// Index leaf page (type 0x04).
//
//   OFFSET  SIZE  DESCRIPTION
//   0       2     04 01
//   2       2     free space = 4096 - (0x1E0 + Σ entry lengths)
//   4       4     TDEF page of the indexed table
//   8       4     0
//   12      4     previous leaf
//   16      4     next leaf
//   20      4     tail page
//   24      2     shared prefix length (0: entries stored whole)
//   27      453   entry-end bitmap: bit at each running total of lengths
//   0x1E0         entries: key bytes, 3-byte data page (BE), row number
namespace indexLeaf {
    inline constexpr std::size_t freeSpace = 2;
    inline constexpr std::size_t owner = 4;
    inline constexpr std::size_t previousPage = 12;
    inline constexpr std::size_t nextPage = 16;
    inline constexpr std::size_t tailPage = 20;
    inline constexpr std::size_t prefixLength = 24;
    inline constexpr std::size_t entryBitmap = 0x1B;
    inline constexpr std::size_t entryBitmapSize = 453;
    inline constexpr std::size_t firstEntry = 0x1E0;
    inline constexpr std::size_t entrySpace = pageSize - firstEntry;

    static_assert(entryBitmap + entryBitmapSize == firstEntry);
    static_assert(entryBitmapSize * 8 > entrySpace);
} // namespace indexLeaf

} // namespace bastara::jet::format
