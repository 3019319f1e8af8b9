#include "wizard/WindowNumbers.h"

#include <map>

namespace kx::wizard {
namespace {

struct Registry {
    std::uint64_t last = 0;
    std::map<std::uint64_t, QWidget*> live;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

} // namespace

std::uint64_t WindowNumbers::Take(QWidget* control) {
    Registry& registry = TheRegistry();
    const std::uint64_t number = ++registry.last;
    registry.live.emplace(number, control);
    return number;
}

void WindowNumbers::Forget(std::uint64_t number) noexcept {
    TheRegistry().live.erase(number);
}

QWidget* WindowNumbers::Find(std::uint64_t number) noexcept {
    const Registry& registry = TheRegistry();
    const auto found = registry.live.find(number);
    return found == registry.live.end() ? nullptr : found->second;
}

} // namespace kx::wizard
