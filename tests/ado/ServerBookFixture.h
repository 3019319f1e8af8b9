#pragma once

#include "BookFileFixture.h"

#include "ado/Connection.h"
#include "ado/pg/PgConnection.h"
#include "ado/pg/PgQuote.h"
#include "pg/TestServer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kx::ado::test {

/// The test server's login as a "Data Source": its socket folder and port.
inline std::string TestDataSource(const pg::PgConnectionSettings& server) {
    return server.host + "," + server.port;
}

/// A closed connection set up for a server book the way the wizard sets up its
/// server connections: mode, connection string, then Initial Catalog, Password,
/// User ID and Data Source one by one, client cursor.
inline Connection PrepareServerConnection(const std::string& database, const std::string& dataSource,
                                          const std::string& user, const std::string& password) {
    Connection cnn;
    cnn.SetMode(adModeReadWrite);
    cnn.SetConnectionString("Provider=SQLOLEDB.1;Persist Security Info=False;");
    cnn.Properties().Set("Initial Catalog", Variant(database.empty() ? std::string("master") : database));
    cnn.Properties().Set("Password", Variant(password));
    cnn.Properties().Set("User ID", Variant(user));
    cnn.Properties().Set("Data Source", Variant(dataSource));
    cnn.SetCursorLocation(adUseClient);
    cnn.SetMode(adModeReadWrite);
    return cnn;
}

/// A test on the throwaway server with one fresh book database of its own (made
/// with "Create Database" through the provider) and a book-file folder; skipped when
/// no server is running. Every database the test makes is dropped at its end.
class ServerBookFixture : public BookFileFixture {
  protected:
    void SetUp() override {
        server_ = pg::testing::TestServerSettings("postgres");
        if (!server_)
            GTEST_SKIP() << pg::testing::kNoServerReason;
        database_ = NewDatabase();
        cnn_ = OpenServer(database_);
    }

    void TearDown() override {
        if (!server_)
            return;
        if (cnn_.State() == adStateOpen)
            cnn_.Close();
        pg::PgConnection admin(*server_);
        for (const std::string& name : created_) {
            admin.Exec("DROP DATABASE IF EXISTS " + pg::QuoteIdent(pg::FoldDatabaseName(name)) +
                       " WITH (FORCE)");
        }
    }

    /// A new database made through the provider, named in mixed case as the wizard
    /// names its books.
    std::string NewDatabase() {
        const std::string name = "kxAcc" + pg::testing::NewTestDatabaseName();
        created_.push_back(name);
        Connection master = OpenServer("master");
        master.Execute("Create Database " + name);
        master.Close();
        return name;
    }

    Connection PrepareServer(const std::string& database, const std::optional<std::string>& password = {}) {
        return PrepareServerConnection(database, TestDataSource(*server_), server_->user,
                                       password.value_or(server_->password));
    }

    /// Opens a server connection as the wizard does: prepared, then Open with empty
    /// arguments.
    Connection OpenServer(const std::string& database) {
        Connection cnn = PrepareServer(database);
        cnn.SetConnectionTimeout(10);
        cnn.Open("", "", "", -1);
        return cnn;
    }

    /// The names of the rows of a table listing whose type is exactly "TABLE".
    static std::vector<std::string> UserTables(Recordset listing) {
        std::vector<std::string> names;
        for (; !listing.IsEOF(); listing.MoveNext())
            if (listing.Item("Table_Type").Value().ToString() == "TABLE")
                names.push_back(listing.Item("Table_Name").Value().ToString());
        return names;
    }

    std::optional<pg::PgConnectionSettings> server_;
    std::string database_;
    Connection cnn_;
    std::vector<std::string> created_;
};

} // namespace kx::ado::test
