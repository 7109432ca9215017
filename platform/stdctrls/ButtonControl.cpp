#include "platform/stdctrls/ButtonControl.h"

#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"
#include "platform/stdctrls/ControlText.h"

REGISTER_COMPONENT(TButtonControl, TWinControl)
END_REGISTER

namespace {

// The classic check and radio glyphs, and the gap between glyph and caption.
constexpr int ClassicGlyphSize = 13;
constexpr int GlyphGap = 4;

} // namespace

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner)
{}

void TButtonControl::SetWordWrap(bool Value)
{
    if (AssignIfChanged(FWordWrap, Value))
        Invalidate();
}

bool TButtonControl::IsCheckedStored() const
{
    return ActionLink() == nullptr || ActionLink()->Action() == nullptr || !ActionLink()->IsCheckedLinked();
}

std::unique_ptr<TControlActionLink> TButtonControl::CreateActionLink()
{
    return std::make_unique<TButtonActionLink>(this);
}

void TButtonControl::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TWinControl::ActionChange(Sender, CheckDefaults);
    if (auto* A = dynamic_cast<TCustomAction*>(Sender); A != nullptr && (!CheckDefaults || !Checked()))
        SetChecked(A->Checked());
}

// --- the button window ------------------------------------------------------------------------

void TButtonControl::DefaultHandler(TMessage& Message)
{
    if (WindowHandle() != nullptr && HandleButtonMessage(Message))
        return;
    TWinControl::DefaultHandler(Message);
    if (Message.Msg == WM_SETTEXT)
        Invalidate();
}

bool TButtonControl::HandleButtonMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        PaintWindowFace(Message);
        return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        // Focus and enabling change the face; losing either ends a press.
        if (Message.Msg != WM_SETFOCUS)
            StopTracking();
        Invalidate();
        return false;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        if (FTracking && Message.Msg == WM_CANCELMODE && GetCapture() == WindowHandle())
            ReleaseCapture();
        if (FTracking) {
            FTracking = false;
            SetPushed(false);
        }
        return false;
    case BM_GETSTATE:
        Message.Result = LRESULT((Checked() ? WPARAM(BST_CHECKED) : 0) | (FPushed ? WPARAM(BST_PUSHED) : 0)
                                 | (Focused() ? WPARAM(BST_FOCUS) : 0));
        return true;
    case BM_SETSTATE:
        SetPushed(Message.WParam != 0);
        return true;
    case BM_CLICK:
        NotifyClicked();
        return true;
    default:
        return HandleMouse(Message) || HandleKey(Message);
    }
}

// WM_PAINT: into the context it brings, else the window's own.
void TButtonControl::PaintWindowFace(TMessage& Message)
{
    PAINTSTRUCT PS;
    HDC DC = Message.WParam != 0 ? HDC(Message.WParam) : BeginPaint(WindowHandle(), &PS);
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    const int Saved = SaveDC(DC);
    PaintButton(&Canvas);
    RestoreDC(DC, Saved);
    Canvas.SetHandle(nullptr);
    if (Message.WParam == 0)
        EndPaint(WindowHandle(), &PS);
}

bool TButtonControl::HandleMouse(TMessage& Message)
{
    const TPoint P = LParamToPoint(Message.LParam);
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A button takes the focus when it is pressed, and tracks the mouse
        // until it is released.
        if (!Focused() && CanFocus())
            SetFocus();
        if (WindowHandle() == nullptr)
            return true;
        SetCapture(WindowHandle());
        FTracking = true;
        SetPushed(true);
        return true;
    case WM_MOUSEMOVE:
        if (FTracking)
            SetPushed(PtInRect(GetClientRect(), P));
        return FTracking;
    case WM_LBUTTONUP: {
        if (!FTracking)
            return false;
        const bool Inside = PtInRect(GetClientRect(), P);
        StopTracking();
        if (Inside)
            NotifyClicked();
        return true;
    }
    default:
        return false;
    }
}

bool TButtonControl::HandleKey(TMessage& Message)
{
    if (Message.WParam != VK_SPACE)
        return false;
    if (Message.Msg == WM_KEYDOWN && (std::uint32_t(Message.LParam) & KF_ALTDOWN_BIT) == 0) {
        FSpaceDown = true;
        SetPushed(true);
        return true;
    }
    if (Message.Msg == WM_KEYUP && FSpaceDown) {
        FSpaceDown = false;
        SetPushed(false);
        NotifyClicked();
        return true;
    }
    return false;
}

void TButtonControl::StopTracking()
{
    FSpaceDown = false;
    if (FTracking) {
        FTracking = false;
        if (GetCapture() == WindowHandle())
            ReleaseCapture();
    }
    SetPushed(false);
}

void TButtonControl::SetPushed(bool Value)
{
    if (AssignIfChanged(FPushed, Value))
        Invalidate();
}

void TButtonControl::NotifyClicked()
{
    Perform(CN_COMMAND, MAKEWPARAM(0, BN_CLICKED), LPARAM(WindowHandle()));
}

// --- the check box's and radio button's face ----------------------------------------------------

TSize TButtonControl::GlyphSize()
{
    if (ThemeServices().ThemesEnabled()) {
        const TSize S =
            ThemeServices().GetPartSize(nullptr, TThemeServices::GetElementDetails(tbCheckBoxUncheckedNormal));
        if (S.cx > 0 && S.cy > 0)
            return S;
    }
    return {ClassicGlyphSize, ClassicGlyphSize};
}

void TButtonControl::PaintGlyphButton(TCanvas* Canvas, TAlignment Alignment,
                                      const std::function<void(TRect)>& DrawGlyph)
{
    const TRect Client = GetClientRect();
    if (!ThemeServices().ThemesEnabled() || !ParentBackground()
        || !ThemeServices().DrawParentBackground(WindowHandle(), Canvas->Handle(), nullptr, false)) {
        Canvas->Brush()->SetColor(Color());
        Canvas->FillRect(Client);
    }
    // The caption goes on the Alignment side, the glyph on the other.
    const bool CaptionRight = (Alignment == taRightJustify) != UseRightToLeftAlignment();
    const TSize G = GlyphSize();
    const int GlyphLeft = CaptionRight ? 0 : Client.Right - G.cx;
    DrawGlyph(Bounds(GlyphLeft, (Client.Height() - G.cy) / 2, G.cx, G.cy));

    TRect Text = Client;
    if (CaptionRight)
        Text.Left = G.cx + GlyphGap;
    else
        Text.Right -= G.cx + GlyphGap;
    Canvas->Font()->Assign(Font());
    Canvas->Brush()->SetStyle(bsClear);
    const String Caption = this->Caption();
    unsigned Flags = DrawTextBiDiModeFlags(DT_LEFT | DT_EXPANDTABS) | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE);
    // The caption block is centred vertically, wrapped or not.
    TRect Extent = Text;
    DrawControlText(Canvas, Caption.isEmpty() ? QStringLiteral(" ") : Caption, Extent, Flags | DT_CALCRECT, true);
    const int Top = Text.Top + (Text.Height() - Extent.Height()) / 2;
    OffsetRect(Extent, 0, Top - Extent.Top);
    Extent.Right = std::min(Extent.Right, Text.Right);
    TRect Draw = Extent;
    DrawControlText(Canvas, Caption, Draw, Flags, Enabled());
    if (Focused() && !Caption.isEmpty()) {
        InflateRect(Extent, 1, 1);
        IntersectRect(Extent, Extent, Client);
        DrawFocusRect(Canvas->Handle(), &Extent);
    }
}

void TButtonControl::DrawStateGlyph(TCanvas* Canvas, const TRect& R, bool Radio, WPARAM CheckState)
{
    HDC DC = Canvas->Handle();
    if (ThemeServices().ThemesEnabled()) {
        // Each state's parts run normal, hot, pressed, disabled.
        static const TThemedButton Check[] = {tbCheckBoxUncheckedNormal, tbCheckBoxCheckedNormal,
                                              tbCheckBoxMixedNormal};
        static const TThemedButton Dot[] = {tbRadioButtonUncheckedNormal, tbRadioButtonCheckedNormal,
                                            tbRadioButtonCheckedNormal};
        const int Look = !Enabled() ? 3 : FPushed ? 2 : 0;
        const TThemedButton* Parts = Radio ? Dot : Check;
        const TThemedButton First = Parts[std::min<WPARAM>(CheckState, BST_INDETERMINATE)];
        ThemeServices().DrawElement(DC, TThemeServices::GetElementDetails(TThemedButton(First + Look)), R);
        return;
    }
    unsigned Flags = Radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (CheckState == BST_CHECKED)
        Flags |= DFCS_CHECKED;
    else if (CheckState == BST_INDETERMINATE)
        Flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (FPushed)
        Flags |= DFCS_PUSHED;
    if (!Enabled())
        Flags |= DFCS_INACTIVE;
    TRect Glyph = R;
    DrawFrameControl(DC, &Glyph, DFC_BUTTON, Flags);
}

// --- the action link ------------------------------------------------------------------------------

TButtonActionLink::TButtonActionLink(TButtonControl* Client) : TWinControlActionLink(Client), FClient(Client)
{}

bool TButtonActionLink::IsCheckedLinked()
{
    auto* A = dynamic_cast<TCustomAction*>(Action());
    return TControlActionLink::IsCheckedLinked() && A != nullptr && FClient->Checked() == A->Checked();
}

void TButtonActionLink::SetChecked(bool Value)
{
    if (!IsCheckedLinked())
        return;
    FClient->SetClicksDisabled(true);
    try {
        FClient->SetChecked(Value);
    } catch (...) {
        FClient->SetClicksDisabled(false);
        throw;
    }
    FClient->SetClicksDisabled(false);
}
