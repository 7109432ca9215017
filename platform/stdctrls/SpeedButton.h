#pragma once
// TSpeedButton: a button without a window (toolbars, small command buttons)
// showing a glyph and a caption (TButtonGlyph).  It never takes the focus.
//
// Buttons of one parent with the same GroupIndex (not 0) form a group in
// which at most one is Down: pressing one raises the others; the down
// button stays down when pressed again unless AllowAllUp (which every
// button of the group shares).  A Flat button shows its raised edge only
// while the mouse is over it.
//
// Descendants that repeat their click while the mouse holds them down
// (MouseDown starts a timer, MouseUp stops it) ask State() and
// MouseCapture() whether the button is still held.
#include "platform/windows/GraphicControl.h"
#include "platform/stdctrls/ButtonGlyph.h"

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TBitmap* Glyph() const { return FGlyph->Glyph(); }
    void SetGlyph(TBitmap* Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    TNumGlyphs NumGlyphs() const { return FGlyph->NumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool IsCheckedStored() const;

    // Up, pressed (bsDown), held down in its group (bsExclusive) or
    // disabled, as painted last.
    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    void ActionChange(TObject* Sender, bool CheckDefaults) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;
    std::unique_ptr<TControlActionLink> CreateActionLink() override;

    TButtonState FState = bsUp;
    // A left press is being followed.
    bool FDragging = false;
    bool FMouseInControl = false;

private:
    void PaintFace(TRect& PaintRect, TPoint& Offset);
    void PaintThemedFace(TRect& PaintRect, TPoint& Offset);
    bool InClient(int X, int Y);
    void UpdateExclusive();
    void UpdateTracking();
    void ButtonPressed(TMessage& Message);
    void MouseEntered(bool Entered);
    void DialogChar(TMessage& Message);

    std::unique_ptr<TButtonGlyph> FGlyph;
    bool FAllowAllUp = false;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FFlat = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    bool FTransparent = true;
};

// Checked follows the action while the button is a grouped button that
// may go up (AllowAllUp) and agrees with it; GroupIndex while they agree.
class TSpeedButtonActionLink : public TControlActionLink {
public:
    explicit TSpeedButtonActionLink(TSpeedButton* Client);

    bool IsCheckedLinked() override;
    bool IsGroupIndexLinked() override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(int Value) override;

protected:
    TSpeedButton* FClient;
};
