#include "PlanText.h"

#include <gtest/gtest.h>

#include <string>

namespace kx::ado::tsql {
namespace {

using namespace kx::ado::tsql::testing;

TEST(TranslateTsql, JoinsTheStepsOfSeveralStatementsInOrder) {
    ExpectPlans({
        {"Create Database kxAcc000001; Use kxAcc000001\nSELECT * FROM kxOperator;;",
         "create kxacc000001: CREATE DATABASE \"kxacc000001\" TEMPLATE template0 ENCODING 'UTF8' LOCALE 'C' "
         "LOCALE_PROVIDER icu ICU_LOCALE 'zh' + <collation> ; use kxacc000001 ; SELECT * FROM \"kxoperator\" "
         "-> rows"},
        {"Delete From a Where x = 1 Delete From b", "DELETE FROM \"a\" WHERE \"x\" = '1' ; DELETE FROM \"b\""},
        // The shrink batch of the book routines is one VACUUM.
        {"DUMP TRANSACTION [kxAcc000001] WITH NO_LOG BACKUP LOG [kxAcc000001] WITH NO_LOG DBCC "
         "SHRINKDATABASE([kxAcc000001])",
         "shrink kxacc000001: VACUUM"},
    });
    EXPECT_TRUE(TranslateTsql("Use a SELECT 1 Delete From b").ReturnsRows());
    EXPECT_FALSE(TranslateTsql("Use a Delete From b").ReturnsRows());
}

TEST(TranslateTsql, FailsNamingTheStatementAndWhatIsWrongWithIt) {
    ExpectFailures({
        {"EXEC sp_who", "this kind of statement is not supported"},
        {"TRUNCATE TABLE kxLog", "this kind of statement is not supported"},
        {"ALTER TABLE t ADD c int", "this kind of statement is not supported"},
        {"SET NOCOUNT ON", "this kind of statement is not supported"},
        {"DBCC CHECKDB([x])", "this kind of statement is not supported"},
        {"BACKUP DATABASE [x] TO DISK = 'f'", "this kind of statement is not supported"},
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
