#pragma once

#include "AdoConstants.h"
#include "Properties.h"
#include "Recordset.h"
#include "Variant.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::ado {

namespace detail {
struct ConnectionState;
}

/// A connection to one data source, through the provider named by "Provider=" of
/// its connection string (or by SetProvider).
///
/// A Connection is a handle, like an object reference: copies refer to the same
/// connection, and a default-constructed Connection is a new, closed one. The
/// connection closes when its last handle and its last Recordset are gone.
///
/// Settings: the connection string's pairs other than "Provider" become the
/// Properties (names matched without regard to case); setting ConnectionString
/// replaces them all, setting single Properties afterwards changes them one by
/// one. Reading ConnectionString gives "Provider=...;" and the properties; on an
/// open connection the provider's secret properties (passwords) are left out
/// unless "Persist Security Info" is true.
///
/// Every failure throws AdoError.
class Connection {
  public:
    Connection();

    std::string ConnectionString() const;
    /// Throws errors::ObjectOpen while open, errors::InvalidArgument for a
    /// malformed string.
    void SetConnectionString(std::string_view connectionString);
    std::string Provider() const;
    void SetProvider(std::string_view provider);
    ado::Properties& Properties();
    const ado::Properties& Properties() const;

    long Mode() const;
    void SetMode(long mode);
    long CursorLocation() const;
    void SetCursorLocation(long location);
    /// Seconds; 0 means no limit.
    long ConnectionTimeout() const;
    void SetConnectionTimeout(long seconds);
    /// Seconds; 0 means no limit.
    long CommandTimeout() const;
    void SetCommandTimeout(long seconds);
    /// adStateOpen or adStateClosed.
    long State() const;

    /// Opens the connection. A non-empty `connectionString` replaces the
    /// connection string first; a non-empty `userId` / `password` sets "User ID" /
    /// "Password". Throws errors::ObjectOpen when already open,
    /// errors::ProviderNotFound for an unknown provider, and the provider's error
    /// when the data source cannot be opened (the connection then stays closed).
    void Open(std::string_view connectionString = {}, std::string_view userId = {},
              std::string_view password = {}, long options = -1);
    /// Throws errors::ObjectClosed when not open.
    void Close();

    /// Runs one statement. Returns the rows as a read-only Recordset with a
    /// client-side cursor when the statement gives rows, nothing otherwise.
    /// `recordsAffected` receives the number of rows changed (-1 for a query).
    /// `options`: a CommandTypeEnum (adCmdText, adCmdTable, -1 = let the provider
    /// decide), optionally with adExecuteNoRecords.
    std::optional<Recordset> Execute(std::string_view commandText, long* recordsAffected = nullptr,
                                     long options = -1);

    /// A schema rowset as a read-only Recordset; see Provider::OpenSchema for the
    /// columns of adSchemaTables and the meaning of `restrictions`.
    Recordset OpenSchema(long schema, const std::vector<Variant>& restrictions = {});

  private:
    friend class Recordset;
    explicit Connection(std::shared_ptr<detail::ConnectionState> state) : state_(std::move(state)) {}
    std::shared_ptr<detail::ConnectionState> state_;
};

} // namespace kx::ado
