#include "platform/jet/safe_file.h"

#include "platform/jet/file_sink.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bastara::jet {

namespace {

    constexpr mode_t newFileMode = 0666; // narrowed by the umask, as for any new file
    constexpr int tempNameAttempts = 16;

    Unexpected<IoError> systemFailure(const std::string& path, int errorNumber = errno)
    {
        return Unexpected { IoError { classifySystemError(errorNumber), errorNumber, path } };
    }

    std::string randomSuffix()
    {
        static thread_local std::mt19937 generator { std::random_device {}() };
        char buffer[9];
        std::snprintf(buffer, sizeof buffer, "%08x", static_cast<unsigned>(generator()));
        return buffer;
    }

    std::string tempNameFor(const std::string& name)
    {
        // Keep within NAME_MAX whatever the target's length.
        return "." + name.substr(0, 200) + "." + randomSuffix() + ".tmp";
    }

    // The errno a test asks `step` to fail with, or 0.
    int injectedFailure(const FileWriteOptions& options, FileStep step)
    {
        return options.failStep ? options.failStep(step) : 0;
    }

    bool unnamedTempFilesUsable()
    {
        return ::access("/proc/self/fd", X_OK) == 0;
    }

    // The file being written before it takes the target's name.
    class TempFile
    {
    public:
        static Result<TempFile, IoError> create(int folder, const std::string& name,
            const FileWriteOptions& options, const std::string& shownPath)
        {
            if (const int injected = injectedFailure(options, FileStep::CreateTemporary))
                return systemFailure(shownPath, injected);
            const TempFileMode mode = options.tempMode;
            if (mode != TempFileMode::Named && unnamedTempFilesUsable()) {
                const int fd = ::openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, newFileMode);
                if (fd >= 0)
                    return TempFile(folder, UniqueFd(fd), {});
                const bool unsupported = errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
                if (!unsupported || mode == TempFileMode::Unnamed)
                    return systemFailure(shownPath);
            } else if (mode == TempFileMode::Unnamed) {
                return systemFailure(shownPath, EOPNOTSUPP);
            }
            for (int attempt = 0; attempt < tempNameAttempts; ++attempt) {
                std::string tempName = tempNameFor(name);
                const int fd = ::openat(folder, tempName.c_str(),
                    O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC | O_NOFOLLOW, newFileMode);
                if (fd >= 0)
                    return TempFile(folder, UniqueFd(fd), std::move(tempName));
                if (errno != EEXIST)
                    return systemFailure(shownPath);
            }
            return systemFailure(shownPath, EEXIST);
        }

        TempFile(TempFile&& other) noexcept
            : m_folder(other.m_folder)
            , m_fd(std::move(other.m_fd))
            , m_tempName(std::exchange(other.m_tempName, {}))
        { }
        TempFile& operator=(TempFile&&) = delete;
        ~TempFile()
        {
            if (!m_tempName.empty())
                ::unlinkat(m_folder, m_tempName.c_str(), 0);
        }

        int fd() const { return m_fd.get(); }
        UniqueFd release() { return std::move(m_fd); }

        // Gives the file the target's name, failing if the name is taken.
        Result<void, IoError> publishNoReplace(
            const std::string& name, const std::string& shownPath, const FileWriteOptions& options)
        {
            if (const int injected = injectedFailure(options, FileStep::Publish))
                return systemFailure(shownPath, injected);
            if (m_tempName.empty()) {
                if (::linkat(
                        AT_FDCWD, procPath().c_str(), m_folder, name.c_str(), AT_SYMLINK_FOLLOW)
                    != 0)
                    return systemFailure(shownPath);
                return {};
            }
            if (::renameat2(m_folder, m_tempName.c_str(), m_folder, name.c_str(), RENAME_NOREPLACE)
                == 0) {
                m_tempName.clear();
                return {};
            }
            if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
                return systemFailure(shownPath);
            // File systems without RENAME_NOREPLACE: link() refuses a taken name too.
            if (::linkat(m_folder, m_tempName.c_str(), m_folder, name.c_str(), 0) != 0)
                return systemFailure(shownPath);
            ::unlinkat(m_folder, m_tempName.c_str(), 0);
            m_tempName.clear();
            return {};
        }

        // Gives the file the target's name, replacing what has it.
        Result<void, IoError> publishReplace(
            const std::string& name, const std::string& shownPath, const FileWriteOptions& options)
        {
            if (m_tempName.empty()) {
                // An unnamed file cannot be renamed: link it under a temporary
                // name first (the only moment a temporary name exists).
                if (const int injected = injectedFailure(options, FileStep::NameTemporary))
                    return systemFailure(shownPath, injected);
                for (int attempt = 0; m_tempName.empty(); ++attempt) {
                    std::string tempName = tempNameFor(name);
                    if (::linkat(AT_FDCWD, procPath().c_str(), m_folder, tempName.c_str(),
                            AT_SYMLINK_FOLLOW)
                        == 0)
                        m_tempName = std::move(tempName);
                    else if (errno != EEXIST || attempt + 1 == tempNameAttempts)
                        return systemFailure(shownPath);
                }
            }
            if (const int injected = injectedFailure(options, FileStep::Publish))
                return systemFailure(shownPath, injected);
            if (::renameat(m_folder, m_tempName.c_str(), m_folder, name.c_str()) != 0)
                return systemFailure(shownPath);
            m_tempName.clear();
            return {};
        }

    private:
        TempFile(int folder, UniqueFd fd, std::string tempName)
            : m_folder(folder)
            , m_fd(std::move(fd))
            , m_tempName(std::move(tempName))
        { }

        std::string procPath() const { return "/proc/self/fd/" + std::to_string(m_fd.get()); }

        int m_folder;
        UniqueFd m_fd;
        std::string m_tempName; // empty: unnamed, or already published
    };

    Result<void, IoError> writeAndSync(TempFile& temp, const std::string& shownPath,
        const ContentWriter& contents, const FileWriteOptions& options)
    {
        // Advisory; a file system without flock still gets the file.
        ::flock(temp.fd(), LOCK_EX | LOCK_NB);
        std::unique_ptr<PageSink> sink = std::make_unique<FileSink>(temp.fd(), shownPath);
        if (options.wrapSink)
            sink = options.wrapSink(std::move(sink));
        if (auto written = contents(*sink); !written)
            return written;
        return sink->sync();
    }

    void syncFolder(int folder, const FileWriteOptions& options)
    {
        // Makes the new name durable; the file itself already is, and the
        // name is already given, so a failure here is not worth failing the
        // whole write for (and cannot be undone for a replacement).
        if (injectedFailure(options, FileStep::SyncFolder) == 0)
            ::fsync(folder);
    }

    bool sameTime(const timespec& a, const timespec& b)
    {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    }

} // namespace

OwnedFile::OwnedFile(
    std::filesystem::path path, UniqueFd folder, std::string name, UniqueFd file, Identity identity)
    : m_path(std::move(path))
    , m_folder(std::move(folder))
    , m_name(std::move(name))
    , m_file(std::move(file))
    , m_identity(identity)
{ }

OwnedFile::Identity OwnedFile::identityOf(const struct ::stat& status)
{
    return { status.st_dev, status.st_ino, status.st_size, status.st_mtim };
}

// Read before the file takes its name (neither linking nor renaming changes
// any of it), so that nothing can fail once it has.
Result<OwnedFile::Identity, IoError> OwnedFile::identityOfNewFile(
    int fd, const std::string& shownPath, const FileWriteOptions& options)
{
    if (const int injected = injectedFailure(options, FileStep::ReadIdentity))
        return systemFailure(shownPath, injected);
    struct stat status { };
    if (::fstat(fd, &status) != 0)
        return systemFailure(shownPath);
    return identityOf(status);
}

Result<OwnedFile, IoError> OwnedFile::createNew(const std::filesystem::path& path,
    const ContentWriter& contents, const FileWriteOptions& options)
{
    const std::string shownPath = path.string();
    const std::string name = path.filename().string();
    if (name.empty() || name == "." || name == ".." || shownPath.find('\0') != std::string::npos)
        return Unexpected { IoError { IoErrorKind::InvalidName, 0, shownPath } };
    if (name.size() > NAME_MAX)
        return Unexpected { IoError { IoErrorKind::InvalidName, ENAMETOOLONG, shownPath } };

    const std::filesystem::path folderPath = path.has_parent_path() ? path.parent_path() : ".";
    UniqueFd folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder)
        return systemFailure(shownPath);

    struct stat existing { };
    if (::fstatat(folder.get(), name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0)
        return Unexpected { IoError { IoErrorKind::AlreadyExists, EEXIST, shownPath } };
    if (errno != ENOENT)
        return systemFailure(shownPath);

    auto temp = TempFile::create(folder.get(), name, options, shownPath);
    if (!temp)
        return Unexpected { temp.error() };
    if (auto written = writeAndSync(*temp, shownPath, contents, options); !written)
        return Unexpected { written.error() };
    const auto identity = identityOfNewFile(temp->fd(), shownPath, options);
    if (!identity)
        return Unexpected { identity.error() };
    if (auto published = temp->publishNoReplace(name, shownPath, options); !published)
        return Unexpected { published.error() };
    syncFolder(folder.get(), options);
    return OwnedFile(path, std::move(folder), name, temp->release(), *identity);
}

Result<void, IoError> OwnedFile::checkStillOurs() const
{
    const std::string shownPath = m_path.string();
    struct stat status { };
    if (::fstatat(m_folder.get(), m_name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return Unexpected { IoError { IoErrorKind::FileMissing, ENOENT, shownPath } };
        return systemFailure(shownPath);
    }
    const Identity now = identityOf(status);
    const bool same = S_ISREG(status.st_mode) && now.device == m_identity.device
        && now.inode == m_identity.inode && now.size == m_identity.size
        && sameTime(now.modified, m_identity.modified);
    if (!same)
        return Unexpected { IoError { IoErrorKind::NotOurFile, 0, shownPath } };
    return {};
}

Result<void, IoError> OwnedFile::replaceContents(
    const ContentWriter& contents, const FileWriteOptions& options)
{
    const std::string shownPath = m_path.string();
    if (auto ours = checkStillOurs(); !ours)
        return ours;
    auto temp = TempFile::create(m_folder.get(), m_name, options, shownPath);
    if (!temp)
        return Unexpected { temp.error() };
    if (auto written = writeAndSync(*temp, shownPath, contents, options); !written)
        return written;
    const auto identity = identityOfNewFile(temp->fd(), shownPath, options);
    if (!identity)
        return Unexpected { identity.error() };
    // Again, as close to the rename as possible.
    if (auto ours = checkStillOurs(); !ours)
        return ours;
    if (auto published = temp->publishReplace(m_name, shownPath, options); !published)
        return published;
    syncFolder(m_folder.get(), options);
    m_identity = *identity;
    m_file = temp->release();
    return {};
}

} // namespace bastara::jet
