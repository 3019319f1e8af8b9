#pragma once

#include "ado/tsql/TsqlToken.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::ado::tsql {

class TokenCursor;

/// One named argument of a procedure call.
struct ProcedureArgument {
    /// The parameter name without its "@", as written.
    std::string name;
    /// String, NationalString or Number; Word for NULL and DEFAULT.
    TsqlTokenKind kind = TsqlTokenKind::Word;
    /// The text of a string, the digits of a number (with its sign), or "null" /
    /// "default".
    std::string value;

    bool IsNull() const noexcept { return kind == TsqlTokenKind::Word && value == "null"; }
    bool IsDefault() const noexcept { return kind == TsqlTokenKind::Word && value == "default"; }
    bool IsText() const noexcept {
        return kind == TsqlTokenKind::String || kind == TsqlTokenKind::NationalString;
    }
};

/// "EXEC[UTE] [db.][schema.]procedure @name = value, ...", read whole.
struct ProcedureCall {
    /// The database part as written; "" when there is none.
    std::string database;
    std::vector<ProcedureArgument> arguments;

    /// The argument of parameter `name` (compared without regard to case, without
    /// "@"); null when it was not given or given as DEFAULT.
    const ProcedureArgument* Find(std::string_view name) const noexcept;
};

/// Reads a call of `procedure` (compared without regard to case) at the cursor.
/// Nothing, with the cursor left where it was, when the statement is no EXEC or
/// calls another procedure. The schema part may be "dbo" or "sys". Fails through
/// the cursor for "EXEC @status = ...", a positional argument, OUTPUT, a value
/// other than a string, a number, NULL or DEFAULT, a parameter given twice, and a
/// parameter outside `parameters`.
std::optional<ProcedureCall> TakeProcedureCall(TokenCursor& cursor, std::string_view procedure,
                                               std::initializer_list<std::string_view> parameters);

} // namespace kx::ado::tsql
