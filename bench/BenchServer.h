#pragma once

// The throwaway server that scripts/run-bench.sh starts for a benchmark, from
// KX_PG_HOST, KX_PG_PORT, KX_PG_USER and KX_PG_PASSWORD.

#include "ado/pg/PgConnection.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace kx::bench {

inline std::string Env(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr)
        throw std::runtime_error(std::string(name) + " is not set: run this under scripts/run-bench.sh");
    return value;
}

/// The server as a "Data Source": its socket folder and port.
inline std::string Server() { return Env("KX_PG_HOST") + "," + Env("KX_PG_PORT"); }

/// A libpq connection to `database` (a PostgreSQL name) on the server.
inline ado::pg::PgConnection Connect(const std::string& database) {
    ado::pg::PgConnectionSettings settings;
    settings.host = Env("KX_PG_HOST");
    settings.port = Env("KX_PG_PORT");
    settings.user = Env("KX_PG_USER");
    settings.password = Env("KX_PG_PASSWORD");
    settings.database = database;
    return ado::pg::PgConnection(settings);
}

} // namespace kx::bench
