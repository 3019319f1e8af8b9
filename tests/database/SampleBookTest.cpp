#include "database/SampleBook.h"

#include "TempFolder.h"
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
