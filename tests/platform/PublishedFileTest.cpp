#include "platform/PublishedFile.h"
#include "platform/AnsiTextFile.h"
#include "platform/NoOverwritePlacement.h"
#include "platform/PlatformError.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace kx::platform {
namespace {

namespace fs = std::filesystem;

mode_t ModeOf(const fs::path& file) {
    struct stat st {};
    EXPECT_EQ(::stat(file.c_str(), &st), 0) << file;
    return st.st_mode & 07777;
}

std::vector<std::string> EntriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct PublishCase {
    const char* name;
    PublishMode mode;
    std::optional<mode_t> existingMode; // a file "old" with this mode is there first
    std::optional<mode_t> permissions;
    bool published;
    const char* content;
    mode_t resultMode;
};

void PrintTo(const PublishCase& c, std::ostream* os) {
    *os << c.name;
}

class PublishTable : public ::testing::TestWithParam<PublishCase> {
  protected:
    test::TempFolder folder;
};

TEST_P(PublishTable, PutsTheFileInPlaceAsItsModeSays) {
    const PublishCase& c = GetParam();
    const fs::path target = folder.path() / "books.txt";
    if (c.existingMode) {
        WriteFileAtomically(target, "old");
        ASSERT_EQ(::chmod(target.c_str(), *c.existingMode), 0);
    }
    {
        PublishedFile out(target, c.mode, c.permissions);
        out.Write("new ");
        out.Write("content");
        // While it is written, the file is a hidden one beside its name.
        const auto during = EntriesOf(folder.path());
        ASSERT_EQ(during.size(), c.existingMode ? 2u : 1u);
        EXPECT_EQ(during.front().rfind(".books.txt.kxtmp-", 0), 0u) << during.front();
        EXPECT_EQ(out.Publish(), c.published);
    }
    EXPECT_EQ(ReadWholeFile(target), c.content);
    EXPECT_EQ(ModeOf(target), c.resultMode);
    EXPECT_EQ(EntriesOf(folder.path()), std::vector<std::string>{"books.txt"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PublishTable,
    ::testing::Values(
        PublishCase{"ReplaceMakesANewFilePrivate", PublishMode::Replace, {}, {}, true, "new content", 0600},
        PublishCase{"ReplaceKeepsTheOldFilesMode", PublishMode::Replace, 0644, {}, true, "new content", 0644},
        PublishCase{"ReplaceWithPermissionsSetsThem", PublishMode::Replace, 0644, 0600, true, "new content",
                    0600},
        PublishCase{
            "NoOverwriteMakesANewFilePrivate", PublishMode::NoOverwrite, {}, {}, true, "new content", 0600},
        PublishCase{"NoOverwriteWithPermissionsSetsThem",
                    PublishMode::NoOverwrite,
                    {},
                    0640,
                    true,
                    "new content",
                    0640},
        PublishCase{
            "NoOverwriteLeavesAnExistingFile", PublishMode::NoOverwrite, 0644, {}, false, "old", 0644}),
    [](const auto& p) { return std::string(p.param.name); });

struct FailureCase {
    const char* name;
    bool existing; // a file "old" is there first
    /// Makes a PublishedFile for the target and fails on the way.
    std::function<void(const fs::path& target)> fail;
    /// The folder's entries afterwards.
    std::vector<std::string> after;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class FailureTable : public ::testing::TestWithParam<FailureCase> {
  protected:
    test::TempFolder folder;
};

TEST_P(FailureTable, LeavesNoTemporaryFileAndTheTargetAsItWas) {
    const FailureCase& c = GetParam();
    const fs::path target = folder.path() / "book.mde";
    if (c.existing)
        WriteFileAtomically(target, "old");
    EXPECT_ANY_THROW(c.fail(target));
    EXPECT_EQ(EntriesOf(folder.path()), c.after);
    if (c.existing)
        EXPECT_EQ(ReadWholeFile(target), "old");
    else
        EXPECT_FALSE(fs::is_regular_file(target));
}

INSTANTIATE_TEST_SUITE_P(Cases, FailureTable,
                         ::testing::Values(FailureCase{"WriterThrowsOverAnOldFile",
                                                       true,
                                                       [](const fs::path& target) {
                                                           PublishedFile out(target, PublishMode::Replace);
                                                           out.Write("half of it");
                                                           throw std::runtime_error("the writer gave up");
                                                       },
                                                       {"book.mde"}},
                                           FailureCase{"WriterThrowsForANewFile",
                                                       false,
                                                       [](const fs::path& target) {
                                                           PublishedFile out(target,
                                                                             PublishMode::NoOverwrite);
                                                           out.Write("half of it");
                                                           throw std::runtime_error("the writer gave up");
                                                       },
                                                       {}},
                                           FailureCase{"CopyFromAMissingSource",
                                                       true,
                                                       [](const fs::path& target) {
                                                           PublishedFile out(target, PublishMode::Replace);
                                                           out.CopyFrom(target.parent_path() /
                                                                        "no such file");
                                                       },
                                                       {"book.mde"}},
                                           FailureCase{"PublishOverAFolderThatAppeared",
                                                       false,
                                                       [](const fs::path& target) {
                                                           PublishedFile out(target, PublishMode::Replace);
                                                           out.Write("content");
                                                           fs::create_directory(target);
                                                           fs::create_directory(target / "inside");
                                                           (void)out.Publish();
                                                       },
                                                       {"book.mde"}}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(PublishedFile, AFolderAtTheNameIsNotReplaced) {
    test::TempFolder folder;
    fs::create_directory(folder.path() / "sub");
    EXPECT_THROW(PublishedFile(folder.path() / "sub", PublishMode::Replace), PlatformError);
    PublishedFile out(folder.path() / "sub", PublishMode::NoOverwrite);
    EXPECT_FALSE(out.Publish());
    EXPECT_TRUE(fs::is_directory(folder.path() / "sub"));
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(PublishedFile, AMissingFolderIsAnErrorWithTheSystemsReason) {
    test::TempFolder folder;
    try {
        PublishedFile out(folder.path() / "missing" / "books.txt", PublishMode::Replace);
        FAIL() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errnum::FileNotFound);
        EXPECT_NE(std::string(e.what()).find(std::strerror(ENOENT)), std::string::npos) << e.what();
    }
}

TEST(PublishedFile, CopyFromTakesTheWholeSource) {
    test::TempFolder folder;
    std::string big(300'000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 % 251);
    WriteFileAtomically(folder.path() / "template.mde", big);
    PublishedFile copy(folder.path() / "copy.mde", PublishMode::NoOverwrite);
    copy.Write("head:");
    copy.CopyFrom(folder.path() / "template.mde");
    ASSERT_TRUE(copy.Publish());
    EXPECT_EQ(ReadWholeFile(folder.path() / "copy.mde"), "head:" + big);
}

using PlaceMethod = Placement (*)(const fs::path&, const fs::path&);

struct PlacementCase {
    const char* name;
    PlaceMethod place;
};

void PrintTo(const PlacementCase& c, std::ostream* os) {
    *os << c.name;
}

class PlacementTable : public ::testing::TestWithParam<PlacementCase> {
  protected:
    test::TempFolder folder;
    fs::path from = folder.path() / ".new.kxtmp-test";
    fs::path to = folder.path() / "new";
};

TEST_P(PlacementTable, MovesToAFreeName) {
    WriteFileAtomically(from, "fresh");
    const Placement result = GetParam().place(from, to);
    if (result == Placement::Unsupported) {
        EXPECT_EQ(ReadWholeFile(from), "fresh");
        EXPECT_FALSE(fs::exists(to));
        GTEST_SKIP() << "this file system does not support the method";
    }
    EXPECT_EQ(result, Placement::Placed);
    EXPECT_EQ(ReadWholeFile(to), "fresh");
    EXPECT_EQ(EntriesOf(folder.path()), std::vector<std::string>{"new"});
}

TEST_P(PlacementTable, NeverReplacesATakenName) {
    WriteFileAtomically(from, "fresh");
    WriteFileAtomically(to, "someone's");
    const Placement result = GetParam().place(from, to);
    EXPECT_EQ(ReadWholeFile(to), "someone's");
    EXPECT_EQ(ReadWholeFile(from), "fresh");
    if (result == Placement::Unsupported)
        GTEST_SKIP() << "this file system does not support the method";
    EXPECT_EQ(result, Placement::NameTaken);
}

INSTANTIATE_TEST_SUITE_P(Methods, PlacementTable,
                         ::testing::Values(PlacementCase{"RenameNoReplace", &placement::RenameNoReplace},
                                           PlacementCase{"LinkThenUnlink", &placement::LinkThenUnlink},
                                           PlacementCase{"ExclusiveCreateThenRename",
                                                         &placement::ExclusiveCreateThenRename},
                                           PlacementCase{"PlaceWithoutOverwrite", &PlaceWithoutOverwrite}),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace kx::platform
