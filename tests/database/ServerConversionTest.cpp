#include "database/ServerTableCopy.h"
#include "database/SqlBookConversion.h"
#include "database/UserTables.h"

#include "KeyedBook.h"
#include "SampleBookCopy.h"
#include "ado/AdoError.h"
#include "ado/jet/BookFile.h"
#include "ado/pg/PgConnection.h"
#include "ado/pg/PgQuote.h"
#include "ServerTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace kx::database {
namespace {

namespace pg = ado::pg;

/// The conversion on the throwaway server.
class ServerConversionTest : public test::ServerTest {
protected:
    bool Convert(const std::string& book, const std::string& database) {
        return CreateSqlBook(book, Server(), database, settings_->user, settings_->password);
    }
    static long Count(ado::Connection& cnn, const std::string& table) {
        return cnn.Execute("Select Count(*) From [" + table + "]")->Item(0).Value().ToInt32();
    }
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

using test::MakeKeyedBook;

TEST_F(ServerConversionTest, AFailingTableStopsTheConversionWithItsNameAndCauseAndLeavesNoDatabase) {
    // A column name of 66 bytes, which the server cannot hold.
    std::string longName;
    for (int i = 0; i < 22; ++i)
        longName += "长";
    const struct {
        std::vector<std::string> statements;
        std::optional<std::string> message; // "" for the provider's own text
        std::string cause;
    } cases[] = {
        {{}, std::nullopt, ""}, // no tables: nothing converted, nothing shown
        {{"CREATE TABLE pics ([a] LONGBINARY)"}, "创建数据表：pics失败。", "没有可以复制的字段。"},
        {{"CREATE TABLE [my table] ([x] LONG)"}, "", ""},
        // Read by the book as a table with a condition; the server must never see the rest.
        {{"CREATE TABLE ta ([x] LONG)", "CREATE TABLE [ta Where 1=1] ([x] LONG)"},
         "创建数据表：ta Where 1=1失败。",
         "数据表名“ta Where 1=1”中有不能写在语句中的字符"},
        {{"CREATE TABLE ta ([x] LONG)", "INSERT INTO ta ([x]) VALUES (1)", "CREATE TABLE tb ([x] LONG)",
          "CREATE TABLE tc ([" + longName + "] LONG)"},
         "创建数据表：tc失败。",
         "longer than 63 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statements.empty() ? "no tables" : c.statements.back());
        box.shown.clear();
        test::TempFolder folder;
        const std::string database = NewName();
        EXPECT_FALSE(Convert(MakeKeyedBook(folder, c.statements), database));
        // The tables made before the failure went with the database.
        EXPECT_FALSE(Exists(database));
        ASSERT_EQ(box.shown.size(), c.message ? 1u : 0u);
        if (!c.message)
            continue;
        const std::string& text = box.shown[0].text;
        EXPECT_EQ(box.shown[0].title, "从Access数据库恢复数据");
        EXPECT_EQ(box.shown[0].style, 16) << "the critical icon with OK alone";
        if (c.message->empty()) {
            EXPECT_EQ(text.find("创建数据表"), std::string::npos) << text;
        } else {
            ASSERT_NE(text.find('\n'), std::string::npos) << text;
            EXPECT_EQ(text.substr(0, text.find('\n')), *c.message) << text;
            EXPECT_NE(text.substr(text.find('\n') + 1).find(c.cause), std::string::npos) << text;
        }
    }
}

/// A book file whose table kxBig holds `rows` rows, made once per test program.
const std::string& BigBook(long rows) {
    static test::TempFolder folder;
    static const std::string file = MakeKeyedBook(
        folder,
        {"CREATE TABLE kxSmall ([ID] COUNTER, [Name] TEXT(20))", "INSERT INTO kxSmall ([Name]) VALUES ('a')",
         "CREATE TABLE kxBig ([ID] COUNTER, [Code] TEXT(20), [Amount] CURRENCY)",
         "INSERT INTO kxBig ([Code],[Amount]) SELECT 'C' || x, x * 1.25 FROM (WITH RECURSIVE c(x) AS "
         "(SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < " +
             std::to_string(rows) + ") SELECT x FROM c)"});
    return file;
}

/// Watches the server from a connection of its own for the row copy into
/// `database` and, as soon as it streams, cuts it off with `cut`
/// (pg_cancel_backend or pg_terminate_backend).
class CopyCutter {
  public:
    CopyCutter(const pg::PgConnectionSettings& admin, const std::string& database, const std::string& cut)
        : thread_([this, admin, database, cut] {
              pg::PgConnection watcher(admin);
              const std::string find = "SELECT pid FROM pg_stat_activity WHERE datname = " +
                                       pg::QuoteLiteral(pg::FoldDatabaseName(database)) +
                                       " AND state = 'active' AND query LIKE 'COPY %'";
              while (!stop_) {
                  const pg::PgResult copying = watcher.Exec(find);
                  if (copying.RowCount() > 0) {
                      cut_ = watcher.Exec("SELECT " + cut + "(" + std::string(copying.Value(0, 0)) + ")")
                                 .Value(0, 0) == "t";
                      return;
                  }
              }
          }) {}
    ~CopyCutter() {
        stop_ = true;
        thread_.join();
    }
    /// True once the copy was found and cut off.
    bool Cut() const { return cut_; }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> cut_{false};
    std::thread thread_;
};

TEST_F(ServerConversionTest, ARowCopyCutOffOnTheServerFailsTheConversionNamingTheTableAndLeavesNoDatabase) {
    // Large enough that the copy is still streaming when the watcher sees it.
    const std::string& book = BigBook(200000);
    const struct {
        const char* cut;
        std::vector<std::string> causes; // one of them is the second line
    } cases[] = {
        {"pg_cancel_backend", {"canceling statement due to user request"}},
        {"pg_terminate_backend",
         {"terminating connection due to administrator command", "server closed the connection unexpectedly",
          "could not send data to server", "no connection to the server"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cut);
        box.shown.clear();
        const std::string database = NewName();
        bool converted = true;
        {
            const CopyCutter cutter(*settings_, database, c.cut);
            converted = Convert(book, database);
            ASSERT_TRUE(cutter.Cut()) << "the copy was not cut off";
        }
        EXPECT_FALSE(converted);
        EXPECT_FALSE(Exists(database));
        ASSERT_EQ(box.shown.size(), 1u);
        const std::string& text = box.shown[0].text;
        ASSERT_NE(text.find('\n'), std::string::npos) << text;
        EXPECT_EQ(text.substr(0, text.find('\n')), "创建数据表：kxBig失败。") << text;
        const std::string cause = text.substr(text.find('\n') + 1);
        EXPECT_TRUE(std::any_of(c.causes.begin(), c.causes.end(), [&](const std::string& known) {
            return cause.find(known) != std::string::npos;
        })) << text;
    }
}

TEST_F(ServerConversionTest, AnExistingDatabaseIsRefusedAndNothingIsWrittenIntoIt) {
    // Someone else's database with a table of its own.
    const std::string theirs = NewName();
    {
        pg::PgConnection admin(*settings_);
        admin.Exec("CREATE DATABASE " + pg::QuoteIdent(pg::FoldDatabaseName(theirs)));
        pg::PgConnectionSettings inside = *settings_;
        inside.database = pg::FoldDatabaseName(theirs);
        pg::PgConnection(inside).Exec("CREATE TABLE kept (x int); INSERT INTO kept VALUES (7)");
    }
    const test::SampleBookCopy book;
    for (const std::string& database : {theirs, std::string("master"), std::string("template1")}) {
        SCOPED_TRACE(database);
        box.shown.clear();
        pg::PgConnectionSettings inside = *settings_;
        inside.database = pg::FoldDatabaseName(database);
        const std::string contents =
            "SELECT (SELECT string_agg(relname, ',' ORDER BY relname) FROM pg_class WHERE "
            "relnamespace = 'public'::regnamespace), shobj_description((SELECT oid FROM "
            "pg_database WHERE datname = current_database()), 'pg_database')";
        const auto before = pg::PgConnection(inside).Exec(contents);
        EXPECT_FALSE(Convert(book.str(), database));
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].text, "数据库" + database + "已存在。\ndatabase \"" +
                                         pg::FoldDatabaseName(database) + "\" already exists");
        const auto after = pg::PgConnection(inside).Exec(contents);
        EXPECT_EQ(std::string(after.Value(0, 0)), std::string(before.Value(0, 0)));
        EXPECT_EQ(after.IsNull(0, 1), before.IsNull(0, 1));
    }
    ado::Connection sql = Open(theirs);
    EXPECT_EQ(UserTableNames(sql), std::vector<std::string>{"kept"});
    EXPECT_EQ(Count(sql, "kept"), 1);
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
    ASSERT_TRUE(Convert(MakeKeyedBook(folder, statements), database));
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

/// A keyed book made with `statements`, then given `raw` straight through the
/// engine, as a program without the provider's text length guard writes it.
std::string BookWrittenElsewhere(const test::TempFolder& folder, const std::vector<std::string>& statements,
                                 const std::vector<std::string>& raw) {
    const std::string file = MakeKeyedBook(folder, statements);
    ado::jet::OpenedBookFile opened = ado::jet::OpenBookFile(file, kBookDatabasePassword, false);
    for (const std::string& sql : raw)
        opened.database.Run(sql);
    return file;
}

TEST_F(ServerConversionTest, TextLongerThanItsColumnFailsNamingTableColumnAndRowAndLeavesNoDatabase) {
    const struct {
        const char* name;
        std::vector<std::string> statements;
        std::vector<std::string> raw;
        const char* message; // nullptr: the book converts
    } cases[] = {
        {"counter key",
         {"CREATE TABLE kxItems ([ID] COUNTER, [Name] TEXT(10), [Note] TEXT(5))",
          "INSERT INTO kxItems ([Name], [Note]) VALUES ('甲乙丙丁戊己庚辛壬癸', 'ok')"},
         {"INSERT INTO kxItems (ID, Name, Note) VALUES (3, 'abc', 'ok')",
          "INSERT INTO kxItems (ID, Name, Note) VALUES (7, '甲乙丙丁戊己庚辛壬癸子', 'ok')",
          "INSERT INTO kxItems (ID, Name, Note) VALUES (9, 'x', 'toolong')"},
         "创建数据表：kxItems失败。\n字段Name的值超过了它的长度（10个字符），行：ID=7。"},
        {"two-column key",
         {"CREATE TABLE kxPair ([Year] LONG, [Code] TEXT(4), [Memo] TEXT(3), CONSTRAINT pk PRIMARY KEY ([Year], "
          "[Code]))"},
         {"INSERT INTO kxPair VALUES (2024, 'B2', 'abc')", "INSERT INTO kxPair VALUES (2024, 'A1', 'abcd')"},
         "创建数据表：kxPair失败。\n字段Memo的值超过了它的长度（3个字符），行：Year=2024，Code=A1。"},
        {"no key",
         {"CREATE TABLE kxNotes ([Memo] TEXT(3))", "INSERT INTO kxNotes VALUES ('a')",
          "INSERT INTO kxNotes VALUES (NULL)"},
         {"INSERT INTO kxNotes VALUES ('cccc')", "INSERT INTO kxNotes VALUES ('dddd')"},
         "创建数据表：kxNotes失败。\n字段Memo的值超过了它的长度（3个字符），行：第3行。"},
        {"trailing spaces only", // the server drops them itself
         {"CREATE TABLE kxPad ([Code] TEXT(3))"},
         {"INSERT INTO kxPad VALUES ('abc   ')"},
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        box.shown.clear();
        test::TempFolder folder;
        const std::string book = BookWrittenElsewhere(folder, c.statements, c.raw);
        const std::string database = NewName();
        const bool converted = Convert(book, database);
        if (c.message == nullptr) {
            EXPECT_TRUE(converted) << (box.shown.empty() ? "" : box.shown[0].text);
            EXPECT_TRUE(box.shown.empty());
            continue;
        }
        EXPECT_FALSE(converted);
        EXPECT_FALSE(Exists(database));
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].title, "从Access数据库恢复数据");
        EXPECT_EQ(box.shown[0].text, c.message);
    }
}

} // namespace
} // namespace kx::database
