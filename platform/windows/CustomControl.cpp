#include "platform/windows/CustomControl.h"

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
    const TControlStateFlag Custom(FControlState, csCustomPaint);
    TWinControl::WMPaint(Message);
}

void TCustomControl::PaintWindow(HDC DC)
{
    FCanvas->PaintOn(DC, [this] { Paint(); });
}
