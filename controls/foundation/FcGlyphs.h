#pragma once
// The small glyphs the buttons and boxes draw themselves: the drop-down
// arrow, direction arrows, the close cross and the check box glyph.  Arrows
// and the cross are centred in R (one pixel higher when R's height is
// even), in the button shadow colour when disabled, black (dark grey on a
// near-black brush) in the classic style, or the theme's arrow colour in
// the XP style.  The canvas's brush colour and pen style are as before
// afterwards.
#include "controls/foundation/FcTypes.h"
#include "platform/graphics/Canvas.h"

// Direction of PaintDirectionArrow.
enum : int { ArrowUp = 0, ArrowDown = 1, ArrowLeft = 2, ArrowRight = 3 };

// A downward triangle (classic) or chevron (XP); pressed it moves a pixel
// right and down.
void PaintDropDownArrow(TCanvas* Canvas, const TRect& R, bool XPStyle, bool Enabled, bool Down);
// Direction 0 up, 1 down, 2 left, 3 right; any other draws nothing.
void PaintDirectionArrow(TCanvas* Canvas, const TRect& R, bool XPStyle, int Direction, bool Enabled, bool Down);
void PaintCloseCross(TCanvas* Canvas, const TRect& R, bool XPStyle, bool Enabled, bool Down);

// A check box in R: the outline (HotLightColor when hot with a frame hot
// style), the inside in the colour of the state, then the tick (State 1) or
// the grey block (State 2), and for hot boxes the hot frame or gradient.
// DrawState: 0 normal, 1 down, 2 hot, 3 disabled.
void PaintCheckGlyph(TCanvas* Canvas, const TRect& R, int State, int DrawState, bool Focused,
                     TFcButtonHotTrackStyle HotStyle, TColor FrameColor, TColor MarkColor, TColor FillColor,
                     TColor FocusColor, TColor DisabledColor, TColor HotColor, TColor HotLightColor, bool ReadOnly,
                     bool ReadOnlyOnFocus, TColor ReadOnlyColor);
