#pragma once

// A PageSink wrapper that fails on purpose: the n-th write (0-based) after
// letting half of it through, as a short write on a full disk would, or the
// final sync. For tests of "no torn file, no temporary left, error reported".

#include "platform/jet/page_store.h"
#include "platform/jet/safe_file.h"

#include <cerrno>
#include <memory>

namespace bastara::testing {

class FailingSink final : public jet::PageSink
{
public:
    FailingSink(std::unique_ptr<jet::PageSink> inner, int failingWrite, jet::IoError failure,
        bool failSync = false)
        : m_inner(std::move(inner))
        , m_failingWrite(failingWrite)
        , m_failure(std::move(failure))
        , m_failSync(failSync)
    { }

    Result<void, jet::IoError> write(std::span<const std::uint8_t> bytes) override
    {
        if (m_writes++ == m_failingWrite) {
            (void)m_inner->write(bytes.first(bytes.size() / 2));
            return Unexpected { m_failure };
        }
        return m_inner->write(bytes);
    }

    Result<void, jet::IoError> sync() override
    {
        if (m_failSync)
            return Unexpected { m_failure };
        return m_inner->sync();
    }

private:
    std::unique_ptr<jet::PageSink> m_inner;
    int m_failingWrite;
    jet::IoError m_failure;
    bool m_failSync;
    int m_writes = 0;
};

// Write options whose sink fails the n-th write (or, with n = -1 and
// failSync, the sync) with `kind` and `errorNumber`.
inline jet::FileWriteOptions failingWrites(int failingWrite,
    jet::IoErrorKind kind = jet::IoErrorKind::DiskFull, int errorNumber = ENOSPC,
    bool failSync = false, jet::TempFileMode mode = jet::TempFileMode::Automatic)
{
    jet::FileWriteOptions options;
    options.tempMode = mode;
    options.wrapSink = [=](std::unique_ptr<jet::PageSink> inner) -> std::unique_ptr<jet::PageSink> {
        return std::make_unique<FailingSink>(
            std::move(inner), failingWrite, jet::IoError { kind, errorNumber, "" }, failSync);
    };
    return options;
}

} // namespace bastara::testing
