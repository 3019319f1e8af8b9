// Opening server books and listing their tables, through the ADO API.

#include "ServerBookFixture.h"

#include "ado/ProviderRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kx::ado {
namespace {

using test::CatchAdoError;
using test::PrepareServerConnection;

class ServerConnection : public test::ServerBookFixture {};

TEST_F(ServerConnection, OpensWithThePropertiesTheWizardSetsAndHidesThePassword) {
    EXPECT_TRUE(IsProviderRegistered("SQLOLEDB.1") && IsProviderRegistered("sqloledb"));
    EXPECT_EQ(cnn_.State(), adStateOpen);
    const std::string text = cnn_.ConnectionString();
    EXPECT_NE(text.find("Initial Catalog=" + database_), std::string::npos) << text;
    EXPECT_EQ(text.find(server_->password), std::string::npos) << "the password must not be read back";
    EXPECT_NE(text.find("SQL"), std::string::npos) << "the clearing recognises server books by it";
}

TEST_F(ServerConnection, MasterAndAnEmptyCatalogOpenTheMaintenanceDatabase) {
    // No database of these names exists on the server: opening proves where they lead.
    for (const char* catalog : {"master", "MASTER", ""}) {
        Connection cnn = PrepareServer(database_);
        cnn.Properties().Set("Initial Catalog", Variant(catalog));
        cnn.Open();
        Recordset listing =
            cnn.OpenSchema(adSchemaTables, {Variant(), Variant(), Variant(), Variant("SYSTEM TABLE")});
        ASSERT_FALSE(listing.IsEOF()) << catalog;
        EXPECT_EQ(listing.Item("TABLE_CATALOG").Value(), Variant(*catalog == '\0' ? "master" : catalog));
        cnn.Close();
    }
}

TEST_F(ServerConnection, AWrongPasswordAMissingDatabaseOrServerLeaveTheConnectionClosed) {
    struct Case {
        Connection cnn;
        std::string text;
        long nativeError;
    };
    Case cases[] = {{PrepareServer(database_, std::string("not the password")),
                     "Login failed for user '" + server_->user + "'", 18456},
                    {PrepareServer("kxAcc_no_such_book"), "Cannot open database", 4060},
                    {PrepareServerConnection(database_, folder_.path().string() + ",1", server_->user,
                                             server_->password),
                     "Cannot connect", 0}};
    for (Case& c : cases) {
        SCOPED_TRACE(c.text);
        const AdoError error = CatchAdoError([&] { c.cnn.Open("", "", "", -1); });
        EXPECT_NE(error.Description().find(c.text), std::string::npos) << error.Description();
        if (c.nativeError != 0) {
            EXPECT_EQ(error.NativeError(), c.nativeError);
        }
        EXPECT_EQ(c.cnn.State(), adStateClosed);
        if (c.nativeError == 18456) {
            EXPECT_EQ(error.Number(), errors::AuthenticationFailed);
            EXPECT_EQ(error.Source(), "Microsoft OLE DB Provider for SQL Server");
            EXPECT_NE(error.Description().find("password authentication failed"), std::string::npos)
                << "the server's own message goes along";
        }
    }
}

TEST_F(ServerConnection, TheCommandTimeLimitCutsOffAStatementThatWaits) {
    cnn_.Execute("CREATE TABLE kxLocked ([a] [int] NULL) ON [PRIMARY] ");
    pg::PgConnectionSettings settings = *server_;
    settings.database = pg::FoldDatabaseName(database_);
    pg::PgConnection holder(settings);
    holder.Exec("BEGIN");
    holder.Exec("LOCK TABLE kxlocked IN ACCESS EXCLUSIVE MODE");

    cnn_.SetCommandTimeout(1);
    const AdoError error = CatchAdoError([&] { cnn_.Execute("Select * From kxLocked"); });
    EXPECT_EQ(error.Number(), errors::Hr(0x80040E31u)) << error.Description();
    holder.Exec("ROLLBACK");
    cnn_.SetCommandTimeout(0);
    EXPECT_TRUE(cnn_.Execute("Select * From kxLocked")->IsEOF());
}

class ServerTableListing : public test::ServerBookFixture {
  protected:
    void SetUp() override {
        ServerBookFixture::SetUp();
        if (IsSkipped())
            return;
        cnn_.Execute(
            "CREATE TABLE kxOperator ([opID] [int] IDENTITY (1, 1) NOT NULL,[opName] [nvarchar] (20) "
            "COLLATE Chinese_PRC_CI_AS NULL) ON [PRIMARY] ");
        cnn_.Execute("CREATE TABLE [kx Blank] ([a] [int] NULL) ON [PRIMARY] ");
        // Views come from outside the book routines; the translator has no CREATE VIEW.
        pg::PgConnectionSettings settings = *server_;
        settings.database = pg::FoldDatabaseName(database_);
        pg::PgConnection(settings).Exec("CREATE VIEW kxoperatornames AS SELECT opname FROM kxoperator");
    }
};

TEST_F(ServerTableListing, ListsUserTablesBesideViewsAndTheServersTablesAndThoseOfAnotherCatalog) {
    EXPECT_EQ(UserTables(cnn_.OpenSchema(adSchemaTables)), (std::vector<std::string>{"kx blank", "kxoperator"}));
    std::set<std::string> types;
    for (Recordset all = cnn_.OpenSchema(adSchemaTables); !all.IsEOF(); all.MoveNext()) {
        types.insert(all.Item("TABLE_TYPE").Value().ToString() + ":" + all.Item("TABLE_NAME").Value().ToString());
        EXPECT_TRUE(all.Item("TABLE_GUID").Value().IsNull());
    }
    EXPECT_EQ(types.count("VIEW:kxoperatornames"), 1u);
    EXPECT_NE(types.lower_bound("SYSTEM TABLE:"), types.lower_bound("SYSTEM TABLE;")) << "no server tables";

    Recordset one = cnn_.OpenSchema(adSchemaTables, {Variant(), Variant(), Variant("KXOPERATOR")});
    ASSERT_EQ(one.RecordCount(), 1);
    EXPECT_EQ(one.Item("TABLE_CATALOG").Value(), Variant(database_));
    EXPECT_EQ(one.Item("TABLE_SCHEMA").Value(), Variant("dbo"));
    // The table copy asks for "Table" and keeps the rows whose type is "TABLE".
    Recordset tables = cnn_.OpenSchema(adSchemaTables, {Variant(database_), Variant(), Variant(), Variant("Table")});
    EXPECT_EQ(tables.RecordCount(), 2);
    EXPECT_EQ(tables.Item("Table_Type").Value(), Variant("TABLE"));
    EXPECT_EQ(cnn_.OpenSchema(adSchemaTables, {Variant(""), Variant(""), Variant(""), Variant("view")}).RecordCount(),
              1);

    const std::string other = NewDatabase();
    OpenServer(other).Execute("CREATE TABLE kxOnlyThere ([a] [int] NULL) ON [PRIMARY] ");
    Recordset listing = cnn_.OpenSchema(adSchemaTables, {Variant(other), Variant(), Variant(), Variant("Table")});
    EXPECT_EQ(listing.Item("TABLE_CATALOG").Value(), Variant(other));
    EXPECT_EQ(UserTables(std::move(listing)), std::vector<std::string>{"kxonlythere"});
    EXPECT_EQ(UserTables(cnn_.OpenSchema(adSchemaTables, {Variant(), Variant(), Variant(), Variant("TABLE")})),
              (std::vector<std::string>{"kx blank", "kxoperator"}))
        << "the connection's own database is unchanged";
}

} // namespace
} // namespace kx::ado
