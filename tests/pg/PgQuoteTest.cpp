#include "ado/pg/PgQuote.h"
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

} // namespace
} // namespace kx::ado::pg
