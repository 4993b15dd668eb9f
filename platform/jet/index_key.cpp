#include "platform/jet/index_key.h"

#include "platform/jet/sort_key.h"

namespace bastara::jet {

namespace {

    constexpr std::uint8_t startAscending = 0x7F;
    constexpr std::uint8_t startDescending = 0x80;
    constexpr std::uint8_t nullAscending = 0x00;
    constexpr std::uint8_t nullDescending = 0xFF;

    std::uint64_t littleEndian(std::span<const std::uint8_t> bytes)
    {
        std::uint64_t value = 0;
        for (std::size_t i = bytes.size(); i-- > 0;)
            value = (value << 8) | bytes[i];
        return value;
    }

    void appendBigEndian(std::vector<std::uint8_t>& key, std::uint64_t value, std::size_t width)
    {
        for (std::size_t i = width; i-- > 0;)
            key.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }

    // IEEE bits of `width` bytes turned into bits that compare as the numbers.
    std::uint64_t orderedFloatBits(std::uint64_t bits, std::size_t width)
    {
        const std::uint64_t sign = std::uint64_t { 1 } << (8 * width - 1);
        const std::uint64_t all = width == 8 ? ~std::uint64_t { 0 } : (sign << 1) - 1;
        if (bits == sign)
            bits = 0; // -0 equals 0
        return (bits & sign) ? ~bits & all : bits | sign;
    }

} // namespace

bool isKeyableType(ColumnType type)
{
    switch (type) {
    case ColumnType::Boolean:
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::Long:
    case ColumnType::Currency:
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::DateTime:
    case ColumnType::Text:
        return true;
    case ColumnType::Binary:
    case ColumnType::Ole:
    case ColumnType::Memo:
    case ColumnType::Guid:
        break;
    }
    return false;
}

KeyProblem appendKeyGroup(
    std::vector<std::uint8_t>& key, ColumnType type, bool descending, const FieldCell& cell)
{
    if (cell.kind == FieldCell::Kind::Null && type != ColumnType::Boolean) {
        key.push_back(descending ? nullDescending : nullAscending);
        return KeyProblem::None;
    }
    const auto width = fixedLength(type);
    const bool kindFits = type == ColumnType::Boolean ? cell.kind == FieldCell::Kind::Boolean
        : type == ColumnType::Text
        ? cell.kind == FieldCell::Kind::Text
        : cell.kind == FieldCell::Kind::Bytes && width && cell.bytes.size() == *width;
    if (!kindFits)
        return KeyProblem::WrongKind;
    key.push_back(descending ? startDescending : startAscending);
    const std::size_t valueStart = key.size();
    switch (type) {
    case ColumnType::Boolean:
        key.push_back(cell.flag ? 0x00 : 0xFF);
        break;
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::Long:
    case ColumnType::Currency: {
        const std::uint64_t sign
            = type == ColumnType::Byte ? 0 : std::uint64_t { 1 } << (8 * *width - 1);
        appendBigEndian(key, littleEndian(cell.bytes) ^ sign, *width);
        break;
    }
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::DateTime: {
        appendBigEndian(key, orderedFloatBits(littleEndian(cell.bytes), *width), *width);
        break;
    }
    case ColumnType::Text: {
        const auto sortKey = generalSortKey(cell.text);
        if (!sortKey)
            return KeyProblem::NoSortKey;
        key.insert(key.end(), sortKey->begin(), sortKey->end());
        break;
    }
    case ColumnType::Binary:
    case ColumnType::Ole:
    case ColumnType::Memo:
    case ColumnType::Guid:
        break;
    }
    if (descending) {
        for (std::size_t i = valueStart; i < key.size(); ++i)
            key[i] = static_cast<std::uint8_t>(~key[i]);
        // Descending text ends in a 00 after its inverted end byte, as the
        // bytes of descending text indexes show; lookups depend on it.
        if (type == ColumnType::Text)
            key.push_back(0x00);
    }
    return KeyProblem::None;
}

} // namespace bastara::jet
