#include "ado/jet/StoredValueText.h"

#include "ado/AdoError.h"
#include "ado/ValueCoercion.h"
#include "ado/pg/PgBytea.h"
#include "ado/pg/PgValueText.h"

#include <charconv>

namespace kx::ado::jet {

namespace {

/// Types whose Field gives a whole number as its decimal text whatever the
/// conversion does with it (a value out of range stays the stored whole number).
bool ShowsWholeNumbersAsDecimal(DataTypeEnum type) noexcept {
    switch (type) {
    case adSmallInt:
    case adInteger:
    case adBigInt:
    case adUnsignedTinyInt:
    case adCurrency:
    case adVariant:
        return true;
    default:
        return IsTextType(type);
    }
}

bool IsRealType(DataTypeEnum type) noexcept {
    return type == adSingle || type == adDouble || type == adDecimal || type == adNumeric;
}

bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

/// "yyyy-mm-dd hh:mm:ss", the form the book file stores dates in. Such a text
/// reads back as itself: a valid date is written again in this very form, and an
/// invalid one is handed on as it is.
bool IsStoredDateForm(std::string_view text) noexcept {
    static constexpr std::string_view kPattern = "0000-00-00 00:00:00";
    if (text.size() != kPattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (kPattern[i] == '0' ? !IsDigit(text[i]) : text[i] != kPattern[i]) {
            return false;
        }
    }
    return true;
}

std::string_view AssignDecimal(std::string& scratch, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    scratch.assign(buffer, result.ptr);
    return scratch;
}

} // namespace

std::optional<std::string_view> StoredValuePgText(const SqliteStatement& statement, int column,
                                                  DataTypeEnum type, std::string& scratch) {
    switch (statement.Storage(column)) {
    case StorageClass::Null:
        return std::nullopt;
    case StorageClass::Integer:
        if (type == adBoolean) {
            return std::string_view(statement.ColumnInt64(column) != 0 ? "1" : "0");
        }
        if (ShowsWholeNumbersAsDecimal(type)) {
            return AssignDecimal(scratch, statement.ColumnInt64(column));
        }
        if (IsRealType(type)) {
            pg::AssignDoubleText(scratch, static_cast<double>(statement.ColumnInt64(column)));
            return scratch;
        }
        break;
    case StorageClass::Real:
        if (IsRealType(type) || type == adVariant) {
            pg::AssignDoubleText(scratch, statement.ColumnDouble(column));
            return scratch;
        }
        if (type == adCurrency) {
            try {
                pg::AssignCurrencyText(scratch, Variant(statement.ColumnDouble(column)).ToCurrency());
                return scratch;
            } catch (const AdoError&) {
                // Beyond the range of money: the stored value is handed on as it is.
            }
        }
        break;
    case StorageClass::Text:
        if (IsTextType(type) || type == adVariant) {
            return statement.ColumnText(column);
        }
        if ((type == adDate || type == adDBTimeStamp) && IsStoredDateForm(statement.ColumnText(column))) {
            return statement.ColumnText(column);
        }
        break;
    case StorageClass::Blob:
        if (IsBinaryType(type) || type == adVariant) {
            scratch = pg::EncodeByteaHex(statement.ColumnBytes(column));
            return scratch;
        }
        break;
    }
    std::optional<std::string> text = pg::PgTextOf(ConvertStoredValue(statement.ColumnValue(column), type));
    if (!text) {
        return std::nullopt;
    }
    scratch = std::move(*text);
    return scratch;
}

} // namespace kx::ado::jet
