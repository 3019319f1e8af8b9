#pragma once

// TEST SEAM. A fault plan makes chosen system calls of the platform layer fail
// with a chosen errno, so that tests can try every step of writing, syncing and
// placing a file against a disk that fills, an I/O error or a refused rename,
// not only the first one. Nothing in the program sets a plan; without one, every
// call in SystemCalls.h goes straight to the system after one atomic load.
//
// A plan comes from one of two places:
// - in a test program, a ScopedFaultPlan object, for as long as it lives;
// - in any process, the environment variable KX_FAULT, read once, at the first
//   call through SystemCalls.h. Its text is what ParseFaultPlan reads, for example
//       KX_FAULT=fsync:3:ENOSPC            the third fsync fails with ENOSPC
//       KX_FAULT=write:2+:ENOSPC,link:1:EIO
//   A text that cannot be read ends the process with a message: a test that
//   misspells its fault must not pass without it.

#include <array>
#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kx::platform::sys {

/// The kinds of system call that go through SystemCalls.h; a plan counts and
/// fails each kind on its own.
enum class Call {
    Write,  ///< write()
    Fsync,  ///< fsync() and fdatasync(), of files and of folders
    Rename, ///< rename() and renameat2()
    Link,   ///< link()
    Copy,   ///< copy_file_range()
};
inline constexpr std::size_t kCallKinds = 5;

/// The kind's name in a plan's text: "write", "fsync", "rename", "link", "copy".
std::string_view NameOf(Call call) noexcept;

/// One planned failure: the `nth` call of kind `call` (counted from 1) fails with
/// errno `error`; with `onward`, every later call of that kind fails as well (a
/// disk that stays full).
struct Fault {
    Call call;
    unsigned long nth;
    int error;
    bool onward = false;

    friend bool operator==(const Fault&, const Fault&) = default;
};

/// Reads a plan's text: entries "KIND:K:ERROR" separated by commas. KIND is a name
/// of NameOf, K a count from 1, optionally followed by "+" for that call and every
/// later one, ERROR a symbolic errno name (EIO, ENOSPC, EACCES ...) or its number.
/// An empty text is a plan without faults. Throws std::invalid_argument naming the
/// entry it cannot read.
std::vector<Fault> ParseFaultPlan(std::string_view text);

/// A plan with its counts of the calls made since it began.
class FaultPlan {
  public:
    explicit FaultPlan(std::vector<Fault> faults) : faults_(std::move(faults)) {}

    /// Counts a call of kind `call`: the errno it is to fail with, or 0.
    int Next(Call call) noexcept;
    unsigned long Calls(Call call) const noexcept {
        return counts_[static_cast<std::size_t>(call)].load(std::memory_order_relaxed);
    }
    unsigned long Injected() const noexcept { return injected_.load(std::memory_order_relaxed); }

  private:
    std::vector<Fault> faults_;
    std::array<std::atomic<unsigned long>, kCallKinds> counts_{};
    std::atomic<unsigned long> injected_{0};
};

/// For unit tests: makes its plan the one in force while it lives, counting calls
/// from zero, and puts back the plan that was in force before (one from KX_FAULT,
/// or none) when it goes. A plan without faults only counts, which tells a test
/// how many calls of a kind a step makes, so that it can fail each in turn.
/// It must not end while another thread is in a call of SystemCalls.h.
class ScopedFaultPlan {
  public:
    explicit ScopedFaultPlan(std::vector<Fault> faults = {});
    /// The plan of ParseFaultPlan(text).
    explicit ScopedFaultPlan(std::string_view text);
    ~ScopedFaultPlan();
    ScopedFaultPlan(const ScopedFaultPlan&) = delete;
    ScopedFaultPlan& operator=(const ScopedFaultPlan&) = delete;

    /// Calls of kind `call` made since the scope began.
    unsigned long Calls(Call call) const noexcept { return plan_->Calls(call); }
    /// Calls that the plan made fail.
    unsigned long Injected() const noexcept { return plan_->Injected(); }

  private:
    std::unique_ptr<FaultPlan> plan_;
    FaultPlan* previous_;
};

/// The plan in force, or none; reads KX_FAULT on its first use. For SystemCalls.cpp.
FaultPlan* ActiveFaultPlan() noexcept;

} // namespace kx::platform::sys
