#pragma once

// Pages of rows on their way into a database file, kept in an unnamed
// temporary file rather than in memory, so that a table of any size costs
// the same memory. Pages are numbered from `firstPage` in the final file and
// may be written in any order; emitSpool() encodes and writes them in page
// order after the pages before them.

#include "platform/jet/io_error.h"
#include "platform/jet/page_codec.h"
#include "platform/jet/page_store.h"
#include "platform/jet/unique_fd.h"
#include "platform/support/result.h"

#include <cstdint>
#include <filesystem>

namespace bastara::jet {

class PageSpool
{
public:
    // The temporary file goes into `folder` (the database's own, so that it
    // counts against the same disk).
    [[nodiscard]] static Result<PageSpool, IoError> create(
        const std::filesystem::path& folder, std::uint32_t firstPage);

    std::uint32_t firstPage() const { return m_firstPage; }
    // The number the next new page gets.
    std::uint32_t endPage() const { return m_firstPage + m_pageCount; }
    std::uint32_t allocate() { return m_firstPage + m_pageCount++; }

    // Writes a page that allocate() handed out.
    [[nodiscard]] Result<void, IoError> write(
        std::uint32_t number, std::span<const std::uint8_t, format::pageSize> page);
    [[nodiscard]] Result<void, IoError> read(std::uint32_t number, PageSpan page) const;

private:
    PageSpool(UniqueFd file, std::string shownPath, std::uint32_t firstPage);

    UniqueFd m_file;
    std::string m_shownPath;
    std::uint32_t m_firstPage;
    std::uint32_t m_pageCount = 0;
};

// Every page of the spool, encoded with `codec`, in page order.
[[nodiscard]] Result<void, IoError> emitSpool(
    const PageSpool& spool, const PageCodec& codec, PageSink& sink);

} // namespace bastara::jet
