#include "MessageBoxService.h"

#include <cstdio>

namespace kx::platform {
namespace {
MessageBoxService* installed = nullptr;
}

void StderrMessageBox::Show(const std::string& text, const std::string& title) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

MessageBoxService& CurrentMessageBox() {
    static StderrMessageBox fallback;
    return installed != nullptr ? *installed : fallback;
}

void InstallMessageBox(MessageBoxService* service) { installed = service; }

} // namespace kx::platform
