#pragma once

#include "platform/ListLock.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace kx::test {

/// Another program that changes a list: a child process that takes the list's
/// platform::ListLock (without waiting) and holds it until LetGo or its end.
class LockHolderProcess {
  public:
    explicit LockHolderProcess(const std::filesystem::path& list) {
        int toChild[2], fromChild[2];
        if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe2");
        pid_ = ::fork();
        if (pid_ < 0)
            throw std::runtime_error("fork");
        if (pid_ == 0) {
            ::close(toChild[1]);
            ::close(fromChild[0]);
            std::optional<platform::ListLock> lock;
            try {
                lock.emplace(list, std::chrono::milliseconds(0));
            } catch (...) {
            }
            const char answer = lock ? '1' : '0';
            (void)!::write(fromChild[1], &answer, 1);
            char go = 0;
            (void)!::read(toChild[0], &go, 1); // until told, or the parent is gone
            ::_exit(0); // nothing of the parent's (its test, its temporary folder) runs here
        }
        ::close(toChild[0]);
        ::close(fromChild[1]);
        toChild_ = toChild[1];
        char answer = '0';
        held_ = ::read(fromChild[0], &answer, 1) == 1 && answer == '1';
        ::close(fromChild[0]);
    }
    ~LockHolderProcess() { LetGo(); }
    LockHolderProcess(const LockHolderProcess&) = delete;
    LockHolderProcess& operator=(const LockHolderProcess&) = delete;

    /// Whether the child got the lock.
    bool held() const noexcept { return held_; }

    /// Lets the child release the lock and end; returns once it has.
    void LetGo() noexcept {
        if (pid_ <= 0)
            return;
        const char go = 'x';
        (void)!::write(toChild_, &go, 1);
        ::close(toChild_);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    bool held_ = false;
};

} // namespace kx::test
