#include "newbook/SqlLocation.h"

#include "catalogue/BookLocation.h"

#include <cctype>

namespace kx::newbook {

std::string SqlLocationPart(std::string_view location, short index) {
    const auto parsed = catalogue::BookLocation::FromSqlLocation(location);
    switch (index) {
    case kSqlServer:
        return std::string(parsed.Server().value_or(""));
    case kSqlUser:
        return std::string(parsed.UserId().value_or(""));
    case kSqlPassword:
        return std::string(parsed.Password().value_or(""));
    case kSqlDatabase:
        return parsed.Database();
    default:
        return {};
    }
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
