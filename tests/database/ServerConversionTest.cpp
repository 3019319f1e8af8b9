#include "database/CreateCnn.h"
#include "database/ServerTableCopy.h"
#include "database/SqlBookConversion.h"
#include "database/UserTables.h"

#include "SampleBookCopy.h"
#include "ado/AdoError.h"
#include "ado/jet/BookFile.h"
#include "ado/pg/PgConnection.h"
#include "ado/pg/PgQuote.h"
#include "platform/MessageBoxService.h"
#include "pg/TestServer.h"

#include <gtest/gtest.h>

namespace kx::database {
namespace {

namespace pg = ado::pg;

/// A test on the throwaway server: databases it names are dropped at its end, and
/// the conversion's message box is recorded instead of shown.
class ServerConversionTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings_ = pg::testing::TestServerSettings("postgres");
        if (!settings_)
            GTEST_SKIP() << pg::testing::kNoServerReason;
        platform::InstallMessageBox(&box);
    }
    void TearDown() override {
        platform::InstallMessageBox(nullptr);
        if (!settings_)
            return;
        pg::PgConnection admin(*settings_);
        for (const auto& name : databases_)
            admin.Exec("DROP DATABASE IF EXISTS " + pg::QuoteIdent(pg::FoldDatabaseName(name)) + " WITH (FORCE)");
    }
    std::string NewName() {
        databases_.push_back("kxAcc" + pg::testing::NewTestDatabaseName());
        return databases_.back();
    }
    std::string Server() const { return settings_->host + "," + settings_->port; }
    bool Convert(const std::string& book, const std::string& database) {
        return CreateSqlBook(book, Server(), database, settings_->user, settings_->password);
    }
    ado::Connection Open(const std::string& database) {
        ado::Connection cnn;
        CreateCnn(cnn, database, Server(), settings_->user, settings_->password);
        cnn.Open({}, {}, {}, -1);
        return cnn;
    }
    static long Count(ado::Connection& cnn, const std::string& table) {
        return cnn.Execute("Select Count(*) From [" + table + "]")->Item(0).Value().ToInt32();
    }

    platform::RecordingMessageBox box;
    std::optional<pg::PgConnectionSettings> settings_;
    std::vector<std::string> databases_;
};

// Tables, row counts and values are compared by the end-to-end routes and the import
// tests; here counters go on, and the server book copies whole.
TEST_F(ServerConversionTest, TheSampleBookKeepsItsCountersAndCopiesIntoAnotherDatabase) {
    const test::SampleBookCopy book;
    const std::string database = NewName();
    ASSERT_TRUE(Convert(book.str(), database)) << (box.shown.empty() ? "" : box.shown[0].text);
    EXPECT_TRUE(box.shown.empty());
    ado::Connection sql = Open(database);
    const std::size_t tables = UserTableNames(sql).size();
    EXPECT_EQ(sql.Execute("Select opID From kxOperator Where opName = '出纳'")->Item(0).Value().ToInt32(), 2);
    sql.Execute("Insert Into kxOperator (opName, OpPwd) Values ('新', 'x')");
    EXPECT_EQ(sql.Execute("Select opID From kxOperator Where opName = '新'")->Item(0).Value().ToInt32(), 4);

    // The whole book copied into another database, replacing a table that exists there.
    const std::string destination = NewName();
    sql.Execute("Create Database " + destination);
    {
        ado::Connection target = Open(destination);
        target.Execute("CREATE TABLE kxLog ([stale] [int] NULL) ON [PRIMARY] ");
        target.Execute("Insert Into kxLog (stale) Values (1)");
        target.Close();
    }
    EXPECT_TRUE(CopySqlAllTables(database, destination, sql));
    ado::Connection target = Open(destination);
    EXPECT_EQ(UserTableNames(target).size(), tables);
    EXPECT_EQ(Count(target, "kxLog"), Count(sql, "kxLog"));
    EXPECT_EQ(Count(target, "kxAccClass"), Count(sql, "kxAccClass"));
    target.Execute("Insert Into kxOperator (opName, OpPwd) Values ('新2', 'x')");
    EXPECT_EQ(target.Execute("Select opID From kxOperator Where opName = '新2'")->Item(0).Value().ToInt32(), 5);
    target.Close();
    sql.Close();
}

/// A keyed book file of its own, with tables made by Jet DDL.
std::string MakeBook(const test::TempFolder& folder, const std::vector<std::string>& statements) {
    const std::string file = (folder.path() / "book.mde").string();
    ado::jet::CreateBookFile(file, kBookDatabasePassword);
    ado::Connection cnn;
    CreateCnn(cnn, file, "", "", "###");
    cnn.Open({}, {}, {}, -1);
    for (const auto& s : statements)
        cnn.Execute(s);
    cnn.Close();
    return file;
}

TEST_F(ServerConversionTest, AFailingTableStopsTheConversionWithItsNameAndKeepsTheTablesBeforeIt) {
    const std::pair<std::vector<std::string>, std::optional<std::string>> cases[] = {
        {{}, std::nullopt}, // no tables: nothing converted, nothing shown
        {{"CREATE TABLE pics ([a] LONGBINARY)"}, "创建数据表：pics失败。"},
        {{"CREATE TABLE [my table] ([x] LONG)"}, ""},
        {{"CREATE TABLE ta ([x] LONG)", "INSERT INTO ta ([x]) VALUES (1)", "CREATE TABLE tb ([x] LONG)",
          "CREATE TABLE tc ([x] LONG)"},
         "创建数据表：tc失败。"}};
    for (const auto& [statements, message] : cases) {
        SCOPED_TRACE(statements.empty() ? "no tables" : statements.front());
        box.shown.clear();
        test::TempFolder folder;
        const std::string database = NewName();
        if (statements.size() > 1) {
            // The third table already exists in the target: its creation fails.
            ado::Connection master = Open("master");
            master.Execute("Create Database " + database);
            master.Execute("Use " + database);
            master.Execute("CREATE TABLE tc ([y] [int] NULL) ON [PRIMARY] ");
            master.Close();
        }
        EXPECT_FALSE(Convert(MakeBook(folder, statements), database));
        ASSERT_EQ(box.shown.size(), message ? 1u : 0u);
        if (message && message->empty()) { // the provider's own text
            EXPECT_EQ(box.shown[0].text.find("创建数据表"), std::string::npos) << box.shown[0].text;
        } else if (message) {
            EXPECT_EQ(box.shown[0].text + box.shown[0].title, *message + "从Access数据库恢复数据");
        }
    }
    ado::Connection sql = Open(databases_.back());
    EXPECT_EQ(Count(sql, "ta"), 1);
    EXPECT_EQ(Count(sql, "tb"), 0);
    sql.Close();
}

TEST_F(ServerConversionTest, LongValuesPairWithTheirRowsAndACopyIntoAMissingDatabaseFailsWithTheTableCopyError) {
    test::TempFolder folder;
    // Rows inserted with keys out of order: pairing must follow insertion order.
    const auto memo = [](int k) { return "值" + std::to_string(k) + std::string(static_cast<std::size_t>(k) * 700, 'z'); };
    std::vector<std::string> statements{"CREATE TABLE kxSystem ([k] LONG, [Memo] MEMO, [Pic] LONGBINARY)"};
    for (int k : {5, 1, 4, 2, 3})
        statements.push_back("INSERT INTO kxSystem ([k], [Memo], [Pic]) VALUES (" + std::to_string(k) + ", '" + memo(k) +
                             "', X'" + std::string(static_cast<std::size_t>(k) * 2, 'A') + "')");
    const std::string database = NewName();
    ASSERT_TRUE(Convert(MakeBook(folder, statements), database));
    ado::Connection sql = Open(database);
    for (int k = 1; k <= 5; ++k) {
        auto row = sql.Execute("Select Memo, Pic From kxSystem Where k = " + std::to_string(k));
        EXPECT_EQ(row->Item("Memo").Value().ToString(), memo(k));
        EXPECT_EQ(row->Item("Pic").Value().ToBytes().size(), static_cast<std::size_t>(k));
    }
    try {
        CopySqlAllTables(database, "kxAccNoSuchDatabase", sql);
        ADD_FAILURE() << "the copy claimed success";
    } catch (const ado::AdoError& e) {
        EXPECT_EQ(static_cast<std::uint32_t>(e.Number()), 0x80040200u);
        EXPECT_EQ(e.Source(), "CopySqlAllTables");
        EXPECT_EQ(e.Description(), "复制数据表kxsystem时遇到错误。"); // the server lists folded names
    }
    sql.Close();
}

} // namespace
} // namespace kx::database
