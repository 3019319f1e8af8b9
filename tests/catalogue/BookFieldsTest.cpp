#include "catalogue/clsBooksList.h"

#include "RecordingOwner.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace kx::catalogue {
namespace {

using Log = std::vector<std::string>;
using ::testing::PrintToString;

const std::string kRead = "Error 读取账簿属性", kSet = "Error 设置账簿属性", kLine = "Error 读取账簿信息行";

std::string Book(const std::string& name, const std::string& visible = "0") {
    return name + "\t..\\Data\t" + name + ".mde\t公司\t(未知)\t" + visible + "\t\t";
}

class BookList : public ::testing::Test {
  protected:
    void SetUp() override { list.SetEvents(&owner); }
    /// Adds the shown books "A", "B" and "C" and forgets their events.
    void ThreeBooks() {
        for (const char* name : {"A", "B", "C"})
            ASSERT_TRUE(list.AddBook(Book(name)));
        owner.Clear();
    }

    clsBooksList list;
    test::RecordingOwner owner;
};

TEST_F(BookList, AddTakesLinesOfFiveCharactersOrMoreAsTheyAreGivingAShortOneMoreTab) {
    EXPECT_FALSE(list.AddBook("abcd"));
    EXPECT_FALSE(list.AddBook("账簿名称")); // four characters, twelve bytes
    EXPECT_TRUE(owner.log.empty());
    const char* const cases[][2] = {{"样本账簿1", "样本账簿1\t"},
                                    {"n\tp\tf\tu\tq\t0\t7", "n\tp\tf\tu\tq\t0\t7\t"},
                                    {"n\tp\tf\tu\tq\t0\t\t", "n\tp\tf\tu\tq\t0\t\t"},
                                    {"n\tp\tf\tu\tq\t0\t\t", "n\tp\tf\tu\tq\t0\t\t"}, // twice: two entries
                                    {"  n\tp\tf\tu\tq\t0\t7\tg\tx  ", "  n\tp\tf\tu\tq\t0\t7\tg\tx  "}};
    for (const auto& c : cases) {
        ASSERT_TRUE(list.AddBook(c[0]));
        EXPECT_EQ(list.Line(list.BookCount()), c[1]) << PrintToString(std::string(c[0]));
    }
    // The first line has no visibility to read for the hidden count.
    EXPECT_EQ(Log(owner.log.begin(), owner.log.begin() + 4),
              (Log{"BeforeCommand Add", kRead, "AfterCommand Add", "BeforeCommand Add"}));
    EXPECT_EQ(owner.errors.size(), 1u);
    EXPECT_FALSE(list.IsDirty());
}

TEST_F(BookList, AddRefusesACarriageReturnAFullListAndACancel) {
    // A carriage return would come back from the file as a second record chosen by the caller.
    EXPECT_FALSE(list.AddBook(Book("A") + "\r" + Book("forged")));
    EXPECT_EQ(owner.log, (Log{"BeforeCommand Add", "Error 增加账簿"}));
    owner.cancelCommands = {"Add"};
    EXPECT_FALSE(list.AddBook(Book("A", "1")));
    EXPECT_EQ(list.BookCount(), -1);
    EXPECT_EQ(list.HiddenCount(), 0);
    owner.cancelCommands.clear();
    list.SetEvents(nullptr);
    for (int i = 0; i < clsBooksList::kMaxEntries; ++i)
        ASSERT_TRUE(list.AddBook(Book("A")));
    list.SetEvents(&owner);
    EXPECT_FALSE(list.AddBook(Book("A")));
    EXPECT_EQ(list.BookCount(), 32767);
    ASSERT_EQ(owner.Events("Error "), (Log{"Error 增加账簿", "Error 增加账簿"}));
    EXPECT_EQ(owner.errors[1].first, 6);
}

TEST_F(BookList, VisibilityReadsAndStoresShownOnlyForTrueZeroOrEmptyAndAnAddCountsHiddenOnes) {
    ThreeBooks();
    const char* const cases[][2] = {{"0", "0"},    {"", "0"},      {"True", "0"}, {"1", "1"}, {"TRUE", "1"},
                                    {"true", "1"}, {"False", "1"}, {" 0", "1"},   {"是", "1"}};
    int hidden = 0;
    for (const auto& [value, result] : cases) {
        SCOPED_TRACE(PrintToString(std::string(value)));
        ASSERT_TRUE(list.AddBook(Book("D", value)));
        hidden += result == std::string("1") ? 1 : 0;
        EXPECT_EQ(list.BookVisible(list.BookCount()), result);
        EXPECT_EQ(list.HiddenCount(), hidden);
        owner.Clear();
        list.SetBookVisible(0, value);
        EXPECT_EQ(list.GetProperty(0, 5), result);
        EXPECT_EQ(owner.log, Log{"DataChanged 0 bookvisible"});
    }
}

TEST_F(BookList, EmptyListReportsEveryReadAndHasNoCurrentBook) {
    list.SetAppPath("/srv/acc");
    EXPECT_EQ(list.BookName(), "");
    EXPECT_EQ(list.Line(0), std::nullopt);
    EXPECT_EQ(list.BookPathFile(), "/srv/acc/data/");
    EXPECT_FALSE(list.isSqlBook());
    EXPECT_EQ(owner.Events("Error "), (Log{kRead, kLine, kRead, kRead, kRead}));
    EXPECT_EQ(owner.errors[0].first, 9);
    list.SetBookID(0);
    EXPECT_EQ(list.BookID(), -1);
}

TEST_F(BookList, AnIndexOutsideTheEntriesMeansTheCurrentBookExceptForLine) {
    ThreeBooks();
    // BookID set before, BookID set, BookID stored, index, name read
    const int cases[][5] = {{0, 0, 0, 99, 'A'},     {0, 0, 0, -1, 'A'}, {0, 2, 2, 0, 'A'},
                            {0, 3, 2, 3, 'C'},      {0, 1, 1, 3, 'B'},  {1, -1, 1, -1, 'B'},
                            {0, 32767, 2, -5, 'C'}, {2, 0, 0, 2, 'C'}};
    for (const auto& c : cases) {
        list.SetBookID(static_cast<std::int16_t>(c[0]));
        list.SetBookID(static_cast<std::int16_t>(c[1]));
        EXPECT_EQ(list.BookID(), c[2]) << c[0] << " then " << c[1];
        EXPECT_EQ(list.GetProperty(static_cast<std::int16_t>(c[3]), 0),
                  std::string(1, static_cast<char>(c[4])));
    }
    EXPECT_TRUE(owner.errors.empty());
    EXPECT_EQ(list.Line(), Book("A"));
    EXPECT_EQ(list.Line(3), std::nullopt);
    EXPECT_EQ(list.Line(-1), std::nullopt);
    list.SetBookID(2); // a removal does not move the current book
    list.RemoveBook(2, true);
    EXPECT_EQ(list.BookID(), 2);
    owner.Clear();
    EXPECT_EQ(list.BookName(), "");
    EXPECT_EQ(owner.log, Log{kRead});
}

TEST_F(BookList, EachFieldSetterWritesOnlyItsPieceAndReportsItsKey) {
    ThreeBooks();
    using C = clsBooksList;
    const std::tuple<void (C::*)(std::int16_t, const std::string&), std::string (C::*)(std::int16_t) const,
                     std::size_t, const char*>
        cases[] = {
            {&C::SetBookGuid, &C::BookGuid, 7, "bookguid"}, {&C::SetBookName, &C::BookName, 0, "bookname"},
            {&C::SetBookPath, &C::BookPath, 1, "bookpath"}, {&C::SetBookFile, &C::BookFile, 2, "bookfile"},
            {&C::SetUserName, &C::UserName, 3, "username"}, {&C::SetPeriod, &C::Period, 4, "period"},
            {&C::SetBookNo, &C::BookNo, 6, "bookno"}};
    std::vector<std::string> pieces = {"C", "..\\Data", "C.mde", "公司", "(未知)", "0", "", ""};
    for (const auto& [set, get, piece, key] : cases) {
        owner.Clear();
        list.SetIsDirty(false);
        (list.*set)(2, "新值");
        pieces[piece] = "新值";
        EXPECT_EQ((list.*get)(2), "新值") << key;
        for (std::int16_t p = 0; p < 8; ++p)
            EXPECT_EQ(list.GetProperty(2, p), pieces[static_cast<std::size_t>(p)]) << key << " " << p;
        EXPECT_EQ(owner.log, Log{std::string("DataChanged 2 ") + key});
        EXPECT_TRUE(list.IsDirty());
    }
    EXPECT_EQ(list.Line(1), Book("B"));
}

TEST_F(BookList, AMissingPieceOrATabOrCarriageReturnIsReportedAndNothingWritten) {
    ThreeBooks();
    ASSERT_TRUE(list.AddBook("D\tp\tf\tu\tq\t0"));
    owner.Clear();
    EXPECT_EQ(list.GetProperty(3, 6), "");
    EXPECT_TRUE(owner.errors.empty());
    EXPECT_EQ(list.GetProperty(3, 7), "");
    list.SetProperty(3, 7, "x");
    list.SetProperty(3, -1, "x");
    list.SetBookName(0, "x\ty");
    list.SetUserName(0, "x\ry");
    EXPECT_EQ(owner.log, (Log{kRead, kSet, kSet, kSet, kSet}));
    EXPECT_EQ(owner.errors[0].first, 9);
    EXPECT_EQ(list.Line(3), "D\tp\tf\tu\tq\t0\t");
    EXPECT_EQ(list.Line(0), Book("A"));
    EXPECT_FALSE(list.IsDirty());

    ASSERT_TRUE(list.AddBook("E\tp\tf\tu\tq\t0\tn\tg\textra\tmore"));
    owner.Clear();
    EXPECT_EQ(list.GetProperty(4, 8), "extra");
    list.SetProperty(4, 8, "changed"); // cuts the line to eight pieces
    EXPECT_EQ(list.Line(4), "E\tp\tf\tu\tq\t0\tn\tg\t");
    EXPECT_EQ(owner.log, Log{"DataChanged 4 "});
}

TEST_F(BookList, BookPathReadsEmptyAsTheDataFolderAndIsStoredAgainstTheApplicationFolder) {
    ASSERT_TRUE(list.AddBook("\n\t\tf\tu\tq\t0\t\t"));
    ASSERT_TRUE(list.AddBook("\nD\t..\\Data\tD.mde\tu\tq\t0\t\t"));
    EXPECT_EQ(list.BookName(0) + "|" + list.BookName(1), "|\nD"); // a lone line feed is no name
    EXPECT_EQ(list.BookPath(0), "/data");
    list.SetAppPath("/srv/acc");
    EXPECT_EQ(list.BookPathFile(0), "/srv/acc/data/f");
    list.SetBookPath(1, "/srv/acc/Data");
    EXPECT_EQ(list.GetProperty(1, 1), "../Data");
    EXPECT_FALSE(list.isSqlBook(1));
    list.SetBookPath(1, "sa:pw@db-server");
    EXPECT_TRUE(list.isSqlBook(1));
    EXPECT_EQ(list.BookPathFile(1), "sa:pw@db-server\\D.mde");
    EXPECT_TRUE(owner.errors.empty());
}

TEST(BooksListNames, FieldNamesAndListFileNames) {
    clsBooksList list;
    EXPECT_EQ(list.Field(), "BookName");
    EXPECT_EQ(list.Field(7), "BookGuid");
    EXPECT_EQ(list.Field(8), std::nullopt);
    list.SetAppPath("/srv/acc");
    list.SetFileName("books.lst");
    EXPECT_EQ(list.FileName(), "/srv/acc/books.lst");
    list.SetFileName("..\\books.lst");
    EXPECT_EQ(list.FileName(), "..\\books.lst");
}

} // namespace
} // namespace kx::catalogue
