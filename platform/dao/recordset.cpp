#include "platform/dao/dao.h"
#include "platform/dao/engine_errors.h"
#include "platform/dao/engine_state.h"
#include "platform/dao/engine_test_hooks.h"
#include "platform/dao/object_names.h"

#include <array>
#include <bit>
#include <cmath>
#include <limits>

namespace bastara::dao {

namespace {

    // A field's value as stored: fixed bytes, or text, or bytes.
    struct Slot {
        jet::FieldCell::Kind kind = jet::FieldCell::Kind::Null;
        bool flag = false;
        std::array<std::uint8_t, 8> fixed {};
        std::u16string text;
        std::vector<std::uint8_t> bytes;
    };

    void storeFixed(Slot& slot, std::uint64_t bits)
    {
        slot.kind = jet::FieldCell::Kind::Bytes;
        for (std::size_t i = 0; i < slot.fixed.size(); ++i)
            slot.fixed[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }

    // Whole numbers a field takes, by its type.
    bool inRange(jet::ColumnType type, std::int64_t value)
    {
        switch (type) {
        case jet::ColumnType::Byte:
            return value >= 0 && value <= 255;
        case jet::ColumnType::Integer:
            return value >= std::numeric_limits<std::int16_t>::min()
                && value <= std::numeric_limits<std::int16_t>::max();
        case jet::ColumnType::Long:
            return value >= std::numeric_limits<std::int32_t>::min()
                && value <= std::numeric_limits<std::int32_t>::max();
        default:
            return true;
        }
    }

} // namespace

struct Recordset::Impl {
    std::shared_ptr<Database> database;
    std::size_t table;
    std::vector<jet::UserColumn> columns;
    std::vector<std::vector<std::uint8_t>> matchKeys;
    jet::TableRowWriter writer;
    std::vector<Slot> slots;
    std::vector<jet::FieldCell> cells;
    std::uint64_t added = 0;
    bool editing = false;
    bool closed = false;
};

EngineResult<std::shared_ptr<Recordset>> Database::OpenRecordset(std::u16string_view name)
{
    Impl& impl = *m_impl;
    const auto key = tableNameKey(name);
    std::size_t table = impl.contents.tables.size();
    for (std::size_t t = 0; key && t < impl.contents.tables.size(); ++t) {
        if (tableNameKey(impl.contents.tables[t].name) == key)
            table = t;
    }
    if (table == impl.contents.tables.size())
        return Unexpected { errors::inputTableNotFound(name) };
    if (impl.recordsetOpen)
        return Unexpected { errors::invalidOperation() };
    if (!impl.spool) {
        auto plan = jet::planDatabase(impl.contents);
        if (!plan)
            return Unexpected { errors::fromFormatError(plan.error(), name) };
        auto spool = jet::PageSpool::create(impl.file.path().parent_path(), plan->pageCount);
        if (!spool)
            return Unexpected { errors::fromIoError(spool.error()) };
        impl.spool.emplace(std::move(*spool));
    }
    auto plan = jet::planDatabase(impl.contents);
    if (!plan)
        return Unexpected { errors::fromFormatError(plan.error(), name) };
    const jet::UserTable& userTable = impl.contents.tables[table];
    if (impl.contents.rows.size() <= table)
        impl.contents.rows.resize(table + 1);
    const auto definitions = jet::userColumnDefinitions(userTable);
    auto state = std::make_unique<Recordset::Impl>(
        Recordset::Impl { shared_from_this(), table, userTable.columns, {},
            jet::TableRowWriter(plan->tables[table].tableDef.front(), definitions, *impl.spool,
                impl.contents.rows[table], jet::userIndexRules(userTable)),
            std::vector<Slot>(userTable.columns.size()),
            std::vector<jet::FieldCell>(userTable.columns.size()), 0, false, false });
    for (const jet::UserColumn& column : userTable.columns)
        state->matchKeys.push_back(fieldNameMatchKey(column.name));
    impl.recordsetOpen = true;
    return std::make_shared<Recordset>(std::move(state));
}

Recordset::Recordset(std::unique_ptr<Impl> impl)
    : m_impl(std::move(impl))
{ }

Recordset::~Recordset()
{
    if (!m_impl->closed)
        m_impl->database->m_impl->recordsetOpen = false;
}

std::size_t Recordset::FieldCount() const
{
    return m_impl->columns.size();
}

const std::u16string& Recordset::FieldName(std::size_t field) const
{
    return m_impl->columns.at(field).name;
}

int32_t Recordset::FieldType(std::size_t field) const
{
    // The column type bytes are DataTypeEnum's codes.
    return static_cast<int32_t>(m_impl->columns.at(field).type);
}

int32_t Recordset::FieldSize(std::size_t field) const
{
    const jet::UserColumn& column = m_impl->columns.at(field);
    return column.type == jet::ColumnType::Text ? column.length / 2 : column.length;
}

std::optional<std::size_t> Recordset::FieldIndex(std::u16string_view name) const
{
    const auto key = fieldNameMatchKey(name);
    for (std::size_t f = 0; f < m_impl->matchKeys.size(); ++f) {
        if (m_impl->matchKeys[f] == key)
            return f;
    }
    return std::nullopt;
}

std::uint64_t Recordset::RecordCount() const
{
    return m_impl->added;
}

EngineResult<void> Recordset::AddNew()
{
    if (m_impl->closed)
        return Unexpected { errors::objectInvalid() };
    for (Slot& slot : m_impl->slots) {
        slot.kind = jet::FieldCell::Kind::Null;
        slot.flag = false;
    }
    m_impl->editing = true;
    return {};
}

EngineResult<void> Recordset::SetValue(std::size_t field, Variant value)
{
    using Kind = jet::FieldCell::Kind;
    using jet::ColumnType;
    Impl& impl = *m_impl;
    if (impl.closed)
        return Unexpected { errors::objectInvalid() };
    if (!impl.editing)
        return Unexpected { errors::updateWithoutAddNew() };
    if (field >= impl.columns.size())
        return Unexpected { errors::itemNotFound() };
    const jet::UserColumn& column = impl.columns[field];
    Slot& slot = impl.slots[field];
    const auto* whole = std::get_if<std::int64_t>(&value);
    const auto* real = std::get_if<double>(&value);
    if (std::holds_alternative<std::monostate>(value)) {
        if (column.type == ColumnType::Boolean)
            return Unexpected { errors::nullToNonVariant() };
        slot.kind = Kind::Null;
        return {};
    }
    switch (column.type) {
    case ColumnType::Boolean:
        if (const bool* flag = std::get_if<bool>(&value))
            slot.flag = *flag;
        else if (whole)
            slot.flag = *whole != 0;
        else
            return Unexpected { errors::conversionError() };
        slot.kind = Kind::Boolean;
        return {};
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::Long: {
        std::int64_t number = 0;
        if (whole)
            number = *whole;
        else if (const bool* flag = std::get_if<bool>(&value))
            number = *flag ? -1 : 0;
        else
            return Unexpected { errors::conversionError() };
        if (!inRange(column.type, number))
            return Unexpected { errors::numericFieldOverflow() };
        storeFixed(slot, static_cast<std::uint64_t>(number));
        return {};
    }
    case ColumnType::Currency: {
        std::int64_t units = 0;
        if (const auto* money = std::get_if<Currency>(&value))
            units = money->units;
        else if (!whole || __builtin_mul_overflow(*whole, std::int64_t { 10000 }, &units))
            return Unexpected { whole ? errors::numericFieldOverflow()
                                      : errors::conversionError() };
        storeFixed(slot, static_cast<std::uint64_t>(units));
        return {};
    }
    case ColumnType::Single:
    case ColumnType::Double: {
        double number = 0;
        if (real)
            number = *real;
        else if (whole)
            number = static_cast<double>(*whole);
        else
            return Unexpected { errors::conversionError() };
        if (column.type == ColumnType::Double) {
            storeFixed(slot, std::bit_cast<std::uint64_t>(number));
            return {};
        }
        if (std::isfinite(number) && std::fabs(number) > std::numeric_limits<float>::max())
            return Unexpected { errors::numericFieldOverflow() };
        storeFixed(slot, std::bit_cast<std::uint32_t>(static_cast<float>(number)));
        return {};
    }
    case ColumnType::DateTime:
        if (const auto* date = std::get_if<DateTime>(&value)) {
            storeFixed(slot, std::bit_cast<std::uint64_t>(date->oleDate));
            return {};
        }
        return Unexpected { errors::conversionError() };
    case ColumnType::Text:
    case ColumnType::Memo:
        if (auto* text = std::get_if<std::u16string>(&value)) {
            if (column.type == ColumnType::Text && text->size() * 2 > column.length)
                return Unexpected { errors::fieldTooSmall() };
            slot.text = std::move(*text);
            slot.kind = Kind::Text;
            return {};
        }
        return Unexpected { errors::conversionError() };
    case ColumnType::Binary:
    case ColumnType::Ole:
    case ColumnType::Guid:
        if (auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value)) {
            if (column.type == ColumnType::Binary && bytes->size() > column.length)
                return Unexpected { errors::fieldTooSmall() };
            if (column.type == ColumnType::Guid && bytes->size() != column.length)
                return Unexpected { errors::conversionError() };
            slot.bytes = std::move(*bytes);
            slot.kind = Kind::Bytes;
            return {};
        }
        return Unexpected { errors::conversionError() };
    }
    return Unexpected { errors::conversionError() };
}

EngineResult<void> Recordset::Update()
{
    using Kind = jet::FieldCell::Kind;
    Impl& impl = *m_impl;
    if (impl.closed)
        return Unexpected { errors::objectInvalid() };
    if (!impl.editing)
        return Unexpected { errors::updateWithoutAddNew() };
    for (std::size_t f = 0; f < impl.slots.size(); ++f) {
        const Slot& slot = impl.slots[f];
        const jet::UserColumn& column = impl.columns[f];
        jet::FieldCell& cell = impl.cells[f];
        cell.kind = column.type == jet::ColumnType::Boolean ? Kind::Boolean : slot.kind;
        cell.flag = slot.flag;
        if (slot.kind == Kind::Text)
            cell.text = slot.text;
        else if (slot.kind == Kind::Bytes)
            cell.bytes = jet::fixedLength(column.type)
                ? std::span<const std::uint8_t>(slot.fixed.data(), column.length)
                : std::span<const std::uint8_t>(slot.bytes);
    }
    impl.editing = false;
    if (auto added = impl.writer.add(impl.cells); !added) {
        switch (added.error().kind) {
        case jet::RowError::Kind::RowTooLarge:
        case jet::RowError::Kind::KeyTooLong:
            return Unexpected { errors::recordTooLarge() };
        case jet::RowError::Kind::DuplicateKey:
            return Unexpected { errors::duplicateKey() };
        case jet::RowError::Kind::NullInKey:
            return Unexpected { errors::nullInIndex() };
        case jet::RowError::Kind::NoSortKey:
            return Unexpected { errors::invalidArgument() };
        case jet::RowError::Kind::TooLong:
            return Unexpected { errors::fieldTooSmall() };
        case jet::RowError::Kind::Io:
            return Unexpected { errors::fromIoError(added.error().io) };
        case jet::RowError::Kind::WrongKind:
        case jet::RowError::Kind::ByteOrderMark:
            break;
        }
        return Unexpected { errors::conversionError() };
    }
    ++impl.added;
    return {};
}

EngineResult<void> Recordset::Close()
{
    Impl& impl = *m_impl;
    if (impl.closed)
        return Unexpected { errors::objectInvalid() };
    impl.closed = true;
    Database::Impl& database = *impl.database->m_impl;
    database.recordsetOpen = false;
    auto rows = impl.writer.finish();
    if (!rows)
        return Unexpected { errors::fromIoError(rows.error()) };

    jet::DatabaseContents next = database.contents;
    next.rows[impl.table] = std::move(*rows);
    next.rowPagesEnd = database.spool->endPage();
    auto pages = jet::buildDatabasePages(next);
    if (!pages)
        return Unexpected { errors::fromFormatError(pages.error(), next.tables[impl.table].name) };
    if (auto replaced
        = database.file.replaceContents(contentsOf(*pages, &*database.spool, next.databaseKey),
            testing::engineHooks().writeOptions);
        !replaced)
        return Unexpected { errors::fromIoError(replaced.error()) };
    database.contents = std::move(next);
    return {};
}

} // namespace bastara::dao
