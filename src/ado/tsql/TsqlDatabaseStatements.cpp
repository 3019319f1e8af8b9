// Recognizers of the statements that work on whole databases: creating one,
// switching to one, and the shrink batch run after a new book has been cleared.

#include "ado/pg/PgStatements.h"
#include "ado/tsql/TokenCursor.h"
#include "ado/tsql/TsqlExpression.h"
#include "ado/tsql/TsqlRecognizers.h"

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
    plan.steps.emplace_back(
        CreateDatabase{database, pg::CreateDatabaseSql(database), pg::CollationSetupSql()});
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

} // namespace kx::ado::tsql
