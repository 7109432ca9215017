#include "platform/rtl/List.h"

#include <algorithm>

TList::~TList()
{
    // Notify is no longer the derived one here; TObjectList clears itself.
    Clear();
}

void TList::Error(const char* Msg, int Data)
{
    throw EListError(QString::fromLatin1(Msg).replace(QLatin1String("%d"), QString::number(Data)));
}

void TList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        Error("List index out of bounds (%d)", Index);
}

void TList::SetCount(int Value)
{
    if (Value < 0)
        Error("List count out of bounds (%d)", Value);
    while (Count() > Value)
        Delete(Count() - 1);
    FList.resize(size_t(Value), nullptr);
}

void TList::SetCapacity(int Value)
{
    if (Value < Count())
        Error("List capacity out of bounds (%d)", Value);
    if (Value < Capacity())
        FList.shrink_to_fit();
    FList.reserve(size_t(Value));
}

void* TList::Items(int Index) const
{
    CheckIndex(Index);
    return FList[size_t(Index)];
}

void TList::SetItems(int Index, void* Item)
{
    CheckIndex(Index);
    void* Old = FList[size_t(Index)];
    if (Old == Item)
        return;
    FList[size_t(Index)] = Item;
    if (Old != nullptr)
        Notify(Old, lnDeleted);
    if (Item != nullptr)
        Notify(Item, lnAdded);
}

int TList::Add(void* Item)
{
    const int Index = Count();
    Insert(Index, Item);
    return Index;
}

void TList::Insert(int Index, void* Item)
{
    if (Index < 0 || Index > Count())
        Error("List index out of bounds (%d)", Index);
    FList.insert(FList.begin() + Index, Item);
    if (Item != nullptr)
        Notify(Item, lnAdded);
}

void TList::Delete(int Index)
{
    CheckIndex(Index);
    void* Item = FList[size_t(Index)];
    FList.erase(FList.begin() + Index);
    if (Item != nullptr)
        Notify(Item, lnDeleted);
}

int TList::Remove(void* Item)
{
    const int Index = IndexOf(Item);
    if (Index >= 0)
        Delete(Index);
    return Index;
}

void* TList::Extract(void* Item)
{
    const int Index = IndexOf(Item);
    if (Index < 0)
        return nullptr;
    FList.erase(FList.begin() + Index);
    if (Item != nullptr)
        Notify(Item, lnExtracted);
    return Item;
}

void TList::Clear()
{
    SetCount(0);
    FList.shrink_to_fit();
}

void TList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FList[size_t(Index1)], FList[size_t(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex)
{
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    void* Item = FList[size_t(CurIndex)];
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, Item);
}

int TList::IndexOf(void* Item) const
{
    const auto It = std::find(FList.begin(), FList.end(), Item);
    return It == FList.end() ? -1 : int(It - FList.begin());
}

void TList::Pack()
{
    std::erase(FList, nullptr);
}

void TList::Sort(const TListSortCompare& Compare)
{
    std::stable_sort(FList.begin(), FList.end(), [&](void* A, void* B) { return Compare(A, B) < 0; });
}

TObjectList::~TObjectList()
{
    Clear();
}

void TObjectList::Notify(void* Ptr, TListNotification Action)
{
    if (FOwnsObjects && Action == lnDeleted)
        delete static_cast<TObject*>(Ptr);
}
