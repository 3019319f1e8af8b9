#include "ado/pg/CopyTextFormat.h"

#include "ado/pg/PgBytea.h"

#include <array>
#include <stdexcept>
#include <utility>

namespace kx::ado::pg {

namespace {

/// Per byte: the letter that follows the backslash of its escape, '0' for NUL
/// (which no text may hold), 0 for a byte that stands for itself.
constexpr std::array<char, 256> kEscapes = [] {
    std::array<char, 256> escapes{};
    escapes[static_cast<unsigned char>('\\')] = '\\';
    escapes[static_cast<unsigned char>('\t')] = 't';
    escapes[static_cast<unsigned char>('\n')] = 'n';
    escapes[static_cast<unsigned char>('\r')] = 'r';
    escapes[0] = '0';
    return escapes;
}();

/// Appends `text` escaped; false when it meets a NUL (the text before it is
/// appended then).
bool AppendEscaped(std::string& out, std::string_view text) {
    // Runs without a byte to escape (nearly all text) are copied whole.
    const char* run = text.data();
    const char* const end = text.data() + text.size();
    for (const char* p = run; p != end; ++p) {
        const char escape = kEscapes[static_cast<unsigned char>(*p)];
        if (escape == 0) {
            continue;
        }
        out.append(run, p);
        if (escape == '0') {
            return false;
        }
        const char pair[] = {'\\', escape};
        out.append(pair, 2);
        run = p + 1;
    }
    out.append(run, end);
    return true;
}

bool IsOctal(char c) noexcept {
    return c >= '0' && c <= '7';
}

} // namespace

void CopyTextRowBuilder::StartField() {
    if (!empty_) {
        row_ += '\t';
    }
    empty_ = false;
}

void CopyTextRowBuilder::AddNull() {
    StartField();
    row_ += "\\N";
}

void CopyTextRowBuilder::AddText(std::string_view text) {
    StartField();
    if (!AppendEscaped(row_, text)) {
        throw std::invalid_argument("a text value contains a NUL character");
    }
}

void CopyTextRowBuilder::AddBytes(std::string_view bytes) {
    StartField();
    AppendEscaped(row_, EncodeByteaHex(bytes));
}

std::string CopyTextRowBuilder::TakeRow() {
    EndRow();
    return std::exchange(row_, std::string());
}

void CopyTextRowBuilder::EndRow() {
    row_ += '\n';
    empty_ = true;
}

void CopyTextRowBuilder::Clear() noexcept {
    row_.clear();
    empty_ = true;
}

void CopyTextRowBuilder::Reserve(std::size_t bytes) {
    row_.reserve(bytes);
}

std::vector<std::optional<std::string>> ParseCopyTextRow(std::string_view line) {
    if (!line.empty() && line.back() == '\n') {
        line.remove_suffix(1);
    }
    std::vector<std::optional<std::string>> fields;
    std::string field;
    bool nullField = false;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == '\t') {
            if (nullField) {
                fields.emplace_back(std::nullopt);
            } else {
                fields.emplace_back(std::move(field));
            }
            field.clear();
            nullField = false;
            continue;
        }
        if (line[i] != '\\') {
            field += line[i];
            continue;
        }
        if (++i == line.size()) {
            throw std::invalid_argument("COPY row ends inside an escape");
        }
        const char c = line[i];
        switch (c) {
        case 'b':
            field += '\b';
            break;
        case 'f':
            field += '\f';
            break;
        case 'n':
            field += '\n';
            break;
        case 'r':
            field += '\r';
            break;
        case 't':
            field += '\t';
            break;
        case 'v':
            field += '\v';
            break;
        case 'N':
            // \N is NULL only as a whole field; anywhere else it is a plain N.
            if (field.empty() && (i + 1 == line.size() || line[i + 1] == '\t') &&
                (i == 1 || line[i - 2] == '\t')) {
                nullField = true;
            } else {
                field += 'N';
            }
            break;
        case 'x': {
            int value = 0;
            int digits = 0;
            while (digits < 2 && i + 1 < line.size() && HexDigitValue(line[i + 1]) >= 0) {
                value = value * 16 + HexDigitValue(line[++i]);
                ++digits;
            }
            field += digits > 0 ? static_cast<char>(value) : 'x';
            break;
        }
        default:
            if (IsOctal(c)) {
                int value = c - '0';
                for (int digits = 1; digits < 3 && i + 1 < line.size() && IsOctal(line[i + 1]); ++digits) {
                    value = value * 8 + (line[++i] - '0');
                }
                field += static_cast<char>(value & 0xff);
            } else {
                field += c;
            }
            break;
        }
    }
    return fields;
}

} // namespace kx::ado::pg
