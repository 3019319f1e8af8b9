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

/// A byte that does not start a well-formed UTF-8 sequence reads as this value plus
/// the byte: above every code point, so such bytes keep a stable order after all
/// characters and are written back unchanged.
inline constexpr char32_t kStrayUtf8Byte = 0x110000;

/// One character of a UTF-8 text: its code point (or kStrayUtf8Byte + byte) and
/// its length in bytes (1 for a stray byte).
struct Utf8Char {
    char32_t c;
    std::size_t length;
};

/// The character that starts at byte `offset` (< text.size()).
Utf8Char ReadUtf8Char(std::string_view text, std::size_t offset) noexcept;

/// Appends the UTF-8 form of `c` (a code point, or kStrayUtf8Byte + byte for the
/// byte itself).
void AppendUtf8Char(char32_t c, std::string& out);

} // namespace kx::platform
