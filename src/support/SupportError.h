#pragma once

#include <stdexcept>
#include <string>

namespace kx::support {

/// A failure reported by the accounting object. `number()` follows the classic
/// runtime numbering used across the system, so callers may report it the same
/// way as any other error.
class SupportError : public std::runtime_error {
  public:
    SupportError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const noexcept { return number_; }

  private:
    int number_;
};

/// Error numbers raised by the support library.
namespace supporterr {
/// An argument the operation cannot work with (for example no connection given).
inline constexpr int InvalidArgument = 5;
/// A needed object is not there (no connection set, no accounting object given).
inline constexpr int ObjectNotSet = 91;
/// A database operation of the object failed; the description says which.
inline constexpr int OperationFailed = 3146;
} // namespace supporterr

} // namespace kx::support
