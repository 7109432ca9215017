#include "platform/stdctrls/ScrollBar.h"

#include "platform/classes/TypInfo.h"

REGISTER_ENUM(TScrollBarKind, sbHorizontal, sbVertical)
REGISTER_ENUM(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom,
              scEndScroll)

REGISTER_COMPONENT(TScrollBar, TWinControl)
    PUBLISHED(Kind, sbHorizontal)
    PUBLISHED(LargeChange, 1)
    PUBLISHED(Max, 100)
    PUBLISHED(Min, 0)
    PUBLISHED(PageSize, 0)
    PUBLISHED(Position, 0)
    PUBLISHED(SmallChange, 1)
    PUBLISHED(TabStop, true)
    PUBLISHED_EVENT(OnChange)
    PUBLISHED_EVENT(OnScroll)
END_REGISTER

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FWidth = 121;
    FHeight = GetSystemMetrics(SM_CYHSCROLL);
    SetTabStop(true);
    FControlStyle = {csFramed, csDoubleClicks, csOpaque};
}

void TScrollBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style |= FKind == sbVertical ? SBS_VERT : SBS_HORZ;
    // The scroll-bar window class paints the bar and follows the mouse.
    Params.WindowClass.lpfnWndProc = [this](TMessage& M) {
        M.Result = DefScrollBarProc(WindowHandle(), M.Msg, M.WParam, M.LParam);
    };
}

void TScrollBar::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateScrollInfo();
}

void TScrollBar::UpdateScrollInfo()
{
    if (!HandleAllocated())
        return;
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    Info.nMin = FMin;
    Info.nMax = FMax;
    Info.nPage = UINT(FPageSize);
    Info.nPos = FPosition;
    SetScrollInfo(Handle(), SB_CTL, &Info, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind Value)
{
    if (!AssignIfChanged(FKind, Value))
        return;
    if (!ComponentState().Contains(csLoading))
        SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax)
{
    if (AMax < AMin || AMax < FPageSize)
        throw EInvalidOperation(QStringLiteral("Scrollbar property out of range"));
    APosition = std::clamp(APosition, AMin, AMax);
    const bool RangeChanged = FMin != AMin || FMax != AMax;
    FMin = AMin;
    FMax = AMax;
    const bool Moved = AssignIfChanged(FPosition, APosition);
    if (RangeChanged || Moved)
        UpdateScrollInfo();
    if (Moved) {
        // The window may hold it in less than the range when a page shows.
        if (HandleAllocated())
            FPosition = GetScrollPos(Handle(), SB_CTL);
        Change();
    }
}

void TScrollBar::SetPageSize(int Value)
{
    if (Value == FPageSize || Value < 0 || Value > FMax)
        return;
    FPageSize = Value;
    UpdateScrollInfo();
}

void TScrollBar::Change()
{
    Changed();
    if (FOnChange)
        FOnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos)
{
    if (FOnScroll)
        FOnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
        DoScroll(Message);
        return;
    }
    TWinControl::Dispatch(Message);
}

void TScrollBar::DoScroll(TMessage& Message)
{
    const auto Code = TScrollCode(LOWORD(Message.WParam));
    int ScrollPos = FPosition;
    switch (Code) {
    case scLineUp:
        ScrollPos -= FSmallChange;
        break;
    case scLineDown:
        ScrollPos += FSmallChange;
        break;
    case scPageUp:
        ScrollPos -= FLargeChange;
        break;
    case scPageDown:
        ScrollPos += FLargeChange;
        break;
    case scPosition:
    case scTrack: {
        // The 16 bits of the message cannot hold every position.
        SCROLLINFO Info;
        Info.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), SB_CTL, &Info);
        ScrollPos = Info.nTrackPos;
        break;
    }
    case scTop:
        ScrollPos = FMin;
        break;
    case scBottom:
        ScrollPos = FMax;
        break;
    case scEndScroll:
        break;
    }
    // A page shows the last PageSize positions at once.
    const int Last = FMax - std::max(FPageSize - 1, 0);
    ScrollPos = std::clamp(ScrollPos, FMin, std::max(FMin, Last));
    Scroll(Code, ScrollPos);
    SetPosition(ScrollPos);
}
