#include "TextTable.h"

#include <algorithm>

namespace kx::app {
namespace {

char32_t NextCodePoint(const std::string& s, std::size_t& i) {
    const auto c = static_cast<unsigned char>(s[i]);
    int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : 3;
    char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    ++i;
    while (extra-- > 0 && i < s.size())
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    return cp;
}

bool IsWide(char32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0x303E) || (cp >= 0x3041 && cp <= 0x33FF) ||
           (cp >= 0x3400 && cp <= 0x4DBF) || (cp >= 0x4E00 && cp <= 0x9FFF) || (cp >= 0xA000 && cp <= 0xA4CF) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFE30 && cp <= 0xFE4F) ||
           (cp >= 0xFF00 && cp <= 0xFF60) || (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x1F300 && cp <= 0x1F64F) ||
           (cp >= 0x1F900 && cp <= 0x1F9FF) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

bool IsZeroWidth(char32_t cp) {
    return (cp >= 0x0300 && cp <= 0x036F) || cp == 0x200B || (cp >= 0xFE00 && cp <= 0xFE0F) || cp < 0x20;
}

/// The cell with every control character written out ("\\x1B", "\\u009B"), so
/// that a list's text can neither move the cursor nor send a terminal commands.
std::string Escaped(const std::string& cell) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(cell.size());
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const auto c = static_cast<unsigned char>(cell[i]);
        const auto next = i + 1 < cell.size() ? static_cast<unsigned char>(cell[i + 1]) : 0;
        if (c < 0x20 || c == 0x7F) {
            shown += "\\x";
            shown += kHex[c >> 4];
            shown += kHex[c & 0xF];
        } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) { // U+0080..U+009F
            shown += "\\u00";
            shown += kHex[next >> 4];
            shown += kHex[next & 0xF];
            ++i;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

} // namespace

std::size_t DisplayWidth(const std::string& utf8) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, i);
        width += IsZeroWidth(cp) ? 0 : IsWide(cp) ? 2 : 1;
    }
    return width;
}

TextTable::TextTable(std::vector<std::string> header) : header_(std::move(header)) {}

void TextTable::AddRow(std::vector<std::string> row) {
    row.resize(header_.size());
    // A stray tab or line break inside a cell would break the alignment.
    for (auto& cell : row) {
        std::replace_if(cell.begin(), cell.end(), [](char ch) { return ch == '\t' || ch == '\n' || ch == '\r'; }, ' ');
        cell = Escaped(cell);
    }
    rows_.push_back(std::move(row));
}

std::string TextTable::Render() const {
    std::vector<std::size_t> widths(header_.size());
    for (std::size_t c = 0; c < header_.size(); ++c) {
        widths[c] = DisplayWidth(header_[c]);
        for (const auto& row : rows_)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    std::string out;
    auto appendRow = [&](const std::vector<std::string>& row) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size())
                line.append(widths[c] - DisplayWidth(row[c]) + 2, ' ');
        }
        out += line;
        out += '\n';
    };
    appendRow(header_);
    std::vector<std::string> rule;
    for (std::size_t w : widths)
        rule.emplace_back(w, '-');
    appendRow(rule);
    for (const auto& row : rows_)
        appendRow(row);
    return out;
}

} // namespace kx::app
