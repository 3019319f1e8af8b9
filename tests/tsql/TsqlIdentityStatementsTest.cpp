#include "PlanTestSupport.h"

#include "ado/pg/PgStatements.h"
#include "ado/tsql/TsqlRecognizers.h"

#include <gtest/gtest.h>

namespace kx::ado::tsql {
namespace {

using namespace kx::ado::tsql::testing;

TEST(SetIdentityInsertStatement, OnOnlyRecordsTheState) {
    const TranslationPlan plan = Recognized(RecognizeSetIdentityInsert, "SET IDENTITY_INSERT dbo.T1 ON ");
    ASSERT_EQ(plan.steps.size(), 1u);
    const auto& set = std::get<SetIdentityInsert>(plan.steps[0]);
    EXPECT_EQ(set.table, "t1");
    EXPECT_EQ(set.database, "");
    EXPECT_TRUE(set.on);
}

TEST(SetIdentityInsertStatement, OffMovesTheIdentityPastTheStoredValues) {
    const TranslationPlan plan = Recognized(RecognizeSetIdentityInsert, "SET IDENTITY_INSERT dbo.T1 OFF ");
    ASSERT_EQ(plan.steps.size(), 2u);
    EXPECT_FALSE(std::get<SetIdentityInsert>(plan.steps[0]).on);
    const auto& sync = std::get<SyncIdentity>(plan.steps[1]);
    EXPECT_EQ(sync.table, "t1");
    EXPECT_EQ(sync.database, "");
}

TEST(SetIdentityInsertStatement, FailsWithoutOnOrOff) {
    EXPECT_NE(
        FailureOf(RecognizeSetIdentityInsert, "SET IDENTITY_INSERT t1 MAYBE").find("expected ON or OFF"),
        std::string::npos);
}

TEST(SetIdentityInsertStatement, LeavesOtherSetStatementsAlone) {
    EXPECT_TRUE(LeftAlone(RecognizeSetIdentityInsert, "SET NOCOUNT ON"));
}

TEST(IdentitySyncSql, NamesTheTableAsAQuotedLiteralInsideTheBlock) {
    const std::string sql = pg::IdentitySyncSql("it's");
    EXPECT_EQ(sql.rfind("DO $kx$", 0), 0u) << sql;
    EXPECT_NE(sql.find("to_regclass('\"it''s\"')"), std::string::npos) << sql;
    EXPECT_EQ(sql.substr(sql.size() - 4), "$kx$");
}

TEST(IdentitySyncSql, PicksADollarTagTheNameCannotClose) {
    const std::string sql = pg::IdentitySyncSql("a$kx$b");
    EXPECT_EQ(sql.rfind("DO $kx1$", 0), 0u) << sql;
}

TEST(IdentityAdvanceSql, TakesTheGivenTopValueInsteadOfReadingTheTable) {
    const std::string sql = pg::IdentityAdvanceSql("t1", -9223372036854775807LL - 1);
    EXPECT_NE(sql.find("top_value := -9223372036854775808;"), std::string::npos) << sql;
    EXPECT_EQ(sql.find("max("), std::string::npos) << sql;
    EXPECT_NE(sql.find("to_regclass('\"t1\"')"), std::string::npos) << sql;
}

TEST(TableHasIdentityStatement, AsksTheCatalogForAnIdentityColumn) {
    const RunSql run = OnlySql(
        Recognized(RecognizeTableHasIdentity, "Select OBJECTPROPERTY(OBJECT_ID('T1'),'TableHasIdentity')"));
    EXPECT_TRUE(run.returnsRows);
    EXPECT_EQ(run.sql,
              "SELECT (SELECT CASE WHEN EXISTS (SELECT 1 FROM pg_attribute a WHERE a.attrelid = c.oid AND "
              "a.attidentity <> '' AND NOT a.attisdropped) THEN 1 ELSE 0 END FROM pg_class c WHERE c.oid = "
              "to_regclass('\"t1\"') AND c.relkind IN ('r', 'p'))");
}

TEST(TableHasIdentityStatement, ReadsTheNameInsideTheStringAsATsqlName) {
    for (const char* sql : {"Select OBJECTPROPERTY(OBJECT_ID('dbo.[T1]'),'TableHasIdentity')",
                            "select objectproperty ( object_id ( N'[t1]' ) , 'tablehasidentity' )"}) {
        EXPECT_NE(OnlySql(Recognized(RecognizeTableHasIdentity, sql)).sql.find("to_regclass('\"t1\"')"),
                  std::string::npos)
            << sql;
    }
    const RunSql quoted = OnlySql(Recognized(
        RecognizeTableHasIdentity, "Select OBJECTPROPERTY(OBJECT_ID('[x''y]'),'TableHasIdentity')"));
    EXPECT_NE(quoted.sql.find("to_regclass('\"x''y\"')"), std::string::npos) << quoted.sql;
}

TEST(TableHasIdentityStatement, AnswersNullForTextThatNamesNoTable) {
    const RunSql run = OnlySql(Recognized(RecognizeTableHasIdentity,
                                          "Select OBJECTPROPERTY(OBJECT_ID('a b c'),'TableHasIdentity')"));
    EXPECT_EQ(run.sql, "SELECT CAST(NULL AS integer)");
}

TEST(TableHasIdentityStatement, FailsForOtherProperties) {
    EXPECT_NE(FailureOf(RecognizeTableHasIdentity, "Select OBJECTPROPERTY(OBJECT_ID('t'),'IsTable')")
                  .find("object property IsTable is not supported"),
              std::string::npos);
}

TEST(TableHasIdentityStatement, LeavesOtherSelectsAlone) {
    EXPECT_TRUE(LeftAlone(RecognizeTableHasIdentity, "Select * From t"));
}

} // namespace
} // namespace kx::ado::tsql
