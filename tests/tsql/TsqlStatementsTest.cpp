#include "PlanText.h"

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
        {"Use [KXACC000001]", "use kxacc000001"},
        {"Use master", "use postgres"},
        {"DUMP TRANSACTION [kxAcc000001] WITH NO_LOG", ""},
        {"dump transaction kxAcc000001 with truncate_only", ""},
        {"BACKUP LOG [kxAcc000001] WITH NO_LOG", ""},
        {"DBCC SHRINKDATABASE([kxAcc000001])", "shrink kxacc000001: VACUUM"},
        {"DBCC SHRINKDATABASE(kxAcc000001, 10)", "shrink kxacc000001: VACUUM"},
        {"DBCC SHRINKDATABASE(N'kxAcc000001') WITH NO_INFOMSGS", "shrink kxacc000001: VACUUM"},
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
    });
}

TEST(RowStatements, TranslateDeleteSelectInsertAndUpdate) {
    ExpectPlans({
        {"Delete From kxDocDir ", "DELETE FROM \"kxdocdir\""},
        {"Delete From  kxAccInitial ", "DELETE FROM \"kxaccinitial\""},
        {"DELETE dbo.kxDocDir", "DELETE FROM \"kxdocdir\""},
        {"Delete From kxStatement Where Len(AssistCode)>4",
         "DELETE FROM \"kxstatement\" WHERE length(rtrim(CAST(\"assistcode\" AS text))) > 4"},
        {"Delete From kxLog Where opName = 'a'';DROP TABLE x;--'",
         "DELETE FROM \"kxlog\" WHERE \"opname\" = 'a'';DROP TABLE x;--'"},
        {"Delete From [kxAcc000002]..[kxLog]", "@kxacc000002 DELETE FROM \"kxlog\""},
        {"SELECT * From kxOperator WHERE (opName = '系统管理员')",
         "SELECT * FROM \"kxoperator\" WHERE (\"opname\" = '系统管理员') -> rows"},
        {"SELECT * From kxOperator WHERE (opName = 'x'' OR ''1''=''1')",
         "SELECT * FROM \"kxoperator\" WHERE (\"opname\" = 'x'' OR ''1''=''1') -> rows"},
        {"Select * From kxOperator Where opName='admin'",
         "SELECT * FROM \"kxoperator\" WHERE \"opname\" = 'admin' -> rows"},
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

TEST(Statements, FailSayingWhy) {
    const std::string jet = " FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0','Data Source=x')";
    ExpectFailures({
        {"Create Database", "expected a database name"},
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
    });
}

} // namespace
} // namespace kx::ado::tsql
