#include "component/ScopedEnvironment.h"

#include <stdlib.h>

#include <algorithm>

namespace kx::test {

ScopedEnvironment::~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->second)
            ::setenv(it->first.c_str(), it->second->c_str(), 1);
        else
            ::unsetenv(it->first.c_str());
    }
}

void ScopedEnvironment::Remember(const std::string& name) {
    const bool known = std::any_of(saved_.begin(), saved_.end(), [&](const auto& entry) { return entry.first == name; });
    if (known)
        return;
    const char* old = ::getenv(name.c_str());
    saved_.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
}

void ScopedEnvironment::Set(const std::string& name, const std::string& value) {
    Remember(name);
    ::setenv(name.c_str(), value.c_str(), 1);
}

void ScopedEnvironment::Unset(const std::string& name) {
    Remember(name);
    ::unsetenv(name.c_str());
}

} // namespace kx::test
