#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kx::ado::tsql {

/// A T-SQL statement that cannot be carried out on PostgreSQL: outside the
/// statement shapes the translator knows, or malformed. `what()` names the
/// statement (cut to a readable length) and says what is wrong.
class TranslationError : public std::runtime_error {
  public:
    TranslationError(std::string_view statement, std::string_view detail);

    const std::string& statement() const noexcept { return statement_; }
    const std::string& detail() const noexcept { return detail_; }

  private:
    std::string statement_;
    std::string detail_;
};

} // namespace kx::ado::tsql
