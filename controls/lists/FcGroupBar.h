#pragma once
// TFcGroupBar (unit FcGroupBar): the side bar that holds the groups.  It
// keeps them in an ordered list, gives them its style, stacks them with a
// margin of GroupBorderSize, sizes each (a closed group shows its caption,
// an open one its items), scrolls the stack with its vertical scroll bar,
// keeps one group open in exclusive mode and item selection unique across
// groups, and paints its background and frame.
//
// Styles: gbsCategoryView stacks groups that open and close; gbsTaskList
// stacks groups that are always open; gbsOutlook gives the one open group
// all the room the captions of the others leave.
#include "controls/lists/FcGroup.h"

#include <memory>
#include <vector>

class TFcGroupBar : public TCustomControl {
public:
    explicit TFcGroupBar(TComponent* AOwner);
    ~TFcGroupBar() override;
    void BeforeDestruction() override;

    // --- groups ---
    int GroupCount() const { return int(FGroups.size()); }
    // Raises EListError outside 0..GroupCount - 1.
    TFcGroup* Groups(int Index) const;
    int IndexOfGroup(const TFcGroup* Group) const;
    // Joins a group: it takes the bar as parent and the bar's style.
    void AddGroup(TFcGroup* Group);
    // A group leaves (its bar changes, or it goes): hidden and unparented
    // at run time; in exclusive or Outlook style an open group hands the
    // opening on to its neighbour.
    void RemoveGroup(TFcGroup* Group);
    // Moves a group to a position of the list (the list's index check).
    void MoveGroup(TFcGroup* Group, int Index);
    // The class a design tool makes for a new group.
    virtual TClass GetGroupClass() const;

    // Stacks and sizes the groups again; Changed (opened, closed, moved,
    // resized) is brought into view.
    void UpdateGroupLayout(TFcGroup* Changed);
    virtual void UpdateScrollBar();
    int ScrollPosition() const { return FScrollPosition; }
    void SetScrollPosition(int Value);
    // The height of the stack with its margins: the scroll range.
    int ContentHeight() const;
    // Whether a layout is placing the groups right now.
    bool Positioning() const { return FPositioning > 0; }

    // --- published ---
    bool ExclusiveMode() const { return FExclusiveMode; }
    void SetExclusiveMode(bool Value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    TFrameStyleEx BorderInner() const { return FBorderInner; }
    void SetBorderInner(TFrameStyleEx Value);
    TFrameStyleEx BorderOuter() const { return FBorderOuter; }
    void SetBorderOuter(TFrameStyleEx Value);
    TSides BorderSides() const { return FBorderSides; }
    void SetBorderSides(TSides Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor BorderHighlight() const { return FBorderHighlight; }
    void SetBorderHighlight(TColor Value);
    TColor BorderShadow() const { return FBorderShadow; }
    void SetBorderShadow(TColor Value);
    TFcGradientColorStyle GradientColorStyle() const { return FGradientColorStyle; }
    void SetGradientColorStyle(TFcGradientColorStyle Value);
    TColor GradientColorStart() const { return FGradientColorStart; }
    void SetGradientColorStart(TColor Value) { SetPaintProperty(FGradientColorStart, Value); }
    TColor GradientColorStop() const { return FGradientColorStop; }
    void SetGradientColorStop(TColor Value) { SetPaintProperty(FGradientColorStop, Value); }
    TFcGroupBarGradientPath GradientPath() const { return FGradientPath; }
    void SetGradientPath(TFcGroupBarGradientPath Value) { SetPaintProperty(FGradientPath, Value); }
    int GroupBorderSize() const { return FGroupBorderSize; }
    void SetGroupBorderSize(int Value);
    TColor FlatColor() const { return FFlatColor; }
    void SetFlatColor(TColor Value);
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    void SetFlatColorAdjustment(int Value);
    TCustomImageList* LargeImages() const { return FLargeImages; }
    void SetLargeImages(TCustomImageList* Value);
    TCustomImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* Value);
    TFcGroupBarStyle Style() const { return FStyle; }
    void SetStyle(TFcGroupBarStyle Value);
    bool UniqueItemSelection() const { return FUniqueItemSelection; }
    void SetUniqueItemSelection(bool Value);
    TFcVisualStyle VisualStyle() const { return FVisualStyle; }
    void SetVisualStyle(TFcVisualStyle Value);

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, int Order) override;
    void DefineProperties(TFiler& Filer) override;

protected:
    friend class TFcGroup;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void Resize() override;
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void WndProc(TMessage& Message) override;
    void WMLButtonDown(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

private:
    // What the groups' layout works with: the margin and the client size.
    struct TLayoutFrame {
        int B;
        int CW;
        int CH;
    };
    TLayoutFrame Frame();
    void PositionGroups();
    void PositionStacked(const TLayoutFrame& F);
    void PositionOutlook(const TLayoutFrame& F);
    void FillView();
    void BringIntoView(TFcGroup* Changed);
    void ScrollByDelta(int Delta);
    bool ScrollBarNeeded() const;
    // The scroll bar's range, page and position (computed while there is
    // no window).
    SCROLLINFO CurrentScrollInfo() const;
    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMVScroll(TMessage& Message);
    void CMGroupItemSelected(TMessage& Message);
    void FrameChanged();
    int FrameWidth(TFrameStyleEx Style) const;
    void ImagesChanged(TObject* Sender);
    void SetImages(TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value);
    void InvalidateGroups();

    std::vector<TFcGroup*> FGroups;
    // A counter: nested layouts (a group closed by exclusive mode) must not
    // end the outer one's guard.
    int FPositioning = 0;
    TFcGroupBarStyle FStyle = gbsCategoryView;
    int FBevelWidth = 1;
    TFrameStyleEx FBorderInner = fsNone;
    TFrameStyleEx FBorderOuter = fsNone;
    TSides FBorderSides = AllSides;
    TColor FBorderColor = clBtnFace;
    TColor FBorderHighlight = clBtnHighlight;
    TColor FBorderShadow = clBtnShadow;
    TColor FFlatColor = clBtnShadow;
    int FFlatColorAdjustment = 30;
    TFcVisualStyle FVisualStyle = vsGradient;
    TFcGradientColorStyle FGradientColorStyle = gcsSystem;
    TColor FGradientColorStart = clBtnFace;
    TColor FGradientColorStop = clBtnShadow;
    TFcGroupBarGradientPath FGradientPath = gpTopToBottom;
    int FGroupBorderSize = 8;
    int FScrollPosition = 0;
    bool FExclusiveMode = false;
    bool FUniqueItemSelection = false;
    TCustomImageList* FSmallImages = nullptr;
    TCustomImageList* FLargeImages = nullptr;
    std::unique_ptr<TChangeLink> FSmallImagesLink;
    std::unique_ptr<TChangeLink> FLargeImagesLink;
    std::unique_ptr<TCanvas> FFrameCanvas;
};
