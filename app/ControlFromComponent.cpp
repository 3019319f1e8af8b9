#include "ControlFromComponent.h"

#include "component/ClassRegistry.h"
#include "component/ComponentError.h"
#include "component/kxLedgerWizComponent.h"

#include <cstdlib>
#include <filesystem>

namespace kx::app {
namespace {

std::filesystem::path LibraryFile() {
    if (const char* named = std::getenv("KX_LEDGERWIZ_LIBRARY"); named != nullptr && *named != '\0')
        return named;
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
