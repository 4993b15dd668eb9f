// libFuzzer target: arbitrary bytes as the CSV of a fixed table (Long,
// Text(10), Memo, Binary(4), Boolean), through the CSV reader, the value
// parser and the row encoder. Every record is either refused cleanly or
// encoded into a row that decodes to the same values. The Long, Text and
// Boolean values are also keyed both ways: a descending key is the
// ascending one inverted, and the keys of the Long values order as the
// numbers do.

#include "platform/jet/data_page.h"
#include "platform/jet/index_key.h"
#include "platform/jet/table_rows.h"
#include "tools/mkdb/csv_reader.h"
#include "tools/mkdb/value_parser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using namespace bastara;

const std::vector<jet::ColumnDefinition>& table()
{
    static const std::vector<jet::ColumnDefinition> columns {
        { u"l", jet::ColumnType::Long, 4, 0x03 },
        { u"t", jet::ColumnType::Text, 20, 0x02 },
        { u"m", jet::ColumnType::Memo, 0, 0x02 },
        { u"b", jet::ColumnType::Binary, 4, 0x02 },
        { u"f", jet::ColumnType::Boolean, 1, 0x03 },
    };
    return columns;
}

constexpr int32_t types[]
    = { dao::dbLong, dao::dbText, dao::dbMemo, dao::dbBinary, dao::dbBoolean };

std::vector<std::uint8_t> ucs2(std::u16string_view text)
{
    std::vector<std::uint8_t> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int fd = ::memfd_create("csv", MFD_CLOEXEC);
    if (fd < 0 || ::write(fd, data, size) != static_cast<ssize_t>(size)
        || ::lseek(fd, 0, SEEK_SET) != 0)
        std::abort();
    auto spool = jet::PageSpool::create(std::filesystem::temp_directory_path(), 20);
    if (!spool)
        std::abort();
    jet::RowEncoder encoder(table(), *spool);
    mkdb::CsvReader reader(fd, data[0 % (size ? size : 1)] == ';' ? ';' : ',');
    std::vector<std::string_view> fields;
    std::vector<dao::Variant> values(5);
    std::array<std::uint8_t, 4> longBytes {};
    std::vector<std::uint8_t> binary;
    std::u16string text, memo;
    std::optional<std::int64_t> lastLong;
    std::vector<std::uint8_t> lastKey;
    for (int record = 0; record < 64; ++record) {
        auto more = reader.next(fields);
        if (!more || !*more)
            break;
        if (fields.size() != 5)
            continue;
        std::vector<jet::FieldCell> cells(5);
        bool refused = false;
        for (std::size_t c = 0; c < 5 && !refused; ++c) {
            auto value = mkdb::parseValue(fields[c], types[c]);
            if (!value) {
                refused = true;
                break;
            }
            values[c] = *value;
            jet::FieldCell& cell = cells[c];
            if (std::holds_alternative<std::monostate>(*value)) {
                if (c == 4)
                    refused = true;
                continue;
            }
            if (c == 0) {
                const std::int64_t n = std::get<std::int64_t>(*value);
                if (n < INT32_MIN || n > INT32_MAX) {
                    refused = true;
                    break;
                }
                for (std::size_t i = 0; i < 4; ++i)
                    longBytes[i]
                        = static_cast<std::uint8_t>(static_cast<std::uint64_t>(n) >> (8 * i));
                cell = { jet::FieldCell::Kind::Bytes, false, longBytes, {} };
            } else if (c == 1 || c == 2) {
                (c == 1 ? text : memo) = std::get<std::u16string>(*value);
                cell = { jet::FieldCell::Kind::Text, false, {}, c == 1 ? text : memo };
            } else if (c == 3) {
                binary = std::get<std::vector<std::uint8_t>>(*value);
                cell = { jet::FieldCell::Kind::Bytes, false, binary, {} };
            } else {
                cell = { jet::FieldCell::Kind::Boolean, std::get<bool>(*value), {}, {} };
            }
        }
        if (refused)
            continue;
        for (std::size_t c : { 0u, 1u, 4u }) {
            std::vector<std::uint8_t> up, down;
            const jet::ColumnType type = table()[c].type;
            const auto problem = jet::appendKeyGroup(up, type, false, cells[c]);
            if (jet::appendKeyGroup(down, type, true, cells[c]) != problem)
                std::abort();
            if (problem != jet::KeyProblem::None)
                continue;
            const std::size_t extra
                = type == jet::ColumnType::Text && cells[c].kind != jet::FieldCell::Kind::Null;
            if (up.empty() || down.size() != up.size() + extra)
                std::abort();
            for (std::size_t i = 1; i < up.size(); ++i) {
                if (down[i] != static_cast<std::uint8_t>(~up[i]))
                    std::abort();
            }
            if (c == 0 && std::holds_alternative<std::int64_t>(values[0])) {
                const std::int64_t n = std::get<std::int64_t>(values[0]);
                if (lastLong && (*lastLong < n) != (lastKey < up))
                    std::abort();
                lastLong = n;
                lastKey = up;
            }
        }
        auto row = encoder.encode(cells);
        if (!row)
            continue;
        auto decoded = jet::decodeRow(encoder.layout(), *row);
        if (!decoded)
            std::abort();
        const auto& back = *decoded;
        auto bytesOf
            = [&](std::size_t c) { return std::get_if<std::vector<std::uint8_t>>(&back[c]); };
        if ((cells[0].kind == jet::FieldCell::Kind::Null) != !bytesOf(0)
            || (bytesOf(0)
                && !std::equal(bytesOf(0)->begin(), bytesOf(0)->end(), longBytes.begin())))
            std::abort();
        if ((cells[1].kind == jet::FieldCell::Kind::Null) != !bytesOf(1)
            || (bytesOf(1) && *bytesOf(1) != ucs2(text)))
            std::abort();
        if ((cells[3].kind == jet::FieldCell::Kind::Null) != !bytesOf(3)
            || (bytesOf(3) && *bytesOf(3) != binary))
            std::abort();
        if (const auto* field = bytesOf(2)) {
            // The 12-byte field carries the stored length; inline values follow it.
            const std::size_t length = (*field)[0] | (*field)[1] << 8 | (*field)[2] << 16;
            if (length != memo.size() * 2 || ((*field)[3] == 0x80 && field->size() != 12 + length))
                std::abort();
        } else if (cells[2].kind != jet::FieldCell::Kind::Null) {
            std::abort();
        }
        if (std::get<bool>(back[4]) != cells[4].flag)
            std::abort();
    }
    ::close(fd);
    return 0;
}
