// The built library, loaded as a host loads it: only the four entry points are
// visible from outside, and it is unloaded only when nothing it made is alive.
#include "component/ClassFactoryPtr.h"
#include "component/ComponentError.h"
#include "component/ComponentLibrary.h"

#include <dlfcn.h>
#include <stdio.h>

#include <QString>
#include <QVariant>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
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
    // Global ones only: a sanitizer build keeps some local symbols in the dynamic
    // table, where no one can look them up.
    EXPECT_EQ(DefinedSymbols("-D --extern-only"),
              (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                     "DllUnregisterServer"}));
    // The class factory lives in the library itself; the control's code comes
    // from the wizard library it links.
    const std::string internal = "_ZN2kx9component12ClassFactory6AddRefEv";
    ASSERT_EQ(DefinedSymbols("").count(internal), 1u) << "the class factory is not in the library";
    std::unique_ptr<void, int (*)(void*)> handle(::dlopen(KX_LEDGERWIZ_LIBRARY, RTLD_NOW | RTLD_LOCAL),
                                                 ::dlclose);
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

bool IsLoaded() {
    std::unique_ptr<void, int (*)(void*)> handle(::dlopen(KX_LEDGERWIZ_LIBRARY, RTLD_NOW | RTLD_NOLOAD),
                                                 ::dlclose);
    return handle != nullptr;
}

/// Loads the library, makes a control, and lets go of the library while the control
/// lives on (`keepControl`) or after it went: the library must stay exactly as long
/// as the control does. Ends with std::_Exit, since a normal exit would tear down
/// the application object of main() under Qt.
void LetGoOfTheLibrary(bool keepControl) {
    std::unique_ptr<QWidget> control;
    bool loadedWithLibrary = false;
    if (!IsLoaded()) {
        ComponentLibrary library(KX_LEDGERWIZ_LIBRARY);
        void* object = nullptr;
        library.ClassFactory(KX_CLSID_CreatLedgerWiz)
            ->CreateInstance(nullptr, KX_IID_CreatLedgerWiz, &object);
        control.reset(static_cast<QWidget*>(object));
        if (!keepControl)
            control.reset();
        loadedWithLibrary = IsLoaded();
    }
    if (!loadedWithLibrary || IsLoaded() != keepControl)
        std::_Exit(1);
    if (keepControl) {
        // Runs the control's own code, which an unloaded library would have taken away.
        control->setProperty("BookFile", QStringLiteral("kxAcc000001.MDE"));
        if (control->property("BookFile").toString() != QStringLiteral("kxAcc000001.MDE"))
            std::_Exit(2);
        control.reset();
    }
    std::_Exit(0);
}

// Each case runs in a process of its own, so that what one leaves loaded cannot decide another.
TEST(LibraryUnload, LibraryIsUnloadedOnlyWhenFreeOfObjects) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(LetGoOfTheLibrary(false), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(LetGoOfTheLibrary(true), testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace kx::component
