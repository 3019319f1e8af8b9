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

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace kx::ado::sqloledb {
namespace {

using pg::testing::NewTestDatabaseName;
using pg::testing::TestServerSettings;

/// The values of one column, NULL shown as "<null>".
std::vector<std::string> ColumnValues(const pg::PgResult& result, int column = 0) {
    std::vector<std::string> values;
    for (int row = 0; row < result.RowCount(); ++row) {
        values.push_back(result.IsNull(row, column) ? "<null>" : std::string(result.Value(row, column)));
    }
    return values;
}

std::string SingleValue(const pg::PgResult& result) {
    EXPECT_EQ(result.RowCount(), 1);
    EXPECT_GE(result.ColumnCount(), 1);
    if (result.RowCount() != 1) {
        return {};
    }
    return result.IsNull(0, 0) ? "<null>" : std::string(result.Value(0, 0));
}

/// Bytes of every value, NUL and the COPY delimiters included.
std::string PatternBytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + 3) % 256);
    }
    return bytes;
}

class PgServer : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto admin = TestServerSettings("postgres");
        if (!admin) {
            GTEST_SKIP() << pg::testing::kNoServerReason;
        }
        admin_ = std::make_unique<PgSession>(*admin);
        database_ = NewBookDatabase();
        book_ = std::make_unique<PgSession>(*TestServerSettings(database_));
    }

    void TearDown() override {
        book_.reset();
        for (const std::string& database : created_) {
            admin_->Current().Exec("DROP DATABASE IF EXISTS " + pg::QuoteIdent(database) + " WITH (FORCE)");
        }
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
            "[Photo] [image] NULL,[Amount] [money] NULL) ON [PRIMARY] ");
        session.Execute("SET IDENTITY_INSERT dbo.kxOperator ON ");
        session.Execute("INSERT INTO kxOperator ([opID],[opName],[OpPwd],[Photo],[Amount]) VALUES "
                        "(1, N'Admin', N'pw', 0x000102, 12.5), (2, N'张三', NULL, NULL, NULL), "
                        "(7, N'x'' OR ''1''=''1', N'q', 0x, 0)");
        session.Execute("SET IDENTITY_INSERT dbo.kxOperator OFF ");
    }

    std::unique_ptr<PgSession> admin_;
    std::unique_ptr<PgSession> book_;
    std::string database_;
    std::vector<std::string> created_;
};

TEST_F(PgServer, CreatedDatabaseIsUtf8AndHasTheCaseInsensitiveCollation) {
    EXPECT_EQ(SingleValue(book_->Current().Exec("SHOW server_encoding")), "UTF8");
    EXPECT_EQ(SingleValue(book_->Current().Exec(
                  "SELECT collisdeterministic FROM pg_collation WHERE collname = 'kx_zh_ci'")),
              "f");
}

TEST_F(PgServer, CreateTableGivesEveryMappedType) {
    book_->Execute("CREATE TABLE kxTypes ([ID] [int] IDENTITY (1, 1) NOT NULL,[Name] [nvarchar] (50) COLLATE "
                   "Chinese_PRC_CI_AS "
                   "NULL,[Flag] [bit] NULL,[Num] [int] NULL,[Allow] [varchar] (256) COLLATE "
                   "Chinese_PRC_CI_AS NULL,[Memo] "
                   "[ntext] COLLATE Chinese_PRC_CI_AS NULL,[Stamp] [datetime] NULL,[Amount] [money] "
                   "NULL,[Ratio] [float] NULL,"
                   "[Photo] [image] NULL,[Other] [ntext] NULL,[Small] [smallint] NULL,[Tiny] [tinyint] "
                   "NULL,[Single] [real] "
                   "NULL,[Code] [char] (4) NULL,[Pair] [nchar] (2) NULL,[Guid] [uniqueidentifier] "
                   "NULL,[Price] [decimal] (10, "
                   "2) NULL) ON [PRIMARY] ");
    const pg::PgResult columns = book_->Current().Exec(
        "SELECT a.attname || ' ' || format_type(a.atttypid, a.atttypmod) || coalesce(' ' || c.collname, '') "
        "|| "
        "CASE WHEN a.attnotnull THEN ' not null' ELSE '' END || CASE WHEN a.attidentity = 'd' THEN ' "
        "identity' "
        "ELSE '' END FROM pg_attribute a LEFT JOIN pg_collation c ON c.oid = a.attcollation AND c.collname "
        "<> "
        "'default' WHERE a.attrelid = 'kxtypes'::regclass AND a.attnum > 0 ORDER BY a.attnum");
    EXPECT_EQ(ColumnValues(columns),
              (std::vector<std::string>{
                  "id integer not null identity", "name character varying(50) kx_zh_ci", "flag boolean",
                  "num integer", "allow character varying(256) kx_zh_ci", "memo text kx_zh_ci",
                  "stamp timestamp without time zone", "amount numeric(19,4)", "ratio double precision",
                  "photo bytea", "other text", "small smallint", "tiny smallint", "single real",
                  "code character(4)", "pair character(2)", "guid uuid", "price numeric(10,2)"}));

    book_->Execute(
        "INSERT INTO kxTypes ([Name],[Flag],[Num],[Allow],[Memo],[Stamp],[Amount],[Ratio],[Photo],[Other],"
        "[Small],[Tiny],[Single],[Code],[Pair],[Guid],[Price]) VALUES (N'张三', 1, 42, 'allow', N'备注', "
        "'2013-10-01 08:30:00', 1234.5678, 0.25, 0x00ff10, N'x', 7, 255, 1.5, 'AB', N'甲乙', "
        "'6F9619FF-8B86-D011-B42D-00C04FC964FF', 99.95)");
    const pg::PgResult row = book_->Execute("SELECT * FROM kxTypes");
    ASSERT_EQ(row.RowCount(), 1);
    const std::vector<std::string> expected = {"1",
                                               "张三",
                                               "t",
                                               "42",
                                               "allow",
                                               "备注",
                                               "2013-10-01 08:30:00",
                                               "1234.5678",
                                               "0.25",
                                               "\\x00ff10",
                                               "x",
                                               "7",
                                               "255",
                                               "1.5",
                                               "AB  ",
                                               "甲乙",
                                               "6f9619ff-8b86-d011-b42d-00c04fc964ff",
                                               "99.95"};
    ASSERT_EQ(row.ColumnCount(), static_cast<int>(expected.size()));
    for (int column = 0; column < row.ColumnCount(); ++column) {
        EXPECT_EQ(row.Value(0, column), expected[static_cast<std::size_t>(column)]) << row.ColumnName(column);
    }
}

TEST_F(PgServer, IdentityTakesExplicitValuesAndLaterRowsAreNumberedAfterThem) {
    book_->Execute("CREATE TABLE T1 ([ID] [int] IDENTITY (1, 1) NOT NULL,[Name] [nvarchar] (50) COLLATE "
                   "Chinese_PRC_CI_AS NULL) ON [PRIMARY] ");
    book_->Execute("SET IDENTITY_INSERT dbo.T1 ON ");
    EXPECT_TRUE(book_->IdentityInsertOn("", "t1"));
    book_->Execute("INSERT INTO T1 ([ID],[Name]) VALUES (5, N'甲'), (10, N'乙')");
    book_->Execute("SET IDENTITY_INSERT dbo.T1 OFF ");
    EXPECT_FALSE(book_->IdentityInsertOn("", "t1"));
    book_->Execute("INSERT INTO T1 ([Name]) VALUES (N'丙')");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT ID FROM T1 WHERE Name = N'丙'")), "11");

    // An explicit value below the identity never moves it backwards.
    book_->Execute("SET IDENTITY_INSERT dbo.T1 ON INSERT INTO T1 (ID, Name) VALUES (3, N'丁') "
                   "SET IDENTITY_INSERT dbo.T1 OFF");
    book_->Execute("INSERT INTO T1 (Name) VALUES (N'戊')");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT ID FROM T1 WHERE Name = N'戊'")), "12");
}

TEST_F(PgServer, TableHasIdentityAnswersOneZeroOrNull) {
    book_->Execute("CREATE TABLE T1 ([ID] [int] IDENTITY (1, 1) NOT NULL) ON [PRIMARY] ");
    book_->Execute("CREATE TABLE T2 ([ID] [int] NULL) ON [PRIMARY] ");
    EXPECT_EQ(SingleValue(book_->Execute("Select OBJECTPROPERTY(OBJECT_ID('T1'),'TableHasIdentity')")), "1");
    EXPECT_EQ(SingleValue(book_->Execute("Select OBJECTPROPERTY(OBJECT_ID('dbo.T2'),'TableHasIdentity')")),
              "0");
    EXPECT_EQ(SingleValue(book_->Execute("Select OBJECTPROPERTY(OBJECT_ID('T3'),'TableHasIdentity')")),
              "<null>");
}

TEST_F(PgServer, ComparisonsUnderTheCollationIgnoreLetterCaseAndWidthButNotAccents) {
    book_->Execute(
        "CREATE TABLE Names ([Name] [nvarchar] (20) COLLATE Chinese_PRC_CI_AS NULL) ON [PRIMARY] ");
    book_->Execute("INSERT INTO Names (Name) VALUES (N'Admin'), (N'张三'), (N'é')");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT Name FROM Names WHERE Name = 'ADMIN'")), "Admin");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT Name FROM Names WHERE Name = N'ａｄｍｉｎ'")), "Admin");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT Name FROM Names WHERE Name = N'张三'")), "张三");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT Count(*) FROM Names WHERE Name = 'e'")), "0");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT Count(*) FROM Names WHERE Name = 'É'")), "1");
}

TEST_F(PgServer, LikeIgnoresLetterCaseOnCaseInsensitiveColumns) {
    book_->Execute(
        "CREATE TABLE Names ([Name] [nvarchar] (20) COLLATE Chinese_PRC_CI_AS NULL, [Plain] [ntext] NULL)");
    book_->Execute("INSERT INTO Names (Name, Plain) VALUES (N'Admin', N'Admin'), (N'a\\b_c', N'x')");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT Count(*) FROM Names WHERE Name LIKE 'adm%'")), "1");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT Count(*) FROM Names WHERE Plain LIKE 'ADM%'")), "1");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT Name FROM Names WHERE Name LIKE 'a\\b%'")), "a\\b_c");
}

TEST_F(PgServer, OperatorQueryFindsTheOperatorWhateverTheLetterCase) {
    CreateOperatorTable(*book_);
    const pg::PgResult found = book_->Execute("SELECT * From kxOperator WHERE (opName = 'ADMIN')");
    ASSERT_EQ(found.RowCount(), 1);
    EXPECT_EQ(found.Value(0, found.ColumnIndex("oppwd")), "pw");
}

TEST_F(PgServer, OperatorQueryKeepsADoubledQuoteInsideTheName) {
    CreateOperatorTable(*book_);
    EXPECT_EQ(book_->Execute("SELECT * From kxOperator WHERE (opName = 'y'' OR ''1''=''1')").RowCount(), 0);
    const pg::PgResult exact = book_->Execute("SELECT * From kxOperator WHERE (opName = 'x'' OR ''1''=''1')");
    ASSERT_EQ(exact.RowCount(), 1);
    EXPECT_EQ(exact.Value(0, 0), "7");
}

TEST_F(PgServer, BitColumnsTakeZeroAndOneAsTsqlWritesThem) {
    book_->Execute("CREATE TABLE Flags ([ID] [int] NULL, [Flag] [bit] NULL)");
    book_->Execute("INSERT INTO Flags (ID, Flag) VALUES (1, 1), (2, 0), (3, NULL)");
    book_->Execute("UPDATE Flags SET Flag = 1 WHERE ID = 2");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT Count(*) FROM Flags WHERE Flag = 1")), "2");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT Count(*) FROM Flags WHERE ID = 1 AND Flag <> 0")), "1");
}

TEST_F(PgServer, DeleteWithLenKeepsCodesOfAtMostFourCharacters) {
    book_->Execute(
        "CREATE TABLE kxStatement ([AssistCode] [nvarchar] (20) COLLATE Chinese_PRC_CI_AS NULL) ON "
        "[PRIMARY] ");
    book_->Execute("INSERT INTO kxStatement (AssistCode) VALUES ('1234'), ('12345'), ('1234   '), (NULL), "
                   "(N'张三李四'), (N'张三李四王'), ('')");
    book_->Execute("Delete From kxStatement Where Len(AssistCode)>4");
    EXPECT_EQ(ColumnValues(book_->Execute("SELECT AssistCode FROM kxStatement ORDER BY 1")),
              (std::vector<std::string>{"", "1234", "1234   ", "张三李四", "<null>"}));
}

TEST_F(PgServer, DeleteWithoutConditionEmptiesTheTable) {
    CreateOperatorTable(*book_);
    book_->Execute("Delete From  kxOperator ");
    EXPECT_EQ(SingleValue(book_->Execute("Select Count(*) From kxOperator")), "0");
}

TEST_F(PgServer, CopyRoundTripKeepsTextOutsideTheBmpAndBinaryValuesOfEverySize) {
    book_->Execute(
        "CREATE TABLE Blobs ([ID] [int] NULL, [Txt] [ntext] COLLATE Chinese_PRC_CI_AS NULL, [Data] "
        "[image] NULL) ON [PRIMARY] ");
    const std::size_t sizes[] = {0, 1, 999, 1000, 1001, 5 * 1024 * 1024 + 3};
    std::vector<std::string> texts;
    {
        pg::PgCopyIn in(book_->Current(), pg::CopyFromStdinSql("blobs", {"id", "txt", "data"}));
        pg::CopyTextRowBuilder builder;
        for (std::size_t i = 0; i < std::size(sizes); ++i) {
            texts.push_back("汉字𠀀😀\t\n\\N\\ " + std::to_string(sizes[i]));
            builder.AddText(std::to_string(i));
            builder.AddText(texts.back());
            builder.AddBytes(PatternBytes(sizes[i]));
            in.Write(builder.TakeRow());
        }
        builder.AddText("99");
        builder.AddNull();
        builder.AddNull();
        in.Write(builder.TakeRow());
        EXPECT_EQ(in.Finish(), static_cast<long long>(std::size(sizes)) + 1);
    }

    // The server sees the characters outside the BMP as one character each.
    EXPECT_EQ(SingleValue(book_->Current().Exec("SELECT length(txt) FROM blobs WHERE id = 0")),
              std::to_string(platform::Utf8Length(texts[0])));

    pg::PgCopyOut out(book_->Current(),
                      pg::CopyToStdoutSql("blobs", {"id", "txt", "data"}) + " WITH (FORMAT text)");
    std::string line;
    std::size_t rows = 0;
    while (out.Read(line)) {
        const auto fields = pg::ParseCopyTextRow(line);
        ASSERT_EQ(fields.size(), 3u);
        const int id = std::stoi(*fields[0]);
        if (id == 99) {
            EXPECT_FALSE(fields[1].has_value());
            EXPECT_FALSE(fields[2].has_value());
        } else {
            const auto i = static_cast<std::size_t>(id);
            EXPECT_EQ(*fields[1], texts[i]);
            const std::string bytes = pg::DecodeByteaHex(*fields[2]);
            EXPECT_EQ(bytes.size(), sizes[i]);
            EXPECT_TRUE(bytes == PatternBytes(sizes[i])) << "bytes of value " << i << " differ";
        }
        ++rows;
    }
    EXPECT_EQ(rows, std::size(sizes) + 1);
}

TEST_F(PgServer, JetImportStreamsRowsAndCutsConvertedColumnsToTheirLength) {
    book_->Execute(
        "CREATE TABLE T1 ([ID] [int] IDENTITY (1, 1) NOT NULL,[Name] [nvarchar] (50) COLLATE "
        "Chinese_PRC_CI_AS NULL,[Allow] [varchar] (256) COLLATE Chinese_PRC_CI_AS NULL) ON [PRIMARY] ");
    std::string longChinese;
    for (int i = 0; i < 300; ++i) {
        longChinese += "账";
    }
    std::string askedFor;
    const JetRowReader reader = [&](const tsql::ImportJetTable& import, const auto& row) {
        askedFor = import.filePath + "|" + import.password + "|" + import.sourceTable;
        row({"1", "张三𠀀", "short"});
        row({"2", std::nullopt, std::string(300, 'x')});
        row({"7", "a\tb\nc\\d", longChinese});
    };
    book_->Execute(
        "INSERT INTO T1 ([ID],[Name],[Allow]) SELECT [ID],[Name],CONVERT (varchar(256),[Allow]) FROM "
        "OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0','Data Source=\"C:\\Books\\kxAcc000001.MDE\";Persist "
        "Security Info=False;Jet OLEDB:Database Password=7.305918624471')...[T1] Rowset_1",
        reader);
    EXPECT_EQ(askedFor, "C:\\Books\\kxAcc000001.MDE|7.305918624471|T1");
    EXPECT_EQ(ColumnValues(book_->Execute("SELECT Name FROM T1 ORDER BY ID")),
              (std::vector<std::string>{"张三𠀀", "<null>", "a\tb\nc\\d"}));
    EXPECT_EQ(ColumnValues(book_->Execute("SELECT Len(Allow) FROM T1 ORDER BY ID")),
              (std::vector<std::string>{"5", "256", "256"}));
    book_->Execute("INSERT INTO T1 (Name) VALUES ('next')");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT ID FROM T1 WHERE Name = 'NEXT'")), "8");
}

/// A Jet import of T1 (ID, Name) giving the rows with these IDs.
std::string ImportIds(PgSession& session, const std::vector<std::string>& ids) {
    const JetRowReader reader = [&](const tsql::ImportJetTable&, const auto& row) {
        for (const std::string& id : ids) {
            row({id, "imported"});
        }
    };
    session.Execute(
        "INSERT INTO T1 ([ID],[Name]) SELECT [ID],[Name] FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0',"
        "'Data Source=\"x.mde\"')...[T1] Rowset_1",
        reader);
    return SingleValue(session.Execute("SELECT COUNT(*) FROM T1"));
}

const char* const kIdentityTable =
    "CREATE TABLE T1 ([ID] [int] IDENTITY (1, 1) NOT NULL,[Name] [nvarchar] (50) COLLATE Chinese_PRC_CI_AS "
    "NULL) ON [PRIMARY] ";

TEST_F(PgServer, GeneratedIdentitiesFollowTheLargestImportedOne) {
    book_->Execute(kIdentityTable);
    book_->Execute("SET IDENTITY_INSERT dbo.T1 ON ");
    EXPECT_EQ(ImportIds(*book_, {"5", "41", "-3"}), "3");
    book_->Execute("SET IDENTITY_INSERT dbo.T1 OFF ");
    book_->Execute("INSERT INTO T1 (Name) VALUES ('next')");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT ID FROM T1 WHERE Name = 'next'")), "42");
}

TEST_F(PgServer, AnImportBelowEarlierExplicitIdentitiesKeepsTheIdentityBeyondThem) {
    book_->Execute(kIdentityTable);
    book_->Execute("SET IDENTITY_INSERT dbo.T1 ON ");
    book_->Execute("INSERT INTO T1 (ID, Name) VALUES (50, 'early')");
    EXPECT_EQ(ImportIds(*book_, {"1", "2"}), "3");
    book_->Execute("SET IDENTITY_INSERT dbo.T1 OFF ");
    book_->Execute("INSERT INTO T1 (Name) VALUES ('next')");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT ID FROM T1 WHERE Name = 'next'")), "51");
}

TEST_F(PgServer, ExplicitIdentitiesStoredAfterAnImportAreHeededWhenIdentityInsertEnds) {
    book_->Execute(kIdentityTable);
    book_->Execute("SET IDENTITY_INSERT dbo.T1 ON ");
    EXPECT_EQ(ImportIds(*book_, {"1", "2"}), "2");
    book_->Execute("INSERT INTO T1 (ID, Name) VALUES (100, 'late')");
    book_->Execute("SET IDENTITY_INSERT dbo.T1 OFF ");
    book_->Execute("INSERT INTO T1 (Name) VALUES ('next')");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT ID FROM T1 WHERE Name = 'next'")), "101");
}

TEST_F(PgServer, AnImportIntoARecreatedTableStartsItsIdentityAfresh) {
    book_->Execute(kIdentityTable);
    EXPECT_EQ(ImportIds(*book_, {"7"}), "1");
    book_->Execute("DROP TABLE T1");
    book_->Execute(kIdentityTable);
    book_->Execute("INSERT INTO T1 (Name) VALUES ('first')");
    EXPECT_EQ(ImportIds(*book_, {"3"}), "2");
    book_->Execute("SET IDENTITY_INSERT dbo.T1 OFF ");
    book_->Execute("INSERT INTO T1 (Name) VALUES ('next')");
    EXPECT_EQ(SingleValue(book_->Execute("SELECT ID FROM T1 WHERE Name = 'next'")), "4");
}

TEST_F(PgServer, JetImportWithoutAReaderRunsNothing) {
    book_->Execute("CREATE TABLE T1 ([ID] [int] NULL)");
    EXPECT_THROW(
        book_->Execute("INSERT INTO T1 ([ID]) SELECT [ID] FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0',"
                       "'Data Source=x')...[T1] Rowset_2"),
        std::logic_error);
    EXPECT_EQ(SingleValue(book_->Current().Exec("SELECT 1")), "1");
}

TEST_F(PgServer, SelectIntoCopiesATableWithItsRowsTypesAndIdentityToAnotherDatabase) {
    CreateOperatorTable(*book_);
    const std::string target = NewBookDatabase();
    book_->Execute("SELECT * INTO [" + target + "]..[kxOperator] FROM [" + database_ + "]..[kxOperator]");

    PgSession copy = Session(target);
    const std::string allRows = "SELECT opID, opName, OpPwd, Photo, Amount FROM kxOperator ORDER BY opID";
    const pg::PgResult original = book_->Execute(allRows);
    const pg::PgResult copied = copy.Execute(allRows);
    ASSERT_EQ(copied.RowCount(), 3);
    for (int column = 0; column < original.ColumnCount(); ++column) {
        EXPECT_EQ(ColumnValues(copied, column), ColumnValues(original, column))
            << original.ColumnName(column);
    }
    const std::string types =
        "SELECT format_type(atttypid, atttypmod) || ' ' || attnotnull || ' ' || attidentity::text "
        "|| ' ' || attcollation::regcollation::text FROM pg_attribute WHERE attrelid = "
        "'kxoperator'::regclass AND attnum > 0 ORDER BY attnum";
    EXPECT_EQ(ColumnValues(copy.Current().Exec(types)), ColumnValues(book_->Current().Exec(types)));
    EXPECT_EQ(SingleValue(copy.Execute("SELECT opID FROM kxOperator WHERE opName = N'张三'")), "2");
    copy.Execute("INSERT INTO kxOperator (opName) VALUES (N'李四')");
    EXPECT_EQ(SingleValue(copy.Execute("SELECT opID FROM kxOperator WHERE opName = N'李四'")), "8");
}

TEST_F(PgServer, TableCopyAfterDropTableStartsAfresh) {
    CreateOperatorTable(*book_);
    const std::string target = NewBookDatabase();
    const std::string drop = "Drop Table [" + target + "]..[kxOperator]";
    const std::string copy =
        "SELECT * INTO [" + target + "]..[kxOperator] FROM [" + database_ + "]..[kxOperator]";
    EXPECT_THROW(book_->Execute(drop), pg::PgError) << "nothing to drop yet";
    book_->Execute(copy);
    book_->Execute(drop);
    EXPECT_EQ(SingleValue(Session(target).Current().Exec("SELECT to_regclass('kxoperator') IS NULL")), "t");
    book_->Execute(copy);
    EXPECT_EQ(SingleValue(Session(target).Execute("Select Count(*) From kxOperator")), "3");
}

TEST_F(PgServer, SelectIntoFailsWhenTheTargetTableExistsAndLeavesItAlone) {
    CreateOperatorTable(*book_);
    const std::string target = NewBookDatabase();
    PgSession other = Session(target);
    other.Execute("CREATE TABLE kxOperator ([Only] [int] NULL)");
    other.Execute("INSERT INTO kxOperator (Only) VALUES (42)");
    try {
        book_->Execute("SELECT * INTO [" + target + "]..[kxOperator] FROM kxOperator");
        FAIL() << "copied over an existing table";
    } catch (const pg::PgError& error) {
        EXPECT_EQ(error.sqlState(), "42P07");
    }
    EXPECT_EQ(SingleValue(other.Execute("SELECT Only FROM kxOperator")), "42");
}

TEST_F(PgServer, SelectIntoWithinOneDatabaseCopiesToo) {
    CreateOperatorTable(*book_);
    book_->Execute("SELECT * INTO kxOperatorCopy FROM kxOperator");
    EXPECT_EQ(SingleValue(book_->Execute("Select Count(*) From kxOperatorCopy")), "3");
}

TEST_F(PgServer, SelectIntoLeavesOutDroppedColumns) {
    book_->Execute("CREATE TABLE T1 ([A] [int] NULL, [B] [int] NULL, [ID] [int] IDENTITY (1, 1) NOT NULL)");
    book_->Execute("INSERT INTO T1 (A, B) VALUES (1, 2)");
    book_->Current().Exec("ALTER TABLE t1 DROP COLUMN a");
    book_->Execute("SELECT * INTO T2 FROM T1");
    const pg::PgResult copied = book_->Execute("SELECT * FROM T2");
    ASSERT_EQ(copied.ColumnCount(), 2);
    EXPECT_EQ(copied.ColumnName(0), "b");
    EXPECT_EQ(copied.Value(0, 1), "1");
}

TEST_F(PgServer, SelectIntoFromAMissingTableFailsAsUndefinedTable) {
    const std::string target = NewBookDatabase();
    try {
        book_->Execute("SELECT * INTO [" + target + "]..[t] FROM [" + database_ + "]..[NoSuchTable]");
        FAIL() << "copied a missing table";
    } catch (const pg::PgError& error) {
        EXPECT_EQ(error.sqlState(), "42P01");
    }
}

TEST_F(PgServer, UseSwitchesTheCurrentDatabase) {
    const std::string other = NewBookDatabase();
    book_->Execute("Use [" + other + "]");
    EXPECT_EQ(book_->CurrentDatabase(), other);
    EXPECT_EQ(SingleValue(book_->Current().Exec("SELECT current_database()")), other);
}

TEST_F(PgServer, UseOfAMissingDatabaseFailsAndKeepsTheCurrentOne) {
    EXPECT_THROW(book_->Execute("Use NoSuchDatabase"), pg::PgError);
    EXPECT_EQ(book_->CurrentDatabase(), database_);
    EXPECT_EQ(SingleValue(book_->Current().Exec("SELECT current_database()")), database_);
}

TEST_F(PgServer, ShrinkBatchVacuumsTheDatabase) {
    CreateOperatorTable(*book_);
    book_->Execute("Delete From kxOperator ");
    book_->Execute("DUMP TRANSACTION [" + database_ + "] WITH NO_LOG BACKUP LOG [" + database_ +
                   "] WITH NO_LOG DBCC SHRINKDATABASE([" + database_ + "])");
    EXPECT_EQ(SingleValue(book_->Current().Exec(
                  "SELECT last_vacuum IS NOT NULL FROM pg_stat_user_tables WHERE relname = 'kxoperator'")),
              "t");
}

TEST_F(PgServer, TableListingMarksUserAndSystemTables) {
    book_->Execute("CREATE TABLE kxLog ([ID] [int] NULL)");
    const pg::PgResult listing = book_->Current().Exec(pg::TableListingSql());
    const int name = listing.ColumnIndex("TABLE_NAME");
    const int type = listing.ColumnIndex("TABLE_TYPE");
    ASSERT_GE(name, 0);
    ASSERT_GE(type, 0);
    std::vector<std::string> userTables;
    bool sawSystemTable = false;
    for (int row = 0; row < listing.RowCount(); ++row) {
        if (listing.Value(row, type) == "TABLE") {
            userTables.emplace_back(listing.Value(row, name));
        }
        sawSystemTable = sawSystemTable || (listing.Value(row, name) == "pg_class" &&
                                            listing.Value(row, type) == "SYSTEM TABLE");
    }
    EXPECT_EQ(userTables, std::vector<std::string>{"kxlog"});
    EXPECT_TRUE(sawSystemTable);
}

TEST_F(PgServer, ServerErrorsCarryTheirSqlState) {
    try {
        book_->Execute("SELECT * FROM NoSuchTable");
        FAIL() << "no error";
    } catch (const pg::PgError& error) {
        EXPECT_EQ(error.sqlState(), "42P01");
        EXPECT_NE(error.serverMessage().find("nosuchtable"), std::string::npos) << error.serverMessage();
        EXPECT_EQ(std::string(error.what()).rfind("42P01: ", 0), 0u) << error.what();
    }
}

TEST_F(PgServer, UntranslatableTextRunsNothing) {
    EXPECT_THROW(book_->Execute("CREATE TABLE Kept ([a] [int] NULL) TRUNCATE TABLE Kept"),
                 tsql::TranslationError);
    EXPECT_EQ(SingleValue(book_->Current().Exec("SELECT to_regclass('kept') IS NULL")), "t");
}

TEST_F(PgServer, WrongPasswordFailsToConnect) {
    pg::PgConnectionSettings settings = *TestServerSettings(database_);
    settings.password = "wrong";
    try {
        pg::PgConnection connection(settings);
        FAIL() << "connected with a wrong password";
    } catch (const pg::PgError& error) {
        EXPECT_EQ(error.sqlState(), pg::kSqlStateCannotConnect);
        EXPECT_NE(std::string(error.what()).find("password authentication failed"), std::string::npos)
            << error.what();
    }
}

TEST_F(PgServer, ADatabaseNameIsNeverReadAsConnectionSettings) {
    pg::PgConnectionSettings settings = *TestServerSettings("dbname=postgres");
    try {
        pg::PgConnection connection(settings);
        FAIL() << "the name was read as settings";
    } catch (const pg::PgError& error) {
        EXPECT_NE(std::string(error.what()).find("does not exist"), std::string::npos) << error.what();
    }
}

TEST_F(PgServer, BoundParametersAreNeverReadAsSql) {
    CreateOperatorTable(*book_);
    pg::PgConnection& connection = book_->Current();
    const std::vector<pg::PgParam> injection = {pg::PgParam::Text("y' OR '1'='1")};
    EXPECT_EQ(
        SingleValue(connection.ExecParams("SELECT count(*) FROM kxoperator WHERE opname = $1", injection)),
        "0");
    const std::vector<pg::PgParam> bytes = {pg::PgParam::Bytes(std::string("\0\1\2", 3)),
                                            pg::PgParam::Null()};
    const pg::PgResult result =
        connection.ExecParams("SELECT octet_length($1::bytea), $2::text IS NULL", bytes);
    EXPECT_EQ(result.Value(0, 0), "3");
    EXPECT_EQ(result.Value(0, 1), "t");
    const std::vector<pg::PgParam> nul = {pg::PgParam::Text(std::string("a\0b", 3))};
    EXPECT_THROW(connection.ExecParams("SELECT $1::text", nul), std::invalid_argument);
}

TEST_F(PgServer, BinaryResultsGiveTheRawBytes) {
    const std::vector<pg::PgParam> bytes = {pg::PgParam::Bytes(PatternBytes(1001))};
    const pg::PgResult result = book_->Current().ExecParams("SELECT $1::bytea", bytes, pg::PgFormat::Binary);
    EXPECT_EQ(result.ColumnFormat(0), pg::PgFormat::Binary);
    EXPECT_EQ(result.ColumnType(0), 17u);
    EXPECT_TRUE(result.Value(0, 0) == PatternBytes(1001));
}

TEST_F(PgServer, ResultsRefuseCellsOutOfRange) {
    const pg::PgResult result = book_->Current().Exec("SELECT 1 AS one");
    EXPECT_EQ(result.ColumnName(0), "one");
    EXPECT_EQ(result.ColumnIndex("ONE"), -1);
    EXPECT_THROW(result.Value(1, 0), std::out_of_range);
    EXPECT_THROW(result.Value(0, 1), std::out_of_range);
    EXPECT_THROW(result.ColumnName(-1), std::out_of_range);
}

TEST_F(PgServer, RejectedCopyDataStoresNothingAndReportsTheServerError) {
    pg::PgConnection& connection = book_->Current();
    connection.Exec("CREATE TABLE n (v integer)");
    pg::PgCopyIn in(connection, "COPY n FROM STDIN");
    in.Write("1\nabc\n");
    try {
        in.Finish();
        FAIL() << "bad data accepted";
    } catch (const pg::PgError& error) {
        EXPECT_EQ(error.sqlState(), "22P02");
    }
    EXPECT_EQ(SingleValue(connection.Exec("SELECT count(*) FROM n")), "0");
}

TEST_F(PgServer, AbandonedCopyStoresNothingAndTheConnectionStaysUsable) {
    pg::PgConnection& connection = book_->Current();
    connection.Exec("CREATE TABLE n (v integer)");
    {
        pg::PgCopyIn in(connection, "COPY n FROM STDIN");
        in.Write("1\n2\n");
    }
    EXPECT_EQ(SingleValue(connection.Exec("SELECT count(*) FROM n")), "0");
}

TEST_F(PgServer, CopyOutLeftEarlyLeavesTheConnectionUsable) {
    pg::PgConnection& connection = book_->Current();
    connection.Exec("CREATE TABLE n AS SELECT generate_series(1, 5000) AS v");
    {
        pg::PgCopyOut out(connection, "COPY n TO STDOUT");
        std::string line;
        ASSERT_TRUE(out.Read(line));
        EXPECT_EQ(line, "1\n");
    }
    EXPECT_EQ(SingleValue(connection.Exec("SELECT count(*) FROM n")), "5000");
}

TEST_F(PgServer, CopyStatementsOutsideTheStreamsAreRefusedAndTheConnectionStaysUsable) {
    pg::PgConnection& connection = book_->Current();
    connection.Exec("CREATE TABLE n AS SELECT generate_series(1, 3) AS v");
    EXPECT_THROW(connection.Exec("COPY n FROM STDIN"), std::logic_error);
    EXPECT_THROW(connection.Exec("COPY n TO STDOUT"), std::logic_error);
    EXPECT_THROW(pg::PgCopyIn(connection, "SELECT 1"), std::invalid_argument);
    EXPECT_THROW(pg::PgCopyOut(connection, "COPY n FROM STDIN"), std::invalid_argument);
    EXPECT_EQ(SingleValue(connection.Exec("SELECT count(*) FROM n")), "3");
}

TEST(PgConnection, AClosedConnectionRefusesStatements) {
    pg::PgConnection connection;
    EXPECT_FALSE(connection.IsOpen());
    EXPECT_THROW(connection.Exec("SELECT 1"), std::logic_error);
    EXPECT_THROW(pg::PgCopyIn(connection, "COPY t FROM STDIN"), std::logic_error);
    connection.Close();
    EXPECT_FALSE(connection.IsOpen());
}

TEST(PgConnection, MovingHandsTheConnectionOver) {
    const auto settings = TestServerSettings("postgres");
    if (!settings) {
        GTEST_SKIP() << pg::testing::kNoServerReason;
    }
    pg::PgConnection first(*settings);
    pg::PgConnection second(std::move(first));
    EXPECT_FALSE(first.IsOpen()); // a moved-from connection is closed
    EXPECT_TRUE(second.IsOpen());
    EXPECT_EQ(second.DatabaseName(), "postgres");
    second.Close();
    EXPECT_FALSE(second.IsOpen());
}

} // namespace
} // namespace kx::ado::sqloledb
