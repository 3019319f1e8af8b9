// The four exported functions of libkxLedgerWiz.so. Nothing may leave them as an
// exception: every failure becomes a result code.
#include "component/kxLedgerWizComponent.h"

#include "component/ClassFactory.h"
#include "component/ClassRegistry.h"
#include "component/ComponentError.h"
#include "component/HostMessageBox.h"
#include "component/ServerLifetime.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace {

kx::component::ServerLifetime theLifetime;
kx::component::ClassFactory theFactory(theLifetime);

/// The library's message boxes stand in for the host's while the library is
/// loaded and the host has installed none, so that a host needs no setup to see
/// them as real boxes.
class MessageBoxFallback {
  public:
    MessageBoxFallback() {
        if (kx::platform::InstalledFallbackMessageBox() == nullptr)
            kx::platform::InstallFallbackMessageBox(&box_);
    }
    ~MessageBoxFallback() {
        if (kx::platform::InstalledFallbackMessageBox() == &box_)
            kx::platform::InstallFallbackMessageBox(nullptr);
    }
    MessageBoxFallback(const MessageBoxFallback&) = delete;
    MessageBoxFallback& operator=(const MessageBoxFallback&) = delete;

  private:
    kx::component::HostMessageBox box_;
};
const MessageBoxFallback theMessageBoxFallback;

// Any object of this library serves dladdr to find the library's own file.
const char theAnchor = 0;

std::filesystem::path OwnLibraryFile() {
    Dl_info info{};
    if (::dladdr(&theAnchor, &info) == 0 || info.dli_fname == nullptr || info.dli_fname[0] == '\0')
        throw kx::component::ComponentError(KX_SELFREG_E_CLASS, "cannot find the library's own file");
    // The loader keeps the name the library was opened by, which may be relative.
    return std::filesystem::canonical(info.dli_fname);
}

} // namespace

KxResult DllRegisterServer(void) {
    try {
        kx::component::RegisteredClass entry;
        entry.classId = KX_CLSID_CreatLedgerWiz;
        entry.progId = KX_PROGID_CreatLedgerWiz;
        entry.library = OwnLibraryFile();
        const std::filesystem::path description = entry.library.parent_path() / KX_LEDGERWIZ_DESCRIPTION_FILE;
        std::error_code ec;
        if (std::filesystem::is_regular_file(description, ec))
            entry.description = description;
        kx::component::ClassRegistry(kx::component::DefaultClassRegistryFile()).Register(entry);
        return KX_S_OK;
    } catch (...) {
        return KX_SELFREG_E_CLASS;
    }
}

KxResult DllUnregisterServer(void) {
    try {
        kx::component::ClassRegistry(kx::component::DefaultClassRegistryFile()).Unregister(KX_CLSID_CreatLedgerWiz);
        return KX_S_OK;
    } catch (...) {
        return KX_SELFREG_E_CLASS;
    }
}

KxResult DllGetClassObject(const KxGuid* clsid, const KxGuid* iid, void** object) {
    if (object == nullptr)
        return KX_E_POINTER;
    *object = nullptr;
    if (clsid == nullptr || iid == nullptr)
        return KX_E_POINTER;
    if (*clsid != KX_CLSID_CreatLedgerWiz)
        return KX_CLASS_E_CLASSNOTAVAILABLE;
    return theFactory.QueryInterface(*iid, object);
}

KxResult DllCanUnloadNow(void) {
    return theLifetime.CanUnload() ? KX_S_OK : KX_S_FALSE;
}
