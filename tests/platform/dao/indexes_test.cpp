#include "engine_test_support.h"
#include "platform/dao/dao.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace bastara::dao {
namespace {

    using namespace dao::testing;
    using bastara::testing::TempDir;

    struct KeyField {
        std::u16string name;
        bool descending = false;
    };

    std::shared_ptr<Index> indexOf(TableDef& tdf, std::u16string name,
        const std::vector<KeyField>& fields, bool primary = false)
    {
        auto index = tdf.CreateIndex(std::move(name));
        EXPECT_TRUE(index);
        EXPECT_TRUE((*index)->SetPrimary(primary));
        for (const KeyField& key : fields) {
            auto field = (*index)->CreateField(key.name);
            EXPECT_TRUE(field);
            (*field)->SetAttributes(key.descending ? dbDescending : 0);
            EXPECT_TRUE((*index)->Fields.Append(*field));
        }
        return *index;
    }

    class Indexes : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            m_db = createDatabase(m_dir / "db.mdb");
            m_tdf = tableWith(*m_db, u"T",
                { { u"ID", dbLong, 0 }, { u"Name", dbText, 20 }, { u"Notes", dbMemo, 0 } });
        }

        // Adds a row of (ID, Name); an empty variant is Null.
        EngineResult<void> addRow(Recordset& rs, Variant id, Variant name)
        {
            EXPECT_TRUE(rs.AddNew());
            EXPECT_TRUE(rs.SetValue(0, std::move(id)));
            EXPECT_TRUE(rs.SetValue(1, std::move(name)));
            return rs.Update();
        }

        TempDir m_dir;
        std::shared_ptr<Database> m_db;
        std::shared_ptr<TableDef> m_tdf;
    };

    TEST_F(Indexes, AppendRefusesWhatTheEngineRefuses)
    {
        struct Case {
            const char* what;
            std::u16string name;
            std::vector<KeyField> fields;
            bool primary;
            std::int32_t error;
        };
        ASSERT_TRUE(m_tdf->Indexes.Append(indexOf(*m_tdf, u"PrimaryKey", { { u"ID" } }, true)));
        const std::vector<Case> cases {
            { "a bad name", u"a.b", { { u"ID" } }, false, 3125 },
            { "a name in use, in other case", u"primarykey", { { u"Name" } }, false, 3367 },
            { "no fields", u"Empty", {}, false, 3264 },
            { "a field the table lacks", u"Missing", { { u"Nope" } }, false, 3265 },
            { "a Memo field", u"ByNotes", { { u"Notes" } }, false, 3259 },
            { "a second primary key", u"Other", { { u"Name" } }, true, 3283 },
        };
        for (const Case& c : cases)
            EXPECT_TRUE(failsWith(
                m_tdf->Indexes.Append(indexOf(*m_tdf, c.name, c.fields, c.primary)), c.error))
                << c.what;
        EXPECT_EQ(m_tdf->Indexes.Count(), 1u);
        for (int i = 1; i < 32; ++i)
            ASSERT_TRUE(m_tdf->Indexes.Append(indexOf(*m_tdf,
                std::u16string { u'I', static_cast<char16_t>(u'a' + i / 26),
                    static_cast<char16_t>(u'a' + i % 26) },
                { { u"ID" } })));
        EXPECT_TRUE(
            failsWith(m_tdf->Indexes.Append(indexOf(*m_tdf, u"Over", { { u"ID" } })), 3281));

        auto wide = m_tdf->CreateIndex(u"Wide");
        for (int i = 0; i < 10; ++i)
            ASSERT_TRUE((*wide)->Fields.Append(
                *(*wide)->CreateField(u"F" + std::u16string(1, static_cast<char16_t>(u'0' + i)))));
        EXPECT_TRUE(failsWith((*wide)->Fields.Append(*(*wide)->CreateField(u"F10")), 3277));
        EXPECT_TRUE(failsWith((*wide)->Fields.Append(*(*wide)->CreateField(u"f1")), 3367));

        ASSERT_TRUE(m_db->TableDefs.Append(m_tdf));
        EXPECT_TRUE(
            failsWith(m_tdf->Indexes.Append(indexOf(*m_tdf, u"Late", { { u"ID" } })), 3219));
    }

    TEST_F(Indexes, UpdateRefusesDuplicatesAndNullsAndKeepsTheOtherRows)
    {
        ASSERT_TRUE(m_tdf->Indexes.Append(indexOf(*m_tdf, u"PrimaryKey", { { u"ID" } }, true)));
        auto byName = indexOf(*m_tdf, u"ByName", { { u"Name", true } });
        ASSERT_TRUE(byName->SetUnique(true));
        ASSERT_TRUE(m_tdf->Indexes.Append(byName));
        ASSERT_TRUE(m_db->TableDefs.Append(m_tdf));

        auto rs = m_db->OpenRecordset(u"T");
        ASSERT_TRUE(rs);
        EXPECT_TRUE(addRow(**rs, std::int64_t { 2 }, u"b"));
        EXPECT_TRUE(failsWith(addRow(**rs, std::int64_t { 2 }, u"c"), 3022));
        EXPECT_TRUE(failsWith(addRow(**rs, {}, u"c"), 3058));
        EXPECT_TRUE(
            failsWith(addRow(**rs, std::int64_t { 3 }, u"B"), 3022)); // General order ignores case
        EXPECT_TRUE(addRow(**rs, std::int64_t { 3 }, {}));
        EXPECT_TRUE(addRow(**rs, std::int64_t { 1 }, {})); // Nulls do not clash in a unique index
        EXPECT_EQ((*rs)->RecordCount(), 3u);
        ASSERT_TRUE((*rs)->Close());

        // A later Recordset keeps the keys of the rows already in the file.
        auto more = m_db->OpenRecordset(u"T");
        ASSERT_TRUE(more);
        EXPECT_TRUE(failsWith(addRow(**more, std::int64_t { 1 }, u"x"), 3022));
        EXPECT_TRUE(failsWith(addRow(**more, std::int64_t { 9 }, u"b"), 3022));
        EXPECT_TRUE(addRow(**more, std::int64_t { 0 }, u"a"));
        EXPECT_TRUE((*more)->Close());
    }

} // namespace
} // namespace bastara::dao
