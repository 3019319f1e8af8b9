#include "newbook/BookListEntry.h"

#include "TempFolder.h"
#include "platform/AnsiTextFile.h"
#include "support/AccountingObject.h"
#include "support/SupportError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kx::newbook {
namespace {

namespace fs = std::filesystem;

const std::string kSampleLine = "样本账簿\t..\\Data\tkxSample.mde\t××××有限公司\t(未知)\t0\t\t";

NewBookListEntry Entry(std::string name) {
    NewBookListEntry entry;
    entry.bookName = std::move(name);
    return entry;
}

// The lines of book files and server books are checked on every route of tests/e2e.
TEST(BookListEntryLine, AnEntryWithoutABookHasEmptyFields) {
    EXPECT_EQ(BookListEntryLine(Entry("（新增账簿：请指定数据库文件）")), "（新增账簿：请指定数据库文件）\t\t\t\t(未知)\t0\t\t");
}

class AddBookListEntryTest : public testing::Test {
  protected:
    void SetUp() override {
        platform::WriteAnsiTextFile(ListFile(), kSampleLine + "\r\n");
        // The notice must come after the save: the file already holds the entry.
        acc.SetNoticeReceiver([this](const std::string& notice) {
            notices.push_back(notice + "|" + platform::ReadWholeFile(ListFile()));
        });
    }
    fs::path ListFile() const { return folder.path() / "books.txt"; }

    kx::test::TempFolder folder;
    support::AccountingObject acc;
    /// Each notice, "|", and the list's bytes when it came.
    std::vector<std::string> notices;
};

TEST_F(AddBookListEntryTest, UnreadableListIsLeftAsItWasAndTheHostIsStillTold) {
    const std::string notGb18030 = "\x81\x20 broken\r\n";
    platform::WriteFileAtomically(ListFile(), notGb18030);
    EXPECT_FALSE(AddBookListEntry(Entry("新账簿"), ListFile().string(), &acc, 5));
    EXPECT_EQ(platform::ReadWholeFile(ListFile()), notGb18030);
    EXPECT_EQ(notices, std::vector<std::string>{"5|All|BookList|0|||" + notGb18030});
}

TEST_F(AddBookListEntryTest, WithoutAccTheListIsSavedAndTheCallerGetsTheError) {
    try {
        AddBookListEntry(Entry("新账簿"), ListFile().string(), nullptr, 5);
        FAIL() << "the notice was reported as sent";
    } catch (const support::SupportError& e) {
        EXPECT_EQ(e.number(), support::supporterr::ObjectNotSet);
    }
    EXPECT_NE(platform::ReadAnsiTextFile(ListFile()).find("新账簿\t\t\t\t(未知)"), std::string::npos);
}

TEST_F(AddBookListEntryTest, AFieldThatWouldBreakTheRecordIsRefusedAndNeverReportedAsWritten) {
    const struct {
        void (*set)(NewBookListEntry&);
        const char* failure;
    } cases[] = {
        {[](NewBookListEntry& e) { e.bookName = "新\t账簿"; }, "账簿名称中不能有制表符、回车符或换行符，无法写入账簿列表。"},
        {[](NewBookListEntry& e) { e.bookName = "新账簿\r"; }, "账簿名称中不能有制表符、回车符或换行符，无法写入账簿列表。"},
        {[](NewBookListEntry& e) { e.userName = "某某\n公司"; }, "单位名称中不能有制表符、回车符或换行符，无法写入账簿列表。"},
        {[](NewBookListEntry& e) { e.server = "host\t1"; }, "SQL服务器名中不能有制表符、回车符或换行符，无法写入账簿列表。"},
        {[](NewBookListEntry& e) { e.userId = "sa\r\n"; }, "SQL服务器的用户名中不能有制表符、回车符或换行符，无法写入账簿列表。"},
        {[](NewBookListEntry& e) { e.password = "p\tw"; }, "SQL服务器的密码中不能有制表符、回车符或换行符，无法写入账簿列表。"},
    };
    const std::string before = platform::ReadWholeFile(ListFile());
    for (const auto& c : cases) {
        NewBookListEntry entry = Entry("新账簿");
        entry.isSql = true;
        entry.bookFile = "kxAcc000001";
        entry.server = "host,1";
        entry.userId = "sa";
        entry.password = "pw";
        c.set(entry);
        std::string failure;
        EXPECT_FALSE(AddBookListEntry(entry, ListFile().string(), &acc, 5, &failure)) << c.failure;
        EXPECT_EQ(failure, c.failure);
        EXPECT_EQ(platform::ReadWholeFile(ListFile()), before) << c.failure;
    }
    // The host is told each time, as after any attempt to save.
    EXPECT_EQ(notices.size(), std::size(cases));
    // The server fields of a book file are not written, so they do not matter.
    NewBookListEntry bookFile = Entry("新账簿");
    bookFile.server = "\t";
    EXPECT_TRUE(AddBookListEntry(bookFile, ListFile().string(), &acc, 5));
}

} // namespace
} // namespace kx::newbook
