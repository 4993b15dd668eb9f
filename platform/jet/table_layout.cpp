#include "platform/jet/table_layout.h"

namespace bastara::jet {

bool isKnownColumnType(std::uint8_t typeByte)
{
    return (typeByte >= 0x01 && typeByte <= 0x0C) || typeByte == 0x0F;
}

std::optional<std::uint16_t> fixedLength(ColumnType type)
{
    switch (type) {
    case ColumnType::Boolean:
    case ColumnType::Byte:
        return 1;
    case ColumnType::Integer:
        return 2;
    case ColumnType::Long:
    case ColumnType::Single:
        return 4;
    case ColumnType::Currency:
    case ColumnType::Double:
    case ColumnType::DateTime:
        return 8;
    case ColumnType::Guid:
        return 16;
    case ColumnType::Binary:
    case ColumnType::Text:
    case ColumnType::Ole:
    case ColumnType::Memo:
        break;
    }
    return std::nullopt;
}

bool isLongValue(ColumnType type)
{
    return type == ColumnType::Memo || type == ColumnType::Ole;
}

TableLayout layoutColumns(std::span<const ColumnDefinition> columns)
{
    TableLayout layout;
    layout.columns.reserve(columns.size());
    std::uint16_t fixedOffset = 0;
    std::uint16_t varIndex = 0;
    for (const ColumnDefinition& column : columns) {
        ColumnSlot slot { column.type, column.length, fixedLength(column.type).has_value(), 0, 0,
            varIndex };
        if (slot.fixed) {
            // A Boolean lives in the null mask and takes no fixed bytes.
            if (column.type != ColumnType::Boolean) {
                slot.fixedOffset = fixedOffset;
                fixedOffset = static_cast<std::uint16_t>(fixedOffset + column.length);
            }
        } else {
            slot.varIndex = varIndex++;
            slot.varBefore = 0;
        }
        layout.columns.push_back(slot);
    }
    layout.fixedSize = fixedOffset;
    layout.varCount = varIndex;
    return layout;
}

} // namespace bastara::jet
