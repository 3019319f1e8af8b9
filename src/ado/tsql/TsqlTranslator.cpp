#include "ado/tsql/TsqlTranslator.h"

#include "ado/tsql/TokenCursor.h"
#include "ado/tsql/TranslationError.h"
#include "ado/tsql/TsqlRecognizers.h"

#include <stdexcept>

namespace kx::ado::tsql {

namespace {

using Recognizer = std::optional<TranslationPlan> (*)(TokenCursor&);

// The narrower shapes come before the general ones that share their first words.
constexpr Recognizer kRecognizers[] = {
    RecognizeCreateDatabase,
    RecognizeDropDatabase,
    RecognizeUse,
    RecognizeDatabasePropertyListing,
    RecognizeGetAppLock,
    RecognizeReleaseAppLock,
    RecognizeAddExtendedProperty,
    RecognizeDropExtendedProperty,
    RecognizeDumpTransaction,
    RecognizeBackupLog,
    RecognizeShrinkDatabase,
    RecognizeCreateTable,
    RecognizeDropTable,
    RecognizeSelectIntoCopy,
    RecognizeSetIdentityInsert,
    RecognizeTableHasIdentity,
    RecognizeJetImport,
    RecognizeDelete,
    RecognizeSelect,
    RecognizeInsertValues,
    RecognizeUpdate,
};

TranslationPlan TranslateStatements(std::string_view sql) {
    TokenCursor cursor(sql);
    TranslationPlan plan;
    bool anyStatement = false;
    while (!cursor.AtEnd()) {
        if (cursor.AcceptSymbol(";")) {
            continue;
        }
        std::optional<TranslationPlan> statement;
        for (Recognizer recognize : kRecognizers) {
            const std::size_t start = cursor.Position();
            statement = recognize(cursor);
            if (statement) {
                break;
            }
            cursor.Rewind(start);
        }
        if (!statement) {
            cursor.Fail("this kind of statement is not supported");
        }
        if (!cursor.AtStatementEnd()) {
            cursor.Fail("unexpected text after the statement");
        }
        plan.Append(std::move(*statement));
        anyStatement = true;
    }
    if (!anyStatement) {
        throw TranslationError(sql, "there is no statement");
    }
    return plan;
}

} // namespace

TranslationPlan TranslateTsql(std::string_view sql) {
    try {
        return TranslateStatements(sql);
    } catch (const std::invalid_argument& error) {
        // A name or text PostgreSQL cannot hold that a recognizer did not catch itself.
        throw TranslationError(sql, error.what());
    }
}

} // namespace kx::ado::tsql
