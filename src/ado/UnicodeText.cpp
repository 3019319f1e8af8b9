#include "UnicodeText.h"

namespace kx::ado::text {
namespace {

// Invalid bytes decode to values above every real character, so that they keep
// a stable order and are written back unchanged.
constexpr char32_t kInvalidBase = 0x110000;

struct Decoded {
    char32_t c;
    std::size_t length;
};

Decoded Decode(std::string_view s, std::size_t i) noexcept {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80)
        return {b0, 1};
    std::size_t length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        c = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        c = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        c = b0 & 0x07;
        minimum = 0x10000;
    } else {
        return {kInvalidBase + b0, 1};
    }
    if (i + length > s.size())
        return {kInvalidBase + b0, 1};
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80)
            return {kInvalidBase + b0, 1};
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return {kInvalidBase + b0, 1};
    return {c, length};
}

void Encode(char32_t c, std::string& out) {
    if (c >= kInvalidBase) {
        out.push_back(static_cast<char>(c - kInvalidBase));
    } else if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

template <typename Map> std::string MapText(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const Decoded d = Decode(s, i);
        Encode(map(d.c), out);
        i += d.length;
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
        const Decoded da = Decode(a, i);
        const Decoded db = Decode(b, j);
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

std::size_t AdvanceChars(std::string_view utf8, std::size_t byteOffset, std::size_t count) noexcept {
    std::size_t i = byteOffset;
    while (count > 0 && i < utf8.size()) {
        i += Decode(utf8, i).length;
        --count;
    }
    return i < utf8.size() ? i : utf8.size();
}

std::size_t CharCount(std::string_view utf8) noexcept {
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); i += Decode(utf8, i).length)
        ++count;
    return count;
}

std::string_view SliceChars(std::string_view utf8, std::size_t first, std::size_t count) noexcept {
    const std::size_t begin = AdvanceChars(utf8, 0, first);
    const std::size_t end = AdvanceChars(utf8, begin, count);
    return utf8.substr(begin, end - begin);
}

} // namespace kx::ado::text
