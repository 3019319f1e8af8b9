#include "ado/sqloledb/ProviderErrors.h"

#include "ado/AdoConstants.h"
#include "ado/pg/PgError.h"
#include "ado/tsql/TranslationError.h"

#include <optional>
#include <string>

namespace kx::ado::sqloledb {

namespace {

struct KnownState {
    std::string_view sqlState;
    long nativeError;
};

constexpr KnownState kKnownStates[] = {
    {"42P01", 208},  {"42703", 207},   {"42P07", 2714},  {"42P04", 1801}, {"3D000", 911},  {"42601", 102},
    {"23505", 2627}, {"23502", 515},   {"22001", 8152},  {"22003", 8115}, {"22P02", 245},  {"22007", 242},
    {"22008", 242},  {"28P01", 18456}, {"28000", 18456}, {"42501", 229},  {"55006", 3702}, {"40P01", 1205},
};

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool IsRefusedLogin(std::string_view message) {
    return Contains(message, "password authentication failed") || Contains(message, "no password supplied") ||
           Contains(message, "authentication failed for user") ||
           (Contains(message, "role \"") && Contains(message, "\" does not exist"));
}

/// The database named in "database \"x\" does not exist", or nothing.
std::optional<std::string> MissingDatabase(std::string_view message) {
    constexpr std::string_view opening = "database \"";
    const std::size_t start = message.find(opening);
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t nameStart = start + opening.size();
    const std::size_t end = message.find("\" does not exist", nameStart);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(message.substr(nameStart, end - nameStart));
}

AdoError ConnectionError(const pg::PgError& error, std::string_view user) {
    const std::string& message = error.serverMessage();
    if (IsRefusedLogin(message)) {
        return AdoError(errors::AuthenticationFailed, kProviderSource,
                        "Login failed for user '" + std::string(user) + "'. (" + message + ")",
                        kNativeLoginFailed);
    }
    if (const std::optional<std::string> database = MissingDatabase(message)) {
        return AdoError(errors::E_Fail, kProviderSource,
                        "Cannot open database \"" + *database +
                            "\" requested by the login. The login failed. (" + message + ")",
                        kNativeCannotOpenDatabase);
    }
    return AdoError(errors::E_Fail, kProviderSource, "Cannot connect to the server. (" + message + ")",
                    NativeErrorOfSqlState(error.sqlState()));
}

} // namespace

long NativeErrorOfSqlState(std::string_view sqlState) noexcept {
    for (const KnownState& known : kKnownStates) {
        if (known.sqlState == sqlState) {
            return known.nativeError;
        }
    }
    long packed = 0;
    for (std::size_t i = 0; i < sqlState.size() && i < 5; ++i) {
        packed |= static_cast<long>((sqlState[i] - '0') & 0x3F) << (6 * i);
    }
    return packed;
}

AdoError ServerError(const pg::PgError& error, std::string_view user) {
    const std::string& state = error.sqlState();
    if (state == pg::kSqlStateCannotConnect) {
        return ConnectionError(error, user);
    }
    std::int32_t number = errors::ErrorsInCommand;
    if (state == "42P01") {
        number = errors::NoSuchTable;
    } else if (state.starts_with("23")) {
        number = errors::IntegrityViolation;
    } else if (state.starts_with("28")) {
        number = errors::AuthenticationFailed;
    } else if (state == "57014") {
        number = errors::TimeoutReached;
    } else if (state.starts_with("08") || state.empty()) {
        number = errors::E_Fail;
    }
    return AdoError(number, kProviderSource, error.serverMessage(), NativeErrorOfSqlState(state));
}

AdoError UntranslatableStatement(const tsql::TranslationError& error) {
    return AdoError(errors::ErrorsInCommand, kProviderSource, error.what(), 0);
}

} // namespace kx::ado::sqloledb
