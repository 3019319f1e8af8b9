#include "ado/tsql/TsqlTokenizer.h"
#include "ado/tsql/TranslationError.h"

#include "ParamNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kx::ado::tsql {
namespace {

struct TokenCase {
    const char* name;
    const char* sql;
    std::vector<std::pair<TsqlTokenKind, std::string>> expected; // kind and value
};

void PrintTo(const TokenCase& c, std::ostream* os) {
    *os << c.sql;
}

class TokenizerTable : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerTable, SplitsTextIntoKindsAndValues) {
    const TokenCase& c = GetParam();
    const std::vector<TsqlToken> tokens = TokenizeTsql(c.sql);
    ASSERT_EQ(tokens.size(), c.expected.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        EXPECT_EQ(tokens[i].kind, c.expected[i].first) << "token " << i << " \"" << tokens[i].text << "\"";
        EXPECT_EQ(tokens[i].value, c.expected[i].second) << "token " << i;
    }
}

using K = TsqlTokenKind;

INSTANTIATE_TEST_SUITE_P(
    Tokens, TokenizerTable,
    ::testing::Values(
        TokenCase{"BareWords", "Select opName", {{K::Word, "Select"}, {K::Word, "opName"}}},
        TokenCase{"BracketedNameWithEscapedBracket", "[a]]b]", {{K::QuotedName, "a]b"}}},
        TokenCase{"BracketedNameWithBlank", "[my table]", {{K::QuotedName, "my table"}}},
        TokenCase{"DoubleQuotedName", "\"x\"\"y\"", {{K::QuotedName, "x\"y"}}},
        TokenCase{"StringWithDoubledQuote", "'it''s'", {{K::String, "it's"}}},
        TokenCase{"EmptyString", "''", {{K::String, ""}}},
        TokenCase{"InjectionAttemptStaysOneString", "'x'' OR ''1''=''1'", {{K::String, "x' OR '1'='1"}}},
        TokenCase{"NationalString", "N'张三'", {{K::NationalString, "张三"}}},
        TokenCase{"LowerCaseNationalString", "n'a'", {{K::NationalString, "a"}}},
        TokenCase{"WordStartingWithNIsAWord", "Name", {{K::Word, "Name"}}},
        TokenCase{"ChineseName", "单位名称", {{K::Word, "单位名称"}}},
        TokenCase{"Numbers",
                  "12 3.5 .5 1e3 2E-4",
                  {{K::Number, "12"},
                   {K::Number, "3.5"},
                   {K::Number, ".5"},
                   {K::Number, "1e3"},
                   {K::Number, "2E-4"}}},
        TokenCase{"BinaryLiteral", "0x0aFF", {{K::Binary, "0aFF"}}},
        TokenCase{"Variables", "@id @@IDENTITY", {{K::Variable, "@id"}, {K::Variable, "@@IDENTITY"}}},
        TokenCase{"Operators",
                  "a<>b!=c<=d>=e",
                  {{K::Word, "a"},
                   {K::Symbol, "<>"},
                   {K::Word, "b"},
                   {K::Symbol, "!="},
                   {K::Word, "c"},
                   {K::Symbol, "<="},
                   {K::Word, "d"},
                   {K::Symbol, ">="},
                   {K::Word, "e"}}},
        TokenCase{"LenComparisonWithoutBlanks",
                  "Len(AssistCode)>4",
                  {{K::Word, "Len"},
                   {K::Symbol, "("},
                   {K::Word, "AssistCode"},
                   {K::Symbol, ")"},
                   {K::Symbol, ">"},
                   {K::Number, "4"}}},
        TokenCase{"ThreePartName",
                  "db.dbo.t",
                  {{K::Word, "db"}, {K::Symbol, "."}, {K::Word, "dbo"}, {K::Symbol, "."}, {K::Word, "t"}}},
        TokenCase{"ThreePartNameWithEmptySchema",
                  "[db]..[t]",
                  {{K::QuotedName, "db"}, {K::Symbol, "."}, {K::Symbol, "."}, {K::QuotedName, "t"}}},
        TokenCase{"LineComment", "a -- note 'x\nb", {{K::Word, "a"}, {K::Word, "b"}}},
        TokenCase{"NestedBlockComment", "a /* x /* y */ z */ b", {{K::Word, "a"}, {K::Word, "b"}}},
        TokenCase{
            "CommentMarkersInsideStringsAreText", "'--x' '/*'", {{K::String, "--x"}, {K::String, "/*"}}},
        TokenCase{"OnlyBlanks", " \t\r\n ", {}}),
    [](const ::testing::TestParamInfo<TokenCase>& param) { return std::string(param.param.name); });

TEST(Tokenizer, RecordsOffsetsAndOriginalText) {
    const std::vector<TsqlToken> tokens = TokenizeTsql("SELECT [x]");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[1].offset, 7u);
    EXPECT_EQ(tokens[1].text, "[x]");
}

TEST(Tokenizer, KeywordsMatchOnlyBareWordsWithoutRegardToCase) {
    const std::vector<TsqlToken> tokens = TokenizeTsql("sElEcT [select]");
    EXPECT_TRUE(tokens[0].IsKeyword("select"));
    EXPECT_FALSE(tokens[1].IsKeyword("select"));
}

TEST(Tokenizer, ReservedWordsAreRecognisedWithoutRegardToCase) {
    EXPECT_TRUE(IsTsqlReservedWord("FROM"));
    EXPECT_TRUE(IsTsqlReservedWord("where"));
    EXPECT_FALSE(IsTsqlReservedWord("opName"));
}

class TokenizerFailure : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(TokenizerFailure, FailsNamingTheStatementAndTheProblem) {
    const auto& [sql, problem] = GetParam();
    try {
        TokenizeTsql(sql);
        FAIL() << "no error for " << sql;
    } catch (const TranslationError& error) {
        EXPECT_EQ(error.statement(), sql);
        EXPECT_NE(std::string(error.what()).find(problem), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Malformed, TokenizerFailure,
                         ::testing::Values(std::make_pair("SELECT 'abc", "unterminated string"),
                                           std::make_pair("SELECT N'abc", "unterminated string"),
                                           std::make_pair("SELECT [abc", "unterminated bracketed name"),
                                           std::make_pair("SELECT \"abc", "unterminated quoted name"),
                                           std::make_pair("SELECT 1 /* a /* b */", "unterminated comment"),
                                           std::make_pair("SELECT ?", "unexpected character '?'"),
                                           std::make_pair("SELECT 12abc", "malformed number"),
                                           std::make_pair("SELECT @", "a variable without a name"),
                                           std::make_pair("SELECT '\xff'", "not valid UTF-8")),
                         test::ReadableParamName());

} // namespace
} // namespace kx::ado::tsql
