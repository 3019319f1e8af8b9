// Recognizers of the statements that work on whole databases: creating one,
// switching to one, listing them by a property, and the shrink batch run after a
// new book has been cleared.

#include "ado/pg/PgDatabaseProperties.h"
#include "ado/pg/PgStatements.h"
#include "ado/tsql/TokenCursor.h"
#include "ado/tsql/TsqlExpression.h"
#include "ado/tsql/TsqlRecognizers.h"
#include "platform/CaseFolding.h"

namespace kx::ado::tsql {

namespace {

/// The database of the shrink batch's statements: a name, or a string holding one.
std::string TakeDatabaseArgument(TokenCursor& cursor) {
    const TsqlToken* token = cursor.Peek();
    if (token != nullptr &&
        (token->kind == TsqlTokenKind::String || token->kind == TsqlTokenKind::NationalString)) {
        std::string name = token->value;
        cursor.Take();
        if (name.empty()) {
            cursor.Fail("empty database name");
        }
        return FoldedDatabaseName(cursor, name);
    }
    return FoldedDatabaseName(cursor, cursor.TakeName("a database name"));
}

/// "WITH NO_LOG" or "WITH TRUNCATE_ONLY", the log truncation options.
void TakeLogTruncation(TokenCursor& cursor) {
    cursor.ExpectKeyword("with");
    if (!cursor.AcceptKeyword("no_log") && !cursor.AcceptKeyword("truncate_only")) {
        cursor.Fail("only WITH NO_LOG or WITH TRUNCATE_ONLY is supported");
    }
}

} // namespace

std::optional<TranslationPlan> RecognizeCreateDatabase(TokenCursor& cursor) {
    if (!cursor.IsKeyword("create") || !cursor.IsKeyword("database", 1)) {
        return std::nullopt;
    }
    cursor.Take();
    cursor.Take();
    const std::string database = FoldedDatabaseName(cursor, cursor.TakeName("a database name"));
    TranslationPlan plan;
    // "AS COPY OF [source]": the server copies the whole database, whose identity
    // columns then carry on from their rows, as in tables copied row by row.
    if (cursor.AcceptKeyword("as")) {
        if (!cursor.AcceptKeyword("copy") || !cursor.AcceptKeyword("of")) {
            cursor.Fail("expected AS COPY OF");
        }
        const std::string source = FoldedDatabaseName(cursor, cursor.TakeName("the source database name"));
        plan.steps.emplace_back(CreateDatabase{database, pg::CreateDatabaseCopySql(database, source),
                                               pg::CollationSetupSql() + ";\n" + pg::CopiedIdentitiesSql(),
                                               source});
        return plan;
    }
    plan.steps.emplace_back(
        CreateDatabase{database, pg::CreateDatabaseSql(database), pg::CollationSetupSql(), {}});
    return plan;
}

std::optional<TranslationPlan> RecognizeDropDatabase(TokenCursor& cursor) {
    if (!cursor.IsKeyword("drop") || !cursor.IsKeyword("database", 1)) {
        return std::nullopt;
    }
    cursor.Take();
    cursor.Take();
    const std::string database = FoldedDatabaseName(cursor, cursor.TakeName("a database name"));
    TranslationPlan plan;
    plan.steps.emplace_back(DropDatabase{database, pg::DropDatabaseSql(database)});
    return plan;
}

std::optional<TranslationPlan> RecognizeUse(TokenCursor& cursor) {
    if (!cursor.AcceptKeyword("use")) {
        return std::nullopt;
    }
    TranslationPlan plan;
    plan.steps.emplace_back(SwitchDatabase{FoldedDatabaseName(cursor, cursor.TakeName("a database name"))});
    return plan;
}

namespace {

/// "<first> <second> [db] WITH NO_LOG": a log truncation, which has nothing to
/// do on PostgreSQL.
std::optional<TranslationPlan> RecognizeLogTruncation(TokenCursor& cursor, std::string_view first,
                                                      std::string_view second) {
    if (!cursor.IsKeyword(first) || !cursor.IsKeyword(second, 1)) {
        return std::nullopt;
    }
    cursor.Take();
    cursor.Take();
    TakeDatabaseArgument(cursor);
    TakeLogTruncation(cursor);
    return TranslationPlan{};
}

} // namespace

std::optional<TranslationPlan> RecognizeDumpTransaction(TokenCursor& cursor) {
    return RecognizeLogTruncation(cursor, "dump", "transaction");
}

std::optional<TranslationPlan> RecognizeBackupLog(TokenCursor& cursor) {
    return RecognizeLogTruncation(cursor, "backup", "log");
}

std::optional<TranslationPlan> RecognizeShrinkDatabase(TokenCursor& cursor) {
    if (!cursor.IsKeyword("dbcc") || !cursor.IsKeyword("shrinkdatabase", 1)) {
        return std::nullopt;
    }
    cursor.Take();
    cursor.Take();
    cursor.ExpectSymbol("(");
    const std::string database = TakeDatabaseArgument(cursor);
    if (cursor.AcceptSymbol(",")) {
        // The target free space has no counterpart: VACUUM frees what it can.
        const TsqlToken& percent = cursor.Take();
        if (percent.kind != TsqlTokenKind::Number) {
            cursor.Fail("expected the target percentage");
        }
    }
    cursor.ExpectSymbol(")");
    if (cursor.AcceptKeyword("with")) {
        if (!cursor.AcceptKeyword("no_infomsgs")) {
            cursor.Fail("only WITH NO_INFOMSGS is supported");
        }
    }
    TranslationPlan plan;
    plan.steps.emplace_back(ShrinkDatabase{database, "VACUUM"});
    return plan;
}

namespace {

/// A bare or bracketed name equal to `word`, without regard to case.
void ExpectNameOf(TokenCursor& cursor, std::string_view word) {
    const TsqlToken* token = cursor.Peek();
    if (token == nullptr || !token->IsNameLike() || !platform::EqualsIgnoringCase(token->value, word)) {
        cursor.Fail("expected " + std::string(word));
    }
    cursor.Take();
}

/// "alias.column".
void ExpectColumn(TokenCursor& cursor, std::string_view alias, std::string_view column) {
    ExpectNameOf(cursor, alias);
    cursor.ExpectSymbol(".");
    ExpectNameOf(cursor, column);
}

/// "sys.view [AS] alias".
void ExpectCatalogView(TokenCursor& cursor, std::string_view view, std::string_view alias) {
    ExpectNameOf(cursor, "sys");
    cursor.ExpectSymbol(".");
    ExpectNameOf(cursor, view);
    cursor.AcceptKeyword("as");
    ExpectNameOf(cursor, alias);
}

std::string TakeText(TokenCursor& cursor) {
    const TsqlToken* token = cursor.Peek();
    if (token == nullptr ||
        (token->kind != TsqlTokenKind::String && token->kind != TsqlTokenKind::NationalString)) {
        cursor.Fail("expected a string");
    }
    return cursor.Take().value;
}

/// True when the SELECT under the cursor (past its SELECT) reads FROM sys.databases.
bool ReadsDatabaseCatalog(const TokenCursor& cursor) {
    for (std::size_t ahead = 0; const TsqlToken* token = cursor.Peek(ahead); ++ahead) {
        if (token->IsKeyword("from")) {
            const TsqlToken* schema = cursor.Peek(ahead + 1);
            const TsqlToken* view = cursor.Peek(ahead + 3);
            return schema != nullptr && view != nullptr &&
                   platform::EqualsIgnoringCase(schema->value, "sys") && cursor.IsSymbol(".", ahead + 2) &&
                   platform::EqualsIgnoringCase(view->value, "databases");
        }
    }
    return false;
}

} // namespace

// SQL Server keeps the properties of a database inside that database (class 0,
// major_id 0), so there this join finds properties only of the current database,
// and under a major_id that no database_id matches. Here they live in the server's
// shared catalog (pg::DatabasePropertyListingSql): the listing sees the property
// of every database of the server, and answers each database with its value.
std::optional<TranslationPlan> RecognizeDatabasePropertyListing(TokenCursor& cursor) {
    if (!cursor.IsKeyword("select")) {
        return std::nullopt;
    }
    const std::size_t start = cursor.Position();
    cursor.Take();
    if (!ReadsDatabaseCatalog(cursor)) {
        cursor.Rewind(start);
        return std::nullopt;
    }
    const std::string databases = cursor.TakeName("the alias of sys.databases");
    cursor.ExpectSymbol(".");
    ExpectNameOf(cursor, "name");
    cursor.ExpectSymbol(",");
    const std::string properties = cursor.TakeName("the alias of sys.extended_properties");
    cursor.ExpectSymbol(".");
    ExpectNameOf(cursor, "value");
    cursor.ExpectKeyword("from");
    ExpectCatalogView(cursor, "databases", databases);
    cursor.AcceptKeyword("inner");
    cursor.ExpectKeyword("join");
    ExpectCatalogView(cursor, "extended_properties", properties);
    cursor.ExpectKeyword("on");
    ExpectColumn(cursor, properties, "class");
    cursor.ExpectSymbol("=");
    if (const TsqlToken& zero = cursor.Take(); zero.kind != TsqlTokenKind::Number || zero.value != "0") {
        cursor.Fail("expected class 0, the properties of a database");
    }
    cursor.ExpectKeyword("and");
    ExpectColumn(cursor, properties, "major_id");
    cursor.ExpectSymbol("=");
    ExpectColumn(cursor, databases, "database_id");
    cursor.ExpectKeyword("where");
    ExpectColumn(cursor, properties, "name");
    cursor.ExpectSymbol("=");
    const std::string property = TakeText(cursor);
    std::string database;
    if (cursor.AcceptKeyword("and")) {
        ExpectColumn(cursor, databases, "name");
        cursor.ExpectSymbol("=");
        database = FoldedDatabaseName(cursor, TakeText(cursor));
    }
    if (cursor.AcceptKeyword("order")) {
        cursor.ExpectKeyword("by");
        ExpectColumn(cursor, databases, "name");
    }
    TranslationPlan plan;
    plan.steps.emplace_back(RunSql{pg::DatabasePropertyListingSql(property, database), std::string(), true});
    return plan;
}

} // namespace kx::ado::tsql
