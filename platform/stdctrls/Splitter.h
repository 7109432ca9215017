#pragma once
// TSplitter: a bar beside an aligned control that the user drags to resize
// that control.  It works on the control it sits against on its aligned
// side (the one on its left for alLeft ...); the control keeps at least
// MinSize pixels and leaves at least MinSize to the parent's client area.
// With AutoSnap a drag below MinSize collapses the control to 0.
//
// ResizeStyle: rsLine and rsPattern show an inverted line while dragging
// and resize at the release, rsUpdate resizes as the mouse moves, rsNone
// shows nothing and resizes at the release.  Escape while dragging leaves
// the control as it was.  OnMoved follows every resize.
#include "platform/windows/GraphicControl.h"

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
using TCanResizeSplitterEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* AOwner);
    ~TSplitter() override;

    bool AutoSnap() const { return FAutoSnap; }
    void SetAutoSnap(bool Value) { FAutoSnap = Value; }
    bool Beveled() const { return FBeveled; }
    void SetBeveled(bool Value);
    int MinSize() const { return FMinSize; }
    void SetMinSize(int Value);
    TResizeStyle ResizeStyle() const { return FResizeStyle; }
    void SetResizeStyle(TResizeStyle Value) { FResizeStyle = Value; }
    DECLARE_EVENT(TCanResizeSplitterEvent, OnCanResize)
    DECLARE_EVENT(TNotifyEvent, OnMoved)
    DECLARE_EVENT(TNotifyEvent, OnPaint)

    // The control the splitter resizes now (nullptr: none).
    TControl* FindControl();

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    using TGraphicControl::CanResize;
    // OnCanResize's say on a size the drag reached.
    virtual bool CanResize(int& NewSize);

private:
    bool Vertical() const { return Align() == alLeft || Align() == alRight; }
    void CalcMaxSize();
    void CalcSplitSize(int X, int Y, int& NewSize, int& Split);
    bool DoCanResize(int& NewSize);
    void UpdateControlSize();
    void StopSizing();
    void DrawLine();
    void HookFocusKeys();
    void UnhookFocusKeys();

    bool FAutoSnap = true;
    bool FBeveled = false;
    int FMinSize = 30;
    TResizeStyle FResizeStyle = rsPattern;

    // The drag: the control being resized, where the press was, the
    // limits and the size the drag has reached.
    TControl* FControl = nullptr;
    TPoint FDownPos;
    int FMaxSize = 0;
    int FNewSize = 0;
    int FOldSize = -1;
    int FSplit = 0;
    bool FLineVisible = false;
    HDC FLineDC = nullptr;
    HWND FHookedWnd = nullptr;
    std::uint64_t FHookedSerial = 0;
    TWindowProcedure FParentProc;
};
