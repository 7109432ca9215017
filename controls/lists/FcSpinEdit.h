#pragma once
// TFcSpinEdit: a numeric framed edit.  Its text is the formatted Value
// (read from the text every time: a text that is no number reads as Min),
// stepped by Increment or PageSize with the arrow and page keys, the wheel
// (PageSize with Ctrl) and its spin buttons; values are kept within
// Min..Max (always when they differ; with CheckRange also a range of one
// value), OnChanging may refuse a step, and only the characters of a
// number can be typed.  AllowKeyEdit lets the user edit the text by hand;
// without it no key, paste, cut, undo, clear or middle-button paste edits
// the text, and a paste with it must leave a number in the making.
//
// The spin buttons sit at the right (left under right-to-left alignment)
// inside the client area the edit's frame leaves; they are hidden while
// the edit is read-only, and they are part of the edit, never streamed.
//
// The classic values are 80-bit floating point; here they are long double,
// but texts are made and read through the platform's double conversions,
// and form definitions carry them as doubles, so about 15 significant
// digits survive a text or a form definition.
#include "controls/lists/FcEdit.h"
#include "controls/lists/FcSpinButtons.h"

enum TSpinButtonType { sbUp, sbDown };

using TSpinChangingEvent = std::function<void(TObject* Sender, long double NewValue, bool& AllowChange)>;
using TSpinButtonEvent = std::function<void(TObject* Sender, TSpinButtonType Button)>;

class TFcSpinEdit : public TFcCustomEdit {
public:
    explicit TFcSpinEdit(TComponent* AOwner);

    bool AllowKeyEdit() const { return FAllowKeyEdit; }
    void SetAllowKeyEdit(bool Value) { FAllowKeyEdit = Value; }
    bool AllowBlank() const { return FAllowBlank; }
    void SetAllowBlank(bool Value) { FAllowBlank = Value; }
    long double BlankValue() const { return FBlankValue; }
    void SetBlankValue(long double Value) { FBlankValue = Value; }
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    bool CheckRange() const { return FCheckRange; }
    void SetCheckRange(bool Value);
    std::uint8_t Decimals() const { return FDecimals; }
    void SetDecimals(std::uint8_t Value);
    long double Increment() const { return FIncrement; }
    void SetIncrement(long double Value) { FIncrement = Value; }
    bool IntegersOnly() const { return FIntegersOnly; }
    void SetIntegersOnly(bool Value);
    long double Min() const { return FMin; }
    void SetMin(long double Value);
    long double Max() const { return FMax; }
    void SetMax(long double Value);
    long double PageSize() const { return FPageSize; }
    void SetPageSize(long double Value) { FPageSize = Value; }
    TColor FlatButtonColor() const { return FFlatButtonColor; }
    void SetFlatButtonColor(TColor Value);
    void SetFlatButtons(bool Value) override;
    void SetFrameStyle(TFrameStyle Value) override;

    // What the spin buttons show, forwarded to them.
    TSpinDirection Direction() const { return FSpinButtons->Direction(); }
    void SetDirection(TSpinDirection Value);
    TOrientation Orientation() const { return FSpinButtons->Orientation(); }
    void SetOrientation(TOrientation Value);
    TBitmap* ButtonUpGlyph() const { return FSpinButtons->GlyphUpRight(); }
    void SetButtonUpGlyph(TBitmap* Value) { FSpinButtons->SetGlyphUpRight(Value); }
    TBitmap* ButtonDownGlyph() const { return FSpinButtons->GlyphDownLeft(); }
    void SetButtonDownGlyph(TBitmap* Value) { FSpinButtons->SetGlyphDownLeft(Value); }
    TNumGlyphs ButtonUpNumGlyphs() const { return FSpinButtons->NumGlyphsUpRight(); }
    void SetButtonUpNumGlyphs(TNumGlyphs Value) { FSpinButtons->SetNumGlyphsUpRight(Value); }
    TNumGlyphs ButtonDownNumGlyphs() const { return FSpinButtons->NumGlyphsDownLeft(); }
    void SetButtonDownNumGlyphs(TNumGlyphs Value) { FSpinButtons->SetNumGlyphsDownLeft(Value); }
    bool IsButtonUpGlyphStored() const { return FSpinButtons->UpRightGlyphCustom(); }
    bool IsButtonDownGlyphStored() const { return FSpinButtons->DownLeftGlyphCustom(); }
    // The spin buttons' up/right button for sbUp, down/left for sbDown.
    virtual TFcControlButton* GetButton(TSpinButtonType Button) const;
    TFcSpinButtons* SpinButtons() const { return FSpinButtons; }

    void UpdateFrame(bool ViaMouse, bool Active) override;
    // The framed edit's area without the spin buttons' strip.
    TRect GetEditRect() override;

    // The value the text shows (a text that is no number reads as Min).
    virtual long double Value();
    // Kept within the range, formatted with Decimals digits.
    void SetValue(long double Value);
    // Value to the nearest integer, halves to even.
    virtual long long IntValue();
    void SetIntValue(long long Value);
    // Value within the range: Min..Max, or unchanged when Min = Max
    // without CheckRange.
    virtual long double CheckValue(long double Value);
    // A step up or down; read-only edits only beep.
    virtual void IncValue(long double Amount);
    virtual void DecValue(long double Amount);
    virtual void UpButtonClick();
    virtual void DownButtonClick();

    DECLARE_EVENT(TSpinChangingEvent, OnChanging)
    DECLARE_EVENT(TSpinButtonEvent, OnButtonClick)

protected:
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void CreateWnd() override;
    void Loaded() override;
    void ReadOnlyChanged() override;
    void CMColorChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void DefineProperties(TFiler& Filer) override;

    // Whether Key may be typed here.
    virtual bool IsValidChar(QChar Key);
    virtual bool DoChanging(long double NewValue);
    virtual void DoButtonClick(TSpinButtonType Button);
    // The spin buttons inside the client area (or a taller edit when the
    // font needs it).
    virtual void PositionSpinButtons();
    // The edit's margin on the buttons' side.
    void SetEditMargins();

private:
    // A read-only edit only beeps; otherwise Stepped is the new value.
    void Step(const std::function<long double()>& Stepped, TSpinButtonType Button);
    void BeepInvalid();
    bool MayEditByHand() { return FAllowKeyEdit && !ReadOnly(); }
    bool PasteKeepsANumber();
    long double TextValue(const String& Text, bool& Ok);
    String Formatted(long double Value) const;

    int SpinButtonsWidth() const { return FSpinButtons->Width(); }

    TFcSpinButtons* FSpinButtons = nullptr;
    bool FAllowKeyEdit = false;
    bool FAllowBlank = false;
    long double FBlankValue = 0;
    int FButtonWidth = 17;
    bool FCheckRange = false;
    std::uint8_t FDecimals = 0;
    long double FIncrement = 1.0L;
    bool FIntegersOnly = true;
    long double FMin = 0;
    long double FMax = 100.0L;
    long double FPageSize = 10.0L;
    TColor FFlatButtonColor = clBtnFace;
};
