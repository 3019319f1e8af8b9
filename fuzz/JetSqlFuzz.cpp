// Translates any text as Jet SQL for the book-file engine. Refusals come as
// AdoError; anything else escaping, a crash or a sanitizer report is a finding.

#include "ado/AdoError.h"
#include "ado/jet/JetSqlTranslator.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        (void)kx::ado::jet::TranslateJetSql(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const kx::ado::AdoError&) {
    }
    return 0;
}
