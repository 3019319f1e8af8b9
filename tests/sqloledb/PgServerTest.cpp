// Tests against the throwaway PostgreSQL server of scripts/pg-test-server.sh.

#include "pg/TestServer.h"

#include "ado/pg/CopyTextFormat.h"
#include "ado/pg/PgBytea.h"
#include "ado/pg/PgConnection.h"
#include "ado/pg/PgCopyIn.h"
#include "ado/pg/PgCopyOut.h"
#include "ado/pg/PgError.h"
#include "ado/pg/PgQuote.h"
#include "ado/pg/PgStatements.h"
#include "ado/sqloledb/PgSession.h"
#include "ado/tsql/TranslationError.h"
#include "ado/tsql/TsqlTranslator.h"
#include "platform/Utf8Text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace kx::ado::sqloledb {
namespace {

using pg::testing::NewTestDatabaseName;
using pg::testing::TestServerSettings;

/// Every cell, row by row, joined by "|"; NULL shown as "<null>".
std::string Cells(const pg::PgResult& result) {
    std::string cells;
    for (int row = 0; row < result.RowCount(); ++row) {
        for (int column = 0; column < result.ColumnCount(); ++column) {
            cells += (row + column > 0 ? "|" : "") +
                     (result.IsNull(row, column) ? "<null>" : std::string(result.Value(row, column)));
        }
    }
    return cells;
}

/// The SQLSTATE that `run` fails with, "" when it does not fail.
template <class Run> std::string SqlStateOf(Run run) {
    try {
        run();
    } catch (const pg::PgError& error) {
        return error.sqlState();
    }
    return "";
}

/// Bytes of every value, NUL and the COPY delimiters included.
std::string PatternBytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + 3) % 256);
    return bytes;
}

class PgServer : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto admin = TestServerSettings("postgres");
        if (!admin)
            GTEST_SKIP() << pg::testing::kNoServerReason;
        admin_ = std::make_unique<PgSession>(*admin);
        database_ = NewBookDatabase();
        book_ = std::make_unique<PgSession>(*TestServerSettings(database_));
    }

    void TearDown() override {
        book_.reset();
        for (const std::string& database : created_)
            admin_->Current().Exec("DROP DATABASE IF EXISTS " + pg::QuoteIdent(database) + " WITH (FORCE)");
    }

    /// A new database made as the book routines make one.
    std::string NewBookDatabase() {
        const std::string name = NewTestDatabaseName();
        admin_->Execute("Create Database " + name);
        created_.push_back(name);
        return name;
    }

    PgSession Session(const std::string& database) { return PgSession(*TestServerSettings(database)); }

    void CreateOperatorTable(PgSession& session) {
        session.Execute(
            "CREATE TABLE kxOperator ([opID] [int] IDENTITY (1, 1) NOT NULL,[opName] [nvarchar] (20) "
            "COLLATE Chinese_PRC_CI_AS NULL,[OpPwd] [nvarchar] (20) COLLATE Chinese_PRC_CI_AS NULL,"
            "[Photo] [image] NULL,[Amount] [money] NULL) ON [PRIMARY] SET IDENTITY_INSERT dbo.kxOperator "
            "ON INSERT INTO kxOperator ([opID],[opName],[OpPwd],[Photo],[Amount]) VALUES (1, N'Admin', "
            "N'pw', 0x000102, 12.5), (2, N'张三', NULL, NULL, NULL), (7, N'x'' OR ''1''=''1', N'q', 0x, "
            "0) SET IDENTITY_INSERT dbo.kxOperator OFF ");
    }

    std::unique_ptr<PgSession> admin_;
    std::unique_ptr<PgSession> book_;
    std::string database_;
    std::vector<std::string> created_;
};

TEST_F(PgServer, QueriesAnswerAsTheBookRoutinesExpect) {
    CreateOperatorTable(*book_);
    for (const char* sql : {
             "CREATE TABLE Names ([Name] [nvarchar] (20) COLLATE Chinese_PRC_CI_AS NULL, [Plain] [ntext] "
             "NULL)",
             "INSERT INTO Names (Name, Plain) VALUES (N'Admin', N'Admin'), (N'张三', NULL), (N'é', NULL), "
             "(N'a\\b_c', N'x')",
             "CREATE TABLE Flags ([ID] [int] NULL, [Flag] [bit] NULL)",
             "INSERT INTO Flags (ID, Flag) VALUES (1, 1), (2, 0), (3, NULL)",
             "UPDATE Flags SET Flag = 1 WHERE ID = 2",
             "CREATE TABLE kxStatement ([AssistCode] [nvarchar] (20) COLLATE Chinese_PRC_CI_AS NULL) ON "
             "[PRIMARY]",
             "INSERT INTO kxStatement (AssistCode) VALUES ('1234'), ('12345'), ('1234   '), (NULL), "
             "(N'张三李四'), (N'张三李四王'), ('')",
             "Delete From kxStatement Where Len(AssistCode)>4",
             "CREATE TABLE T2 ([ID] [int] NULL) ON [PRIMARY] ",
         }) {
        book_->Execute(sql);
    }
    const std::pair<const char*, const char*> cases[] = {
        // The collation ignores letter case and width, not accents.
        {"SELECT Name FROM Names WHERE Name = 'ADMIN'", "Admin"},
        {"SELECT Name FROM Names WHERE Name = N'ａｄｍｉｎ'", "Admin"},
        {"SELECT Name FROM Names WHERE Name = N'张三'", "张三"},
        {"SELECT Count(*) FROM Names WHERE Name = 'e'", "0"},
        {"SELECT Count(*) FROM Names WHERE Name = 'É'", "1"},
        // LIKE ignores letter case on any column and takes a backslash as it is.
        {"SELECT Count(*) FROM Names WHERE Name LIKE 'adm%'", "1"},
        {"SELECT Count(*) FROM Names WHERE Plain LIKE 'ADM%'", "1"},
        {"SELECT Name FROM Names WHERE Name LIKE 'a\\b%'", "a\\b_c"},
        {"SELECT * From kxOperator WHERE (opName = 'ADMIN')", "1|Admin|pw|\\x000102|12.5000"},
        {"SELECT opID From kxOperator WHERE (opName = 'x'' OR ''1''=''1')", "7"},
        {"SELECT Count(*) FROM Flags WHERE Flag = 1", "2"},
        {"SELECT Count(*) FROM Flags WHERE ID = 1 AND Flag <> 0", "1"},
        // Len counts without trailing blanks, in characters.
        {"SELECT AssistCode FROM kxStatement ORDER BY 1", "|1234|1234   |张三李四|<null>"},
        // A table with an identity and a missing one: ServerStatements in the ado tests.
        {"Select OBJECTPROPERTY(OBJECT_ID('dbo.T2'),'TableHasIdentity')", "0"},
    };
    for (const auto& [sql, answer] : cases)
        EXPECT_EQ(Cells(book_->Execute(sql)), answer) << sql;
}

TEST_F(PgServer, CopyRoundTripKeepsTextOutsideTheBmpAndBinaryValuesOfEverySize) {
    book_->Execute(
        "CREATE TABLE Blobs ([ID] [int] NULL, [Txt] [ntext] COLLATE Chinese_PRC_CI_AS NULL, [Data] "
        "[image] NULL) ON [PRIMARY] ");
    const std::size_t sizes[] = {0, 1, 999, 1000, 1001, 5 * 1024 * 1024 + 3};
    const auto text = [](std::size_t size) { return "汉字𠀀😀\t\n\\N\\ " + std::to_string(size); };
    {
        pg::PgCopyIn in(book_->Current(), pg::CopyFromStdinSql("blobs", {"id", "txt", "data"}));
        pg::CopyTextRowBuilder builder;
        for (std::size_t i = 0; i < std::size(sizes); ++i) {
            builder.AddText(std::to_string(i));
            builder.AddText(text(sizes[i]));
            builder.AddBytes(PatternBytes(sizes[i]));
            in.Write(builder.TakeRow());
        }
        EXPECT_EQ(in.Finish(), static_cast<long long>(std::size(sizes)));
    }
    // The server sees the characters outside the BMP as one character each.
    EXPECT_EQ(Cells(book_->Current().Exec("SELECT length(txt) FROM blobs WHERE id = 0")),
              std::to_string(platform::Utf8Length(text(0))));

    pg::PgCopyOut out(book_->Current(),
                      pg::CopyToStdoutSql("blobs", {"id", "txt", "data"}) + " WITH (FORMAT text)");
    std::size_t rows = 0;
    for (std::string line; out.Read(line); ++rows) {
        const auto fields = pg::ParseCopyTextRow(line);
        ASSERT_EQ(fields.size(), 3u);
        const std::size_t size = sizes[std::stoul(fields[0].value())];
        EXPECT_EQ(fields[1], text(size));
        EXPECT_TRUE(pg::DecodeByteaHex(fields[2].value()) == PatternBytes(size))
            << "bytes of " << size << " differ";
    }
    EXPECT_EQ(rows, std::size(sizes));
}

/// A Jet import of T1 (ID, Name) giving the rows with these IDs.
void ImportIds(PgSession& session, const std::vector<std::string>& ids) {
    const JetRowReader reader = [&](const tsql::ImportJetTable&, const auto& row) {
        for (const std::string& id : ids)
            row({id, "imported"});
    };
    session.Execute(
        "INSERT INTO T1 ([ID],[Name]) SELECT [ID],[Name] FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0',"
        "'Data Source=\"x.mde\"')...[T1] Rowset_1",
        reader);
}

TEST_F(PgServer, GeneratedIdentitiesFollowTheLargestStoredOne) {
    const std::string table = "CREATE TABLE T1 ([ID] [int] IDENTITY (1, 1) NOT NULL,[Name] [nvarchar] (50) "
                              "COLLATE Chinese_PRC_CI_AS NULL) ON [PRIMARY] ";
    const std::string on = "SET IDENTITY_INSERT dbo.T1 ON ";
    const std::string off = "SET IDENTITY_INSERT dbo.T1 OFF ";
    struct Case {
        std::vector<std::string> steps; // "import 1 2": a Jet import of rows with these IDs
        const char* next;               // the ID of the next generated row
    };
    const Case cases[] = {
        {{on, "INSERT INTO T1 ([ID],[Name]) VALUES (5, N'甲'), (10, N'乙')", off}, "11"},
        // An explicit value below the identity never moves it backwards.
        {{on, "INSERT INTO T1 (ID, Name) VALUES (10, N'乙')", off,
          on + "INSERT INTO T1 (ID, Name) VALUES (3, N'丁') " + off},
         "11"},
        {{on, "import 5 41 -3", off}, "42"},
        {{on, "INSERT INTO T1 (ID, Name) VALUES (50, 'early')", "import 1 2", off}, "51"},
        {{on, "import 1 2", "INSERT INTO T1 (ID, Name) VALUES (100, 'late')", off}, "101"},
        // A table made anew starts its identity afresh.
        {{"import 7", "DROP TABLE T1", table, "INSERT INTO T1 (Name) VALUES ('first')", "import 3", off},
         "4"},
    };
    for (const Case& c : cases) {
        book_->Execute("DROP TABLE IF EXISTS T1");
        book_->Execute(table);
        std::string trace;
        for (const std::string& step : c.steps) {
            trace += step + "; ";
            if (step.rfind("import ", 0) == 0) {
                std::istringstream in(step.substr(7));
                ImportIds(*book_, {std::istream_iterator<std::string>(in), {}});
            } else {
                book_->Execute(step);
            }
        }
        book_->Execute("INSERT INTO T1 (Name) VALUES ('next')");
        EXPECT_EQ(Cells(book_->Execute("SELECT ID FROM T1 WHERE Name = 'NEXT'")), c.next) << trace;
    }
    book_->Execute(on);
    EXPECT_TRUE(book_->IdentityInsertOn("", "t1"));
    book_->Execute(off);
    EXPECT_FALSE(book_->IdentityInsertOn("", "t1"));
}

TEST_F(PgServer, JetImportWithoutAReaderRunsNothing) {
    book_->Execute("CREATE TABLE T1 ([ID] [int] NULL)");
    EXPECT_THROW(
        book_->Execute("INSERT INTO T1 ([ID]) SELECT [ID] FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0',"
                       "'Data Source=x')...[T1] Rowset_2"),
        std::logic_error);
    EXPECT_EQ(Cells(book_->Current().Exec("SELECT 1")), "1");
}

TEST_F(PgServer, SelectIntoCopiesATableWithItsRowsTypesAndIdentityToAnotherDatabase) {
    CreateOperatorTable(*book_);
    const std::string target = NewBookDatabase();
    book_->Execute("SELECT * INTO [" + target + "]..[kxOperator] FROM [" + database_ + "]..[kxOperator]");

    PgSession copy = Session(target);
    const std::string allRows = "SELECT opID, opName, OpPwd, Photo, Amount FROM kxOperator ORDER BY opID";
    EXPECT_EQ(Cells(copy.Execute(allRows)), Cells(book_->Execute(allRows)));
    const std::string types =
        "SELECT format_type(atttypid, atttypmod) || ' ' || attnotnull || ' ' || attidentity::text "
        "|| ' ' || attcollation::regcollation::text FROM pg_attribute WHERE attrelid = "
        "'kxoperator'::regclass AND attnum > 0 ORDER BY attnum";
    EXPECT_EQ(Cells(copy.Current().Exec(types)), Cells(book_->Current().Exec(types)));
    copy.Execute("INSERT INTO kxOperator (opName) VALUES (N'李四')");
    EXPECT_EQ(Cells(copy.Execute("SELECT opID FROM kxOperator WHERE opName = N'李四'")), "8");
}

TEST_F(PgServer, SelectIntoFailsForAnExistingTargetOrAMissingSourceAndLeavesTheTargetAlone) {
    CreateOperatorTable(*book_);
    const std::string target = NewBookDatabase();
    PgSession other = Session(target);
    other.Execute("CREATE TABLE kxOperator ([Only] [int] NULL)");
    other.Execute("INSERT INTO kxOperator (Only) VALUES (42)");
    EXPECT_EQ(
        SqlStateOf([&] { book_->Execute("SELECT * INTO [" + target + "]..[kxOperator] FROM kxOperator"); }),
        "42P07");
    EXPECT_EQ(Cells(other.Execute("SELECT Only FROM kxOperator")), "42");
    EXPECT_EQ(SqlStateOf([&] {
                  book_->Execute("SELECT * INTO [" + target + "]..[t] FROM [" + database_ +
                                 "]..[NoSuchTable]");
              }),
              "42P01");
}

TEST_F(PgServer, SelectIntoWithinOneDatabaseLeavesOutDroppedColumns) {
    book_->Execute("CREATE TABLE T1 ([A] [int] NULL, [B] [int] NULL, [ID] [int] IDENTITY (1, 1) NOT NULL)");
    book_->Execute("INSERT INTO T1 (A, B) VALUES (1, 2)");
    book_->Current().Exec("ALTER TABLE t1 DROP COLUMN a");
    book_->Execute("SELECT * INTO T2 FROM T1");
    const pg::PgResult copied = book_->Execute("SELECT * FROM T2");
    EXPECT_EQ(copied.ColumnName(0), "b");
    EXPECT_EQ(Cells(copied), "2|1");
}

TEST_F(PgServer, UseSwitchesTheCurrentDatabaseAndKeepsItWhenTheNewOneIsMissing) {
    EXPECT_THROW(book_->Execute("Use NoSuchDatabase"), pg::PgError);
    EXPECT_EQ(book_->CurrentDatabase(), database_);
    EXPECT_EQ(Cells(book_->Current().Exec("SELECT current_database()")), database_);
    const std::string other = NewBookDatabase();
    book_->Execute("Use [" + other + "]");
    EXPECT_EQ(book_->CurrentDatabase(), other);
    EXPECT_EQ(Cells(book_->Current().Exec("SELECT current_database()")), other);
}

TEST_F(PgServer, ShrinkBatchVacuumsTheDatabase) {
    CreateOperatorTable(*book_);
    book_->Execute("Delete From kxOperator ");
    book_->Execute("DUMP TRANSACTION [" + database_ + "] WITH NO_LOG BACKUP LOG [" + database_ +
                   "] WITH NO_LOG DBCC SHRINKDATABASE([" + database_ + "])");
    EXPECT_EQ(Cells(book_->Current().Exec(
                  "SELECT last_vacuum IS NOT NULL FROM pg_stat_user_tables WHERE relname = 'kxoperator'")),
              "t");
}

/// The file that holds the rows of `table` now: a TRUNCATE gives the table a new one.
std::string FileOf(PgSession& session, const std::string& table) {
    return Cells(session.Current().Exec("SELECT pg_relation_filenode(to_regclass('" + table + "'))"));
}

/// The identity value that the next row of `table` would get, without taking it.
std::string NextIdentity(PgSession& session, const std::string& table, const std::string& column = "id") {
    return Cells(
        session.Current().Exec("SELECT coalesce(last_value + increment_by, start_value) FROM pg_sequences "
                               "WHERE (quote_ident(schemaname) "
                               "|| '.' || quote_ident(sequencename))::regclass = pg_get_serial_sequence('" +
                               table + "', '" + column + "')::regclass"));
}

TEST_F(PgServer, AWholeTableDeleteIsATruncateOnlyWhereNobodyCanTellAndTheIdentityCountsOnAsAfterADelete) {
    enum class Around {
        Nothing,
        ReferencingTable,
        DeleteTrigger,
        RowSecurity,
        OtherSession,
        CallersTransaction
    };
    const struct {
        const char* name;
        Around around;
        const char* statement;
        bool truncated;
        const char* rowsLeft;
    } cases[] = {
        {"nobody can tell", Around::Nothing, "Delete From T1", true, "0"},
        {"bracketed, with the database", Around::Nothing, "Delete From [DB]..[T1] ", true, "0"},
        {"a condition", Around::Nothing, "Delete From T1 Where ID > 0", false, "0"},
        {"a table referencing it", Around::ReferencingTable, "Delete From T1", false, "0"},
        {"a trigger that a TRUNCATE would not fire", Around::DeleteTrigger, "Delete From T1", false, "0"},
        {"row security, which a TRUNCATE would pass by", Around::RowSecurity, "Delete From T1", false, "0"},
        // Inside the caller's transaction, and undone with it.
        {"the caller's transaction", Around::CallersTransaction, "Delete From T1", true, "3"},
        {"another session on the database", Around::OtherSession, "Delete From T1", false, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        book_->Current().Exec("DROP TABLE IF EXISTS r; DROP TABLE IF EXISTS t1");
        book_->Execute("CREATE TABLE T1 ([ID] [int] IDENTITY (1, 1) NOT NULL,[Name] [nvarchar] (20) NULL)");
        // The counter stands beyond the rows, at 4, as after deleting the last row.
        book_->Execute("INSERT INTO T1 (Name) VALUES ('a'), ('b'), ('c'), ('d')");
        book_->Execute("Delete From T1 Where Name = 'd'");
        std::optional<PgSession> other;
        switch (c.around) {
        case Around::ReferencingTable:
            book_->Current().Exec(
                "ALTER TABLE t1 ADD PRIMARY KEY (id); CREATE TABLE r (x int REFERENCES t1 (id))");
            break;
        case Around::DeleteTrigger:
            book_->Current().Exec(
                "CREATE FUNCTION pg_temp.noop() RETURNS trigger LANGUAGE plpgsql AS "
                "'BEGIN RETURN OLD; END'; CREATE TRIGGER t1_delete BEFORE DELETE ON t1 FOR EACH "
                "ROW EXECUTE FUNCTION pg_temp.noop()");
            break;
        case Around::RowSecurity:
            book_->Current().Exec("ALTER TABLE t1 ENABLE ROW LEVEL SECURITY");
            break;
        case Around::OtherSession:
            other.emplace(Session(database_));
            break;
        case Around::CallersTransaction:
            book_->Current().Exec("BEGIN");
            break;
        case Around::Nothing:
            break;
        }
        if (c.around != Around::OtherSession) {
            // Sessions closed before (the creation's own) may take a moment to end on the server.
            book_->Current().Exec(
                "DO $$ BEGIN FOR i IN 1..200 LOOP EXIT WHEN NOT EXISTS (SELECT 1 FROM pg_stat_activity WHERE "
                "datname = current_database() AND backend_type = 'client backend' AND pid <> "
                "pg_backend_pid()); PERFORM pg_stat_clear_snapshot(); PERFORM pg_sleep(0.01); END LOOP; END "
                "$$");
        }
        const std::string fileBefore = FileOf(*book_, "t1");
        std::string statement = c.statement;
        if (const std::size_t at = statement.find("[DB]"); at != std::string::npos)
            statement.replace(at, 4, "[" + database_ + "]");
        book_->Execute(statement);
        EXPECT_EQ(FileOf(*book_, "t1") != fileBefore, c.truncated);
        EXPECT_EQ(book_->RowsEmptied(), c.truncated ? std::optional<long long>(3) : std::nullopt);
        if (c.around == Around::CallersTransaction) {
            EXPECT_EQ(Cells(book_->Current().Exec("SELECT count(*) FROM t1")), "0");
            book_->Current().Exec("ROLLBACK");
        }
        EXPECT_EQ(Cells(book_->Current().Exec("SELECT count(*) FROM t1")), c.rowsLeft);
        // A T-SQL DELETE never resets the identity: the next row takes 5 either way.
        if (c.around != Around::ReferencingTable && c.around != Around::DeleteTrigger) {
            book_->Execute("INSERT INTO T1 (Name) VALUES ('next')");
            EXPECT_EQ(Cells(book_->Execute("SELECT ID FROM T1 WHERE Name = 'next'")), "5");
        } else {
            EXPECT_EQ(NextIdentity(*book_, "t1"), "5");
        }
        book_->Current().Exec("DROP TABLE IF EXISTS r; DROP TRIGGER IF EXISTS t1_delete ON t1");
    }
}

TEST_F(PgServer, AsCopyOfCopiesTheWholeDatabaseButNotItsPropertiesAndIdentitiesCarryOnFromTheRows) {
    CreateOperatorTable(*book_);
    // Counters beyond the rows: at 8 over the largest ID 7, and at 2 in an empty table.
    book_->Execute("INSERT INTO kxOperator (opName) VALUES (N'gone') Delete From kxOperator Where opID = 8");
    book_->Execute(
        "CREATE TABLE Emptied ([ID] [int] IDENTITY (10, 1) NOT NULL, [Name] [nvarchar] (20) NULL)");
    book_->Execute("INSERT INTO Emptied (Name) VALUES (N'a'), (N'b') Delete From Emptied Where ID > 0");
    // A property of the template's own (not the mark of a database being made, which
    // a creation running meanwhile would sweep).
    admin_->Execute("EXEC [" + database_ +
                    "].sys.sp_addextendedproperty @name = N'kxLedgerWiz', @value = N'template'");
    const std::string copy = NewTestDatabaseName();
    const std::string create = "Create Database [" + copy + "] As Copy Of [" + database_ + "]";

    // Refused at once while any other session is on the template (the server
    // itself would wait for it five seconds first); nothing is made.
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_EQ(SqlStateOf([&] { admin_->Execute(create); }), "55006");
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(4));
    const std::string files =
        "SELECT string_agg(relname || ':' || pg_relation_filenode(oid), ',' ORDER BY relname) "
        "FROM pg_class WHERE relname IN ('kxoperator', 'emptied')";
    const std::string templateFiles = Cells(book_->Current().Exec(files));
    book_.reset();
    EXPECT_EQ(
        Cells(admin_->Current().Exec("SELECT count(*) FROM pg_database WHERE datname = '" + copy + "'")),
        "0");

    admin_->Execute(create);
    created_.push_back(copy);
    PgSession copied = Session(copy);
    PgSession original = Session(database_);
    // Copied file by file by the server itself.
    EXPECT_EQ(Cells(copied.Current().Exec(files)), templateFiles);
    const std::string allRows = "SELECT opID, opName, OpPwd, Photo, Amount FROM kxOperator ORDER BY opID";
    EXPECT_EQ(Cells(copied.Execute(allRows)), Cells(original.Execute(allRows)));
    EXPECT_EQ(Cells(copied.Execute("SELECT opID FROM kxOperator WHERE opName = N'ADMIN'")), "1");
    EXPECT_EQ(Cells(admin_->Current().Exec("SELECT coalesce(shobj_description(oid, 'pg_database'), '') FROM "
                                           "pg_database WHERE datname = '" +
                                           copy + "'")),
              "");
    copied.Execute(
        "INSERT INTO kxOperator (opName) VALUES (N'李四') INSERT INTO Emptied (Name) VALUES (N'c')");
    EXPECT_EQ(Cells(copied.Execute("SELECT opID FROM kxOperator WHERE opName = N'李四'")), "8");
    EXPECT_EQ(Cells(copied.Execute("SELECT ID FROM Emptied")), "10");
    EXPECT_EQ(NextIdentity(original, "kxoperator", "opid"), "9");
}

TEST_F(PgServer, DropDatabaseLetsGoOfTheSessionsOwnConnectionButNeverOfAnotherSessions) {
    CreateOperatorTable(*book_);
    const std::string target = NewBookDatabase();
    // The admin session now holds a connection to the target.
    admin_->Execute("SELECT * INTO [" + target + "]..[kxOperator] FROM [" + database_ + "]..[kxOperator]");
    const auto exists = [this](const std::string& name) {
        return Cells(admin_->Current().Exec("SELECT count(*) FROM pg_database WHERE datname = '" + name + "'"));
    };
    {
        PgSession other = Session(target);
        EXPECT_THROW(admin_->Execute("Drop Database [" + target + "]"), std::exception);
        EXPECT_EQ(exists(target), "1");
    }
    admin_->Execute("Drop Database [" + target + "]");
    EXPECT_EQ(exists(target), "0");
}

TEST_F(PgServer, AppLocksBelongToTheSessionUntilReleasedOrItsEnd) {
    std::vector<std::unique_ptr<PgSession>> sessions;
    for (int i = 0; i < 2; ++i)
        sessions.push_back(std::make_unique<PgSession>(*TestServerSettings("postgres")));
    const auto lock = [](const char* mode) {
        return "EXEC sp_getapplock @Resource = N'kx:锁', @LockMode = N'" + std::string(mode) +
               "', @LockOwner = N'Session', @LockTimeout = 0";
    };
    const std::string release = "EXEC sp_releaseapplock @Resource = N'kx:锁', @LockOwner = N'Session'";
    const struct {
        int session;
        std::string tsql;
        const char* code;
    } steps[] = {
        {0, lock("Exclusive"), "0"},
        {1, lock("Exclusive"), "-1"},
        {1, lock("Shared"), "-1"},
        {0, lock("Exclusive"), "0"}, // taken twice, released twice
        {0, release, "0"},
        {1, lock("Exclusive"), "-1"},
        {0, release, "0"},
        {0, release, "-999"},
        {1, lock("Shared"), "0"},
        {0, lock("Shared"), "0"},
        {0, lock("Exclusive"), "-1"},
        {1, release, "0"},
        {0, release, "0"},
        {1, lock("Exclusive"), "0"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::to_string(step.session) + ": " + step.tsql);
        EXPECT_EQ(Cells(sessions[static_cast<std::size_t>(step.session)]->Execute(step.tsql)), step.code);
    }
    // A session that ends lets go of its locks, as a killed program's session does.
    // Its server process lets go as it ends, a moment after the connection closed.
    sessions[1].reset();
    std::string code;
    for (int tries = 0; tries < 200 && (code = Cells(sessions[0]->Execute(lock("Exclusive")))) != "0";
         ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(code, "0");
    // The lock lives in the database's lock space: a session on another database meets another lock.
    EXPECT_EQ(Cells(book_->Execute(lock("Exclusive"))), "0");
}

TEST_F(PgServer, DatabasePropertiesAreSeenFromEveryDatabaseAndListTheirDatabases) {
    const std::string other = NewBookDatabase();
    const std::string listing =
        "SELECT d.name, p.value FROM sys.databases d JOIN sys.extended_properties p ON "
        "p.class = 0 AND p.major_id = d.database_id WHERE p.name = N'kxLedgerWiz'";
    const auto comment = [this](const std::string& database) {
        return Cells(admin_->Current().Exec(
            "SELECT shobj_description(oid, 'pg_database') FROM pg_database WHERE datname = '" + database +
            "'"));
    };
    const auto marked = [&] {
        std::string found;
        const pg::PgResult rows = admin_->Execute(listing);
        for (int row = 0; row < rows.RowCount(); ++row) {
            const std::string name(rows.Value(row, 0));
            if (name == database_ || name == other)
                found += name + "=" + std::string(rows.Value(row, 1)) + ";";
        }
        return found;
    };
    admin_->Current().Exec("COMMENT ON DATABASE " + pg::QuoteIdent(other) +
                           " IS 'kxLedgerWiz ist kein Eintrag'");
    // A property of the template's own (not the mark of a database being made, which
    // a creation running meanwhile would sweep).
    admin_->Execute("EXEC [" + database_ +
                    "].sys.sp_addextendedproperty @name = N'kxLedgerWiz', @value = N'template'");
    book_->Execute("EXEC sp_addextendedproperty @name = N'owner', @value = N'张三'");
    admin_->Execute("EXEC [" + other + "]..sp_addextendedproperty @name = N'kxLedgerWiz', @value = N'x=y'");
    EXPECT_EQ(marked(), database_ + "=template;" + other + "=x=y;");
    EXPECT_EQ(comment(database_), "kxLedgerWiz=template\nowner=张三");
    EXPECT_EQ(comment(other), "kxLedgerWiz ist kein Eintrag\nkxLedgerWiz=x=y");
    EXPECT_EQ(Cells(admin_->Execute(listing + " AND d.name = N'" + database_ + "'")),
              database_ + "|template");

    const std::string add =
        "EXEC [" + database_ + "].sys.sp_addextendedproperty @name = N'kxLedgerWiz', @value = N'v'";
    const std::string drop = "EXEC [" + database_ + "].sys.sp_dropextendedproperty @name = N'kxLedgerWiz'";
    EXPECT_EQ(SqlStateOf([&] { admin_->Execute(add); }), "42710");
    admin_->Execute(drop);
    EXPECT_EQ(SqlStateOf([&] { admin_->Execute(drop); }), "42704");
    EXPECT_EQ(
        SqlStateOf([&] { admin_->Execute("EXEC [kx_no_such_db].sys.sp_dropextendedproperty @name = N'n'"); }),
        "3D000");
    EXPECT_EQ(marked(), other + "=x=y;");
    EXPECT_EQ(comment(database_), "owner=张三");
    book_->Execute("EXEC sp_dropextendedproperty @name = N'owner'");
    EXPECT_EQ(comment(database_), "<null>");
    admin_->Execute("EXEC [" + other + "].sys.sp_dropextendedproperty @name = N'kxLedgerWiz'");
    EXPECT_EQ(comment(other), "kxLedgerWiz ist kein Eintrag") << "a comment written by hand stays";
    EXPECT_EQ(marked(), "");
}

TEST_F(PgServer, UntranslatableTextRunsNothing) {
    EXPECT_THROW(book_->Execute("CREATE TABLE Kept ([a] [int] NULL) TRUNCATE TABLE Kept"),
                 tsql::TranslationError);
    EXPECT_EQ(Cells(book_->Current().Exec("SELECT to_regclass('kept') IS NULL")), "t");
}

// A wrong password is refused through the ADO face (ServerConnection in the ado tests).
TEST_F(PgServer, ConnectingNeverReadsTheDatabaseNameAsSettings) {
    try {
        pg::PgConnection connection(*TestServerSettings("dbname=postgres"));
        ADD_FAILURE() << "connected";
    } catch (const pg::PgError& error) {
        EXPECT_EQ(error.sqlState(), pg::kSqlStateCannotConnect);
        EXPECT_NE(std::string(error.what()).find("does not exist"), std::string::npos) << error.what();
    }
}

TEST_F(PgServer, BoundParametersAreNeverReadAsSqlAndResultsGiveRawBytesAndRefuseCellsOutOfRange) {
    CreateOperatorTable(*book_);
    pg::PgConnection& connection = book_->Current();
    const std::vector<pg::PgParam> injection = {pg::PgParam::Text("y' OR '1'='1")};
    EXPECT_EQ(Cells(connection.ExecParams("SELECT count(*) FROM kxoperator WHERE opname = $1", injection)),
              "0");
    const std::vector<pg::PgParam> bytes = {pg::PgParam::Bytes(std::string("\0\1\2", 3)),
                                            pg::PgParam::Null()};
    EXPECT_EQ(Cells(connection.ExecParams("SELECT octet_length($1::bytea), $2::text IS NULL", bytes)), "3|t");
    const std::vector<pg::PgParam> nul = {pg::PgParam::Text(std::string("a\0b", 3))};
    EXPECT_THROW(connection.ExecParams("SELECT $1::text", nul), std::invalid_argument);

    const std::vector<pg::PgParam> pattern = {pg::PgParam::Bytes(PatternBytes(1001))};
    const pg::PgResult result = connection.ExecParams("SELECT $1::bytea", pattern, pg::PgFormat::Binary);
    EXPECT_EQ(result.ColumnFormat(0), pg::PgFormat::Binary);
    EXPECT_EQ(result.ColumnType(0), 17u);
    EXPECT_TRUE(result.Value(0, 0) == PatternBytes(1001));
    EXPECT_EQ(result.ColumnIndex("BYTEA"), -1);
    EXPECT_THROW(result.Value(1, 0), std::out_of_range);
    EXPECT_THROW(result.Value(0, 1), std::out_of_range);
    EXPECT_THROW(result.ColumnName(-1), std::out_of_range);
}

TEST_F(PgServer, RejectedAbandonedOrMisplacedCopyStoresNothingAndLeavesTheConnectionUsable) {
    pg::PgConnection& connection = book_->Current();
    connection.Exec("CREATE TABLE r (v integer)");
    EXPECT_EQ(SqlStateOf([&] {
                  pg::PgCopyIn in(connection, "COPY r FROM STDIN");
                  in.Write("1\nabc\n");
                  in.Finish();
              }),
              "22P02");
    {
        pg::PgCopyIn in(connection, "COPY r FROM STDIN");
        in.Write("1\n2\n");
    }
    EXPECT_EQ(Cells(connection.Exec("SELECT count(*) FROM r")), "0");
    connection.Exec("CREATE TABLE n AS SELECT generate_series(1, 5000) AS v");
    {
        pg::PgCopyOut out(connection, "COPY n TO STDOUT");
        std::string line;
        ASSERT_TRUE(out.Read(line));
        EXPECT_EQ(line, "1\n");
    }
    EXPECT_THROW(connection.Exec("COPY n FROM STDIN"), std::logic_error);
    EXPECT_THROW(connection.Exec("COPY n TO STDOUT"), std::logic_error);
    EXPECT_THROW(pg::PgCopyIn(connection, "SELECT 1"), std::invalid_argument);
    EXPECT_THROW(pg::PgCopyOut(connection, "COPY n FROM STDIN"), std::invalid_argument);
    EXPECT_EQ(Cells(connection.Exec("SELECT count(*) FROM n")), "5000");
}

TEST(PgConnection, AClosedOrMovedFromConnectionRefusesStatements) {
    pg::PgConnection closed;
    EXPECT_FALSE(closed.IsOpen());
    EXPECT_THROW(closed.Exec("SELECT 1"), std::logic_error);
    EXPECT_THROW(pg::PgCopyIn(closed, "COPY t FROM STDIN"), std::logic_error);
    const auto settings = TestServerSettings("postgres");
    if (!settings)
        GTEST_SKIP() << pg::testing::kNoServerReason;
    pg::PgConnection first(*settings);
    pg::PgConnection second(std::move(first));
    EXPECT_FALSE(first.IsOpen()); // a moved-from connection is closed
    EXPECT_EQ(second.DatabaseName(), "postgres");
    second.Close();
    EXPECT_FALSE(second.IsOpen());
}

} // namespace
} // namespace kx::ado::sqloledb
