#pragma once

#include "ado/pg/PgStatements.h"
#include "ado/tsql/TranslationError.h"
#include "ado/tsql/TsqlTranslator.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <type_traits>

namespace kx::ado::tsql::testing {

/// A plan as one line, steps joined by " ; ", so a table can name the whole plan a
/// statement gives. A database other than the current one shows as "@db ".
inline std::string PlanText(const TranslationPlan& plan) {
    const auto at = [](const std::string& database) { return database.empty() ? "" : "@" + database + " "; };
    const auto sql = [](std::string text) {
        for (const auto& [known, shown] : {std::pair{pg::CollationSetupSql(), "<collation>"},
                                           std::pair{pg::CopiedIdentitiesSql(), "<copied identities>"}}) {
            if (const std::size_t found = text.find(known); found != std::string::npos) {
                text.replace(found, known.size(), shown);
            }
        }
        return text;
    };
    std::string text;
    for (const PlanStep& step : plan.steps) {
        text += text.empty() ? "" : " ; ";
        text += std::visit(
            [&](const auto& s) -> std::string {
                using Step = std::decay_t<decltype(s)>;
                if constexpr (std::is_same_v<Step, RunSql>) {
                    return at(s.database) + sql(s.sql) + (s.returnsRows ? " -> rows" : "");
                } else if constexpr (std::is_same_v<Step, EmptyTable>) {
                    return at(s.database) + s.deleteSql + " | " + s.truncateSql;
                } else if constexpr (std::is_same_v<Step, SwitchDatabase>) {
                    return "use " + s.database;
                } else if constexpr (std::is_same_v<Step, CreateDatabase>) {
                    return "create " + s.database + ": " + s.createSql + " + " + sql(s.setupSql);
                } else if constexpr (std::is_same_v<Step, DropDatabase>) {
                    return "drop " + s.database + ": " + s.dropSql;
                } else if constexpr (std::is_same_v<Step, ShrinkDatabase>) {
                    return "shrink " + s.database + ": " + s.vacuumSql;
                } else if constexpr (std::is_same_v<Step, SetIdentityInsert>) {
                    return "identity insert " + at(s.database) + s.table + (s.on ? " on" : " off");
                } else if constexpr (std::is_same_v<Step, SyncIdentity>) {
                    return "sync identity " + at(s.database) + s.table;
                } else if constexpr (std::is_same_v<Step, ImportJetTable>) {
                    std::string columns;
                    for (const JetImportColumn& c : s.columns) {
                        columns +=
                            (columns.empty() ? "" : ", ") + c.sourceColumn + ">" + c.targetColumn +
                            (c.truncateToCharacters > 0 ? ":" + std::to_string(c.truncateToCharacters) : "");
                    }
                    return "import " + s.filePath + "|" + s.password + "|" + s.sourceTable + " -> " +
                           at(s.database) + s.targetTable + " (" + columns + "): " + s.copySql;
                } else {
                    return "copy " + at(s.sourceDatabase) + s.sourceTable + " -> " + at(s.targetDatabase) +
                           s.targetTable;
                }
            },
            step);
    }
    return text;
}

/// A T-SQL text and the plan text it gives, or the problem it fails with.
struct PlanCase {
    std::string tsql;
    std::string expected;
};

/// Each T-SQL text translates to the plan written beside it.
inline void ExpectPlans(std::initializer_list<PlanCase> cases) {
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(c.tsql);
        try {
            EXPECT_EQ(PlanText(TranslateTsql(c.tsql)), c.expected);
        } catch (const TranslationError& error) {
            ADD_FAILURE() << error.what();
        }
    }
}

/// Each T-SQL text fails with a TranslationError that keeps the whole text, quotes
/// it in its message when short and on one line, and names the problem written beside it.
inline void ExpectFailures(std::initializer_list<PlanCase> cases) {
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(c.tsql);
        try {
            ADD_FAILURE() << "translated to " << PlanText(TranslateTsql(c.tsql));
        } catch (const TranslationError& error) {
            EXPECT_NE(std::string(error.what()).find(c.expected), std::string::npos) << error.what();
            EXPECT_EQ(error.statement(), c.tsql);
            if (c.tsql.size() < 200 && c.tsql.find_first_of("\n\t") == std::string::npos &&
                c.tsql.find("  ") == std::string::npos) {
                EXPECT_NE(std::string(error.what()).find('"' + c.tsql + '"'), std::string::npos)
                    << error.what();
            }
        }
    }
}

} // namespace kx::ado::tsql::testing
