#include "controls/foundation/FcPopups.h"

#include "controls/foundation/FcPlatformHelpers.h"
#include "controls/foundation/FcPopupWindow.h"
#include "controls/foundation/FcThemeBridge.h"
#include "platform/classes/ComponentRef.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Forms.h"
#include "platform/windows/Themes.h"

REGISTER_COMPONENT(TFcCustomPopup, TFcCustomPanel)
    PUBLISHED(BorderWidth, 2)
    PUBLISHED(BorderOuter, fsPopup)
    PUBLISHED(FlatColorAdjustment, 0)
    PUBLISHED_STORED(Visible, false, &TFcCustomPopup::IsVisibleStored)
END_REGISTER

REGISTER_COMPONENT(TFcPopupPanel, TFcCustomPopup)
    PUBLISHED(Alignment, taRightJustify)
    PUBLISHED(AutoSize, true)
    PUBLISHED_EVENT(OnClose)
    PUBLISHED_EVENT(OnPopup)
END_REGISTER

namespace {

// The anchor's rectangle on the screen.
TRect AnchorRect(TControl* Control)
{
    TRect R;
    if (auto* Win = dynamic_cast<TWinControl*>(Control)) {
        GetWindowRect(Win->Handle(), &R);
        return R;
    }
    if (Control == nullptr || Control->Parent() == nullptr)
        return Control != nullptr ? Control->BoundsRect() : TRect();
    const TPoint P = Control->Parent()->ClientToScreen({Control->Left(), Control->Top()});
    return Bounds(P.X, P.Y, Control->Width(), Control->Height());
}

TRect WorkAreaAt(TPoint P)
{
    TRect Work;
    if (TMonitor* M = FindMonitorAtPoint(P))
        GetMonitorWorkArea(M, Work);
    else
        Work = Screen->WorkAreaRect();
    return Work;
}

} // namespace

// --- the common look ----------------------------------------------------------------------

TFcCustomPopup::TFcCustomPopup(TComponent* AOwner) : TFcCustomPanel(AOwner)
{
    SetBorderWidth(2);
    SetBorderOuter(fsPopup);
    SetFlatColorAdjustment(0);
    FVisible = false;
}

// The themed border alone may leave the inside to the erased background.
bool TFcCustomPopup::PaintCoversBackground()
{
    return !FcThemesEnabled() && TFcCustomPanel::PaintCoversBackground();
}

void TFcCustomPopup::Paint()
{
    if (!FcThemesEnabled()) {
        TFcCustomPanel::Paint();
        return;
    }
    FcDrawThemedElement(Canvas(), TThemeServices::GetElementDetails(teEditBorderNoScrollNormal), ClientRect());
}

// --- the panel ----------------------------------------------------------------------------

TFcPopupPanel::TFcPopupPanel(TComponent* AOwner) : TFcCustomPopup(AOwner)
{
    SetAlignment(taRightJustify);
    SetAutoSize(true);
    FControlStyle.Include(csAcceptsControls);
    FWidth = 100;
    FHeight = 100;
}

TFcPopupPanel::~TFcPopupPanel()
{
    ClosePopup();
}

bool TFcPopupPanel::Popup(TControl* Control)
{
    return Popup(Control, -1, -1);
}

bool TFcPopupPanel::Popup(TControl* Control, int X, int Y)
{
    if (FPopup != nullptr)
        return false;
    FAnchor = Control;
    // The panel may go while it is shown: this call then leaves it alone.
    const TComponentRef<> Alive(this);
    TCustomForm* Form = GetParentForm(this);
    const TComponentRef<TCustomForm> FormWatch(Form);
    const TComponentRef<TWinControl> Active(Form != nullptr ? Form->ActiveControl() : nullptr);
    if (Form != nullptr)
        Form->DisableAutoRange();
    // Whatever way the popup ends, the form ranges its scroll bars again
    // and the window is told to go.
    struct TCleanup {
        TFcPopupPanel* Panel;
        const TComponentRef<>& Alive;
        const TComponentRef<TCustomForm>& FormWatch;
        ~TCleanup()
        {
            if (TCustomForm* F = FormWatch.Get())
                F->EnableAutoRange();
            if (!Alive)
                return;
            if (Panel->FPopup != nullptr) {
                // Also when an exception ended it: the controls go home.
                Panel->FPopup->HideAndReturnContent();
                Panel->FPopup->PostClose();
                Panel->FPopup = nullptr;
            }
            Panel->FAnchor = nullptr;
        }
    } Cleanup{this, Alive, FormWatch};

    if (FOnPopup)
        FOnPopup(this);
    if (!Alive)
        return false;
    HandleNeeded();
    if (AutoSize())
        FitContent();
    FPopup = new TFcPopup(this);
    FPopup->SetBorderOuter(BorderOuter());
    FPopup->SetFlatColor(FlatColor());
    const bool Result = ShowPopupAt(Control, Alignment(), X, Y);
    if (!Alive)
        return Result;
    if (FOnClose)
        FOnClose(this);
    if (!Alive)
        return Result;
    TWinControl* Previous = Active.Get();
    if (ApplicationIsActive() && Previous != nullptr && Previous->CanFocus())
        Previous->SetFocus();
    return Result;
}

bool TFcPopupPanel::ShowPopupAt(TControl* Control, TAlignment Alignment, int X, int Y)
{
    const TRect AR = AnchorRect(Control);
    FPopup->TakeContent();
    const int W = Width(), H = Height();
    TPoint P;
    if (X != -1 || Y != -1) {
        P = {AR.Left + X, AR.Top + Y};
    } else {
        P.Y = AR.Bottom;
        P.X = Alignment == taLeftJustify  ? AR.Left
            : Alignment == taRightJustify ? AR.Right - W
                                          : (AR.Left + AR.Right - W) / 2;
    }
    // On the screen: to the left of the work area's right edge, above the
    // anchor when there is no room below it.
    const TRect Work = WorkAreaAt(P);
    if (P.X + W > Work.Right)
        P.X = Work.Right - W;
    if (P.Y + H > Work.Bottom)
        P.Y = AR.Top - H;
    P.X = std::max(P.X, Work.Left);
    P.Y = std::max(P.Y, Work.Top);
    const TComponentRef<> Window(FPopup);
    FPopup->SetBounds(P.X, P.Y, W, H);
    SetWindowPos(FPopup->Handle(), nullptr, P.X, P.Y, W, H, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (!Window)
        return false;
    FPopup->SetVisible(true);
    FPopup->SetStillOpen(true);
    return FPopup->RunLoop();
}

// AutoSize: the panel takes the size that holds its visible controls
// inside its frame, the unaligned ones moved up to the frame's inner
// top-left corner.
void TFcPopupPanel::FitContent()
{
    TRect Extent;
    bool Any = false;
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (!C->Visible())
            continue;
        if (!Any)
            Extent = C->BoundsRect();
        else
            UnionRect(Extent, Extent, C->BoundsRect());
        Any = true;
    }
    if (!Any)
        return;
    TRect Inner = GetClientRect();
    AdjustClientRect(Inner);
    const int DX = Inner.Left - Extent.Left, DY = Inner.Top - Extent.Top;
    for (int I = 0; I < ControlCount(); ++I)
        if (TControl* C = Controls(I); C->Align() == alNone && (DX != 0 || DY != 0))
            C->SetBounds(C->Left() + DX, C->Top() + DY, C->Width(), C->Height());
    SetBounds(Left(), Top(), Width() - Inner.Width() + Extent.Width(), Height() - Inner.Height() + Extent.Height());
}

void TFcPopupPanel::ClosePopup()
{
    if (FPopup == nullptr)
        return;
    FPopup->SetStillOpen(false);
    FPopup->PostClose();
}

void TFcPopupPanel::DestroyWnd()
{
    ClosePopup();
    TFcCustomPopup::DestroyWnd();
}
