#pragma once

#include "AdoConstants.h"
#include "Field.h"
#include "Fields.h"

#include <memory>
#include <string>
#include <string_view>

namespace kx::ado {

class Connection;

namespace detail {
class RecordsetData;
}

/// Rows of a table or query with a client-side cursor: all rows are fetched at
/// once, so RecordCount and AbsolutePosition are always known and every move
/// works, whatever cursor type was asked for.
///
/// A provider may leave the fetch until the rows are first needed: Fields and
/// their names and types are there at once, anything else (a count, a position,
/// a move, a value, an edit) fetches all rows first. The connection fetches them
/// before it runs its next command or closes, so the rows are those of the moment
/// the recordset opened as far as the commands of its own connection go. A fetch
/// that fails throws its AdoError on that use and on every later one.
///
/// Editing (lock types other than adLockReadOnly): assigning field values starts
/// an edit of the current row. With adLockOptimistic or adLockPessimistic, Update
/// writes the row at once, and moving to another row first does so implicitly;
/// with adLockBatchOptimistic the edits wait until UpdateBatch. Rows are written
/// to the recordset's one base table, found by its key (or by their values as
/// fetched); a row that cannot be found any more fails with errors::RowNotFound,
/// and a failed row stays edited. AddNew appends a row; its identity and default
/// values are read back when it is written.
///
/// Without a current row (BOF or EOF) field access and moves beyond the ends throw
/// errors::NoCurrentRecord. Every failure throws AdoError.
class Recordset {
  public:
    Recordset();
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    /// Opens on `source`: a table name or a statement, as `options` says (adCmdTable,
    /// adCmdText, or -1 to let the provider decide). `cursorType` and `lockType` of -1
    /// keep the recordset's settings.
    void Open(std::string_view source, const Connection& activeConnection,
              long cursorType = adOpenUnspecified, long lockType = adLockUnspecified,
              long options = adCmdUnspecified);
    /// Throws errors::ObjectClosed when not open. Pending batch edits are dropped.
    void Close();
    long State() const;
    std::string Source() const;
    /// The connection the recordset was opened on (a handle to the same
    /// connection). Throws errors::ObjectClosed when it was never opened.
    Connection ActiveConnection() const;

    long CursorLocation() const;
    void SetCursorLocation(long location);
    /// adOpenStatic once open (the cursor is client-side).
    long CursorType() const;
    void SetCursorType(long cursorType);
    long LockType() const;
    void SetLockType(long lockType);
    long CacheSize() const;
    void SetCacheSize(long rows);

    long RecordCount() const;
    /// 1-based; adPosBOF, adPosEOF, or adPosUnknown for an empty recordset.
    long AbsolutePosition() const;
    /// Throws errors::InvalidArgument outside 1..RecordCount.
    void SetAbsolutePosition(long position);
    bool IsBOF() const;
    bool IsEOF() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    /// Moves by `records` rows from the current one; beyond the ends the recordset
    /// stops at BOF or EOF.
    void Move(long records);

    ado::Fields Fields() const;
    Field Item(long index) const;
    Field Item(std::string_view name) const;

    /// adEditNone, adEditInProgress or adEditAdd.
    long EditMode() const;
    void AddNew();
    void Update();
    /// Undoes the edits since the last Update (and drops a row being added).
    void CancelUpdate();
    /// Writes every edited, added and deleted row (adAffectAll) or the current one
    /// (adAffectCurrent). Stops at the first row that fails.
    void UpdateBatch(long affect = adAffectAll);
    /// Deletes the current row (at once, or with UpdateBatch in batch mode); the
    /// row after it becomes the current one.
    void Delete(long affect = adAffectCurrent);

  private:
    friend class Connection;
    std::shared_ptr<detail::RecordsetData> data_;
};

} // namespace kx::ado
