#include "example_tables.h"
#include "hex.h"
#include "platform/jet/catalog.h"
#include "platform/jet/system_tables.h"

#include <gtest/gtest.h>

namespace bastara::jet {
namespace {

    TEST(Catalog, TheRowOfANewTableMatchesTheWorkedExample)
    {
        const auto row = encodeCatalogRow(
            userTableObject(19, testing::exampleTableName, testing::exampleDate));
        ASSERT_TRUE(row);
        EXPECT_EQ(row->size(), 71u);
        EXPECT_TRUE(testing::bytesAt(*row, 0, R"(
            11 00
            13 00 00 00
            01 00 00 0f
            01 00
            c6 9c 59 7b 7a a3 e6 40
            c6 9c 59 7b 7a a3 e6 40
            00 00 00 00
            2c 06 2f 06 48 06 44 06
            a6 33
            2a 00 2a 00 2a 00 2a 00 2a 00 2a 00 2a 00 2a 00 2a 00 2a 00
            28 00
            20 00
            0b 00
            ff 00 00)"));
    }

    TEST(Catalog, ANewDatabaseHasTheEngineObjectsInItsOrder)
    {
        const auto objects = baseCatalogObjects(1.0);
        ASSERT_EQ(objects.size(), 8u);
        EXPECT_EQ(objects[0].name, u"Tables");
        EXPECT_EQ(objects[3].name, u"MSysDb");
        EXPECT_EQ(objects[3].parentId, objects::databases);
        EXPECT_EQ(objects[3].owner, sids::admin);
        EXPECT_EQ(objects[7].name, u"MSysRelationships");
        EXPECT_EQ(objects[7].id, 5);
        for (const CatalogObject& object : objects)
            EXPECT_EQ(object.flags, objects::flagSystem);
    }

    TEST(Catalog, SidsKeepTheirRelationToTheEngineSid)
    {
        auto xorWith = [](Sid sid, std::uint8_t a, std::uint8_t b) {
            return Sid { static_cast<std::uint8_t>(sid[0] ^ a),
                static_cast<std::uint8_t>(sid[1] ^ b) };
        };
        EXPECT_EQ(sids::admin, xorWith(sids::engine, 0x01, 0x02));
        EXPECT_EQ(sids::creator, xorWith(sids::engine, 0x00, 0x07));
        EXPECT_EQ(sids::users, xorWith(sids::engine, 0x00, 0x02));
    }

    TEST(Catalog, ATableInheritsTheTablesContainersEntriesUsersFirst)
    {
        const auto entries = userTableAccessEntries(19);
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0].sid, sids::users);
        EXPECT_EQ(entries[0].accessMask, 1048319);
        EXPECT_EQ(entries[1].sid, sids::admin);
        EXPECT_EQ(entries[1].accessMask, 983294);
        EXPECT_FALSE(entries[0].inheritable || entries[1].inheritable);
        // Those are the container's inheritable rights, creator replaced by admin.
        int inherited = 0;
        for (const AccessEntry& entry : baseAccessEntries()) {
            if (entry.objectId == objects::tables && entry.inheritable) {
                ++inherited;
                EXPECT_TRUE(entry.accessMask == 1048319 || entry.accessMask == 983294);
            }
        }
        EXPECT_EQ(inherited, 2);
    }

    TEST(Catalog, AnAccessRowHoldsIdSidMaskAndTheInheritableBit)
    {
        const auto row = encodeAccessRow({ objects::tables, sids::creator, 983294, true });
        ASSERT_TRUE(row);
        EXPECT_TRUE(
            testing::bytesAt(*row, 0, "04 00 01 00 00 0f fe 00 0f 00 a7 36 0c 00 0a 00 01 00 0f"));
    }

    TEST(Catalog, NameEntriesNeedASortKey)
    {
        auto objects = baseCatalogObjects(1.0);
        objects.push_back(userTableObject(19, u"\u03A9mega", 1.0));
        const auto entries = parentIdNameEntries(objects, pages::objectsData);
        ASSERT_FALSE(entries);
        EXPECT_EQ(entries.error().kind, FormatError::Kind::NameWithoutSortKey);
    }

} // namespace
} // namespace bastara::jet
