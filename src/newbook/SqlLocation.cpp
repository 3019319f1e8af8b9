#include "newbook/SqlLocation.h"

#include <cctype>

namespace kx::newbook {

namespace {

constexpr auto npos = std::string_view::npos;

// The text between two positions, "" when either is missing or they are reversed.
std::string Between(std::string_view text, std::size_t open, std::size_t close) {
    if (open == npos || close == npos || close < open)
        return {};
    return std::string(text.substr(open + 1, close - open - 1));
}

} // namespace

std::string SqlLocationPart(std::string_view location, short index) {
    const auto colon = location.find(':');
    const auto at = location.find('@');
    const auto bar = location.find('|');
    switch (index) {
    case kSqlServer:
        return Between(location, at, bar);
    case kSqlUser:
        return colon == npos ? std::string() : std::string(location.substr(0, colon));
    case kSqlPassword:
        return Between(location, colon, at);
    case kSqlDatabase:
        return bar == npos ? std::string() : std::string(location.substr(bar + 1));
    default:
        return {};
    }
}

bool IsSqlLocation(std::string_view location) noexcept {
    return location.find('@') != npos;
}

bool IsArchiveLocation(std::string_view location) noexcept {
    if (location.size() < 4)
        return false;
    const std::string_view tail = location.substr(location.size() - 4);
    return tail[0] == '.' && std::toupper(static_cast<unsigned char>(tail[1])) == 'W' &&
           std::toupper(static_cast<unsigned char>(tail[2])) == 'A' &&
           std::toupper(static_cast<unsigned char>(tail[3])) == 'K';
}

} // namespace kx::newbook
