#include "component/ComponentLibrary.h"

#include "component/ComponentError.h"

#include <dlfcn.h>

#include <string>

namespace kx::component {
namespace {

template <typename Function>
Function EntryPoint(void* handle, const char* name, const std::filesystem::path& file) {
    void* symbol = ::dlsym(handle, name);
    if (symbol == nullptr)
        throw ComponentError(KX_E_FAIL, "component library has no " + std::string(name) + ": " + file.string());
    // dlsym hands functions out as object pointers; POSIX guarantees the round trip.
    return reinterpret_cast<Function>(symbol);
}

} // namespace

void LibraryUnloader::operator()(void* handle) const noexcept {
    if (canUnloadNow == nullptr || canUnloadNow() == KX_S_OK)
        ::dlclose(handle);
}

ComponentLibrary::ComponentLibrary(const std::filesystem::path& file) : file_(file) {
    ::dlerror();
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = ::dlerror();
        throw ComponentError(KX_E_FAIL, "cannot load component library " + file.string() +
                                            (reason != nullptr ? ": " + std::string(reason) : std::string()));
    }
    // Until every entry point is found, a failure unloads unconditionally.
    handle_ = std::unique_ptr<void, LibraryUnloader>(handle, LibraryUnloader{});
    registerServer_ = EntryPoint<KxDllRegisterServerFunction>(handle, "DllRegisterServer", file_);
    unregisterServer_ = EntryPoint<KxDllUnregisterServerFunction>(handle, "DllUnregisterServer", file_);
    getClassObject_ = EntryPoint<KxDllGetClassObjectFunction>(handle, "DllGetClassObject", file_);
    canUnloadNow_ = EntryPoint<KxDllCanUnloadNowFunction>(handle, "DllCanUnloadNow", file_);
    handle_.get_deleter().canUnloadNow = canUnloadNow_;
}

ComponentLibrary::~ComponentLibrary() = default;
ComponentLibrary::ComponentLibrary(ComponentLibrary&&) noexcept = default;
ComponentLibrary& ComponentLibrary::operator=(ComponentLibrary&&) noexcept = default;

KxResult ComponentLibrary::RegisterServer() const {
    return registerServer_();
}

KxResult ComponentLibrary::UnregisterServer() const {
    return unregisterServer_();
}

KxResult ComponentLibrary::GetClassObject(const Guid& classId, const Guid& iid, void** object) const {
    return getClassObject_(&classId, &iid, object);
}

KxResult ComponentLibrary::CanUnloadNow() const {
    return canUnloadNow_();
}

ClassFactoryPtr ComponentLibrary::ClassFactory(const Guid& classId) const {
    void* object = nullptr;
    const KxResult result = GetClassObject(classId, KX_IID_IClassFactory, &object);
    if (result != KX_S_OK || object == nullptr)
        throw ComponentError(result == KX_S_OK ? KX_E_FAIL : result,
                             "component library gives no class object: " + file_.string());
    return ClassFactoryPtr(static_cast<IClassFactory*>(object));
}

} // namespace kx::component
