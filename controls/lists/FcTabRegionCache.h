#pragma once
// The most-recently-used cache of tab outline regions that hit testing and
// painting ask for: each item keeps a tab's client rectangle and the region
// made for it, and owns that region - whatever leaves the cache hands its
// region back to the drawing layer (DeleteObject).  The tab control empties
// it at each layout pass, so no region outlives the geometry it was made
// for.
#include "platform/graphics/Gdi.h"

#include <memory>
#include <vector>

class TFcTabRegionCacheItem : public TObject {
public:
    TFcTabRegionCacheItem() = default;
    ~TFcTabRegionCacheItem() override;
    TFcTabRegionCacheItem(const TFcTabRegionCacheItem&) = delete;
    TFcTabRegionCacheItem& operator=(const TFcTabRegionCacheItem&) = delete;

    TRect Rect{-1, -1, -1, -1};
    HRGN Region() const { return FRegion; }
    // Deletes the region held before (unless it is the same one).
    void SetRegion(HRGN Value);

private:
    HRGN FRegion = nullptr;
};

class TFcTabRegionCache : public TObject {
public:
    TFcTabRegionCache() = default;
    ~TFcTabRegionCache() override;

    // The region cached under a rectangle equal to R (nullptr when none);
    // looking up does not reorder the cache.
    HRGN FindCachedRegion(const TRect& R) const;
    // A miss inserts R with Region (which the cache then owns) as the most
    // recent item and drops the least recent one beyond Capacity; a hit
    // only moves the cached item to the front, and Region stays the
    // caller's.
    void CacheTabRegion(const TRect& R, HRGN Region);
    // Frees every item and its region.
    void Clear();

    // -1 keeps every region; otherwise at least 1.  Raises
    // EFcTabControlError for 0 and values below -1; a lower bound frees the
    // least recently used items beyond it.
    int Capacity() const { return FCapacity; }
    void SetCapacity(int Value);
    int Count() const { return int(FItems.size()); }
    TFcTabRegionCacheItem* Items(int Index) const { return FItems[std::size_t(Index)].get(); }

private:
    int IndexOfRect(const TRect& R) const;
    void TrimToCapacity();
    std::vector<std::unique_ptr<TFcTabRegionCacheItem>> FItems;
    int FCapacity = 1;
};
