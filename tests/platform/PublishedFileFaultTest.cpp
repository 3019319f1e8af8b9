// PublishedFile when a write, a sync, a copy, a rename or a link fails: the
// error tells the system's reason, no temporary file stays, and the name holds
// the old file (or nothing) or, where the failure came after the file was in
// place, the whole new one.

#include "platform/AnsiTextFile.h"
#include "platform/FaultPlan.h"
#include "platform/PlatformError.h"
#include "platform/PublishedFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace kx::platform {
namespace {

namespace fs = std::filesystem;

enum class Outcome { Fails, Published, NameTaken };

/// What a PublishedFile under a fault plan came to.
struct RunResult {
    Outcome outcome;
    int number = 0;          // of the PlatformError
    std::string description; // of the PlatformError
};

std::vector<std::string> EntriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

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
        EXPECT_EQ(EntriesOf(Folder()), present ? std::vector<std::string>{"book.mde"} : std::vector<std::string>{});
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

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

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

INSTANTIATE_TEST_SUITE_P(
    Cases, FaultTable,
    ::testing::Values(
        FaultCase{"ReplaceFirstWrite", Replace, true, "write:1:ENOSPC", Outcome::Fails, ENOSPC},
        FaultCase{"ReplaceSecondWrite", Replace, true, "write:2:EIO", Outcome::Fails, EIO},
        FaultCase{"ReplaceCopy", Replace, true, "copy:1:EIO", Outcome::Fails, EIO},
        FaultCase{"ReplaceCopyAfterPartOfIt", Replace, true, "copy:2:ENOSPC", Outcome::Fails, ENOSPC},
        // A file system that cannot copy in the kernel: the copy goes through a buffer.
        FaultCase{"ReplaceCopyUnsupported", Replace, true, "copy:1:EXDEV", Outcome::Published},
        FaultCase{"ReplaceBufferedCopyWrite", Replace, true, "copy:1:EXDEV,write:3:ENOSPC", Outcome::Fails,
                  ENOSPC},
        FaultCase{"ReplaceFileSync", Replace, true, "fsync:1:EIO", Outcome::Fails, EIO},
        // The folder's sync comes after the file is in place, and only helps.
        FaultCase{"ReplaceFolderSync", Replace, true, "fsync:2:EIO", Outcome::Published},
        FaultCase{"ReplaceRename", Replace, true, "rename:1:EACCES", Outcome::Fails, EACCES},
        FaultCase{"ReplaceRenameOfANewFile", Replace, false, "rename:1:EROFS", Outcome::Fails, EROFS},
        FaultCase{"ReplaceMakesNoLink", Replace, true, "link:1+:EIO", Outcome::Published},
        FaultCase{"NoOverwriteWrite", NoOverwrite, false, "write:1+:ENOSPC", Outcome::Fails, ENOSPC},
        FaultCase{"NoOverwriteCopy", NoOverwrite, false, "copy:1:EIO", Outcome::Fails, EIO},
        FaultCase{"NoOverwriteFileSync", NoOverwrite, false, "fsync:1:ENOSPC", Outcome::Fails, ENOSPC},
        FaultCase{"NoOverwriteFolderSync", NoOverwrite, false, "fsync:2:EIO", Outcome::Published},
        FaultCase{"NoOverwriteRename", NoOverwrite, false, "rename:1:EIO", Outcome::Fails, EIO},
        // Without renameat2 the file is linked to its name...
        FaultCase{"NoOverwriteLinkWithoutRenameat2", NoOverwrite, false, "rename:1:EINVAL", Outcome::Published},
        FaultCase{"NoOverwriteLink", NoOverwrite, false, "rename:1:EINVAL,link:1:EIO", Outcome::Fails, EIO},
        // ... and without links either it is renamed over a placeholder made with O_EXCL.
        FaultCase{"NoOverwriteWithoutLinks", NoOverwrite, false, "rename:1:ENOSYS,link:1:EPERM", Outcome::Published},
        FaultCase{"NoOverwriteRenameOverThePlaceholder", NoOverwrite, false, "rename:1:EINVAL,link:1:EPERM,rename:2:EIO",
                  Outcome::Fails, EIO},
        FaultCase{"NoOverwriteWithoutLinksOverAnOldFile", NoOverwrite, true, "rename:1:EINVAL,link:1:EPERM",
                  Outcome::NameTaken},
        FaultCase{"NoOverwriteOverAnOldFile", NoOverwrite, true, "write:2:EIO", Outcome::Fails, EIO}),
    [](const auto& p) { return std::string(p.param.name); });

struct EveryCallCase {
    const char* name;
    PublishMode mode;
    bool existing;
    const char* fallbacks; // a plan that makes the placement take its other ways
};

void PrintTo(const EveryCallCase& c, std::ostream* os) {
    *os << c.name;
}

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
    int failures = 0;
    for (const auto& [kind, count] : counts) {
        for (unsigned long k = 1; k <= count; ++k) {
            const std::string entry = std::string(sys::NameOf(kind)) + ":" + std::to_string(k) + ":EIO";
            // A fault planned for a call that the fallbacks fail already changes nothing.
            if (fallbacks.find(std::string(sys::NameOf(kind)) + ":" + std::to_string(k) + ":") != std::string::npos)
                continue;
            SCOPED_TRACE(entry);
            const Scene scene(c.existing);
            const RunResult run = scene.Publish(c.mode, fallbacks.empty() ? entry : fallbacks + "," + entry);
            if (run.outcome == Outcome::Fails) {
                ++failures;
                EXPECT_EQ(run.number, errnum::DeviceIOError);
                EXPECT_NE(run.description.find(std::strerror(EIO)), std::string::npos) << run.description;
            } else {
                EXPECT_EQ(run.outcome, c.existing && c.mode == NoOverwrite ? Outcome::NameTaken : Outcome::Published);
            }
            scene.ExpectWhole(run, c.existing);
        }
    }
    // Every write, the copy, the file's sync and the placement can fail.
    EXPECT_GE(failures, 5);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EveryCallTable,
    ::testing::Values(EveryCallCase{"Replace", Replace, true, ""}, EveryCallCase{"ReplaceNewFile", Replace, false, ""},
                      EveryCallCase{"NoOverwrite", NoOverwrite, false, ""},
                      EveryCallCase{"NoOverwriteByLink", NoOverwrite, false, "rename:1:EINVAL"},
                      EveryCallCase{"NoOverwriteByPlaceholder", NoOverwrite, false, "rename:1:EINVAL,link:1:EPERM"}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace kx::platform
