#include "newbook/ArchiveUnpacker.h"

#include "TempFolder.h"
#include "ado/jet/BookFile.h"
#include "database/CreateCnn.h"
#include "newbook/ZipBuilder.h"
#include "platform/AnsiTextFile.h"
#include "platform/PlatformError.h"
#include "platform/PrivateTempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <spawn.h>
#include <string>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace kx::newbook {
namespace {

namespace fs = std::filesystem;
using test::ZipBuilder;

/// Every path below `folder`, relative to it.
std::set<std::string> Listing(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.insert(fs::relative(entry.path(), folder).string());
    return names;
}

/// The bytes of a new, empty book file made by the engine with `password` (one
/// page), followed by `zeroPages` pages of zeros.
std::string BookBytes(const std::string& password = database::kBookDatabasePassword,
                      std::size_t zeroPages = 0) {
    kx::test::TempFolder folder;
    const fs::path file = folder.path() / "book.mde";
    ado::jet::CreateBookFile(file.string(), password);
    std::string bytes = platform::ReadWholeFile(file);
    const std::size_t page = bytes.size();
    return bytes + std::string(zeroPages * page, '\0');
}

/// Bytes this process has handed to write(2) so far.
std::uint64_t BytesWritten() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value) {
        if (key == "wchar:")
            return value;
    }
    return 0;
}

class ArchiveUnpackerTest : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(root.path() / "in");
        fs::create_directories(root.path() / "out");
    }
    fs::path Archive() const { return root.path() / "in" / "模板.WAK"; }
    fs::path Target() const { return root.path() / "out" / "book.mde"; }

    kx::test::TempFolder root;
};

TEST_F(ArchiveUnpackerTest, TheOneFileGoesToTheTargetWhateverItsPathInside) {
    const std::string book = BookBytes(database::kBookDatabasePassword, 40);
    ZipBuilder().Folder("账簿/").File("账簿/kxSample.mde", book).WriteTo(Archive());
    ArchiveUnpacker().UnpackSingleFile(Archive(), Target());
    EXPECT_EQ(platform::ReadWholeFile(Target()), book);
    EXPECT_EQ(Listing(root.path() / "out"), std::set<std::string>{"book.mde"});
    EXPECT_EQ(fs::status(Target()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(ado::jet::BeginsAsBookFile(Target(), database::kBookDatabasePassword));
    // A name marked as UTF-8 is read as such whatever the program's locale.
    ZipBuilder().Utf8Names().Folder("账簿/").File("账簿/样本.mde", book).WriteTo(Archive());
    fs::remove(Target());
    ArchiveUnpacker().UnpackSingleFile(Archive(), Target());
    EXPECT_EQ(platform::ReadWholeFile(Target()), book);
    // A stored (not deflated) entry replaces an existing target.
    const std::string other = BookBytes();
    ZipBuilder().File("other.mde", other).WriteTo(Archive(), true);
    ArchiveUnpacker().UnpackSingleFile(Archive(), Target());
    EXPECT_EQ(platform::ReadWholeFile(Target()), other);
    // A missing archive is a platform error.
    fs::remove(Target());
    EXPECT_THROW(ArchiveUnpacker().UnpackSingleFile(root.path() / "none.WAK", Target()),
                 platform::PlatformError);
    EXPECT_TRUE(Listing(root.path() / "out").empty());
}

TEST_F(ArchiveUnpackerTest, UnsafeOrBrokenArchivesAreRefusedAndNothingIsWritten) {
    const fs::path a = Archive();
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"ZipSlip", [&] { ZipBuilder().File("book/../../../slip.mde", "x").WriteTo(a); }},
        {"AbsolutePath", [&] { ZipBuilder().File((root.path() / "abs.mde").string(), "x").WriteTo(a); }},
        {"SymlinkEntry", [&] { ZipBuilder().Symlink("book.mde", "/etc/passwd").WriteTo(a); }},
        {"SymlinkBesideTheBook",
         [&] { ZipBuilder().File("book.mde", "x").Symlink("link", "../../x").WriteTo(a); }},
        {"TwoFiles", [&] { ZipBuilder().File("a.mde", "a").File("b.mde", "b").WriteTo(a); }},
        {"OnlyFolders", [&] { ZipBuilder().Folder("d/").WriteTo(a); }},
        {"NotAZip", [&] { std::ofstream(a) << "plain text\n"; }},
        {"TruncatedZip", [&] {
             ZipBuilder().File("a.mde", std::string(5000, 'q')).WriteTo(a, true);
             fs::resize_file(a, 2000);
         }}};
    std::ofstream(Target()) << "kept";
    for (const auto& [name, write] : cases) {
        SCOPED_TRACE(name);
        write();
        const auto before = Listing(root.path());
        EXPECT_THROW(ArchiveUnpacker().UnpackSingleFile(a, Target()), ArchiveError);
        EXPECT_EQ(Listing(root.path()), before);
        EXPECT_EQ(platform::ReadWholeFile(Target()), "kept");
        EXPECT_FALSE(fs::exists(root.path().parent_path() / "slip.mde"));
    }
}

TEST_F(ArchiveUnpackerTest, BoundsAndTheBookHeaderRefuseBeforeTheDataIsWritten) {
    constexpr std::uint64_t kBound = 64 * 1024;
    const std::string book = BookBytes();
    const std::size_t page = book.size();
    const std::size_t pagesAtTheBound = kBound / page - 1;
    std::string random(4 * page, '\0');
    std::mt19937 noise(13);
    for (char& c : random)
        c = static_cast<char>(noise());
    struct statvfs disk {};
    ASSERT_EQ(::statvfs((root.path() / "out").c_str(), &disk), 0);
    const std::uint64_t available = static_cast<std::uint64_t>(disk.f_bavail) * disk.f_frsize;

    struct Case {
        const char* name;
        std::function<std::string()> content;
        ArchiveLimits limits;
        std::optional<std::string> refusal; // a part of the reason; none: unpacked
    };
    const Case cases[] = {
        {"AtTheBound",
         [&] { return BookBytes(database::kBookDatabasePassword, pagesAtTheBound); },
         {kBound, 0},
         {}},
        {"OnePageAboveTheBound",
         [&] { return BookBytes(database::kBookDatabasePassword, pagesAtTheBound + 1); },
         {kBound, 0},
         "超过账簿文件的上限 65,536 字节"},
        // 64 MiB of zeros deflate to about 64 KiB: a bomb, under a bound of 2 GiB.
        {"ZerosUnderTheBound",
         [] { return std::string(std::size_t{64} << 20, '\0'); },
         {},
         "文件头不能作为账簿打开"},
        {"ZerosAboveTheBound",
         [] { return std::string(std::size_t{8} << 20, '\0'); },
         {kBound, 0},
         "超过账簿文件的上限"},
        {"RoomForTheMargin", [&] { return book; }, {kBound, available - (std::uint64_t{1} << 30)}, {}},
        {"NoRoomForTheMargin",
         [&] { return book; },
         {kBound, available + (std::uint64_t{1} << 30)},
         "磁盘空间不足"},
        {"Empty", [] { return std::string(); }, {}, "是空文件"},
        {"NoWholePages", [&] { return book + "tail"; }, {}, "不是数据库页的整数倍"},
        {"RandomPages", [&] { return random; }, {}, "文件头不能作为账簿打开"},
        {"UnencryptedDatabase", [] { return BookBytes(""); }, {}, "文件头不能作为账簿打开"},
        {"AnotherKey", [] { return BookBytes("another key"); }, {}, "文件头不能作为账簿打开"},
    };
    const auto privateFolderBefore = Listing(platform::PrivateTempFolder());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(Target());
        const std::string content = c.content();
        ZipBuilder().File("账簿.mde", content).WriteTo(Archive());
        const std::uint64_t writtenBefore = BytesWritten();
        if (!c.refusal) {
            ArchiveUnpacker(c.limits).UnpackSingleFile(Archive(), Target());
            EXPECT_EQ(platform::ReadWholeFile(Target()), content);
            continue;
        }
        try {
            ArchiveUnpacker(c.limits).UnpackSingleFile(Archive(), Target());
            ADD_FAILURE() << "unpacked";
        } catch (const ArchiveError& e) {
            EXPECT_NE(std::string(e.what()).find(*c.refusal), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("账簿.mde"), std::string::npos) << e.what();
        }
        // Refused before the data: at most the first page was written, to be looked at.
        EXPECT_LT(BytesWritten() - writtenBefore, std::uint64_t{256} << 10);
        EXPECT_TRUE(Listing(root.path() / "out").empty());
        EXPECT_EQ(Listing(platform::PrivateTempFolder()), privateFolderBefore);
    }
}

/// Runs newbook_unpack_child with `arguments` and TMPDIR set to `tmp`, the
/// signals it is sent with their default action.
pid_t StartChild(const std::vector<std::string>& arguments, const fs::path& tmp, int out) {
    std::vector<std::string> env{"TMPDIR=" + tmp.string()};
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::string_view(*e).rfind("TMPDIR=", 0) != 0)
            env.emplace_back(*e);
    }
    std::vector<char*> argv{const_cast<char*>(KX_UNPACK_CHILD)}, envp;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    for (const int s : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&signals, s);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, KX_UNPACK_CHILD, &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return rc == 0 ? pid : -1;
}

/// The first file below `folder` whose name marks an unfinished file and that has
/// at least `bytes`; empty when there is none.
fs::path GrowingTemporary(const fs::path& folder, std::uintmax_t bytes) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sizeError;
        const std::string name = it->path().filename().string();
        if (name.find(".kxtmp-") != std::string::npos && it->file_size(sizeError) >= bytes && !sizeError)
            return it->path();
    }
    return {};
}

TEST_F(ArchiveUnpackerTest, AnUnpackingEndedBySigtermOrSigintLeavesNoTemporary) {
    // A book followed by 256 MiB of zeros: big enough to be caught half-way.
    ZipBuilder()
        .File("book.mde",
              BookBytes(database::kBookDatabasePassword, 0) + std::string(std::size_t{256} << 20, '\0'))
        .WriteTo(Archive());
    struct Case {
        const char* name;
        int signal;
        bool straightToTheTarget;
    };
    // SIGINT and SIGHUP take the same way out (RemovedOnSignalTest).
    for (const Case& c : {Case{"PrivateFolderSigterm", SIGTERM, false}, Case{"BesideTheTargetSigint", SIGINT, true}}) {
        SCOPED_TRACE(c.name);
        kx::test::TempFolder tmp;
        std::vector<std::string> arguments{Archive().string()};
        if (c.straightToTheTarget)
            arguments.push_back(Target().string());
        FILE* out = std::tmpfile();
        ASSERT_NE(out, nullptr);
        const pid_t child = StartChild(arguments, tmp.path(), fileno(out));
        ASSERT_GT(child, 0);
        const fs::path watched = c.straightToTheTarget ? root.path() / "out" : tmp.path();
        fs::path growing;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (growing.empty() && std::chrono::steady_clock::now() < deadline) {
            growing = GrowingTemporary(watched, 1u << 20);
            if (growing.empty())
                std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        ASSERT_EQ(::kill(child, c.signal), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        std::rewind(out);
        char said[256] = {};
        (void)std::fgets(said, sizeof said, out);
        std::fclose(out);
        EXPECT_FALSE(growing.empty()) << "the unpacking was not seen under way; the child said: " << said;
        EXPECT_STREQ(said, "") << "the child finished before the signal";
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WTERMSIG(status), c.signal);
        EXPECT_TRUE(Listing(tmp.path()).empty()) << *Listing(tmp.path()).begin();
        EXPECT_TRUE(Listing(root.path() / "out").empty());
    }
}

TEST(ArchiveEntryPath, OnlyRelativePathsThatStayInsideAreSafe) {
    for (const char* path : {"book.mde", "a/b/book.mde", "a..b/x..", "./book.mde"})
        EXPECT_TRUE(ArchiveUnpacker::IsSafeEntryPath(path)) << path;
    for (const char* path :
         {"", "..", "../x", "a/../../x", "a\\..\\x", "a/..", "/etc/x", "\\x", "C:x", "c:\\x"})
        EXPECT_FALSE(ArchiveUnpacker::IsSafeEntryPath(path)) << path;
}

} // namespace
} // namespace kx::newbook
