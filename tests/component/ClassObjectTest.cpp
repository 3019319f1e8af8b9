// The class object of the loaded library: what DllGetClassObject answers, the
// controls it makes, and how long they keep the library in use.
#include "LedgerWizFixture.h"
#include "component/ClassFactoryPtr.h"

#include <dlfcn.h>

#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace kx::component {
namespace {

// Stands in for "not touched": every failure must null the out pointer.
int sentinelTarget = 0;
void* const kSentinel = &sentinelTarget;

const Guid kUnknownClass = {0x12345678u, 0x1234u, 0x5678u, {1, 2, 3, 4, 5, 6, 7, 8}};

class ClassObject : public test::LedgerWizFixture {
  protected:
    ClassFactoryPtr Factory() { return library.ClassFactory(KX_CLSID_CreatLedgerWiz); }
};

TEST_F(ClassObject, EveryReferenceAndServerLockMustBeUndoneAndRefusalsKeepNone) {
    void* asUnknown = nullptr;
    ASSERT_EQ(library.GetClassObject(KX_CLSID_CreatLedgerWiz, KX_IID_IUnknown, &asUnknown), KX_S_OK);
    ClassFactoryPtr first(static_cast<IClassFactory*>(asUnknown));
    ClassFactoryPtr second = Factory();
    void* third = nullptr;
    ASSERT_EQ(second->QueryInterface(KX_IID_IClassFactory, &third), KX_S_OK);
    ClassFactoryPtr thirdRef(static_cast<IClassFactory*>(third));
    const std::pair<std::function<KxResult(void**)>, KxResult> refusals[] = {
        {[&](void** out) { return second->QueryInterface(KX_IID_CreatLedgerWiz, out); }, KX_E_NOINTERFACE},
        {[&](void** out) { return second->CreateInstance(nullptr, KX_IID_IClassFactory, out); }, KX_E_NOINTERFACE},
        {[&](void**) { return second->QueryInterface(KX_IID_IUnknown, nullptr); }, KX_E_POINTER},
        {[&](void**) { return second->CreateInstance(nullptr, KX_IID_CreatLedgerWiz, nullptr); }, KX_E_POINTER},
        {[&](void**) { return second->LockServer(false); }, KX_E_FAIL}}; // an unlock without a lock
    for (std::size_t i = 0; i < std::size(refusals); ++i) {
        void* object = kSentinel;
        EXPECT_EQ(refusals[i].first(&object), refusals[i].second) << i;
        EXPECT_TRUE(object == nullptr || refusals[i].second != KX_E_NOINTERFACE) << i;
    }
    first.Reset();
    second.Reset();
    EXPECT_EQ(library.CanUnloadNow(), KX_S_FALSE) << "one reference is still held";
    EXPECT_EQ(thirdRef->LockServer(true), KX_S_OK);
    EXPECT_EQ(thirdRef->LockServer(true), KX_S_OK);
    thirdRef.Reset();
    EXPECT_EQ(library.CanUnloadNow(), KX_S_FALSE) << "two locks are still held";
    ClassFactoryPtr factory = Factory();
    EXPECT_EQ(factory->LockServer(false), KX_S_OK);
    EXPECT_EQ(factory->LockServer(false), KX_S_OK);
    factory.Reset();
    EXPECT_EQ(library.CanUnloadNow(), KX_S_OK);
}

TEST_F(ClassObject, RefusedRequestsAnswerWithTheResultAndNoObject) {
    // Straight through the exported function, since the host wrapper takes no null ids.
    std::unique_ptr<void, int (*)(void*)> handle(::dlopen(KX_LEDGERWIZ_LIBRARY, RTLD_NOW | RTLD_NOLOAD), ::dlclose);
    ASSERT_NE(handle, nullptr);
    const auto getClassObject =
        reinterpret_cast<KxDllGetClassObjectFunction>(::dlsym(handle.get(), "DllGetClassObject"));
    ASSERT_NE(getClassObject, nullptr);
    struct Refusal {
        const Guid* classId; // nullptr: a null pointer is passed
        const Guid* iid;
        bool nullObject;
        KxResult expected;
    };
    const Refusal refusals[] = {
        {&kUnknownClass, &KX_IID_IClassFactory, false, KX_CLASS_E_CLASSNOTAVAILABLE},
        {&KX_IID_CreatLedgerWiz, &KX_IID_IClassFactory, false, KX_CLASS_E_CLASSNOTAVAILABLE},
        {&KX_CLSID_CreatLedgerWiz, &KX_IID_CreatLedgerWiz, false, KX_E_NOINTERFACE},
        {&KX_CLSID_CreatLedgerWiz, &KX_IID_IClassFactory, true, KX_E_POINTER},
        {nullptr, &KX_IID_IClassFactory, false, KX_E_POINTER},
        {&KX_CLSID_CreatLedgerWiz, nullptr, false, KX_E_POINTER}};
    for (std::size_t i = 0; i < std::size(refusals); ++i) {
        const Refusal& r = refusals[i];
        void* object = kSentinel;
        EXPECT_EQ(getClassObject(r.classId, r.iid, r.nullObject ? nullptr : &object), r.expected) << i;
        EXPECT_EQ(object, r.nullObject ? kSentinel : nullptr) << i;
    }
}

TEST_F(ClassObject, CreatesRealWizardControlsThatKeepTheLibraryInUseUntilTheirParentGoes) {
    ClassFactoryPtr factory = Factory();
    auto window = std::make_unique<QWidget>();
    void* first = nullptr;
    void* second = nullptr;
    ASSERT_EQ(factory->CreateInstance(window.get(), KX_IID_IUnknown, &first), KX_S_OK);
    ASSERT_EQ(factory->CreateInstance(window.get(), KX_IID_CreatLedgerWiz, &second), KX_S_OK);
    EXPECT_NE(first, second);
    for (QWidget* control : {static_cast<QWidget*>(first), static_cast<QWidget*>(second)}) {
        EXPECT_EQ(control->parentWidget(), window.get());
        EXPECT_STREQ(control->metaObject()->className(), "kx::wizard::CreatLedgerWiz");
        EXPECT_EQ(control->property("MaxStep").toInt(), 4);
    }
    factory.Reset();
    EXPECT_EQ(library.CanUnloadNow(), KX_S_FALSE) << "live controls keep the library in use";
    window.reset();
    EXPECT_EQ(library.CanUnloadNow(), KX_S_OK);
}

} // namespace
} // namespace kx::component
