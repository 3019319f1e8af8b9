#include "ado/pg/PgQuote.h"

#include "ParamNames.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace kx::ado::pg {
namespace {

class QuoteIdentTable : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(QuoteIdentTable, AlwaysQuotesAndDoublesEmbeddedQuotes) {
    EXPECT_EQ(QuoteIdent(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Names, QuoteIdentTable,
    ::testing::Values(std::make_pair("t1", "\"t1\""), std::make_pair("Mixed", "\"Mixed\""),
                      std::make_pair("a\"b", "\"a\"\"b\""), std::make_pair("my table", "\"my table\""),
                      std::make_pair("x\"; DROP TABLE t; --", "\"x\"\"; DROP TABLE t; --\""),
                      std::make_pair("单位名称", "\"单位名称\"")),
    test::ReadableParamName());

TEST(QuoteIdent, RefusesNamesPostgresqlWouldCutOrCannotHold) {
    EXPECT_THROW(QuoteIdent(""), std::invalid_argument);
    EXPECT_THROW(QuoteIdent(std::string("a\0b", 3)), std::invalid_argument);
    EXPECT_THROW(QuoteIdent("\xff"), std::invalid_argument);
    EXPECT_NO_THROW(QuoteIdent(std::string(63, 'a')));
    EXPECT_THROW(QuoteIdent(std::string(64, 'a')), std::invalid_argument);
    // 22 Chinese characters are 66 bytes: too long although only 22 characters.
    std::string chinese;
    for (int i = 0; i < 22; ++i) {
        chinese += "账";
    }
    EXPECT_THROW(QuoteIdent(chinese), std::invalid_argument);
}

class QuoteLiteralTable : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(QuoteLiteralTable, KeepsTheTextOneLiteral) {
    EXPECT_EQ(QuoteLiteral(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Texts, QuoteLiteralTable,
                         ::testing::Values(std::make_pair("", "''"), std::make_pair("abc", "'abc'"),
                                           std::make_pair("it's", "'it''s'"),
                                           std::make_pair("x' OR '1'='1", "'x'' OR ''1''=''1'"),
                                           std::make_pair("C:\\Data\\a.mdb", "E'C:\\\\Data\\\\a.mdb'"),
                                           std::make_pair("\\'", "E'\\\\'''"),
                                           std::make_pair("张三\n", "'张三\n'")),
                         test::ReadableParamName());

TEST(QuoteLiteral, RefusesTextNoPostgresqlTextCanHold) {
    EXPECT_THROW(QuoteLiteral(std::string("a\0b", 3)), std::invalid_argument);
    EXPECT_THROW(QuoteLiteral("\xc3"), std::invalid_argument);
}

class FoldNameTable : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(FoldNameTable, FoldsToLowerCase) {
    EXPECT_EQ(FoldName(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Names, FoldNameTable,
                         ::testing::Values(std::make_pair("kxOperator", "kxoperator"),
                                           std::make_pair("KXACC000001", "kxacc000001"),
                                           std::make_pair("opName", "opname"), std::make_pair("ÄÖÜ", "äöü"),
                                           std::make_pair("ΣΑΣ", "σασ"),
                                           std::make_pair("单位名称", "单位名称"),
                                           std::make_pair("Ａbc", "ａbc")),
                         test::ReadableParamName());

TEST(FoldDatabaseName, TakesMasterAndTheEmptyNameAsTheServersOwnDatabase) {
    EXPECT_EQ(FoldDatabaseName("master"), "postgres");
    EXPECT_EQ(FoldDatabaseName("MASTER"), "postgres");
    EXPECT_EQ(FoldDatabaseName(""), "postgres");
    EXPECT_EQ(FoldDatabaseName("kxAcc000001"), "kxacc000001");
}

} // namespace
} // namespace kx::ado::pg
