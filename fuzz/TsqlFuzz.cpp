// Translates any text as T-SQL. The translator must answer a plan or a
// TranslationError: any other exception, a crash or a sanitizer report is a
// finding (libFuzzer reports an escaping exception as a crash).

#include "ado/tsql/TranslationError.h"
#include "ado/tsql/TsqlTranslator.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        (void)kx::ado::tsql::TranslateTsql(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const kx::ado::tsql::TranslationError&) {
    }
    return 0;
}
