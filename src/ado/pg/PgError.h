#pragma once

#include <stdexcept>
#include <string>

namespace kx::ado::pg {

/// A failure reported by the PostgreSQL server or by libpq.
///
/// `sqlState()` is the five-character SQLSTATE of the server's error ("42P01" for
/// an unknown table, "23505" for a duplicate key ...). Failures that never reached a
/// server statement carry a class-08 code of their own: "08001" when a connection
/// could not be made, "08006" when an open connection broke. `serverMessage()` is
/// the server's primary message alone (of libpq's own message, its first line);
/// `what()` adds the SQLSTATE and any detail.
class PgError : public std::runtime_error {
  public:
    PgError(std::string sqlState, std::string serverMessage, const std::string& fullText);

    const std::string& sqlState() const noexcept { return sqlState_; }
    const std::string& serverMessage() const noexcept { return serverMessage_; }

  private:
    std::string sqlState_;
    std::string serverMessage_;
};

/// SQLSTATE given to a connection that could not be established.
inline constexpr const char* kSqlStateCannotConnect = "08001";
/// SQLSTATE given to a failure of an open connection with no server error.
inline constexpr const char* kSqlStateConnectionFailure = "08006";

} // namespace kx::ado::pg
