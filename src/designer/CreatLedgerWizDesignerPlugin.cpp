#include "designer/CreatLedgerWizDesignerPlugin.h"

#include "component/kxLedgerWizComponent.h"

#include <QIcon>
#include <QString>
#include <QWidget>

namespace kx::designer {
namespace {

/// A control from the library's class factory, or nullptr.
QWidget* NewControl(QWidget* parent) {
    void* object = nullptr;
    if (!KX_SUCCEEDED(DllGetClassObject(&KX_CLSID_CreatLedgerWiz, &KX_IID_IClassFactory, &object)))
        return nullptr;
    auto* factory = static_cast<component::IClassFactory*>(object);
    void* control = nullptr;
    const KxResult made = factory->CreateInstance(parent, KX_IID_CreatLedgerWiz, &control);
    factory->Release();
    return KX_SUCCEEDED(made) ? static_cast<QWidget*>(control) : nullptr;
}

} // namespace

CreatLedgerWizDesignerPlugin::CreatLedgerWizDesignerPlugin(QObject* parent) : QObject(parent) {}

QString CreatLedgerWizDesignerPlugin::name() const {
    return QStringLiteral("CreatLedgerWiz");
}

QString CreatLedgerWizDesignerPlugin::group() const {
    return QStringLiteral("kxLedgerWiz");
}

QString CreatLedgerWizDesignerPlugin::toolTip() const {
    return QStringLiteral("新建账簿向导");
}

QString CreatLedgerWizDesignerPlugin::whatsThis() const {
    return QStringLiteral("新建账簿向导：宿主程序设置 Step 逐页推进，并从 ButtonCaption/ButtonEnabled "
                          "读取取消、上一步、下一步按钮的标题与状态。");
}

QString CreatLedgerWizDesignerPlugin::includeFile() const {
    return QStringLiteral("kxLedgerWizControl.h");
}

QIcon CreatLedgerWizDesignerPlugin::icon() const {
    return QIcon(QStringLiteral(":/kxLedgerWiz/designer/CreatLedgerWiz.png"));
}

bool CreatLedgerWizDesignerPlugin::isContainer() const {
    return false;
}

QWidget* CreatLedgerWizDesignerPlugin::createWidget(QWidget* parent) {
    if (QWidget* control = NewControl(parent))
        return control;
    return new QWidget(parent);
}

QString CreatLedgerWizDesignerPlugin::domXml() const {
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"CreatLedgerWiz\" name=\"creatLedgerWiz\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>520</width><height>360</height></rect>\n"
                          "  </property>\n"
                          " </widget>\n"
                          "</ui>\n");
}

bool CreatLedgerWizDesignerPlugin::isInitialized() const {
    return initialized_;
}

void CreatLedgerWizDesignerPlugin::initialize(QDesignerFormEditorInterface*) {
    initialized_ = true;
}

} // namespace kx::designer
