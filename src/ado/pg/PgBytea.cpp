#include "ado/pg/PgBytea.h"

#include <stdexcept>

namespace kx::ado::pg {

int HexDigitValue(char c) noexcept {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string EncodeByteaHex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 + bytes.size() * 2);
    text += "\\x";
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0f];
    }
    return text;
}

std::string DecodeByteaHex(std::string_view text) {
    if (text.size() < 2 || text[0] != '\\' || text[1] != 'x') {
        throw std::invalid_argument("bytea text does not start with \\x");
    }
    text.remove_prefix(2);
    if (text.size() % 2 != 0) {
        throw std::invalid_argument("bytea text has an odd number of hex digits");
    }
    std::string bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigitValue(text[i]);
        const int low = HexDigitValue(text[i + 1]);
        if (high < 0 || low < 0) {
            throw std::invalid_argument("bytea text has a character that is not a hex digit");
        }
        bytes += static_cast<char>((high << 4) | low);
    }
    return bytes;
}

} // namespace kx::ado::pg
