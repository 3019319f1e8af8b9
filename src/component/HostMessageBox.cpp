#include "component/HostMessageBox.h"

#include <QApplication>
#include <QThread>

namespace kx::component {

bool HostMessageBox::GuiApplicationRunning() noexcept {
    const QCoreApplication* application = QCoreApplication::instance();
    // A QCoreApplication or a QGuiApplication cannot show widgets; a box off the
    // application's thread would abort the host.
    return qobject_cast<const QApplication*>(application) != nullptr &&
           QThread::currentThread() == application->thread();
}

platform::MessageBoxService& HostMessageBox::Chosen() {
    if (!GuiApplicationRunning())
        return standardError_;
    qt_.SetParentWindow(QApplication::activeWindow());
    return qt_;
}

int HostMessageBox::Show(const std::string& text, const std::string& title, int style) {
    return Chosen().Show(text, title, style);
}

} // namespace kx::component
