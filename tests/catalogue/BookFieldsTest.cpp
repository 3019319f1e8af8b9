#include "catalogue/clsBooksList.h"

#include "Escaped.h"
#include "RecordingOwner.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

namespace kx::catalogue {
namespace {

using test::RecordingOwner;

const std::string kTitleRead = "读取账簿属性";
const std::string kTitleSet = "设置账簿属性";

/// A list of three shown Access books, "A", "B" and "C", with a recording owner.
class ThreeBooks : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"A", "B", "C"})
            ASSERT_TRUE(
                list.AddBook(std::string(name) + "\t..\\Data\t" + name + ".mde\t公司\t(未知)\t0\t\t"));
        list.SetEvents(&owner);
    }

    clsBooksList list;
    RecordingOwner owner;
};

// ---- the empty list -------------------------------------------------------------

TEST(EmptyBooksList, HasNoEntriesAndReportsEveryRead) {
    clsBooksList list;
    RecordingOwner owner;
    list.SetEvents(&owner);

    EXPECT_EQ(list.BookCount(), -1);
    EXPECT_EQ(list.BookName(), "");
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{kTitleRead});
    EXPECT_EQ(owner.errors[0].number, 9);

    list.SetBookID(0);
    EXPECT_EQ(list.BookID(), -1);

    owner.Clear();
    EXPECT_EQ(list.Line(0), std::nullopt);
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{"读取账簿信息行"});
}

TEST(EmptyBooksList, RunsWithoutAListener) {
    clsBooksList list;
    EXPECT_EQ(list.BookName(5), "");
    list.SetBookName(5, "x");
    EXPECT_FALSE(list.SaveBooks("/nonexistent-folder/list.txt"));
    EXPECT_EQ(list.BookCount(), -1);
}

// ---- index resolution -------------------------------------------------------------

struct ResolutionCase {
    std::int16_t bookId;
    std::int16_t index;
    const char* expectedName;
    friend void PrintTo(const ResolutionCase& c, std::ostream* os) {
        *os << "BookID " << c.bookId << ", Index " << c.index;
    }
};

class IndexResolution : public ThreeBooks, public ::testing::WithParamInterface<ResolutionCase> {};

TEST_P(IndexResolution, OutOfRangeIndexMeansTheCurrentBook) {
    const ResolutionCase& c = GetParam();
    list.SetBookID(c.bookId);
    EXPECT_EQ(list.GetProperty(c.index, 0), c.expectedName);
    EXPECT_TRUE(owner.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, IndexResolution,
                         ::testing::Values(ResolutionCase{0, 99, "A"}, ResolutionCase{0, -1, "A"},
                                           ResolutionCase{1, 99, "B"}, ResolutionCase{1, -1, "B"},
                                           ResolutionCase{1, 3, "B"}, ResolutionCase{2, -5, "C"},
                                           ResolutionCase{0, 2, "C"}, ResolutionCase{2, 0, "A"}));

TEST_F(ThreeBooks, CurrentBookPastTheEndIsReportedAsAMissingEntry) {
    list.SetBookID(2);
    list.RemoveBook(2, true);
    ASSERT_EQ(list.BookCount(), 1);
    owner.Clear();
    EXPECT_EQ(list.BookID(), 2);
    EXPECT_EQ(list.BookName(), "");
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{kTitleRead});
    EXPECT_EQ(list.BookName(1), "B");
}

struct BookIdCase {
    std::int16_t before;
    std::int16_t value;
    std::int16_t stored;
    friend void PrintTo(const BookIdCase& c, std::ostream* os) { *os << c.before << " then " << c.value; }
};

class BookIdSetter : public ThreeBooks, public ::testing::WithParamInterface<BookIdCase> {};

TEST_P(BookIdSetter, IgnoresNegativeValuesAndCapsAtTheLastEntry) {
    list.SetBookID(GetParam().before);
    list.SetBookID(GetParam().value);
    EXPECT_EQ(list.BookID(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, BookIdSetter,
                         ::testing::Values(BookIdCase{1, -1, 1}, BookIdCase{0, 2, 2}, BookIdCase{0, 3, 2},
                                           BookIdCase{0, 32767, 2}, BookIdCase{2, 0, 0}));

// ---- reading and writing pieces ---------------------------------------------------

TEST_F(ThreeBooks, SettingTheGuidOfAnEightPieceLineKeepsTheOtherFields) {
    list.SetProperty(1, 7, "{GUID}");
    EXPECT_EQ(list.Line(1), "B\t..\\Data\tB.mde\t公司\t(未知)\t0\t\t{GUID}");
    EXPECT_EQ(list.BookGuid(1), "{GUID}");
    EXPECT_TRUE(list.IsDirty());
    EXPECT_EQ(owner.log, std::vector<std::string>{"DataChanged 1 bookguid"});
}

TEST_F(ThreeBooks, ReadingAMissingPieceReportsAndGivesEmpty) {
    ASSERT_TRUE(list.AddBook("D\tp\tf\tu\tq\t0\t7"));
    ASSERT_EQ(list.Line(3), "D\tp\tf\tu\tq\t0\t7\t");
    ASSERT_TRUE(list.AddBook(std::string("E\tp\tf\tu\tq\t0")));
    owner.Clear();

    EXPECT_EQ(list.GetProperty(4, 7), "");
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{kTitleRead});
    EXPECT_EQ(owner.errors[0].number, 9);
    EXPECT_EQ(list.GetProperty(4, 6), "");
    EXPECT_EQ(owner.errors.size(), 1u);
}

TEST_F(ThreeBooks, WritingAMissingPieceChangesNothing) {
    ASSERT_TRUE(list.AddBook("D\tp\tf\tu\tq\t0"));
    owner.Clear();
    const auto before = list.Line(3);

    list.SetProperty(3, 7, "x");
    list.SetProperty(3, -1, "x");

    EXPECT_EQ(list.Line(3), before);
    EXPECT_FALSE(list.IsDirty());
    EXPECT_EQ(owner.log, (std::vector<std::string>{"Error " + kTitleSet, "Error " + kTitleSet}));
}

TEST_F(ThreeBooks, WritingATabOrCarriageReturnIsRefused) {
    const auto before = list.Line(0);
    list.SetBookName(0, "x\ty");
    list.SetUserName(0, "x\ry");
    EXPECT_EQ(list.Line(0), before);
    EXPECT_FALSE(list.IsDirty());
    EXPECT_EQ(owner.ErrorTitles(), (std::vector<std::string>{kTitleSet, kTitleSet}));
}

TEST_F(ThreeBooks, ALineOfMoreThanEightPiecesIsCutWhenWritten) {
    ASSERT_TRUE(list.AddBook("D\tp\tf\tu\tq\t0\tn\tg\textra\tmore"));
    owner.Clear();
    EXPECT_EQ(list.GetProperty(3, 8), "extra");

    list.SetProperty(3, 8, "changed");
    EXPECT_EQ(list.Line(3), "D\tp\tf\tu\tq\t0\tn\tg\t");
    EXPECT_EQ(owner.log, std::vector<std::string>{"DataChanged 3 "});
}

TEST_F(ThreeBooks, ALineWrittenBackUnchangedKeepsItsText) {
    list.SetPeriod(0, list.Period(0));
    EXPECT_EQ(list.Line(0), "A\t..\\Data\tA.mde\t公司\t(未知)\t0\t\t");
}

// ---- the field properties ----------------------------------------------------------

struct SetterCase {
    const char* name;
    void (clsBooksList::*setter)(std::int16_t, const std::string&);
    std::string (clsBooksList::*getter)(std::int16_t) const;
    int piece;
    const char* key;
    friend void PrintTo(const SetterCase& c, std::ostream* os) { *os << c.name; }
};

class FieldSetter : public ThreeBooks, public ::testing::WithParamInterface<SetterCase> {};

TEST_P(FieldSetter, WritesItsPieceAndReportsItsKey) {
    const SetterCase& c = GetParam();
    const auto first = list.Line(0);
    const auto second = list.Line(1);
    (list.*c.setter)(2, "新值");
    EXPECT_EQ(list.GetProperty(2, static_cast<std::int16_t>(c.piece)), "新值");
    EXPECT_EQ((list.*c.getter)(2), "新值");
    EXPECT_EQ(owner.log, std::vector<std::string>{std::string("DataChanged 2 ") + c.key});
    EXPECT_TRUE(list.IsDirty());
    EXPECT_EQ(list.Line(0), first);
    EXPECT_EQ(list.Line(1), second);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldSetter,
    ::testing::Values(
        SetterCase{"BookName", &clsBooksList::SetBookName, &clsBooksList::BookName, 0, "bookname"},
        SetterCase{"BookPath", &clsBooksList::SetBookPath, &clsBooksList::BookPath, 1, "bookpath"},
        SetterCase{"BookFile", &clsBooksList::SetBookFile, &clsBooksList::BookFile, 2, "bookfile"},
        SetterCase{"UserName", &clsBooksList::SetUserName, &clsBooksList::UserName, 3, "username"},
        SetterCase{"Period", &clsBooksList::SetPeriod, &clsBooksList::Period, 4, "period"},
        SetterCase{"BookNo", &clsBooksList::SetBookNo, &clsBooksList::BookNo, 6, "bookno"},
        SetterCase{"BookGuid", &clsBooksList::SetBookGuid, &clsBooksList::BookGuid, 7, "bookguid"}),
    [](const ::testing::TestParamInfo<SetterCase>& c) { return std::string(c.param.name); });

TEST_F(ThreeBooks, SettersWithoutIndexChangeTheCurrentBook) {
    list.SetBookID(1);
    list.SetBookFile("b2.mde");
    EXPECT_EQ(list.BookFile(1), "b2.mde");
    EXPECT_EQ(list.BookFile(), "b2.mde");
    EXPECT_EQ(owner.log, std::vector<std::string>{"DataChanged 1 bookfile"});
}

TEST_F(ThreeBooks, ANameOfOneLineFeedReadsAsEmpty) {
    ASSERT_TRUE(list.AddBook("\n\tp\tf\tu\tq\t0\t\t"));
    EXPECT_EQ(list.BookName(3), "");
    EXPECT_EQ(list.GetProperty(3, 0), "\n");
    ASSERT_TRUE(list.AddBook("\nD\tp\tf\tu\tq\t0\t\t"));
    EXPECT_EQ(list.BookName(4), "\nD");
}

TEST_F(ThreeBooks, AnEmptyBookPathReadsAsTheDataFolder) {
    list.SetBookPath(1, "");
    EXPECT_EQ(list.GetProperty(1, 1), "");
    EXPECT_EQ(list.BookPath(1), "/data");
    list.SetAppPath("/srv/acc");
    EXPECT_EQ(list.BookPath(1), "/srv/acc/data");
}

struct BookPathCase {
    const char* appPath;
    const char* value;
    const char* stored;
    friend void PrintTo(const BookPathCase& c, std::ostream* os) {
        *os << "AppPath " << test::Escaped(c.appPath) << ", " << test::Escaped(c.value);
    }
};

class BookPathSetter : public ThreeBooks, public ::testing::WithParamInterface<BookPathCase> {};

TEST_P(BookPathSetter, StoresTheApplicationFolderAsDotDot) {
    list.SetAppPath(GetParam().appPath);
    list.SetBookPath(0, GetParam().value);
    EXPECT_EQ(list.GetProperty(0, 1), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, BookPathSetter,
                         ::testing::Values(BookPathCase{"C:\\Acc", "C:\\Acc\\Data", "..\\Data"},
                                           BookPathCase{"c:\\acc", "C:\\Acc\\Data", "C:\\Acc\\Data"},
                                           BookPathCase{"/srv/acc", "/srv/acc/Data", "../Data"},
                                           BookPathCase{"", "C:\\Acc\\Data", "C:\\Acc\\Data"},
                                           BookPathCase{"/a", "/a/x/a/y", "../x../y"}));

struct VisibilityCase {
    const char* value;
    const char* result;
    friend void PrintTo(const VisibilityCase& c, std::ostream* os) { *os << test::Escaped(c.value); }
};

class VisibilityGetter : public ThreeBooks, public ::testing::WithParamInterface<VisibilityCase> {};

TEST_P(VisibilityGetter, ReadsShownOnlyForTrueZeroOrEmpty) {
    ASSERT_TRUE(list.AddBook(std::string("D\tp\tf\tu\tq\t") + GetParam().value + "\t\t"));
    EXPECT_EQ(list.BookVisible(3), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Cases, VisibilityGetter,
                         ::testing::Values(VisibilityCase{"0", "0"}, VisibilityCase{"", "0"},
                                           VisibilityCase{"True", "0"}, VisibilityCase{"1", "1"},
                                           VisibilityCase{"TRUE", "1"}, VisibilityCase{"False", "1"},
                                           VisibilityCase{" 0", "1"}));

class VisibilitySetter : public ThreeBooks, public ::testing::WithParamInterface<VisibilityCase> {};

TEST_P(VisibilitySetter, StoresZeroOnlyForTrueZeroOrEmpty) {
    list.SetBookVisible(0, GetParam().value);
    EXPECT_EQ(list.GetProperty(0, 5), GetParam().result);
    EXPECT_EQ(owner.log, std::vector<std::string>{"DataChanged 0 bookvisible"});
}

INSTANTIATE_TEST_SUITE_P(Cases, VisibilitySetter,
                         ::testing::Values(VisibilityCase{"0", "0"}, VisibilityCase{"", "0"},
                                           VisibilityCase{"True", "0"}, VisibilityCase{"1", "1"},
                                           VisibilityCase{"true", "1"}, VisibilityCase{"False", "1"},
                                           VisibilityCase{"是", "1"}));

TEST_F(ThreeBooks, AccessBookLocationReplacesDotDotByTheApplicationFolder) {
    list.SetAppPath("/srv/acc");
    EXPECT_FALSE(list.isSqlBook(0));
    EXPECT_EQ(list.BookPathFile(0), "/srv/acc\\Data/A.mde");
    list.SetBookPath(0, "/srv/acc/Data");
    EXPECT_EQ(list.BookPathFile(0), "/srv/acc/Data/A.mde");
}

TEST_F(ThreeBooks, SqlServerBookLocationIsPathBackslashDatabase) {
    list.SetBookPath(1, "sa:pw@db-server");
    list.SetBookFile(1, "kxAcc000002");
    EXPECT_TRUE(list.isSqlBook(1));
    EXPECT_EQ(list.BookPathFile(1), "sa:pw@db-server\\kxAcc000002");
}

TEST(BookPathFileOnMissingEntry, ReportsTheReadsAndBuildsFromEmptyValues) {
    clsBooksList list;
    RecordingOwner owner;
    list.SetEvents(&owner);
    list.SetAppPath("/srv/acc");
    EXPECT_EQ(list.BookPathFile(), "/srv/acc/data/");
    EXPECT_EQ(owner.ErrorTitles(), (std::vector<std::string>{kTitleRead, kTitleRead}));
    owner.Clear();
    EXPECT_FALSE(list.isSqlBook());
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{kTitleRead});
}

// ---- fixed facts and names -----------------------------------------------------------

TEST(FieldNames, NameTheEightFieldsAndNothingElse) {
    const clsBooksList list;
    const std::vector<std::string> names = {"BookName", "BookPath", "BookFile", "UserName",
                                            "Period",   "Visible",  "BookNo",   "BookGuid"};
    for (std::int16_t i = 0; i < 8; ++i)
        EXPECT_EQ(list.Field(i), names[static_cast<std::size_t>(i)]);
    EXPECT_EQ(list.Field(), "BookName");
    EXPECT_EQ(list.Field(8), std::nullopt);
    EXPECT_EQ(list.Field(-1), std::nullopt);
    EXPECT_EQ(list.FieldsCount(), 8);
}

struct FileNameCase {
    const char* appPath;
    const char* value;
    const char* stored;
    friend void PrintTo(const FileNameCase& c, std::ostream* os) {
        *os << "AppPath " << test::Escaped(c.appPath) << ", " << test::Escaped(c.value);
    }
};

class FileNameSetter : public ::testing::TestWithParam<FileNameCase> {};

TEST_P(FileNameSetter, PlacesABareNameInTheApplicationFolder) {
    clsBooksList list;
    list.SetAppPath(GetParam().appPath);
    list.SetFileName(GetParam().value);
    EXPECT_EQ(list.FileName(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileNameSetter,
                         ::testing::Values(FileNameCase{"/srv/acc", "books.lst", "/srv/acc/books.lst"},
                                           FileNameCase{"C:\\Acc", "books.lst", "C:\\Acc/books.lst"},
                                           FileNameCase{"/srv/acc", "/etc/books.lst", "/etc/books.lst"},
                                           FileNameCase{"/srv/acc", "..\\books.lst", "..\\books.lst"},
                                           FileNameCase{"/srv/acc", "data/books.lst", "data/books.lst"},
                                           FileNameCase{"", "books.lst", "books.lst"}));

TEST_F(ThreeBooks, LineIsNotResolvedToTheCurrentBook) {
    list.SetBookID(1);
    EXPECT_EQ(list.Line(), "A\t..\\Data\tA.mde\t公司\t(未知)\t0\t\t");
    EXPECT_EQ(list.Line(3), std::nullopt);
    EXPECT_EQ(list.Line(-1), std::nullopt);
    EXPECT_EQ(owner.ErrorTitles(), (std::vector<std::string>{"读取账簿信息行", "读取账簿信息行"}));
}

} // namespace
} // namespace kx::catalogue
