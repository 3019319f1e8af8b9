#include "Recordset.h"

#include "AdoError.h"
#include "Connection.h"
#include "ConnectionState.h"
#include "RecordsetData.h"

namespace kx::ado {
namespace {

constexpr const char* kSource = "ADODB.Recordset";

detail::RecordsetData& Data(const std::shared_ptr<detail::RecordsetData>& data) {
    if (!data)
        throw AdoError(errors::ObjectClosed, kSource, "Operation is not allowed when the object is closed.");
    return *data;
}

} // namespace

Recordset::Recordset() : data_(std::make_shared<detail::RecordsetData>()) {}
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;

void Recordset::Open(std::string_view source, const Connection& activeConnection, long cursorType,
                     long lockType, long options) {
    detail::RecordsetData& data = Data(data_);
    if (data.IsOpen())
        throw AdoError(errors::ObjectOpen, kSource, "Operation is not allowed when the object is open.");
    if (cursorType != adOpenUnspecified)
        data.cursorType = cursorType;
    if (lockType != adLockUnspecified)
        data.lockType = lockType;
    const std::shared_ptr<detail::ConnectionState>& connection = activeConnection.state_;
    ExecuteResult result =
        connection->OpenProvider(kSource).Execute(source, CommandKindFromOptions(options), connection->Settings());
    if (!result.rows)
        throw AdoError(errors::IllegalOperation, kSource,
                       "Operation is not allowed in this context: the command returns no rows.");
    data.Load(std::move(*result.rows), connection, std::string(source), data.lockType);
}

void Recordset::Close() {
    Data(data_).Close();
}
long Recordset::State() const {
    return data_ && data_->IsOpen() ? adStateOpen : adStateClosed;
}
std::string Recordset::Source() const {
    return Data(data_).Source();
}

Connection Recordset::ActiveConnection() const {
    const std::shared_ptr<detail::ConnectionState>& connection = Data(data_).ActiveConnection();
    if (!connection)
        throw AdoError(errors::ObjectClosed, kSource, "Operation is not allowed when the object is closed.");
    return Connection(connection);
}

long Recordset::CursorLocation() const {
    return Data(data_).cursorLocation;
}
void Recordset::SetCursorLocation(long location) {
    Data(data_).cursorLocation = location;
}
long Recordset::CursorType() const {
    return Data(data_).cursorType;
}
void Recordset::SetCursorType(long cursorType) {
    Data(data_).cursorType = cursorType;
}
long Recordset::LockType() const {
    return Data(data_).lockType;
}
void Recordset::SetLockType(long lockType) {
    Data(data_).lockType = lockType;
}
long Recordset::CacheSize() const {
    return Data(data_).cacheSize;
}

void Recordset::SetCacheSize(long rows) {
    if (rows < 1)
        throw AdoError(errors::InvalidArgument, kSource, "CacheSize must be at least 1.");
    Data(data_).cacheSize = rows;
}

long Recordset::RecordCount() const {
    return Data(data_).RecordCount();
}
long Recordset::AbsolutePosition() const {
    return Data(data_).AbsolutePosition();
}
void Recordset::SetAbsolutePosition(long position) {
    Data(data_).SetAbsolutePosition(position);
}
bool Recordset::IsBOF() const {
    return Data(data_).IsBOF();
}
bool Recordset::IsEOF() const {
    return Data(data_).IsEOF();
}
void Recordset::MoveFirst() {
    Data(data_).MoveFirst();
}
void Recordset::MoveLast() {
    Data(data_).MoveLast();
}
void Recordset::MoveNext() {
    Data(data_).MoveNext();
}
void Recordset::MovePrevious() {
    Data(data_).MovePrevious();
}
void Recordset::Move(long records) {
    Data(data_).MoveBy(records);
}

Fields Recordset::Fields() const {
    Data(data_);
    return ado::Fields(data_);
}

Field Recordset::Item(long index) const {
    return Fields().Item(index);
}
Field Recordset::Item(std::string_view name) const {
    return Fields().Item(name);
}

long Recordset::EditMode() const {
    return Data(data_).EditMode();
}
void Recordset::AddNew() {
    Data(data_).AddNew();
}
void Recordset::Update() {
    Data(data_).Update();
}
void Recordset::CancelUpdate() {
    Data(data_).CancelUpdate();
}
void Recordset::UpdateBatch(long affect) {
    Data(data_).UpdateBatch(affect);
}
void Recordset::Delete(long affect) {
    Data(data_).Delete(affect);
}

} // namespace kx::ado
