#pragma once
// The packed record: one contiguous byte block per record, identical in
// memory and in table files, so a file is loaded by pointing at its bytes.
//
//   u32   total length of the block (this header included)
//   u8[]  null bits, one per field (set = null)
//   slots one per field in field order: int32 (4), int64 (8), bool (1),
//         double (8), or for text the u32 end offset of its bytes
//   bytes the UTF-8 text of the text fields, in field order
//
// A text field's bytes start where the previous text field's end (or at the
// start of the text area).  All integers are little-endian and unaligned.
#include "platform/db/DBTypes.h"

#include <QByteArrayView>
#include <cstring>
#include <vector>

struct TTableField {
    String Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    bool Required = false;
};

using TRecordBuffer = std::vector<std::uint8_t>;

class TRecordLayout {
public:
    explicit TRecordLayout(const std::vector<TTableField>& Fields);

    int FieldCount() const { return int(FKinds.size()); }
    TStorageKind Kind(int Field) const { return FKinds[Field]; }
    // Bytes before the text area: the smallest valid record.
    std::uint32_t FixedSize() const { return FFixedSize; }

    static std::uint32_t Length(const std::uint8_t* Rec) { return Load<std::uint32_t>(Rec); }
    bool IsNull(const std::uint8_t* Rec, int Field) const
    {
        return (Rec[4 + (Field >> 3)] >> (Field & 7)) & 1;
    }
    std::int32_t Int32(const std::uint8_t* Rec, int Field) const { return Load<std::int32_t>(Rec + FSlot[Field]); }
    std::int64_t Int64(const std::uint8_t* Rec, int Field) const { return Load<std::int64_t>(Rec + FSlot[Field]); }
    double Double(const std::uint8_t* Rec, int Field) const { return Load<double>(Rec + FSlot[Field]); }
    bool Bool(const std::uint8_t* Rec, int Field) const { return Rec[FSlot[Field]] != 0; }
    QByteArrayView Utf8(const std::uint8_t* Rec, int Field) const
    {
        const std::uint32_t Start = FPrevText[Field] < 0 ? FFixedSize : Load<std::uint32_t>(Rec + FPrevText[Field]);
        const std::uint32_t End = Load<std::uint32_t>(Rec + FSlot[Field]);
        return QByteArrayView(reinterpret_cast<const char*>(Rec) + Start, qsizetype(End - Start));
    }
    String Text(const std::uint8_t* Rec, int Field) const { return QString::fromUtf8(Utf8(Rec, Field)); }

    // A record with every field null.
    TRecordBuffer EmptyRecord() const;
    void SetNull(TRecordBuffer& Rec, int Field) const;
    void SetInt32(TRecordBuffer& Rec, int Field, std::int32_t Value) const;
    void SetInt64(TRecordBuffer& Rec, int Field, std::int64_t Value) const;
    void SetDouble(TRecordBuffer& Rec, int Field, double Value) const;
    void SetBool(TRecordBuffer& Rec, int Field, bool Value) const;
    // Empty text is stored as null, as the classic engine does.
    void SetUtf8(TRecordBuffer& Rec, int Field, QByteArrayView Value) const;
    void SetText(TRecordBuffer& Rec, int Field, const String& Value) const { SetUtf8(Rec, Field, Value.toUtf8()); }
    // Copies one field's value (or null) from another record of this layout.
    void CopyField(TRecordBuffer& Dest, const std::uint8_t* Source, int Field) const;

    // True when the block of Avail bytes at Rec is a well-formed record.
    bool Validate(const std::uint8_t* Rec, std::uint64_t Avail) const;

    template <typename T>
    static T Load(const std::uint8_t* P)
    {
        T V;
        std::memcpy(&V, P, sizeof(T));
        return V;
    }
    template <typename T>
    static void Store(std::uint8_t* P, T V)
    {
        std::memcpy(P, &V, sizeof(T));
    }

private:
    void SetNullBit(TRecordBuffer& Rec, int Field, bool Null) const;

    std::vector<TStorageKind> FKinds;
    std::vector<std::uint32_t> FSlot;
    // Slot offset of the previous text field, -1 for the first.
    std::vector<std::int32_t> FPrevText;
    std::vector<int> FTextFields;
    std::uint32_t FFixedSize = 0;
};
