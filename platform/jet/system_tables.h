#pragma once

// The fixed page plan of a new database and the definitions of its four
// system tables. Pages 0..18 always hold the same kinds of content; user
// tables follow from page 19.
//
//   page  contents
//   0     header
//   1     global usage map
//   2-5   TDEFs: MSysObjects, MSysACEs, MSysQueries, MSysRelationships
//   6     usage maps of MSysObjects (18 rows)
//   7, 8  MSysObjects index leaves: ParentIdName, Id
//   9     usage maps of MSysACEs (3 rows)
//   10    MSysACEs index leaf: ObjectId
//   11    usage maps of MSysQueries (5 rows)
//   12    MSysQueries index leaf: ObjectIdAttribute (empty)
//   13    usage maps of MSysRelationships (5 rows)
//   14-16 MSysRelationships index leaves (empty)
//   17    MSysObjects rows
//   18    MSysACEs rows

#include "platform/jet/table_def.h"
#include "platform/jet/usage_map.h"

#include <cstdint>
#include <vector>

namespace bastara::jet {

namespace pages {
    inline constexpr std::uint32_t header = 0;
    inline constexpr std::uint32_t globalMap = 1;
    inline constexpr std::uint32_t objectsTable = 2;
    inline constexpr std::uint32_t acesTable = 3;
    inline constexpr std::uint32_t queriesTable = 4;
    inline constexpr std::uint32_t relationshipsTable = 5;
    inline constexpr std::uint32_t objectsMaps = 6;
    inline constexpr std::uint32_t objectsParentIdNameLeaf = 7;
    inline constexpr std::uint32_t objectsIdLeaf = 8;
    inline constexpr std::uint32_t acesMaps = 9;
    inline constexpr std::uint32_t acesObjectIdLeaf = 10;
    inline constexpr std::uint32_t queriesMaps = 11;
    inline constexpr std::uint32_t queriesLeaf = 12;
    inline constexpr std::uint32_t relationshipsMaps = 13;
    inline constexpr std::uint32_t relationshipsLeaves[3] = { 14, 15, 16 };
    inline constexpr std::uint32_t objectsData = 17;
    inline constexpr std::uint32_t acesData = 18;
    inline constexpr std::uint32_t firstUserPage = 19;
} // namespace pages

TableDefinition msysObjectsDefinition(std::uint32_t rowCount);
TableDefinition msysAcesDefinition(std::uint32_t rowCount);
TableDefinition msysQueriesDefinition();
TableDefinition msysRelationshipsDefinition();

// The rows of each system table's usage-map page, in row order.
std::vector<PageSet> msysObjectsMaps();
std::vector<PageSet> msysAcesMaps();
std::vector<PageSet> msysQueriesMaps();
std::vector<PageSet> msysRelationshipsMaps();

} // namespace bastara::jet
