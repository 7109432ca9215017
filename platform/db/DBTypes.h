#pragma once
// The vocabulary shared by the table engine and the data-set components:
// field types, index options and the classic error texts.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/System.h"

#include <cstdint>

// Classic ordinals; the engine stores the types it supports (see
// StorageKindOf), the rest exist so that code reads like the original.
enum TFieldType {
    ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD,
    ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic,
    ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString,
    ftLargeint
};

enum TIndexOption { ixPrimary, ixUnique, ixDescending, ixCaseInsensitive, ixExpression, ixNonMaintained };
using TIndexOptions = TSet<TIndexOption>;

// How a field's value sits in a packed record.
enum TStorageKind : std::uint8_t { skNone, skInt32, skInt64, skBool, skDouble, skText };

TStorageKind StorageKindOf(TFieldType DataType);
// "String", "Integer" ... as the classic type-mismatch texts name them.
String FieldTypeName(TFieldType DataType);

// Classic error texts.
namespace DBConsts {
inline const char* const SFieldNotFound = "Field '%s' not found";
inline const char* const SKeyViolation = "Key violation.";
inline const char* const SIndexNotFound = "Index '%s' not found";
inline const char* const SDataSetClosed = "Cannot perform this operation on a closed dataset";
inline const char* const SDataSetOpen = "Cannot perform this operation on an open dataset";
inline const char* const SNotEditing = "Dataset not in edit or insert mode";
inline const char* const SDataSetEmpty = "Cannot perform this operation on an empty dataset";
inline const char* const SDataSetReadOnly = "Cannot modify a read-only dataset";
inline const char* const SFieldRequired = "Field '%s' must have a value";
inline const char* const SFieldReadOnly = "Field '%s' cannot be modified";
inline const char* const SNotIndexField = "Field '%s' is not indexed and cannot be modified";
inline const char* const SInvalidIntegerValue = "'%s' is not a valid integer value for field '%s'";
inline const char* const SInvalidFloatValue = "'%s' is not a valid floating point value for field '%s'";
inline const char* const SInvalidBoolValue = "'%s' is not a valid boolean value for field '%s'";
inline const char* const SFieldRangeError = "%s is not a valid value for field '%s'. The allowed range is %s to %s";
inline const char* const SFieldTypeMismatch = "Type mismatch for field '%s', expecting: %s actual: %s";
inline const char* const SDuplicateFieldName = "Duplicate field name '%s'";
inline const char* const SDuplicateIndexName = "Duplicate index name '%s'";
inline const char* const SNoFieldIndexes = "No index currently active";
inline const char* const SFieldIndexError = "Field index out of range";
inline const char* const SNoDataSet = "Missing DataSet property";
inline const char* const SCircularDataLink = "Circular datalinks are not allowed";
inline const char* const SBookmarkNotFound = "Record not found";
inline const char* const SInvalidBookmark = "Invalid bookmark";
inline const char* const SFieldDefsEmpty = "Missing data provider or data packet";
inline const char* const SNotTableFile = "'%s' is not a table file";
inline const char* const STableFileDamaged = "Table file '%s' is damaged";
inline const char* const STableFileShort = "Table file '%s' is incomplete";
inline const char* const STableFileVersion = "Table file '%s' has an unsupported format version (%d)";
inline const char* const STableFileMissing = "Cannot open table file '%s'";
inline const char* const SInvalidFieldSize = "Invalid field size";
inline const char* const SUnsupportedFieldType = "Field '%s' has a type the table engine does not store";
inline const char* const SFilterUnsupported = "Filter expressions are not supported: %s";
}  // namespace DBConsts

// EDatabaseError with the classic %s arguments filled in, each as
// QuotedInput: a message never repeats more than the start of a name or
// value, however long the one it refuses.
[[noreturn]] void DatabaseError(const String& Message);
[[noreturn]] void DatabaseErrorFmt(const char* Fmt, const String& Arg1);
[[noreturn]] void DatabaseErrorFmt(const char* Fmt, const String& Arg1, const String& Arg2);
