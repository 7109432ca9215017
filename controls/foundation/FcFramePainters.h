#pragma once
// The frame painters of the framed controls: one-pixel side lines, bevel
// rings and edges, the frame styles, outlines, a panel's whole border and
// the frame of edits and lists.  Each draws into R and returns the inner
// rectangle the frame leaves, so that callers can stack frames and paint
// their content inside.  A line whose colour is clNone is left out (the
// rectangle still shrinks); a null canvas draws nothing and returns the
// same rectangle.
#include "controls/foundation/FcTypes.h"
#include "platform/graphics/Canvas.h"

// Left (L,T)-(L,B) and top (L,T)-(R,T) in ULColor, then right
// (R-1,T)-(R-1,B) and bottom (L,B-1)-(R,B-1) in LRColor, each only for a
// chosen side; R shrinks by 1 on each chosen side.
TRect PaintSideLines(TCanvas* Canvas, const TRect& R, TColor ULColor, TColor LRColor, TSides Sides);
// Count rings, each inside the last, with a pen of width 1.
TRect PaintBevelRings(TCanvas* Canvas, const TRect& R, TColor ULColor, TColor LRColor, int Count, TSides Sides);

// Two-ring edges in the 3-D system colours; R shrinks by 2 on the sides.
TRect PaintBevelEdgeSides(TCanvas* Canvas, const TRect& R, bool Lowered, TSides Sides);
TRect PaintBevelEdge(TCanvas* Canvas, const TRect& R, bool Lowered);
TRect PaintButtonEdgeSides(TCanvas* Canvas, const TRect& R, bool Down, TSides Sides);
TRect PaintButtonEdge(TCanvas* Canvas, const TRect& R, bool Down);
// The button edge in shades of Color instead of the system colours.
TRect PaintColoredButtonEdgeSides(TCanvas* Canvas, const TRect& R, TColor Color, bool Down, TSides Sides);
TRect PaintColoredButtonEdge(TCanvas* Canvas, const TRect& R, TColor Color, bool Down);

// A frame style in the system colours; fsNone leaves R as it is.
TRect PaintFrameStyleSides(TCanvas* Canvas, const TRect& R, TFrameStyle FrameStyle, TSides Sides);
TRect PaintFrameStyle(TCanvas* Canvas, const TRect& R, TFrameStyle FrameStyle);
// A frame style in shades of Color.
TRect PaintColoredFrameSides(TCanvas* Canvas, const TRect& R, TColor Color, TFrameStyle FrameStyle, TSides Sides);
TRect PaintColoredFrame(TCanvas* Canvas, const TRect& R, TColor Color, TFrameStyle FrameStyle);

// The four lines of R; R shrinks by 1.
TRect PaintBoxOutline(TCanvas* Canvas, const TRect& R, TColor Color);
// Only the corners of R's outline, each arm CornerSize long; R shrinks by 1.
TRect PaintCornerBrackets(TCanvas* Canvas, const TRect& R, TColor Color, int CornerSize);
// The four lines of R with the corner pixels left out, a flat frame that
// looks rounded; R shrinks by 1.
TRect PaintFlatLines(TCanvas* Canvas, const TRect& R, TColor Color);
// Every second pixel of the four edges, from the second one on, set to
// black whatever was there; R shrinks by 1.
TRect PaintDottedOutline(TCanvas* Canvas, const TRect& R);
// The chosen sides, stopping 2 pixels short of every corner two chosen
// sides share, with one pixel diagonally inside each such corner; R
// shrinks by 2 on the chosen sides.
TRect PaintRoundedOutline(TCanvas* Canvas, const TRect& R, TColor Color, TSides Sides);

// The whole border of a panel-like control: the outer style, BorderWidth
// rings of BorderColor, the inner style.  Flat styles draw in FlatColor
// shifted by FlatColorAdjustment; fsPopup and fsStatus draw BevelWidth rings
// of the highlight and shadow colours; FlatLines draws an inner fsFlat with
// open corners.  Returns the client rectangle inside.
TRect PaintPanelBorder(TCanvas* Canvas, const TRect& R, TFrameStyleEx BorderOuter, TFrameStyleEx BorderInner,
                       int BorderWidth, TSides Sides, int BevelWidth, TColor BorderColor, TColor BorderHighlight,
                       TColor BorderShadow, TColor FlatColor, int FlatColorAdjustment, TColor Color,
                       TColor ParentColor, bool Transparent, bool FlatLines);

// The frame of an edit, memo, list or grid in its window frame area
// (0, 0, Width, Height): unless NoErase two rings of Color first, then the
// frame style (fsFlat and fsFlatBold in FrameColor; the others in shades of
// Color, or in the system colours when Color is clWindow).
void PaintControlFrame(TCanvas* Canvas, int Width, int Height, TFrameStyleEx FrameStyle, TColor Color,
                       TColor FrameColor, TSides Sides, bool NoErase);

// A 2-pixel gradient ring along the inside of R, only on screens with many
// colours; the canvas's clipping is as before afterwards.
void PaintGradientBorder(TCanvas* Canvas, const TRect& R, TGradientDirection Direction, TColor StartColor,
                         TColor StopColor);

// A group bar's background: the themed explorer bar for vsWinXP while
// themes are on; else, for vsGradient (or vsWinXP without themes) on a
// screen with many colours, a top-to-bottom gradient in the custom pair or
// the group-bar colours of ColorStyle (turned round for gpBottomToTop);
// vsClassic paints nothing.
void PaintGroupBarBackground(TCanvas* Canvas, const TRect& R, TFcVisualStyle VisualStyle,
                             TFcGradientColorStyle ColorStyle, TFcGroupBarGradientPath Path, TColor StartColor,
                             TColor StopColor);
