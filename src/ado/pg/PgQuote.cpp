#include "ado/pg/PgQuote.h"

#include "platform/CaseFolding.h"
#include "platform/Utf8Text.h"


#include <stdexcept>

namespace kx::ado::pg {

namespace {

void RequireStorableText(std::string_view text, const char* what) {
    if (text.find('\0') != std::string_view::npos) {
        throw std::invalid_argument(std::string(what) + " contains a NUL character");
    }
    if (!platform::IsValidUtf8(text)) {
        throw std::invalid_argument(std::string(what) + " is not valid UTF-8");
    }
}

} // namespace

std::string QuoteIdent(std::string_view name) {
    if (name.empty()) {
        throw std::invalid_argument("empty identifier");
    }
    RequireStorableText(name, "identifier");
    if (name.size() > kMaxIdentifierBytes) {
        std::size_t shown = kMaxIdentifierBytes;
        while (shown > 0 && (static_cast<unsigned char>(name[shown]) & 0xC0) == 0x80) {
            --shown;
        }
        throw std::invalid_argument("identifier longer than 63 bytes: " + std::string(name.substr(0, shown)) +
                                    "...");
    }
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted += '"';
    for (char c : name) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string QuoteLiteral(std::string_view text) {
    RequireStorableText(text, "string literal");
    const bool hasBackslash = text.find('\\') != std::string_view::npos;
    std::string quoted;
    quoted.reserve(text.size() + 3);
    if (hasBackslash) {
        quoted += 'E';
    }
    quoted += '\'';
    for (char c : text) {
        if (c == '\'' || (hasBackslash && c == '\\')) {
            quoted += c;
        }
        quoted += c;
    }
    quoted += '\'';
    return quoted;
}

std::string FoldName(std::string_view name) {
    if (!platform::IsValidUtf8(name)) {
        throw std::invalid_argument("name is not valid UTF-8");
    }
    return platform::ToLower(name);
}

std::string FoldDatabaseName(std::string_view name) {
    std::string folded = FoldName(name);
    if (folded.empty() || folded == "master") {
        return "postgres";
    }
    return folded;
}

} // namespace kx::ado::pg
