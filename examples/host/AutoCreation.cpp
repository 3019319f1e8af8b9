#include "AutoCreation.h"

#include "HostWindow.h"

#include <QLineEdit>

namespace {

/// Sets the text of the control's field `name` (the object names of the child
/// fields are part of the control's interface).
bool TypeInto(QWidget* control, const char* name, const QString& text) {
    auto* field = control->findChild<QLineEdit*>(QString::fromLatin1(name));
    if (field == nullptr)
        return false;
    field->setText(text);
    return true;
}

bool Stop(QString* failure, const QString& where, const HostWindow& window) {
    *failure = where + QStringLiteral("（") + window.LastNotice() + QStringLiteral("）");
    return false;
}

} // namespace

bool RunAutoCreation(HostWindow& window, const AutoInputs& inputs, QString* failure) {
    QWidget* control = window.Control();
    if (!window.Start())
        return Stop(failure, QStringLiteral("账簿列表没有载入"), window);
    if (!window.GoTo(1))
        return Stop(failure, QStringLiteral("没有进入第 1 页"), window);
    control->setProperty("BookID", inputs.templatePosition);
    if (control->property("FromFile").toString().isEmpty())
        return Stop(failure, QStringLiteral("第 %1 本账簿不能作为模板").arg(inputs.templatePosition), window);
    if (!TypeInto(control, "TDBText1_1", inputs.operatorName) || !TypeInto(control, "TDBText1_2", inputs.password))
        return Stop(failure, QStringLiteral("控件没有操作员栏"), window);
    if (!window.GoTo(2))
        return Stop(failure, QStringLiteral("没有进入第 2 页"), window);
    if (!window.GoTo(3))
        return Stop(failure, QStringLiteral("没有进入第 3 页"), window);
    control->setProperty("BookName", inputs.bookName);
    control->setProperty("UserName", inputs.company);
    control->setProperty("Director", inputs.director);
    control->setProperty("BeginDate", inputs.beginMonth);
    // Page 4 creates the new book before the control returns.
    window.GoTo(4);
    if (!window.Completed())
        return Stop(failure, QStringLiteral("新账簿没有建立"), window);
    return true;
}
