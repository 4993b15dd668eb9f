#pragma once

// A PageSink wrapper that fails on purpose: the n-th write (0-based) after
// letting half of it through, as a short write on a full disk would, or the
// final sync; and the list of every way a file write can fail. For tests of
// "no torn file, no temporary left, error reported".

#include "platform/jet/page_store.h"
#include "platform/jet/safe_file.h"

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

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

// One way for writing a file to fail.
struct WriteFault {
    std::string name; // for failure messages: "write 3", "sync", "Publish", ...
    jet::FileWriteOptions options;
    bool diskFull = false; // the failure is a full disk (else an I/O error)
    bool reported = true; // the write fails (false: the failure is only noted)
};

// Write options that count the writes into `count`.
inline jet::FileWriteOptions countingWrites(int& count, jet::TempFileMode mode)
{
    struct Counting final : jet::PageSink {
        Counting(std::unique_ptr<jet::PageSink> inner, int& count)
            : m_inner(std::move(inner))
            , m_count(count)
        { }
        Result<void, jet::IoError> write(std::span<const std::uint8_t> bytes) override
        {
            ++m_count;
            return m_inner->write(bytes);
        }
        Result<void, jet::IoError> sync() override { return m_inner->sync(); }
        std::unique_ptr<jet::PageSink> m_inner;
        int& m_count;
    };
    jet::FileWriteOptions options;
    options.tempMode = mode;
    options.wrapSink
        = [&count](std::unique_ptr<jet::PageSink> inner) -> std::unique_ptr<jet::PageSink> {
        count = 0;
        return std::make_unique<Counting>(std::move(inner), count);
    };
    return options;
}

// Every way for writing a file of `writes` writes to fail, one at a time, in
// the order the steps run: creating the temporary file, each write (a full
// disk, half of it written), the sync, reading the new file's identity,
// naming it (when an unnamed temporary replaces a file), giving it the
// target's name, and the folder's sync.
inline std::vector<WriteFault> everyWriteFault(int writes, jet::TempFileMode mode, bool replacing)
{
    const auto failing = [mode](jet::FileStep failed) {
        jet::FileWriteOptions options;
        options.tempMode = mode;
        options.failStep = [failed](jet::FileStep step) { return step == failed ? EIO : 0; };
        return options;
    };
    std::vector<WriteFault> faults;
    faults.push_back({ "creating the temporary file", failing(jet::FileStep::CreateTemporary) });
    for (int write = 0; write < writes; ++write)
        faults.push_back({ "write " + std::to_string(write),
            failingWrites(write, jet::IoErrorKind::DiskFull, ENOSPC, false, mode), true });
    faults.push_back({ "sync", failingWrites(-1, jet::IoErrorKind::Other, EIO, true, mode) });
    faults.push_back({ "reading the identity", failing(jet::FileStep::ReadIdentity) });
    if (replacing && mode == jet::TempFileMode::Unnamed)
        faults.push_back({ "naming the temporary file", failing(jet::FileStep::NameTemporary) });
    faults.push_back({ "publishing", failing(jet::FileStep::Publish) });
    faults.push_back({ "syncing the folder", failing(jet::FileStep::SyncFolder), false, false });
    return faults;
}

} // namespace bastara::testing
