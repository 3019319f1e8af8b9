// One book list file shared by several lists and programs: what a save keeps of
// the others' changes, what waits for the lock, and what is refused.

#include "catalogue/clsBooksList.h"

#include "LockHolderProcess.h"
#include "RecordingOwner.h"
#include "TempFolder.h"

#include "platform/AnsiTextFile.h"
#include "platform/Gb18030Codec.h"
#include "platform/ListLock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kx::catalogue {
namespace {

namespace fs = std::filesystem;
using Log = std::vector<std::string>;
using Change = std::function<void(clsBooksList&)>;

const std::string kBusy = "账簿列表正被其他程序修改，请稍后再试：";
const std::string kReadOnly = "账簿列表文件是只读的，不能改写：";

std::string Book(const std::string& name, const std::string& company = "某某商贸有限公司",
                 const std::string& visible = "0") {
    return name + "\t..\\Data\t" + name + ".mde\t" + company + "\t2024年05月\t" + visible + "\t\t";
}
const std::string kA = Book("A"), kB = Book("B"), kC = Book("C"), kD = Book("D"), kE = Book("E"),
                  kHidden = Book("H", "某某商贸有限公司", "1");

Change Add(const std::string& line) {
    return [line](clsBooksList& list) { EXPECT_TRUE(list.AddBook(line)); };
}
Change Remove(std::int16_t i) {
    return [i](clsBooksList& list) { EXPECT_TRUE(list.RemoveBook(i, true)); };
}
Change SetCompany(std::int16_t i, const std::string& company) {
    return [i, company](clsBooksList& list) { list.SetUserName(i, company); };
}
Change Save() {
    return [](clsBooksList& list) { EXPECT_TRUE(list.SaveBooks()); };
}
Change Steps(std::vector<Change> steps) {
    return [steps](clsBooksList& list) {
        for (const Change& step : steps)
            step(list);
    };
}

/// Sets an environment variable for the life of the object.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value, 1);
    }
    ~ScopedEnvironment() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

/// Lists of one application folder whose Data folder holds the databases of "A" and "B".
class SharedBooksList : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(folder.path() / "Data");
        for (const char* name : {"A.mde", "B.mde"})
            std::ofstream(folder.path() / "Data" / name) << "db";
    }
    fs::path ListFile() const { return folder.path() / "books.lst"; }
    static std::string Text(const Log& lines) {
        std::string text;
        for (const std::string& line : lines)
            text += (text.empty() ? "" : "\r") + line;
        return text + "\r\n";
    }
    void WriteList(const Log& lines) const { platform::WriteAnsiTextFile(ListFile(), Text(lines)); }
    std::string Bytes() const { return platform::ReadWholeFile(ListFile()); }
    /// The records of the list file, which must end as a save ends it.
    Log FileLines() const {
        std::string text = platform::ReadAnsiTextFile(ListFile());
        EXPECT_TRUE(text.ends_with("\r\n")) << text;
        text.resize(text.size() - 2);
        Log lines;
        for (std::size_t start = 0;;) {
            const auto end = text.find('\r', start);
            lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos)
                return lines;
            start = end + 1;
        }
    }
    static Log LinesOf(const clsBooksList& list) {
        Log lines;
        for (int i = 0; i <= list.BookCount(); ++i)
            lines.push_back(*list.Line(static_cast<std::int16_t>(i)));
        return lines;
    }
    /// Loads the list file into `list`, which reports to `events`.
    void Open(clsBooksList& list, BooksListEvents& events) const {
        list.SetAppPath(folder.str());
        list.SetEvents(&events);
        ASSERT_TRUE(list.LoadBooks(ListFile().string()));
    }

    kx::test::TempFolder folder;
    clsBooksList ours;
    test::RecordingOwner owner;
};

struct MergeCase {
    const char* name;
    Log file;      ///< the list file when both lists load it
    Change theirs; ///< what another list does to it (and saves) meanwhile
    Change mine;   ///< what our list does afterwards, before its save
    Log expected;  ///< the file and our list after our save
    int hidden;    ///< our HiddenCount then
};

TEST_F(SharedBooksList, ASaveKeepsWhatOthersSavedSinceTheLoadAndAppliesItsOwnChanges) {
    const std::string mineCompany = "我方公司", theirCompany = "他方公司";
    const MergeCase cases[] = {
        {"both add", {kA, kB, kC}, Steps({Add(kD), Save()}), Add(kE), {kA, kB, kC, kD, kE}, 0},
        {"they remove, we add", {kA, kB, kC}, Remove(1), Add(kE), {kA, kC, kE}, 0},
        {"they change, we remove another",
         {kA, kB, kC},
         Steps({SetCompany(1, theirCompany), Save()}),
         Remove(2),
         {kA, Book("B", theirCompany)},
         0},
        {"we change what they removed", {kA, kB, kC}, Remove(1), SetCompany(1, mineCompany), {kA, kC}, 0},
        {"both change one line: theirs stays",
         {kA, kB, kC},
         Steps({SetCompany(1, theirCompany), Save()}),
         SetCompany(1, mineCompany),
         {kA, Book("B", theirCompany), kC},
         0},
        {"both remove one line", {kA, kB, kC}, Remove(1), Remove(1), {kA, kC}, 0},
        {"we change, add and remove in one save",
         {kA, kB, kC},
         Steps({Add(kD), Save()}),
         Steps({SetCompany(2, mineCompany), Add(kE), Remove(0)}),
         {kB, Book("C", mineCompany), kD, kE},
         0},
        {"the copy we removed is the one removed",
         {kA, kB, kA},
         Steps({Add(kD), Save()}),
         Remove(2),
         {kA, kB, kD},
         0},
        {"a copy of a line is as good as another", {kA, kB, kA}, Remove(0), Remove(2), {kB}, 0},
        {"their hidden book is counted",
         {kA, kB, kC},
         Steps({Add(kHidden), Save()}),
         Add(kE),
         {kA, kB, kC, kHidden, kE},
         1},
        {"the hidden book they removed is not", {kA, kHidden, kC}, Remove(1), Add(kE), {kA, kC, kE}, 0},
        {"an editor rewrote it in place",
         {kA, kB, kC},
         [this](clsBooksList&) {
             std::ofstream(ListFile(), std::ios::binary | std::ios::trunc)
                 << platform::Gb18030Codec().FromUtf8(Text({kA, kC, Book("Dd")}));
         },
         Add(kE),
         {kA, kC, Book("Dd"), kE},
         0},
    };
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteList(c.file);
        Open(ours, owner);
        {
            clsBooksList theirs;
            test::RecordingOwner theirOwner;
            Open(theirs, theirOwner);
            c.theirs(theirs);
            EXPECT_TRUE(theirOwner.errors.empty());
        }
        c.mine(ours);
        owner.Clear();
        EXPECT_TRUE(ours.SaveBooks());
        EXPECT_EQ(owner.log, (Log{"BeforeCommand Save", "AfterCommand Save"}));
        EXPECT_EQ(FileLines(), c.expected);
        EXPECT_EQ(LinesOf(ours), c.expected) << "the list holds what it wrote";
        EXPECT_EQ(ours.HiddenCount(), c.hidden);
        // Merged once, the file is the list's baseline: saving again changes nothing.
        EXPECT_TRUE(ours.SaveBooks());
        EXPECT_EQ(FileLines(), c.expected);
    }
}

TEST_F(SharedBooksList, CleanFirstTakesInWhatOthersSavedSinceTheLoad) {
    WriteList({kA, kC}); // C's database is missing
    Open(ours, owner);
    {
        clsBooksList theirs;
        test::RecordingOwner theirOwner;
        Open(theirs, theirOwner);
        Steps({Add(kA), Add(kB), Save()})(theirs);
    }
    owner.Clear();
    EXPECT_TRUE(ours.Clean());
    // Their copy of A makes ours a duplicate; their B stays.
    EXPECT_EQ(owner.Events("Notify "), Log{"Notify 清理重复项1条；\r\n清理无效列表项 1 条。"});
    EXPECT_EQ(FileLines(), (Log{kA, kB}));
    EXPECT_EQ(LinesOf(ours), (Log{kA, kB}));
}

struct RefusalCase {
    const char* name;
    Change command;
    Log events; ///< what our list reports, starting with its Error
    Log left;   ///< our list's entries afterwards
};

/// What each command reports and leaves when it may not write the list; the list
/// file holds A and B, and our list has added C.
const RefusalCase kRefusals[] = {
    {"save",
     [](clsBooksList& list) { EXPECT_FALSE(list.SaveBooks()); },
     {"BeforeCommand Save", "Error 存储账簿列表"},
     {kA, kB, kC}},
    // The entry is gone from the list even when its save fails.
    {"removal",
     [](clsBooksList& list) { EXPECT_FALSE(list.RemoveBook(0, true)); },
     {"BeforeCommand Save", "Error 存储账簿列表", "AfterRemove 0"},
     {kB, kC}},
    {"lock",
     [](clsBooksList& list) { EXPECT_FALSE(list.LockListFile()); },
     {"Error 存储账簿列表"},
     {kA, kB, kC}},
};

TEST_F(SharedBooksList, WhileAnotherProgramChangesTheListNothingIsWrittenAndTheUserIsToldWhy) {
    const ScopedEnvironment shortWait("KX_LIST_LOCK_TIMEOUT_MS", "100");
    WriteList({kA, kB});
    const std::string before = Bytes();
    for (const RefusalCase& c : kRefusals) {
        SCOPED_TRACE(c.name);
        Open(ours, owner);
        ASSERT_TRUE(ours.AddBook(kC));
        kx::test::LockHolderProcess other(ListFile());
        ASSERT_TRUE(other.held());
        owner.Clear();
        c.command(ours);
        EXPECT_EQ(owner.log, c.events);
        ASSERT_FALSE(owner.errors.empty());
        EXPECT_EQ(owner.errors[0].second, kBusy + ListFile().string());
        EXPECT_EQ(LinesOf(ours), c.left);
        EXPECT_EQ(Bytes(), before);
        other.LetGo();
        EXPECT_TRUE(ours.SaveBooks()) << "once the other program is done";
        EXPECT_EQ(FileLines(), c.left);
        WriteList({kA, kB});
    }
    // A clean ends before it removes anything; a missing list is not made meanwhile.
    Open(ours, owner);
    kx::test::LockHolderProcess other(ListFile());
    owner.Clear();
    EXPECT_FALSE(ours.Clean());
    EXPECT_EQ(owner.log, Log{"Error 存储账簿列表"});
    kx::test::LockHolderProcess otherOnNew(folder.path() / "new.lst");
    owner.Clear();
    EXPECT_FALSE(ours.LoadBooks("new.lst"));
    EXPECT_EQ(owner.log, (Log{"BeforeCommand Load", "Error 装入账簿列表"}));
    EXPECT_EQ(owner.errors[0].second, kBusy + (folder.path() / "new.lst").string());
    EXPECT_FALSE(fs::exists(folder.path() / "new.lst"));
    EXPECT_EQ(LinesOf(ours), (Log{kA, kB}));
}

TEST_F(SharedBooksList, AReadOnlyListIsNeverReplacedEvenByRoot) {
    // The file's mode, and whether saving over it is refused. Mode 0466 has write
    // bits only for others than the owner: only root may write it.
    const bool root = ::geteuid() == 0;
    const std::tuple<mode_t, bool, std::string> modes[] = {
        {0444, true, ""},
        {0400, true, ""},
        {0466, !root, std::string("\n") + std::strerror(EACCES)},
        {0644, false, ""}};
    for (const auto& [mode, refused, reason] : modes) {
        for (const RefusalCase& c : kRefusals) {
            if (std::string(c.name) == "lock")
                continue; // the lock file is another file
            SCOPED_TRACE(std::to_string(mode) + " " + c.name);
            WriteList({kA, kB});
            fs::permissions(ListFile(), fs::perms(mode));
            const std::string before = Bytes();
            Open(ours, owner);
            ASSERT_TRUE(ours.AddBook(kC));
            owner.Clear();
            if (refused) {
                c.command(ours);
                EXPECT_EQ(owner.log, c.events);
                ASSERT_FALSE(owner.errors.empty());
                EXPECT_EQ(owner.errors[0].second, kReadOnly + ListFile().string() + reason);
                EXPECT_EQ(Bytes(), before);
            } else {
                EXPECT_TRUE(ours.SaveBooks());
                EXPECT_EQ(FileLines(), (Log{kA, kB, kC}));
            }
            struct stat st {};
            ASSERT_EQ(::stat(ListFile().c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, mode);
            fs::permissions(ListFile(), fs::perms(0600));
        }
    }
    // A clean of a read-only list reports the refusal of every save and leaves the file.
    WriteList({kA, kA, kB});
    fs::permissions(ListFile(), fs::perms(0444));
    Open(ours, owner);
    owner.Clear();
    EXPECT_FALSE(ours.Clean());
    EXPECT_EQ(owner.Events("Error "), Log(2, "Error 存储账簿列表"));
    EXPECT_EQ(platform::ReadAnsiTextFile(ListFile()), Text({kA, kA, kB}));
}

TEST_F(SharedBooksList, OfTwoStartingWithoutAListOnlyTheFirstWritesOne) {
    // The first holds the lock while it makes the list; the second waits for it and
    // then loads that list instead of writing the sample over it.
    std::promise<void> locked;
    std::thread first([&] {
        const platform::ListLock lock(ListFile());
        locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        WriteList({kA, kB});
    });
    locked.get_future().wait();
    ours.SetAppPath(folder.str());
    ours.SetEvents(&owner);
    EXPECT_TRUE(ours.LoadBooks(ListFile().string()));
    first.join();
    EXPECT_EQ(owner.Events("BeforeCommand Save"), Log{}) << "no sample list written";
    EXPECT_EQ(LinesOf(ours), (Log{kA, kB}));
    EXPECT_EQ(FileLines(), (Log{kA, kB}));
}

TEST_F(SharedBooksList, AListThatAnotherProgramLeftUnreadableIsNotWrittenOver) {
    WriteList({kA, kB});
    Open(ours, owner);
    ASSERT_TRUE(ours.AddBook(kC));
    const std::string broken = "\x81\x20 broken\r\n";
    platform::WriteFileAtomically(ListFile(), broken);
    owner.Clear();
    EXPECT_FALSE(ours.SaveBooks());
    EXPECT_EQ(owner.log, (Log{"BeforeCommand Save", "Error 存储账簿列表"}));
    EXPECT_EQ(Bytes(), broken);
    EXPECT_EQ(LinesOf(ours), (Log{kA, kB, kC}));
}

} // namespace
} // namespace kx::catalogue
