#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kx::ado::tsql {

class TokenCursor;

/// A T-SQL type as written: its name and the numbers in parentheses
/// (kTsqlMaxLength for MAX).
struct TsqlType {
    std::string name;
    std::vector<long long> args;
};

/// A T-SQL name folded to lower case (pg::FoldName) and quoted for PostgreSQL
/// (pg::QuoteIdent); a name PostgreSQL cannot hold fails through the cursor.
std::string QuotedName(const TokenCursor& cursor, std::string_view tsqlName);

/// A T-SQL name folded to lower case; checked as QuotedName checks it.
std::string FoldedName(const TokenCursor& cursor, std::string_view tsqlName);

/// A T-SQL database name as its PostgreSQL database (pg::FoldDatabaseName); checked as
/// QuotedName checks a name.
std::string FoldedDatabaseName(const TokenCursor& cursor, std::string_view tsqlName);

/// A PostgreSQL literal of the given text; a text PostgreSQL cannot hold (a NUL
/// character) fails through the cursor.
std::string QuotedLiteral(const TokenCursor& cursor, std::string_view text);

/// Reads a type at the cursor: a name ([int] or int) and optional arguments,
/// "(50)", "(18, 4)", "(MAX)".
TsqlType TakeTsqlType(TokenCursor& cursor);

/// The PostgreSQL type of a T-SQL type (MapTsqlType), failing through the cursor.
std::string PgTypeFor(const TokenCursor& cursor, const TsqlType& type);

/// The literals 0 and 1 written as untyped literals '0' and '1', which PostgreSQL
/// reads as whatever type the column they meet has: a number for a number column,
/// false and true for a boolean one (T-SQL bit). Any other text is returned as it is.
std::string UntypedBitLiteral(std::string_view translated);

/// Reads one T-SQL expression at the cursor, a value or a condition, and returns
/// it as PostgreSQL text. Reading stops before the first token that cannot
/// continue the expression. What is translated:
/// - names: folded and quoted, "[Tab].[Col]" → "tab"."col"; strings and N'' strings
///   re-quoted (pg::QuoteLiteral), so a string stays one literal whatever it holds;
///   numbers as written; 0x.. as bytea;
/// - operators + - * / %, comparisons (!= → <>; a column compared with 0 or 1 takes
///   them as UntypedBitLiteral, so bit columns compare as in T-SQL), AND, OR, NOT, IS [NOT] NULL,
///   [NOT] IN (list), [NOT] BETWEEN, CASE, parentheses;
/// - [NOT] LIKE compares without regard to letter case, as it does under a
///   case-insensitive collation, and without the backslash escape T-SQL does not
///   have: lower(CAST(x AS text)) COLLATE "default" LIKE lower(CAST(p AS text)) ESCAPE '';
/// - functions: LEN(x) → length(rtrim(CAST(x AS text))) (trailing blanks do not
///   count); COUNT(...) → CAST(count(...) AS integer); ISNULL → coalesce;
///   GETDATE() → LOCALTIMESTAMP; SUBSTRING → substr; CHARINDEX(a, b) → strpos(b, a);
///   CEILING → ceil; DATALENGTH → octet_length; CAST and CONVERT(type, x) with the
///   mapped type; MAX, MIN, SUM, AVG, UPPER, LOWER, LTRIM, RTRIM, ABS, ROUND, FLOOR,
///   REPLACE, COALESCE, LEFT, RIGHT as they are.
/// Variables, subqueries, character classes in LIKE patterns and other functions
/// fail with a TranslationError.
std::string TranslateExpression(TokenCursor& cursor);

} // namespace kx::ado::tsql
