#pragma once
// TButtonGlyph: the picture and caption of a glyph button (speed buttons and
// the buttons built on them).  The glyph bitmap holds NumGlyphs cells side
// by side: up, disabled, down, held down in a group; a missing disabled
// cell is made from the up cell (the shape embossed in the highlight and
// shadow colours), a missing down cell is the up cell.  Pixels of the
// bitmap's transparent colour (its bottom-left pixel), or less than half
// opaque, let the face show through.
//
// The layout puts the glyph and the caption side by side (blGlyphLeft ...),
// Margin pixels from the edge on the glyph's side (-1: the pair centred)
// and Spacing pixels apart (-1: the free space shared out evenly).
#include "platform/graphics/Bitmap.h"

#include <array>
#include <memory>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
// 1..4 cells in a glyph bitmap.
using TNumGlyphs = int;

class TButtonGlyph : public TObject {
public:
    TButtonGlyph();
    ~TButtonGlyph() override;

    TBitmap* Glyph() const { return FOriginal.get(); }
    // Copies Value; a bitmap whose width is 1 to 4 times its height also
    // sets NumGlyphs to that count.
    void SetGlyph(TBitmap* Value);
    TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    // Kept within 1..4.
    void SetNumGlyphs(TNumGlyphs Value);
    // The size of one cell.
    TSize CellSize() const;
    DECLARE_EVENT(TNotifyEvent, OnChange)

    // Where the glyph's top-left corner and the caption's rectangle go in
    // Client (moved by Offset), the caption measured with Canvas's font.
    void CalcButtonLayout(TCanvas* Canvas, const TRect& Client, TPoint Offset, const String& Caption,
                          TButtonLayout Layout, int Margin, int Spacing, TPoint& GlyphPos, TRect& TextBounds,
                          unsigned BiDiFlags) const;
    // Lays out and draws the glyph for State and the caption (embossed
    // when disabled); returns the caption's rectangle.  An opaque glyph
    // paints its transparent pixels in the button face colour.
    TRect Draw(TCanvas* Canvas, const TRect& Client, TPoint Offset, const String& Caption, TButtonLayout Layout,
               int Margin, int Spacing, TButtonState State, bool Transparent, unsigned BiDiFlags);
    // The picture drawn for State (nullptr without a glyph).
    TBitmap* StateImage(TButtonState State);

private:
    void GlyphChanged(TObject* Sender);
    void DropCells();
    std::unique_ptr<TBitmap> CopyCell(int Index) const;
    std::unique_ptr<TBitmap> MakeDisabled() const;

    std::unique_ptr<TBitmap> FOriginal;
    TNumGlyphs FNumGlyphs = 1;
    std::array<std::unique_ptr<TBitmap>, 4> FCells;
};
