#include "wizard/HostNotice.h"

namespace kx::wizard {

std::string HostNotice(std::uint64_t windowHandle, std::string_view subject) {
    return std::to_string(windowHandle) + "|All|" + std::string(subject) + "|0||";
}

} // namespace kx::wizard
