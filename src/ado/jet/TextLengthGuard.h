#pragma once

#include <cstdint>

namespace kx::ado::jet {

class SqliteDatabase;

/// Jet's text for a value longer than its column's declared size.
inline constexpr const char* kFieldTooSmall =
    "The field is too small to accept the amount of data you attempted to add.  Try inserting or pasting "
    "less data.";

/// Makes the engine refuse, as Jet does, a value longer than the declared size of
/// its text column ("TEXT(50)", "VARCHAR(20)" ...): the engine itself keeps any
/// length. Installs, on this connection only, temporary triggers on every table of
/// the file that has sized text columns; an insert or update that would store a
/// longer value fails with kFieldTooSmall and changes nothing. Nothing is written
/// into the file, so books made elsewhere are covered as they are.
///
/// Call again after the file's tables changed; it answers the schema version it
/// saw, to compare with SchemaVersion.
std::int64_t GuardTextLengths(SqliteDatabase& db);

/// The file's schema version: it changes with every table created, altered or dropped.
std::int64_t SchemaVersion(const SqliteDatabase& db);

} // namespace kx::ado::jet
