#pragma once

// The database engine as the application sees it: the five calls that create
// a database, a table definition and its fields, in the object model of the
// engine's automation interface (the names are that model's names).
//
//     auto db = DBEngine::instance().CreateDatabase(path, dbLangGeneral, dbEncrypt);
//     if (!db) return db.error();
//     auto tdf = (*db)->CreateTableDef(u"table");
//     auto fld = (*tdf)->CreateField(u"id", dbLong, 4);
//     if (auto r = (*tdf)->Fields.Append(*fld); !r) ...
//     if (auto r = (*db)->TableDefs.Append(*tdf); !r) ...
//
// Every call either succeeds or returns an EngineError whose number and
// description are worded as the real engine words them. Objects are reference
// counted, like the automation objects they mirror: the database file is
// closed when the last reference to its Database goes.
//
// Nothing here knows the file format; platform/jet writes the bytes.
//
// Where the engine's documentation leaves a choice, this engine:
// * checks names, types and sizes when a field or table is appended (as the
//   engine does), never in CreateField or CreateTableDef;
// * gives 3055 for an empty file name, and appends ".mdb" to a name without
//   extension (the file exists under Database::Name());
// * writes Jet 4 whatever the options, encoded with a random key for
//   dbEncrypt; dbFloat becomes a Double column (field_rules.h has every
//   size rule); only the General sort order can be written (3001 otherwise);
// * writes each change as a complete new file that replaces the old one only
//   if the old one is still the file this engine wrote: a failed call leaves
//   the database as the last successful call left it;
// * cannot change a table once appended (3219), and refuses more tables than
//   one catalog page holds (3035);
// * builds indexes as the engine's object model does: CreateIndex, Primary,
//   Unique and IgnoreNulls, Index.CreateField (with dbDescending in its
//   Attributes), Index.Fields.Append, then TableDef.Indexes.Append before the
//   table is appended. An index keys Boolean, number, Date and Text fields
//   only (3259 for Binary, Memo, OLE and GUID fields); Text is keyed in the
//   General sort order, and a Text value with a character this engine has no
//   sort key for is refused when the row is added (3001);
// * adds rows through a Recordset that only appends, and writes them into
//   the file when it is closed, in one replacement like every other change:
//   a Recordset dropped without Close leaves the file as it was. While it is
//   open its rows wait in a temporary file beside the database, so memory
//   does not grow with them. Once a table has rows no table can be
//   appended (3219).

#include "platform/support/result.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace bastara::dao {

// DataTypeEnum codes the application passes to CreateField.
enum DataType : int32_t {
    dbBoolean = 1,
    dbByte = 2,
    dbInteger = 3,
    dbLong = 4,
    dbCurrency = 5,
    dbSingle = 6,
    dbDouble = 7,
    dbDate = 8,
    dbBinary = 9,
    dbText = 10,
    dbLongBinary = 11,
    dbMemo = 12,
    dbGUID = 15,
    dbFloat = 21, // stored as Double: Jet has no Float column
};

// CreateDatabase options.
enum DatabaseOption : int32_t {
    dbEncrypt = 2,
    dbDecrypt = 4,
    dbVersion40 = 64,
};

// Field attributes an index field takes.
enum FieldAttribute : int32_t {
    dbDescending = 1, // the index orders this field from high to low
};

// The "General" sort order for English and western European languages.
inline constexpr std::string_view dbLangGeneral = ";LANGID=0x0409;CP=1252;COUNTRY=0";

struct EngineError {
    int32_t number = 0;
    std::string description; // UTF-8
};

template <typename T> using EngineResult = Result<T, EngineError>;

class Database;
class TableDef;
class Field;
class Index;
class Recordset;

// The values Recordset::SetValue takes: Null, and what the automation
// Variant carries for Jet's columns.
struct Currency {
    std::int64_t units; // the amount × 10,000, exactly
    bool operator==(const Currency&) const = default;
};
struct DateTime {
    double oleDate; // days since 1899-12-30, the time as the fraction
    bool operator==(const DateTime&) const = default;
};
using Variant = std::variant<std::monostate, bool, std::int64_t, double, Currency, DateTime,
    std::u16string, std::vector<std::uint8_t>>;

// A field made by TableDef::CreateField; it belongs to no table until it is
// appended to one.
class Field
{
public:
    Field(std::u16string name, int32_t type, double size);

    const std::u16string& Name() const { return m_name; }
    int32_t Type() const { return m_type; }
    // The Size argument as given; what the column gets is decided when the
    // field is appended (fixed-width types ignore it).
    double Size() const { return m_size; }
    // FieldAttribute flags; an index field reads dbDescending when it is
    // appended to its index.
    int32_t Attributes() const { return m_attributes; }
    void SetAttributes(int32_t attributes) { m_attributes = attributes; }

private:
    std::u16string m_name;
    int32_t m_type;
    double m_size;
    int32_t m_attributes = 0;
};

// An index made by TableDef::CreateIndex; in memory until it is appended to
// the table's Indexes, which must happen before the table is appended.
//
//     auto idx = (*tdf)->CreateIndex(u"PrimaryKey");
//     (*idx)->SetPrimary(true);
//     auto fld = (*idx)->CreateField(u"id");
//     (*fld)->SetAttributes(dbDescending);           // optional
//     if (auto r = (*idx)->Fields.Append(*fld); !r) ...
//     if (auto r = (*tdf)->Indexes.Append(*idx); !r) ...
//
// A primary key is unique and takes no Null; a unique index takes any number
// of rows whose indexed fields are all Null; IgnoreNulls leaves those rows
// out of the index. Rows an index refuses: 3022 for a duplicate key, 3058 for
// Null in a primary-key field (Recordset::Update).
class Index
{
public:
    explicit Index(std::u16string name);
    Index(const Index&) = delete;
    Index& operator=(const Index&) = delete;

    const std::u16string& Name() const { return m_name; }
    bool Primary() const { return m_primary; }
    bool Unique() const { return m_unique || m_primary; }
    bool IgnoreNulls() const { return m_ignoreNulls; }
    // 3219 once the index is appended, as its other properties.
    [[nodiscard]] EngineResult<void> SetPrimary(bool primary);
    [[nodiscard]] EngineResult<void> SetUnique(bool unique);
    [[nodiscard]] EngineResult<void> SetIgnoreNulls(bool ignoreNulls);

    // A field naming one of the table's fields; its type does not matter.
    [[nodiscard]] EngineResult<std::shared_ptr<Field>> CreateField(std::u16string name);

    class FieldCollection
    {
    public:
        // Checks the name (3125), duplicates (3367) and count (3277: at most
        // 10) and adds the field with its dbDescending attribute as it is now.
        [[nodiscard]] EngineResult<void> Append(const std::shared_ptr<Field>& field);
        std::size_t Count() const;

    private:
        friend class Index;
        explicit FieldCollection(Index& owner);
        Index& m_owner;
    };
    FieldCollection Fields { *this };

private:
    friend class TableDef;
    struct KeyField {
        std::u16string name;
        bool descending;
    };
    [[nodiscard]] EngineResult<void> changeable() const;

    std::u16string m_name;
    bool m_primary = false;
    bool m_unique = false;
    bool m_ignoreNulls = false;
    std::vector<KeyField> m_fields;
    bool m_appended = false;
};

// A table definition: in memory until it is appended to a database's TableDefs.
class TableDef
{
public:
    explicit TableDef(std::u16string name);
    TableDef(const TableDef&) = delete;
    TableDef& operator=(const TableDef&) = delete;
    ~TableDef();

    const std::u16string& Name() const { return m_name; }

    [[nodiscard]] EngineResult<std::shared_ptr<Field>> CreateField(
        std::u16string name, int32_t type, double size);
    [[nodiscard]] EngineResult<std::shared_ptr<Index>> CreateIndex(std::u16string name);

    class FieldCollection
    {
    public:
        // Checks the field (name, type, size, duplicates, count) and adds it.
        // Fields cannot be added once the TableDef is appended (3219).
        [[nodiscard]] EngineResult<void> Append(const std::shared_ptr<Field>& field);
        // Fields appended so far.
        std::size_t Count() const;

    private:
        friend class TableDef;
        explicit FieldCollection(TableDef& owner);
        TableDef& m_owner;
    };
    FieldCollection Fields { *this };

    class IndexCollection
    {
    public:
        // Checks the index and adds it: 3125 for its name, 3367 for a name
        // already used (or an index already appended), 3264 without fields,
        // 3265 for a field the table does not have (yet), 3259 for a field
        // this engine cannot key, 3283 for a second primary key, 3281 past
        // the engine's 32 indexes a table; 3219 once the table is appended.
        [[nodiscard]] EngineResult<void> Append(const std::shared_ptr<Index>& index);
        std::size_t Count() const;

    private:
        friend class TableDef;
        explicit IndexCollection(TableDef& owner);
        TableDef& m_owner;
    };
    IndexCollection Indexes { *this };

private:
    friend class Database;
    std::u16string m_name;
    // Implementation state (the checked column list) lives in the .cpp.
    struct Columns;
    std::unique_ptr<Columns> m_columns;
    bool m_appended = false;
};

// An open database created by DBEngine::CreateDatabase. The file is complete
// and valid after every successful call; it is closed when the last reference
// goes.
class Database : public std::enable_shared_from_this<Database>
{
    friend class DBEngine;
    friend class Recordset;
    struct Impl;

public:
    // Only DBEngine can make the key, and so a Database.
    class CreationKey
    {
        friend class DBEngine;
        CreationKey() = default;
    };
    Database(CreationKey, std::unique_ptr<Impl> impl);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::filesystem::path& Name() const;

    [[nodiscard]] EngineResult<std::shared_ptr<TableDef>> CreateTableDef(std::u16string name);

    // A Recordset that appends rows to the table `name` (matched as table
    // names are). One at a time per database (3219 while another is open);
    // 3078 for a table that is not there.
    [[nodiscard]] EngineResult<std::shared_ptr<Recordset>> OpenRecordset(std::u16string_view name);

    class TableDefCollection
    {
    public:
        // Checks the table (fields, name, uniqueness) and writes it to the file.
        [[nodiscard]] EngineResult<void> Append(const std::shared_ptr<TableDef>& tableDef);
        // Tables in the database, the four system tables included, as the
        // engine counts them: 4 in a new database.
        std::size_t Count() const;

    private:
        friend class Database;
        explicit TableDefCollection(Database& owner);
        Database& m_owner;
    };
    TableDefCollection TableDefs { *this };

private:
    std::unique_ptr<Impl> m_impl;
};

// Rows added to one table, as with dbOpenTable and dbAppendOnly:
//
//     auto rs = (*db)->OpenRecordset(u"table");
//     (*rs)->AddNew();
//     (*rs)->SetValue(0, std::int64_t { 42 });
//     if (auto r = (*rs)->Update(); !r) ...   // the row is refused, nothing added
//     if (auto r = (*rs)->Close(); !r) ...    // the rows go into the file
//
// SetValue converts the value for its field as the engine does and refuses
// what does not fit: 3349 for a number out of the field's range, 3163 for
// text or bytes over its size, 3421 for a value of a kind the field cannot
// take, 3162 for Null in a Boolean. Update refuses a row that would not fit
// a page (3047), and a row an index refuses (3022 duplicate key, 3058 Null in
// a primary key; 3047 for a key too long for an index page). Fields left
// unset are Null (Boolean: False).
class Recordset
{
    struct Impl;

public:
    explicit Recordset(std::unique_ptr<Impl> impl);
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    std::size_t FieldCount() const;
    const std::u16string& FieldName(std::size_t field) const;
    // DataTypeEnum of the column (Double for a Float field).
    int32_t FieldType(std::size_t field) const;
    // Text: characters; Binary: bytes; others: their stored size.
    int32_t FieldSize(std::size_t field) const;
    // The field whose name matches `name` as the engine matches field names.
    std::optional<std::size_t> FieldIndex(std::u16string_view name) const;

    [[nodiscard]] EngineResult<void> AddNew();
    [[nodiscard]] EngineResult<void> SetValue(std::size_t field, Variant value);
    [[nodiscard]] EngineResult<void> Update();
    // Rows added (Update succeeded) since the Recordset was opened.
    std::uint64_t RecordCount() const;
    // Writes the rows into the database file; the Recordset is then closed
    // (3420 for any later call), whether the write succeeded or not.
    [[nodiscard]] EngineResult<void> Close();

private:
    friend class Database;
    std::unique_ptr<Impl> m_impl;
};

// One per process, created on first use and kept until the program ends.
class DBEngine
{
public:
    static DBEngine& instance();

    // Creates a new database file at `name` and returns it open, holding it
    // with an advisory exclusive lock until the last reference goes. Refuses
    // an existing file (and never touches it). A name without an extension
    // gets ".mdb"; Database::Name() says where the file went. An empty name
    // is 3055, a missing folder 3044.
    [[nodiscard]] EngineResult<std::shared_ptr<Database>> CreateDatabase(
        const std::filesystem::path& name, std::string_view locale, int32_t options);

private:
    DBEngine() = default;
};

} // namespace bastara::dao
