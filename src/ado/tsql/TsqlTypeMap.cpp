#include "ado/tsql/TsqlTypeMap.h"

#include "platform/CaseFolding.h"

#include <algorithm>
#include <stdexcept>

namespace kx::ado::tsql {

namespace {


[[noreturn]] void Refuse(std::string_view typeName, std::string_view why) {
    throw std::invalid_argument("type " + std::string(typeName) + ": " + std::string(why));
}

void RequireArgumentCount(std::string_view typeName, const std::vector<long long>& args, std::size_t most) {
    if (args.size() > most) {
        Refuse(typeName, most == 0 ? "takes no arguments" : "too many arguments");
    }
    for (long long arg : args) {
        if (arg == kTsqlMaxLength) {
            Refuse(typeName, "MAX is not allowed here");
        }
    }
}

std::string Length(std::string_view typeName, const std::vector<long long>& args, bool maxAllowed) {
    if (args.size() > 1) {
        Refuse(typeName, "too many arguments");
    }
    if (args.empty()) {
        return "1";
    }
    if (args[0] == kTsqlMaxLength) {
        if (!maxAllowed) {
            Refuse(typeName, "MAX is not allowed here");
        }
        return "max";
    }
    if (args[0] < 1) {
        Refuse(typeName, "the length must be at least 1");
    }
    return std::to_string(args[0]);
}

std::string Numeric(std::string_view typeName, const std::vector<long long>& args) {
    RequireArgumentCount(typeName, args, 2);
    const long long precision = args.empty() ? 18 : args[0];
    const long long scale = args.size() < 2 ? 0 : args[1];
    if (precision < 1 || precision > 38) {
        Refuse(typeName, "the precision must be between 1 and 38");
    }
    if (scale < 0 || scale > precision) {
        Refuse(typeName, "the scale must be between 0 and the precision");
    }
    return "numeric(" + std::to_string(precision) + "," + std::to_string(scale) + ")";
}

} // namespace

bool IsTsqlBitType(std::string_view typeName) noexcept {
    return platform::ToLower(typeName) == "bit";
}

std::string MapTsqlType(std::string_view typeName, const std::vector<long long>& args) {
    const std::string name = platform::ToLower(typeName);
    struct Plain {
        std::string_view tsql;
        std::string_view pg;
    };
    static constexpr Plain kPlainTypes[] = {
        {"int", "integer"},
        {"integer", "integer"},
        {"bigint", "bigint"},
        {"smallint", "smallint"},
        {"tinyint", "smallint"},
        {"bit", "boolean"},
        {"real", "real"},
        {"money", "numeric(19,4)"},
        {"smallmoney", "numeric(10,4)"},
        {"datetime", "timestamp"},
        {"smalldatetime", "timestamp(0)"},
        {"date", "date"},
        {"time", "time"},
        {"text", "text"},
        {"ntext", "text"},
        {"image", "bytea"},
        {"uniqueidentifier", "uuid"},
        {"sysname", "varchar(128)"},
    };
    for (const Plain& plain : kPlainTypes) {
        if (name == plain.tsql) {
            RequireArgumentCount(typeName, args, 0);
            return std::string(plain.pg);
        }
    }
    if (name == "float") {
        RequireArgumentCount(typeName, args, 1);
        if (args.empty()) {
            return "double precision";
        }
        if (args[0] < 1 || args[0] > 53) {
            Refuse(typeName, "the mantissa bits must be between 1 and 53");
        }
        return args[0] <= 24 ? "real" : "double precision";
    }
    if (name == "decimal" || name == "numeric") {
        return Numeric(typeName, args);
    }
    if (name == "char" || name == "nchar") {
        return "char(" + Length(typeName, args, false) + ")";
    }
    if (name == "varchar" || name == "nvarchar") {
        const std::string length = Length(typeName, args, true);
        return length == "max" ? "text" : "varchar(" + length + ")";
    }
    if (name == "binary" || name == "varbinary") {
        Length(typeName, args, name == "varbinary");
        return "bytea";
    }
    Refuse(typeName, "has no counterpart in this database");
}

} // namespace kx::ado::tsql
