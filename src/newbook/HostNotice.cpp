#include "newbook/HostNotice.h"

namespace kx::newbook {

std::string HostNotice(std::uint64_t windowHandle, std::string_view subject) {
    return std::to_string(windowHandle) + "|All|" + std::string(subject) + "|0||";
}

} // namespace kx::newbook
