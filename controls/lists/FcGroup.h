#pragma once
// TFcGroup (unit FcGroupBar): one collapsible group of a group bar - a
// caption band of CaptionHeight pixels with an optional caption image and
// an open/close button, and below it a body that lists the group's items or
// hosts ordinary child controls.  A group lives only inside a TFcGroupBar,
// which stacks its groups, decides their heights and gives each its style.
//
// The class is implemented in three files: FcGroup.cpp (properties,
// opening and closing, the item layout), FcGroupPaint.cpp (the four looks
// and the items) and FcGroupInput.cpp (clicks, hot tracking, hints and the
// cursor).
#include "controls/lists/FcGroupItems.h"
#include "controls/lists/FcRapidFireButton.h"
#include "platform/actions/ImgList.h"
#include "platform/windows/CustomControl.h"
#include "platform/graphics/Bitmap.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <tuple>

class TFcGroupBar;
class TFcGroupController;
class TPopupMenu;

class TFcGroup : public TCustomControl {
public:
    explicit TFcGroup(TComponent* AOwner);
    ~TFcGroup() override;
    void BeforeDestruction() override;

    // --- opening and closing, by the rules of the bar's style ---
    void Open() { SetOpened(true); }
    void Close() { SetOpened(false); }
    virtual void ToggleOpened();
    bool Opened() const { return FOpened; }
    void SetOpened(bool Value);
    int OpenedHeight() const { return FOpenedHeight; }
    void SetOpenedHeight(int Value);
    bool CanClose() const { return FCanClose; }
    void SetCanClose(bool Value);

    // --- the bar, its style and the controller ---
    TFcGroupBar* GroupBar() const { return FGroupBar; }
    void SetGroupBar(TFcGroupBar* Value);
    // The bar's style as the group last heard it.
    TFcGroupBarStyle BarStyle() const { return FBarStyle; }
    virtual void ApplyBarStyle(TFcGroupBarStyle Value);
    // Position in the bar's list; -1 without a bar.
    virtual int GroupIndex() const;
    void SetGroupIndex(int Value);
    TFcGroupController* GroupController() const { return FGroupController; }
    void SetGroupController(TFcGroupController* Value);

    // --- caption ---
    TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor Value);
    bool CaptionColorDefault() const { return FCaptionColorDefault; }
    void SetCaptionColorDefault(bool Value);
    TColor CaptionColorStart() const { return FCaptionColorStart; }
    void SetCaptionColorStart(TColor Value);
    TColor CaptionColorStop() const { return FCaptionColorStop; }
    void SetCaptionColorStop(TColor Value);
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(TFont* Value);
    int CaptionHeight() const { return FCaptionHeight; }
    // At least 16.
    void SetCaptionHeight(int Value);
    TColor CaptionHotColor() const { return FCaptionHotColor; }
    void SetCaptionHotColor(TColor Value);
    TImageIndex CaptionImageIndex() const { return FCaptionImageIndex; }
    void SetCaptionImageIndex(TImageIndex Value);
    TFcCaptionStyle CaptionStyle() const { return FCaptionStyle; }
    void SetCaptionStyle(TFcCaptionStyle Value);

    // --- body ---
    // The colour hides the control's own setter: a colour set for the group
    // is no longer the style's.
    void SetColor(TColor Value);
    bool ColorDefault() const { return FColorDefault; }
    void SetColorDefault(bool Value);
    TColor BorderColor() const { return FBorderColor; }
    virtual void SetBorderColor(TColor Value);
    TColor DividerColor() const { return FDividerColor; }
    void SetDividerColor(TColor Value);
    bool DividerVisible() const { return FDividerVisible; }
    void SetDividerVisible(bool Value);
    bool Special() const { return FSpecial; }
    void SetSpecial(bool Value);

    // --- items ---
    TFcGroupItems* Items() const { return FItems.get(); }
    void SetItems(TFcGroupItems* Value);
    int ItemHeight() const { return FItemHeight; }
    virtual void SetItemHeight(int Value);
    TColor ItemHotColor() const { return FItemHotColor; }
    void SetItemHotColor(TColor Value);
    std::uint8_t ItemIndent() const { return FItemIndent; }
    void SetItemIndent(std::uint8_t Value);
    TFont* ItemStaticFont() const { return FItemStaticFont.get(); }
    void SetItemStaticFont(TFont* Value);
    TFcItemStyle ItemStyle() const { return FItemStyle; }
    void SetItemStyle(TFcItemStyle Value);
    TPopupMenu* ItemPopupMenu() const { return FItemPopupMenu; }
    void SetItemPopupMenu(TPopupMenu* Value);
    TCustomImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* Value);
    TCustomImageList* LargeImages() const { return FLargeImages; }
    void SetLargeImages(TCustomImageList* Value);
    // The first item shown; moved only in the Outlook style.
    int TopItemIndex() const { return FTopItemIndex; }
    void SetTopItemIndex(int Value);

    // --- selection ---
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value);
    TColor SelectionShadowColor() const { return FSelectionShadowColor; }
    void SetSelectionShadowColor(TColor Value);
    TColor SelectionFrameColor() const { return FSelectionFrameColor; }
    void SetSelectionFrameColor(TColor Value);
    bool ShowItemSelection() const { return FShowItemSelection; }
    void SetShowItemSelection(bool Value);
    TFcItemSelectionStyle ItemSelectionStyle() const { return FItemSelectionStyle; }
    void SetItemSelectionStyle(TFcItemSelectionStyle Value);
    bool IgnoreSelectedItemClick() const { return FIgnoreSelectedItemClick; }
    void SetIgnoreSelectedItemClick(bool Value) { FIgnoreSelectedItemClick = Value; }
    virtual TFcGroupItem* SelectedItem() const;
    int SelectedItemIndex() const { return FSelectedItemIndex; }
    void SetSelectedItemIndex(int Value);

    DECLARE_EVENT(TFcCanCloseEvent, OnCanClose)
    DECLARE_EVENT(TFcCanOpenEvent, OnCanOpen)
    DECLARE_EVENT(TNotifyEvent, OnClose)
    DECLARE_EVENT(TNotifyEvent, OnOpen)
    DECLARE_EVENT(TFcMouseOverItemEvent, OnMouseOverItem)
    DECLARE_EVENT(TFcGroupItemPopupMenuEvent, OnItemPopupMenu)

    // --- what the bar, the items and the painter ask ---
    // SmallImages or LargeImages, else the bar's.
    TCustomImageList* EffectiveSmallImages() const;
    TCustomImageList* EffectiveLargeImages() const;
    // The large images for a csLarge caption, else the small ones.
    TCustomImageList* CaptionImages() const;
    // How far a caption image taller than the caption band sticks out
    // above the group (0 when it does not).
    int CaptionOverflow() const;
    // The height the open group needs to show its items at Width.
    int CalcItemsHeight(int Width);
    // Left edge of small item text.
    virtual int ItemTextLeft() const;
    // A separator shown only between normal items, once per run.
    bool IsSeparatorHidden(int Index) const;
    // The item at Index is going: the selection follows it.
    virtual void ItemRemoved(int Index);
    // The items changed in a way that can move them.
    void ItemsChanged();
    // The Outlook style's scrolling by one item.
    // The Outlook style's scroll buttons: up is 0, down is 1.
    TFcRapidFireButton* ScrollButton(int Index) const { return FScrollButtons[Index & 1]; }
    void ScrollUp();
    void ScrollDown();
    // The caption image of a csLarge caption, on the bar's canvas, so that
    // the part above the group shows.
    void DrawLargeCaptionImage(TCanvas* BarCanvas);

    // --- transient input state ---
    std::uint8_t CaptionState() const { return FCaptionState; }
    TFcGroupItem* HotItem() const { return FHotItem; }
    TFcGroupItem* PopupItem() const { return FPopupItem; }
    // The first visible item (from the top item) the point hits.
    TFcGroupItem* ItemAt(TPoint P) const;

    // --- stored rules ---
    bool IsControlled() const { return FGroupController != nullptr; }
    bool IsCaptionColorStored() const { return !IsControlled() && !FCaptionColorDefault; }
    bool IsColorStored() const { return !IsControlled() && !FColorDefault; }
    bool IsCaptionFontStored() const { return !IsControlled() && FCaptionFontChanged; }
    bool IsItemStaticFontStored() const { return !IsControlled() && FItemStaticFontChanged; }

    void DefineProperties(TFiler& Filer) override;
    void SetParentComponent(TComponent* Value) override;
    // Only a group bar can parent a group.
    void SetParent(TWinControl* AParent) override;
    // The idle-time action update reaches the items' actions too.
    void InitiateAction() override;
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DoEndDrag(TObject* Target, int X, int Y) override;

protected:
    friend class TFcGroupBar;
    friend class TFcGroupItem;

    // --- painting (FcGroupPaint.cpp) ---
    void Paint() override;
    virtual void DrawItems();
    virtual void DrawOpenCloseButton(bool IsOpened, int X, int Y, TColor ChevronColor, TColor DarkColor,
                                     TColor LightColor);
    virtual void DrawCategoryGroup();
    virtual void DrawThemedCategoryGroup();
    virtual void DrawOutlookGroup();
    virtual void DrawTaskListGroup();

    // --- input (FcGroupInput.cpp) ---
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DoContextPopup(TPoint MousePos, bool& Handled) override;
    void WMLButtonDown(TMessage& Message) override;
    void WMLButtonDblClk(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMSetCursor(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMHintShow(TMessage& Message) override;
    void CMDesignHitTest(TMessage& Message);

    // --- the rest (FcGroup.cpp) ---
    void WndProc(TMessage& Message) override;
    void Loaded() override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void ReadState(TReader& Reader) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void AdjustClientRect(TRect& Rect) override;
    void Resize() override;
    void WMSize(TMessage& Message) override;
    void WMWindowPosChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    // Deselects the other selected items when Message's item became
    // selected.
    void CMGroupItemSelected(TMessage& Message);

private:
    // The style's own colours.
    TColor StyleColor(TFcGroupBarStyle Style) const;
    static TColor StyleCaptionColor(TFcGroupBarStyle Style);
    // The parent of a group set without joining or leaving a bar.
    void AttachParent(TWinControl* AParent);
    // Font changes the group makes itself leave the changed flags alone.
    template <typename F>
    void ChangeFontQuietly(TFont* Font, F&& Change);
    void OwnFontChanged(bool& ChangedFlag);
    void ImagesChanged(TObject* Sender);
    void SetImages(TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value);
    bool IsEmptyOfControls() const;
    void ActionCountChanged(int Delta);
    void UpdateScrollButtons();
    void PositionScrollButtons();
    void CreateScrollButtons();
    // Invalidates the caption band, or an item's image and caption.
    void InvalidateCaption();
    void InvalidateItem(TFcGroupItem* Item);

    // --- painting helpers (FcGroupPaint.cpp) ---
    struct TItemColors;
    bool UseGradients() const;
    TColor CaptionTextColor(TColor Normal, TColor Hot) const;
    TItemColors ItemColors() const;
    void SetItemFont(TCanvas* C, TFcGroupItem* Item, const TItemColors& Colors, bool Underline);
    int DrawCaptionImage();
    void DrawSmallItems(const TItemColors& Colors);
    void DrawLargeItems(const TItemColors& Colors);
    void DrawSeparator(int Y);
    void DrawSelectionBox(TRect R, bool LightFirst, const TItemColors& Colors);
    void DrawItemImage(TCustomImageList* Images, TFcGroupItem* Item, int X, int Y);
    void RoundCorners(TColor CornerColor);
    // Whether the look paints every pixel of the client area (no erase).
    bool PaintCoversClient() const;
    // The caption measured word-wrapped in R with the canvas's font, as
    // last measured while caption, place and font are the same.
    TRect MeasureCaption(TCanvas* C, TFcGroupItem* Item, TRect R, unsigned Format);
    // The height of "Pp" in the canvas's font, the height of a line.
    int SampleHeight(TCanvas* C);

    // --- input helpers (FcGroupInput.cpp) ---
    TRect CaptionBandRect();
    TFcGroupItem* FirstItem(const std::function<bool(TFcGroupItem*)>& Test) const;
    void ItemMenu(TFcGroupItem* Item, TPoint ScreenPoint);
    void MouseOverItem(TFcGroupItem* Item);
    void ScrollItemIntoView(int Index);
    bool HandCursorAt(TPoint P);

    TFcGroupBar* FGroupBar = nullptr;
    TFcGroupController* FGroupController = nullptr;
    int FOpenedHeight = 50;
    bool FOpened = false;
    bool FCanClose = true;
    TFcGroupBarStyle FBarStyle = gbsCategoryView;
    bool FColorDefault = true;
    TColor FCaptionColor = clHighlightText;
    TColor FCaptionColorStart = clWindow;
    TColor FCaptionColorStop = clBtnFace;
    bool FCaptionColorDefault = true;
    TColor FCaptionHotColor = clHotLight;
    TImageIndex FCaptionImageIndex = -1;
    int FCaptionHeight = 20;
    std::unique_ptr<TFont> FCaptionFont;
    bool FCaptionFontChanged = false;
    TColor FItemHotColor = clHotLight;
    bool FFontChanged = false;
    std::unique_ptr<TFont> FItemStaticFont;
    bool FItemStaticFontChanged = false;
    int FQuietFontChanges = 0;
    bool FDividerVisible = false;
    TColor FDividerColor = clHighlight;
    TColor FBorderColor = clBtnHighlight;
    bool FSpecial = false;
    TColor FSelectionColor = clBtnFace;
    TColor FSelectionShadowColor = clBtnShadow;
    TColor FSelectionFrameColor = cl3DDkShadow;
    bool FShowItemSelection = false;
    TFcItemSelectionStyle FItemSelectionStyle = issImageAndCaption;
    bool FIgnoreSelectedItemClick = true;
    std::uint8_t FCaptionState = HotNormal;
    bool FCaptionPressed = false;
    HCURSOR FHandCursor = 0;
    TFcItemStyle FItemStyle = isSmall;
    int FItemHeight = 20;
    std::uint8_t FItemIndent = 20;
    int FTopItemIndex = 0;
    int FActionCount = 0;
    TFcCaptionStyle FCaptionStyle = csSmall;
    int FSelectedItemIndex = -1;
    TFcGroupItem* FHotItem = nullptr;
    TCustomImageList* FSmallImages = nullptr;
    TCustomImageList* FLargeImages = nullptr;
    std::unique_ptr<TChangeLink> FSmallImagesLink;
    std::unique_ptr<TChangeLink> FLargeImagesLink;
    TFcGroupItem* FPopupItem = nullptr;
    TPopupMenu* FItemPopupMenu = nullptr;
    // The Outlook style's up and down buttons, children of the group.
    TFcRapidFireButton* FScrollButtons[2] = {nullptr, nullptr};
    // Measured captions by item ID, and the open/close button as last
    // drawn: measuring text and setting pixels one by one are the dear
    // parts of painting a group.
    struct TMeasured {
        String Caption;
        TRect Area;
        unsigned Format = 0;
        String FontName;
        int FontHeight = 0;
        TFontStyles FontStyle;
        TRect Result;
        bool Valid = false;
    };
    std::map<int, TMeasured> FMeasured;
    std::map<std::tuple<String, int, std::uint64_t>, int> FSampleHeights;
    struct TButtonImage {
        bool Opened = false;
        TColor Chevron = clNone;
        TColor Dark = clNone;
        TColor Light = clNone;
        std::unique_ptr<TBitmap> Bitmap;
    };
    // The caption's colour changes as the mouse comes and goes: the
    // button of each colour is kept.
    std::array<TButtonImage, 2> FButtonImages;
    // Declared after the fonts, so the items (whose last repaint uses them)
    // go first.
    std::unique_ptr<TFcGroupItems> FItems;
};
