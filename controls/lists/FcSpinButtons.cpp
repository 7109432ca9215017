#include "controls/lists/FcSpinButtons.h"

#include "platform/classes/TypInfo.h"
#include "platform/graphics/Bitmap.h"

REGISTER_ENUM(TSpinDirection, sdUpDown, sdLeftRight)

// The .Stored() rules would make the formatter run the list together.
// clang-format off
REGISTER_COMPONENT(TFcSpinButtons, TWinControl)
    PUBLISHED_STORED(Color, clBtnFace, &TControl::IsColorStored)
    PUBLISHED(ParentColor, false)
    PUBLISHED(Delay, std::uint16_t(100))
    PUBLISHED(Direction, sdUpDown)
    PUBLISHED(Flat, false)
    PUBLISHED(FocusControl, nullptr)
    // Default arrows are made again from the direction.
    PUBLISHED_OBJECT(GlyphUpRight).Stored(&TFcSpinButtons::UpRightGlyphCustom)
    PUBLISHED_OBJECT(GlyphDownLeft).Stored(&TFcSpinButtons::DownLeftGlyphCustom)
    PUBLISHED(InitialDelay, std::uint16_t(400))
    PUBLISHED_STORED(NumGlyphsUpRight, 2, &TFcSpinButtons::UpRightGlyphCustom)
    PUBLISHED_STORED(NumGlyphsDownLeft, 2, &TFcSpinButtons::DownLeftGlyphCustom)
    PUBLISHED(Orientation, orVertical)
    PUBLISHED_EVENT(OnUpRightClick)
    PUBLISHED_EVENT(OnDownLeftClick)
END_REGISTER
// clang-format on

TFcSpinButtons::TFcSpinButtons(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle.Exclude(csAcceptsControls);
    FControlStyle.Exclude(csSetCaption);
    SetColor(clBtnFace);
    FWidth = 16;
    FHeight = 25;
    FUpRightButton = CreateButton();
    FDownLeftButton = CreateButton();
    SetGlyphUpRight(nullptr);
    SetGlyphDownLeft(nullptr);
    int W = FWidth, H = FHeight;
    AdjustSize(W, H);
}

TFcControlButton* TFcSpinButtons::CreateButton()
{
    auto* B = new TFcControlButton(this);
    B->SetOnClick([this](TObject* Sender) { ButtonClick(Sender); });
    B->SetOnMouseDown([this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        ButtonMouseDown(Sender, Button, Shift, X, Y);
    });
    B->SetVisible(true);
    B->SetEnabled(true);
    B->SetRepeatClicks(true);
    // The glyph decides the face: an arrow while it is empty.
    B->Glyph()->SetOnChange([this, B](TObject*) { GlyphChanged(B); });
    B->SetNumGlyphs(2);
    B->SetParent(this);
    return B;
}

// --- clicks and the focus ----------------------------------------------------------------------------

void TFcSpinButtons::ButtonClick(TObject* Sender)
{
    if (Sender == FUpRightButton)
        UpRightClick();
    else
        DownLeftClick();
}

void TFcSpinButtons::UpRightClick()
{
    if (FOnUpRightClick)
        FOnUpRightClick(this);
}

void TFcSpinButtons::DownLeftClick()
{
    if (FOnDownLeftClick)
        FOnDownLeftClick(this);
}

bool TFcSpinButtons::TakeFocusForPress()
{
    TWinControl* Target = nullptr;
    if (FFocusControl != nullptr && FFocusControl->TabStop() && FFocusControl->CanFocus()) {
        if (!FFocusControl->Focused())
            Target = FFocusControl;
    } else if (TabStop() && !Focused() && CanFocus()) {
        Target = this;
    }
    if (Target == nullptr)
        return true;
    Target->SetFocus();
    return Target->Focused();
}

void TFcSpinButtons::ButtonMouseDown(TObject*, TMouseButton Button, TShiftState, int, int)
{
    // A refused focus calls the press off before the button goes down, so
    // that neither a click nor a repeat follows.
    if (Button == mbLeft && !TakeFocusForPress())
        throw EAbort(QStringLiteral("Operation aborted"));
}

void TFcSpinButtons::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_UP)
        FUpRightButton->Click();
    else if (Key == VK_DOWN)
        FDownLeftButton->Click();
    TWinControl::KeyDown(Key, Shift);
}

void TFcSpinButtons::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_SIZE: {
        TWinControl::WndProc(Message);
        int W = Width(), H = Height();
        AdjustSize(W, H);
        Message.Result = 0;
        return;
    }
    default:
        TWinControl::WndProc(Message);
        return;
    }
}

// The buttons are parts of the control, never streamed.
void TFcSpinButtons::GetChildren(const TGetChildProc&, TComponent*)
{}

void TFcSpinButtons::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TFcSpinButtons::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl == Value)
        return;
    FFocusControl = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

// --- layout -----------------------------------------------------------------------------------------

void TFcSpinButtons::AdjustSize(int& AWidth, int& AHeight)
{
    if (FUpRightButton == nullptr || FDownLeftButton == nullptr || ComponentState().Contains(csLoading))
        return;
    if (FOrientation == orVertical) {
        const int Half = AHeight / 2;
        FUpRightButton->SetBounds(0, 0, AWidth, Half);
        FDownLeftButton->SetBounds(0, Half, AWidth, AHeight - Half);
    } else {
        const int Half = AWidth / 2;
        FUpRightButton->SetBounds(Half, 0, AWidth - Half, AHeight);
        FDownLeftButton->SetBounds(0, 0, Half, AHeight);
    }
}

void TFcSpinButtons::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    AdjustSize(AWidth, AHeight);
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TFcSpinButtons::Loaded()
{
    TWinControl::Loaded();
    int W = Width(), H = Height();
    AdjustSize(W, H);
}

// Switching between one above the other and side by side keeps each
// button's size: the width halves or doubles.
void TFcSpinButtons::SetOrientation(TOrientation Value)
{
    if (FOrientation == Value)
        return;
    FOrientation = Value;
    if (!ComponentState().Contains(csLoading))
        SetWidth(Value == orVertical ? Width() / 2 : Width() * 2);
    int W = Width(), H = Height();
    AdjustSize(W, H);
    Invalidate();
}

// --- glyphs and faces -------------------------------------------------------------------------------------

TFcControlButtonStyle TFcSpinButtons::DefaultStyle(const TFcControlButton* Button) const
{
    const bool UpRight = Button == FUpRightButton;
    if (FDirection == sdLeftRight)
        return UpRight ? cbsRight : cbsLeft;
    return UpRight ? cbsUp : cbsDown;
}

bool& TFcSpinButtons::CustomFlag(const TFcControlButton* Button)
{
    return Button == FUpRightButton ? FUpRightCustom : FDownLeftCustom;
}

void TFcSpinButtons::GlyphChanged(TFcControlButton* Button)
{
    const bool Custom = !Button->Glyph()->Empty();
    CustomFlag(Button) = Custom;
    Button->SetStyle(Custom ? cbsNone : DefaultStyle(Button));
    Button->Invalidate();
}

// An empty bitmap counts as none: the button keeps a face that shows what
// it does.
void TFcSpinButtons::SetButtonGlyph(TFcControlButton* Button, TBitmap* Value)
{
    if (Value != nullptr && !Value->Empty()) {
        Button->SetGlyph(Value);
        CustomFlag(Button) = true;
        Button->SetStyle(cbsNone);
        return;
    }
    Button->Glyph()->Assign(nullptr);
    CustomFlag(Button) = false;
    Button->SetStyle(DefaultStyle(Button));
}

void TFcSpinButtons::SetGlyphUpRight(TBitmap* Value)
{
    SetButtonGlyph(FUpRightButton, Value);
}

void TFcSpinButtons::SetGlyphDownLeft(TBitmap* Value)
{
    SetButtonGlyph(FDownLeftButton, Value);
}

void TFcSpinButtons::SetDirection(TSpinDirection Value)
{
    if (FDirection == Value)
        return;
    FDirection = Value;
    // Custom glyphs were drawn for the old direction.
    SetGlyphUpRight(nullptr);
    SetGlyphDownLeft(nullptr);
    Invalidate();
}

// --- what both buttons share -------------------------------------------------------------------------

void TFcSpinButtons::SetFlat(bool Value)
{
    if (!AssignIfChanged(FFlat, Value))
        return;
    FUpRightButton->SetFlat(Value);
    FDownLeftButton->SetFlat(Value);
}

void TFcSpinButtons::SetEnabled(bool Value)
{
    TWinControl::SetEnabled(Value);
    FUpRightButton->SetEnabled(Value);
    FDownLeftButton->SetEnabled(Value);
}

void TFcSpinButtons::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    if (FUpRightButton == nullptr)
        return;
    FUpRightButton->SetColor(Color());
    FDownLeftButton->SetColor(Color());
}

std::uint16_t TFcSpinButtons::Delay() const
{
    return FUpRightButton->Delay();
}

void TFcSpinButtons::SetDelay(std::uint16_t Value)
{
    FUpRightButton->SetDelay(Value);
    FDownLeftButton->SetDelay(Value);
}

std::uint16_t TFcSpinButtons::InitialDelay() const
{
    return FUpRightButton->InitialDelay();
}

void TFcSpinButtons::SetInitialDelay(std::uint16_t Value)
{
    FUpRightButton->SetInitialDelay(Value);
    FDownLeftButton->SetInitialDelay(Value);
}
