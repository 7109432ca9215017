#pragma once
// TList, the list of untyped pointers, and TObjectList, a list of objects
// that may own them.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/System.h"

#include <functional>
#include <vector>

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// <0, 0, >0 as Item1 sorts before, with or after Item2.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList : public TObject {
public:
    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;
    ~TList() override;

    int Count() const { return int(FList.size()); }
    // Shrinking deletes the items at the end; growing adds nil pointers.
    void SetCount(int Value);
    int Capacity() const { return int(FList.capacity()); }
    void SetCapacity(int Value);
    void* Items(int Index) const;
    void SetItems(int Index, void* Item);
    void* operator[](int Index) const { return Items(Index); }

    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    // Index the item had, or -1 when it was not in the list.
    int Remove(void* Item);
    // Takes the item out without the deletion a TObjectList would do; nil
    // when absent.
    void* Extract(void* Item);
    void Clear();
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    int IndexOf(void* Item) const;
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }
    // Removes the nil pointers.
    void Pack();
    // Stable, so equal items keep their order.
    void Sort(const TListSortCompare& Compare);

protected:
    // Told of every non-nil pointer that enters or leaves the list.
    virtual void Notify(void* Ptr, TListNotification Action) { (void)Ptr; (void)Action; }
    [[noreturn]] static void Error(const char* Msg, int Data);

private:
    void CheckIndex(int Index) const;
    std::vector<void*> FList;
};

class TObjectList : public TList {
public:
    explicit TObjectList(bool OwnsObjects = true) : FOwnsObjects(OwnsObjects) {}
    ~TObjectList() override;

    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }
    TObject* Items(int Index) const { return static_cast<TObject*>(TList::Items(Index)); }
    void SetItems(int Index, TObject* Item) { TList::SetItems(Index, Item); }
    TObject* operator[](int Index) const { return Items(Index); }
    int Add(TObject* Item) { return TList::Add(Item); }
    void Insert(int Index, TObject* Item) { TList::Insert(Index, Item); }
    int Remove(TObject* Item) { return TList::Remove(Item); }
    TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
    int IndexOf(TObject* Item) const { return TList::IndexOf(Item); }
    TObject* First() const { return Items(0); }
    TObject* Last() const { return Items(Count() - 1); }

protected:
    void Notify(void* Ptr, TListNotification Action) override;

private:
    bool FOwnsObjects;
};
