#pragma once

#include "ado/pg/PgConnectionSettings.h"
#include "ado/pg/PgParam.h"
#include "ado/pg/PgResult.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

struct pg_conn;

namespace kx::ado::pg {

/// One open libpq connection, owned alone: movable, not copyable. Close() and the
/// destructor always free the connection, whatever state it is in.
///
/// Every session starts with UTF-8 client encoding, standard_conforming_strings on,
/// hex bytea output and ISO dates, so text and values read the same on every
/// server. Server notices are dropped: nothing is logged.
class PgConnection {
  public:
    /// A closed connection.
    PgConnection() noexcept;
    /// Connects; throws PgError (SQLSTATE "08001") when that fails.
    explicit PgConnection(const PgConnectionSettings& settings);
    ~PgConnection();

    PgConnection(PgConnection&& other) noexcept;
    PgConnection& operator=(PgConnection&& other) noexcept;
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    bool IsOpen() const noexcept;
    /// Frees the connection; a closed connection stays closed.
    void Close() noexcept;

    /// Runs statement text as it stands (several statements are allowed; the
    /// result is the last one's). Throws PgError when the server rejects it, and
    /// std::logic_error on a closed connection.
    PgResult Exec(std::string_view sql);

    /// Runs one statement with its $1, $2 ... placeholders bound to `params`.
    PgResult ExecParams(std::string_view sql, std::span<const PgParam> params,
                        PgFormat resultFormat = PgFormat::Text);

    /// True while a transaction block is open (after BEGIN, before its end).
    bool InTransaction() const noexcept;

    /// The name of the database the connection is on.
    std::string DatabaseName() const;

    /// The libpq handle, for the copy streams; null when closed.
    pg_conn* Handle() const noexcept { return conn_.get(); }

  private:
    struct Finish {
        void operator()(pg_conn* conn) const noexcept;
    };
    pg_conn* RequireOpen() const;

    std::unique_ptr<pg_conn, Finish> conn_;
};

} // namespace kx::ado::pg
