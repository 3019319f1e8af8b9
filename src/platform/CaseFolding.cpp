#include "CaseFolding.h"

#include "Utf8Text.h"

namespace kx::platform {
namespace {

template <typename Map> std::string MapText(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const Utf8Char ch = ReadUtf8Char(s, i);
        AppendUtf8Char(map(ch.c), out);
        i += ch.length;
    }
    return out;
}

} // namespace

char32_t ToLowerChar(char32_t c) noexcept {
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130)
            return 'i';
        if (c == 0x178)
            return 0xFF;
        if (c == 0x17F)
            return 's';
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c % 2 == 1) ? c + 1 : c;
        if (c == 0x131 || c == 0x138 || c == 0x149)
            return c;
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
        return c + 0x20;
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (c >= 0xFF21 && c <= 0xFF3A)
        return c + 0x20;
    return c;
}

char32_t ToUpperChar(char32_t c) noexcept {
    if (c < 0x80)
        return c >= 'a' && c <= 'z' ? c - 0x20 : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x131)
            return 'I';
        if (c == 0x17F)
            return 'S';
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c % 2 == 0) ? c - 1 : c;
        if (c == 0x130 || c == 0x138 || c == 0x149 || c == 0x178)
            return c;
        return (c % 2 == 1) ? c - 1 : c;
    }
    if (c == 0x3C2)
        return 0x3A3;
    if (c >= 0x3B1 && c <= 0x3C9)
        return c - 0x20;
    if (c >= 0x430 && c <= 0x44F)
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    if (c >= 0xFF41 && c <= 0xFF5A)
        return c - 0x20;
    return c;
}

std::string ToLower(std::string_view utf8) {
    return MapText(utf8, ToLowerChar);
}

std::string ToUpper(std::string_view utf8) {
    return MapText(utf8, ToUpperChar);
}

int CompareIgnoringCase(std::string_view a, std::string_view b) noexcept {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const Utf8Char da = ReadUtf8Char(a, i);
        const Utf8Char db = ReadUtf8Char(b, j);
        const char32_t ca = ToLowerChar(da.c);
        const char32_t cb = ToLowerChar(db.c);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        i += da.length;
        j += db.length;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept {
    return CompareIgnoringCase(a, b) == 0;
}

} // namespace kx::platform
