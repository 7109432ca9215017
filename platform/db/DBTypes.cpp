#include "platform/db/DBTypes.h"

TStorageKind StorageKindOf(TFieldType DataType)
{
    switch (DataType) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
        return skInt32;
    case ftLargeint:
        return skInt64;
    case ftBoolean:
        return skBool;
    case ftFloat:
    case ftCurrency:
    case ftDate:
    case ftTime:
    case ftDateTime:
        return skDouble;
    case ftString:
    case ftFixedChar:
    case ftWideString:
    case ftMemo:
    case ftFmtMemo:
        return skText;
    default:
        return skNone;
    }
}

String FieldTypeName(TFieldType DataType)
{
    static const char* const Names[] = {
        "Unknown", "String", "Smallint", "Integer", "Word", "Boolean", "Float", "Currency", "BCD",
        "Date", "Time", "DateTime", "Bytes", "VarBytes", "AutoInc", "Blob", "Memo", "Graphic",
        "FmtMemo", "ParadoxOle", "DBaseOle", "TypedBinary", "Cursor", "FixedChar", "WideString",
        "Largeint"};
    int I = int(DataType);
    if (I < 0 || I >= int(sizeof(Names) / sizeof(Names[0])))
        I = 0;
    return QString::fromLatin1(Names[I]);
}

void DatabaseError(const String& Message)
{
    throw EDatabaseError(Message);
}

void DatabaseErrorFmt(const char* Fmt, const String& Arg1)
{
    DatabaseErrorFmt(Fmt, Arg1, String());
}

void DatabaseErrorFmt(const char* Fmt, const String& Arg1, const String& Arg2)
{
    // Replace the placeholders left to right without re-scanning the
    // inserted text, so a '%s' inside a value stays as typed.  What is put
    // in is a name or value from outside, so only its start (QuotedInput).
    const String F = QString::fromUtf8(Fmt);
    const String Args[2] = {QuotedInput(Arg1), QuotedInput(Arg2)};
    String Out;
    int Next = 0;
    for (int I = 0; I < F.size(); ++I) {
        if (F[I] == QLatin1Char('%') && I + 1 < F.size() && F[I + 1] == QLatin1Char('s') && Next < 2) {
            Out += Args[Next++];
            ++I;
        } else {
            Out += F[I];
        }
    }
    throw EDatabaseError(Out);
}
