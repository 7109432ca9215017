#include "controls/foundation/FcGlyphs.h"

#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcThemeBridge.h"
#include "platform/graphics/Bitmap.h"

#include <initializer_list>

namespace {

// Paints in one colour with a clear pen; the brush colour and pen style
// come back afterwards.
class TGlyphPen {
public:
    TGlyphPen(TCanvas* Canvas, TColor Color)
        : FCanvas(Canvas), FBrushColor(Canvas->Brush()->Color()), FBrushStyle(Canvas->Brush()->Style()),
          FPenStyle(Canvas->Pen()->Style())
    {
        Canvas->Pen()->SetStyle(psClear);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
    }
    ~TGlyphPen()
    {
        FCanvas->Brush()->SetColor(FBrushColor);
        FCanvas->Brush()->SetStyle(FBrushStyle);
        FCanvas->Pen()->SetStyle(FPenStyle);
    }
    TGlyphPen(const TGlyphPen&) = delete;
    TGlyphPen& operator=(const TGlyphPen&) = delete;

    // Pixels X0..X1 of row Y.
    void Row(int Y, int X0, int X1) const { FCanvas->FillRect(Rect(X0, Y, X1 + 1, Y + 1)); }
    // Pixels Y0..Y1 of column X.
    void Column(int X, int Y0, int Y1) const { FCanvas->FillRect(Rect(X, Y0, X + 1, Y1 + 1)); }
    void Polygon(std::initializer_list<TPoint> Points) const { FCanvas->Polygon(Points); }

private:
    TCanvas* FCanvas;
    TColor FBrushColor;
    TBrushStyle FBrushStyle;
    TPenStyle FPenStyle;
};

TPoint GlyphCentre(const TRect& R)
{
    TPoint C{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    if (R.Height() % 2 == 0)
        --C.Y;
    return C;
}

// The arrow colour of the theme: the middle pixel of a themed drop-down
// button, unless that is too near the window colour to be seen.
TColor ThemedGlyphColor()
{
    TBitmap Button;
    Button.SetSize(17, 21);
    if (FcThemesEnabled() && FcThemeBridge().DrawComboDropDownButton)
        FcThemeBridge().DrawComboDropDownButton(Button.Canvas(), Rect(0, 0, 17, 21));
    const TColor C = Button.Canvas()->Pixels(8, 10);
    return ColorsAreNear(C, clWindow) ? cl3DDkShadow : C;
}

TColor GlyphColor(TCanvas* Canvas, bool XPStyle, bool Enabled, bool PlainBlack)
{
    if (!Enabled)
        return clBtnShadow;
    if (XPStyle)
        return ThemedGlyphColor();
    if (PlainBlack)
        return clBlack;
    return ColorsAreNear(Canvas->Brush()->Color(), clBlack) ? cl3DDkShadow : clBlack;
}

void ClassicArrow(const TGlyphPen& Pen, int Direction, int X, int Y)
{
    for (int I = 0; I <= 3; ++I) {
        switch (Direction) {
        case ArrowUp: Pen.Row(Y - 3 + I, X - I, X + I); break;
        case ArrowDown: Pen.Row(Y - I, X - I, X + I); break;
        case ArrowLeft: Pen.Column(X + I, Y - I, Y + I); break;
        case ArrowRight: Pen.Column(X + 3 - I, Y - I, Y + I); break;
        }
    }
}

void XPArrow(const TGlyphPen& Pen, int Direction, int X, int Y)
{
    switch (Direction) {
    case ArrowUp: Pen.Polygon({{X, Y - 5}, {X + 4, Y}, {X + 1, Y}, {X, Y - 2}, {X - 1, Y}, {X - 4, Y}}); break;
    case ArrowDown: Pen.Polygon({{X, Y}, {X - 3, Y - 4}, {X, Y - 4}, {X, Y - 3}, {X + 1, Y - 4}, {X + 4, Y - 4}}); break;
    case ArrowLeft: Pen.Polygon({{X, Y}, {X + 4, Y - 4}, {X + 4, Y - 1}, {X + 3, Y}, {X + 4, Y + 1}, {X + 4, Y + 4}}); break;
    case ArrowRight: Pen.Polygon({{X + 4, Y}, {X, Y + 4}, {X, Y + 1}, {X + 1, Y}, {X, Y - 1}, {X, Y - 4}}); break;
    }
}

// Where each arrow's tip or base sits relative to the centre.
TPoint ArrowOffset(int Direction, bool XPStyle)
{
    switch (Direction) {
    case ArrowUp: return {0, XPStyle ? 4 : 1};
    case ArrowDown: return {0, XPStyle ? 2 : 1};
    case ArrowLeft: return {XPStyle ? -1 : -2, 0};
    default: return {XPStyle ? -3 : -2, 0};
    }
}

TColor CheckFillColor(int DrawState, bool Focused, TColor FillColor, TColor FocusColor, TColor DisabledColor,
                      bool ReadOnly, bool ReadOnlyOnFocus, TColor ReadOnlyColor)
{
    switch (DrawState) {
    case 1: return DarkenColor(FocusColor, 20);
    case 3: return DisabledColor;
    default:
        if (Focused)
            return ReadOnly && ReadOnlyOnFocus ? ReadOnlyColor : FocusColor;
        return ReadOnly ? ReadOnlyColor : FillColor;
    }
}

// The tick: seven columns of three pixels, counted from (Left - 1, Top - 1).
void PaintTick(const TGlyphPen& Pen, const TRect& R)
{
    static const int FirstRow[] = {5, 6, 7, 6, 5, 4, 3};
    for (int I = 0; I < 7; ++I)
        Pen.Column(R.Left - 1 + 3 + I, R.Top - 1 + FirstRow[I], R.Top - 1 + FirstRow[I] + 2);
}

} // namespace

void PaintDropDownArrow(TCanvas* Canvas, const TRect& R, bool XPStyle, bool Enabled, bool Down)
{
    if (Canvas == nullptr)
        return;
    const TGlyphPen Pen(Canvas, GlyphColor(Canvas, XPStyle, Enabled, false));
    TPoint C = GlyphCentre(R);
    int X = C.X, Y = C.Y + (XPStyle ? 4 : 2);
    if (Down) {
        ++X;
        ++Y;
    }
    if (XPStyle)
        Pen.Polygon({{X, Y}, {X - 4, Y - 5}, {X - 3, Y - 7}, {X, Y - 3}, {X + 3, Y - 7}, {X + 5, Y - 5}});
    else
        ClassicArrow(Pen, ArrowDown, X, Y);
}

void PaintDirectionArrow(TCanvas* Canvas, const TRect& R, bool XPStyle, int Direction, bool Enabled, bool Down)
{
    if (Canvas == nullptr || Direction < ArrowUp || Direction > ArrowRight)
        return;
    const TGlyphPen Pen(Canvas, GlyphColor(Canvas, XPStyle, Enabled, false));
    const TPoint C = GlyphCentre(R), Offset = ArrowOffset(Direction, XPStyle);
    const int Pressed = Down && Enabled ? 1 : 0;
    const int X = C.X + Offset.X + Pressed, Y = C.Y + Offset.Y + Pressed;
    if (XPStyle)
        XPArrow(Pen, Direction, X, Y);
    else
        ClassicArrow(Pen, Direction, X, Y);
}

void PaintCloseCross(TCanvas* Canvas, const TRect& R, bool XPStyle, bool Enabled, bool Down)
{
    if (Canvas == nullptr)
        return;
    const TGlyphPen Pen(Canvas, GlyphColor(Canvas, XPStyle, Enabled, true));
    const TPoint C = GlyphCentre(R);
    const int Pressed = Down && Enabled ? 1 : 0;
    const int X = C.X + Pressed, Y = C.Y + Pressed;
    Pen.Polygon({{X, Y - 1},
                 {X + 2, Y - 3},
                 {X + 5, Y - 3},
                 {X + 2, Y},
                 {X + 5, Y + 4},
                 {X + 2, Y + 3},
                 {X, Y + 1},
                 {X - 2, Y + 4},
                 {X - 4, Y + 3},
                 {X - 1, Y},
                 {X - 4, Y - 3},
                 {X - 1, Y - 3}});
}

void PaintCheckGlyph(TCanvas* Canvas, const TRect& R, int State, int DrawState, bool Focused,
                     TFcButtonHotTrackStyle HotStyle, TColor FrameColor, TColor MarkColor, TColor FillColor,
                     TColor FocusColor, TColor DisabledColor, TColor HotColor, TColor HotLightColor, bool ReadOnly,
                     bool ReadOnlyOnFocus, TColor ReadOnlyColor)
{
    if (Canvas == nullptr)
        return;
    const bool Hot = DrawState == 2;
    const TRect Inside = PaintBoxOutline(Canvas, R, Hot && HotStyle == htsFrame ? HotLightColor : FrameColor);
    const TColor Mark = DrawState == 3 ? clBtnShadow : MarkColor;
    {
        const TGlyphPen Fill(Canvas, CheckFillColor(DrawState, Focused, FillColor, FocusColor, DisabledColor,
                                                    ReadOnly, ReadOnlyOnFocus, ReadOnlyColor));
        Canvas->FillRect(Inside);
    }
    if (State == 1) {
        const TGlyphPen Pen(Canvas, Mark);
        PaintTick(Pen, R);
    } else if (State == 2) {
        const TGlyphPen Pen(Canvas, Mark);
        TRect Block = Inside;
        InflateRect(Block, -2, -2);
        Canvas->FillRect(Block);
    }
    if (Hot && HotStyle == htsInterior)
        PaintGradientBorder(Canvas, Inside, gdDiagonalDown, HotColor, HotLightColor);
    else if (Hot)
        PaintBoxOutline(Canvas, R, HotLightColor);
}
