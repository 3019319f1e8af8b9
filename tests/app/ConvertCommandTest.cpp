#include "ConvertCommand.h"

#include "SampleBookCopy.h"
#include "ado/pg/PgConnection.h"
#include "ado/pg/PgQuote.h"
#include "ado/tsql/TsqlTranslator.h"
#include "pg/TestServer.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace kx::app {
namespace {

namespace pg = ado::pg;

class ConvertCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings = pg::testing::TestServerSettings("postgres");
        if (!settings)
            GTEST_SKIP() << pg::testing::kNoServerReason;
        database = "kxAcc" + pg::testing::NewTestDatabaseName();
    }
    void TearDown() override {
        if (settings)
            pg::PgConnection(*settings).Exec("DROP DATABASE IF EXISTS " +
                                             pg::QuoteIdent(pg::FoldDatabaseName(database)) + " WITH (FORCE)");
    }
    int Run(const std::string& book) {
        return RunConvertCommand({book, settings->host + "," + settings->port, settings->user, settings->password,
                                  database},
                                 out, err);
    }
    std::optional<pg::PgConnectionSettings> settings;
    std::string database;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ConvertCommandTest, PrintsEveryConvertedTableWithItsRowsOrTheFailure) {
    const test::SampleBookCopy book;
    EXPECT_EQ(Run((book.path().parent_path() / "none.mde").string()), 1);
    EXPECT_NE(err.str().find("从Access数据库恢复数据"), std::string::npos) << err.str();
    err.str("");
    ASSERT_EQ(Run(book.str()), 0) << err.str();
    EXPECT_TRUE(std::regex_search(out.str(), std::regex("\nkxoperator +3\n"))) << out.str();
    EXPECT_NE(out.str().find("个数据表"), std::string::npos);
    // The progress bar ends full on the error stream.
    EXPECT_NE(err.str().find("100%"), std::string::npos) << err.str();
}

} // namespace
} // namespace kx::app
