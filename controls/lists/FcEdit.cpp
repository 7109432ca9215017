#include "controls/lists/FcEdit.h"

#include "controls/foundation/FcGlyphs.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"
#include "platform/stdctrls/EditMessages.h"

REGISTER_COMPONENT(TFcCustomEdit, TCustomMaskEdit)
    FC_PUBLISHED_COLOR
    PUBLISHED(Alignment, taLeftJustify)
    FC_PUBLISHED_FRAME_PROPERTIES
    PUBLISHED(ReadOnly, false)
    FC_PUBLISHED_FRAMING(fcpReadOnlyColor, ReadOnlyColor, clInfoBk)
    FC_PUBLISHED_FRAMING(fcpReadOnlyColorOnFocus, ReadOnlyColorOnFocus, false)
    PUBLISHED(TabOnEnter, false)
END_REGISTER

REGISTER_COMPONENT(TFcEdit, TFcCustomEdit)
END_REGISTER

REGISTER_COMPONENT(TFcMaskEdit, TFcCustomEdit)
    PUBLISHED_EVENT(OnValidateError)
END_REGISTER

TFcCustomEdit::TFcCustomEdit(TComponent* AOwner) : TFcFramedControl<TCustomMaskEdit>(AOwner)
{
    FControlStyle.Include(csCaptureMouse);
    FControlStyle.Exclude(csSetCaption);
}

// --- the window ---------------------------------------------------------------------------

void TFcCustomEdit::CreateParams(TCreateParams& Params)
{
    TFcFramedControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
    Params.Style &= ~DWORD(ES_MULTILINE | ES_CENTER | ES_RIGHT);
    if (FAlignment == taRightJustify)
        Params.Style |= ES_RIGHT;
    else if (FAlignment == taCenter)
        Params.Style |= ES_CENTER;
}

void TFcCustomEdit::RepaintNonClient()
{
    if (HandleAllocated())
        SendMessage(FHandle, WM_NCPAINT, 0, 0);
}

TRect TFcCustomEdit::GetEditRect()
{
    return ClientRect();
}

String TFcCustomEdit::GetDisplayText()
{
    return Text();
}

String TFcMaskEdit::GetDisplayText()
{
    return EditText();
}

// --- properties ----------------------------------------------------------------------------

void TFcCustomEdit::SetAlignment(TAlignment Value)
{
    if (AssignIfChanged(FAlignment, Value))
        RecreateWnd();
}

void TFcCustomEdit::SetReadOnly(bool Value)
{
    if (ReadOnly() == Value)
        return;
    TFcFramedControl::SetReadOnly(Value);
    ReadOnlyChanged();
}

void TFcCustomEdit::ReadOnlyChanged()
{
    if (GetReadOnly())
        DoReadOnlyOn();
    else
        DoReadOnlyOff();
    UpdateColors();
    RepaintNonClient();
}

void TFcCustomEdit::SetDropButtonVisible(bool Value)
{
    if (AssignIfChanged(FDropButtonVisible, Value))
        RecreateWnd();
}

void TFcCustomEdit::SetFlatButtons(bool Value)
{
    if (AssignIfChanged(FFlatButtons, Value))
        RepaintNonClient();
}

void TFcCustomEdit::SetDropButtonColor(TColor Value)
{
    if (AssignIfChanged(FDropButtonColor, Value) && FDropButtonVisible)
        RepaintNonClient();
}

void TFcCustomEdit::SetButtonState(int Value)
{
    if (AssignIfChanged(FButtonState, Value) && FDropButtonVisible)
        RepaintNonClient();
}

// --- hot state and colours -------------------------------------------------------------------

bool TFcCustomEdit::FrameHot()
{
    return FrameHotTrack() && (FFocusHot || MouseHot());
}

void TFcCustomEdit::UpdateFrame(bool ViaMouse, bool Active)
{
    if (ViaMouse)
        SetMouseHot(Active);
    else
        FFocusHot = Active;
    if (FDropButtonVisible) {
        if ((FFlatButtons || FrameHotTrack() || FcThemesEnabled()) && FButtonState != 2 && HandleAllocated()) {
            TRect R = ClientRect();
            if (!FrameHotTrack()) {
                // Only the strip of the button and its border.
                const int Strip = GetSystemMetrics(SM_CXVSCROLL) + 2;
                if (UseRightToLeftAlignment())
                    R.Right = R.Left + Strip;
                else
                    R.Left = R.Right - Strip;
            }
            RedrawWindow(FHandle, &R, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_FRAME);
        }
    } else if (FrameHotTrack()) {
        RepaintFrame();
    }
    UpdateColors();
}

void TFcCustomEdit::CMEnabledChanged(TMessage& Message)
{
    TFcFramedControl::CMEnabledChanged(Message);
    RepaintNonClient();
}

// --- keys ------------------------------------------------------------------------------------

void TFcCustomEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TFcFramedControl::KeyDown(Key, Shift);
    if (!FDropButtonVisible)
        return;
    if ((Key == VK_DOWN && Shift == TShiftState{ssAlt}) || Key == VK_F(4)) {
        PressButton(false);
        Key = 0;
    }
}

void TFcCustomEdit::KeyPress(QChar& Key)
{
    if (TabOnEnterKey(Key))
        return;
    TFcFramedControl::KeyPress(Key);
}

void TFcCustomEdit::ValidateError()
{
    if (FOnValidateError) {
        String ErrorMsg;
        FOnValidateError(this, ErrorMsg);
        if (!ErrorMsg.isEmpty())
            throw EDBEditError(ErrorMsg);
    }
    TFcFramedControl::ValidateError();
}

// --- the drop button -----------------------------------------------------------------------------

int TFcCustomEdit::DropButtonStrip() const
{
    return GetSystemMetrics(SM_CXVSCROLL) - (FcThemesEnabled() ? 1 : 0);
}

TRect TFcCustomEdit::DropButtonRect()
{
    if (!FDropButtonVisible || !HandleAllocated())
        return {};
    TRect R{0, 0, Width(), Height()};
    if (BorderStyle() == bsSingle)
        InflateRect(R, FcThemesEnabled() ? -1 : -2, FcThemesEnabled() ? -1 : -2);
    const int W = GetSystemMetrics(SM_CXVSCROLL);
    if (UseRightToLeftAlignment())
        R.Right = R.Left + W;
    else
        R.Left = R.Right - W;
    return R;
}

void TFcCustomEdit::PressButton(bool TakeCapture)
{
    if (!FDropButtonVisible)
        return;
    FButtonPressing = true;
    try {
        if (TakeCapture)
            SetCapture(FHandle);
        SetButtonState(2);
        DropButtonDown();
        DropButtonClick();
        SetButtonState(0);
    } catch (...) {
        FButtonPressing = false;
        throw;
    }
    FButtonPressing = false;
}

void TFcCustomEdit::ReleaseButton()
{
    if (!FButtonPressing)
        SetButtonState(0);
    if (HandleAllocated() && GetCapture() == FHandle)
        ReleaseCapture();
}

void TFcCustomEdit::DropButtonDown()
{
    if (FOnDropButtonDown)
        FOnDropButtonDown(this);
}

void TFcCustomEdit::DropButtonClick()
{
    if (FOnDropButtonClick)
        FOnDropButtonClick(this);
}

bool TFcCustomEdit::OverButton(const TMessage& Message)
{
    if (!FDropButtonVisible || !HandleAllocated())
        return false;
    // Client coordinates of the press, in the window's.
    TPoint P = LParamToPoint(Message.LParam);
    ::ClientToScreen(FHandle, &P);
    TRect W;
    GetWindowRect(FHandle, &W);
    return PtInRect(DropButtonRect(), {P.X - W.Left, P.Y - W.Top});
}

void TFcCustomEdit::ButtonMouseDown(TMessage& Message)
{
    if (OverButton(Message)) {
        if (!Focused() && CanFocus())
            SetFocus();
        PressButton(true);
        Message.Result = 0;
        return;
    }
    TFcFramedControl::WndProc(Message);
    if (!Focused())
        ReleaseButton();
}

void TFcCustomEdit::DrawDropButton(TRect R)
{
    TCanvas* C = FrameCanvas();
    const bool Hot = FFocusHot || MouseHot();
    const bool Pressed = FButtonState == 2;
    if (FcThemesEnabled()) {
        if (FFlatButtons && !Hot) {
            C->Brush()->SetColor(Color());
            C->FillRect(R);
            PaintDropDownArrow(C, R, true, Enabled(), false);
            return;
        }
        const TThemedComboBox Part = !Enabled() ? tcDropDownButtonDisabled
            : Pressed                           ? tcDropDownButtonPressed
            : Hot                               ? tcDropDownButtonHot
                                                : tcDropDownButtonNormal;
        FcDrawThemedElement(C, TThemeServices::GetElementDetails(Part), R);
        return;
    }
    if (!FFlatButtons) {
        C->Brush()->SetColor(clBtnFace);
        DrawFrameControl(C->Handle(), &R, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (Pressed ? DFCS_PUSHED | DFCS_FLAT : 0u)
                             | (Enabled() ? 0u : DFCS_INACTIVE));
        return;
    }
    if (!Hot) {
        C->Brush()->SetColor(FcFraming::StateColor(Enabled(), FFocusHot, GetReadOnly(), ReadOnlyColorOnFocus(),
                                                   DisabledColor(), FocusColor(), ReadOnlyColor(), NormalColor()));
        C->FillRect(R);
        PaintDropDownArrow(C, R, false, Enabled(), false);
        return;
    }
    C->Brush()->SetColor(FDropButtonColor);
    TRect Inner;
    if (FDropButtonColor == clBtnFace)
        Inner = Pressed ? PaintBevelRings(C, R, clBtnShadow, clBtnHighlight, 1, AllSides)
                        : PaintBevelRings(C, R, clBtnHighlight, clBtnShadow, 1, AllSides);
    else
        Inner = PaintColoredFrame(C, R, FDropButtonColor, Pressed ? fsStatus : fsPopup);
    C->Brush()->SetColor(FDropButtonColor);
    C->FillRect(Inner);
    PaintDropDownArrow(C, Inner, false, Enabled(), Pressed);
}

// --- messages ------------------------------------------------------------------------------------

void TFcCustomEdit::NCCalcSize(TMessage& Message)
{
    // The strip is reserved only while the button shows.
    if (FDropButtonVisible) {
        TRect& R = LParamToPtr<NCCALCSIZE_PARAMS>(Message.LParam)->rgrc[0];
        if (UseRightToLeftAlignment())
            R.Left += DropButtonStrip();
        else
            R.Right -= DropButtonStrip();
    }
    TFcFramedControl::WndProc(Message);
}

void TFcCustomEdit::PaintFrameArea()
{
    TFcFramedControl::PaintFrameArea();
    if (!FDropButtonVisible)
        return;
    HDC DC = GetWindowDC(FHandle);
    TCanvas* C = FrameCanvas();
    C->SetHandle(DC);
    try {
        TRect Inside{0, 0, Width(), Height()};
        if (BorderStyle() == bsSingle)
            InflateRect(Inside, FcThemesEnabled() ? -1 : -2, FcThemesEnabled() ? -1 : -2);
        IntersectClipRect(DC, Inside.Left, Inside.Top, Inside.Right, Inside.Bottom);
        const TRect Button = DropButtonRect();
        DrawDropButton(Button);
        ExcludeClipRect(DC, Button.Left, Button.Top, Button.Right, Button.Bottom);
        C->Brush()->SetColor(Color());
        C->FillRect(Inside);
    } catch (...) {
        C->SetHandle(nullptr);
        ReleaseDC(FHandle, DC);
        throw;
    }
    C->SetHandle(nullptr);
    ReleaseDC(FHandle, DC);
}

void TFcCustomEdit::NCHitTest(TMessage& Message)
{
    TFcFramedControl::WndProc(Message);
    FMouseOverButton = false;
    if (!FDropButtonVisible || Message.Result == HTCLIENT || !HandleAllocated())
        return;
    TRect W;
    GetWindowRect(FHandle, &W);
    const TPoint P = LParamToPoint(Message.LParam);
    if (PtInRect(DropButtonRect(), {P.X - W.Left, P.Y - W.Top})) {
        FMouseOverButton = true;
        Message.Result = HTCLIENT;
    }
}

void TFcCustomEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        NCCalcSize(Message);
        return;
    case WM_NCHITTEST:
        NCHitTest(Message);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ButtonMouseDown(Message);
        return;
    case WM_LBUTTONUP:
        ReleaseButton();
        break;
    case WM_RBUTTONDOWN:
        if (OverButton(Message)) {
            Message.Result = 0;
            return;
        }
        break;
    case WM_SETCURSOR:
        // The arrow over the button, not the text cursor.
        if (FMouseOverButton) {
            Message.LParam = MAKELPARAM(HTNOWHERE, HIWORD(std::uintptr_t(Message.LParam)));
            break;
        }
        break;
    case WM_KILLFOCUS:
        TFcFramedControl::WndProc(Message);
        ReleaseButton();
        return;
    default:
        break;
    }
    TFcFramedControl::WndProc(Message);
}
