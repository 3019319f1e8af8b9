#include "QtMessageBox.h"

#include <QMessageBox>

namespace kx::app {

void QtMessageBox::Show(const std::string& text, const std::string& title) {
    QMessageBox::information(window_, QString::fromStdString(title), QString::fromStdString(text));
}

} // namespace kx::app
