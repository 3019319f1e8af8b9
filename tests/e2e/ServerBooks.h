#pragma once

#include "ado/Connection.h"
#include "ado/pg/PgAppLock.h"
#include "ado/pg/PgConnection.h"
#include "ado/pg/PgConnectionSettings.h"
#include "ado/pg/PgQuote.h"
#include "database/BracketedName.h"
#include "database/CreateCnn.h"
#include "database/NewServerDatabase.h"
#include "database/SqlBookConversion.h"
#include "pg/TestServer.h"

#include <cstdint>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kx::e2e {

namespace pg = ado::pg;

/// "kxAcc" and the book number as six digits, the name a new server book gets.
inline std::string BookDatabaseName(int bookNo) {
    const std::string digits = std::to_string(bookNo);
    return "kxAcc" + std::string(6 - digits.size(), '0') + digits;
}

/// The throwaway database server of the test run (scripts/pg-test-server.sh) and
/// the databases one test makes on it, which are dropped when the object goes.
class ServerBooks {
  public:
    ServerBooks() : settings_(pg::testing::TestServerSettings("postgres")) {}
    ~ServerBooks() {
        try {
            if (settings_)
                for (const std::string& name : owned_)
                    Drop(name);
        } catch (const std::exception&) {
        } // The throwaway server goes at the end of the run with whatever is left.
    }
    ServerBooks(const ServerBooks&) = delete;
    ServerBooks& operator=(const ServerBooks&) = delete;

    /// False when no server was given to the test run (KX_PG_HOST unset).
    bool Available() const { return settings_.has_value(); }
    /// The server as a book's "Data Source": "<socket folder or host>,<port>".
    std::string Server() const { return settings_->host + "," + settings_->port; }
    const std::string& Host() const { return settings_->host; }
    const std::string& Port() const { return settings_->port; }
    const std::string& User() const { return settings_->user; }
    const std::string& Password() const { return settings_->password; }
    /// The server location of a book list line: "user:password@server".
    std::string Location() const { return User() + ":" + Password() + "@" + Server(); }
    /// The value of `ledgerwiz create --sql`: the server without its port, which the
    /// program takes from PGPORT (PortVariable()).
    std::string SqlOption() const { return Host() + "," + User() + "," + Password(); }
    std::pair<std::string, std::string> PortVariable() const { return {"PGPORT", Port()}; }

    /// A new database name that no other test of the run uses, ending in `tail`,
    /// owned by this test.
    std::string NewDatabaseName(const std::string& tail = {}) {
        return owned_.emplace_back("kxAcc" + pg::testing::NewTestDatabaseName() + tail);
    }
    /// A new database of the test's own converted from the book file `bookFile`.
    std::string ConvertedBook(const std::string& bookFile) {
        const std::string database = NewDatabaseName();
        if (!database::CreateSqlBook(bookFile, Server(), database, User(), Password()))
            throw std::runtime_error("could not convert " + bookFile);
        return database;
    }
    /// The book list line of `database`, a copy of the sample book; its location
    /// names the server without the port when `withPort` is false.
    std::string SampleLine(const std::string& database, bool withPort = true) const {
        return "服务器样本账簿\t" + User() + ":" + Password() + "@" + (withPort ? Server() : Host()) + "\t" + database +
               "\t××××有限公司\t(未知)\t0\t\t";
    }
    /// A book number whose database "kxAcc0NNNNN" and the names that follow it on a
    /// collision ("_1", "_2") are free; those names are owned by this test.
    int FreeBookNumber() {
        std::mt19937 pick(std::random_device{}());
        for (;;) {
            const int bookNo = std::uniform_int_distribution<int>(10000, 32767)(pick);
            const std::string name = BookDatabaseName(bookNo);
            if (Exists(name) || Exists(name + "_1") || Exists(name + "_2"))
                continue;
            owned_.insert(owned_.end(), {name, name + "_1", name + "_2"});
            return bookNo;
        }
    }

    bool Exists(const std::string& database) { return Comment(database).has_value(); }
    /// Whether `database` carries the mark of a database still being made.
    bool Marked(const std::string& database) { return Comment(database) == MakingMark(); }
    /// The comment that `database` carries ("" for none); nothing when it does not exist.
    std::optional<std::string> Comment(const std::string& database) {
        const pg::PgResult row = Admin().Exec(
            "SELECT coalesce(shobj_description(oid, 'pg_database'), '') FROM pg_database WHERE datname = " +
            pg::QuoteLiteral(pg::FoldDatabaseName(database)));
        return row.RowCount() == 0 ? std::nullopt : std::optional<std::string>(row.Value(0, 0));
    }
    /// The marked databases whose names begin with `prefix`.
    std::vector<std::string> MarkedLike(const std::string& prefix) {
        const pg::PgResult rows = Admin().Exec(
            "SELECT datname FROM pg_database WHERE starts_with(datname, " + pg::QuoteLiteral(pg::FoldDatabaseName(prefix)) +
            ") AND shobj_description(oid, 'pg_database') = " + pg::QuoteLiteral(MakingMark()) + " ORDER BY datname");
        std::vector<std::string> names;
        for (int i = 0; i < rows.RowCount(); ++i)
            names.emplace_back(rows.Value(i, 0));
        return names;
    }
    /// Gives `database` a comment; the mark of a database being made is such a comment.
    void SetComment(const std::string& database, const std::string& comment) {
        Admin().Exec("COMMENT ON DATABASE " + pg::QuoteIdent(pg::FoldDatabaseName(database)) + " IS " +
                     pg::QuoteLiteral(comment));
    }
    static std::string MakingMark() { return std::string(database::kMakingMarkName) + "=" + database::kMakingMarkValue; }
    /// Ends the server sessions that hold the claim of `database`, as when the
    /// connection of the program that claimed it is lost; gives how many.
    int EndClaimSessions(const std::string& database) {
        const auto key = static_cast<std::uint64_t>(pg::AppLockKey(database::ClaimLockResource(database)));
        return Admin()
            .Exec("SELECT pg_terminate_backend(pid) FROM pg_locks WHERE locktype = 'advisory' AND objsubid = 1 "
                  "AND classid = " + std::to_string(key >> 32) + " AND objid = " + std::to_string(key & 0xffffffffu))
            .RowCount();
    }
    /// Runs the server's own SQL `sql` in `database`.
    void RunSql(const std::string& database, const std::string& sql) {
        pg::PgConnectionSettings settings = *settings_;
        settings.database = pg::FoldDatabaseName(database);
        pg::PgConnection(settings).Exec(sql);
    }
    /// Drops `database` now, whoever made it.
    void Drop(const std::string& database) {
        Admin().Exec("DROP DATABASE IF EXISTS " + pg::QuoteIdent(pg::FoldDatabaseName(database)) + " WITH (FORCE)");
    }
    /// Runs `statements` in a new database `database`.
    void CreateDatabase(const std::string& database, const std::vector<std::string>& statements) {
        ado::Connection cnn;
        database::CreateCnn(cnn, "master", Server(), User(), Password());
        cnn.Open({}, {}, {}, -1);
        cnn.Execute("Create Database " + database::BracketedName(database));
        cnn.Execute("Use " + database::BracketedName(database));
        for (const std::string& statement : statements)
            cnn.Execute(statement);
        cnn.Close();
    }

  private:
    pg::PgConnection Admin() const { return pg::PgConnection(*settings_); }

    std::optional<pg::PgConnectionSettings> settings_;
    std::vector<std::string> owned_;
};

} // namespace kx::e2e
