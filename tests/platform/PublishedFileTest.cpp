#include "platform/PublishedFile.h"
#include "platform/AnsiTextFile.h"
#include "platform/FaultPlan.h"
#include "platform/PlatformError.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
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

TEST(PublishedFile, AFailureOnTheWayLeavesNoTemporaryFileAndTheTargetAsItWas) {
    const test::TempFolder folder;
    const fs::path target = folder.path() / "book.mde";
    WriteFileAtomically(target, "old");
    EXPECT_ANY_THROW(PublishedFile(target, PublishMode::Replace).CopyFrom(folder.path() / "no such file"));
    EXPECT_EQ(EntriesOf(folder.path()), std::vector<std::string>{"book.mde"});
    EXPECT_EQ(ReadWholeFile(target), "old");
    fs::remove(target);
    {
        PublishedFile out(target, PublishMode::Replace);
        out.Write("content");
        fs::create_directories(target / "inside"); // a folder appeared at the name
        EXPECT_ANY_THROW((void)out.Publish());
    }
    EXPECT_EQ(EntriesOf(folder.path()), std::vector<std::string>{"book.mde"});
    EXPECT_TRUE(fs::is_directory(target / "inside"));
}

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

// When a write, a sync, a copy, a rename or a link fails: the error tells the
// system's reason, no temporary file stays, and the name holds the old file (or
// nothing) or, where the failure came after the file was in place, the whole new one.

enum class Outcome { Fails, Published, NameTaken };

/// What a PublishedFile under a fault plan came to.
struct RunResult {
    Outcome outcome;
    int number = 0;          // of the PlatformError
    std::string description; // of the PlatformError
};

/// A folder with the template to copy, and one for the target "book.mde" that
/// holds "old" at that name when the case says so.
class Scene {
  public:
    explicit Scene(bool existing) {
        std::string content(300'000, '\0');
        for (std::size_t i = 0; i < content.size(); ++i)
            content[i] = static_cast<char>(i * 7 % 251);
        WriteFileAtomically(Source(), content);
        if (existing)
            WriteFileAtomically(Target(), "old");
    }
    fs::path Source() const { return sources_.path() / "template.mde"; }
    fs::path Target() const { return folder_.path() / "book.mde"; }
    const fs::path& Folder() const { return folder_.path(); }
    std::string NewContent() const { return "new content" + ReadWholeFile(Source()); }

    /// Writes the new book (two writes and a copy) and publishes it under `plan`.
    RunResult Publish(PublishMode mode, std::string_view plan) const {
        const sys::ScopedFaultPlan faults(plan);
        try {
            PublishedFile out(Target(), mode);
            out.Write("new ");
            out.Write("content");
            out.CopyFrom(Source());
            return {out.Publish() ? Outcome::Published : Outcome::NameTaken, 0, {}};
        } catch (const PlatformError& e) {
            return {Outcome::Fails, e.number(), e.what()};
        }
    }

    /// Checks the folder after a run that came to `run`: only the book's name, with
    /// the old content (or nothing) unless the new book was published.
    void ExpectWhole(const RunResult& run, bool existing) const {
        const bool present = existing || run.outcome == Outcome::Published;
        EXPECT_EQ(EntriesOf(Folder()),
                  present ? std::vector<std::string>{"book.mde"} : std::vector<std::string>{});
        if (run.outcome == Outcome::Published) {
            EXPECT_EQ(ReadWholeFile(Target()), NewContent());
        } else if (existing) {
            EXPECT_EQ(ReadWholeFile(Target()), "old");
        }
    }

  private:
    test::TempFolder sources_, folder_;
};

struct FaultCase {
    const char* name;
    PublishMode mode;
    bool existing;
    const char* plan;
    Outcome outcome;
    int error = 0; // the errno of a failure
};

class FaultTable : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultTable, FailsWithTheReasonAndLeavesTheFolderWhole) {
    const FaultCase& c = GetParam();
    const Scene scene(c.existing);
    const RunResult run = scene.Publish(c.mode, c.plan);
    EXPECT_EQ(run.outcome, c.outcome) << run.description;
    if (c.outcome == Outcome::Fails) {
        EXPECT_EQ(run.number, ErrorNumberFromErrno(c.error));
        EXPECT_NE(run.description.find(std::strerror(c.error)), std::string::npos) << run.description;
        EXPECT_NE(run.description.find(scene.Target().string()), std::string::npos) << run.description;
    }
    scene.ExpectWhole(run, c.existing);
}

constexpr auto Replace = PublishMode::Replace;
constexpr auto NoOverwrite = PublishMode::NoOverwrite;

// The error numbers and the ways around what a file system lacks; every call failing
// with EIO in turn is tried by EveryCallTable below.
INSTANTIATE_TEST_SUITE_P(
    Cases, FaultTable,
    ::testing::Values(
        FaultCase{"ReplaceFirstWrite", Replace, true, "write:1:ENOSPC", Outcome::Fails, ENOSPC},
        FaultCase{"ReplaceCopyAfterPartOfIt", Replace, true, "copy:2:ENOSPC", Outcome::Fails, ENOSPC},
        // A file system that cannot copy in the kernel: the copy goes through a buffer.
        FaultCase{"ReplaceCopyUnsupported", Replace, true, "copy:1:EXDEV", Outcome::Published},
        FaultCase{"ReplaceBufferedCopyWrite", Replace, true, "copy:1:EXDEV,write:3:ENOSPC", Outcome::Fails,
                  ENOSPC},
        FaultCase{"ReplaceRename", Replace, true, "rename:1:EACCES", Outcome::Fails, EACCES},
        FaultCase{"ReplaceRenameOfANewFile", Replace, false, "rename:1:EROFS", Outcome::Fails, EROFS},
        FaultCase{"NoOverwriteFileSync", NoOverwrite, false, "fsync:1:ENOSPC", Outcome::Fails, ENOSPC},
        // Without renameat2 the file is linked to its name; without links either, it is
        // renamed over a placeholder made with O_EXCL. Neither replaces an old file.
        FaultCase{"NoOverwriteByLink", NoOverwrite, false, "rename:1:EINVAL", Outcome::Published},
        FaultCase{"NoOverwriteByLinkOverAnOldFile", NoOverwrite, true, "rename:1:ENOSYS", Outcome::NameTaken},
        FaultCase{"NoOverwriteWithoutLinks", NoOverwrite, false, "rename:1:EOPNOTSUPP,link:1:EPERM",
                  Outcome::Published},
        FaultCase{"NoOverwriteWithoutLinksOverAnOldFile", NoOverwrite, true, "rename:1:EINVAL,link:1:EPERM",
                  Outcome::NameTaken}),
    [](const auto& p) { return std::string(p.param.name); });

struct EveryCallCase {
    const char* name;
    PublishMode mode;
    bool existing;
    const char* fallbacks; // a plan that makes the placement take its other ways
};

class EveryCallTable : public ::testing::TestWithParam<EveryCallCase> {};

TEST_P(EveryCallTable, EachCallFailingInTurnLeavesTheFolderWhole) {
    const EveryCallCase& c = GetParam();
    const std::string fallbacks = c.fallbacks;
    // A run that only counts tells how many calls of each kind there are.
    std::vector<std::pair<sys::Call, unsigned long>> counts;
    {
        const Scene scene(c.existing);
        const sys::ScopedFaultPlan counting(sys::ParseFaultPlan(fallbacks));
        PublishedFile out(scene.Target(), c.mode);
        out.Write("new ");
        out.Write("content");
        out.CopyFrom(scene.Source());
        (void)out.Publish();
        for (std::size_t kind = 0; kind < sys::kCallKinds; ++kind)
            counts.emplace_back(static_cast<sys::Call>(kind), counting.Calls(static_cast<sys::Call>(kind)));
    }
    for (const auto& [kind, count] : counts) {
        for (unsigned long k = 1; k <= count; ++k) {
            const std::string entry = std::string(sys::NameOf(kind)) + ":" + std::to_string(k) + ":EIO";
            // A fault planned for a call that the fallbacks fail already changes nothing.
            if (fallbacks.find(std::string(sys::NameOf(kind)) + ":" + std::to_string(k) + ":") !=
                std::string::npos)
                continue;
            SCOPED_TRACE(entry);
            const Scene scene(c.existing);
            const RunResult run = scene.Publish(c.mode, fallbacks.empty() ? entry : fallbacks + "," + entry);
            // Every call fails the file but the folder's sync, the last, which comes after the
            // file is in place and only helps.
            if (kind != sys::Call::Fsync || k != count) {
                EXPECT_EQ(run.outcome, Outcome::Fails);
                EXPECT_EQ(run.number, errnum::DeviceIOError);
                EXPECT_NE(run.description.find(std::strerror(EIO)), std::string::npos) << run.description;
            } else {
                EXPECT_EQ(run.outcome,
                          c.existing && c.mode == NoOverwrite ? Outcome::NameTaken : Outcome::Published);
            }
            scene.ExpectWhole(run, c.existing);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EveryCallTable,
                         ::testing::Values(EveryCallCase{"Replace", Replace, true, ""},
                                           EveryCallCase{"ReplaceNewFile", Replace, false, ""},
                                           EveryCallCase{"NoOverwrite", NoOverwrite, false, ""},
                                           EveryCallCase{"NoOverwriteByLink", NoOverwrite, false,
                                                         "rename:1:EINVAL"},
                                           EveryCallCase{"NoOverwriteByPlaceholder", NoOverwrite, false,
                                                         "rename:1:EINVAL,link:1:EPERM"}),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace kx::platform
