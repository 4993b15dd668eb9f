// Creating a database the way the application does: CreateDatabase with
// dbEncrypt, a 101-field table (the field-slot maximum), both appended. The
// file goes to the system temp folder and is removed outside the timing.

#include "platform/dao/dao.h"
#include "platform/jet/database.h"
#include "platform/jet/format.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace bastara;

std::u16string fieldName(int i)
{
    std::u16string name = u"ستون ";
    for (char c : std::to_string(i))
        name.push_back(static_cast<char16_t>(c));
    return name;
}

// The twelve type codes in turn, Text at 50 characters.
constexpr int32_t typeCycle[]
    = { dao::dbText, dao::dbBoolean, dao::dbByte, dao::dbBinary, dao::dbInteger, dao::dbLong,
          dao::dbSingle, dao::dbCurrency, dao::dbDouble, dao::dbDate, dao::dbMemo, dao::dbFloat };

bool createWith101Fields(const std::filesystem::path& path)
{
    auto db = dao::DBEngine::instance().CreateDatabase(path, dao::dbLangGeneral, dao::dbEncrypt);
    if (!db)
        return false;
    auto tdf = (*db)->CreateTableDef(u"جدول");
    for (int i = 0; i < 101; ++i) {
        auto field = (*tdf)->CreateField(fieldName(i), typeCycle[i % 12], 50);
        if (!field || !(*tdf)->Fields.Append(*field))
            return false;
    }
    return static_cast<bool>((*db)->TableDefs.Append(*tdf));
}

void BM_CreateDatabaseWith101FieldTable(benchmark::State& state)
{
    std::string folder = (std::filesystem::temp_directory_path() / "bastara-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        state.SkipWithError("no temp folder");
        return;
    }
    const std::filesystem::path path = std::filesystem::path(folder) / "bench.mdb";
    std::uintmax_t size = 0;
    for (auto _ : state) {
        if (!createWith101Fields(path)) {
            state.SkipWithError("engine call failed");
            break;
        }
        state.PauseTiming();
        size = std::filesystem::file_size(path);
        std::filesystem::remove(path);
        state.ResumeTiming();
    }
    state.counters["file_bytes"] = static_cast<double>(size);
    // A regression guard: the file's size in pages.
    state.counters["pages"] = static_cast<double>(size / jet::format::pageSize);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CreateDatabaseWith101FieldTable)->Unit(benchmark::kMicrosecond);

// The same database built in memory only: the writer's share of the time.
void BM_BuildImageWith101FieldTable(benchmark::State& state)
{
    jet::DatabaseContents contents;
    contents.created = 46363.5;
    contents.databaseKey = 0x6D3EE1F9;
    jet::UserTable table { u"جدول", 46363.5, {} };
    for (int i = 0; i < 101; ++i)
        table.columns.push_back({ fieldName(i), jet::ColumnType::Long, 4 });
    contents.tables.push_back(table);
    for (auto _ : state) {
        auto store = jet::buildDatabase(contents);
        auto image = jet::encodedImage(*store, jet::PageCodec(contents.databaseKey));
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_BuildImageWith101FieldTable)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
