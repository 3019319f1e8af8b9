#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::catalogue {

/// The number of fields of a book list entry.
inline constexpr int kBookFieldCount = 8;

/// Piece `index` (from 0) of a tab-separated entry line; nullopt when the line has
/// no such piece or `index` is negative. No quoting: a piece never holds a tab.
std::optional<std::string_view> PieceOf(std::string_view line, int index) noexcept;

/// Rebuilds an entry line from its pieces: a tab between neighbouring pieces and
/// none after the last. Only the first eight pieces are kept; when more followed,
/// the eighth keeps the tab that stood after it. A line split and joined back
/// unchanged keeps its text as long as it has at most eight pieces.
std::string JoinFields(const std::vector<std::string>& pieces);

} // namespace kx::catalogue
