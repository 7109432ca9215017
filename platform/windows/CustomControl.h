#pragma once
// TCustomControl: a windowed control that paints itself on Canvas in
// Paint, after its background was erased.
#include "platform/windows/WinControl.h"
#include "platform/graphics/ControlCanvas.h"

#include <memory>

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;
    void WMPaint(TMessage& Message) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
