#pragma once

#include "ado/AdoConstants.h"

namespace kx::ado::pg {

/// How a PostgreSQL column is reported as a Field, the way SQL Server reports the
/// T-SQL type that the translator mapped to it.
struct PgFieldType {
    DataTypeEnum type = adVarWChar;
    /// Field.DefinedSize: characters for text, bytes for the rest.
    long definedSize = 0;
    int precision = 255;
    int numericScale = 255;
    /// A type of fixed size (adFldFixed).
    bool isFixed = false;
    /// A long value, read in pieces (adFldLong).
    bool isLong = false;
};

/// The Field type of a column from its type OID and type modifier (-1 for none):
///
/// | PostgreSQL (T-SQL)                       | Field.Type             | DefinedSize | Precision, scale |
/// |------------------------------------------|------------------------|-------------|------------------|
/// | boolean (bit)                            | adBoolean (11)         | 2           |                  |
/// | smallint (smallint, tinyint)             | adSmallInt (2)         | 2           | 5                |
/// | integer (int)                            | adInteger (3)          | 4           | 10               |
/// | bigint (bigint)                          | adBigInt (20)          | 8           | 19               |
/// | real (real)                              | adSingle (4)           | 4           | 7                |
/// | double precision (float)                 | adDouble (5)           | 8           | 15               |
/// | numeric(19,4), numeric(10,4) (money, smallmoney) | adCurrency (6) | 8           | 19 or 10, 4      |
/// | other numeric(p,s) (decimal)             | adNumeric (131)        | 19          | p, s             |
/// | timestamp, date (datetime)               | adDBTimeStamp (135)    | 16          | 23, 3            |
/// | char(n) (char, nchar)                    | adWChar (130)          | n           |                  |
/// | varchar(n) (varchar, nvarchar)           | adVarWChar (202)       | n           |                  |
/// | text, varchar (ntext, text, MAX)         | adLongVarWChar (203)   | 1073741823  | long             |
/// | bytea (image, varbinary)                 | adLongVarBinary (205)  | 2147483647  | long             |
/// | uuid (uniqueidentifier)                  | adGUID (72)            | 16          |                  |
/// | name (catalog names)                     | adVarWChar (202)       | 128         |                  |
/// | anything else (time, oid, json ...)      | adVarWChar (202)       | 255         |                  |
PgFieldType DescribePgType(unsigned int typeOid, int typeModifier) noexcept;

} // namespace kx::ado::pg
