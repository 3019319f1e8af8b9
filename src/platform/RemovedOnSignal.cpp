#include "RemovedOnSignal.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace kx::platform {

struct RemovedOnSignal::Entry {
    std::string path;
    Kind kind;
};

namespace {

using Entry = RemovedOnSignal::Entry;

constexpr std::array kSignals = {SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t kSlots = 64;

// The handler takes an entry by exchanging its slot for null; the owner frees an
// entry only when its own exchange still finds it, so neither frees what the
// other reads.
std::array<std::atomic<const Entry*>, kSlots> slots{};
static_assert(std::atomic<const Entry*>::is_always_lock_free, "the signal handler needs lock-free slots");

/// Removes what the folder `fd` holds directly (files, and empty folders), in
/// passes until one removes nothing: removing while reading may skip entries.
void EmptyFolder(int fd) noexcept {
    alignas(8) char buffer[4096];
    for (int pass = 0; pass < 16; ++pass) {
        bool removed = false;
        if (::lseek(fd, 0, SEEK_SET) != 0)
            return;
        for (;;) {
            const ssize_t n = ::getdents64(fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (ssize_t at = 0; at < n;) {
                // The layout of struct linux_dirent64: d_ino (8), d_off (8), d_reclen (2), d_type (1),
                // d_name.
                unsigned short length = 0;
                std::memcpy(&length, buffer + at + 16, sizeof length);
                const char* name = buffer + at + 19;
                at += length;
                if (length == 0)
                    return;
                if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
                    continue;
                if (::unlinkat(fd, name, 0) == 0 || ::unlinkat(fd, name, AT_REMOVEDIR) == 0)
                    removed = true;
            }
        }
        if (!removed)
            return;
    }
}

void Remove(const Entry& entry) noexcept {
    const char* path = entry.path.c_str();
    if (entry.kind == RemovedOnSignal::Kind::File) {
        ::unlink(path);
        return;
    }
    const int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    EmptyFolder(fd);
    ::close(fd);
    ::rmdir(path);
}

extern "C" void RemoveTemporariesAndEnd(int signal) {
    const int savedErrno = errno;
    for (auto& slot : slots) {
        if (const Entry* entry = slot.exchange(nullptr))
            Remove(*entry);
    }
    // The signal is blocked while its handler runs: raised again with the default
    // action, it ends the process as soon as the handler returns.
    struct sigaction original {};
    original.sa_handler = SIG_DFL;
    sigemptyset(&original.sa_mask);
    ::sigaction(signal, &original, nullptr);
    ::raise(signal);
    errno = savedErrno;
}

/// Takes over each signal whose disposition is the default one, on every
/// registration: a host may give a signal back to the default later. Threads that
/// do this at once install the same handler.
void InstallHandlers() noexcept {
    struct sigaction handler {};
    handler.sa_handler = RemoveTemporariesAndEnd;
    sigemptyset(&handler.sa_mask);
    for (const int signal : kSignals)
        sigaddset(&handler.sa_mask, signal);
    for (const int signal : kSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && (current.sa_flags & SA_SIGINFO) == 0 &&
            current.sa_handler == SIG_DFL)
            ::sigaction(signal, &handler, nullptr);
    }
}

} // namespace

RemovedOnSignal::RemovedOnSignal(const std::filesystem::path& path, Kind kind)
    : entry_(std::make_unique<Entry>(Entry{std::filesystem::absolute(path).string(), kind})) {
    InstallHandlers();
    for (std::size_t i = 0; i < kSlots; ++i) {
        const Entry* empty = nullptr;
        if (slots[i].compare_exchange_strong(empty, entry_.get())) {
            slot_ = static_cast<int>(i);
            return;
        }
    }
}

RemovedOnSignal::~RemovedOnSignal() {
    if (slot_ < 0)
        return;
    if (slots[static_cast<std::size_t>(slot_)].exchange(nullptr) != entry_.get())
        (void)entry_.release(); // a handler has it; the process is ending
}

} // namespace kx::platform
