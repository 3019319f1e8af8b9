#include "database/CreateCnn.h"
#include "database/SampleBook.h"

#include "SampleBookCopy.h"
#include "ado/AdoError.h"
#include "platform/AnsiTextFile.h"

#include <gtest/gtest.h>

namespace kx::database {
namespace {

TEST(BookScript, SplitsAtSemicolonsEndingALineAndSkipsComments) {
    const auto statements = SplitBookScript("-- heading\n"
                                            "CREATE TABLE t (\n  a TEXT(5)\n);\n"
                                            "\n"
                                            "-- rows\r\n"
                                            "INSERT INTO t (a) VALUES ('x;y');  \n"
                                            "INSERT INTO t (a) VALUES ('-- not a comment');\n");
    ASSERT_EQ(statements.size(), 3u);
    EXPECT_EQ(statements[0], "CREATE TABLE t (\n  a TEXT(5)\n)");
    EXPECT_EQ(statements[1], "INSERT INTO t (a) VALUES ('x;y')");
    EXPECT_EQ(statements[2], "INSERT INTO t (a) VALUES ('-- not a comment')");
}

TEST(SampleBook, HoldsTheOperatorsAndBaseData) {
    const auto& file = test::SampleBookCopy::Master();
    ado::Connection cnn;
    CreateCnn(cnn, file.string(), "", "", "###");
    cnn.Open({}, {}, {}, -1);
    auto ops = cnn.Execute("Select opName, OpPwd From kxOperator Order By opID");
    ASSERT_TRUE(ops.has_value());
    EXPECT_EQ(ops->Item("opName").Value().ToString(), "主管");
    EXPECT_EQ(ops->Item("OpPwd").Value().ToString(), "8888");
    ops->MoveNext();
    EXPECT_EQ(ops->Item("opName").Value().ToString(), "出纳");
    EXPECT_GT(cnn.Execute("Select Count(*) From kxAccClass")->Item(0).Value().ToInt32(), 60);
    cnn.Close();
}

TEST(SampleBook, AnExistingFileIsNeverOverwritten) {
    test::TempFolder folder;
    const auto file = folder.path() / "kxSample.mde";
    platform::WriteFileAtomically(file, "a user's own file");
    EXPECT_FALSE(CreateSampleBook(file));
    EXPECT_EQ(platform::ReadWholeFile(file), "a user's own file");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

} // namespace
} // namespace kx::database
