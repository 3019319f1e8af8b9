#include "PlanTestSupport.h"

#include "ado/pg/PgStatements.h"
#include "ado/tsql/TsqlRecognizers.h"

#include <gtest/gtest.h>

namespace kx::ado::tsql {
namespace {

using namespace kx::ado::tsql::testing;

TEST(CreateDatabaseStatement, CreatesTheFoldedDatabaseAndItsCollation) {
    const TranslationPlan plan = Recognized(RecognizeCreateDatabase, "Create Database kxAcc000001");
    ASSERT_EQ(plan.steps.size(), 1u);
    const auto& create = std::get<CreateDatabase>(plan.steps[0]);
    EXPECT_EQ(create.database, "kxacc000001");
    EXPECT_EQ(create.createSql,
              "CREATE DATABASE \"kxacc000001\" TEMPLATE template0 ENCODING 'UTF8' LOCALE 'C' "
              "LOCALE_PROVIDER icu ICU_LOCALE 'zh'");
    EXPECT_EQ(create.setupSql, pg::CollationSetupSql());
    EXPECT_EQ(create.setupSql, "CREATE COLLATION IF NOT EXISTS \"kx_zh_ci\" (provider = icu, locale = "
                               "'zh-u-ks-level2', deterministic = false)");
}

TEST(CreateDatabaseStatement, QuotesABracketedNameWhateverItHolds) {
    const TranslationPlan plan = Recognized(RecognizeCreateDatabase, "CREATE DATABASE [New\"Book]");
    EXPECT_EQ(std::get<CreateDatabase>(plan.steps[0]).createSql.substr(0, 27),
              "CREATE DATABASE \"new\"\"book\"");
}

TEST(CreateDatabaseStatement, LeavesOtherCreateStatementsAlone) {
    EXPECT_TRUE(LeftAlone(RecognizeCreateDatabase, "Create Table t (a int)"));
}

TEST(CreateDatabaseStatement, FailsWithoutAName) {
    EXPECT_NE(FailureOf(RecognizeCreateDatabase, "Create Database").find("expected a database name"),
              std::string::npos);
}

TEST(UseStatement, SwitchesToTheFoldedDatabase) {
    const TranslationPlan plan = Recognized(RecognizeUse, "Use [KXACC000001]");
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(std::get<SwitchDatabase>(plan.steps[0]).database, "kxacc000001");
}

TEST(UseStatement, TakesMasterAsTheServersOwnDatabase) {
    EXPECT_EQ(std::get<SwitchDatabase>(Recognized(RecognizeUse, "Use master").steps.at(0)).database,
              "postgres");
}

TEST(UseStatement, FailsOnAReservedWordAsName) {
    EXPECT_NE(FailureOf(RecognizeUse, "Use select").find("expected a database name"), std::string::npos);
}

TEST(DumpTransactionStatement, RunsNothing) {
    EXPECT_TRUE(
        Recognized(RecognizeDumpTransaction, "DUMP TRANSACTION [kxAcc000001] WITH NO_LOG").steps.empty());
    EXPECT_TRUE(Recognized(RecognizeDumpTransaction, "dump transaction kxAcc000001 with truncate_only")
                    .steps.empty());
}

TEST(DumpTransactionStatement, FailsForARealDump) {
    EXPECT_NE(FailureOf(RecognizeDumpTransaction, "DUMP TRANSACTION [x] TO DISK = 'f'").find("expected WITH"),
              std::string::npos);
}

TEST(BackupLogStatement, RunsNothingForALogTruncation) {
    EXPECT_TRUE(Recognized(RecognizeBackupLog, "BACKUP LOG [kxAcc000001] WITH NO_LOG").steps.empty());
}

TEST(BackupLogStatement, FailsForABackupToAFile) {
    EXPECT_NE(FailureOf(RecognizeBackupLog, "BACKUP LOG [x] WITH COMPRESSION").find("NO_LOG"),
              std::string::npos);
    EXPECT_TRUE(LeftAlone(RecognizeBackupLog, "BACKUP DATABASE [x] TO DISK = 'f'"));
}

TEST(ShrinkDatabaseStatement, VacuumsTheNamedDatabase) {
    for (const char* sql : {"DBCC SHRINKDATABASE([kxAcc000001])", "DBCC SHRINKDATABASE(kxAcc000001, 10)",
                            "DBCC SHRINKDATABASE(N'kxAcc000001') WITH NO_INFOMSGS"}) {
        const TranslationPlan plan = Recognized(RecognizeShrinkDatabase, sql);
        ASSERT_EQ(plan.steps.size(), 1u) << sql;
        const auto& shrink = std::get<ShrinkDatabase>(plan.steps[0]);
        EXPECT_EQ(shrink.database, "kxacc000001") << sql;
        EXPECT_EQ(shrink.vacuumSql, "VACUUM") << sql;
    }
}

TEST(ShrinkDatabaseStatement, LeavesOtherDbccCommandsAlone) {
    EXPECT_TRUE(LeftAlone(RecognizeShrinkDatabase, "DBCC CHECKDB([x])"));
}

} // namespace
} // namespace kx::ado::tsql
