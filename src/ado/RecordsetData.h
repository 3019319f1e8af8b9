#pragma once

#include "AdoConstants.h"
#include "AdoError.h"
#include "ColumnInfo.h"
#include "RowSet.h"
#include "Variant.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::ado::detail {

struct ConnectionState;

/// One row of a client-side cursor with its edit state.
struct CursorRow {
    enum class Status { Unchanged, Modified, New };
    std::vector<Variant> values;
    /// The values as fetched or last written; filled when an edit starts.
    std::vector<Variant> original;
    std::vector<bool> changed;
    std::vector<Variant> identity;
    Status status = Status::Unchanged;
};

/// The inside of a Recordset, shared with its Field and Fields objects: the rows,
/// the position, the edits, and the way back to the provider.
///
/// Rows that the provider handed over unread (RowSet::unread) are read on first
/// need: by anything but the columns (ColumnCount, Column, ColumnIndex), Close
/// and EditMode. A failed read is kept and thrown again on every later need.
class RecordsetData : public std::enable_shared_from_this<RecordsetData> {
  public:
    // Settings that callers may change before Open.
    long cursorLocation = adUseServer;
    long cursorType = adOpenForwardOnly;
    long lockType = adLockReadOnly;
    long cacheSize = 1;

    /// Takes the rows; unread ones are registered with the connection, which has
    /// them read before its next command. Must be called on a shared object.
    void Load(RowSet rows, std::shared_ptr<ConnectionState> connection, std::string source, long lock);
    /// Reads the unread rows now; nothing when there are none. Throws the read's
    /// AdoError (and keeps it).
    void ReadUnreadRows();
    void Close();
    bool IsOpen() const noexcept { return open_; }
    const std::string& Source() const noexcept { return source_; }
    const std::shared_ptr<ConnectionState>& ActiveConnection() const noexcept { return connection_; }

    // Navigation.
    long RecordCount();
    long AbsolutePosition();
    void SetAbsolutePosition(long position);
    bool IsBOF();
    bool IsEOF();
    void MoveTo(std::ptrdiff_t position);
    void MoveBy(long records);
    void MoveNext();
    void MovePrevious();
    void MoveFirst();
    void MoveLast();

    // Fields.
    std::size_t ColumnCount() const;
    const ColumnInfo& Column(std::size_t index) const;
    std::size_t ColumnIndex(std::string_view name) const;
    Variant Value(std::size_t column);
    Variant OriginalValue(std::size_t column);
    long ActualSize(std::size_t column);
    void SetValue(std::size_t column, const Variant& value);
    Variant GetChunk(std::size_t column, long length);
    void AppendChunk(std::size_t column, const Variant& data);

    // Editing.
    long EditMode() const;
    void AddNew();
    void Update();
    void CancelUpdate();
    void UpdateBatch(long affect);
    void Delete(long affect);

  private:
    void RequireOpen() const;
    /// RequireOpen, and the rows read.
    void RequireRows();
    CursorRow& CurrentRow();
    void RequireWritable(std::size_t column) const;
    void RequireUpdatable() const;
    void BeginEdit(CursorRow& row);
    /// Ends the edit of the current row before leaving it: written at once unless in
    /// batch mode. Resets the long-value reading and appending state.
    void LeaveRow();
    void WriteRow(CursorRow& row);
    void WriteDeletion(const CursorRow& row);
    void ResetChunks();

    bool open_ = false;
    std::string source_;
    std::vector<ColumnInfo> columns_;
    std::string updateTable_;
    std::vector<CursorRow> rows_;
    std::optional<AdoError> readFailure_;
    std::vector<CursorRow> pendingDeletes_;
    std::ptrdiff_t position_ = 0;
    long editMode_ = adEditNone;
    std::ptrdiff_t positionBeforeAdd_ = 0;
    // The current row's state when the edit began, for CancelUpdate.
    CursorRow editSnapshot_;
    std::vector<std::size_t> chunkOffsets_;
    std::vector<bool> appending_;
    std::shared_ptr<ConnectionState> connection_;
    // After the connection, so that an unread source goes before its connection.
    std::unique_ptr<RowSource> unread_;
};

} // namespace kx::ado::detail
