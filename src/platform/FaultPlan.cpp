#include "FaultPlan.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>

namespace kx::platform::sys {
namespace {

constexpr std::array<std::string_view, kCallKinds> kNames = {"write", "fsync", "rename", "link", "copy"};

/// The plan in force; null (the program's normal state) makes every call go
/// straight to the system.
std::atomic<FaultPlan*> g_active{nullptr};

bool ParseCount(std::string_view digits, unsigned long& value) {
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return ec == std::errc() && end == digits.data() + digits.size();
}

/// An errno by its symbolic name ("ENOSPC") or its number; 0 when neither.
int ErrorNamed(std::string_view name) {
    unsigned long number = 0;
    if (ParseCount(name, number))
        return number > 0 && number < 4096 ? static_cast<int>(number) : 0;
    for (int e = 1; e < 4096; ++e) {
        const char* known = ::strerrorname_np(e);
        if (known != nullptr && name == known)
            return e;
    }
    return 0;
}

Fault ParseEntry(std::string_view entry) {
    const auto bad = [&] {
        return std::invalid_argument("fault plan entry \"" + std::string(entry) +
                                     "\" is not KIND:K:ERROR (KIND write|fsync|rename|link|copy, "
                                     "K a count from 1 with an optional +, ERROR an errno name)");
    };
    const std::size_t first = entry.find(':');
    const std::size_t second = first == std::string_view::npos ? first : entry.find(':', first + 1);
    if (second == std::string_view::npos)
        throw bad();
    const std::string_view kind = entry.substr(0, first);
    std::string_view count = entry.substr(first + 1, second - first - 1);
    const std::string_view error = entry.substr(second + 1);

    Fault fault{};
    std::size_t k = 0;
    while (k < kNames.size() && kNames[k] != kind)
        ++k;
    if (k == kNames.size())
        throw bad();
    fault.call = static_cast<Call>(k);
    if (count.ends_with('+')) {
        fault.onward = true;
        count.remove_suffix(1);
    }
    if (!ParseCount(count, fault.nth) || fault.nth == 0)
        throw bad();
    fault.error = ErrorNamed(error);
    if (fault.error == 0)
        throw bad();
    return fault;
}

/// The plan of KX_FAULT, made once and kept for the life of the process.
FaultPlan* PlanFromEnvironment() noexcept {
    const char* text = std::getenv("KX_FAULT");
    if (text == nullptr)
        return nullptr;
    try {
        static FaultPlan plan(ParseFaultPlan(text));
        return &plan;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "KX_FAULT: %s\n", e.what());
        std::abort();
    }
}

} // namespace

std::string_view NameOf(Call call) noexcept {
    return kNames[static_cast<std::size_t>(call)];
}

std::vector<Fault> ParseFaultPlan(std::string_view text) {
    std::vector<Fault> faults;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        faults.push_back(ParseEntry(text.substr(0, comma)));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (comma != std::string_view::npos && text.empty())
            throw std::invalid_argument("fault plan ends with a comma");
    }
    return faults;
}

int FaultPlan::Next(Call call) noexcept {
    const unsigned long n = counts_[static_cast<std::size_t>(call)].fetch_add(1, std::memory_order_relaxed) + 1;
    for (const Fault& fault : faults_) {
        if (fault.call == call && (n == fault.nth || (fault.onward && n > fault.nth))) {
            injected_.fetch_add(1, std::memory_order_relaxed);
            return fault.error;
        }
    }
    return 0;
}

FaultPlan* ActiveFaultPlan() noexcept {
    // Read once; a scope that began before stays in force.
    static const bool environmentRead = [] {
        FaultPlan* expected = nullptr;
        if (FaultPlan* plan = PlanFromEnvironment())
            g_active.compare_exchange_strong(expected, plan);
        return true;
    }();
    (void)environmentRead;
    return g_active.load(std::memory_order_acquire);
}

ScopedFaultPlan::ScopedFaultPlan(std::vector<Fault> faults)
    : plan_(std::make_unique<FaultPlan>(std::move(faults))), previous_(ActiveFaultPlan()) {
    g_active.store(plan_.get(), std::memory_order_release);
}

ScopedFaultPlan::ScopedFaultPlan(std::string_view text) : ScopedFaultPlan(ParseFaultPlan(text)) {}

ScopedFaultPlan::~ScopedFaultPlan() {
    g_active.store(previous_, std::memory_order_release);
}

} // namespace kx::platform::sys
