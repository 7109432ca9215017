#pragma once
// THintWindow: the small window that shows a control's hint.  The
// application makes one of its HintWindowClass and moves it from control to
// control; a descendant (a balloon) changes its shape and painting.
#include "platform/windows/CustomControl.h"

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);

    // The size the hint text needs, at most MaxWidth wide (screen
    // coordinates are added by the caller).
    virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
    // Shows the window with AHint at Rect (screen coordinates).
    virtual void ActivateHint(TRect Rect, const String& AHint);
    virtual void ActivateHintData(const TRect& Rect, const String& AHint, void* AData);
    virtual bool IsHintMsg(const MSG& Msg);
    void ReleaseHandle() { DestroyHandle(); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
};
