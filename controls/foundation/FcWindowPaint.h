#pragma once
// Drawing helpers that need the window layer: the parent's backdrop under a
// transparent control, the frame area of a window repainted, and the
// transparent children of a control told to paint again.
#include "platform/windows/WinControl.h"
#include "platform/graphics/Canvas.h"

// Paints what Control's parent shows under Control into DC, whose logical
// coordinates are Control's: the parent's erase and paint passes, moved by
// the control's position and cut to the parent's client area.  The
// control itself is left out (a graphic control that calls this from its
// own painting is not painted again inside the backdrop).  With
// RepaintParent a parent that is not a custom control or form is
// invalidated as well (not while designing).  Nothing happens without a
// parent.
void PaintParentBackdrop(TControl* Control, HDC DC, bool RepaintParent);
void PaintParentBackdropOnCanvas(TControl* Control, TCanvas* Canvas, bool RepaintParent);

// Invalidates R (window coordinates; nullptr for all) of the window's frame
// area too - only while some of the window can be seen.
void RedrawFrameArea(HWND Wnd, const TRect* R);

// Invalidates every child control that has a published Boolean property
// "Transparent" set to true: what they show of Control has changed.
void InvalidateTransparentControls(TWinControl* Control);
