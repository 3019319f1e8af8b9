#include "PlanTestSupport.h"

#include "ado/tsql/TsqlRecognizers.h"

#include "ParamNames.h"

#include <gtest/gtest.h>

namespace kx::ado::tsql {
namespace {

using namespace kx::ado::tsql::testing;

constexpr const char* kRowCopy =
    "INSERT INTO T1 ([ID],[Name],[Allow]) SELECT [ID],[Name],CONVERT (varchar(256),[Allow]) FROM "
    "OPENDATASOURCE "
    "('Microsoft.Jet.OLEDB.4.0','Data Source=\"C:\\Books\\kxAcc000001.MDE\";Persist Security Info=False;Jet "
    "OLEDB:Database Password=7.305918624471')...[T1] Rowset_1";

TEST(JetImportStatement, ReturnsTheFileTheTableAndTheColumnsToStream) {
    const TranslationPlan plan = Recognized(RecognizeJetImport, kRowCopy);
    ASSERT_EQ(plan.steps.size(), 2u);
    const auto& import = std::get<ImportJetTable>(plan.steps[0]);
    EXPECT_EQ(import.filePath, "C:\\Books\\kxAcc000001.MDE");
    EXPECT_EQ(import.password, "7.305918624471");
    EXPECT_EQ(import.sourceTable, "T1");
    EXPECT_EQ(import.targetTable, "t1");
    EXPECT_EQ(import.database, "");
    ASSERT_EQ(import.columns.size(), 3u);
    EXPECT_EQ(import.columns[0].sourceColumn, "ID");
    EXPECT_EQ(import.columns[0].targetColumn, "id");
    EXPECT_EQ(import.columns[0].truncateToCharacters, 0);
    EXPECT_EQ(import.columns[2].sourceColumn, "Allow");
    EXPECT_EQ(import.columns[2].targetColumn, "allow");
    EXPECT_EQ(import.columns[2].truncateToCharacters, 256);
    EXPECT_EQ(import.copySql, "COPY \"t1\" (\"id\", \"name\", \"allow\") FROM STDIN");
    EXPECT_EQ(std::get<SyncIdentity>(plan.steps[1]).table, "t1");
}

TEST(JetImportStatement, ReadsQuotesInsideTheConnectionString) {
    const TranslationPlan plan = Recognized(
        RecognizeJetImport,
        "INSERT INTO t ([a]) SELECT [a] FROM OPENDATASOURCE ('microsoft.jet.oledb.4.0', 'Data Source = "
        "\"D:\\O''Neil;账簿\\a.mdb\" ; Jet OLEDB:Database Password=pw')...[T] AS r");
    const auto& import = std::get<ImportJetTable>(plan.steps[0]);
    EXPECT_EQ(import.filePath, "D:\\O'Neil;账簿\\a.mdb");
    EXPECT_EQ(import.password, "pw");
}

class JetImportRefusal : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(JetImportRefusal, FailsSayingWhy) {
    const std::string failure = FailureOf(RecognizeJetImport, GetParam().first);
    EXPECT_NE(failure.find(GetParam().second), std::string::npos) << failure;
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, JetImportRefusal,
    ::testing::Values(
        std::make_pair(
            "INSERT INTO t ([a],[b]) SELECT [a] FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0','Data "
            "Source=x')...[t]",
            "names 2 columns but the SELECT gives 1"),
        std::make_pair(
            "INSERT INTO t ([a]) SELECT [a] FROM OPENDATASOURCE ('SQLOLEDB','Data Source=x')...[t]",
            "only the provider 'Microsoft.Jet.OLEDB.4.0'"),
        std::make_pair("INSERT INTO t ([a]) SELECT [a] FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0','User "
                       "ID=x')...[t]",
                       "names no Data Source"),
        std::make_pair("INSERT INTO t ([a]) SELECT CONVERT(int, [a]) FROM OPENDATASOURCE "
                       "('Microsoft.Jet.OLEDB.4.0','Data Source=x')...[t]",
                       "only CONVERT to varchar(n)"),
        std::make_pair("INSERT INTO t ([a]) SELECT [a] FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0','Data "
                       "Source=x')..[t]",
                       "expected \".\"")),
    test::ReadableParamName());

TEST(JetImportStatement, LeavesOtherInsertsAlone) {
    EXPECT_TRUE(LeftAlone(RecognizeJetImport, "INSERT INTO t ([a]) VALUES (1)"));
    EXPECT_TRUE(LeftAlone(RecognizeJetImport, "INSERT INTO t ([a]) SELECT [a] FROM u"));
}

TEST(DeleteStatement, EmptiesTheTableWhenNoConditionFollows) {
    for (const char* sql : {"Delete From kxDocDir ", "Delete From  kxAccInitial ", "DELETE dbo.kxDocDir"}) {
        const RunSql run = OnlySql(Recognized(RecognizeDelete, sql));
        EXPECT_EQ(run.sql.substr(0, 13), "DELETE FROM \"") << sql;
        EXPECT_EQ(run.sql.find("WHERE"), std::string::npos) << sql;
    }
}

TEST(DeleteStatement, CountsLengthWithoutTrailingBlanksAsLenDoes) {
    EXPECT_EQ(OnlySql(Recognized(RecognizeDelete, "Delete From kxStatement Where Len(AssistCode)>4")).sql,
              "DELETE FROM \"kxstatement\" WHERE length(rtrim(CAST(\"assistcode\" AS text))) > 4");
}

TEST(DeleteStatement, KeepsAConditionLiteralOneLiteral) {
    EXPECT_EQ(
        OnlySql(Recognized(RecognizeDelete, "Delete From kxLog Where opName = 'a'';DROP TABLE x;--'")).sql,
        "DELETE FROM \"kxlog\" WHERE \"opname\" = 'a'';DROP TABLE x;--'");
}

TEST(DeleteStatement, RunsOnTheDatabaseOfAThreePartName) {
    EXPECT_EQ(OnlySql(Recognized(RecognizeDelete, "Delete From [kxAcc000002]..[kxLog]")).database,
              "kxacc000002");
}

TEST(DeleteStatement, FailsForAnEmptyConditionOrAJoin) {
    EXPECT_NE(FailureOf(RecognizeDelete, "Delete From t Where ").find("expected a value"), std::string::npos);
    EXPECT_NE(FailureOf(RecognizeDelete, "Delete From t From t Join u On 1 = 1").find("a join"),
              std::string::npos);
}

TEST(SelectStatement, TranslatesTheOperatorQuery) {
    const RunSql run =
        OnlySql(Recognized(RecognizeSelect, "SELECT * From kxOperator WHERE (opName = '系统管理员')"));
    EXPECT_TRUE(run.returnsRows);
    EXPECT_EQ(run.sql, "SELECT * FROM \"kxoperator\" WHERE (\"opname\" = '系统管理员')");
}

TEST(SelectStatement, KeepsAProperlyDoubledOperatorNameOneLiteral) {
    EXPECT_EQ(
        OnlySql(Recognized(RecognizeSelect, "SELECT * From kxOperator WHERE (opName = 'x'' OR ''1''=''1')"))
            .sql,
        "SELECT * FROM \"kxoperator\" WHERE (\"opname\" = 'x'' OR ''1''=''1')");
}

TEST(SelectStatement, TranslatesTheAccessStyleOperatorQuery) {
    EXPECT_EQ(OnlySql(Recognized(RecognizeSelect, "Select * From kxOperator Where opName='admin'")).sql,
              "SELECT * FROM \"kxoperator\" WHERE \"opname\" = 'admin'");
}

TEST(SelectStatement, CountsAsAnInteger) {
    EXPECT_EQ(OnlySql(Recognized(RecognizeSelect, "Select Count(*) From kxAccData")).sql,
              "SELECT CAST(count(*) AS integer) FROM \"kxaccdata\"");
    EXPECT_EQ(OnlySql(Recognized(RecognizeSelect, "select count(*) as n from kxLog where opID = 3")).sql,
              "SELECT CAST(count(*) AS integer) AS \"n\" FROM \"kxlog\" WHERE \"opid\" = 3");
}

TEST(SelectStatement, TurnsTopIntoLimit) {
    EXPECT_EQ(
        OnlySql(Recognized(RecognizeSelect, "SELECT TOP 1 opID FROM kxOperator ORDER BY opID DESC")).sql,
        "SELECT \"opid\" FROM \"kxoperator\" ORDER BY \"opid\" DESC LIMIT 1");
    EXPECT_EQ(OnlySql(Recognized(RecognizeSelect, "SELECT DISTINCT TOP (5) a FROM t")).sql,
              "SELECT DISTINCT \"a\" FROM \"t\" LIMIT 5");
}

TEST(SelectStatement, TranslatesAliasesGroupingAndQualifiedNames) {
    EXPECT_EQ(
        OnlySql(Recognized(RecognizeSelect,
                           "SELECT o.opName AS Name, total = Count(*), o.* FROM kxOperator o "
                           "GROUP BY o.opName HAVING Count(*) > 1 ORDER BY 1"))
            .sql,
        "SELECT \"o\".\"opname\" AS \"name\", CAST(count(*) AS integer) AS \"total\", \"o\".* FROM "
        "\"kxoperator\" \"o\" GROUP BY \"o\".\"opname\" HAVING CAST(count(*) AS integer) > 1 ORDER BY 1");
}

TEST(SelectStatement, ReadsFromTheDatabaseOfAThreePartName) {
    EXPECT_EQ(OnlySql(Recognized(RecognizeSelect, "SELECT * FROM [kxAcc000001].[dbo].[kxOperator]")).database,
              "kxacc000001");
}

TEST(SelectStatement, SelectsWithoutATable) {
    EXPECT_EQ(OnlySql(Recognized(RecognizeSelect, "SELECT 1, GetDate()")).sql, "SELECT 1, LOCALTIMESTAMP");
}

class SelectRefusal : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(SelectRefusal, FailsSayingWhy) {
    const std::string failure = FailureOf(RecognizeSelect, GetParam().first);
    EXPECT_NE(failure.find(GetParam().second), std::string::npos) << failure;
}

INSTANTIATE_TEST_SUITE_P(
    Unsupported, SelectRefusal,
    ::testing::Values(std::make_pair("SELECT a INTO b FROM t", "SELECT ... INTO is supported only as"),
                      std::make_pair("SELECT * FROM a, b", "several tables"),
                      std::make_pair("SELECT * FROM a JOIN b ON a.x = b.x", "several tables"),
                      std::make_pair("SELECT * FROM a WITH (NOLOCK)", "table hints"),
                      std::make_pair("SELECT TOP 10 PERCENT * FROM a", "TOP PERCENT"),
                      std::make_pair("SELECT FROM t", "expected a value")),
    test::ReadableParamName());

TEST(InsertValuesStatement, InsertsRowsWithFoldedColumns) {
    EXPECT_EQ(
        OnlySql(Recognized(
                    RecognizeInsertValues,
                    "INSERT INTO kxBookInfo (ItemNo, [Value], Flag) VALUES (5, N'新账簿', 1), (6, NULL, 0)"))
            .sql,
        "INSERT INTO \"kxbookinfo\" (\"itemno\", \"value\", \"flag\") VALUES (5, '新账簿', '1'), (6, NULL, "
        "'0')");
    EXPECT_EQ(OnlySql(Recognized(RecognizeInsertValues, "INSERT t DEFAULT VALUES")).sql,
              "INSERT INTO \"t\" DEFAULT VALUES");
}

TEST(InsertValuesStatement, FailsWhenValuesAndColumnsDisagree) {
    EXPECT_NE(FailureOf(RecognizeInsertValues, "INSERT INTO t (a, b) VALUES (1)").find("names 2 columns"),
              std::string::npos);
    EXPECT_NE(FailureOf(RecognizeInsertValues, "INSERT INTO t (a) SELECT a FROM u").find("INSERT ... SELECT"),
              std::string::npos);
}

TEST(UpdateStatement, SetsFoldedColumns) {
    EXPECT_EQ(
        OnlySql(Recognized(RecognizeUpdate, "UPDATE kxBookInfo SET [Value] = 'x', Flag = 1 WHERE ItemNo = 5"))
            .sql,
        "UPDATE \"kxbookinfo\" SET \"value\" = 'x', \"flag\" = '1' WHERE \"itemno\" = 5");
}

TEST(UpdateStatement, FailsForAJoin) {
    EXPECT_NE(FailureOf(RecognizeUpdate, "UPDATE t SET a = u.a FROM u").find("a join"), std::string::npos);
}

} // namespace
} // namespace kx::ado::tsql
