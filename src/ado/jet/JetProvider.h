#pragma once

#include "ado/Provider.h"

#include <memory>

namespace kx::ado::jet {

/// The "Microsoft.Jet.OLEDB.4.0" provider: account books in single files of the
/// SQLCipher engine (SQLite with whole-file encryption).
///
/// Opening: "Data Source" names the file (through platform::ToDiskPath); the file
/// must exist and is never created here (see CreateBookFile). "Jet OLEDB:Database
/// Password" (any letter case) is the file's key: a file keyed with one password
/// opens with that password only, an unkeyed file only with the empty password; a
/// wrong key fails at Open with errors::AuthenticationFailed, "Not a valid
/// password.". Mode adModeRead opens read-only. "User ID" and "Password" (Jet
/// user-level security) are not used.
///
/// Statements are Jet SQL, translated by TranslateJetSql and run by the engine;
/// one statement per command ("Characters found after end of SQL statement."
/// otherwise). Bracketed names work as they are; the Jet functions of
/// RegisterJetFunctions are available; names of tables and columns match without
/// regard to case, and so do text values of columns declared through this
/// provider (COLLATE NOCASE).
///
/// Column types are declared with Jet names and reported from the declared type:
///
/// | Declared                                  | Field.Type             | DefinedSize | Attributes     |
/// |-------------------------------------------|------------------------|-------------|----------------|
/// | COUNTER, AUTOINCREMENT (IDENTITY)         | adInteger (3)          | 4           | 90 exactly     |
/// | LONG, INTEGER, INT                        | adInteger (3)          | 4           | fixed          |
/// | SHORT, SMALLINT                           | adSmallInt (2)         | 2           | fixed          |
/// | BYTE                                      | adUnsignedTinyInt (17) | 1           | fixed          |
/// | BIT, YESNO, LOGICAL                       | adBoolean (11)         | 2           | fixed          |
/// | SINGLE                                    | adSingle (4)           | 4           | fixed          |
/// | DOUBLE, FLOAT                             | adDouble (5)           | 8           | fixed          |
/// | CURRENCY, MONEY                           | adCurrency (6)         | 8           | fixed          |
/// | DATETIME, DATE                            | adDate (7)             | 8           | fixed          |
/// | TEXT(n), VARCHAR(n), CHAR(n)              | adVarWChar (202)       | n           |                |
/// | MEMO, LONGTEXT, TEXT                      | adLongVarWChar (203)   | 536870910   | long           |
/// | LONGBINARY, OLEOBJECT, IMAGE, BLOB        | adLongVarBinary (205)  | 1073741823  | long           |
/// | GUID                                      | adGUID (72)            | 16          | fixed          |
/// | DECIMAL, NUMERIC                          | adNumeric (131)        | 19          | fixed          |
///
/// Attributes other than the counter's: adFldMayDefer | adFldMayBeNull, plus
/// adFldIsNullable unless NOT NULL, adFldFixed for fixed-size types, adFldLong |
/// adFldUnknownUpdatable for long types, adFldUpdatable for the rest. Computed
/// columns are typed from their values (adInteger, adBigInt, adDouble,
/// adVarWChar, adLongVarWChar, adLongVarBinary) and are not updatable.
///
/// Storage: Bool as -1/0; Currency as an integer when whole, else as a real (exact
/// to four places for amounts below 9e11); Date as "yyyy-mm-dd hh:mm:ss" text;
/// text as UTF-8; binary as blobs (an empty value stays empty, not Null). Values
/// that do not fit the column's type are handed out unchanged rather than lost.
///
/// Reading: a query whose columns all come from tables or have declared types
/// hands over its rows unread (RowSet::unread); they are read when first needed.
/// Its errors of compilation (unknown table or column, bad syntax) still fail the
/// command itself.
///
/// Writing back: rows of a table with a primary key are found by the key, other
/// rows by all their stored values.
///
/// Returns a new, unopened provider.
std::unique_ptr<Provider> NewJetProvider();

} // namespace kx::ado::jet
