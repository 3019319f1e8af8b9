#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kx::ado {

/// One "keyword=value" pair of a connection string.
struct ConnectionStringPart {
    std::string keyword;
    std::string value;
};

/// Splits a connection string ("Provider=X;Data Source=\"a;b\";Password=''") into
/// its pairs, in order. Keywords and unquoted values are trimmed of blanks; a value
/// in single or double quotes keeps everything between them, a doubled quote
/// standing for one; empty items (";;") are skipped. Throws AdoError
/// (errors::InvalidArgument) for an item without "=" or an unterminated quote.
std::vector<ConnectionStringPart> ParseConnectionString(std::string_view text);

/// The value as it must be written into a connection string: unchanged when that is
/// unambiguous, else in double quotes (single quotes when it holds double quotes
/// only), so that ParseConnectionString gives it back exactly.
std::string QuoteConnectionStringValue(std::string_view value);

} // namespace kx::ado
