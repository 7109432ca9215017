#include "controls/foundation/FcToolButton.h"

#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcImageLists.h"
#include "controls/foundation/FcMessages.h"
#include "controls/foundation/FcOldPropReader.h"
#include "controls/foundation/FcPlatformHelpers.h"
#include "controls/foundation/FcThemeBridge.h"
#include "controls/foundation/FcToolbar.h"
#include "platform/actions/Menus.h"
#include "platform/classes/ComponentRef.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Screen.h"
#include "platform/windows/Themes.h"
#include "platform/windows/WinControl.h"

#include <algorithm>

REGISTER_ENUM(TFcToolStyle, tsButton, tsDropDown)

REGISTER_COMPONENT(TFcToolButton, TGraphicControl)
    PUBLISHED(AllowAllUp, false)
    PUBLISHED(Alignment, taCenter)
    PUBLISHED_STORED(Color, clBtnFace, &TControl::IsColorStored)
    PUBLISHED(ParentColor, false)
    PUBLISHED(DisabledIndex, -1)
    PUBLISHED(DownIndex, -1)
    PUBLISHED(HotIndex, -1)
    PUBLISHED_STORED(ImageIndex, -1, &TFcToolButton::IsImageIndexStored)
    PUBLISHED_STORED(Down, false, &TFcToolButton::IsDownStored)
    PUBLISHED(DropDownMenu, nullptr)
    PUBLISHED(Flat, true)
    PUBLISHED_NODEFAULT_STORED(GradientColorStyle, [](const TFcToolButton& B) { return !B.UseToolbarVisualStyle(); })
    PUBLISHED(GroupIndex, 0)
    PUBLISHED_STORED(Height, 25, &TFcToolButton::IsSizeStored)
    PUBLISHED_STORED(Width, 25, &TFcToolButton::IsSizeStored)
    PUBLISHED(Images, nullptr)
    PUBLISHED(Layout, blGlyphLeft)
    PUBLISHED(SelectionColorStart, clBtnFace)
    PUBLISHED(SelectionColorStop, clBtnShadow)
    PUBLISHED(SelectionFrameColor, cl3DDkShadow)
    PUBLISHED_NODEFAULT_STORED(ShowCaption, [](const TFcToolButton& B) { return !B.UseToolbarShowCaption(); })
    PUBLISHED(ToolStyle, tsButton)
    PUBLISHED(Transparent, true)
    PUBLISHED(UseToolbarButtonLayout, true)
    PUBLISHED(UseToolbarButtonSize, true)
    PUBLISHED(UseToolbarShowCaption, true)
    PUBLISHED(UseToolbarVisualStyle, true)
    PUBLISHED_NODEFAULT_STORED(VisualStyle, [](const TFcToolButton& B) { return !B.UseToolbarVisualStyle(); })
    PUBLISHED_EVENT(OnDropDown)
END_REGISTER

namespace {

// The arrow part of a drop-down button, and what pressing it shows.
constexpr int ArrowPart = 14;

bool IsDownState(TFcToolButtonState State)
{
    return State == bsDown || State == bsExclusive;
}

// Restores a UseToolbar flag after a setter that cleared it.
class TKeepFlag {
public:
    explicit TKeepFlag(bool& Flag) : FFlag(Flag), FSaved(Flag) {}
    ~TKeepFlag() { FFlag = FSaved; }
    TKeepFlag(const TKeepFlag&) = delete;
    TKeepFlag& operator=(const TKeepFlag&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};

} // namespace

TFcToolButton::TFcToolButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FImageChangeLink(std::make_unique<TChangeLink>())
{
    FImageChangeLink->SetOnChange([this](TObject*) {
        FitImage();
        Invalidate();
    });
    FControlStyle = {csCaptureMouse};
    FWidth = 25;
    FHeight = 25;
    SetColor(clBtnFace);
    SetDragMode(dmManual);
}

TFcToolButton::~TFcToolButton()
{
    if (FImages != nullptr)
        FImages->UnRegisterChanges(FImageChangeLink.get());
}

TFcToolbar* TFcToolButton::Toolbar() const
{
    return dynamic_cast<TFcToolbar*>(Parent());
}

void TFcToolButton::DefineProperties(TFiler& Filer)
{
    TGraphicControl::DefineProperties(Filer);
    Filer.DefineProperty(QStringLiteral("GradientColorDefault"), TFcOldPropReader::SkipBooleanProperty, nullptr, false);
    Filer.DefineProperty(QStringLiteral("ThemeAware"), TFcOldPropReader::SkipBooleanProperty, nullptr, false);
    Filer.DefineProperty(
        QStringLiteral("GradientColorStart"), [this](TReader& R) { ReadOldColor(R, FSelectionColorStart); }, nullptr,
        false);
    Filer.DefineProperty(
        QStringLiteral("GradientColorStop"), [this](TReader& R) { ReadOldColor(R, FSelectionColorStop); }, nullptr,
        false);
    Filer.DefineProperty(
        QStringLiteral("FrameColor"), [this](TReader& R) { ReadOldColor(R, FSelectionFrameColor); }, nullptr, false);
    Filer.DefineProperty(
        QStringLiteral("UseGradients"),
        [this](TReader& R) {
            if (R.ReadBoolean())
                SetVisualStyle(vsGradient);
        },
        nullptr, false);
}

// An old colour: a name (clBtnFace) or a number.
void TFcToolButton::ReadOldColor(TReader& Reader, TColor& Target)
{
    if (Reader.NextValue() == vaIdent) {
        std::int32_t Value = 0;
        if (IdentToColor(Reader.ReadIdent(), Value))
            Target = TColor(Value);
    } else {
        Target = TColor(Reader.ReadInteger());
    }
    Invalidate();
}

// --- properties ---------------------------------------------------------------------------------------

void TFcToolButton::SetAllowAllUp(bool Value)
{
    if (!AssignIfChanged(FAllowAllUp, Value))
        return;
    TellGroup();
}

void TFcToolButton::SetDown(bool Value)
{
    if (FGroupIndex == 0)
        Value = false;
    if (Value == FDown)
        return;
    if (FDown && !FAllowAllUp)
        return;
    FDown = Value;
    if (Value) {
        if (FState == bsUp)
            Invalidate();
        FState = bsExclusive;
        TellGroup();
    } else {
        FState = bsUp;
        Repaint();
    }
}

void TFcToolButton::SetDropDownMenu(TPopupMenu* Value)
{
    if (FDropDownMenu == Value)
        return;
    if (FDropDownMenu != nullptr)
        FDropDownMenu->RemoveFreeNotification(this);
    FDropDownMenu = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

void TFcToolButton::SetGroupIndex(int Value)
{
    // A drop-down button is never part of a group.
    if (FToolStyle == tsDropDown)
        Value = 0;
    if (!AssignIfChanged(FGroupIndex, Value))
        return;
    TellGroup();
}

// The button grows to hold the new list's images.
void TFcToolButton::SetImages(TCustomImageList* Value)
{
    if (!ChangeImageList(this, FImageChangeLink.get(), FImages, Value))
        return;
    if (FImages != nullptr)
        FitImage();
    Invalidate();
}

void TFcToolButton::FitImage()
{
    const TSize S = GetImageSize();
    if (Width() < S.cx || Height() < S.cy)
        SetBounds(Left(), Top(), std::max(Width(), S.cx), std::max(Height(), S.cy));
}

void TFcToolButton::SetLayout(TButtonLayout Value)
{
    if (!AssignIfChanged(FLayout, Value))
        return;
    if (!ComponentState().Contains(csReading))
        FUseToolbarButtonLayout = false;
    Invalidate();
}

void TFcToolButton::SetShowCaption(bool Value)
{
    FUseToolbarShowCaption = false;
    SetPaintProperty(FShowCaption, Value);
}

void TFcToolButton::SetToolStyle(TFcToolStyle Value)
{
    if (!AssignIfChanged(FToolStyle, Value))
        return;
    FGroupIndex = 0;
    if (!ComponentState().Contains(csLoading)) {
        TKeepFlag Keep(FUseToolbarButtonSize);
        SetBounds(Left(), Top(), Width() + (Value == tsDropDown ? ArrowPart : -ArrowPart), Height());
    }
    Invalidate();
}

void TFcToolButton::SetVisualStyle(TFcVisualStyle Value)
{
    FUseToolbarVisualStyle = false;
    SetPaintProperty(FVisualStyle, Value);
}

void TFcToolButton::SetUseToolbarButtonLayout(bool Value)
{
    FUseToolbarButtonLayout = Value;
    if (Value)
        ToolbarChanged(CM_TOOLBARBUTTONLAYOUTCHANGED);
    Invalidate();
}

void TFcToolButton::SetUseToolbarButtonSize(bool Value)
{
    FUseToolbarButtonSize = Value;
    if (Value)
        ToolbarChanged(CM_TOOLBARBUTTONSIZECHANGED);
    Invalidate();
}

void TFcToolButton::SetUseToolbarShowCaption(bool Value)
{
    FUseToolbarShowCaption = Value;
    if (Value)
        ToolbarChanged(CM_TOOLBARSHOWCAPTIONCHANGED);
    Invalidate();
}

void TFcToolButton::SetUseToolbarVisualStyle(bool Value)
{
    FUseToolbarVisualStyle = Value;
    if (Value)
        ToolbarChanged(CM_TOOLBARVISUALSTYLECHANGED);
    Invalidate();
}

void TFcToolButton::ToolbarChanged(UINT Msg)
{
    if (Parent() != nullptr && !ComponentState().Contains(csReading))
        Perform(Msg, 0, 0);
}

// A size set on the button itself is its own, not the toolbar's.
void TFcToolButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if ((AWidth != Width() || AHeight != Height()) && !ComponentState().Contains(csLoading))
        FUseToolbarButtonSize = false;
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TFcToolButton::SetParent(TWinControl* AParent)
{
    TGraphicControl::SetParent(AParent);
    if (!ComponentState().Contains(csLoading))
        SyncWithToolbar();
}

void TFcToolButton::Loaded()
{
    TGraphicControl::Loaded();
    SyncWithToolbar();
}

bool TFcToolButton::IsSizeStored() const
{
    const TFcToolbar* T = Toolbar();
    return !(FUseToolbarButtonSize && T != nullptr && Width() == T->ButtonWidth() && Height() == T->ButtonHeight());
}

bool TFcToolButton::IsDownStored() const
{
    return ActionLink() == nullptr || ActionLink()->Action() == nullptr || !ActionLink()->IsCheckedLinked();
}

bool TFcToolButton::IsImageIndexStored() const
{
    return ActionLink() == nullptr || ActionLink()->Action() == nullptr || !ActionLink()->IsImageIndexLinked();
}

void TFcToolButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FImages)
        SetImages(nullptr);
    if (AComponent == FDropDownMenu)
        FDropDownMenu = nullptr;
}

// --- the toolbar --------------------------------------------------------------------------------------

void TFcToolButton::SyncWithToolbar()
{
    if (Parent() == nullptr)
        return;
    for (UINT Msg : {CM_TOOLBARSHOWCAPTIONCHANGED, CM_TOOLBARBUTTONLAYOUTCHANGED, CM_TOOLBARBUTTONSIZECHANGED,
                     CM_TOOLBARVISUALSTYLECHANGED})
        Perform(Msg, 0, 0);
}

TCustomImageList* TFcToolButton::GetImages() const
{
    if (FImages != nullptr)
        return FImages;
    const TFcToolbar* T = Toolbar();
    return T != nullptr ? T->Images() : nullptr;
}

TSize TFcToolButton::GetImageSize()
{
    TCustomImageList* List = GetImages();
    if (List == nullptr || FImageIndex == -1)
        return {0, 0};
    return {List->Width(), List->Height()};
}

void TFcToolButton::Dispatch(TMessage& Message)
{
    TFcToolbar* T = Toolbar();
    switch (Message.Msg) {
    case CM_TOOLBARSHOWCAPTIONCHANGED:
        if (FUseToolbarShowCaption && T != nullptr) {
            TKeepFlag Keep(FUseToolbarShowCaption);
            SetShowCaption(T->ShowButtonCaptions());
        }
        return;
    case CM_TOOLBARBUTTONLAYOUTCHANGED:
        if (FUseToolbarButtonLayout && T != nullptr) {
            TKeepFlag Keep(FUseToolbarButtonLayout);
            SetLayout(T->ButtonLayout());
        }
        return;
    case CM_TOOLBARBUTTONSIZECHANGED:
        if (FUseToolbarButtonSize && T != nullptr) {
            int W = T->ButtonWidth();
            if (FShowCaption) {
                UseFont(Canvas());
                const int Text = Canvas()->TextWidth(Caption());
                const bool Beside = FLayout == blGlyphLeft || FLayout == blGlyphRight;
                W = std::max(W, Beside ? GetImageSize().cx + Text + 12 : Text + 8);
            }
            if (FToolStyle == tsDropDown)
                W += ArrowPart;
            TKeepFlag Keep(FUseToolbarButtonSize);
            SetBounds(Left(), Top(), W, T->ButtonHeight());
        }
        return;
    case CM_TOOLBARVISUALSTYLECHANGED:
        if (FUseToolbarVisualStyle && T != nullptr) {
            TKeepFlag Keep(FUseToolbarVisualStyle);
            SetVisualStyle(T->VisualStyle());
            SetGradientColorStyle(T->GradientColorStyle());
        }
        return;
    case CM_TEXTCHANGED:
        TGraphicControl::Dispatch(Message);
        SyncWithToolbar();
        Invalidate();
        return;
    case CM_BUTTONPRESSED:
        ButtonPressed(Message);
        return;
    case CM_DIALOGCHAR:
        DialogChar(Message);
        return;
    case CM_MOUSEENTER:
        if (ComponentState().Contains(csDesigning))
            return;
        FMouseOver = true;
        TGraphicControl::Dispatch(Message);
        if (TrackingWanted())
            Repaint();
        return;
    case CM_MOUSELEAVE:
        if (!FMenuShowing)
            FMouseOver = false;
        TGraphicControl::Dispatch(Message);
        if (TrackingWanted())
            Repaint();
        return;
    default:
        TGraphicControl::Dispatch(Message);
        return;
    }
}

// --- groups, keys and actions ---------------------------------------------------------------------------

void TFcToolButton::TellGroup()
{
    if (FGroupIndex == 0 || Parent() == nullptr)
        return;
    TMessage Msg{CM_BUTTONPRESSED, WPARAM(FGroupIndex), PtrToLParam(this), 0};
    Parent()->Broadcast(Msg);
}

void TFcToolButton::ButtonPressed(TMessage& Message)
{
    auto* Sender = dynamic_cast<TFcToolButton*>(LParamToPtr<TControl>(Message.LParam));
    if (int(Message.WParam) != FGroupIndex || Sender == nullptr || Sender == this)
        return;
    // Pushed up by the other: no longer down, so that the next press works.
    if (Sender->Down() && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
    }
    FAllowAllUp = Sender->AllowAllUp();
}

void TFcToolButton::DialogChar(TMessage& Message)
{
    if (!IsAccel(WORD(Message.WParam), Caption()) || !Enabled() || !Visible() || Parent() == nullptr
        || !Parent()->Showing()) {
        TGraphicControl::Dispatch(Message);
        return;
    }
    if (FToolStyle == tsButton || IsSplit())
        Click();
    else
        DropDown();
    Message.Result = 1;
}

std::unique_ptr<TControlActionLink> TFcToolButton::CreateActionLink()
{
    return std::make_unique<TFcToolButtonActionLink>(this);
}

void TFcToolButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TGraphicControl::ActionChange(Sender, CheckDefaults);
    auto* A = dynamic_cast<TCustomAction*>(Sender);
    if (A == nullptr)
        return;
    if (!CheckDefaults || !FDown)
        SetDown(A->Checked());
    if (!CheckDefaults || FImageIndex == -1)
        SetImageIndex(A->ImageIndex());
}

void TFcToolButton::AssignTo(TPersistent* Dest)
{
    if (auto* A = dynamic_cast<TCustomAction*>(Dest)) {
        TGraphicControl::AssignTo(Dest);
        A->SetChecked(FDown);
        A->SetImageIndex(FImageIndex);
        return;
    }
    TGraphicControl::AssignTo(Dest);
}

TFcToolButtonActionLink::TFcToolButtonActionLink(TFcToolButton* Client) : TControlActionLink(Client), FClient(Client)
{}

bool TFcToolButtonActionLink::IsCheckedLinked()
{
    auto* A = dynamic_cast<TCustomAction*>(Action());
    return TControlActionLink::IsCheckedLinked() && A != nullptr && A->Checked() == FClient->Down();
}

bool TFcToolButtonActionLink::IsImageIndexLinked()
{
    auto* A = dynamic_cast<TCustomAction*>(Action());
    return TControlActionLink::IsImageIndexLinked() && A != nullptr && A->ImageIndex() == FClient->ImageIndex();
}

void TFcToolButtonActionLink::SetChecked(bool Value)
{
    if (IsCheckedLinked())
        FClient->SetDown(Value);
}

void TFcToolButtonActionLink::SetImageIndex(int Value)
{
    if (IsImageIndexLinked())
        FClient->SetImageIndex(Value);
}

// --- the mouse ------------------------------------------------------------------------------------------

bool TFcToolButton::IsSplit() const
{
    return FToolStyle == tsDropDown && (OnClick() || Action() != nullptr);
}

bool TFcToolButton::TrackingWanted() const
{
    return FVisualStyle != vsClassic || FFlat;
}

bool TFcToolButton::Pressed() const
{
    return IsDownState(FState) || (FState == tbsMenuOpen && !IsSplit());
}

bool TFcToolButton::InArrowPart(int X) const
{
    return UseRightToLeftAlignment() ? X < ArrowPart : X >= Width() - ArrowPart;
}

void TFcToolButton::PressAsButton()
{
    if (!(FDown && FState != bsExclusive)) {
        FState = bsDown;
        Invalidate();
    }
    FTracking = true;
}

void TFcToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (FToolStyle == tsDropDown && FDropDownMenu != nullptr && Shift == TShiftState{ssLeft}
        && !(IsSplit() && !InArrowPart(X))) {
        OpenOrSwallowMenu(Button, Shift, X, Y);
        return;
    }
    if (FToolStyle == tsDropDown && !FClickAllowed) {
        // The press right after a menu closed is the one that closed it.
        FClickAllowed = true;
        return;
    }
    if (Button != mbLeft || !Enabled())
        return;
    PressAsButton();
}

void TFcToolButton::OpenOrSwallowMenu(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const DWORD Now = GetTickCount();
    // The difference of two tick counts is right across their wrap-round.
    if (FLastDropDown != 0 && DWORD(Now - FLastDropDown) < 100) {
        FClickAllowed = true;
        FLastDropDown = 0;
        SetMouseCapture(false);
    } else {
        FState = tbsMenuOpen;
        Repaint();
        // The menu's command may free the button or its toolbar.
        const TComponentRef<> Alive(this);
        DropDown();
        if (!Alive || ComponentState().Contains(csDestroying))
            return;
        FClickAllowed = false;
        FLastDropDown = GetTickCount();
    }
    MouseUp(Button, Shift, X, Y);
}

void TFcToolButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FTracking) {
        TFcToolButtonState NewState = bsUp;
        if (FDown)
            NewState = bsExclusive;
        else if (X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight())
            NewState = bsDown;
        if (NewState != FState) {
            FState = NewState;
            Invalidate();
        }
    } else if (!FMouseOver) {
        UpdateTracking();
    }
}

void TFcToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // OnMouseUp and OnClick may free the button.
    const TComponentRef<> Self(this);
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!Self)
        return;
    if (FTracking) {
        FTracking = false;
        bool Inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
        if (FGroupIndex == 0) {
            FState = bsUp;
            FMouseOver = false;
            if (Inside)
                Repaint();
        } else if (Inside) {
            const bool Was = FDown;
            SetDown(!FDown);
            if (FDown == Was)
                Inside = false;
            if (FDown) {
                FState = bsExclusive;
                Repaint();
            }
        } else {
            if (FDown)
                FState = bsExclusive;
            Repaint();
        }
        if (Inside)
            Click();
        if (!Self)
            return;
        UpdateTracking();
    }
    if (FToolStyle == tsDropDown) {
        TPoint P;
        GetCursorPos(&P);
        P = ScreenToClient(P);
        if (!PtInRect(GetClientRect(), P))
            FClickAllowed = true;
        FState = bsUp;
        Repaint();
        UpdateTracking();
    }
}

void TFcToolButton::Click()
{
    if (FToolStyle == tsDropDown && !FClickAllowed)
        return;
    TGraphicControl::Click();
}

void TFcToolButton::UpdateTracking()
{
    if (!TrackingWanted() || !Enabled())
        return;
    TPoint P;
    GetCursorPos(&P);
    Perform(FindDragTarget(P, true) == this ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
}

void TFcToolButton::DoDropDown()
{
    if (FOnDropDown)
        FOnDropDown(FDropDownMenu);
}

void TFcToolButton::DropDown()
{
    if (FDropDownMenu == nullptr)
        return;
    FMenuShowing = true;
    DoDropDown();
    TPoint P = ClientToScreen({UseRightToLeftAlignment() ? Width() : 0, Height()});
    // The menu as wide as its widest caption in the menu font, kept on the
    // monitor: right-aligned to the button when it would run off.
    TCanvas Measure;
    HDC DC = GetDC(nullptr);
    Measure.SetHandle(DC);
    Measure.Font()->Assign(Screen->MenuFont());
    int Widest = 0;
    if (TMenuItem* Items = FDropDownMenu->Items())
        for (int I = 0; I < Items->Count(); ++I)
            Widest = std::max(Widest, Measure.TextWidth(Items->Items(I)->Caption()));
    Measure.SetHandle(nullptr);
    ReleaseDC(nullptr, DC);
    const int MenuWidth = Widest + 56;
    int Right = 0;
    if (TMonitor* M = FindMonitorAtPoint(P)) {
        TRect Work;
        GetMonitorWorkArea(M, Work);
        Right = Work.Right;
    } else {
        Right = GetWorkAreaWidth(Parent());
    }
    if (Right < P.X + MenuWidth)
        P.X -= MenuWidth - Width();
    FDropDownMenu->SetPopupComponent(this);
    const TComponentRef<> Alive(this);
    FDropDownMenu->Popup(P.X, P.Y);
    if (Alive)
        FMenuShowing = false;
}

// --- layout and painting --------------------------------------------------------------------------------

void TFcToolButton::CalcLayout(TRect& GlyphRect, TRect& TextRect)
{
    TRect R = GetClientRect();
    if (FToolStyle == tsDropDown) {
        if (UseRightToLeftAlignment())
            R.Left += ArrowPart;
        else
            R.Right -= ArrowPart;
    }
    InflateRect(R, -2, -2);
    const TSize G = GetImageSize();
    const int GW = G.cx, GH = G.cy;
    const String Text = Caption();
    int Slack = 0;
    if (!FShowCaption || Text.isEmpty()) {
        const int GX = (R.Left + R.Right - GW) / 2, GY = (R.Top + R.Bottom - GH) / 2;
        GlyphRect = Rect(GX, GY, GX + GW, GY + GH);
        TextRect = TRect();
        Slack = GlyphRect.Left - 4;
    } else {
        // The text block, measured where the image leaves room for it.
        TRect Room = R;
        const int Gap = GW > 0 ? GW + 4 : 0, VGap = GH > 0 ? GH + 4 : 0;
        switch (FLayout) {
        case blGlyphLeft:
            Room.Left += Gap;
            break;
        case blGlyphRight:
            Room.Right -= Gap;
            break;
        case blGlyphTop:
            Room.Top += VGap;
            break;
        case blGlyphBottom:
            Room.Bottom -= VGap;
            break;
        }
        const TSize Extent = CaptionExtent(Text, Room);
        const int TW = Extent.cx, TH = Extent.cy;
        const int W = R.Width(), H = R.Height();
        int GX = 0, GY = 0, TX = 0, TY = 0;
        if (FLayout == blGlyphLeft || FLayout == blGlyphRight) {
            if (FLayout == blGlyphLeft) {
                GX = R.Left + (W - (GW + 4 + TW)) / 2;
                TX = GX + GW + 4;
            } else {
                GX = R.Right - GW - (W - (GW + 4 + TW)) / 2;
                TX = GX - TW - 4;
            }
            GY = R.Top + (H - GH) / 2;
            TY = R.Top + (H - TH) / 2;
            Slack = (GW > 0 ? std::min(GX, TX) : TX) - 4;
        } else {
            GX = R.Left + (W - GW) / 2;
            TX = R.Left + (W - TW) / 2;
            if (FLayout == blGlyphTop) {
                GY = R.Top + (H - (GH + 4 + TH)) / 2;
                TY = GY + GH + 4;
            } else {
                GY = R.Bottom - GH - (H - (GH + 4 + TH)) / 2;
                TY = GY - TH - 4;
            }
            Slack = std::min(GX, TX) - 4;
        }
        GlyphRect = Rect(GX, GY, GX + GW, GY + GH);
        TextRect = Rect(TX, TY, TX + TW, TY + TH);
    }
    if (FAlignment != taCenter) {
        const int DX = FAlignment == taLeftJustify ? -Slack : Slack;
        OffsetRect(GlyphRect, DX, 0);
        OffsetRect(TextRect, DX, 0);
    }
    if (Pressed() && FVisualStyle != vsGradient) {
        const int DY = FVisualStyle == vsWinXP && FcThemesEnabled() ? 0 : 1;
        OffsetRect(GlyphRect, 1, DY);
        OffsetRect(TextRect, 1, DY);
    }
}

// The caption's block as DrawText measures it in Room; kept until the
// caption, the font or the room changes, since every paint lays it out.
TSize TFcToolButton::CaptionExtent(const String& Text, const TRect& Room)
{
    TCaptionExtent& C = FCaptionExtent;
    if (!C.Valid || C.Text != Text || C.RoomWidth != Room.Width() || C.RoomHeight != Room.Height()
        || !C.Font.Equals(*Font())) {
        UseFont(Canvas());
        TRect R = Room;
        DrawText(Canvas()->Handle(), Text, &R, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
        C.Valid = true;
        C.Text = Text;
        C.RoomWidth = Room.Width();
        C.RoomHeight = Room.Height();
        C.Font.Assign(Font());
        C.Extent = {R.Width(), R.Height()};
    }
    return C.Extent;
}

// The canvas takes the button's font only when it differs: a new font
// means a new handle, made again on every paint otherwise.
void TFcToolButton::UseFont(TCanvas* C)
{
    if (!C->Font()->Equals(*Font()))
        C->Font()->Assign(Font());
}

void TFcToolButton::GetSelectionColors(TColor& Frame, TColor& Start, TColor& Stop) const
{
    if (FGradientColorStyle == gcsCustom) {
        Frame = FSelectionFrameColor;
        Start = FSelectionColorStart;
        Stop = FSelectionColorStop;
        return;
    }
    GetHotTrackColors(FGradientColorStyle, Frame, Start, Stop);
}

void TFcToolButton::DrawThemedFace(const TRect& R)
{
    const bool Designing = ComponentState().Contains(csDesigning);
    const bool Hot = (FMouseOver && FState != bsDisabled) || Designing;
    HDC DC = Canvas()->Handle();
    if (!FFlat) {
        TThemedButton Part = tbPushButtonNormal;
        if (!Enabled())
            Part = tbPushButtonDisabled;
        else if (IsDownState(FState))
            Part = tbPushButtonPressed;
        else if (Hot)
            Part = tbPushButtonHot;
        ThemeServices().DrawElement(DC, TThemeServices::GetElementDetails(Part), R);
        return;
    }
    if (!IsSplit()) {
        TThemedToolBar Part = ttbButtonNormal;
        if (FState == bsDown || FState == tbsMenuOpen)
            Part = ttbButtonPressed;
        else if (FState == bsExclusive)
            Part = FMouseOver ? ttbButtonCheckedHot : ttbButtonChecked;
        else if (Hot)
            Part = ttbButtonHot;
        ThemeServices().DrawElement(DC, TThemeServices::GetElementDetails(Part), R);
        return;
    }
    TRect Face = R;
    if (UseRightToLeftAlignment())
        Face.Left += ArrowPart;
    else
        Face.Right -= ArrowPart;
    TThemedToolBar Part = ttbSplitButtonNormal;
    if (FState == bsDown)
        Part = ttbSplitButtonPressed;
    else if (FState == bsExclusive)
        Part = FMouseOver ? ttbSplitButtonCheckedHot : ttbSplitButtonChecked;
    else if (FState == tbsMenuOpen || Hot)
        Part = ttbSplitButtonHot;
    ThemeServices().DrawElement(DC, TThemeServices::GetElementDetails(Part), Face);
}

void TFcToolButton::DrawButtonFace(TRect& R)
{
    if (FVisualStyle == vsWinXP && FcThemesEnabled()) {
        DrawThemedFace(R);
        return;
    }
    TCanvas* C = Canvas();
    if (!TrackingWanted()) {
        R = PaintFrameStyle(C, R, IsDownState(FState) ? fsLowered : fsButtonUp);
        return;
    }
    const bool Designing = ComponentState().Contains(csDesigning);
    if (!IsDownState(FState) && !(FMouseOver && FState != bsDisabled) && !Designing)
        return;
    if (FVisualStyle != vsGradient) {
        R = PaintFrameStyle(C, R, IsDownState(FState) ? fsStatus : fsPopup);
        return;
    }
    TColor Frame, Start, Stop;
    GetSelectionColors(Frame, Start, Stop);
    if (Designing) {
        InflateRect(R, -1, -1);
        PaintCornerBrackets(C, R, Frame, 4);
        return;
    }
    R = PaintBoxOutline(C, R, Frame);
    TColor A = Start, B = Stop;
    if (FState == bsDown || FState == tbsMenuOpen) {
        A = Stop;
        B = Start;
    } else if (FState == bsExclusive && FMouseOver) {
        if (FDown) {
            A = Stop;
            B = Start;
        }
    } else if (FState == bsExclusive) {
        A = DarkenColor(Stop, 40);
        B = Start;
    }
    FillGradientRect(C, R, gdHorizontalEnd, A, B, 1);
}

void TFcToolButton::Paint()
{
    if (!Enabled()) {
        FState = bsDisabled;
        FTracking = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
    TCanvas* C = Canvas();
    TRect R = GetClientRect();
    DrawButtonFace(R);
    if (!FTransparent) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color());
        C->FillRect(R);
    }
    const bool Classic = FVisualStyle == vsClassic || (FVisualStyle == vsWinXP && !FcThemesEnabled());
    if (Classic && FState == bsExclusive && (!FFlat || !FMouseOver)) {
        // The dotted face of a button held down in its group.
        TBitmap Pattern;
        Pattern.SetSize(8, 8);
        const TColor Back = FTransparent ? clBtnFace : Color();
        const TColor Dot = FTransparent ? clBtnHighlight : LightenColor(Color(), 20);
        for (int Y = 0; Y < 8; ++Y)
            for (int X = 0; X < 8; ++X)
                Pattern.Canvas()->SetPixels(X, Y, (X + Y) % 2 == 0 ? Back : Dot);
        C->Brush()->SetBitmap(&Pattern);
        C->FillRect(R);
        C->Brush()->SetBitmap(nullptr);
    }
    if (FToolStyle == tsDropDown)
        DrawDropDownPart();
    TRect GlyphRect, TextRect;
    CalcLayout(GlyphRect, TextRect);
    DrawImage(GlyphRect);
    DrawCaption(TextRect);
}

void TFcToolButton::DrawDropDownPart()
{
    TCanvas* C = Canvas();
    const bool RightToLeft = UseRightToLeftAlignment();
    int X = RightToLeft ? ArrowPart : Width() - ArrowPart;
    const TRect Client = GetClientRect();
    auto ArrowPartOf = [&](int Size) {
        TRect R = Client;
        if (RightToLeft)
            R.Right = R.Left + Size;
        else
            R.Left = R.Right - Size;
        return R;
    };
    if (FVisualStyle == vsWinXP && FcThemesEnabled()) {
        if (IsSplit()) {
            TThemedToolBar Part = ttbSplitButtonDropDownNormal;
            if (!Enabled())
                Part = ttbSplitButtonDropDownDisabled;
            else if (FState == bsDown || FState == tbsMenuOpen)
                Part = ttbSplitButtonDropDownPressed;
            else if (FMouseOver || ComponentState().Contains(csDesigning))
                Part = ttbSplitButtonDropDownHot;
            ThemeServices().DrawElement(C->Handle(), TThemeServices::GetElementDetails(Part), ArrowPartOf(ArrowPart));
            return;
        }
        DrawArrowGlyph();
        return;
    }
    if (FState == tbsMenuOpen) {
        if (FVisualStyle == vsGradient) {
            TColor Frame, Start, Stop;
            GetSelectionColors(Frame, Start, Stop);
            const TRect R = IsSplit() ? ArrowPartOf(ArrowPart + 1) : Client;
            FillGradientRect(C, PaintBoxOutline(C, R, Frame), gdHorizontalEnd, Stop, Start, 1);
        } else {
            PaintFrameStyle(C, IsSplit() ? ArrowPartOf(ArrowPart) : Client, fsStatus);
        }
    } else if ((TrackingWanted() && FMouseOver && Enabled()) || (!TrackingWanted() && Enabled())) {
        if (FVisualStyle != vsGradient && FState == bsDown)
            ++X;
        if (IsSplit()) {
            if (FVisualStyle == vsGradient) {
                TColor Frame, Start, Stop;
                GetSelectionColors(Frame, Start, Stop);
                C->Pen()->SetColor(Frame);
                C->MoveTo(X, 0);
                C->LineTo(X, Height());
            } else {
                if (FState != bsDown) {
                    C->Pen()->SetColor(clBtnHighlight);
                    C->MoveTo(X, 0);
                    C->LineTo(X, Height());
                }
                C->Pen()->SetColor(clBtnShadow);
                C->MoveTo(X - 1, 0);
                C->LineTo(X - 1, Height());
            }
        }
    }
    DrawArrowGlyph();
}

// The small downward triangle of the arrow part.
void TFcToolButton::DrawArrowGlyph()
{
    TCanvas* C = Canvas();
    const TColor Color = Enabled() ? clWindowText : clBtnShadow;
    C->Pen()->SetColor(Color);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    const TRect Client = GetClientRect();
    int AX = UseRightToLeftAlignment() ? Client.Left + 6 : Client.Right - 8;
    int AY = Client.Top + Client.Height() / 2 + 2;
    if (FVisualStyle != vsGradient && (FState == bsDown || FState == tbsMenuOpen)) {
        ++AX;
        ++AY;
    }
    C->Polygon({TPoint{AX, AY}, TPoint{AX - 2, AY - 2}, TPoint{AX + 2, AY - 2}});
}

void TFcToolButton::DrawImage(const TRect& GlyphRect)
{
    TCustomImageList* List = GetImages();
    if (List == nullptr || FImageIndex == -1)
        return;
    const int X = GlyphRect.Left, Y = GlyphRect.Top;
    if (Pressed() && FDownIndex != -1) {
        List->Draw(Canvas(), X, Y, FDownIndex, true);
        return;
    }
    const bool Hot = FMouseOver && FHotIndex != -1;
    if (FDisabledIndex == -1) {
        if (Hot && Enabled())
            List->Draw(Canvas(), X, Y, FHotIndex, true);
        else
            List->Draw(Canvas(), X, Y, FImageIndex, Enabled());
        return;
    }
    if (!Enabled())
        List->Draw(Canvas(), X, Y, FDisabledIndex, true);
    else if (Hot)
        List->Draw(Canvas(), X, Y, FHotIndex, true);
    else
        List->Draw(Canvas(), X, Y, FImageIndex, true);
}

void TFcToolButton::DrawCaption(const TRect& TextRect)
{
    if (!FShowCaption)
        return;
    TCanvas* C = Canvas();
    C->Brush()->SetStyle(bsClear);
    UseFont(C);
    if (FVisualStyle != vsGradient && FState == bsDown)
        C->Font()->SetColor(clHighlightText);
    if (!Enabled())
        C->Font()->SetColor(clBtnShadow);
    TRect R = TextRect;
    DrawText(C->Handle(), Caption(), &R,
             DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS
                 | (UseRightToLeftReading() ? unsigned(DT_RTLREADING) : 0u));
    C->Brush()->SetStyle(bsSolid);
}
