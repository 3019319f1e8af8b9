#include "Currency.h"

#include "AdoConstants.h"
#include "AdoError.h"

#include <string>

namespace kx::ado {
namespace {

constexpr const char* kSource = "kx.Currency";

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

[[noreturn]] void ThrowOverflow() {
    throw AdoError(errors::Overflow, kSource, "Overflow: the value does not fit in Currency.");
}

} // namespace

Currency ParseCurrency(std::string_view text) {
    std::string_view rest = Trim(text);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    std::int64_t scaled = 0;
    int digits = 0;
    int places = -1;
    for (const char c : rest) {
        if (c == '.' && places < 0) {
            places = 0;
            continue;
        }
        if (c < '0' || c > '9' || places >= 4)
            throw AdoError(errors::TypeMismatch, kSource,
                           "Type mismatch: \"" + std::string(text) + "\" is not an amount.");
        if (__builtin_mul_overflow(scaled, 10, &scaled) || __builtin_add_overflow(scaled, c - '0', &scaled))
            ThrowOverflow();
        ++digits;
        if (places >= 0)
            ++places;
    }
    if (digits == 0)
        throw AdoError(errors::TypeMismatch, kSource,
                       "Type mismatch: \"" + std::string(text) + "\" is not an amount.");
    for (int p = places < 0 ? 0 : places; p < 4; ++p)
        if (__builtin_mul_overflow(scaled, 10, &scaled))
            ThrowOverflow();
    return Currency{negative ? -scaled : scaled};
}

} // namespace kx::ado
