#include "ado/sqloledb/PgCopyIn.h"

#include "ado/sqloledb/PgConnection.h"
#include "ado/sqloledb/PgError.h"
#include "ado/sqloledb/PgFailure.h"
#include "ado/sqloledb/PgResult.h"

#include <libpq-fe.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace kx::ado::sqloledb {

namespace {

// libpq takes lengths as int; larger writes go in pieces of this size.
constexpr std::size_t kLargestPiece = std::size_t{1} << 30;

void DropResults(PGconn* conn) noexcept {
    while (PGresult* rest = PQgetResult(conn)) {
        PQclear(rest);
    }
}

} // namespace

PgCopyIn::PgCopyIn(PgConnection& connection, std::string_view copySql) {
    PGconn* conn = connection.Handle();
    if (conn == nullptr) {
        throw std::logic_error("the PostgreSQL connection is closed");
    }
    if (copySql.find('\0') != std::string_view::npos) {
        throw std::invalid_argument("statement text contains a NUL character");
    }
    const PgResult started = PgResult::Adopt(PQexec(conn, std::string(copySql).c_str()));
    const ExecStatusType status =
        started.Handle() != nullptr ? PQresultStatus(started.Handle()) : PGRES_FATAL_ERROR;
    if (status == PGRES_COPY_IN) {
        connection_ = &connection;
        return;
    }
    if (status == PGRES_FATAL_ERROR || status == PGRES_BAD_RESPONSE || status == PGRES_NONFATAL_ERROR) {
        throw detail::ErrorFromResult(started.Handle(), conn);
    }
    if (status == PGRES_COPY_OUT) {
        char* buffer = nullptr;
        while (PQgetCopyData(conn, &buffer, 0) > 0) {
            PQfreemem(buffer);
            buffer = nullptr;
        }
    }
    DropResults(conn);
    throw std::invalid_argument("not a COPY ... FROM STDIN statement: " + std::string(copySql));
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
        DropResults(conn);
        throw error;
    }
    const PgResult outcome = PgResult::Adopt(PQgetResult(conn));
    DropResults(conn);
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
        DropResults(conn);
    }
}

} // namespace kx::ado::sqloledb
