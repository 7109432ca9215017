#include "platform/dbctrls/GridCells.h"

namespace {

void Plot(TCanvas* Canvas, int Left, int Top, int Right, int Bottom)
{
    Canvas->FillRect({Left, Top, Right, Bottom});
}

} // namespace

void WriteCellText(TCanvas* Canvas, const TRect& Rect, int DX, int DY, const String& Text, TAlignment Alignment)
{
    if (Text.isEmpty()) {
        Canvas->FillRect(Rect);
        return;
    }
    int X = Rect.Left + DX;
    if (Alignment != taLeftJustify) {
        const int Width = Canvas->TextWidth(Text);
        X = Alignment == taRightJustify ? Rect.Right - Width - DX : Rect.Left + (Rect.Width() - Width) / 2;
    }
    HDC DC = Canvas->Handle();
    SetBkColor(DC, ColorToRGB(Canvas->Brush()->Color()));
    ExtTextOut(DC, X, Rect.Top + DY, ETO_OPAQUE | ETO_CLIPPED, &Rect, Text);
}

void DrawIndicatorMark(TCanvas* Canvas, const TRect& Rect, TIndicatorMark Mark)
{
    if (Mark == imNone)
        return;
    const TColor Saved = Canvas->Brush()->Color();
    Canvas->Brush()->SetColor(clBlack);
    const int X = Rect.Left + Rect.Width() / 2;
    const int Y = Rect.Top + (Rect.Height() - 1) / 2;
    switch (Mark) {
    case imCurrent:
        // A triangle pointing right, seven pixels high, four wide.
        for (int I = 0; I < 4; ++I)
            Plot(Canvas, X - 2 + I, Y - 3 + I, X - 1 + I, Y + 4 - I);
        break;
    case imEdit:
        // An I-beam.
        Plot(Canvas, X, Y - 4, X + 1, Y + 5);
        Plot(Canvas, X - 2, Y - 4, X + 3, Y - 3);
        Plot(Canvas, X - 2, Y + 4, X + 3, Y + 5);
        break;
    case imInsert:
        // An asterisk: a cross and its two diagonals.
        Plot(Canvas, X - 3, Y, X + 4, Y + 1);
        Plot(Canvas, X, Y - 3, X + 1, Y + 4);
        for (int K = 1; K <= 2; ++K) {
            Plot(Canvas, X - K, Y - K, X - K + 1, Y - K + 1);
            Plot(Canvas, X + K, Y - K, X + K + 1, Y - K + 1);
            Plot(Canvas, X - K, Y + K, X - K + 1, Y + K + 1);
            Plot(Canvas, X + K, Y + K, X + K + 1, Y + K + 1);
        }
        break;
    case imNone:
        break;
    }
    Canvas->Brush()->SetColor(Saved);
}
