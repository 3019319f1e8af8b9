#pragma once

#include <cstdint>

namespace kx::platform {

/// An HRESULT as error objects and entry points carry it: the signed 32-bit
/// number whose bits are the hex value the documentation gives (Hr(0x80004005u)
/// is E_FAIL). Every HRESULT of the project is written through this one helper;
/// plain runtime error numbers (53, 522 ...) are named constants instead.
constexpr std::int32_t Hr(std::uint32_t value) noexcept {
    return static_cast<std::int32_t>(value);
}

} // namespace kx::platform
