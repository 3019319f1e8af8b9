#include "ado/tsql/TsqlExpression.h"
#include "ado/tsql/TokenCursor.h"
#include "ado/tsql/TranslationError.h"

#include "ParamNames.h"

#include <gtest/gtest.h>

#include <string>

namespace kx::ado::tsql {
namespace {

struct ExpressionCase {
    const char* tsql;
    const char* pg;
};

void PrintTo(const ExpressionCase& c, std::ostream* os) {
    *os << c.tsql;
}

std::string ParamText(const ExpressionCase& c) {
    return c.tsql;
}

class ExpressionTable : public ::testing::TestWithParam<ExpressionCase> {};

TEST_P(ExpressionTable, TranslatesTheWholeExpression) {
    TokenCursor cursor(GetParam().tsql);
    EXPECT_EQ(TranslateExpression(cursor), GetParam().pg);
    EXPECT_TRUE(cursor.AtEnd()) << "stopped early";
}

INSTANTIATE_TEST_SUITE_P(
    ValuesAndOperators, ExpressionTable,
    ::testing::Values(
        ExpressionCase{"[Code]", "\"code\""}, ExpressionCase{"t.[My Col]", "\"t\".\"my col\""},
        ExpressionCase{"N'张三'", "'张三'"}, ExpressionCase{"'a\\b'", "E'a\\\\b'"},
        ExpressionCase{"0x00ff", "CAST(E'\\\\x00ff' AS bytea)"},
        ExpressionCase{"-1.5e3 + 2 * (3 - x) % 4 / y", "-1.5e3 + 2 * (3 - \"x\") % 4 / \"y\""},
        ExpressionCase{"a != b AND NOT c <> d OR e !< f",
                       "\"a\" <> \"b\" AND NOT \"c\" <> \"d\" OR \"e\" >= \"f\""},
        ExpressionCase{"a IS NULL OR b IS NOT NULL", "\"a\" IS NULL OR \"b\" IS NOT NULL"},
        ExpressionCase{"a NOT IN (1, 2) AND b IN ('x')", "\"a\" NOT IN (1, 2) AND \"b\" IN ('x')"},
        ExpressionCase{"a BETWEEN 1 AND 2 AND b NOT BETWEEN 3 AND 4",
                       "\"a\" BETWEEN 1 AND 2 AND \"b\" NOT BETWEEN 3 AND 4"},
        ExpressionCase{"CASE WHEN a = 2 THEN 'x' ELSE NULL END",
                       "CASE WHEN \"a\" = 2 THEN 'x' ELSE NULL END"},
        ExpressionCase{"Flag = 1 AND 0 <> t.[Flag]", "\"flag\" = '1' AND '0' <> \"t\".\"flag\""},
        ExpressionCase{"a + 1 = 1", "\"a\" + 1 = 1"},
        ExpressionCase{"CASE a WHEN 1 THEN 2 END", "CASE \"a\" WHEN 1 THEN 2 END"}),
    test::ReadableParamName());

INSTANTIATE_TEST_SUITE_P(
    Functions, ExpressionTable,
    ::testing::Values(ExpressionCase{"Len(AssistCode)", "length(rtrim(CAST(\"assistcode\" AS text)))"},
                      ExpressionCase{"LEN(a + 'x  ')", "length(rtrim(CAST(\"a\" + 'x  ' AS text)))"},
                      ExpressionCase{"Count(*)", "CAST(count(*) AS integer)"},
                      ExpressionCase{"COUNT(DISTINCT a)", "CAST(count(DISTINCT \"a\") AS integer)"},
                      ExpressionCase{"IsNull(a, 0)", "coalesce(\"a\", 0)"},
                      ExpressionCase{"GETDATE()", "LOCALTIMESTAMP"},
                      ExpressionCase{"SubString(a, 1, 2)", "substr(\"a\", 1, 2)"},
                      ExpressionCase{"CHARINDEX('x', a)", "strpos(\"a\", 'x')"},
                      ExpressionCase{"CONVERT(varchar(256), a)", "CAST(\"a\" AS varchar(256))"},
                      ExpressionCase{"CAST(a AS [money])", "CAST(\"a\" AS numeric(19,4))"},
                      ExpressionCase{"Max(a) - Min(a)", "max(\"a\") - min(\"a\")"},
                      ExpressionCase{"Upper(LTrim(RTrim(a)))", "upper(ltrim(rtrim(\"a\")))"},
                      ExpressionCase{"Left(a, 2)", "left(\"a\", 2)"},
                      ExpressionCase{"Ceiling(a)", "ceil(\"a\")"}),
    test::ReadableParamName());

TEST(LikeExpression, IgnoresLetterCaseAndHasNoBackslashEscape) {
    TokenCursor cursor("opName LIKE 'Adm%'");
    EXPECT_EQ(
        TranslateExpression(cursor),
        "lower(CAST(\"opname\" AS text)) COLLATE \"default\" LIKE lower(CAST('Adm%' AS text)) ESCAPE ''");
}

TEST(LikeExpression, KeepsNotAndAnExplicitEscape) {
    TokenCursor cursor("a NOT LIKE '5!%' ESCAPE '!'");
    EXPECT_EQ(
        TranslateExpression(cursor),
        "lower(CAST(\"a\" AS text)) COLLATE \"default\" NOT LIKE lower(CAST('5!%' AS text)) ESCAPE '!'");
}

TEST(Expression, StopsBeforeTheFirstTokenThatCannotContinueIt) {
    TokenCursor cursor("a = 2 ORDER BY a");
    EXPECT_EQ(TranslateExpression(cursor), "\"a\" = 2");
    EXPECT_TRUE(cursor.IsKeyword("order"));
}

class ExpressionRefusal : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(ExpressionRefusal, FailsSayingWhy) {
    try {
        TokenCursor cursor(GetParam().first);
        TranslateExpression(cursor);
        FAIL() << "no error";
    } catch (const TranslationError& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().second), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Unsupported, ExpressionRefusal,
    ::testing::Values(std::make_pair("@id = 1", "variables are not supported"),
                      std::make_pair("a IN (SELECT b FROM t)", "subqueries are not supported"),
                      std::make_pair("(SELECT 1)", "subqueries are not supported"),
                      std::make_pair("a LIKE '[abc]%'", "character classes"),
                      std::make_pair("NEWID()", "function newid is not supported"),
                      std::make_pair("a & 1", "bitwise operators"),
                      std::make_pair("Len(a, b)", "function len takes 1 argument"),
                      std::make_pair("(a = 1", "expected \")\""), std::make_pair("a = ", "expected a value"),
                      std::make_pair("CONVERT(varchar(10), a, 120)", "CONVERT with a style"),
                      std::make_pair("CAST(a AS xml)", "type xml"),
                      std::make_pair("a.b.c", "more than two parts")),
    test::ReadableParamName());

TEST(Expression, RefusesALiteralWithANulCharacter) {
    const std::string sql("'a\0b'", 5);
    TokenCursor cursor(sql);
    EXPECT_THROW(TranslateExpression(cursor), TranslationError);
}

} // namespace
} // namespace kx::ado::tsql
