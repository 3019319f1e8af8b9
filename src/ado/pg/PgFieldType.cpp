#include "ado/pg/PgFieldType.h"

namespace kx::ado::pg {

namespace {

// Type OIDs are fixed in every PostgreSQL server (pg_type.dat).
constexpr unsigned int kBool = 16;
constexpr unsigned int kBytea = 17;
constexpr unsigned int kName = 19;
constexpr unsigned int kInt8 = 20;
constexpr unsigned int kInt2 = 21;
constexpr unsigned int kInt4 = 23;
constexpr unsigned int kText = 25;
constexpr unsigned int kFloat4 = 700;
constexpr unsigned int kFloat8 = 701;
constexpr unsigned int kBpchar = 1042;
constexpr unsigned int kVarchar = 1043;
constexpr unsigned int kDate = 1082;
constexpr unsigned int kTimestamp = 1114;
constexpr unsigned int kNumeric = 1700;
constexpr unsigned int kUuid = 2950;

/// The header length that type modifiers of character and numeric types include.
constexpr int kVarHeader = 4;

constexpr long kLongTextSize = 1073741823;
constexpr long kLongBinarySize = 2147483647;

PgFieldType Fixed(DataTypeEnum type, long size, int precision = 255, int scale = 255) {
    return PgFieldType{type, size, precision, scale, true, false};
}

PgFieldType Text(DataTypeEnum type, long size) {
    return PgFieldType{type, size, 255, 255, false, false};
}

PgFieldType Numeric(int typeModifier) {
    if (typeModifier < kVarHeader) {
        return Fixed(adNumeric, 19, 38, 0);
    }
    const int packed = typeModifier - kVarHeader;
    const int precision = (packed >> 16) & 0xFFFF;
    // The scale is kept in 11 bits and may be negative.
    const int scale = ((packed & 0x7FF) ^ 1024) - 1024;
    if (scale == 4 && (precision == 19 || precision == 10)) {
        return Fixed(adCurrency, 8, precision, 4);
    }
    return Fixed(adNumeric, 19, precision, scale);
}

} // namespace

PgFieldType DescribePgType(unsigned int typeOid, int typeModifier) noexcept {
    switch (typeOid) {
    case kBool:
        return Fixed(adBoolean, 2);
    case kInt2:
        return Fixed(adSmallInt, 2, 5);
    case kInt4:
        return Fixed(adInteger, 4, 10);
    case kInt8:
        return Fixed(adBigInt, 8, 19);
    case kFloat4:
        return Fixed(adSingle, 4, 7);
    case kFloat8:
        return Fixed(adDouble, 8, 15);
    case kNumeric:
        return Numeric(typeModifier);
    case kTimestamp:
    case kDate:
        return Fixed(adDBTimeStamp, 16, 23, 3);
    case kBpchar:
        return typeModifier > kVarHeader ? Text(adWChar, typeModifier - kVarHeader) : Text(adWChar, 1);
    case kVarchar:
        if (typeModifier > kVarHeader) {
            return Text(adVarWChar, typeModifier - kVarHeader);
        }
        return PgFieldType{adLongVarWChar, kLongTextSize, 255, 255, false, true};
    case kText:
        return PgFieldType{adLongVarWChar, kLongTextSize, 255, 255, false, true};
    case kBytea:
        return PgFieldType{adLongVarBinary, kLongBinarySize, 255, 255, false, true};
    case kUuid:
        return Fixed(adGUID, 16);
    case kName:
        return Text(adVarWChar, 128);
    default:
        return Text(adVarWChar, 255);
    }
}

} // namespace kx::ado::pg
