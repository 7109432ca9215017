#pragma once
// The items of a list as the classic list-box window keeps them, without
// the window: their texts and data, sorted insertion, the selection (one
// item, several, or a range from an anchor), the caret item, and the
// geometry of items in a client area (fixed or per-item heights, the top
// index, several columns, a horizontal extent).  The list box and the combo
// box's drop-down list both keep their items in one of these.
//
// Every index argument is checked: a call with an index that is not an item
// answers the classic error (-1) or nothing, never touches memory it should
// not, so that an item list that changes under a caller (an owner-drawing
// handler that edits the items while the list paints) stays sound.
#include "platform/graphics/Types.h"
#include "platform/rtl/System.h"

#include <cstdint>
#include <functional>
#include <optional>

#include <QHash>
#include <vector>

enum class TListSelectMode { Single, Multiple, Extended };

class TListEngine {
public:
    static constexpr int NoItem = -1;

    // --- items ---
    int Count() const { return int(FItems.size()); }
    bool IsItem(int Index) const { return Index >= 0 && Index < Count(); }
    String Text(int Index) const;
    bool SetText(int Index, const String& Value);
    std::uintptr_t Data(int Index) const;
    bool SetData(int Index, std::uintptr_t Value);
    // Where the item went: its place in the sorted order, or the end.
    int Add(const String& S);
    // At Index (-1: the end); NoItem when Index is beyond the end.
    int Insert(int Index, const String& S);
    bool Delete(int Index);
    void Clear();
    // Virtual lists hold Count items whose texts come from VirtualText;
    // nothing can be added to them.
    void SetVirtualCount(int Count);
    bool Virtual() const { return FVirtual; }
    std::function<String(int Index)> VirtualText;
    bool Sorted() const { return FSorted; }
    // Switching sorting on sorts the items (the selection follows them).
    void SetSorted(bool Value);
    // The classic searches, case-insensitive, starting after StartAfter
    // (-1: from the top) and going round: the first item that begins with
    // S, or that equals it.
    int FindPrefix(const String& S, int StartAfter = -1) const;
    int FindExact(const String& S, int StartAfter = -1) const;

    // --- selection ---
    TListSelectMode SelectMode() const { return FMode; }
    void SetSelectMode(TListSelectMode Value);
    // The selected item of a single-selection list (-1: none); for the
    // others the caret item.
    int CurSel() const;
    bool SetCurSel(int Index);
    bool Selected(int Index) const;
    bool SetSelected(int Index, bool Value);
    // Selects First..Last (either order) and deselects the rest unless Keep.
    void SelectRange(int First, int Last, bool Keep = false);
    void ClearSelection();
    int SelCount() const;
    int Caret() const { return FCaret; }
    void SetCaret(int Index);
    int Anchor() const { return FAnchor; }
    void SetAnchor(int Index);

    // --- geometry, in a client area of Client's size ---
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value) { FItemHeight = std::max(1, Value); }
    bool VariableHeight() const { return FVariable; }
    void SetVariableHeight(bool Value) { FVariable = Value; }
    int HeightOf(int Index) const;
    bool SetHeightOf(int Index, int Height);
    int TopIndex() const { return FTop; }
    void SetTopIndex(int Index, TSize Client);
    // 0: one column; otherwise items flow down columns of ColumnWidth.
    int ColumnWidth() const { return FColumnWidth; }
    void SetColumnWidth(int Value) { FColumnWidth = std::max(0, Value); }
    bool MultiColumn() const { return FColumnWidth > 0; }
    int HorizontalExtent() const { return FExtent; }
    void SetHorizontalExtent(int Value) { FExtent = std::max(0, Value); }
    int HorizontalOffset() const { return FOffset; }
    void SetHorizontalOffset(int Value, TSize Client);

    int RowsPerColumn(TSize Client) const;
    // Where Index sits (client coordinates; outside the client area when
    // it is scrolled out of view).
    TRect ItemRect(int Index, TSize Client) const;
    // The item under P; NoItem where there is none (below the last item,
    // or outside the client area).
    int ItemAt(TPoint P, TSize Client) const;
    // Items wholly visible from the top index (at least 1 when any).
    int VisibleCount(TSize Client) const;
    // The largest top index that still fills the client area.
    int MaxTopIndex(TSize Client) const;
    // Scrolls as little as needed to show Index whole.
    void EnsureVisible(int Index, TSize Client);

private:
    struct TItem {
        String Text;
        std::uintptr_t Data = 0;
        bool Selected = false;
        int Height = 0;
    };

    int SortedPlace(const String& S) const;
    void Inserted(int Index);
    void Deleted(int Index);
    int Find(const String& S, int StartAfter, bool Exact) const;
    // Folding: S case-folded, for the prefix comparison.
    bool Matches(int Index, const String& S, bool Exact, const String& Folding) const;
    int FindPrefixFromTop(const String& S) const;
    int FindExactFromTop(const String& S) const;
    void ForgetSearches();
    void ClampTop();

    std::vector<TItem> FItems;
    // The last prefix searched for from the top and where it was found;
    // forgotten whenever the items change.
    struct TLastSearch {
        String Prefix;
        int Found;
    };
    mutable std::optional<TLastSearch> FLastSearch;
    // The first item of each case-folded text, made when first needed.
    mutable std::optional<QHash<String, int>> FExactIndex;
    bool FVirtual = false;
    bool FSorted = false;
    TListSelectMode FMode = TListSelectMode::Single;
    int FCurSel = NoItem;
    int FCaret = NoItem;
    int FAnchor = NoItem;
    int FItemHeight = 16;
    bool FVariable = false;
    int FTop = 0;
    int FColumnWidth = 0;
    int FExtent = 0;
    int FOffset = 0;
};

// Marks a list as painting for as long as it lives: changes to the items
// made meanwhile (by a handler that draws an item) are noted and painted
// afterwards, since the window layer drops what is invalidated during a
// paint.
class TPaintingScope {
public:
    explicit TPaintingScope(bool& Painting) : FPainting(Painting) { FPainting = true; }
    ~TPaintingScope() { FPainting = false; }
    TPaintingScope(const TPaintingScope&) = delete;
    TPaintingScope& operator=(const TPaintingScope&) = delete;

private:
    bool& FPainting;
};

// Incremental search by typed letters: letters typed within Pause
// milliseconds of each other search together for the first item, from the
// current one on, that begins with them all; one letter typed again and
// again steps through the items that begin with it.
class TTypeAhead {
public:
    static constexpr std::uint32_t Pause = 1000;
    // The item typing C selects (NoItem: none); From is the current item,
    // Now the tick count.
    int Next(const TListEngine& Items, QChar C, int From, std::uint32_t Now);
    void Reset() { FSearch.clear(); }

private:
    String FSearch;
    std::uint32_t FTime = 0;
};
