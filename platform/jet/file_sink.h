#pragma once

// A PageSink over an open file descriptor: writes every byte (short writes
// and interrupted calls are retried) and fsync()s on sync().

#include "platform/jet/page_store.h"

#include <string>

namespace bastara::jet {

class FileSink final : public PageSink
{
public:
    // `fd` stays owned by the caller; `path` only names it in errors.
    FileSink(int fd, std::string path);

    [[nodiscard]] Result<void, IoError> write(std::span<const std::uint8_t> bytes) override;
    [[nodiscard]] Result<void, IoError> sync() override;

private:
    int m_fd;
    std::string m_path;
};

} // namespace bastara::jet
