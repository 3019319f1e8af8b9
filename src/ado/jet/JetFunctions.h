#pragma once

struct sqlite3;

namespace kx::ado::jet {

/// Gives an engine connection the Jet functions and text comparison that Jet
/// statements rely on:
///
/// - Len(x): characters of a text (not bytes), bytes of a binary value, the
///   length of the text form of a number; Null for Null.
/// - UCase(x), LCase(x): upper / lower case (see ado/UnicodeText.h).
/// - Mid(s, start [, length]): characters from `start` (1-based).
/// - InStr([start,] s1, s2): 1-based character position of s2 in s1 without
///   regard to case, 0 when absent.
/// - IIf(condition, a, b): a when the condition is a non-zero number, else b.
/// - Nz(x [, fallback]): x, or the fallback ("" when omitted) for Null.
///
/// Trim, LTrim and RTrim are the engine's own, which remove blanks as Jet's do.
/// Left and Right cannot be offered: the engine reads them as join keywords.
///
/// The collation NOCASE is replaced on this connection by one that ignores case
/// beyond ASCII as well (Latin, Greek, Cyrillic, full-width letters); for texts
/// whose cased letters are all ASCII it orders exactly like the engine's own, so
/// files stay readable by other tools of the engine.
///
/// Throws AdoError when the engine refuses a registration.
void RegisterJetFunctions(sqlite3* db);

} // namespace kx::ado::jet
