// libFuzzer target: the Jet reader on arbitrary bytes. It must refuse what
// it cannot read, never crash or read out of bounds.

#include "platform/jet/reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace bastara::jet;
    const std::span<const std::uint8_t> bytes(data, size);
    (void)readDatabase(bytes);
    // Beyond the catalog walk: every page taken as the start of a table
    // definition, and the rows of whatever parses.
    if (auto reader = DatabaseReader::open(bytes)) {
        for (std::uint32_t page = 1; page < reader->pageCount(); ++page) {
            if (auto table = reader->tableDefinition(page))
                (void)reader->rows(*table);
        }
    }
    return 0;
}
