#include "ado/pg/PgDatabaseProperties.h"

#include "ado/pg/PgQuote.h"

#include <stdexcept>

namespace kx::ado::pg {

namespace {

void CheckName(std::string_view name) {
    if (name.empty() || name.find_first_of("=\r\n") != std::string_view::npos) {
        throw std::invalid_argument(
            "a database property name must not be empty nor hold \"=\" or a line break");
    }
}

/// The database the statements work on: a literal name, or the connection's own.
std::string DatabaseExpression(std::string_view database) {
    return database.empty() ? std::string("current_database()") : QuoteLiteral(database);
}

/// A block that finds the database and its comment (old_comment), then runs `body`.
std::string PropertyBlock(std::string_view database, const std::string& body) {
    const std::string shown = database.empty() ? std::string("the current database") : std::string(database);
    const std::string block = "\nDECLARE\n    target_name name := " + DatabaseExpression(database) +
                              ";\n    target oid;\n    old_comment text;\nBEGIN\n"
                              "    SELECT oid INTO target FROM pg_database WHERE datname = target_name;\n"
                              "    IF target IS NULL THEN\n"
                              "        RAISE EXCEPTION USING ERRCODE = 'invalid_catalog_name', MESSAGE = " +
                              QuoteLiteral("database \"" + shown + "\" does not exist") +
                              ";\n    END IF;\n"
                              "    old_comment := shobj_description(target, 'pg_database');\n" +
                              body + "END\n";
    std::string tag = "$kx$";
    for (int n = 1; block.find(tag) != std::string::npos; ++n) {
        tag = "$kx" + std::to_string(n) + "$";
    }
    return "DO " + tag + block + tag;
}

/// True in SQL when a line of the comment starts with `prefix`, the literal "name=".
std::string HasLine(const std::string& prefix) {
    return "EXISTS (SELECT 1 FROM regexp_split_to_table(old_comment, E'\\n') AS l WHERE starts_with(l, " +
           prefix + "))";
}

} // namespace

std::string AddDatabasePropertySql(std::string_view database, std::string_view name, std::string_view value) {
    CheckName(name);
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        throw std::invalid_argument("a database property value must not hold a line break");
    }
    const std::string prefix = QuoteLiteral(std::string(name) + "=");
    return PropertyBlock(
        database, "    IF " + HasLine(prefix) +
                      " THEN\n"
                      "        RAISE EXCEPTION USING ERRCODE = 'duplicate_object', MESSAGE = " +
                      QuoteLiteral("property \"" + std::string(name) + "\" already exists") +
                      ";\n    END IF;\n"
                      "    EXECUTE format('COMMENT ON DATABASE %I IS %L', target_name, concat_ws(E'\\n', "
                      "old_comment, " +
                      QuoteLiteral(std::string(name) + "=" + std::string(value)) + "));\n");
}

std::string DropDatabasePropertySql(std::string_view database, std::string_view name) {
    CheckName(name);
    const std::string prefix = QuoteLiteral(std::string(name) + "=");
    return PropertyBlock(
        database, "    IF NOT " + HasLine(prefix) +
                      " THEN\n"
                      "        RAISE EXCEPTION USING ERRCODE = 'undefined_object', MESSAGE = " +
                      QuoteLiteral("property \"" + std::string(name) + "\" does not exist") +
                      ";\n    END IF;\n"
                      "    EXECUTE format('COMMENT ON DATABASE %I IS %L', target_name, (SELECT string_agg(l, "
                      "E'\\n' ORDER BY n) FROM regexp_split_to_table(old_comment, E'\\n') WITH ORDINALITY AS "
                      "t(l, n) WHERE NOT starts_with(l, " +
                      prefix + ")));\n");
}

std::string DatabasePropertyListingSql(std::string_view name, std::string_view database) {
    CheckName(name);
    const std::string prefix = QuoteLiteral(std::string(name) + "=");
    std::string sql =
        "SELECT d.datname::text AS \"name\", p.value AS \"value\" FROM pg_database d CROSS JOIN "
        "LATERAL (SELECT substr(l, length(" +
        prefix +
        ") + 1) AS value FROM regexp_split_to_table(shobj_description(d.oid, 'pg_database'), "
        "E'\\n') WITH ORDINALITY AS t(l, n) WHERE starts_with(l, " +
        prefix + ") ORDER BY n LIMIT 1) p";
    if (!database.empty()) {
        sql += " WHERE d.datname = " + QuoteLiteral(database);
    }
    return sql + " ORDER BY 1";
}

} // namespace kx::ado::pg
