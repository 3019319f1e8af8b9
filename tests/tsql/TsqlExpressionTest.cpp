#include "ado/tsql/TsqlExpression.h"
#include "ado/tsql/TokenCursor.h"
#include "ado/tsql/TranslationError.h"

#include <gtest/gtest.h>

#include <string>

namespace kx::ado::tsql {
namespace {

TEST(Expression, TranslatesTheWholeExpression) {
    const std::pair<const char*, const char*> cases[] = {
        {"[Code]", "\"code\""},
        {"t.[My Col]", "\"t\".\"my col\""},
        {"N'张三'", "'张三'"},
        {"'a\\b'", "E'a\\\\b'"},
        {"0x00ff", "CAST(E'\\\\x00ff' AS bytea)"},
        {"-1.5e3 + 2 * (3 - x) % 4 / y", "-1.5e3 + 2 * (3 - \"x\") % 4 / \"y\""},
        {"a != b AND NOT c <> d OR e !< f", "\"a\" <> \"b\" AND NOT \"c\" <> \"d\" OR \"e\" >= \"f\""},
        {"a IS NULL OR b IS NOT NULL", "\"a\" IS NULL OR \"b\" IS NOT NULL"},
        {"a NOT IN (1, 2) AND b IN ('x')", "\"a\" NOT IN (1, 2) AND \"b\" IN ('x')"},
        {"a BETWEEN 1 AND 2 AND b NOT BETWEEN 3 AND 4",
         "\"a\" BETWEEN 1 AND 2 AND \"b\" NOT BETWEEN 3 AND 4"},
        {"CASE WHEN a = 2 THEN 'x' ELSE NULL END", "CASE WHEN \"a\" = 2 THEN 'x' ELSE NULL END"},
        {"CASE a WHEN 1 THEN 2 END", "CASE \"a\" WHEN 1 THEN 2 END"},
        // A bare 0 or 1 compared with a column may meet a bit column.
        {"Flag = 1 AND 0 <> t.[Flag]", "\"flag\" = '1' AND '0' <> \"t\".\"flag\""},
        {"a + 1 = 1", "\"a\" + 1 = 1"},
        {"Len(AssistCode)", "length(rtrim(CAST(\"assistcode\" AS text)))"},
        {"LEN(a + 'x  ')", "length(rtrim(CAST(\"a\" + 'x  ' AS text)))"},
        {"Count(*)", "CAST(count(*) AS integer)"},
        {"COUNT(DISTINCT a)", "CAST(count(DISTINCT \"a\") AS integer)"},
        {"IsNull(a, 0)", "coalesce(\"a\", 0)"},
        {"GETDATE()", "LOCALTIMESTAMP"},
        {"SubString(a, 1, 2)", "substr(\"a\", 1, 2)"},
        {"CHARINDEX('x', a)", "strpos(\"a\", 'x')"},
        {"CONVERT(varchar(256), a)", "CAST(\"a\" AS varchar(256))"},
        {"CAST(a AS [money])", "CAST(\"a\" AS numeric(19,4))"},
        {"Max(a) - Min(a)", "max(\"a\") - min(\"a\")"},
        {"Upper(LTrim(RTrim(a)))", "upper(ltrim(rtrim(\"a\")))"},
        {"Left(a, 2)", "left(\"a\", 2)"},
        {"Ceiling(a)", "ceil(\"a\")"},
        // LIKE ignores letter case and knows no backslash escape unless one is named.
        {"opName LIKE 'Adm%'",
         "lower(CAST(\"opname\" AS text)) COLLATE \"default\" LIKE lower(CAST('Adm%' AS text)) ESCAPE ''"},
        {"a NOT LIKE '5!%' ESCAPE '!'",
         "lower(CAST(\"a\" AS text)) COLLATE \"default\" NOT LIKE lower(CAST('5!%' AS text)) ESCAPE '!'"},
    };
    for (const auto& [tsql, pg] : cases) {
        TokenCursor cursor(tsql);
        EXPECT_EQ(TranslateExpression(cursor), pg) << tsql;
        EXPECT_TRUE(cursor.AtEnd()) << "stopped early in " << tsql;
    }
}

TEST(Expression, StopsBeforeTheFirstTokenThatCannotContinueIt) {
    TokenCursor cursor("a = 2 ORDER BY a");
    EXPECT_EQ(TranslateExpression(cursor), "\"a\" = 2");
    EXPECT_TRUE(cursor.IsKeyword("order"));
}

TEST(Expression, FailsSayingWhy) {
    const std::pair<std::string, const char*> cases[] = {
        {"@id = 1", "variables are not supported"},
        {"a IN (SELECT b FROM t)", "subqueries are not supported"},
        {"(SELECT 1)", "subqueries are not supported"}, {"a LIKE '[abc]%'", "character classes"},
        {"NEWID()", "function newid is not supported"}, {"a & 1", "bitwise operators"},
        {"Len(a, b)", "function len takes 1 argument"}, {"(a = 1", "expected \")\""},
        {"a = ", "expected a value"}, {"CONVERT(varchar(10), a, 120)", "CONVERT with a style"},
        {"CAST(a AS xml)", "type xml"}, {"a.b.c", "more than two parts"}, {std::string("'a\0b'", 5), "NUL"}
    };
    for (const auto& [tsql, problem] : cases) {
        try {
            TokenCursor cursor(tsql);
            TranslateExpression(cursor);
            ADD_FAILURE() << "no error for " << tsql;
        } catch (const TranslationError& error) {
            EXPECT_NE(error.detail().find(problem), std::string::npos) << error.detail();
        }
    }
}

} // namespace
} // namespace kx::ado::tsql
