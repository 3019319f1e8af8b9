#include "ado/pg/CopyTextFormat.h"
#include "ado/pg/PgBytea.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace kx::ado::pg {
namespace {

std::string AllByteValues() {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes;
}

TEST(CopyTextRowBuilder, SeparatesFieldsEscapesFramingCharactersAndCollectsRowsUntilCleared) {
    CopyTextRowBuilder builder;
    builder.AddText("a\\b\tc\nd\re");
    builder.AddNull();
    builder.AddText("");
    EXPECT_EQ(builder.TakeRow(), "a\\\\b\\tc\\nd\\re\t\\N\t\n");
    builder.AddText("1");
    builder.EndRow();
    builder.AddNull();
    builder.EndRow();
    EXPECT_EQ(builder.Text(), "1\n\\N\n");
    builder.Clear();
    builder.AddText("x");
    builder.EndRow();
    EXPECT_EQ(builder.Text(), "x\n") << "a cleared builder starts a new row, not a new field";
    for (const std::string& nul : {std::string("\0", 1), std::string("long text, then\\\t\0", 18)})
        EXPECT_THROW(builder.AddText(nul), std::invalid_argument);
}

TEST(CopyTextFormat, TextAndBytesSurviveARoundTrip) {
    const std::string texts[] = {
        "", "\\N", "N", "张三𠀀😀", "tab\there", "line\nbreak\r\n", "back\\slash\\", "\\.", "'quoted'"};
    CopyTextRowBuilder builder;
    for (const std::string& text : texts)
        builder.AddText(text);
    builder.AddNull();
    builder.AddBytes(AllByteValues());
    builder.AddBytes("");
    const auto fields = ParseCopyTextRow(builder.TakeRow());
    ASSERT_EQ(fields.size(), std::size(texts) + 3);
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(fields[i], texts[i]) << i;
    EXPECT_FALSE(fields[std::size(texts)].has_value());
    EXPECT_EQ(DecodeByteaHex(fields[std::size(texts) + 1].value()), AllByteValues());
    EXPECT_EQ(DecodeByteaHex(fields[std::size(texts) + 2].value()), "");
}

TEST(ParseCopyTextRow, UndoesEveryEscapeTheServerMayWrite) {
    const auto fields = ParseCopyTextRow("\\b\\f\\v\\101\\x41\\q\tN\\N\t\\N\n");
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0], "\b\f\vAAq");
    EXPECT_EQ(fields[1], "NN");
    EXPECT_FALSE(fields[2].has_value());
    EXPECT_THROW(ParseCopyTextRow("abc\\"), std::invalid_argument);
}

TEST(PgBytea, EncodesAsLowerCaseHexAndRefusesTextThatIsNotHexBytea) {
    EXPECT_EQ(EncodeByteaHex(std::string("\x00\x1f\xff", 3)), "\\x001fff");
    EXPECT_EQ(EncodeByteaHex(""), "\\x");
    EXPECT_EQ(DecodeByteaHex(EncodeByteaHex(AllByteValues())), AllByteValues());
    for (const char* text : {"001f", "\\x0", "\\xzz"})
        EXPECT_THROW(DecodeByteaHex(text), std::invalid_argument) << text;
}

} // namespace
} // namespace kx::ado::pg
