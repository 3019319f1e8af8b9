#pragma once

#include "component/ClassFactoryPtr.h"
#include "component/ClassRegistry.h"
#include "component/ComponentLibrary.h"

#include <string_view>

namespace kx::component {

/// A registered class made ready for use: its registry entry, its loaded library
/// and one reference to its class object. The members go in reverse order, so the
/// class object is released before the library is let go.
struct LoadedClass {
    RegisteredClass info;
    ComponentLibrary library;
    ClassFactoryPtr factory;
};

/// Looks `progId` up in `registry`, loads the library registered for it and takes
/// the class object of its class id. Throws ComponentError:
/// KX_CLASS_E_CLASSNOTAVAILABLE when the program id is not registered,
/// KX_SELFREG_E_CLASS when the registry cannot be read, KX_E_FAIL when the library
/// cannot be loaded, or the library's own answer when it gives no class object.
LoadedClass LoadClassByProgId(std::string_view progId, const ClassRegistry& registry);

/// LoadClassByProgId on the registry DefaultClassRegistryFile().
LoadedClass LoadClassByProgId(std::string_view progId);

} // namespace kx::component
