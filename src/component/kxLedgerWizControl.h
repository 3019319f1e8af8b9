/* The control CreatLedgerWiz as a host drives it without the library's private
 * headers: through Qt's meta-object alone.
 *
 * A host gets the control as a QWidget* from the class factory (kxLedgerWizComponent.h:
 * DllGetClassObject, then IClassFactory::CreateInstance with KX_IID_CreatLedgerWiz)
 * and reaches every member of the table below by name:
 *
 *   property  control->setProperty("BookNo", QStringLiteral("7"));
 *             control->property("BookNo").toString();
 *             setProperty returns false for a read-only property.
 *   indexed   QMetaObject::invokeMethod(control, "ForeColorBookList",
 *                                       Q_RETURN_ARG(uint, colour), Q_ARG(short, 2));
 *             QMetaObject::invokeMethod(control, "SetForeColorBookList",
 *                                       Q_ARG(short, 2), Q_ARG(uint, 0x0000FFu));
 *             The getter of a read-only indexed property has no "Set" partner.
 *   method    QMetaObject::invokeMethod(control, "Load", Q_RETURN_ARG(bool, loaded),
 *                                       Q_ARG(QString, listFile));
 *             Optional parameters may be left out from the end.
 *   event     QObject::connect(control, SIGNAL(BeforeStep(short,bool&)),
 *                              receiver, SLOT(OnBeforeStep(short,bool&)),
 *                              Qt::DirectConnection);
 *             (or QMetaObject::method/indexOfSignal with QObject::connect on
 *             QMetaMethods). Events are raised synchronously in the middle of the
 *             member that raises them; a handler that sets its bool& Cancel
 *             parameter cancels, so connect directly.
 *
 * Members fail by throwing a C++ exception derived from std::exception through
 * setProperty, property or invokeMethod (an index outside 0..3, a year outside
 * 1900..3000 for BeginDate, Completed set true without Acc, ...).
 *
 * Acc is the address (void*) of the accounting object, the
 * kx::support::AccountingObject of the support library, which the control sends
 * its notices through. A control made by the class factory starts with one of its
 * own, so that a host without the support library can run a creation (its notices
 * then go nowhere). A host that has one hands it over; the control does not own
 * it: the host keeps it alive while the control lives, or sets Acc back to nullptr
 * first.
 *   control->setProperty("Acc", QVariant::fromValue<void*>(&accountingObject));
 *
 * ZapTable's connection is the data layer's; a host without it leaves the
 * parameter out (the table is then not cleared and the control says so).
 *
 * The child controls of the wizard surface are QObjects named after their
 * controls, an index after an underscore ("TDBText1_2", "TDBSQL_0", "chkRetain_8",
 * "UpDown_1", "Frame1_4", "fg", "C1EList", "chkSql", "PushButton1", "Label3_4"):
 *   control->findChild<QObject*>("TDBSQL_0")->setProperty("text", server);
 *   QMetaObject::invokeMethod(control->findChild<QObject*>("PushButton1"), "click");
 * Text fields have "text", check boxes "checked", spinners "value".
 *
 * The members, in the order of the interface description kxLedgerWiz.idl
 * (properties and methods of dispinterface _CreatLedgerWiz, then its events);
 * the two are checked against each other:
 *
 * | kind     | name              | type      | access, or parameters                       |
 * |----------|-------------------|-----------|---------------------------------------------|
 * | property | AppPath           | QString   | readwrite                                   |
 * | property | AccPeriod         | QString   | readwrite                                   |
 * | property | Acc               | void*     | readwrite                                   |
 * | property | BookFile          | QString   | readwrite                                   |
 * | property | BookID            | int       | readwrite                                   |
 * | property | BookName          | QString   | readwrite                                   |
 * | property | BookNo            | QString   | readwrite                                   |
 * | property | UserName          | QString   | readwrite                                   |
 * | property | Director          | QString   | readwrite                                   |
 * | property | BeginDate         | QDate     | readwrite                                   |
 * | property | FromFile          | QString   | readonly                                    |
 * | property | PathTemplates     | QString   | readwrite                                   |
 * | property | PathSamples       | QString   | readwrite                                   |
 * | indexed  | ForeColorBookList | uint      | readwrite                                   |
 * | property | Step              | short     | readwrite                                   |
 * | property | Completed         | bool      | readwrite                                   |
 * | indexed  | ButtonCaption     | QString   | readonly                                    |
 * | indexed  | ButtonEnabled     | bool      | readonly                                    |
 * | property | MaxStep           | short     | readonly                                    |
 * | property | PasswordOK        | bool      | readonly                                    |
 * | property | IniFile           | QString   | readwrite                                   |
 * | property | Abort             | bool      | readwrite                                   |
 * | method   | Load              | bool      | [optional] QString rFileName                |
 * | method   | Prompt            | void      | QString rMsg, [optional] bool rShowBox      |
 * | method   | AddNewFile        | bool      | [optional] bool isSql                       |
 * | method   | ZapTable          | bool      | QString rTableName, [optional] QString rWhere, [optional] kx::ado::Connection* rCnn |
 * | event    | BeforeStep        | void      | short StepNo, bool& Cancel                  |
 * | event    | AfterStep         | void      | short StepNo                                |
 * | event    | Command           | void      | QString CmdName, bool& Cancel               |
 * | event    | Notify            | void      | QString Msg, bool ShowBox                   |
 * | event    | Process           | void      | short Indicator                             |
 * | event    | AfterAddItem      | void      |                                             |
 *
 * Indexed properties take "short Index" (0..3).
 *
 * The designable properties, which the Qt Designer plugin shows, are the
 * persisted ones: PathTemplates, PathSamples, and the colours once more as
 * ForeColorBookList0 to ForeColorBookList3 (uint; the same values as the indexed
 * ForeColorBookList, under the keys they are persisted with). Those four are for
 * forms only and are not part of the interface description.
 *
 * A form made in Qt Designer holds the control as the class CreatLedgerWiz below
 * (the code uic writes for the form includes this header): a plain QWidget that
 * makes the control as its only child, filling it, and hands it out with
 * control(). Link the host with libkxLedgerWiz.so. */
#ifndef KX_LEDGERWIZ_CONTROL_H
#define KX_LEDGERWIZ_CONTROL_H

/** The control's class name as its meta-object gives it
 *  (QObject::inherits, QMetaObject::className). */
#define KX_CREATLEDGERWIZ_CLASS_NAME "kx::wizard::CreatLedgerWiz"

#ifdef __cplusplus

#include "kxLedgerWizComponent.h"

#include <QString>
#include <QVBoxLayout>
#include <QVariant>
#include <QWidget>

#include <stdexcept>

/// The control on a form: made through the library's class factory when the
/// form is built, inside this widget. Its members are reached through
/// control(); the designable properties also through the setters that the code
/// uic writes calls. Throws std::runtime_error when the library cannot make the control.
class CreatLedgerWiz : public QWidget {
  public:
    explicit CreatLedgerWiz(QWidget* parent = nullptr) : QWidget(parent) {
        void* object = nullptr;
        if (DllGetClassObject(&KX_CLSID_CreatLedgerWiz, &KX_IID_IClassFactory, &object) != KX_S_OK)
            throw std::runtime_error("libkxLedgerWiz.so hands out no class object for CreatLedgerWiz");
        auto* factory = static_cast<kx::component::IClassFactory*>(object);
        void* control = nullptr;
        const KxResult made = factory->CreateInstance(this, KX_IID_CreatLedgerWiz, &control);
        factory->Release();
        if (made != KX_S_OK)
            throw std::runtime_error("libkxLedgerWiz.so could not make the control CreatLedgerWiz");
        control_ = static_cast<QWidget*>(control);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(control_);
    }

    /// The control itself, to be driven through its meta-object; it belongs to
    /// this widget.
    QWidget* control() const noexcept { return control_; }

    void setPathTemplates(const QString& folder) { control_->setProperty("PathTemplates", folder); }
    QString pathTemplates() const { return control_->property("PathTemplates").toString(); }
    void setPathSamples(const QString& folder) { control_->setProperty("PathSamples", folder); }
    QString pathSamples() const { return control_->property("PathSamples").toString(); }
    void setForeColorBookList0(uint colour) { control_->setProperty("ForeColorBookList0", colour); }
    void setForeColorBookList1(uint colour) { control_->setProperty("ForeColorBookList1", colour); }
    void setForeColorBookList2(uint colour) { control_->setProperty("ForeColorBookList2", colour); }
    void setForeColorBookList3(uint colour) { control_->setProperty("ForeColorBookList3", colour); }

  private:
    QWidget* control_ = nullptr;
};

#endif /* __cplusplus */

#endif /* KX_LEDGERWIZ_CONTROL_H */
