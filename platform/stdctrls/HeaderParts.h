#pragma once
// What the two header controls (THeaderControl and the older THeader)
// share: the face of one section, where the dividers between sections lie,
// and the drag that moves a divider.
#include "platform/classes/Alignment.h"
#include "platform/windows/WinControl.h"
#include "platform/graphics/Canvas.h"

#include <vector>

// Paints one section: a raised button face (pushed in while Pressed; a thin
// edge when Flat) with Text inside it, cut off with an ellipsis when it
// does not fit.
void PaintHeaderSection(TCanvas* Canvas, const TRect& R, const String& Text, TAlignment Alignment, bool Pressed,
                        bool Flat, bool Enabled);

// The section whose right edge (Rights[I]) lies within a few pixels of X,
// the last one when several do (a section of no width sits under the next
// divider); -1 when X is on no divider.
int HeaderDividerAt(const std::vector<int>& Rights, int X);

// A divider being dragged: the section it ends, where the drag began and
// the width the section had then.
struct THeaderDrag {
    int Section = -1;
    int StartX = 0;
    int StartWidth = 0;
    bool Active() const { return Section >= 0; }
    // The width the mouse at X asks for, within Min and Max.
    int WidthAt(int X, int Min, int Max) const;
};

// WM_SETCURSOR of a header: over a divider (or while one is dragged) the
// mouse shows that it can move it.  True when it set the cursor.
bool SetHeaderDividerCursor(TWinControl* Header, const std::vector<int>& Rights, bool Dragging, TMessage& Message);
