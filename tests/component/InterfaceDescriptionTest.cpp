#include "component/InterfaceDescription.h"

#include "LedgerWizFixture.h"
#include "component/ClassFactoryPtr.h"
#include "component/Guid.h"
#include "platform/AnsiTextFile.h"

#include <QMetaMethod>
#include <QMetaObject>
#include <QMetaProperty>
#include <QObject>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace demo {

/// A control with one member of every kind the description knows.
class SampleControl : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Count READ Count WRITE SetCount)
    Q_PROPERTY(QString Name READ Name)
  public:
    int Count() const { return 0; }
    void SetCount(int) {}
    QString Name() const { return {}; }
    Q_INVOKABLE bool Load(const QString& rFileName = QString(), int rMode = 0) { return rFileName.isEmpty() && rMode == 0; }
    Q_INVOKABLE void Prompt(const QString& rMsg, bool rShowBox = false) { (void)rMsg, (void)rShowBox; }
    void NotInvokable() {}
  public slots:
    void Reset() {}
  private slots:
    void Hidden() {}
  signals:
    void BeforeStep(short StepNo, bool& Cancel);
    void Done();
};

} // namespace demo

namespace kx::component {
namespace {

ControlIdentity SampleIdentity() {
    return ControlIdentity{"demoLib", "2.3", "demoLib.SampleControl", KX_CLSID_CreatLedgerWiz, KX_IID_CreatLedgerWiz,
                           KX_IID_CreatLedgerWizEvents};
}

bool Has(const std::string& text, const std::string& line) {
    return text.find(line) != std::string::npos;
}

/// The text between the line `from` and the next line "    };".
std::string Block(const std::string& text, const std::string& from) {
    const auto start = text.find(from);
    if (start == std::string::npos)
        return {};
    const auto end = text.find("    };", start);
    return text.substr(start, end - start);
}

class SampleDescription : public testing::Test {
  protected:
    std::string text = DescribeControl(demo::SampleControl::staticMetaObject, SampleIdentity());
    std::string properties = Block(text, "dispinterface _SampleControl");
    std::string events = Block(text, "dispinterface __SampleControl");
};

TEST_F(SampleDescription, ListsOwnPublicMembersWithTypesAccessAndOptionalTrailingDefaults) {
    for (const char* line : {"[readwrite] int Count;", "[readonly] QString Name;",
                             "bool Load([optional] QString rFileName, [optional] int rMode);",
                             "void Prompt(QString rMsg, [optional] bool rShowBox);", "void Reset();"})
        EXPECT_TRUE(Has(properties, std::string("        ") + line + "\n")) << line << "\n" << text;
    for (const char* line : {"void BeforeStep(short StepNo, bool& Cancel);", "void Done();"})
        EXPECT_TRUE(Has(events, std::string("        ") + line + "\n")) << line << "\n" << text;
    // Base class members, private slots, plain functions and signals as methods stay out.
    for (const char* name : {"objectName", "destroyed", "Hidden", "NotInvokable"})
        EXPECT_FALSE(Has(text, name)) << name;
    EXPECT_FALSE(Has(properties, "BeforeStep"));
    EXPECT_EQ(text.find("Load("), text.rfind("Load(")) << "a method was listed once per default argument";
}

// The description built beside the library, for the real control.
class BuiltDescription : public test::LedgerWizFixture {
  protected:
    std::string text = platform::ReadWholeFile(KX_LEDGERWIZ_DESCRIPTION);
    std::string interface = Block(text, "dispinterface _CreatLedgerWiz\n");
    std::string events = Block(text, "dispinterface __CreatLedgerWiz\n");
};

TEST_F(BuiltDescription, NamesTheClassAndEveryMemberOfTheControlTheLibraryMakes) {
    EXPECT_TRUE(Has(text, "[uuid(" + FormatGuid(KX_CLSID_CreatLedgerWiz).substr(1, 36) +
                              "), progid(\"kxLedgerWiz.CreatLedgerWiz\")]\n    coclass CreatLedgerWiz\n"))
        << text;
    EXPECT_TRUE(Has(events, "        void BeforeStep(short StepNo, bool& Cancel);\n")) << text;
    // Compared with the meta-object of a control the library really made, so a
    // description left behind by an older build shows up.
    ClassFactoryPtr factory = library.ClassFactory(KX_CLSID_CreatLedgerWiz);
    void* object = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, KX_IID_CreatLedgerWiz, &object), KX_S_OK);
    std::unique_ptr<QWidget> control(static_cast<QWidget*>(object));
    const QMetaObject& meta = *control->metaObject();

    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const std::string name = std::string(" ") + meta.property(i).name() + ";\n";
        EXPECT_TRUE(Has(interface, name)) << "property" << name;
    }
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        const std::string name = " " + method.name().toStdString() + "(";
        if (method.methodType() == QMetaMethod::Signal)
            EXPECT_TRUE(Has(events, name)) << "event" << name;
        else if (method.access() == QMetaMethod::Public)
            EXPECT_TRUE(Has(interface, name)) << "method" << name;
        else
            EXPECT_FALSE(Has(text, name)) << "non-public member" << name;
    }
}

} // namespace
} // namespace kx::component

#include "InterfaceDescriptionTest.moc"
