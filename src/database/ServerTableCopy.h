#pragma once

#include "ado/AdoConstants.h"
#include "ado/Connection.h"

#include <cstdint>
#include <string>

namespace kx::database {

/// The error that ends CopySqlAllTables when a table cannot be copied.
inline constexpr std::int32_t kTableCopyError = ado::errors::Hr(0x80040200u);
inline constexpr const char* kTableCopySource = "CopySqlAllTables";

/// Copies every user table of server database `source` into database
/// `destination` on the same server, through the open connection `rCnn`. True when
/// all were copied. A table that cannot be copied in three attempts throws
/// ado::AdoError(kTableCopyError, "CopySqlAllTables", "复制数据表<table>时遇到错误。");
/// a failed table listing throws the provider's error. Tables copied before stay.
bool CopySqlAllTables(const std::string& source, const std::string& destination, ado::Connection& rCnn);

/// Copies table `table` of `source` into `destination` (dropping the destination's
/// table of that name before each attempt) with "SELECT * INTO", at most three
/// attempts. True on success, false after the third failure; never throws.
bool CopySqlTable(const std::string& destination, const std::string& table, const std::string& source,
                  ado::Connection& rCnn);

} // namespace kx::database
