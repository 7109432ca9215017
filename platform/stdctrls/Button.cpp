#include "platform/stdctrls/Button.h"

#include "platform/actions/Menus.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"
#include "platform/forms/Forms.h"
#include "platform/stdctrls/ControlText.h"

REGISTER_COMPONENT(TCustomButton, TButtonControl)
    PUBLISHED(Cancel, false)
    PUBLISHED(Default, false)
    PUBLISHED(ModalResult, mrNone)
    PUBLISHED(TabStop, true)
    PUBLISHED(WordWrap, false)
END_REGISTER

REGISTER_COMPONENT(TButton, TCustomButton)
END_REGISTER

TCustomButton::TCustomButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FControlStyle = {csSetCaption, csDoubleClicks};
    FWidth = 75;
    FHeight = 25;
    SetTabStop(true);
}

void TCustomButton::SetDefault(bool Value)
{
    FDefault = Value;
    // Every button of the form looks again at which one Enter presses.
    if (!HandleAllocated())
        return;
    if (TCustomForm* Form = GetParentForm(this))
        Form->Perform(CM_FOCUSCHANGED, 0, PtrToLParam(Form->ActiveControl()));
}

void TCustomButton::SetActive(bool Value)
{
    if (AssignIfChanged(FActive, Value))
        Invalidate();
}

void TCustomButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    FActive = FDefault;
}

void TCustomButton::Click()
{
    if (TCustomForm* Form = GetParentForm(this))
        Form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TCustomButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND:
        if (HIWORD(Message.WParam) == BN_CLICKED)
            Click();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        // Themed buttons light up under the mouse.
        if (Message.LParam == 0) {
            FMouseInControl = Message.Msg == CM_MOUSEENTER;
            if (ThemeServices().ThemesEnabled())
                Invalidate();
        }
        break;
    default:
        break;
    }
    TButtonControl::Dispatch(Message);
}

void TCustomButton::DefaultHandler(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE && WindowHandle() != nullptr) {
        Message.Result = DLGC_BUTTON | (FActive ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        return;
    }
    TButtonControl::DefaultHandler(Message);
}

void TCustomButton::CMDialogKey(TMessage& Message)
{
    const bool Pressed = (Message.WParam == VK_RETURN && FActive) || (Message.WParam == VK_ESCAPE && FCancel);
    if (Pressed && KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogKey(Message);
}

void TCustomButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(WORD(Message.WParam), Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}

void TCustomButton::CMFocusChanged(TMessage& Message)
{
    // A focused button is the one Enter presses; while something else has
    // the focus, the default button is.
    auto* Focused = dynamic_cast<TCustomButton*>(LParamToPtr<TWinControl>(Message.LParam));
    SetActive(Focused != nullptr ? Focused == this : FDefault);
    TButtonControl::CMFocusChanged(Message);
}

// --- painting ---------------------------------------------------------------------------------------

void TCustomButton::PaintButton(TCanvas* Canvas)
{
    TRect Face = GetClientRect();
    if (ThemeServices().ThemesEnabled())
        PaintThemedFace(Canvas, Face);
    else
        PaintClassicFace(Canvas, Face);

    TRect Text = Face;
    InflateRect(Text, -2, -2);
    if (Pushed() && !ThemeServices().ThemesEnabled())
        OffsetRect(Text, 1, 1);
    Canvas->Font()->Assign(Font());
    Canvas->Brush()->SetStyle(bsClear);
    unsigned Flags = DrawTextBiDiModeFlags(DT_CENTER | DT_EXPANDTABS);
    if (WordWrap()) {
        // A wrapped caption is centred as a block.
        TRect Extent = Text;
        DrawControlText(Canvas, Caption(), Extent, Flags | DT_WORDBREAK | DT_CALCRECT, true);
        OffsetRect(Text, 0, (Text.Height() - Extent.Height()) / 2);
        Flags |= DT_WORDBREAK;
    } else {
        Flags |= DT_SINGLELINE | DT_VCENTER;
    }
    DrawControlText(Canvas, Caption(), Text, Flags, Enabled());
    if (Focused()) {
        TRect Focus = Face;
        InflateRect(Focus, -3, -3);
        DrawFocusRect(Canvas->Handle(), &Focus);
    }
}

// The classic face: the raised 3-D face, pushed in while held; the button
// Enter presses wears a one-pixel frame in the window-frame colour and,
// held down, a flat shadow frame instead of the sunken edge.
void TCustomButton::PaintClassicFace(TCanvas* Canvas, TRect& Face)
{
    HDC DC = Canvas->Handle();
    if (FActive) {
        FrameRect(DC, &Face, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(Face, -1, -1);
    }
    if (Pushed() && FActive) {
        FrameRect(DC, &Face, GetSysColorBrush(COLOR_BTNSHADOW));
        TRect Inner = Face;
        InflateRect(Inner, -1, -1);
        FillRect(DC, &Inner, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    TRect R = Face;
    DrawFrameControl(DC, &R, DFC_BUTTON, DFCS_BUTTONPUSH | (Pushed() ? unsigned(DFCS_PUSHED) : 0u));
}

void TCustomButton::PaintThemedFace(TCanvas* Canvas, TRect& Face)
{
    TThemedButton Part = tbPushButtonNormal;
    if (!Enabled())
        Part = tbPushButtonDisabled;
    else if (Pushed())
        Part = tbPushButtonPressed;
    else if (FMouseInControl)
        Part = tbPushButtonHot;
    else if (FActive)
        Part = tbPushButtonDefaulted;
    const TThemedElementDetails Details = TThemeServices::GetElementDetails(Part);
    HDC DC = Canvas->Handle();
    if (!ThemeServices().DrawParentBackground(WindowHandle(), DC, &Details, true))
        FillRect(DC, &Face, GetSysColorBrush(COLOR_BTNFACE));
    ThemeServices().DrawElement(DC, Details, Face);
    Face = ThemeServices().ContentRect(DC, Details, Face);
}
