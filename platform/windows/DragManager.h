#pragma once
// Dragging and docking with the mouse: the drag objects that travel with a
// drag, and the one drag that can run at a time.  A drag holds the mouse
// capture on a window of its own until the button is released (drop),
// Escape or another button is pressed, or the capture is taken away
// (cancel).  A drag that is not immediate starts only once the mouse has
// moved its threshold away from where it was pressed.
#include "platform/windows/ControlTypes.h"

class TControl;
class TWinControl;

class TDragObject : public TObject {
public:
    TPoint DragPos;
    TControl* DragTarget = nullptr;
    TPoint DragTargetPos;
    bool Dropped = false;
    bool Cancelling = false;
    virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
    virtual void Finished(TObject* Target, int X, int Y, bool Accepted);
};

class TBaseDragControlObject : public TDragObject {
public:
    explicit TBaseDragControlObject(TControl* AControl) : Control(AControl) {}
    TControl* Control;
};

class TDragControlObject : public TBaseDragControlObject {
public:
    using TBaseDragControlObject::TBaseDragControlObject;
};

class TDragDockObject : public TBaseDragControlObject {
public:
    using TBaseDragControlObject::TBaseDragControlObject;
    TRect DockRect;
    TAlign DropAlign = alNone;
    TControl* DropOnControl = nullptr;
    bool Floating = true;
};

// --- the drag in progress (used by TControl) ---
void StartDrag(TControl* Control, bool Immediate, int Threshold);
void FinishDrag(TControl* Control, bool Drop);
// Forgets a control that is going away, without events for it.
void CancelDrag(TControl* Control);
// The control being dragged, or nullptr.
TControl* DragControl();
// True while the drag waits for its threshold.
bool DragWaiting();
