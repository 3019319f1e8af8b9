#include "TextTable.h"

#include <gtest/gtest.h>

namespace kx::app {
namespace {

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
