#include "ado/tsql/TsqlTokenizer.h"
#include "platform/CaseFolding.h"

#include "ado/tsql/TranslationError.h"
#include "platform/Utf8Text.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kx::ado::tsql {

namespace {

bool IsAsciiLetter(char c) noexcept {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) noexcept {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool IsNonAscii(char c) noexcept {
    return (static_cast<unsigned char>(c) & 0x80) != 0;
}
bool IsWordStart(char c) noexcept {
    return IsAsciiLetter(c) || c == '_' || c == '#' || IsNonAscii(c);
}
bool IsWordPart(char c) noexcept {
    return IsWordStart(c) || IsDigit(c) || c == '@' || c == '$';
}
bool IsSpace(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

class Tokenizer {
  public:
    explicit Tokenizer(std::string_view sql) : sql_(sql) {}

    std::vector<TsqlToken> Run() {
        if (!platform::IsValidUtf8(sql_)) {
            throw TranslationError(sql_, "the text is not valid UTF-8");
        }
        std::vector<TsqlToken> tokens;
        while (SkipSpaceAndComments()) {
            tokens.push_back(Next());
        }
        return tokens;
    }

  private:
    [[noreturn]] void Fail(std::string_view detail, std::size_t offset) const {
        throw TranslationError(sql_, std::string(detail) + " at offset " + std::to_string(offset));
    }

    char At(std::size_t i) const noexcept { return i < sql_.size() ? sql_[i] : '\0'; }

    /// Skips whitespace and comments; false at the end of the text.
    bool SkipSpaceAndComments() {
        for (;;) {
            while (pos_ < sql_.size() && IsSpace(sql_[pos_])) {
                ++pos_;
            }
            if (At(pos_) == '-' && At(pos_ + 1) == '-') {
                while (pos_ < sql_.size() && sql_[pos_] != '\n') {
                    ++pos_;
                }
            } else if (At(pos_) == '/' && At(pos_ + 1) == '*') {
                SkipBlockComment();
            } else {
                return pos_ < sql_.size();
            }
        }
    }

    void SkipBlockComment() {
        const std::size_t start = pos_;
        int depth = 0;
        while (pos_ < sql_.size()) {
            if (At(pos_) == '/' && At(pos_ + 1) == '*') {
                ++depth;
                pos_ += 2;
            } else if (At(pos_) == '*' && At(pos_ + 1) == '/') {
                pos_ += 2;
                if (--depth == 0) {
                    return;
                }
            } else {
                ++pos_;
            }
        }
        Fail("unterminated comment", start);
    }

    TsqlToken Make(TsqlTokenKind kind, std::size_t start, std::string value) const {
        return TsqlToken{kind, std::string(sql_.substr(start, pos_ - start)), std::move(value), start};
    }

    TsqlToken MakePlain(TsqlTokenKind kind, std::size_t start) const {
        std::string text(sql_.substr(start, pos_ - start));
        return TsqlToken{kind, text, text, start};
    }

    /// Reads up to the closing `close`, a doubled `close` standing for one.
    std::string Delimited(char close, std::size_t start, const char* what) {
        std::string value;
        for (;;) {
            if (pos_ >= sql_.size()) {
                Fail(std::string("unterminated ") + what, start);
            }
            const char c = sql_[pos_++];
            if (c == close) {
                if (At(pos_) == close) {
                    value += close;
                    ++pos_;
                    continue;
                }
                return value;
            }
            value += c;
        }
    }

    TsqlToken Next() {
        const std::size_t start = pos_;
        const char c = sql_[pos_];
        if ((c == 'N' || c == 'n') && At(pos_ + 1) == '\'') {
            pos_ += 2;
            std::string value = Delimited('\'', start, "string");
            return Make(TsqlTokenKind::NationalString, start, std::move(value));
        }
        if (c == '\'') {
            ++pos_;
            std::string value = Delimited('\'', start, "string");
            return Make(TsqlTokenKind::String, start, std::move(value));
        }
        if (c == '[') {
            ++pos_;
            std::string value = Delimited(']', start, "bracketed name");
            return Make(TsqlTokenKind::QuotedName, start, std::move(value));
        }
        if (c == '"') {
            ++pos_;
            std::string value = Delimited('"', start, "quoted name");
            return Make(TsqlTokenKind::QuotedName, start, std::move(value));
        }
        if (c == '0' && (At(pos_ + 1) == 'x' || At(pos_ + 1) == 'X')) {
            pos_ += 2;
            while (IsHexDigit(At(pos_))) {
                ++pos_;
            }
            if (IsWordPart(At(pos_))) {
                Fail("malformed binary literal", start);
            }
            return Make(TsqlTokenKind::Binary, start, std::string(sql_.substr(start + 2, pos_ - start - 2)));
        }
        if (IsDigit(c) || (c == '.' && IsDigit(At(pos_ + 1)))) {
            return Number(start);
        }
        if (c == '@') {
            pos_ += At(pos_ + 1) == '@' ? 2 : 1;
            if (!IsWordPart(At(pos_))) {
                Fail("a variable without a name", start);
            }
            while (IsWordPart(At(pos_))) {
                ++pos_;
            }
            return MakePlain(TsqlTokenKind::Variable, start);
        }
        if (IsWordStart(c)) {
            while (IsWordPart(At(pos_))) {
                ++pos_;
            }
            return MakePlain(TsqlTokenKind::Word, start);
        }
        return Symbol(start);
    }

    TsqlToken Number(std::size_t start) {
        while (IsDigit(At(pos_))) {
            ++pos_;
        }
        if (At(pos_) == '.') {
            ++pos_;
            while (IsDigit(At(pos_))) {
                ++pos_;
            }
        }
        if ((At(pos_) == 'e' || At(pos_) == 'E') &&
            (IsDigit(At(pos_ + 1)) ||
             ((At(pos_ + 1) == '+' || At(pos_ + 1) == '-') && IsDigit(At(pos_ + 2))))) {
            pos_ += 2;
            while (IsDigit(At(pos_))) {
                ++pos_;
            }
        }
        if (IsWordPart(At(pos_))) {
            Fail("malformed number", start);
        }
        return MakePlain(TsqlTokenKind::Number, start);
    }

    TsqlToken Symbol(std::size_t start) {
        static constexpr std::array<std::string_view, 9> kTwoCharacter = {"<>", "!=", "<=", ">=", "!<",
                                                                          "!>", "::", "||", "+="};
        const std::string_view two = sql_.substr(pos_, 2);
        for (std::string_view symbol : kTwoCharacter) {
            if (two == symbol) {
                pos_ += 2;
                return MakePlain(TsqlTokenKind::Symbol, start);
            }
        }
        static constexpr std::string_view kOneCharacter = "(),.;=<>+-*/%&|^~";
        if (kOneCharacter.find(sql_[pos_]) != std::string_view::npos) {
            ++pos_;
            return MakePlain(TsqlTokenKind::Symbol, start);
        }
        Fail(std::string("unexpected character '") + sql_[pos_] + "'", start);
    }

    std::string_view sql_;
    std::size_t pos_ = 0;
};

constexpr std::array<std::string_view, 80> kReservedWords = {
    "add",
    "all",
    "alter",
    "and",
    "any",
    "as",
    "asc",
    "backup",
    "begin",
    "between",
    "by",
    "cascade",
    "case",
    "check",
    "column",
    "commit",
    "constraint",
    "create",
    "cross",
    "database",
    "dbcc",
    "default",
    "delete",
    "desc",
    "distinct",
    "drop",
    "dump",
    "else",
    "end",
    "escape",
    "except",
    "exec",
    "execute",
    "exists",
    "foreign",
    "from",
    "full",
    "group",
    "having",
    "identity",
    "identity_insert",
    "in",
    "index",
    "inner",
    "insert",
    "intersect",
    "into",
    "is",
    "join",
    "key",
    "left",
    "like",
    "not",
    "null",
    "of",
    "on",
    "or",
    "order",
    "outer",
    "primary",
    "references",
    "right",
    "rollback",
    "select",
    "set",
    "table",
    "then",
    "to",
    "top",
    "truncate",
    "union",
    "unique",
    "update",
    "use",
    "values",
    "view",
    "when",
    "where",
    "while",
    "with",
};

} // namespace

bool TsqlToken::IsKeyword(std::string_view keyword) const noexcept {
    return kind == TsqlTokenKind::Word && platform::EqualsIgnoringCase(text, keyword);
}

bool TsqlToken::IsSymbol(std::string_view symbol) const noexcept {
    return kind == TsqlTokenKind::Symbol && text == symbol;
}

bool IsTsqlReservedWord(std::string_view word) noexcept {
    return std::any_of(kReservedWords.begin(), kReservedWords.end(),
                       [word](std::string_view reserved) { return platform::EqualsIgnoringCase(word, reserved); });
}

std::vector<TsqlToken> TokenizeTsql(std::string_view sql) {
    return Tokenizer(sql).Run();
}

} // namespace kx::ado::tsql
