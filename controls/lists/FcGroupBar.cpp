#include "controls/lists/FcGroupBar.h"

#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcMessages.h"
#include "controls/foundation/FcOldPropReader.h"
#include "controls/foundation/FcPlatformHelpers.h"
#include "controls/foundation/FcThemeBridge.h"
#include "controls/foundation/FcWindowPaint.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"

#include <algorithm>

REGISTER_COMPONENT(TFcGroupBar, TCustomControl)
    PUBLISHED(ExclusiveMode, false)
    PUBLISHED(BevelWidth, 1)
    PUBLISHED(BorderInner, fsNone)
    PUBLISHED(BorderOuter, fsNone)
    PUBLISHED(BorderSides, AllSides)
    PUBLISHED(BorderColor, clBtnFace)
    PUBLISHED(BorderHighlight, clBtnHighlight)
    PUBLISHED(BorderShadow, clBtnShadow)
    PUBLISHED(GradientColorStyle, gcsSystem)
    PUBLISHED(GradientColorStart, clBtnFace)
    PUBLISHED(GradientColorStop, clBtnShadow)
    PUBLISHED(GradientPath, gpTopToBottom)
    // No declared default: always written.
    PUBLISHED_NODEFAULT(GroupBorderSize)
    PUBLISHED(FlatColor, clBtnShadow)
    PUBLISHED(FlatColorAdjustment, 30)
    PUBLISHED(LargeImages, nullptr)
    PUBLISHED(SmallImages, nullptr)
    PUBLISHED(Style, gbsCategoryView)
    PUBLISHED(UniqueItemSelection, false)
    PUBLISHED(VisualStyle, vsGradient)
    PUBLISHED(Align, alLeft)
    PUBLISHED_NODEFAULT_STORED(Anchors, [](const TFcGroupBar& B) { return B.Anchors() != AnchorAlign(B.Align()); })
    PUBLISHED_STORED(Color, clBtnShadow, &TControl::IsColorStored)
    PUBLISHED(ParentColor, false)
END_REGISTER

TFcGroupBar::TFcGroupBar(TComponent* AOwner)
    : TCustomControl(AOwner), FSmallImagesLink(std::make_unique<TChangeLink>()),
      FLargeImagesLink(std::make_unique<TChangeLink>()), FFrameCanvas(std::make_unique<TCanvas>())
{
    FControlStyle.Exclude(csAcceptsControls);
    FControlStyle.Exclude(csSetCaption);
    FWidth = 160;
    SetAlign(alLeft);
    TControl::SetColor(clBtnShadow);
    FSmallImagesLink->SetOnChange([this](TObject* Sender) { ImagesChanged(Sender); });
    FLargeImagesLink->SetOnChange([this](TObject* Sender) { ImagesChanged(Sender); });
}

TFcGroupBar::~TFcGroupBar()
{
    TFcGroupBar::BeforeDestruction();
}

void TFcGroupBar::BeforeDestruction()
{
    if (!ComponentState().Contains(csDestroying)) {
        Destroying();
        // The groups stay with the form that owns them.
        for (TFcGroup* G : FGroups)
            G->FGroupBar = nullptr;
        FGroups.clear();
        if (FSmallImages != nullptr)
            FSmallImages->UnRegisterChanges(FSmallImagesLink.get());
        if (FLargeImages != nullptr)
            FLargeImages->UnRegisterChanges(FLargeImagesLink.get());
        FSmallImages = FLargeImages = nullptr;
    }
    TCustomControl::BeforeDestruction();
}

// --- the group list ------------------------------------------------------------------------------

TFcGroup* TFcGroupBar::Groups(int Index) const
{
    if (Index < 0 || Index >= GroupCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FGroups[std::size_t(Index)];
}

int TFcGroupBar::IndexOfGroup(const TFcGroup* Group) const
{
    const auto It = std::find(FGroups.begin(), FGroups.end(), Group);
    return It == FGroups.end() ? -1 : int(It - FGroups.begin());
}

TClass TFcGroupBar::GetGroupClass() const
{
    return ClassOf<TFcGroup>();
}

void TFcGroupBar::AddGroup(TFcGroup* Group)
{
    FGroups.push_back(Group);
    Group->AttachParent(this);
    Group->FGroupBar = this;
    Group->ApplyBarStyle(FStyle);
    UpdateGroupLayout(Group);
    if (ComponentState().Contains(csDesigning))
        Invalidate();
}

void TFcGroupBar::RemoveGroup(TFcGroup* Group)
{
    const int Position = IndexOfGroup(Group);
    if (Position < 0)
        return;
    // Which group was the first open one, where one must stay open.
    const bool KeepOneOpen = FStyle == gbsOutlook || (FStyle == gbsCategoryView && FExclusiveMode);
    int FirstOpen = -1;
    for (int I = 0; I < GroupCount() && FirstOpen < 0; ++I)
        if (FGroups[std::size_t(I)]->Opened())
            FirstOpen = I;
    Group->FGroupBar = nullptr;
    if (!ComponentState().Contains(csDesigning)) {
        Group->Hide();
        Group->AttachParent(nullptr);
    }
    FGroups.erase(FGroups.begin() + Position);
    if (KeepOneOpen && Position == FirstOpen && !FGroups.empty() && !ComponentState().Contains(csDestroying))
        FGroups[std::size_t(std::max(Position - 1, 0))]->Open();
    UpdateGroupLayout(nullptr);
    if (ComponentState().Contains(csDesigning))
        Invalidate();
}

void TFcGroupBar::MoveGroup(TFcGroup* Group, int Index)
{
    const int Current = IndexOfGroup(Group);
    if (Index < 0 || Index >= GroupCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    if (Current < 0 || Current == Index)
        return;
    FGroups.erase(FGroups.begin() + Current);
    FGroups.insert(FGroups.begin() + Index, Group);
}

void TFcGroupBar::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    for (TFcGroup* G : FGroups)
        if (G->Owner() == Root)
            Proc(G);
}

void TFcGroupBar::SetChildOrder(TComponent* Child, int Order)
{
    if (auto* G = dynamic_cast<TFcGroup*>(Child); G != nullptr && G->GroupBar() == this)
        G->SetGroupIndex(std::min(Order, GroupCount() - 1));
}

void TFcGroupBar::DefineProperties(TFiler& Filer)
{
    TCustomControl::DefineProperties(Filer);
    Filer.DefineProperty(QStringLiteral("ColorAdjustment"), TFcOldPropReader::SkipIntegerProperty, nullptr, false);
    Filer.DefineProperty(QStringLiteral("ThemeAware"), TFcOldPropReader::SkipBooleanProperty, nullptr, false);
    Filer.DefineProperty(QStringLiteral("UseGradients"), TFcOldPropReader::SkipBooleanProperty, nullptr, false);
}

// --- layout -------------------------------------------------------------------------------------------

TFcGroupBar::TLayoutFrame TFcGroupBar::Frame()
{
    return {FGroupBorderSize, ClientWidth(), ClientHeight()};
}

void TFcGroupBar::UpdateGroupLayout(TFcGroup* Changed)
{
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying))
        return;
    ++FPositioning;
    try {
        if (FStyle == gbsOutlook) {
            UpdateScrollBar();
            if (!FGroups.empty())
                PositionGroups();
        } else {
            if (FStyle == gbsCategoryView && FExclusiveMode && Changed != nullptr && Changed->Opened())
                for (TFcGroup* G : std::vector<TFcGroup*>(FGroups))
                    if (G != Changed)
                        G->Close();
            // Showing or hiding the scroll bar changes the client width and
            // so the heights: again until it stays as it is (a few rounds
            // at most, should two widths keep undoing each other).
            for (int Round = 0; Round < 4; ++Round) {
                const bool Before = ScrollBarNeeded();
                if (!FGroups.empty()) {
                    PositionGroups();
                    FillView();
                    BringIntoView(Changed);
                }
                UpdateScrollBar();
                if (ScrollBarNeeded() == Before)
                    break;
            }
        }
    } catch (...) {
        --FPositioning;
        throw;
    }
    --FPositioning;
}

void TFcGroupBar::PositionGroups()
{
    const TLayoutFrame F = Frame();
    if (FStyle == gbsOutlook)
        PositionOutlook(F);
    else
        PositionStacked(F);
}

void TFcGroupBar::PositionStacked(const TLayoutFrame& F)
{
    const bool Designing = ComponentState().Contains(csDesigning);
    const int Width = std::max(0, F.CW - 2 * F.B);
    int Prev = -FScrollPosition;
    for (TFcGroup* G : FGroups) {
        if (!G->Visible() && !Designing) {
            G->SetBounds(F.B, Prev, Width, 0);
            Prev = G->Top() + G->Height();
            continue;
        }
        int Height = G->CaptionHeight();
        if (G->Opened() || FStyle == gbsTaskList)
            Height = G->Items()->Count() > 0 ? G->CalcItemsHeight(Width) : G->OpenedHeight();
        G->SetBounds(F.B, Prev + F.B + G->CaptionOverflow(), Width, Height);
        Prev = G->Top() + G->Height();
    }
    UpdateScrollBar();
}

// The open group (the last one open, else the first) takes what the
// captions of the others leave.
void TFcGroupBar::PositionOutlook(const TLayoutFrame& F)
{
    const bool Designing = ComponentState().Contains(csDesigning);
    const int Width = std::max(0, F.CW - 2 * F.B);
    int OpenIndex = 0;
    for (int I = 0; I < GroupCount(); ++I)
        if (FGroups[std::size_t(I)]->Opened())
            OpenIndex = I;
    int Rest = 2 * F.B;
    for (int I = 0; I < GroupCount(); ++I) {
        TFcGroup* G = FGroups[std::size_t(I)];
        if (I != OpenIndex && (G->Visible() || Designing))
            Rest += G->CaptionHeight() + F.B;
    }
    int Bottom = 0;
    for (int I = 0; I < GroupCount(); ++I) {
        TFcGroup* G = FGroups[std::size_t(I)];
        if (I == OpenIndex)
            G->SetBounds(F.B, Bottom + F.B, Width, std::max(0, F.CH - Rest));
        else if (!G->Visible() && !Designing)
            G->SetBounds(F.B, Bottom, Width, 0);
        else
            G->SetBounds(F.B, Bottom + F.B, Width, G->CaptionHeight());
        Bottom = G->Top() + G->Height();
    }
}

int TFcGroupBar::ContentHeight() const
{
    auto* Self = const_cast<TFcGroupBar*>(this);
    const int B = FGroupBorderSize;
    if (FStyle == gbsOutlook)
        return Self->ClientHeight() - 1;
    if (FGroups.empty())
        return 2 * B;
    const TFcGroup* First = FGroups.front();
    const TFcGroup* Last = FGroups.back();
    return 2 * B + (Last->Top() + Last->Height()) - First->Top() + First->CaptionOverflow();
}

// Scrolled down with empty space below the last group: back up, to the
// end of the content or to the top.
void TFcGroupBar::FillView()
{
    const TLayoutFrame F = Frame();
    const TFcGroup* First = FGroups.front();
    const TFcGroup* Last = FGroups.back();
    if (Last->Top() + Last->Height() + F.B >= F.CH || First->Top() >= 0)
        return;
    const int Content = ContentHeight();
    if (F.CH - Content < 1)
        SetScrollPosition(Content - F.CH);
    else
        ScrollByDelta(F.B - First->Top());
}

// Scrolls so that an open group that changed shows, as much of it as fits,
// its caption first; every scroll moves towards it.
void TFcGroupBar::BringIntoView(TFcGroup* Changed)
{
    if (Changed == nullptr || !Changed->Opened() || ComponentState().Contains(csLoading))
        return;
    UpdateScrollBar();
    const TLayoutFrame F = Frame();
    const int Target = F.B + (Changed->CaptionStyle() == csLarge ? Changed->CaptionOverflow() : 0);
    const auto Bottom = [Changed] { return Changed->Top() + Changed->Height(); };
    if (F.CH >= Changed->Height()) {
        if (Bottom() + F.B > F.CH && Changed->Top() >= 1)
            ScrollByDelta(-std::min(Bottom() + F.B - F.CH, Changed->Top()));
        if (Changed->Top() < 0)
            ScrollByDelta(Target - Changed->Top());
        return;
    }
    if (Changed->Top() >= 0 && Bottom() + F.B > F.CH)
        ScrollByDelta(-(Bottom() + F.B - F.CH));
    ScrollByDelta(Target - Changed->Top());
}

void TFcGroupBar::ScrollByDelta(int Delta)
{
    if (Delta != 0)
        SetScrollPosition(FScrollPosition - Delta);
}

SCROLLINFO TFcGroupBar::CurrentScrollInfo() const
{
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    if (HandleAllocated() && GetScrollInfo(WindowHandle(), SB_VERT, &Info))
        return Info;
    Info.nMin = 0;
    Info.nMax = ContentHeight();
    Info.nPage = UINT(std::max(0, const_cast<TFcGroupBar*>(this)->ClientHeight()));
    Info.nPos = FScrollPosition;
    return Info;
}

bool TFcGroupBar::ScrollBarNeeded() const
{
    if (!HandleAllocated())
        return false;
    const SCROLLINFO Info = CurrentScrollInfo();
    return Info.nMax - Info.nMin > int(Info.nPage);
}

void TFcGroupBar::UpdateScrollBar()
{
    if (!HandleAllocated())
        return;
    SCROLLINFO New;
    New.fMask = SIF_ALL;
    New.nMin = 0;
    New.nMax = ContentHeight();
    New.nPage = UINT(std::max(0, ClientHeight()));
    New.nPos = FScrollPosition;
    const SCROLLINFO Old = CurrentScrollInfo();
    if (Old.nMin == New.nMin && Old.nMax == New.nMax && Old.nPage == New.nPage && Old.nPos == New.nPos)
        return;
    SetScrollInfo(Handle(), SB_VERT, &New, TRUE);
    if (int(New.nPage) > New.nMax)
        SetScrollPosition(0);
    Invalidate();
}

void TFcGroupBar::SetScrollPosition(int Value)
{
    if (Value == FScrollPosition || ComponentState().Contains(csLoading))
        return;
    // Clamped to the range; content shorter than the page scrolls to 0.
    const SCROLLINFO Info = CurrentScrollInfo();
    const int Highest = std::max(Info.nMin, Info.nMax - int(Info.nPage) + Info.nMin);
    Value = std::clamp(Value, Info.nMin, Highest);
    if (Value == FScrollPosition)
        return;
    NotifyDesignerModified(this);
    {
        // The groups move with the content; they need no layout for it.
        ++FPositioning;
        try {
            ScrollBy(0, FScrollPosition - Value);
        } catch (...) {
            --FPositioning;
            throw;
        }
        --FPositioning;
    }
    FScrollPosition = Value;
    UpdateScrollBar();
}

bool TFcGroupBar::CanAutoSize(int& NewWidth, int& NewHeight)
{
    (void)NewWidth;
    NewHeight = ContentHeight() + 1 + (Height() - ClientHeight());
    return true;
}

// --- styles and settings -------------------------------------------------------------------------------

void TFcGroupBar::SetStyle(TFcGroupBarStyle Value)
{
    if (!AssignIfChanged(FStyle, Value))
        return;
    switch (Value) {
    case gbsTaskList:
        TControl::SetColor(clWindow);
        FGroupBorderSize = 4;
        break;
    case gbsOutlook:
        TControl::SetColor(clBtnShadow);
        FGroupBorderSize = 0;
        break;
    default:
        TControl::SetColor(clBtnShadow);
        FGroupBorderSize = 8;
        break;
    }
    for (TFcGroup* G : std::vector<TFcGroup*>(FGroups))
        G->ApplyBarStyle(Value);
    UpdateGroupLayout(nullptr);
    Invalidate();
}

void TFcGroupBar::SetExclusiveMode(bool Value)
{
    if (FStyle != gbsCategoryView || FExclusiveMode == Value)
        return;
    FExclusiveMode = Value;
    if (!Value || FGroups.empty())
        return;
    const std::vector<TFcGroup*> Groups = FGroups;
    Groups.front()->Open();
    for (std::size_t I = 1; I < Groups.size(); ++I)
        Groups[I]->Close();
}

void TFcGroupBar::SetUniqueItemSelection(bool Value)
{
    if (!AssignIfChanged(FUniqueItemSelection, Value) || !Value)
        return;
    for (TFcGroup* G : FGroups)
        G->SetSelectedItemIndex(-1);
}

void TFcGroupBar::FrameChanged()
{
    if (!HandleAllocated())
        return;
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawFrameArea(Handle(), nullptr);
}

// The setters of the frame's size lay the groups out again.
#define QV_BAR_FRAME_SIZE_SETTER(Type, Name)                                                                           \
    void TFcGroupBar::Set##Name(Type Value)                                                                            \
    {                                                                                                                  \
        if (!AssignIfChanged(F##Name, Value))                                                                          \
            return;                                                                                                    \
        UpdateGroupLayout(nullptr);                                                                                    \
        FrameChanged();                                                                                                \
    }
QV_BAR_FRAME_SIZE_SETTER(int, BevelWidth)
QV_BAR_FRAME_SIZE_SETTER(TSides, BorderSides)
QV_BAR_FRAME_SIZE_SETTER(TFrameStyleEx, BorderInner)
QV_BAR_FRAME_SIZE_SETTER(TFrameStyleEx, BorderOuter)
QV_BAR_FRAME_SIZE_SETTER(int, GroupBorderSize)
#undef QV_BAR_FRAME_SIZE_SETTER

#define QV_BAR_FRAME_COLOR_SETTER(Type, Name)                                                                          \
    void TFcGroupBar::Set##Name(Type Value)                                                                            \
    {                                                                                                                  \
        if (AssignIfChanged(F##Name, Value))                                                                           \
            FrameChanged();                                                                                            \
    }
QV_BAR_FRAME_COLOR_SETTER(TColor, BorderColor)
QV_BAR_FRAME_COLOR_SETTER(TColor, BorderHighlight)
QV_BAR_FRAME_COLOR_SETTER(TColor, BorderShadow)
QV_BAR_FRAME_COLOR_SETTER(TColor, FlatColor)
QV_BAR_FRAME_COLOR_SETTER(int, FlatColorAdjustment)
#undef QV_BAR_FRAME_COLOR_SETTER

void TFcGroupBar::InvalidateGroups()
{
    for (TFcGroup* G : FGroups)
        G->Invalidate();
}

void TFcGroupBar::SetGradientColorStyle(TFcGradientColorStyle Value)
{
    if (!AssignIfChanged(FGradientColorStyle, Value))
        return;
    Invalidate();
    InvalidateGroups();
}

void TFcGroupBar::SetVisualStyle(TFcVisualStyle Value)
{
    if (!AssignIfChanged(FVisualStyle, Value))
        return;
    Invalidate();
    InvalidateGroups();
}

void TFcGroupBar::SetImages(TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value)
{
    if (Field != nullptr)
        Field->UnRegisterChanges(Link);
    Field = Value;
    if (Value != nullptr) {
        Value->RegisterChanges(Link);
        Value->FreeNotification(this);
    }
}

void TFcGroupBar::SetSmallImages(TCustomImageList* Value)
{
    if (FSmallImages == Value)
        return;
    SetImages(FSmallImages, FSmallImagesLink.get(), Value);
    InvalidateGroups();
    UpdateGroupLayout(nullptr);
    Invalidate();
}

void TFcGroupBar::SetLargeImages(TCustomImageList* Value)
{
    if (FLargeImages == Value)
        return;
    SetImages(FLargeImages, FLargeImagesLink.get(), Value);
    UpdateGroupLayout(nullptr);
    Invalidate();
}

void TFcGroupBar::ImagesChanged(TObject* Sender)
{
    (void)Sender;
    InvalidateGroups();
    UpdateGroupLayout(nullptr);
    Invalidate();
}

// --- window ------------------------------------------------------------------------------------------------

void TFcGroupBar::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN | WS_VSCROLL;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TFcGroupBar::CreateWnd()
{
    TCustomControl::CreateWnd();
    UpdateScrollBar();
}

void TFcGroupBar::Loaded()
{
    TCustomControl::Loaded();
    Resize();
    UpdateGroupLayout(nullptr);
    if (HandleAllocated())
        PostMessage(Handle(), CM_GROUPBARLOADED, 0, 0);
    else
        FScrollPosition = 0;
}

void TFcGroupBar::Resize()
{
    TCustomControl::Resize();
    // Inside a layout the scroll bar came or went: that layout goes round
    // again by itself.
    if (!Positioning())
        UpdateGroupLayout(nullptr);
}

void TFcGroupBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FSmallImages)
        SetSmallImages(nullptr);
    if (AComponent == FLargeImages)
        SetLargeImages(nullptr);
}

int TFcGroupBar::FrameWidth(TFrameStyleEx Style) const
{
    switch (Style) {
    case fsNone:
        return 0;
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return FBevelWidth;
    default:
        return 2;
    }
}

void TFcGroupBar::WMNCCalcSize(TMessage& Message)
{
    TRect& R = LParamToPtr<NCCALCSIZE_PARAMS>(Message.LParam)->rgrc[0];
    const int Inset = FrameWidth(FBorderOuter) + FrameWidth(FBorderInner);
    if (FBorderSides.Contains(sdLeft))
        R.Left += Inset;
    if (FBorderSides.Contains(sdTop))
        R.Top += Inset;
    if (FBorderSides.Contains(sdRight))
        R.Right -= Inset;
    if (FBorderSides.Contains(sdBottom))
        R.Bottom -= Inset;
    R.Right = std::max(R.Left, R.Right);
    R.Bottom = std::max(R.Top, R.Bottom);
    // The scroll bar sits inside the frame.
    DefaultHandler(Message);
}

void TFcGroupBar::WMNCPaint(TMessage& Message)
{
    DefaultHandler(Message);
    if (FBorderOuter == fsNone && FBorderInner == fsNone)
        return;
    HDC DC = GetWindowDC(Handle());
    FFrameCanvas->SetHandle(DC);
    const TColor ParentColor = Parent() != nullptr ? Parent()->Color() : Color();
    PaintPanelBorder(FFrameCanvas.get(), Rect(0, 0, Width(), Height()), FBorderOuter, FBorderInner, 0, FBorderSides,
                     FBevelWidth, FBorderColor, FBorderHighlight, FBorderShadow, FFlatColor, FFlatColorAdjustment,
                     Color(), ParentColor, false, false);
    FFrameCanvas->SetHandle(nullptr);
    ReleaseDC(Handle(), DC);
}

void TFcGroupBar::WMVScroll(TMessage& Message)
{
    const SCROLLINFO Info = CurrentScrollInfo();
    switch (LOWORD(Message.WParam)) {
    case SB_LINEUP:
        SetScrollPosition(FScrollPosition - 10);
        break;
    case SB_LINEDOWN:
        SetScrollPosition(FScrollPosition + 10);
        break;
    case SB_PAGEUP:
        SetScrollPosition(FScrollPosition - int(Info.nPage));
        break;
    case SB_PAGEDOWN:
        SetScrollPosition(FScrollPosition + int(Info.nPage));
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO Track;
        Track.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), SB_VERT, &Track);
        SetScrollPosition(std::clamp(Track.nTrackPos, Info.nMin, std::max(Info.nMin, Info.nMax)));
        break;
    }
    case SB_TOP:
        SetScrollPosition(Info.nMin);
        break;
    case SB_BOTTOM:
        SetScrollPosition(Info.nMax);
        break;
    default:
        break;
    }
    Message.Result = 0;
}

void TFcGroupBar::CMGroupItemSelected(TMessage& Message)
{
    for (TFcGroup* G : FGroups)
        if (G->ShowItemSelection())
            G->Perform(Message);
}

void TFcGroupBar::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        WMNCCalcSize(Message);
        return;
    case WM_NCPAINT:
        WMNCPaint(Message);
        return;
    case WM_NCHITTEST:
        DefaultHandler(Message);
        return;
    case WM_VSCROLL:
        if (Message.LParam == 0) {
            WMVScroll(Message);
            return;
        }
        break;
    case CM_GROUPITEMSELECTED:
        CMGroupItemSelected(Message);
        return;
    case CM_GROUPBARLOADED:
        SetScrollPosition(0);
        return;
    case WM_THEMECHANGED:
        DefaultHandler(Message);
        XpColorSchemeChanged();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

// Under its gradient the bar needs no erasing.
void TFcGroupBar::WMEraseBkgnd(TMessage& Message)
{
    const bool Themed = FVisualStyle == vsWinXP && FcThemesEnabled();
    if (FStyle == gbsCategoryView && FVisualStyle != vsClassic && !Themed && ManyColors()) {
        Message.Result = 1;
        return;
    }
    TCustomControl::WMEraseBkgnd(Message);
}

void TFcGroupBar::WMLButtonDown(TMessage& Message)
{
    TCustomControl::WMLButtonDown(Message);
    if (Enabled() && !ComponentState().Contains(csDesigning) && CanFocus())
        SetFocus();
}

void TFcGroupBar::CMColorChanged(TMessage& Message)
{
    TCustomControl::CMColorChanged(Message);
    InvalidateGroups();
}

// A control inside a closed group that takes the focus opens its group.
void TFcGroupBar::CMFocusChanged(TMessage& Message)
{
    TCustomControl::CMFocusChanged(Message);
    auto* Focused = LParamToPtr<TWinControl>(Message.LParam);
    if (Focused == nullptr || Parent() == nullptr || !ContainsControl(Focused))
        return;
    for (TFcGroup* G : std::vector<TFcGroup*>(FGroups))
        if (G == Focused || G->ContainsControl(Focused)) {
            G->SetOpened(true);
            return;
        }
}

bool TFcGroupBar::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    TCustomControl::DoMouseWheelDown(Shift, MousePos);
    SetScrollPosition(FScrollPosition + 10);
    return true;
}

bool TFcGroupBar::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    TCustomControl::DoMouseWheelUp(Shift, MousePos);
    SetScrollPosition(FScrollPosition - 10);
    return true;
}

// --- painting ---------------------------------------------------------------------------------------------------

void TFcGroupBar::Paint()
{
    TCustomControl::Paint();
    TCanvas* C = Canvas();
    if (FVisualStyle != vsClassic && FStyle == gbsCategoryView)
        PaintGroupBarBackground(C, ClientRect(), FVisualStyle, FGradientColorStyle, FGradientPath, FGradientColorStart,
                                FGradientColorStop);
    if (ComponentState().Contains(csDesigning) && FGroups.empty()) {
        TRect R = ClientRect();
        InflateRect(R, -FGroupBorderSize, -FGroupBorderSize);
        C->Font()->Assign(Font());
        C->Brush()->SetStyle(bsClear);
        DrawText(C->Handle(), QStringLiteral("Add groups by selecting \"Add Group\" from the context menu."), &R,
                 DT_CENTER | DT_WORDBREAK);
    }
    for (TFcGroup* G : FGroups)
        if (G->Visible() && G->CaptionStyle() == csLarge)
            G->DrawLargeCaptionImage(C);
}
