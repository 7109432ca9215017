#pragma once
// TGraphicControl: a control without a window of its own.  Its parent
// paints it (handing it a device context in WM_PAINT) and passes it the
// mouse; Paint draws on Canvas.
#include "platform/windows/Controls.h"
#include "platform/graphics/ControlCanvas.h"

#include <memory>

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void Dispatch(TMessage& Message) override;
    virtual void WMPaint(TMessage& Message);

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
