#pragma once
// TFcCustomStatusPane (unit FcStatus): a windowless text field of a status
// bar - a frame, a fill colour, a caption aligned with an offset, an
// optional automatic width, blinking in the shared rhythm and the framing
// notification.  Inside a TFcStatusBar it takes the bar's look: themed
// panes, or dividers between the panes of a gradient bar.  TFcStatusPane
// publishes it and can show the application's hints by itself; the polling
// panes (FcPollingStatus.h) are built on it.
#include "controls/foundation/FcFrameController.h"
#include "controls/foundation/FcTypes.h"
#include "platform/windows/GraphicControl.h"

#include <cstdint>

class TFcStatusBar;

class TFcCustomStatusPane : public TGraphicControl, public IFcFrameControllerClient {
public:
    explicit TFcCustomStatusPane(TComponent* AOwner);
    ~TFcCustomStatusPane() override;

    // The width AutoSize gives: the caption's plus the borders, the offset
    // and 6 pixels; DefaultWidth for an empty caption.
    virtual int GetAutoWidth();
    // Where the caption goes: the client area inside the frame.
    virtual void GetTextRect(TRect& R);
    virtual void DrawCaption(const String& Text);
    virtual void DrawFrame();
    void ApplyFrameController() override;
    // The blinking list's phase: 1 shows BlinkColor, 0 the font's colour.
    virtual void BlinkStateChanged(int State);

    TBorderWidth BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(TBorderWidth Value) { SetPaintProperty(FBorderWidth, Value); }
    // Setting it turns ParentFillColor off.
    TColor FillColor() const { return FFillColor; }
    void SetFillColor(TColor Value);
    // The fill follows Color while this is on.
    bool ParentFillColor() const { return FParentFillColor; }
    void SetParentFillColor(bool Value);
    TColor FlatColor() const { return FFlatColor; }
    void SetFlatColor(TColor Value) { SetPaintProperty(FFlatColor, Value); }
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    void SetFlatColorAdjustment(int Value) { SetPaintProperty(FFlatColorAdjustment, Value); }
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle Value) { SetPaintProperty(FFrameStyle, Value); }
    TFcFrameController* FrameController() const { return FFrameController; }
    void SetFrameController(TFcFrameController* Value);
    TFcFrameControllerNotifications FrameControllerNotifications() const { return FFrameControllerNotifications; }
    void SetFrameControllerNotifications(TFcFrameControllerNotifications Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    // --- the text pane's properties (published by TFcStatusPane and, as
    // far as they apply, the polling panes) ---
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { SetPaintProperty(FAlignment, Value); }
    // The application's hints become the caption.
    bool AutoHint() const { return FAutoHint; }
    void SetAutoHint(bool Value) { FAutoHint = Value; }
    void SetAutoSize(bool Value) override;
    bool Blinking() const { return FBlinking; }
    void SetBlinking(bool Value);
    TColor BlinkColor() const { return FBlinkColor; }
    void SetBlinkColor(TColor Value) { SetPaintProperty(FBlinkColor, Value); }
    // The shared rhythm: setting them on one pane sets them for every
    // blinking label and pane.
    std::uint16_t BlinkIntervalOff() const;
    void SetBlinkIntervalOff(std::uint16_t Value);
    std::uint16_t BlinkIntervalOn() const;
    void SetBlinkIntervalOn(std::uint16_t Value);
    int CaptionOffset() const { return FCaptionOffset; }
    void SetCaptionOffset(int Value) { SetLayoutProperty(FCaptionOffset, Value); }
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value) { SetLayoutProperty(FDefaultWidth, Value); }

    // The colour the caption is drawn in now (the font's, or BlinkColor in
    // the blink phase).
    TColor CurrentFontColor() const { return FCurrentFontColor; }
    // The status bar the pane sits on, if it sits on one.
    TFcStatusBar* StatusBar() const;
    // Whether the pane reaches under the bar's size grip.
    bool IsUnderSizeGrip() const;
    // Whether the pane is drawn with the bar's theme.
    bool Themed() const;

    bool IsColorStored() const;
    bool IsFrameStyleStored() const;
    bool ExecuteAction(TBasicAction* Action) override;

protected:
    void Paint() override;
    void Loaded() override;
    void AdjustSize() override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMFontChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMParentColorChanged(TMessage& Message) override;
    void CMHitTest(TMessage& Message) override;

    // The caption's drawing in a colour of the caller's choosing.
    void DrawCaptionText(const String& Text, TColor Color);

private:
    void PaintThemedBackground(const TRect& R);

    TBorderWidth FBorderWidth = 1;
    TColor FFillColor = clBtnFace;
    bool FParentFillColor = true;
    TColor FFlatColor = clBtnShadow;
    int FFlatColorAdjustment = 30;
    TFrameStyle FFrameStyle = fsFlat;
    TFcFrameController* FFrameController = nullptr;
    TFcFrameControllerNotifications FFrameControllerNotifications = AllFrameControllerNotifications;
    bool FTransparent = true;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoHint = false;
    bool FBlinking = false;
    TColor FBlinkColor = clHighlight;
    int FCaptionOffset = 2;
    int FDefaultWidth = 40;
    TColor FNormalFontColor = clWindowText;
    TColor FCurrentFontColor = clWindowText;
    // The height of "Pp" in the font; -1 until measured.
    int FLineHeight = -1;
};

class TFcStatusPane : public TFcCustomStatusPane {
public:
    explicit TFcStatusPane(TComponent* AOwner) : TFcCustomStatusPane(AOwner) {}
};
