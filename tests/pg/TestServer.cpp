#include "TestServer.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>

namespace kx::ado::pg::testing {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

std::optional<PgConnectionSettings> TestServerSettings(const std::string& database) {
    PgConnectionSettings settings;
    settings.host = Environment("KX_PG_HOST");
    if (settings.host.empty())
        return std::nullopt;
    settings.port = Environment("KX_PG_PORT");
    settings.user = Environment("KX_PG_USER");
    settings.password = Environment("KX_PG_PASSWORD");
    settings.database = database;
    settings.connectTimeoutSeconds = 10;
    return settings;
}

std::string NewTestDatabaseName() {
    static std::atomic<int> counter{0};
    return "kxtest_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
}

} // namespace kx::ado::pg::testing
