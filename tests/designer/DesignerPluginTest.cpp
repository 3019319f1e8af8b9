// The built Designer plugin, loaded as Designer loads it, and the control it
// places on a form.
#include "ui_HostForm.h"

#include <QIcon>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QStringList>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

/// The widget interfaces the plugin offers, alone or as a collection.
std::vector<QDesignerCustomWidgetInterface*> WidgetsOf(QObject* instance) {
    if (auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(instance)) {
        const auto widgets = collection->customWidgets();
        return {widgets.begin(), widgets.end()};
    }
    if (auto* widget = qobject_cast<QDesignerCustomWidgetInterface*>(instance))
        return {widget};
    return {};
}

TEST(DesignerPlugin, OffersTheControlWithItsIconAndItsPersistedPropertiesToTheEditor) {
    QPluginLoader loader(QStringLiteral(KX_DESIGNER_PLUGIN));
    ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
    EXPECT_EQ(loader.metaData().value(QStringLiteral("IID")).toString(),
              "org.qt-project.Qt.QDesignerCustomWidgetInterface");
    const auto widgets = WidgetsOf(loader.instance());
    ASSERT_EQ(widgets.size(), 1u);
    QDesignerCustomWidgetInterface& plugin = *widgets.front();
    EXPECT_EQ(plugin.name(), "CreatLedgerWiz");
    EXPECT_EQ(plugin.group(), "kxLedgerWiz");
    EXPECT_EQ(plugin.includeFile(), "kxLedgerWizControl.h");
    EXPECT_FALSE(plugin.isContainer());
    EXPECT_FALSE(plugin.toolTip().isEmpty());
    EXPECT_FALSE(plugin.icon().isNull());
    EXPECT_FALSE(plugin.icon().pixmap(32, 32).isNull()) << "the icon resource is missing";
    EXPECT_TRUE(plugin.domXml().contains("<widget class=\"CreatLedgerWiz\""))
        << plugin.domXml().toStdString();
    plugin.initialize(nullptr);
    EXPECT_TRUE(plugin.isInitialized());

    QWidget form;
    QWidget* control = plugin.createWidget(&form);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->parentWidget(), &form);
    EXPECT_STREQ(control->metaObject()->className(), "kx::wizard::CreatLedgerWiz");
    // The property editor shows the designable properties: the persisted folders.
    QStringList designable;
    const QMetaObject* meta = control->metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        if (meta->property(i).isDesignable())
            designable << QString::fromLatin1(meta->property(i).name());
    }
    EXPECT_EQ(designable, (QStringList{"PathTemplates", "PathSamples", "ForeColorBookList0",
                                       "ForeColorBookList1", "ForeColorBookList2", "ForeColorBookList3"}));
    // The colours as the form keeps them are the indexed colours of the list.
    EXPECT_EQ(control->property("ForeColorBookList1").toUInt(), 0x80000002u);
    EXPECT_TRUE(control->setProperty("ForeColorBookList3", 0x0000FFu));
    uint colour = 0;
    ASSERT_TRUE(
        QMetaObject::invokeMethod(control, "ForeColorBookList", Q_RETURN_ARG(uint, colour), Q_ARG(short, 3)));
    EXPECT_EQ(colour, 0x0000FFu);
    // What a form sets, the control keeps: a folder with a drive, and one of its own.
    EXPECT_TRUE(control->setProperty("PathTemplates", QStringLiteral("D:\\模板")));
    EXPECT_TRUE(control->setProperty("PathSamples", QStringLiteral("/srv/样本")));
    EXPECT_EQ(control->property("PathTemplates").toString(), QStringLiteral("D:\\模板"));
    EXPECT_EQ(control->property("PathSamples").toString(), QStringLiteral("/srv/样本"));
}

TEST(DesignerForm, FormCompiledByUicMakesTheControlWithThePropertiesItSet) {
    QWidget host;
    Ui::HostForm form;
    form.setupUi(&host);
    QWidget* control = form.creatLedgerWiz->control();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->parentWidget(), form.creatLedgerWiz);
    EXPECT_STREQ(control->metaObject()->className(), "kx::wizard::CreatLedgerWiz");
    EXPECT_EQ(control->property("PathTemplates").toString(), QStringLiteral("D:\\模板"));
    EXPECT_EQ(control->property("PathSamples").toString(), QStringLiteral("/srv/样本"));
    EXPECT_EQ(control->property("ForeColorBookList2").toUInt(), 0x00FF00u);
    EXPECT_EQ(control->property("MaxStep").toInt(), 4);
}

} // namespace
