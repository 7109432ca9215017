#pragma once
// TFcButton (unit FcButton): the framed push button.  Default and cancel
// buttons, modal results, toggle groups (GroupIndex) whose down button shows
// a dotted pattern, a hot-track look with gradient faces (HotTrack), the
// classic 3-D look, and the themed push button while ThemeAware and themes
// are on.
#include "controls/foundation/FcCustomButton.h"
#include "platform/windows/ControlTypes.h"
#include "platform/stdctrls/ButtonGlyph.h"

class TBitmap;

class TFcButton : public TFcCustomButton {
public:
    explicit TFcButton(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { SetPaintProperty(FAlignment, Value); }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    // Only a grouped button can be down; a group keeps at most one down.
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    // Stored, and read by buttons that open something on Enter; the push
    // button itself does nothing with it.
    bool DropDownOnEnter() const { return FDropDownOnEnter; }
    void SetDropDownOnEnter(bool Value) { FDropDownOnEnter = Value; }
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value) { SetPaintProperty(FFrameColor, Value); }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    bool ShowDownPattern() const { return FShowDownPattern; }
    void SetShowDownPattern(bool Value) { SetPaintProperty(FShowDownPattern, Value); }
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool Value) { SetPaintProperty(FShowFocusRect, Value); }
    void SetHotTrack(bool Value) override;

    // bsUp, or bsExclusive while Down.
    TButtonState State() const { return FState; }
    // Whether Enter presses this button now: the default button while no
    // other button has the focus, or the focused button.
    bool Active() const { return FActive; }

    void Click() override;
    void DefineProperties(TFiler& Filer) override;

protected:
    virtual void GetCaptionRect(TRect& R);
    virtual void PaintCaption();
    // An 8 x 8 checkerboard of Color and a grey for a down group button.
    virtual void BuildDownPattern(TBitmap* Bitmap);

    void Toggle() override;
    void RepaintButton() override { Invalidate(); }
    void PaintTransparentBackground(HDC DC) override;
    void CreateWnd() override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void WMKillFocus(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    // Drawn pressed: down in its group, or held by the mouse or space bar.
    bool PressedLook() const;

private:
    void TellGroup();
    void GroupButtonPressed(TMessage& Message);
    bool Defaulted();
    void PaintThemedFace(const TRect& R, bool IsDefaulted);
    void PaintHotTrackFace(TRect& R, bool IsDefaulted);
    void PaintDisabledHotTrackFace(TRect& R);
    void PaintClassicFace(TRect& R, bool IsDefaulted);
    void PaintDownPattern(const TRect& R);

    TAlignment FAlignment = taCenter;
    bool FClicking = false;
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
    TModalResult FModalResult = mrNone;
    bool FSpaceDown = false;
    bool FAllowAllUp = false;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FShowDownPattern = true;
    bool FShowFocusRect = true;
    bool FDropDownOnEnter = true;
    TColor FFrameColor = cl3DDkShadow;
    TButtonState FState = bsUp;
};
