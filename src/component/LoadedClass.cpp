#include "component/LoadedClass.h"

#include "component/ComponentError.h"

#include <string>
#include <utility>

namespace kx::component {

LoadedClass LoadClassByProgId(std::string_view progId, const ClassRegistry& registry) {
    auto entry = registry.FindByProgId(progId);
    if (!entry)
        throw ComponentError(KX_CLASS_E_CLASSNOTAVAILABLE, "class not registered: " + std::string(progId));
    ComponentLibrary library(entry->library);
    ClassFactoryPtr factory = library.ClassFactory(entry->classId);
    return LoadedClass{std::move(*entry), std::move(library), std::move(factory)};
}

LoadedClass LoadClassByProgId(std::string_view progId) {
    return LoadClassByProgId(progId, ClassRegistry(DefaultClassRegistryFile()));
}

} // namespace kx::component
