#include "ado/tsql/TsqlProcedureCall.h"

#include "ado/tsql/TokenCursor.h"
#include "platform/CaseFolding.h"

#include <algorithm>

namespace kx::ado::tsql {

namespace {

bool IsExec(const TokenCursor& cursor) {
    return cursor.IsKeyword("exec") || cursor.IsKeyword("execute");
}

/// The procedure name's parts: [database.][schema.]procedure, "db..procedure" too.
std::vector<std::string> TakeProcedureName(TokenCursor& cursor) {
    std::vector<std::string> parts{cursor.TakeName("a procedure name")};
    while (parts.size() < 3 && cursor.AcceptSymbol(".")) {
        parts.push_back(cursor.IsSymbol(".") ? std::string() : cursor.TakeName("a procedure name"));
    }
    if (cursor.IsSymbol(".")) {
        cursor.Fail("names with more than three parts (a server name) are not supported");
    }
    return parts;
}

ProcedureArgument TakeArgumentValue(TokenCursor& cursor, std::string name) {
    ProcedureArgument argument;
    argument.name = std::move(name);
    const bool negative = cursor.AcceptSymbol("-");
    const TsqlToken* token = cursor.Peek();
    if (token == nullptr) {
        cursor.Fail("expected a value");
    }
    if (token->kind == TsqlTokenKind::Number) {
        argument.kind = TsqlTokenKind::Number;
        argument.value = (negative ? "-" : "") + token->value;
    } else if (!negative &&
               (token->kind == TsqlTokenKind::String || token->kind == TsqlTokenKind::NationalString)) {
        argument.kind = token->kind;
        argument.value = token->value;
    } else if (!negative && (token->IsKeyword("null") || token->IsKeyword("default"))) {
        argument.value = platform::ToLower(token->text);
    } else {
        cursor.Fail("a procedure argument must be a string, a number, NULL or DEFAULT");
    }
    cursor.Take();
    if (cursor.IsKeyword("output") || cursor.IsKeyword("out")) {
        cursor.Fail("OUTPUT arguments are not supported");
    }
    return argument;
}

} // namespace

const ProcedureArgument* ProcedureCall::Find(std::string_view name) const noexcept {
    for (const ProcedureArgument& argument : arguments) {
        if (platform::EqualsIgnoringCase(argument.name, name)) {
            return argument.IsDefault() ? nullptr : &argument;
        }
    }
    return nullptr;
}

std::optional<ProcedureCall> TakeProcedureCall(TokenCursor& cursor, std::string_view procedure,
                                               std::initializer_list<std::string_view> parameters) {
    if (!IsExec(cursor)) {
        return std::nullopt;
    }
    const std::size_t start = cursor.Position();
    cursor.Take();
    if (const TsqlToken* token = cursor.Peek(); token != nullptr && token->kind == TsqlTokenKind::Variable) {
        cursor.Fail("EXEC @status = ... is not supported; the procedures answer their status as a row");
    }
    const std::vector<std::string> parts = TakeProcedureName(cursor);
    if (!platform::EqualsIgnoringCase(parts.back(), procedure)) {
        cursor.Rewind(start);
        return std::nullopt;
    }
    ProcedureCall call;
    if (parts.size() >= 2 && !parts[parts.size() - 2].empty() &&
        !platform::EqualsIgnoringCase(parts[parts.size() - 2], "dbo") &&
        !platform::EqualsIgnoringCase(parts[parts.size() - 2], "sys")) {
        cursor.Fail("schema \"" + parts[parts.size() - 2] +
                    "\" is not supported; procedures live in sys or dbo");
    }
    if (parts.size() == 3) {
        if (parts[0].empty()) {
            cursor.Fail("expected a database name before \"..\"");
        }
        call.database = parts[0];
    }
    while (!cursor.AtStatementEnd()) {
        if (!call.arguments.empty()) {
            cursor.ExpectSymbol(",");
        }
        const TsqlToken* token = cursor.Peek();
        if (token == nullptr || token->kind != TsqlTokenKind::Variable) {
            cursor.Fail("only named arguments (@name = value) are supported");
        }
        std::string name = token->value.substr(token->value.find_first_not_of('@'));
        const bool known = std::any_of(parameters.begin(), parameters.end(), [&](std::string_view parameter) {
            return platform::EqualsIgnoringCase(parameter, name);
        });
        if (!known) {
            cursor.Fail("parameter @" + name + " is not supported by " + std::string(procedure));
        }
        const bool repeated =
            std::any_of(call.arguments.begin(), call.arguments.end(),
                        [&](const auto& given) { return platform::EqualsIgnoringCase(given.name, name); });
        if (repeated) {
            cursor.Fail("parameter @" + name + " is given twice");
        }
        cursor.Take();
        cursor.ExpectSymbol("=");
        call.arguments.push_back(TakeArgumentValue(cursor, std::move(name)));
    }
    return call;
}

} // namespace kx::ado::tsql
