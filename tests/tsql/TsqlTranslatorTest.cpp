#include "PlanText.h"

#include "ado/pg/PgAppLock.h"
#include "ado/pg/PgDatabaseProperties.h"

#include <gtest/gtest.h>

#include <string>

namespace kx::ado::tsql {
namespace {

using namespace kx::ado::tsql::testing;

const std::string kCreateDatabase = "CREATE DATABASE \"kxacc000001\" TEMPLATE template0 ENCODING 'UTF8' "
                                    "LOCALE 'C' LOCALE_PROVIDER icu ICU_LOCALE 'zh'";

/// The catalog query that answers whether `table` (quoted as a literal) has an identity.
std::string HasIdentitySql(const std::string& table) {
    return "SELECT (SELECT CASE WHEN EXISTS (SELECT 1 FROM pg_attribute a WHERE a.attrelid = c.oid AND "
           "a.attidentity <> '' AND NOT a.attisdropped) THEN 1 ELSE 0 END FROM pg_class c WHERE c.oid = "
           "to_regclass('" +
           table + "') AND c.relkind IN ('r', 'p')) -> rows";
}

TEST(DatabaseStatements, CreateSwitchAndShrinkTheFoldedDatabase) {
    ExpectPlans({
        {"Create Database kxAcc000001", "create kxacc000001: " + kCreateDatabase + " + <collation>"},
        {"CREATE DATABASE [New\"Book]",
         "create new\"book: CREATE DATABASE \"new\"\"book\"" + kCreateDatabase.substr(29) + " + <collation>"},
        {"Drop Database [kxAcc000001_2]", "drop kxacc000001_2: DROP DATABASE \"kxacc000001_2\""},
        {"Use [KXACC000001]", "use kxacc000001"},
        {"Use master", "use postgres"},
        // A copy made by the server: the name folded as for a new database.
        {"Create Database [kxAcc000002] As Copy Of [KXACC000001]",
         "create kxacc000002: CREATE DATABASE \"kxacc000002\" TEMPLATE \"kxacc000001\" STRATEGY FILE_COPY + "
         "<collation>;\n<copied identities>"},
        {"create database [a]]b] as copy of [c\"d]",
         "create a]b: CREATE DATABASE \"a]b\" TEMPLATE \"c\"\"d\" STRATEGY FILE_COPY + <collation>;\n"
         "<copied identities>"},
        {"DUMP TRANSACTION [kxAcc000001] WITH NO_LOG", ""},
        {"BACKUP LOG [kxAcc000001] WITH NO_LOG", ""},
        {"DBCC SHRINKDATABASE([kxAcc000001])", "shrink kxacc000001: VACUUM"},
        {"DBCC SHRINKDATABASE(N'kxAcc000001') WITH NO_INFOMSGS", "shrink kxacc000001: VACUUM"},
    });
}

TEST(ClaimStatements, LockMarkAndListDatabasesBeingMade) {
    const std::string resource = "kxLedgerWiz:kxacc000001";
    const std::string listing = pg::DatabasePropertyListingSql("kxLedgerWiz", "");
    ExpectPlans({
        {"EXEC sp_getapplock @Resource = N'kxLedgerWiz:kxacc000001', @LockMode = N'Exclusive', "
         "@LockOwner = N'Session', @LockTimeout = 0",
         pg::TryAppLockSql(resource, false) + " -> rows"},
        {"execute dbo.sp_getapplock @lockmode = 'shared', @RESOURCE = 'kxLedgerWiz:kxacc000001', "
         "@LockTimeout = 0, @LockOwner = 'session'",
         pg::TryAppLockSql(resource, true) + " -> rows"},
        {"EXEC [kxAcc000002]..sp_getapplock @Resource = N'r', @LockMode = N'Exclusive', @LockOwner = "
         "N'Session', "
         "@LockTimeout = 0",
         "@kxacc000002 " + pg::TryAppLockSql("r", false) + " -> rows"},
        {"EXEC sp_releaseapplock @Resource = N'kxLedgerWiz:kxacc000001', @LockOwner = N'Session'",
         pg::AppUnlockSql(resource) + " -> rows"},
        {"EXEC sp_addextendedproperty @name = N'kxLedgerWiz', @value = N'creating'",
         pg::AddDatabasePropertySql("", "kxLedgerWiz", "creating")},
        {"EXEC [kxAcc000001].sys.sp_addextendedproperty @name = N'kxLedgerWiz', @value = N'creating', "
         "@level0type = NULL",
         pg::AddDatabasePropertySql("kxacc000001", "kxLedgerWiz", "creating")},
        {"EXEC kxAcc000001..sp_addextendedproperty @name = 'n', @value = -12",
         pg::AddDatabasePropertySql("kxacc000001", "n", "-12")},
        {"EXEC [kxAcc000001].sys.sp_dropextendedproperty @name = N'kxLedgerWiz'",
         pg::DropDatabasePropertySql("kxacc000001", "kxLedgerWiz")},
        {"SELECT d.name, p.value FROM sys.databases d JOIN sys.extended_properties p ON p.class = 0 AND "
         "p.major_id = d.database_id WHERE p.name = N'kxLedgerWiz'",
         listing + " -> rows"},
        {"select db.[name], x.Value from SYS.Databases as db inner join sys.extended_properties x on x.class "
         "= 0 "
         "and x.major_id = db.database_id where x.name = 'kxLedgerWiz' order by db.name",
         listing + " -> rows"},
        {"SELECT d.name, p.value FROM sys.databases d JOIN sys.extended_properties p ON p.class = 0 AND "
         "p.major_id = d.database_id WHERE p.name = N'kxLedgerWiz' AND d.name = N'kxAcc000001'",
         pg::DatabasePropertyListingSql("kxLedgerWiz", "kxacc000001") + " -> rows"},
        // A claim in one batch: lock, create, mark.
        {"EXEC sp_getapplock @Resource = N'r', @LockMode = N'Exclusive', @LockOwner = N'Session', "
         "@LockTimeout = 0 Create Database [x] EXEC [x].sys.sp_addextendedproperty @name = N'n', @value = "
         "N'v'",
         pg::TryAppLockSql("r", false) + " -> rows ; create x: " + pg::CreateDatabaseSql("x") +
             " + <collation> ; " + pg::AddDatabasePropertySql("x", "n", "v")},
    });
    // The key is computed here, the same in every program and on every server.
    EXPECT_EQ(pg::AppLockKey(""), static_cast<std::int64_t>(0xcbf29ce484222325ULL));
    EXPECT_EQ(pg::AppLockKey("a"), static_cast<std::int64_t>(0xaf63dc4c8601ec8cULL));
    EXPECT_NE(pg::TryAppLockSql("a", false).find(std::to_string(pg::AppLockKey("a"))), std::string::npos);
}

TEST(ClaimStatements, FailSayingWhatIsNotSupported) {
    const std::string lock = "EXEC sp_getapplock @Resource = N'r', @LockMode = N'Exclusive'";
    ExpectFailures({
        {lock + ", @LockOwner = N'Transaction', @LockTimeout = 0", "only @LockOwner = 'Session'"},
        {lock + ", @LockOwner = N'Session'", "only @LockTimeout = 0"},
        {lock + ", @LockOwner = N'Session', @LockTimeout = 5000", "only @LockTimeout = 0"},
        {"EXEC sp_getapplock @Resource = N'r', @LockMode = N'Update', @LockOwner = N'Session', @LockTimeout "
         "= 0",
         "only @LockMode = 'Exclusive' or 'Shared'"},
        {"EXEC sp_getapplock @Resource = N'', @LockMode = N'Shared', @LockOwner = N'Session', @LockTimeout = "
         "0",
         "1 to 255 characters"},
        {"EXEC sp_getapplock @Resource = N'" + std::string(256, 'r') +
             "', @LockMode = N'Shared', @LockOwner = N'Session', @LockTimeout = 0",
         "1 to 255 characters"},
        {lock + ", @LockOwner = N'Session', @LockTimeout = 0, @Resource = N'r'", "given twice"},
        {lock + ", @LockOwner = N'Session', @LockTimeout = 0, @Other = 1", "@Other is not supported"},
        {"EXEC sp_getapplock N'r', N'Exclusive'", "only named arguments"},
        {"EXEC @rc = sp_getapplock @Resource = N'r'", "EXEC @status"},
        {"EXEC sp_releaseapplock @Resource = N'r'", "only @LockOwner = 'Session'"},
        {"EXEC sp_addextendedproperty @name = N'n', @value = N'v', @level0type = N'SCHEMA'",
         "only properties of the whole database"},
        {"EXEC sp_addextendedproperty @name = N'n'", "@value must be given"},
        {"EXEC sp_addextendedproperty @name = N'a=b', @value = N'v'", "must not be empty nor hold \"=\""},
        {"EXEC sp_addextendedproperty @name = N'n', @value = N'two\nlines'", "line break"},
        {"EXEC sp_addextendedproperty @name = N'n', @value = @v", "must be a string, a number"},
        {"EXEC x.other.sp_dropextendedproperty @name = N'n'", "procedures live in sys or dbo"},
        {"SELECT d.name, p.value FROM sys.databases d JOIN sys.extended_properties p ON p.class = 1 AND "
         "p.major_id = d.database_id WHERE p.name = N'n'",
         "class 0"},
        {"SELECT name FROM sys.databases", "expected \".\""},
        {"SELECT d.name, p.value FROM sys.databases d JOIN sys.extended_properties p ON p.class = 0 AND "
         "p.major_id = d.database_id WHERE p.name = N'n' AND p.value = N'v'",
         "expected d"},
    });
}

TEST(IdentityStatements, SetIdentityInsertAndAskForAnIdentityColumn) {
    ExpectPlans({
        {"SET IDENTITY_INSERT dbo.T1 ON ", "identity insert t1 on"},
        // Ending it moves the identity past the stored values.
        {"SET IDENTITY_INSERT dbo.T1 OFF ", "identity insert t1 off ; sync identity t1"},
        {"Select OBJECTPROPERTY(OBJECT_ID('T1'),'TableHasIdentity')", HasIdentitySql("\"t1\"")},
        {"Select OBJECTPROPERTY(OBJECT_ID('dbo.[T1]'),'TableHasIdentity')", HasIdentitySql("\"t1\"")},
        {"select objectproperty ( object_id ( N'[t1]' ) , 'tablehasidentity' )", HasIdentitySql("\"t1\"")},
        {"Select OBJECTPROPERTY(OBJECT_ID('[x''y]'),'TableHasIdentity')", HasIdentitySql("\"x''y\"")},
        {"Select OBJECTPROPERTY(OBJECT_ID('a b c'),'TableHasIdentity')",
         "SELECT CAST(NULL AS integer) -> rows"},
    });
}

TEST(JetImportStatement, StreamsTheNamedColumnsOfTheFileAndThenSyncsTheIdentity) {
    ExpectPlans({
        {"INSERT INTO T1 ([ID],[Name],[Allow]) SELECT [ID],[Name],CONVERT (varchar(256),[Allow]) FROM "
         "OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0','Data Source=\"C:\\Books\\kxAcc000001.MDE\";Persist "
         "Security "
         "Info=False;Jet OLEDB:Database Password=7.305918624471')...[T1] Rowset_1",
         "import C:\\Books\\kxAcc000001.MDE|7.305918624471|T1 -> t1 (ID>id, Name>name, Allow>allow:256): "
         "COPY \"t1\" (\"id\", \"name\", \"allow\") FROM STDIN ; sync identity t1"},
        {"INSERT INTO t ([a]) SELECT [a] FROM OPENDATASOURCE ('microsoft.jet.oledb.4.0', 'Data Source = "
         "\"D:\\O''Neil;账簿\\a.mdb\" ; Jet OLEDB:Database Password=pw')...[T] AS r",
         "import D:\\O'Neil;账簿\\a.mdb|pw|T -> t (a>a): COPY \"t\" (\"a\") FROM STDIN ; sync identity t"},
        {"INSERT INTO T1 ([ID]) SELECT [ID] FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0','Data "
         "Source=\"a.mdb\"')...[T1] Rowset_7",
         "import a.mdb||T1 -> t1 (ID>id): COPY \"t1\" (\"id\") FROM STDIN ; sync identity t1"},
        {"INSERT INTO T1 ([ID]) SELECT [ID] FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0',N'Data "
         "Source=\"a.mdb\"')...[T1]",
         "import a.mdb||T1 -> t1 (ID>id): COPY \"t1\" (\"id\") FROM STDIN ; sync identity t1"},
    });
}

TEST(RowStatements, TranslateDeleteSelectInsertAndUpdate) {
    ExpectPlans({
        {"Delete From kxDocDir ", "DELETE FROM \"kxdocdir\" | TRUNCATE TABLE \"kxdocdir\" CONTINUE IDENTITY"},
        {"DELETE dbo.kxDocDir", "DELETE FROM \"kxdocdir\" | TRUNCATE TABLE \"kxdocdir\" CONTINUE IDENTITY"},
        {"Delete From kxStatement Where Len(AssistCode)>4",
         "DELETE FROM \"kxstatement\" WHERE length(rtrim(CAST(\"assistcode\" AS text))) > 4"},
        {"Delete From kxLog Where opName = 'a'';DROP TABLE x;--'",
         "DELETE FROM \"kxlog\" WHERE \"opname\" = 'a'';DROP TABLE x;--'"},
        {"Delete From [kxAcc000002]..[kxLog]",
         "@kxacc000002 DELETE FROM \"kxlog\" | TRUNCATE TABLE \"kxlog\" CONTINUE IDENTITY"},
        {"SELECT * From kxOperator WHERE (opName = '系统管理员')",
         "SELECT * FROM \"kxoperator\" WHERE (\"opname\" = '系统管理员') -> rows"},
        {"Select Count(*) From kxAccData", "SELECT CAST(count(*) AS integer) FROM \"kxaccdata\" -> rows"},
        {"select count(*) as n from kxLog where opID = 3",
         "SELECT CAST(count(*) AS integer) AS \"n\" FROM \"kxlog\" WHERE \"opid\" = 3 -> rows"},
        {"SELECT TOP 1 opID FROM kxOperator ORDER BY opID DESC",
         "SELECT \"opid\" FROM \"kxoperator\" ORDER BY \"opid\" DESC LIMIT 1 -> rows"},
        {"SELECT DISTINCT TOP (5) a FROM t", "SELECT DISTINCT \"a\" FROM \"t\" LIMIT 5 -> rows"},
        {"SELECT o.opName AS Name, total = Count(*), o.* FROM kxOperator o GROUP BY o.opName HAVING "
         "Count(*) > 1 ORDER BY 1",
         "SELECT \"o\".\"opname\" AS \"name\", CAST(count(*) AS integer) AS \"total\", \"o\".* FROM "
         "\"kxoperator\" \"o\" GROUP BY \"o\".\"opname\" HAVING CAST(count(*) AS integer) > 1 ORDER BY 1 -> "
         "rows"},
        {"SELECT * FROM [kxAcc000001].[dbo].[kxOperator]",
         "@kxacc000001 SELECT * FROM \"kxoperator\" -> rows"},
        {"SELECT 1, GetDate()", "SELECT 1, LOCALTIMESTAMP -> rows"},
        {"INSERT INTO kxBookInfo (ItemNo, [Value], Flag) VALUES (5, N'新账簿', 1), (6, NULL, 0)",
         "INSERT INTO \"kxbookinfo\" (\"itemno\", \"value\", \"flag\") VALUES (5, '新账簿', '1'), (6, NULL, "
         "'0')"},
        {"INSERT t DEFAULT VALUES", "INSERT INTO \"t\" DEFAULT VALUES"},
        {"INSERT INTO t ([a]) VALUES (1)", "INSERT INTO \"t\" (\"a\") VALUES ('1')"},
        {"UPDATE kxBookInfo SET [Value] = 'x', Flag = 1 WHERE ItemNo = 5",
         "UPDATE \"kxbookinfo\" SET \"value\" = 'x', \"flag\" = '1' WHERE \"itemno\" = 5"},
    });
}

TEST(TableStatements, CreateDropAndCopyTablesOfTheNamedDatabases) {
    ExpectPlans({
        {"CREATE TABLE T1 ([ID] [int] IDENTITY (1, 1) NOT NULL,[Name] [nvarchar] (50) COLLATE "
         "Chinese_PRC_CI_AS NULL,[Allow] [varchar] (256) COLLATE Chinese_PRC_CI_AS NULL) ON [PRIMARY] ",
         "<collation> ; CREATE TABLE \"t1\" (\"id\" integer GENERATED BY DEFAULT AS IDENTITY (START WITH 1 "
         "INCREMENT BY 1) NOT NULL, \"name\" varchar(50) COLLATE \"kx_zh_ci\" NULL, \"allow\" varchar(256) "
         "COLLATE \"kx_zh_ci\" NULL)"},
        {"CREATE TABLE [kxAcc000002].dbo.[kxLog] ([a] [int] NULL) ON [PRIMARY] TEXTIMAGE_ON [PRIMARY]",
         "@kxacc000002 CREATE TABLE \"kxlog\" (\"a\" integer NULL)"},
        {"CREATE TABLE t ([My \"Col\"] [int] NULL)", "CREATE TABLE \"t\" (\"my \"\"col\"\"\" integer NULL)"},
        {"Drop Table [kxAcc000002]..[kxOperator]", "@kxacc000002 DROP TABLE \"kxoperator\""},
        {"DROP TABLE IF EXISTS dbo.t", "DROP TABLE IF EXISTS \"t\""},
        {"SELECT * INTO [kxAcc000002]..[kxOperator] FROM [kxAcc000001]..[kxOperator]",
         "copy @kxacc000001 kxoperator -> @kxacc000002 kxoperator"},
        {"SELECT * INTO [b]..[t2] FROM t1", "copy t1 -> @b t2"},
        {"SELECT * INTO t2 FROM dbo.t1", "copy t1 -> t2"},
    });
}

TEST(CreateTableStatement, MapsEachColumnClause) {
    const char* const identity = "GENERATED BY DEFAULT AS IDENTITY";
    const std::pair<std::string, std::string> cases[] = {
        {"[int] IDENTITY (1, 1) NOT NULL",
         "integer " + std::string(identity) + " (START WITH 1 INCREMENT BY 1) NOT NULL"},
        {"int IDENTITY NOT NULL",
         "integer " + std::string(identity) + " (START WITH 1 INCREMENT BY 1) NOT NULL"},
        {"bigint IDENTITY(100, -2) NOT NULL",
         "bigint " + std::string(identity) + " (START WITH 100 INCREMENT BY -2) NOT NULL"},
        {"[nvarchar] (255) COLLATE Chinese_PRC_CI_AS NULL", "varchar(255) COLLATE \"kx_zh_ci\" NULL"},
        {"[uniqueidentifier] NOT NULL PRIMARY KEY CLUSTERED", "uuid NOT NULL PRIMARY KEY"},
        {"[decimal] (18, 2) NULL DEFAULT (0)", "numeric(18,2) NULL DEFAULT (0)"},
        {"[bit] NOT NULL DEFAULT ((1))", "boolean NOT NULL DEFAULT true"},
        {"[bit] NULL DEFAULT 0", "boolean NULL DEFAULT false"},
        {"[nchar] (4) NULL UNIQUE", "char(4) NULL UNIQUE"},
        {"[nvarchar] (max) NULL", "text NULL"},
        {"[datetime] NULL DEFAULT (getdate())", "timestamp NULL DEFAULT (LOCALTIMESTAMP)"},
        {"[nvarchar] (8) NULL DEFAULT N'无'", "varchar(8) NULL DEFAULT '无'"},
    };
    for (const auto& [tsql, pg] : cases) {
        const std::string sql = "CREATE TABLE t ([c] " + tsql + ") ON [PRIMARY]";
        const std::string table = "CREATE TABLE \"t\" (\"c\" " + pg + ")";
        ExpectPlans({{sql, (pg.find("COLLATE") != std::string::npos ? "<collation> ; " : "") + table}});
    }
}

TEST(Statements, FailSayingWhy) {
    const std::string jet = " FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0','Data Source=x')";
    ExpectFailures({
        {"Create Database", "expected a database name"},
        {"Create Database x As y", "expected AS COPY OF"},
        {"Create Database x As Copy Of", "expected the source database name"},
        {"Use select", "expected a database name"},
        {"DUMP TRANSACTION [x] TO DISK = 'f'", "expected WITH"},
        {"BACKUP LOG [x] WITH COMPRESSION", "NO_LOG"},
        {"SET IDENTITY_INSERT t1 MAYBE", "expected ON or OFF"},
        {"Select OBJECTPROPERTY(OBJECT_ID('t'),'IsTable')", "object property IsTable is not supported"},
        {"INSERT INTO t ([a],[b]) SELECT [a]" + jet + "...[t]", "names 2 columns but the SELECT gives 1"},
        {"INSERT INTO t ([a]) SELECT [a] FROM OPENDATASOURCE ('SQLOLEDB','Data Source=x')...[t]",
         "only the provider 'Microsoft.Jet.OLEDB.4.0'"},
        {"INSERT INTO t ([a]) SELECT [a] FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0','User ID=x')...[t]",
         "names no Data Source"},
        {"INSERT INTO t ([a]) SELECT [a] FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0', x)...[t]",
         "expected the OPENDATASOURCE connection string"},
        {"INSERT INTO t ([a]) SELECT CONVERT(int, [a])" + jet + "...[t]", "only CONVERT to varchar(n)"},
        {"INSERT INTO t ([a]) SELECT [a]" + jet + "..[t]", "expected \".\""},
        {"INSERT INTO t ([a]) SELECT [a] FROM u", "INSERT ... SELECT"},
        {"INSERT INTO t (a, b) VALUES (1)", "names 2 columns"},
        {"Delete From t Where ", "expected a value"},
        {"Delete From t From t Join u On 1 = 1", "a join"},
        {"UPDATE t SET a = u.a FROM u", "a join"},
        {"SELECT * FROM a, b", "several tables"},
        {"SELECT * FROM a JOIN b ON a.x = b.x", "several tables"},
        {"SELECT * FROM a WITH (NOLOCK)", "table hints"},
        {"SELECT TOP 10 PERCENT * FROM a", "TOP PERCENT"},
        {"SELECT FROM t", "expected a value"},
        {"CREATE TABLE t ([a] [xml] NULL)", "type xml"},
        {"CREATE TABLE t ([a] [nvarchar] (5) COLLATE Latin1_General_BIN NULL)",
         "collation Latin1_General_BIN is not supported"},
        {"CREATE TABLE t ([a] [int] NULL, CONSTRAINT pk PRIMARY KEY ([a]))",
         "table constraints are not supported"},
        {"CREATE TABLE t ([a] [int] NULL", "expected \",\" or \")\""},
        {"CREATE TABLE t ([a] [int] IDENTITY (1, 0) NOT NULL)", "increment cannot be 0"},
        {"CREATE TABLE my table ([a] [int] NULL)", "expected \"(\""},
        {"CREATE TABLE other.t ([a] [int] NULL)", "schema \"other\" is not supported"},
        {"DROP TABLE a, b", "several tables"},
        {"SELECT * INTO [b]..[t] FROM [a]..[t] WHERE x = 1", "only a whole-table copy"},
        {"SELECT a INTO b FROM t", "SELECT ... INTO is supported only as"},
    });
}

TEST(TranslateTsql, JoinsTheStepsOfSeveralStatementsInOrder) {
    ExpectPlans({
        {"Create Database kxAcc000001; Use kxAcc000001\nSELECT * FROM kxOperator;;",
         "create kxacc000001: CREATE DATABASE \"kxacc000001\" TEMPLATE template0 ENCODING 'UTF8' LOCALE 'C' "
         "LOCALE_PROVIDER icu ICU_LOCALE 'zh' + <collation> ; use kxacc000001 ; SELECT * FROM \"kxoperator\" "
         "-> rows"},
        {"Delete From a Where x = 1 Delete From b",
         "DELETE FROM \"a\" WHERE \"x\" = '1' ; DELETE FROM \"b\" | TRUNCATE TABLE \"b\" CONTINUE IDENTITY"},
        // The shrink batch of the book routines is one VACUUM.
        {"DUMP TRANSACTION [kxAcc000001] WITH NO_LOG BACKUP LOG [kxAcc000001] WITH NO_LOG DBCC "
         "SHRINKDATABASE([kxAcc000001])",
         "shrink kxacc000001: VACUUM"},
    });
    EXPECT_TRUE(TranslateTsql("Use a SELECT 1 Delete From b").ReturnsRows());
    EXPECT_FALSE(TranslateTsql("Use a Delete From b").ReturnsRows());
}

TEST(TranslateTsql, KeepsStatementTextInsideABracketedNameAsPartOfTheName) {
    const auto create = [](const std::string& database) {
        return "create " + database + ": " + pg::CreateDatabaseSql(database) + " + <collation>";
    };
    ExpectPlans({
        // Bare, the name ends at the ";" and a second statement follows.
        {"Create Database x; Drop Table t", create("x") + " ; DROP TABLE \"t\""},
        {"Create Database [x; Drop Table t]", create("x; drop table t")},
        {"Create Database [x]]; Drop Table t; --]", create("x]; drop table t; --")},
        {"Create Database [x' /* y */ \"z\"]", create("x' /* y */ \"z\"")},
        {"Drop Database [x]]--]", "drop x]--: " + pg::DropDatabaseSql("x]--")},
        {"Use [a]]; Drop Table t --]", "use a]; drop table t --"},
        {"DUMP TRANSACTION [a]];'b] WITH NO_LOG BACKUP LOG [a]];'b] WITH NO_LOG DBCC "
         "SHRINKDATABASE([a]];'b])",
         "shrink a];'b: VACUUM"},
        {"EXEC [a]]b].sys.sp_addextendedproperty @name = N'n', @value = N'v'",
         pg::AddDatabasePropertySql("a]b", "n", "v")},
        {"Drop Table [d]];1]..[t]]--]", "@d];1 DROP TABLE \"t]--\""},
        {"SELECT * INTO [n]]1]..[t/*]]] FROM [o;--]..[t/*]]]", "copy @o;-- t/*] -> @n]1 t/*]"},
        {"Select Count(*) From [a]]b]", "SELECT CAST(count(*) AS integer) FROM \"a]b\" -> rows"},
    });
    ExpectFailures({
        {"Create Database [x]]", "unterminated bracketed name"},
        {"Create Database [x]] y", "unterminated bracketed name"},
        {"Create Database [x] y", "unexpected text after the statement"},
    });
}

TEST(TranslateTsql, FailsNamingTheStatementAndWhatIsWrongWithIt) {
    ExpectFailures({
        {"EXEC sp_who", "this kind of statement is not supported"},
        {"SET NOCOUNT ON", "this kind of statement is not supported"},
        {"DBCC CHECKDB([x])", "this kind of statement is not supported"},
        {"SELECT * FROM t garbage more", "unexpected text after the statement"},
        {"Use kxAcc 1", "unexpected text after the statement"},
        {"", "there is no statement"},
        {" ; ;", "there is no statement"},
        {"SELECT * FROM [kxAcc000001].[other].[t]", "schema \"other\""},
        {"SELECT * FROM a.b.c.d", "more than three parts"},
        // PostgreSQL would cut the name to 63 bytes and so name another table.
        {"SELECT * FROM [" + std::string(64, 'a') + "]", "longer than 63 bytes"},
    });
}

TEST(TranslationError, ShortensALongStatementInItsMessageButKeepsItWhole) {
    const std::string sql = "SELECT '" + std::string(300, 'x') + "' FROM @t";
    try {
        TranslateTsql(sql);
        FAIL() << "translated";
    } catch (const TranslationError& error) {
        EXPECT_EQ(error.statement(), sql);
        EXPECT_NE(std::string(error.what()).find("...\""), std::string::npos) << error.what();
        EXPECT_LT(std::string(error.what()).size(), 320u) << error.what();
    }
}

} // namespace
} // namespace kx::ado::tsql
