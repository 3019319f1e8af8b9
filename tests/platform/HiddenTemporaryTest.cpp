// Hidden temporary files: their names, their owner's lock, and the removal of
// those whose owner is gone, with real files, links, folders, pipes and owner processes.

#include "platform/HiddenTemporary.h"
#include "platform/AnsiTextFile.h"
#include "platform/FileDescriptor.h"
#include "platform/PublishedFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <set>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kx::platform {
namespace {

namespace fs = std::filesystem;

std::set<std::string> EntriesOf(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

/// A regular file made as any program makes one (a PublishedFile would sweep the folder).
void MakeFile(const fs::path& file) {
    const FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    ASSERT_GE(fd.get(), 0) << file;
    ASSERT_EQ(::write(fd.get(), "content", 7), 7);
}

TEST(HiddenTemporary, TellsTheTemporaryANameBelongsTo) {
    const std::pair<const char*, const char*> cases[] = {
        {".books.txt.kxtmp-aB3xYz", ".books.txt.kxtmp-aB3xYz"},
        {".kxAcc000001.MDE.kxtmp-Q1w2E3-journal", ".kxAcc000001.MDE.kxtmp-Q1w2E3"},
        {".新账簿.mde.kxtmp-000000-wal", ".新账簿.mde.kxtmp-000000"},
        {".b.kxtmp-ZZZZZZ-shm", ".b.kxtmp-ZZZZZZ"},
        {".x.kxtmp-abcdef.kxtmp-ghijkl", ".x.kxtmp-abcdef.kxtmp-ghijkl"},
        {"books.txt.kxtmp-aB3xYz", ""}, {".books.txt.kxtmp-aB3xY", ""}, {".books.txt.kxtmp-aB3xYz1", ""},
        {".books.txt.kxtmp-aB3x_z", ""}, {".books.txt.kxtmp-aB3x.z", ""}, {".kxtmp-aB3xYz", ""},
        {"..kxtmp-aB3xYz", ""}, {"...kxtmp-aB3xYz", ""}, {".books.txt.kxtmp-aB3xYz.bak", ""},
        {".books.txt.kxtmp-aB3xYz-journal2", ""}, {".books.txt.kxtmp-aB3xYz-wal-journal", ""},
        {".books.txt.tmp-aB3xYz", ""}, {".books.txt.KXTMP-aB3xYz", ""}, {"books.txt", ""}, {"", ""}};
    for (const auto& [name, temporary] : cases)
        EXPECT_EQ(HiddenTemporaryOf(name), temporary) << name;
}

TEST(HiddenTemporary, IsMadeBesideItsTargetPrivateAndLocked) {
    const test::TempFolder folder;
    std::string name = HiddenTemporaryTemplate(folder.path() / "books.txt");
    EXPECT_EQ(name, (folder.path() / ".books.txt.kxtmp-XXXXXX").string());
    const FileDescriptor fd(CreateHiddenTemporary(name));
    ASSERT_GE(fd.get(), 0) << std::strerror(errno);
    EXPECT_EQ(HiddenTemporaryOf(fs::path(name).filename().string()), fs::path(name).filename().string());
    struct stat st {};
    ASSERT_EQ(::stat(name.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    const FileDescriptor other(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
    EXPECT_NE(::flock(other.get(), LOCK_EX | LOCK_NB), 0) << "another open takes the lock";
}

/// A process of its own that starts a PublishedFile for `target`, writes to it and
/// keeps it until it is killed, which leaves the temporary file behind.
class OwnerProcess {
  public:
    explicit OwnerProcess(const fs::path& target) {
        int pipe[2];
        if (::pipe2(pipe, O_CLOEXEC) != 0 || (pid_ = ::fork()) < 0)
            throw std::runtime_error("pipe or fork");
        if (pid_ == 0) {
            try {
                PublishedFile out(target, PublishMode::NoOverwrite);
                out.Write("half a book");
                const std::string line = out.temporaryPath().string() + "\n";
                (void)!::write(pipe[1], line.data(), line.size());
                for (;;)
                    ::pause();
            } catch (...) {
                ::_exit(1);
            }
        }
        ::close(pipe[1]);
        const FileDescriptor reading(pipe[0]);
        for (char c = 0; ::read(reading.get(), &c, 1) == 1 && c != '\n';)
            temporary_ += c;
    }
    ~OwnerProcess() { Kill(); }
    OwnerProcess(const OwnerProcess&) = delete;
    OwnerProcess& operator=(const OwnerProcess&) = delete;

    void Kill() {
        if (pid_ > 0)
            ::kill(pid_, SIGKILL), ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    fs::path temporary() const { return temporary_; }

  private:
    pid_t pid_ = -1;
    std::string temporary_;
};

/// How an entry of a sweep case is made.
enum class Maker {
    LiveHere,    ///< a PublishedFile of this process, for the target `name`
    LiveInChild, ///< a PublishedFile of a process that still runs
    KilledChild, ///< a PublishedFile of a process that was killed
    Plain,       ///< a regular file `name` that nobody holds
    Nothing,     ///< no file `name`: only its journals are there
    Link,        ///< a symbolic link `name` to a file of another folder that nobody holds
    Folder,      ///< a folder `name` with a file in it
    Pipe,        ///< a named pipe `name`
};

struct Entry {
    Maker maker;
    std::string name;
    std::vector<std::string> journals = {};     // suffixes of regular files beside it
    std::vector<std::string> linkJournals = {}; // suffixes of symbolic links beside it
    bool stays = true;                          // the entry and its regular journals stay the first sweep
};

struct SweepCase {
    const char* name;
    std::vector<Entry> entries;
};

class SweepTable : public ::testing::TestWithParam<SweepCase> {
  protected:
    test::TempFolder folder, elsewhere;
};

TEST_P(SweepTable, RemovesWhatNoLivingOwnerHoldsAndNothingElse) {
    // This process has had its sweep of the folder: no PublishedFile made here, or
    // in the processes started from here, sweeps it on the way.
    RemoveLeftoverTemporariesOnce(folder.path());
    std::vector<std::unique_ptr<PublishedFile>> ownHere;
    std::vector<std::unique_ptr<OwnerProcess>> owners;
    std::set<std::string> afterFirst, afterSecond;
    std::size_t removedFirst = 0;

    for (const Entry& entry : GetParam().entries) {
        fs::path made = folder.path() / entry.name;
        switch (entry.maker) {
        case Maker::LiveHere:
            ownHere.push_back(std::make_unique<PublishedFile>(made, PublishMode::Replace));
            ownHere.back()->Write("half of it");
            made = ownHere.back()->temporaryPath();
            break;
        case Maker::LiveInChild:
        case Maker::KilledChild:
            owners.push_back(std::make_unique<OwnerProcess>(made));
            made = owners.back()->temporary();
            ASSERT_FALSE(made.empty());
            if (entry.maker == Maker::KilledChild)
                owners.back()->Kill();
            break;
        case Maker::Plain:
            MakeFile(made);
            break;
        case Maker::Nothing:
            break;
        case Maker::Link:
            MakeFile(elsewhere.path() / entry.name);
            fs::create_symlink(elsewhere.path() / entry.name, made);
            break;
        case Maker::Folder:
            fs::create_directory(made);
            MakeFile(made / "inside");
            break;
        case Maker::Pipe:
            ASSERT_EQ(::mkfifo(made.c_str(), 0600), 0);
            break;
        }
        std::vector<std::string> names;
        if (entry.maker != Maker::Nothing)
            names.push_back(made.filename().string());
        for (const std::string& suffix : entry.journals) {
            MakeFile(made.string() + suffix);
            names.push_back(made.filename().string() + suffix);
        }
        for (const std::string& suffix : entry.linkJournals) {
            fs::create_symlink(elsewhere.path() / entry.name, made.string() + suffix);
            afterFirst.insert(made.filename().string() + suffix);
            afterSecond.insert(made.filename().string() + suffix);
        }
        const bool live = entry.maker == Maker::LiveHere || entry.maker == Maker::LiveInChild;
        for (const std::string& name : names) {
            if (entry.stays)
                afterFirst.insert(name);
            else
                ++removedFirst;
            if (entry.stays && !live)
                afterSecond.insert(name);
        }
    }
    const auto outside = EntriesOf(elsewhere.path());

    EXPECT_EQ(RemoveLeftoverTemporaries(folder.path()), removedFirst);
    EXPECT_EQ(EntriesOf(folder.path()), afterFirst);

    // The living owners go; what they held goes with the next sweep. Those of this
    // process finish first: their files were not disturbed.
    for (auto& out : ownHere)
        EXPECT_TRUE(out->Publish());
    for (const auto& out : ownHere)
        afterSecond.insert(out->target().filename().string());
    ownHere.clear();
    owners.clear();
    RemoveLeftoverTemporaries(folder.path());
    EXPECT_EQ(EntriesOf(folder.path()), afterSecond);
    EXPECT_EQ(EntriesOf(elsewhere.path()), outside) << "nothing is removed through a link";
}

const std::vector<std::string> kAllJournals = {"-journal", "-wal", "-shm"};

INSTANTIATE_TEST_SUITE_P(
    Cases, SweepTable,
    ::testing::Values(
        SweepCase{"AFolderOfManyRuns",
                  {{Maker::LiveHere, "kxAcc000003.MDE", kAllJournals},
                   {Maker::LiveInChild, "kxAcc000004.MDE", {"-wal", "-shm"}},
                   {Maker::KilledChild, "kxAcc000002.MDE", kAllJournals, {}, false},
                   {Maker::KilledChild, "kxAcc000001.MDE", {}, {}, false},
                   {Maker::Plain, "kxAcc000001.MDE"},
                   {Maker::Plain, "kxSample.mde"}}},
        SweepCase{"TemporaryNobodyHolds",
                  {{Maker::Plain, ".books.txt.kxtmp-aB3xYz", {"-wal", "-shm"}, {}, false}}},
        SweepCase{"JournalsOfAGoneTemporary",
                  {{Maker::Nothing, ".book.mde.kxtmp-Gone12", {"-journal", "-wal"}, {}, false}}},
        SweepCase{"LinkAtATemporarysName", {{Maker::Link, ".a.kxtmp-Link12", {"-journal"}}}},
        SweepCase{"LinkAtAJournalsName", {{Maker::Plain, ".b.kxtmp-abcdef", {"-wal"}, {"-journal"}, false}}},
        SweepCase{"FolderAtATemporarysName", {{Maker::Folder, ".c.kxtmp-dir123", {"-journal"}}}},
        SweepCase{"PipeAtATemporarysName", {{Maker::Pipe, ".d.kxtmp-fifo12"}}},
        SweepCase{"NamesThatOnlyLookAlike",
                  {{Maker::Plain, "books.txt.kxtmp-aB3xYz"},
                   {Maker::Plain, ".books.txt.kxtmp-aB3xYz-journal2"},
                   {Maker::Plain, ".books.txt.kxtmp-Orphan", {}, {}, false}}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(HiddenTemporary, TheFirstPublishedFileOfAProcessInAFolderRemovesItsLeftovers) {
    const test::TempFolder folder;
    const fs::path list = folder.path() / "books.txt";
    MakeFile(folder.path() / ".books.txt.kxtmp-Killed");
    MakeFile(folder.path() / ".kxAcc000001.MDE.kxtmp-Killed-journal");
    WriteFileAtomically(list, "list");
    EXPECT_EQ(EntriesOf(folder.path()), std::set<std::string>{"books.txt"});

    // Once a process: a leftover that appears later waits for the next run.
    MakeFile(folder.path() / ".books.txt.kxtmp-Later1");
    WriteFileAtomically(list, "list again");
    EXPECT_EQ(EntriesOf(folder.path()), (std::set<std::string>{".books.txt.kxtmp-Later1", "books.txt"}));
    EXPECT_EQ(RemoveLeftoverTemporaries(folder.path()), 1u);
}

// A file keeps its lock from its creation until it is in place: a sweep between
// the closing of the writer's descriptor and the rename would take it away.
TEST(HiddenTemporary, FilesBeingWrittenSurviveAnotherProcessSweepingAllTheTime) {
    const test::TempFolder folder;
    RemoveLeftoverTemporariesOnce(folder.path());
    const pid_t sweeper = ::fork();
    if (sweeper == 0) {
        for (;;)
            RemoveLeftoverTemporaries(folder.path());
    }
    ASSERT_GT(sweeper, 0);
    int published = 0;
    for (int i = 0; i < 120; ++i) {
        try {
            PublishedFile out(folder.path() / ("book" + std::to_string(i)), PublishMode::NoOverwrite);
            out.Write("book");
            published += out.Publish() ? 1 : 0;
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
    }
    ::kill(sweeper, SIGKILL);
    ::waitpid(sweeper, nullptr, 0);
    EXPECT_EQ(published, 120);
    EXPECT_EQ(EntriesOf(folder.path()).size(), 120u);
}

} // namespace
} // namespace kx::platform
