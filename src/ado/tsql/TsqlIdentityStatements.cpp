// Recognizers of the statements about identity columns.

#include "ado/pg/PgQuote.h"
#include "platform/CaseFolding.h"
#include "ado/tsql/TokenCursor.h"
#include "ado/tsql/TranslationError.h"
#include "ado/tsql/TsqlExpression.h"
#include "ado/tsql/TsqlRecognizers.h"

#include <algorithm>

namespace kx::ado::tsql {

namespace {

const TsqlToken& TakeString(TokenCursor& cursor) {
    const TsqlToken* token = cursor.Peek();
    if (token == nullptr ||
        (token->kind != TsqlTokenKind::String && token->kind != TsqlTokenKind::NationalString)) {
        cursor.Fail("expected a string");
    }
    return cursor.Take();
}

/// The table that an OBJECT_ID argument names, or nothing when the text names no
/// table at all (OBJECT_ID then answers NULL).
std::optional<TsqlObjectName> TableNamedBy(const std::string& text) {
    try {
        TokenCursor inner(text);
        TsqlObjectName name = inner.TakeObjectName("a table name");
        if (!inner.AtEnd()) {
            return std::nullopt;
        }
        return name;
    } catch (const TranslationError&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<TranslationPlan> RecognizeSetIdentityInsert(TokenCursor& cursor) {
    if (!cursor.IsKeyword("set") || !cursor.IsKeyword("identity_insert", 1)) {
        return std::nullopt;
    }
    cursor.Take();
    cursor.Take();
    const TsqlObjectName name = cursor.TakeObjectName("a table name");
    bool on = false;
    if (cursor.AcceptKeyword("on")) {
        on = true;
    } else if (!cursor.AcceptKeyword("off")) {
        cursor.Fail("expected ON or OFF");
    }
    const std::string database =
        name.database.empty() ? std::string() : FoldedDatabaseName(cursor, name.database);
    const std::string table = FoldedName(cursor, name.object);
    TranslationPlan plan;
    plan.steps.emplace_back(SetIdentityInsert{database, table, on});
    if (!on) {
        plan.steps.emplace_back(SyncIdentity{database, table});
    }
    return plan;
}

std::optional<TranslationPlan> RecognizeTableHasIdentity(TokenCursor& cursor) {
    if (!cursor.IsKeyword("select") || !cursor.IsKeyword("objectproperty", 1)) {
        return std::nullopt;
    }
    cursor.Take();
    cursor.Take();
    cursor.ExpectSymbol("(");
    if (!cursor.AcceptKeyword("object_id")) {
        cursor.Fail("expected OBJECT_ID");
    }
    cursor.ExpectSymbol("(");
    const std::string nameText = TakeString(cursor).value;
    cursor.ExpectSymbol(")");
    cursor.ExpectSymbol(",");
    const std::string property = TakeString(cursor).value;
    cursor.ExpectSymbol(")");
    if (!platform::EqualsIgnoringCase(property, "TableHasIdentity")) {
        cursor.Fail("object property " + property + " is not supported");
    }
    if (cursor.AcceptKeyword("as")) {
        cursor.TakeName("a column alias");
    }

    TranslationPlan plan;
    const std::optional<TsqlObjectName> name = TableNamedBy(nameText);
    std::optional<std::string> table;
    std::string database;
    try {
        if (name) {
            table = pg::QuoteIdent(pg::FoldName(name->object));
            database = name->database.empty() ? std::string() : pg::FoldDatabaseName(name->database);
        }
    } catch (const std::invalid_argument&) {
        table.reset();
    }
    if (!table) {
        plan.steps.emplace_back(RunSql{"SELECT CAST(NULL AS integer)", {}, true});
        return plan;
    }
    plan.steps.emplace_back(
        RunSql{"SELECT (SELECT CASE WHEN EXISTS (SELECT 1 FROM pg_attribute a WHERE a.attrelid = c.oid "
               "AND a.attidentity <> '' AND NOT a.attisdropped) THEN 1 ELSE 0 END FROM pg_class c "
               "WHERE c.oid = to_regclass(" +
                   pg::QuoteLiteral(*table) + ") AND c.relkind IN ('r', 'p'))",
               database, true});
    return plan;
}

} // namespace kx::ado::tsql
