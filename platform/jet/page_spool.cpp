#include "platform/jet/page_spool.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace bastara::jet {

namespace {

    Unexpected<IoError> systemFailure(const std::string& path, int errorNumber = errno)
    {
        return Unexpected { IoError { classifySystemError(errorNumber), errorNumber, path } };
    }

    off_t offsetOf(std::uint32_t index)
    {
        return static_cast<off_t>(index) * static_cast<off_t>(format::pageSize);
    }

    // Pages go out in batches: one system call per page would dominate.
    constexpr std::size_t batchPages = 64;

} // namespace

PageSpool::PageSpool(UniqueFd file, std::string shownPath, std::uint32_t firstPage)
    : m_file(std::move(file))
    , m_shownPath(std::move(shownPath))
    , m_firstPage(firstPage)
{ }

Result<PageSpool, IoError> PageSpool::create(
    const std::filesystem::path& folder, std::uint32_t firstPage)
{
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
    int fd = ::open(where.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        // File systems without unnamed files: a named one, unlinked at once.
        std::string name = (where / ".rows.XXXXXX").string();
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0)
            return systemFailure(where.string());
        ::unlink(name.c_str());
    }
    return PageSpool(UniqueFd(fd), where.string(), firstPage);
}

Result<void, IoError> PageSpool::write(
    std::uint32_t number, std::span<const std::uint8_t, format::pageSize> page)
{
    const off_t offset = offsetOf(number - m_firstPage);
    std::size_t done = 0;
    while (done < page.size()) {
        const ssize_t written = ::pwrite(m_file.get(), page.data() + done, page.size() - done,
            offset + static_cast<off_t>(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return systemFailure(m_shownPath, written < 0 ? errno : EIO);
        done += static_cast<std::size_t>(written);
    }
    return {};
}

Result<void, IoError> PageSpool::read(std::uint32_t number, PageSpan page) const
{
    const off_t offset = offsetOf(number - m_firstPage);
    std::size_t done = 0;
    while (done < page.size()) {
        const ssize_t got = ::pread(m_file.get(), page.data() + done, page.size() - done,
            offset + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return systemFailure(m_shownPath);
        // A page allocated but never written reads as zeros.
        if (got == 0) {
            std::fill(page.begin() + static_cast<std::ptrdiff_t>(done), page.end(), 0);
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return {};
}

Result<void, IoError> emitSpool(const PageSpool& spool, const PageCodec& codec, PageSink& sink)
{
    std::vector<std::uint8_t> batch(batchPages * format::pageSize);
    std::uint32_t number = spool.firstPage();
    while (number < spool.endPage()) {
        const std::uint32_t count = std::min<std::uint32_t>(
            static_cast<std::uint32_t>(batchPages), spool.endPage() - number);
        for (std::uint32_t i = 0; i < count; ++i) {
            const PageSpan page(
                batch.data() + std::size_t { i } * format::pageSize, format::pageSize);
            if (auto read = spool.read(number + i, page); !read)
                return read;
            codec.apply(number + i, page);
        }
        if (auto written
            = sink.write(std::span(batch.data(), std::size_t { count } * format::pageSize));
            !written)
            return written;
        number += count;
    }
    return {};
}

} // namespace bastara::jet
