#include "ado/tsql/TokenCursor.h"

#include "ado/tsql/TranslationError.h"
#include "ado/tsql/TsqlTokenizer.h"

#include <algorithm>
#include <array>

namespace kx::ado::tsql {

namespace {

constexpr std::array<std::string_view, 13> kStatementStarts = {
    "select", "insert", "update", "delete", "create", "drop",   "use",
    "set",    "dump",   "backup", "dbcc",   "exec",   "execute"};

} // namespace

TokenCursor::TokenCursor(std::string_view sql) : source_(sql), tokens_(TokenizeTsql(sql)) {}

const TsqlToken* TokenCursor::Peek(std::size_t ahead) const noexcept {
    return pos_ + ahead < tokens_.size() ? &tokens_[pos_ + ahead] : nullptr;
}

const TsqlToken& TokenCursor::Take() {
    if (AtEnd()) {
        Fail("the statement ends too early");
    }
    return tokens_[pos_++];
}

bool TokenCursor::IsKeyword(std::string_view keyword, std::size_t ahead) const noexcept {
    const TsqlToken* token = Peek(ahead);
    return token != nullptr && token->IsKeyword(keyword);
}

bool TokenCursor::IsSymbol(std::string_view symbol, std::size_t ahead) const noexcept {
    const TsqlToken* token = Peek(ahead);
    return token != nullptr && token->IsSymbol(symbol);
}

bool TokenCursor::AcceptKeyword(std::string_view keyword) {
    if (IsKeyword(keyword)) {
        ++pos_;
        return true;
    }
    return false;
}

bool TokenCursor::AcceptSymbol(std::string_view symbol) {
    if (IsSymbol(symbol)) {
        ++pos_;
        return true;
    }
    return false;
}

void TokenCursor::ExpectKeyword(std::string_view keyword) {
    if (!AcceptKeyword(keyword)) {
        std::string upper(keyword);
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
        Fail("expected " + upper);
    }
}

void TokenCursor::ExpectSymbol(std::string_view symbol) {
    if (!AcceptSymbol(symbol)) {
        Fail("expected \"" + std::string(symbol) + "\"");
    }
}

bool TokenCursor::IsName(std::size_t ahead) const noexcept {
    const TsqlToken* token = Peek(ahead);
    if (token == nullptr) {
        return false;
    }
    return token->kind == TsqlTokenKind::QuotedName ||
           (token->kind == TsqlTokenKind::Word && !IsTsqlReservedWord(token->text));
}

std::string TokenCursor::TakeName(std::string_view what) {
    if (!IsName()) {
        Fail("expected " + std::string(what));
    }
    const TsqlToken& token = Take();
    if (token.value.empty()) {
        Fail("empty name");
    }
    return token.value;
}

TsqlObjectName TokenCursor::TakeObjectName(std::string_view what) {
    // Up to three parts; a part may be left empty between two dots ("db..table").
    std::vector<std::string> parts;
    parts.push_back(TakeName(what));
    while (IsSymbol(".") && parts.size() < 3) {
        ++pos_;
        if (IsSymbol(".")) {
            parts.emplace_back();
            continue;
        }
        parts.push_back(TakeName(what));
    }
    if (IsSymbol(".")) {
        Fail("names with more than three parts (a server name) are not supported");
    }
    if (parts.back().empty()) {
        Fail("expected " + std::string(what));
    }
    TsqlObjectName name;
    name.object = parts.back();
    if (parts.size() >= 2) {
        name.schema = parts[parts.size() - 2];
    }
    if (parts.size() == 3) {
        name.database = parts[0];
        if (name.database.empty()) {
            Fail("expected a database name before \"..\"");
        }
    }
    if (!name.schema.empty()) {
        std::string schema = name.schema;
        std::transform(schema.begin(), schema.end(), schema.begin(),
                       [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
        if (schema != "dbo") {
            Fail("schema \"" + name.schema + "\" is not supported; tables live in the default schema (dbo)");
        }
    }
    return name;
}

bool TokenCursor::AtStatementEnd() const noexcept {
    const TsqlToken* token = Peek();
    if (token == nullptr || token->IsSymbol(";")) {
        return true;
    }
    return std::any_of(kStatementStarts.begin(), kStatementStarts.end(),
                       [token](std::string_view start) { return token->IsKeyword(start); });
}

void TokenCursor::Fail(std::string_view detail) const {
    std::string where;
    if (const TsqlToken* token = Peek()) {
        std::size_t shown = std::min<std::size_t>(token->text.size(), 40);
        while (shown < token->text.size() &&
               (static_cast<unsigned char>(token->text[shown]) & 0xC0) == 0x80) {
            --shown;
        }
        where =
            " at offset " + std::to_string(token->offset) + " near \"" + token->text.substr(0, shown) + "\"";
    } else {
        where = " at the end";
    }
    throw TranslationError(source_, std::string(detail) + where);
}

} // namespace kx::ado::tsql
