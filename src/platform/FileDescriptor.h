#pragma once

#include <unistd.h>

namespace kx::platform {

/// Owns a POSIX file descriptor and closes it when it goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) noexcept : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const noexcept { return fd_; }
    /// Closes now and reports a failed close (a late write error on some file systems).
    int Close() noexcept {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

    /// Gives the descriptor up without closing it.
    [[nodiscard]] int Release() noexcept {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

} // namespace kx::platform
