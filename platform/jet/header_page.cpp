#include "platform/jet/header_page.h"

#include "platform/jet/byte_reader.h"
#include "platform/jet/ole_date.h"
#include "platform/jet/page_writer.h"

#include <algorithm>
#include <string_view>

namespace bastara::jet {

namespace {

    constexpr std::string_view engineName { "Standard Jet DB\0", 16 };
    constexpr std::string_view versionText { "4.0\0", 4 };

    // Identical in every engine-written Jet 4 file examined; meaning unknown.
    constexpr std::array<std::uint8_t, 24> constantBlock { 0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00,
        0x00, 0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x00,
        0x00, 0x00 };
    constexpr std::uint32_t unknown6A = 0x11A6; // as a DAO-written file has it
    constexpr std::uint32_t constant98 = 0x0654;

    std::span<const std::uint8_t> asBytes(std::string_view text)
    {
        return { reinterpret_cast<const std::uint8_t*>(text.data()), text.size() };
    }

} // namespace

std::array<std::uint8_t, 4> dateMask(double creationDate)
{
    const auto days = static_cast<std::uint32_t>(wholeDays(creationDate));
    return { static_cast<std::uint8_t>(days), static_cast<std::uint8_t>(days >> 8),
        static_cast<std::uint8_t>(days >> 16), static_cast<std::uint8_t>(days >> 24) };
}

void writeHeaderPage(PageSpan page, const HeaderFields& fields)
{
    namespace h = format::header;
    std::fill(page.begin(), page.end(), std::uint8_t { 0 });
    PageWriter w(page);
    w.at(0).u8(static_cast<std::uint8_t>(format::PageType::Header)).u8(0x01).u16le(0);
    w.at(h::engineName).bytes(asBytes(engineName));
    w.at(h::version).u32le(fields.version);
    w.at(h::constantBlock).bytes(constantBlock);
    w.at(h::codePage).u16le(fields.codePage);
    w.at(h::databaseKey).u32le(fields.databaseKey);
    // An empty password: the date mask repeated over the whole area.
    const auto mask = dateMask(fields.creationDate);
    w.at(h::password);
    for (std::size_t i = 0; i < h::passwordLength; ++i)
        w.u8(mask[i % mask.size()]);
    w.at(h::unknown6A).u32le(unknown6A);
    w.at(h::sortOrder).u16le(fields.sortOrder).u8(0).u8(0);
    w.at(h::creationDate).f64le(fields.creationDate);
    w.at(h::constant98).u32le(constant98);
    w.at(h::versionText).bytes(asBytes(versionText));
    w.at(h::unknownTable).u16le(0x0101);
    for (std::size_t i = 1; i < h::unknownTableWords; ++i)
        w.u16le(0x0100);
    // Every offset above is a constant inside the page.
    (void)w.status();
}

Result<HeaderFields, FormatError> readHeaderPage(
    std::span<const std::uint8_t, format::pageSize> page)
{
    namespace h = format::header;
    auto malformed = [](const char* why) {
        return Unexpected { FormatError { FormatError::Kind::Malformed, why } };
    };
    ByteReader r(page);
    if (r.u8() != static_cast<std::uint8_t>(format::PageType::Header))
        return malformed("page 0 is not a database header");
    const auto name = r.at(h::engineName).bytes(engineName.size());
    if (!std::equal(name.begin(), name.end(), asBytes(engineName).begin()))
        return malformed("not a Jet database");
    HeaderFields fields;
    fields.version = r.at(h::version).u32le();
    if (fields.version != h::versionJet4)
        return malformed("not a Jet 4 database");
    fields.codePage = r.at(h::codePage).u16le();
    fields.databaseKey = r.at(h::databaseKey).u32le();
    fields.sortOrder = r.at(h::sortOrder).u16le();
    fields.creationDate = r.at(h::creationDate).f64le();
    return fields;
}

} // namespace bastara::jet
