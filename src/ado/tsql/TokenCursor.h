#pragma once

#include "ado/tsql/TsqlToken.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kx::ado::tsql {

/// An object name as T-SQL writes it: [database.][schema.]object, where
/// "db..table" leaves the schema empty. The parts are the names as written,
/// delimiters removed, not yet folded.
struct TsqlObjectName {
    std::string database;
    std::string schema;
    std::string object;
};

/// Walks the tokens of one T-SQL text for the statement recognizers. Every failure
/// it reports is a TranslationError that names the whole text and the place.
class TokenCursor {
  public:
    /// Tokenizes `sql` (see TokenizeTsql). The text must outlive the cursor.
    explicit TokenCursor(std::string_view sql);

    std::string_view Source() const noexcept { return source_; }
    bool AtEnd() const noexcept { return pos_ >= tokens_.size(); }
    /// The token `ahead` places on, or null past the end.
    const TsqlToken* Peek(std::size_t ahead = 0) const noexcept;
    /// The current token, moving past it; fails at the end.
    const TsqlToken& Take();

    bool IsKeyword(std::string_view keyword, std::size_t ahead = 0) const noexcept;
    bool IsSymbol(std::string_view symbol, std::size_t ahead = 0) const noexcept;
    bool AcceptKeyword(std::string_view keyword);
    bool AcceptSymbol(std::string_view symbol);
    void ExpectKeyword(std::string_view keyword);
    void ExpectSymbol(std::string_view symbol);

    /// True when a name can start here: a delimited name or a bare word that is not
    /// a reserved word.
    bool IsName(std::size_t ahead = 0) const noexcept;
    /// One name, as written without its delimiters.
    std::string TakeName(std::string_view what);
    /// [database.][schema.]object; a schema other than "dbo" fails, since every
    /// table lives in the database's one default schema.
    TsqlObjectName TakeObjectName(std::string_view what);

    /// The end of the text, a ";" or the first word of a next statement: where
    /// one statement of a batch may end.
    bool AtStatementEnd() const noexcept;

    std::size_t Position() const noexcept { return pos_; }
    void Rewind(std::size_t position) noexcept { pos_ = position; }

    /// Throws TranslationError: `detail`, and where in the text.
    [[noreturn]] void Fail(std::string_view detail) const;

  private:
    std::string_view source_;
    std::vector<TsqlToken> tokens_;
    std::size_t pos_ = 0;
};

} // namespace kx::ado::tsql
