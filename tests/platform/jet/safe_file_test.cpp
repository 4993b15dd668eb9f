#include "platform/jet/safe_file.h"
#include "support/failing_sink.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace bastara::jet {
namespace {

    using bastara::testing::readFileBytes;
    using bastara::testing::TempDir;
    using bastara::testing::writeFileBytes;

    std::vector<std::uint8_t> pattern(std::size_t pages, std::uint8_t seed)
    {
        std::vector<std::uint8_t> bytes(pages * 4096);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(seed + i % 251);
        return bytes;
    }

    // Writes `bytes` a page at a time, as the page store does.
    ContentWriter contentsOf(std::vector<std::uint8_t> bytes)
    {
        return [bytes = std::move(bytes)](PageSink& sink) -> Result<void, IoError> {
            for (std::size_t at = 0; at < bytes.size(); at += 4096) {
                if (auto written = sink.write(std::span(bytes).subspan(at, 4096)); !written)
                    return written;
            }
            return {};
        };
    }

    FileWriteOptions failing(TempFileMode mode, int failingWrite, bool failSync = false)
    {
        return bastara::testing::failingWrites(failingWrite,
            failSync ? IoErrorKind::Other : IoErrorKind::DiskFull, failSync ? EIO : ENOSPC,
            failSync, mode);
    }

    class SafeFile : public ::testing::TestWithParam<TempFileMode>
    {
    protected:
        FileWriteOptions options() const { return { GetParam(), {}, {} }; }
        TempDir m_dir;
    };

    TEST_P(SafeFile, CreatesTheFileWithTheContentsAndNothingElse)
    {
        const auto path = m_dir / "db.mdb";
        auto file = OwnedFile::createNew(path, contentsOf(pattern(3, 1)), options());
        ASSERT_TRUE(file);
        EXPECT_EQ(readFileBytes(path), pattern(3, 1));
        EXPECT_EQ(m_dir.entries(), std::vector<std::string> { "db.mdb" });
    }

    TEST_P(SafeFile, NeverTouchesAnExistingEntry)
    {
        const auto path = m_dir / "db.mdb";
        writeFileBytes(path, pattern(1, 9));
        const auto before = std::filesystem::last_write_time(path);
        auto file = OwnedFile::createNew(path, contentsOf(pattern(2, 1)), options());
        ASSERT_FALSE(file);
        EXPECT_EQ(file.error().kind, IoErrorKind::AlreadyExists);
        EXPECT_EQ(readFileBytes(path), pattern(1, 9));
        EXPECT_EQ(std::filesystem::last_write_time(path), before);

        // A dangling link counts as taken, and its target is not created.
        std::filesystem::create_symlink(m_dir / "elsewhere.mdb", m_dir / "link.mdb");
        auto linked
            = OwnedFile::createNew(m_dir / "link.mdb", contentsOf(pattern(1, 1)), options());
        ASSERT_FALSE(linked);
        EXPECT_EQ(linked.error().kind, IoErrorKind::AlreadyExists);
        EXPECT_EQ(m_dir.entries(), (std::vector<std::string> { "db.mdb", "link.mdb" }));
    }

    TEST_P(SafeFile, RefusesMissingFoldersAndNamesThatAreNotFileNames)
    {
        auto missing
            = OwnedFile::createNew(m_dir / "no" / "db.mdb", contentsOf(pattern(1, 1)), options());
        ASSERT_FALSE(missing);
        EXPECT_EQ(missing.error().kind, IoErrorKind::NoSuchFolder);
        for (const std::filesystem::path& bad : { std::filesystem::path {}, m_dir.path() / "",
                 m_dir.path() / ".", m_dir.path() / std::string(300, 'n') }) {
            auto file = OwnedFile::createNew(bad, contentsOf(pattern(1, 1)), options());
            ASSERT_FALSE(file) << bad;
            EXPECT_EQ(file.error().kind, IoErrorKind::InvalidName) << bad;
        }
        EXPECT_TRUE(m_dir.entries().empty());
    }

    TEST_P(SafeFile, AFailedWriteOrSyncLeavesNoFileAndNoTemporary)
    {
        for (int failingWrite = 0; failingWrite < 3; ++failingWrite) {
            auto file = OwnedFile::createNew(
                m_dir / "db.mdb", contentsOf(pattern(3, 1)), failing(GetParam(), failingWrite));
            ASSERT_FALSE(file);
            EXPECT_EQ(file.error().kind, IoErrorKind::DiskFull);
            EXPECT_TRUE(m_dir.entries().empty()) << failingWrite;
        }
        auto file = OwnedFile::createNew(
            m_dir / "db.mdb", contentsOf(pattern(3, 1)), failing(GetParam(), -1, true));
        ASSERT_FALSE(file);
        EXPECT_EQ(file.error().kind, IoErrorKind::Other);
        EXPECT_TRUE(m_dir.entries().empty());
    }

    TEST_P(SafeFile, ReplacesItsOwnFileWhole)
    {
        const auto path = m_dir / "db.mdb";
        auto file = OwnedFile::createNew(path, contentsOf(pattern(2, 1)), options());
        ASSERT_TRUE(file);
        ASSERT_TRUE(file->replaceContents(contentsOf(pattern(3, 2)), options()));
        EXPECT_EQ(readFileBytes(path), pattern(3, 2));
        ASSERT_TRUE(file->replaceContents(contentsOf(pattern(1, 3)), options()));
        EXPECT_EQ(readFileBytes(path), pattern(1, 3));
        EXPECT_EQ(m_dir.entries(), std::vector<std::string> { "db.mdb" });
    }

    TEST_P(SafeFile, AFailedReplacementKeepsTheOldFile)
    {
        const auto path = m_dir / "db.mdb";
        auto file = OwnedFile::createNew(path, contentsOf(pattern(2, 1)), options());
        ASSERT_TRUE(file);
        for (int failingWrite = 0; failingWrite < 3; ++failingWrite) {
            const auto replaced = file->replaceContents(
                contentsOf(pattern(3, 2)), failing(GetParam(), failingWrite));
            ASSERT_FALSE(replaced);
            EXPECT_EQ(readFileBytes(path), pattern(2, 1));
            EXPECT_EQ(m_dir.entries(), std::vector<std::string> { "db.mdb" });
        }
        // And it is still ours afterwards.
        EXPECT_TRUE(file->replaceContents(contentsOf(pattern(1, 5)), options()));
    }

    TEST_P(SafeFile, NeverReplacesAFileItDidNotWrite)
    {
        const auto path = m_dir / "db.mdb";
        auto file = OwnedFile::createNew(path, contentsOf(pattern(2, 1)), options());
        ASSERT_TRUE(file);

        // Someone else's file moved over ours.
        writeFileBytes(m_dir / "other", pattern(1, 7));
        std::filesystem::rename(m_dir / "other", path);
        auto replaced = file->replaceContents(contentsOf(pattern(3, 2)), options());
        ASSERT_FALSE(replaced);
        EXPECT_EQ(replaced.error().kind, IoErrorKind::NotOurFile);
        EXPECT_EQ(readFileBytes(path), pattern(1, 7));

        // Our file gone: nothing is created in its place.
        std::filesystem::remove(path);
        replaced = file->replaceContents(contentsOf(pattern(3, 2)), options());
        ASSERT_FALSE(replaced);
        EXPECT_EQ(replaced.error().kind, IoErrorKind::FileMissing);
        EXPECT_TRUE(m_dir.entries().empty());
    }

    TEST_P(SafeFile, NeverReplacesItsFileAfterSomeoneChangedIt)
    {
        const auto path = m_dir / "db.mdb";
        auto file = OwnedFile::createNew(path, contentsOf(pattern(2, 1)), options());
        ASSERT_TRUE(file);
        {
            std::ofstream append(path, std::ios::binary | std::ios::app);
            append << "x";
        }
        auto replaced = file->replaceContents(contentsOf(pattern(3, 2)), options());
        ASSERT_FALSE(replaced);
        EXPECT_EQ(replaced.error().kind, IoErrorKind::NotOurFile);
        EXPECT_EQ(readFileBytes(path).size(), 2u * 4096u + 1u);
    }

    TEST_P(SafeFile, HoldsAnExclusiveLockWhileOpen)
    {
        const auto path = m_dir / "db.mdb";
        {
            auto file = OwnedFile::createNew(path, contentsOf(pattern(1, 1)), options());
            ASSERT_TRUE(file);
            ASSERT_TRUE(file->replaceContents(contentsOf(pattern(1, 2)), options()));
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            ASSERT_GE(fd, 0);
            EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0);
            EXPECT_EQ(errno, EWOULDBLOCK);
            ::close(fd);
        }
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
        ::close(fd);
    }

    INSTANTIATE_TEST_SUITE_P(TempFiles, SafeFile,
        ::testing::Values(TempFileMode::Unnamed, TempFileMode::Named), [](const auto& param) {
            return param.param == TempFileMode::Unnamed ? "Unnamed" : "Named";
        });

} // namespace
} // namespace bastara::jet
