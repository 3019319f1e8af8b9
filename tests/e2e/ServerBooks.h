#pragma once

#include "ado/pg/PgConnectionSettings.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kx::e2e {

/// The throwaway database server of the test run (scripts/pg-test-server.sh) and
/// the databases one test makes on it, which are dropped when the object goes.
class ServerBooks {
  public:
    ServerBooks();
    ~ServerBooks();
    ServerBooks(const ServerBooks&) = delete;
    ServerBooks& operator=(const ServerBooks&) = delete;

    /// False when no server was given to the test run (KX_PG_HOST unset).
    bool Available() const { return settings_.has_value(); }

    /// The server as a book's "Data Source": "<socket folder or host>,<port>".
    std::string Server() const;
    const std::string& User() const { return settings_->user; }
    const std::string& Password() const { return settings_->password; }
    /// The server location of a book list line: "user:password@server".
    std::string Location() const;

    /// Takes `database` into this test's keeping: it is dropped at the end.
    std::string Own(const std::string& database);
    /// A new database name that no other test of the run uses, owned by this test.
    std::string NewDatabaseName();
    /// A book number whose database "kxAcc0NNNNN" and the names that follow it on a
    /// collision ("_1", "_2") are free; those names are owned by this test.
    int FreeBookNumber();

    /// True when database `database` exists on the server.
    bool Exists(const std::string& database);
    /// Converts the book file `book` into the new database `database`.
    bool Convert(const std::filesystem::path& book, const std::string& database);
    /// Runs `statements` in a new database `database`.
    void CreateDatabase(const std::string& database, const std::vector<std::string>& statements);

  private:
    std::optional<ado::pg::PgConnectionSettings> settings_;
    std::vector<std::string> owned_;
};

/// "kxAcc" and the book number as six digits, the name a new server book gets.
std::string BookDatabaseName(int bookNo);

} // namespace kx::e2e
