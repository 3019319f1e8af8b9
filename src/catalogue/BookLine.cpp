#include "BookLine.h"

#include <algorithm>

namespace kx::catalogue {

std::optional<std::string_view> PieceOf(std::string_view line, int index) noexcept {
    if (index < 0)
        return std::nullopt;
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        const auto tab = line.find('\t', start);
        if (tab == std::string_view::npos)
            return std::nullopt;
        start = tab + 1;
    }
    const auto end = line.find('\t', start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

std::string JoinFields(const std::vector<std::string>& pieces) {
    std::string line;
    const std::size_t kept = std::min<std::size_t>(pieces.size(), kBookFieldCount);
    for (std::size_t i = 0; i < kept; ++i) {
        line += pieces[i];
        if (i + 1 != pieces.size())
            line += '\t';
    }
    return line;
}

} // namespace kx::catalogue
