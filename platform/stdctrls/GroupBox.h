#pragma once
// TCustomGroupBox: a frame with its caption set into the top line, holding
// controls that belong together.  Children are aligned below the caption
// and inside the frame; the caption's accelerator moves the focus to the
// first control in the box that takes it.
#include "platform/windows/CustomControl.h"

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);

    void AdjustClientRect(TRect& Rect) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    // The height of a line of the control's font (the caption's line).
    int FontHeight();

private:
    void PaintFrame(int CaptionHeight);
    void PaintCaption(int CaptionHeight);
};

class TGroupBox : public TCustomGroupBox {
public:
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};
