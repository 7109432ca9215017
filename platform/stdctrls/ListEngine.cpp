#include "platform/stdctrls/ListEngine.h"

#include <algorithm>
#include <numeric>

namespace {

int FloorDiv(int A, int B)
{
    return A >= 0 ? A / B : -((-A + B - 1) / B);
}

} // namespace

// --- items ----------------------------------------------------------------------------------

String TListEngine::Text(int Index) const
{
    if (!IsItem(Index))
        return String();
    if (FVirtual)
        return VirtualText ? VirtualText(Index) : String();
    return FItems[std::size_t(Index)].Text;
}

bool TListEngine::SetText(int Index, const String& Value)
{
    if (!IsItem(Index))
        return false;
    ForgetSearches();
    FItems[std::size_t(Index)].Text = Value;
    return true;
}

std::uintptr_t TListEngine::Data(int Index) const
{
    return IsItem(Index) ? FItems[std::size_t(Index)].Data : 0;
}

bool TListEngine::SetData(int Index, std::uintptr_t Value)
{
    if (!IsItem(Index))
        return false;
    FItems[std::size_t(Index)].Data = Value;
    return true;
}

int TListEngine::SortedPlace(const String& S) const
{
    // After the items that sort equal, so that equal items keep their order.
    int Low = 0, High = Count();
    while (Low < High) {
        const int Mid = (Low + High) / 2;
        if (QString::compare(Text(Mid), S, Qt::CaseInsensitive) <= 0)
            Low = Mid + 1;
        else
            High = Mid;
    }
    return Low;
}

int TListEngine::Add(const String& S)
{
    return Insert(FSorted ? SortedPlace(S) : Count(), S);
}

int TListEngine::Insert(int Index, const String& S)
{
    if (Index < 0)
        Index = Count();
    if (Index > Count() || FVirtual)
        return NoItem;
    ForgetSearches();
    FItems.insert(FItems.begin() + Index, TItem{S});
    Inserted(Index);
    return Index;
}

bool TListEngine::Delete(int Index)
{
    if (!IsItem(Index))
        return false;
    ForgetSearches();
    FItems.erase(FItems.begin() + Index);
    Deleted(Index);
    return true;
}

void TListEngine::Clear()
{
    ForgetSearches();
    FItems.clear();
    FVirtual = false;
    FCurSel = FCaret = FAnchor = NoItem;
    FTop = 0;
    FOffset = 0;
}

void TListEngine::SetVirtualCount(int Count)
{
    Clear();
    FVirtual = true;
    FItems.resize(std::size_t(std::max(Count, 0)));
}

void TListEngine::Inserted(int Index)
{
    for (int* I : {&FCurSel, &FCaret, &FAnchor})
        if (*I >= Index)
            ++*I;
}

void TListEngine::Deleted(int Index)
{
    if (FCurSel == Index)
        FCurSel = NoItem;
    else if (FCurSel > Index)
        --FCurSel;
    // The caret and the anchor stay at their place as far as it exists.
    for (int* I : {&FCaret, &FAnchor}) {
        if (*I > Index)
            --*I;
        *I = std::min(*I, Count() - 1);
    }
    ClampTop();
}

void TListEngine::ClampTop()
{
    FTop = std::clamp(FTop, 0, std::max(0, Count() - 1));
}

void TListEngine::SetSorted(bool Value)
{
    if (FSorted == Value)
        return;
    FSorted = Value;
    if (!Value)
        return;
    ForgetSearches();
    std::vector<int> Order(FItems.size());
    std::iota(Order.begin(), Order.end(), 0);
    std::stable_sort(Order.begin(), Order.end(),
                     [this](int A, int B) { return QString::compare(Text(A), Text(B), Qt::CaseInsensitive) < 0; });
    std::vector<TItem> Sorted;
    Sorted.reserve(FItems.size());
    std::vector<int> NewPlace(FItems.size());
    for (std::size_t I = 0; I < Order.size(); ++I) {
        Sorted.push_back(FItems[std::size_t(Order[I])]);
        NewPlace[std::size_t(Order[I])] = int(I);
    }
    FItems = std::move(Sorted);
    for (int* I : {&FCurSel, &FCaret, &FAnchor})
        if (IsItem(*I))
            *I = NewPlace[std::size_t(*I)];
}

namespace {

// The case folding of one character, the letters of ASCII without a table.
inline char16_t Folded(char16_t C)
{
    if (C < 128)
        return C >= 'A' && C <= 'Z' ? char16_t(C + 32) : C;
    return QChar::toCaseFolded(C);
}

// T begins with S without regard to case: Qt's case-insensitive rule (the
// case folding of each character), with S folded beforehand (Folding) and
// compared character by character, so that the common mismatch at the
// first character costs little.
bool StartsWithFolded(const String& T, const String& S, const String& Folding)
{
    if (T.size() < S.size())
        return false;
    const QChar* A = T.constData();
    const QChar* B = Folding.constData();
    for (qsizetype I = 0; I < S.size(); ++I) {
        const char16_t X = A[I].unicode();
        if (X == B[I].unicode())
            continue;
        // Characters beyond the basic plane fold as whole pairs.
        if (QChar::isSurrogate(X) || B[I].isSurrogate())
            return T.startsWith(S, Qt::CaseInsensitive);
        if (Folded(X) != B[I].unicode())
            return false;
    }
    return true;
}

String FoldedText(const String& S)
{
    String F = S;
    for (QChar& C : F)
        if (!C.isSurrogate())
            C = QChar(Folded(C.unicode()));
    return F;
}

} // namespace

void TListEngine::ForgetSearches()
{
    FLastSearch.reset();
    FExactIndex.reset();
}

bool TListEngine::Matches(int Index, const String& S, bool Exact, const String& Folding) const
{
    // The items' own texts are compared where they are, not copied.
    String Virtual;
    if (FVirtual)
        Virtual = VirtualText ? VirtualText(Index) : String();
    const String& T = FVirtual ? Virtual : FItems[std::size_t(Index)].Text;
    if (Exact)
        return T.size() == S.size() && T.compare(S, Qt::CaseInsensitive) == 0;
    return StartsWithFolded(T, S, Folding);
}

int TListEngine::Find(const String& S, int StartAfter, bool Exact) const
{
    const int N = Count();
    if (N == 0)
        return NoItem;
    if (StartAfter < 0 && !FVirtual)
        return Exact ? FindExactFromTop(S) : FindPrefixFromTop(S);
    const int Start = IsItem(StartAfter) ? StartAfter + 1 : 0;
    const String Folding = FoldedText(S);
    for (int K = 0; K < N; ++K) {
        const int I = (Start + K) % N;
        if (Matches(I, S, Exact, Folding))
            return I;
    }
    return NoItem;
}

int TListEngine::FindExactFromTop(const String& S) const
{
    // An index of the texts, made by the first search after a change (the
    // items from the last, so that the first of equal texts stays): a
    // program looking up item after item in a long list does not go
    // through the list each time.  Case-insensitive equality is equality
    // of the case-folded texts.
    if (!FExactIndex) {
        FExactIndex.emplace();
        FExactIndex->reserve(qsizetype(FItems.size()));
        for (int I = Count() - 1; I >= 0; --I)
            FExactIndex->insert(FItems[std::size_t(I)].Text.toCaseFolded(), I);
    }
    const auto It = FExactIndex->constFind(S.toCaseFolded());
    return It == FExactIndex->cend() ? NoItem : It.value();
}

int TListEngine::FindPrefixFromTop(const String& S) const
{
    // Typing makes each search the last one with a character more: no item
    // above the last one found begins with the longer text either, and when
    // the shorter one found nothing neither will it.
    int From = 0;
    if (FLastSearch && S.startsWith(FLastSearch->Prefix, Qt::CaseInsensitive)) {
        if (FLastSearch->Found == NoItem)
            return NoItem;
        From = FLastSearch->Found;
    }
    int Found = NoItem;
    const String Folding = FoldedText(S);
    for (int I = From, N = Count(); I < N && Found == NoItem; ++I)
        if (Matches(I, S, false, Folding))
            Found = I;
    FLastSearch = TLastSearch{S, Found};
    return Found;
}

int TListEngine::FindPrefix(const String& S, int StartAfter) const
{
    return Find(S, StartAfter, false);
}

int TListEngine::FindExact(const String& S, int StartAfter) const
{
    return Find(S, StartAfter, true);
}

// --- selection --------------------------------------------------------------------------------

void TListEngine::SetSelectMode(TListSelectMode Value)
{
    if (FMode == Value)
        return;
    const int Current = CurSel();
    FMode = Value;
    for (TItem& Item : FItems)
        Item.Selected = false;
    FCurSel = NoItem;
    if (IsItem(Current))
        SetSelected(Current, true);
}

int TListEngine::CurSel() const
{
    return FMode == TListSelectMode::Single ? FCurSel : FCaret;
}

bool TListEngine::SetCurSel(int Index)
{
    const bool Valid = IsItem(Index);
    if (FMode == TListSelectMode::Single)
        FCurSel = Valid ? Index : NoItem;
    FCaret = Valid ? Index : FCaret;
    return Valid;
}

bool TListEngine::Selected(int Index) const
{
    if (!IsItem(Index))
        return false;
    return FMode == TListSelectMode::Single ? Index == FCurSel : FItems[std::size_t(Index)].Selected;
}

bool TListEngine::SetSelected(int Index, bool Value)
{
    if (!IsItem(Index))
        return false;
    if (FMode == TListSelectMode::Single) {
        if (Value)
            FCurSel = FCaret = Index;
        else if (FCurSel == Index)
            FCurSel = NoItem;
    } else {
        FItems[std::size_t(Index)].Selected = Value;
    }
    return true;
}

void TListEngine::SelectRange(int First, int Last, bool Keep)
{
    if (First > Last)
        std::swap(First, Last);
    if (FMode == TListSelectMode::Single) {
        SetSelected(Last, true);
        return;
    }
    for (int I = 0; I < Count(); ++I)
        if (I >= First && I <= Last)
            FItems[std::size_t(I)].Selected = true;
        else if (!Keep)
            FItems[std::size_t(I)].Selected = false;
}

void TListEngine::ClearSelection()
{
    FCurSel = NoItem;
    for (TItem& Item : FItems)
        Item.Selected = false;
}

int TListEngine::SelCount() const
{
    if (FMode == TListSelectMode::Single)
        return FCurSel >= 0 ? 1 : 0;
    return int(std::count_if(FItems.begin(), FItems.end(), [](const TItem& I) { return I.Selected; }));
}

void TListEngine::SetCaret(int Index)
{
    if (IsItem(Index))
        FCaret = Index;
}

void TListEngine::SetAnchor(int Index)
{
    if (IsItem(Index))
        FAnchor = Index;
}

// --- geometry ---------------------------------------------------------------------------------

int TListEngine::HeightOf(int Index) const
{
    if (FVariable && IsItem(Index) && FItems[std::size_t(Index)].Height > 0)
        return FItems[std::size_t(Index)].Height;
    return FItemHeight;
}

bool TListEngine::SetHeightOf(int Index, int Height)
{
    if (!IsItem(Index))
        return false;
    FItems[std::size_t(Index)].Height = std::max(1, Height);
    return true;
}

int TListEngine::RowsPerColumn(TSize Client) const
{
    return std::max(1, Client.cy / FItemHeight);
}

TRect TListEngine::ItemRect(int Index, TSize Client) const
{
    if (Index < 0 || Index > Count())
        return {};
    if (MultiColumn()) {
        const int Rows = RowsPerColumn(Client);
        const int Col = FloorDiv(Index - FTop, Rows);
        const int Row = Index - FTop - Col * Rows;
        return Bounds(Col * FColumnWidth, Row * FItemHeight, FColumnWidth, FItemHeight);
    }
    int Top = 0;
    if (!FVariable)
        Top = (Index - FTop) * FItemHeight;
    else if (Index >= FTop)
        for (int I = FTop; I < Index; ++I)
            Top += HeightOf(I);
    else
        for (int I = Index; I < FTop; ++I)
            Top -= HeightOf(I);
    return Bounds(-FOffset, Top, std::max(Client.cx, FExtent), HeightOf(Index));
}

int TListEngine::ItemAt(TPoint P, TSize Client) const
{
    if (P.X < 0 || P.Y < 0 || P.X >= Client.cx || P.Y >= Client.cy)
        return NoItem;
    int Index = NoItem;
    if (MultiColumn()) {
        const int Rows = RowsPerColumn(Client);
        const int Row = P.Y / FItemHeight;
        if (Row < Rows)
            Index = FTop + (P.X / FColumnWidth) * Rows + Row;
    } else if (!FVariable) {
        Index = FTop + P.Y / FItemHeight;
    } else {
        int Top = 0;
        for (int I = FTop; I < Count() && Index == NoItem; ++I) {
            if (P.Y < Top + HeightOf(I))
                Index = I;
            Top += HeightOf(I);
        }
    }
    return IsItem(Index) ? Index : NoItem;
}

int TListEngine::VisibleCount(TSize Client) const
{
    if (MultiColumn())
        return RowsPerColumn(Client) * std::max(1, Client.cx / std::max(1, FColumnWidth));
    if (!FVariable)
        return std::max(1, Client.cy / FItemHeight);
    int N = 0;
    for (int I = FTop, Used = 0; I < Count() && Used + HeightOf(I) <= Client.cy; ++I, ++N)
        Used += HeightOf(I);
    return std::max(1, N);
}

int TListEngine::MaxTopIndex(TSize Client) const
{
    if (Count() == 0)
        return 0;
    if (MultiColumn()) {
        const int Rows = RowsPerColumn(Client);
        const int Columns = (Count() + Rows - 1) / Rows;
        const int Visible = std::max(1, Client.cx / std::max(1, FColumnWidth));
        return std::max(0, Columns - Visible) * Rows;
    }
    if (!FVariable)
        return std::max(0, Count() - std::max(1, Client.cy / FItemHeight));
    int Top = Count() - 1;
    for (int Used = HeightOf(Top); Top > 0 && Used + HeightOf(Top - 1) <= Client.cy; --Top)
        Used += HeightOf(Top - 1);
    return Top;
}

void TListEngine::SetTopIndex(int Index, TSize Client)
{
    Index = std::clamp(Index, 0, MaxTopIndex(Client));
    if (MultiColumn())
        Index -= Index % RowsPerColumn(Client);
    FTop = Index;
}

void TListEngine::EnsureVisible(int Index, TSize Client)
{
    if (!IsItem(Index))
        return;
    if (Index < FTop) {
        SetTopIndex(Index, Client);
        return;
    }
    if (MultiColumn()) {
        const int Rows = RowsPerColumn(Client);
        const int Visible = std::max(1, Client.cx / std::max(1, FColumnWidth));
        if (Index >= FTop + Visible * Rows)
            SetTopIndex((Index / Rows - Visible + 1) * Rows, Client);
        return;
    }
    while (FTop < Index && ItemRect(Index, Client).Bottom > Client.cy)
        ++FTop;
}

void TListEngine::SetHorizontalOffset(int Value, TSize Client)
{
    FOffset = std::clamp(Value, 0, std::max(0, FExtent - Client.cx));
}

// --- typing ahead -------------------------------------------------------------------------------

int TTypeAhead::Next(const TListEngine& Items, QChar C, int From, std::uint32_t Now)
{
    if (Now - FTime > Pause)
        FSearch.clear();
    FTime = Now;
    const String Typed = FSearch + C;
    const bool Repeated = Typed.size() > 1 && Typed.count(Typed.at(0)) == Typed.size();
    String Search = Typed;
    int Found = Repeated ? Items.FindPrefix(String(C), From) : Items.FindPrefix(Typed, From - 1);
    if (Found < 0 && !Repeated && Typed.size() > 1) {
        // No item goes on like that: the letter starts a new search.
        Search = String(C);
        Found = Items.FindPrefix(Search, From);
    }
    if (Found >= 0)
        FSearch = Search;
    return Found;
}
