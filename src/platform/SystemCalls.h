#pragma once

// The system calls through which the platform layer writes, syncs and places
// files. Each behaves as the call of its name (its answer, errno on failure),
// except that a fault plan set by a test (FaultPlan.h) can make it fail without
// calling the system. Code of the platform layer makes these calls only here.

#include <cstddef>
#include <sys/types.h>

namespace kx::platform::sys {

/// write(2); counted as Call::Write.
ssize_t Write(int fd, const void* data, std::size_t size) noexcept;
/// fsync(2) of a file or a folder; counted as Call::Fsync.
int Fsync(int fd) noexcept;
/// fdatasync(2); counted as Call::Fsync.
int Fdatasync(int fd) noexcept;
/// rename(2); counted as Call::Rename.
int Rename(const char* from, const char* to) noexcept;
/// renameat2(2) with RENAME_NOREPLACE, both names relative to the working folder;
/// counted as Call::Rename.
int RenameNoReplace(const char* from, const char* to) noexcept;
/// link(2); counted as Call::Link.
int Link(const char* from, const char* to) noexcept;
/// copy_file_range(2) of up to `size` bytes from the offset of `in` to that of
/// `out`; counted as Call::Copy.
ssize_t CopyFileRange(int in, int out, std::size_t size) noexcept;

} // namespace kx::platform::sys
