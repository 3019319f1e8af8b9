#pragma once

#include <stdexcept>
#include <string>

namespace kx::platform {

/// A failure of the platform layer (file, encoding, path). `number` follows the
/// classic runtime numbering that the rest of the system reports (53 file not found,
/// 57 device I/O error, 70 permission denied, 75 path/file access error ...).
class PlatformError : public std::runtime_error {
public:
    PlatformError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const noexcept { return number_; }

private:
    int number_;
};

/// Runtime error numbers used across the project.
namespace errnum {
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int TypeMismatch = 13;
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int InternalError = 51;
inline constexpr int FileNotFound = 53;
inline constexpr int BadFileMode = 54;
inline constexpr int DeviceIOError = 57;
inline constexpr int DiskFull = 61;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidText = 1001;
} // namespace errnum

/// Maps an errno value to the runtime numbering above.
int ErrorNumberFromErrno(int err) noexcept;

} // namespace kx::platform
