#include "Variant.h"

#include "AdoConstants.h"
#include "AdoError.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace kx::ado {
namespace {

constexpr const char* kSource = "kx.Variant";
// The classic automation date range: years 100 to 9999.
constexpr double kMinDateDays = -657434.0;
constexpr double kMaxDateDays = 2958465.99999;

[[noreturn]] void ThrowTypeMismatch(VariantType from, std::string_view to) {
    throw AdoError(errors::TypeMismatch, kSource,
                   "Type mismatch: cannot convert " + std::string(VariantTypeName(from)) + " to " +
                       std::string(to) + ".");
}

[[noreturn]] void ThrowOverflow(std::string_view to) {
    throw AdoError(errors::Overflow, kSource, "Overflow: the value does not fit in " + std::string(to) + ".");
}

[[noreturn]] void ThrowInvalidUseOfNull() {
    throw AdoError(errors::InvalidUseOfNull, kSource, "Invalid use of Null.");
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool EqualsAsciiIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char ca = a[i];
        char cb = b[i];
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<char>(cb - 'A' + 'a');
        if (ca != cb)
            return false;
    }
    return true;
}

// Rounds half to even, the way whole-number conversions of automation values do.
double RoundHalfEven(double value) {
    return std::nearbyint(value);
}

std::int64_t DoubleToInt64(double value, std::string_view to) {
    const double rounded = RoundHalfEven(value);
    // 2^63 is exactly representable; anything at or above it does not fit.
    if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0))
        ThrowOverflow(to);
    return static_cast<std::int64_t>(rounded);
}

std::int64_t CurrencyToInt64(Currency value) {
    std::int64_t whole = value.scaled / Currency::kScale;
    const std::int64_t rest = value.scaled % Currency::kScale;
    const std::int64_t half = Currency::kScale / 2;
    if (rest > half || (rest == half && (whole % 2) != 0))
        ++whole;
    else if (rest < -half || (rest == -half && (whole % 2) != 0))
        --whole;
    return whole;
}

std::string CurrencyToString(Currency value) {
    const bool negative = value.scaled < 0;
    // Through unsigned, so that the smallest value has a magnitude too.
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value.scaled) : static_cast<std::uint64_t>(value.scaled);
    std::string text = std::to_string(magnitude / 10000u);
    std::uint64_t fraction = magnitude % 10000u;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 4 - digits.size(), '0');
        while (digits.back() == '0')
            digits.pop_back();
        text += "." + digits;
    }
    return negative ? "-" + text : text;
}

std::string DoubleToString(double value) {
    if (value == 0.0)
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return buffer;
}

std::string TwoDigits(int value) {
    std::string text = std::to_string(value);
    return value < 10 ? "0" + text : text;
}

std::string DateToString(Date value) {
    const DateParts p = value.Parts();
    std::string year = std::to_string(p.year);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');
    std::string text = year + "-" + TwoDigits(p.month) + "-" + TwoDigits(p.day);
    if (p.hour != 0 || p.minute != 0 || p.second != 0)
        text += " " + TwoDigits(p.hour) + ":" + TwoDigits(p.minute) + ":" + TwoDigits(p.second);
    return text;
}

Date CheckedDate(double days) {
    if (!(days >= kMinDateDays && days <= kMaxDateDays))
        ThrowOverflow("Date");
    return Date{days};
}

} // namespace

Variant Variant::Null() {
    Variant v;
    v.value_ = NullTag{};
    return v;
}

Variant Variant::FromByteString(std::string_view bytes) {
    Bytes data(bytes.size());
    if (!bytes.empty())
        std::memcpy(data.data(), bytes.data(), bytes.size());
    return Variant(std::move(data));
}

bool Variant::IsNumeric() const noexcept {
    switch (Type()) {
    case VariantType::Bool:
    case VariantType::Int16:
    case VariantType::Int32:
    case VariantType::Int64:
    case VariantType::Double:
    case VariantType::Currency:
        return true;
    default:
        return false;
    }
}

std::string Variant::ToString() const {
    switch (Type()) {
    case VariantType::Empty:
    case VariantType::Null:
        return {};
    case VariantType::Bool:
        return std::get<bool>(value_) ? "True" : "False";
    case VariantType::Int16:
        return std::to_string(std::get<std::int16_t>(value_));
    case VariantType::Int32:
        return std::to_string(std::get<std::int32_t>(value_));
    case VariantType::Int64:
        return std::to_string(std::get<std::int64_t>(value_));
    case VariantType::Double:
        return DoubleToString(std::get<double>(value_));
    case VariantType::Currency:
        return CurrencyToString(std::get<Currency>(value_));
    case VariantType::Date:
        return DateToString(std::get<Date>(value_));
    case VariantType::String:
        return std::get<std::string>(value_);
    case VariantType::Binary: {
        const Bytes& bytes = std::get<Bytes>(value_);
        std::string text(bytes.size(), '\0');
        if (!bytes.empty())
            std::memcpy(text.data(), bytes.data(), bytes.size());
        return text;
    }
    }
    return {};
}

bool Variant::ToBool() const {
    switch (Type()) {
    case VariantType::Empty:
        return false;
    case VariantType::Null:
        ThrowInvalidUseOfNull();
    case VariantType::Bool:
        return std::get<bool>(value_);
    case VariantType::String: {
        const std::string_view text = Trim(std::get<std::string>(value_));
        if (EqualsAsciiIgnoringCase(text, "True"))
            return true;
        if (EqualsAsciiIgnoringCase(text, "False"))
            return false;
        return ParseNumber(text) != 0.0;
    }
    case VariantType::Binary:
        ThrowTypeMismatch(Type(), "Boolean");
    case VariantType::Currency:
        return std::get<Currency>(value_).scaled != 0;
    default:
        return ToDouble() != 0.0;
    }
}

std::int64_t Variant::ToInt64() const {
    switch (Type()) {
    case VariantType::Empty:
        return 0;
    case VariantType::Null:
        ThrowInvalidUseOfNull();
    case VariantType::Bool:
        return std::get<bool>(value_) ? -1 : 0;
    case VariantType::Int16:
        return std::get<std::int16_t>(value_);
    case VariantType::Int32:
        return std::get<std::int32_t>(value_);
    case VariantType::Int64:
        return std::get<std::int64_t>(value_);
    case VariantType::Double:
        return DoubleToInt64(std::get<double>(value_), "Int64");
    case VariantType::Currency:
        return CurrencyToInt64(std::get<Currency>(value_));
    case VariantType::Date:
        return DoubleToInt64(std::get<Date>(value_).days, "Int64");
    case VariantType::String: {
        const std::string_view text = Trim(std::get<std::string>(value_));
        std::int64_t whole = 0;
        const char* first = text.data() + (!text.empty() && text.front() == '+' ? 1 : 0);
        const char* last = text.data() + text.size();
        const auto [end, ec] = std::from_chars(first, last, whole);
        if (ec == std::errc() && end == last && first != last)
            return whole;
        if (ec == std::errc::result_out_of_range)
            ThrowOverflow("Int64");
        return DoubleToInt64(ParseNumber(text), "Int64");
    }
    case VariantType::Binary:
        ThrowTypeMismatch(Type(), "Int64");
    }
    return 0;
}

std::int32_t Variant::ToInt32() const {
    const std::int64_t value = ToInt64();
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        ThrowOverflow("Int32");
    return static_cast<std::int32_t>(value);
}

std::int16_t Variant::ToInt16() const {
    const std::int64_t value = ToInt64();
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        ThrowOverflow("Int16");
    return static_cast<std::int16_t>(value);
}

double Variant::ToDouble() const {
    switch (Type()) {
    case VariantType::Empty:
        return 0.0;
    case VariantType::Null:
        ThrowInvalidUseOfNull();
    case VariantType::Bool:
        return std::get<bool>(value_) ? -1.0 : 0.0;
    case VariantType::Int16:
        return std::get<std::int16_t>(value_);
    case VariantType::Int32:
        return std::get<std::int32_t>(value_);
    case VariantType::Int64:
        return static_cast<double>(std::get<std::int64_t>(value_));
    case VariantType::Double:
        return std::get<double>(value_);
    case VariantType::Currency:
        return static_cast<double>(std::get<Currency>(value_).scaled) / Currency::kScale;
    case VariantType::Date:
        return std::get<Date>(value_).days;
    case VariantType::String:
        return ParseNumber(std::get<std::string>(value_));
    case VariantType::Binary:
        ThrowTypeMismatch(Type(), "Double");
    }
    return 0.0;
}

Currency Variant::ToCurrency() const {
    switch (Type()) {
    case VariantType::Currency:
        return std::get<Currency>(value_);
    case VariantType::Bool:
    case VariantType::Int16:
    case VariantType::Int32:
    case VariantType::Int64: {
        std::int64_t scaled = 0;
        if (__builtin_mul_overflow(ToInt64(), Currency::kScale, &scaled))
            ThrowOverflow("Currency");
        return Currency{scaled};
    }
    case VariantType::String: {
        const std::string& text = std::get<std::string>(value_);
        try {
            return ParseCurrency(text);
        } catch (const AdoError& e) {
            if (e.Number() != errors::TypeMismatch)
                throw;
        }
        // Exponents or more than four places: through Double, rounded.
        return Variant(ParseNumber(text)).ToCurrency();
    }
    case VariantType::Binary:
        ThrowTypeMismatch(Type(), "Currency");
    default: {
        const double scaled = RoundHalfEven(ToDouble() * Currency::kScale);
        if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0))
            ThrowOverflow("Currency");
        return Currency{static_cast<std::int64_t>(scaled)};
    }
    }
}

Date Variant::ToDate() const {
    switch (Type()) {
    case VariantType::Date:
        return std::get<Date>(value_);
    case VariantType::Null:
        ThrowInvalidUseOfNull();
    case VariantType::String: {
        const std::string& text = std::get<std::string>(value_);
        try {
            return ParseDate(text);
        } catch (const AdoError&) {
            return CheckedDate(ParseNumber(text));
        }
    }
    case VariantType::Binary:
        ThrowTypeMismatch(Type(), "Date");
    default:
        return CheckedDate(ToDouble());
    }
}

Bytes Variant::ToBytes() const {
    switch (Type()) {
    case VariantType::Binary:
        return std::get<Bytes>(value_);
    case VariantType::String: {
        const std::string& text = std::get<std::string>(value_);
        Bytes bytes(text.size());
        if (!text.empty())
            std::memcpy(bytes.data(), text.data(), text.size());
        return bytes;
    }
    case VariantType::Null:
        ThrowInvalidUseOfNull();
    default:
        ThrowTypeMismatch(Type(), "Binary");
    }
}

const std::string& Variant::AsString() const {
    if (Type() != VariantType::String)
        ThrowTypeMismatch(Type(), "String");
    return std::get<std::string>(value_);
}

std::string& Variant::MutableString() {
    if (Type() != VariantType::String)
        ThrowTypeMismatch(Type(), "String");
    return std::get<std::string>(value_);
}

const Bytes& Variant::AsBytes() const {
    if (Type() != VariantType::Binary)
        ThrowTypeMismatch(Type(), "Binary");
    return std::get<Bytes>(value_);
}

Bytes& Variant::MutableBytes() {
    if (Type() != VariantType::Binary)
        ThrowTypeMismatch(Type(), "Binary");
    return std::get<Bytes>(value_);
}

std::string_view VariantTypeName(VariantType type) noexcept {
    switch (type) {
    case VariantType::Empty:
        return "Empty";
    case VariantType::Null:
        return "Null";
    case VariantType::Bool:
        return "Boolean";
    case VariantType::Int16:
        return "Int16";
    case VariantType::Int32:
        return "Int32";
    case VariantType::Int64:
        return "Int64";
    case VariantType::Double:
        return "Double";
    case VariantType::Currency:
        return "Currency";
    case VariantType::Date:
        return "Date";
    case VariantType::String:
        return "String";
    case VariantType::Binary:
        return "Binary";
    }
    return "?";
}

double ParseNumber(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    const char* first = trimmed.data();
    const char* last = trimmed.data() + trimmed.size();
    if (first != last && *first == '+')
        ++first;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (first == last || end != last || (ec != std::errc() && ec != std::errc::result_out_of_range))
        throw AdoError(errors::TypeMismatch, kSource,
                       "Type mismatch: \"" + std::string(text) + "\" is not a number.");
    if (ec == std::errc::result_out_of_range || !std::isfinite(value))
        ThrowOverflow("Double");
    return value;
}

} // namespace kx::ado
