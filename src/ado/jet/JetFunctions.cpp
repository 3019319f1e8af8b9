#include "JetFunctions.h"

#include "SqliteDatabase.h"

#include "ado/UnicodeText.h"

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace kx::ado::jet {
namespace {

const sqlite3_destructor_type kCopyBytes =
    reinterpret_cast<sqlite3_destructor_type>(static_cast<std::intptr_t>(-1));

std::string_view TextOf(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text != nullptr ? std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(value)))
                           : std::string_view();
}

bool IsNull(sqlite3_value* value) {
    return sqlite3_value_type(value) == SQLITE_NULL;
}

void ResultText(sqlite3_context* context, std::string_view text) {
    sqlite3_result_text64(context, text.data(), text.size(), kCopyBytes, SQLITE_UTF8);
}

// Runs a function body so that no exception reaches the engine.
template <typename Body> void Guarded(sqlite3_context* context, Body body) {
    try {
        body();
    } catch (const std::exception& e) {
        sqlite3_result_error(context, e.what(), -1);
    } catch (...) {
        sqlite3_result_error(context, "unexpected failure", -1);
    }
}

void Len(sqlite3_context* context, int, sqlite3_value** args) {
    Guarded(context, [&] {
        if (IsNull(args[0]))
            return sqlite3_result_null(context);
        if (sqlite3_value_type(args[0]) == SQLITE_BLOB)
            return sqlite3_result_int64(context, sqlite3_value_bytes(args[0]));
        sqlite3_result_int64(context, static_cast<sqlite3_int64>(text::CharCount(TextOf(args[0]))));
    });
}

void UCase(sqlite3_context* context, int, sqlite3_value** args) {
    Guarded(context, [&] {
        if (IsNull(args[0]))
            return sqlite3_result_null(context);
        ResultText(context, text::ToUpper(TextOf(args[0])));
    });
}

void LCase(sqlite3_context* context, int, sqlite3_value** args) {
    Guarded(context, [&] {
        if (IsNull(args[0]))
            return sqlite3_result_null(context);
        ResultText(context, text::ToLower(TextOf(args[0])));
    });
}

void Mid(sqlite3_context* context, int argc, sqlite3_value** args) {
    Guarded(context, [&] {
        for (int i = 0; i < argc; ++i)
            if (IsNull(args[i]))
                return sqlite3_result_null(context);
        const sqlite3_int64 start = sqlite3_value_int64(args[1]);
        const sqlite3_int64 length = argc > 2 ? sqlite3_value_int64(args[2]) : -1;
        if (start < 1 || (argc > 2 && length < 0))
            return sqlite3_result_error(context, "Invalid procedure call or argument (Mid).", -1);
        const std::string_view s = TextOf(args[0]);
        const auto first = static_cast<std::size_t>(start - 1);
        const std::size_t count = length < 0 ? s.size() : static_cast<std::size_t>(length);
        ResultText(context, text::SliceChars(s, first, count));
    });
}

void InStr(sqlite3_context* context, int argc, sqlite3_value** args) {
    Guarded(context, [&] {
        for (int i = 0; i < argc; ++i)
            if (IsNull(args[i]))
                return sqlite3_result_null(context);
        const int offset = argc == 3 ? 1 : 0;
        const sqlite3_int64 start = argc == 3 ? sqlite3_value_int64(args[0]) : 1;
        if (start < 1)
            return sqlite3_result_error(context, "Invalid procedure call or argument (InStr).", -1);
        // Lower-casing maps character for character, so positions stay the same.
        const std::string haystack = text::ToLower(TextOf(args[offset]));
        const std::string needle = text::ToLower(TextOf(args[offset + 1]));
        const std::size_t from = text::AdvanceChars(haystack, 0, static_cast<std::size_t>(start - 1));
        if (text::CharCount(std::string_view(haystack).substr(0, from)) + 1 < static_cast<std::size_t>(start))
            return sqlite3_result_int64(context, 0);
        const std::size_t found = haystack.find(needle, from);
        if (found == std::string::npos)
            return sqlite3_result_int64(context, 0);
        sqlite3_result_int64(context, static_cast<sqlite3_int64>(
                                          text::CharCount(std::string_view(haystack).substr(0, found)) + 1));
    });
}

void IIf(sqlite3_context* context, int, sqlite3_value** args) {
    Guarded(context, [&] {
        const bool condition = !IsNull(args[0]) && sqlite3_value_double(args[0]) != 0.0;
        sqlite3_result_value(context, condition ? args[1] : args[2]);
    });
}

void Nz(sqlite3_context* context, int argc, sqlite3_value** args) {
    Guarded(context, [&] {
        if (!IsNull(args[0]))
            return sqlite3_result_value(context, args[0]);
        if (argc > 1)
            return sqlite3_result_value(context, args[1]);
        ResultText(context, "");
    });
}

int CompareNoCase(void*, int sizeA, const void* a, int sizeB, const void* b) {
    return text::CompareIgnoringCase(
        std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(sizeA)),
        std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(sizeB)));
}

using Function = void (*)(sqlite3_context*, int, sqlite3_value**);

void Register(sqlite3* db, const char* name, int argc, Function function) {
    const int rc = sqlite3_create_function_v2(db, name, argc, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                              function, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        ThrowEngineError(rc, std::string("cannot register function ") + name + ": " + sqlite3_errmsg(db));
}

} // namespace

void RegisterJetFunctions(sqlite3* db) {
    Register(db, "Len", 1, Len);
    Register(db, "UCase", 1, UCase);
    Register(db, "LCase", 1, LCase);
    Register(db, "Mid", 2, Mid);
    Register(db, "Mid", 3, Mid);
    Register(db, "InStr", 2, InStr);
    Register(db, "InStr", 3, InStr);
    Register(db, "IIf", 3, IIf);
    Register(db, "Nz", 1, Nz);
    Register(db, "Nz", 2, Nz);
    const int rc = sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, CompareNoCase, nullptr);
    if (rc != SQLITE_OK)
        ThrowEngineError(rc, std::string("cannot register the NOCASE collation: ") + sqlite3_errmsg(db));
}

} // namespace kx::ado::jet
