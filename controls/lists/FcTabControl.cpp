// The tab control's properties, its life and the messages it answers.
#include "controls/lists/FcTabControl.h"

#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcTextHelpers.h"
#include "controls/lists/FcTabButtons.h"
#include "controls/lists/FcTabScroller.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Timer.h"

#include <utility>

REGISTER_ENUM(TFcTabOrientation, toTop, toLeft, toBottom, toRight)
REGISTER_ENUM(TFcTabSequence, tsStandard, tsReverse)
REGISTER_ENUM(TFcTabStyle, tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant)
REGISTER_ENUM(TFcTabHotTrackStyle, htsTab, htsText)
REGISTER_ENUM(TFcHorizontalAlignment, haLeft, haCenter, haRight)
REGISTER_ENUM(TFcVerticalAlignment, vaTop, vaCenter, vaBottom)
REGISTER_ENUM(TFcImagePosition, ipLeft, ipRight, ipTop, ipBottom, ipBack, ipStretch)
REGISTER_ENUM(TFcTextStyle, tsSelected, tsUnselected, tsHotTrack, tsDisabled)

REGISTER_COMPONENT(TFcCustomTabControl, TCustomControl)
    PUBLISHED(TabStop, true)
    PUBLISHED(AlignTabs, false)
    PUBLISHED(AllowTabDragging, false)
    PUBLISHED_STORED(BackgroundColor, clBtnFace,
                     [](const TFcCustomTabControl& C) { return !C.ParentBackgroundColor(); })
    PUBLISHED(BoldCurrentTab, false)
    PUBLISHED(CutCornerSize, 6)
    PUBLISHED(FlatColor, clBtnShadow)
    PUBLISHED(FlatColorAdjustment, 0)
    PUBLISHED(HotTrack, true)
    PUBLISHED(HotTrackColor, TColor(0x149BF0))
    PUBLISHED(HotTrackColorType, htctActual)
    PUBLISHED(HotTrackStyle, htsTab)
    PUBLISHED(ImageAlignment, haCenter)
    PUBLISHED(ImageAlignmentVertical, vaCenter)
    PUBLISHED(ImageMargin, 2)
    PUBLISHED(ImagePosition, ipLeft)
    PUBLISHED(Images, nullptr)
    PUBLISHED(Margin, 0)
    PUBLISHED(MultiLine, false)
    PUBLISHED(ParentBackgroundColor, true)
    PUBLISHED(RowIndent, 5)
    PUBLISHED(RowOverlap, 5)
    PUBLISHED(ShowCardFrame, true)
    PUBLISHED(ShowCloseButton, false)
    PUBLISHED(ShowMenuButton, false)
    PUBLISHED(ShowFocusRect, true)
    PUBLISHED(ShowFullFrame, true)
    PUBLISHED(ShowShadow, true)
    PUBLISHED(SoftCorners, false)
    PUBLISHED_OBJECT(TabColors)
    PUBLISHED(TabHeight, 0)
    PUBLISHED(TabHints, false)
    PUBLISHED(TabIndex, -1)
    PUBLISHED(TabOrientation, toTop)
    PUBLISHED(TabOverlap, -1)
    PUBLISHED(TabSequence, tsStandard)
    PUBLISHED(TabStyle, tsSingleSlant)
    PUBLISHED(TabWidth, 0)
    PUBLISHED(TextAlignment, haCenter)
    PUBLISHED(TextAlignmentVertical, vaCenter)
    PUBLISHED_OBJECT(TextColors)
    PUBLISHED(TextOrientation, orHorizontal)
    PUBLISHED(Transparent, false)
    PUBLISHED(UseColoredTabs, false)
    PUBLISHED(UseGradients, true)
    PUBLISHED_EVENT(OnChange)
    PUBLISHED_EVENT(OnChanging)
    PUBLISHED_EVENT(OnClose)
    PUBLISHED_EVENT(OnGetTextColor)
    PUBLISHED_EVENT(OnPageChange)
    PUBLISHED_EVENT(OnPaintBackground)
    PUBLISHED_EVENT(OnPaintCardBackground)
    PUBLISHED_EVENT(OnPaintTabBackground)
    PUBLISHED_EVENT(OnTabClick)
    PUBLISHED_EVENT(OnTabOrderChange)
    PUBLISHED_EVENT(OnScrolledTabs)
END_REGISTER

const char* const SFcCapacityInvalid = "Capacity must be -1 (to cache all regions) or > 0";
const char* const SFcErrorCreatingRegion = "Error creating region";
const char* const SFcIncorrectPointCount = "Incorrect number of points in tab shape";
const char* const SFcErrorSavingDC = "Error saving device context";
const char* const SFcInvalidPageIndex = "%1 is an invalid PageIndex value. PageIndex must be between 0 and %2";
const char* const SFcCannotChangePageVisible = "You cannot change the Visible property of a page";

namespace {

std::function<TPoint()>& CursorPosFunction()
{
    static std::function<TPoint()> Function;
    return Function;
}

} // namespace

TPoint FcTabCursorPos()
{
    if (CursorPosFunction())
        return CursorPosFunction()();
    TPoint P;
    GetCursorPos(&P);
    return P;
}

void SetFcTabCursorPosFunction(std::function<TPoint()> Function)
{
    CursorPosFunction() = std::move(Function);
}

TFcCustomTabControl::TFcCustomTabControl(TComponent* AOwner)
    : TCustomControl(AOwner), FBitmap(std::make_unique<TBitmap>()), FTabs(std::make_unique<TFcTabDataList>()),
      FRegionCache(std::make_unique<TFcTabRegionCache>()), FTabColors(std::make_unique<TFcTabColors>(this)),
      FTextColors(std::make_unique<TFcTextColors>(this)), FTabFont(std::make_unique<TFont>()),
      FImageChangeLink(std::make_unique<TChangeLink>())
{
    FWidth = 300;
    FHeight = 100;
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
    SetTabStop(true);
    FBitmap->SetSize(FWidth, FHeight);
    FRegionCache->SetCapacity(FRegionCacheCapacity);
    FTabFont->Assign(Font());
    FImageChangeLink->SetOnChange([this](TObject* Sender) { ImageListChange(Sender); });
}

TFcCustomTabControl::~TFcCustomTabControl()
{
    if (FImages != nullptr)
        FImages->UnRegisterChanges(FImageChangeLink.get());
    for (HFONT Font : FFontStack)
        DeleteObject(Font);
}

void TFcCustomTabControl::BeforeDestruction()
{
    StopHotTrackTimer();
    // The drag-scroll timer would go with the other owned components, which
    // do not tell their owner; freed here, its pointer is cleared with it.
    if (TTimer* Timer = std::exchange(FDragScrollTimer, nullptr))
        Timer->Free();
    TCustomControl::BeforeDestruction();
}

void TFcCustomTabControl::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TFcCustomTabControl::DestroyWnd()
{
    StopHotTrackTimer();
    TCustomControl::DestroyWnd();
}

// --- property helpers ----------------------------------------------------------------------------

void TFcCustomTabControl::TabsChanged()
{
    FLayoutDirty = true;
    FButtonSize = -1;
    FullRepaint();
}

void TFcCustomTabControl::FullRepaint()
{
    FHotRepaint = false;
    Invalidate();
}

void TFcCustomTabControl::SetCardVisible(bool Value)
{
    SetLayoutProperty(FCardVisible, Value);
}

// --- published properties --------------------------------------------------------------------------

void TFcCustomTabControl::SetAlignTabs(bool Value)
{
    if (AssignIfChanged(FAlignTabs, Value) && FMultiLine)
        TabsChanged();
}

void TFcCustomTabControl::SetBackgroundColor(TColor Value)
{
    if (!AssignIfChanged(FBackgroundColor, Value))
        return;
    FParentBackgroundColor = false;
    FullRepaint();
}

void TFcCustomTabControl::SetBoldCurrentTab(bool Value)
{
    SetLayoutProperty(FBoldCurrentTab, Value);
}

void TFcCustomTabControl::SetCutCornerSize(int Value)
{
    if (Value < 0 || !AssignIfChanged(FCutCornerSize, Value))
        return;
    if (FTabStyle == tsCutCorner)
        TabsChanged();
}

void TFcCustomTabControl::SetFlatColor(TColor Value)
{
    if (!AssignIfChanged(FFlatColor, Value))
        return;
    UpdateStripButtonColors();
    FullRepaint();
}

void TFcCustomTabControl::SetFlatColorAdjustment(int Value)
{
    if (!AssignIfChanged(FFlatColorAdjustment, Value))
        return;
    UpdateStripButtonColors();
    FullRepaint();
}

void TFcCustomTabControl::SetHotTrack(bool Value)
{
    if (!AssignIfChanged(FHotTrack, Value))
        return;
    if (!Value && !FTabHints)
        CancelHotTrack();
    FullRepaint();
}

void TFcCustomTabControl::SetHotTrackColor(TColor Value)
{
    SetPaintProperty(FHotTrackColor, Value);
}

void TFcCustomTabControl::SetHotTrackColorType(TFcHotTrackColorType Value)
{
    SetPaintProperty(FHotTrackColorType, Value);
}

void TFcCustomTabControl::SetHotTrackStyle(TFcTabHotTrackStyle Value)
{
    SetPaintProperty(FHotTrackStyle, Value);
}

void TFcCustomTabControl::SetImageAlignment(TFcHorizontalAlignment Value)
{
    SetLayoutProperty(FImageAlignment, Value);
}

void TFcCustomTabControl::SetImageAlignmentVertical(TFcVerticalAlignment Value)
{
    SetLayoutProperty(FImageAlignmentVertical, Value);
}

void TFcCustomTabControl::SetImageMargin(int Value)
{
    if (Value >= 0)
        SetLayoutProperty(FImageMargin, Value);
}

void TFcCustomTabControl::SetImagePosition(TFcImagePosition Value)
{
    SetLayoutProperty(FImagePosition, Value);
}

void TFcCustomTabControl::SetImages(TCustomImageList* Value)
{
    if (FImages == Value)
        return;
    if (FImages != nullptr) {
        FImages->UnRegisterChanges(FImageChangeLink.get());
        FImages->RemoveFreeNotification(this);
    }
    FImages = Value;
    if (FImages != nullptr) {
        FImages->RegisterChanges(FImageChangeLink.get());
        FImages->FreeNotification(this);
    }
    TabsChanged();
}

void TFcCustomTabControl::ImageListChange(TObject* Sender)
{
    (void)Sender;
    FullRepaint();
}

void TFcCustomTabControl::SetMargin(int Value)
{
    if (Value >= 0)
        SetLayoutProperty(FMargin, Value);
}

void TFcCustomTabControl::SetMultiLine(bool Value)
{
    SetLayoutProperty(FMultiLine, Value);
}

void TFcCustomTabControl::SetParentBackgroundColor(bool Value)
{
    if (!AssignIfChanged(FParentBackgroundColor, Value))
        return;
    if (Value && Parent() != nullptr)
        FBackgroundColor = Parent()->Color();
    FullRepaint();
}

void TFcCustomTabControl::SetRowIndent(int Value)
{
    if (Value >= 0)
        SetLayoutProperty(FRowIndent, Value);
}

void TFcCustomTabControl::SetRowOverlap(int Value)
{
    if (Value >= 0)
        SetLayoutProperty(FRowOverlap, Value);
}

void TFcCustomTabControl::SetShowCardFrame(bool Value)
{
    SetLayoutProperty(FShowCardFrame, Value);
}

void TFcCustomTabControl::SetShowCloseButton(bool Value)
{
    if (!AssignIfChanged(FShowCloseButton, Value))
        return;
    if (Value)
        EnsureStripButton(true);
    if (FCloseButton != nullptr)
        FCloseButton->SetVisible(Value);
    TabsChanged();
}

void TFcCustomTabControl::SetShowMenuButton(bool Value)
{
    if (!AssignIfChanged(FShowMenuButton, Value))
        return;
    if (Value)
        EnsureStripButton(false);
    if (FMenuButton != nullptr)
        FMenuButton->SetVisible(Value);
    TabsChanged();
}

void TFcCustomTabControl::SetShowFocusRect(bool Value)
{
    if (AssignIfChanged(FShowFocusRect, Value))
        Invalidate();
}

void TFcCustomTabControl::SetShowFullFrame(bool Value)
{
    if (!AssignIfChanged(FShowFullFrame, Value))
        return;
    if (!Value)
        FShowShadow = false;
    TabsChanged();
}

void TFcCustomTabControl::SetShowShadow(bool Value)
{
    if (!AssignIfChanged(FShowShadow, Value))
        return;
    if (Value)
        FShowFullFrame = true;
    TabsChanged();
}

void TFcCustomTabControl::SetSoftCorners(bool Value)
{
    SetLayoutProperty(FSoftCorners, Value);
}

void TFcCustomTabControl::SetTabColors(TFcTabColors* Value)
{
    FTabColors->Assign(Value);
}

void TFcCustomTabControl::SetTabHeight(int Value)
{
    if (Value >= 0)
        SetLayoutProperty(FTabHeight, Value);
}

void TFcCustomTabControl::SetTabHints(bool Value)
{
    if (!AssignIfChanged(FTabHints, Value))
        return;
    if (!Value && !FHotTrack)
        CancelHotTrack();
}

void TFcCustomTabControl::SetTabOrientation(TFcTabOrientation Value)
{
    if (!AssignIfChanged(FTabOrientation, Value))
        return;
    if (FScroller != nullptr)
        FScroller->SetOrientation(IsVerticalStrip() ? orVertical : orHorizontal);
    if (!ComponentState().Contains(csLoading))
        TabsChanged();
}

void TFcCustomTabControl::SetTabOverlap(int Value)
{
    SetLayoutProperty(FTabOverlap, Value);
}

void TFcCustomTabControl::SetTabSequence(TFcTabSequence Value)
{
    SetLayoutProperty(FTabSequence, Value);
}

void TFcCustomTabControl::SetTabStyle(TFcTabStyle Value)
{
    SetLayoutProperty(FTabStyle, Value);
}

void TFcCustomTabControl::SetTabWidth(int Value)
{
    if (Value >= 0)
        SetLayoutProperty(FTabWidth, Value);
}

void TFcCustomTabControl::SetTextAlignment(TFcHorizontalAlignment Value)
{
    SetLayoutProperty(FTextAlignment, Value);
}

void TFcCustomTabControl::SetTextAlignmentVertical(TFcVerticalAlignment Value)
{
    SetLayoutProperty(FTextAlignmentVertical, Value);
}

void TFcCustomTabControl::SetTextColors(TFcTextColors* Value)
{
    FTextColors->Assign(Value);
}

void TFcCustomTabControl::SetTextOrientation(TOrientation Value)
{
    if (!AssignIfChanged(FTextOrientation, Value))
        return;
    if (!ComponentState().Contains(csLoading))
        EnsureVerdanaForVerticalText();
    TabsChanged();
}

// Only a scalable font turns; a bitmap font is replaced by one that does.
void TFcCustomTabControl::EnsureVerdanaForVerticalText()
{
    if (FTextOrientation == orVertical && !IsTrueTypeFont(Font()))
        Font()->SetName(QStringLiteral("Verdana"));
}

void TFcCustomTabControl::SetTransparent(bool Value)
{
    SetPaintProperty(FTransparent, Value);
}

void TFcCustomTabControl::SetUseColoredTabs(bool Value)
{
    SetPaintProperty(FUseColoredTabs, Value);
}

void TFcCustomTabControl::SetUseGradients(bool Value)
{
    SetPaintProperty(FUseGradients, Value);
}

void TFcCustomTabControl::SetRegionCacheCapacity(int Value)
{
    if (Value == 0 || Value < -1)
        return;
    if (Value == FRegionCacheCapacity && Value != -1)
        return;
    FRegionCacheCapacity = Value;
    FRegionCache->SetCapacity(Value);
}

// --- strip buttons ----------------------------------------------------------------------------------

TColor TFcCustomTabControl::StripButtonFrameColor() const
{
    return ShiftColorLightness(FFlatColor, FFlatColorAdjustment);
}

void TFcCustomTabControl::UpdateStripButtonColors()
{
    const TColor Frame = StripButtonFrameColor();
    if (FScroller != nullptr)
        FScroller->SetFrameColor(Frame);
    if (FCloseButton != nullptr)
        FCloseButton->SetFrameColor(Frame);
    if (FMenuButton != nullptr)
        FMenuButton->SetFrameColor(Frame);
}

void TFcCustomTabControl::EnsureStripButton(bool Close)
{
    TCustomControl* Button = nullptr;
    if (Close && FCloseButton == nullptr) {
        FCloseButton = new TFcTabCloseButton(this);
        FCloseButton->SetOnClose([this](TObject*) { CloseRequest(); });
        Button = FCloseButton;
    } else if (!Close && FMenuButton == nullptr) {
        FMenuButton = new TFcTabMenuButton(this);
        Button = FMenuButton;
    }
    if (Button == nullptr)
        return;
    Button->SetControlStyle(Button->ControlStyle() + TControlStyle{csNoDesignVisible});
    Button->SetParent(this);
    UpdateStripButtonColors();
}

void TFcCustomTabControl::RepaintStripButtons(bool Scroller)
{
    if (Scroller && FScroller != nullptr && FScroller->Visible())
        FScroller->Invalidate();
    if (FShowCloseButton && FCloseButton != nullptr)
        FCloseButton->Invalidate();
    if (FShowMenuButton && FMenuButton != nullptr)
        FMenuButton->Invalidate();
}

// --- life --------------------------------------------------------------------------------------------

void TFcCustomTabControl::Loaded()
{
    TCustomControl::Loaded();
    FSavedHint = Hint();
    FLayoutDirty = true;
    EnsureVerdanaForVerticalText();
    // Read unchecked; through the setter now, which brings the tab into view.
    SetTabIndex(FTabIndex);
    TabsChanged();
}

void TFcCustomTabControl::DefineProperties(TFiler& Filer)
{
    TCustomControl::DefineProperties(Filer);
    Filer.DefineProperty(
        QStringLiteral("FixedDimension"), [this](TReader& Reader) { ReadFixedDimension(Reader); },
        [this](TWriter& Writer) { WriteFixedDimension(Writer); }, true);
}

void TFcCustomTabControl::ReadFixedDimension(TReader& Reader)
{
    FFixedDimension = Reader.ReadInteger();
    FButtonSize = -1;
}

void TFcCustomTabControl::WriteFixedDimension(TWriter& Writer)
{
    Writer.WriteInteger(FFixedDimension);
}

void TFcCustomTabControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FImages) {
        FImages = nullptr;
        TabsChanged();
    }
    if (AComponent == FScroller)
        FScroller = nullptr;
    if (AComponent == FCloseButton)
        FCloseButton = nullptr;
    if (AComponent == FMenuButton)
        FMenuButton = nullptr;
    if (AComponent == FDragScrollTimer)
        FDragScrollTimer = nullptr;
}

void TFcCustomTabControl::SetParent(TWinControl* AParent)
{
    TCustomControl::SetParent(AParent);
    if (FParentBackgroundColor && AParent != nullptr)
        FBackgroundColor = AParent->Color();
}

// --- messages ----------------------------------------------------------------------------------------

void TFcCustomTabControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_TIMER:
        if (Message.WParam == HotTrackTimerId) {
            HotTrackTimerTick();
            return;
        }
        break;
    case WM_NCHITTEST:
        FLastHitTest = ScreenToClient({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
        break;
    case CM_DESIGNHITTEST: {
        const int Tab = TabAtPos(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        Message.Result = Tab != -1 && Tab != FTabIndex ? 1 : 0;
        return;
    }
    case WM_PAINT:
        // Children move before the picture is taken: a page or strip button
        // moved inside the paint would leave its old place unpainted.
        if (FLayoutDirty)
            UpdateTabLayout();
        if (!ComponentState().Contains(csLoading))
            PlaceStripButtons();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        FullRepaint();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TFcCustomTabControl::WMSize(TMessage& Message)
{
    TCustomControl::WMSize(Message);
    TabsChanged();
}

void TFcCustomTabControl::CMFontChanged(TMessage& Message)
{
    TCustomControl::CMFontChanged(Message);
    FTabFont->Assign(Font());
    FButtonSize = -1;
    TabsChanged();
}

void TFcCustomTabControl::CMColorChanged(TMessage& Message)
{
    TCustomControl::CMColorChanged(Message);
    if (!FUseColoredTabs)
        FullRepaint();
}

void TFcCustomTabControl::CMParentColorChanged(TMessage& Message)
{
    TCustomControl::CMParentColorChanged(Message);
    if (FParentBackgroundColor && Parent() != nullptr && AssignIfChanged(FBackgroundColor, Parent()->Color()))
        FullRepaint();
}

// The control draws no frame of its own: without a border width the client
// area is the whole control, window or not (asked for at every hit test).
TRect TFcCustomTabControl::GetClientRect()
{
    if (HandleAllocated() && BorderWidth() != 0)
        return TCustomControl::GetClientRect();
    return Rect(0, 0, Width(), Height());
}

void TFcCustomTabControl::AdjustClientRect(TRect& Rect)
{
    Rect = DisplayRect();
    TCustomControl::AdjustClientRect(Rect);
}

void TFcCustomTabControl::AlignControls(TControl* AControl, TRect& Rect)
{
    if (!ComponentState().Contains(csLoading))
        PlaceStripButtons();
    FDisplayRect = DisplayRect();
    TCustomControl::AlignControls(AControl, Rect);
}

// --- notifications -------------------------------------------------------------------------------

void TFcCustomTabControl::Change()
{
    if (FOnChange)
        FOnChange(this);
}

void TFcCustomTabControl::PageChange()
{
    if (FOnPageChange)
        FOnPageChange(this);
}

void TFcCustomTabControl::TabOrderChange(int OldIndex, int NewIndex)
{
    if (FOnTabOrderChange)
        FOnTabOrderChange(this, OldIndex, NewIndex);
}

void TFcCustomTabControl::DoChanging(int NewIndex, bool& AllowChange)
{
    if (FOnChanging)
        FOnChanging(this, NewIndex, AllowChange);
}

void TFcCustomTabControl::DoGetTextColor(int ATabIndex, TFcTextStyle AStyle, TColor& AColor, bool& Handled)
{
    if (FOnGetTextColor)
        FOnGetTextColor(this, ATabIndex, AStyle, AColor, Handled);
}

void TFcCustomTabControl::DoTabClick()
{
    if (FOnTabClick)
        FOnTabClick(this);
}

void TFcCustomTabControl::DoPaintBackground(TCanvas* ACanvas, const TRect& ARect, bool& Handled)
{
    if (FOnPaintBackground)
        FOnPaintBackground(this, ACanvas, ARect, Handled);
}

void TFcCustomTabControl::DoPaintCardBackground(TCanvas* ACanvas, int ARow, const TRect& ARect, bool& Handled)
{
    if (FOnPaintCardBackground)
        FOnPaintCardBackground(this, ACanvas, ARow, ARect, Handled);
}

void TFcCustomTabControl::DoPaintTabBackground(TCanvas* ACanvas, int ATabIndex, const TRect& ARect, bool& Handled)
{
    if (FOnPaintTabBackground)
        FOnPaintTabBackground(this, ACanvas, ATabIndex, ARect, Handled);
}
