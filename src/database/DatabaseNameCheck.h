#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kx::database {

/// The most characters a database name may have.
inline constexpr std::size_t kMaxDatabaseNameLength = 128;

/// Why `name` (UTF-8) cannot be a database name, as a sentence to show the user;
/// "" when it can. A database name is not empty nor only blanks, has at most
/// kMaxDatabaseNameLength characters, and holds no control characters (C0, DEL,
/// C1) nor bytes that are not text. Anything else is allowed, ";", "]", quotes and
/// comment marks included: a name is always written bracketed (BracketedName), so
/// it cannot end the statement it stands in. The server may still refuse a name it
/// cannot hold; it says so itself.
std::string DatabaseNameProblem(std::string_view name);

/// Why the table `name` (UTF-8) of a book file cannot be written unbracketed into a
/// server statement, as a sentence to show the user; "" when it can. Such a name
/// is a plain identifier: a letter, "_", "@" or "#" first, then letters, digits and
/// "_@#$", any character beyond ASCII counting as a letter. Anything else could
/// end the name early and let the rest of it be read as statements.
std::string PlainTableNameProblem(std::string_view name);

} // namespace kx::database
