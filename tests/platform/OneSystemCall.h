#pragma once

// One real call of each wrapper of platform/SystemCalls.h on files of a folder,
// for the fault plan's tests and its probe program.

#include "platform/FaultPlan.h"
#include "platform/FileDescriptor.h"
#include "platform/SystemCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace kx::test {

/// A wrapper of SystemCalls.h by its name, with the kind a fault plan counts it as.
struct Wrapper {
    const char* name;
    platform::sys::Call kind;
};

inline constexpr Wrapper kWrappers[] = {
    {"Write", platform::sys::Call::Write},   {"Fsync", platform::sys::Call::Fsync},
    {"Fdatasync", platform::sys::Call::Fsync}, {"Rename", platform::sys::Call::Rename},
    {"RenameNoReplace", platform::sys::Call::Rename}, {"Link", platform::sys::Call::Link},
    {"CopyFileRange", platform::sys::Call::Copy},
};

/// What became of one call.
struct CallResult {
    int error;    ///< 0, or the errno of its failure
    bool changed; ///< the folder shows the call's change (a sync shows nothing: as its success)
};

namespace one_call_detail {

inline platform::FileDescriptor Create(const std::filesystem::path& file, const char* content = "") {
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd >= 0 && *content != '\0')
        (void)!::write(fd, content, std::char_traits<char>::length(content));
    return platform::FileDescriptor(fd);
}

inline off_t SizeOf(const std::filesystem::path& file) {
    struct stat st {};
    return ::lstat(file.c_str(), &st) == 0 ? st.st_size : -1;
}

inline int ErrorOf(long rc) { return rc < 0 ? errno : 0; }

} // namespace one_call_detail

/// Makes call number `i` of `wrapper` on fresh files of `folder` named after it
/// and `i`, and looks what became of it.
inline CallResult MakeOneCall(const Wrapper& wrapper, const std::filesystem::path& folder, int i) {
    using namespace one_call_detail;
    namespace sys = platform::sys;
    const std::string name = wrapper.name;
    const std::filesystem::path file = folder / (name + "-" + std::to_string(i));
    const std::filesystem::path moved = folder / (name + "-" + std::to_string(i) + "-moved");
    if (name == "Write") {
        const auto fd = Create(file);
        const int error = ErrorOf(sys::Write(fd.get(), "x", 1));
        return {error, SizeOf(file) == 1};
    }
    if (name == "Fsync" || name == "Fdatasync") {
        const auto fd = Create(file, "x");
        const int error = ErrorOf(name == "Fsync" ? sys::Fsync(fd.get()) : sys::Fdatasync(fd.get()));
        return {error, error == 0};
    }
    if (name == "Rename" || name == "RenameNoReplace") {
        Create(file, "x");
        const int error = ErrorOf(name == "Rename" ? sys::Rename(file.c_str(), moved.c_str())
                                                   : sys::RenameNoReplace(file.c_str(), moved.c_str()));
        return {error, SizeOf(moved) == 1 && SizeOf(file) < 0};
    }
    if (name == "Link") {
        Create(file, "x");
        const int error = ErrorOf(sys::Link(file.c_str(), moved.c_str()));
        return {error, SizeOf(moved) == 1};
    }
    // CopyFileRange
    const auto in = Create(file, "abc");
    ::lseek(in.get(), 0, SEEK_SET);
    const auto out = Create(moved);
    const int error = ErrorOf(sys::CopyFileRange(in.get(), out.get(), 3));
    return {error, SizeOf(moved) == 3};
}

} // namespace kx::test
