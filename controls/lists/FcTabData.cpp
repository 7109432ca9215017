#include "controls/lists/FcTabData.h"

#include <algorithm>

void TFcTabData::Assign(TPersistent* Source)
{
    auto* Tab = dynamic_cast<TFcTabData*>(Source);
    if (Tab == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FCaption = Tab->FCaption;
    FDisabledIndex = Tab->FDisabledIndex;
    FImageIndex = Tab->FImageIndex;
    FColor = Tab->FColor;
    FEnabled = Tab->FEnabled;
    FVisible = Tab->FVisible;
    FHint = Tab->FHint;
}

TFcTabDataList::TFcTabDataList() = default;
TFcTabDataList::~TFcTabDataList() = default;

void TFcTabDataList::Assign(TPersistent* Source)
{
    auto* List = dynamic_cast<TFcTabDataList*>(Source);
    if (List == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (List == this)
        return;
    Clear();
    for (int I = 0; I < List->Count(); ++I) {
        auto* Tab = new TFcTabData;
        Tab->Assign(List->Items(I));
        Add(Tab);
    }
}

int TFcTabDataList::Count() const
{
    return int(FItems.size());
}

TFcTabData* TFcTabDataList::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FItems[std::size_t(Index)].get();
}

void TFcTabDataList::SetItems(int Index, TFcTabData* Value)
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    auto& Slot = FItems[std::size_t(Index)];
    if (Slot.get() == Value)
        return;
    Slot.reset(Value);
}

void TFcTabDataList::Add(TFcTabData* Value)
{
    FItems.emplace_back(Value);
}

void TFcTabDataList::Clear()
{
    FItems.clear();
}

bool IsZeroRect(const TRect& R)
{
    return R.Left == 0 && R.Top == 0 && R.Right == 0 && R.Bottom == 0;
}

void NormalizeRectCorners(TRect& R)
{
    const TRect Old = R;
    R.Left = std::min(Old.Left, Old.Right);
    R.Right = std::max(Old.Left, Old.Right);
    R.Top = std::min(Old.Top, Old.Bottom);
    R.Bottom = std::max(Old.Top, Old.Bottom);
}

bool PtInNormalizedRect(const TRect& R, TPoint P)
{
    TRect N = R;
    NormalizeRectCorners(N);
    return PtInRect(N, P);
}
