#include "ado/tsql/TsqlTranslator.h"
#include "ado/tsql/TranslationError.h"

#include "ParamNames.h"

#include <gtest/gtest.h>

#include <string>

namespace kx::ado::tsql {
namespace {

TEST(TranslateTsql, CarriesOutTheShrinkBatchAsOneVacuum) {
    const TranslationPlan plan =
        TranslateTsql("DUMP TRANSACTION [kxAcc000001] WITH NO_LOG BACKUP LOG [kxAcc000001] "
                      "WITH NO_LOG DBCC SHRINKDATABASE([kxAcc000001])");
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(std::get<ShrinkDatabase>(plan.steps[0]).database, "kxacc000001");
}

TEST(TranslateTsql, JoinsTheStepsOfSeveralStatementsInOrder) {
    const TranslationPlan plan =
        TranslateTsql("Create Database kxAcc000001; Use kxAcc000001\nSELECT * FROM kxOperator;;");
    ASSERT_EQ(plan.steps.size(), 3u);
    EXPECT_TRUE(std::holds_alternative<CreateDatabase>(plan.steps[0]));
    EXPECT_TRUE(std::holds_alternative<SwitchDatabase>(plan.steps[1]));
    EXPECT_TRUE(std::holds_alternative<RunSql>(plan.steps[2]));
    EXPECT_TRUE(plan.ReturnsRows());
}

TEST(TranslateTsql, SplitsStatementsThatFollowEachOtherWithoutSeparator) {
    const TranslationPlan plan = TranslateTsql("Delete From a Where x = 1 Delete From b");
    ASSERT_EQ(plan.steps.size(), 2u);
    EXPECT_EQ(std::get<RunSql>(plan.steps[1]).sql, "DELETE FROM \"b\"");
}

TEST(TranslateTsql, SendsEachShapeToItsRecognizer) {
    EXPECT_TRUE(std::holds_alternative<CopyTableBetweenDatabases>(
        TranslateTsql("SELECT * INTO [b]..[t] FROM [a]..[t]").steps.at(0)));
    EXPECT_TRUE(std::get<RunSql>(
                    TranslateTsql("Select OBJECTPROPERTY(OBJECT_ID('T1'),'TableHasIdentity')").steps.at(0))
                    .sql.find("pg_attribute") != std::string::npos);
    EXPECT_TRUE(std::holds_alternative<SetIdentityInsert>(
        TranslateTsql("SET IDENTITY_INSERT dbo.T1 ON ").steps.at(0)));
    EXPECT_TRUE(std::holds_alternative<ImportJetTable>(
        TranslateTsql(
            "INSERT INTO T1 ([ID]) SELECT [ID] FROM OPENDATASOURCE ('Microsoft.Jet.OLEDB.4.0','Data "
            "Source=\"a.mdb\"')...[T1] Rowset_7")
            .steps.at(0)));
    EXPECT_EQ(std::get<RunSql>(TranslateTsql("INSERT INTO t (a) VALUES (2)").steps.at(0)).sql,
              "INSERT INTO \"t\" (\"a\") VALUES (2)");
}

class UnsupportedStatement : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(UnsupportedStatement, FailsNamingTheStatement) {
    const auto& [sql, problem] = GetParam();
    try {
        TranslateTsql(sql);
        FAIL() << "translated: " << sql;
    } catch (const TranslationError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(problem), std::string::npos) << message;
        EXPECT_NE(message.find(std::string("\"") + sql + "\""), std::string::npos) << message;
        EXPECT_EQ(error.statement(), sql);
    }
}

INSTANTIATE_TEST_SUITE_P(
    OutsideTheShapes, UnsupportedStatement,
    ::testing::Values(std::make_pair("EXEC sp_who", "this kind of statement is not supported"),
                      std::make_pair("TRUNCATE TABLE kxLog", "this kind of statement is not supported"),
                      std::make_pair("ALTER TABLE t ADD c int", "this kind of statement is not supported"),
                      std::make_pair("SET NOCOUNT ON", "this kind of statement is not supported"),
                      std::make_pair("DBCC CHECKDB", "this kind of statement is not supported"),
                      std::make_pair("INSERT INTO t (a) SELECT a FROM u", "INSERT ... SELECT"),
                      std::make_pair("SELECT * FROM t garbage more", "unexpected text after the statement"),
                      std::make_pair("Use kxAcc 1", "unexpected text after the statement"),
                      std::make_pair("", "there is no statement"),
                      std::make_pair(" ; ;", "there is no statement"),
                      std::make_pair("SELECT * FROM [kxAcc000001].[other].[t]", "schema \"other\""),
                      std::make_pair("SELECT * FROM a.b.c.d", "more than three parts")),
    test::ReadableParamName());

TEST(TranslateTsql, NamesANameThatPostgresqlWouldCut) {
    const std::string sql = "SELECT * FROM [" + std::string(64, 'a') + "]";
    try {
        TranslateTsql(sql);
        FAIL() << "translated";
    } catch (const TranslationError& error) {
        EXPECT_NE(std::string(error.what()).find("longer than 63 bytes"), std::string::npos) << error.what();
    }
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
