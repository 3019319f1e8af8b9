#include "newbook/ArchiveUnpacker.h"

#include "TempFolder.h"
#include "platform/AnsiTextFile.h"
#include "platform/PlatformError.h"
#include "newbook/ZipBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

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
    const std::string book(100000, 'b');
    ZipBuilder().Folder("账簿/").File("账簿/kxSample.mde", book).WriteTo(Archive());
    ArchiveUnpacker().UnpackSingleFile(Archive(), Target());
    EXPECT_EQ(platform::ReadWholeFile(Target()), book);
    EXPECT_EQ(Listing(root.path() / "out"), std::set<std::string>{"book.mde"});
    EXPECT_EQ(fs::status(Target()).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    // A stored (not deflated) empty entry replaces an existing target.
    ZipBuilder().File("empty.mde", "").WriteTo(Archive(), true);
    ArchiveUnpacker().UnpackSingleFile(Archive(), Target());
    EXPECT_EQ(fs::file_size(Target()), 0u);
    // A missing archive is a platform error.
    fs::remove(Target());
    EXPECT_THROW(ArchiveUnpacker().UnpackSingleFile(root.path() / "none.WAK", Target()), platform::PlatformError);
    EXPECT_TRUE(Listing(root.path() / "out").empty());
}

TEST_F(ArchiveUnpackerTest, UnsafeOrBrokenArchivesAreRefusedAndNothingIsWritten) {
    const fs::path a = Archive();
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"ZipSlip", [&] { ZipBuilder().File("book/../../../slip.mde", "x").WriteTo(a); }},
        {"AbsolutePath", [&] { ZipBuilder().File((root.path() / "abs.mde").string(), "x").WriteTo(a); }},
        {"SymlinkEntry", [&] { ZipBuilder().Symlink("book.mde", "/etc/passwd").WriteTo(a); }},
        {"SymlinkBesideTheBook", [&] { ZipBuilder().File("book.mde", "x").Symlink("link", "../../x").WriteTo(a); }},
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

TEST_F(ArchiveUnpackerTest, SizeAndRatioBoundsRefuseAboveAndAcceptAtTheBound) {
    struct Case {
        const char* name;
        std::size_t zeros;
        ArchiveLimits limits;
        bool accepted;
    };
    // A megabyte of zeros deflates to about a kilobyte: a ratio far above 10.
    const Case cases[] = {
        {"MoreThanTheByteBound", 3u << 20, {1u << 20, 1100, 64u << 20}, false},
        {"ExactlyTheByteBound", 4096, {4096, 1100, 64u << 20}, true},
        {"RatioAboveTheFloor", 1u << 20, {4ull << 30, 10, 64 * 1024}, false},
        {"RatioBelowTheFloor", 1u << 20, {4ull << 30, 10, 2u << 20}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(Target());
        ZipBuilder().File("b.mde", std::string(c.zeros, '\0')).WriteTo(Archive());
        if (c.accepted) {
            ArchiveUnpacker(c.limits).UnpackSingleFile(Archive(), Target());
            EXPECT_EQ(fs::file_size(Target()), c.zeros);
        } else {
            EXPECT_THROW(ArchiveUnpacker(c.limits).UnpackSingleFile(Archive(), Target()), ArchiveError);
            EXPECT_TRUE(Listing(root.path() / "out").empty());
        }
    }
}

TEST(ArchiveEntryPath, OnlyRelativePathsThatStayInsideAreSafe) {
    for (const char* path : {"book.mde", "a/b/book.mde", "a..b/x..", "./book.mde"})
        EXPECT_TRUE(ArchiveUnpacker::IsSafeEntryPath(path)) << path;
    for (const char* path : {"", "..", "../x", "a/../../x", "a\\..\\x", "a/..", "/etc/x", "\\x", "C:x", "c:\\x"})
        EXPECT_FALSE(ArchiveUnpacker::IsSafeEntryPath(path)) << path;
}

} // namespace
} // namespace kx::newbook
