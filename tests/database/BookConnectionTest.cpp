#include "database/CreateCnn.h"
#include "database/SingleStatements.h"
#include "database/UserTables.h"

#include "SampleBookCopy.h"
#include "ado/AdoError.h"

#include <gtest/gtest.h>

namespace kx::database {
namespace {

TEST(CreateCnn, ThePlaceholderBecomesTheBookPasswordAndServersStartAtTheMaintenanceDatabase) {
    ado::Connection book;
    CreateCnn(book, "/books/kxAcc000001.MDE", "", "somebody", "###");
    EXPECT_EQ(book.State(), ado::adStateClosed);
    EXPECT_EQ(book.Provider(), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(book.Properties().Text("User ID"), "Admin") << "whatever the caller passes";
    EXPECT_EQ(book.Properties().Text("Jet OLEDB:Database Password"), kBookDatabasePassword);
    ado::Connection server;
    CreateCnn(server, "", "dbhost", "sa", "###");
    EXPECT_EQ(server.Provider(), "SQLOLEDB.1");
    EXPECT_EQ(server.Properties().Text("Initial Catalog"), "master");
    EXPECT_EQ(server.Properties().Text("User ID"), "sa");
    EXPECT_EQ(server.Properties().Text("Password"), kBookDatabasePassword);
}

TEST(CreateCnn, OnlyThePlaceholderOrTheFixedPasswordExactlyOpensAKeyedBook) {
    test::SampleBookCopy book;
    for (const auto& [password, opens] : {std::pair{"###", true}, std::pair{"7.305918624471", true},
                                          std::pair{"", false}, std::pair{" ### ", false}, std::pair{"a###", false}}) {
        ado::Connection cnn;
        CreateCnn(cnn, book.str(), "", "", password);
        if (opens) {
            EXPECT_NO_THROW(cnn.Open({}, {}, {}, -1)) << password;
            cnn.Close();
        } else {
            EXPECT_THROW(cnn.Open({}, {}, {}, -1), ado::AdoError) << password;
        }
    }
}

TEST(BookStatements, SingleStatementsReportSuccessAndSwallowFailuresAndListingSkipsViewsAndSystemTables) {
    test::SampleBookCopy book;
    ado::Connection cnn;
    CreateCnn(cnn, book.str(), "", "", "###");
    cnn.Open({}, {}, {}, -1);
    const auto names = UserTableNames(cnn);
    EXPECT_NE(std::find(names.begin(), names.end(), "kxOperator"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "kxVBalance"), names.end());
    for (const auto& name : names)
        EXPECT_NE(name.rfind("sqlite_", 0), 0u) << name;
    EXPECT_TRUE(DoSql(cnn, "Delete From kxLog"));
    EXPECT_EQ(cnn.Execute("Select Count(*) From kxLog")->Item(0).Value().ToInt32(), 0);
    EXPECT_FALSE(DoSql(cnn, "Delete From kxNoSuchTable"));
    EXPECT_FALSE(DoSql(cnn, "Delet From kxLog"));
    EXPECT_TRUE(DropTable("[kxLog]", cnn));
    EXPECT_FALSE(DropTable("[kxLog]", cnn));
    EXPECT_THROW(cnn.Execute("Select Count(*) From kxLog"), ado::AdoError);
    cnn.Close();
}

} // namespace
} // namespace kx::database
