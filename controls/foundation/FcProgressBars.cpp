#include "controls/foundation/FcProgressBars.h"

#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcThemeBridge.h"

#include <algorithm>
#include <cmath>

namespace {

// Keeps the canvas's colours, brush, pen style and text alignment.
class TCanvasStateSaver {
public:
    explicit TCanvasStateSaver(TCanvas* Canvas)
        : FCanvas(Canvas), FFontColor(Canvas->Font()->Color()), FBrushColor(Canvas->Brush()->Color()),
          FBrushStyle(Canvas->Brush()->Style()), FPenColor(Canvas->Pen()->Color()), FPenStyle(Canvas->Pen()->Style()),
          FAlign(GetTextAlign(Canvas->Handle()))
    {
    }
    ~TCanvasStateSaver()
    {
        FCanvas->Font()->SetColor(FFontColor);
        FCanvas->Brush()->SetColor(FBrushColor);
        FCanvas->Brush()->SetStyle(FBrushStyle);
        FCanvas->Pen()->SetColor(FPenColor);
        FCanvas->Pen()->SetStyle(FPenStyle);
        SetTextAlign(FCanvas->Handle(), FAlign);
    }
    TCanvasStateSaver(const TCanvasStateSaver&) = delete;
    TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

private:
    TCanvas* FCanvas;
    TColor FFontColor, FBrushColor;
    TBrushStyle FBrushStyle;
    TColor FPenColor;
    TPenStyle FPenStyle;
    unsigned FAlign;
};

int Extent(const TRect& R, TOrientation O)
{
    return O == orHorizontal ? R.Width() : R.Height();
}

// The first N pixels of R along the bar's direction (from the bottom when
// vertical), and the rest.
void SplitBar(const TRect& R, TOrientation O, int N, TRect& Bar, TRect& Rest)
{
    Bar = Rest = R;
    if (O == orHorizontal) {
        Bar.Right = Rest.Left = R.Left + N;
    } else {
        Bar.Top = Rest.Bottom = R.Bottom - N;
    }
}

int BarPixels(const TRect& R, TOrientation O, int Percent)
{
    const int Total = std::max(Extent(R, O), 0);
    if (Percent >= 100)
        return Total;
    return std::clamp(int(std::nearbyint(Total * std::max(Percent, 0) / 100.0)), 0, Total);
}

String PercentText(bool ShowPercent, int Percent)
{
    return ShowPercent ? QStringLiteral("%1%").arg(std::max(Percent, 0)) : String();
}

// The text clipped to Part, centred on R, in Color; the brush (if any)
// fills Part first.
void PartText(TCanvas* Canvas, const TRect& R, const TRect& Part, const String& Text, TColor Color)
{
    Canvas->Font()->SetColor(Color);
    const int X = (R.Left + R.Right) / 2;
    const int Y = (R.Top + R.Bottom - Canvas->TextHeight(QStringLiteral("X"))) / 2;
    SetTextAlign(Canvas->Handle(), TA_CENTER);
    Canvas->TextRect(Part, X, Y, Text);
}

void ThemedLedBar(TCanvas* Canvas, const TRect& R, TOrientation O, int Percent)
{
    const auto& Draw = FcThemeBridge().DrawProgressChunks;
    TRect Q = R;
    InflateRect(Q, -1, -1);
    const int N = BarPixels(Q, O, Percent);
    if (!Draw || N <= 0)
        return;
    if (O == orHorizontal) {
        Draw(Canvas, Rect(Q.Left, Q.Top, Q.Left + N, Q.Bottom), false);
        return;
    }
    // Vertical chunks run from the top; turned over they grow from the bottom.
    TBitmap Chunks;
    Chunks.SetSize(Q.Width(), N);
    Draw(Chunks.Canvas(), Rect(0, 0, Q.Width(), N), true);
    FlipBitmapRows(&Chunks);
    Canvas->Draw(Q.Left, Q.Bottom - N, &Chunks);
}

// Segment I of Size pixels, Margin pixels in from the start edge.
TRect Segment(const TRect& R, TOrientation O, int Margin, int Size, int I)
{
    if (O == orHorizontal)
        return Rect(R.Left + Margin + I * Size, R.Top, R.Left + Margin + (I + 1) * Size, R.Bottom);
    return Rect(R.Left, R.Bottom - Margin - (I + 1) * Size, R.Right, R.Bottom - Margin - I * Size);
}

void FillSolid(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(R);
}

} // namespace

void PaintTraditionalBar(TCanvas* Canvas, const TRect& R, TOrientation Orientation, bool Transparent,
                         bool ShowPercent, int Percent, TColor BarColor, TColor BackColor)
{
    if (Canvas == nullptr)
        return;
    TCanvasStateSaver Saver(Canvas);
    TRect Bar, Rest;
    SplitBar(R, Orientation, BarPixels(R, Orientation, Percent), Bar, Rest);
    const String Text = PercentText(ShowPercent, Percent);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(BarColor);
    PartText(Canvas, R, Bar, Text, BackColor);
    Canvas->Brush()->SetColor(BackColor);
    if (Transparent)
        Canvas->Brush()->SetStyle(bsClear);
    PartText(Canvas, R, Rest, Text, BarColor);
}

void PaintGradientBar(TCanvas* Canvas, const TRect& R, TOrientation Orientation, bool Transparent, bool ShowPercent,
                      int Percent, TGradientDirection Direction, TColor BackColor, TColor BackColorStop,
                      TColor BarColor, TColor BarColorStop)
{
    if (Canvas == nullptr)
        return;
    TCanvasStateSaver Saver(Canvas);
    TRect Bar, Rest;
    SplitBar(R, Orientation, BarPixels(R, Orientation, Percent), Bar, Rest);
    FillGradientRect(Canvas, Bar, Direction, BarColor, BarColorStop, 1);
    if (!Transparent)
        FillGradientRect(Canvas, Rest, Direction, BackColor, BackColorStop, 1);
    const String Text = PercentText(ShowPercent, Percent);
    if (Text.isEmpty())
        return;
    Canvas->Brush()->SetStyle(bsClear);
    PartText(Canvas, R, Bar, Text, BackColor);
    PartText(Canvas, R, Rest, Text, BarColor);
}

void PaintLedBar(TCanvas* Canvas, const TRect& R, TOrientation Orientation, bool Transparent, bool XPStyle,
                 int Percent, int Segments, TColor BackColor, TColor BarColor)
{
    if (Canvas == nullptr)
        return;
    TCanvasStateSaver Saver(Canvas);
    if (XPStyle && FcThemesEnabled()) {
        ThemedLedBar(Canvas, R, Orientation, Percent);
        return;
    }
    const int Total = Extent(R, Orientation);
    int Size = Segments > 0 ? Total / Segments : 0;
    if (Total <= 80 && Segments >= 11) {
        Segments = 10;
        Size = Total / 10;
    }
    if (Size < 1) {
        // Too narrow for a segment of one pixel: only the background.
        if (!Transparent)
            FillSolid(Canvas, R, BackColor);
        return;
    }
    int Count = Segments;
    if ((Total - Segments * Size) / Size >= 1)
        Count += (Total - Segments * Size) / Size;
    const int Margin = (Total - Count * Size) / 2;
    const int Lit = std::min(std::max(Percent, 0) * Count / 100, Count);
    if (!Transparent) {
        TRect Start, End, Middle;
        SplitBar(R, Orientation, Margin, Start, Middle);
        SplitBar(Middle, Orientation, Count * Size, Middle, End);
        FillSolid(Canvas, Start, BackColor);
        FillSolid(Canvas, End, BackColor);
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->Pen()->SetColor(BackColor);
    } else {
        Canvas->Pen()->SetStyle(psClear);
    }
    Canvas->Brush()->SetStyle(bsSolid);
    for (int I = 0; I < Count; ++I) {
        if (I >= Lit && Transparent)
            break;
        TRect S = Segment(R, Orientation, Margin, Size, I);
        if (Transparent) {
            // Without a pen the fill stops a pixel short on the right and
            // bottom; moving the left and top in keeps the same gap.
            ++S.Left;
            ++S.Top;
        }
        Canvas->Brush()->SetColor(I < Lit ? BarColor : BackColor);
        Canvas->Rectangle(S);
    }
}
