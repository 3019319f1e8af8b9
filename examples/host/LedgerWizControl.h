#pragma once

#include <QWidget>

/// Makes a new CreatLedgerWiz control as a child of `parent` through the library's
/// public entry points: DllGetClassObject hands out the class factory, whose
/// CreateInstance makes the control. The control is a QWidget driven through Qt's
/// meta-object only; it belongs to `parent`. Throws std::runtime_error with the
/// result code when the library refuses.
QWidget* CreateLedgerWizControl(QWidget* parent);
