#pragma once
// Captions of the standard controls as the classic desktop draws them: in
// the canvas font's colour while enabled, and embossed while disabled (the
// text once in the highlight colour one pixel down and right, then in the
// shadow colour in place), so a greyed caption stays readable on any face.
#include "platform/graphics/Canvas.h"

// Draws Text into R with the DrawText Flags on Canvas (whose font and
// brush style the caller set); returns what DrawText returns.  With
// DT_CALCRECT only measures, R taking the text's extent.
int DrawControlText(TCanvas* Canvas, const String& Text, TRect& R, unsigned Flags, bool Enabled);
