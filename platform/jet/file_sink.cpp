#include "platform/jet/file_sink.h"

#include <cerrno>
#include <unistd.h>

namespace bastara::jet {

IoErrorKind classifySystemError(int errorNumber)
{
    switch (errorNumber) {
    case EEXIST:
        return IoErrorKind::AlreadyExists;
    case ENOENT:
    case ENOTDIR:
        return IoErrorKind::NoSuchFolder;
    case ENAMETOOLONG:
        return IoErrorKind::InvalidName;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EWOULDBLOCK:
        return IoErrorKind::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return IoErrorKind::DiskFull;
    default:
        return IoErrorKind::Other;
    }
}

FileSink::FileSink(int fd, std::string path)
    : m_fd(fd)
    , m_path(std::move(path))
{ }

Result<void, IoError> FileSink::write(std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Unexpected { IoError { classifySystemError(errno), errno, m_path } };
        }
        if (written == 0)
            return Unexpected { IoError { IoErrorKind::Other, EIO, m_path } };
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return {};
}

Result<void, IoError> FileSink::sync()
{
    if (::fsync(m_fd) != 0)
        return Unexpected { IoError { classifySystemError(errno), errno, m_path } };
    return {};
}

} // namespace bastara::jet
