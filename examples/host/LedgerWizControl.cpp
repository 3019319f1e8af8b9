#include "LedgerWizControl.h"

#include <kxLedgerWizComponent.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

/// Gives the factory's reference back when the factory is no longer needed.
struct ReleaseFactory {
    void operator()(kx::component::IClassFactory* factory) const { factory->Release(); }
};
using FactoryPtr = std::unique_ptr<kx::component::IClassFactory, ReleaseFactory>;

std::runtime_error Failure(const char* step, KxResult result) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
    return std::runtime_error(std::string(step) + " failed with " + code);
}

} // namespace

QWidget* CreateLedgerWizControl(QWidget* parent) {
    void* object = nullptr;
    KxResult result = DllGetClassObject(&KX_CLSID_CreatLedgerWiz, &KX_IID_IClassFactory, &object);
    if (!KX_SUCCEEDED(result) || object == nullptr)
        throw Failure("DllGetClassObject", result);
    const FactoryPtr factory(static_cast<kx::component::IClassFactory*>(object));

    void* control = nullptr;
    result = factory->CreateInstance(parent, KX_IID_CreatLedgerWiz, &control);
    if (result != KX_S_OK || control == nullptr)
        throw Failure("CreateInstance", result);
    // The control is a QWidget subclass with QWidget as its only base, so its
    // address is that of its QWidget.
    return static_cast<QWidget*>(control);
}
