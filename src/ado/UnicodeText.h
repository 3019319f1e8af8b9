#pragma once

#include "platform/CaseFolding.h"

#include <cstddef>
#include <string>
#include <string_view>

/// Text helpers of the data layer: letter case without regard to the locale (the
/// system's one mapping, platform/CaseFolding.h), and slicing UTF-8 text by
/// characters (code points). An invalid byte counts as one character.
namespace kx::ado::text {

using platform::CompareIgnoringCase;
using platform::EqualsIgnoringCase;
using platform::ToLower;
using platform::ToLowerChar;
using platform::ToUpper;
using platform::ToUpperChar;

/// The byte offset reached from `byteOffset` after `count` characters (or the
/// end of the text).
std::size_t AdvanceChars(std::string_view utf8, std::size_t byteOffset, std::size_t count) noexcept;

/// Number of characters of the text (an invalid byte counts as one).
std::size_t CharCount(std::string_view utf8) noexcept;

/// `count` characters starting at character `first` (0-based); fewer at the end.
std::string_view SliceChars(std::string_view utf8, std::size_t first, std::size_t count) noexcept;

} // namespace kx::ado::text
