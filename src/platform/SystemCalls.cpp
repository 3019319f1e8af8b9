#include "SystemCalls.h"

#include "FaultPlan.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace kx::platform::sys {
namespace {

/// The errno that the plan in force gives this call, or 0 to make it.
int Planned(Call call) noexcept {
    FaultPlan* plan = ActiveFaultPlan();
    return plan == nullptr ? 0 : plan->Next(call);
}

/// Sets errno and answers -1, as a failed call does.
int Failed(int err) noexcept {
    errno = err;
    return -1;
}

} // namespace

ssize_t Write(int fd, const void* data, std::size_t size) noexcept {
    if (const int err = Planned(Call::Write))
        return Failed(err);
    return ::write(fd, data, size);
}

int Fsync(int fd) noexcept {
    if (const int err = Planned(Call::Fsync))
        return Failed(err);
    return ::fsync(fd);
}

int Fdatasync(int fd) noexcept {
    if (const int err = Planned(Call::Fsync))
        return Failed(err);
    return ::fdatasync(fd);
}

int Rename(const char* from, const char* to) noexcept {
    if (const int err = Planned(Call::Rename))
        return Failed(err);
    return ::rename(from, to);
}

int RenameNoReplace(const char* from, const char* to) noexcept {
    if (const int err = Planned(Call::Rename))
        return Failed(err);
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
}

int Link(const char* from, const char* to) noexcept {
    if (const int err = Planned(Call::Link))
        return Failed(err);
    return ::link(from, to);
}

ssize_t CopyFileRange(int in, int out, std::size_t size) noexcept {
    if (const int err = Planned(Call::Copy))
        return Failed(err);
    return ::copy_file_range(in, nullptr, out, nullptr, size, 0);
}

} // namespace kx::platform::sys
