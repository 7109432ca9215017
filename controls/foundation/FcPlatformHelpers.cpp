#include "controls/foundation/FcPlatformHelpers.h"

#include "platform/windows/WinControl.h"

void NotifyDesignerModified(TControl* Control)
{
    (void)Control;
}

bool IsWindowsVersion(int Code)
{
    (void)Code;
    return false;
}

void GetWorkAreaOfControl(TControl* Control, TRect& R)
{
    TWinControl* Window = dynamic_cast<TWinControl*>(Control);
    if (Window == nullptr && Control != nullptr)
        Window = Control->Parent();
    const HWND Wnd = Window != nullptr && Window->HandleAllocated() ? Window->Handle() : nullptr;
    GetMonitorWorkArea(Screen->MonitorFromWindow(Wnd, mdNearest), R);
}

int GetWorkAreaWidth(TControl* Control)
{
    TRect R;
    GetWorkAreaOfControl(Control, R);
    return R.Right - R.Left;
}

void GetMonitorWorkArea(TMonitor* Monitor, TRect& R)
{
    R = Monitor != nullptr ? Monitor->WorkareaRect() : TRect();
}

void GetMonitorBounds(TMonitor* Monitor, TRect& R)
{
    R = Monitor != nullptr ? Monitor->BoundsRect() : TRect();
}

TMonitor* FindMonitorAtPoint(TPoint P)
{
    for (int I = 0; I < Screen->MonitorCount(); ++I)
        if (PtInRect(Screen->Monitors(I)->BoundsRect(), P))
            return Screen->Monitors(I);
    return nullptr;
}
