#pragma once

#include "component/kxLedgerWizComponent.h"

#include <utility>

namespace kx::component {

/// Holds one reference to a class object and gives it back (Release) when it goes.
/// The library that made the object must stay loaded until then.
class ClassFactoryPtr {
  public:
    ClassFactoryPtr() noexcept = default;
    /// Takes over the reference that `adopted` already carries.
    explicit ClassFactoryPtr(IClassFactory* adopted) noexcept : factory_(adopted) {}
    ~ClassFactoryPtr() { Reset(); }

    ClassFactoryPtr(ClassFactoryPtr&& other) noexcept : factory_(std::exchange(other.factory_, nullptr)) {}
    ClassFactoryPtr& operator=(ClassFactoryPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            factory_ = std::exchange(other.factory_, nullptr);
        }
        return *this;
    }
    ClassFactoryPtr(const ClassFactoryPtr&) = delete;
    ClassFactoryPtr& operator=(const ClassFactoryPtr&) = delete;

    /// Releases the reference now.
    void Reset() noexcept {
        if (factory_ != nullptr)
            std::exchange(factory_, nullptr)->Release();
    }

    IClassFactory* get() const noexcept { return factory_; }
    IClassFactory* operator->() const noexcept { return factory_; }
    IClassFactory& operator*() const noexcept { return *factory_; }
    explicit operator bool() const noexcept { return factory_ != nullptr; }

  private:
    IClassFactory* factory_ = nullptr;
};

} // namespace kx::component
