#pragma once
// TFcCustomGroupBox (unit FcPanel): a panel that frames a group of
// controls with its caption set into the frame or above it, in one of six
// styles; TFcGroupBox publishes it.  The custom style keeps the panel's
// own look (and its frame controller); the others paint themselves.  The
// caption's accelerator moves the focus to the first control inside.
#include "controls/foundation/FcPanel.h"

enum TFcGroupBoxStyle { gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline };

class TFcCustomGroupBox : public TFcCustomPanel {
public:
    explicit TFcCustomGroupBox(TComponent* AOwner);

    TFcGroupBoxStyle GroupStyle() const { return FGroupStyle; }
    void SetGroupStyle(TFcGroupBoxStyle Value);

    void AdjustClientRect(TRect& Rect) override;
    void ApplyFrameController() override;

    // Where the caption goes (empty for an empty caption and the custom
    // style), for a caption of TextWidth x TextHeight.
    TRect CaptionRect(int TextWidth, int TextHeight);
    // The frame's rectangle below half the caption's line.
    TRect FrameRect(int LineHeight);

protected:
    void Paint() override;
    void CMDialogChar(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;

private:
    bool Themed();
    TSize MeasureCaption(const String& Text);
    void PaintThemed(const TRect& CR, const TRect& FR);
    void PaintFrame(const TRect& CR, const TRect& FR, TColor Flat);
    void PaintTopLine(const TRect& FR, TColor Flat);
    void PaintRoundedFrame(const TRect& FR, TColor Flat);
    void PaintBanner(const TRect& CR, TColor Flat);
    void PaintCaptionText(TRect CR);

    TFcGroupBoxStyle FGroupStyle = gsFlat;
};

class TFcGroupBox : public TFcCustomGroupBox {
public:
    explicit TFcGroupBox(TComponent* AOwner) : TFcCustomGroupBox(AOwner) {}
};
