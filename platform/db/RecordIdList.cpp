#include "platform/db/RecordIdList.h"

void TRecordIdList::clear()
{
    FBlocks.clear();
    FStart.clear();
    FSize = 0;
    FLastBlock = 0;
}

void TRecordIdList::assign(const std::vector<TRecordId>& Ids)
{
    clear();
    for (std::size_t I = 0; I < Ids.size(); I += BlockSize) {
        const std::size_t N = std::min(BlockSize, Ids.size() - I);
        FStart.push_back(I);
        FBlocks.emplace_back(Ids.begin() + std::ptrdiff_t(I), Ids.begin() + std::ptrdiff_t(I + N));
    }
    FSize = Ids.size();
}

void TRecordIdList::push_back(TRecordId Id)
{
    if (FBlocks.empty() || FBlocks.back().size() >= BlockSize) {
        FStart.push_back(FSize);
        FBlocks.emplace_back();
        FBlocks.back().reserve(BlockSize);
    }
    FBlocks.back().push_back(Id);
    ++FSize;
}

void TRecordIdList::Renumber(std::size_t From)
{
    for (std::size_t B = From; B < FBlocks.size(); ++B)
        FStart[B] = B == 0 ? 0 : FStart[B - 1] + FBlocks[B - 1].size();
}

void TRecordIdList::insert(std::size_t Pos, TRecordId Id)
{
    if (Pos >= FSize) {
        push_back(Id);
        return;
    }
    const std::size_t B = BlockOf(Pos);
    std::vector<TRecordId>& Block = FBlocks[B];
    Block.insert(Block.begin() + std::ptrdiff_t(Pos - FStart[B]), Id);
    ++FSize;
    if (Block.size() >= 2 * BlockSize) {
        // Split the full block in two.
        std::vector<TRecordId> Tail(Block.begin() + std::ptrdiff_t(BlockSize), Block.end());
        Block.resize(BlockSize);
        FBlocks.insert(FBlocks.begin() + std::ptrdiff_t(B + 1), std::move(Tail));
        FStart.insert(FStart.begin() + std::ptrdiff_t(B + 1), 0);
    }
    Renumber(B + 1);
}

void TRecordIdList::erase(std::size_t Pos)
{
    const std::size_t B = BlockOf(Pos);
    std::vector<TRecordId>& Block = FBlocks[B];
    Block.erase(Block.begin() + std::ptrdiff_t(Pos - FStart[B]));
    --FSize;
    if (Block.empty()) {
        FBlocks.erase(FBlocks.begin() + std::ptrdiff_t(B));
        FStart.erase(FStart.begin() + std::ptrdiff_t(B));
        FLastBlock = 0;
    }
    Renumber(B);
}

std::ptrdiff_t TRecordIdList::find(TRecordId Id) const
{
    std::size_t Pos = 0;
    for (const std::vector<TRecordId>& Block : FBlocks) {
        const auto It = std::find(Block.begin(), Block.end(), Id);
        if (It != Block.end())
            return std::ptrdiff_t(Pos + std::size_t(It - Block.begin()));
        Pos += Block.size();
    }
    return -1;
}
