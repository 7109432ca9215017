#include "controls/lists/FcIntegerList.h"

#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"

#include <algorithm>

REGISTER_CLASS(TFcIntegerList, TPersistent)
END_REGISTER

namespace {

[[noreturn]] void ListError(const String& Message)
{
    throw EListError(Message);
}

} // namespace

std::int32_t TFcIntegerList::Items(int Index) const
{
    CheckIndex(Index);
    return FItems[std::size_t(Index)];
}

void TFcIntegerList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        ListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

void TFcIntegerList::CheckRange(std::int32_t Value) const
{
    if (HasRange() && (Value < FMin || Value > FMax))
        throw EOutOfRange(QStringLiteral("Value must be within %1..%2").arg(FMin).arg(FMax));
}

bool TFcIntegerList::AnyBelow(std::int32_t Value) const
{
    return std::any_of(FItems.begin(), FItems.end(), [Value](std::int32_t V) { return V < Value; });
}

bool TFcIntegerList::AnyAbove(std::int32_t Value) const
{
    return std::any_of(FItems.begin(), FItems.end(), [Value](std::int32_t V) { return V > Value; });
}

void TFcIntegerList::MinimumError(std::int32_t Value)
{
    throw EOutOfRange(QStringLiteral("Unable to set new minimum value.\rList contains values below %1").arg(Value));
}

void TFcIntegerList::MaximumError(std::int32_t Value)
{
    throw EOutOfRange(QStringLiteral("Unable to set new maximum value.\rList contains values above %1").arg(Value));
}

// --- the range ------------------------------------------------------------------------------

void TFcIntegerList::SetMin(std::int32_t Value)
{
    if (Value == FMin)
        return;
    if (AnyBelow(Value))
        MinimumError(Value);
    const std::int32_t NewMax = std::max(FMax, Value);
    // A range this switches on holds the items at its other end too.
    if (Value != NewMax && AnyAbove(NewMax))
        MaximumError(NewMax);
    FMin = Value;
    FMax = NewMax;
}

void TFcIntegerList::SetMax(std::int32_t Value)
{
    if (Value == FMax)
        return;
    if (AnyAbove(Value))
        MaximumError(Value);
    const std::int32_t NewMin = std::min(FMin, Value);
    if (NewMin != Value && AnyBelow(NewMin))
        MinimumError(NewMin);
    FMax = Value;
    FMin = NewMin;
}

// --- items ------------------------------------------------------------------------------------

bool TFcIntegerList::Find(std::int32_t Value, int& Index) const
{
    const auto It = std::lower_bound(FItems.begin(), FItems.end(), Value);
    Index = int(It - FItems.begin());
    return It != FItems.end() && *It == Value;
}

int TFcIntegerList::Add(std::int32_t Value)
{
    int Index = Count();
    if (FSorted && Find(Value, Index)) {
        if (FDuplicates == dupIgnore)
            return Index;
        if (FDuplicates == dupError)
            ListError(QStringLiteral("Duplicates not allowed"));
    }
    InsertItem(Index, Value);
    return Index;
}

void TFcIntegerList::AddIntegers(const TFcIntegerList* List)
{
    if (List == nullptr)
        return;
    // A copy: the list may be this one.
    const std::vector<std::int32_t> Values = List->FItems;
    for (std::int32_t V : Values)
        Add(V);
}

void TFcIntegerList::InsertItem(int Index, std::int32_t Value)
{
    CheckRange(Value);
    if (FDuplicates == dupIgnore && IndexOf(Value) >= 0)
        return;
    FItems.insert(FItems.begin() + std::clamp(Index, 0, Count()), Value);
}

void TFcIntegerList::Insert(int Index, std::int32_t Value)
{
    if (FSorted)
        ListError(QStringLiteral("Operation not allowed on sorted list"));
    if (Index < 0 || Index > Count())
        ListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    InsertItem(Index, Value);
}

void TFcIntegerList::Put(int Index, std::int32_t Value)
{
    CheckIndex(Index);
    CheckRange(Value);
    FItems[std::size_t(Index)] = Value;
}

int TFcIntegerList::IndexOf(std::int32_t Value) const
{
    if (FSorted) {
        int Index = -1;
        return Find(Value, Index) ? Index : -1;
    }
    const auto It = std::find(FItems.begin(), FItems.end(), Value);
    return It == FItems.end() ? -1 : int(It - FItems.begin());
}

void TFcIntegerList::Sort()
{
    if (!FSorted && Count() > 1)
        std::sort(FItems.begin(), FItems.end());
}

void TFcIntegerList::Clear()
{
    FItems.clear();
}

void TFcIntegerList::Delete(int Index)
{
    CheckIndex(Index);
    FItems.erase(FItems.begin() + Index);
}

void TFcIntegerList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FItems[std::size_t(Index1)], FItems[std::size_t(Index2)]);
}

void TFcIntegerList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    const std::int32_t V = FItems[std::size_t(CurIndex)];
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, V);
}

bool TFcIntegerList::Equals(const TFcIntegerList* Other) const
{
    return Other != nullptr && Other->FItems == FItems;
}

void TFcIntegerList::Assign(TPersistent* Source)
{
    if (auto* Other = dynamic_cast<TFcIntegerList*>(Source)) {
        if (Other == this)
            return;
        Clear();
        AddIntegers(Other);
        return;
    }
    TPersistent::Assign(Source);
}

// --- streaming -----------------------------------------------------------------------------------

void TFcIntegerList::DefineProperties(TFiler& Filer)
{
    TPersistent::DefineProperties(Filer);
    Filer.DefineProperty(
        QStringLiteral("Min"), [this](TReader& R) { FMin = R.ReadInteger(); },
        [this](TWriter& W) { W.WriteInteger(FMin); }, FMin != 0);
    Filer.DefineProperty(
        QStringLiteral("Max"), [this](TReader& R) { FMax = R.ReadInteger(); },
        [this](TWriter& W) { W.WriteInteger(FMax); }, FMax != 0);
    Filer.DefineProperty(
        QStringLiteral("Integers"),
        [this](TReader& R) {
            Clear();
            R.ReadListBegin();
            while (!R.EndOfList())
                Add(R.ReadInteger());
            R.ReadListEnd();
        },
        [this](TWriter& W) {
            W.WriteListBegin();
            for (std::int32_t V : FItems)
                W.WriteInteger(V);
            W.WriteListEnd();
        },
        Count() > 0);
}
