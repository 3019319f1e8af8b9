#include "ado/tsql/TranslationError.h"

namespace kx::ado::tsql {

namespace {

constexpr std::size_t kShownStatementBytes = 200;

/// The statement on one line, cut at a character boundary when it is long.
std::string ShownStatement(std::string_view statement) {
    std::string shown;
    bool lastWasSpace = false;
    for (char c : statement) {
        const bool space = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (space && lastWasSpace) {
            continue;
        }
        shown += space ? ' ' : c;
        lastWasSpace = space;
    }
    if (shown.size() > kShownStatementBytes) {
        std::size_t cut = kShownStatementBytes;
        while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        shown.resize(cut);
        shown += "...";
    }
    return shown;
}

} // namespace

TranslationError::TranslationError(std::string_view statement, std::string_view detail)
    : std::runtime_error("cannot carry out the statement \"" + ShownStatement(statement) +
                         "\": " + std::string(detail)),
      statement_(statement), detail_(detail) {}

} // namespace kx::ado::tsql
