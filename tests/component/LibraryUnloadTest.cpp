// When a host lets go of the library, it is unloaded only if nothing it made is
// still alive. Each case runs in a process of its own, so that what one leaves
// loaded cannot decide another.
#include "component/ClassFactoryPtr.h"
#include "component/ComponentLibrary.h"

#include <dlfcn.h>

#include <QString>
#include <QVariant>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace kx::component {
namespace {

bool IsLoaded() {
    std::unique_ptr<void, int (*)(void*)> handle(::dlopen(KX_LEDGERWIZ_LIBRARY, RTLD_NOW | RTLD_NOLOAD), ::dlclose);
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
        library.ClassFactory(KX_CLSID_CreatLedgerWiz)->CreateInstance(nullptr, KX_IID_CreatLedgerWiz, &object);
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

TEST(LibraryUnload, LibraryIsUnloadedOnlyWhenFreeOfObjects) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(LetGoOfTheLibrary(false), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(LetGoOfTheLibrary(true), testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace kx::component
