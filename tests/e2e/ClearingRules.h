#pragma once

#include "e2e/WizardHost.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace kx::e2e {

/// What creating a new book does with the rows of one template table.
enum class Clearing {
    /// Emptied whatever the retain boxes say (the template's business).
    Emptied,
    /// Emptied when its retain box is not set.
    EmptiedUnlessRetained,
    /// Emptied when its box IS set (staff and wages, box 7).
    EmptiedWhenBoxSet,
};

struct ClearingRule {
    std::string_view table;
    Clearing clearing;
    int box = -1;
};

/// Every table the clearing touches; kxStatement loses only its own report rows
/// (AssistCode longer than four characters) when box 5 is not set, and all other
/// tables are kept whole.
inline constexpr std::array<ClearingRule, 23> kClearingRules{{
    {"kxDocDir", Clearing::Emptied},
    {"kxDocRecs", Clearing::Emptied},
    {"kxAccPeriod", Clearing::Emptied},
    {"kxBranchInit", Clearing::Emptied},
    {"kxItemInit", Clearing::Emptied},
    {"kxFlowInit", Clearing::Emptied},
    {"kxJournal", Clearing::Emptied},
    {"kxJournalRecs", Clearing::Emptied},
    {"kxLog", Clearing::Emptied},
    {"kxAccData", Clearing::Emptied},
    {"kxAssistItem", Clearing::EmptiedUnlessRetained, 0},
    {"kxAccClass", Clearing::EmptiedUnlessRetained, 1},
    {"kxAccInitial", Clearing::EmptiedUnlessRetained, 1},
    {"kxFrmFormat", Clearing::EmptiedUnlessRetained, 1},
    {"kxAccFormat", Clearing::EmptiedUnlessRetained, 1},
    {"kxBranch", Clearing::EmptiedUnlessRetained, 2},
    {"kxCashFlow", Clearing::EmptiedUnlessRetained, 3},
    {"kxExplain", Clearing::EmptiedUnlessRetained, 4},
    {"kxTrans", Clearing::EmptiedUnlessRetained, 6},
    {"kxTransSetting", Clearing::EmptiedUnlessRetained, 6},
    {"kxWages", Clearing::EmptiedWhenBoxSet, 7},
    {"kxWagesRecs", Clearing::EmptiedWhenBoxSet, 7},
    {"kxStaff", Clearing::EmptiedWhenBoxSet, 7},
}};

/// Table names compare without letter case: a server book folds them. The names
/// are ASCII.
inline bool SameTableName(std::string_view a, std::string_view b) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return fold(x) == fold(y); });
}

/// Whether a new book made with the retain `boxes` is to keep every row of `table`.
inline bool KeepsAllRows(std::string_view table, const RetainBoxes& boxes) {
    for (const ClearingRule& rule : kClearingRules) {
        if (!SameTableName(rule.table, table))
            continue;
        switch (rule.clearing) {
        case Clearing::Emptied:
            return false;
        case Clearing::EmptiedUnlessRetained:
            return boxes[static_cast<std::size_t>(rule.box)];
        case Clearing::EmptiedWhenBoxSet:
            return !boxes[static_cast<std::size_t>(rule.box)];
        }
    }
    return true;
}

} // namespace kx::e2e
