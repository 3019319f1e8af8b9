// Recognizers of the statements that read and change rows.

#include "ado/pg/PgQuote.h"
#include "platform/CaseFolding.h"
#include "ado/pg/PgStatements.h"
#include "ado/tsql/TokenCursor.h"
#include "ado/tsql/TsqlExpression.h"
#include "ado/tsql/TsqlRecognizers.h"

#include <algorithm>
#include <map>

namespace kx::ado::tsql {

namespace {

std::string TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

/// The folded database of a table name; empty for the current one.
std::string DatabaseOf(const TokenCursor& cursor, const TsqlObjectName& name) {
    return name.database.empty() ? std::string() : FoldedDatabaseName(cursor, name.database);
}

/// "(a, [b], c)": the names as written.
std::vector<std::string> TakeNameList(TokenCursor& cursor, std::string_view what) {
    std::vector<std::string> names;
    cursor.ExpectSymbol("(");
    do {
        names.push_back(cursor.TakeName(what));
    } while (cursor.AcceptSymbol(","));
    cursor.ExpectSymbol(")");
    return names;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        joined += (i > 0 ? ", " : "") + parts[i];
    }
    return joined;
}

/// "WHERE condition" when present, translated with its leading blank.
std::string TakeWhere(TokenCursor& cursor) {
    if (!cursor.AcceptKeyword("where")) {
        return {};
    }
    return " WHERE " + TranslateExpression(cursor);
}

/// Key/value pairs of an OLE DB connection string; keys in lower case, values
/// without their enclosing quotes.
std::map<std::string, std::string> ParseConnectionString(const TokenCursor& cursor, std::string_view text) {
    std::map<std::string, std::string> pairs;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t equals = text.find('=', pos);
        const std::size_t semicolon = text.find(';', pos);
        if (equals == std::string_view::npos || (semicolon != std::string_view::npos && semicolon < equals)) {
            if (!TrimBlanks(text.substr(pos, semicolon - pos)).empty()) {
                cursor.Fail("malformed OPENDATASOURCE connection string");
            }
            pos = semicolon == std::string_view::npos ? text.size() : semicolon + 1;
            continue;
        }
        const std::string key = platform::ToLower(TrimBlanks(text.substr(pos, equals - pos)));
        pos = equals + 1;
        while (pos < text.size() && text[pos] == ' ') {
            ++pos;
        }
        std::string value;
        if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
            const char quote = text[pos];
            const std::size_t close = text.find(quote, pos + 1);
            if (close == std::string_view::npos) {
                cursor.Fail("unterminated quoted value in the OPENDATASOURCE connection string");
            }
            value = std::string(text.substr(pos + 1, close - pos - 1));
            pos = close + 1;
            while (pos < text.size() && text[pos] == ' ') {
                ++pos;
            }
            if (pos < text.size() && text[pos] != ';') {
                cursor.Fail("malformed OPENDATASOURCE connection string");
            }
        } else {
            const std::size_t end = text.find(';', pos);
            value = TrimBlanks(
                text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
            pos = end == std::string_view::npos ? text.size() : end;
        }
        if (pos < text.size()) {
            ++pos;
        }
        pairs[key] = value;
    }
    return pairs;
}

/// One item of the import's select list: [column] or CONVERT(varchar(n), [column]).
JetImportColumn TakeImportItem(TokenCursor& cursor) {
    JetImportColumn column;
    if (cursor.IsKeyword("convert") && cursor.IsSymbol("(", 1)) {
        cursor.Take();
        cursor.Take();
        const TsqlType type = TakeTsqlType(cursor);
        const std::string name = platform::ToLower(type.name);
        if ((name != "varchar" && name != "nvarchar" && name != "char" && name != "nchar") ||
            type.args.size() != 1 || type.args[0] < 1 || type.args[0] > 8000) {
            cursor.Fail("only CONVERT to varchar(n) is supported in a Jet import");
        }
        cursor.ExpectSymbol(",");
        column.sourceColumn = cursor.TakeName("a column of the Jet table");
        cursor.ExpectSymbol(")");
        column.truncateToCharacters = static_cast<int>(type.args[0]);
        return column;
    }
    column.sourceColumn = cursor.TakeName("a column of the Jet table");
    if (cursor.IsSymbol(".")) {
        cursor.Fail("qualified column names are not supported in a Jet import");
    }
    return column;
}

/// One item of a select list: *, t.*, value [[AS] alias] or alias = value.
std::string TakeSelectItem(TokenCursor& cursor) {
    if (cursor.AcceptSymbol("*")) {
        return "*";
    }
    if (cursor.IsName() && cursor.IsSymbol(".", 1) && cursor.IsSymbol("*", 2)) {
        std::string qualifier = QuotedName(cursor, cursor.TakeName("a table name"));
        cursor.Take();
        cursor.Take();
        return qualifier + ".*";
    }
    if (cursor.IsName() && cursor.IsSymbol("=", 1)) {
        const std::string alias = QuotedName(cursor, cursor.TakeName("a column alias"));
        cursor.Take();
        return TranslateExpression(cursor) + " AS " + alias;
    }
    std::string item = TranslateExpression(cursor);
    if (cursor.AcceptKeyword("as") || cursor.IsName()) {
        item += " AS " + QuotedName(cursor, cursor.TakeName("a column alias"));
    }
    return item;
}

/// "TOP n" or "TOP (n)" as the LIMIT count, or "".
std::string TakeTop(TokenCursor& cursor) {
    if (!cursor.AcceptKeyword("top")) {
        return {};
    }
    const bool parenthesised = cursor.AcceptSymbol("(");
    const TsqlToken& count = cursor.Take();
    if (count.kind != TsqlTokenKind::Number || count.text.find_first_of(".eE") != std::string::npos) {
        cursor.Fail("expected a whole number after TOP");
    }
    if (parenthesised) {
        cursor.ExpectSymbol(")");
    }
    if (cursor.IsKeyword("percent") || cursor.IsKeyword("with")) {
        cursor.Fail("TOP PERCENT and TOP WITH TIES are not supported");
    }
    return count.text;
}

std::string TakeExpressionList(TokenCursor& cursor, bool withDirection) {
    std::vector<std::string> items;
    do {
        std::string item = TranslateExpression(cursor);
        if (withDirection) {
            if (cursor.AcceptKeyword("asc")) {
                item += " ASC";
            } else if (cursor.AcceptKeyword("desc")) {
                item += " DESC";
            }
        }
        items.push_back(std::move(item));
    } while (cursor.AcceptSymbol(","));
    return Joined(items);
}

} // namespace

std::optional<TranslationPlan> RecognizeJetImport(TokenCursor& cursor) {
    const std::size_t start = cursor.Position();
    if (!cursor.AcceptKeyword("insert")) {
        return std::nullopt;
    }
    cursor.AcceptKeyword("into");
    if (!cursor.IsName()) {
        cursor.Rewind(start);
        return std::nullopt;
    }
    const TsqlObjectName target = cursor.TakeObjectName("a table name");
    if (!cursor.IsSymbol("(")) {
        cursor.Rewind(start);
        return std::nullopt;
    }
    const std::vector<std::string> targetColumns = TakeNameList(cursor, "a column name");
    if (!cursor.AcceptKeyword("select")) {
        cursor.Rewind(start);
        return std::nullopt;
    }
    // Only a select from OPENDATASOURCE is this shape; look for it before reading the list.
    std::size_t ahead = 0;
    while (cursor.Peek(ahead) != nullptr && !cursor.IsKeyword("from", ahead)) {
        ++ahead;
    }
    if (!cursor.IsKeyword("opendatasource", ahead + 1)) {
        cursor.Rewind(start);
        return std::nullopt;
    }

    ImportJetTable import;
    do {
        import.columns.push_back(TakeImportItem(cursor));
    } while (cursor.AcceptSymbol(","));
    if (import.columns.size() != targetColumns.size()) {
        cursor.Fail("the INSERT names " + std::to_string(targetColumns.size()) +
                    " columns but the SELECT gives " + std::to_string(import.columns.size()));
    }
    cursor.ExpectKeyword("from");
    cursor.ExpectKeyword("opendatasource");
    cursor.ExpectSymbol("(");
    const TsqlToken& provider = cursor.Take();
    if (provider.kind != TsqlTokenKind::String || platform::ToLower(provider.value) != "microsoft.jet.oledb.4.0") {
        cursor.Fail("OPENDATASOURCE supports only the provider 'Microsoft.Jet.OLEDB.4.0'");
    }
    cursor.ExpectSymbol(",");
    const TsqlToken& connection = cursor.Take();
    if (connection.kind != TsqlTokenKind::String && connection.kind != TsqlTokenKind::NationalString) {
        cursor.Fail("expected the OPENDATASOURCE connection string");
    }
    const std::map<std::string, std::string> settings = ParseConnectionString(cursor, connection.value);
    cursor.ExpectSymbol(")");
    // OPENDATASOURCE(...)...[T]: the catalog and schema parts are always empty.
    cursor.ExpectSymbol(".");
    cursor.ExpectSymbol(".");
    cursor.ExpectSymbol(".");
    import.sourceTable = cursor.TakeName("a table of the Jet book");
    if (cursor.AcceptKeyword("as") || cursor.IsName()) {
        cursor.TakeName("a rowset alias");
    }

    const auto dataSource = settings.find("data source");
    if (dataSource == settings.end() || dataSource->second.empty()) {
        cursor.Fail("the OPENDATASOURCE connection string names no Data Source");
    }
    import.filePath = dataSource->second;
    if (const auto password = settings.find("jet oledb:database password"); password != settings.end()) {
        import.password = password->second;
    }
    import.database = DatabaseOf(cursor, target);
    import.targetTable = FoldedName(cursor, target.object);
    std::vector<std::string> folded;
    for (std::size_t i = 0; i < targetColumns.size(); ++i) {
        import.columns[i].targetColumn = FoldedName(cursor, targetColumns[i]);
        folded.push_back(import.columns[i].targetColumn);
    }
    import.copySql = pg::CopyFromStdinSql(import.targetTable, folded);

    TranslationPlan plan;
    const std::string database = import.database;
    const std::string table = import.targetTable;
    plan.steps.emplace_back(std::move(import));
    // Imported identity values must not be met again by generated ones.
    plan.steps.emplace_back(SyncIdentity{database, table});
    return plan;
}

std::optional<TranslationPlan> RecognizeDelete(TokenCursor& cursor) {
    if (!cursor.AcceptKeyword("delete")) {
        return std::nullopt;
    }
    if (cursor.IsKeyword("top")) {
        cursor.Fail("DELETE TOP is not supported");
    }
    cursor.AcceptKeyword("from");
    const TsqlObjectName table = cursor.TakeObjectName("a table name");
    if (cursor.IsKeyword("from")) {
        cursor.Fail("DELETE with a second FROM (a join) is not supported");
    }
    const std::string quoted = QuotedName(cursor, table.object);
    const std::string where = TakeWhere(cursor);
    TranslationPlan plan;
    if (where.empty()) {
        plan.steps.emplace_back(EmptyTable{DatabaseOf(cursor, table), FoldedName(cursor, table.object),
                                           "DELETE FROM " + quoted,
                                           "TRUNCATE TABLE " + quoted + " CONTINUE IDENTITY"});
    } else {
        plan.steps.emplace_back(RunSql{"DELETE FROM " + quoted + where, DatabaseOf(cursor, table), false});
    }
    return plan;
}

std::optional<TranslationPlan> RecognizeSelect(TokenCursor& cursor) {
    if (!cursor.AcceptKeyword("select")) {
        return std::nullopt;
    }
    std::string sql = "SELECT ";
    if (cursor.AcceptKeyword("distinct")) {
        sql += "DISTINCT ";
    } else {
        cursor.AcceptKeyword("all");
    }
    const std::string limit = TakeTop(cursor);
    std::vector<std::string> items;
    do {
        items.push_back(TakeSelectItem(cursor));
    } while (cursor.AcceptSymbol(","));
    sql += Joined(items);
    if (cursor.IsKeyword("into")) {
        cursor.Fail("SELECT ... INTO is supported only as SELECT * INTO [db]..[t] FROM [db]..[t]");
    }
    std::string database;
    if (cursor.AcceptKeyword("from")) {
        const TsqlObjectName table = cursor.TakeObjectName("a table name");
        database = DatabaseOf(cursor, table);
        sql += " FROM " + QuotedName(cursor, table.object);
        if (cursor.AcceptKeyword("as") || cursor.IsName()) {
            sql += " " + QuotedName(cursor, cursor.TakeName("a table alias"));
        }
        if (cursor.IsSymbol(",") || cursor.IsKeyword("join") || cursor.IsKeyword("inner") ||
            cursor.IsKeyword("left") || cursor.IsKeyword("right") || cursor.IsKeyword("full") ||
            cursor.IsKeyword("cross")) {
            cursor.Fail("queries over several tables are not supported");
        }
        if (cursor.IsKeyword("with")) {
            cursor.Fail("table hints are not supported");
        }
    }
    sql += TakeWhere(cursor);
    if (cursor.AcceptKeyword("group")) {
        cursor.ExpectKeyword("by");
        sql += " GROUP BY " + TakeExpressionList(cursor, false);
    }
    if (cursor.AcceptKeyword("having")) {
        sql += " HAVING " + TranslateExpression(cursor);
    }
    if (cursor.AcceptKeyword("order")) {
        cursor.ExpectKeyword("by");
        sql += " ORDER BY " + TakeExpressionList(cursor, true);
    }
    if (!limit.empty()) {
        sql += " LIMIT " + limit;
    }
    TranslationPlan plan;
    plan.steps.emplace_back(RunSql{std::move(sql), std::move(database), true});
    return plan;
}

std::optional<TranslationPlan> RecognizeInsertValues(TokenCursor& cursor) {
    if (!cursor.AcceptKeyword("insert")) {
        return std::nullopt;
    }
    cursor.AcceptKeyword("into");
    const TsqlObjectName table = cursor.TakeObjectName("a table name");
    std::string sql = "INSERT INTO " + QuotedName(cursor, table.object);
    std::size_t columnCount = 0;
    if (cursor.IsSymbol("(")) {
        std::vector<std::string> columns;
        for (const std::string& column : TakeNameList(cursor, "a column name")) {
            columns.push_back(QuotedName(cursor, column));
        }
        columnCount = columns.size();
        sql += " (" + Joined(columns) + ")";
    }
    if (cursor.AcceptKeyword("default")) {
        cursor.ExpectKeyword("values");
        if (columnCount != 0) {
            cursor.Fail("DEFAULT VALUES takes no column list");
        }
        sql += " DEFAULT VALUES";
    } else {
        if (cursor.IsKeyword("select")) {
            cursor.Fail("INSERT ... SELECT is supported only from OPENDATASOURCE");
        }
        cursor.ExpectKeyword("values");
        std::vector<std::string> rows;
        do {
            cursor.ExpectSymbol("(");
            std::vector<std::string> values;
            do {
                values.push_back(UntypedBitLiteral(TranslateExpression(cursor)));
            } while (cursor.AcceptSymbol(","));
            cursor.ExpectSymbol(")");
            if (columnCount != 0 && values.size() != columnCount) {
                cursor.Fail("the INSERT names " + std::to_string(columnCount) + " columns but gives " +
                            std::to_string(values.size()) + " values");
            }
            rows.push_back("(" + Joined(values) + ")");
        } while (cursor.AcceptSymbol(","));
        sql += " VALUES " + Joined(rows);
    }
    TranslationPlan plan;
    plan.steps.emplace_back(RunSql{std::move(sql), DatabaseOf(cursor, table), false});
    return plan;
}

std::optional<TranslationPlan> RecognizeUpdate(TokenCursor& cursor) {
    if (!cursor.AcceptKeyword("update")) {
        return std::nullopt;
    }
    const TsqlObjectName table = cursor.TakeObjectName("a table name");
    cursor.ExpectKeyword("set");
    std::vector<std::string> assignments;
    do {
        std::string column = QuotedName(cursor, cursor.TakeName("a column name"));
        cursor.ExpectSymbol("=");
        assignments.push_back(column + " = " + UntypedBitLiteral(TranslateExpression(cursor)));
    } while (cursor.AcceptSymbol(","));
    if (cursor.IsKeyword("from")) {
        cursor.Fail("UPDATE with FROM (a join) is not supported");
    }
    std::string sql =
        "UPDATE " + QuotedName(cursor, table.object) + " SET " + Joined(assignments) + TakeWhere(cursor);
    TranslationPlan plan;
    plan.steps.emplace_back(RunSql{std::move(sql), DatabaseOf(cursor, table), false});
    return plan;
}

} // namespace kx::ado::tsql
