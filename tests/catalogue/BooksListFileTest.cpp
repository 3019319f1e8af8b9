#include "catalogue/clsBooksList.h"

#include "LockHolderProcess.h"
#include "RecordingOwner.h"
#include "TempFolder.h"

#include "platform/AnsiTextFile.h"
#include "platform/Gb18030Codec.h"
#include "platform/ListLock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <string>
#include <thread>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace kx::catalogue {
namespace {

namespace fs = std::filesystem;
using Log = std::vector<std::string>;

const std::string kSave = "Error 存储账簿列表", kLoad = "Error 装入账簿列表";
const std::string kLastBook = "Notify 这是最后一套账簿，不能被删除。";
/// The sample file as the Chinese ANSI code page writes it, byte for byte.
const std::string kSampleFileBytes = "\xD1\xF9\xB1\xBE\xD5\xCB\xB2\xBE\t..\\Data\tkxSample.mde\t"
                                     "\xA1\xC1\xA1\xC1\xA1\xC1\xA1\xC1\xD3\xD0\xCF\xDE\xB9\xAB\xCB\xBE\t"
                                     "(\xCE\xB4\xD6\xAA)\t0\t\t";

std::string Gb(const std::string& utf8) {
    return platform::Gb18030Codec().FromUtf8(utf8);
}
/// An Access entry whose database "<name>.mde" would lie in the application's Data folder.
std::string Book(const std::string& name, const std::string& visible = "0",
                 const std::string& company = "某某商贸有限公司") {
    return name + "\t..\\Data\t" + name + ".mde\t" + company + "\t2024年05月\t" + visible + "\t\t";
}
const std::string kA = Book("A"), kB = Book("B"), kC = Book("C"), kHidden = Book("H", "1");

/// A list in a real application folder whose Data folder holds the databases of "A" and "B" only.
class BooksListFile : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(folder.path() / "Data");
        for (const char* name : {"A.mde", "B.mde"})
            std::ofstream(folder.path() / "Data" / name) << "db";
        list.SetAppPath(folder.str());
        list.SetEvents(&owner);
    }
    std::filesystem::path In(const std::string& name) const { return folder.path() / name; }
    void Write(const std::string& name, const std::string& bytes) const { std::ofstream(In(name)) << bytes; }
    std::string Read(const std::string& name) const {
        std::ifstream in(In(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    unsigned ModeOf(const std::string& name) const {
        struct stat st {};
        EXPECT_EQ(::stat(In(name).c_str(), &st), 0);
        return st.st_mode & 07777;
    }
    /// Writes the text to books.lst, loads it and forgets the events.
    void Load(const std::string& text) {
        Write("books.lst", Gb(text));
        ASSERT_TRUE(list.LoadBooks("books.lst"));
        owner.Clear();
    }
    /// The names in the folder other than the lists' lock files, sorted.
    Log NamesBesideLockFiles() const {
        Log names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
            const std::string name = entry.path().filename().string();
            if (!(name.starts_with(".") && name.ends_with(".lock")))
                names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    Log Lines() const {
        Log lines;
        for (std::int16_t i = 0; i <= list.BookCount(); ++i)
            lines.push_back(*list.Line(i));
        return lines;
    }

    kx::test::TempFolder folder;
    clsBooksList list;
    test::RecordingOwner owner;
};

TEST_F(BooksListFile, MissingFileIsCreatedOwnerOnlyWithTheSampleBookAndLoaded) {
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    EXPECT_EQ(list.FileName(), folder.str() + "/books.lst");
    EXPECT_EQ(Read("books.lst"), kSampleFileBytes + "\r\n");
    EXPECT_EQ(ModeOf("books.lst"), 0600u);
    EXPECT_EQ(Lines(), Log{"样本账簿\t..\\Data\tkxSample.mde\t××××有限公司\t(未知)\t0\t\t"});
    EXPECT_EQ(owner.log,
              (Log{"BeforeCommand Load", "BeforeCommand Add", "AfterCommand Add", "BeforeCommand Save",
                   "AfterCommand Save", "BeforeCommand Add", "AfterCommand Add", "AfterCommand Load"}));
    ASSERT_TRUE(list.AddBook(kA)); // a list that has entries writes those
    ASSERT_TRUE(list.CreateInitialList(In("new.lst").string()));
    EXPECT_EQ(Read("new.lst"), kSampleFileBytes + "\r" + Gb(kA) + "\r\n");
}

TEST_F(BooksListFile, RecordsLoadAndSaveBackByteForByteInGb18030) {
    const std::string far = "𠮷野家😀\t..\\Data\tkx𠮷.mde\t😀有限公司\t(未知)\t0\t\t"; // beyond GBK
    ASSERT_NE(Gb(far).find("\x95\x34\xB2\x35"), std::string::npos);
    const std::string a = kA, c = kC, h = kHidden, short1 = "a\t\t\t\t\t";
    // The file's text, the entries it loads to, their hidden count, the text saved back.
    const std::tuple<std::string, Log, int, std::string> cases[] = {
        {a + "\r" + h + "\r" + c + "\r\n", {a, h, c}, 1, a + "\r" + h + "\r" + c + "\r\n"},
        {a + "\r\n" + h + "\r\n" + c, {a, "\n" + h, "\n" + c}, 1, a + "\r\n" + h + "\r\n" + c + "\r\n"},
        // Records of five characters or fewer, spaces aside, are skipped; a short one gets one more tab.
        {"ab\tcd\r  ab\tc   \r账簿\tAB\r\r   \r" + short1 + "\r" + h,
         {short1 + "\t", h},
         1,
         short1 + "\t\r" + h + "\r\n"},
        {"  " + a + "  \r" + far + "\r\n", {"  " + a + "  ", far}, 0, a + "\r" + far + "\r\n"},
        {"", {}, 0, ""}};
    for (const auto& [file, entries, hidden, saved] : cases) { // one list loads them all in turn
        SCOPED_TRACE(::testing::PrintToString(file));
        owner.Clear();
        Write("books.lst", Gb(file));
        ASSERT_TRUE(list.LoadBooks("books.lst"));
        EXPECT_EQ(Lines(), entries);
        EXPECT_EQ(list.HiddenCount(), hidden);
        EXPECT_TRUE(owner.errors.empty());
        EXPECT_EQ(list.SaveBooks(), !entries.empty()); // an empty list is not saved
        EXPECT_EQ(Read("books.lst"), Gb(entries.empty() ? file : saved));
    }
}

TEST_F(BooksListFile, SaveWritesTheTrimmedEntriesToTheNamedFileAndKeepsThemAndAnOldFilesMode) {
    Load(kA + "\r\n");
    std::filesystem::permissions(In("books.lst"), std::filesystem::perms(0644));
    ASSERT_TRUE(list.AddBook("  " + kC + "  "));
    list.SetBookID(1);
    owner.Clear();
    ASSERT_TRUE(list.SaveBooks("copy.lst"));
    EXPECT_EQ(Read("copy.lst"), Gb(kA + "\r" + kC + "\r\n"));
    EXPECT_EQ(ModeOf("copy.lst"), 0600u);
    EXPECT_EQ(Read("books.lst"), Gb(kA + "\r\n"));
    EXPECT_EQ(list.Line(1), "  " + kC + "  ");
    EXPECT_EQ(owner.log, (Log{"BeforeCommand Save", "AfterCommand Save"}));
    ASSERT_TRUE(list.SaveBooks("books.lst"));
    EXPECT_EQ(ModeOf("books.lst"), 0644u);
    list.SetIsDirty(true);                        // a load keeps the current book and the dirty flag
    ASSERT_TRUE(list.LoadBooks("..\\BOOKS.LST")); // found whatever the letter case
    EXPECT_EQ(Lines(), (Log{kA, kC}));
    EXPECT_EQ(list.BookID(), 1);
    EXPECT_TRUE(list.IsDirty());
}

TEST_F(BooksListFile, CancelledCommandsChangeNothing) {
    Load(kA + "\r\n");
    ASSERT_TRUE(list.AddBook(kHidden));
    owner.cancelCommands = {"Load", "Save"};
    owner.Clear();
    EXPECT_FALSE(list.LoadBooks("other.lst"));
    EXPECT_EQ(list.FileName(), folder.str() + "/books.lst");
    EXPECT_FALSE(list.SaveBooks("other.lst")); // takes the name all the same
    EXPECT_EQ(list.FileName(), folder.str() + "/other.lst");
    EXPECT_EQ(Lines(), (Log{kA, kHidden}));
    EXPECT_EQ(list.HiddenCount(), 1);
    EXPECT_EQ(folder.EntryCount(), 2u);
    EXPECT_EQ(owner.log, (Log{"BeforeCommand Load", "BeforeCommand Save"}));
}

TEST_F(BooksListFile, FileThatIsNotGb18030OrUnreadableLeavesListAndFileAsTheyWere) {
    Load(kA + "\r" + kHidden + "\r\n");
    std::filesystem::create_directory(In("dir.lst"));
    const std::string bad = Gb(kC) + "\r" + std::string("\x81\x20\xFF", 3) + "\r\n";
    Write("bad.lst", bad);
    EXPECT_FALSE(list.LoadBooks("bad.lst"));
    EXPECT_FALSE(list.LoadBooks("dir.lst"));
    EXPECT_EQ(owner.log, (Log{"BeforeCommand Load", kLoad, "BeforeCommand Load", kLoad}));
    EXPECT_EQ(owner.errors[0].first, 1001);
    EXPECT_EQ(Lines(), (Log{kA, kHidden}));
    EXPECT_EQ(list.HiddenCount(), 1);
    EXPECT_EQ(Read("bad.lst"), bad);
    EXPECT_TRUE(std::filesystem::is_empty(In("dir.lst")));
}

/// Lowers the largest file this process may write (never raises it), so that a write fails
/// half-way even for root; restores it and the signal on destruction.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        rlimit lowered = old;
        lowered.rlim_cur = std::min(bytes, old.rlim_cur);
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &lowered), 0);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old), std::signal(SIGXFSZ, oldSignal); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    rlimit old = [] {
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        return limit;
    }();
    void (*oldSignal)(int) = std::signal(SIGXFSZ, SIG_IGN);
};

TEST_F(BooksListFile, FailedSaveIsReportedAndLeavesTheFolderAsItWas) {
    Write("books.lst", Gb(kA + "\r\n"));
    list.SetFileName("books.lst");
    EXPECT_FALSE(list.SaveBooks()); // an empty list
    EXPECT_EQ(owner.log, (Log{"BeforeCommand Save", kSave}));
    std::filesystem::create_directory(In("folder.lst"));
    Log many(2000, Book("账簿"));
    // The target, the entries added, the largest file the process may write.
    const std::tuple<std::string, Log, rlim_t> cases[] = {
        {"folder.lst", {kB}, RLIM_INFINITY},
        {"books.lst", {"bad\t\xFF\xFE\tf\tu\tq\t0\t\t"}, RLIM_INFINITY}, // cannot be encoded
        {"books.lst", many, 16 * 1024}};                                 // the write stops half-way
    for (const auto& [target, added, limit] : cases) {
        SCOPED_TRACE(target + " " + std::to_string(added.size()));
        Load(kA + "\r\n");
        for (const std::string& line : added)
            ASSERT_TRUE(list.AddBook(line));
        owner.Clear();
        bool saved = true;
        {
            FileSizeLimit lowered(limit);
            saved = list.SaveBooks((folder.path() / target).string());
        }
        EXPECT_FALSE(saved);
        EXPECT_EQ(owner.log, (Log{"BeforeCommand Save", kSave}));
        EXPECT_NE(owner.errors[0].first, 0);
        if (limit != RLIM_INFINITY) { // the system's reason reaches the user
            EXPECT_NE(owner.errors[0].second.find(std::strerror(EFBIG)), std::string::npos)
                << owner.errors[0].second;
        }
        EXPECT_EQ(Read("books.lst"), Gb(kA + "\r\n"));
        EXPECT_TRUE(std::filesystem::is_empty(In("folder.lst")));
        EXPECT_EQ(NamesBesideLockFiles(), (Log{"Data", "books.lst", "folder.lst"})); // no temporary file left
    }
}

TEST_F(BooksListFile, RemovalAsksUnlessForcedSavesAtOnceAndLowersTheHiddenCount) {
    Load(kA + "\r" + kHidden + "\r" + Book("I", "1") + "\r" + kC + "\r\n");
    EXPECT_TRUE(list.RemoveBook(0));
    EXPECT_EQ(owner.log, (Log{"BeforeRemove 0", "BeforeCommand Save", "AfterCommand Save", "AfterRemove 0"}));
    EXPECT_TRUE(list.IsDirty());
    EXPECT_EQ(list.HiddenCount(), 2);
    owner.Clear();
    EXPECT_TRUE(list.RemoveBook(1, true));
    EXPECT_EQ(owner.log, (Log{"BeforeCommand Save", "AfterCommand Save", "AfterRemove 1"}));
    EXPECT_EQ(list.HiddenCount(), 1);
    EXPECT_EQ(Read("books.lst"), Gb(kHidden + "\r" + kC + "\r\n"));
    std::filesystem::create_directory(In("dir.lst"));
    list.SetFileName("dir.lst");
    list.SetIsDirty(false);
    owner.Clear();
    EXPECT_FALSE(list.RemoveBook(0, true)); // gone even when the save fails
    EXPECT_EQ(owner.log, (Log{"BeforeCommand Save", kSave, "AfterRemove 0"}));
    EXPECT_EQ(list.HiddenCount(), 0);
    EXPECT_TRUE(list.IsDirty());
    owner.Clear(); // the last entry is never removed
    EXPECT_FALSE(list.RemoveBook(0));
    EXPECT_FALSE(list.RemoveBook(0, true));
    EXPECT_EQ(owner.log, (Log{kLastBook, kLastBook}));
    EXPECT_EQ(Lines(), Log{kC});
}

TEST_F(BooksListFile, CancelledOrMisplacedRemovalChangesNothing) {
    Load(kA + "\r" + kB + "\r" + kC + "\r\n");
    list.SetEvents(nullptr); // an owner that does not answer lets it go on
    EXPECT_TRUE(list.RemoveBook(2));
    list.SetEvents(&owner);
    list.SetIsDirty(false);
    owner.allowRemove = [](std::int16_t) { return false; };
    EXPECT_FALSE(list.RemoveBook(1));
    EXPECT_FALSE(list.RemoveBook(2));
    EXPECT_FALSE(list.RemoveBook(-1, true));
    EXPECT_EQ(owner.log, (Log{"BeforeRemove 1", "Error 删除账簿", "Error 删除账簿"}));
    EXPECT_EQ(owner.errors[0].first, 9);
    EXPECT_EQ(Read("books.lst"), Gb(kA + "\r" + kB + "\r\n"));
    EXPECT_FALSE(list.IsDirty());
    owner.allowRemove = [this](std::int16_t) { return list.RemoveBook(1, true); };
    owner.Clear(); // the handler empties the list meanwhile
    EXPECT_FALSE(list.RemoveBook(1));
    EXPECT_EQ(Lines(), Log{kA});
    EXPECT_EQ(owner.Events("Notify "), Log{kLastBook});
}

TEST_F(BooksListFile, CleanRemovesEmptiesEarlierDuplicatesAndMissingFilesAndReports) {
    const std::string sql = "S\tsa:pw@unreachable\tkxAcc000009\t公司\t(未知)\t0\t\t", a = kA, b = kB, c = kC;
    const std::string share = "N\t\\\\gone\\share\tN.mde\t公司\t(未知)\t0\t\t",
                      nameless = "\t..\\Data\tB.mde\t\t\t0\t\t";
    const std::string upper = "A\t..\\DATA\ta.MDE\t公司\t(未知)\t0\t\t", lower = "a" + a.substr(1);
    const std::string both = "Notify 清理重复项1条；\r\n清理无效列表项 1 条。";
    const std::string none = "Notify 清理完成，未找到重复列表项或无效列表项。";
    // The entries, whether the owner lets missing files go, the entries left, the removals asked, the report.
    const std::tuple<Log, bool, Log, Log, std::string> cases[] = {
        {{a, b, a, c}, true, {b, a}, {"BeforeRemove 2"}, both},
        {{a, b, a, c}, false, {b, a, c}, {"BeforeRemove 2"}, "Notify 清理重复项1条；\r\n"},
        {{b, a, b, a, b}, true, {a, b}, {}, "Notify 清理重复项3条；\r\n"},
        {{a, a, b}, true, {a, b}, {}, "Notify 清理重复项1条；\r\n"}, // neighbours are duplicates too
        {{sql, share, a, upper, lower}, true, {sql, share, a, upper, lower}, {}, none},
        {{a, "\n\t..\\Data\t\t公司\t\t0\t\t", nameless}, true, {a, nameless}, {}, none}};
    for (const auto& [lines, allow, remaining, asked, report] : cases) {
        SCOPED_TRACE(::testing::PrintToString(lines));
        std::string text, saved;
        for (const std::string& line : lines)
            text += line + "\r";
        for (const std::string& line : remaining)
            saved += line + (&line == &remaining.back() ? "\r\n" : "\r");
        Load(text);
        owner.allowRemove = [allow = allow](std::int16_t) { return allow; };
        EXPECT_TRUE(list.Clean());
        EXPECT_EQ(Lines(), remaining);
        EXPECT_EQ(owner.Events("BeforeRemove "), asked);
        EXPECT_EQ(owner.Events("Notify "), Log{report});
        EXPECT_EQ(owner.Events("BeforeCommand Save").size(), 1U) << "the removals are saved at once";
        EXPECT_TRUE(owner.errors.empty());
        EXPECT_EQ(Read("books.lst"), Gb(saved));
    }
    Load(c + "\r" + Book("D") + "\r" + Book("E") + "\r");
    EXPECT_TRUE(list.Clean()); // every file missing: the last entry stays
    EXPECT_EQ(Lines(), Log{Book("E")});
    EXPECT_EQ(owner.Events("Notify "), (Log{kLastBook, "Notify 清理无效列表项 2 条。"}));
    Load(a + "\r" + b + "\r" + a + "\r" + c + "\r");
    list.SetFileName("dir.lst");
    std::filesystem::create_directory(In("dir.lst"));
    EXPECT_FALSE(list.Clean()); // goes on when the save fails
    EXPECT_EQ(Lines(), (Log{b, a}));
    EXPECT_EQ(owner.Events("Error "), Log(1, kSave)); // one save, at the end
    EXPECT_EQ(owner.Events("Notify "), Log{both});
}

// ---- one list file shared by several lists and programs: what a save keeps of
// the others' changes, what waits for the lock, and what is refused.

using Change = std::function<void(clsBooksList&)>;

const std::string kBusy = "账簿列表正被其他程序修改，请稍后再试：";
const std::string kReadOnly = "账簿列表文件是只读的，不能改写：";

const std::string kD = Book("D"), kE = Book("E");

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

/// A short wait for the list's lock while it lives.
struct ShortLockWait {
    ShortLockWait() { ::setenv("KX_LIST_LOCK_TIMEOUT_MS", "100", 1); }
    ~ShortLockWait() { ::unsetenv("KX_LIST_LOCK_TIMEOUT_MS"); }
};

/// Lists of one application folder sharing one list file, "ours" among them.
class SharedBooksList : public BooksListFile {
  protected:
    fs::path ListFile() const { return In("books.lst"); }
    static std::string Text(const Log& lines) {
        std::string text;
        for (const std::string& line : lines)
            text += (text.empty() ? "" : "\r") + line;
        return text + "\r\n";
    }
    void WriteList(const Log& lines) const { platform::WriteAnsiTextFile(ListFile(), Text(lines)); }
    std::string Bytes() const { return Read("books.lst"); }
    /// The records of the list file, which must end as a save ends it.
    Log FileLines() const {
        const std::string text = platform::ReadAnsiTextFile(ListFile());
        EXPECT_TRUE(text.ends_with("\r\n")) << text;
        Log lines(1);
        for (const char c : text.substr(0, text.size() - 2))
            c == '\r' ? lines.emplace_back() : lines.back() += c;
        return lines;
    }
    /// Loads the list file into `list`, which reports to `events`.
    void Open(clsBooksList& into, BooksListEvents& events) const {
        into.SetAppPath(folder.str());
        into.SetEvents(&events);
        ASSERT_TRUE(into.LoadBooks(ListFile().string()));
    }

    clsBooksList& ours = list;
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
         {kA, Book("B", "0", theirCompany)},
         0},
        {"we change what they removed", {kA, kB, kC}, Remove(1), SetCompany(1, mineCompany), {kA, kC}, 0},
        {"both change one line: theirs stays",
         {kA, kB, kC},
         Steps({SetCompany(1, theirCompany), Save()}),
         SetCompany(1, mineCompany),
         {kA, Book("B", "0", theirCompany), kC},
         0},
        {"both remove one line", {kA, kB, kC}, Remove(1), Remove(1), {kA, kC}, 0},
        {"we change, add and remove in one save",
         {kA, kB, kC},
         Steps({Add(kD), Save()}),
         Steps({SetCompany(2, mineCompany), Add(kE), Remove(0)}),
         {kB, Book("C", "0", mineCompany), kD, kE},
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
        EXPECT_EQ(Lines(), c.expected) << "the list holds what it wrote";
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
    EXPECT_EQ(Lines(), (Log{kA, kB}));
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
    const ShortLockWait shortWait;
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
        EXPECT_EQ(Lines(), c.left);
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
    EXPECT_EQ(Lines(), (Log{kA, kB}));
}

TEST_F(SharedBooksList, AReadOnlyListIsNeverReplacedEvenByRoot) {
    // The file's mode, and whether saving over it is refused. Mode 0466 has write
    // bits only for others than the owner: only root may write it.
    const bool root = ::geteuid() == 0;
    const std::tuple<mode_t, bool, std::string> modes[] = {
        {0444, true, ""},
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
            EXPECT_EQ(ModeOf("books.lst"), mode);
            fs::permissions(ListFile(), fs::perms(0600));
        }
    }
}

TEST_F(SharedBooksList, OfTwoStartingWithoutAListOnlyTheFirstWritesOne) {
    // The second waits for the first's lock and loads its list instead of writing the sample.
    std::promise<void> locked;
    std::thread first([&] {
        const platform::ListLock lock(ListFile());
        locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        WriteList({kA, kB});
    });
    locked.get_future().wait();
    Open(ours, owner);
    first.join();
    EXPECT_EQ(owner.Events("BeforeCommand Save"), Log{}) << "no sample list written";
    EXPECT_EQ(Lines(), (Log{kA, kB}));
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
    EXPECT_EQ(Lines(), (Log{kA, kB, kC}));
}

} // namespace
} // namespace kx::catalogue
