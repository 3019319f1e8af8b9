// The built library, loaded as a host loads it: only the four entry points are
// visible from outside.
#include "component/ComponentError.h"
#include "component/ComponentLibrary.h"

#include <dlfcn.h>
#include <stdio.h>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <set>
#include <string>

namespace kx::component {
namespace {

/// Names of the defined symbols that `nm` lists with `options`.
std::set<std::string> DefinedSymbols(const std::string& options) {
    const std::string command = "nm " + options + " --defined-only '" KX_LEDGERWIZ_LIBRARY "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::set<std::string> names;
    std::array<char, 4096> line{};
    while (pipe && std::fgets(line.data(), line.size(), pipe.get()) != nullptr) {
        std::string text(line.data());
        text.erase(text.find_last_not_of('\n') + 1);
        names.insert(text.substr(text.rfind(' ') + 1));
    }
    return names;
}

TEST(LibraryExports, OnlyTheFourEntryPointsCanBeLookedUp) {
    EXPECT_EQ(DefinedSymbols("-D"), (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject",
                                                           "DllRegisterServer", "DllUnregisterServer"}));
    // The class factory lives in the library itself; the control's code comes
    // from the wizard library it links.
    const std::string internal = "_ZN2kx9component12ClassFactory6AddRefEv";
    ASSERT_EQ(DefinedSymbols("").count(internal), 1u) << "the class factory is not in the library";
    std::unique_ptr<void, int (*)(void*)> handle(::dlopen(KX_LEDGERWIZ_LIBRARY, RTLD_NOW | RTLD_LOCAL), ::dlclose);
    ASSERT_NE(handle, nullptr) << ::dlerror();
    EXPECT_EQ(::dlsym(handle.get(), internal.c_str()), nullptr);
    EXPECT_NE(::dlsym(handle.get(), "DllGetClassObject"), nullptr);
}

TEST(LibraryExports, LibraryWithoutTheEntryPointsIsRefused) {
    // Any shared library will do that is not a component: the C runtime's math library.
    try {
        ComponentLibrary library("libm.so.6");
        FAIL() << "a library without entry points was accepted";
    } catch (const ComponentError& error) {
        EXPECT_EQ(error.result(), KX_E_FAIL);
        EXPECT_NE(std::string(error.what()).find("DllRegisterServer"), std::string::npos) << error.what();
    }
}

} // namespace
} // namespace kx::component
