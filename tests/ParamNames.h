#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace kx::test {

/// The letters and digits of a case's text (others as "_", at most 40) and its
/// number, which keeps names of similar cases apart.
inline std::string ReadableName(std::string_view text, std::size_t index) {
    std::string name;
    for (char c : text) {
        if (name.size() == 40)
            break;
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        name += plain ? c : '_';
    }
    return "c" + std::to_string(index) + "_" + name;
}

template <class Second> std::string ParamText(const std::pair<const char*, Second>& param) {
    return param.first;
}

template <class Second> std::string ParamText(const std::pair<std::string, Second>& param) {
    return param.first;
}

/// Names table-driven cases after their text (see ParamText overloads).
struct ReadableParamName {
    template <class Param> std::string operator()(const ::testing::TestParamInfo<Param>& param) const {
        return ReadableName(ParamText(param.param), param.index);
    }
};

} // namespace kx::test
