#pragma once

#include <cstdint>
#include <string_view>

namespace kx::ado {

/// An exact money amount: the value times 10000 (four decimal places), the range
/// of a signed 64-bit number.
struct Currency {
    std::int64_t scaled = 0;

    static constexpr std::int64_t kScale = 10000;
    static constexpr Currency FromUnits(std::int64_t units) { return Currency{units * kScale}; }
    friend bool operator==(const Currency&, const Currency&) = default;
};

/// Parses an exact decimal amount with at most four places ("-12.3456"); throws
/// TypeMismatch for other text and Overflow beyond the Currency range.
Currency ParseCurrency(std::string_view text);

} // namespace kx::ado
