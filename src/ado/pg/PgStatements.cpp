#include "ado/pg/PgStatements.h"

#include "ado/pg/PgQuote.h"

namespace kx::ado::pg {

namespace {

std::string ColumnList(const std::vector<std::string>& columns) {
    if (columns.empty()) {
        return {};
    }
    std::string list = " (";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        list += (i > 0 ? ", " : "") + QuoteIdent(columns[i]);
    }
    return list + ")";
}

/// A dollar-quote tag that does not occur in `body`.
std::string DollarTag(const std::string& body) {
    std::string tag = "$kx$";
    for (int n = 1; body.find(tag) != std::string::npos; ++n) {
        tag = "$kx" + std::to_string(n) + "$";
    }
    return tag;
}

} // namespace

std::string CollationSetupSql() {
    return std::string("CREATE COLLATION IF NOT EXISTS ") + QuoteIdent(kCaseInsensitiveCollation) +
           " (provider = icu, locale = 'zh-u-ks-level2', deterministic = false)";
}

std::string CreateDatabaseSql(std::string_view database) {
    return "CREATE DATABASE " + QuoteIdent(database) +
           " TEMPLATE template0 ENCODING 'UTF8' LOCALE 'C' LOCALE_PROVIDER icu ICU_LOCALE 'zh'";
}

std::string CreateDatabaseCopySql(std::string_view database, std::string_view source) {
    return "CREATE DATABASE " + QuoteIdent(database) + " TEMPLATE " + QuoteIdent(source) +
           " STRATEGY FILE_COPY";
}

std::string CopiedIdentitiesSql() {
    const std::string body = R"(
DECLARE
    identity_column record;
    top_value bigint;
BEGIN
    FOR identity_column IN
        SELECT c.oid::regclass AS target, a.attname, s.seqrelid::regclass::text AS sequence_name, s.seqstart
        FROM pg_class c
        JOIN pg_namespace n ON n.oid = c.relnamespace
        JOIN pg_attribute a ON a.attrelid = c.oid AND a.attidentity <> '' AND NOT a.attisdropped
        JOIN pg_sequence s ON s.seqrelid = pg_get_serial_sequence(c.oid::regclass::text, a.attname)::regclass
        WHERE c.relkind IN ('r', 'p') AND n.nspname NOT IN ('pg_catalog', 'information_schema')
    LOOP
        EXECUTE format('SELECT max(%I) FROM %s', identity_column.attname, identity_column.target) INTO top_value;
        IF top_value IS NOT NULL AND top_value >= identity_column.seqstart THEN
            PERFORM setval(identity_column.sequence_name, top_value, true);
        ELSE
            PERFORM setval(identity_column.sequence_name, identity_column.seqstart, false);
        END IF;
    END LOOP;
END
)";
    const std::string tag = DollarTag(body);
    return "DO " + tag + body + tag;
}

std::string OtherSessionsOnDatabaseSql() {
    return "SELECT count(*) FROM pg_stat_activity WHERE datname = $1 AND pid <> pg_backend_pid() AND "
           "backend_type <> 'autovacuum worker'";
}

std::string TruncateAllowedSql(std::string_view table) {
    const std::string target = "to_regclass(" + QuoteLiteral(QuoteIdent(table)) + ")";
    return "SELECT COALESCE((SELECT c.relkind = 'r' AND NOT c.relrowsecurity AND has_table_privilege(c.oid, "
           "'TRUNCATE')"
           " AND NOT EXISTS (SELECT 1 FROM pg_constraint k WHERE k.contype = 'f' AND k.confrelid = c.oid)"
           " AND NOT EXISTS (SELECT 1 FROM pg_trigger t WHERE t.tgrelid = c.oid)"
           " AND NOT EXISTS (SELECT 1 FROM pg_rewrite r WHERE r.ev_class = c.oid)"
           " AND NOT EXISTS (SELECT 1 FROM pg_stat_activity s WHERE s.datname = current_database()"
           " AND s.backend_type = 'client backend' AND s.pid <> pg_backend_pid())"
           " FROM pg_class c WHERE c.oid = " +
           target + "), false)";
}

std::string DropDatabaseSql(std::string_view database) { return "DROP DATABASE " + QuoteIdent(database); }

namespace {

/// The block of IdentitySyncSql, with `topValueStatement` setting top_value for
/// the identity column at hand.
std::string IdentityBlock(std::string_view table, const std::string& topValueStatement) {
    const std::string quotedTable = QuoteIdent(table);
    const std::string body = R"(
DECLARE
    target regclass := to_regclass()" +
                             QuoteLiteral(quotedTable) + R"();
    identity_column record;
    top_value bigint;
    current_value bigint;
BEGIN
    IF target IS NULL THEN
        RAISE EXCEPTION USING ERRCODE = 'undefined_table', MESSAGE = )" +
                             QuoteLiteral("table " + quotedTable + " does not exist") + R"(;
    END IF;
    FOR identity_column IN
        SELECT a.attname, pg_get_serial_sequence(target::text, a.attname) AS sequence_name
        FROM pg_attribute a
        WHERE a.attrelid = target AND a.attidentity <> '' AND NOT a.attisdropped
    LOOP
        )" + topValueStatement +
                             R"(
        IF top_value IS NOT NULL THEN
            EXECUTE format('SELECT CASE WHEN is_called THEN last_value ELSE last_value - 1 END FROM %s',
                           identity_column.sequence_name) INTO current_value;
            IF top_value > current_value THEN
                PERFORM setval(identity_column.sequence_name, top_value, true);
            END IF;
        END IF;
    END LOOP;
END
)";
    const std::string tag = DollarTag(body);
    return "DO " + tag + body + tag;
}

} // namespace

std::string IdentitySyncSql(std::string_view table) {
    return IdentityBlock(
        table, "EXECUTE format('SELECT max(%I) FROM %s', identity_column.attname, target) INTO top_value;");
}

std::string IdentityAdvanceSql(std::string_view table, std::int64_t topValue) {
    return IdentityBlock(table, "top_value := " + std::to_string(topValue) + ";");
}

std::string CopyFromStdinSql(std::string_view table, const std::vector<std::string>& columns) {
    return "COPY " + QuoteIdent(table) + ColumnList(columns) + " FROM STDIN";
}

std::string CopyToStdoutSql(std::string_view table, const std::vector<std::string>& columns) {
    return "COPY " + QuoteIdent(table) + ColumnList(columns) + " TO STDOUT";
}

std::string TableListingSql() {
    return R"(SELECT current_database()::text AS "TABLE_CATALOG", n.nspname::text AS "TABLE_SCHEMA",
       c.relname::text AS "TABLE_NAME",
       CASE
           WHEN n.nspname IN ('pg_catalog', 'information_schema') THEN 'SYSTEM TABLE'
           WHEN c.relkind IN ('v', 'm') THEN 'VIEW'
           ELSE 'TABLE'
       END AS "TABLE_TYPE"
FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace
WHERE c.relkind IN ('r', 'p', 'v', 'm') AND n.nspname !~ '^pg_(toast|temp)'
ORDER BY 4, 3)";
}

} // namespace kx::ado::pg
