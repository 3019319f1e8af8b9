#include "ado/pg/PgCopyOut.h"

#include "ado/pg/PgConnection.h"
#include "ado/pg/PgCopyStart.h"
#include "ado/pg/PgError.h"
#include "ado/pg/PgFailure.h"
#include "ado/pg/PgResult.h"

#include <libpq-fe.h>

#include <memory>
#include <stdexcept>
#include <utility>

namespace kx::ado::pg {

namespace {

struct FreeMem {
    void operator()(char* buffer) const noexcept { PQfreemem(buffer); }
};
using CopyBuffer = std::unique_ptr<char, FreeMem>;

} // namespace

PgCopyOut::PgCopyOut(PgConnection& connection, std::string_view copySql) {
    detail::StartCopy(connection, copySql, detail::CopyDirection::Out);
    connection_ = &connection;
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
        detail::DropResults(conn);
        throw error;
    }
    const PgResult outcome = PgResult::Adopt(PQgetResult(conn));
    detail::DropResults(conn);
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
    detail::DropResults(conn);
}

} // namespace kx::ado::pg
