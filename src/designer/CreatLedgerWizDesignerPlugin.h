#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace kx::designer {

/// Places the control CreatLedgerWiz in Qt Designer's widget box. The widgets it
/// makes are real controls, made through the component library's entry points as
/// any host makes them, so the property editor shows the control's designable
/// properties (the persisted folders PathTemplates and PathSamples).
class CreatLedgerWizDesignerPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)

  public:
    explicit CreatLedgerWizDesignerPlugin(QObject* parent = nullptr);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    /// A new control as a child of `parent`; an empty widget when the library
    /// refuses to make one, so that Designer keeps working.
    QWidget* createWidget(QWidget* parent) override;
    QString domXml() const override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface* core) override;

  private:
    bool initialized_ = false;
};

} // namespace kx::designer
