// Recognizers of the system procedures a book routine calls: application locks
// (sp_getapplock, sp_releaseapplock) and properties of a whole database
// (sp_addextendedproperty, sp_dropextendedproperty).

#include "ado/pg/PgAppLock.h"
#include "ado/pg/PgDatabaseProperties.h"
#include "ado/tsql/TokenCursor.h"
#include "ado/tsql/TsqlExpression.h"
#include "ado/tsql/TsqlProcedureCall.h"
#include "ado/tsql/TsqlRecognizers.h"
#include "platform/CaseFolding.h"

#include <algorithm>

namespace kx::ado::tsql {

namespace {

/// The text of a required string argument.
std::string RequiredText(TokenCursor& cursor, const ProcedureCall& call, std::string_view parameter) {
    const ProcedureArgument* argument = call.Find(parameter);
    if (argument == nullptr || !argument->IsText()) {
        cursor.Fail("@" + std::string(parameter) + " must be given as a string");
    }
    return argument->value;
}

/// The lock resource: 1 to 255 characters, compared exactly (with case), as SQL
/// Server compares it.
std::string LockResource(TokenCursor& cursor, const ProcedureCall& call) {
    std::string resource = RequiredText(cursor, call, "Resource");
    const auto characters = std::count_if(resource.begin(), resource.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    if (characters == 0 || characters > 255) {
        cursor.Fail("@Resource must hold 1 to 255 characters");
    }
    return resource;
}

/// Only session locks: every statement here commits on its own, so a lock owned by
/// the transaction would be gone before the next statement.
void RequireSessionOwner(TokenCursor& cursor, const ProcedureCall& call) {
    const ProcedureArgument* owner = call.Find("LockOwner");
    if (owner == nullptr || !owner->IsText() || !platform::EqualsIgnoringCase(owner->value, "Session")) {
        cursor.Fail("only @LockOwner = 'Session' is supported");
    }
}

/// The database part of the call, folded; "" for the current database.
std::string CallDatabase(const TokenCursor& cursor, const ProcedureCall& call) {
    return call.database.empty() ? std::string() : FoldedDatabaseName(cursor, call.database);
}

/// Database properties only: the object levels must be left out or NULL.
void RequireDatabaseLevel(TokenCursor& cursor, const ProcedureCall& call) {
    for (const char* level :
         {"level0type", "level0name", "level1type", "level1name", "level2type", "level2name"}) {
        if (const ProcedureArgument* argument = call.Find(level);
            argument != nullptr && !argument->IsNull()) {
            cursor.Fail("only properties of the whole database are supported (@" + std::string(level) +
                        " must be NULL)");
        }
    }
}

} // namespace

// SQL Server gives the outcome as the procedure's return value; here, where no
// variables exist, it comes as a one-row result with the same code (0 had, -1 not
// had). The lock belongs to the connection of the current database (or of the
// call's database part): "Use" lets go of it, where SQL Server would keep it.
std::optional<TranslationPlan> RecognizeGetAppLock(TokenCursor& cursor) {
    const std::optional<ProcedureCall> call = TakeProcedureCall(
        cursor, "sp_getapplock", {"Resource", "LockMode", "LockOwner", "LockTimeout", "DbPrincipal"});
    if (!call) {
        return std::nullopt;
    }
    const std::string resource = LockResource(cursor, *call);
    const std::string mode = RequiredText(cursor, *call, "LockMode");
    const bool shared = platform::EqualsIgnoringCase(mode, "Shared");
    if (!shared && !platform::EqualsIgnoringCase(mode, "Exclusive")) {
        cursor.Fail("only @LockMode = 'Exclusive' or 'Shared' is supported");
    }
    RequireSessionOwner(cursor, *call);
    const ProcedureArgument* timeout = call->Find("LockTimeout");
    if (timeout == nullptr || timeout->kind != TsqlTokenKind::Number || timeout->value != "0") {
        cursor.Fail("only @LockTimeout = 0 (no waiting) is supported");
    }
    if (call->Find("DbPrincipal") != nullptr) {
        cursor.Fail("@DbPrincipal is not supported");
    }
    TranslationPlan plan;
    plan.steps.emplace_back(RunSql{pg::TryAppLockSql(resource, shared), CallDatabase(cursor, *call), true});
    return plan;
}

// As sp_getapplock: the code (0 released, -999 not held) comes as a one-row result.
std::optional<TranslationPlan> RecognizeReleaseAppLock(TokenCursor& cursor) {
    const std::optional<ProcedureCall> call =
        TakeProcedureCall(cursor, "sp_releaseapplock", {"Resource", "LockOwner", "DbPrincipal"});
    if (!call) {
        return std::nullopt;
    }
    const std::string resource = LockResource(cursor, *call);
    RequireSessionOwner(cursor, *call);
    if (call->Find("DbPrincipal") != nullptr) {
        cursor.Fail("@DbPrincipal is not supported");
    }
    TranslationPlan plan;
    plan.steps.emplace_back(RunSql{pg::AppUnlockSql(resource), CallDatabase(cursor, *call), true});
    return plan;
}

// The property goes into the server's shared catalog (pg::AddDatabasePropertySql),
// so the statement runs on the current connection whatever database it names; a
// value must be text or a number, without line breaks.
std::optional<TranslationPlan> RecognizeAddExtendedProperty(TokenCursor& cursor) {
    std::initializer_list<std::string_view> parameters = {
        "name", "value", "level0type", "level0name", "level1type", "level1name", "level2type", "level2name"};
    const std::optional<ProcedureCall> call = TakeProcedureCall(cursor, "sp_addextendedproperty", parameters);
    if (!call) {
        return std::nullopt;
    }
    RequireDatabaseLevel(cursor, *call);
    const std::string name = RequiredText(cursor, *call, "name");
    const ProcedureArgument* value = call->Find("value");
    if (value == nullptr || (!value->IsText() && value->kind != TsqlTokenKind::Number)) {
        cursor.Fail("@value must be given as a string or a number");
    }
    TranslationPlan plan;
    plan.steps.emplace_back(RunSql{
        pg::AddDatabasePropertySql(CallDatabase(cursor, *call), name, value->value), std::string(), false});
    return plan;
}

std::optional<TranslationPlan> RecognizeDropExtendedProperty(TokenCursor& cursor) {
    std::initializer_list<std::string_view> parameters = {
        "name", "level0type", "level0name", "level1type", "level1name", "level2type", "level2name"};
    const std::optional<ProcedureCall> call =
        TakeProcedureCall(cursor, "sp_dropextendedproperty", parameters);
    if (!call) {
        return std::nullopt;
    }
    RequireDatabaseLevel(cursor, *call);
    const std::string name = RequiredText(cursor, *call, "name");
    TranslationPlan plan;
    plan.steps.emplace_back(
        RunSql{pg::DropDatabasePropertySql(CallDatabase(cursor, *call), name), std::string(), false});
    return plan;
}

} // namespace kx::ado::tsql
