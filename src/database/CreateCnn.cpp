#include "CreateCnn.h"

#include "ado/AdoError.h"

#include <functional>
#include <initializer_list>

namespace kx::database {
namespace {

/// Runs each step; a failing step is passed over and the next one runs.
void RunSkippingFailures(std::initializer_list<std::function<void()>> steps) noexcept {
    for (const auto& step : steps) {
        try {
            step();
        } catch (const std::exception&) {
            // Skipped on purpose: a bad setting surfaces when the connection opens.
        }
    }
}

} // namespace

void CreateCnn(ado::Connection& rCnn, const std::string& database, const std::string& server,
               const std::string& user, const std::string& password) {
    rCnn = ado::Connection();
    ado::Connection& cnn = rCnn;
    const std::string effectivePassword = password == kBookPasswordPlaceholder ? kBookDatabasePassword : password;

    if (server.empty()) {
        RunSkippingFailures({
            [&] { cnn.SetMode(ado::adModeReadWrite); },
            [&] { cnn.SetConnectionString(kJetConnectionString); },
            [&] { cnn.Properties().Set("Password", ado::Variant(std::string())); },
            [&] { cnn.Properties().Set("User ID", ado::Variant(std::string("Admin"))); },
            [&] { cnn.Properties().Set("Data Source", ado::Variant(database)); },
            [&] { cnn.Properties().Set("Jet OLeDB:Database Password", ado::Variant(effectivePassword)); },
            [&] { cnn.SetCursorLocation(ado::adUseClient); },
            [&] { cnn.SetMode(ado::adModeReadWrite); },
        });
    } else {
        RunSkippingFailures({
            [&] { cnn.SetMode(ado::adModeReadWrite); },
            [&] { cnn.SetConnectionString(kSqlConnectionString); },
            [&] { cnn.Properties().Set("Initial Catalog", ado::Variant(database.empty() ? std::string("master") : database)); },
            [&] { cnn.Properties().Set("Password", ado::Variant(effectivePassword)); },
            [&] { cnn.Properties().Set("User ID", ado::Variant(user)); },
            [&] { cnn.Properties().Set("Data Source", ado::Variant(server)); },
            [&] { cnn.SetCursorLocation(ado::adUseClient); },
            [&] { cnn.SetMode(ado::adModeReadWrite); },
        });
    }
}

} // namespace kx::database
