#include "platform/stdctrls/PageScroller.h"

#include "platform/classes/TypInfo.h"

REGISTER_ENUM(TPageScrollerOrientation, soHorizontal, soVertical)
REGISTER_ENUM(TPageScrollerButton, sbFirst, sbLast)

REGISTER_COMPONENT(TPageScroller, TWinControl)
    PUBLISHED(AutoScroll, false)
    PUBLISHED(ButtonSize, 12)
    PUBLISHED(Control, nullptr)
    PUBLISHED(DragScroll, true)
    PUBLISHED(Margin, 0)
    PUBLISHED(Orientation, soHorizontal)
    PUBLISHED(Position, 0)
    PUBLISHED_EVENT(OnScroll)
END_REGISTER

namespace {

constexpr std::uintptr_t RepeatTimer = 1;

} // namespace

TPageScroller::TPageScroller(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle.Include(csAcceptsControls);
    FWidth = 150;
    FHeight = 45;
}

TPageScroller::~TPageScroller() = default;

void TPageScroller::SetButtonSize(int Value)
{
    if (AssignIfChanged(FButtonSize, std::max(Value, 0)))
        UpdateLayout();
}

void TPageScroller::SetControl(TWinControl* Value)
{
    if (FControl == Value)
        return;
    if (FControl != nullptr)
        FControl->RemoveFreeNotification(this);
    FControl = Value;
    if (Value != nullptr) {
        Value->FreeNotification(this);
        if (Value->Parent() != this && !ComponentState().Contains(csLoading))
            Value->SetParent(this);
    }
    FPosition = 0;
    UpdateLayout();
}

void TPageScroller::SetMargin(int Value)
{
    if (AssignIfChanged(FMargin, std::max(Value, 0)))
        UpdateLayout();
}

void TPageScroller::SetOrientation(TPageScrollerOrientation Value)
{
    if (!AssignIfChanged(FOrientation, Value))
        return;
    FPosition = 0;
    UpdateLayout();
}

void TPageScroller::SetPosition(int Value)
{
    if (AssignIfChanged(FPosition, std::max(Value, 0)))
        UpdateLayout();
}

void TPageScroller::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FControl)
        FControl = nullptr;
}

void TPageScroller::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateLayout();
}

void TPageScroller::Loaded()
{
    TWinControl::Loaded();
    UpdateLayout();
}

// --- layout ---------------------------------------------------------------------------------------

int TPageScroller::ControlLength() const
{
    return FControl == nullptr ? 0 : Horizontal() ? FControl->Width() : FControl->Height();
}

int TPageScroller::MaxPosition()
{
    const TRect C = ClientRect();
    return std::max(0, ControlLength() + 2 * FMargin - (Horizontal() ? C.Width() : C.Height()));
}

void TPageScroller::AlignControls(TControl* AControl, TRect& Rect)
{
    // The control is placed here, whatever its Align says; others align.
    TWinControl::AlignControls(AControl, Rect);
    UpdateLayout();
}

void TPageScroller::UpdateLayout()
{
    if (FLayingOut || ComponentState().Contains(csLoading) || FControl == nullptr || FControl->Parent() != this)
        return;
    FLayingOut = true;
    // The buttons take their room outside the client area, only when needed.
    const bool Needed = ControlLength() + 2 * FMargin > (Horizontal() ? Width() : Height());
    if (AssignIfChanged(FButtonsShown, Needed) && HandleAllocated())
        ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    FPosition = std::clamp(FPosition, 0, MaxPosition());
    const TRect C = ClientRect();
    if (Horizontal())
        FControl->SetBounds(FMargin - FPosition, FMargin, ControlLength(), std::max(0, C.Height() - 2 * FMargin));
    else
        FControl->SetBounds(FMargin, FMargin - FPosition, std::max(0, C.Width() - 2 * FMargin), ControlLength());
    FLayingOut = false;
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// --- the buttons ------------------------------------------------------------------------------------

// In window coordinates: the strips beside the client area.
TRect TPageScroller::ButtonRect(TPageScrollerButton Button) const
{
    if (!FButtonsShown || !HandleAllocated())
        return {};
    TRect W;
    GetWindowRect(WindowHandle(), &W);
    TPoint Origin{0, 0};
    ::ClientToScreen(WindowHandle(), &Origin);
    TRect C;
    ::GetClientRect(WindowHandle(), &C);
    OffsetRect(C, Origin.X - W.Left, Origin.Y - W.Top);
    if (Horizontal())
        return Button == sbFirst ? TRect{C.Left - FButtonSize, C.Top, C.Left, C.Bottom}
                                 : TRect{C.Right, C.Top, C.Right + FButtonSize, C.Bottom};
    return Button == sbFirst ? TRect{C.Left, C.Top - FButtonSize, C.Right, C.Top}
                             : TRect{C.Left, C.Bottom, C.Right, C.Bottom + FButtonSize};
}

bool TPageScroller::ButtonEnabled(TPageScrollerButton Button)
{
    return Enabled() && (Button == sbFirst ? FPosition > 0 : FPosition < MaxPosition());
}

void TPageScroller::PaintButtons()
{
    if (!FButtonsShown || !HandleAllocated())
        return;
    HDC DC = GetWindowDC(Handle());
    for (TPageScrollerButton B : {sbFirst, sbLast}) {
        TRect R = ButtonRect(B);
        unsigned State = Horizontal() ? (B == sbFirst ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT)
                                      : (B == sbFirst ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
        if (!ButtonEnabled(B))
            State |= DFCS_INACTIVE;
        if (FPressed == int(B))
            State |= DFCS_PUSHED;
        DrawFrameControl(DC, &R, DFC_SCROLL, State);
    }
    ReleaseDC(Handle(), DC);
}

// One step of a held button; OnScroll may change how far.
void TPageScroller::StepButton()
{
    if (FPressed < 0 || !ButtonEnabled(TPageScrollerButton(FPressed))) {
        PaintButtons();
        return;
    }
    int Delta = ScrollStep;
    TPoint P;
    GetCursorPos(&P);
    P = ScreenToClient(P);
    if (FOnScroll)
        FOnScroll(this, KeyboardStateToShiftState(), P.X, P.Y, FOrientation, Delta);
    SetPosition(FPressed == sbFirst ? FPosition - Delta : FPosition + Delta);
}

void TPageScroller::NonClientMessage(TMessage& Message)
{
    TPoint P = LParamToPoint(Message.LParam);
    TRect W;
    GetWindowRect(Handle(), &W);
    P = {P.X - W.Left, P.Y - W.Top};
    int Over = -1;
    for (TPageScrollerButton B : {sbFirst, sbLast})
        if (PtInRect(ButtonRect(B), P))
            Over = int(B);
    if (Message.Msg == WM_NCHITTEST) {
        if (Over >= 0)
            Message.Result = HTBORDER;
        return;
    }
    if (Over < 0 || !ButtonEnabled(TPageScrollerButton(Over)))
        return;
    FPressed = Over;
    SetCapture(Handle());
    SetTimer(Handle(), RepeatTimer, 400);
    StepButton();
}

void TPageScroller::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        TWinControl::Dispatch(Message);
        if (FButtonsShown) {
            TRect& C = LParamToPtr<NCCALCSIZE_PARAMS>(Message.LParam)->rgrc[0];
            if (Horizontal()) {
                C.Left += FButtonSize;
                C.Right = std::max(C.Left, C.Right - FButtonSize);
            } else {
                C.Top += FButtonSize;
                C.Bottom = std::max(C.Top, C.Bottom - FButtonSize);
            }
        }
        return;
    case WM_NCPAINT:
        TWinControl::Dispatch(Message);
        PaintButtons();
        return;
    case WM_NCHITTEST:
        TWinControl::Dispatch(Message);
        NonClientMessage(Message);
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        NonClientMessage(Message);
        return;
    case WM_TIMER:
        if (Message.WParam == RepeatTimer) {
            SetTimer(Handle(), RepeatTimer, 100);
            StepButton();
            return;
        }
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
        if (FPressed >= 0) {
            FPressed = -1;
            KillTimer(Handle(), RepeatTimer);
            if (GetCapture() == Handle())
                ReleaseCapture();
            PaintButtons();
            if (Message.Msg == WM_LBUTTONUP)
                return;
        }
        break;
    default:
        break;
    }
    TWinControl::Dispatch(Message);
}
