#pragma once
// Records by stable id.  A loaded table file stays in memory as one block
// and its records are used where they lie; records written since then live
// in blocks of their own.  Ids are never reused while the store lives.
#include "platform/db/RecordLayout.h"

#include <QByteArray>
#include <memory>

class TRecordStore {
public:
    using TRecordId = std::uint32_t;

    // Number of ids handed out (deleted ones included).
    TRecordId IdLimit() const { return TRecordId(FRecords.size()); }
    int LiveCount() const { return FLive; }
    // nullptr for a deleted or unknown id.
    const std::uint8_t* Record(TRecordId Id) const { return Id < FRecords.size() ? FRecords[Id] : nullptr; }

    // Asks the cache for the first Bytes of a record, and for the place
    // that says where a record lies, without waiting for either: a loop
    // over a sort order asks one step ahead for the record and two steps
    // ahead for its place.
    void PrefetchRecord(TRecordId Id, int Bytes) const;
    void PrefetchPlace(TRecordId Id) const
    {
        if (Id < FRecords.size())
            __builtin_prefetch(&FRecords[Id]);
    }

    TRecordId Add(const TRecordBuffer& Rec);
    void Replace(TRecordId Id, const TRecordBuffer& Rec);
    void Remove(TRecordId Id);
    void Clear();
    // Takes over a file image whose records start at the given offsets.
    void Adopt(QByteArray Image, const std::vector<std::uint32_t>& Offsets);

    // Bytes held (file image plus own blocks), for memory accounting.
    std::size_t MemoryUsed() const { return std::size_t(FImage.size()) + FOwnedBytes + FRecords.size() * 16; }

private:
    std::unique_ptr<std::uint8_t[]> CopyOf(const TRecordBuffer& Rec);

    QByteArray FImage;
    std::vector<const std::uint8_t*> FRecords;
    std::vector<std::unique_ptr<std::uint8_t[]>> FOwned;
    std::size_t FOwnedBytes = 0;
    int FLive = 0;
};
