#pragma once

#include "Currency.h"
#include "Date.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kx::ado {

/// Raw bytes of a binary value.
using Bytes = std::vector<std::byte>;

/// The kinds of value a Variant holds.
enum class VariantType { Empty, Null, Bool, Int16, Int32, Int64, Double, Currency, Date, String, Binary };

/// A small variant for field values, property values and stream data.
///
/// Text is UTF-8. Conversions (To...) follow the classic automation rules:
/// True is -1 as a number, numbers round half to even when made whole, Null
/// converts to "" only in ToString, and a value that does not fit or does not
/// convert throws AdoError (errors::Overflow, TypeMismatch or InvalidUseOfNull).
class Variant {
  public:
    /// Empty (no value assigned).
    Variant() = default;
    Variant(bool value) : value_(value) {}
    Variant(std::int16_t value) : value_(value) {}
    Variant(std::int32_t value) : value_(value) {}
    Variant(std::int64_t value) : value_(value) {}
    Variant(double value) : value_(value) {}
    Variant(Currency value) : value_(value) {}
    Variant(Date value) : value_(value) {}
    Variant(std::string value) : value_(std::move(value)) {}
    Variant(std::string_view value) : value_(std::string(value)) {}
    Variant(const char* value) : value_(std::string(value)) {}
    Variant(Bytes value) : value_(std::move(value)) {}

    /// The Null value (a known absence of data, unlike Empty).
    static Variant Null();
    /// A Binary value with the bytes of `bytes`.
    static Variant FromByteString(std::string_view bytes);

    VariantType Type() const noexcept { return static_cast<VariantType>(value_.index()); }
    bool IsNull() const noexcept { return Type() == VariantType::Null; }
    bool IsEmpty() const noexcept { return Type() == VariantType::Empty; }
    /// Null or Empty.
    bool IsMissing() const noexcept { return IsNull() || IsEmpty(); }
    bool IsNumeric() const noexcept;

    /// Text form: Null and Empty give "", Bool "True"/"False", numbers in plain
    /// decimal (up to 15 significant digits for Double), dates as
    /// "yyyy-mm-dd" or "yyyy-mm-dd hh:mm:ss", Binary as its bytes unchanged.
    std::string ToString() const;
    bool ToBool() const;
    std::int16_t ToInt16() const;
    std::int32_t ToInt32() const;
    std::int64_t ToInt64() const;
    double ToDouble() const;
    Currency ToCurrency() const;
    Date ToDate() const;
    /// Binary as is, String as its UTF-8 bytes; other values throw TypeMismatch.
    Bytes ToBytes() const;

    /// The held text; throws TypeMismatch when the value is not a String.
    const std::string& AsString() const;
    std::string& MutableString();
    /// The held bytes; throws TypeMismatch when the value is not Binary.
    const Bytes& AsBytes() const;
    Bytes& MutableBytes();

    /// Same kind and same value (no conversion: Int32 1 differs from Int16 1).
    friend bool operator==(const Variant&, const Variant&) = default;

  private:
    struct EmptyTag {
        friend bool operator==(EmptyTag, EmptyTag) = default;
    };
    struct NullTag {
        friend bool operator==(NullTag, NullTag) = default;
    };
    std::variant<EmptyTag, NullTag, bool, std::int16_t, std::int32_t, std::int64_t, double, Currency, Date,
                 std::string, Bytes>
        value_;
};

/// Name of a variant type, for messages ("String", "Currency", ...).
std::string_view VariantTypeName(VariantType type) noexcept;

/// Parses a decimal number text ("12", "-3.50", " 1e3 ") into a Double; throws
/// TypeMismatch when the whole trimmed text is not a number.
double ParseNumber(std::string_view text);

} // namespace kx::ado
