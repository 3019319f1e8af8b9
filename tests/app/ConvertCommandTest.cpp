#include "ConvertCommand.h"

#include "KeyedBook.h"
#include "SampleBookCopy.h"
#include "ado/pg/PgAppLock.h"
#include "e2e/ServerBooks.h"
#include "ado/pg/PgConnection.h"
#include "ado/pg/PgQuote.h"
#include "database/NewServerDatabase.h"
#include "pg/TestServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kx::app {
namespace {

namespace pg = ado::pg;

/// A single answer of the test server's maintenance database.
std::string Ask(const std::string& sql) {
    const pg::PgResult row = pg::PgConnection(*pg::testing::TestServerSettings("postgres")).Exec(sql);
    return row.RowCount() == 0 ? "<none>" : row.IsNull(0, 0) ? "<null>" : std::string(row.Value(0, 0));
}

/// Waits until `condition` holds, at most about `seconds`.
bool Eventually(const std::function<bool()>& condition, int seconds) {
    for (int tries = 0; tries < seconds * 50 && !condition(); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return condition();
}

class ConvertCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server.Available())
            GTEST_SKIP() << pg::testing::kNoServerReason;
        database = server.NewDatabaseName();
    }
    int Run(const std::string& book) {
        return RunConvertCommand({book, server.Server(), server.User(), server.Password(), database}, out, err);
    }
    std::string CommentOf(const std::string& name) const {
        return Ask("SELECT shobj_description(oid, 'pg_database') FROM pg_database WHERE datname = " +
                   pg::QuoteLiteral(pg::FoldDatabaseName(name)));
    }

    e2e::ServerBooks server; // drops the databases of the test
    std::string database;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ConvertCommandTest, PrintsEveryConvertedTableWithItsRowsOrTheFailure) {
    const test::SampleBookCopy book;
    // Whatever the typed name holds, it names one database and nothing else runs.
    server.RunSql("postgres", "CREATE TABLE IF NOT EXISTS kxcanary (id int)");
    database = server.NewDatabaseName("]; Drop Table kxCanary --");
    EXPECT_EQ(Run((book.path().parent_path() / "none.mde").string()), 1);
    EXPECT_NE(err.str().find("从Access数据库恢复数据"), std::string::npos) << err.str();
    err.str("");
    ASSERT_EQ(Run(book.str()), 0) << err.str();
    EXPECT_TRUE(std::regex_search(out.str(), std::regex("\nkxoperator +3\n"))) << out.str();
    EXPECT_NE(out.str().find("个数据表"), std::string::npos);
    // The progress bar ends full on the error stream.
    EXPECT_NE(err.str().find("100%"), std::string::npos) << err.str();
    EXPECT_EQ(Ask("SELECT to_regclass('kxcanary') IS NOT NULL"), "t");
    server.RunSql("postgres", "DROP TABLE kxcanary");
}

// The conversion's own failures are checked with its tests; here, how the command ends.
TEST_F(ConvertCommandTest, AFailureEndsWithStatusOnePrintingWhatFailedAndWhy) {
    server.RunSql("postgres", "CREATE DATABASE " + pg::QuoteIdent(pg::FoldDatabaseName(database)));
    EXPECT_EQ(Run(test::SampleBookCopy::Master().string()), 1);
    EXPECT_NE(err.str().find("从Access数据库恢复数据：数据库" + database + "已存在。\ndatabase \"" +
                             pg::FoldDatabaseName(database) + "\" already exists\n"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(CommentOf(database), "<null>");

    // A name that cannot be a database name is refused before the server hears of it.
    for (const auto& [name, problem] : {std::pair<std::string, std::string>{"kx\x1b[2J", "数据库名不能含有控制字符。"},
                                        {std::string(129, 'k'), "数据库名不能超过128个字符。"}}) {
        err.str("");
        database = name;
        EXPECT_EQ(Run(test::SampleBookCopy::Master().string()), 1);
        EXPECT_EQ(err.str(), "从Access数据库恢复数据：" + problem + "\n");
        EXPECT_EQ(out.str(), "");
    }
}

TEST_F(ConvertCommandTest, AConversionKilledHalfWayIsRemovedByTheNextRun) {
    test::TempFolder folder;
    const std::string big = test::MakeKeyedBook(
        folder,
        {"CREATE TABLE kxBig ([ID] COUNTER, [Code] TEXT(20))",
         "INSERT INTO kxBig ([Code]) SELECT 'C' || x FROM (WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL "
         "SELECT x + 1 FROM c WHERE x < 200000) SELECT x FROM c)"});
    const std::string killed = server.NewDatabaseName();
    const pid_t child = ::fork();
    if (child == 0) {
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, 1);
        ::dup2(quiet, 2);
        ::execl(KX_LEDGERWIZ, "ledgerwiz", "convert", big.c_str(), "--server", server.Server().c_str(), "--user",
                server.User().c_str(), "--password", server.Password().c_str(), "--database",
                killed.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(child, 0);
    // Killed while its rows stream into the new database.
    const bool copying = Eventually(
        [&] {
            return Ask("SELECT count(*) FROM pg_stat_activity WHERE datname = " +
                       pg::QuoteLiteral(pg::FoldDatabaseName(killed)) + " AND query LIKE 'COPY %'") == "1";
        },
        30);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(copying) << "the conversion never streamed its rows";
    EXPECT_EQ(CommentOf(killed), "kxLedgerWiz=creating");
    // Its session ends a moment after the process; until then its claim still holds.
    const auto key = static_cast<std::uint64_t>(pg::AppLockKey(database::ClaimLockResource(killed)));
    EXPECT_TRUE(Eventually(
        [&] {
            return Ask("SELECT count(*) FROM pg_locks WHERE locktype = 'advisory' AND objsubid = 1 AND "
                       "classid::bigint = " +
                       std::to_string(key >> 32) +
                       " AND objid::bigint = " + std::to_string(key & 0xFFFFFFFFu)) == "0";
        },
        5));

    ASSERT_EQ(Run(test::SampleBookCopy::Master().string()), 0) << err.str();
    EXPECT_EQ(CommentOf(killed), "<none>") << "the half-made database was left";
    EXPECT_EQ(CommentOf(database), "<null>") << "the finished book keeps no mark";
}

} // namespace
} // namespace kx::app
