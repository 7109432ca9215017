#pragma once
// TFcIntegerList: a list of 32-bit signed integers with an optional allowed
// range (Min..Max; Min = Max means none), optional sorting with binary
// search, a duplicates rule, and its own streaming in form definitions
// ("Min", "Max" and the list "Integers").  Every failing operation leaves
// the list as it was.
//
// A range that is switched on by setting one bound is checked against the
// items at both ends: setting Max while the range was off refuses items
// below Min as setting Min does (and setting Min refuses items above Max),
// so the list never holds a value outside a range it has.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/System.h"

#include <cstdint>
#include <vector>

DECLARE_EXCEPTION(EOutOfRange, EListError)

class TFcIntegerList : public TPersistent {
public:
    TFcIntegerList() = default;

    int Count() const { return int(FItems.size()); }
    std::int32_t Items(int Index) const;
    void SetItems(int Index, std::int32_t Value) { Put(Index, Value); }
    std::int32_t operator[](int Index) const { return Items(Index); }
    std::int32_t Min() const { return FMin; }
    void SetMin(std::int32_t Value);
    std::int32_t Max() const { return FMax; }
    void SetMax(std::int32_t Value);
    // A plain flag: setting it does not reorder the items.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value) { FSorted = Value; }
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }

    // Another integer list: cleared, then each of its items added by this
    // list's own rules.
    void Assign(TPersistent* Source) override;
    // Binary search over a sorted list: whether Value is there, and Index
    // the first of equal values or where Value would go.
    virtual bool Find(std::int32_t Value, int& Index) const;
    virtual void Put(int Index, std::int32_t Value);
    virtual void Sort();
    virtual int Add(std::int32_t Value);
    virtual void AddIntegers(const TFcIntegerList* List);
    virtual void Clear();
    virtual void Delete(int Index);
    virtual void Exchange(int Index1, int Index2);
    virtual int IndexOf(std::int32_t Value) const;
    virtual void Insert(int Index, std::int32_t Value);
    virtual void InsertItem(int Index, std::int32_t Value);
    virtual void Move(int CurIndex, int NewIndex);
    // The same values in the same order.
    bool Equals(const TFcIntegerList* Other) const;

    void DefineProperties(TFiler& Filer) override;

protected:
    void CheckIndex(int Index) const;
    void CheckRange(std::int32_t Value) const;
    bool HasRange() const { return FMin != FMax; }

private:
    bool AnyBelow(std::int32_t Value) const;
    bool AnyAbove(std::int32_t Value) const;
    [[noreturn]] static void MinimumError(std::int32_t Value);
    [[noreturn]] static void MaximumError(std::int32_t Value);

    std::vector<std::int32_t> FItems;
    TDuplicates FDuplicates = dupIgnore;
    std::int32_t FMin = 0;
    std::int32_t FMax = 0;
    bool FSorted = false;
};
