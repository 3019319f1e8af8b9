#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kx::platform {

/// Number of characters (code points) in a UTF-8 text. Character counts of the
/// book list rules are taken on code points, never on bytes.
std::size_t Utf8Length(std::string_view text) noexcept;

/// The text without leading and trailing U+0020 (tabs and line feeds stay).
std::string_view TrimSpaces(std::string_view text) noexcept;

/// Splits at every occurrence of `sep`; an empty text gives one empty piece.
std::vector<std::string> SplitText(std::string_view text, char sep);

/// Every occurrence of `from` replaced by `to` (plain, case-sensitive); an empty
/// `from` leaves the text unchanged.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

/// True when the text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text) noexcept;

} // namespace kx::platform
