#pragma once

#include "component/ComponentLibrary.h"

#include <QWidget>

#include <memory>

namespace kx::wizard {
class CreatLedgerWiz;
}

namespace kx::app {

/// Makes the wizard control as any host of the component does: libkxLedgerWiz.so
/// is loaded (KX_LEDGERWIZ_LIBRARY names it; otherwise the library installed with
/// this program, the library built beside it, or the one registered for
/// "kxLedgerWiz.CreatLedgerWiz"), its
/// class object comes from DllGetClassObject, and the control from its
/// CreateInstance, as a child of `parent`. The returned library must outlive the
/// control. Throws component::ComponentError when any step fails.
struct ComponentControl {
    std::unique_ptr<component::ComponentLibrary> library;
    wizard::CreatLedgerWiz* control = nullptr;
};
ComponentControl CreateControlThroughComponent(QWidget* parent);

} // namespace kx::app
