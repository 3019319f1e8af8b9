#include "ado/pg/PgError.h"

#include "ado/pg/PgFailure.h"

#include <libpq-fe.h>

#include <utility>

namespace kx::ado::pg {

PgError::PgError(std::string sqlState, std::string serverMessage, const std::string& fullText)
    : std::runtime_error(fullText), sqlState_(std::move(sqlState)), serverMessage_(std::move(serverMessage)) {
}

namespace detail {

namespace {

std::string TrimmedMessage(const char* text) {
    std::string message = text != nullptr ? text : "";
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}

/// libpq's own messages go on over indented lines of advice; the first line says
/// what happened.
std::string FirstLine(const std::string& message) {
    return message.substr(0, message.find('\n'));
}

std::string Field(const PGresult* result, int code) {
    const char* value = PQresultErrorField(result, code);
    return value != nullptr ? value : "";
}

} // namespace

PgError ErrorFromResult(const pg_result* result, const pg_conn* connection) {
    if (result == nullptr) {
        return ErrorFromConnection(connection, kSqlStateConnectionFailure);
    }
    std::string sqlState = Field(result, PG_DIAG_SQLSTATE);
    std::string primary = Field(result, PG_DIAG_MESSAGE_PRIMARY);
    std::string whole = primary;
    if (primary.empty()) {
        // libpq's own failures (a lost connection) carry no fields, only a message.
        whole = TrimmedMessage(PQresultErrorMessage(result));
        primary = FirstLine(whole);
    }
    if (sqlState.empty()) {
        sqlState = (connection != nullptr && PQstatus(connection) == CONNECTION_BAD)
                       ? kSqlStateConnectionFailure
                       : "";
    }
    std::string full = (sqlState.empty() ? "" : sqlState + ": ") + whole;
    if (const std::string detailText = Field(result, PG_DIAG_MESSAGE_DETAIL); !detailText.empty()) {
        full += "\nDETAIL: " + detailText;
    }
    if (const std::string hint = Field(result, PG_DIAG_MESSAGE_HINT); !hint.empty()) {
        full += "\nHINT: " + hint;
    }
    return PgError(std::move(sqlState), std::move(primary), full);
}

PgError ErrorFromConnection(const pg_conn* connection, const char* sqlState) {
    std::string message =
        connection != nullptr ? TrimmedMessage(PQerrorMessage(connection)) : std::string("out of memory");
    if (message.empty()) {
        message = "connection failure";
    }
    return PgError(sqlState, FirstLine(message), std::string(sqlState) + ": " + message);
}

} // namespace detail

} // namespace kx::ado::pg
