#pragma once

#include <string>
#include <string_view>

namespace kx::database {

/// `name` as one bracketed T-SQL name: "[" + the name with every "]" doubled + "]".
/// Whatever the name holds (";", "--", "/*", quotes, "]") stays part of the name:
/// a statement built with it is still one statement. Every database, table and
/// column name that this system puts into T-SQL goes through here.
std::string BracketedName(std::string_view name);

} // namespace kx::database
