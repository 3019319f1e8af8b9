#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kx::ado::tsql {

/// Stands for MAX in varchar(MAX), nvarchar(MAX) and varbinary(MAX).
inline constexpr long long kTsqlMaxLength = -1;

/// The PostgreSQL type for a T-SQL column type with its arguments (the numbers in
/// parentheses, kTsqlMaxLength for MAX):
///
///   int, integer → integer        bigint → bigint        smallint, tinyint → smallint
///   bit → boolean                 real → real            float, float(25..53) → double precision
///   float(1..24) → real           money → numeric(19,4)  smallmoney → numeric(10,4)
///   decimal, numeric (p,s) → numeric(p,s), without arguments numeric(18,0)
///   datetime → timestamp          smalldatetime → timestamp(0)   date → date   time → time
///   char, nchar (n) → char(n)     varchar, nvarchar (n) → varchar(n), (MAX) → text
///   text, ntext → text            image, binary, varbinary → bytea
///   uniqueidentifier → uuid       sysname → varchar(128)
///
/// Type names are compared without regard to letter case. Throws
/// std::invalid_argument naming the type for any other type and for arguments
/// that type does not take.
std::string MapTsqlType(std::string_view typeName, const std::vector<long long>& args);

/// True when the T-SQL type maps to boolean (bit), whose values 0 and 1 need
/// writing as false and true.
bool IsTsqlBitType(std::string_view typeName) noexcept;

} // namespace kx::ado::tsql
