#pragma once

// Page 0 in plain form (format.h, namespace header, has the byte table). The
// masking of 0x18..0x97 is the codec's job (page_codec.h).

#include "platform/jet/errors.h"
#include "platform/jet/page_codec.h"
#include "platform/support/result.h"

#include <array>
#include <cstdint>
#include <span>

namespace bastara::jet {

struct HeaderFields {
    std::uint16_t codePage = 1252;
    std::uint32_t databaseKey = 0; // 0: pages are not encoded
    double creationDate = 0.0; // OLE date
    std::uint16_t sortOrder = format::header::sortGeneral;
    std::uint32_t version = format::header::versionJet4;
};

// The 4 bytes an empty password is XOR-ed with: le32 of the creation date's
// whole-day part.
std::array<std::uint8_t, 4> dateMask(double creationDate);

void writeHeaderPage(PageSpan page, const HeaderFields& fields);

// Reads the fields of an unmasked page 0; fails when it is not a Jet 4 header.
[[nodiscard]] Result<HeaderFields, FormatError> readHeaderPage(
    std::span<const std::uint8_t, format::pageSize> page);

} // namespace bastara::jet
