#include "platform/stdctrls/RadioButton.h"

#include "platform/actions/Menus.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"

REGISTER_COMPONENT(TRadioButton, TButtonControl)
    PUBLISHED(Alignment, TLeftRight(taRightJustify))
    PUBLISHED_STORED(Checked, false, &TRadioButton::IsCheckedStored)
    PUBLISHED(WordWrap, false)
END_REGISTER

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FControlStyle = {csSetCaption, csDoubleClicks};
    FWidth = 113;
    FHeight = 17;
}

void TRadioButton::SetAlignment(TLeftRight Value)
{
    if (TAlignment(FAlignment) == TAlignment(Value))
        return;
    FAlignment = Value;
    Invalidate();
}

void TRadioButton::SetChecked(bool Value)
{
    if (FChecked == Value)
        return;
    FChecked = Value;
    // Only the checked button of a group is reached with Tab.
    SetTabStop(Value);
    Invalidate();
    if (!Value)
        return;
    TurnSiblingsOff();
    // Checked read from a form definition is no click (see TCheckBox).
    if (!ClicksDisabled() && !ComponentState().Contains(csLoading))
        Click();
}

void TRadioButton::TurnSiblingsOff()
{
    if (Parent() == nullptr)
        return;
    for (int I = 0; I < Parent()->ControlCount(); ++I) {
        auto* Sibling = dynamic_cast<TRadioButton*>(Parent()->Controls(I));
        if (Sibling == nullptr || Sibling == this)
            continue;
        if (auto* A = dynamic_cast<TCustomAction*>(Sibling->Action()); A != nullptr && A->AutoCheck())
            A->SetChecked(false);
        Sibling->SetChecked(false);
    }
}

void TRadioButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        if (HIWORD(Message.WParam) == BN_CLICKED)
            SetChecked(true);
        else if (HIWORD(Message.WParam) == BN_DOUBLECLICKED)
            DblClick();
        return;
    }
    TButtonControl::Dispatch(Message);
}

void TRadioButton::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case BM_GETCHECK:
        Message.Result = FChecked ? BST_CHECKED : BST_UNCHECKED;
        return;
    case BM_SETCHECK:
        if (AssignIfChanged(FChecked, Message.WParam == BST_CHECKED))
            Invalidate();
        return;
    case WM_GETDLGCODE:
        if (WindowHandle() != nullptr) {
            Message.Result = DLGC_BUTTON | DLGC_RADIOBUTTON;
            return;
        }
        break;
    case WM_SETFOCUS:
        // The focus arriving from the keyboard (Tab, the arrow keys, an
        // accelerator) checks the button; a press checks it on release.
        TButtonControl::DefaultHandler(Message);
        if (!FChecked && GetKeyState(VK_LBUTTON) >= 0)
            NotifyClicked();
        return;
    default:
        break;
    }
    TButtonControl::DefaultHandler(Message);
}

void TRadioButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(WORD(Message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}

void TRadioButton::PaintButton(TCanvas* Canvas)
{
    PaintGlyphButton(Canvas, Alignment(), [this, Canvas](TRect R) {
        DrawStateGlyph(Canvas, R, true, FChecked ? WPARAM(BST_CHECKED) : WPARAM(BST_UNCHECKED));
    });
}
