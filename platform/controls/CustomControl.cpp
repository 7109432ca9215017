#include "platform/controls/CustomControl.h"

#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TCustomControl, TWinControl)
END_REGISTER

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl()
{
    FCanvas->SetControl(nullptr);
}

void TCustomControl::WMPaint(TMessage& Message)
{
    FControlState.Include(csCustomPaint);
    try {
        TWinControl::WMPaint(Message);
    } catch (...) {
        FControlState.Exclude(csCustomPaint);
        throw;
    }
    FControlState.Exclude(csCustomPaint);
}

void TCustomControl::PaintWindow(HDC DC)
{
    FCanvas->FreeHandle();
    FCanvas->SetHandle(DC);
    try {
        Paint();
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        throw;
    }
    FCanvas->SetHandle(nullptr);
}
