// The control as a host without the library's private headers drives it: made
// through the entry points of the real library, then reached by name through
// Qt's meta-object alone. The tables below are the control's documented face,
// written out here rather than read from the control.
#include "LedgerWizFixture.h"
#include "e2e/AppFolder.h"
#include "component/ClassFactoryPtr.h"
#include "component/kxLedgerWizControl.h"
#include "platform/AnsiTextFile.h"
#include "support/AccountingObject.h"

#include <QByteArray>
#include <QDate>
#include <QMetaMethod>
#include <QMetaObject>
#include <QMetaType>
#include <QTest>
#include <QVariant>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kx::component {
namespace {

namespace fs = std::filesystem;

/// A host's receiver of the control's events, connected by signature.
class EventRecorder : public QObject {
    Q_OBJECT
  public:
    std::vector<QString> events;
    std::vector<short> process;
    short cancelStep = -1; // BeforeStep for this page answers Cancel

  public slots:
    void OnBeforeStep(short step, bool& cancel) {
        events.push_back(QStringLiteral("BeforeStep %1").arg(step));
        cancel = step == cancelStep;
    }
    void OnAfterStep(short step) { events.push_back(QStringLiteral("AfterStep %1").arg(step)); }
    void OnCommand(const QString& name, bool&) { events.push_back(QStringLiteral("Command ") + name); }
    void OnNotify(const QString& message, bool box) {
        events.push_back(QStringLiteral("Notify %1 ").arg(box ? 1 : 0) + message);
    }
    void OnProcess(short indicator) { process.push_back(indicator); }
    void OnAfterAddItem() { events.push_back(QStringLiteral("AfterAddItem")); }
};

// The six events with their parameters, and the receiver's slot for each.
const std::pair<const char*, const char*> kEvents[] = {
    {"BeforeStep(short,bool&)", "OnBeforeStep(short,bool&)"},
    {"AfterStep(short)", "OnAfterStep(short)"},
    {"Command(QString,bool&)", "OnCommand(QString,bool&)"},
    {"Notify(QString,bool)", "OnNotify(QString,bool)"},
    {"Process(short)", "OnProcess(short)"},
    {"AfterAddItem()", "OnAfterAddItem()"},
};

// The child controls of the wizard surface, by name.
const char* const kChildren[] = {
    "Frame1_0",   "Frame1_1",   "Frame1_2",   "Frame1_3",   "Frame1_4",    "fg",
    "C1EList",    "TDBText1_0", "TDBText1_1", "TDBText1_2", "Picture1",    "chkSql",
    "picSql",     "TDBSQL_0",   "TDBSQL_1",   "TDBSQL_2",   "chkRetain_0", "chkRetain_8",
    "picDetails", "TDBText3_0", "TDBText3_1", "TDBText3_2", "TDBText3_3",  "TDBText3_4",
    "UpDown_0",   "UpDown_1",   "Label0_0",   "Label4_0",   "PushButton1", "FSComprFile",
};

/// The value of an invokable getter taking an index.
template <typename T> T Indexed(QObject* control, const char* getter, short index) {
    T value{};
    const QByteArray type = QMetaType::fromType<T>().name();
    if (!QMetaObject::invokeMethod(control, getter, Qt::DirectConnection,
                                   QReturnArgument<T>(type.constData(), value), Q_ARG(short, index)))
        throw std::logic_error(std::string("no invokable ") + getter);
    return value;
}

QString Q(const fs::path& path) {
    return QString::fromStdString(path.string());
}

class ControlFace : public test::LedgerWizFixture {
  protected:
    void SetUp() override {
        app.WriteList({e2e::kSampleLine});
        acc.SetNoticeReceiver([this](const std::string& notice) { notices.push_back(notice); });
        ClassFactoryPtr factory = library.ClassFactory(KX_CLSID_CreatLedgerWiz);
        void* object = nullptr;
        ASSERT_EQ(factory->CreateInstance(window.get(), KX_IID_CreatLedgerWiz, &object), KX_S_OK);
        control = static_cast<QWidget*>(object);
        ASSERT_TRUE(control->inherits(KX_CREATLEDGERWIZ_CLASS_NAME));
        for (const auto& [signal, slot] : kEvents) {
            const QMetaMethod from =
                control->metaObject()->method(control->metaObject()->indexOfSignal(signal));
            const QMetaMethod to = recorder.metaObject()->method(recorder.metaObject()->indexOfSlot(slot));
            ASSERT_TRUE(QObject::connect(control, from, &recorder, to, Qt::DirectConnection)) << signal;
        }
        window->resize(640, 480);
        control->resize(640, 480);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        window.reset();
        LedgerWizFixture::TearDown();
    }

    QObject* Child(const char* name) const { return control->findChild<QObject*>(QString::fromLatin1(name)); }
    /// Events recorded since the last call.
    std::vector<QString> TakeEvents() { return std::exchange(recorder.events, {}); }

    e2e::AppFolder app;
    fs::path list = app.ListFile();
    support::AccountingObject acc;
    std::vector<std::string> notices;
    EventRecorder recorder;
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QWidget* control = nullptr;
};

TEST_F(ControlFace, HostReachesEveryMemberByNameAndCreatesABook) {
    // A new control's values.
    const std::pair<const char*, QVariant> initial[] = {
        {"BookID", -1},   {"Step", 0},         {"Completed", false}, {"MaxStep", 4},
        {"BookNo", "1"},  {"FromFile", ""},    {"BookFile", ""},     {"IniFile", ""},
        {"Abort", false}, {"PathSamples", ""}, {"AccPeriod", ""},
    };
    for (const auto& [name, value] : initial)
        EXPECT_EQ(control->property(name).toString(), value.toString()) << name;
    for (const char* name : kChildren)
        EXPECT_NE(Child(name), nullptr) << name;

    // Writable properties come back as set, the read-only ones refuse a value.
    const std::pair<const char*, QVariant> roundTrips[] = {
        {"AppPath", Q(app.path())},
        {"AccPeriod", "2026-12"},
        {"BookFile", "x.mde"},
        {"BookNo", "7"},
        {"Abort", true},
        {"PathSamples", "/srv/samples"},
        {"PathTemplates", "D:\\tpl"},
        {"IniFile", Q(list)},
    };
    for (const auto& [name, value] : roundTrips) {
        EXPECT_TRUE(control->setProperty(name, value)) << name;
        EXPECT_EQ(control->property(name), value) << name;
    }
    for (const char* name : {"FromFile", "MaxStep", "PasswordOK"})
        EXPECT_FALSE(control->setProperty(name, QVariant())) << name;
    ASSERT_TRUE(QMetaObject::invokeMethod(control, "SetForeColorBookList", Qt::DirectConnection,
                                          Q_ARG(short, 2), Q_ARG(uint, 255u)));
    EXPECT_EQ(Indexed<uint>(control, "ForeColorBookList", 2), 255u);

    // The control starts with an accounting object of its own; without one,
    // setting Completed fails to the caller, but stores.
    EXPECT_NE(control->property("Acc").value<void*>(), nullptr);
    ASSERT_TRUE(control->setProperty("Acc", QVariant::fromValue<void*>(nullptr)));
    EXPECT_THROW(control->setProperty("Completed", true), std::exception);
    EXPECT_TRUE(control->property("Completed").toBool());
    ASSERT_TRUE(control->setProperty("Acc", QVariant::fromValue<void*>(&acc)));
    EXPECT_EQ(control->property("Acc").value<void*>(), &acc);
    ASSERT_TRUE(control->setProperty("Completed", true));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(notices[0].ends_with("|All|Branch|0||")) << notices[0];
    ASSERT_TRUE(control->setProperty("Completed", false));
    TakeEvents();

    // Methods: loading, a message, clearing without a connection.
    bool loaded = false;
    ASSERT_TRUE(QMetaObject::invokeMethod(control, "Load", Qt::DirectConnection, Q_RETURN_ARG(bool, loaded),
                                          Q_ARG(QString, Q(list))));
    EXPECT_TRUE(loaded);
    ASSERT_TRUE(QMetaObject::invokeMethod(control, "Prompt", Qt::DirectConnection,
                                          Q_ARG(QString, QStringLiteral("x"))));
    bool zapped = true;
    ASSERT_TRUE(QMetaObject::invokeMethod(control, "ZapTable", Qt::DirectConnection,
                                          Q_RETURN_ARG(bool, zapped),
                                          Q_ARG(QString, QStringLiteral("kxVoucher"))));
    EXPECT_FALSE(zapped);
    auto events = TakeEvents();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0], "Command BeforeLoadList");
    EXPECT_EQ(events[1], "Command AfterLoadList");
    EXPECT_EQ(events[2], "Notify 0 x");
    EXPECT_TRUE(events[3].startsWith("Notify 0 ")) << events[3].toStdString();

    // The template, by its position in the list, and its operator, typed into the page's fields.
    ASSERT_TRUE(control->setProperty("Step", 0));
    ASSERT_TRUE(control->setProperty("Step", 1));
    ASSERT_TRUE(control->setProperty("BookID", 0));
    EXPECT_TRUE(control->property("FromFile").toString().endsWith("kxSample.mde"));
    EXPECT_EQ(TakeEvents(), (std::vector<QString>{"BeforeStep 0", "AfterStep 0", "BeforeStep 1",
                                                  "AfterStep 1", "Command AfterBookSelected"}));
    EXPECT_EQ(Indexed<QString>(control, "ButtonCaption", 2), "下一步(&F)");
    EXPECT_TRUE(Indexed<bool>(control, "ButtonEnabled", 2));
    Child("TDBText1_1")->setProperty("text", QStringLiteral("主管"));
    Child("TDBText1_2")->setProperty("text", QStringLiteral("x"));
    EXPECT_FALSE(control->property("PasswordOK").toBool());
    Child("TDBText1_2")->setProperty("text", QStringLiteral("8888"));
    EXPECT_TRUE(control->property("PasswordOK").toBool());

    // A host's Cancel keeps the page.
    recorder.cancelStep = 2;
    ASSERT_TRUE(control->setProperty("Step", 2));
    EXPECT_EQ(control->property("Step").toInt(), 1);
    recorder.cancelStep = -1;
    ASSERT_TRUE(control->setProperty("Step", 2));
    ASSERT_TRUE(control->setProperty("Step", 3));
    const std::pair<const char*, QVariant> newBook[] = {{"BookName", QStringLiteral("二〇二六账簿")},
                                                        {"UserName", QStringLiteral("上海某某有限公司")},
                                                        {"Director", QStringLiteral("李四")}};
    for (const auto& [name, value] : newBook) {
        ASSERT_TRUE(control->setProperty(name, value)) << name;
        EXPECT_EQ(control->property(name), value) << name;
    }
    EXPECT_EQ(Child("TDBText3_0")->property("text"), newBook[0].second);
    ASSERT_TRUE(control->setProperty("BeginDate", QDate(2026, 3, 15)));
    EXPECT_EQ(control->property("BeginDate").toDate(), QDate(2026, 3, 1));
    EXPECT_EQ(Child("UpDown_0")->property("value").toInt(), 2026);
    EXPECT_THROW(control->setProperty("BeginDate", QDate(1899, 12, 1)), std::exception);

    // The database alone, then the whole creation on page 4.
    ASSERT_TRUE(control->setProperty("BookNo", "8"));
    bool made = false;
    ASSERT_TRUE(
        QMetaObject::invokeMethod(control, "AddNewFile", Qt::DirectConnection, Q_RETURN_ARG(bool, made)));
    EXPECT_TRUE(made);
    const QString madeFile = control->property("BookFile").toString();
    EXPECT_TRUE(fs::is_regular_file(madeFile.toStdString())) << madeFile.toStdString();
    TakeEvents();
    notices.clear();
    ASSERT_TRUE(control->setProperty("Step", 4));
    EXPECT_TRUE(control->property("Completed").toBool()) << TakeEvents().back().toStdString();
    ASSERT_FALSE(recorder.process.empty());
    EXPECT_EQ(recorder.process.front(), 0);
    EXPECT_EQ(recorder.process.back(), -1);
    EXPECT_NE(std::find(recorder.process.begin(), recorder.process.end(), 100), recorder.process.end());
    ASSERT_EQ(notices.size(), 1u) << "the book list's";
    EXPECT_TRUE(notices[0].ends_with("|All|BookList|0||")) << notices[0];
    const QString created = control->property("BookFile").toString();
    EXPECT_NE(created, madeFile);
    EXPECT_TRUE(fs::is_regular_file(created.toStdString())) << created.toStdString();
    EXPECT_NE(platform::ReadAnsiTextFile(list).find("二〇二六账簿"), std::string::npos);

    ASSERT_TRUE(control->setProperty("Acc", QVariant::fromValue<void*>(nullptr)));
    EXPECT_EQ(control->property("Acc").value<void*>(), nullptr);
}

} // namespace
} // namespace kx::component

#include "ControlFaceTest.moc"
