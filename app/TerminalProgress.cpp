#include "TerminalProgress.h"

#include <algorithm>
#include <ostream>

namespace kx::app {

void TerminalProgress::Draw(int percent) {
    constexpr int width = 40;
    percent = std::clamp(percent, 0, 100);
    const int filled = percent * width / 100;
    out_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(width - filled), '.') << "] " << percent << "%" << std::flush;
    onLine_ = true;
}

void TerminalProgress::EndLine() {
    if (onLine_)
        out_ << "\n" << std::flush;
    onLine_ = false;
}

void TerminalProgress::Message(const std::string& text) {
    EndLine();
    out_ << text << "\n" << std::flush;
}

} // namespace kx::app
