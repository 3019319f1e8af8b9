#pragma once

#include <string>

namespace kx::ado::pg {

/// Where and as whom a PgConnection logs in. The values are handed to libpq one
/// by one, never pasted into a connection string, so no value can smuggle in
/// other settings. An empty value leaves libpq's default (environment, then
/// built-in) in place.
struct PgConnectionSettings {
    /// Server host name, or the folder of its Unix socket.
    std::string host;
    std::string port;
    std::string user;
    std::string password;
    /// The database's exact PostgreSQL name; a T-SQL name (Initial Catalog) goes
    /// through FoldDatabaseName first.
    std::string database;
    /// Seconds to wait for the connection; 0 waits without limit.
    int connectTimeoutSeconds = 0;
};

} // namespace kx::ado::pg
