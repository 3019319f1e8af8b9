#pragma once

#include "ColumnInfo.h"
#include "Properties.h"
#include "RowChange.h"
#include "RowSet.h"
#include "Variant.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::ado {

/// Connection settings a provider receives besides the named properties.
struct ProviderSettings {
    /// Connection.Mode (ConnectModeEnum).
    long mode = adModeUnknown;
    /// Connection.ConnectionTimeout in seconds; 0 means no limit.
    long connectionTimeout = 15;
    /// Connection.CommandTimeout in seconds; 0 means no limit.
    long commandTimeout = 30;
};

/// How the text of a command is to be taken.
enum class CommandKind {
    /// A statement of the provider's language.
    Text,
    /// The name of a table (or view) whose rows are wanted.
    Table,
    /// The provider decides: a bare name of an existing table means Table.
    Unknown,
};

/// The kind of command that Execute or Recordset::Open options (CommandTypeEnum,
/// -1 for unspecified) ask for.
CommandKind CommandKindFromOptions(long options);

/// What a command produced.
struct ExecuteResult {
    /// The rows, when the command returns rows (a SELECT, a table).
    std::optional<RowSet> rows;
    /// Rows inserted, changed or deleted; -1 when that does not apply.
    long recordsAffected = -1;
};

/// A data source driver behind a Connection ("Microsoft.Jet.OLEDB.4.0", ...).
///
/// A Connection creates one Provider through the registry (ProviderRegistry.h)
/// when it is opened, by the name in "Provider=" of its connection string, and
/// destroys it when it is closed. All calls come from the thread that uses the
/// connection. Every failure is thrown as AdoError, with the provider's own text
/// as description and its own code as native error; nothing else may escape.
///
/// The cursor is always client-side: a provider hands over complete RowSets (or
/// RowSets whose rows a RowSource reads on first need, while the connection is
/// still open and before its next command), and the client-side Recordset later
/// hands back edited rows through ApplyChange.
class Provider {
  public:
    virtual ~Provider() = default;

    /// Connects to the data source that the initialization properties name ("Data
    /// Source", "Initial Catalog", "User ID", "Password" and the provider's own).
    /// Property names must be matched without regard to case (Properties does).
    /// On failure nothing stays open.
    virtual void Open(const Properties& properties, const ProviderSettings& settings) = 0;

    /// Disconnects; never throws; harmless when not open.
    virtual void Close() noexcept = 0;

    /// Runs one command. Called only between a successful Open and Close.
    virtual ExecuteResult Execute(std::string_view command, CommandKind kind,
                                  const ProviderSettings& settings) = 0;

    /// A schema rowset (SchemaEnum). For adSchemaTables the columns are
    /// TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE, TABLE_GUID, DESCRIPTION,
    /// TABLE_PROPID, DATE_CREATED, DATE_MODIFIED; TABLE_TYPE is "TABLE", "VIEW" or
    /// "SYSTEM TABLE". `restrictions` are matched by position (catalog, schema,
    /// table name, table type); Empty or Null entries restrict nothing. A provider
    /// may also know adSchemaPrimaryKeys: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME,
    /// COLUMN_NAME, COLUMN_GUID, COLUMN_PROPID, ORDINAL (1 for the key's first
    /// column), PK_NAME, restricted by catalog, schema and table name. A schema
    /// the provider does not know throws errors::FeatureNotAvailable.
    virtual RowSet OpenSchema(long schema, const std::vector<Variant>& restrictions) = 0;

    /// Writes one edited row of a RowSet back to `table` (its updateTable), with
    /// `columns` as the RowSet reported them. Throws errors::RowNotFound when the
    /// row no longer exists as it was read.
    virtual void ApplyChange(const std::vector<ColumnInfo>& columns, const std::string& table,
                             RowChange& change) = 0;

    /// Names of the properties that hold secrets; a connection string read back
    /// from an open connection leaves them out unless "Persist Security Info" is
    /// true. Matched without regard to case.
    virtual std::vector<std::string> SecretProperties() const { return {"Password", "PWD"}; }
};

} // namespace kx::ado
