#include "ValueCoercion.h"

#include "AdoError.h"

#include "platform/Utf8Text.h"

namespace kx::ado {

bool IsTextType(DataTypeEnum type) noexcept {
    switch (type) {
    case adChar:
    case adWChar:
    case adVarChar:
    case adVarWChar:
    case adLongVarChar:
    case adLongVarWChar:
    case adGUID:
        return true;
    default:
        return false;
    }
}

bool IsBinaryType(DataTypeEnum type) noexcept {
    return type == adBinary || type == adVarBinary || type == adLongVarBinary;
}

Variant CoerceToColumnType(const Variant& value, DataTypeEnum type) {
    if (value.IsMissing())
        return Variant::Null();
    try {
        switch (type) {
        case adSmallInt:
            return Variant(value.ToInt16());
        case adUnsignedTinyInt: {
            const std::int16_t byte = value.ToInt16();
            if (byte < 0 || byte > 255)
                throw AdoError(errors::Overflow, "kx.Variant", "Overflow: the value does not fit in a byte.");
            return Variant(byte);
        }
        case adInteger:
            return Variant(value.ToInt32());
        case adBigInt:
            return Variant(value.ToInt64());
        case adBoolean:
            return Variant(value.ToBool());
        case adSingle:
        case adDouble:
        case adDecimal:
        case adNumeric:
            return Variant(value.ToDouble());
        case adCurrency:
            return Variant(value.ToCurrency());
        case adDate:
        case adDBTimeStamp:
            return Variant(value.ToDate());
        case adBinary:
        case adVarBinary:
        case adLongVarBinary:
            if (value.Type() == VariantType::Binary || value.Type() == VariantType::String)
                return Variant(value.ToBytes());
            throw AdoError(errors::TypeMismatch, "kx.Variant",
                           "Type mismatch: only bytes or text go into a binary field.");
        default:
            if (IsTextType(type)) {
                if (value.Type() == VariantType::String)
                    return value;
                std::string textValue = value.ToString();
                if (value.Type() == VariantType::Binary && !platform::IsValidUtf8(textValue))
                    throw AdoError(errors::TypeMismatch, "kx.Variant",
                                   "Type mismatch: the bytes are not UTF-8 text.");
                return Variant(std::move(textValue));
            }
            return value;
        }
    } catch (const AdoError& e) {
        if (e.Number() == errors::Overflow)
            throw;
        throw AdoError(errors::DataConversion, e.Source(),
                       "Application uses a value of the wrong type for the current operation. (" +
                           e.Description() + ")");
    }
}

Variant ConvertStoredValue(const Variant& value, DataTypeEnum type) {
    try {
        return CoerceToColumnType(value, type);
    } catch (...) {
        return value;
    }
}

} // namespace kx::ado
