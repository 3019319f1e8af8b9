#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kx::newbook {

/// The notice that tells the host application what changed: the control's window
/// handle in decimal, "|All|", the subject ("BookList" or "Branch"), "|0||".
std::string HostNotice(std::uint64_t windowHandle, std::string_view subject);

} // namespace kx::newbook
