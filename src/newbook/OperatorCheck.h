#pragma once

#include "catalogue/BookLocation.h"

#include <string>

namespace kx::newbook {

/// Whether operator `name` with `password` may open the template at `location`,
/// the way the wizard's `PasswordOK` answers: a SQL location string ("@") is
/// checked on its server, a template archive (ending in "WAK", any case) needs no
/// check, anything else is a book file, resolved against `appPath`. Name and
/// password are used without surrounding spaces. False on any failure; never
/// throws and shows nothing. The check only reads.
bool OperatorMayOpenTemplate(const std::string& location, const std::string& name,
                             const std::string& password, const std::string& appPath);

/// The check on a server book: the operator's row is looked up by `name` (a
/// name with quotes matches only itself), and its OpPwd (Null counts as "",
/// surrounding spaces ignored) must equal `password` exactly. Name and password
/// are used without surrounding spaces. An empty name gives false without a query. Throws when the server cannot be reached or a
/// statement fails.
bool CheckSqlOperator(const std::string& location, const std::string& name, const std::string& password);
/// The same for a server book's location already read.
bool CheckSqlOperator(const catalogue::BookLocation& location, const std::string& name,
                      const std::string& password);

/// The check on a book file: the operator must exist, `password` must be theirs
/// (as the accounting object decides) and they must hold the right "VCH_LOOK".
/// The book is opened read-only and left as it was, its write-ahead log too.
/// Throws when the book cannot be opened or a statement fails.
bool CheckAccessOperator(const std::string& bookFile, const std::string& name, const std::string& password);

} // namespace kx::newbook
