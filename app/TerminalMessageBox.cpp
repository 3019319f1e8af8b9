#include "TerminalMessageBox.h"

#include "TerminalProgress.h"

namespace kx::app {

TerminalMessageBox::TerminalMessageBox(TerminalProgress& progress) : progress_(progress) {
    platform::InstallMessageBox(this);
}

TerminalMessageBox::~TerminalMessageBox() { platform::InstallMessageBox(nullptr); }

int TerminalMessageBox::Show(const std::string& text, const std::string& title, int style) {
    progress_.Message(title + "：" + text);
    shown_ = true;
    return platform::DefaultAnswerOf(style);
}

} // namespace kx::app
