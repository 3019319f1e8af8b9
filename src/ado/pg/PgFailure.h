#pragma once

#include "ado/pg/PgError.h"

struct pg_conn;
struct pg_result;

namespace kx::ado::pg::detail {

/// The error reported by a failed statement result; with a null `result` (libpq
/// could not even make one) the connection's own error message is used.
PgError ErrorFromResult(const pg_result* result, const pg_conn* connection);

/// The connection's current error message with the given SQLSTATE.
PgError ErrorFromConnection(const pg_conn* connection, const char* sqlState);

} // namespace kx::ado::pg::detail
