// Painting the tab control: the background, the tabs from the far end
// backwards with each row's card over the rows behind it, the current tab,
// the card of the front row; each tab filled, given its image, highlight
// bar, caption and focus rectangle inside its outline.  Everything is drawn
// into an off-screen bitmap, only inside the part being repainted, and
// that part copied to the window.
#include "controls/lists/FcTabControl.h"

#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcWindowPaint.h"
#include "controls/lists/FcTabButtons.h"
#include "controls/lists/FcTabScroller.h"

#include <algorithm>

namespace {

// Holds one saved state of a device context and restores it on every way
// out, exceptions included.
class TSavedDC {
public:
    explicit TSavedDC(HDC DC) : FDC(DC), FSaved(SaveDC(DC))
    {
        if (FSaved == 0)
            throw EFcTabControlError(QString::fromLatin1(SFcErrorSavingDC));
    }
    ~TSavedDC() { RestoreDC(FDC, FSaved); }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    int FSaved;
};

// A caption line split at its accelerator: what comes before the marked
// character, the character and the rest.  "&&" stands for one "&"; a
// single "&" that ends the line is shown as it stands.
struct TAccelLine {
    String Before;
    String Marked;
    String After;
    String Whole() const { return Before + Marked + After; }
};

TAccelLine SplitAccelerator(const String& Line)
{
    const qsizetype Amp = Line.indexOf(QLatin1Char('&'));
    if (Amp < 0 || Amp + 1 >= Line.size())
        return {Line, String(), String()};
    if (Line[Amp + 1] == QLatin1Char('&'))
        return {Line.left(Amp) + QLatin1Char('&') + Line.mid(Amp + 2), String(), String()};
    return {Line.left(Amp), Line.mid(Amp + 1, 1), Line.mid(Amp + 2)};
}

QStringList CaptionLines(const String& Caption)
{
    return Caption.split(QStringLiteral("\r\n"));
}

} // namespace

// --- fonts and text extents --------------------------------------------------------------------------

void TFcCustomTabControl::SelectRotatedFont(HDC DC, bool Bold, bool Underline)
{
    LOGFONT L = FTabFont->LogFont();
    L.lfWeight = Bold ? FW_BOLD : FW_NORMAL;
    if (Underline)
        L.lfUnderline = 1;
    L.lfEscapement = 0;
    if (IsVerticalText())
        L.lfEscapement = FTabOrientation == toRight ? 2700 : 900;
    L.lfOrientation = L.lfEscapement;
    HFONT Font = CreateFontIndirect(L);
    if (SaveDC(DC) == 0) {
        DeleteObject(Font);
        throw EFcTabControlError(QString::fromLatin1(SFcErrorSavingDC));
    }
    FFontStack.push_back(Font);
    SelectObject(DC, Font);
}

void TFcCustomTabControl::RestoreTabFont(HDC DC)
{
    RestoreDC(DC, -1);
    if (FFontStack.empty())
        return;
    DeleteObject(FFontStack.back());
    FFontStack.pop_back();
}

// Selects the tab font for a scope: restored and freed on every way out.
class TFcTabFontScope {
public:
    TFcTabFontScope(TFcCustomTabControl* Control, HDC DC, bool Bold, bool Underline = false)
        : FControl(Control), FDC(DC)
    {
        FControl->SelectRotatedFont(DC, Bold, Underline);
    }
    ~TFcTabFontScope() { FControl->RestoreTabFont(FDC); }
    TFcTabFontScope(const TFcTabFontScope&) = delete;
    TFcTabFontScope& operator=(const TFcTabFontScope&) = delete;

private:
    TFcCustomTabControl* FControl;
    HDC FDC;
};

// The unrotated extent of a line without its accelerator mark, turned for
// vertical text.
TSize TFcCustomTabControl::LineExtent(HDC DC, const String& Line)
{
    TSize Size;
    if (!GetTextExtentPoint32(DC, SplitAccelerator(Line).Whole(), &Size))
        Size = {0, 0};
    if (IsVerticalText())
        std::swap(Size.cx, Size.cy);
    return Size;
}

TSize TFcCustomTabControl::CaptionExtent(const String& Caption, bool Bold)
{
    HDC DC = FBitmap->Canvas()->Handle();
    TFcTabFontScope Font(this, DC, Bold);
    TSize Result{0, 0};
    for (const String& Line : CaptionLines(Caption)) {
        const TSize S = LineExtent(DC, Line);
        if (IsVerticalText()) {
            Result.cx += S.cx;
            Result.cy = std::max(Result.cy, S.cy);
        } else {
            Result.cx = std::max(Result.cx, S.cx);
            Result.cy += S.cy;
        }
    }
    return Result;
}

// --- Paint ---------------------------------------------------------------------------------------------

void TFcCustomTabControl::Paint()
{
    FPaintingDone = true;
    if (FLayoutDirty)
        UpdateTabLayout();
    const int W = ClientWidth(), H = ClientHeight();
    if (FBitmap->Width() != W || FBitmap->Height() != H)
        FBitmap->SetSize(W, H);
    TCanvas* C = FBitmap->Canvas();
    const TRect Update = Canvas()->ClipRect();
    FPaintClip = Update;
    {
        TSavedDC Saved(C->Handle());
        IntersectClipRect(C->Handle(), Update.Left, Update.Top, Update.Right, Update.Bottom);
        PaintBackground(C);
        // A change of the hot tab alone changes nothing on the buttons.
        if (!ComponentState().Contains(csLoading) && !FHotRepaint)
            RepaintStripButtons(true);
        DrawTabs(C);
    }
    // The canvas's pen, brush and font were selected inside the saved state.
    C->Refresh();
    BitBlt(Canvas()->Handle(), Update.Left, Update.Top, Update.Width(), Update.Height(), C->Handle(), Update.Left,
           Update.Top, SRCCOPY);
    FHotRepaint = false;
    if (FDropMarkerShown) {
        FMarkerDC = Canvas()->Handle();
        DrawDropMarker(FDropMarkerRect);
        FMarkerDC = nullptr;
    }
}

void TFcCustomTabControl::PaintBackground(TCanvas* Canvas)
{
    const TRect R = Rect(0, 0, ClientWidth() + 1, ClientHeight() + 1);
    bool Handled = false;
    DoPaintBackground(Canvas, R, Handled);
    if (Handled)
        return;
    if (!FTransparent) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(TColor(ColorToRGB(FBackgroundColor)));
        Canvas->FillRect(R);
    } else {
        PaintParentBackdropOnCanvas(this, Canvas, false);
    }
}

// Far rows first, each row's card over the rows behind it, the current tab
// last, then the front row's card.
void TFcCustomTabControl::DrawTabs(TCanvas* Canvas)
{
    const int Count = FTabs->Count();
    if (Count > 0) {
        int FirstOfRow0 = -1;
        for (int I = 0; I < Count && FirstOfRow0 < 0; ++I)
            if (FTabs->Items(I)->Visible() && FTabs->Items(I)->Row() == 0)
                FirstOfRow0 = I;
        int I = FirstOfRow0 <= 0 ? Count - 1 : FirstOfRow0 - 1;
        int CurrentRow = FRowCount - 1;
        for (int N = 0; N < Count; ++N, I = (I + Count - 1) % Count) {
            const TFcTabData* T = FTabs->Items(I);
            if (!T->Visible() || I == FTabIndex || I < FFirstShownTab || !IsTabFullyVisible(I))
                continue;
            if (T->Row() < CurrentRow && CurrentRow > 0) {
                DrawCard(Canvas, CurrentRow);
                CurrentRow = T->Row();
            }
            DrawTab(Canvas, I);
        }
        if (CurrentRow == 1)
            DrawCard(Canvas, 1);
        if (FTabIndex >= 0 && FTabIndex < Count && FTabIndex >= FFirstShownTab && IsTabFullyVisible(FTabIndex))
            DrawTab(Canvas, FTabIndex);
    }
    DrawCard(Canvas, 0);
}

TColor TFcCustomTabControl::CardColor(int ARow)
{
    (void)ARow;
    if (FUseColoredTabs && FTabIndex >= 0 && FTabIndex < FTabs->Count())
        return FTabs->Items(FTabIndex)->Color();
    return Color();
}

void TFcCustomTabControl::DrawCard(TCanvas* Canvas, int Row)
{
    TRect R = CardRect(Row);
    if (IsZeroRect(R))
        return;
    if (FCardVisible) {
        ++R.Right;
        ++R.Bottom;
    }
    bool Handled = false;
    DoPaintCardBackground(Canvas, Row, R, Handled);
    if (!Handled) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(CardColor(Row));
        Canvas->FillRect(R);
    }
    if (!FShowCardFrame)
        return;
    BuildCardShape(Row);
    RenderShapeEdges(Canvas);
}

void TFcCustomTabControl::DrawTab(TCanvas* Canvas, int Index)
{
    const TRect R = TabClientRect(Index);
    TRect Clip;
    GetClipBox(Canvas->Handle(), &Clip);
    TRect Dummy;
    if (!IntersectRect(Dummy, Rect(R.Left, R.Top, R.Right + 1, R.Bottom + 1), Clip))
        return;
    {
        TSavedDC Saved(Canvas->Handle());
        ExtSelectClipRgn(Canvas->Handle(), GetTabRegion(Index), RGN_AND);
        FillTab(Canvas, Index, R);
        DrawTabContents(Canvas, Index, R);
    }
    Canvas->Refresh();
    BuildTabShape(Index);
    RenderShapeEdges(Canvas);
}

void TFcCustomTabControl::FillTab(TCanvas* Canvas, int Index, const TRect& R)
{
    bool Handled = false;
    DoPaintTabBackground(Canvas, Index, R, Handled);
    if (Handled)
        return;
    const TFcTabData* T = FTabs->Items(Index);
    TColor Current = Color(), Start = FTabColors->Unselected(), End = FTabColors->Shadow();
    if (FUseColoredTabs) {
        Current = Start = T->Color();
        End = ColorToRGB(T->Color()) == 0xFFFFFF ? clBtnFace : DarkenColor(T->Color(), 30);
    }
    Canvas->Brush()->SetStyle(bsSolid);
    if (Index == FTabIndex) {
        Canvas->Brush()->SetColor(Current);
        Canvas->FillRect(R);
    } else if (FUseGradients && ManyColors()) {
        // From the outer edge to the page.
        const bool Horizontal = !IsVerticalStrip();
        const bool StartOutside = FTabOrientation == toTop || FTabOrientation == toLeft;
        FillGradientRect(Canvas, R, Horizontal ? gdHorizontalEnd : gdVerticalEnd, StartOutside ? Start : End,
                         StartOutside ? End : Start, 1);
        Canvas->Brush()->SetColor(StartOutside ? End : Start);
    } else {
        Canvas->Brush()->SetColor(Start);
        Canvas->FillRect(R);
    }
    FLastFillColor = Canvas->Brush()->Color();
}

// --- contents --------------------------------------------------------------------------------------------

TRect TFcCustomTabControl::ContentRect(const TRect& Tab)
{
    TRect R = Tab;
    const int W = R.Width(), H = R.Height(), C = FCutCornerSize;
    const bool Horizontal = !IsVerticalStrip();
    const bool Bottom = FTabOrientation == toBottom, Right = FTabOrientation == toRight;
    switch (FTabStyle) {
    case tsSingleSlant:
        InflateRect(R, -1, -1);
        if (Horizontal) {
            R.Right -= 2 * TabOverlapFor(H) + 2;
            OffsetRect(R, 3, 0);
            if (Bottom)
                R.Bottom -= 2, OffsetRect(R, 0, 1);
            else
                R.Top += 2;
        } else {
            if (Right)
                R.Bottom -= 2 * TabOverlapFor(W) + 2, OffsetRect(R, 0, 2);
            else
                R.Top += 2 * TabOverlapFor(W) + 2, OffsetRect(R, 0, -2);
            OffsetRect(R, 0, 1);
            if (Right)
                R.Right -= 2, OffsetRect(R, 1, 0);
            else
                R.Left += 2;
        }
        break;
    case tsDoubleSlant:
        if (Horizontal) {
            InflateRect(R, 1, -1);
            InflateRect(R, -TabOverlapFor(H), 0);
            OffsetRect(R, 1, 0);
            if (Bottom)
                R.Bottom -= 2, OffsetRect(R, 0, 1);
            else
                R.Top += 2;
        } else {
            InflateRect(R, -1, 1);
            InflateRect(R, 0, -TabOverlapFor(W));
            R.Bottom += 2;
            OffsetRect(R, 0, 1);
            if (Right)
                R.Right -= 2, OffsetRect(R, 1, 0);
            else
                R.Left += 2;
        }
        break;
    case tsCutCorner:
        if (Horizontal) {
            if (!IsVerticalText()) {
                InflateRect(R, -(C + 3), -1);
                (Bottom ? R.Bottom : R.Top) += Bottom ? -3 : 3;
            } else {
                InflateRect(R, -4, -1);
                (Bottom ? R.Bottom : R.Top) += Bottom ? -(C + 3) : C + 3;
            }
            if (Bottom)
                OffsetRect(R, 0, 1);
        } else {
            if (!IsVerticalText()) {
                InflateRect(R, -1, -4);
                (Right ? R.Right : R.Left) += Right ? -(C + 5) : C + 5;
            } else {
                InflateRect(R, -1, -(C + 3));
                (Right ? R.Right : R.Left) += Right ? -5 : 5;
            }
            if (Right)
                OffsetRect(R, 1, 0);
        }
        break;
    case tsRoundCorners:
        if (IsVerticalText())
            InflateRect(R, -2, -4);
        else
            InflateRect(R, -4, -2);
        break;
    case tsBackSlant:
        InflateRect(R, -1, -1);
        if (Horizontal) {
            R.Left += 2 * TabOverlapFor(H) + 2;
            OffsetRect(R, -3, 0);
            if (Bottom)
                R.Bottom -= 2, OffsetRect(R, 0, -1);
            else
                R.Top += 2;
        } else {
            if (Right)
                R.Top += 2 * TabOverlapFor(W) + 2, OffsetRect(R, 0, -2);
            else
                R.Bottom -= 2 * TabOverlapFor(W) + 2, OffsetRect(R, 0, 2);
            OffsetRect(R, 0, -1);
            if (Right)
                R.Right -= 2, OffsetRect(R, 1, 0);
            else
                R.Left += 2;
        }
        break;
    }
    InflateRect(R, -1, -1);
    return R;
}

// Cuts the image cell off the content on the ImagePosition side and
// answers where the image goes (empty without an image).
TRect TFcCustomTabControl::PlaceImage(int Index, TRect& Content)
{
    const TSize Size = ImageSize(Index);
    if (Size.cx == 0 && Size.cy == 0)
        return Rect(0, 0, 0, 0);
    TRect Cell = Content;
    switch (FImagePosition) {
    case ipLeft:
        Cell.Right = Cell.Left + Size.cx;
        Content.Left = Cell.Right + FImageMargin;
        break;
    case ipRight:
        Cell.Left = Cell.Right - Size.cx;
        Content.Right = Cell.Left - FImageMargin;
        break;
    case ipTop:
        Cell.Bottom = Cell.Top + Size.cy;
        Content.Top = Cell.Bottom + FImageMargin;
        break;
    case ipBottom:
        Cell.Top = Cell.Bottom - Size.cy;
        Content.Bottom = Cell.Top - FImageMargin;
        break;
    case ipBack:
    case ipStretch:
        break;
    }
    int X = Cell.Left, Y = Cell.Top;
    if (FImageAlignment == haCenter)
        X = (Cell.Left + Cell.Right - Size.cx) / 2;
    else if (FImageAlignment == haRight)
        X = Cell.Right - Size.cx;
    if (FImageAlignmentVertical == vaCenter)
        Y = (Cell.Top + Cell.Bottom - Size.cy) / 2;
    else if (FImageAlignmentVertical == vaBottom)
        Y = Cell.Bottom - Size.cy;
    return Bounds(X, Y, Size.cx, Size.cy);
}

TColor TFcCustomTabControl::TabTextColor(int Index)
{
    const TFcTabData* T = FTabs->Items(Index);
    TFcTextStyle Style = Index == FTabIndex ? tsSelected : tsUnselected;
    if (!T->Enabled())
        Style = tsDisabled;
    else if (Index == FHotIndex && FHotTrack)
        Style = tsHotTrack;
    TColor Result = clNone;
    bool Handled = false;
    DoGetTextColor(Index, Style, Result, Handled);
    if (Handled)
        return Result;
    switch (Style) {
    case tsDisabled:
        return FTextColors->Disabled();
    case tsUnselected:
        return FTextColors->Unselected();
    case tsSelected:
        return FTextColors->Selected();
    case tsHotTrack:
        return FHotTrackStyle == htsText ? FHotTrackColor : FTextColors->Selected();
    }
    return Result;
}

void TFcCustomTabControl::DrawHighlightBar(TCanvas* Canvas, int Index, const TRect& Tab)
{
    if (!FHotTrack || FHotTrackStyle != htsTab)
        return;
    TColor Bar;
    if (Index == FHotIndex)
        Bar = FHotTrackColorType == htctActual ? FHotTrackColor : OppositeHueColor(FHotTrackColor, 140);
    else if (Index == FTabIndex)
        Bar = FTabColors->HighlightBar();
    else
        return;
    TRect R = Tab;
    InflateRect(R, 1, 1);
    switch (FTabOrientation) {
    case toTop:
        R.Bottom = R.Top + 6;
        break;
    case toLeft:
        R.Right = R.Left + 6;
        break;
    case toBottom:
        R.Top = R.Bottom - 4;
        break;
    case toRight:
        R.Left = R.Right - 4;
        break;
    }
    Canvas->Pen()->SetStyle(psClear);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Bar);
    Canvas->Rectangle(R);
    Canvas->Pen()->SetStyle(psSolid);
}

void TFcCustomTabControl::DrawTabContents(TCanvas* Canvas, int Index, const TRect& Tab)
{
    const TFcTabData* T = FTabs->Items(Index);
    TRect Content = ContentRect(Tab);
    const TRect Image = PlaceImage(Index, Content);
    if (!IsZeroRect(Image)) {
        if (T->DisabledIndex() == -1)
            FImages->Draw(Canvas, Image.Left, Image.Top, T->ImageIndex(), T->Enabled());
        else if (!T->Enabled())
            FImages->Draw(Canvas, Image.Left, Image.Top, T->DisabledIndex(), true);
        else
            FImages->Draw(Canvas, Image.Left, Image.Top, T->ImageIndex(), true);
    }
    DrawHighlightBar(Canvas, Index, Tab);
    if (T->Caption().isEmpty())
        return;
    const TRect TextRect = DrawCaption(Canvas, Index, Content);
    if (FShowFocusRect && Index == FTabIndex && Focused())
        DrawFocusRectangle(Canvas, TextRect);
}

// Text space: u runs along the text, v across it (downwards of the
// letters).  Horizontal text has u = x, v = y; text running upwards starts
// at the content's bottom-left, text running downwards at its top-right.
TRect TFcCustomTabControl::DrawCaption(TCanvas* Canvas, int Index, const TRect& Content)
{
    HDC DC = Canvas->Handle();
    const bool Bold = FBoldCurrentTab && Index == FTabIndex;
    const QStringList Lines = CaptionLines(FTabs->Items(Index)->Caption());
    const bool Vertical = IsVerticalText(), Down = Vertical && FTabOrientation == toRight;
    const int AlongRoom = Vertical ? Content.Height() : Content.Width();
    const int AcrossRoom = Vertical ? Content.Width() : Content.Height();
    auto ToScreen = [&](int U, int V) -> TPoint {
        if (!Vertical)
            return {Content.Left + U, Content.Top + V};
        if (!Down)
            return {Content.Left + V, Content.Bottom - U};
        return {Content.Right - V, Content.Top + U};
    };

    std::vector<TSize> Extents; // (along, across) of each line
    int Block = 0;
    {
        TFcTabFontScope Font(this, DC, Bold);
        for (const String& Line : Lines) {
            TSize S = LineExtent(DC, Line);
            if (Vertical)
                std::swap(S.cx, S.cy);
            Extents.push_back(S);
            Block += S.cy;
        }
    }
    int V = 0;
    if (FTextAlignmentVertical == vaCenter)
        V = (AcrossRoom - Block) / 2;
    else if (FTextAlignmentVertical == vaBottom)
        V = AcrossRoom - Block;

    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, ColorToRGB(TabTextColor(Index)));
    TRect Bounds{0, 0, 0, 0};
    for (int L = 0; L < Lines.size(); ++L) {
        const TSize S = Extents[std::size_t(L)];
        int U = 0;
        if (FTextAlignment == haCenter)
            U = (AlongRoom - S.cx) / 2;
        else if (FTextAlignment == haRight)
            U = AlongRoom - S.cx;
        DrawCaptionLine(Canvas, Lines[L], ToScreen(U, V), Bold);
        TRect LineRect{0, 0, 0, 0};
        const TPoint A = ToScreen(U, V), B = ToScreen(U + S.cx, V + S.cy);
        LineRect = {A.X, A.Y, B.X, B.Y};
        NormalizeRectCorners(LineRect);
        if (IsZeroRect(Bounds))
            Bounds = LineRect;
        else
            UnionRect(Bounds, Bounds, LineRect);
        V += S.cy;
    }
    return Bounds;
}

// A line in up to three pieces: before the accelerator, the marked
// character underlined, the rest.
void TFcCustomTabControl::DrawCaptionLine(TCanvas* Canvas, const String& Line, TPoint At, bool Bold)
{
    HDC DC = Canvas->Handle();
    const TAccelLine Parts = SplitAccelerator(Line);
    const bool Vertical = IsVerticalText(), Down = Vertical && FTabOrientation == toRight;
    TPoint P = At;
    const String Pieces[3] = {Parts.Before, Parts.Marked, Parts.After};
    for (int I = 0; I < 3; ++I) {
        if (Pieces[I].isEmpty())
            continue;
        TFcTabFontScope Font(this, DC, Bold, I == 1);
        TextOut(DC, P.X, P.Y, Pieces[I]);
        TSize S;
        if (!GetTextExtentPoint32(DC, Pieces[I], &S))
            S = {0, 0};
        if (!Vertical)
            P.X += S.cx;
        else
            P.Y += Down ? S.cx : -S.cx;
    }
}

void TFcCustomTabControl::DrawFocusRectangle(TCanvas* Canvas, TRect R)
{
    InflateRect(R, 1, 0);
    if (!IsVerticalStrip())
        OffsetRect(R, 0, 1);
    if (FTabStyle == tsRoundCorners) {
        switch (FTabOrientation) {
        case toTop:
            ++R.Top;
            break;
        case toLeft:
            R.Left += 2;
            break;
        case toBottom:
            --R.Bottom;
            break;
        case toRight:
            R.Right -= 2;
            break;
        }
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
    SetTextColor(Canvas->Handle(), ColorToRGB(clBlack));
    Canvas->DrawFocusRect(R);
}
