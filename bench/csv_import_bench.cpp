// Rows from a CSV file into a closed database file, the way bastara-mkdb
// --rows takes them: 1,000,000 rows of a Long, a Text(50) of Persian and
// Latin words, a Double, a Date and a Boolean. The CSV is written once into
// the system temp folder; each database is removed outside the timing. The
// second benchmark takes the same rows with a primary key on the Long.

#include "app/create_table.h"
#include "tools/mkdb/csv_import.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace bastara;

constexpr int rowCount = 1'000'000;

// Words drawn by a fixed linear congruential sequence: the same CSV every run.
void writeCsv(const std::filesystem::path& path)
{
    const char* persian[]
        = { "سلام", "کتاب", "دانشگاه", "تهران", "مهر", "آب", "خانه", "دوست", "شیراز", "باران" };
    const char* latin[]
        = { "hello", "book", "river", "Tehran", "data", "rows", "file", "green", "table", "world" };
    std::uint32_t seed = 7;
    auto next = [&seed](std::uint32_t bound) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % bound;
    };
    std::ofstream out(path, std::ios::binary);
    out << "ID,Name,Amount,Day,Done\n";
    char line[256];
    for (int i = 0; i < rowCount; ++i) {
        std::string name;
        const std::uint32_t words = 1 + next(3);
        for (std::uint32_t w = 0; w < words; ++w)
            name += std::string(w ? " " : "") + (next(2) ? persian[next(10)] : latin[next(10)]);
        std::snprintf(line, sizeof line, "%d,%s,%.2f,2024-%02d-%02d %02d:%02d:00,%s\n", i + 1,
            name.c_str(), i * 0.25, i % 12 + 1, i % 28 + 1, i % 24, i % 60,
            i % 3 ? "false" : "true");
        out << line;
    }
}

void importMillionRows(benchmark::State& state, const std::vector<app::IndexRequest>& indexes)
{
    std::string folder = (std::filesystem::temp_directory_path() / "bastara-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        state.SkipWithError("no temp folder");
        return;
    }
    const std::filesystem::path csv = std::filesystem::path(folder) / "rows.csv";
    writeCsv(csv);
    const std::filesystem::path file = std::filesystem::path(folder) / "rows.mdb";
    const std::vector<app::FieldRow> fields { { u"ID", u"Long", u"" }, { u"Name", u"Text", u"50" },
        { u"Amount", u"Double", u"" }, { u"Day", u"Date", u"" }, { u"Done", u"Boolean", u"" } };
    double fileBytes = 0;
    for (auto _ : state) {
        const int fd = ::open(csv.c_str(), O_RDONLY | O_CLOEXEC);
        const auto created = app::createTable(
            file, u"T", fields, 0,
            [fd](dao::Database& database) -> Result<void, std::string> {
                mkdb::CsvReader reader(fd, ',');
                mkdb::ProgressLine progress(stderr, false);
                auto imported = mkdb::importRows(database, u"T", reader, progress);
                if (!imported)
                    return Unexpected { imported.error() };
                return {};
            },
            indexes);
        ::close(fd);
        if (!created) {
            state.SkipWithError("the import failed");
            break;
        }
        state.PauseTiming();
        fileBytes = static_cast<double>(std::filesystem::file_size(file));
        std::filesystem::remove(file);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rowCount);
    state.counters["file_bytes"] = fileBytes;
    std::filesystem::remove_all(folder);
}
void BM_CsvToDatabaseMillionRows(benchmark::State& state)
{
    importMillionRows(state, {});
}
BENCHMARK(BM_CsvToDatabaseMillionRows)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CsvToDatabaseMillionRowsPrimaryKey(benchmark::State& state)
{
    importMillionRows(state, { { u"PrimaryKey", true, true, { { u"ID", false } } } });
}
BENCHMARK(BM_CsvToDatabaseMillionRowsPrimaryKey)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
