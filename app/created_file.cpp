#include "app/created_file.h"

#include <sys/stat.h>
#include <unistd.h>

namespace bastara::app {

namespace {

    // lstat: a symbolic link put in the file's place is not the file.
    std::optional<struct ::stat> statusOf(const std::filesystem::path& path)
    {
        struct ::stat status { };
        if (::lstat(path.c_str(), &status) != 0)
            return std::nullopt;
        return status;
    }

} // namespace

CreatedFile::CreatedFile(std::filesystem::path path, dev_t device, ino_t inode)
    : m_path(std::move(path))
    , m_device(device)
    , m_inode(inode)
{ }

std::optional<CreatedFile> CreatedFile::note(const std::filesystem::path& path)
{
    const auto status = statusOf(path);
    if (!status || !S_ISREG(status->st_mode))
        return std::nullopt;
    return CreatedFile(path, status->st_dev, status->st_ino);
}

void CreatedFile::remove() const
{
    const auto status = statusOf(m_path);
    if (status && status->st_dev == m_device && status->st_ino == m_inode)
        ::unlink(m_path.c_str());
}

} // namespace bastara::app
