#pragma once

#include "component/ClassFactoryPtr.h"
#include "component/kxLedgerWizComponent.h"

#include <filesystem>
#include <memory>

namespace kx::component {

/// Deleter of a loaded library: unloads it only while it says it may be unloaded.
struct LibraryUnloader {
    KxDllCanUnloadNowFunction canUnloadNow = nullptr;
    void operator()(void* handle) const noexcept;
};

/// A component library loaded into this process, with its four entry points.
///
/// The library is unloaded when the object goes only if it answers
/// DllCanUnloadNow with KX_S_OK; while class objects or controls it made are still
/// alive it stays loaded for the rest of the process, since unloading it would
/// pull their code away.
class ComponentLibrary {
  public:
    /// Loads `file` (all symbols bound now, kept local to the library) and finds
    /// its entry points. Throws ComponentError (KX_E_FAIL) when the file cannot be
    /// loaded or lacks one of the four entry points.
    explicit ComponentLibrary(const std::filesystem::path& file);
    ~ComponentLibrary();
    /// A moved-from library may only be destroyed or assigned to.
    ComponentLibrary(ComponentLibrary&&) noexcept;
    ComponentLibrary& operator=(ComponentLibrary&&) noexcept;
    ComponentLibrary(const ComponentLibrary&) = delete;
    ComponentLibrary& operator=(const ComponentLibrary&) = delete;

    const std::filesystem::path& file() const noexcept { return file_; }

    KxResult RegisterServer() const;
    KxResult UnregisterServer() const;
    KxResult GetClassObject(const Guid& classId, const Guid& iid, void** object) const;
    KxResult CanUnloadNow() const;

    /// The class object of `classId`. Throws ComponentError with the library's
    /// answer when it does not give one.
    ClassFactoryPtr ClassFactory(const Guid& classId) const;

  private:
    std::filesystem::path file_;
    std::unique_ptr<void, LibraryUnloader> handle_;
    KxDllRegisterServerFunction registerServer_ = nullptr;
    KxDllUnregisterServerFunction unregisterServer_ = nullptr;
    KxDllGetClassObjectFunction getClassObject_ = nullptr;
    KxDllCanUnloadNowFunction canUnloadNow_ = nullptr;
};

} // namespace kx::component
