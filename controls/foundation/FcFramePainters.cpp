#include "controls/foundation/FcFramePainters.h"

#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcThemeBridge.h"

#include <array>
#include <utility>

namespace {

struct TColorPair {
    TColor UL;
    TColor LR;
};

// Upper-left and lower-right colours of the single-colour-pair styles.
const std::array<TColorPair, TFrameStyle::High + 1> FrameColors = {{
    {clWindow, clWindow}, // fsNone
    {cl3DDkShadow, cl3DDkShadow}, // fsFlat
    {clBtnShadow, clBtnHighlight}, // fsGroove
    {clBtnHighlight, clBtnShadow}, // fsBump
    {clBtnShadow, clBtnHighlight}, // fsLowered
    {clNone, clNone}, // fsButtonDown
    {cl3DDkShadow, clBtnFace}, // fsRaised
    {clNone, clNone}, // fsButtonUp
    {clBtnShadow, clBtnHighlight}, // fsStatus
    {clBtnHighlight, clBtnShadow}, // fsPopup
    {clBtnShadow, clBtnShadow}, // fsFlatBold
}};

// R moved in by Amount on each chosen side.
TRect Shrunk(const TRect& R, TSides Sides, int Amount)
{
    TRect Q = R;
    if (Sides.Contains(sdLeft))
        Q.Left += Amount;
    if (Sides.Contains(sdTop))
        Q.Top += Amount;
    if (Sides.Contains(sdRight))
        Q.Right -= Amount;
    if (Sides.Contains(sdBottom))
        Q.Bottom -= Amount;
    return Q;
}

void Line(TCanvas* Canvas, TColor Color, int X1, int Y1, int X2, int Y2)
{
    if (Canvas == nullptr || Color == clNone)
        return;
    Canvas->Pen()->SetColor(Color);
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

void Pixel(TCanvas* Canvas, int X, int Y, TColor Color)
{
    if (Canvas != nullptr && Color != clNone)
        Canvas->SetPixels(X, Y, Color);
}

// An outer ring and an inner ring.
TRect TwoRings(TCanvas* Canvas, const TRect& R, TColorPair Outer, TColorPair Inner, TSides Sides)
{
    const TRect Q = PaintBevelRings(Canvas, R, Outer.UL, Outer.LR, 1, Sides);
    return PaintBevelRings(Canvas, Q, Inner.UL, Inner.LR, 1, Sides);
}

// Groove and bump: the corner pixels where a side is missing, then a
// lower-right ring one pixel in and an upper-left ring on the outline.
TRect PaintGroove(TCanvas* Canvas, const TRect& R, TColor UL, TColor LR, TSides Sides)
{
    const bool Left = Sides.Contains(sdLeft), Top = Sides.Contains(sdTop);
    const bool Right = Sides.Contains(sdRight), Bottom = Sides.Contains(sdBottom);
    if (Right || Top)
        Pixel(Canvas, R.Right - 1, R.Top, Right ? LR : UL);
    if (Bottom || Left)
        Pixel(Canvas, R.Left, R.Bottom - 1, Bottom ? LR : UL);
    if (Top && !Left)
        Pixel(Canvas, R.Left, R.Top + 1, LR);
    if (Left && !Top)
        Pixel(Canvas, R.Left + 1, R.Top, LR);
    if (Bottom && !Right)
        Pixel(Canvas, R.Right - 1, R.Bottom - 2, UL);
    if (Right && !Bottom)
        Pixel(Canvas, R.Right - 2, R.Bottom - 1, UL);
    TRect Q = Rect(R.Left + 1, R.Top + 1, R.Right, R.Bottom);
    PaintSideLines(Canvas, Q, LR, LR, Sides);
    OffsetRect(Q, -1, -1);
    PaintSideLines(Canvas, Q, UL, UL, Sides);
    return Shrunk(R, Sides, 2);
}

// What PaintPanelBorder paints for one of its two styles.
struct TPanelBorder {
    TCanvas* Canvas;
    TSides Sides;
    int BevelWidth;
    TColor BorderColor, BorderHighlight, BorderShadow, Flat, Color, ParentColor;
    bool Transparent, FlatLines;
    // The outer rounded ring is in BorderColor only when something follows it.
    bool BorderFollows;

    TRect Rounded(const TRect& R, bool Outer) const
    {
        if (Outer && !Transparent) {
            const TRect Q = PaintSideLines(Canvas, R, ParentColor, ParentColor, Sides);
            PaintSideLines(Canvas, Q, BorderFollows ? BorderColor : Color, BorderFollows ? BorderColor : Color,
                           Sides);
        } else if (Outer) {
            if (BorderFollows) {
                TRect Q = R;
                InflateRect(Q, -1, -1);
                PaintSideLines(Canvas, Q, BorderColor, BorderColor, Sides);
            }
        } else {
            const TRect Q = PaintSideLines(Canvas, R, BorderColor, BorderColor, Sides);
            if (!Transparent)
                PaintSideLines(Canvas, Q, Color, Color, Sides);
        }
        return PaintRoundedOutline(Canvas, R, Flat, Sides);
    }

    TRect Paint(const TRect& R, TFrameStyleEx Style, bool Outer) const
    {
        switch (Style) {
        case fsFlat:
            if (!Outer && FlatLines)
                return PaintFlatLines(Canvas, R, Flat);
            return PaintSideLines(Canvas, R, Flat, Flat, Sides);
        case fsFlatBold: return PaintBevelRings(Canvas, R, Flat, Flat, 2, Sides);
        case fsFlatRounded: return Rounded(R, Outer);
        case fsPopup: return PaintBevelRings(Canvas, R, BorderHighlight, BorderShadow, BevelWidth, Sides);
        case fsStatus: return PaintBevelRings(Canvas, R, BorderShadow, BorderHighlight, BevelWidth, Sides);
        default:
            return TFrameStyle::Contains(Style) ? PaintFrameStyleSides(Canvas, R, Style, Sides) : R;
        }
    }
};

} // namespace

TRect PaintFlatLines(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Line(Canvas, Color, R.Left, R.Top + 1, R.Left, R.Bottom - 1);
    Line(Canvas, Color, R.Left + 1, R.Top, R.Right - 1, R.Top);
    Line(Canvas, Color, R.Right - 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    Line(Canvas, Color, R.Left + 1, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
    return Shrunk(R, AllSides, 1);
}

TRect PaintSideLines(TCanvas* Canvas, const TRect& R, TColor ULColor, TColor LRColor, TSides Sides)
{
    if (Sides.Contains(sdLeft))
        Line(Canvas, ULColor, R.Left, R.Top, R.Left, R.Bottom);
    if (Sides.Contains(sdTop))
        Line(Canvas, ULColor, R.Left, R.Top, R.Right, R.Top);
    if (Sides.Contains(sdRight))
        Line(Canvas, LRColor, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
    if (Sides.Contains(sdBottom))
        Line(Canvas, LRColor, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
    return Shrunk(R, Sides, 1);
}

TRect PaintBevelRings(TCanvas* Canvas, const TRect& R, TColor ULColor, TColor LRColor, int Count, TSides Sides)
{
    if (Canvas != nullptr)
        Canvas->Pen()->SetWidth(1);
    TRect Q = R;
    for (int I = 0; I < Count; ++I)
        Q = PaintSideLines(Canvas, Q, ULColor, LRColor, Sides);
    return Q;
}

TRect PaintBevelEdgeSides(TCanvas* Canvas, const TRect& R, bool Lowered, TSides Sides)
{
    if (Lowered)
        return TwoRings(Canvas, R, {clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}, Sides);
    return TwoRings(Canvas, R, {cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}, Sides);
}

TRect PaintBevelEdge(TCanvas* Canvas, const TRect& R, bool Lowered)
{
    return PaintBevelEdgeSides(Canvas, R, Lowered, AllSides);
}

TRect PaintButtonEdgeSides(TCanvas* Canvas, const TRect& R, bool Down, TSides Sides)
{
    if (Down)
        return TwoRings(Canvas, R, {clBtnText, clBtnText}, {clBtnShadow, clBtnShadow}, Sides);
    return TwoRings(Canvas, R, {clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}, Sides);
}

TRect PaintButtonEdge(TCanvas* Canvas, const TRect& R, bool Down)
{
    return PaintButtonEdgeSides(Canvas, R, Down, AllSides);
}

TRect PaintColoredButtonEdgeSides(TCanvas* Canvas, const TRect& R, TColor Color, bool Down, TSides Sides)
{
    if (Down) {
        const TColor Outer = DarkenColor(Color, 100), Inner = DarkenColor(Color, 50);
        return TwoRings(Canvas, R, {Outer, Outer}, {Inner, Inner}, Sides);
    }
    return TwoRings(Canvas, R, {LightenColor(Color, 100), DarkenColor(Color, 100)},
                    {LightenColor(Color, 40), DarkenColor(Color, 50)}, Sides);
}

TRect PaintColoredButtonEdge(TCanvas* Canvas, const TRect& R, TColor Color, bool Down)
{
    return PaintColoredButtonEdgeSides(Canvas, R, Color, Down, AllSides);
}

TRect PaintFrameStyleSides(TCanvas* Canvas, const TRect& R, TFrameStyle FrameStyle, TSides Sides)
{
    const TColorPair P = FrameColors[std::size_t(TFrameStyleEx(FrameStyle))];
    switch (FrameStyle) {
    case fsFlat:
    case fsStatus:
    case fsPopup: return PaintSideLines(Canvas, R, P.UL, P.LR, Sides);
    case fsFlatBold: return PaintBevelRings(Canvas, R, P.UL, P.LR, 2, Sides);
    case fsLowered:
    case fsRaised: return PaintBevelEdgeSides(Canvas, R, FrameStyle == fsLowered, Sides);
    case fsButtonDown:
    case fsButtonUp: return PaintButtonEdgeSides(Canvas, R, FrameStyle == fsButtonDown, Sides);
    case fsGroove:
    case fsBump: return PaintGroove(Canvas, R, P.UL, P.LR, Sides);
    default: return R;
    }
}

TRect PaintFrameStyle(TCanvas* Canvas, const TRect& R, TFrameStyle FrameStyle)
{
    return PaintFrameStyleSides(Canvas, R, FrameStyle, AllSides);
}

TRect PaintColoredFrameSides(TCanvas* Canvas, const TRect& R, TColor Color, TFrameStyle FrameStyle, TSides Sides)
{
    const TColor Dark50 = DarkenColor(Color, 50), Light100 = LightenColor(Color, 100);
    switch (FrameStyle) {
    case fsFlat: return PaintSideLines(Canvas, R, Dark50, Dark50, Sides);
    case fsStatus: return PaintSideLines(Canvas, R, Dark50, Light100, Sides);
    case fsPopup: return PaintSideLines(Canvas, R, Light100, Dark50, Sides);
    case fsFlatBold: return PaintBevelRings(Canvas, R, Dark50, Dark50, 2, Sides);
    case fsLowered:
        return TwoRings(Canvas, R, {Dark50, Light100}, {DarkenColor(Color, 100), LightenColor(Color, 50)}, Sides);
    case fsRaised:
        return TwoRings(Canvas, R, {LightenColor(Color, 50), DarkenColor(Color, 100)}, {Light100, Dark50}, Sides);
    case fsButtonDown:
    case fsButtonUp: return PaintColoredButtonEdgeSides(Canvas, R, Color, FrameStyle == fsButtonDown, Sides);
    case fsGroove: return PaintGroove(Canvas, R, Dark50, Light100, Sides);
    case fsBump: return PaintGroove(Canvas, R, Light100, Dark50, Sides);
    default: return R;
    }
}

TRect PaintColoredFrame(TCanvas* Canvas, const TRect& R, TColor Color, TFrameStyle FrameStyle)
{
    return PaintColoredFrameSides(Canvas, R, Color, FrameStyle, AllSides);
}

TRect PaintBoxOutline(TCanvas* Canvas, const TRect& R, TColor Color)
{
    return PaintSideLines(Canvas, R, Color, Color, AllSides);
}

TRect PaintCornerBrackets(TCanvas* Canvas, const TRect& R, TColor Color, int CornerSize)
{
    if (CornerSize > 0) {
        const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom, N = CornerSize;
        Line(Canvas, Color, L, T, L + N, T);
        Line(Canvas, Color, L, T, L, T + N);
        Line(Canvas, Color, Rt - N, T, Rt, T);
        Line(Canvas, Color, Rt - 1, T, Rt - 1, T + N);
        Line(Canvas, Color, L, B - 1, L + N, B - 1);
        Line(Canvas, Color, L, B - N, L, B);
        Line(Canvas, Color, Rt - N, B - 1, Rt, B - 1);
        Line(Canvas, Color, Rt - 1, B - N, Rt - 1, B);
    }
    return Shrunk(R, AllSides, 1);
}

TRect PaintDottedOutline(TCanvas* Canvas, const TRect& R)
{
    for (int X = R.Left + 1; X < R.Right; X += 2) {
        Pixel(Canvas, X, R.Top, clBlack);
        Pixel(Canvas, X, R.Bottom - 1, clBlack);
    }
    for (int Y = R.Top + 1; Y < R.Bottom; Y += 2) {
        Pixel(Canvas, R.Left, Y, clBlack);
        Pixel(Canvas, R.Right - 1, Y, clBlack);
    }
    return Shrunk(R, AllSides, 1);
}

TRect PaintRoundedOutline(TCanvas* Canvas, const TRect& R, TColor Color, TSides Sides)
{
    const bool Left = Sides.Contains(sdLeft), Top = Sides.Contains(sdTop);
    const bool Right = Sides.Contains(sdRight), Bottom = Sides.Contains(sdBottom);
    // How far each end of a side stays from its corner.
    const auto Inset = [](bool Shared) { return Shared ? 2 : 0; };
    if (Top)
        Line(Canvas, Color, R.Left + Inset(Left), R.Top, R.Right - Inset(Right), R.Top);
    if (Bottom)
        Line(Canvas, Color, R.Left + Inset(Left), R.Bottom - 1, R.Right - Inset(Right), R.Bottom - 1);
    if (Left)
        Line(Canvas, Color, R.Left, R.Top + Inset(Top), R.Left, R.Bottom - Inset(Bottom));
    if (Right)
        Line(Canvas, Color, R.Right - 1, R.Top + Inset(Top), R.Right - 1, R.Bottom - Inset(Bottom));
    if (Left && Top)
        Pixel(Canvas, R.Left + 1, R.Top + 1, Color);
    if (Top && Right)
        Pixel(Canvas, R.Right - 2, R.Top + 1, Color);
    if (Left && Bottom)
        Pixel(Canvas, R.Left + 1, R.Bottom - 2, Color);
    if (Right && Bottom)
        Pixel(Canvas, R.Right - 2, R.Bottom - 2, Color);
    return Shrunk(R, Sides, 2);
}

TRect PaintPanelBorder(TCanvas* Canvas, const TRect& R, TFrameStyleEx BorderOuter, TFrameStyleEx BorderInner,
                       int BorderWidth, TSides Sides, int BevelWidth, TColor BorderColor, TColor BorderHighlight,
                       TColor BorderShadow, TColor FlatColor, int FlatColorAdjustment, TColor Color,
                       TColor ParentColor, bool Transparent, bool FlatLines)
{
    const TPanelBorder Border{Canvas,
                              Sides,
                              BevelWidth,
                              BorderColor,
                              BorderHighlight,
                              BorderShadow,
                              ShiftColorLightness(FlatColor, FlatColorAdjustment),
                              Color,
                              ParentColor,
                              Transparent,
                              FlatLines,
                              BorderWidth > 0 || BorderInner != fsNone};
    TRect Q = Border.Paint(R, BorderOuter, true);
    if (BorderWidth > 0)
        Q = PaintBevelRings(Canvas, Q, BorderColor, BorderColor, BorderWidth, Sides);
    return Border.Paint(Q, BorderInner, false);
}

void PaintControlFrame(TCanvas* Canvas, int Width, int Height, TFrameStyleEx FrameStyle, TColor Color,
                       TColor FrameColor, TSides Sides, bool NoErase)
{
    const TRect R = Rect(0, 0, Width, Height);
    if (!NoErase)
        PaintBevelRings(Canvas, R, Color, Color, 2, AllSides);
    switch (FrameStyle) {
    case fsFlat: PaintSideLines(Canvas, R, FrameColor, FrameColor, Sides); break;
    case fsFlatBold: PaintBevelRings(Canvas, R, FrameColor, FrameColor, 2, Sides); break;
    default:
        // fsFlatRounded is no frame style of edits: only the erase shows.
        if (!TFrameStyle::Contains(FrameStyle))
            break;
        if (Color != clWindow)
            PaintColoredFrameSides(Canvas, R, Color, FrameStyle, Sides);
        else
            PaintFrameStyleSides(Canvas, R, FrameStyle, Sides);
        break;
    }
}

void PaintGradientBorder(TCanvas* Canvas, const TRect& R, TGradientDirection Direction, TColor StartColor,
                         TColor StopColor)
{
    if (Canvas == nullptr || !ManyColors())
        return;
    HDC DC = Canvas->Handle();
    // The caller's clipping comes back afterwards, not just "no clipping".
    HRGN Saved = CreateRectRgn(0, 0, 0, 0);
    const bool HadClip = GetClipRgn(DC, Saved) == 1;
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    ExcludeClipRect(DC, R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
    FillGradientRect(Canvas, R, Direction, StartColor, StopColor, 1);
    SelectClipRgn(DC, HadClip ? Saved : nullptr);
    DeleteObject(Saved);
}

void PaintGroupBarBackground(TCanvas* Canvas, const TRect& R, TFcVisualStyle VisualStyle,
                             TFcGradientColorStyle ColorStyle, TFcGroupBarGradientPath Path, TColor StartColor,
                             TColor StopColor)
{
    if (VisualStyle == vsWinXP && FcThemesEnabled()) {
        if (FcThemeBridge().DrawExplorerBarBackground)
            FcThemeBridge().DrawExplorerBarBackground(Canvas, R);
        return;
    }
    if (VisualStyle == vsClassic || !ManyColors())
        return;
    TColor First = StartColor, Second = StopColor;
    if (ColorStyle != gcsCustom)
        GetGroupBarGradientColors(ColorStyle, First, Second);
    if (Path == gpBottomToTop)
        std::swap(First, Second);
    FillGradientRect(Canvas, R, gdHorizontalEnd, First, Second, 1);
}
