#include "ado/pg/CopyTextFormat.h"
#include "ado/pg/PgBytea.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace kx::ado::pg {
namespace {

std::string AllByteValues() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes += static_cast<char>(i);
    }
    return bytes;
}

TEST(CopyTextRowBuilder, SeparatesFieldsWithTabsAndEndsTheRow) {
    CopyTextRowBuilder builder;
    builder.AddText("a");
    builder.AddNull();
    builder.AddText("");
    EXPECT_EQ(builder.TakeRow(), "a\t\\N\t\n");
    builder.AddText("next");
    EXPECT_EQ(builder.TakeRow(), "next\n");
}

TEST(CopyTextRowBuilder, EscapesTheCharactersThatFrameTheData) {
    CopyTextRowBuilder builder;
    builder.AddText("a\\b\tc\nd\re");
    EXPECT_EQ(builder.TakeRow(), "a\\\\b\\tc\\nd\\re\n");
}

TEST(CopyTextRowBuilder, RefusesNulInText) {
    CopyTextRowBuilder builder;
    EXPECT_THROW(builder.AddText(std::string("a\0b", 3)), std::invalid_argument);
    EXPECT_THROW(builder.AddText(std::string("\0", 1)), std::invalid_argument);
    EXPECT_THROW(builder.AddText(std::string("long text, then\\\t\0", 18)), std::invalid_argument);
}

TEST(CopyTextRowBuilder, CollectsManyRowsInOneTextUntilCleared) {
    CopyTextRowBuilder builder;
    builder.AddText("1");
    builder.AddText("a\tb");
    builder.EndRow();
    builder.AddNull();
    builder.AddText("\\");
    builder.EndRow();
    EXPECT_EQ(builder.Text(), "1\ta\\tb\n\\N\t\\\\\n");
    builder.Clear();
    EXPECT_EQ(builder.Text(), "");
    builder.AddText("x");
    builder.EndRow();
    EXPECT_EQ(builder.Text(), "x\n") << "a cleared builder starts a new row, not a new field";
}

TEST(CopyTextFormat, TextSurvivesARoundTrip) {
    const std::string texts[] = {
        "", "\\N", "N", "张三𠀀😀", "tab\there", "line\nbreak\r\n", "back\\slash\\", "\\.", "'quoted'"};
    CopyTextRowBuilder builder;
    for (const std::string& text : texts) {
        builder.AddText(text);
    }
    builder.AddNull();
    const auto fields = ParseCopyTextRow(builder.TakeRow());
    ASSERT_EQ(fields.size(), std::size(texts) + 1);
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        ASSERT_TRUE(fields[i].has_value()) << i;
        EXPECT_EQ(*fields[i], texts[i]) << i;
    }
    EXPECT_FALSE(fields.back().has_value());
}

TEST(CopyTextFormat, BytesSurviveARoundTrip) {
    CopyTextRowBuilder builder;
    builder.AddBytes(AllByteValues());
    builder.AddBytes("");
    const auto fields = ParseCopyTextRow(builder.TakeRow());
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(DecodeByteaHex(*fields[0]), AllByteValues());
    EXPECT_EQ(DecodeByteaHex(*fields[1]), "");
}

TEST(ParseCopyTextRow, UndoesEveryEscapeTheServerMayWrite) {
    const auto fields = ParseCopyTextRow("\\b\\f\\v\\101\\x41\\q\tN\\N\t\\N\n");
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(*fields[0], "\b\f\vAAq");
    EXPECT_EQ(*fields[1], "NN");
    EXPECT_FALSE(fields[2].has_value());
}

TEST(ParseCopyTextRow, RefusesARowEndingInsideAnEscape) {
    EXPECT_THROW(ParseCopyTextRow("abc\\"), std::invalid_argument);
}

TEST(PgBytea, EncodesAsLowerCaseHex) {
    EXPECT_EQ(EncodeByteaHex(std::string("\x00\x1f\xff", 3)), "\\x001fff");
    EXPECT_EQ(EncodeByteaHex(""), "\\x");
}

TEST(PgBytea, DecodesWhatItEncodes) {
    EXPECT_EQ(DecodeByteaHex(EncodeByteaHex(AllByteValues())), AllByteValues());
}

TEST(PgBytea, RefusesTextThatIsNotHexBytea) {
    EXPECT_THROW(DecodeByteaHex("001f"), std::invalid_argument);
    EXPECT_THROW(DecodeByteaHex("\\x0"), std::invalid_argument);
    EXPECT_THROW(DecodeByteaHex("\\xzz"), std::invalid_argument);
}

} // namespace
} // namespace kx::ado::pg
