#pragma once

#include "ado/tsql/TsqlToken.h"

#include <string_view>
#include <vector>

namespace kx::ado::tsql {

/// Splits T-SQL text into tokens. Whitespace and comments (-- to the line end,
/// /* */ nested as T-SQL nests them) are dropped. Throws TranslationError naming
/// the statement for invalid UTF-8, an unterminated string, name or comment, and a
/// character that has no place in T-SQL.
std::vector<TsqlToken> TokenizeTsql(std::string_view sql);

} // namespace kx::ado::tsql
