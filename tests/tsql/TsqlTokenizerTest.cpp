#include "ado/tsql/TsqlTokenizer.h"
#include "ado/tsql/TranslationError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kx::ado::tsql {
namespace {

/// The tokens as "kind(value)" joined by blanks; symbols as they are.
std::string TokensText(const std::vector<TsqlToken>& tokens) {
    std::string text;
    for (const TsqlToken& token : tokens) {
        const char* kinds[] = {"w", "q", "s", "n", "#", "x", "v", ""};
        const char* kind = kinds[static_cast<int>(token.kind)];
        text += (text.empty() ? "" : " ") + (*kind != '\0' ? kind + ("(" + token.value + ")") : token.value);
    }
    return text;
}

TEST(Tokenizer, SplitsTextIntoKindsAndValues) {
    const std::pair<const char*, const char*> cases[] = {
        {"Select opName", "w(Select) w(opName)"}, {"[a]]b] [my table]", "q(a]b) q(my table)"},
        {"[x]];--'\"/*] [[]]]]]", "q(x];--'\"/*) q([]])"},
        {"\"x\"\"y\"", "q(x\"y)"}, {"'it''s' ''", "s(it's) s()"}, {"'x'' OR ''1''=''1'", "s(x' OR '1'='1)"},
        {"N'张三' n'a' Name 单位名称", "n(张三) n(a) w(Name) w(单位名称)"},
        {"12 3.5 .5 1e3 2E-4", "#(12) #(3.5) #(.5) #(1e3) #(2E-4)"}, {"0x0aFF", "x(0aFF)"},
        {"@id @@IDENTITY", "v(@id) v(@@IDENTITY)"}, {"a<>b!=c<=d>=e", "w(a) <> w(b) != w(c) <= w(d) >= w(e)"},
        {"Len(AssistCode)>4", "w(Len) ( w(AssistCode) ) > #(4)"},
        {"db.dbo.t [db]..[t]", "w(db) . w(dbo) . w(t) q(db) . . q(t)"},
        {"a -- note 'x\nb /* x /* y */ z */ c", "w(a) w(b) w(c)"}, {"'--x' '/*'", "s(--x) s(/*)"},
        {" \t\r\n ", ""}
    };
    for (const auto& [sql, tokens] : cases)
        EXPECT_EQ(TokensText(TokenizeTsql(sql)), tokens) << sql;
}

TEST(Tokenizer, RecordsOffsetsOriginalTextAndKeywords) {
    const std::vector<TsqlToken> tokens = TokenizeTsql("sElEcT [select]");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[1].offset, 7u);
    EXPECT_EQ(tokens[1].text, "[select]");
    EXPECT_TRUE(tokens[0].IsKeyword("select"));
    EXPECT_FALSE(tokens[1].IsKeyword("select"));
    EXPECT_TRUE(IsTsqlReservedWord("FROM"));
    EXPECT_TRUE(IsTsqlReservedWord("where"));
    EXPECT_FALSE(IsTsqlReservedWord("opName"));
}

TEST(Tokenizer, FailsNamingTheStatementAndTheProblem) {
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT 'abc", "unterminated string"}, {"SELECT N'abc", "unterminated string"},
        {"SELECT [abc", "unterminated bracketed name"}, {"SELECT \"abc", "unterminated quoted name"},
        {"SELECT 1 /* a /* b */", "unterminated comment"}, {"SELECT ?", "unexpected character '?'"},
        {"SELECT 12abc", "malformed number"}, {"SELECT @", "a variable without a name"},
        {"SELECT '\xff'", "not valid UTF-8"}
    };
    for (const auto& [sql, problem] : cases) {
        try {
            TokenizeTsql(sql);
            ADD_FAILURE() << "no error for " << sql;
        } catch (const TranslationError& error) {
            EXPECT_EQ(error.statement(), sql);
            EXPECT_NE(std::string(error.what()).find(problem), std::string::npos) << error.what();
        }
    }
}

} // namespace
} // namespace kx::ado::tsql
