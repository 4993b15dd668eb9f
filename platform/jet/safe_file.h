#pragma once

// Database files that appear complete or not at all, and are never written
// over unless this process made them.
//
// createNew(): the contents go to a temporary file in the target's folder
// (an unnamed O_TMPFILE where the file system has them, else a hidden
// ".<name>.<random>.tmp"), are fsync()ed, and are then linked into place with
// an operation that fails if the name is taken (linkat, or renameat2 with
// RENAME_NOREPLACE, or link + unlink). An existing file is never opened.
//
// replaceContents(): the same, but the new file is renamed over the old one,
// and only after checking that the path still names the very file this
// object created or last wrote (same device, inode, size and modification
// time). Anything else at that path is left alone.
//
// While an OwnedFile lives it keeps its file open with an exclusive flock().
// The lock is advisory: it keeps out other programs that ask for it, not
// readers that do not.
//
// A failure at any step removes the temporary file and leaves the target as
// it was. Every step that can fail runs before the file takes the target's
// name; after it only the folder's sync runs, and its failure is not
// reported: the file is complete either way, and some file systems cannot
// sync a folder at all.

#include "platform/jet/io_error.h"
#include "platform/jet/page_store.h"
#include "platform/jet/unique_fd.h"
#include "platform/support/result.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace bastara::jet {

enum class TempFileMode {
    Automatic, // unnamed where supported, else named
    Unnamed, // O_TMPFILE only (fails where unsupported)
    Named, // a hidden temporary name in the same folder
};

// The steps of a write besides the bytes and their sync (those go through
// the sink), in the order they run.
enum class FileStep {
    CreateTemporary, // the temporary file in the target's folder
    ReadIdentity, // the new file's device, inode, size and time, for later checks
    NameTemporary, // replaceContents with an unnamed temporary: a name to rename from
    Publish, // the link or rename that gives the file the target's name
    SyncFolder, // the folder's fsync that makes the new name durable
};

struct FileWriteOptions {
    TempFileMode tempMode = TempFileMode::Automatic;
    // Wraps the temporary file's sink; tests use it to fail a chosen write.
    std::function<std::unique_ptr<PageSink>(std::unique_ptr<PageSink>)> wrapSink;
    // Tests: the errno a step fails with instead of running; 0 lets it run.
    std::function<int(FileStep)> failStep;
};

// Writes the whole contents to the sink it is given.
using ContentWriter = std::function<Result<void, IoError>(PageSink&)>;

class OwnedFile
{
public:
    [[nodiscard]] static Result<OwnedFile, IoError> createNew(const std::filesystem::path& path,
        const ContentWriter& contents, const FileWriteOptions& options = {});

    [[nodiscard]] Result<void, IoError> replaceContents(
        const ContentWriter& contents, const FileWriteOptions& options = {});

    const std::filesystem::path& path() const { return m_path; }

private:
    struct Identity {
        dev_t device;
        ino_t inode;
        off_t size;
        timespec modified;
    };

    OwnedFile(std::filesystem::path path, UniqueFd folder, std::string name, UniqueFd file,
        Identity identity);
    [[nodiscard]] Result<void, IoError> checkStillOurs() const;
    static Identity identityOf(const struct ::stat& status);
    [[nodiscard]] static Result<Identity, IoError> identityOfNewFile(
        int fd, const std::string& shownPath, const FileWriteOptions& options);

    std::filesystem::path m_path;
    UniqueFd m_folder;
    std::string m_name;
    UniqueFd m_file;
    Identity m_identity;
};

} // namespace bastara::jet
