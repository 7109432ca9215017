// Where everything of the tab control lies: tab sizes, the depth of a row,
// rows and their placement, the tab area and the card, the display
// rectangle of the pages, the strip buttons, scrolling, rotating rows and
// finding the tab under a point.
#include "controls/lists/FcTabControl.h"

#include "controls/lists/FcTabButtons.h"
#include "controls/lists/FcTabScroller.h"

#include <algorithm>
#include <cstdlib>

namespace {

// One visible tab's place while the rows are worked out: its row, its
// distance from the start of the strip and its length along it.
struct TPlacedTab {
    int Index;
    int Row;
    int Start;
    int Length;
};

} // namespace

// --- counting tabs -----------------------------------------------------------------------------------

int TFcCustomTabControl::FirstVisibleTab() const
{
    for (int I = 0; I < FTabs->Count(); ++I)
        if (FTabs->Items(I)->Visible())
            return I;
    return -1;
}

int TFcCustomTabControl::LastVisibleTab() const
{
    for (int I = FTabs->Count() - 1; I >= 0; --I)
        if (FTabs->Items(I)->Visible())
            return I;
    return -1;
}

int TFcCustomTabControl::VisibleTabCount() const
{
    int N = 0;
    for (int I = 0; I < FTabs->Count(); ++I)
        N += FTabs->Items(I)->Visible() ? 1 : 0;
    return N;
}

bool TFcCustomTabControl::HasShadowStrip() const
{
    return FTabOrientation == toTop && FTabSequence == tsStandard && FShowShadow;
}

// The overlap of neighbouring tabs of depth Depth; cut and round corners
// use TabOverlap (-1 leaves a gap between tabs).
int TFcCustomTabControl::TabOverlapFor(int Depth) const
{
    switch (FTabStyle) {
    case tsSingleSlant:
    case tsBackSlant:
        return Depth / 2;
    case tsDoubleSlant:
        return Depth;
    default:
        return FTabOverlap;
    }
}

// --- tab sizes ---------------------------------------------------------------------------------------

TSize TFcCustomTabControl::ImageSize(int Index) const
{
    if (FImages == nullptr || FTabs->Items(Index)->ImageIndex() == -1)
        return {0, 0};
    return {FImages->Width(), FImages->Height()};
}

// The smallest content: a probe caption of the font's height.
TSize TFcCustomTabControl::MinimumContent(bool Bold)
{
    const TSize Probe = CaptionExtent(FTabStyle == tsRoundCorners ? QStringLiteral("AAA") : QStringLiteral("A"), Bold);
    const int FontHeight = std::abs(FTabFont->Height());
    return IsVerticalText() ? TSize{FontHeight, Probe.cy} : TSize{Probe.cx, FontHeight};
}

// The tab's width and height on the screen (width across a vertical strip).
TSize TFcCustomTabControl::TabSize(int Index)
{
    const TSize Image = ImageSize(Index);
    const TSize Text = CaptionExtent(FTabs->Items(Index)->Caption(), FBoldCurrentTab);
    int W = Text.cx, H = Text.cy;
    switch (FImagePosition) {
    case ipLeft:
    case ipRight:
        W = FImageMargin + Image.cx + Text.cx;
        H = std::max(Image.cy, Text.cy);
        break;
    case ipTop:
    case ipBottom:
        W = std::max(Image.cx, Text.cx);
        H = FImageMargin + Image.cy + Text.cy;
        break;
    case ipBack:
        W = std::max(Image.cx, Text.cx);
        H = std::max(Image.cy, Text.cy);
        break;
    case ipStretch:
        break;
    }
    const TSize Minimum = MinimumContent(FBoldCurrentTab);
    if (FTabWidth == 0)
        W = std::max(W, Minimum.cx);
    if (FTabHeight == 0)
        H = std::max(H, Minimum.cy);

    const int W2 = W + 2, H2 = H + 2, C = FCutCornerSize;
    const bool VerticalStrip = IsVerticalStrip(), VerticalText = IsVerticalText();
    TSize Size;
    switch (FTabStyle) {
    case tsSingleSlant:
    case tsBackSlant:
        Size = VerticalStrip ? TSize{W + 6, 2 * TabOverlapFor(W + 6) + H2 + 4 + FTabHeight / 2}
                             : TSize{2 * TabOverlapFor(H + 6) + W2 + 4 + FTabHeight / 2, H + 6};
        break;
    case tsDoubleSlant:
        Size = VerticalStrip ? TSize{W + 6, 2 * TabOverlapFor(W2) + H2 + 4 + FTabHeight}
                             : TSize{2 * TabOverlapFor(H2) + W2 + 4 + FTabHeight, H + 6};
        break;
    case tsCutCorner:
        if (!VerticalStrip)
            Size = VerticalText ? TSize{W + 10, H2 + C + 5} : TSize{2 * C + W2 + 6, H + 7};
        else
            Size = VerticalText ? TSize{W + 7, 2 * C + H2 + 6} : TSize{W2 + C + 5, H + 10};
        break;
    case tsRoundCorners:
        Size = VerticalText ? TSize{W2 + 4, H2 + 14} : TSize{W2 + 14, H2 + 4};
        break;
    }
    if (FTabWidth > 0)
        Size.cx = FTabWidth;
    if (FTabHeight > 0)
        Size.cy = FTabHeight;
    return Size;
}

void TFcCustomTabControl::ComputeTabSizes(std::vector<TSize>& Sizes)
{
    Sizes.assign(std::size_t(FTabs->Count()), TSize{0, 0});
    FFixedDimension = 0;
    for (int I = 0; I < FTabs->Count(); ++I) {
        if (!FTabs->Items(I)->Visible())
            continue;
        Sizes[std::size_t(I)] = TabSize(I);
        FFixedDimension =
            std::max(FFixedDimension, IsVerticalStrip() ? Sizes[std::size_t(I)].cx : Sizes[std::size_t(I)].cy);
    }
}

// --- the tab area --------------------------------------------------------------------------------------

int TFcCustomTabControl::TabAreaDepth()
{
    if (!FCardVisible) {
        int Depth = (IsVerticalStrip() ? ClientWidth() : ClientHeight()) - 1;
        if (FTabStyle == tsRoundCorners && (FTabOrientation == toBottom || FTabOrientation == toRight))
            --Depth;
        return Depth;
    }
    int Depth = FFixedDimension + (FFixedDimension - FRowOverlap) * (FRowCount - 1);
    if (FTabStyle == tsRoundCorners)
        Depth += 3;
    return Depth;
}

TRect TFcCustomTabControl::TabAreaRect()
{
    const int W = ClientWidth() - 1, H = ClientHeight() - 1, D = TabAreaDepth();
    switch (FTabOrientation) {
    case toTop:
        return Rect(0, 0, HasShadowStrip() ? W - 2 : W, D);
    case toLeft:
        return Rect(0, 0, D, H);
    case toBottom:
        return Rect(0, H - D, W, H);
    case toRight:
        return Rect(W - D, 0, W, H);
    }
    return Rect(0, 0, 0, 0);
}

int TFcCustomTabControl::StripLength()
{
    const TRect A = TabAreaRect();
    return IsVerticalStrip() ? A.Height() : A.Width();
}

int TFcCustomTabControl::ButtonSize()
{
    if (FButtonSize >= 0)
        return FButtonSize;
    HDC DC = FBitmap->Canvas()->Handle();
    HGDIOBJ Old = SelectObject(DC, FTabFont->Handle());
    TSize Probe;
    GetTextExtentPoint32(DC, QStringLiteral("A"), &Probe);
    SelectObject(DC, Old);
    int B = Probe.cy + 4 + (IsVerticalText() ? 2 : 0);
    const bool Larger = IsVerticalStrip() ? IsVerticalText() && FTabWidth >= 1 : !IsVerticalText() && FTabHeight >= 1;
    B = Larger ? std::max(B, FFixedDimension - 2) : std::min(B, FFixedDimension - 2);
    // Without tabs the row has no depth: the buttons have no size either.
    FButtonSize = std::max(B, 0);
    return FButtonSize;
}

// The strip length the close and menu buttons (and, when asked, the
// scroller) take; buttons count only while shown and there are tabs.
int TFcCustomTabControl::StripButtonsLength(bool WithScroller)
{
    if (FTabs->Count() == 0)
        return 0;
    const int B = ButtonSize();
    int Length = 0;
    if (FShowCloseButton)
        Length += B + 2;
    if (FShowMenuButton)
        Length += B + 2;
    if (WithScroller)
        Length += 2 * B + 2;
    return Length;
}

// --- rows and placement ----------------------------------------------------------------------------------

// Places the visible tabs in rows that are Available long and answers how
// many rows they took.  A tab that does not fit into an empty row stays
// there alone.  Counting and placing are the same walk, so the rows the
// depth is made for are the rows the tabs stand in.
int TFcCustomTabControl::PlaceTabs(const std::vector<TSize>& Sizes, int Rows)
{
    const int Available = StripLength() - 2 * FMargin - (Rows - 1) * FRowIndent;
    const int Cap = Available - (FTabStyle == tsRoundCorners ? 4 : 0);
    const int Step = TabOverlapFor(FFixedDimension);
    std::vector<TPlacedTab> Placed;
    int Row = 0, X = FMargin, InRow = 0;
    bool RowFull = false;
    for (int I = 0; I < FTabs->Count(); ++I) {
        if (!FTabs->Items(I)->Visible())
            continue;
        const TSize S = Sizes[std::size_t(I)];
        const int Length = IsVerticalStrip() ? S.cy : S.cx;
        const bool Fits = X + std::min(Length, Cap) < Available;
        if (FMultiLine && InRow > 0 && (RowFull || !Fits)) {
            ++Row;
            X = FMargin;
            InRow = 0;
            RowFull = false;
        }
        if (FMultiLine && InRow == 0 && X + std::min(Length, Cap) >= Available)
            RowFull = true;
        Placed.push_back({I, Row, X, Length});
        X += Length - Step + 1;
        ++InRow;
    }
    const int Used = Row + 1;
    if (FMultiLine && Used > Rows)
        return Used;

    // Justified rows take the whole length, each tab a share of the rest.
    const bool Justify = FAlignTabs && FMultiLine && (IsVerticalStrip() ? FTabHeight == 0 : FTabWidth == 0);
    if (Justify) {
        for (int R = 0; R < Used; ++R) {
            std::vector<TPlacedTab*> InThisRow;
            for (TPlacedTab& P : Placed)
                if (P.Row == R)
                    InThisRow.push_back(&P);
            if (InThisRow.empty())
                continue;
            const TPlacedTab* Last = InThisRow.back();
            const int Extent = Last->Start + Last->Length - FMargin + (FTabStyle == tsRoundCorners ? 4 : 0);
            const int Extra = Available - Extent;
            if (Extra < 1)
                continue;
            const int N = int(InThisRow.size());
            int Shift = 0;
            for (int K = 0; K < N; ++K) {
                const int Grow = Extra / N + (K < Extra % N ? 1 : 0);
                InThisRow[std::size_t(K)]->Start += Shift;
                InThisRow[std::size_t(K)]->Length += Grow;
                Shift += Grow;
            }
        }
    }

    // Row 0 lies against the page, every further row further out.
    const int Pitch = FFixedDimension - FRowOverlap;
    const int Row0 = TabAreaDepth() - FFixedDimension;
    const int End = X; // the distance after the last tab
    for (const TPlacedTab& P : Placed) {
        const int Y = Row0 - Pitch * P.Row;
        TRect R;
        if (FTabSequence == tsStandard) {
            R = Rect(P.Start, Y, P.Start + P.Length, Y + FFixedDimension);
        } else {
            const int Shift = FMultiLine ? Width() : End;
            R = Rect(-P.Start - P.Length + Shift, Y, -P.Start + Shift, Y + FFixedDimension);
        }
        FTabs->Items(P.Index)->SetTabRect(R);
        FTabs->Items(P.Index)->SetRow(P.Row);
    }
    return Used;
}

bool TFcCustomTabControl::ComputeOverflow()
{
    if (FMultiLine || VisibleTabCount() == 0)
        return false;
    const int Room = StripLength() - 2 * FMargin - StripButtonsLength(false);
    const int Edge = FTabSequence == tsStandard ? LastVisibleTab() : FirstVisibleTab();
    return Room < FTabs->Items(Edge)->TabRect().Right;
}

void TFcCustomTabControl::UpdateFirstShownTab()
{
    const int Old = FFirstShownTab;
    if (!FOverflow) {
        FFirstShownTab = FirstVisibleTab();
        return;
    }
    // Forward from where the strip stood to a tab shown whole, else back.
    for (int I = std::max(Old, 0); I < FTabs->Count(); ++I) {
        FFirstShownTab = I;
        if (IsTabFullyVisible(I))
            return;
    }
    for (int I = std::min(Old, FTabs->Count()) - 1; I >= 0; --I) {
        FFirstShownTab = I;
        if (IsTabFullyVisible(I))
            return;
    }
    FFirstShownTab = FirstVisibleTab();
}

void TFcCustomTabControl::UpdateTabLayout()
{
    FLayoutDirty = false;
    FButtonSize = -1;
    std::vector<TSize> Sizes;
    ComputeTabSizes(Sizes);
    int Rows = 1;
    SetRowCount(1);
    if (VisibleTabCount() > 0) {
        int Used = PlaceTabs(Sizes, Rows);
        while (Used > Rows) {
            Rows = Used;
            SetRowCount(Rows);
            Used = PlaceTabs(Sizes, Rows);
        }
    }
    // Rows are placed in tab order: the current tab's row goes back
    // against the page.
    if (FTabIndex >= 0 && FTabIndex < FTabs->Count() && FTabs->Items(FTabIndex)->Visible())
        RotateTabRows(FTabIndex);
    FRegionCache->Clear();
    FOverflow = ComputeOverflow();
    UpdateFirstShownTab();
    RecheckCurrentTab();
    if (DisplayRect() != FDisplayRect)
        Realign();
}

// --- visibility and scrolling ------------------------------------------------------------------------------

int TFcCustomTabControl::ScrollOffset()
{
    if (FFirstShownTab < 0 || FFirstShownTab >= FTabs->Count())
        return 0;
    const int A = FMargin + (FTabStyle == tsRoundCorners ? 2 : 0);
    const TRect R = FTabs->Items(FFirstShownTab)->TabRect();
    return FTabSequence == tsStandard ? R.Left - A : R.Right + A;
}

bool TFcCustomTabControl::IsTabFullyVisible(int Index)
{
    if (Index < 0 || Index >= FTabs->Count() || !FTabs->Items(Index)->Visible())
        return false;
    if (!FOverflow)
        return true;
    const int Room = StripLength() - 2 * ButtonSize() - 2 * FMargin - StripButtonsLength(false);
    const int S = ScrollOffset();
    const TRect R = FTabs->Items(Index)->TabRect();
    if (FTabSequence == tsStandard)
        return S <= R.Left && R.Right - S <= Room;
    return S >= R.Right && S - R.Left <= Room;
}

void TFcCustomTabControl::ScrollTabs(bool Forward)
{
    const int Old = FFirstShownTab;
    bool Moved = false;
    if (Forward) {
        const int Last = LastVisibleTab();
        if (FFirstShownTab < FTabs->Count() - 1 && Last >= 0 && !IsTabFullyVisible(Last)) {
            while (++FFirstShownTab < FTabs->Count())
                if (IsTabFullyVisible(FFirstShownTab)) {
                    Moved = true;
                    break;
                }
        }
    } else {
        const int First = FirstVisibleTab();
        if (FFirstShownTab > 0 && First >= 0 && !IsTabFullyVisible(First)) {
            while (--FFirstShownTab >= 0)
                if (IsTabFullyVisible(FFirstShownTab)) {
                    Moved = true;
                    break;
                }
        }
    }
    if (!Moved)
        FFirstShownTab = Old;
    else {
        FullRepaint();
        RepaintStripButtons(true);
    }
    if (FOnScrolledTabs)
        FOnScrolledTabs(this);
}

void TFcCustomTabControl::RotateTabRows(int Index)
{
    if (!FMultiLine || Index < 0 || Index >= FTabs->Count())
        return;
    int N = 0;
    for (int I = 0; I < FTabs->Count(); ++I)
        if (FTabs->Items(I)->Visible())
            N = std::max(N, FTabs->Items(I)->Row() + 1);
    const int Selected = FTabs->Items(Index)->Row();
    if (N <= 1 || Selected == 0)
        return;
    // Where each row stands now, across the strip.
    std::vector<std::unique_ptr<TRectClass>> RowRects(static_cast<std::size_t>(N));
    for (int I = 0; I < FTabs->Count(); ++I) {
        TFcTabData* T = FTabs->Items(I);
        auto& Slot = RowRects[std::size_t(T->Row())];
        if (!T->Visible() || Slot)
            continue;
        Slot = std::make_unique<TRectClass>();
        Slot->Top = T->TabRect().Top;
        Slot->Bottom = T->TabRect().Bottom;
    }
    for (int I = 0; I < FTabs->Count(); ++I) {
        TFcTabData* T = FTabs->Items(I);
        if (!T->Visible())
            continue;
        const int NewRow = (T->Row() + (N - Selected)) % N;
        TRect R = T->TabRect();
        if (const auto& Place = RowRects[std::size_t(NewRow)]) {
            R.Top = Place->Top;
            R.Bottom = Place->Bottom;
        }
        T->SetRow(NewRow);
        T->SetTabRect(R);
    }
    FRegionCache->Clear();
}

// --- the card and the display rectangle ---------------------------------------------------------------------

TRect TFcCustomTabControl::CardRect(int Row)
{
    const int W = ClientWidth() - 1, H = ClientHeight() - 1;
    if (VisibleTabCount() == 0)
        return Rect(0, 0, W, H);
    const int Pitch = FFixedDimension - FRowOverlap;
    const int D0 = TabAreaDepth() - Pitch * Row, D1 = Pitch * Row;
    const int I0 = FRowIndent * Row, I1 = FRowIndent * (FRowCount - Row - 1);
    // The indents swap ends in the reverse sequence.
    const int Near = FTabSequence == tsStandard ? I0 : I1, Far = FTabSequence == tsStandard ? I1 : I0;
    TRect R;
    switch (FTabOrientation) {
    case toTop:
        R = Rect(Near, D0, W - Far, H - D1);
        break;
    case toLeft:
        R = Rect(D0, Far, W - D1, H - Near);
        break;
    case toBottom:
        R = Rect(Near, D1, W - Far, H - D0);
        break;
    case toRight:
        R = Rect(D1, Near, W - D0, H - Far);
        break;
    }
    if (!FCardVisible) {
        // The card lies under the strip, grown out by the edge width.
        constexpr int Edge = 2;
        if (FTabOrientation != toRight)
            R.Right += Edge;
        if (FTabOrientation != toLeft)
            R.Left -= Edge;
        if (FTabOrientation != toBottom)
            R.Bottom += Edge;
        if (FTabOrientation != toTop)
            R.Top -= Edge;
    }
    if (R.Right < R.Left || R.Bottom < R.Top)
        return Rect(0, 0, 0, 0);
    return R;
}

TRect TFcCustomTabControl::DisplayRect()
{
    if (!FCardVisible)
        return Rect(-2, -2, -1, -1);
    TRect R = CardRect(0);
    if (!FShowCardFrame) {
        if (!FShowFullFrame) {
            if (FTabOrientation == toLeft)
                --R.Left;
            else if (FTabOrientation == toBottom)
                ++R.Bottom;
            else if (FTabOrientation == toRight)
                ++R.Right;
        }
        ++R.Right;
        ++R.Bottom;
    } else if (FShowFullFrame) {
        ++R.Left;
        ++R.Top;
        if (HasShadowStrip()) {
            R.Right -= 2;
            R.Bottom -= 2;
        }
    } else {
        if (FTabOrientation == toTop)
            ++R.Top;
        ++R.Right;
        ++R.Bottom;
    }
    return R;
}

// --- strip buttons ------------------------------------------------------------------------------------------

// Puts a strip button of Width x Height at the end of the strip, Inset
// further in along it.
void TFcCustomTabControl::PlaceStripButton(TWinControl* Button, int Width, int Height, int Inset)
{
    const TRect A = TabAreaRect();
    const int M = FMargin;
    TPoint P;
    if (FTabSequence == tsStandard) {
        switch (FTabOrientation) {
        case toTop:
            P = {(FShowShadow ? A.Right - Width - 1 : A.Right - Width + 1) - M - Inset, A.Bottom - Height - 2};
            break;
        case toLeft:
            P = {A.Right - Width - 2, A.Top + M + Inset};
            break;
        case toBottom:
            P = {A.Right - Width + 1 - M - Inset, A.Top + 2};
            break;
        case toRight:
            P = {A.Left + 2, A.Bottom - Height + 1 - M - Inset};
            break;
        }
    } else {
        switch (FTabOrientation) {
        case toTop:
            P = {A.Left + M + Inset, A.Bottom - Height - 2};
            break;
        case toLeft:
            P = {A.Right - Width - 2, A.Bottom - Height + 1 - M - Inset};
            break;
        case toBottom:
            P = {A.Left + M + Inset, A.Top + 2};
            break;
        case toRight:
            P = {A.Left + 2, A.Top + M + Inset};
            break;
        }
    }
    Button->SetBounds(P.X, P.Y, Width, Height);
}

void TFcCustomTabControl::PlaceStripButtons()
{
    const int B = ButtonSize();
    int Inset = 0;
    if (FShowCloseButton && FCloseButton != nullptr) {
        PlaceStripButton(FCloseButton, B, B, 0);
        Inset += B + 2;
    }
    if (FShowMenuButton && FMenuButton != nullptr) {
        PlaceStripButton(FMenuButton, B, B, Inset);
        Inset += B + 2;
    }
    if (FOverflow && FScroller == nullptr) {
        FScroller = new TFcTabScroller(this);
        FScroller->SetControlStyle(FScroller->ControlStyle() + TControlStyle{csNoDesignVisible});
        FScroller->SetOrientation(IsVerticalStrip() ? orVertical : orHorizontal);
        FScroller->SetFrameColor(StripButtonFrameColor());
        FScroller->SetOnUpRightClick([this](TObject* Sender) { ScrollerUpRightClick(Sender); });
        FScroller->SetOnDownLeftClick([this](TObject* Sender) { ScrollerDownLeftClick(Sender); });
        FScroller->SetParent(this);
    }
    if (FScroller == nullptr)
        return;
    const int Long = 2 * B - 1;
    const int W = IsVerticalStrip() ? B : Long, H = IsVerticalStrip() ? Long : B;
    if (FOverflow)
        PlaceStripButton(FScroller, W, H, Inset);
    else
        FScroller->SetBounds(-W - 1, -H - 1, W, H);
}

// --- hit testing ----------------------------------------------------------------------------------------------

bool TFcCustomTabControl::PtInTab(TPoint P, int Index)
{
    if (!IsTabFullyVisible(Index))
        return false;
    if (!PtInNormalizedRect(TabClientRect(Index), P))
        return false;
    HRGN Region = GetTabRegion(Index);
    return Region != nullptr && PtInRegion(Region, P.X, P.Y);
}

int TFcCustomTabControl::TabAtPos(int X, int Y)
{
    const int Count = FTabs->Count();
    if (Count == 0 || FFirstShownTab < 0 || FFirstShownTab >= Count)
        return -1;
    const TPoint P{X, Y};
    // The current tab lies over its neighbours: it is asked first.
    if (FTabIndex >= 0 && FTabIndex < Count && PtInTab(P, FTabIndex))
        return FTabIndex;
    int I = FFirstShownTab;
    do {
        if (I != FTabIndex && PtInTab(P, I))
            return I;
        I = (I + 1) % Count;
    } while (I != FFirstShownTab);
    return -1;
}
