#include "component/Guid.h"

#include <array>
#include <cstddef>

namespace kx::component {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

void AppendHex(std::string& out, std::uint64_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out.push_back(kHexDigits[(value >> shift) & 0xFu]);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string FormatGuid(const Guid& guid) {
    std::string out;
    out.reserve(38);
    out.push_back('{');
    AppendHex(out, guid.data1, 8);
    out.push_back('-');
    AppendHex(out, guid.data2, 4);
    out.push_back('-');
    AppendHex(out, guid.data3, 4);
    out.push_back('-');
    AppendHex(out, guid.data4[0], 2);
    AppendHex(out, guid.data4[1], 2);
    out.push_back('-');
    for (std::size_t i = 2; i < 8; ++i)
        AppendHex(out, guid.data4[i], 2);
    out.push_back('}');
    return out;
}

std::optional<Guid> ParseGuid(std::string_view text) {
    if (text.size() == 38 && text.front() == '{' && text.back() == '}')
        text = text.substr(1, 36);
    if (text.size() != 36)
        return std::nullopt;

    // 32 hex digits in groups of 8-4-4-4-12.
    std::array<std::uint8_t, 16> bytes{};
    std::size_t nibble = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool dashPlace = i == 8 || i == 13 || i == 18 || i == 23;
        if (dashPlace) {
            if (text[i] != '-')
                return std::nullopt;
            continue;
        }
        const int value = HexValue(text[i]);
        if (value < 0)
            return std::nullopt;
        bytes[nibble / 2] = static_cast<std::uint8_t>(bytes[nibble / 2] << 4 | value);
        ++nibble;
    }

    Guid guid{};
    guid.data1 = static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
                 static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
    guid.data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
    guid.data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
    for (std::size_t i = 0; i < 8; ++i)
        guid.data4[i] = bytes[8 + i];
    return guid;
}

} // namespace kx::component
