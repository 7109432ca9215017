#pragma once
// The lowest drawing layer of the control libraries: a two-colour gradient
// filler with ten directions, transparent (masked) bitmap copies and a
// bitmap flip.  Nothing here keeps state; every routine draws on a canvas
// the caller owns and frees every object it makes before it returns.
// Colours go through ColorToRGB first, so system colours are accepted.
#include "controls/foundation/FcTypes.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <cstdint>

// Fills R with a gradient from StartColor to StopColor.  It paints what
// drawing a bitmap of the gradient, of R's size (|Right - Left| by
// |Bottom - Top|), at (Left, Top) with the canvas's copy mode would paint;
// an empty size draws nothing.  Steps widens the bands of one colour (1,
// what every caller passes, gives the finest gradient).
void FillGradientRect(TCanvas* Canvas, const TRect& R, TGradientDirection Direction, TColor StartColor,
                      TColor StopColor, std::uint8_t Steps = 1);

// Copies SourceRect of Source, stretched to DestRect, onto Canvas, leaving
// the canvas alone wherever the source has TransparentColor.
void StretchMaskedBitmap(TCanvas* Canvas, TBitmap* Source, const TRect& DestRect, const TRect& SourceRect,
                         TColor TransparentColor);
// The same result built the classic way, with an AND of the mask and an OR
// of the colour copy; the canvas's own text and brush colours play no part.
void CopyMaskedBitmap(TCanvas* Canvas, TBitmap* Source, const TRect& DestRect, const TRect& SourceRect,
                      TColor TransparentColor);

// Turns the bitmap upside down in place: row y goes to row Height - 1 - y.
void FlipBitmapRows(TBitmap* Bitmap);
