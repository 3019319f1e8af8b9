#pragma once

#include <string>
#include <string_view>

/// Letter case without regard to the locale: the one case mapping of the system,
/// for file names, column and table names, identifiers and the book's texts alike.
///
/// Each character maps to one character (simple case mappings), so a text keeps
/// its length in characters. The mapping covers the letters that occur in books'
/// names and texts: ASCII, Latin-1, Latin Extended-A, the Greek capitals Α–Ω, the
/// Cyrillic capitals Ѐ–Я and the full-width Latin letters of Chinese input methods.
/// On these, ToLower gives what QString::toLower gives, except for U+0130 (İ to a
/// plain "i", where Qt adds a combining dot) and U+017F (long s to "s", which Qt
/// keeps). Other characters (Chinese among them) have no case here and map
/// to themselves. Bytes that are not valid UTF-8 are kept and compared as they
/// are, after all valid characters.
namespace kx::platform {

/// The lower-case form of one character.
char32_t ToLowerChar(char32_t c) noexcept;
/// The upper-case form of one character.
char32_t ToUpperChar(char32_t c) noexcept;

/// The UTF-8 text with every character lower-cased.
std::string ToLower(std::string_view utf8);
/// The UTF-8 text with every character upper-cased.
std::string ToUpper(std::string_view utf8);

/// Compares two texts character by character after lower-casing both: <0, 0, >0.
/// For texts whose only cased letters are ASCII this orders exactly like
/// SQLite's built-in NOCASE.
int CompareIgnoringCase(std::string_view a, std::string_view b) noexcept;
bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept;

} // namespace kx::platform
