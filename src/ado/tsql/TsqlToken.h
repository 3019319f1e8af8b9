#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kx::ado::tsql {

/// The kinds of token in T-SQL text.
enum class TsqlTokenKind {
    /// A bare word: a keyword or a name (letters, digits, _, #, $, @ inside; any
    /// character outside ASCII counts as a letter).
    Word,
    /// A delimited name: [name] with ]] for a ], or "name" with "" for a ".
    QuotedName,
    /// 'text' with '' for a '.
    String,
    /// N'text': the same, marked as Unicode text.
    NationalString,
    /// 12, 3.5, .5, 1e3.
    Number,
    /// 0x0AFF: bytes written in hex.
    Binary,
    /// @name or @@name.
    Variable,
    /// Punctuation and operators: ( ) , . ; = <> != < > <= >= + - * / % and the like.
    Symbol,
};

/// One token. `text` is the token as written; `value` is what it means: the name
/// without its delimiters, the text of a string with its doubled quotes undone,
/// the digits of a binary literal without "0x"; the same as `text` otherwise.
struct TsqlToken {
    TsqlTokenKind kind = TsqlTokenKind::Symbol;
    std::string text;
    std::string value;
    /// Byte offset of the token in the statement.
    std::size_t offset = 0;

    /// A bare word equal to `keyword`, ignoring ASCII letter case. Delimited names
    /// are never keywords: [select] is a name.
    bool IsKeyword(std::string_view keyword) const noexcept;
    bool IsSymbol(std::string_view symbol) const noexcept;
    /// A word or a delimited name, that is, something that can name an object.
    bool IsNameLike() const noexcept {
        return kind == TsqlTokenKind::Word || kind == TsqlTokenKind::QuotedName;
    }
};

/// True for the T-SQL reserved words that cannot stand as bare names (FROM,
/// WHERE, SELECT ...), compared without regard to ASCII letter case.
bool IsTsqlReservedWord(std::string_view word) noexcept;

} // namespace kx::ado::tsql
