#include "ado/tsql/TsqlExpression.h"

#include "ado/pg/PgQuote.h"
#include "ado/tsql/TokenCursor.h"
#include "ado/tsql/TsqlTypeMap.h"

#include "platform/CaseFolding.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace kx::ado::tsql {

namespace {


std::string Joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            joined += separator;
        }
        joined += parts[i];
    }
    return joined;
}

/// True for translated text that is nothing but a column reference: "c" or "t"."c".
bool IsColumnReference(std::string_view text) noexcept {
    int parts = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '"') {
            return false;
        }
        ++i;
        for (;;) {
            if (i >= text.size()) {
                return false;
            }
            if (text[i] == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            ++i;
        }
        ++parts;
        if (i < text.size()) {
            if (text[i] != '.') {
                return false;
            }
            ++i;
        }
    }
    return parts > 0;
}

} // namespace

std::string UntypedBitLiteral(std::string_view translated) {
    if (translated == "0" || translated == "1") {
        return "'" + std::string(translated) + "'";
    }
    return std::string(translated);
}

namespace {

class ExpressionReader {
  public:
    explicit ExpressionReader(TokenCursor& cursor) : cursor_(cursor) {}

    std::string Or() {
        std::string left = And();
        while (cursor_.AcceptKeyword("or")) {
            left += " OR " + And();
        }
        return left;
    }

  private:
    std::string And() {
        std::string left = Not();
        while (cursor_.AcceptKeyword("and")) {
            left += " AND " + Not();
        }
        return left;
    }

    std::string Not() {
        if (cursor_.AcceptKeyword("not")) {
            return "NOT " + Not();
        }
        return Predicate();
    }

    std::string Predicate() {
        std::string left = Additive();
        if (const TsqlToken* token = cursor_.Peek();
            token != nullptr && token->kind == TsqlTokenKind::Symbol) {
            static constexpr std::pair<std::string_view, std::string_view> kComparisons[] = {
                {"=", "="},   {"<>", "<>"}, {"!=", "<>"}, {"<", "<"},   {">", ">"},
                {"<=", "<="}, {">=", ">="}, {"!<", ">="}, {"!>", "<="},
            };
            for (const auto& [tsql, pg] : kComparisons) {
                if (token->text == tsql) {
                    cursor_.Take();
                    std::string right = Additive();
                    if (IsColumnReference(left)) {
                        right = UntypedBitLiteral(right);
                    } else if (IsColumnReference(right)) {
                        left = UntypedBitLiteral(left);
                    }
                    return left + " " + std::string(pg) + " " + right;
                }
            }
        }
        if (cursor_.AcceptKeyword("is")) {
            const bool negated = cursor_.AcceptKeyword("not");
            cursor_.ExpectKeyword("null");
            return left + (negated ? " IS NOT NULL" : " IS NULL");
        }
        const bool negated =
            cursor_.IsKeyword("not") &&
            (cursor_.IsKeyword("like", 1) || cursor_.IsKeyword("in", 1) || cursor_.IsKeyword("between", 1));
        if (negated) {
            cursor_.Take();
        }
        const std::string notText = negated ? "NOT " : "";
        if (cursor_.AcceptKeyword("like")) {
            return Like(left, notText);
        }
        if (cursor_.AcceptKeyword("in")) {
            cursor_.ExpectSymbol("(");
            RefuseSubquery();
            const std::vector<std::string> items = List(")");
            if (items.empty()) {
                cursor_.Fail("an empty IN list");
            }
            return left + " " + notText + "IN (" + Joined(items, ", ") + ")";
        }
        if (cursor_.AcceptKeyword("between")) {
            std::string low = Additive();
            cursor_.ExpectKeyword("and");
            return left + " " + notText + "BETWEEN " + low + " AND " + Additive();
        }
        return left;
    }

    std::string Like(const std::string& left, const std::string& notText) {
        if (const TsqlToken* pattern = cursor_.Peek();
            pattern != nullptr &&
            (pattern->kind == TsqlTokenKind::String || pattern->kind == TsqlTokenKind::NationalString) &&
            pattern->value.find('[') != std::string::npos) {
            cursor_.Fail("character classes ([...]) in LIKE patterns are not supported");
        }
        const std::string pattern = Additive();
        std::string escape = "''";
        if (cursor_.AcceptKeyword("escape")) {
            escape = Additive();
        }
        return "lower(CAST(" + left + " AS text)) COLLATE \"default\" " + notText + "LIKE lower(CAST(" +
               pattern + " AS text)) ESCAPE " + escape;
    }

    std::string Additive() {
        std::string left = Multiplicative();
        for (;;) {
            if (cursor_.AcceptSymbol("+")) {
                left += " + " + Multiplicative();
            } else if (cursor_.AcceptSymbol("-")) {
                left += " - " + Multiplicative();
            } else {
                return left;
            }
        }
    }

    std::string Multiplicative() {
        std::string left = Unary();
        for (;;) {
            if (cursor_.AcceptSymbol("*")) {
                left += " * " + Unary();
            } else if (cursor_.AcceptSymbol("/")) {
                left += " / " + Unary();
            } else if (cursor_.AcceptSymbol("%")) {
                left += " % " + Unary();
            } else if (cursor_.IsSymbol("&") || cursor_.IsSymbol("|") || cursor_.IsSymbol("^")) {
                cursor_.Fail("bitwise operators are not supported");
            } else {
                return left;
            }
        }
    }

    std::string Unary() {
        if (cursor_.AcceptSymbol("-")) {
            return "-" + Unary();
        }
        if (cursor_.AcceptSymbol("+")) {
            return Unary();
        }
        if (cursor_.IsSymbol("~")) {
            cursor_.Fail("bitwise operators are not supported");
        }
        return Primary();
    }

    void RefuseSubquery() const {
        if (cursor_.IsKeyword("select")) {
            cursor_.Fail("subqueries are not supported");
        }
    }

    std::string Primary() {
        const TsqlToken* token = cursor_.Peek();
        if (token == nullptr) {
            cursor_.Fail("expected a value");
        }
        switch (token->kind) {
        case TsqlTokenKind::String:
        case TsqlTokenKind::NationalString: {
            std::string literal = QuotedLiteral(cursor_, token->value);
            cursor_.Take();
            return literal;
        }
        case TsqlTokenKind::Number:
            return cursor_.Take().text;
        case TsqlTokenKind::Binary: {
            std::string literal = "CAST(" + QuotedLiteral(cursor_, "\\x" + token->value) + " AS bytea)";
            cursor_.Take();
            return literal;
        }
        case TsqlTokenKind::Variable:
            cursor_.Fail("variables are not supported");
        case TsqlTokenKind::Symbol:
            if (cursor_.AcceptSymbol("(")) {
                RefuseSubquery();
                std::string inner = Or();
                cursor_.ExpectSymbol(")");
                return "(" + inner + ")";
            }
            cursor_.Fail("expected a value");
        case TsqlTokenKind::Word:
            if (cursor_.AcceptKeyword("null")) {
                return "NULL";
            }
            if (cursor_.AcceptKeyword("case")) {
                return Case();
            }
            if (cursor_.IsSymbol("(", 1)) {
                return Function();
            }
            return ColumnReference();
        case TsqlTokenKind::QuotedName:
            return ColumnReference();
        }
        cursor_.Fail("expected a value");
    }

    std::string ColumnReference() {
        if (!cursor_.IsName()) {
            cursor_.Fail("expected a value");
        }
        std::string reference = QuotedName(cursor_, cursor_.TakeName("a column name"));
        if (cursor_.IsSymbol(".") && !cursor_.IsSymbol("*", 1)) {
            cursor_.Take();
            reference += "." + QuotedName(cursor_, cursor_.TakeName("a column name"));
            if (cursor_.IsSymbol(".")) {
                cursor_.Fail("column names with more than two parts are not supported");
            }
        }
        return reference;
    }

    std::string Case() {
        std::string text = "CASE";
        if (!cursor_.IsKeyword("when")) {
            text += " " + Or();
        }
        if (!cursor_.IsKeyword("when")) {
            cursor_.Fail("expected WHEN");
        }
        while (cursor_.AcceptKeyword("when")) {
            text += " WHEN " + Or();
            cursor_.ExpectKeyword("then");
            text += " THEN " + Or();
        }
        if (cursor_.AcceptKeyword("else")) {
            text += " ELSE " + Or();
        }
        cursor_.ExpectKeyword("end");
        return text + " END";
    }

    /// Expressions separated by commas up to `close`, which is consumed.
    std::vector<std::string> List(std::string_view close) {
        std::vector<std::string> items;
        if (cursor_.AcceptSymbol(close)) {
            return items;
        }
        do {
            items.push_back(Or());
        } while (cursor_.AcceptSymbol(","));
        cursor_.ExpectSymbol(close);
        return items;
    }

    void RequireArguments(const std::string& name, const std::vector<std::string>& args,
                          std::size_t count) const {
        if (args.size() != count) {
            cursor_.Fail("function " + name + " takes " + std::to_string(count) + " argument" +
                         (count == 1 ? "" : "s"));
        }
    }

    std::string Function() {
        const std::string name = platform::ToLower(cursor_.Take().text);
        cursor_.ExpectSymbol("(");
        if (name == "cast") {
            std::string value = Or();
            cursor_.ExpectKeyword("as");
            const std::string type = PgTypeFor(cursor_, TakeTsqlType(cursor_));
            cursor_.ExpectSymbol(")");
            return "CAST(" + value + " AS " + type + ")";
        }
        if (name == "convert") {
            const std::string type = PgTypeFor(cursor_, TakeTsqlType(cursor_));
            cursor_.ExpectSymbol(",");
            std::string value = Or();
            if (cursor_.IsSymbol(",")) {
                cursor_.Fail("CONVERT with a style is not supported");
            }
            cursor_.ExpectSymbol(")");
            return "CAST(" + value + " AS " + type + ")";
        }
        if (name == "count") {
            if (cursor_.AcceptSymbol("*")) {
                cursor_.ExpectSymbol(")");
                return "CAST(count(*) AS integer)";
            }
            const std::string distinct = cursor_.AcceptKeyword("distinct") ? "DISTINCT " : "";
            const std::vector<std::string> args = List(")");
            RequireArguments(name, args, 1);
            return "CAST(count(" + distinct + args[0] + ") AS integer)";
        }
        if (name == "max" || name == "min" || name == "sum" || name == "avg") {
            const std::string distinct = cursor_.AcceptKeyword("distinct") ? "DISTINCT " : "";
            const std::vector<std::string> args = List(")");
            RequireArguments(name, args, 1);
            return name + "(" + distinct + args[0] + ")";
        }
        RefuseSubquery();
        const std::vector<std::string> args = List(")");
        if (name == "len") {
            RequireArguments(name, args, 1);
            return "length(rtrim(CAST(" + args[0] + " AS text)))";
        }
        if (name == "datalength") {
            RequireArguments(name, args, 1);
            return "octet_length(" + args[0] + ")";
        }
        if (name == "isnull") {
            RequireArguments(name, args, 2);
            return "coalesce(" + args[0] + ", " + args[1] + ")";
        }
        if (name == "getdate") {
            RequireArguments(name, args, 0);
            return "LOCALTIMESTAMP";
        }
        if (name == "substring") {
            RequireArguments(name, args, 3);
            return "substr(" + Joined(args, ", ") + ")";
        }
        if (name == "charindex") {
            RequireArguments(name, args, 2);
            return "strpos(" + args[1] + ", " + args[0] + ")";
        }
        if (name == "ceiling") {
            RequireArguments(name, args, 1);
            return "ceil(" + args[0] + ")";
        }
        static constexpr std::string_view kSameName[] = {"upper",    "lower", "ltrim", "rtrim",
                                                         "abs",      "round", "floor", "replace",
                                                         "coalesce", "left",  "right"};
        if (std::find(std::begin(kSameName), std::end(kSameName), name) != std::end(kSameName)) {
            if (args.empty()) {
                cursor_.Fail("function " + name + " needs arguments");
            }
            return name + "(" + Joined(args, ", ") + ")";
        }
        cursor_.Fail("function " + name + " is not supported");
    }

    TokenCursor& cursor_;
};

} // namespace

std::string QuotedName(const TokenCursor& cursor, std::string_view tsqlName) {
    try {
        return pg::QuoteIdent(pg::FoldName(tsqlName));
    } catch (const std::invalid_argument& error) {
        cursor.Fail(error.what());
    }
}

std::string FoldedName(const TokenCursor& cursor, std::string_view tsqlName) {
    QuotedName(cursor, tsqlName);
    return pg::FoldName(tsqlName);
}

std::string FoldedDatabaseName(const TokenCursor& cursor, std::string_view tsqlName) {
    QuotedName(cursor, tsqlName);
    return pg::FoldDatabaseName(tsqlName);
}

std::string QuotedLiteral(const TokenCursor& cursor, std::string_view text) {
    try {
        return pg::QuoteLiteral(text);
    } catch (const std::invalid_argument& error) {
        cursor.Fail(error.what());
    }
}

TsqlType TakeTsqlType(TokenCursor& cursor) {
    const TsqlToken* token = cursor.Peek();
    if (token == nullptr || !token->IsNameLike()) {
        cursor.Fail("expected a type");
    }
    TsqlType type;
    type.name = cursor.Take().value;
    if (cursor.AcceptSymbol("(")) {
        do {
            const TsqlToken& arg = cursor.Take();
            if (arg.IsKeyword("max")) {
                type.args.push_back(kTsqlMaxLength);
                continue;
            }
            long long number = 0;
            const auto [end, error] =
                std::from_chars(arg.text.data(), arg.text.data() + arg.text.size(), number);
            if (arg.kind != TsqlTokenKind::Number || error != std::errc() ||
                end != arg.text.data() + arg.text.size()) {
                cursor.Fail("expected a whole number as argument of type " + type.name);
            }
            type.args.push_back(number);
        } while (cursor.AcceptSymbol(","));
        cursor.ExpectSymbol(")");
    }
    return type;
}

std::string PgTypeFor(const TokenCursor& cursor, const TsqlType& type) {
    try {
        return MapTsqlType(type.name, type.args);
    } catch (const std::invalid_argument& error) {
        cursor.Fail(error.what());
    }
}

std::string TranslateExpression(TokenCursor& cursor) {
    return ExpressionReader(cursor).Or();
}

} // namespace kx::ado::tsql
