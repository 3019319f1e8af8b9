#include "ado/sqloledb/JetBookReader.h"

#include "ado/AdoError.h"
#include "ado/Connection.h"
#include "ado/UnicodeText.h"
#include "ado/sqloledb/PgValueText.h"
#include "ado/sqloledb/ProviderErrors.h"

namespace kx::ado::sqloledb {

namespace {

/// SQL Server's "The OLE DB provider reported an error."
constexpr long kLinkedProviderError = 7399;

/// A name as the book file's SQL reads it, whatever it contains.
std::string JetName(std::string_view name) {
    std::string quoted = "\"";
    for (const char c : name) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

Connection OpenBook(const ImportJetTable& import) {
    Connection book;
    book.SetMode(adModeRead);
    book.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0");
    book.Properties().Set("Data Source", Variant(import.filePath));
    book.Properties().Set("Jet OLEDB:Database Password", Variant(import.password));
    book.SetCommandTimeout(0);
    book.Open();
    return book;
}

Recordset Query(Connection& book, const std::string& sql) {
    std::optional<Recordset> rows = book.Execute(sql, nullptr, adCmdText);
    if (!rows) {
        throw AdoError(errors::E_Fail, kProviderSource, "the book file answered no rows to: " + sql);
    }
    return std::move(*rows);
}

/// A name of the row number that no column of the table hides, or nothing when
/// every one of them is also a column's name.
std::optional<std::string> RowNumberName(Connection& book, const std::string& table) {
    const Recordset empty = Query(book, "SELECT * FROM " + table + " LIMIT 0");
    const Fields fields = empty.Fields();
    for (const char* candidate : {"rowid", "_rowid_", "oid"}) {
        bool hidden = false;
        for (long i = 0; i < fields.Count() && !hidden; ++i) {
            hidden = text::EqualsIgnoringCase(fields.Item(i).Name(), candidate);
        }
        if (!hidden) {
            return std::string(candidate);
        }
    }
    return std::nullopt;
}

/// Hands every row of `rows` over; the first `skip` fields are not values. Returns
/// the row number of the last row when `skip` is 1.
class RowHandover {
  public:
    RowHandover(const JetRowSink& sink, std::size_t columnCount) : sink_(sink), values_(columnCount) {}

    /// Returns the number of rows handed over.
    long HandOver(Recordset& rows, long skip, std::int64_t* lastRowNumber) {
        const Fields fields = rows.Fields();
        std::vector<Field> valueFields;
        for (long i = skip; i < fields.Count(); ++i) {
            valueFields.push_back(fields.Item(i));
        }
        long count = 0;
        for (; !rows.IsEOF(); rows.MoveNext()) {
            if (lastRowNumber != nullptr) {
                *lastRowNumber = fields.Item(0L).Value().ToInt64();
            }
            for (std::size_t i = 0; i < valueFields.size(); ++i) {
                values_[i] = PgTextOf(valueFields[i].Value());
            }
            insideSink_ = true;
            sink_(values_);
            insideSink_ = false;
            ++count;
        }
        return count;
    }

    /// Whether the last failure came from the sink rather than from the book file.
    bool InsideSink() const noexcept { return insideSink_; }

  private:
    const JetRowSink& sink_;
    std::vector<std::optional<std::string>> values_;
    bool insideSink_ = false;
};

} // namespace

void ReadJetBookTable(const ImportJetTable& import, const JetRowSink& row) {
    RowHandover handover(row, import.columns.size());
    try {
        Connection book = OpenBook(import);
        const std::string table = JetName(import.sourceTable);
        std::string columns;
        for (const JetImportColumn& column : import.columns) {
            columns += (columns.empty() ? "" : ", ") + JetName(column.sourceColumn);
        }
        const std::optional<std::string> rowNumber = RowNumberName(book, table);
        if (!rowNumber) {
            Recordset rows = Query(book, "SELECT " + columns + " FROM " + table);
            handover.HandOver(rows, 0, nullptr);
            return;
        }
        std::optional<std::int64_t> last;
        for (;;) {
            std::string sql = "SELECT " + *rowNumber + ", " + columns + " FROM " + table;
            if (last) {
                sql += " WHERE " + *rowNumber + " > " + std::to_string(*last);
            }
            sql += " ORDER BY " + *rowNumber + " LIMIT " + std::to_string(kJetRowsPerBatch);
            Recordset rows = Query(book, sql);
            std::int64_t lastInBatch = 0;
            if (handover.HandOver(rows, 1, &lastInBatch) < kJetRowsPerBatch) {
                return;
            }
            last = lastInBatch;
        }
    } catch (const AdoError& error) {
        if (handover.InsideSink()) {
            throw;
        }
        throw AdoError(error.Number(), kProviderSource,
                       "OLE DB provider \"Microsoft.Jet.OLEDB.4.0\" returned message \"" +
                           error.Description() + "\" for the book file \"" + import.filePath + "\".",
                       kLinkedProviderError);
    }
}

} // namespace kx::ado::sqloledb
