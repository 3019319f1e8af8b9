#pragma once

#include "ado/AdoConstants.h"

#include <string>
#include <string_view>

namespace kx::ado::jet {

/// How a column of a book file is reported as a Field (see the type table in
/// JetProvider.h).
struct JetFieldType {
    DataTypeEnum type = adVariant;
    long definedSize = 0;
    long attributes = 0;
    int precision = 255;
    int numericScale = 255;
    bool isLong = false;
};

/// The Field type of a column from its declared type text as the engine keeps it
/// ("TEXT(50)", "MEMO TEXT", "INTEGER" ...): the first word names the Jet type, a
/// parenthesised size or precision/scale follows. `autoIncrement` marks the
/// column that a COUNTER declaration became; `notNull` drops adFldIsNullable.
/// Unknown words are reported by the engine's affinity rules.
JetFieldType DescribeDeclaredType(std::string_view declared, bool autoIncrement, bool notNull);

/// A Jet type of a column definition, turned into what the engine is given.
struct EngineColumnType {
    /// The declared type text: the Jet type word as written (so that it can be
    /// reported later), followed where needed by a second word that gives the
    /// engine the right storage affinity ("MEMO TEXT", "IMAGE BLOB"), then the
    /// size arguments. For a counter: "INTEGER".
    std::string declared;
    /// Text column: declared with a case-insensitive collation.
    bool isText = false;
    /// COUNTER / AUTOINCREMENT / IDENTITY: the table's auto-numbered key.
    bool isCounter = false;
};

/// `typeWord` is the type name of a column definition, `arguments` its
/// parenthesised arguments including the parentheses ("(50)") or "".
EngineColumnType TranslateJetType(std::string_view typeWord, std::string_view arguments);

} // namespace kx::ado::jet
