#pragma once

#include <string_view>

struct pg_conn;

namespace kx::ado::pg {
class PgConnection;
}

namespace kx::ado::pg::detail {

/// Which way a COPY statement moves rows.
enum class CopyDirection { In, Out };

/// Sends `copySql` and returns the connection once the server is in the COPY state
/// of `direction`. Throws std::logic_error on a closed connection,
/// std::invalid_argument for text with a NUL or a statement that is not a COPY of
/// that direction (a COPY the other way is ended first, so the connection stays
/// usable), and PgError when the server refuses it.
pg_conn* StartCopy(PgConnection& connection, std::string_view copySql, CopyDirection direction);

/// Reads and frees every result still waiting on the connection.
void DropResults(pg_conn* conn) noexcept;

} // namespace kx::ado::pg::detail
