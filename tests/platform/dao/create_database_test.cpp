#include "engine_test_support.h"
#include "platform/dao/dao.h"
#include "platform/dao/engine_test_hooks.h"
#include "platform/jet/reader.h"
#include "support/failing_sink.h"
#include "support/temp_dir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace bastara::dao {
namespace {

    using namespace dao::testing;
    using bastara::testing::readFileBytes;
    using bastara::testing::TempDir;

    EngineResult<std::shared_ptr<Database>> create(const std::filesystem::path& path,
        std::string_view locale = dbLangGeneral, int32_t options = dbEncrypt)
    {
        return DBEngine::instance().CreateDatabase(path, locale, options);
    }

    TEST(CreateDatabase, WritesAnEncodedJet4DatabaseThatReadsBack)
    {
        TempDir dir;
        auto db = create(dir / "new.mdb");
        ASSERT_TRUE(db);
        EXPECT_EQ((*db)->Name(), dir / "new.mdb");
        EXPECT_EQ((*db)->TableDefs.Count(), 4u);
        const auto bytes = readFileBytes(dir / "new.mdb");
        ASSERT_EQ(bytes.size(), 19u * 4096u);
        const auto info = jet::readDatabase(bytes);
        ASSERT_TRUE(info);
        EXPECT_NE(info->header.databaseKey, 0u);
        EXPECT_TRUE(info->tables.empty());
        // Encoded: page 1 no longer starts like a data page.
        EXPECT_FALSE(bytes[4096] == 0x01 && bytes[4097] == 0x01);
    }

    TEST(CreateDatabase, WithoutEncryptThePagesArePlain)
    {
        TempDir dir;
        for (int32_t options : { 0, int32_t { dbVersion40 }, int32_t { dbDecrypt } }) {
            const auto path = dir / ("plain" + std::to_string(options) + ".mdb");
            ASSERT_TRUE(create(path, dbLangGeneral, options));
            const auto bytes = readFileBytes(path);
            ASSERT_GT(bytes.size(), 4097u);
            EXPECT_EQ(bytes[4096], 0x01);
            EXPECT_EQ(bytes[4097], 0x01);
            EXPECT_EQ(jet::readDatabase(bytes)->header.databaseKey, 0u);
        }
    }

    TEST(CreateDatabase, ASecondCreationAtTheSamePathFailsAndLeavesTheFirstFileAlone)
    {
        TempDir dir;
        const auto path = dir / "twice.mdb";
        {
            auto db = create(path);
            ASSERT_TRUE(db);
            auto tdf = tableWith(**db, u"t", { { u"a", dbLong, 0 } });
            ASSERT_TRUE((*db)->TableDefs.Append(tdf));
        }
        const auto before = readFileBytes(path);
        const auto modified = std::filesystem::last_write_time(path);
        EXPECT_TRUE(failsWith(create(path), 3204, "Database already exists."));
        // Also while the first database is still open.
        auto again = create(dir / "open.mdb");
        EXPECT_TRUE(failsWith(create(dir / "open.mdb"), 3204, "Database already exists."));
        EXPECT_EQ(readFileBytes(path), before);
        EXPECT_EQ(std::filesystem::last_write_time(path), modified);
        EXPECT_EQ(dir.entries(), (std::vector<std::string> { "open.mdb", "twice.mdb" }));
    }

    TEST(CreateDatabase, ANameWithoutExtensionGetsMdb)
    {
        TempDir dir;
        auto db = create(dir / "plain name");
        ASSERT_TRUE(db);
        EXPECT_EQ((*db)->Name(), dir / "plain name.mdb");
        EXPECT_TRUE(std::filesystem::exists(dir / "plain name.mdb"));
        // Any extension is kept as it is.
        auto other = create(dir / "data.bin");
        ASSERT_TRUE(other);
        EXPECT_EQ((*other)->Name(), dir / "data.bin");
        // The .mdb name is what must be free.
        EXPECT_TRUE(failsWith(create(dir / "plain name"), 3204));
    }

    TEST(CreateDatabase, PathErrorsAreWordedAsTheEngineWordsThem)
    {
        TempDir dir;
        EXPECT_TRUE(failsWith(create(""), 3055, "Not a valid file name."));
        EXPECT_TRUE(failsWith(create(dir.path() / ""), 3055, "Not a valid file name."));
        EXPECT_TRUE(failsWith(create(dir / ".."), 3055, "Not a valid file name."));
        EXPECT_TRUE(failsWith(create(dir / std::string(300, 'n')), 3055, "Not a valid file name."));
        const auto missing = dir / "no such folder" / "x.mdb";
        EXPECT_TRUE(failsWith(create(missing), 3044,
            "'" + missing.string()
                + "' isn't a valid path. Make sure that the path name is spelled correctly and "
                  "that "
                  "you are connected to the server on which the file resides."));
        // A file where a folder should be.
        ASSERT_TRUE(create(dir / "file.mdb"));
        EXPECT_TRUE(failsWith(create(dir / "file.mdb" / "x.mdb"), 3044));
        EXPECT_EQ(dir.entries(), std::vector<std::string> { "file.mdb" });
    }

    TEST(CreateDatabase, AMissingOrMalformedLocaleIsAnInvalidArgument)
    {
        TempDir dir;
        const char* bad[] = { "", ";", "LANGID=0x0409;CP=1252;COUNTRY=0;BOGUS=1",
            ";LANGID=0x0401;CP=1256;COUNTRY=0", ";LANGID=;CP=1252", ";LANGID=0x0409;LANGID=0x0409",
            ";CP=1252;COUNTRY=0", ";LANGID=0x0409;CP=1256", ";LANGID=0x0409;pwd=secret",
            "LANGID 0x0409", ";LANGID=0x0409;COUNTRY=x" };
        for (const char* locale : bad)
            EXPECT_TRUE(failsWith(create(dir / "x.mdb", locale), 3001, "Invalid argument."))
                << locale;
        EXPECT_TRUE(dir.entries().empty());
        const char* good[] = { ";LANGID=0x0409;CP=1252;COUNTRY=0", "LANGID=1033",
            " ; langid = 0X0409 ; cp=1252;pwd=" };
        int n = 0;
        for (const char* locale : good)
            EXPECT_TRUE(create(dir / ("ok" + std::to_string(n++) + ".mdb"), locale)) << locale;
    }

    TEST(CreateDatabase, OptionsOtherThanEncryptDecryptAndVersion40AreInvalid)
    {
        TempDir dir;
        for (int32_t options : { 1, 8, 16, 32, 128, dbEncrypt | dbDecrypt, -1, 2 | 256 })
            EXPECT_TRUE(failsWith(create(dir / "x.mdb", dbLangGeneral, options), 3001)) << options;
        EXPECT_TRUE(create(dir / "x.mdb", dbLangGeneral, dbEncrypt | dbVersion40));
    }

    TEST(CreateDatabase, FileSystemFailuresBecomeEngineErrorsAndLeaveNothing)
    {
        struct Case {
            jet::IoErrorKind kind;
            int errorNumber;
            int32_t engineNumber;
        };
        const Case cases[] = {
            { jet::IoErrorKind::DiskFull, ENOSPC, 3026 },
            { jet::IoErrorKind::Other, EIO, 3043 },
            { jet::IoErrorKind::PermissionDenied, EACCES, 3051 },
        };
        TempDir dir;
        for (const Case& c : cases) {
            for (int failingWrite = 0; failingWrite < 19; failingWrite += 6) {
                ScopedEngineHooks hooks(
                    { bastara::testing::failingWrites(failingWrite, c.kind, c.errorNumber), {},
                        {} });
                EXPECT_TRUE(failsWith(create(dir / "x.mdb"), c.engineNumber))
                    << c.engineNumber << " at " << failingWrite;
                EXPECT_TRUE(dir.entries().empty());
            }
        }
        {
            ScopedEngineHooks hooks(
                { bastara::testing::failingWrites(-1, jet::IoErrorKind::DiskFull, ENOSPC, true), {},
                    {} });
            EXPECT_TRUE(failsWith(create(dir / "x.mdb"), 3026, "Not enough space on disk."));
            EXPECT_TRUE(dir.entries().empty());
        }

        // Every step of writing the file, with either kind of temporary file:
        // no file at all, or (the folder's sync only) the complete file.
        const EngineHooks fixed { {}, [] { return 45000.5; }, [] { return 0x5EED5EEDu; } };
        for (jet::TempFileMode mode : { jet::TempFileMode::Unnamed, jet::TempFileMode::Named }) {
            int writes = 0;
            EngineHooks counting = fixed;
            counting.writeOptions = bastara::testing::countingWrites(writes, mode);
            std::optional<ScopedEngineHooks> hooks(std::in_place, counting);
            ASSERT_TRUE(create(dir / "x.mdb"));
            const auto complete = readFileBytes(dir / "x.mdb");
            std::filesystem::remove(dir / "x.mdb");
            ASSERT_EQ(writes, 19);
            for (const auto& fault : bastara::testing::everyWriteFault(writes, mode, false)) {
                EngineHooks faulty = fixed;
                faulty.writeOptions = fault.options;
                hooks.emplace(faulty);
                const bool created = create(dir / "x.mdb").ok();
                if (fault.reported) {
                    EXPECT_FALSE(created) << fault.name;
                    EXPECT_TRUE(dir.entries().empty()) << fault.name;
                } else {
                    EXPECT_TRUE(created) << fault.name;
                    EXPECT_EQ(readFileBytes(dir / "x.mdb"), complete) << fault.name;
                    EXPECT_EQ(dir.entries(), std::vector<std::string> { "x.mdb" }) << fault.name;
                }
                std::filesystem::remove(dir / "x.mdb");
            }
        }
    }

    TEST(CreateDatabase, PermissionErrorsNameTheFile)
    {
        if (::geteuid() == 0)
            GTEST_SKIP() << "permissions do not bind root";
        TempDir dir;
        std::filesystem::permissions(
            dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        const auto path = dir / "x.mdb";
        EXPECT_TRUE(failsWith(create(path), 3051,
            "The Microsoft Jet database engine cannot open the file '" + path.string()
                + "'. It is already opened exclusively by another user, or you need permission to "
                  "view "
                  "its data."));
        std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    }

    TEST(CreateDatabase, TheFileIsLockedWhileTheDatabaseIsOpen)
    {
        TempDir dir;
        const auto path = dir / "locked.mdb";
        {
            auto db = create(path);
            ASSERT_TRUE(db);
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0);
            ::close(fd);
        }
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
        ::close(fd);
    }

    TEST(CreateDatabase, TheEngineIsOnePerProcess)
    {
        EXPECT_EQ(&DBEngine::instance(), &DBEngine::instance());
    }

} // namespace
} // namespace bastara::dao
