#include "ado/pg/PgCopyStart.h"

#include "ado/pg/PgConnection.h"
#include "ado/pg/PgFailure.h"
#include "ado/pg/PgResult.h"

#include <libpq-fe.h>

#include <stdexcept>
#include <string>

namespace kx::ado::pg::detail {

void DropResults(PGconn* conn) noexcept {
    while (PGresult* rest = PQgetResult(conn)) {
        PQclear(rest);
    }
}

PGconn* StartCopy(PgConnection& connection, std::string_view copySql, CopyDirection direction) {
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
    const ExecStatusType wanted = direction == CopyDirection::In ? PGRES_COPY_IN : PGRES_COPY_OUT;
    if (status == wanted) {
        return conn;
    }
    if (status == PGRES_FATAL_ERROR || status == PGRES_BAD_RESPONSE || status == PGRES_NONFATAL_ERROR) {
        throw ErrorFromResult(started.Handle(), conn);
    }
    // A COPY the other way: end it, so that the connection can be used again.
    if (status == PGRES_COPY_OUT) {
        char* buffer = nullptr;
        while (PQgetCopyData(conn, &buffer, 0) > 0) {
            PQfreemem(buffer);
            buffer = nullptr;
        }
    } else if (status == PGRES_COPY_IN) {
        PQputCopyEnd(conn, "not a COPY TO STDOUT");
    }
    DropResults(conn);
    throw std::invalid_argument(std::string(direction == CopyDirection::In
                                                ? "not a COPY ... FROM STDIN statement: "
                                                : "not a COPY ... TO STDOUT statement: ") +
                                std::string(copySql));
}

} // namespace kx::ado::pg::detail
