#include "LedgerWizFixture.h"
#include "component/ClassFactoryPtr.h"
#include "component/Guid.h"
#include "platform/AnsiTextFile.h"

#include <QMetaMethod>
#include <QMetaObject>
#include <QMetaProperty>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kx::component {
namespace {

/// The text between the line `from` and the next line "    };".
std::string Block(const std::string& text, const std::string& from) {
    const auto start = text.find(from);
    return start == std::string::npos ? std::string() : text.substr(start, text.find("    };", start) - start);
}

// The description built beside the library, compared with the meta-object of a
// control the library really made, so a description left by an older build shows up.
using InterfaceDescription = test::LedgerWizFixture;

TEST_F(InterfaceDescription, NamesTheClassAndEveryMemberOfTheControlTheLibraryMakes) {
    const std::string text = platform::ReadWholeFile(KX_LEDGERWIZ_DESCRIPTION);
    const std::string interface = Block(text, "dispinterface _CreatLedgerWiz\n");
    const std::string events = Block(text, "dispinterface __CreatLedgerWiz\n");
    const auto has = [](const std::string& in, const std::string& what) { return in.find(what) != std::string::npos; };
    EXPECT_TRUE(has(text, "[uuid(" + FormatGuid(KX_CLSID_CreatLedgerWiz).substr(1, 36) +
                              "), progid(\"kxLedgerWiz.CreatLedgerWiz\")]\n    coclass CreatLedgerWiz\n"))
        << text;
    EXPECT_TRUE(has(events, "        void BeforeStep(short StepNo, bool& Cancel);\n")) << text;
    ClassFactoryPtr factory = library.ClassFactory(KX_CLSID_CreatLedgerWiz);
    void* object = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, KX_IID_CreatLedgerWiz, &object), KX_S_OK);
    std::unique_ptr<QWidget> control(static_cast<QWidget*>(object));
    const QMetaObject& meta = *control->metaObject();
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        EXPECT_TRUE(has(interface, std::string(" ") + meta.property(i).name() + ";\n")) << meta.property(i).name();
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        const std::string name = " " + method.name().toStdString() + "(";
        if (method.methodType() == QMetaMethod::Signal)
            EXPECT_TRUE(has(events, name)) << "event" << name;
        else if (method.access() == QMetaMethod::Public)
            EXPECT_TRUE(has(interface, name)) << "method" << name;
        else
            EXPECT_FALSE(has(text, name)) << "non-public member" << name;
    }
}

} // namespace
} // namespace kx::component
