#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct pg_result;

namespace kx::ado::pg {

/// How values travel between libpq and the program: as text or in the server's
/// binary form.
enum class PgFormat { Text = 0, Binary = 1 };

/// The successful result of one statement: its rows and columns, or the outcome of
/// a command. Copies share the one libpq result, which is freed when the last copy
/// goes. Row and column numbers start at 0; a number out of range throws
/// std::out_of_range rather than reading past the result.
class PgResult {
  public:
    /// A result that holds nothing: no rows, no columns.
    PgResult() noexcept = default;

    /// Takes ownership of a libpq result (null gives an empty PgResult).
    static PgResult Adopt(pg_result* result) noexcept;

    int RowCount() const noexcept;
    int ColumnCount() const noexcept;
    std::string ColumnName(int column) const;
    /// The column whose name equals `name` exactly, or -1.
    int ColumnIndex(std::string_view name) const noexcept;
    /// The type OID of the column (23 integer, 25 text, 17 bytea ...).
    unsigned int ColumnType(int column) const;
    PgFormat ColumnFormat(int column) const;

    bool IsNull(int row, int column) const;
    /// The value's bytes: its text in a text-format column, the server's binary form
    /// otherwise. Empty for NULL. Valid while a copy of this result lives.
    std::string_view Value(int row, int column) const;
    /// The value, or nothing for NULL.
    std::optional<std::string_view> OptionalValue(int row, int column) const;

    /// Rows touched by an INSERT, UPDATE, DELETE, COPY ... (0 for other commands).
    long long AffectedRows() const noexcept;
    /// The command tag ("SELECT 3", "DELETE 2", "CREATE TABLE" ...).
    std::string CommandTag() const;

    pg_result* Handle() const noexcept { return result_.get(); }

  private:
    void CheckCell(int row, int column) const;
    void CheckColumn(int column) const;

    std::shared_ptr<pg_result> result_;
};

} // namespace kx::ado::pg
