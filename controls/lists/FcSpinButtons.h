#pragma once
// TFcSpinButtons: a pair of control buttons, up/right and down/left, one
// above the other (vertical) or side by side with the up/right one on the
// right (horizontal).  Both repeat their click while held down.  Their
// faces are the arrows of the direction unless a custom glyph is given; a
// change of Direction drops custom glyphs.  A press first hands the focus
// to FocusControl (or takes it itself when it is a tab stop); when the
// focus is refused, the press is called off silently and does not click.
// The spin edit embeds one.
#include "controls/foundation/FcControlButton.h"
#include "controls/foundation/FcTypes.h"
#include "platform/windows/WinControl.h"

#include <cstdint>

enum TSpinDirection { sdUpDown, sdLeftRight };

class TFcSpinButtons : public TWinControl {
public:
    explicit TFcSpinButtons(TComponent* AOwner);

    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    TOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TOrientation Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    void SetEnabled(bool Value) override;
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    // Read from the up/right button, written to both.
    std::uint16_t Delay() const;
    void SetDelay(std::uint16_t Value);
    std::uint16_t InitialDelay() const;
    void SetInitialDelay(std::uint16_t Value);

    // The buttons' glyphs; nullptr or an empty bitmap brings back the
    // arrow of the direction.
    TBitmap* GlyphUpRight() const { return FUpRightButton->Glyph(); }
    void SetGlyphUpRight(TBitmap* Value);
    TBitmap* GlyphDownLeft() const { return FDownLeftButton->Glyph(); }
    void SetGlyphDownLeft(TBitmap* Value);
    TNumGlyphs NumGlyphsUpRight() const { return FUpRightButton->NumGlyphs(); }
    void SetNumGlyphsUpRight(TNumGlyphs Value) { FUpRightButton->SetNumGlyphs(Value); }
    TNumGlyphs NumGlyphsDownLeft() const { return FDownLeftButton->NumGlyphs(); }
    void SetNumGlyphsDownLeft(TNumGlyphs Value) { FDownLeftButton->SetNumGlyphs(Value); }
    bool UpRightGlyphCustom() const { return FUpRightCustom; }
    bool DownLeftGlyphCustom() const { return FDownLeftCustom; }

    TFcControlButton* UpRightButton() const { return FUpRightButton; }
    TFcControlButton* DownLeftButton() const { return FDownLeftButton; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    DECLARE_EVENT(TNotifyEvent, OnUpRightClick)
    DECLARE_EVENT(TNotifyEvent, OnDownLeftClick)

protected:
    virtual TFcControlButton* CreateButton();
    virtual void ButtonClick(TObject* Sender);
    virtual void ButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void GlyphChanged(TFcControlButton* Button);
    // Lays the buttons out over Width x Height.
    virtual void AdjustSize(int& AWidth, int& AHeight);
    virtual void UpRightClick();
    virtual void DownLeftClick();

    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void CMColorChanged(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

private:
    // The arrow a button shows without a custom glyph.
    TFcControlButtonStyle DefaultStyle(const TFcControlButton* Button) const;
    void SetButtonGlyph(TFcControlButton* Button, TBitmap* Value);
    bool& CustomFlag(const TFcControlButton* Button);
    // Takes the focus for a press; false when it was refused.
    bool TakeFocusForPress();

    TSpinDirection FDirection = sdUpDown;
    TOrientation FOrientation = orVertical;
    TFcControlButton* FUpRightButton = nullptr;
    TFcControlButton* FDownLeftButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    bool FFlat = false;
    bool FUpRightCustom = false;
    bool FDownLeftCustom = false;
};
