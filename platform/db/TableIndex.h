#pragma once
// One sort order of a table: the ids of its records sorted by the key
// fields, ties broken by id so every record has exactly one place.  Built
// once and then kept up to date record by record.
#include "platform/db/RecordIdList.h"
#include "platform/db/RecordStore.h"

struct TIndexKeyField {
    int Field = 0;
    TStorageKind Kind = skNone;
    bool Descending = false;
    bool CaseInsensitive = false;
};

// <0, 0, >0 comparing UTF-8 texts by code point, letters folded when asked.
int CompareUtf8(QByteArrayView A, QByteArrayView B, bool CaseInsensitive);

class TTableIndex {
public:
    using TRecordId = TRecordStore::TRecordId;

    TTableIndex(const TRecordLayout& Layout, std::vector<TIndexKeyField> Keys, bool Unique);

    const std::vector<TIndexKeyField>& Keys() const { return FKeys; }
    int KeyCount() const { return int(FKeys.size()); }
    bool Unique() const { return FUnique; }
    const TRecordIdList& Order() const { return FOrder; }

    // Sorts every live record.  Raises "Key violation." when a unique index
    // meets two equal keys.
    void Build(const TRecordStore& Store);

    // Compares the first KeyCount key fields of two records.
    int CompareKeys(const std::uint8_t* A, const std::uint8_t* B, int KeyCount) const;
    // First position whose record's first KeyCount keys are >= those of Key
    // (Order().size() when none is).
    int LowerBound(const TRecordStore& Store, const std::uint8_t* Key, int KeyCount) const;
    // First position whose keys are > those of Key.
    int UpperBound(const TRecordStore& Store, const std::uint8_t* Key, int KeyCount) const;
    // Position of a record that is in the index with the content Rec; -1
    // when it is not there.
    int PositionOf(const TRecordStore& Store, TRecordId Id, const std::uint8_t* Rec) const;
    // Another record with the same full key as Rec, or -1.
    std::int64_t FindDuplicate(const TRecordStore& Store, const std::uint8_t* Rec, TRecordId Except) const;

    void Insert(const TRecordStore& Store, TRecordId Id, const std::uint8_t* Rec);
    // Rec is the content the record had when it was inserted.
    void Remove(const TRecordStore& Store, TRecordId Id, const std::uint8_t* Rec);
    void Clear() { FOrder.clear(); }

private:
    int CompareField(const TIndexKeyField& K, const std::uint8_t* A, const std::uint8_t* B) const;
    // Position for (Rec, Id) in the full ordering.
    int InsertPoint(const TRecordStore& Store, TRecordId Id, const std::uint8_t* Rec) const;
    // The leading bytes of the first key field as two integers that sort
    // like the field, so that most comparisons of a build touch no record.
    struct TPrefix {
        std::uint64_t Hi;
        std::uint64_t Lo;
    };
    TPrefix Prefix(const std::uint8_t* Rec) const;
    bool PrefixIsWholeKey(const std::uint8_t* Rec) const;

    const TRecordLayout& FLayout;
    std::vector<TIndexKeyField> FKeys;
    bool FUnique;
    TRecordIdList FOrder;
};
