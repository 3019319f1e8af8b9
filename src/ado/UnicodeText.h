#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// Text helpers of the data layer: letter case without regard to the locale, and
/// slicing UTF-8 text by characters (code points).
///
/// Case mapping covers the letters that occur in the books' names and texts: ASCII,
/// Latin-1, Latin Extended-A, Greek, Cyrillic and the full-width Latin letters of
/// Chinese input methods. Other characters (Chinese among them) have no case and
/// map to themselves. Bytes that are not valid UTF-8 are kept and compared as they
/// are, after all valid characters.
namespace kx::ado::text {

/// The lower-case form of one character.
char32_t ToLowerChar(char32_t c) noexcept;
/// The upper-case form of one character.
char32_t ToUpperChar(char32_t c) noexcept;

std::string ToLower(std::string_view utf8);
std::string ToUpper(std::string_view utf8);

/// Compares two texts character by character after lower-casing both: <0, 0, >0.
/// For texts whose only cased letters are ASCII this orders exactly like
/// SQLite's built-in NOCASE.
int CompareIgnoringCase(std::string_view a, std::string_view b) noexcept;
bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept;

/// The byte offset reached from `byteOffset` after `count` characters (or the
/// end of the text).
std::size_t AdvanceChars(std::string_view utf8, std::size_t byteOffset, std::size_t count) noexcept;

/// Number of characters of the text (an invalid byte counts as one).
std::size_t CharCount(std::string_view utf8) noexcept;

/// `count` characters starting at character `first` (0-based); fewer at the end.
std::string_view SliceChars(std::string_view utf8, std::size_t first, std::size_t count) noexcept;

} // namespace kx::ado::text
