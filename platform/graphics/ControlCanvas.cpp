#include "platform/graphics/ControlCanvas.h"

TControlCanvasHooks& ControlCanvasHooks()
{
    static TControlCanvasHooks Hooks;
    return Hooks;
}

TControlCanvas::~TControlCanvas()
{
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* Value)
{
    if (FControl == Value)
        return;
    FreeHandle();
    FControl = Value;
}

void TControlCanvas::PaintOn(HDC DC, const std::function<void()>& Paint)
{
    FreeHandle();
    SetHandle(DC);
    try {
        Paint();
    } catch (...) {
        SetHandle(nullptr);
        throw;
    }
    SetHandle(nullptr);
}

void TControlCanvas::FreeHandle()
{
    if (FDeviceContext == nullptr)
        return;
    SetHandle(nullptr);
    if (ControlCanvasHooks().ReleaseDC)
        ControlCanvasHooks().ReleaseDC(FControl, FDeviceContext);
    FDeviceContext = nullptr;
}

void TControlCanvas::CreateHandle()
{
    if (FControl == nullptr || !ControlCanvasHooks().GetDC)
        return;
    FDeviceContext = ControlCanvasHooks().GetDC(FControl);
    if (FDeviceContext != nullptr)
        SetHandle(FDeviceContext);
}
