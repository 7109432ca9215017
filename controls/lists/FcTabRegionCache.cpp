#include "controls/lists/FcTabRegionCache.h"

#include "controls/lists/FcTabTypes.h"

TFcTabRegionCacheItem::~TFcTabRegionCacheItem()
{
    SetRegion(nullptr);
}

void TFcTabRegionCacheItem::SetRegion(HRGN Value)
{
    if (FRegion != nullptr && FRegion != Value)
        DeleteObject(FRegion);
    FRegion = Value;
}

TFcTabRegionCache::~TFcTabRegionCache() = default;

int TFcTabRegionCache::IndexOfRect(const TRect& R) const
{
    for (int I = 0; I < Count(); ++I)
        if (EqualRect(FItems[std::size_t(I)]->Rect, R))
            return I;
    return -1;
}

HRGN TFcTabRegionCache::FindCachedRegion(const TRect& R) const
{
    const int I = IndexOfRect(R);
    return I < 0 ? nullptr : FItems[std::size_t(I)]->Region();
}

void TFcTabRegionCache::CacheTabRegion(const TRect& R, HRGN Region)
{
    const int Hit = IndexOfRect(R);
    if (Hit > 0) {
        auto Item = std::move(FItems[std::size_t(Hit)]);
        FItems.erase(FItems.begin() + Hit);
        FItems.insert(FItems.begin(), std::move(Item));
    } else if (Hit < 0) {
        auto Item = std::make_unique<TFcTabRegionCacheItem>();
        Item->Rect = R;
        Item->SetRegion(Region);
        FItems.insert(FItems.begin(), std::move(Item));
    }
    // Each call adds at most one item, so one goes at most.
    if (FCapacity != -1 && Count() > FCapacity)
        FItems.pop_back();
}

void TFcTabRegionCache::Clear()
{
    FItems.clear();
}

void TFcTabRegionCache::SetCapacity(int Value)
{
    if (Value == 0 || Value < -1)
        throw EFcTabControlError(QString::fromLatin1(SFcCapacityInvalid));
    FCapacity = Value;
    TrimToCapacity();
}

void TFcTabRegionCache::TrimToCapacity()
{
    if (FCapacity == -1)
        return;
    while (Count() > FCapacity)
        FItems.pop_back();
}
