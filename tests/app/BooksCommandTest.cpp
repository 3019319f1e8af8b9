#include "BooksCommand.h"
#include "TextTable.h"
#include "TempFolder.h"
#include "platform/AnsiTextFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kx::app {
namespace {

class BooksCommandTest : public ::testing::Test {
protected:
    int Run(bool clean) {
        out.str("");
        err.str("");
        return RunBooksCommand({app.str(), "books.txt", clean}, out, err);
    }
    std::string ListText() const { return platform::ReadAnsiTextFile(app.path() / "books.txt"); }

    test::TempFolder app;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(BooksCommandTest, FreshFolderGetsTheSampleListAndAnUnreadableListIsAnError) {
    ASSERT_EQ(Run(false), 0) << err.str();
    EXPECT_EQ(ListText(), "样本账簿\t..\\Data\tkxSample.mde\t××××有限公司\t(未知)\t0\t\t\r\n");
    EXPECT_NE(out.str().find("样本账簿  文件  ..\\Data  kxSample.mde"), std::string::npos) << out.str();
    EXPECT_TRUE(std::filesystem::is_directory(app.path() / "Data"));

    platform::WriteFileAtomically(app.path() / "books.txt", std::string("bad\x81\x20 record\r\n", 14));
    EXPECT_EQ(Run(false), 1) << "an unreadable list";
    EXPECT_NE(err.str().find("装入账簿列表"), std::string::npos) << err.str();
}

TEST_F(BooksCommandTest, CleanRemovesDuplicatesAndMissingFilesAndReports) {
    std::filesystem::create_directories(app.path() / "Data");
    std::ofstream(app.path() / "Data" / "a.mde").put('x');
    const std::string a = "甲账簿\t..\\Data\ta.mde\t甲公司\t(未知)\t0\t\t";
    const std::string gone = "乙账簿\t..\\Data\tgone.mde\t乙公司\t(未知)\t0\t\t";
    const std::string server = "丙账簿\tsa:secret@db1\tkxAcc000002\t丙公司\t(未知)\t0\t\t";
    // No user ID: the text before the "@" is the password.
    const std::string bare = "丁账簿\tsecret@db2\tkxAcc000003\t丁公司\t(未知)\t0\t\t";
    platform::WriteAnsiTextFile(app.path() / "books.txt",
                                a + "\r" + gone + "\r" + a + "\r" + server + "\r" + bare + "\r\n");

    ASSERT_EQ(Run(true), 0) << err.str();
    EXPECT_NE(out.str().find("清理重复项1条；\r\n清理无效列表项 1 条。"), std::string::npos) << out.str();
    EXPECT_EQ(ListText(), a + "\r" + server + "\r" + bare + "\r\n");
    // The server rows are listed without their passwords.
    EXPECT_NE(out.str().find("sa:***@db1"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find(" ***@db2"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("secret"), std::string::npos);
}

TEST_F(BooksCommandTest, AListOfThe32768BooksTheIndexCanHoldIsListedToItsEnd) {
    std::string text;
    for (int i = 0; i < 32768; ++i)
        text += "账簿" + std::to_string(i) + "\t..\\Data\tkxSample.mde\t公司\t(未知)\t0\t\t\r";
    platform::WriteAnsiTextFile(app.path() / "books.txt", text);
    ASSERT_EQ(Run(false), 0) << err.str();
    EXPECT_NE(out.str().find("32767  账簿32767"), std::string::npos);
}

TEST(TextTable, ColumnsLineUpAcrossWideAndNarrowCellsWithoutLineBreaks) {
    EXPECT_EQ(DisplayWidth("(未知)"), 6u);
    EXPECT_EQ(DisplayWidth("𠮷"), 2u);
    TextTable table({"名称", "x"});
    table.AddRow({"样本账簿", "1"});
    table.AddRow({"\nab", "2\t3"});
    EXPECT_EQ(table.Render(), "名称      x\n"
                              "--------  ---\n"
                              "样本账簿  1\n"
                              " ab       2 3\n");
    // Control characters from a list never reach the terminal as they are.
    TextTable shown({"a"});
    shown.AddRow({std::string("\x1B[2J\x07\0x\x7F\xC2\x9B", 10)});
    EXPECT_EQ(shown.Render(), "a\n"
                              "--------------------------\n"
                              "\\x1B[2J\\x07\\x00x\\x7F\\u009B\n");
}

} // namespace
} // namespace kx::app
