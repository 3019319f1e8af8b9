#include "database/BracketedName.h"
#include "database/DatabaseNameCheck.h"
#include "database/NewServerDatabase.h"
#include "database/ServerTableCopy.h"
#include "database/SingleStatements.h"
#include "database/SqlBookConversion.h"

#include "KeyedBook.h"
#include "ServerTest.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace kx::database {
namespace {

namespace pg = ado::pg;

TEST(DatabaseName, IsBracketedWithItsClosingBracketsDoubledAndRefusedWhenItCannotBeAName) {
    EXPECT_EQ(BracketedName("kxAcc000001"), "[kxAcc000001]");
    EXPECT_EQ(BracketedName("a]b]]"), "[a]]b]]]]]");
    EXPECT_EQ(BracketedName("x; Drop Table t --'\"/*["), "[x; Drop Table t --'\"/*[]");

    std::string longest;
    for (std::size_t i = 0; i < kMaxDatabaseNameLength; ++i)
        longest += "库";
    const std::pair<std::string, std::string> cases[] = {
        {"kxAcc000001", ""},
        {"x]; Drop Table t; --'\"/*", ""},
        {longest, ""},
        {longest + "a", "数据库名不能超过128个字符。"},
        {"", "数据库名不能为空。"},
        {"   ", "数据库名不能为空。"},
        {"a\tb", "数据库名不能含有控制字符。"},
        {"x\nDrop Table t", "数据库名不能含有控制字符。"},
        {std::string("a\0b", 3), "数据库名不能含有控制字符。"},
        {"a\x7f", "数据库名不能含有控制字符。"},
        {"a\xc2\x85", "数据库名不能含有控制字符。"},
        {"a\xff", "数据库名含有无法识别的字符。"},
    };
    for (const auto& [name, problem] : cases)
        EXPECT_EQ(DatabaseNameProblem(name), problem) << name;
}

/// Odd database names on the throwaway server, with a canary table in the
/// maintenance database and one in a database of its own that a name breaking out
/// of its brackets would drop.
class OddDatabaseNames : public test::ServerTest {
  protected:
    void SetUp() override {
        ServerTest::SetUp();
        if (IsSkipped())
            return;
        canaryDatabase = "kxc" + std::to_string(getpid());
        pg::PgConnection admin(*settings_);
        admin.Exec("CREATE TABLE IF NOT EXISTS kxcanary (id int)");
        admin.Exec("DROP DATABASE IF EXISTS " + canaryDatabase + " WITH (FORCE)");
        admin.Exec("CREATE DATABASE " + canaryDatabase);
        auto settings = *settings_;
        settings.database = canaryDatabase;
        pg::PgConnection(settings).Exec("CREATE TABLE kxcanary (id int)");
    }
    void TearDown() override {
        if (settings_) {
            pg::PgConnection admin(*settings_);
            admin.Exec("DROP TABLE IF EXISTS kxcanary");
            admin.Exec("DROP DATABASE IF EXISTS " + canaryDatabase + " WITH (FORCE)");
        }
        ServerTest::TearDown();
    }
    /// How many databases have names that begin with `prefix` (other tests make and
    /// drop databases of their own meanwhile).
    long DatabaseCount(const std::string& prefix) const {
        return std::stol(
            std::string(pg::PgConnection(*settings_)
                            .Exec("SELECT count(*) FROM pg_database WHERE starts_with(datname, " +
                                  pg::QuoteLiteral(pg::FoldDatabaseName(prefix)) + ")")
                            .Value(0, 0)));
    }
    /// True while both canary tables are there.
    bool CanariesAlive() const {
        auto settings = *settings_;
        settings.database = canaryDatabase;
        const std::string ask = "SELECT to_regclass('kxcanary') IS NOT NULL";
        return std::string(pg::PgConnection(*settings_).Exec(ask).Value(0, 0)) == "t" &&
               std::string(pg::PgConnection(settings).Exec(ask).Value(0, 0)) == "t";
    }

    std::string canaryDatabase;
};

TEST_F(OddDatabaseNames, StayOneNameInEveryStatementAndLeaveOtherDatabasesAlone) {
    test::TempFolder folder;
    const std::string book = test::MakeKeyedBook(
        folder, {"CREATE TABLE kxItem ([ID] COUNTER, [Name] TEXT(20))",
                 "INSERT INTO kxItem ([Name]) VALUES ('a')", "INSERT INTO kxItem ([Name]) VALUES ('b')"});
    ado::Connection master = Open("master");
    const std::string tails[] = {
        "; Drop Table kxCanary",
        "]; Drop Table kxCanary; --",
        "]]; Drop Table [" + canaryDatabase + "]..[kxCanary] --",
        "'; Drop Table kxCanary; --",
        "\"; Drop Table kxCanary; --",
        " -- x]\nDrop Table kxCanary",
        " /* x */ Drop Table kxCanary",
        "[",
    };
    int n = 0;
    for (const std::string& tail : tails) {
        const std::string prefix = "kxn" + std::to_string(getpid()) + "_" + std::to_string(++n);
        const std::string name = Named(prefix + tail);
        SCOPED_TRACE(name);
        if (!DatabaseNameProblem(name).empty()) {
            // A name that cannot be one is refused before the server hears of it.
            const long before = DatabaseCount(prefix);
            const NewServerDatabase refused = NewServerDatabase::Create(master, name);
            EXPECT_EQ(refused.Outcome(), NewServerDatabase::Status::Failed);
            EXPECT_EQ(refused.Cause(), DatabaseNameProblem(name));
            EXPECT_FALSE(CreateSqlBook(book, Server(), name, settings_->user, settings_->password));
            EXPECT_EQ(DatabaseCount(prefix), before);
            EXPECT_TRUE(CanariesAlive());
            continue;
        }
        // The conversion: claim, create, mark, convert on a connection of its own, keep.
        ASSERT_TRUE(CreateSqlBook(book, Server(), name, settings_->user, settings_->password))
            << (box.shown.empty() ? "" : box.shown.back().text);
        ASSERT_TRUE(Exists(name));
        // An existing database is never made again.
        EXPECT_FALSE(CreateDatabase(name, master));
        const NewServerDatabase taken = NewServerDatabase::Create(master, name);
        EXPECT_EQ(taken.Outcome(), NewServerDatabase::Status::NameTaken);

        // A server book copied by three-part names, from and into odd names.
        const std::string copy = Named(prefix + "c" + tail);
        ASSERT_TRUE(CreateDatabase(copy, master));
        ado::Connection source = Open(name);
        EXPECT_TRUE(CopySqlAllTables(name, copy, source));
        source.Close();
        ado::Connection copied = Open(copy);
        EXPECT_EQ(
            copied.Execute("Select Count(*) From " + BracketedName("kxItem"))->Item(0).Value().ToInt32(), 2);
        copied.Close();

        // Dropped by a claim that owns it, and by name.
        NewServerDatabase claimed = NewServerDatabase::Create(master, Named(prefix + "d" + tail));
        ASSERT_TRUE(claimed.IsCreated()) << claimed.Cause();
        ASSERT_TRUE(Exists(claimed.Name()));
        EXPECT_EQ(claimed.Drop(), "");
        EXPECT_FALSE(Exists(claimed.Name()));
        EXPECT_TRUE(DropDatabase(copy, master));
        EXPECT_TRUE(DropDatabase(name, master));
        EXPECT_FALSE(Exists(copy));
        EXPECT_FALSE(Exists(name));
        EXPECT_TRUE(CanariesAlive());
    }
    master.Close();
    EXPECT_TRUE(CanariesAlive());
}

} // namespace
} // namespace kx::database
