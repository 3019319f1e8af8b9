#include "ControlFromComponent.h"

#include "component/ClassRegistry.h"
#include "component/ComponentError.h"
#include "component/kxLedgerWizComponent.h"

#include <cstdlib>
#include <filesystem>

namespace kx::app {
namespace {

#ifdef KX_LEDGERWIZ_INSTALLED_LIBRARY
/// The library installed with this program: its path relative to the program's
/// folder, resolved through /proc/self/exe.
std::filesystem::path InstalledLibrary() {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return (program.parent_path() / KX_LEDGERWIZ_INSTALLED_LIBRARY).lexically_normal();
}
#endif

std::filesystem::path LibraryFile() {
    if (const char* named = std::getenv("KX_LEDGERWIZ_LIBRARY"); named != nullptr && *named != '\0')
        return named;
#ifdef KX_LEDGERWIZ_INSTALLED_LIBRARY
    if (const std::filesystem::path installed = InstalledLibrary(); !installed.empty()) {
        std::error_code ec;
        if (std::filesystem::exists(installed, ec))
            return installed;
    }
#endif
#ifdef KX_LEDGERWIZ_BUILT_LIBRARY
    if (std::filesystem::exists(KX_LEDGERWIZ_BUILT_LIBRARY))
        return KX_LEDGERWIZ_BUILT_LIBRARY;
#endif
    const component::ClassRegistry registry(component::DefaultClassRegistryFile());
    if (const auto entry = registry.FindByProgId(KX_PROGID_CreatLedgerWiz))
        return entry->library;
    throw component::ComponentError(KX_CLASS_E_CLASSNOTAVAILABLE,
                                    "找不到建账向导组件库 libkxLedgerWiz.so，也没有登记的组件。");
}

} // namespace

ComponentControl CreateControlThroughComponent(QWidget* parent) {
    ComponentControl made;
    made.library = std::make_unique<component::ComponentLibrary>(LibraryFile());
    const component::ClassFactoryPtr factory = made.library->ClassFactory(KX_CLSID_CreatLedgerWiz);
    void* object = nullptr;
    const KxResult result = factory->CreateInstance(parent, KX_IID_CreatLedgerWiz, &object);
    if (result != KX_S_OK || object == nullptr)
        throw component::ComponentError(result, "建账向导组件没有创建控件。");
    made.control = static_cast<wizard::CreatLedgerWiz*>(object);
    return made;
}

} // namespace kx::app
