#include "catalogue/clsBooksList.h"

#include "Escaped.h"
#include "RecordingOwner.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <utility>
#include <vector>

namespace kx::catalogue {
namespace {

using test::RecordingOwner;

class AddBookTest : public ::testing::Test {
  protected:
    void SetUp() override { list.SetEvents(&owner); }

    clsBooksList list;
    RecordingOwner owner;
};

TEST_F(AddBookTest, LineShorterThanFiveCharactersIsRefusedWithoutAnyEvent) {
    EXPECT_FALSE(list.AddBook("abcd"));
    // Four characters, twelve bytes: the rule counts characters.
    EXPECT_FALSE(list.AddBook("账簿名称"));
    EXPECT_EQ(list.BookCount(), -1);
    EXPECT_TRUE(owner.log.empty());
}

TEST_F(AddBookTest, LineOfFiveCharactersIsAdded) {
    EXPECT_TRUE(list.AddBook("样本账簿1"));
    EXPECT_EQ(list.BookCount(), 0);
    EXPECT_EQ(list.Line(0), "样本账簿1\t");
    EXPECT_EQ(owner.log[0], "BeforeCommand Add");
    EXPECT_EQ(owner.log.back(), "AfterCommand Add");
}

struct CompletionCase {
    const char* line;
    const char* stored;
    friend void PrintTo(const CompletionCase& c, std::ostream* os) { *os << test::Escaped(c.line); }
};

class AddBookCompletion : public AddBookTest, public ::testing::WithParamInterface<CompletionCase> {};

TEST_P(AddBookCompletion, LineOfFewerThanEightFieldsGetsOneMoreTab) {
    ASSERT_TRUE(list.AddBook(GetParam().line));
    EXPECT_EQ(list.Line(0), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddBookCompletion,
    ::testing::Values(CompletionCase{"ab\tcd\tef", "ab\tcd\tef\t"},
                      CompletionCase{"n\tp\tf\tu\tq\t0\t7", "n\tp\tf\tu\tq\t0\t7\t"},
                      CompletionCase{"n\tp\tf\tu\tq\t0\t\t", "n\tp\tf\tu\tq\t0\t\t"},
                      CompletionCase{"n\tp\tf\tu\tq\t0\t7\tg\tx", "n\tp\tf\tu\tq\t0\t7\tg\tx"},
                      CompletionCase{"  n\tp\tf\tu\tq\t0\t\t  ", "  n\tp\tf\tu\tq\t0\t\t  "}));

struct HiddenCase {
    const char* visibility;
    int hiddenCount;
    friend void PrintTo(const HiddenCase& c, std::ostream* os) { *os << test::Escaped(c.visibility); }
};

class AddBookHidden : public AddBookTest, public ::testing::WithParamInterface<HiddenCase> {};

TEST_P(AddBookHidden, CountsTheEntryWhenItReadsAsHidden) {
    ASSERT_TRUE(list.AddBook(std::string("n\tp\tf\tu\tq\t") + GetParam().visibility + "\t\t"));
    EXPECT_EQ(list.HiddenCount(), GetParam().hiddenCount);
}

INSTANTIATE_TEST_SUITE_P(Cases, AddBookHidden,
                         ::testing::Values(HiddenCase{"1", 1}, HiddenCase{"0", 0}, HiddenCase{"", 0},
                                           HiddenCase{"True", 0}, HiddenCase{"False", 1}));

TEST_F(AddBookTest, SameLineTwiceGivesTwoEntriesAndTouchesNothingElse) {
    const std::string line = "n\tp\tf\tu\tq\t0\t\t";
    ASSERT_TRUE(list.AddBook(line));
    ASSERT_TRUE(list.AddBook(line));
    EXPECT_EQ(list.BookCount(), 1);
    EXPECT_EQ(list.Line(0), list.Line(1));
    EXPECT_FALSE(list.IsDirty());
    for (const std::string& event : owner.log)
        EXPECT_EQ(event.rfind("DataChanged", 0), std::string::npos) << event;
}

TEST_F(AddBookTest, CancelledAddLeavesTheListUnchanged) {
    ASSERT_TRUE(list.AddBook("n\tp\tf\tu\tq\t0\t\t"));
    owner.cancelCommands = {"Add"};
    owner.Clear();
    EXPECT_FALSE(list.AddBook("m\tp\tf\tu\tq\t1\t\t"));
    EXPECT_EQ(list.BookCount(), 0);
    EXPECT_EQ(list.HiddenCount(), 0);
    EXPECT_EQ(owner.log, std::vector<std::string>{"BeforeCommand Add"});
}

TEST_F(AddBookTest, LineWithACarriageReturnIsRefused) {
    // It would come back from the file as two records, the second one chosen by the caller.
    EXPECT_FALSE(list.AddBook("a\tb\tc\td\te\t0\t\t\rforged\tsa:pw@evil\tdb\tx\ty\t0\t\t"));
    EXPECT_EQ(list.BookCount(), -1);
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>{"增加账簿"});
}

TEST_F(AddBookTest, ListStopsGrowingWhereItsCountWouldOverflow) {
    list.SetEvents(nullptr);
    for (int i = 0; i < clsBooksList::kMaxEntries; ++i)
        ASSERT_TRUE(list.AddBook("n\tp\tf\tu\tq\t0\t\t"));
    EXPECT_EQ(list.BookCount(), 32767);

    list.SetEvents(&owner);
    EXPECT_FALSE(list.AddBook("n\tp\tf\tu\tq\t0\t\t"));
    EXPECT_EQ(list.BookCount(), 32767);
    ASSERT_EQ(owner.errors.size(), 1u);
    EXPECT_EQ(owner.errors[0].title, "增加账簿");
    EXPECT_EQ(owner.errors[0].number, 6);
}

TEST_F(AddBookTest, HandlerMayAddWhileAnAddIsAnnounced) {
    struct Reentrant : RecordingOwner {
        clsBooksList* list = nullptr;
        bool added = false;
        void BeforeCommand(const std::string& CmdName, bool& Cancel) override {
            RecordingOwner::BeforeCommand(CmdName, Cancel);
            if (!std::exchange(added, true))
                list->AddBook("first\tp\tf\tu\tq\t0\t\t");
        }
    } reentrant;
    reentrant.list = &list;
    list.SetEvents(&reentrant);
    ASSERT_TRUE(list.AddBook("second\tp\tf\tu\tq\t0\t\t"));
    EXPECT_EQ(list.BookName(0), "first");
    EXPECT_EQ(list.BookName(1), "second");
}

} // namespace
} // namespace kx::catalogue
