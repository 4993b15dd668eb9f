#include "platform/dao/field_rules.h"

#include "platform/dao/engine_errors.h"

#include <cmath>
#include <optional>

namespace bastara::dao {

namespace {

    constexpr std::int32_t maxSizedLength = 255;

    // Size for Text and Binary: a whole number 1..255, 0 meaning "as large as
    // allowed".
    std::optional<std::uint16_t> sizedLength(double size)
    {
        if (!std::isfinite(size))
            return std::nullopt;
        // The default rounding mode rounds halves to even.
        const double whole = std::nearbyint(size);
        if (whole < 0.0 || whole > maxSizedLength)
            return std::nullopt;
        const auto length = static_cast<std::uint16_t>(whole);
        return length == 0 ? std::uint16_t { maxSizedLength } : length;
    }

    jet::UserColumn fixed(std::u16string name, jet::ColumnType type)
    {
        return { std::move(name), type, *jet::fixedLength(type) };
    }

} // namespace

EngineResult<jet::UserColumn> columnForField(std::u16string name, std::int32_t type, double size)
{
    using jet::ColumnType;
    switch (type) {
    case dbBoolean:
        return fixed(std::move(name), ColumnType::Boolean);
    case dbByte:
        return fixed(std::move(name), ColumnType::Byte);
    case dbInteger:
        return fixed(std::move(name), ColumnType::Integer);
    case dbLong:
        return fixed(std::move(name), ColumnType::Long);
    case dbCurrency:
        return fixed(std::move(name), ColumnType::Currency);
    case dbSingle:
        return fixed(std::move(name), ColumnType::Single);
    case dbDouble:
    case dbFloat:
        return fixed(std::move(name), ColumnType::Double);
    case dbDate:
        return fixed(std::move(name), ColumnType::DateTime);
    case dbGUID:
        return fixed(std::move(name), ColumnType::Guid);
    case dbMemo:
        return jet::UserColumn { std::move(name), ColumnType::Memo, 0 };
    case dbLongBinary:
        return jet::UserColumn { std::move(name), ColumnType::Ole, 0 };
    case dbText:
    case dbBinary: {
        const auto length = sizedLength(size);
        if (!length)
            return Unexpected { errors::invalidArgument() };
        // Text sizes are characters, stored as UCS-2 bytes.
        if (type == dbText)
            return jet::UserColumn { std::move(name), ColumnType::Text,
                static_cast<std::uint16_t>(2 * *length) };
        return jet::UserColumn { std::move(name), ColumnType::Binary, *length };
    }
    default:
        return Unexpected { errors::invalidFieldType() };
    }
}

} // namespace bastara::dao
