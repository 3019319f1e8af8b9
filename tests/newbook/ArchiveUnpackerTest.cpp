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
    fs::path Archive() const { return root.path() / "in" / "模板.WAK"; }
    fs::path Target() const { return root.path() / "out" / "book.mde"; }
    void SetUp() override {
        fs::create_directories(root.path() / "in");
        fs::create_directories(root.path() / "out");
    }

    kx::test::TempFolder root;
};

TEST_F(ArchiveUnpackerTest, TheOneFileGoesToTheTargetWhateverItsPathInside) {
    const std::string book(100000, 'b');
    ZipBuilder().Folder("账簿/").File("账簿/kxSample.mde", book).WriteTo(Archive());
    ArchiveUnpacker().UnpackSingleFile(Archive(), Target());
    EXPECT_EQ(platform::ReadWholeFile(Target()), book);
    EXPECT_EQ(Listing(root.path() / "out"), std::set<std::string>{"book.mde"});
    EXPECT_EQ(fs::status(Target()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ArchiveUnpackerTest, StoredEntryAndExistingTargetAreHandled) {
    std::ofstream(Target()) << "old";
    ZipBuilder().File("a.mde", "new content").WriteTo(Archive(), true);
    ArchiveUnpacker().UnpackSingleFile(Archive(), Target());
    EXPECT_EQ(platform::ReadWholeFile(Target()), "new content");
}

TEST_F(ArchiveUnpackerTest, EmptyBookFileIsStillTheOneFile) {
    ZipBuilder().File("empty.mde", "").WriteTo(Archive());
    ArchiveUnpacker().UnpackSingleFile(Archive(), Target());
    EXPECT_EQ(fs::file_size(Target()), 0u);
}

// ---------------------------------------------------------------- refused archives

struct BadArchive {
    const char* name;
    std::function<void(const fs::path& archive, const fs::path& root)> write;
    /// A path (relative to the test folder) that a careless unpacker would create.
    const char* escapeTarget;
};

void PrintTo(const BadArchive& c, std::ostream* os) {
    *os << c.name;
}

class RefusedArchiveTest : public ArchiveUnpackerTest, public testing::WithParamInterface<BadArchive> {};

TEST_P(RefusedArchiveTest, FailsAndWritesNothingAnywhere) {
    GetParam().write(Archive(), root.path());
    std::ofstream(Target()) << "kept";
    const auto before = Listing(root.path());
    try {
        ArchiveUnpacker().UnpackSingleFile(Archive(), Target());
        FAIL() << "the archive was accepted";
    } catch (const ArchiveError&) {
    }
    EXPECT_EQ(Listing(root.path()), before);
    EXPECT_EQ(platform::ReadWholeFile(Target()), "kept");
    if (*GetParam().escapeTarget != '\0') {
        EXPECT_FALSE(fs::exists(root.path() / GetParam().escapeTarget));
    }
}

std::string AbsoluteInside(const fs::path& root, const char* name) {
    return (root / name).string();
}

INSTANTIATE_TEST_SUITE_P(
    Archives, RefusedArchiveTest,
    testing::Values(
        BadArchive{
            "ZipSlip",
            [](const fs::path& a, const fs::path&) { ZipBuilder().File("../slip.mde", "x").WriteTo(a); },
            "in/slip.mde"},
        BadArchive{"ZipSlipDeep",
                   [](const fs::path& a, const fs::path&) {
                       ZipBuilder().File("book/../../../slip.mde", "x").WriteTo(a);
                   },
                   "slip.mde"},
        BadArchive{
            "BackslashSlip",
            [](const fs::path& a, const fs::path&) { ZipBuilder().File("..\\slip.mde", "x").WriteTo(a); },
            ""},
        BadArchive{"AbsolutePath",
                   [](const fs::path& a, const fs::path& r) {
                       ZipBuilder().File(AbsoluteInside(r, "abs.mde"), "x").WriteTo(a);
                   },
                   "abs.mde"},
        BadArchive{
            "DriveLetterPath",
            [](const fs::path& a, const fs::path&) { ZipBuilder().File("C:\\abs.mde", "x").WriteTo(a); }, ""},
        BadArchive{"SymlinkEntry",
                   [](const fs::path& a, const fs::path&) {
                       ZipBuilder().Symlink("book.mde", "/etc/passwd").WriteTo(a);
                   },
                   ""},
        BadArchive{"SymlinkBesideTheBook",
                   [](const fs::path& a, const fs::path&) {
                       ZipBuilder().File("book.mde", "x").Symlink("link", "../../x").WriteTo(a);
                   },
                   ""},
        BadArchive{"TwoFiles",
                   [](const fs::path& a, const fs::path&) {
                       ZipBuilder().File("a.mde", "a").File("b.mde", "b").WriteTo(a);
                   },
                   ""},
        BadArchive{"OnlyFolders",
                   [](const fs::path& a, const fs::path&) { ZipBuilder().Folder("d/").WriteTo(a); }, ""},
        BadArchive{"EmptyArchive", [](const fs::path& a, const fs::path&) { ZipBuilder().WriteTo(a); }, ""},
        BadArchive{"NotAZip", [](const fs::path& a, const fs::path&) { std::ofstream(a) << "plain text\n"; },
                   ""},
        BadArchive{"TruncatedZip",
                   [](const fs::path& a, const fs::path&) {
                       ZipBuilder().File("a.mde", std::string(5000, 'q')).WriteTo(a, true);
                       fs::resize_file(a, 2000);
                   },
                   ""}),
    [](const testing::TestParamInfo<BadArchive>& c) { return std::string(c.param.name); });

TEST_F(ArchiveUnpackerTest, MissingArchiveIsAPlatformErrorAndWritesNothing) {
    EXPECT_THROW(ArchiveUnpacker().UnpackSingleFile(root.path() / "none.WAK", Target()),
                 platform::PlatformError);
    EXPECT_TRUE(Listing(root.path() / "out").empty());
}

// ---------------------------------------------------------------- size bounds

TEST_F(ArchiveUnpackerTest, MoreThanTheByteBoundStopsAndRemovesThePart) {
    ZipBuilder().File("big.mde", std::string(3 << 20, '\0')).WriteTo(Archive());
    ArchiveLimits limits;
    limits.maxUnpackedBytes = 1 << 20;
    EXPECT_THROW(ArchiveUnpacker(limits).UnpackSingleFile(Archive(), Target()), ArchiveError);
    EXPECT_TRUE(Listing(root.path() / "out").empty());
}

TEST_F(ArchiveUnpackerTest, AnExplodingRatioIsRefusedAboveTheFloor) {
    // A megabyte of zeros deflates to about a kilobyte: a ratio far above 10.
    ZipBuilder().File("bomb.mde", std::string(1 << 20, '\0')).WriteTo(Archive());
    ArchiveLimits limits;
    limits.maxRatio = 10;
    limits.ratioFloorBytes = 64 * 1024;
    EXPECT_THROW(ArchiveUnpacker(limits).UnpackSingleFile(Archive(), Target()), ArchiveError);
    EXPECT_TRUE(Listing(root.path() / "out").empty());

    limits.ratioFloorBytes = 2 << 20; // below the floor the ratio does not matter
    ArchiveUnpacker(limits).UnpackSingleFile(Archive(), Target());
    EXPECT_EQ(fs::file_size(Target()), std::uintmax_t{1} << 20);
}

TEST_F(ArchiveUnpackerTest, ExactlyTheBoundIsAccepted) {
    ZipBuilder().File("b.mde", std::string(4096, 'z')).WriteTo(Archive());
    ArchiveLimits limits;
    limits.maxUnpackedBytes = 4096;
    ArchiveUnpacker(limits).UnpackSingleFile(Archive(), Target());
    EXPECT_EQ(fs::file_size(Target()), 4096u);
}

// ---------------------------------------------------------------- entry paths

struct EntryPathCase {
    const char* path;
    bool safe;
};

class EntryPathTest : public testing::TestWithParam<EntryPathCase> {};

TEST_P(EntryPathTest, OnlyRelativePathsThatStayInsideAreSafe) {
    EXPECT_EQ(ArchiveUnpacker::IsSafeEntryPath(GetParam().path), GetParam().safe) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(Paths, EntryPathTest,
                         testing::Values(EntryPathCase{"book.mde", true}, EntryPathCase{"a/b/book.mde", true},
                                         EntryPathCase{"a..b/x..", true}, EntryPathCase{"./book.mde", true},
                                         EntryPathCase{"", false}, EntryPathCase{"..", false},
                                         EntryPathCase{"../x", false}, EntryPathCase{"a/../../x", false},
                                         EntryPathCase{"a\\..\\x", false}, EntryPathCase{"a/..", false},
                                         EntryPathCase{"/etc/x", false}, EntryPathCase{"\\x", false},
                                         EntryPathCase{"C:x", false}, EntryPathCase{"c:\\x", false}));

} // namespace
} // namespace kx::newbook
