#include "platform/windows/GraphicControl.h"

#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TGraphicControl, TControl)
END_REGISTER

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl()
{
    FCanvas->SetControl(nullptr);
}

void TGraphicControl::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_PAINT) {
        WMPaint(Message);
        return;
    }
    TControl::Dispatch(Message);
}

void TGraphicControl::WMPaint(TMessage& Message)
{
    if (Message.WParam == 0)
        return;
    FCanvas->PaintOn(HDC(Message.WParam), [this] { Paint(); });
}
