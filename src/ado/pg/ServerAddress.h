#pragma once

#include <string>
#include <string_view>

namespace kx::ado::pg {

/// Where a server book's "Data Source" points: the host and the port as libpq
/// takes them. An empty value leaves libpq's default (the local socket folder,
/// port 5432).
struct ServerAddress {
    /// Host name, IP address, or the folder of the server's Unix socket.
    std::string host;
    /// Decimal port number, or empty.
    std::string port;
};

/// Reads a "Data Source" value, blanks around it ignored:
///
/// | Data Source                      | host              | port      |
/// |----------------------------------|-------------------|-----------|
/// | "" , "." , "(local)"             | "" (default)      | ""        |
/// | "dbhost"                         | "dbhost"          | ""        |
/// | "dbhost,5433" (SQL Server style) | "dbhost"          | "5433"    |
/// | "dbhost:5433"                    | "dbhost"          | "5433"    |
/// | "/run/pg" (a socket folder)      | "/run/pg"         | ""        |
/// | "/run/pg,55432"                  | "/run/pg"         | "55432"   |
/// | "[::1]:5433" , "[::1],5433"      | "::1"             | "5433"    |
/// | "::1" (several colons, no port)  | "::1"             | ""        |
///
/// A socket folder takes its port only after a comma, since a colon may be part of
/// a path. Throws std::invalid_argument for a port that is not a number from 1 to
/// 65535 and for a SQL Server instance name ("host\\instance"), which has no
/// counterpart here.
ServerAddress ParseDataSource(std::string_view dataSource);

} // namespace kx::ado::pg
