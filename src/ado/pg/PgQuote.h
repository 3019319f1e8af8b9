#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kx::ado::pg {

/// Longest identifier PostgreSQL keeps, in bytes. The server would cut a longer
/// one silently, so that two long names could meet; QuoteIdent refuses them.
inline constexpr std::size_t kMaxIdentifierBytes = 63;

/// `name` as a PostgreSQL quoted identifier: always in double quotes, embedded
/// double quotes doubled, letter case kept exactly. Throws std::invalid_argument for
/// an empty name, a name with a NUL character or invalid UTF-8, and a name longer
/// than kMaxIdentifierBytes.
std::string QuoteIdent(std::string_view name);

/// `text` as a PostgreSQL string literal that means the same text whatever the
/// server's standard_conforming_strings setting: single quotes are doubled, and a
/// text with a backslash is written as an E'' literal with doubled backslashes.
/// Throws std::invalid_argument for a NUL character or invalid UTF-8, which no
/// PostgreSQL text can hold.
std::string QuoteLiteral(std::string_view text);

/// The lower-case form of a T-SQL name. T-SQL names are case-insensitive while
/// quoted PostgreSQL names are not, so every table, column, database and alias
/// name that reaches PostgreSQL is folded with this one function: "kxOperator",
/// "KXOPERATOR" and "[kxoperator]" all become "kxoperator". Folding follows the
/// Unicode lower-case mapping, so letters outside ASCII fold too; Chinese names
/// are kept as they are. Throws std::invalid_argument for invalid UTF-8.
std::string FoldName(std::string_view name);

/// The PostgreSQL database for a T-SQL database name (a connection's Initial
/// Catalog, "Use", a three-part name): the name folded with FoldName, except that
/// "master", the server's own database in T-SQL, and the empty name stand for
/// "postgres". Throws std::invalid_argument for invalid UTF-8.
std::string FoldDatabaseName(std::string_view name);

} // namespace kx::ado::pg
