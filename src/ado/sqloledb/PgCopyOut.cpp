#include "ado/sqloledb/PgCopyOut.h"

#include "ado/sqloledb/PgConnection.h"
#include "ado/sqloledb/PgError.h"
#include "ado/sqloledb/PgFailure.h"
#include "ado/sqloledb/PgResult.h"

#include <libpq-fe.h>

#include <memory>
#include <stdexcept>
#include <utility>

namespace kx::ado::sqloledb {

namespace {

struct FreeMem {
    void operator()(char* buffer) const noexcept { PQfreemem(buffer); }
};
using CopyBuffer = std::unique_ptr<char, FreeMem>;

void DropResults(PGconn* conn) noexcept {
    while (PGresult* rest = PQgetResult(conn)) {
        PQclear(rest);
    }
}

} // namespace

PgCopyOut::PgCopyOut(PgConnection& connection, std::string_view copySql) {
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
    if (status == PGRES_COPY_OUT) {
        connection_ = &connection;
        return;
    }
    if (status == PGRES_FATAL_ERROR || status == PGRES_BAD_RESPONSE || status == PGRES_NONFATAL_ERROR) {
        throw detail::ErrorFromResult(started.Handle(), conn);
    }
    if (status == PGRES_COPY_IN) {
        PQputCopyEnd(conn, "not a COPY TO STDOUT");
    }
    DropResults(conn);
    throw std::invalid_argument("not a COPY ... TO STDOUT statement: " + std::string(copySql));
}

PgCopyOut::~PgCopyOut() {
    Drain();
}

PgCopyOut::PgCopyOut(PgCopyOut&& other) noexcept : connection_(std::exchange(other.connection_, nullptr)) {}

PgCopyOut& PgCopyOut::operator=(PgCopyOut&& other) noexcept {
    if (this != &other) {
        Drain();
        connection_ = std::exchange(other.connection_, nullptr);
    }
    return *this;
}

bool PgCopyOut::Read(std::string& chunk) {
    chunk.clear();
    if (connection_ == nullptr) {
        return false;
    }
    PGconn* conn = connection_->Handle();
    if (conn == nullptr) {
        connection_ = nullptr;
        throw std::logic_error("the PostgreSQL connection was closed during a copy");
    }
    char* raw = nullptr;
    const int length = PQgetCopyData(conn, &raw, 0);
    const CopyBuffer buffer(raw);
    if (length > 0) {
        chunk.assign(buffer.get(), static_cast<std::size_t>(length));
        return true;
    }
    connection_ = nullptr;
    if (length == -2) {
        PgError error = detail::ErrorFromConnection(conn, kSqlStateConnectionFailure);
        DropResults(conn);
        throw error;
    }
    const PgResult outcome = PgResult::Adopt(PQgetResult(conn));
    DropResults(conn);
    if (outcome.Handle() == nullptr || PQresultStatus(outcome.Handle()) != PGRES_COMMAND_OK) {
        throw detail::ErrorFromResult(outcome.Handle(), conn);
    }
    return false;
}

void PgCopyOut::Drain() noexcept {
    if (connection_ == nullptr) {
        return;
    }
    PGconn* conn = connection_->Handle();
    connection_ = nullptr;
    if (conn == nullptr) {
        return;
    }
    char* raw = nullptr;
    while (PQgetCopyData(conn, &raw, 0) > 0) {
        const CopyBuffer buffer(raw);
        raw = nullptr;
    }
    DropResults(conn);
}

} // namespace kx::ado::sqloledb
