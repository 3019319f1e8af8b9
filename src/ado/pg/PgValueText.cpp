#include "ado/pg/PgValueText.h"

#include "ado/AdoError.h"
#include "ado/pg/PgBytea.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace kx::ado::pg {

namespace {

/// Largest number of significant decimal digits that every Double holds exactly.
constexpr int kExactDoubleDigits = 15;

template <typename Integer> std::optional<Integer> ParseInteger(std::string_view text) {
    Integer value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseDouble(std::string_view text) {
    if (text == "NaN") {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (text == "Infinity") {
        return std::numeric_limits<double>::infinity();
    }
    if (text == "-Infinity") {
        return -std::numeric_limits<double>::infinity();
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

int SignificantDigits(std::string_view decimal) {
    int digits = 0;
    bool leading = true;
    for (const char c : decimal) {
        if (c < '0' || c > '9') {
            continue;
        }
        if (leading && c == '0') {
            continue;
        }
        leading = false;
        ++digits;
    }
    return digits;
}

/// An exact amount as the server writes numeric values ("-12.3400"), down to the
/// smallest Currency, whose magnitude has no positive counterpart.
std::optional<Currency> ParseAmount(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    std::uint64_t magnitude = 0;
    int places = -1;
    int digits = 0;
    for (const char c : text) {
        if (c == '.' && places < 0) {
            places = 0;
            continue;
        }
        if (c < '0' || c > '9' || places >= 4) {
            return std::nullopt;
        }
        if (__builtin_mul_overflow(magnitude, 10u, &magnitude) ||
            __builtin_add_overflow(magnitude, static_cast<unsigned>(c - '0'), &magnitude)) {
            return std::nullopt;
        }
        ++digits;
        if (places >= 0) {
            ++places;
        }
    }
    for (int p = std::max(places, 0); p < 4; ++p) {
        if (__builtin_mul_overflow(magnitude, 10u, &magnitude)) {
            return std::nullopt;
        }
    }
    constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (digits == 0 || magnitude > kLargest + (negative ? 1 : 0)) {
        return std::nullopt;
    }
    return Currency{negative ? static_cast<std::int64_t>(0 - magnitude)
                             : static_cast<std::int64_t>(magnitude)};
}

std::string GuidText(std::string_view text) {
    std::string guid = "{";
    for (const char c : text) {
        guid += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return guid + "}";
}

Variant Converted(std::string_view text, DataTypeEnum type) {
    switch (type) {
    case adBoolean:
        if (text == "t" || text == "f") {
            return Variant(text == "t");
        }
        break;
    case adSmallInt:
        if (const auto value = ParseInteger<std::int16_t>(text)) {
            return Variant(*value);
        }
        break;
    case adInteger:
        if (const auto value = ParseInteger<std::int32_t>(text)) {
            return Variant(*value);
        }
        break;
    case adBigInt:
        if (const auto value = ParseInteger<std::int64_t>(text)) {
            return Variant(*value);
        }
        break;
    case adSingle:
    case adDouble:
        if (const auto value = ParseDouble(text)) {
            return Variant(*value);
        }
        break;
    case adNumeric:
        if (SignificantDigits(text) <= kExactDoubleDigits) {
            if (const auto value = ParseDouble(text)) {
                return Variant(*value);
            }
        }
        break;
    case adCurrency:
        if (const auto value = ParseAmount(text)) {
            return Variant(*value);
        }
        break;
    case adDBTimeStamp:
    case adDate:
        return Variant(ParseDate(text));
    case adLongVarBinary:
    case adVarBinary:
    case adBinary:
        return Variant::FromByteString(DecodeByteaHex(text));
    case adGUID:
        return Variant(GuidText(text));
    default:
        break;
    }
    return Variant(text);
}

std::string TwoDigits(int value) {
    std::string text = std::to_string(value);
    if (text.size() < 2) {
        text.insert(text.begin(), '0');
    }
    return text;
}

std::string DoubleText(double value) {
    std::string text;
    AssignDoubleText(text, value);
    return text;
}

std::string DateText(const Date& date) {
    const DateParts parts = date.Parts();
    std::string year = std::to_string(parts.year);
    if (year.size() < 4) {
        year.insert(0, 4 - year.size(), '0');
    }
    return year + "-" + TwoDigits(parts.month) + "-" + TwoDigits(parts.day) + " " + TwoDigits(parts.hour) +
           ":" + TwoDigits(parts.minute) + ":" + TwoDigits(parts.second);
}

} // namespace

void AssignDoubleText(std::string& out, double value) {
    if (std::isnan(value)) {
        out = "NaN";
        return;
    }
    if (std::isinf(value)) {
        out = value < 0 ? "-Infinity" : "Infinity";
        return;
    }
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error == std::errc()) {
        out.assign(buffer, end);
    } else {
        out = std::to_string(value);
    }
}

void AssignCurrencyText(std::string& out, Currency value) {
    // Through unsigned, so that the smallest amount has a magnitude too.
    const bool negative = value.scaled < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value.scaled) : static_cast<std::uint64_t>(value.scaled);
    char buffer[32];
    char* end = buffer;
    if (negative) {
        *end++ = '-';
    }
    end = std::to_chars(end, buffer + sizeof buffer, magnitude / 10000u).ptr;
    std::uint64_t fraction = magnitude % 10000u;
    if (fraction != 0) {
        *end++ = '.';
        // Four places, without the zeros at the end.
        for (std::uint64_t unit = 1000; fraction != 0; unit /= 10) {
            *end++ = static_cast<char>('0' + fraction / unit);
            fraction %= unit;
        }
    }
    out.assign(buffer, end);
}

Variant VariantFromPgText(std::string_view text, DataTypeEnum type) {
    try {
        return Converted(text, type);
    } catch (const AdoError&) {
        return Variant(text);
    } catch (const std::invalid_argument&) {
        return Variant(text);
    }
}

std::optional<std::string> PgTextOf(const Variant& value) {
    switch (value.Type()) {
    case VariantType::Empty:
    case VariantType::Null:
        return std::nullopt;
    case VariantType::Bool:
        return std::string(value.ToBool() ? "1" : "0");
    case VariantType::Double:
        return DoubleText(value.ToDouble());
    case VariantType::Date:
        return DateText(value.ToDate());
    case VariantType::String:
        return value.AsString();
    case VariantType::Binary: {
        const Bytes& bytes = value.AsBytes();
        return EncodeByteaHex(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    default:
        // Whole numbers and Currency: their plain, exact decimal.
        return value.ToString();
    }
}

PgParam PgParamOf(const Variant& value) {
    if (value.Type() == VariantType::Binary) {
        const Bytes& bytes = value.AsBytes();
        return PgParam::Bytes(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    std::optional<std::string> text = PgTextOf(value);
    if (!text) {
        return PgParam::Null();
    }
    return PgParam{std::move(text), false};
}

} // namespace kx::ado::pg
