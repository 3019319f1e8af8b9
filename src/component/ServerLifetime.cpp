#include "component/ServerLifetime.h"

namespace kx::component {

bool ServerLifetime::DecrementAboveZero(std::atomic<std::uint32_t>& count, std::uint32_t& result) noexcept {
    std::uint32_t current = count.load();
    do {
        if (current == 0) {
            result = 0;
            return false;
        }
    } while (!count.compare_exchange_weak(current, current - 1));
    result = current - 1;
    return true;
}

std::uint32_t ServerLifetime::AddFactoryReference() noexcept {
    return ++factoryReferences_;
}

std::uint32_t ServerLifetime::ReleaseFactoryReference() noexcept {
    std::uint32_t result = 0;
    DecrementAboveZero(factoryReferences_, result);
    return result;
}

void ServerLifetime::ControlCreated() noexcept {
    ++controls_;
}

void ServerLifetime::ControlDestroyed() noexcept {
    std::uint32_t ignored = 0;
    DecrementAboveZero(controls_, ignored);
}

void ServerLifetime::Lock() noexcept {
    ++locks_;
}

bool ServerLifetime::Unlock() noexcept {
    std::uint32_t ignored = 0;
    return DecrementAboveZero(locks_, ignored);
}

bool ServerLifetime::CanUnload() const noexcept {
    return factoryReferences_.load() == 0 && controls_.load() == 0 && locks_.load() == 0;
}

} // namespace kx::component
