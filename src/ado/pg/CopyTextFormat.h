#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::ado::pg {

/// Builds rows of PostgreSQL's text COPY format, the form PgCopyIn streams for
/// "COPY table (columns) FROM STDIN": fields separated by tabs, NULL as \N,
/// backslash, tab, line feed and carriage return escaped, one line per row.
///
/// Rows are built one at a time (TakeRow), or many after each other in one text
/// (EndRow, Text, Clear).
class CopyTextRowBuilder {
  public:
    void AddNull();
    /// A text value; throws std::invalid_argument for a NUL character, which no
    /// PostgreSQL text can hold (the row then holds a part of the value).
    void AddText(std::string_view text);
    /// A bytea value: any bytes, NUL included.
    void AddBytes(std::string_view bytes);
    /// The finished row with its line end; the builder starts a new row.
    std::string TakeRow();

    /// Ends the row with its line end; the next value starts a new row in the
    /// same text.
    void EndRow();
    /// The rows ended so far (and the values of an unfinished row).
    std::string_view Text() const noexcept { return row_; }
    /// Forgets the text, keeping its room.
    void Clear() noexcept;
    /// Makes room for `bytes` of text.
    void Reserve(std::size_t bytes);

  private:
    void StartField();

    std::string row_;
    bool empty_ = true;
};

/// The fields of one row of text COPY data (with or without its line end), with
/// every escape undone; NULL fields are empty optionals. bytea fields come back as
/// their hex text (see DecodeByteaHex). Throws std::invalid_argument for a row
/// that ends inside an escape.
std::vector<std::optional<std::string>> ParseCopyTextRow(std::string_view line);

} // namespace kx::ado::pg
