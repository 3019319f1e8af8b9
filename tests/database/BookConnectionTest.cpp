#include "database/CreateCnn.h"
#include "SampleBookCopy.h"
#include "TempFolder.h"
#include "ado/AdoError.h"
#include "database/SampleBook.h"
#include "database/SingleStatements.h"
#include "database/UserTables.h"
#include "platform/AnsiTextFile.h"

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

TEST(BookScript, SplitsAtSemicolonsEndingALineAndSkipsComments) {
    const auto statements = SplitBookScript("-- heading\n"
                                            "CREATE TABLE t (\n  a TEXT(5)\n);\n"
                                            "\n"
                                            "-- rows\r\n"
                                            "INSERT INTO t (a) VALUES ('x;y');  \n"
                                            "INSERT INTO t (a) VALUES ('-- not a comment');\n");
    ASSERT_EQ(statements.size(), 3u);
    EXPECT_EQ(statements[0], "CREATE TABLE t (\n  a TEXT(5)\n)");
    EXPECT_EQ(statements[1], "INSERT INTO t (a) VALUES ('x;y')");
    EXPECT_EQ(statements[2], "INSERT INTO t (a) VALUES ('-- not a comment')");
}

TEST(SampleBook, AnExistingFileIsNeverOverwritten) {
    test::TempFolder folder;
    const auto file = folder.path() / "kxSample.mde";
    platform::WriteFileAtomically(file, "a user's own file");
    EXPECT_FALSE(CreateSampleBook(file));
    EXPECT_EQ(platform::ReadWholeFile(file), "a user's own file");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

} // namespace
} // namespace kx::database
