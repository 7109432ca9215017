#include "platform/db/RecordLayout.h"

TRecordLayout::TRecordLayout(const std::vector<TTableField>& Fields)
{
    const int N = int(Fields.size());
    FKinds.resize(N);
    FSlot.resize(N);
    FPrevText.resize(N, -1);
    std::uint32_t Offset = 4 + std::uint32_t((N + 7) / 8);
    std::int32_t PrevText = -1;
    for (int I = 0; I < N; ++I) {
        const TStorageKind K = StorageKindOf(Fields[I].DataType);
        FKinds[I] = K;
        FSlot[I] = Offset;
        switch (K) {
        case skInt32:
        case skText:
            Offset += 4;
            break;
        case skInt64:
        case skDouble:
            Offset += 8;
            break;
        case skBool:
            Offset += 1;
            break;
        case skNone:
            break;
        }
        if (K == skText) {
            FPrevText[I] = PrevText;
            PrevText = std::int32_t(FSlot[I]);
            FTextFields.push_back(I);
        }
    }
    FFixedSize = Offset;
}

TRecordBuffer TRecordLayout::EmptyRecord() const
{
    TRecordBuffer Rec(FFixedSize, 0);
    Store<std::uint32_t>(Rec.data(), FFixedSize);
    for (int I = 0; I < FieldCount(); ++I)
        Rec[4 + (I >> 3)] |= std::uint8_t(1u << (I & 7));
    for (int F : FTextFields)
        Store<std::uint32_t>(Rec.data() + FSlot[F], FFixedSize);
    return Rec;
}

void TRecordLayout::SetNullBit(TRecordBuffer& Rec, int Field, bool Null) const
{
    std::uint8_t& B = Rec[4 + (Field >> 3)];
    const auto Mask = std::uint8_t(1u << (Field & 7));
    B = Null ? std::uint8_t(B | Mask) : std::uint8_t(B & ~Mask);
}

void TRecordLayout::SetNull(TRecordBuffer& Rec, int Field) const
{
    if (FKinds[Field] == skText) {
        SetUtf8(Rec, Field, QByteArrayView());
        return;
    }
    SetNullBit(Rec, Field, true);
    // Zero the slot so that equal records are equal bytes.
    const std::uint32_t Width = FKinds[Field] == skBool ? 1 : FKinds[Field] == skInt32 ? 4 : 8;
    if (FKinds[Field] != skNone)
        std::memset(Rec.data() + FSlot[Field], 0, Width);
}

void TRecordLayout::SetInt32(TRecordBuffer& Rec, int Field, std::int32_t Value) const
{
    Store(Rec.data() + FSlot[Field], Value);
    SetNullBit(Rec, Field, false);
}

void TRecordLayout::SetInt64(TRecordBuffer& Rec, int Field, std::int64_t Value) const
{
    Store(Rec.data() + FSlot[Field], Value);
    SetNullBit(Rec, Field, false);
}

void TRecordLayout::SetDouble(TRecordBuffer& Rec, int Field, double Value) const
{
    Store(Rec.data() + FSlot[Field], Value);
    SetNullBit(Rec, Field, false);
}

void TRecordLayout::SetBool(TRecordBuffer& Rec, int Field, bool Value) const
{
    Rec[FSlot[Field]] = Value ? 1 : 0;
    SetNullBit(Rec, Field, false);
}

void TRecordLayout::SetUtf8(TRecordBuffer& Rec, int Field, QByteArrayView Value) const
{
    const std::uint32_t Start = FPrevText[Field] < 0 ? FFixedSize : Load<std::uint32_t>(Rec.data() + FPrevText[Field]);
    const std::uint32_t End = Load<std::uint32_t>(Rec.data() + FSlot[Field]);
    const auto NewLen = std::uint32_t(Value.size());
    const std::int64_t Delta = std::int64_t(NewLen) - std::int64_t(End - Start);
    const std::size_t OldTotal = Rec.size();
    if (Delta > 0) {
        Rec.resize(OldTotal + std::size_t(Delta));
        std::memmove(Rec.data() + End + Delta, Rec.data() + End, OldTotal - End);
    } else if (Delta < 0) {
        std::memmove(Rec.data() + End + Delta, Rec.data() + End, OldTotal - End);
        Rec.resize(std::size_t(std::int64_t(OldTotal) + Delta));
    }
    if (NewLen > 0)
        std::memcpy(Rec.data() + Start, Value.data(), NewLen);
    // This field's end and every later text field's end move by Delta.
    bool After = false;
    for (int F : FTextFields) {
        if (F == Field)
            After = true;
        if (After) {
            std::uint8_t* P = Rec.data() + FSlot[F];
            Store<std::uint32_t>(P, std::uint32_t(std::int64_t(Load<std::uint32_t>(P)) + Delta));
        }
    }
    Store<std::uint32_t>(Rec.data(), std::uint32_t(Rec.size()));
    SetNullBit(Rec, Field, NewLen == 0);
}

void TRecordLayout::CopyField(TRecordBuffer& Dest, const std::uint8_t* Source, int Field) const
{
    if (FKinds[Field] == skText) {
        SetUtf8(Dest, Field, IsNull(Source, Field) ? QByteArrayView() : Utf8(Source, Field));
        return;
    }
    if (IsNull(Source, Field)) {
        SetNull(Dest, Field);
        return;
    }
    switch (FKinds[Field]) {
    case skInt32: SetInt32(Dest, Field, Int32(Source, Field)); break;
    case skInt64: SetInt64(Dest, Field, Int64(Source, Field)); break;
    case skDouble: SetDouble(Dest, Field, Double(Source, Field)); break;
    case skBool: SetBool(Dest, Field, Bool(Source, Field)); break;
    default: break;
    }
}

bool TRecordLayout::Validate(const std::uint8_t* Rec, std::uint64_t Avail) const
{
    if (Avail < FFixedSize)
        return false;
    const std::uint32_t Len = Length(Rec);
    if (Len < FFixedSize || Len > Avail)
        return false;
    std::uint32_t Prev = FFixedSize;
    for (int F : FTextFields) {
        const std::uint32_t End = Load<std::uint32_t>(Rec + FSlot[F]);
        if (End < Prev || End > Len)
            return false;
        // Text is null exactly when it is empty; sort orders rely on it.
        if (IsNull(Rec, F) != (End == Prev))
            return false;
        Prev = End;
    }
    return Prev == Len;
}
