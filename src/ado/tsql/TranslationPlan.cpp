#include "ado/tsql/TranslationPlan.h"

#include <algorithm>
#include <iterator>

namespace kx::ado::tsql {

bool TranslationPlan::ReturnsRows() const noexcept {
    return std::any_of(steps.begin(), steps.end(), [](const PlanStep& step) {
        const auto* run = std::get_if<RunSql>(&step);
        return run != nullptr && run->returnsRows;
    });
}

void TranslationPlan::Append(TranslationPlan&& other) {
    steps.insert(steps.end(), std::make_move_iterator(other.steps.begin()),
                 std::make_move_iterator(other.steps.end()));
    other.steps.clear();
}

} // namespace kx::ado::tsql
