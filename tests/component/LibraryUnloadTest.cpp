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
    void* handle = ::dlopen(KX_LEDGERWIZ_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        return false;
    ::dlclose(handle);
    return true;
}

/// Ends the child process with `code` at once: the application object of main()
/// is still alive, and a normal exit would tear down Qt under it.
[[noreturn]] void Finish(int code) {
    std::_Exit(code);
}

/// Loads the library, makes a control, and lets go of the library while the control
/// lives on (`keepControl`) or after it went. The library must stay exactly as long
/// as the control does.
void LetGoOfTheLibrary(bool keepControl) {
    if (IsLoaded())
        Finish(2);
    std::unique_ptr<QWidget> control;
    {
        ComponentLibrary library(KX_LEDGERWIZ_LIBRARY);
        ClassFactoryPtr factory = library.ClassFactory(KX_CLSID_CreatLedgerWiz);
        void* object = nullptr;
        if (factory->CreateInstance(nullptr, KX_IID_CreatLedgerWiz, &object) != KX_S_OK)
            Finish(3);
        control.reset(static_cast<QWidget*>(object));
        if (!keepControl)
            control.reset();
        if (!IsLoaded())
            Finish(4);
    }
    if (!keepControl)
        Finish(IsLoaded() ? 5 : 0);
    if (!IsLoaded())
        Finish(6);
    // Runs the control's own code, which an unloaded library would have taken away.
    control->setProperty("BookFile", QStringLiteral("kxAcc000001.MDE"));
    if (control->property("BookFile").toString() != QStringLiteral("kxAcc000001.MDE"))
        Finish(7);
    control.reset();
    Finish(0);
}

TEST(LibraryUnload, LibraryIsUnloadedOnlyWhenFreeOfObjects) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(LetGoOfTheLibrary(false), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(LetGoOfTheLibrary(true), testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace kx::component
