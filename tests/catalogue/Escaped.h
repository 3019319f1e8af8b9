#pragma once

#include <string>

namespace kx::catalogue::test {

/// The text with tabs, carriage returns and line feeds written as \t, \r and \n,
/// so that test parameters print on one readable line.
inline std::string Escaped(const std::string& text) {
    std::string out = "\"";
    for (const char ch : text) {
        switch (ch) {
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += ch;
        }
    }
    return out + "\"";
}

} // namespace kx::catalogue::test
