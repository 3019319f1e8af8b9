#include "ado/sqloledb/SqlOleDbProvider.h"

#include "ado/AdoError.h"
#include "ado/pg/PgError.h"
#include "ado/pg/PgQuote.h"
#include "ado/pg/ServerAddress.h"
#include "ado/sqloledb/OpenDataSourceReader.h"
#include "ado/sqloledb/PgRowSet.h"
#include "ado/sqloledb/PgSession.h"
#include "ado/sqloledb/PgTableWriter.h"
#include "ado/sqloledb/ProviderErrors.h"
#include "ado/sqloledb/SchemaTables.h"
#include "ado/tsql/TokenCursor.h"
#include "ado/tsql/TranslationError.h"
#include "ado/tsql/TsqlTokenizer.h"
#include "ado/tsql/TsqlTranslator.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <optional>

namespace kx::ado::sqloledb {

namespace {

/// The first of the named properties that has a value; "" when none has.
std::string PropertyText(const Properties& properties, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        std::string value = properties.Text(name);
        if (!value.empty()) {
            return value;
        }
    }
    return {};
}

/// The object name that makes up the whole command, or nothing.
std::optional<tsql::TsqlObjectName> WholeObjectName(std::string_view command) {
    try {
        tsql::TokenCursor cursor(command);
        if (!cursor.IsName()) {
            return std::nullopt;
        }
        tsql::TsqlObjectName name = cursor.TakeObjectName("a table name");
        while (cursor.AcceptSymbol(";")) {
        }
        if (!cursor.AtEnd()) {
            return std::nullopt;
        }
        return name;
    } catch (const tsql::TranslationError&) {
        return std::nullopt;
    }
}

bool SwitchesDatabase(const tsql::TranslationPlan& plan) {
    return std::any_of(plan.steps.begin(), plan.steps.end(), [](const tsql::PlanStep& step) {
        return std::holds_alternative<tsql::SwitchDatabase>(step);
    });
}

/// The database the rows of a plan come from: that of its last step with rows.
std::string RowsDatabase(const tsql::TranslationPlan& plan) {
    std::string database;
    for (const tsql::PlanStep& step : plan.steps) {
        if (const auto* run = std::get_if<tsql::RunSql>(&step); run != nullptr && run->returnsRows) {
            database = run->database;
        }
    }
    return database;
}

long RecordsAffected(const pg::PgResult& result) {
    const std::string tag = result.CommandTag();
    for (const char* counted : {"INSERT", "UPDATE", "DELETE", "COPY"}) {
        if (tag.starts_with(counted)) {
            return static_cast<long>(result.AffectedRows());
        }
    }
    return -1;
}

class SqlOleDbProvider final : public Provider {
  public:
    void Open(const Properties& properties, const ProviderSettings& settings) override;
    void Close() noexcept override {
        session_.reset();
        bookReader_.Release();
    }
    ExecuteResult Execute(std::string_view command, CommandKind kind,
                          const ProviderSettings& settings) override;
    RowSet OpenSchema(long schema, const std::vector<Variant>& restrictions) override;
    void ApplyChange(const std::vector<ColumnInfo>& columns, const std::string& table,
                     RowChange& change) override;

  private:
    template <typename Body> auto Guarded(Body body) -> decltype(body());
    PgSession& Session();
    void OpenSession(const Properties& properties, const ProviderSettings& settings);
    void ApplyCommandTimeout(const ProviderSettings& settings);
    ExecuteResult ExecuteText(std::string_view command);
    ExecuteResult ReadTable(std::string_view command, const tsql::TsqlObjectName& name);
    bool IsTableOfCurrentDatabase(const tsql::TsqlObjectName& name);
    void RememberUsedNames(std::string_view command);
    std::string CurrentCatalogName() const;

    std::optional<PgSession> session_;
    /// Reads the book files of OPENDATASOURCE imports; keeps the last one open.
    OpenDataSourceReader bookReader_;
    pg::PgConnectionSettings login_;
    /// The T-SQL names of databases, by their PostgreSQL names, as the caller wrote them.
    std::map<std::string, std::string> catalogNames_;
    // The connection on which statement_timeout was last set, and to what.
    const void* timedConnection_ = nullptr;
    long timedSeconds_ = -1;
    /// The settings of the last command, for calls that come without settings.
    ProviderSettings lastSettings_;
};

template <typename Body> auto SqlOleDbProvider::Guarded(Body body) -> decltype(body()) {
    try {
        return body();
    } catch (const AdoError&) {
        throw;
    } catch (const pg::PgError& error) {
        throw ServerError(error, login_.user);
    } catch (const tsql::TranslationError& error) {
        throw UntranslatableStatement(error);
    } catch (const std::exception& error) {
        throw AdoError(errors::E_Fail, kProviderSource, error.what());
    }
}

PgSession& SqlOleDbProvider::Session() {
    if (!session_) {
        throw AdoError(errors::ObjectClosed, kProviderSource,
                       "Operation is not allowed when the object is closed.");
    }
    return *session_;
}

void SqlOleDbProvider::Open(const Properties& properties, const ProviderSettings& settings) {
    session_.reset();
    bookReader_.Release();
    try {
        OpenSession(properties, settings);
    } catch (...) {
        session_.reset();
        throw;
    }
}

void SqlOleDbProvider::OpenSession(const Properties& properties, const ProviderSettings& settings) {
    Guarded([&] {
        const pg::ServerAddress address =
            pg::ParseDataSource(PropertyText(properties, {"Data Source", "Server"}));
        const std::string catalog = PropertyText(properties, {"Initial Catalog", "Database"});
        login_ = pg::PgConnectionSettings{};
        login_.host = address.host;
        login_.port = address.port;
        login_.user = PropertyText(properties, {"User ID", "UID"});
        login_.password = PropertyText(properties, {"Password", "PWD"});
        login_.database = pg::FoldDatabaseName(catalog);
        login_.connectTimeoutSeconds =
            static_cast<int>(std::clamp<long>(settings.connectionTimeout, 0, 86400));
        catalogNames_.clear();
        catalogNames_[login_.database] = catalog.empty() ? std::string("master") : catalog;
        timedConnection_ = nullptr;
        session_.emplace(login_);
        ApplyCommandTimeout(settings);
    });
}

void SqlOleDbProvider::ApplyCommandTimeout(const ProviderSettings& settings) {
    lastSettings_ = settings;
    const long seconds = std::max(0L, settings.commandTimeout);
    pg::PgConnection& current = Session().Current();
    if (current.Handle() == timedConnection_ && seconds == timedSeconds_) {
        return;
    }
    // The server takes at most INT_MAX milliseconds.
    const long long milliseconds = std::min<long long>(static_cast<long long>(seconds) * 1000, 2147483647LL);
    current.Exec("SET statement_timeout = " + std::to_string(milliseconds));
    timedConnection_ = current.Handle();
    timedSeconds_ = seconds;
}

ExecuteResult SqlOleDbProvider::Execute(std::string_view command, CommandKind kind,
                                        const ProviderSettings& settings) {
    return Guarded([&] {
        ApplyCommandTimeout(settings);
        if (kind == CommandKind::Text) {
            return ExecuteText(command);
        }
        const std::optional<tsql::TsqlObjectName> name = WholeObjectName(command);
        if (kind == CommandKind::Table) {
            if (!name) {
                throw AdoError(errors::ErrorsInCommand, kProviderSource,
                               "Invalid object name '" + std::string(command) + "'.",
                               kNativeInvalidObjectName);
            }
            return ReadTable(command, *name);
        }
        if (name && IsTableOfCurrentDatabase(*name)) {
            return ReadTable(command, *name);
        }
        return ExecuteText(command);
    });
}

bool SqlOleDbProvider::IsTableOfCurrentDatabase(const tsql::TsqlObjectName& name) {
    PgSession& session = Session();
    if (!name.database.empty() && pg::FoldDatabaseName(name.database) != session.CurrentDatabase()) {
        return false;
    }
    const pg::PgParam params[] = {pg::PgParam::Text(pg::QuoteIdent(pg::FoldName(name.object)))};
    return session.Current().ExecParams("SELECT to_regclass($1) IS NOT NULL", params).Value(0, 0) == "t";
}

ExecuteResult SqlOleDbProvider::ReadTable(std::string_view command, const tsql::TsqlObjectName& name) {
    PgSession& session = Session();
    if (!name.database.empty() && pg::FoldDatabaseName(name.database) != session.CurrentDatabase()) {
        // Rows of another database go through its own connection, read-only.
        return ExecuteText("SELECT * FROM " + std::string(command));
    }
    pg::PgConnection& connection = session.Current();
    const std::string table = pg::FoldName(name.object);
    const std::string quoted = pg::QuoteIdent(table);
    const pg::PgParam params[] = {pg::PgParam::Text(quoted)};
    const pg::PgResult kind =
        connection.ExecParams("SELECT relkind FROM pg_class WHERE oid = to_regclass($1)", params);
    if (kind.RowCount() == 0) {
        throw AdoError(errors::NoSuchTable, kProviderSource, "Invalid object name '" + name.object + "'.",
                       kNativeInvalidObjectName);
    }
    ExecuteResult result;
    if (kind.Value(0, 0) == "r") {
        result.rows = RowSetFromResult(
            &connection, connection.Exec("SELECT ctid, xmin, * FROM " + quoted + " ORDER BY ctid"), table);
    } else {
        result.rows = RowSetFromResult(&connection, connection.Exec("SELECT * FROM " + quoted));
    }
    return result;
}

ExecuteResult SqlOleDbProvider::ExecuteText(std::string_view command) {
    PgSession& session = Session();
    const tsql::TranslationPlan plan = tsql::TranslateTsql(command);
    if (SwitchesDatabase(plan)) {
        // The current connection is replaced; the time limit is set again on the next one.
        timedConnection_ = nullptr;
    }
    const pg::PgResult result = session.Run(
        plan, [this](const tsql::ImportJetTable& import, const auto& row) { bookReader_.Read(import, row); });
    if (SwitchesDatabase(plan)) {
        RememberUsedNames(command);
    }
    ExecuteResult out;
    if (plan.ReturnsRows()) {
        const std::string database = RowsDatabase(plan);
        pg::PgConnection* catalog =
            database.empty() || database == session.CurrentDatabase() ? &session.Current() : nullptr;
        out.rows = RowSetFromResult(catalog, result);
    } else if (const std::optional<long long> emptied = session.RowsEmptied()) {
        out.recordsAffected = static_cast<long>(*emptied);
    } else {
        out.recordsAffected = RecordsAffected(result);
    }
    return out;
}

void SqlOleDbProvider::RememberUsedNames(std::string_view command) {
    const std::vector<tsql::TsqlToken> tokens = tsql::TokenizeTsql(command);
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i].IsKeyword("use") && tokens[i + 1].IsNameLike()) {
            catalogNames_[pg::FoldDatabaseName(tokens[i + 1].value)] = tokens[i + 1].value;
        }
    }
}

std::string SqlOleDbProvider::CurrentCatalogName() const {
    const std::string& current = session_->CurrentDatabase();
    const auto found = catalogNames_.find(current);
    return found != catalogNames_.end() ? found->second : current;
}

RowSet SqlOleDbProvider::OpenSchema(long schema, const std::vector<Variant>& restrictions) {
    if (schema != adSchemaTables) {
        throw AdoError(errors::FeatureNotAvailable, kProviderSource,
                       "Object or provider is not capable of performing requested operation: schema " +
                           std::to_string(schema) + ".");
    }
    return Guarded([&] {
        PgSession& session = Session();
        ApplyCommandTimeout(lastSettings_);
        const std::string catalog = !restrictions.empty() && !restrictions[0].IsMissing()
                                        ? restrictions[0].ToString()
                                        : std::string();
        if (catalog.empty()) {
            return ListTables(session.Current(), CurrentCatalogName(), restrictions);
        }
        const std::string database = pg::FoldDatabaseName(catalog);
        if (database == session.CurrentDatabase()) {
            return ListTables(session.Current(), catalog, restrictions);
        }
        pg::PgConnectionSettings other = login_;
        other.database = database;
        pg::PgConnection connection(other);
        return ListTables(connection, catalog, restrictions);
    });
}

void SqlOleDbProvider::ApplyChange(const std::vector<ColumnInfo>& columns, const std::string& table,
                                   RowChange& change) {
    Guarded([&] {
        ApplyCommandTimeout(lastSettings_);
        Session().ForgetIdentitiesInLine();
        WriteRowChange(Session().Current(), columns, table, change);
    });
}

} // namespace

std::unique_ptr<Provider> NewSqlOleDbProvider() {
    return std::make_unique<SqlOleDbProvider>();
}

} // namespace kx::ado::sqloledb
