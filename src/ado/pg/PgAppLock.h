#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kx::ado::pg {

/// The advisory lock key that stands for an application lock resource: the 64-bit
/// FNV-1a hash of the resource's UTF-8 bytes, as a signed bigint. It is computed
/// here, not by the server, so that every program version and every server version
/// meets on the same key.
std::int64_t AppLockKey(std::string_view resource);

/// Tries to take a session-level advisory lock on `resource` without waiting:
/// answers one row, one integer column "ReturnCode": 0 when the lock was had, -1
/// when another session holds it. `shared` takes a shared lock instead of an
/// exclusive one. A session may take the same lock again; each take needs its own
/// release. The lock lives in the connection's database: sessions of other databases
/// do not meet it.
std::string TryAppLockSql(std::string_view resource, bool shared);

/// Lets go of one take of the session-level lock on `resource`, exclusive or
/// shared: answers one row, "ReturnCode" 0, or -999 when the session does not hold it.
std::string AppUnlockSql(std::string_view resource);

} // namespace kx::ado::pg
