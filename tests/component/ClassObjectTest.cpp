// The loaded library as a host meets it: what DllGetClassObject answers, the
// controls it makes and how long they keep the library in use, its description,
// and its registration.
#include "LedgerWizFixture.h"
#include "component/ClassFactoryPtr.h"
#include "component/ClassRegistry.h"
#include "component/ComponentError.h"
#include "component/Guid.h"
#include "component/LoadedClass.h"
#include "platform/AnsiTextFile.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace kx::component {
namespace {

namespace fs = std::filesystem;

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

/// The text between the line `from` and the next line "    };".
std::string Block(const std::string& text, const std::string& from) {
    const auto start = text.find(from);
    return start == std::string::npos ? std::string() : text.substr(start, text.find("    };", start) - start);
}

/// The lines of a block, each without its indentation, blank lines and the
/// section headings ("properties:", "methods:") left out.
std::vector<std::string> MemberLines(const std::string& block) {
    std::vector<std::string> lines;
    std::istringstream in(block);
    std::string line;
    std::getline(in, line); // the block's own heading
    while (std::getline(in, line)) {
        const auto first = line.find_first_not_of(' ');
        if (first == std::string::npos || line.back() == ':' || line.substr(first) == "{")
            continue;
        lines.push_back(line.substr(first));
    }
    return lines;
}

// The control's public face as its documentation gives it, member by member and
// type by type, written out here rather than read from the control, so that a
// member the description leaves out or misnames shows up: the public data members
// (AppPath, AccPeriod, Acc), then the properties and methods in interface order.
const std::vector<std::string> kInterface{
    "[readwrite] QString AppPath;", "[readwrite] QString AccPeriod;", "[readwrite] void* Acc;",
    "[readwrite] QString BookFile;", "[readwrite] int BookID;", "[readwrite] QString BookName;",
    "[readwrite] QString BookNo;", "[readwrite] QString UserName;", "[readwrite] QString Director;",
    "[readwrite] QDate BeginDate;", "[readonly] QString FromFile;", "[readwrite] QString PathTemplates;",
    "[readwrite] QString PathSamples;", "[readwrite] uint ForeColorBookList(short Index);",
    "[readwrite] short Step;", "[readwrite] bool Completed;", "[readonly] QString ButtonCaption(short Index);",
    "[readonly] bool ButtonEnabled(short Index);", "[readonly] short MaxStep;", "[readonly] bool PasswordOK;",
    "[readwrite] QString IniFile;", "[readwrite] bool Abort;",
    "bool Load([optional] QString rFileName);",
    "void Prompt(QString rMsg, [optional] bool rShowBox);",
    "bool AddNewFile([optional] bool isSql);",
    "bool ZapTable(QString rTableName, [optional] QString rWhere, [optional] kx::ado::Connection* rCnn);"};
const std::vector<std::string> kEvents{
    "void BeforeStep(short StepNo, bool& Cancel);", "void AfterStep(short StepNo);",
    "void Command(QString CmdName, bool& Cancel);", "void Notify(QString Msg, bool ShowBox);",
    "void Process(short Indicator);",                "void AfterAddItem();"};

using InterfaceDescription = test::LedgerWizFixture;

TEST_F(InterfaceDescription, DescribesEveryPublicMemberOfTheControlWithItsTypes) {
    const std::string text = platform::ReadWholeFile(KX_LEDGERWIZ_DESCRIPTION);
    EXPECT_EQ(MemberLines(Block(text, "dispinterface _CreatLedgerWiz\n")), kInterface) << text;
    EXPECT_EQ(MemberLines(Block(text, "dispinterface __CreatLedgerWiz\n")), kEvents) << text;
    EXPECT_NE(text.find("[uuid(" + FormatGuid(KX_CLSID_CreatLedgerWiz).substr(1, 36) +
                        "), progid(\"kxLedgerWiz.CreatLedgerWiz\")]\n    coclass CreatLedgerWiz\n"),
              std::string::npos)
        << text;
}

/// The member table of the public header kxLedgerWizControl.h, each row as the
/// line the interface description gives that member, properties and methods first.
std::pair<std::vector<std::string>, std::vector<std::string>> HeaderTable(const std::string& header) {
    std::vector<std::string> interface;
    std::vector<std::string> events;
    std::istringstream in(header);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(" * |", 0) != 0)
            continue;
        std::vector<std::string> cells;
        std::istringstream row(line.substr(4));
        for (std::string cell; std::getline(row, cell, '|');) {
            const auto first = cell.find_first_not_of(' ');
            cells.push_back(first == std::string::npos ? "" : cell.substr(first, cell.find_last_not_of(' ') + 1 - first));
        }
        if (cells.size() < 4)
            continue;
        const std::string& kind = cells[0];
        const std::string& name = cells[1];
        const std::string& type = cells[2];
        const std::string& rest = cells[3];
        if (kind == "property")
            interface.push_back("[" + rest + "] " + type + " " + name + ";");
        else if (kind == "indexed")
            interface.push_back("[" + rest + "] " + type + " " + name + "(short Index);");
        else if (kind == "method")
            interface.push_back(type + " " + name + "(" + rest + ");");
        else if (kind == "event")
            events.push_back(type + " " + name + "(" + rest + ");");
        else if (kind != "kind" && kind.find_first_not_of('-') != std::string::npos)
            ADD_FAILURE() << "a row of an unknown kind: " << line;
    }
    return {interface, events};
}

TEST_F(InterfaceDescription, PublicHeaderTableListsTheDescribedMembersInOrder) {
    const std::string description = platform::ReadWholeFile(KX_LEDGERWIZ_DESCRIPTION);
    const auto [interface, events] = HeaderTable(platform::ReadWholeFile(KX_LEDGERWIZ_CONTROL_HEADER));
    ASSERT_FALSE(interface.empty());
    EXPECT_EQ(interface, MemberLines(Block(description, "dispinterface _CreatLedgerWiz\n")));
    EXPECT_EQ(events, MemberLines(Block(description, "dispinterface __CreatLedgerWiz\n")));
}

using SelfRegistration = test::LedgerWizFixture;

TEST_F(SelfRegistration, RegisterEntersItsEntryAndUnregisterRemovesOnlyThat) {
    EXPECT_EQ(library.UnregisterServer(), KX_S_OK);
    EXPECT_FALSE(fs::exists(registry.file())) << "unregistering without a registry made a file";
    const std::string foreign = "[{11111111-2222-3333-4444-555555555555}]\n"
                                "ProgId=Other.Thing\n"
                                "Library=/opt/other/libother.so\n";
    platform::WriteFileAtomically(registry.file(), foreign);
    ASSERT_EQ(library.RegisterServer(), KX_S_OK);
    const auto entry = ClassRegistry(registry.file()).FindByProgId("kxLedgerWiz.CreatLedgerWiz");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->classId, KX_CLSID_CreatLedgerWiz);
    EXPECT_EQ(entry->library, fs::canonical(KX_LEDGERWIZ_LIBRARY));
    EXPECT_EQ(entry->description, fs::canonical(KX_LEDGERWIZ_DESCRIPTION));

    ASSERT_EQ(library.UnregisterServer(), KX_S_OK);
    EXPECT_FALSE(ClassRegistry(registry.file()).FindByClassId(KX_CLSID_CreatLedgerWiz).has_value());
    EXPECT_EQ(platform::ReadWholeFile(registry.file()).substr(0, foreign.size()), foreign);
}

TEST_F(SelfRegistration, UnwritableRegistryFailsWithTheRegistryError) {
    fs::create_directories(registry.file()); // a folder where the file should be
    EXPECT_EQ(library.RegisterServer(), KX_SELFREG_E_CLASS);
    EXPECT_EQ(library.UnregisterServer(), KX_SELFREG_E_CLASS);
}

/// What loading the registered control by its ProgId fails with, or KX_S_OK.
KxResult ResultOfLoading() {
    try {
        LoadClassByProgId("kxLedgerWiz.CreatLedgerWiz");
    } catch (const ComponentError& error) {
        return error.result();
    }
    return KX_S_OK;
}

TEST_F(SelfRegistration, HostFindsLoadsAndCreatesOnlyARegisteredControlThatIsThere) {
    EXPECT_EQ(ResultOfLoading(), KX_CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(library.RegisterServer(), KX_S_OK);
    {
        LoadedClass loaded = LoadClassByProgId("kxLedgerWiz.CreatLedgerWiz");
        EXPECT_EQ(loaded.info.classId, KX_CLSID_CreatLedgerWiz);
        QWidget window;
        void* object = nullptr;
        ASSERT_EQ(loaded.factory->CreateInstance(&window, KX_IID_CreatLedgerWiz, &object), KX_S_OK);
        EXPECT_EQ(loaded.library.CanUnloadNow(), KX_S_FALSE);
    }
    ClassRegistry(registry.file())
        .Register(RegisteredClass{KX_CLSID_CreatLedgerWiz, KX_PROGID_CreatLedgerWiz, "/nonexistent/libkxLedgerWiz.so", {}});
    EXPECT_EQ(ResultOfLoading(), KX_E_FAIL);
}

} // namespace
} // namespace kx::component
