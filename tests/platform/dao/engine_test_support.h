#pragma once

// Shared helpers of the engine tests: checking an engine error, and building
// a database the way the application does.

#include "platform/dao/dao.h"

#include <gtest/gtest.h>
#include <string>

namespace bastara::dao::testing {

template <typename T>
::testing::AssertionResult failsWith(
    const EngineResult<T>& result, int32_t number, const std::string& description)
{
    if (result)
        return ::testing::AssertionFailure() << "succeeded; expected error " << number;
    if (result.error().number != number || result.error().description != description)
        return ::testing::AssertionFailure()
            << "error " << result.error().number << " \"" << result.error().description
            << "\"; expected " << number << " \"" << description << "\"";
    return ::testing::AssertionSuccess();
}

template <typename T>
::testing::AssertionResult failsWith(const EngineResult<T>& result, int32_t number)
{
    if (result)
        return ::testing::AssertionFailure() << "succeeded; expected error " << number;
    if (result.error().number != number)
        return ::testing::AssertionFailure()
            << "error " << result.error().number << " \"" << result.error().description
            << "\"; expected " << number;
    return ::testing::AssertionSuccess();
}

inline std::shared_ptr<Database> createDatabase(
    const std::filesystem::path& path, int32_t options = dbEncrypt)
{
    auto db = DBEngine::instance().CreateDatabase(path, dbLangGeneral, options);
    EXPECT_TRUE(db) << (db ? "" : db.error().description);
    return db ? *db : nullptr;
}

// A TableDef with one field per (name, type, size), all appended.
struct FieldArgs {
    std::u16string name;
    int32_t type;
    double size;
};

inline std::shared_ptr<TableDef> tableWith(
    Database& db, std::u16string name, const std::vector<FieldArgs>& fields)
{
    auto tdf = db.CreateTableDef(std::move(name));
    EXPECT_TRUE(tdf);
    for (const FieldArgs& contents : fields) {
        auto field = (*tdf)->CreateField(contents.name, contents.type, contents.size);
        EXPECT_TRUE(field);
        const auto appended = (*tdf)->Fields.Append(*field);
        EXPECT_TRUE(appended) << (appended ? "" : appended.error().description);
    }
    return *tdf;
}

// The twelve type codes the application uses, with mixed Persian and Latin names.
inline std::vector<FieldArgs> twelveTypeFields()
{
    return {
        { u"متن Text", dbText, 50 },
        { u"منطقی Boolean", dbBoolean, 0 },
        { u"بایت Byte", dbByte, 0 },
        { u"دودویی Binary", dbBinary, 16 },
        { u"صحیح Integer", dbInteger, 0 },
        { u"عدد Long", dbLong, 0 },
        { u"تکی Single", dbSingle, 0 },
        { u"پول Currency", dbCurrency, 0 },
        { u"دوتا Double", dbDouble, 0 },
        { u"تاریخ Date", dbDate, 0 },
        { u"یادداشت Memo", dbMemo, 0 },
        { u"شناور Float", dbFloat, 0 },
    };
}

inline const std::u16string persianTableName = u"\u062C\u062F\u0648\u0644";

} // namespace bastara::dao::testing
