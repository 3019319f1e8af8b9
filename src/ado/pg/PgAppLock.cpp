#include "ado/pg/PgAppLock.h"

namespace kx::ado::pg {

std::int64_t AppLockKey(std::string_view resource) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : resource) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return static_cast<std::int64_t>(hash);
}

namespace {

std::string Key(std::string_view resource) {
    // A literal of the smallest bigint cannot be written without a cast.
    return "CAST(" + std::to_string(AppLockKey(resource)) + " AS bigint)";
}

} // namespace

std::string TryAppLockSql(std::string_view resource, bool shared) {
    return std::string("SELECT CASE WHEN ") +
           (shared ? "pg_try_advisory_lock_shared(" : "pg_try_advisory_lock(") + Key(resource) +
           ") THEN 0 ELSE -1 END AS \"ReturnCode\"";
}

std::string AppUnlockSql(std::string_view resource) {
    const std::string key = Key(resource);
    return "SELECT CASE WHEN pg_advisory_unlock(" + key + ") THEN 0 WHEN pg_advisory_unlock_shared(" + key +
           ") THEN 0 ELSE -999 END AS \"ReturnCode\"";
}

} // namespace kx::ado::pg
