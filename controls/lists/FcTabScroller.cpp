#include "controls/lists/FcTabScroller.h"

#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcGlyphs.h"
#include "controls/lists/FcTabButtons.h"
#include "controls/lists/FcTabControl.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Timer.h"

REGISTER_COMPONENT(TFcTabScroller, TCustomControl)
    PUBLISHED(FrameColor, clBtnShadow)
    // The tab control turns it with its tabs.
    PUBLISHED_STORED(Orientation, orHorizontal, false)
    PUBLISHED_EVENT(OnUpRightClick)
    PUBLISHED_EVENT(OnDownLeftClick)
END_REGISTER

TFcTabScroller::TFcTabScroller(TComponent* AOwner)
    : TCustomControl(AOwner), FTabControl(dynamic_cast<TFcCustomTabControl*>(AOwner))
{
    FWidth = 29;
    FHeight = 15;
}

void TFcTabScroller::SetFrameColor(TColor Value)
{
    if (AssignIfChanged(FFrameColor, Value))
        Invalidate();
}

void TFcTabScroller::SetOrientation(TOrientation Value)
{
    if (AssignIfChanged(FOrientation, Value))
        Invalidate();
}

// The halves overlap by one pixel.
TRect TFcTabScroller::HalfRect(int Half)
{
    const TRect R = ClientRect();
    const int W = R.Width(), H = R.Height();
    if (FOrientation == orHorizontal)
        return Half == 0 ? Rect(R.Left, R.Top, R.Left + W / 2 + 1, R.Bottom)
                         : Rect(R.Right - W / 2 - 1, R.Top, R.Right, R.Bottom);
    return Half == 0 ? Rect(R.Left, R.Bottom - H / 2 - 1, R.Right, R.Bottom)
                     : Rect(R.Left, R.Top, R.Right, R.Top + H / 2 + 1);
}

// Forward is possible while the last visible tab is cut off, back while
// the strip does not start at tab 0.
bool TFcTabScroller::HalfEnabled(int Half)
{
    if (FTabControl == nullptr)
        return true;
    TFcCustomTabControl* T = FTabControl;
    const bool Forward = (Half == 1) == T->UpRightScrollsForward();
    if (Forward) {
        const int Last = T->LastVisibleTab();
        return Last >= 0 && !T->IsTabFullyVisible(Last);
    }
    return T->FirstShownTab() != 0;
}

void TFcTabScroller::Paint()
{
    for (int Half = 0; Half < 2; ++Half) {
        const TRect R = HalfRect(Half);
        const bool Down = Half == FPressedHalf && FPressedIn;
        PaintTabButtonFace(Canvas(), R, FTabControl, FFrameColor, Down);
        int Arrow = FOrientation == orHorizontal ? ArrowLeft : ArrowDown;
        if (Half == 1)
            Arrow = FOrientation == orHorizontal ? ArrowRight : ArrowUp;
        PaintDirectionArrow(Canvas(), R, false, Arrow, HalfEnabled(Half), Down);
    }
}

void TFcTabScroller::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
    case CM_DESIGNHITTEST:
        Message.Result = 1;
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

void TFcTabScroller::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const bool UpRight = FOrientation == orHorizontal ? X >= Width() / 2 : Y <= Height() / 2;
    FPressedHalf = UpRight ? 1 : 0;
    FMouseDown = true;
    FPressedIn = true;
    Invalidate();
    SetMouseCapture(true);
    if (FRepeatTimer == nullptr) {
        FRepeatTimer = new TTimer(this);
        FRepeatTimer->SetEnabled(false);
        FRepeatTimer->SetOnTimer([this](TObject* Sender) { RepeatTimerTick(Sender); });
    }
    FRepeatTimer->SetInterval(FInitialDelay);
    FRepeatTimer->SetEnabled(true);
}

void TFcTabScroller::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (FMouseDown && AssignIfChanged(FPressedIn, PtInRect(HalfRect(FPressedHalf), TPoint{X, Y})))
        Invalidate();
}

void TFcTabScroller::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FRepeatTimer != nullptr)
        FRepeatTimer->SetEnabled(false);
    SetMouseCapture(false);
    FMouseDown = false;
    const bool Click = FPressedIn;
    FPressedIn = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Click)
        ClickHalf();
    Invalidate();
}

void TFcTabScroller::ClickHalf()
{
    const TNotifyEvent& Handler = FPressedHalf == 0 ? FOnDownLeftClick : FOnUpRightClick;
    if (Handler)
        Handler(this);
}

void TFcTabScroller::RepeatTimerTick(TObject* Sender)
{
    (void)Sender;
    FRepeatTimer->SetInterval(FDelay);
    if (!FPressedIn || !MouseCapture())
        return;
    try {
        ClickHalf();
    } catch (...) {
        FRepeatTimer->SetEnabled(false);
        throw;
    }
}
