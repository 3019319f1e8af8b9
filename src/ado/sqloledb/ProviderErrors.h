#pragma once

#include "ado/AdoError.h"

#include <string_view>

namespace kx::ado::pg {
class PgError;
} // namespace kx::ado::pg

namespace kx::ado::tsql {
class TranslationError;
} // namespace kx::ado::tsql

namespace kx::ado::sqloledb {

/// Source of every error the "SQLOLEDB.1" provider raises.
inline constexpr const char* kProviderSource = "Microsoft OLE DB Provider for SQL Server";

// Native error codes that the provider gives as SQL Server gives them.
/// "Invalid object name ..."
inline constexpr long kNativeInvalidObjectName = 208;
/// "Login failed for user ..."
inline constexpr long kNativeLoginFailed = 18456;
/// "Cannot open database ... requested by the login."
inline constexpr long kNativeCannotOpenDatabase = 4060;
/// "The OLE DB provider reported an error." (a linked provider's failure)
inline constexpr long kNativeLinkedProviderError = 7399;

/// The native error code for a SQLSTATE: the number SQL Server gives the same
/// failure where there is one (208 unknown table, 207 unknown column, 2714 table
/// exists, 1801 database exists, 911 unknown database, 102 syntax, 2627 duplicate
/// key, 515 NULL into NOT NULL, 8152 text too long, 8115 arithmetic overflow, 245
/// conversion failed, 242 date out of range, 18456 login failed, 229 permission
/// denied, 3702 database in use, 1205 deadlock), else the SQLSTATE packed into a
/// number as the server itself packs it (six bits per character, first character
/// lowest).
long NativeErrorOfSqlState(std::string_view sqlState) noexcept;

/// A failure of the server as an AdoError: the server's own message as
/// description, the SQLSTATE's native code, and an error number by kind:
/// errors::NoSuchTable for an unknown table, errors::IntegrityViolation for a
/// violated constraint, errors::AuthenticationFailed for a refused login,
/// errors::TimeoutReached for a statement cut off by the command time limit, errors::E_Fail for
/// a connection that could not be made or broke, errors::ErrorsInCommand for the
/// rest.
///
/// A connection that could not be made (a login, "Use", another database) is
/// worded as SQL Server words it, with the server's message after it:
/// "Login failed for user 'u'." when the password or user was refused, "Cannot open
/// database \"d\" requested by the login. The login failed." when the database does
/// not exist, "Cannot connect to the server." otherwise.
AdoError ServerError(const pg::PgError& error, std::string_view user = {});

/// A statement the translator cannot carry out: errors::ErrorsInCommand with the
/// translator's text, which names the statement.
AdoError UntranslatableStatement(const tsql::TranslationError& error);

} // namespace kx::ado::sqloledb
