#include "platform/db/TableIndex.h"

#include "platform/rtl/SysUtils.h"

#include <QChar>
#include <algorithm>
#include <bit>
#include <cmath>


int CompareUtf8(QByteArrayView A, QByteArrayView B, bool CaseInsensitive)
{
    const auto* PA = reinterpret_cast<const unsigned char*>(A.data());
    const auto* PB = reinterpret_cast<const unsigned char*>(B.data());
    const qsizetype NA = A.size();
    const qsizetype NB = B.size();
    if (!CaseInsensitive) {
        // UTF-8 byte order is code point order.
        const qsizetype N = std::min(NA, NB);
        const int R = N > 0 ? std::memcmp(PA, PB, std::size_t(N)) : 0;
        if (R != 0)
            return R;
        return NA < NB ? -1 : NA > NB ? 1 : 0;
    }
    // The same bytes are the same text: names that recur (a call name on
    // every tenth person) are told equal without folding their accents.
    if (NA == NB && (NA == 0 || std::memcmp(PA, PB, std::size_t(NA)) == 0))
        return 0;
    qsizetype I = 0;
    qsizetype J = 0;
    while (I < NA && J < NB) {
        const unsigned char CA = PA[I];
        const unsigned char CB = PB[J];
        if ((CA | CB) < 0x80) {
            const unsigned char LA = (CA >= 'A' && CA <= 'Z') ? CA + 32 : CA;
            const unsigned char LB = (CB >= 'A' && CB <= 'Z') ? CB + 32 : CB;
            if (LA != LB)
                return LA < LB ? -1 : 1;
            ++I;
            ++J;
            continue;
        }
        // From the first other character on, the rest is ordered as the
        // runtime orders text, so accented names sort among their letter
        // and a search finds what the sorted list shows.
        return AnsiCompareText(QString::fromUtf8(A.sliced(I)), QString::fromUtf8(B.sliced(J)));
    }
    if (I < NA)
        return 1;
    if (J < NB)
        return -1;
    return 0;
}

TTableIndex::TTableIndex(const TRecordLayout& Layout, std::vector<TIndexKeyField> Keys, bool Unique)
    : FLayout(Layout), FKeys(std::move(Keys)), FUnique(Unique)
{
}

int TTableIndex::CompareField(const TIndexKeyField& K, const std::uint8_t* A, const std::uint8_t* B) const
{
    const bool NA = FLayout.IsNull(A, K.Field);
    const bool NB = FLayout.IsNull(B, K.Field);
    int R = 0;
    if (NA || NB) {
        R = NA == NB ? 0 : NA ? -1 : 1;
    } else {
        switch (K.Kind) {
        case skInt32: {
            const auto X = FLayout.Int32(A, K.Field), Y = FLayout.Int32(B, K.Field);
            R = X < Y ? -1 : X > Y ? 1 : 0;
            break;
        }
        case skInt64: {
            const auto X = FLayout.Int64(A, K.Field), Y = FLayout.Int64(B, K.Field);
            R = X < Y ? -1 : X > Y ? 1 : 0;
            break;
        }
        case skDouble: {
            // A NaN (from a foreign file) sorts after every number and equals
            // another NaN, or sorting and binary search would lose records.
            const double X = FLayout.Double(A, K.Field), Y = FLayout.Double(B, K.Field);
            const bool XNaN = std::isnan(X), YNaN = std::isnan(Y);
            R = XNaN || YNaN ? int(XNaN) - int(YNaN) : X < Y ? -1 : X > Y ? 1 : 0;
            break;
        }
        case skBool: {
            const int X = FLayout.Bool(A, K.Field), Y = FLayout.Bool(B, K.Field);
            R = X - Y;
            break;
        }
        case skText:
            R = CompareUtf8(FLayout.Utf8(A, K.Field), FLayout.Utf8(B, K.Field), K.CaseInsensitive);
            break;
        case skNone:
            break;
        }
    }
    return K.Descending ? -R : R;
}

int TTableIndex::CompareKeys(const std::uint8_t* A, const std::uint8_t* B, int KeyCount) const
{
    const int N = std::min(KeyCount, int(FKeys.size()));
    for (int I = 0; I < N; ++I) {
        const int R = CompareField(FKeys[I], A, B);
        if (R != 0)
            return R;
    }
    return 0;
}

TTableIndex::TPrefix TTableIndex::Prefix(const std::uint8_t* Rec) const
{
    const TIndexKeyField& K = FKeys.front();
    if (FLayout.IsNull(Rec, K.Field))
        return {0, 0};
    switch (K.Kind) {
    case skInt32:
        return {(std::uint64_t(std::uint32_t(FLayout.Int32(Rec, K.Field))) ^ 0x80000000u) + 1, 0};
    case skInt64:
        return {std::uint64_t(FLayout.Int64(Rec, K.Field)) ^ (std::uint64_t(1) << 63), 0};
    case skDouble: {
        // +0 and -0 are one key; every NaN is one key above +infinity.
        const double V = FLayout.Double(Rec, K.Field);
        if (std::isnan(V))
            return {~std::uint64_t(0), 0};
        const auto Bits = std::bit_cast<std::uint64_t>(V == 0.0 ? 0.0 : V);
        return {(Bits >> 63) ? ~Bits : (Bits | (std::uint64_t(1) << 63)), 0};
    }
    case skBool:
        return {FLayout.Bool(Rec, K.Field) ? 2u : 1u, 0};
    case skText: {
        // The first sixteen bytes, big-endian so that integer order is byte
        // order.  Folded texts stop at the first non-ASCII byte and fill the
        // rest with 0xFF, which no ASCII byte equals: a difference there is
        // left to the full comparison.
        const QByteArrayView T = FLayout.Utf8(Rec, K.Field);
        std::uint64_t Half[2] = {0, 0};
        bool Stopped = false;
        for (int I = 0; I < 16; ++I) {
            std::uint8_t B = 0;
            if (Stopped) {
                B = 0xFF;
            } else if (I < T.size()) {
                B = std::uint8_t(T[I]);
                if (K.CaseInsensitive) {
                    if (B >= 0x80) {
                        B = 0xFF;
                        Stopped = true;
                    } else if (B >= 'A' && B <= 'Z') {
                        B = std::uint8_t(B + 32);
                    }
                }
            }
            Half[I / 8] = (Half[I / 8] << 8) | B;
        }
        return {Half[0], Half[1]};
    }
    case skNone:
        break;
    }
    return {0, 0};
}

bool TTableIndex::PrefixIsWholeKey(const std::uint8_t* Rec) const
{
    const TIndexKeyField& K = FKeys.front();
    if (FLayout.IsNull(Rec, K.Field))
        return true;
    switch (K.Kind) {
    case skInt32:
    case skBool:
        return true;
    case skInt64:
        return false;  // the null prefix collides with the smallest value
    case skDouble:
        return FLayout.Double(Rec, K.Field) == FLayout.Double(Rec, K.Field);  // not NaN
    case skText: {
        // Up to sixteen bytes without NUL and, when folded, without non-ASCII.
        const QByteArrayView T = FLayout.Utf8(Rec, K.Field);
        if (T.size() > 16)
            return false;
        for (char C : T)
            if (C == 0 || (K.CaseInsensitive && static_cast<unsigned char>(C) >= 0x80))
                return false;
        return true;
    }
    case skNone:
        break;
    }
    return false;
}

void TTableIndex::Build(const TRecordStore& Store)
{
    struct TEntry {
        TPrefix Prefix;
        TRecordId Id;
        // The prefix holds the whole key: equal prefixes are equal keys.
        bool Complete;
    };
    std::vector<TEntry> Entries;
    Entries.reserve(std::size_t(Store.LiveCount()));
    const bool SingleKey = FKeys.size() == 1;
    for (TRecordId Id = 0; Id < Store.IdLimit(); ++Id)
        if (const std::uint8_t* Rec = Store.Record(Id))
            Entries.push_back({Prefix(Rec), Id, SingleKey && PrefixIsWholeKey(Rec)});

    const TIndexKeyField& First = FKeys.front();
    const bool FoldedText = First.Kind == skText && First.CaseInsensitive;
    const bool Ascending = !First.Descending;
    // Decides by one half of the prefixes when they differ there and the
    // difference is not in the 0xFF fill of a folded text.
    auto ByHalf = [FoldedText, Ascending](std::uint64_t A, std::uint64_t B, bool& Less) {
        if (FoldedText) {
            const int Shift = 56 - (std::countl_zero(A ^ B) / 8) * 8;
            if (std::uint8_t(A >> Shift) == 0xFF || std::uint8_t(B >> Shift) == 0xFF)
                return false;
        }
        Less = (A < B) == Ascending;
        return true;
    };
    auto Less = [&](const TEntry& A, const TEntry& B) {
        bool Less = false;
        if (A.Prefix.Hi != B.Prefix.Hi) {
            if (ByHalf(A.Prefix.Hi, B.Prefix.Hi, Less))
                return Less;
        } else if (A.Prefix.Lo != B.Prefix.Lo) {
            if (ByHalf(A.Prefix.Lo, B.Prefix.Lo, Less))
                return Less;
        } else if (A.Complete && B.Complete) {
            return A.Id < B.Id;
        }
        const int R = CompareKeys(Store.Record(A.Id), Store.Record(B.Id), KeyCount());
        return R != 0 ? R < 0 : A.Id < B.Id;
    };
    // Tables are mostly written in key order, so the key index and its
    // descending twin come in sorted or exactly reversed: a pass finds out.
    // Ties go by record id, so the order is total and a reversal exact.
    if (!std::is_sorted(Entries.begin(), Entries.end(), Less)) {
        if (std::is_sorted(Entries.rbegin(), Entries.rend(), Less))
            std::reverse(Entries.begin(), Entries.end());
        else
            std::sort(Entries.begin(), Entries.end(), Less);
    }

    if (FUnique)
        for (std::size_t I = 1; I < Entries.size(); ++I)
            if (CompareKeys(Store.Record(Entries[I - 1].Id), Store.Record(Entries[I].Id), KeyCount()) == 0)
                DatabaseError(QString::fromLatin1(DBConsts::SKeyViolation));

    std::vector<TRecordId> Ids(Entries.size());
    for (std::size_t I = 0; I < Entries.size(); ++I)
        Ids[I] = Entries[I].Id;
    FOrder.assign(Ids);
}

int TTableIndex::LowerBound(const TRecordStore& Store, const std::uint8_t* Key, int KeyCount) const
{
    return int(FOrder.partition_point(
        [&](TRecordId Id) { return CompareKeys(Store.Record(Id), Key, KeyCount) < 0; }));
}

int TTableIndex::UpperBound(const TRecordStore& Store, const std::uint8_t* Key, int KeyCount) const
{
    return int(FOrder.partition_point(
        [&](TRecordId Id) { return CompareKeys(Store.Record(Id), Key, KeyCount) <= 0; }));
}

int TTableIndex::InsertPoint(const TRecordStore& Store, TRecordId Id, const std::uint8_t* Rec) const
{
    return int(FOrder.partition_point([&](TRecordId Other) {
        const int R = CompareKeys(Store.Record(Other), Rec, KeyCount());
        return R != 0 ? R < 0 : Other < Id;
    }));
}

int TTableIndex::PositionOf(const TRecordStore& Store, TRecordId Id, const std::uint8_t* Rec) const
{
    const int P = InsertPoint(Store, Id, Rec);
    return P < int(FOrder.size()) && FOrder[std::size_t(P)] == Id ? P : -1;
}

std::int64_t TTableIndex::FindDuplicate(const TRecordStore& Store, const std::uint8_t* Rec, TRecordId Except) const
{
    for (int P = LowerBound(Store, Rec, KeyCount()); P < int(FOrder.size()); ++P) {
        const TRecordId Id = FOrder[std::size_t(P)];
        if (CompareKeys(Store.Record(Id), Rec, KeyCount()) != 0)
            break;
        if (Id != Except)
            return Id;
    }
    return -1;
}

void TTableIndex::Insert(const TRecordStore& Store, TRecordId Id, const std::uint8_t* Rec)
{
    FOrder.insert(std::size_t(InsertPoint(Store, Id, Rec)), Id);
}

void TTableIndex::Remove(const TRecordStore& Store, TRecordId Id, const std::uint8_t* Rec)
{
    const int P = PositionOf(Store, Id, Rec);
    if (P >= 0)
        FOrder.erase(std::size_t(P));
    else if (const auto Q = FOrder.find(Id); Q >= 0)
        FOrder.erase(std::size_t(Q));
}
