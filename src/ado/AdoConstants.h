#pragma once

#include "platform/Hresult.h"

#include <cstdint>

/// The numeric constants of the data layer. They keep the values of the classic
/// ADO enumerations, so that numbers written into the wizard's logic (lock type 3,
/// schema 20, field type 202, ...) mean the same here.
namespace kx::ado {

/// Field and parameter types (DataTypeEnum).
enum DataTypeEnum : long {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBoolean = 11,
    adVariant = 12,
    adDecimal = 14,
    adUnsignedTinyInt = 17,
    adBigInt = 20,
    adGUID = 72,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBTimeStamp = 135,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205,
};

/// Field attribute flags (FieldAttributeEnum).
enum FieldAttributeEnum : long {
    adFldMayDefer = 0x2,
    adFldUpdatable = 0x4,
    adFldUnknownUpdatable = 0x8,
    adFldFixed = 0x10,
    adFldIsNullable = 0x20,
    adFldMayBeNull = 0x40,
    adFldLong = 0x80,
    adFldRowID = 0x100,
    adFldKeyColumn = 0x8000,
};

/// Object states (ObjectStateEnum).
enum ObjectStateEnum : long {
    adStateClosed = 0,
    adStateOpen = 1,
};

/// Cursor locations (CursorLocationEnum).
enum CursorLocationEnum : long {
    adUseServer = 2,
    adUseClient = 3,
};

/// Cursor types (CursorTypeEnum).
enum CursorTypeEnum : long {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3,
};

/// Lock types (LockTypeEnum).
enum LockTypeEnum : long {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4,
};

/// Command types and execute options (CommandTypeEnum, ExecuteOptionEnum).
enum CommandTypeEnum : long {
    adCmdUnspecified = -1,
    adCmdText = 1,
    adCmdTable = 2,
    adCmdStoredProc = 4,
    adCmdUnknown = 8,
    adExecuteNoRecords = 0x80,
    adCmdTableDirect = 512,
};

/// Connection modes (ConnectModeEnum).
enum ConnectModeEnum : long {
    adModeUnknown = 0,
    adModeRead = 1,
    adModeWrite = 2,
    adModeReadWrite = 3,
    adModeShareDenyRead = 4,
    adModeShareDenyWrite = 8,
    adModeShareExclusive = 12,
    adModeShareDenyNone = 16,
};

/// Schema rowsets of Connection::OpenSchema (SchemaEnum).
enum SchemaEnum : long {
    adSchemaColumns = 4,
    adSchemaTables = 20,
    adSchemaPrimaryKeys = 28,
};

/// Which records UpdateBatch and Delete act on (AffectEnum).
enum AffectEnum : long {
    adAffectCurrent = 1,
    adAffectGroup = 2,
    adAffectAll = 3,
};

/// Edit states of a recordset (EditModeEnum).
enum EditModeEnum : long {
    adEditNone = 0,
    adEditInProgress = 1,
    adEditAdd = 2,
};

/// Special values of Recordset::AbsolutePosition (PositionEnum).
enum PositionEnum : long {
    adPosUnknown = -1,
    adPosBOF = -2,
    adPosEOF = -3,
};

/// Stream content types (StreamTypeEnum).
enum StreamTypeEnum : long {
    adTypeBinary = 1,
    adTypeText = 2,
};

/// Stream read size meaning "everything that is left" (StreamReadEnum).
inline constexpr long adReadAll = -1;

/// Options of Stream::SaveToFile (SaveOptionsEnum).
enum SaveOptionsEnum : long {
    adSaveCreateNotExist = 1,
    adSaveCreateOverWrite = 2,
};

/// Error numbers that the layer itself raises (HRESULT values as signed 32-bit
/// numbers, the way callers see them in an error's number).
namespace errors {
using platform::Hr;

inline constexpr std::int32_t E_Fail = Hr(0x80004005u);
inline constexpr std::int32_t TypeMismatch = Hr(0x80020005u);
inline constexpr std::int32_t Overflow = Hr(0x8002000Au);
inline constexpr std::int32_t InvalidUseOfNull = Hr(0x800A005Eu);
/// 3001: arguments of the wrong type, out of range or in conflict.
inline constexpr std::int32_t InvalidArgument = Hr(0x800A0BB9u);
/// 3002: a file could not be opened.
inline constexpr std::int32_t FileOpen = Hr(0x800A0BBAu);
/// 3004: writing to a file failed.
inline constexpr std::int32_t FileWrite = Hr(0x800A0BBCu);
/// 3021: BOF or EOF is true; the operation needs a current record.
inline constexpr std::int32_t NoCurrentRecord = Hr(0x800A0BCDu);
/// 3219: the operation is not allowed in this context.
inline constexpr std::int32_t IllegalOperation = Hr(0x800A0CC3u);
/// 3251: the object or provider cannot perform the operation.
inline constexpr std::int32_t FeatureNotAvailable = Hr(0x800A0CB3u);
/// 3265: no item of that name or ordinal in the collection.
inline constexpr std::int32_t ItemNotFound = Hr(0x800A0CC1u);
/// 3421: a value of the wrong type for the operation.
inline constexpr std::int32_t DataConversion = Hr(0x800A0D5Du);
/// 3704: the object is closed.
inline constexpr std::int32_t ObjectClosed = Hr(0x800A0E78u);
/// 3705: the object is open.
inline constexpr std::int32_t ObjectOpen = Hr(0x800A0E79u);
/// 3706: no provider of that name.
inline constexpr std::int32_t ProviderNotFound = Hr(0x800A0E7Au);
/// A command with errors (syntax, unknown column).
inline constexpr std::int32_t ErrorsInCommand = Hr(0x80040E14u);
/// A constraint (unique key, not null) was violated.
inline constexpr std::int32_t IntegrityViolation = Hr(0x80040E2Fu);
/// A value longer than its column allows.
inline constexpr std::int32_t DataOverflow = Hr(0x80040E57u);
/// The named table does not exist.
inline constexpr std::int32_t NoSuchTable = Hr(0x80040E37u);
/// The row to update or delete could not be found any more.
inline constexpr std::int32_t RowNotFound = Hr(0x80040E38u);
/// Authentication failed (wrong database password).
inline constexpr std::int32_t AuthenticationFailed = Hr(0x80040E4Du);
/// Permission denied (writing through a read-only connection).
inline constexpr std::int32_t PermissionDenied = Hr(0x80040E09u);
/// DB_E_ABORTLIMITREACHED: a statement was cut off by the command time limit.
inline constexpr std::int32_t TimeoutReached = Hr(0x80040E31u);
} // namespace errors

} // namespace kx::ado
