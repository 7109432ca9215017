// How the tab control changes its current tab: the TabIndex setter with
// its veto, mouse presses, keys and accelerators, the check after each
// layout, hot tracking with its 60 ms poll and per-tab hints, and the close
// button's request.
#include "controls/lists/FcTabControl.h"

#include "controls/foundation/FcPlatformHelpers.h"
#include "platform/actions/Menus.h"
#include "platform/classes/ComponentRef.h"
#include "platform/forms/Application.h"

namespace {

constexpr unsigned HotTrackInterval = 60;

// Sets a flag for a scope, whatever happens in it.
class TFlagScope {
public:
    // Flag is a member of Holder, which what runs in the scope may free:
    // it is then not put back.
    TFlagScope(TComponent* Holder, bool& Flag) : FHolder(Holder), FFlag(Flag), FOld(Flag) { FFlag = true; }
    ~TFlagScope()
    {
        if (FHolder)
            FFlag = FOld;
    }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    TComponentRef<> FHolder;
    bool& FFlag;
    bool FOld;
};

bool Designing(const TComponent* C)
{
    return C->ComponentState().Contains(csDesigning);
}

} // namespace

// --- the current tab --------------------------------------------------------------------------------

bool TFcCustomTabControl::CanSelectTab(int Index)
{
    if (FTabs->Count() == 0 || Index < 0 || Index >= FTabs->Count())
        return false;
    const TFcTabData* T = FTabs->Items(Index);
    if (!T->Visible() || !(T->Enabled() || Designing(this)))
        return false;
    bool AllowChange = true;
    if (Index != FTabIndex)
        DoChanging(Index, AllowChange);
    return AllowChange;
}

void TFcCustomTabControl::SetTabIndex(int Value)
{
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) {
        FTabIndex = Value;
        return;
    }
    if (Value < 0 || Value >= FTabs->Count()) {
        FTabIndex = -1;
        FullRepaint();
        RepaintStripButtons(false);
        return;
    }
    const int Old = FTabIndex;
    const bool Allowed = Value == Old || FSelecting || CanSelectTab(Value);
    if (Allowed) {
        FTabIndex = Value;
        bool Scrolled = false;
        BringTabIntoView(Value, Scrolled);
        if (Scrolled || Value != Old) {
            FullRepaint();
            RepaintStripButtons(true);
        }
        if (Value != Old) {
            // OnChange may free the control.
            const TComponentRef<> Self(this);
            Change();
            if (!Self)
                return;
            PageChange();
            if (!Self)
                return;
            if (Designing(this) && FPaintingDone)
                NotifyDesignerModified(this);
        }
    }
    RepaintStripButtons(false);
}

void TFcCustomTabControl::BringTabIntoView(int Index, bool& Scrolled)
{
    if (!FOverflow) {
        RotateTabRows(Index);
        return;
    }
    if (Index >= FFirstShownTab) {
        while (FFirstShownTab < Index && !IsTabFullyVisible(Index)) {
            ++FFirstShownTab;
            Scrolled = true;
        }
        return;
    }
    FFirstShownTab = Index;
    Scrolled = true;
}

// After a layout pass the current tab may have become hidden or disabled:
// the nearest selectable one takes its place, higher indexes first.
void TFcCustomTabControl::RecheckCurrentTab()
{
    if (FTabIndex == -1)
        return;
    const int Count = FTabs->Count();
    if (Count == 0) {
        FTabIndex = -1;
        return;
    }
    // Tabs may have gone: the search starts within the list.
    const int Start = std::min(FTabIndex, Count - 1);
    int Found = -1;
    for (int I = Start; I < Count && Found < 0; ++I)
        if (CanSelectTab(I))
            Found = I;
    for (int I = Start; I >= 0 && Found < 0; --I)
        if (CanSelectTab(I))
            Found = I;
    if (Found >= 0 && Found != FTabIndex) {
        TFlagScope Selecting(this, FSelecting);
        SetTabIndex(Found);
    }
}

void TFcCustomTabControl::SelectFoundTab(int Index, bool FireTabClick)
{
    if (Index < 0 || Index == FTabIndex)
        return;
    // OnChange may free the control.
    const TComponentRef<> Self(this);
    {
        TFlagScope Selecting(this, FSelecting);
        SetTabIndex(Index);
    }
    if (Self && FireTabClick && FTabIndex == Index)
        DoTabClick();
}

// From From, Step at a time (with wrap-around when Wrap), the first tab
// CanSelectTab allows; the search stops at the current tab and visits each
// tab once.  -1 when none.
int TFcCustomTabControl::FindSelectableTab(int From, int Step, bool Wrap)
{
    const int Count = FTabs->Count();
    int I = From;
    for (int N = 0; N < Count; ++N) {
        if (I < 0 || I >= Count) {
            if (!Wrap)
                return -1;
            I = (I + Count) % Count;
        }
        if (I == FTabIndex)
            return -1;
        if (CanSelectTab(I))
            return I;
        I += Step;
    }
    return -1;
}

void TFcCustomTabControl::CloseRequest()
{
    if (FTabIndex == -1)
        return;
    bool AllowClose = false;
    if (FOnClose)
        FOnClose(this, AllowClose);
    if (AllowClose)
        CloseCurrentTab();
}

// --- mouse -----------------------------------------------------------------------------------------------

void TFcCustomTabControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // OnMouseDown and OnChange may free the control.
    const TComponentRef<> Self(this);
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!Self || (Designing(this) ? Button != mbLeft : !Enabled()))
        return;
    const int Tab = TabAtPos(X, Y);
    FDragSourceIndex = Tab;
    if (Tab == -1 || !FTabs->Items(Tab)->Enabled())
        return;
    if (TabStop() && Tab == FTabIndex && !Designing(this)) {
        if (CanFocus())
            SetFocus();
        if (!Focused())
            return;
    }
    SetTabIndex(Tab);
    if (Self && FTabIndex == Tab)
        DoTabClick();
}

void TFcCustomTabControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (FAllowTabDragging && Shift.Contains(ssLeft) && FDragSourceIndex >= 0 && FDragSourceIndex < FTabs->Count()
        && FTabs->Items(FDragSourceIndex)->Enabled() && !Dragging())
        BeginDrag(false, FcTabDragThreshold);
    if (!Designing(this) && (FHotTrack || FTabHints))
        UpdateHotTab(X, Y);
}

// --- keys ------------------------------------------------------------------------------------------------

void TFcCustomTabControl::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (FTabs->Count() == 0)
        return;
    switch (Key) {
    case VK_HOME:
    case VK_END:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        HandleNavigationKey(Key);
        break;
    default:
        break;
    }
}

void TFcCustomTabControl::HandleNavigationKey(WORD Key)
{
    const int Count = FTabs->Count();
    const bool Standard = FTabSequence == tsStandard;
    int Found = -1;
    if (Key == VK_HOME || Key == VK_END) {
        const bool Swap = (FTabOrientation == toLeft) == Standard;
        const bool FromStart = (Key == VK_HOME) != Swap;
        Found = FromStart ? FindSelectableTab(0, 1, false) : FindSelectableTab(Count - 1, -1, false);
    } else {
        const bool RightOrDown = Key == VK_RIGHT || Key == VK_DOWN;
        // Which keys go to higher indexes depends on the side and order.
        const bool Higher = FTabOrientation == toLeft ? RightOrDown != Standard : RightOrDown == Standard;
        const int Step = Higher ? 1 : -1;
        int From = FTabIndex + Step;
        if (FTabIndex == -1)
            From = Higher ? 0 : Count - 1;
        Found = FindSelectableTab(From, Step, true);
    }
    SelectFoundTab(Found, true);
}

void TFcCustomTabControl::CMDialogChar(TMessage& Message)
{
    if (CanFocus()) {
        for (int I = 0; I < FTabs->Count(); ++I) {
            const TFcTabData* T = FTabs->Items(I);
            if (!T->Enabled() || !T->Visible() || !IsAccel(WORD(Message.WParam), T->Caption()))
                continue;
            Message.Result = 1;
            SetFocus();
            if (!Focused())
                return;
            SetTabIndex(I);
            if (FTabIndex == I)
                DoTabClick();
            return;
        }
    }
    TCustomControl::CMDialogChar(Message);
}

// --- hot tracking and tab hints ----------------------------------------------------------------------------

void TFcCustomTabControl::InvalidateTab(int Index)
{
    if (!HandleAllocated() || Index < 0 || Index >= FTabs->Count())
        return;
    TRect R = TabClientRect(Index);
    InflateRect(R, 2, 2);
    InvalidateRect(Handle(), &R, FALSE);
}

void TFcCustomTabControl::StopHotTrackTimer()
{
    if (FHotTrackTimer != 0 && HandleAllocated())
        KillTimer(Handle(), HotTrackTimerId);
    FHotTrackTimer = 0;
}

void TFcCustomTabControl::CancelHotTrack()
{
    StopHotTrackTimer();
    if (FHotIndex != -1) {
        const int Old = FHotIndex;
        FHotIndex = -1;
        FHotRepaint = true;
        InvalidateTab(Old);
    }
    // Only what the tab hints changed is put back.
    if (FHintChanged) {
        FHintChanged = false;
        SetHint(FSavedHint);
    }
}

void TFcCustomTabControl::ChangeHintForTabs(const String& Value)
{
    if (!FHintChanged) {
        FSavedHint = Hint();
        FHintChanged = true;
    }
    SetHint(Value);
}

void TFcCustomTabControl::LeaveTabs(TPoint P)
{
    const TRect A = TabAreaRect();
    const bool InArea = PtInRect(Rect(A.Left, A.Top, A.Right + 1, A.Bottom + 1), P);
    if (FTabHints && (FHotIndex != -1 || InArea) && Application != nullptr)
        Application->CancelHint();
    CancelHotTrack();
    // The bare strip shows no hint of its own.
    if (FTabHints && InArea)
        ChangeHintForTabs(String());
}

void TFcCustomTabControl::UpdateHotTab(int X, int Y)
{
    const int Tab = TabAtPos(X, Y);
    if (Tab == -1) {
        LeaveTabs({X, Y});
        return;
    }
    if (Tab == FHotIndex)
        return;
    const int Old = FHotIndex;
    FHotIndex = Tab;
    if (FHotTrack) {
        FHotRepaint = true;
        InvalidateTab(Old);
        InvalidateTab(Tab);
    }
    if (FTabHints) {
        if (Application != nullptr)
            Application->CancelHint();
        ChangeHintForTabs(FTabs->Items(Tab)->Hint());
    }
    if (FHotTrackTimer == 0 && HandleAllocated())
        FHotTrackTimer = SetTimer(Handle(), HotTrackTimerId, HotTrackInterval);
}

void TFcCustomTabControl::HotTrackTimerTick()
{
    const TPoint P = ScreenToClient(FcTabCursorPos());
    if (TabAtPos(P.X, P.Y) == -1)
        LeaveTabs(P);
}
