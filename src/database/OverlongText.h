#pragma once

#include "ado/Connection.h"
#include "ado/Fields.h"

#include <string>

namespace kx::database {

/// Why the rows of `table` in the open book file `book` cannot go to the server as
/// they are: a book written by other programs may hold a text longer than its
/// column's declared size, which the server's column of that size refuses. Looks
/// for the first such value among the text columns of `fields` (the table's
/// columns, as "Select * From" the table gives them); trailing spaces do not
/// count, since the server drops them itself.
///
/// "" when every value fits; else the line the conversion shows below the table's
/// failure, naming the column, its size and the row by its primary key values
/// ("字段Name的值超过了它的长度（10个字符），行：ID=3。") or, for a table without
/// a primary key, by its place in the table ("行：第2行。"). Throws AdoError when the
/// book cannot be read.
std::string OverlongTextInTable(ado::Connection& book, const std::string& table, const ado::Fields& fields);

} // namespace kx::database
