#include "ado/pg/PgConnection.h"

#include "ado/pg/PgError.h"
#include "ado/pg/PgFailure.h"

#include <libpq-fe.h>

#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

namespace kx::ado::pg {

namespace {

void DropNotice(void* /*arg*/, const char* /*message*/) {}

std::string StatementText(std::string_view sql) {
    if (sql.find('\0') != std::string_view::npos) {
        throw std::invalid_argument("statement text contains a NUL character");
    }
    return std::string(sql);
}

/// Leaves a COPY that a plain Exec started by mistake, so the connection stays usable.
void LeaveUnexpectedCopy(PGconn* conn, ExecStatusType status) {
    if (status == PGRES_COPY_IN) {
        PQputCopyEnd(conn, "COPY FROM STDIN needs PgCopyIn");
    } else if (status == PGRES_COPY_OUT) {
        char* buffer = nullptr;
        while (PQgetCopyData(conn, &buffer, 0) > 0) {
            PQfreemem(buffer);
            buffer = nullptr;
        }
    }
    while (PGresult* rest = PQgetResult(conn)) {
        PQclear(rest);
    }
}

PgResult CheckedResult(PGconn* conn, PGresult* raw) {
    PgResult result = PgResult::Adopt(raw);
    const ExecStatusType status = raw != nullptr ? PQresultStatus(raw) : PGRES_FATAL_ERROR;
    switch (status) {
    case PGRES_COMMAND_OK:
    case PGRES_TUPLES_OK:
    case PGRES_EMPTY_QUERY:
        return result;
    case PGRES_COPY_IN:
    case PGRES_COPY_OUT:
    case PGRES_COPY_BOTH:
        LeaveUnexpectedCopy(conn, status);
        throw std::logic_error("COPY statements run through PgCopyIn and PgCopyOut");
    default:
        throw detail::ErrorFromResult(raw, conn);
    }
}

} // namespace

void PgConnection::Finish::operator()(pg_conn* conn) const noexcept {
    PQfinish(conn);
}

PgConnection::PgConnection() noexcept = default;

PgConnection::PgConnection(const PgConnectionSettings& settings) {
    const std::string timeout =
        settings.connectTimeoutSeconds > 0 ? std::to_string(settings.connectTimeoutSeconds) : std::string();
    const std::pair<const char*, const std::string*> given[] = {
        {"host", &settings.host},         {"port", &settings.port},       {"user", &settings.user},
        {"password", &settings.password}, {"dbname", &settings.database}, {"connect_timeout", &timeout},
    };
    std::vector<const char*> keywords;
    std::vector<const char*> values;
    for (const auto& [keyword, value] : given) {
        if (!value->empty()) {
            keywords.push_back(keyword);
            values.push_back(value->c_str());
        }
    }
    keywords.push_back("client_encoding");
    values.push_back("UTF8");
    keywords.push_back("application_name");
    values.push_back("kxLedgerWiz");
    keywords.push_back("options");
    values.push_back("-c standard_conforming_strings=on -c bytea_output=hex -c DateStyle=ISO,YMD");
    keywords.push_back(nullptr);
    values.push_back(nullptr);

    // expand_dbname 0: the database name is a name, never a connection string.
    conn_.reset(PQconnectdbParams(keywords.data(), values.data(), 0));
    if (!conn_) {
        throw detail::ErrorFromConnection(nullptr, kSqlStateCannotConnect);
    }
    if (PQstatus(conn_.get()) != CONNECTION_OK) {
        PgError error = detail::ErrorFromConnection(conn_.get(), kSqlStateCannotConnect);
        conn_.reset();
        throw error;
    }
    PQsetNoticeProcessor(conn_.get(), DropNotice, nullptr);
}

PgConnection::~PgConnection() = default;

PgConnection::PgConnection(PgConnection&& other) noexcept = default;

PgConnection& PgConnection::operator=(PgConnection&& other) noexcept = default;

bool PgConnection::IsOpen() const noexcept {
    return conn_ != nullptr;
}

void PgConnection::Close() noexcept {
    conn_.reset();
}

pg_conn* PgConnection::RequireOpen() const {
    if (!conn_) {
        throw std::logic_error("the PostgreSQL connection is closed");
    }
    return conn_.get();
}

PgResult PgConnection::Exec(std::string_view sql) {
    PGconn* conn = RequireOpen();
    const std::string text = StatementText(sql);
    return CheckedResult(conn, PQexec(conn, text.c_str()));
}

PgResult PgConnection::ExecParams(std::string_view sql, std::span<const PgParam> params,
                                  PgFormat resultFormat) {
    PGconn* conn = RequireOpen();
    const std::string text = StatementText(sql);
    std::vector<const char*> values;
    std::vector<int> lengths;
    std::vector<int> formats;
    values.reserve(params.size());
    lengths.reserve(params.size());
    formats.reserve(params.size());
    for (const PgParam& param : params) {
        if (param.value && !param.binary && param.value->find('\0') != std::string::npos) {
            throw std::invalid_argument("a text parameter contains a NUL character");
        }
        if (param.value && param.value->size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
            throw std::invalid_argument("a parameter is larger than libpq can send");
        }
        values.push_back(param.value ? param.value->c_str() : nullptr);
        lengths.push_back(param.value ? static_cast<int>(param.value->size()) : 0);
        formats.push_back(param.binary ? 1 : 0);
    }
    return CheckedResult(conn, PQexecParams(conn, text.c_str(), static_cast<int>(params.size()), nullptr,
                                            values.data(), lengths.data(), formats.data(),
                                            static_cast<int>(resultFormat)));
}

bool PgConnection::InTransaction() const noexcept {
    const PGTransactionStatusType status = conn_ ? PQtransactionStatus(conn_.get()) : PQTRANS_UNKNOWN;
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

std::string PgConnection::DatabaseName() const {
    const char* name = PQdb(RequireOpen());
    return name != nullptr ? name : "";
}

} // namespace kx::ado::pg
