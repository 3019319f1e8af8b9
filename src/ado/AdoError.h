#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace kx::ado {

/// The one exception type of the data layer: every failure of a connection,
/// recordset, field, stream or provider arrives as an AdoError.
///
/// - Number(): an HRESULT-like 32-bit number (for example 0x80004005 as the
///   signed value -2147467259); the numbers the layer uses are in
///   AdoConstants.h (`errors::`).
/// - Source(): who raised it ("ADODB.Recordset", or the provider's engine name).
/// - Description(): the text to show; for provider failures the provider's own
///   text, unchanged.
/// - NativeError(): the provider's own error code (0 when there is none).
class AdoError : public std::exception {
  public:
    AdoError(std::int32_t number, std::string source, std::string description, long nativeError = 0);

    std::int32_t Number() const noexcept { return number_; }
    const std::string& Source() const noexcept { return source_; }
    const std::string& Description() const noexcept { return description_; }
    long NativeError() const noexcept { return nativeError_; }

    /// The description.
    const char* what() const noexcept override { return description_.c_str(); }

  private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
    long nativeError_;
};

} // namespace kx::ado
