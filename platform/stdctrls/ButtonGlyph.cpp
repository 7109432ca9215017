#include "platform/stdctrls/ButtonGlyph.h"

#include "platform/stdctrls/ControlText.h"

#include <algorithm>

TButtonGlyph::TButtonGlyph() : FOriginal(std::make_unique<TBitmap>())
{
    FOriginal->SetOnChange([this](TObject* Sender) { GlyphChanged(Sender); });
}

TButtonGlyph::~TButtonGlyph() = default;

void TButtonGlyph::SetGlyph(TBitmap* Value)
{
    DropCells();
    FOriginal->Assign(Value);
    if (Value != nullptr && Value->Height() > 0 && Value->Width() % Value->Height() == 0) {
        const int Cells = Value->Width() / Value->Height();
        SetNumGlyphs(Cells > 4 ? 1 : Cells);
    }
}

void TButtonGlyph::SetNumGlyphs(TNumGlyphs Value)
{
    Value = std::clamp(Value, 1, 4);
    if (Value == FNumGlyphs)
        return;
    FNumGlyphs = Value;
    GlyphChanged(FOriginal.get());
}

TSize TButtonGlyph::CellSize() const
{
    if (FOriginal->Empty())
        return {0, 0};
    return {FOriginal->Width() / FNumGlyphs, FOriginal->Height()};
}

void TButtonGlyph::GlyphChanged(TObject* Sender)
{
    (void)Sender;
    DropCells();
    if (FOnChange)
        FOnChange(this);
}

void TButtonGlyph::DropCells()
{
    for (auto& Cell : FCells)
        Cell.reset();
}

// --- the cells ------------------------------------------------------------------------------------

std::unique_ptr<TBitmap> TButtonGlyph::CopyCell(int Index) const
{
    const TSize S = CellSize();
    auto Cell = std::make_unique<TBitmap>();
    const QImage& Source = FOriginal->Image();
    Cell->SetImage(Source.copy(Index * S.cx, 0, S.cx, S.cy));
    // Pixels of the glyph's transparent colour show the face; an image with
    // an alpha channel masks itself.
    if (!Source.hasAlphaChannel()) {
        Cell->SetTransparentColor(FOriginal->TransparentColor());
        Cell->SetTransparent(true);
    }
    return Cell;
}

// The up cell's shape (every pixel that is neither transparent nor white),
// embossed: in the highlight colour one pixel down and right, then in the
// shadow colour in place, on a see-through background.
std::unique_ptr<TBitmap> TButtonGlyph::MakeDisabled() const
{
    const TSize S = CellSize();
    const QImage Up = FOriginal->Image().copy(0, 0, S.cx, S.cy);
    const QRgb Key = ColorRefToQRgb(COLORREF(ColorToRGB(FOriginal->TransparentColor())));
    const bool Alpha = Up.hasAlphaChannel();
    auto InShape = [&](int X, int Y) {
        const QRgb P = Up.pixel(X, Y);
        if (Alpha ? qAlpha(P) < 128 : (P & 0xFFFFFF) == (Key & 0xFFFFFF))
            return false;
        return (P & 0xFFFFFF) != 0xFFFFFF;
    };
    QImage Result(S.cx, S.cy, QImage::Format_ARGB32);
    Result.fill(Qt::transparent);
    const QRgb Highlight = ColorRefToQRgb(COLORREF(ColorToRGB(clBtnHighlight)));
    const QRgb Shadow = ColorRefToQRgb(COLORREF(ColorToRGB(clBtnShadow)));
    for (int Y = 0; Y < S.cy; ++Y)
        for (int X = 0; X < S.cx; ++X)
            if (InShape(X, Y) && X + 1 < S.cx && Y + 1 < S.cy)
                Result.setPixel(X + 1, Y + 1, Highlight | 0xFF000000);
    for (int Y = 0; Y < S.cy; ++Y)
        for (int X = 0; X < S.cx; ++X)
            if (InShape(X, Y))
                Result.setPixel(X, Y, Shadow | 0xFF000000);
    auto Cell = std::make_unique<TBitmap>();
    Cell->SetImage(Result);
    return Cell;
}

TBitmap* TButtonGlyph::StateImage(TButtonState State)
{
    if (FOriginal->Empty() || CellSize().cx <= 0)
        return nullptr;
    // Down without its own cell looks up; held down in a group without its
    // own cell looks down.
    if (State == bsExclusive && FNumGlyphs < 4)
        State = bsDown;
    if (State == bsDown && FNumGlyphs < 3)
        State = bsUp;
    auto& Cell = FCells[std::size_t(State)];
    if (!Cell)
        Cell = State == bsDisabled && FNumGlyphs < 2 ? MakeDisabled() : CopyCell(int(State));
    return Cell.get();
}

// --- layout and drawing ---------------------------------------------------------------------------

void TButtonGlyph::CalcButtonLayout(TCanvas* Canvas, const TRect& Client, TPoint Offset, const String& Caption,
                                    TButtonLayout Layout, int Margin, int Spacing, TPoint& GlyphPos, TRect& TextBounds,
                                    unsigned BiDiFlags) const
{
    const TPoint ClientSize{Client.Width(), Client.Height()};
    const TSize Cell = CellSize();
    const TPoint GlyphSize{Cell.cx, Cell.cy};
    TextBounds = {0, 0, 0, 0};
    if (!Caption.isEmpty()) {
        TextBounds = {0, 0, ClientSize.X, 0};
        DrawText(Canvas->Handle(), Caption, &TextBounds, DT_CALCRECT | BiDiFlags);
    }
    const TPoint TextSize{TextBounds.Width(), TextBounds.Height()};
    const bool Across = Layout == blGlyphLeft || Layout == blGlyphRight;
    TPoint TextPos;
    // The other axis: both centred.
    if (Across) {
        GlyphPos.Y = (ClientSize.Y - GlyphSize.Y + 1) / 2;
        TextPos.Y = (ClientSize.Y - TextSize.Y + 1) / 2;
    } else {
        GlyphPos.X = (ClientSize.X - GlyphSize.X + 1) / 2;
        TextPos.X = (ClientSize.X - TextSize.X + 1) / 2;
    }
    if (TextSize.X == 0 || GlyphSize.X == 0)
        Spacing = 0;
    const int Room = Across ? ClientSize.X : ClientSize.Y;
    const int Glyph = Across ? GlyphSize.X : GlyphSize.Y;
    const int Text = Across ? TextSize.X : TextSize.Y;
    if (Margin == -1) {
        if (Spacing == -1) {
            Margin = (Room - (Glyph + Text)) / 3;
            Spacing = Margin;
        } else {
            Margin = (Room - (Glyph + Spacing + Text) + 1) / 2;
        }
    } else if (Spacing == -1) {
        Spacing = (Room - (Margin + Glyph) - Text) / 2;
    }
    switch (Layout) {
    case blGlyphLeft:
        GlyphPos.X = Margin;
        TextPos.X = GlyphPos.X + GlyphSize.X + Spacing;
        break;
    case blGlyphRight:
        GlyphPos.X = ClientSize.X - Margin - GlyphSize.X;
        TextPos.X = GlyphPos.X - Spacing - TextSize.X;
        break;
    case blGlyphTop:
        GlyphPos.Y = Margin;
        TextPos.Y = GlyphPos.Y + GlyphSize.Y + Spacing;
        break;
    case blGlyphBottom:
        GlyphPos.Y = ClientSize.Y - Margin - GlyphSize.Y;
        TextPos.Y = GlyphPos.Y - Spacing - TextSize.Y;
        break;
    }
    GlyphPos.X += Client.Left + Offset.X;
    GlyphPos.Y += Client.Top + Offset.Y;
    OffsetRect(TextBounds, TextPos.X + Client.Left + Offset.X, TextPos.Y + Client.Top + Offset.Y);
}

TRect TButtonGlyph::Draw(TCanvas* Canvas, const TRect& Client, TPoint Offset, const String& Caption,
                         TButtonLayout Layout, int Margin, int Spacing, TButtonState State, bool Transparent,
                         unsigned BiDiFlags)
{
    TPoint GlyphPos;
    TRect TextBounds;
    CalcButtonLayout(Canvas, Client, Offset, Caption, Layout, Margin, Spacing, GlyphPos, TextBounds, BiDiFlags);
    if (TBitmap* Image = StateImage(State)) {
        const TRect Where = Bounds(GlyphPos.X, GlyphPos.Y, Image->Width(), Image->Height());
        if (!Transparent && State != bsExclusive)
            FillRect(Canvas->Handle(), &Where, GetSysColorBrush(COLOR_BTNFACE));
        Canvas->StretchDraw(Where, Image);
    }
    Canvas->Brush()->SetStyle(bsClear);
    DrawControlText(Canvas, Caption, TextBounds, DT_CENTER | DT_VCENTER | BiDiFlags, State != bsDisabled);
    return TextBounds;
}
