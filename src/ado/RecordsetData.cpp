#include "RecordsetData.h"

#include "AdoError.h"
#include "ConnectionState.h"
#include "UnicodeText.h"
#include "ValueCoercion.h"

#include "platform/Utf8Text.h"

#include <algorithm>
#include <cstring>

namespace kx::ado::detail {
namespace {

constexpr const char* kSource = "ADODB.Recordset";

[[noreturn]] void ThrowNoCurrentRecord() {
    throw AdoError(
        errors::NoCurrentRecord, kSource,
        "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires "
        "a current record.");
}

[[noreturn]] void ThrowNotUpdatable(const std::string& detail) {
    throw AdoError(
        errors::FeatureNotAvailable, kSource,
        "Current Recordset does not support updating. This may be a limitation of the provider, or of "
        "the selected locktype. (" +
            detail + ")");
}

/// The rows of a cursor, none of them edited.
std::vector<CursorRow> CursorRows(std::vector<std::vector<Variant>>& values,
                                  std::vector<std::vector<Variant>>& identities, std::size_t columnCount) {
    std::vector<CursorRow> rows;
    rows.reserve(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        CursorRow row;
        row.values = std::move(values[i]);
        row.values.resize(columnCount, Variant::Null());
        row.changed.assign(columnCount, false);
        if (i < identities.size())
            row.identity = std::move(identities[i]);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

void RecordsetData::Load(RowSet rows, std::shared_ptr<ConnectionState> connection, std::string source,
                         long lock) {
    columns_ = std::move(rows.columns);
    updateTable_ = std::move(rows.updateTable);
    rows_ = CursorRows(rows.rows, rows.rowIdentities, columns_.size());
    unread_ = std::move(rows.unread);
    readFailure_.reset();
    pendingDeletes_.clear();
    position_ = 0;
    editMode_ = adEditNone;
    chunkOffsets_.assign(columns_.size(), 0);
    appending_.assign(columns_.size(), false);
    connection_ = std::move(connection);
    if (unread_ && connection_)
        connection_->unreadRecordsets.push_back(weak_from_this());
    source_ = std::move(source);
    lockType = lock;
    cursorLocation = adUseClient;
    cursorType = adOpenStatic;
    open_ = true;
}

void RecordsetData::ReadUnreadRows() {
    if (readFailure_)
        throw *readFailure_;
    if (!unread_)
        return;
    const std::unique_ptr<RowSource> source = std::move(unread_);
    std::vector<std::vector<Variant>> values;
    std::vector<std::vector<Variant>> identities;
    try {
        source->ReadAll(values, identities);
    } catch (const AdoError& e) {
        readFailure_ = e;
        throw;
    }
    rows_ = CursorRows(values, identities, columns_.size());
}

void RecordsetData::Close() {
    RequireOpen();
    open_ = false;
    columns_.clear();
    rows_.clear();
    unread_.reset();
    readFailure_.reset();
    pendingDeletes_.clear();
    updateTable_.clear();
    connection_.reset();
    editMode_ = adEditNone;
    position_ = 0;
}

void RecordsetData::RequireOpen() const {
    if (!open_)
        throw AdoError(errors::ObjectClosed, kSource, "Operation is not allowed when the object is closed.");
}

void RecordsetData::RequireRows() {
    RequireOpen();
    ReadUnreadRows();
}

long RecordsetData::RecordCount() {
    RequireRows();
    return static_cast<long>(rows_.size());
}

long RecordsetData::AbsolutePosition() {
    RequireRows();
    if (rows_.empty())
        return adPosUnknown;
    if (position_ < 0)
        return adPosBOF;
    if (position_ >= static_cast<std::ptrdiff_t>(rows_.size()))
        return adPosEOF;
    return static_cast<long>(position_ + 1);
}

void RecordsetData::SetAbsolutePosition(long position) {
    RequireRows();
    if (position < 1 || position > static_cast<long>(rows_.size()))
        throw AdoError(
            errors::InvalidArgument, kSource,
            "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one "
            "another: position " +
                std::to_string(position) + ".");
    MoveTo(position - 1);
}

bool RecordsetData::IsBOF() {
    RequireRows();
    return rows_.empty() || position_ < 0;
}

bool RecordsetData::IsEOF() {
    RequireRows();
    return rows_.empty() || position_ >= static_cast<std::ptrdiff_t>(rows_.size());
}

void RecordsetData::MoveTo(std::ptrdiff_t position) {
    RequireRows();
    LeaveRow();
    const auto count = static_cast<std::ptrdiff_t>(rows_.size());
    position_ = std::clamp<std::ptrdiff_t>(position, -1, count);
}

void RecordsetData::MoveBy(long records) {
    RequireRows();
    if ((records == 0 && (IsBOF() || IsEOF())) || (records > 0 && IsEOF()) || (records < 0 && IsBOF()))
        ThrowNoCurrentRecord();
    MoveTo(position_ + records);
}

void RecordsetData::MoveNext() {
    MoveBy(1);
}

void RecordsetData::MovePrevious() {
    MoveBy(-1);
}

void RecordsetData::MoveFirst() {
    RequireRows();
    MoveTo(0);
}

void RecordsetData::MoveLast() {
    RequireRows();
    MoveTo(rows_.empty() ? 0 : static_cast<std::ptrdiff_t>(rows_.size()) - 1);
}

std::size_t RecordsetData::ColumnCount() const {
    RequireOpen();
    return columns_.size();
}

const ColumnInfo& RecordsetData::Column(std::size_t index) const {
    RequireOpen();
    if (index >= columns_.size())
        throw AdoError(
            errors::ItemNotFound, "ADODB.Fields",
            "Item cannot be found in the collection corresponding to the requested name or ordinal: " +
                std::to_string(index) + ".");
    return columns_[index];
}

std::size_t RecordsetData::ColumnIndex(std::string_view name) const {
    RequireOpen();
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (text::EqualsIgnoringCase(columns_[i].name, name))
            return i;
    throw AdoError(
        errors::ItemNotFound, "ADODB.Fields",
        "Item cannot be found in the collection corresponding to the requested name or ordinal: \"" +
            std::string(name) + "\".");
}

CursorRow& RecordsetData::CurrentRow() {
    RequireRows();
    if (IsBOF() || IsEOF())
        ThrowNoCurrentRecord();
    return rows_[static_cast<std::size_t>(position_)];
}

Variant RecordsetData::Value(std::size_t column) {
    Column(column);
    return CurrentRow().values[column];
}

Variant RecordsetData::OriginalValue(std::size_t column) {
    Column(column);
    const CursorRow& row = CurrentRow();
    if (row.status == CursorRow::Status::Modified && column < row.original.size())
        return row.original[column];
    if (row.status == CursorRow::Status::New)
        return Variant::Null();
    return row.values[column];
}

long RecordsetData::ActualSize(std::size_t column) {
    const ColumnInfo& info = Column(column);
    const Variant& value = CurrentRow().values[column];
    switch (value.Type()) {
    case VariantType::Empty:
    case VariantType::Null:
        return 0;
    case VariantType::String:
        return static_cast<long>(value.AsString().size());
    case VariantType::Binary:
        return static_cast<long>(value.AsBytes().size());
    default:
        return info.definedSize;
    }
}

void RecordsetData::RequireUpdatable() const {
    RequireOpen();
    if (lockType == adLockReadOnly)
        ThrowNotUpdatable("the recordset is read-only");
    if (updateTable_.empty())
        ThrowNotUpdatable("the rows do not come from one table");
}

void RecordsetData::RequireWritable(std::size_t column) const {
    RequireUpdatable();
    const ColumnInfo& info = Column(column);
    if (info.baseColumn.empty() || !text::EqualsIgnoringCase(info.baseTable, updateTable_) ||
        info.isAutoIncrement)
        throw AdoError(errors::FeatureNotAvailable, kSource, "Field '" + info.name + "' cannot be updated.");
}

void RecordsetData::BeginEdit(CursorRow& row) {
    if (editMode_ == adEditNone) {
        editSnapshot_ = row;
        editMode_ = adEditInProgress;
    }
    if (row.status == CursorRow::Status::Unchanged) {
        row.original = row.values;
        row.status = CursorRow::Status::Modified;
    }
}

void RecordsetData::SetValue(std::size_t column, const Variant& value) {
    CursorRow& row = CurrentRow();
    RequireWritable(column);
    Variant coerced = CoerceToColumnType(value, columns_[column].type);
    BeginEdit(row);
    row.values[column] = std::move(coerced);
    row.changed[column] = true;
    chunkOffsets_[column] = 0;
    appending_[column] = false;
}

Variant RecordsetData::GetChunk(std::size_t column, long length) {
    Column(column);
    if (length < 0)
        throw AdoError(errors::InvalidArgument, "ADODB.Field", "GetChunk needs a length of 0 or more.");
    const Variant& value = CurrentRow().values[column];
    std::size_t& offset = chunkOffsets_[column];
    const auto wanted = static_cast<std::size_t>(length);
    if (value.Type() == VariantType::Binary) {
        const Bytes& bytes = value.AsBytes();
        if (offset >= bytes.size())
            return Variant::Null();
        const std::size_t n = std::min(wanted, bytes.size() - offset);
        const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(offset);
        offset += n;
        return Variant(Bytes(first, first + static_cast<std::ptrdiff_t>(n)));
    }
    if (value.IsMissing())
        return Variant::Null();
    // Long texts are read in many pieces, so the held text is not copied per piece.
    std::string converted;
    const std::string& textValue =
        value.Type() == VariantType::String ? value.AsString() : (converted = value.ToString());
    if (offset >= textValue.size())
        return Variant::Null();
    const std::size_t end = text::AdvanceChars(textValue, offset, wanted);
    Variant piece(textValue.substr(offset, end - offset));
    offset = end;
    return piece;
}

void RecordsetData::AppendChunk(std::size_t column, const Variant& data) {
    CursorRow& row = CurrentRow();
    RequireWritable(column);
    const DataTypeEnum type = columns_[column].type;
    Variant& current = row.values[column];
    if (!appending_[column] || current.IsMissing()) {
        // Text may arrive as bytes cut in the middle of a character; it is checked
        // whole when the row is written.
        Variant coerced = IsTextType(type) && data.Type() == VariantType::Binary
                              ? Variant(data.ToString())
                              : CoerceToColumnType(data, type);
        BeginEdit(row);
        current = std::move(coerced);
    } else if (!data.IsMissing()) {
        if (current.Type() == VariantType::String) {
            // Text arrives in pieces that may split a character, so the pieces are
            // joined as bytes.
            const std::string piece = data.ToString();
            BeginEdit(row);
            current.MutableString() += piece;
        } else if (current.Type() == VariantType::Binary) {
            if (data.Type() != VariantType::Binary && data.Type() != VariantType::String)
                throw AdoError(errors::DataConversion, "ADODB.Field",
                               "Application uses a value of the wrong type for the current operation.");
            BeginEdit(row);
            Bytes& bytes = current.MutableBytes();
            if (data.Type() == VariantType::Binary) {
                const Bytes& piece = data.AsBytes();
                bytes.insert(bytes.end(), piece.begin(), piece.end());
            } else {
                const std::string& piece = data.AsString();
                const std::size_t old = bytes.size();
                bytes.resize(old + piece.size());
                if (!piece.empty())
                    std::memcpy(bytes.data() + old, piece.data(), piece.size());
            }
        } else {
            throw AdoError(
                errors::IllegalOperation, "ADODB.Field",
                "Operation is not allowed in this context: AppendChunk needs a text or binary field.");
        }
    }
    row.changed[column] = true;
    appending_[column] = true;
    chunkOffsets_[column] = 0;
}

long RecordsetData::EditMode() const {
    RequireOpen();
    return editMode_;
}

void RecordsetData::ResetChunks() {
    std::fill(chunkOffsets_.begin(), chunkOffsets_.end(), 0);
    std::fill(appending_.begin(), appending_.end(), false);
}

void RecordsetData::LeaveRow() {
    if (editMode_ != adEditNone) {
        if (lockType != adLockBatchOptimistic && !IsBOF() && !IsEOF())
            WriteRow(rows_[static_cast<std::size_t>(position_)]);
        editMode_ = adEditNone;
    }
    ResetChunks();
}

void RecordsetData::WriteRow(CursorRow& row) {
    if (row.status == CursorRow::Status::Unchanged)
        return;
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (row.changed[i] && IsTextType(columns_[i].type) && row.values[i].Type() == VariantType::String &&
            !platform::IsValidUtf8(row.values[i].AsString()))
            throw AdoError(
                errors::DataConversion, kSource,
                "Application uses a value of the wrong type for the current operation: the text of "
                "field '" +
                    columns_[i].name + "' is not UTF-8.");
    RowChange change;
    change.kind = row.status == CursorRow::Status::New ? RowChangeKind::Insert : RowChangeKind::Update;
    change.original = row.original;
    change.values = row.values;
    change.changed = row.changed;
    change.identity = row.identity;
    if (!connection_)
        throw AdoError(errors::ObjectClosed, kSource, "Operation is not allowed when the object is closed.");
    connection_->OpenProvider(kSource).ApplyChange(columns_, updateTable_, change);
    if (change.values.size() == columns_.size())
        row.values = std::move(change.values);
    row.identity = std::move(change.identity);
    row.original.clear();
    std::fill(row.changed.begin(), row.changed.end(), false);
    row.status = CursorRow::Status::Unchanged;
}

void RecordsetData::WriteDeletion(const CursorRow& row) {
    RowChange change;
    change.kind = RowChangeKind::Delete;
    change.original = row.status == CursorRow::Status::Modified ? row.original : row.values;
    change.changed.assign(columns_.size(), false);
    change.identity = row.identity;
    if (!connection_)
        throw AdoError(errors::ObjectClosed, kSource, "Operation is not allowed when the object is closed.");
    connection_->OpenProvider(kSource).ApplyChange(columns_, updateTable_, change);
}

void RecordsetData::AddNew() {
    RequireUpdatable();
    RequireRows();
    LeaveRow();
    CursorRow row;
    row.values.assign(columns_.size(), Variant::Null());
    row.changed.assign(columns_.size(), false);
    row.status = CursorRow::Status::New;
    positionBeforeAdd_ = position_;
    rows_.push_back(std::move(row));
    position_ = static_cast<std::ptrdiff_t>(rows_.size()) - 1;
    editMode_ = adEditAdd;
}

void RecordsetData::Update() {
    RequireRows();
    if (editMode_ == adEditNone)
        return;
    if (lockType == adLockReadOnly)
        ThrowNotUpdatable("the recordset is read-only");
    if (lockType != adLockBatchOptimistic)
        WriteRow(CurrentRow());
    editMode_ = adEditNone;
    ResetChunks();
}

void RecordsetData::CancelUpdate() {
    RequireRows();
    if (editMode_ == adEditAdd) {
        rows_.erase(rows_.begin() + position_);
        position_ = std::min<std::ptrdiff_t>(positionBeforeAdd_, static_cast<std::ptrdiff_t>(rows_.size()));
    } else if (editMode_ == adEditInProgress) {
        CurrentRow() = editSnapshot_;
    }
    editMode_ = adEditNone;
    ResetChunks();
}

void RecordsetData::UpdateBatch(long affect) {
    RequireUpdatable();
    RequireRows();
    editMode_ = adEditNone;
    ResetChunks();
    if (affect == adAffectCurrent) {
        WriteRow(CurrentRow());
        return;
    }
    while (!pendingDeletes_.empty()) {
        WriteDeletion(pendingDeletes_.front());
        pendingDeletes_.erase(pendingDeletes_.begin());
    }
    for (CursorRow& row : rows_)
        WriteRow(row);
}

void RecordsetData::Delete(long /*affect*/) {
    RequireUpdatable();
    CursorRow& row = CurrentRow();
    if (row.status != CursorRow::Status::New) {
        if (lockType == adLockBatchOptimistic)
            pendingDeletes_.push_back(row);
        else
            WriteDeletion(row);
    }
    rows_.erase(rows_.begin() + position_);
    editMode_ = adEditNone;
    ResetChunks();
}

} // namespace kx::ado::detail
