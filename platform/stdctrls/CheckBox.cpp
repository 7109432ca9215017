#include "platform/stdctrls/CheckBox.h"

#include "platform/actions/Menus.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"

REGISTER_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)

REGISTER_COMPONENT(TCustomCheckBox, TButtonControl)
    PUBLISHED(Alignment, TLeftRight(taRightJustify))
    PUBLISHED(AllowGrayed, false)
    PUBLISHED_STORED(Checked, false, &TCustomCheckBox::IsCheckedStored)
    PUBLISHED(State, cbUnchecked)
    PUBLISHED(TabStop, true)
    PUBLISHED(WordWrap, false)
END_REGISTER

REGISTER_COMPONENT(TCheckBox, TCustomCheckBox)
END_REGISTER

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner)
{
    FControlStyle = {csSetCaption, csDoubleClicks};
    FWidth = 97;
    FHeight = 17;
    SetTabStop(true);
}

void TCustomCheckBox::SetAlignment(TLeftRight Value)
{
    if (TAlignment(FAlignment) == TAlignment(Value))
        return;
    FAlignment = Value;
    Invalidate();
}

void TCustomCheckBox::SetState(TCheckBoxState Value)
{
    if (!AssignIfChanged(FState, Value))
        return;
    Invalidate();
    // A state read from a form definition is no click: the handlers are
    // bound before the values are read.
    if (!ClicksDisabled() && !ComponentState().Contains(csLoading))
        Click();
}

void TCustomCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked:
        SetState(FAllowGrayed ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TCustomCheckBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        if (HIWORD(Message.WParam) == BN_CLICKED)
            Toggle();
        return;
    }
    TButtonControl::Dispatch(Message);
}

void TCustomCheckBox::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case BM_GETCHECK:
        Message.Result = LRESULT(FState);
        return;
    case BM_SETCHECK:
        if (Message.WParam <= BST_INDETERMINATE && AssignIfChanged(FState, TCheckBoxState(Message.WParam)))
            Invalidate();
        return;
    case WM_GETDLGCODE:
        if (WindowHandle() != nullptr) {
            Message.Result = DLGC_BUTTON;
            return;
        }
        break;
    default:
        break;
    }
    TButtonControl::DefaultHandler(Message);
}

void TCustomCheckBox::CMDialogChar(TMessage& Message)
{
    if (IsAccel(WORD(Message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused())
            Toggle();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}

void TCustomCheckBox::PaintButton(TCanvas* Canvas)
{
    PaintGlyphButton(Canvas, Alignment(),
                     [this, Canvas](TRect R) { DrawStateGlyph(Canvas, R, false, WPARAM(FState)); });
}
