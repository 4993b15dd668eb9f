#pragma once

// The tables of the worked examples: `جدول` with one column of each of the
// twelve field types, its names mixing Persian and Latin, and its creation
// date.

#include "platform/jet/database.h"

#include <bit>

namespace bastara::jet::testing {

// 2026-12-07 19:51 as the engine stamps it.
inline const double exampleDate = std::bit_cast<double>(std::uint64_t { 0x40E6A37A7B599CC6 });

inline const std::u16string exampleTableName = u"\u062C\u062F\u0648\u0644";

inline std::vector<UserColumn> twelveTypeColumns()
{
    return {
        { u"متن Text", ColumnType::Text, 100 },
        { u"منطقی Boolean", ColumnType::Boolean, 1 },
        { u"بایت Byte", ColumnType::Byte, 1 },
        { u"دودویی Binary", ColumnType::Binary, 255 },
        { u"صحیح Integer", ColumnType::Integer, 2 },
        { u"عدد Long", ColumnType::Long, 4 },
        { u"تکی Single", ColumnType::Single, 4 },
        { u"پول Currency", ColumnType::Currency, 8 },
        { u"دوتا Double", ColumnType::Double, 8 },
        { u"تاریخ Date", ColumnType::DateTime, 8 },
        { u"یادداشت Memo", ColumnType::Memo, 0 },
        { u"شناور Float", ColumnType::Double, 8 },
    };
}

inline DatabaseContents exampleDatabase(std::uint32_t key = 0)
{
    DatabaseContents contents;
    contents.created = exampleDate;
    contents.databaseKey = key;
    contents.tables.push_back({ exampleTableName, exampleDate, twelveTypeColumns() });
    return contents;
}

// `count` Long columns named with `nameLength` code units each, all distinct.
inline std::vector<UserColumn> wideColumns(std::size_t count, std::size_t nameLength)
{
    std::vector<UserColumn> columns;
    for (std::size_t i = 0; i < count; ++i) {
        std::u16string name = u"c" + std::u16string(1, static_cast<char16_t>(u'\u0627' + i % 20))
            + std::u16string(1, static_cast<char16_t>(u'a' + i / 20 % 26));
        name += std::u16string(1, static_cast<char16_t>(u'0' + i % 10));
        name.resize(std::max(name.size(), nameLength), u'x');
        columns.push_back(
            { name.substr(0, std::max<std::size_t>(nameLength, 1)), ColumnType::Long, 4 });
    }
    return columns;
}

} // namespace bastara::jet::testing
