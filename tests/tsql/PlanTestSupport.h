#pragma once

#include "ado/tsql/TokenCursor.h"
#include "ado/tsql/TranslationError.h"
#include "ado/tsql/TranslationPlan.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::ado::tsql::testing {

using Recognizer = std::optional<TranslationPlan> (*)(TokenCursor&);

/// The plan of `sql` by one recognizer, which must take the whole statement.
inline TranslationPlan Recognized(Recognizer recognize, std::string_view sql) {
    TokenCursor cursor(sql);
    std::optional<TranslationPlan> plan = recognize(cursor);
    if (!plan) {
        ADD_FAILURE() << "not recognized: " << sql;
        return {};
    }
    EXPECT_TRUE(cursor.AtStatementEnd()) << "the recognizer stopped early in: " << sql;
    return *plan;
}

/// True when the recognizer leaves `sql` alone: no plan, cursor not moved.
inline bool LeftAlone(Recognizer recognize, std::string_view sql) {
    TokenCursor cursor(sql);
    return !recognize(cursor) && cursor.Position() == 0;
}

/// The TranslationError message of the recognizer on `sql`, or "" when it did not fail.
inline std::string FailureOf(Recognizer recognize, std::string_view sql) {
    try {
        TokenCursor cursor(sql);
        recognize(cursor);
    } catch (const TranslationError& error) {
        return error.what();
    }
    return {};
}

/// The one RunSql step of a plan.
inline RunSql OnlySql(const TranslationPlan& plan) {
    if (plan.steps.size() != 1 || !std::holds_alternative<RunSql>(plan.steps[0])) {
        ADD_FAILURE() << "expected one RunSql step, got " << plan.steps.size() << " steps";
        return {};
    }
    return std::get<RunSql>(plan.steps[0]);
}

} // namespace kx::ado::tsql::testing
