#pragma once

// The rows of the system catalog: one MSysObjects row per object (the three
// containers, the database, the system tables and every user table) and the
// MSysACEs permission rows, with the index entries that find them.
//
// Owner and SID columns hold 2-byte values whose per-database derivation is
// unknown; these are the values of a public engine-written database, used as
// constants (engine A7 31; admin = engine ^ 01 02, creator = engine ^ 00 07,
// users = engine ^ 00 02).

#include "platform/jet/data_page.h"
#include "platform/jet/errors.h"
#include "platform/jet/index_page.h"
#include "platform/support/result.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace bastara::jet {

using Sid = std::array<std::uint8_t, 2>;

namespace sids {
    inline constexpr Sid engine { 0xA7, 0x31 };
    inline constexpr Sid admin { 0xA6, 0x33 };
    inline constexpr Sid creator { 0xA7, 0x36 };
    inline constexpr Sid users { 0xA7, 0x33 };
} // namespace sids

namespace objects {
    inline constexpr std::int32_t root = 0x0F000000;
    inline constexpr std::int32_t tables = 0x0F000001;
    inline constexpr std::int32_t databases = 0x0F000002;
    inline constexpr std::int32_t relationships = 0x0F000003;
    inline constexpr std::int32_t database = 0x10000000;

    inline constexpr std::int16_t typeTable = 1;
    inline constexpr std::int16_t typeDatabase = 2;
    inline constexpr std::int16_t typeContainer = 3;

    inline constexpr std::uint32_t flagSystem = 0x80000000;
} // namespace objects

struct CatalogObject {
    std::int32_t id; // tables: the page of their first TDEF page
    std::int32_t parentId;
    std::u16string name;
    std::int16_t type;
    double dateCreate;
    double dateUpdate;
    Sid owner;
    std::uint32_t flags;
};

struct AccessEntry {
    std::int32_t objectId;
    Sid sid;
    std::int32_t accessMask;
    bool inheritable;
};

// The eight objects of a new database, in the engine's row order.
std::vector<CatalogObject> baseCatalogObjects(double created);
CatalogObject userTableObject(std::uint32_t tdefPage, std::u16string name, double created);

// The sixteen permission rows of a new database, in the engine's order.
std::vector<AccessEntry> baseAccessEntries();
// A new table inherits the Tables container's inheritable entries, with the
// creator placeholder replaced by admin: users first, then admin.
std::vector<AccessEntry> userTableAccessEntries(std::int32_t tableId);

[[nodiscard]] Result<std::vector<std::uint8_t>, FormatError> encodeCatalogRow(
    const CatalogObject& object);
[[nodiscard]] Result<std::vector<std::uint8_t>, FormatError> encodeAccessRow(
    const AccessEntry& entry);

// Index entries for rows stored on `dataPage` in the given order. Fails with
// NameWithoutSortKey when a name has no General sort key.
[[nodiscard]] Result<std::vector<IndexEntry>, FormatError> parentIdNameEntries(
    const std::vector<CatalogObject>& rows, std::uint32_t dataPage);
std::vector<IndexEntry> idEntries(const std::vector<CatalogObject>& rows, std::uint32_t dataPage);
std::vector<IndexEntry> objectIdEntries(
    const std::vector<AccessEntry>& rows, std::uint32_t dataPage);

} // namespace bastara::jet
