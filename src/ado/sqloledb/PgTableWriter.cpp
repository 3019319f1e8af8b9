#include "ado/sqloledb/PgTableWriter.h"

#include "ado/AdoError.h"
#include "ado/UnicodeText.h"
#include "ado/pg/PgConnection.h"
#include "ado/pg/PgQuote.h"
#include "ado/pg/PgValueText.h"
#include "ado/sqloledb/ProviderErrors.h"

namespace kx::ado::sqloledb {

namespace {

[[noreturn]] void ThrowRowNotFound(const char* text) {
    throw AdoError(errors::RowNotFound, kProviderSource, text);
}

std::string Placeholder(std::size_t number) {
    std::string text = std::to_string(number);
    text.insert(text.begin(), '$');
    return text;
}

bool IsLong(const ColumnInfo& column) {
    return (column.attributes & adFldLong) != 0;
}

/// " WHERE ctid = $n::tid AND xmin = $n+1::xid", the identity appended to `params`.
std::string IdentityCondition(const RowChange& change, std::vector<pg::PgParam>& params) {
    if (change.identity.size() != 2) {
        ThrowRowNotFound("Insufficient key column information for updating or refreshing.");
    }
    params.push_back(pg::PgParam::Text(change.identity[0].ToString()));
    params.push_back(pg::PgParam::Text(change.identity[1].ToString()));
    return " WHERE ctid = " + Placeholder(params.size() - 1) +
           "::tid AND xmin = " + Placeholder(params.size()) + "::xid";
}

/// " RETURNING ctid, xmin, ..." for the columns whose stored values are wanted.
std::string Returning(const std::vector<ColumnInfo>& columns, const std::vector<std::size_t>& readBack) {
    std::string sql = " RETURNING ctid, xmin";
    for (const std::size_t i : readBack) {
        sql += ", " + pg::QuoteIdent(columns[i].baseColumn);
    }
    return sql;
}

void TakeWritten(const pg::PgResult& result, const std::vector<ColumnInfo>& columns,
                 const std::vector<std::size_t>& readBack, RowChange& change) {
    change.identity = {Variant(result.Value(0, 0)), Variant(result.Value(0, 1))};
    change.values.resize(columns.size());
    for (std::size_t k = 0; k < readBack.size(); ++k) {
        const int column = static_cast<int>(k) + 2;
        const std::size_t i = readBack[k];
        change.values[i] = result.IsNull(0, column)
                               ? Variant::Null()
                               : pg::VariantFromPgText(result.Value(0, column), columns[i].type);
    }
}

} // namespace

void WriteRowChange(pg::PgConnection& connection, const std::vector<ColumnInfo>& columns,
                    const std::string& table, RowChange& change) {
    std::vector<std::size_t> base;
    std::vector<std::size_t> assigned;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].baseColumn.empty() || !text::EqualsIgnoringCase(columns[i].baseTable, table)) {
            continue;
        }
        base.push_back(i);
        if (i < change.changed.size() && change.changed[i]) {
            assigned.push_back(i);
        }
    }
    const std::string quotedTable = pg::QuoteIdent(table);
    std::vector<pg::PgParam> params;

    if (change.kind == RowChangeKind::Delete) {
        const std::string sql = "DELETE FROM " + quotedTable + IdentityCondition(change, params);
        if (connection.ExecParams(sql, params).AffectedRows() == 0) {
            ThrowRowNotFound("Row cannot be located for deleting. Some values may have been changed since it "
                             "was last read.");
        }
        return;
    }

    std::vector<std::size_t> readBack;
    std::string sql;
    if (change.kind == RowChangeKind::Update) {
        if (assigned.empty()) {
            return;
        }
        sql = "UPDATE " + quotedTable + " SET ";
        for (const std::size_t i : assigned) {
            params.push_back(pg::PgParamOf(change.values.at(i)));
            sql += (params.size() > 1 ? ", " : "") + pg::QuoteIdent(columns[i].baseColumn) + " = " +
                   Placeholder(params.size());
            if (!IsLong(columns[i])) {
                readBack.push_back(i);
            }
        }
        sql += IdentityCondition(change, params);
    } else {
        sql = "INSERT INTO " + quotedTable;
        std::string names;
        std::string marks;
        for (const std::size_t i : assigned) {
            params.push_back(pg::PgParamOf(change.values.at(i)));
            if (params.size() > 1) {
                names += ", ";
                marks += ", ";
            }
            names += pg::QuoteIdent(columns[i].baseColumn);
            marks += Placeholder(params.size());
        }
        sql += assigned.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + marks + ")";
        for (const std::size_t i : base) {
            const bool sentLong = IsLong(columns[i]) && i < change.changed.size() && change.changed[i];
            if (!sentLong) {
                readBack.push_back(i);
            }
        }
    }
    const pg::PgResult result = connection.ExecParams(sql + Returning(columns, readBack), params);
    if (result.RowCount() == 0) {
        ThrowRowNotFound("Row cannot be located for updating. Some values may have been changed since it was "
                         "last read.");
    }
    TakeWritten(result, columns, readBack, change);
}

} // namespace kx::ado::sqloledb
