#pragma once
// TFcCustomHintWindow (unit FcBHints): the application's hint window as a
// balloon - a box with cut corners and a pointer whose tip sits on the
// mouse position (or on the centre of a small control), placed in one of
// four corners around that spot and flipped to stay inside the work area.
// It takes its settings from the TFcBalloonHints of the program's forms.
// With ShowBalloon off it is a plain rectangle framed in FrameColor.
#include "platform/forms/Application.h"
#include "platform/forms/HintWindow.h"

#include <functional>
#include <memory>

class TFcBalloonHints;
class TFcBalloonBitmaps;

// Where the body lies from the spot pointed at: below (Lower) or above
// (Upper), to the right (Right) or the left (Left); hcNone: no pointer.
enum TFcHintCorner { hcLowerRight, hcLowerLeft, hcUpperLeft, hcUpperRight, hcNone };

using TSetHintRectEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, TRect& Rect, const String& Hint, TFcHintCorner Corner)>;
using TSetHintWinSizeEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int& Width, int& Height,
                                                const String& Hint, TFcHintCorner Corner)>;

class TFcCustomHintWindow : public THintWindow {
public:
    explicit TFcCustomHintWindow(TComponent* AOwner);
    ~TFcCustomHintWindow() override;

    int CaptionWidth() const { return FCaptionWidth; }
    void SetCaptionWidth(int Value) { FCaptionWidth = Value; }
    int CenterThreshold() const { return FCenterThreshold; }
    void SetCenterThreshold(int Value) { FCenterThreshold = Value; }
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value) { SetPaintProperty(FFrameColor, Value); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { SetPaintProperty(FAlignment, Value); }
    TFcHintCorner Corner() const { return FCorner; }
    void SetCorner(TFcHintCorner Value) { FCorner = Value; }
    bool ShowBalloon() const { return FShowBalloon; }
    void SetShowBalloon(bool Value) { SetPaintProperty(FShowBalloon, Value); }
    TSetHintWinSizeEvent OnSetHintWinSize() const { return FOnSetHintWinSize; }
    void SetOnSetHintWinSize(TSetHintWinSizeEvent Value) { FOnSetHintWinSize = std::move(Value); }
    TSetHintRectEvent OnSetHintRect() const { return FOnSetHintRect; }
    void SetOnSetHintRect(TSetHintRectEvent Value) { FOnSetHintRect = std::move(Value); }

    // The corner used after flipping, and the window's last place.
    TFcHintCorner ActiveCorner() const { return FActiveCorner; }
    TRect HintBounds() const { return FBounds; }
    bool Tracking() const { return FTracking; }
    const THintInfo& HintInfo() const { return FHintInfo; }

    // The component whose settings apply, and its bitmaps; they tell the
    // window when they go.
    TFcBalloonHints* BalloonHints() const { return FBalloonHints; }
    void LinkTo(TFcBalloonHints* Hints);
    void ComponentGone() { LinkTo(nullptr); }
    void SetBitmaps(TFcBalloonBitmaps* Value) { FBitmaps = Value; }

    void ActivateHint(TRect Rect, const String& AHint) override;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void ShowHintHook(String& HintStr, bool& CanShow, THintInfo& Info);
    void LinkToLastComponent();
    TPoint AnchorPoint();
    void Watch(TControl* Control);
    TRect BodyRect(const TRect& R) const;
    HRGN BalloonRegion(const TRect& R) const;
    void PaintBitmapFace(TBitmap* Face, bool MirrorX, bool MirrorY);
    TBitmap* FaceBitmap(bool& MirrorX, bool& MirrorY) const;
    void PaintBalloon(const TRect& B);
    void PaintCaption(TRect B);
    void MouseMoved(TMessage& Message);
    void ToHintControl(TMessage& Message);

    bool FTracking = false;
    TApplication* FApplication = nullptr;
    TShowHintEvent FPreviousShowHint;
    TFcBalloonHints* FBalloonHints = nullptr;
    TFcBalloonBitmaps* FBitmaps = nullptr;
    int FCaptionWidth = 100;
    TColor FFrameColor = clInfoText;
    THintInfo FHintInfo;
    TAlignment FAlignment = taLeftJustify;
    TFcHintCorner FCorner = hcUpperRight;
    bool FShowBalloon = false;
    int FCenterThreshold = 80;
    TFcHintCorner FActiveCorner = hcUpperRight;
    TRect FBounds;
    TEventSlot<TSetHintWinSizeEvent> FOnSetHintWinSize;
    TEventSlot<TSetHintRectEvent> FOnSetHintRect;
};
