#include "ado/pg/PgCopyIn.h"

#include "ado/pg/PgConnection.h"
#include "ado/pg/PgCopyStart.h"
#include "ado/pg/PgError.h"
#include "ado/pg/PgFailure.h"
#include "ado/pg/PgResult.h"

#include <libpq-fe.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace kx::ado::pg {

namespace {

// libpq takes lengths as int; larger writes go in pieces of this size.
constexpr std::size_t kLargestPiece = std::size_t{1} << 30;

} // namespace

PgCopyIn::PgCopyIn(PgConnection& connection, std::string_view copySql) {
    detail::StartCopy(connection, copySql, detail::CopyDirection::In);
    connection_ = &connection;
}

PgCopyIn::~PgCopyIn() {
    Abandon();
}

PgCopyIn::PgCopyIn(PgCopyIn&& other) noexcept : connection_(std::exchange(other.connection_, nullptr)) {}

PgCopyIn& PgCopyIn::operator=(PgCopyIn&& other) noexcept {
    if (this != &other) {
        Abandon();
        connection_ = std::exchange(other.connection_, nullptr);
    }
    return *this;
}

void PgCopyIn::Write(std::string_view data) {
    if (connection_ == nullptr) {
        throw std::logic_error("the copy is over");
    }
    PGconn* conn = connection_->Handle();
    if (conn == nullptr) {
        connection_ = nullptr;
        throw std::logic_error("the PostgreSQL connection was closed during a copy");
    }
    while (!data.empty()) {
        const std::size_t piece = std::min(data.size(), kLargestPiece);
        if (PQputCopyData(conn, data.data(), static_cast<int>(piece)) != 1) {
            throw detail::ErrorFromConnection(conn, kSqlStateConnectionFailure);
        }
        data.remove_prefix(piece);
    }
}

long long PgCopyIn::Finish() {
    if (connection_ == nullptr) {
        throw std::logic_error("the copy is over");
    }
    PGconn* conn = connection_->Handle();
    connection_ = nullptr;
    if (conn == nullptr) {
        throw std::logic_error("the PostgreSQL connection was closed during a copy");
    }
    if (PQputCopyEnd(conn, nullptr) != 1) {
        PgError error = detail::ErrorFromConnection(conn, kSqlStateConnectionFailure);
        detail::DropResults(conn);
        throw error;
    }
    const PgResult outcome = PgResult::Adopt(PQgetResult(conn));
    detail::DropResults(conn);
    if (outcome.Handle() == nullptr || PQresultStatus(outcome.Handle()) != PGRES_COMMAND_OK) {
        throw detail::ErrorFromResult(outcome.Handle(), conn);
    }
    return outcome.AffectedRows();
}

void PgCopyIn::Abandon() noexcept {
    if (connection_ == nullptr) {
        return;
    }
    PGconn* conn = connection_->Handle();
    connection_ = nullptr;
    if (conn != nullptr) {
        // The server answers with an error for the copy; that is the point here.
        PQputCopyEnd(conn, "copy abandoned by the client");
        detail::DropResults(conn);
    }
}

} // namespace kx::ado::pg
