#pragma once

#include <atomic>
#include <cstdint>

namespace kx::component {

/// What keeps the library in use: references to its class object, controls it
/// made that still exist, and server locks of hosts. The library may be unloaded
/// only while all three are zero.
class ServerLifetime {
  public:
    /// Adds a class object reference; returns the new count.
    std::uint32_t AddFactoryReference() noexcept;
    /// Drops a class object reference; returns the new count. A release without
    /// a reference (a host's fault) leaves the count at zero.
    std::uint32_t ReleaseFactoryReference() noexcept;

    void ControlCreated() noexcept;
    void ControlDestroyed() noexcept;

    void Lock() noexcept;
    /// False, changing nothing, when no lock is held.
    bool Unlock() noexcept;

    bool CanUnload() const noexcept;

  private:
    static bool DecrementAboveZero(std::atomic<std::uint32_t>& count, std::uint32_t& result) noexcept;

    std::atomic<std::uint32_t> factoryReferences_{0};
    std::atomic<std::uint32_t> controls_{0};
    std::atomic<std::uint32_t> locks_{0};
};

} // namespace kx::component
