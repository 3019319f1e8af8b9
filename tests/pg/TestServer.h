#pragma once

#include "ado/pg/PgConnectionSettings.h"

#include <optional>
#include <string>

namespace kx::ado::pg::testing {

/// The login of the throwaway server that scripts/pg-test-server.sh starts, from
/// KX_PG_HOST, KX_PG_PORT, KX_PG_USER and KX_PG_PASSWORD, on `database`; nothing
/// when KX_PG_HOST is not set.
std::optional<PgConnectionSettings> TestServerSettings(const std::string& database);

/// Why the server tests are skipped when there is no server.
inline constexpr const char* kNoServerReason =
    "KX_PG_HOST is not set: run the tests under scripts/pg-test-server.sh run DIR -- ctest ...";

/// A database name no other test of this run uses.
std::string NewTestDatabaseName();

} // namespace kx::ado::pg::testing
