#pragma once
// A sequence of record ids (a sort order) cut into blocks, so that a record
// posted into the middle of 100,000 moves a thousand ids instead of all of
// them, while reading by position stays a couple of steps.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

class TRecordIdList {
public:
    using TRecordId = std::uint32_t;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = TRecordId;
        using difference_type = std::ptrdiff_t;
        using pointer = const TRecordId*;
        using reference = const TRecordId&;

        const_iterator() = default;
        const_iterator(const TRecordIdList* List, std::size_t Block, std::size_t Offset)
            : FList(List), FBlock(Block), FOffset(Offset) {}
        reference operator*() const { return FList->FBlocks[FBlock][FOffset]; }
        const_iterator& operator++()
        {
            if (++FOffset == FList->FBlocks[FBlock].size()) {
                ++FBlock;
                FOffset = 0;
            }
            return *this;
        }
        const_iterator operator++(int) { const_iterator Old = *this; ++*this; return Old; }
        bool operator==(const const_iterator& Other) const { return FBlock == Other.FBlock && FOffset == Other.FOffset; }

    private:
        const TRecordIdList* FList = nullptr;
        std::size_t FBlock = 0;
        std::size_t FOffset = 0;
    };

    std::size_t size() const { return FSize; }
    bool empty() const { return FSize == 0; }
    TRecordId operator[](std::size_t Pos) const
    {
        const std::size_t B = BlockOf(Pos);
        return FBlocks[B][Pos - FStart[B]];
    }
    TRecordId front() const { return FBlocks.front().front(); }
    TRecordId back() const { return FBlocks.back().back(); }
    const_iterator begin() const { return const_iterator(this, 0, 0); }
    const_iterator end() const { return const_iterator(this, FBlocks.size(), 0); }

    void clear();
    void assign(const std::vector<TRecordId>& Ids);
    void push_back(TRecordId Id);
    void insert(std::size_t Pos, TRecordId Id);
    void erase(std::size_t Pos);
    // Position of Id by a scan; -1 when absent.
    std::ptrdiff_t find(TRecordId Id) const;

    // First position whose id does not satisfy Before (the ids must be
    // partitioned by it: all that satisfy it come first).
    template <typename P>
    std::size_t partition_point(P Before) const
    {
        // The first block whose last id does not satisfy Before holds it.
        std::size_t Lo = 0, Hi = FBlocks.size();
        while (Lo < Hi) {
            const std::size_t Mid = (Lo + Hi) / 2;
            if (Before(FBlocks[Mid].back()))
                Lo = Mid + 1;
            else
                Hi = Mid;
        }
        if (Lo == FBlocks.size())
            return FSize;
        const std::vector<TRecordId>& B = FBlocks[Lo];
        return FStart[Lo] + std::size_t(std::partition_point(B.begin(), B.end(), Before) - B.begin());
    }

private:
    static constexpr std::size_t BlockSize = 1024;

    std::size_t BlockOf(std::size_t Pos) const
    {
        // Sequential reading stays in one block: try the last one first.
        if (FLastBlock < FBlocks.size() && Pos >= FStart[FLastBlock]
            && Pos < FStart[FLastBlock] + FBlocks[FLastBlock].size())
            return FLastBlock;
        const auto It = std::upper_bound(FStart.begin(), FStart.end(), Pos);
        FLastBlock = std::size_t(It - FStart.begin()) - 1;
        return FLastBlock;
    }
    void Renumber(std::size_t From);

    std::vector<std::vector<TRecordId>> FBlocks;
    // Position of each block's first id.
    std::vector<std::size_t> FStart;
    std::size_t FSize = 0;
    mutable std::size_t FLastBlock = 0;
};
