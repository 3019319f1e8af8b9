#include "catalogue/clsBooksList.h"

#include "Escaped.h"
#include "RecordingOwner.h"
#include "TempFolder.h"

#include "platform/DiskPath.h"
#include "platform/Gb18030Codec.h"

#include <gtest/gtest.h>

#include <ostream>

#include <csignal>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace kx::catalogue {
namespace {

using test::RecordingOwner;

const std::string kTitleLoad = "装入账簿列表";
const std::string kTitleSave = "存储账簿列表";

/// The sample file as the Chinese ANSI code page writes it, byte for byte.
const std::string kSampleFileBytes = "\xD1\xF9\xB1\xBE\xD5\xCB\xB2\xBE\t..\\Data\tkxSample.mde\t"
                                     "\xA1\xC1\xA1\xC1\xA1\xC1\xA1\xC1\xD3\xD0\xCF\xDE\xB9\xAB\xCB\xBE\t"
                                     "(\xCE\xB4\xD6\xAA)\t0\t\t\r\n";

std::string Gb(const std::string& utf8) {
    return platform::Gb18030Codec().FromUtf8(utf8);
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good());
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

unsigned ModeOf(const std::filesystem::path& file) {
    struct stat st {};
    EXPECT_EQ(::stat(file.c_str(), &st), 0);
    return st.st_mode & 07777;
}

std::string Record(const std::string& name, const std::string& visible = "0") {
    return name + "\t..\\Data\t" + name + ".mde\t某某商贸有限公司\t2024年05月\t" + visible + "\t\t";
}

class BooksListFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        list.SetAppPath(folder.str());
        list.SetEvents(&owner);
    }
    std::filesystem::path FileIn(const std::string& name) const { return folder.path() / name; }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (std::int16_t i = 0; i <= list.BookCount(); ++i)
            lines.push_back(*list.Line(i));
        return lines;
    }

    kx::test::TempFolder folder;
    clsBooksList list;
    RecordingOwner owner;
};

// ---- a missing file ---------------------------------------------------------------

TEST_F(BooksListFileTest, MissingFileIsCreatedWithTheSampleBookAndLoaded) {
    ASSERT_TRUE(list.LoadBooks("books.lst"));

    EXPECT_EQ(list.FileName(), folder.str() + "/books.lst");
    EXPECT_EQ(ReadBytes(FileIn("books.lst")), kSampleFileBytes);
    EXPECT_EQ(ModeOf(FileIn("books.lst")), 0600u);
    EXPECT_EQ(list.BookCount(), 0);
    EXPECT_EQ(list.BookName(0), "样本账簿");
    EXPECT_EQ(list.BookVisible(0), "0");
    EXPECT_EQ(list.HiddenCount(), 0);
    EXPECT_TRUE(owner.errors.empty());
    EXPECT_EQ(owner.log,
              (std::vector<std::string>{"BeforeCommand Load", "BeforeCommand Add", "AfterCommand Add",
                                        "BeforeCommand Save", "AfterCommand Save", "BeforeCommand Add",
                                        "AfterCommand Add", "AfterCommand Load"}));
}

TEST_F(BooksListFileTest, SampleBookLocatesTheSampleDatabaseInTheDataFolder) {
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    std::filesystem::create_directory(FileIn("DATA"));
    WriteBytes(FileIn("DATA") / "kxSample.mde", "db");
    EXPECT_TRUE(platform::FileExists(list.BookPathFile(0), list.AppPath()));
}

TEST_F(BooksListFileTest, InitialListOfAListWithEntriesWritesThoseEntries) {
    ASSERT_TRUE(list.AddBook(Record("甲")));
    ASSERT_TRUE(list.CreateInitialList(FileIn("new.lst").string()));
    EXPECT_EQ(ReadBytes(FileIn("new.lst")), Gb(Record("甲") + "\r\n"));
    EXPECT_EQ(list.BookCount(), 0);
}

TEST_F(BooksListFileTest, InitialListOfAnEmptyListAddsTheSampleBook) {
    ASSERT_TRUE(list.CreateInitialList("new.lst"));
    EXPECT_EQ(ReadBytes(FileIn("new.lst")), kSampleFileBytes);
    EXPECT_EQ(list.BookCount(), 0);
    EXPECT_EQ(list.FileName(), folder.str() + "/new.lst");
}

// ---- round trips -------------------------------------------------------------------

struct RoundTripCase {
    const char* name;
    std::string file;                 // UTF-8 text of the file
    std::vector<std::string> entries; // the lines after loading
    int hiddenCount;
    std::string saved; // UTF-8 text after saving again
    friend void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }
};

class BooksListRoundTrip : public BooksListFileTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(BooksListRoundTrip, LoadsTheRecordsAndSavesThemBack) {
    const RoundTripCase& c = GetParam();
    WriteBytes(FileIn("books.lst"), Gb(c.file));

    ASSERT_TRUE(list.LoadBooks("books.lst"));
    EXPECT_EQ(Lines(), c.entries);
    EXPECT_EQ(list.HiddenCount(), c.hiddenCount);
    EXPECT_TRUE(owner.errors.empty()) << owner.errors[0].message;

    if (c.entries.empty()) {
        EXPECT_FALSE(list.SaveBooks());
        EXPECT_EQ(ReadBytes(FileIn("books.lst")), Gb(c.file));
        return;
    }
    ASSERT_TRUE(list.SaveBooks());
    EXPECT_EQ(ReadBytes(FileIn("books.lst")), Gb(c.saved));
}

const std::string kA = Record("账簿A");
const std::string kB = Record("账簿B", "1");
const std::string kC = Record("账簿C");

INSTANTIATE_TEST_SUITE_P(
    Files, BooksListRoundTrip,
    ::testing::Values(
        RoundTripCase{"CarriageReturnsAlone",
                      kA + "\r" + kB + "\r" + kC + "\r\n",
                      {kA, kB, kC},
                      1,
                      kA + "\r" + kB + "\r" + kC + "\r\n"},
        RoundTripCase{"CarriageReturnLineFeedPairsAreKept",
                      kA + "\r\n" + kB + "\r\n" + kC + "\r\n",
                      {kA, "\n" + kB, "\n" + kC},
                      1,
                      kA + "\r\n" + kB + "\r\n" + kC + "\r\n"},
        RoundTripCase{"FirstLineEmpty", "\r" + kA + "\r" + kC + "\r\n", {kA, kC}, 0, kA + "\r" + kC + "\r\n"},
        RoundTripCase{"NoFinalSeparator", kA + "\r" + kC, {kA, kC}, 0, kA + "\r" + kC + "\r\n"},
        RoundTripCase{"RecordsOfFiveCharactersOrFewerAreSkipped",
                      "ab\tcd\r" + kA + "\r  ab\tc   \r账簿\tAB\r\r   \r" + kC + "\r\n",
                      {kA, kC},
                      0,
                      kA + "\r" + kC + "\r\n"},
        RoundTripCase{"RecordOfSixCharactersIsCompletedAndKept",
                      "a\t\t\t\t\t\r" + kA + "\r\n",
                      {"a\t\t\t\t\t\t", kA},
                      0,
                      "a\t\t\t\t\t\t\r" + kA + "\r\n"},
        RoundTripCase{"HiddenRecordsStayAndAreCounted",
                      kB + "\r" + kA + "\r" + Record("账簿D", "1") + "\r\n",
                      {kB, kA, Record("账簿D", "1")},
                      2,
                      kB + "\r" + kA + "\r" + Record("账簿D", "1") + "\r\n"},
        RoundTripCase{"SpacesAroundARecordAreDroppedOnSave",
                      "  " + kA + "  \r" + kC + "\r\n",
                      {"  " + kA + "  ", kC},
                      0,
                      kA + "\r" + kC + "\r\n"},
        RoundTripCase{"SqlServerBook",
                      Record("账簿A") + "\r" + "账簿S\tsa:pw@srv\tkxAcc000002\t公司\t(未知)\t0\t\t\r\n",
                      {kA, "账簿S\tsa:pw@srv\tkxAcc000002\t公司\t(未知)\t0\t\t"},
                      0,
                      kA + "\r" + "账簿S\tsa:pw@srv\tkxAcc000002\t公司\t(未知)\t0\t\t\r\n"},
        RoundTripCase{"EmptyFile", "", {}, 0, ""}),
    [](const ::testing::TestParamInfo<RoundTripCase>& c) { return std::string(c.param.name); });

TEST_F(BooksListFileTest, RecordWithoutVisibilityFieldIsKeptAndItsUnreadableFieldReported) {
    WriteBytes(FileIn("books.lst"), Gb("账簿甲\t..\\Data\tA.mde\r" + kA + "\r\n"));
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"账簿甲\t..\\Data\tA.mde\t", kA}));
    // Counting hidden books reads the missing sixth field through its getter.
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{"读取账簿属性"});
    EXPECT_EQ(list.HiddenCount(), 0);
}

TEST_F(BooksListFileTest, CharactersOutsideGbkSurviveByteForByte) {
    const std::string text = "𠮷野家😀\t..\\Data\tkx𠮷.mde\t😀有限公司\t(未知)\t0\t\t\r" + kA + "\r\n";
    const std::string bytes = Gb(text);
    ASSERT_NE(bytes.find("\x95\x34\xB2\x35"), std::string::npos);
    WriteBytes(FileIn("books.lst"), bytes);

    ASSERT_TRUE(list.LoadBooks("books.lst"));
    EXPECT_EQ(list.BookName(0), "𠮷野家😀");
    EXPECT_EQ(list.UserName(0), "😀有限公司");
    ASSERT_TRUE(list.SaveBooks());
    EXPECT_EQ(ReadBytes(FileIn("books.lst")), bytes);
}

TEST_F(BooksListFileTest, LoadingTwiceGivesEachRecordOnce) {
    WriteBytes(FileIn("books.lst"), Gb(kA + "\r" + kB + "\r" + kC + "\r\n"));
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    ASSERT_TRUE(list.LoadBooks());
    EXPECT_EQ(Lines(), (std::vector<std::string>{kA, kB, kC}));
    EXPECT_EQ(list.HiddenCount(), 1);
}

TEST_F(BooksListFileTest, LoadKeepsCurrentBookAndDirtyFlag) {
    WriteBytes(FileIn("books.lst"), Gb(kA + "\r" + kB + "\r" + kC + "\r\n"));
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    list.SetBookID(2);
    list.SetIsDirty(true);
    ASSERT_TRUE(list.LoadBooks());
    EXPECT_EQ(list.BookID(), 2);
    EXPECT_TRUE(list.IsDirty());
}

TEST_F(BooksListFileTest, ListFileIsFoundWhateverTheLetterCase) {
    WriteBytes(FileIn("Books.LST"), Gb(kA + "\r\n"));
    ASSERT_TRUE(list.LoadBooks("..\\books.lst"));
    EXPECT_EQ(Lines(), std::vector<std::string>{kA});
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST_F(BooksListFileTest, AddCancelledDuringLoadSkipsThatRecord) {
    WriteBytes(FileIn("books.lst"), Gb(kA + "\r" + kC + "\r\n"));
    owner.cancelCommands = {"Add"};
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    EXPECT_EQ(list.BookCount(), -1);
}

// ---- cancelled commands --------------------------------------------------------------

TEST_F(BooksListFileTest, CancelledLoadChangesNothing) {
    WriteBytes(FileIn("books.lst"), Gb(kA + "\r\n"));
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    ASSERT_TRUE(list.AddBook(kB));
    owner.cancelCommands = {"Load"};
    owner.Clear();

    EXPECT_FALSE(list.LoadBooks("other.lst"));
    EXPECT_EQ(list.FileName(), folder.str() + "/books.lst");
    EXPECT_EQ(Lines(), (std::vector<std::string>{kA, kB}));
    EXPECT_EQ(list.HiddenCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(FileIn("other.lst")));
    EXPECT_EQ(owner.log, std::vector<std::string>{"BeforeCommand Load"});
}

TEST_F(BooksListFileTest, CancelledSaveKeepsTheFileButTakesTheName) {
    WriteBytes(FileIn("books.lst"), Gb(kA + "\r\n"));
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    ASSERT_TRUE(list.AddBook(kB));
    owner.cancelCommands = {"Save"};
    owner.Clear();

    EXPECT_FALSE(list.SaveBooks("other.lst"));
    EXPECT_EQ(list.FileName(), folder.str() + "/other.lst");
    EXPECT_FALSE(std::filesystem::exists(FileIn("other.lst")));
    EXPECT_TRUE(owner.errors.empty());
}

// ---- failures -------------------------------------------------------------------------

TEST_F(BooksListFileTest, SavingAnEmptyListFailsAndLeavesTheFile) {
    WriteBytes(FileIn("books.lst"), Gb(kA + "\r\n"));
    list.SetFileName("books.lst");
    EXPECT_FALSE(list.SaveBooks());
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{kTitleSave});
    EXPECT_EQ(ReadBytes(FileIn("books.lst")), Gb(kA + "\r\n"));
}

TEST_F(BooksListFileTest, FileThatIsNotGb18030LeavesListAndFileAsTheyWere) {
    WriteBytes(FileIn("books.lst"), Gb(kA + "\r" + kB + "\r\n"));
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    const std::string bad = Gb(kC) + "\r" + std::string("\x81\x20\xFF", 3) + "\r\n";
    WriteBytes(FileIn("bad.lst"), bad);
    owner.Clear();

    EXPECT_FALSE(list.LoadBooks("bad.lst"));

    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{kTitleLoad});
    EXPECT_EQ(owner.errors[0].number, 1001);
    EXPECT_EQ(Lines(), (std::vector<std::string>{kA, kB}));
    EXPECT_EQ(list.HiddenCount(), 1);
    EXPECT_EQ(ReadBytes(FileIn("bad.lst")), bad);
    EXPECT_EQ(folder.EntryCount(), 2u);
}

TEST_F(BooksListFileTest, TruncatedCharacterAtTheEndIsNotGb18030) {
    WriteBytes(FileIn("bad.lst"), Gb(kA) + "\r\xD1");
    EXPECT_FALSE(list.LoadBooks("bad.lst"));
    EXPECT_EQ(list.BookCount(), -1);
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{kTitleLoad});
}

TEST_F(BooksListFileTest, UnreadableListFileLeavesTheEntries) {
    std::filesystem::create_directory(FileIn("books.lst"));
    ASSERT_TRUE(list.AddBook(kA));
    owner.Clear();
    EXPECT_FALSE(list.LoadBooks("books.lst"));
    EXPECT_EQ(owner.ErrorTitles(), (std::vector<std::string>{kTitleSave, kTitleLoad}));
    EXPECT_EQ(Lines(), std::vector<std::string>{kA});
    EXPECT_TRUE(std::filesystem::is_empty(FileIn("books.lst")));
}

struct SaveFailureCase {
    const char* name;
    std::string fileName; // inside the test folder
    friend void PrintTo(const SaveFailureCase& c, std::ostream* os) { *os << c.name; }
};

class BooksListSaveFailure : public BooksListFileTest,
                             public ::testing::WithParamInterface<SaveFailureCase> {};

TEST_P(BooksListSaveFailure, ReportsAndLeavesTheFolderAsItWas) {
    WriteBytes(FileIn("books.lst"), Gb(kA + "\r\n"));
    std::filesystem::create_directory(FileIn("folder.lst"));
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    ASSERT_TRUE(list.AddBook(kB));
    owner.Clear();

    EXPECT_FALSE(list.SaveBooks((folder.path() / GetParam().fileName).string()));

    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{kTitleSave});
    EXPECT_NE(owner.errors[0].number, 0);
    EXPECT_EQ(ReadBytes(FileIn("books.lst")), Gb(kA + "\r\n"));
    EXPECT_TRUE(std::filesystem::is_empty(FileIn("folder.lst")));
    EXPECT_EQ(folder.EntryCount(), 2u);
    EXPECT_EQ(owner.log, (std::vector<std::string>{"BeforeCommand Save", "Error " + kTitleSave}));
}

INSTANTIATE_TEST_SUITE_P(Cases, BooksListSaveFailure,
                         ::testing::Values(SaveFailureCase{"TargetIsAFolder", "folder.lst"},
                                           SaveFailureCase{"FolderDoesNotExist", "missing/books.lst"},
                                           SaveFailureCase{"NameTooLong", std::string(300, 'x') + ".lst"},
                                           SaveFailureCase{"FolderIsAFile", "books.lst/books.lst"}),
                         [](const ::testing::TestParamInfo<SaveFailureCase>& c) {
                             return std::string(c.param.name);
                         });

TEST_F(BooksListFileTest, EntryThatCannotBeEncodedFailsTheSaveBeforeTheFileIsTouched) {
    WriteBytes(FileIn("books.lst"), Gb(kA + "\r\n"));
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    ASSERT_TRUE(list.AddBook("bad\t\xFF\xFE\tf\tu\tq\t0\t\t"));
    owner.Clear();
    EXPECT_FALSE(list.SaveBooks());
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{kTitleSave});
    EXPECT_EQ(ReadBytes(FileIn("books.lst")), Gb(kA + "\r\n"));
    EXPECT_EQ(folder.EntryCount(), 1u);
}

/// Lowers the largest file this process may write, so that a write fails half-way
/// even for root; restores it and the signal on destruction.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = old_;
        lowered.rlim_cur = bytes;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok() const { return ok_; }

  private:
    rlimit old_{};
    void (*oldSignal_)(int) = SIG_DFL;
    bool ok_ = false;
};

TEST_F(BooksListFileTest, WriteThatStopsHalfWayLeavesTheOldFileByteForByte) {
    const std::string old = Gb(kA + "\r" + kB + "\r\n");
    WriteBytes(FileIn("books.lst"), old);
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    for (int i = 0; i < 2000; ++i)
        ASSERT_TRUE(list.AddBook(Record("账簿" + std::to_string(i))));
    owner.Clear();

    bool saved = true;
    {
        FileSizeLimit limit(16 * 1024);
        ASSERT_TRUE(limit.ok());
        saved = list.SaveBooks();
    }

    EXPECT_FALSE(saved);
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{kTitleSave});
    EXPECT_EQ(ReadBytes(FileIn("books.lst")), old);
    EXPECT_EQ(folder.EntryCount(), 1u);
    EXPECT_EQ(list.BookCount(), 2001);
}

// ---- what a save writes -----------------------------------------------------------------

TEST_F(BooksListFileTest, RewrittenFileKeepsItsMode) {
    WriteBytes(FileIn("books.lst"), Gb(kA + "\r\n"));
    std::filesystem::permissions(FileIn("books.lst"), std::filesystem::perms(0644));
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    ASSERT_TRUE(list.AddBook(kB));
    ASSERT_TRUE(list.SaveBooks());
    EXPECT_EQ(ModeOf(FileIn("books.lst")), 0644u);
    EXPECT_EQ(ReadBytes(FileIn("books.lst")), Gb(kA + "\r" + kB + "\r\n"));
}

TEST_F(BooksListFileTest, NewFileIsReadableByItsOwnerOnly) {
    ASSERT_TRUE(list.AddBook(kA));
    ASSERT_TRUE(list.SaveBooks("new.lst"));
    EXPECT_EQ(ModeOf(FileIn("new.lst")), 0600u);
}

TEST_F(BooksListFileTest, SaveWritesToTheNamedFileAndKeepsTheEntries) {
    WriteBytes(FileIn("books.lst"), Gb(kA + "\r\n"));
    ASSERT_TRUE(list.LoadBooks("books.lst"));
    ASSERT_TRUE(list.AddBook("  " + kC + "  "));
    owner.Clear();
    ASSERT_TRUE(list.SaveBooks("copy.lst"));
    EXPECT_EQ(ReadBytes(FileIn("copy.lst")), Gb(kA + "\r" + kC + "\r\n"));
    EXPECT_EQ(ReadBytes(FileIn("books.lst")), Gb(kA + "\r\n"));
    EXPECT_EQ(list.Line(1), "  " + kC + "  ");
    EXPECT_FALSE(list.IsDirty());
    EXPECT_EQ(owner.log, (std::vector<std::string>{"BeforeCommand Save", "AfterCommand Save"}));
}

} // namespace
} // namespace kx::catalogue
