#include "ConnectionString.h"

#include "AdoConstants.h"
#include "AdoError.h"

namespace kx::ado {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

[[noreturn]] void ThrowBadFormat(std::string_view text) {
    throw AdoError(errors::InvalidArgument, "ADODB.Connection",
                   "Format of the initialization string is not valid: \"" +
                       std::string(text) + "\".");
}

} // namespace

std::vector<ConnectionStringPart> ParseConnectionString(std::string_view text) {
    std::vector<ConnectionStringPart> parts;
    std::size_t i = 0;
    while (i < text.size()) {
        // Keyword, up to "=" ("==" stands for a literal "=").
        std::string keyword;
        bool hasEquals = false;
        while (i < text.size()) {
            if (text[i] == '=') {
                if (i + 1 < text.size() && text[i + 1] == '=') {
                    keyword.push_back('=');
                    i += 2;
                    continue;
                }
                hasEquals = true;
                ++i;
                break;
            }
            if (text[i] == ';')
                break;
            keyword.push_back(text[i++]);
        }
        const std::string_view trimmedKeyword = Trim(keyword);
        if (!hasEquals) {
            if (!trimmedKeyword.empty())
                ThrowBadFormat(text);
            ++i; // an empty item
            continue;
        }
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        std::string value;
        if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
            const char quote = text[i++];
            bool closed = false;
            while (i < text.size()) {
                if (text[i] == quote) {
                    if (i + 1 < text.size() && text[i + 1] == quote) {
                        value.push_back(quote);
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                value.push_back(text[i++]);
            }
            if (!closed)
                ThrowBadFormat(text);
            while (i < text.size() && IsBlank(text[i]))
                ++i;
            if (i < text.size() && text[i] != ';')
                ThrowBadFormat(text);
        } else {
            const std::size_t end = text.find(';', i);
            value = std::string(
                Trim(text.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i)));
            i = end == std::string_view::npos ? text.size() : end;
        }
        if (i < text.size())
            ++i; // the ";"
        if (trimmedKeyword.empty())
            ThrowBadFormat(text);
        parts.push_back(ConnectionStringPart{std::string(trimmedKeyword), std::move(value)});
    }
    return parts;
}

std::string QuoteConnectionStringValue(std::string_view value) {
    const bool needsQuotes = value.empty() || value.find(';') != std::string_view::npos ||
                             IsBlank(value.front()) || IsBlank(value.back()) || value.front() == '"' ||
                             value.front() == '\'';
    if (!needsQuotes)
        return std::string(value);
    const bool hasDouble = value.find('"') != std::string_view::npos;
    const bool hasSingle = value.find('\'') != std::string_view::npos;
    const char quote = hasDouble && !hasSingle ? '\'' : '"';
    std::string out(1, quote);
    for (const char c : value) {
        out.push_back(c);
        if (c == quote)
            out.push_back(c);
    }
    out.push_back(quote);
    return out;
}

} // namespace kx::ado
