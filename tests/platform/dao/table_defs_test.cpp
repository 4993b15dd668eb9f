#include "engine_test_support.h"
#include "platform/dao/dao.h"
#include "platform/dao/engine_test_hooks.h"
#include "platform/jet/reader.h"
#include "platform/jet/text.h"
#include "support/failing_sink.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace bastara::dao {
namespace {

    using namespace dao::testing;
    using bastara::testing::readFileBytes;
    using bastara::testing::TempDir;
    using bastara::testing::writeFileBytes;

    const std::string invalidNameText
        = " isn't a valid name. Make sure that it doesn't include invalid "
          "characters or punctuation and that it isn't too long.";

    EngineResult<void> appendField(
        TableDef& tdf, std::u16string name, int32_t type = dbLong, double size = 0)
    {
        auto field = tdf.CreateField(std::move(name), type, size);
        EXPECT_TRUE(field);
        return tdf.Fields.Append(*field);
    }

    class TableDefs : public ::testing::Test
    {
    protected:
        void SetUp() override { m_db = createDatabase(m_dir / "db.mdb"); }
        jet::DatabaseInfo readBack() const
        {
            auto info = jet::readDatabase(readFileBytes(m_dir / "db.mdb"));
            EXPECT_TRUE(info);
            return info ? *info : jet::DatabaseInfo {};
        }
        TempDir m_dir;
        std::shared_ptr<Database> m_db;
    };

    TEST_F(TableDefs, AppendingWritesTheTableWithItsFieldsInOrder)
    {
        auto tdf = tableWith(*m_db, persianTableName, twelveTypeFields());
        EXPECT_EQ(tdf->Fields.Count(), 12u);
        ASSERT_TRUE(m_db->TableDefs.Append(tdf));
        EXPECT_EQ(m_db->TableDefs.Count(), 5u);
        const auto info = readBack();
        ASSERT_EQ(info.tables.size(), 1u);
        EXPECT_EQ(info.tables[0].name, persianTableName);
        const auto fields = twelveTypeFields();
        ASSERT_EQ(info.tables[0].columns.size(), fields.size());
        const std::uint8_t types[]
            = { 0x0A, 0x01, 0x02, 0x09, 0x03, 0x04, 0x06, 0x05, 0x07, 0x08, 0x0C, 0x07 };
        const std::uint16_t lengths[] = { 100, 1, 1, 16, 2, 4, 4, 8, 8, 8, 0, 8 };
        for (std::size_t c = 0; c < fields.size(); ++c) {
            EXPECT_EQ(info.tables[0].columns[c].name, fields[c].name);
            EXPECT_EQ(info.tables[0].columns[c].type, types[c]) << c;
            EXPECT_EQ(info.tables[0].columns[c].length, lengths[c]) << c;
        }
    }

    TEST_F(TableDefs, FieldNamesFollowTheEnginesRules)
    {
        auto tdf = *m_db->CreateTableDef(u"t");
        const std::u16string bad[] = { u"", u"a.b", u"wow!", u"back`tick", u"[x", u"x]", u" lead",
            u"tab\there", u"line\nfeed", std::u16string(65, u'n'), u"half\xD800" };
        for (const std::u16string& name : bad)
            EXPECT_TRUE(failsWith(appendField(*tdf, name), 3125)) << jet::toUtf8(name);
        EXPECT_TRUE(failsWith(appendField(*tdf, u"a.b"), 3125, "'a.b'" + invalidNameText));
        const std::u16string good[] = { std::u16string(64, u'n'), u"trail ",
            u"نام‌خانوادگی", u"a-b'c", u"\"quoted\"", u"\u03A9mega", u"with space" };
        for (const std::u16string& name : good)
            EXPECT_TRUE(appendField(*tdf, name)) << jet::toUtf8(name);
        EXPECT_EQ(tdf->Fields.Count(), std::size(good));
    }

    TEST_F(TableDefs, FieldNamesClashCaseInsensitively)
    {
        auto tdf = *m_db->CreateTableDef(u"t");
        ASSERT_TRUE(appendField(*tdf, u"Name"));
        ASSERT_TRUE(appendField(*tdf, u"\u062C\u062F\u0648\u0644"));
        ASSERT_TRUE(appendField(*tdf, u"\u03A9mega"));
        const std::string text
            = "Cannot append. An object with that name already exists in the collection.";
        EXPECT_TRUE(failsWith(appendField(*tdf, u"NAME"), 3367, text));
        EXPECT_TRUE(failsWith(appendField(*tdf, u"name  "), 3367, text));
        EXPECT_TRUE(failsWith(
            appendField(*tdf, u"\u062C\u0640\u062F\u0648\u0644"), 3367, text)); // tatweel ignored
        EXPECT_TRUE(failsWith(appendField(*tdf, u"\u03A9mega "), 3367, text));
        // Outside the sort ranges only A-Z fold; accents and scripts still differ.
        EXPECT_TRUE(appendField(*tdf, u"\u03C9mega"));
        EXPECT_TRUE(appendField(*tdf, u"N\u00E1me"));
        EXPECT_TRUE(appendField(*tdf,
            u"\u062C\u062F\u0648\u0644 "
            u"\u06F1"));
        EXPECT_EQ(tdf->Fields.Count(), 6u);
    }

    TEST_F(TableDefs, OnlyJetTypeCodesAreFieldTypes)
    {
        auto tdf = *m_db->CreateTableDef(u"t");
        int n = 0;
        for (int32_t type : { 0, 13, 14, 16, 17, 18, 19, 20, 22, 101, -1 })
            EXPECT_TRUE(failsWith(
                appendField(*tdf, u"f" + std::u16string(1, char16_t(u'a' + n++)), type, 10), 3259,
                "Invalid field data type."))
                << type;
        EXPECT_EQ(tdf->Fields.Count(), 0u);
        for (int32_t type : { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 21 })
            EXPECT_TRUE(
                appendField(*tdf, u"g" + std::u16string(1, char16_t(u'a' + type)), type, 10))
                << type;
    }

    TEST_F(TableDefs, AFieldIsCheckedInTheEnginesOrder)
    {
        auto tdf = *m_db->CreateTableDef(u"t");
        ASSERT_TRUE(appendField(*tdf, u"a"));
        // Name before duplicate before type before size.
        EXPECT_TRUE(failsWith(appendField(*tdf, u"a!", 99, -1), 3125));
        EXPECT_TRUE(failsWith(appendField(*tdf, u"A", 99, -1), 3367));
        EXPECT_TRUE(failsWith(appendField(*tdf, u"b", 99, -1), 3259));
        EXPECT_TRUE(failsWith(appendField(*tdf, u"b", dbText, -1), 3001, "Invalid argument."));
        EXPECT_TRUE(
            failsWith(tdf->Fields.Append(nullptr), 3420, "Object invalid or no longer set."));
    }

    TEST_F(TableDefs, TheTwoHundredFiftySixthFieldIsTooMany)
    {
        auto tdf = *m_db->CreateTableDef(u"wide");
        for (int i = 0; i < 255; ++i)
            ASSERT_TRUE(appendField(*tdf, u"f" + jet::fromUtf8(std::to_string(i)).value()));
        EXPECT_TRUE(failsWith(appendField(*tdf, u"one more"), 3190, "Too many fields defined."));
        ASSERT_TRUE(m_db->TableDefs.Append(tdf));
        EXPECT_EQ(readBack().tables.at(0).columns.size(), 255u);
    }

    TEST_F(TableDefs, ATableNeedsFieldsAValidNameAndASortKey)
    {
        auto empty = *m_db->CreateTableDef(u"empty");
        EXPECT_TRUE(failsWith(m_db->TableDefs.Append(empty), 3264,
            "No field defined--cannot append TableDef or Index."));
        for (const std::u16string& name : std::vector<std::u16string> { u"", u"a.b", u" lead",
                 std::u16string(65, u't'), u"\u4E2D\u6587", u"tab\u007Fle" }) {
            auto tdf = tableWith(*m_db, name, { { u"a", dbLong, 0 } });
            EXPECT_TRUE(failsWith(
                m_db->TableDefs.Append(tdf), 3125, "'" + jet::toUtf8(name) + "'" + invalidNameText))
                << jet::toUtf8(name);
        }
        EXPECT_TRUE(failsWith(m_db->TableDefs.Append(nullptr), 3420));
        EXPECT_TRUE(readBack().tables.empty());
    }

    TEST_F(TableDefs, TableNamesClashUnderTheGeneralSortOrder)
    {
        ASSERT_TRUE(
            m_db->TableDefs.Append(tableWith(*m_db, persianTableName, { { u"a", dbLong, 0 } })));
        const std::u16string clashes[]
            = { u"msysobjects", u"MSysACEs", u"MSYSQUERIES", u"MSysRelationships  ",
                  u"\u062C\u0640\u062F\u0648\u0644", u"\u062C\u062F\u0648\u0644\u200F" };
        for (const std::u16string& name : clashes) {
            auto tdf = tableWith(*m_db, name, { { u"a", dbLong, 0 } });
            EXPECT_TRUE(failsWith(m_db->TableDefs.Append(tdf), 3010,
                "Table '" + jet::toUtf8(name) + "' already exists."))
                << jet::toUtf8(name);
        }
        // Containers are not tables; look-alike letters are different names.
        EXPECT_TRUE(m_db->TableDefs.Append(tableWith(*m_db, u"Tables", { { u"a", dbLong, 0 } })));
        EXPECT_TRUE(m_db->TableDefs.Append(
            tableWith(*m_db, u"\u062C\u062F\u0648\u0644\u06CC", { { u"a", dbLong, 0 } })));
        EXPECT_EQ(readBack().tables.size(), 3u);
    }

    TEST_F(TableDefs, AnAppendedTableDefCannotBeAppendedOrChangedAgain)
    {
        auto tdf = tableWith(*m_db, u"once", { { u"a", dbLong, 0 } });
        ASSERT_TRUE(m_db->TableDefs.Append(tdf));
        EXPECT_TRUE(failsWith(m_db->TableDefs.Append(tdf), 3367));
        EXPECT_TRUE(failsWith(appendField(*tdf, u"b"), 3219, "Invalid operation."));
        EXPECT_EQ(readBack().tables.size(), 1u);
    }

    TEST_F(TableDefs, AFailedAppendLeavesAValidDatabaseWithoutTheTable)
    {
        // Every step of rewriting the file, with either kind of temporary
        // file: the earlier file byte for byte, or (the folder's sync only)
        // the complete new one; never a temporary file.
        const EngineHooks fixed { {}, [] { return 45000.5; }, [] { return 0x5EED5EEDu; } };
        const auto withOneTable = [&fixed](const TempDir& dir) {
            ScopedEngineHooks hooks(fixed);
            auto db = createDatabase(dir / "db.mdb");
            EXPECT_TRUE(db->TableDefs.Append(tableWith(*db, u"first", { { u"a", dbLong, 0 } })));
            return db;
        };
        for (jet::TempFileMode mode : { jet::TempFileMode::Unnamed, jet::TempFileMode::Named }) {
            int writes = 0;
            std::vector<std::uint8_t> complete;
            {
                TempDir dir;
                auto db = withOneTable(dir);
                EngineHooks counting = fixed;
                counting.writeOptions = bastara::testing::countingWrites(writes, mode);
                ScopedEngineHooks hooks(counting);
                ASSERT_TRUE(db->TableDefs.Append(tableWith(*db, u"second", twelveTypeFields())));
                complete = readFileBytes(dir / "db.mdb");
            }
            for (const auto& fault : bastara::testing::everyWriteFault(writes, mode, true)) {
                TempDir dir;
                auto db = withOneTable(dir);
                const auto before = readFileBytes(dir / "db.mdb");
                EngineHooks faulty = fixed;
                faulty.writeOptions = fault.options;
                ScopedEngineHooks hooks(faulty);
                const auto appended
                    = db->TableDefs.Append(tableWith(*db, u"second", twelveTypeFields()));
                if (fault.reported) {
                    EXPECT_TRUE(failsWith(appended, fault.diskFull ? 3026 : 3043)) << fault.name;
                    EXPECT_EQ(readFileBytes(dir / "db.mdb"), before) << fault.name;
                } else {
                    EXPECT_TRUE(appended) << fault.name;
                    EXPECT_EQ(readFileBytes(dir / "db.mdb"), complete) << fault.name;
                }
                EXPECT_EQ(dir.entries(), std::vector<std::string> { "db.mdb" }) << fault.name;
            }
        }

        ASSERT_TRUE(m_db->TableDefs.Append(tableWith(*m_db, u"first", { { u"a", dbLong, 0 } })));
        {
            ScopedEngineHooks hooks({ bastara::testing::failingWrites(0), {}, {} });
            auto tdf = tableWith(*m_db, u"second", twelveTypeFields());
            EXPECT_TRUE(failsWith(m_db->TableDefs.Append(tdf), 3026, "Not enough space on disk."));
        }
        // The same TableDef can be appended once the disk has room again.
        auto tdf = tableWith(*m_db, u"second", twelveTypeFields());
        ASSERT_TRUE(m_db->TableDefs.Append(tdf));
        const auto info = readBack();
        ASSERT_EQ(info.tables.size(), 2u);
        EXPECT_EQ(info.tables[1].name, u"second");
    }

    TEST_F(TableDefs, OtherWriteFailuresAreDiskOrNetworkErrors)
    {
        ScopedEngineHooks hooks(
            { bastara::testing::failingWrites(3, jet::IoErrorKind::Other, EIO), {}, {} });
        auto tdf = tableWith(*m_db, u"t", { { u"a", dbLong, 0 } });
        EXPECT_TRUE(failsWith(m_db->TableDefs.Append(tdf), 3043, "Disk or network error."));
        EXPECT_TRUE(readBack().tables.empty());
    }

    TEST_F(TableDefs, MoreTablesThanTheCatalogPageHoldsAreRefusedCleanly)
    {
        // Long Persian names fill the catalog's single index leaf after a
        // dozen or so tables; the database stays valid with those before.
        std::size_t appended = 0;
        EngineResult<void> result;
        for (int i = 0; i < 40 && result; ++i) {
            std::u16string name = u"t" + jet::fromUtf8(std::to_string(i)).value();
            name.resize(64, u'\u0628');
            result = m_db->TableDefs.Append(tableWith(*m_db, name, { { u"a", dbLong, 0 } }));
            appended += result.ok();
        }
        EXPECT_TRUE(failsWith(result, 3035, "System resource exceeded."));
        EXPECT_GT(appended, 5u);
        EXPECT_EQ(readBack().tables.size(), appended);
        EXPECT_EQ(m_dir.entries(), std::vector<std::string> { "db.mdb" });
    }

    TEST_F(TableDefs, AFileReplacedBehindTheEnginesBackIsNeverOverwritten)
    {
        const auto path = m_dir / "db.mdb";
        const std::vector<std::uint8_t> foreign(4096, 0x5A);
        writeFileBytes(m_dir / "foreign", foreign);
        std::filesystem::rename(m_dir / "foreign", path);
        auto tdf = tableWith(*m_db, u"t", { { u"a", dbLong, 0 } });
        EXPECT_TRUE(failsWith(m_db->TableDefs.Append(tdf), 3051,
            "The Microsoft Jet database engine cannot open the file '" + path.string()
                + "'. It is already opened exclusively by another user, or you need permission to "
                  "view its data."));
        EXPECT_EQ(readFileBytes(path), foreign);

        std::filesystem::remove(path);
        EXPECT_TRUE(failsWith(
            m_db->TableDefs.Append(tdf), 3024, "Could not find file '" + path.string() + "'."));
        EXPECT_TRUE(m_dir.entries().empty());
    }

} // namespace
} // namespace bastara::dao
