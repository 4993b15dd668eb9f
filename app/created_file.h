#pragma once

// The database file that one creation has just made, remembered by its
// identity (device and inode) rather than its name, so that a creation that
// fails later can take its own file away again without ever touching a file
// that has taken that name since.

#include <filesystem>
#include <optional>
#include <sys/types.h>

namespace bastara::app {

class CreatedFile
{
public:
    // The file now at `path`; nothing when it cannot be looked at, in which
    // case it is never removed.
    [[nodiscard]] static std::optional<CreatedFile> note(const std::filesystem::path& path);

    // Removes the path if it still names the noted file. Call it only once
    // whoever wrote the file has closed it.
    void remove() const;

private:
    CreatedFile(std::filesystem::path path, dev_t device, ino_t inode);

    std::filesystem::path m_path;
    dev_t m_device;
    ino_t m_inode;
};

} // namespace bastara::app
