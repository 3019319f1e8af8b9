#include "JetColumnType.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <vector>

namespace kx::ado::jet {
namespace {

enum class Family {
    Counter,
    Long,
    Short,
    Byte,
    Bit,
    Single,
    Double,
    Currency,
    DateTime,
    Text,      // sized text; "TEXT" alone is Memo
    SizedText, // text with a default size of 255
    Memo,
    LongBinary,
    Binary,
    Guid,
    Numeric,
    BigInt,
    Unknown,
};

struct Word {
    std::string_view name;
    Family family;
};

constexpr std::array kWords{
    Word{"COUNTER", Family::Counter},
    Word{"AUTOINCREMENT", Family::Counter},
    Word{"IDENTITY", Family::Counter},
    Word{"LONG", Family::Long},
    Word{"INTEGER", Family::Long},
    Word{"INT", Family::Long},
    Word{"INTEGER4", Family::Long},
    Word{"SHORT", Family::Short},
    Word{"SMALLINT", Family::Short},
    Word{"INTEGER2", Family::Short},
    Word{"BYTE", Family::Byte},
    Word{"INTEGER1", Family::Byte},
    Word{"TINYINT", Family::Byte},
    Word{"BIT", Family::Bit},
    Word{"YESNO", Family::Bit},
    Word{"LOGICAL", Family::Bit},
    Word{"LOGICAL1", Family::Bit},
    Word{"BOOLEAN", Family::Bit},
    Word{"SINGLE", Family::Single},
    Word{"REAL", Family::Single},
    Word{"FLOAT4", Family::Single},
    Word{"IEEESINGLE", Family::Single},
    Word{"DOUBLE", Family::Double},
    Word{"FLOAT", Family::Double},
    Word{"FLOAT8", Family::Double},
    Word{"IEEEDOUBLE", Family::Double},
    Word{"NUMBER", Family::Double},
    Word{"CURRENCY", Family::Currency},
    Word{"MONEY", Family::Currency},
    Word{"DATETIME", Family::DateTime},
    Word{"DATE", Family::DateTime},
    Word{"TIME", Family::DateTime},
    Word{"TIMESTAMP", Family::DateTime},
    Word{"TEXT", Family::Text},
    Word{"VARCHAR", Family::SizedText},
    Word{"CHAR", Family::SizedText},
    Word{"CHARACTER", Family::SizedText},
    Word{"STRING", Family::SizedText},
    Word{"ALPHANUMERIC", Family::SizedText},
    Word{"NVARCHAR", Family::SizedText},
    Word{"NCHAR", Family::SizedText},
    Word{"MEMO", Family::Memo},
    Word{"LONGTEXT", Family::Memo},
    Word{"LONGCHAR", Family::Memo},
    Word{"NOTE", Family::Memo},
    Word{"NTEXT", Family::Memo},
    Word{"LONGBINARY", Family::LongBinary},
    Word{"OLEOBJECT", Family::LongBinary},
    Word{"GENERAL", Family::LongBinary},
    Word{"IMAGE", Family::LongBinary},
    Word{"BLOB", Family::LongBinary},
    Word{"BINARY", Family::Binary},
    Word{"VARBINARY", Family::Binary},
    Word{"GUID", Family::Guid},
    Word{"UNIQUEIDENTIFIER", Family::Guid},
    Word{"DECIMAL", Family::Numeric},
    Word{"NUMERIC", Family::Numeric},
    Word{"DEC", Family::Numeric},
    Word{"BIGINT", Family::BigInt},
};

constexpr long kMemoSize = 536870910;
constexpr long kLongBinarySize = 1073741823;

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

Family FamilyOf(std::string_view word) {
    const std::string upper = Upper(word);
    for (const Word& w : kWords)
        if (w.name == upper)
            return w.family;
    return Family::Unknown;
}

// The engine's storage affinity of a declared type (its documented rules).
enum class Affinity { Integer, Text, Blob, Real, Numeric };

Affinity AffinityOf(std::string_view declared) {
    const std::string upper = Upper(declared);
    const auto has = [&](std::string_view part) { return upper.find(part) != std::string::npos; };
    if (has("INT"))
        return Affinity::Integer;
    if (has("CHAR") || has("CLOB") || has("TEXT"))
        return Affinity::Text;
    if (has("BLOB") || upper.empty())
        return Affinity::Blob;
    if (has("REAL") || has("FLOA") || has("DOUB"))
        return Affinity::Real;
    return Affinity::Numeric;
}

struct ParsedType {
    std::string word;
    std::vector<long> arguments;
};

ParsedType Parse(std::string_view declared) {
    ParsedType parsed;
    std::size_t i = 0;
    while (i < declared.size() && std::isspace(static_cast<unsigned char>(declared[i])))
        ++i;
    const std::size_t start = i;
    while (i < declared.size() &&
           (std::isalnum(static_cast<unsigned char>(declared[i])) || declared[i] == '_'))
        ++i;
    parsed.word = std::string(declared.substr(start, i - start));
    const std::size_t open = declared.find('(');
    if (open != std::string_view::npos) {
        std::string number;
        for (std::size_t k = open + 1; k < declared.size() && declared[k] != ')'; ++k) {
            if (declared[k] == ',') {
                parsed.arguments.push_back(std::strtol(number.c_str(), nullptr, 10));
                number.clear();
            } else {
                number.push_back(declared[k]);
            }
        }
        parsed.arguments.push_back(std::strtol(number.c_str(), nullptr, 10));
    }
    return parsed;
}

JetFieldType Fixed(DataTypeEnum type, long size, int precision) {
    JetFieldType t;
    t.type = type;
    t.definedSize = size;
    t.precision = precision;
    t.attributes = adFldFixed;
    return t;
}

JetFieldType Variable(DataTypeEnum type, long size, bool isLong) {
    JetFieldType t;
    t.type = type;
    t.definedSize = size;
    t.isLong = isLong;
    t.attributes = isLong ? static_cast<long>(adFldLong) : 0L;
    return t;
}

} // namespace

JetFieldType DescribeDeclaredType(std::string_view declared, bool autoIncrement, bool notNull) {
    const ParsedType parsed = Parse(declared);
    Family family = FamilyOf(parsed.word);
    if (autoIncrement)
        family = Family::Counter;
    const long size = parsed.arguments.empty() ? 0 : parsed.arguments.front();

    JetFieldType t;
    switch (family) {
    case Family::Counter:
        t = Fixed(adInteger, 4, 10);
        // Exactly what an AutoNumber column reports, which the conversion to SQL
        // Server recognises as an identity column.
        t.attributes = adFldMayDefer | adFldUnknownUpdatable | adFldFixed | adFldMayBeNull;
        return t;
    case Family::Long:
        t = Fixed(adInteger, 4, 10);
        break;
    case Family::Short:
        t = Fixed(adSmallInt, 2, 5);
        break;
    case Family::Byte:
        t = Fixed(adUnsignedTinyInt, 1, 3);
        break;
    case Family::Bit:
        t = Fixed(adBoolean, 2, 255);
        break;
    case Family::Single:
        t = Fixed(adSingle, 4, 7);
        break;
    case Family::Double:
        t = Fixed(adDouble, 8, 15);
        break;
    case Family::Currency:
        t = Fixed(adCurrency, 8, 19);
        break;
    case Family::DateTime:
        t = Fixed(adDate, 8, 255);
        break;
    case Family::BigInt:
        t = Fixed(adBigInt, 8, 19);
        break;
    case Family::Guid:
        t = Fixed(adGUID, 16, 255);
        break;
    case Family::Numeric: {
        t = Fixed(adNumeric, 19, parsed.arguments.empty() ? 18 : static_cast<int>(parsed.arguments[0]));
        t.numericScale = parsed.arguments.size() > 1 ? static_cast<int>(parsed.arguments[1]) : 0;
        break;
    }
    case Family::Text:
        t = size > 0 ? Variable(adVarWChar, size, false) : Variable(adLongVarWChar, kMemoSize, true);
        break;
    case Family::SizedText:
        t = Variable(adVarWChar, size > 0 ? size : 255, false);
        break;
    case Family::Memo:
        t = Variable(adLongVarWChar, kMemoSize, true);
        break;
    case Family::LongBinary:
        t = Variable(adLongVarBinary, kLongBinarySize, true);
        break;
    case Family::Binary:
        t = Variable(adVarBinary, size > 0 ? size : 510, false);
        break;
    case Family::Unknown:
        switch (AffinityOf(declared)) {
        case Affinity::Integer:
            t = Fixed(adInteger, 4, 10);
            break;
        case Affinity::Text:
            t = size > 0 ? Variable(adVarWChar, size, false) : Variable(adLongVarWChar, kMemoSize, true);
            break;
        case Affinity::Real:
            t = Fixed(adDouble, 8, 15);
            break;
        case Affinity::Numeric:
            t = Fixed(adNumeric, 19, 18);
            t.numericScale = 0;
            break;
        case Affinity::Blob:
            t = Variable(adVariant, 16, false);
            break;
        }
        break;
    }
    t.attributes |= adFldMayDefer | adFldMayBeNull | (t.isLong ? adFldUnknownUpdatable : adFldUpdatable);
    if (!notNull)
        t.attributes |= adFldIsNullable;
    return t;
}

EngineColumnType TranslateJetType(std::string_view typeWord, std::string_view arguments) {
    EngineColumnType result;
    const Family family = FamilyOf(typeWord);
    std::string declared(typeWord);
    switch (family) {
    case Family::Counter:
        result.declared = "INTEGER";
        result.isCounter = true;
        return result;
    case Family::Text:
    case Family::SizedText:
    case Family::Memo:
    case Family::Guid:
        result.isText = true;
        if (AffinityOf(typeWord) != Affinity::Text)
            declared += " TEXT";
        break;
    case Family::LongBinary:
    case Family::Binary:
        if (AffinityOf(typeWord) != Affinity::Blob)
            declared += " BLOB";
        break;
    default:
        break;
    }
    result.declared = declared + std::string(arguments);
    return result;
}

} // namespace kx::ado::jet
