#pragma once
// The progress bars of the status panes: a plain bar, a gradient bar and a
// bar of LED segments.  Percent runs from 0 to 100 (more fills the whole
// bar, less than 0 counts as 0); vertical bars fill from the bottom up.  The
// canvas's colours, brush style and text alignment are as before afterwards.
#include "controls/foundation/FcTypes.h"
#include "platform/graphics/Canvas.h"

// The bar part in BarColor, the rest in BackColor (left alone when
// Transparent); with ShowPercent the text "n%" centred on the bar, in
// BackColor over the bar part and in BarColor over the rest.
void PaintTraditionalBar(TCanvas* Canvas, const TRect& R, TOrientation Orientation, bool Transparent,
                         bool ShowPercent, int Percent, TColor BarColor, TColor BackColor);
// As the plain bar, with the bar part and the rest filled by gradients.
void PaintGradientBar(TCanvas* Canvas, const TRect& R, TOrientation Orientation, bool Transparent, bool ShowPercent,
                      int Percent, TGradientDirection Direction, TColor BackColor, TColor BackColorStop,
                      TColor BarColor, TColor BarColorStop);
// Segments of equal size with a one-pixel gap in BackColor, the first
// Percent of them lit in BarColor, centred in R.  At most 80 pixels leave
// room for 10 segments.  Segments that would be narrower than a pixel
// leave only the background.  XPStyle with themes on draws the themed
// progress chunks instead.
void PaintLedBar(TCanvas* Canvas, const TRect& R, TOrientation Orientation, bool Transparent, bool XPStyle,
                 int Percent, int Segments, TColor BackColor, TColor BarColor);
