#include "TerminalMessageBox.h"

#include "TerminalProgress.h"

namespace kx::app {

TerminalMessageBox::TerminalMessageBox(TerminalProgress& progress) : progress_(progress) {
    platform::InstallMessageBox(this);
}

TerminalMessageBox::~TerminalMessageBox() { platform::InstallMessageBox(nullptr); }

void TerminalMessageBox::Show(const std::string& text, const std::string& title) {
    progress_.Message(title + "：" + text);
    shown_ = true;
}

} // namespace kx::app
