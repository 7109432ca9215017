#include "platform/db/RecordStore.h"

std::unique_ptr<std::uint8_t[]> TRecordStore::CopyOf(const TRecordBuffer& Rec)
{
    auto Block = std::make_unique_for_overwrite<std::uint8_t[]>(Rec.size());
    std::memcpy(Block.get(), Rec.data(), Rec.size());
    FOwnedBytes += Rec.size();
    return Block;
}

void TRecordStore::PrefetchRecord(TRecordId Id, int Bytes) const
{
    constexpr int CacheLine = 64;
    const std::uint8_t* Rec = Record(Id);
    if (Rec == nullptr)
        return;
    // A short record's last lines are past its end: a prefetch never
    // faults, and the address is made without pointer arithmetic there.
    const auto Start = reinterpret_cast<std::uintptr_t>(Rec);
    for (int Offset = 0; Offset < Bytes; Offset += CacheLine)
        __builtin_prefetch(reinterpret_cast<const void*>(Start + Offset));
}

TRecordStore::TRecordId TRecordStore::Add(const TRecordBuffer& Rec)
{
    auto Block = CopyOf(Rec);
    FRecords.push_back(Block.get());
    FOwned.push_back(std::move(Block));
    ++FLive;
    return TRecordId(FRecords.size() - 1);
}

void TRecordStore::Replace(TRecordId Id, const TRecordBuffer& Rec)
{
    auto Block = CopyOf(Rec);
    if (FOwned[Id])
        FOwnedBytes -= TRecordLayout::Length(FOwned[Id].get());
    FRecords[Id] = Block.get();
    FOwned[Id] = std::move(Block);
}

void TRecordStore::Remove(TRecordId Id)
{
    if (Id >= FRecords.size() || FRecords[Id] == nullptr)
        return;
    if (FOwned[Id])
        FOwnedBytes -= TRecordLayout::Length(FOwned[Id].get());
    FOwned[Id].reset();
    FRecords[Id] = nullptr;
    --FLive;
}

void TRecordStore::Clear()
{
    FImage.clear();
    FRecords.clear();
    FOwned.clear();
    FOwnedBytes = 0;
    FLive = 0;
}

void TRecordStore::Adopt(QByteArray Image, const std::vector<std::uint32_t>& Offsets)
{
    Clear();
    FImage = std::move(Image);
    const auto* Base = reinterpret_cast<const std::uint8_t*>(FImage.constData());
    FRecords.reserve(Offsets.size());
    for (std::uint32_t Offset : Offsets)
        FRecords.push_back(Base + Offset);
    FOwned.resize(Offsets.size());
    FLive = int(Offsets.size());
}
