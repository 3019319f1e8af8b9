#include "ado/sqloledb/PgSession.h"

#include "ado/sqloledb/CopyTextFormat.h"
#include "ado/sqloledb/PgCopyIn.h"
#include "ado/sqloledb/PgTableCopy.h"
#include "ado/sqloledb/TsqlTranslator.h"

#include <stdexcept>
#include <type_traits>
#include <utility>

namespace kx::ado::sqloledb {

namespace {

/// The first `characters` code points of UTF-8 text.
std::string_view FirstCharacters(std::string_view text, int characters) {
    std::size_t end = 0;
    for (int counted = 0; end < text.size(); ++end) {
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && counted++ == characters) {
            break;
        }
    }
    return text.substr(0, end);
}

} // namespace

PgSession::PgSession(PgConnectionSettings settings) : settings_(std::move(settings)), current_(settings_) {}

PgConnection PgSession::OpenConnection(const std::string& database) const {
    PgConnectionSettings settings = settings_;
    settings.database = database;
    return PgConnection(settings);
}

PgConnection& PgSession::ConnectionFor(const std::string& database) {
    if (database.empty() || database == settings_.database) {
        return current_;
    }
    auto found = others_.find(database);
    if (found == others_.end()) {
        found = others_.emplace(database, OpenConnection(database)).first;
    }
    return found->second;
}

bool PgSession::IdentityInsertOn(std::string_view database, std::string_view table) const {
    const std::string db = database.empty() ? settings_.database : std::string(database);
    return identityInsert_.count({db, std::string(table)}) != 0;
}

PgResult PgSession::Execute(std::string_view tsql, const JetRowReader& jetReader) {
    return Run(TranslateTsql(tsql), jetReader);
}

PgResult PgSession::Run(const TranslationPlan& plan, const JetRowReader& jetReader) {
    for (const PlanStep& step : plan.steps) {
        if (std::holds_alternative<ImportJetTable>(step) && !jetReader) {
            throw std::logic_error("a Jet book import needs a reader of the Jet table");
        }
    }
    PgResult last;
    std::optional<PgResult> lastRows;
    for (const PlanStep& step : plan.steps) {
        last = RunStep(step, jetReader);
        if (const auto* run = std::get_if<RunSql>(&step); run != nullptr && run->returnsRows) {
            lastRows = last;
        }
    }
    return lastRows ? *lastRows : last;
}

PgResult PgSession::RunStep(const PlanStep& step, const JetRowReader& jetReader) {
    return std::visit(
        [this, &jetReader](const auto& action) -> PgResult {
            using Action = std::decay_t<decltype(action)>;
            if constexpr (std::is_same_v<Action, RunSql>) {
                return ConnectionFor(action.database).Exec(action.sql);
            } else if constexpr (std::is_same_v<Action, SwitchDatabase>) {
                if (action.database != settings_.database) {
                    PgConnection next = OpenConnection(action.database);
                    others_.erase(action.database);
                    current_ = std::move(next);
                    settings_.database = action.database;
                }
                return {};
            } else if constexpr (std::is_same_v<Action, CreateDatabase>) {
                PgResult created = current_.Exec(action.createSql);
                OpenConnection(action.database).Exec(action.setupSql);
                return created;
            } else if constexpr (std::is_same_v<Action, ShrinkDatabase>) {
                return ConnectionFor(action.database).Exec(action.vacuumSql);
            } else if constexpr (std::is_same_v<Action, SetIdentityInsert>) {
                const std::string db = action.database.empty() ? settings_.database : action.database;
                if (action.on) {
                    identityInsert_.insert({db, action.table});
                } else {
                    identityInsert_.erase({db, action.table});
                }
                return {};
            } else if constexpr (std::is_same_v<Action, ImportJetTable>) {
                return Import(action, jetReader);
            } else {
                static_assert(std::is_same_v<Action, CopyTableBetweenDatabases>);
                const std::string sourceDb =
                    action.sourceDatabase.empty() ? settings_.database : action.sourceDatabase;
                const std::string targetDb =
                    action.targetDatabase.empty() ? settings_.database : action.targetDatabase;
                PgConnection& source = ConnectionFor(sourceDb);
                if (sourceDb == targetDb) {
                    // One connection cannot stream out and in at once.
                    PgConnection target = OpenConnection(targetDb);
                    CopyTableBetweenConnections(source, action.sourceTable, target, action.targetTable);
                } else {
                    CopyTableBetweenConnections(source, action.sourceTable, ConnectionFor(targetDb),
                                                action.targetTable);
                }
                return {};
            }
        },
        step);
}

PgResult PgSession::Import(const ImportJetTable& import, const JetRowReader& jetReader) {
    PgConnection& connection = ConnectionFor(import.database);
    PgCopyIn copy(connection, import.copySql);
    CopyTextRowBuilder builder;
    jetReader(import, [&](const std::vector<std::optional<std::string>>& values) {
        if (values.size() != import.columns.size()) {
            throw std::logic_error("a Jet row with " + std::to_string(values.size()) + " values for " +
                                   std::to_string(import.columns.size()) + " columns");
        }
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (!values[i]) {
                builder.AddNull();
            } else if (const int limit = import.columns[i].truncateToCharacters; limit > 0) {
                builder.AddText(FirstCharacters(*values[i], limit));
            } else {
                builder.AddText(*values[i]);
            }
        }
        copy.Write(builder.TakeRow());
    });
    copy.Finish();
    return {};
}

} // namespace kx::ado::sqloledb
