#include "Connection.h"

#include "AdoError.h"
#include "ConnectionState.h"
#include "ConnectionString.h"
#include "ProviderRegistry.h"
#include "RecordsetData.h"
#include "UnicodeText.h"

#include <algorithm>
#include <utility>

namespace kx::ado {
namespace {

constexpr const char* kSource = "ADODB.Connection";

[[noreturn]] void ThrowOpen() {
    throw AdoError(errors::ObjectOpen, kSource, "Operation is not allowed when the object is open.");
}

bool IsSecret(const std::vector<std::string>& secrets, std::string_view name) {
    return std::any_of(secrets.begin(), secrets.end(),
                       [&](const std::string& s) { return text::EqualsIgnoringCase(s, name); });
}

} // namespace

namespace detail {

Provider& ConnectionState::OpenProvider(const char* source) {
    if (!open)
        throw AdoError(errors::ObjectClosed, source, "Operation is not allowed when the object is closed.");
    const std::vector<std::weak_ptr<RecordsetData>> waiting = std::exchange(unreadRecordsets, {});
    for (const std::weak_ptr<RecordsetData>& entry : waiting) {
        if (const std::shared_ptr<RecordsetData> data = entry.lock()) {
            try {
                data->ReadUnreadRows();
            } catch (const AdoError&) {
                // The recordset keeps the failure and reports it when it is used.
            }
        }
    }
    return *open;
}

} // namespace detail

Connection::Connection() : state_(std::make_shared<detail::ConnectionState>()) {}

std::string Connection::ConnectionString() const {
    std::string text;
    if (!state_->provider.empty())
        text = "Provider=" + QuoteConnectionStringValue(state_->provider);
    std::vector<std::string> secrets;
    if (state_->open) {
        const Variant persist = state_->properties.ValueOr("Persist Security Info", Variant(false));
        bool keepSecrets = false;
        try {
            keepSecrets = persist.ToBool();
        } catch (const AdoError&) {
        }
        if (!keepSecrets)
            secrets = state_->open->SecretProperties();
    }
    for (const Property& p : state_->properties.Items()) {
        if (IsSecret(secrets, p.name))
            continue;
        if (!text.empty())
            text += ";";
        text += p.name + "=" + QuoteConnectionStringValue(p.value.ToString());
    }
    return text;
}

void Connection::SetConnectionString(std::string_view connectionString) {
    if (state_->open)
        ThrowOpen();
    std::vector<ConnectionStringPart> parts = ParseConnectionString(connectionString);
    state_->properties.Clear();
    for (ConnectionStringPart& part : parts) {
        if (text::EqualsIgnoringCase(part.keyword, "Provider"))
            state_->provider = std::move(part.value);
        else
            state_->properties.Set(part.keyword, Variant(std::move(part.value)));
    }
}

std::string Connection::Provider() const {
    return state_->provider;
}

void Connection::SetProvider(std::string_view provider) {
    if (state_->open)
        ThrowOpen();
    state_->provider = std::string(provider);
}

Properties& Connection::Properties() {
    return state_->properties;
}
const Properties& Connection::Properties() const {
    return state_->properties;
}

long Connection::Mode() const {
    return state_->mode;
}
void Connection::SetMode(long mode) {
    state_->mode = mode;
}
long Connection::CursorLocation() const {
    return state_->cursorLocation;
}
void Connection::SetCursorLocation(long location) {
    state_->cursorLocation = location;
}
long Connection::ConnectionTimeout() const {
    return state_->connectionTimeout;
}
void Connection::SetConnectionTimeout(long seconds) {
    state_->connectionTimeout = seconds;
}
long Connection::CommandTimeout() const {
    return state_->commandTimeout;
}
void Connection::SetCommandTimeout(long seconds) {
    state_->commandTimeout = seconds;
}
long Connection::State() const {
    return state_->open ? adStateOpen : adStateClosed;
}

void Connection::Open(std::string_view connectionString, std::string_view userId, std::string_view password,
                      long /*options*/) {
    if (state_->open)
        ThrowOpen();
    if (!connectionString.empty())
        SetConnectionString(connectionString);
    if (!userId.empty())
        state_->properties.Set("User ID", Variant(userId));
    if (!password.empty())
        state_->properties.Set("Password", Variant(password));
    if (state_->provider.empty())
        throw AdoError(errors::ProviderNotFound, kSource, "No provider was named in the connection string.");
    std::unique_ptr<ado::Provider> provider = CreateProvider(state_->provider);
    provider->Open(state_->properties, state_->Settings());
    state_->open = std::move(provider);
}

void Connection::Close() {
    ado::Provider& provider = state_->OpenProvider(kSource);
    provider.Close();
    state_->open.reset();
}

std::optional<Recordset> Connection::Execute(std::string_view commandText, long* recordsAffected,
                                             long options) {
    ado::Provider& provider = state_->OpenProvider(kSource);
    ExecuteResult result = provider.Execute(commandText, CommandKindFromOptions(options), state_->Settings());
    if (recordsAffected != nullptr)
        *recordsAffected = result.recordsAffected;
    if (!result.rows || (options != -1 && (options & adExecuteNoRecords) != 0))
        return std::nullopt;
    Recordset rs;
    rs.data_->Load(std::move(*result.rows), state_, std::string(commandText), adLockReadOnly);
    return rs;
}

Recordset Connection::OpenSchema(long schema, const std::vector<Variant>& restrictions) {
    ado::Provider& provider = state_->OpenProvider(kSource);
    RowSet rows = provider.OpenSchema(schema, restrictions);
    rows.updateTable.clear();
    Recordset rs;
    rs.data_->Load(std::move(rows), state_, std::string(), adLockReadOnly);
    return rs;
}

CommandKind CommandKindFromOptions(long options) {
    if (options == adCmdUnspecified)
        return CommandKind::Unknown;
    const long type = options & (adCmdText | adCmdTable | adCmdStoredProc | adCmdUnknown | adCmdTableDirect);
    if (type == adCmdText || type == adCmdStoredProc)
        return CommandKind::Text;
    if (type == adCmdTable || type == adCmdTableDirect)
        return CommandKind::Table;
    return CommandKind::Unknown;
}

} // namespace kx::ado
