#include "TextTable.h"

#include <gtest/gtest.h>

namespace kx::app {
namespace {

TEST(TextTable, ChineseCharactersTakeTwoColumns) {
    EXPECT_EQ(DisplayWidth("abc"), 3u);
    EXPECT_EQ(DisplayWidth("样本账簿"), 8u);
    EXPECT_EQ(DisplayWidth("(未知)"), 6u);
    EXPECT_EQ(DisplayWidth("𠮷"), 2u);
}

TEST(TextTable, ColumnsLineUpAcrossWideAndNarrowCells) {
    TextTable table({"名称", "x"});
    table.AddRow({"样本账簿", "1"});
    table.AddRow({"ab", "2"});
    const std::string text = table.Render();
    EXPECT_EQ(text, "名称      x\n"
                    "--------  -\n"
                    "样本账簿  1\n"
                    "ab        2\n");
}

TEST(TextTable, LineBreaksInsideCellsDoNotBreakTheRow) {
    TextTable table({"a", "b"});
    table.AddRow({"\nname", "x\ty"});
    EXPECT_EQ(table.Render(), "a      b\n-----  ---\n name  x y\n");
}

} // namespace
} // namespace kx::app
