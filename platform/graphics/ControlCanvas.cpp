#include "platform/graphics/ControlCanvas.h"

#include <algorithm>
#include <vector>

TControlCanvasHooks& ControlCanvasHooks()
{
    static TControlCanvasHooks Hooks;
    return Hooks;
}

namespace {

// The canvases holding a context they fetched themselves.
std::vector<TControlCanvas*>& Holding()
{
    static auto* List = new std::vector<TControlCanvas*>;
    return *List;
}

} // namespace

void FreeDeviceContexts()
{
    // Freeing takes each canvas off the list.
    while (!Holding().empty())
        Holding().back()->FreeHandle();
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
    HDC DC = FDeviceContext;
    FDeviceContext = nullptr;
    auto& List = Holding();
    List.erase(std::remove(List.begin(), List.end(), this), List.end());
    if (ControlCanvasHooks().ReleaseDC)
        ControlCanvasHooks().ReleaseDC(FControl, DC);
}

void TControlCanvas::CreateHandle()
{
    if (FControl == nullptr || !ControlCanvasHooks().GetDC)
        return;
    FDeviceContext = ControlCanvasHooks().GetDC(FControl);
    if (FDeviceContext == nullptr)
        return;
    Holding().push_back(this);
    SetHandle(FDeviceContext);
}
