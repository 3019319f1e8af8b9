// The text forms of the server layer that need no server: quoted names and
// literals, identity blocks, the COPY text format and bytea.

#include "ado/pg/PgQuote.h"
#include "ado/pg/CopyTextFormat.h"
#include "ado/pg/PgBytea.h"
#include "ado/pg/PgStatements.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace kx::ado::pg {
namespace {

using Cases = std::initializer_list<std::pair<std::string, std::string>>;

TEST(PgQuote, QuotesNamesAndTextsSoTheyStayOneNameOrLiteral) {
    for (const auto& [name, quoted] : Cases{{"t1", "\"t1\""},
                                            {"Mixed", "\"Mixed\""},
                                            {"a\"b", "\"a\"\"b\""},
                                            {"x\"; DROP TABLE t; --", "\"x\"\"; DROP TABLE t; --\""},
                                            {"单位名称", "\"单位名称\""},
                                            {std::string(63, 'a'), '"' + std::string(63, 'a') + '"'}}) {
        EXPECT_EQ(QuoteIdent(name), quoted);
    }
    for (const auto& [text, quoted] : Cases{{"", "''"},
                                            {"it's", "'it''s'"},
                                            {"x' OR '1'='1", "'x'' OR ''1''=''1'"},
                                            {"C:\\Data\\a.mdb", "E'C:\\\\Data\\\\a.mdb'"},
                                            {"\\'", "E'\\\\'''"},
                                            {"张三\n", "'张三\n'"}}) {
        EXPECT_EQ(QuoteLiteral(text), quoted);
    }
}

TEST(PgQuote, RefusesNamesPostgresqlWouldCutAndTextItCannotHold) {
    std::string chinese; // 22 characters, 66 bytes
    for (int i = 0; i < 22; ++i)
        chinese += "账";
    for (const std::string& name :
         {std::string(), std::string("a\0b", 3), std::string("\xff"), std::string(64, 'a'), chinese}) {
        EXPECT_THROW(QuoteIdent(name), std::invalid_argument) << name;
    }
    EXPECT_THROW(QuoteLiteral(std::string("a\0b", 3)), std::invalid_argument);
    EXPECT_THROW(QuoteLiteral("\xc3"), std::invalid_argument);
}

TEST(PgQuote, FoldsNamesToLowerCaseAndMasterToTheServersOwnDatabase) {
    for (const auto& [name, folded] : Cases{{"kxOperator", "kxoperator"},
                                            {"ÄÖÜ", "äöü"},
                                            {"ΣΑΣ", "σασ"},
                                            {"单位名称", "单位名称"},
                                            {"Ａbc", "ａbc"}}) {
        EXPECT_EQ(FoldName(name), folded);
    }
    for (const auto& [name, folded] : Cases{{"master", "postgres"},
                                            {"MASTER", "postgres"},
                                            {"", "postgres"},
                                            {"kxAcc000001", "kxacc000001"}}) {
        EXPECT_EQ(FoldDatabaseName(name), folded);
    }
}

TEST(PgStatements, IdentityBlocksQuoteTheTableAndPickADollarTagItCannotClose) {
    const std::string sync = IdentitySyncSql("it's");
    EXPECT_EQ(sync.rfind("DO $kx$", 0), 0u) << sync;
    EXPECT_NE(sync.find("to_regclass('\"it''s\"')"), std::string::npos) << sync;
    EXPECT_EQ(sync.substr(sync.size() - 4), "$kx$");
    EXPECT_EQ(IdentitySyncSql("a$kx$b").rfind("DO $kx1$", 0), 0u);
    // The advance takes the given top value instead of reading the table.
    const std::string advance = IdentityAdvanceSql("t1", -9223372036854775807LL - 1);
    EXPECT_NE(advance.find("top_value := -9223372036854775808;"), std::string::npos) << advance;
    EXPECT_EQ(advance.find("max("), std::string::npos) << advance;
    EXPECT_NE(advance.find("to_regclass('\"t1\"')"), std::string::npos) << advance;
}

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
