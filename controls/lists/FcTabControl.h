#pragma once
// TFcCustomTabControl (unit FcTabs): the tab strip with its page area, the
// "card".  One or several rows of tabs in one of five outline styles, on
// any side of the control and in either order, painted through an
// off-screen bitmap with gradients, coloured tabs, images, multi-line and
// rotated captions, hot tracking, a highlight bar and a soft shadow; a
// single-line strip whose tabs do not fit scrolls with its scroller; tabs
// are chosen by mouse, keys and accelerators (with a veto) and can be
// dragged to a new place.  The page control publishes all of it.
//
// Tab rectangles are kept in strip coordinates: x runs along the strip, y
// across it from its outer edge, as if the tabs stood on top; they are
// mapped to client coordinates for painting and hit testing.
//
// The work is split by concern over several source files: FcTabControl.cpp
// (properties and life), FcTabLayout.cpp (sizes, rows, scrolling, hit
// testing), FcTabShapes.cpp (outlines, regions and the outline renderer),
// FcTabPaint.cpp (painting), FcTabInput.cpp (selection, keys, mouse, hot
// tracking) and FcTabDragging.cpp (dragging tabs to a new place).
#include "controls/foundation/FcTypes.h"
#include "controls/lists/FcTabColors.h"
#include "controls/lists/FcTabData.h"
#include "controls/lists/FcTabRegionCache.h"
#include "controls/lists/FcTabTypes.h"
#include "platform/actions/ImgList.h"
#include "platform/windows/CustomControl.h"
#include "platform/graphics/Bitmap.h"

#include <memory>
#include <vector>

class TFcTabScroller;
class TFcTabCloseButton;
class TFcTabMenuButton;
class TTimer;

// The outline command list: each command one integer, those from 2 on
// followed by two operands.
enum : int {
    tcSetPen = 0, // the pen takes the current outline colour
    tcNop = 1, // nothing
    tcBeginShape = 2, // (kind, index): kind 0 a tab, 1 a card (index = row)
    tcMoveTo = 3, // (x, y)
    tcLineTo = 4, // (x, y), the end pixel left out
    tcDarkShadowTo = 5, // (x, y), both ends included, black at weight 30
    tcLightShadowTo = 6, // (x, y), both ends included, black at weight 15
};

class TFcCustomTabControl : public TCustomControl {
public:
    explicit TFcCustomTabControl(TComponent* AOwner);
    ~TFcCustomTabControl() override;
    void BeforeDestruction() override;

    // --- properties (published by the page control) ---
    bool AlignTabs() const { return FAlignTabs; }
    void SetAlignTabs(bool Value);
    bool AllowTabDragging() const { return FAllowTabDragging; }
    void SetAllowTabDragging(bool Value) { FAllowTabDragging = Value; }
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor Value);
    bool BoldCurrentTab() const { return FBoldCurrentTab; }
    void SetBoldCurrentTab(bool Value);
    int CutCornerSize() const { return FCutCornerSize; }
    void SetCutCornerSize(int Value);
    // The frame colour of the outlines and of the strip buttons.
    TColor FlatColor() const { return FFlatColor; }
    void SetFlatColor(TColor Value);
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    void SetFlatColorAdjustment(int Value);
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor Value);
    TFcHotTrackColorType HotTrackColorType() const { return FHotTrackColorType; }
    void SetHotTrackColorType(TFcHotTrackColorType Value);
    TFcTabHotTrackStyle HotTrackStyle() const { return FHotTrackStyle; }
    void SetHotTrackStyle(TFcTabHotTrackStyle Value);
    TFcHorizontalAlignment ImageAlignment() const { return FImageAlignment; }
    void SetImageAlignment(TFcHorizontalAlignment Value);
    TFcVerticalAlignment ImageAlignmentVertical() const { return FImageAlignmentVertical; }
    void SetImageAlignmentVertical(TFcVerticalAlignment Value);
    int ImageMargin() const { return FImageMargin; }
    void SetImageMargin(int Value);
    TFcImagePosition ImagePosition() const { return FImagePosition; }
    void SetImagePosition(TFcImagePosition Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    bool ParentBackgroundColor() const { return FParentBackgroundColor; }
    void SetParentBackgroundColor(bool Value);
    int RowIndent() const { return FRowIndent; }
    void SetRowIndent(int Value);
    int RowOverlap() const { return FRowOverlap; }
    void SetRowOverlap(int Value);
    bool ShowCardFrame() const { return FShowCardFrame; }
    void SetShowCardFrame(bool Value);
    bool ShowCloseButton() const { return FShowCloseButton; }
    void SetShowCloseButton(bool Value);
    bool ShowMenuButton() const { return FShowMenuButton; }
    void SetShowMenuButton(bool Value);
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool Value);
    // Off also switches ShowShadow off.
    bool ShowFullFrame() const { return FShowFullFrame; }
    void SetShowFullFrame(bool Value);
    // On also switches ShowFullFrame on.
    bool ShowShadow() const { return FShowShadow; }
    void SetShowShadow(bool Value);
    bool SoftCorners() const { return FSoftCorners; }
    void SetSoftCorners(bool Value);
    TFcTabColors* TabColors() const { return FTabColors.get(); }
    void SetTabColors(TFcTabColors* Value);
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int Value);
    bool TabHints() const { return FTabHints; }
    void SetTabHints(bool Value);
    // -1: no current tab.  A new value is vetoed through OnChanging and
    // brings the tab into view; a value outside the tabs gives -1 without
    // events.
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int Value);
    TFcTabOrientation TabOrientation() const { return FTabOrientation; }
    void SetTabOrientation(TFcTabOrientation Value);
    int TabOverlap() const { return FTabOverlap; }
    void SetTabOverlap(int Value);
    TFcTabSequence TabSequence() const { return FTabSequence; }
    void SetTabSequence(TFcTabSequence Value);
    TFcTabStyle TabStyle() const { return FTabStyle; }
    void SetTabStyle(TFcTabStyle Value);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int Value);
    TFcHorizontalAlignment TextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(TFcHorizontalAlignment Value);
    TFcVerticalAlignment TextAlignmentVertical() const { return FTextAlignmentVertical; }
    void SetTextAlignmentVertical(TFcVerticalAlignment Value);
    TFcTextColors* TextColors() const { return FTextColors.get(); }
    void SetTextColors(TFcTextColors* Value);
    // Vertical captions need a scalable font: any other becomes "Verdana".
    TOrientation TextOrientation() const { return FTextOrientation; }
    void SetTextOrientation(TOrientation Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool UseColoredTabs() const { return FUseColoredTabs; }
    virtual void SetUseColoredTabs(bool Value);
    bool UseGradients() const { return FUseGradients; }
    void SetUseGradients(bool Value);

    DECLARE_EVENT(TNotifyEvent, OnChange)
    DECLARE_EVENT(TFcTabChangingEvent, OnChanging)
    DECLARE_EVENT(TFcTabCloseEvent, OnClose)
    DECLARE_EVENT(TFcGetTextColorEvent, OnGetTextColor)
    DECLARE_EVENT(TNotifyEvent, OnPageChange)
    DECLARE_EVENT(TFcPaintBackgroundEvent, OnPaintBackground)
    DECLARE_EVENT(TFcPaintCardBackgroundEvent, OnPaintCardBackground)
    DECLARE_EVENT(TFcPaintTabBackgroundEvent, OnPaintTabBackground)
    DECLARE_EVENT(TNotifyEvent, OnTabClick)
    DECLARE_EVENT(TFcTabOrderChangeEvent, OnTabOrderChange)
    DECLARE_EVENT(TNotifyEvent, OnScrolledTabs)

    // --- public state ---
    TFcTabDataList* Tabs() const { return FTabs.get(); }
    TFcTabRegionCache* RegionCache() const { return FRegionCache.get(); }
    // The cache bound: -1 or at least 1; other values are ignored.
    int RegionCacheCapacity() const { return FRegionCacheCapacity; }
    void SetRegionCacheCapacity(int Value);
    // The depth of one tab row in pixels (streamed as "FixedDimension").
    int FixedDimension() const { return FFixedDimension; }
    int RowCount() const { return FRowCount; }
    // The scroll position: the first tab shown (-1 when there is none).
    int FirstShownTab() const { return FFirstShownTab; }
    // Single-line tabs do not all fit: the scroller shows.
    bool TabsOverflow() const { return FOverflow; }
    int HotIndex() const { return FHotIndex; }
    // Off: the strip takes the whole control and no page area is left.
    bool CardVisible() const { return FCardVisible; }
    void SetCardVisible(bool Value);
    TFcTabScroller* Scroller() const { return FScroller; }
    TFcTabCloseButton* CloseButton() const { return FCloseButton; }
    TFcTabMenuButton* MenuButton() const { return FMenuButton; }
    // The timer that scrolls the strip while a dragged tab is held beyond
    // it (nullptr until the first need).
    TTimer* DragScrollTimer() const { return FDragScrollTimer; }
    // The current drop marker.
    bool DropMarkerShown() const { return FDropMarkerShown; }
    TRect DropMarkerRect() const { return FDropMarkerRect; }
    int DropTargetIndex() const { return FDropTargetIndex; }

    // --- layout and hit testing ---
    void UpdateTabLayout();
    bool IsTabFullyVisible(int Index);
    void ScrollTabs(bool Forward);
    void RotateTabRows(int Index);
    // The tab under a client point; where tabs overlap the current one
    // wins, then the one nearest after the first shown tab.  -1: none.
    int TabAtPos(int X, int Y);
    bool PtInTab(TPoint P, int Index);
    TRect TabAreaRect();
    int StripLength();
    TRect CardRect(int Row);
    // Where child controls (the pages) go.
    TRect DisplayRect();
    // The size of the close and menu buttons (the scroller is 2b - 1 long);
    // worked out again after each change of the tabs or the font.
    int ButtonSize();
    // The scroll offset along the strip.
    int ScrollOffset();
    TPoint StripToClient(TPoint P);
    TRect StripRectToClient(const TRect& R);
    // The tab's drawing rectangle in strip and in client coordinates.
    TRect AdjustTabRect(int Index);
    TRect TabClientRect(int Index);
    // The outline in strip coordinates; the result is the point count.
    int GetTabShapePoints(int Index, TPoint (&Points)[6]);
    // The outline region, from the cache (which owns it).
    HRGN GetTabRegion(int Index);
    // The command lists of a tab's and a card's outline.
    void BuildTabShape(int Index);
    void BuildCardShape(int Row);
    const std::vector<int>& ShapeCommands() const { return FShapeCommands; }
    // The size of a caption as drawn (line breaks and accelerators counted).
    TSize CaptionExtent(const String& Caption, bool Bold);

    // --- selection ---
    bool CanSelectTab(int Index);
    // The close button's click: asks OnClose, then closes the current tab.
    void CloseRequest();
    virtual void FullRepaint();
    virtual void TabsChanged();

protected:
    // --- the operations a page control builds on ---
    virtual void DoChanging(int NewIndex, bool& AllowChange);
    virtual void DoGetTextColor(int ATabIndex, TFcTextStyle AStyle, TColor& AColor, bool& Handled);
    virtual void DoTabClick();
    virtual void DoPaintBackground(TCanvas* ACanvas, const TRect& ARect, bool& Handled);
    virtual void DoPaintCardBackground(TCanvas* ACanvas, int ARow, const TRect& ARect, bool& Handled);
    virtual void DoPaintTabBackground(TCanvas* ACanvas, int ATabIndex, const TRect& ARect, bool& Handled);
    // Draws the mark between tabs where a dragged tab would go, over the
    // window's picture (it stays until the next repaint of that place).
    virtual void DrawDropMarker(const TRect& R);
    virtual void CloseCurrentTab() {}
    virtual void MoveCurrentTab(int NewIndex) { (void)NewIndex; }
    void SetRowCount(int Value) { FRowCount = Value; }
    // Fires OnChange; then PageChange fires OnPageChange.
    virtual void Change();
    virtual void PageChange();
    virtual void TabOrderChange(int OldIndex, int NewIndex);
    virtual void HideAllTabs() {}
    virtual void ShowAllTabs() {}
    // The brush of the card of row ARow when nothing else painted it.
    virtual TColor CardColor(int ARow);

    // --- what the platform asks ---
    void Paint() override;
    void CreateParams(TCreateParams& Params) override;
    void Loaded() override;
    void DefineProperties(TFiler& Filer) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Without a window yet: the whole control (it has no frame).
    TRect GetClientRect() override;
    void AdjustClientRect(TRect& Rect) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WndProc(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMParentColorChanged(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void DestroyWnd() override;
    // A property's change repaints the whole strip; one that moves tabs
    // has them laid out again first.
    void PaintPropertyChanged() override { FullRepaint(); }
    void LayoutPropertyChanged() override { TabsChanged(); }

public:
    void SetParent(TWinControl* AParent) override;
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DragDrop(TObject* Source, int X, int Y) override;
    void DoEndDrag(TObject* Target, int X, int Y) override;

protected:
    // The selection-in-progress flag: the TabIndex setter does not ask
    // CanSelectTab again while it is set.
    bool FSelecting = false;
    int FTabIndex = -1;

private:
    // The hot-track poll's window timer.
    static constexpr std::uintptr_t HotTrackTimerId = 1;
    friend class TFcTabScroller;
    friend class TFcTabMenuButton;
    friend class TFcTabFontScope;
    // The tests' view of the painting state below.
    friend struct TFcTabControlTestAccess;

    // --- layout (FcTabLayout.cpp) ---
    int TabOverlapFor(int Depth) const;
    TSize TabSize(int Index);
    TSize MinimumContent(bool Bold);
    TSize ImageSize(int Index) const;
    void ComputeTabSizes(std::vector<TSize>& Sizes);
    int PlaceTabs(const std::vector<TSize>& Sizes, int Rows);
    void JustifyRows(int AvailableLength);
    int TabAreaDepth();
    int StripButtonsLength(bool WithScroller);
    bool ComputeOverflow();
    void UpdateFirstShownTab();
    bool IsVerticalStrip() const { return FTabOrientation == toLeft || FTabOrientation == toRight; }
    bool IsVerticalText() const { return FTextOrientation == orVertical; }
    bool HasShadowStrip() const;
    int FirstVisibleTab() const;
    int LastVisibleTab() const;
    int VisibleTabCount() const;
    void PlaceStripButtons();
    void PlaceStripButton(TWinControl* Button, int Width, int Height, int Inset);

    // --- shapes (FcTabShapes.cpp) ---
    void AddCommand(int Code, int A = 0, int B = 0);
    void AddStroke(int Code, TPoint P) { AddCommand(Code, P.X, P.Y); }
    void BuildCardGap(const TRect& Card);
    void BuildClosedCard(const TRect& Card);
    void AddCardShadow(TPoint P1, TPoint P2, TPoint P3);
    void RenderShapeEdges(TCanvas* Canvas);
    void ShadowLine(TCanvas* Canvas, TPoint From, TPoint To, int Weight);
    bool CommandsHoldShadow() const;
    TColor OutlineColor() const;

    // --- painting (FcTabPaint.cpp) ---
    void PaintBackground(TCanvas* Canvas);
    void DrawTabs(TCanvas* Canvas);
    void DrawCard(TCanvas* Canvas, int Row);
    void DrawTab(TCanvas* Canvas, int Index);
    void FillTab(TCanvas* Canvas, int Index, const TRect& R);
    void DrawTabContents(TCanvas* Canvas, int Index, const TRect& R);
    TRect ContentRect(const TRect& R);
    TRect PlaceImage(int Index, TRect& Content);
    TColor TabTextColor(int Index);
    void DrawHighlightBar(TCanvas* Canvas, int Index, const TRect& R);
    TRect DrawCaption(TCanvas* Canvas, int Index, const TRect& Content);
    void DrawCaptionLine(TCanvas* Canvas, const String& Line, TPoint At, bool Bold);
    void DrawFocusRectangle(TCanvas* Canvas, TRect TextRect);
    void SelectRotatedFont(HDC DC, bool Bold, bool Underline = false);
    void RestoreTabFont(HDC DC);
    TSize LineExtent(HDC DC, const String& Line);

    // --- input (FcTabInput.cpp) ---
    void BringTabIntoView(int Index, bool& Scrolled);
    void RecheckCurrentTab();
    void SelectFoundTab(int Index, bool FireTabClick);
    int FindSelectableTab(int From, int Step, bool Wrap);
    void HandleNavigationKey(WORD Key);
    void UpdateHotTab(int X, int Y);
    void LeaveTabs(TPoint P);
    void ChangeHintForTabs(const String& Value);
    void InvalidateTab(int Index);
    void CancelHotTrack();
    void StopHotTrackTimer();
    void HotTrackTimerTick();
    void RepaintStripButtons(bool Scroller);

    // --- dragging (FcTabDragging.cpp) ---
    TRect DropMarkerRectFor(int Target);
    void EraseDropMarker();
    void StartDragScrollTimer();
    void StopDragScrollTimer();
    void DragScrollTimerTick(TObject* Sender);
    void ScrollerUpRightClick(TObject* Sender);
    void ScrollerDownLeftClick(TObject* Sender);
    bool UpRightScrollsForward() const;

    // --- life and properties (FcTabControl.cpp) ---
    void ImageListChange(TObject* Sender);
    void ReadFixedDimension(TReader& Reader);
    void WriteFixedDimension(TWriter& Writer);
    void EnsureStripButton(bool Close);
    TColor StripButtonFrameColor() const;
    void UpdateStripButtonColors();
    void EnsureVerdanaForVerticalText();

    bool FAlignTabs = false;
    bool FAllowTabDragging = false;
    TColor FBackgroundColor = clBtnFace;
    bool FBoldCurrentTab = false;
    int FCutCornerSize = 6;
    TColor FFlatColor = clBtnShadow;
    int FFlatColorAdjustment = 0;
    bool FHotTrack = true;
    TColor FHotTrackColor = TColor(0x149BF0);
    TFcHotTrackColorType FHotTrackColorType = htctActual;
    TFcTabHotTrackStyle FHotTrackStyle = htsTab;
    TFcHorizontalAlignment FImageAlignment = haCenter;
    TFcVerticalAlignment FImageAlignmentVertical = vaCenter;
    int FImageMargin = 2;
    TFcImagePosition FImagePosition = ipLeft;
    TCustomImageList* FImages = nullptr;
    int FMargin = 0;
    bool FMultiLine = false;
    bool FParentBackgroundColor = true;
    int FRowIndent = 5;
    int FRowOverlap = 5;
    bool FShowCardFrame = true;
    bool FShowCloseButton = false;
    bool FShowMenuButton = false;
    bool FShowFocusRect = true;
    bool FShowFullFrame = true;
    bool FShowShadow = true;
    bool FSoftCorners = false;
    int FTabHeight = 0;
    bool FTabHints = false;
    TFcTabOrientation FTabOrientation = toTop;
    int FTabOverlap = -1;
    TFcTabSequence FTabSequence = tsStandard;
    TFcTabStyle FTabStyle = tsSingleSlant;
    int FTabWidth = 0;
    TFcHorizontalAlignment FTextAlignment = haCenter;
    TFcVerticalAlignment FTextAlignmentVertical = vaCenter;
    TOrientation FTextOrientation = orHorizontal;
    bool FTransparent = false;
    bool FUseColoredTabs = false;
    bool FUseGradients = true;

    // The picture the control paints into before it is shown.
    std::unique_ptr<TBitmap> FBitmap;
    std::unique_ptr<TBitmap> FBackdrop;
    std::vector<int> FShapeCommands;
    // Rotated fonts selected and not yet given back (none outside painting).
    std::vector<HFONT> FFontStack;
    std::unique_ptr<TFcTabDataList> FTabs;
    std::unique_ptr<TFcTabRegionCache> FRegionCache;
    std::unique_ptr<TFcTabColors> FTabColors;
    std::unique_ptr<TFcTextColors> FTextColors;
    // The working copy of Font the tabs are measured and drawn with.
    std::unique_ptr<TFont> FTabFont;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    TFcTabScroller* FScroller = nullptr;
    TFcTabCloseButton* FCloseButton = nullptr;
    TFcTabMenuButton* FMenuButton = nullptr;
    TTimer* FDragScrollTimer = nullptr;

    bool FLayoutDirty = true;
    bool FPaintingDone = false;
    // Set while only the hot tab changed: the card's shadow is not drawn.
    bool FHotRepaint = false;
    bool FCardVisible = true;
    int FHotIndex = -1;
    TColor FLastFillColor = clNone;
    int FFirstShownTab = -1;
    int FRowCount = 1;
    bool FOverflow = false;
    int FFixedDimension = 0;
    // The strip buttons' size as worked out last (-1: to be worked out).
    int FButtonSize = -1;
    int FRegionCacheCapacity = 1;
    std::uintptr_t FHotTrackTimer = 0;
    int FDragSourceIndex = -1;
    int FDropTargetIndex = -1;
    bool FDropMarkerShown = false;
    TRect FDropMarkerRect;
    // The device context of the paint in progress (the drop marker is laid
    // over what it painted).
    HDC FMarkerDC = nullptr;
    // The part of the control the paint in progress repaints.
    TRect FPaintClip;
    String FSavedHint;
    bool FHintChanged = false;
    TRect FDisplayRect;
    TPoint FLastHitTest;
};
