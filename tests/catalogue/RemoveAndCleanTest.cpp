#include "catalogue/clsBooksList.h"

#include "Escaped.h"
#include "RecordingOwner.h"
#include "TempFolder.h"

#include "platform/Gb18030Codec.h"

#include <gtest/gtest.h>

#include <ostream>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kx::catalogue {
namespace {

using test::RecordingOwner;

const std::string kLastBook = "这是最后一套账簿，不能被删除。";
const std::string kNothingToClean = "清理完成，未找到重复列表项或无效列表项。";

/// An Access entry whose database "<name>.mde" lies in the application's Data folder.
std::string Book(const std::string& name, const std::string& visible = "0") {
    return name + "\t..\\Data\t" + name + ".mde\t公司\t(未知)\t" + visible + "\t\t";
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// A list in a real application folder, whose Data folder holds the databases of
/// "A" and "B" (and of no other book), saved to "books.lst".
class RemoveAndClean : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(folder.path() / "Data");
        for (const char* name : {"A", "B"})
            std::ofstream(folder.path() / "Data" / (std::string(name) + ".mde")) << "db";
        list.SetAppPath(folder.str());
        list.SetFileName("books.lst");
    }
    void Fill(const std::vector<std::string>& lines) {
        for (const std::string& line : lines)
            ASSERT_TRUE(list.AddBook(line));
        ASSERT_TRUE(list.SaveBooks());
        list.SetEvents(&owner);
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (std::int16_t i = 0; i <= list.BookCount(); ++i)
            lines.push_back(*list.Line(i));
        return lines;
    }
    std::string FileText() const { return platform::Gb18030Codec().ToUtf8(ReadBytes(ListFile())); }
    std::filesystem::path ListFile() const { return folder.path() / "books.lst"; }
    std::vector<std::string> NoticeTexts() const {
        std::vector<std::string> texts;
        for (const auto& n : owner.notices) {
            EXPECT_TRUE(n.showBox) << n.message;
            texts.push_back(n.message);
        }
        return texts;
    }

    kx::test::TempFolder folder;
    clsBooksList list;
    RecordingOwner owner;
};

// ---- RemoveBook ---------------------------------------------------------------------

TEST_F(RemoveAndClean, RemovingTheFirstOfTwoSavesAtOnce) {
    Fill({Book("A"), Book("B")});
    EXPECT_TRUE(list.RemoveBook(0));
    EXPECT_EQ(Lines(), std::vector<std::string>{Book("B")});
    EXPECT_EQ(FileText(), Book("B") + "\r\n");
    EXPECT_TRUE(list.IsDirty());
    EXPECT_EQ(owner.log, (std::vector<std::string>{"BeforeRemove 0", "BeforeCommand Save",
                                                   "AfterCommand Save", "AfterRemove 0"}));
}

TEST_F(RemoveAndClean, LastEntryIsNeverRemoved) {
    Fill({Book("A")});
    EXPECT_FALSE(list.RemoveBook(0));
    EXPECT_FALSE(list.RemoveBook(0, true));
    EXPECT_EQ(Lines(), std::vector<std::string>{Book("A")});
    EXPECT_EQ(NoticeTexts(), (std::vector<std::string>{kLastBook, kLastBook}));
    EXPECT_EQ(owner.log, (std::vector<std::string>{"Notify", "Notify"}));
    EXPECT_FALSE(list.IsDirty());
}

TEST_F(RemoveAndClean, ForcedRemovalAsksNobody) {
    Fill({Book("A"), Book("B"), Book("C")});
    EXPECT_TRUE(list.RemoveBook(1, true));
    EXPECT_EQ(Lines(), (std::vector<std::string>{Book("A"), Book("C")}));
    EXPECT_EQ(owner.log.front(), "BeforeCommand Save");
    EXPECT_EQ(owner.log.back(), "AfterRemove 1");
}

TEST_F(RemoveAndClean, CancelledRemovalChangesNothing) {
    Fill({Book("A"), Book("B")});
    const std::string before = ReadBytes(ListFile());
    owner.allowRemove = [](std::int16_t) { return false; };
    EXPECT_FALSE(list.RemoveBook(1));
    EXPECT_EQ(Lines(), (std::vector<std::string>{Book("A"), Book("B")}));
    EXPECT_EQ(ReadBytes(ListFile()), before);
    EXPECT_FALSE(list.IsDirty());
    EXPECT_EQ(owner.log, std::vector<std::string>{"BeforeRemove 1"});
}

TEST_F(RemoveAndClean, RemovingAHiddenEntryLowersTheHiddenCount) {
    Fill({Book("A"), Book("B", "1"), Book("C", "1")});
    ASSERT_EQ(list.HiddenCount(), 2);
    ASSERT_TRUE(list.RemoveBook(2, true));
    EXPECT_EQ(list.HiddenCount(), 1);
    ASSERT_TRUE(list.RemoveBook(0, true));
    EXPECT_EQ(list.HiddenCount(), 1);
}

TEST_F(RemoveAndClean, IndexOutsideTheEntriesIsReported) {
    Fill({Book("A"), Book("B")});
    EXPECT_FALSE(list.RemoveBook(2));
    EXPECT_FALSE(list.RemoveBook(-1, true));
    EXPECT_EQ(owner.log, (std::vector<std::string>{"Error 删除账簿", "Error 删除账簿"}));
    EXPECT_EQ(owner.errors[0].number, 9);
    EXPECT_EQ(list.BookCount(), 1);
}

TEST_F(RemoveAndClean, RemovalWhoseSaveFailsStillTakesTheEntryOut) {
    Fill({Book("A"), Book("B")});
    std::filesystem::create_directory(folder.path() / "dir.lst");
    list.SetFileName("dir.lst");
    EXPECT_FALSE(list.RemoveBook(0, true));
    EXPECT_EQ(Lines(), std::vector<std::string>{Book("B")});
    EXPECT_TRUE(list.IsDirty());
    EXPECT_EQ(owner.log,
              (std::vector<std::string>{"BeforeCommand Save", "Error 存储账簿列表", "AfterRemove 0"}));
}

TEST_F(RemoveAndClean, HandlerThatEmptiesTheListMeanwhileStopsTheRemoval) {
    Fill({Book("A"), Book("B")});
    owner.allowRemove = [this](std::int16_t) {
        list.RemoveBook(1, true);
        return true;
    };
    EXPECT_FALSE(list.RemoveBook(1));
    EXPECT_EQ(Lines(), std::vector<std::string>{Book("A")});
    EXPECT_EQ(NoticeTexts(), std::vector<std::string>{kLastBook});
}

TEST_F(RemoveAndClean, CurrentBookIsNotAdjustedByARemoval) {
    Fill({Book("A"), Book("B"), Book("C")});
    list.SetBookID(2);
    ASSERT_TRUE(list.RemoveBook(0, true));
    EXPECT_EQ(list.BookID(), 2);
    EXPECT_EQ(list.BookName(), "");
    EXPECT_EQ(owner.errors.back().title, "读取账簿属性");
}

// ---- Clean ----------------------------------------------------------------------------

struct CleanCase {
    const char* name;
    std::vector<std::string> lines;
    bool allowRemovals;
    std::vector<std::string> remaining;
    std::vector<std::string> asked; // BeforeRemove events
    std::vector<std::string> notices;
    friend void PrintTo(const CleanCase& c, std::ostream* os) { *os << c.name; }
};

class CleanScenario : public RemoveAndClean, public ::testing::WithParamInterface<CleanCase> {};

TEST_P(CleanScenario, RemovesWhatItShouldAndReports) {
    const CleanCase& c = GetParam();
    Fill(c.lines);
    owner.allowRemove = [&c](std::int16_t) { return c.allowRemovals; };

    EXPECT_TRUE(list.Clean());

    EXPECT_EQ(Lines(), c.remaining);
    std::vector<std::string> asked;
    for (const std::string& event : owner.log)
        if (event.rfind("BeforeRemove", 0) == 0)
            asked.push_back(event);
    EXPECT_EQ(asked, c.asked);
    EXPECT_EQ(NoticeTexts(), c.notices);
    EXPECT_TRUE(owner.errors.empty());
    std::string saved;
    for (const std::string& line : c.remaining)
        saved += (saved.empty() ? "" : "\r") + line;
    EXPECT_EQ(FileText(), saved + "\r\n");
}

const std::string kSql = "账簿S\tsa:pw@unreachable-server\tkxAcc000009\t公司\t(未知)\t0\t\t";
const std::string kShare = "账簿N\t\\\\gone-server\\share\tN.mde\t公司\t(未知)\t0\t\t";
const std::string kShareSlashes = "账簿M\t//gone-server/share\tM.mde\t公司\t(未知)\t0\t\t";

INSTANTIATE_TEST_SUITE_P(
    Lists, CleanScenario,
    ::testing::Values(
        CleanCase{"DuplicateAndMissingFile",
                  {Book("A"), Book("B"), Book("A"), Book("C")},
                  true,
                  {Book("B"), Book("A")},
                  {"BeforeRemove 2"},
                  {"清理重复项1条；\r\n清理无效列表项 1 条。"}},
        CleanCase{"OwnerKeepsTheMissingFile",
                  {Book("A"), Book("B"), Book("A"), Book("C")},
                  false,
                  {Book("B"), Book("A"), Book("C")},
                  {"BeforeRemove 2"},
                  {"清理重复项1条；\r\n"}},
        CleanCase{"CleanList", {Book("A"), Book("B")}, true, {Book("A"), Book("B")}, {}, {kNothingToClean}},
        CleanCase{"ServerAndShareEntriesAreNotLookedAt",
                  {kSql, kShare, kShareSlashes, Book("A")},
                  true,
                  {kSql, kShare, kShareSlashes, Book("A")},
                  {},
                  {kNothingToClean}},
        CleanCase{"EveryFileMissing",
                  {Book("C"), Book("D"), Book("E")},
                  true,
                  {Book("E")},
                  {"BeforeRemove 0", "BeforeRemove 0"},
                  {kLastBook, "清理无效列表项 2 条。"}},
        CleanCase{"LastCopyOfEachLineIsKept",
                  {Book("B"), Book("A"), Book("B"), Book("A"), Book("B")},
                  true,
                  {Book("A"), Book("B")},
                  {},
                  {"清理重复项3条；\r\n"}},
        CleanCase{"DuplicatesDifferingInCaseAreKept",
                  {Book("A"), "a" + Book("A").substr(1)},
                  true,
                  {Book("A"), "a" + Book("A").substr(1)},
                  {},
                  {kNothingToClean}},
        CleanCase{"EmptyEntryIsRemovedWithoutAskingOrCounting",
                  {Book("A"), "\n\t..\\Data\t\t公司\t\t0\t\t", "\t..\\Data\tB.mde\t\t\t0\t\t"},
                  true,
                  {Book("A"), "\t..\\Data\tB.mde\t\t\t0\t\t"},
                  {},
                  {kNothingToClean}}),
    [](const ::testing::TestParamInfo<CleanCase>& c) { return std::string(c.param.name); });

TEST_F(RemoveAndClean, EntryWithoutNameButWithAnExistingFileStays) {
    Fill({Book("A"), "\t..\\Data\tB.mde\t公司\t(未知)\t0\t\t"});
    EXPECT_TRUE(list.Clean());
    EXPECT_EQ(list.BookCount(), 1);
    EXPECT_EQ(NoticeTexts(), std::vector<std::string>{kNothingToClean});
}

TEST_F(RemoveAndClean, DatabaseFileIsFoundWhateverTheLetterCase) {
    Fill({"A\t..\\DATA\ta.MDE\t公司\t(未知)\t0\t\t", Book("B")});
    EXPECT_TRUE(list.Clean());
    EXPECT_EQ(list.BookCount(), 1);
    EXPECT_EQ(NoticeTexts(), std::vector<std::string>{kNothingToClean});
}

TEST_F(RemoveAndClean, CleaningGoesOnWhenTheSavesFail) {
    Fill({Book("A"), Book("B"), Book("A"), Book("C")});
    std::filesystem::create_directory(folder.path() / "dir.lst");
    list.SetFileName("dir.lst");

    EXPECT_FALSE(list.Clean());

    EXPECT_EQ(Lines(), (std::vector<std::string>{Book("B"), Book("A")}));
    EXPECT_EQ(owner.ErrorTitles(), std::vector<std::string>(3, "存储账簿列表"));
    EXPECT_EQ(NoticeTexts(), std::vector<std::string>{"清理重复项1条；\r\n清理无效列表项 1 条。"});
}

} // namespace
} // namespace kx::catalogue
