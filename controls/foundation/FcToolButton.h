#pragma once
// TFcToolButton (unit FcButton): the windowless button of a toolbar: an
// image from an image list (its own or the toolbar's), an optional caption
// beside, above or below it, a flat or raised face in the classic, XP or
// gradient look, toggle groups, and an optional drop-down menu over the
// whole button or in a 14-pixel arrow part beside it (a split button).  It
// takes its caption visibility, glyph layout, size and visual style from
// the toolbar it sits on until one of them is set on the button itself.
#include "controls/foundation/FcTypes.h"
#include "platform/actions/ImgList.h"
#include "platform/windows/GraphicControl.h"
#include "platform/graphics/Font.h"
#include "platform/stdctrls/ButtonGlyph.h"

#include <memory>

class TPopupMenu;
class TFcToolbar;

enum TFcToolStyle { tsButton, tsDropDown };

// The tool button's state: the button states, and its drop-down menu open.
using TFcToolButtonState = int;
inline constexpr TFcToolButtonState tbsMenuOpen = 4;

class TFcToolButton : public TGraphicControl {
public:
    explicit TFcToolButton(TComponent* AOwner);
    ~TFcToolButton() override;

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { SetPaintProperty(FAlignment, Value); }
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value) { SetPaintProperty(FFlat, Value); }
    // Always 0 for a drop-down button.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    TImageIndex ImageIndex() const { return FImageIndex; }
    void SetImageIndex(TImageIndex Value) { SetPaintProperty(FImageIndex, Value); }
    TImageIndex DownIndex() const { return FDownIndex; }
    void SetDownIndex(TImageIndex Value) { SetPaintProperty(FDownIndex, Value); }
    TImageIndex DisabledIndex() const { return FDisabledIndex; }
    void SetDisabledIndex(TImageIndex Value) { SetPaintProperty(FDisabledIndex, Value); }
    TImageIndex HotIndex() const { return FHotIndex; }
    void SetHotIndex(TImageIndex Value) { SetPaintProperty(FHotIndex, Value); }
    // Its own image list; without one it shows its toolbar's.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    TFcToolStyle ToolStyle() const { return FToolStyle; }
    void SetToolStyle(TFcToolStyle Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { SetPaintProperty(FTransparent, Value); }
    TFcVisualStyle VisualStyle() const { return FVisualStyle; }
    void SetVisualStyle(TFcVisualStyle Value);
    TFcGradientColorStyle GradientColorStyle() const { return FGradientColorStyle; }
    void SetGradientColorStyle(TFcGradientColorStyle Value) { SetPaintProperty(FGradientColorStyle, Value); }
    TColor SelectionColorStart() const { return FSelectionColorStart; }
    void SetSelectionColorStart(TColor Value) { SetPaintProperty(FSelectionColorStart, Value); }
    TColor SelectionColorStop() const { return FSelectionColorStop; }
    void SetSelectionColorStop(TColor Value) { SetPaintProperty(FSelectionColorStop, Value); }
    TColor SelectionFrameColor() const { return FSelectionFrameColor; }
    void SetSelectionFrameColor(TColor Value) { SetPaintProperty(FSelectionFrameColor, Value); }
    // Whether each of these follows the toolbar; setting the property on
    // the button switches its flag off.
    bool UseToolbarButtonLayout() const { return FUseToolbarButtonLayout; }
    void SetUseToolbarButtonLayout(bool Value);
    bool UseToolbarButtonSize() const { return FUseToolbarButtonSize; }
    void SetUseToolbarButtonSize(bool Value);
    bool UseToolbarShowCaption() const { return FUseToolbarShowCaption; }
    void SetUseToolbarShowCaption(bool Value);
    bool UseToolbarVisualStyle() const { return FUseToolbarVisualStyle; }
    void SetUseToolbarVisualStyle(bool Value);
    DECLARE_EVENT(TNotifyEvent, OnDropDown)

    TFcToolButtonState State() const { return FState; }
    bool MouseOver() const { return FMouseOver; }
    bool MenuShowing() const { return FMenuShowing; }
    bool ClickAllowed() const { return FClickAllowed; }
    // A drop-down button that also clicks (it has an OnClick or an action):
    // only its arrow part opens the menu.
    bool IsSplit() const;
    // The images shown: its own, else its toolbar's.
    TCustomImageList* GetImages() const;
    virtual TSize GetImageSize();
    // Where the image and the caption go.
    virtual void CalcLayout(TRect& GlyphRect, TRect& TextRect);
    // Opens the drop-down menu under the button and returns when it closed.
    virtual void DropDown();
    // Sends itself the four toolbar messages, so that it takes up what its
    // toolbar says.
    virtual void SyncWithToolbar();

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;
    void Click() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void DefineProperties(TFiler& Filer) override;

    // Stored rules of the published properties.
    bool IsSizeStored() const;
    bool IsDownStored() const;
    bool IsImageIndexStored() const;

protected:
    virtual void DrawButtonFace(TRect& R);
    virtual void DrawImage(const TRect& GlyphRect);
    virtual void DrawDropDownPart();
    virtual void DrawCaption(const TRect& TextRect);
    virtual void DoDropDown();

    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;
    void AssignTo(TPersistent* Dest) override;
    std::unique_ptr<TControlActionLink> CreateActionLink() override;
    TFcToolbar* Toolbar() const;

private:
    bool TrackingWanted() const;
    bool Pressed() const;
    bool InArrowPart(int X) const;
    void PressAsButton();
    void OpenOrSwallowMenu(TMouseButton Button, TShiftState Shift, int X, int Y);
    void UpdateTracking();
    void TellGroup();
    void ButtonPressed(TMessage& Message);
    void DialogChar(TMessage& Message);
    void ToolbarChanged(UINT Msg);
    void GetSelectionColors(TColor& Frame, TColor& Start, TColor& Stop) const;
    void DrawThemedFace(const TRect& R);
    void DrawArrowGlyph();
    void ReadOldColor(TReader& Reader, TColor& Target);
    void FitImage();
    TSize CaptionExtent(const String& Text, const TRect& Room);
    void UseFont(TCanvas* C);

    struct TCaptionExtent {
        bool Valid = false;
        String Text;
        int RoomWidth = 0;
        int RoomHeight = 0;
        TFont Font;
        TSize Extent;
    };

    bool FAllowAllUp = false;
    bool FDown = false;
    bool FTracking = false;
    bool FFlat = true;
    int FGroupIndex = 0;
    TImageIndex FImageIndex = -1;
    TImageIndex FDownIndex = -1;
    TImageIndex FDisabledIndex = -1;
    TImageIndex FHotIndex = -1;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    TButtonLayout FLayout = blGlyphLeft;
    bool FMouseOver = false;
    TPopupMenu* FDropDownMenu = nullptr;
    DWORD FLastDropDown = 0;
    bool FClickAllowed = true;
    TFcToolStyle FToolStyle = tsButton;
    bool FShowCaption = false;
    bool FTransparent = true;
    bool FMenuShowing = false;
    TAlignment FAlignment = taCenter;
    TFcVisualStyle FVisualStyle = vsWinXP;
    TFcGradientColorStyle FGradientColorStyle = gcsSystem;
    TColor FSelectionColorStart = clBtnFace;
    TColor FSelectionColorStop = clBtnShadow;
    TColor FSelectionFrameColor = cl3DDkShadow;
    bool FUseToolbarButtonLayout = true;
    bool FUseToolbarButtonSize = true;
    bool FUseToolbarShowCaption = true;
    bool FUseToolbarVisualStyle = true;
    TFcToolButtonState FState = bsUp;
    TCaptionExtent FCaptionExtent;
};

// The checked state and the image index follow the action while each
// agrees with it.
class TFcToolButtonActionLink : public TControlActionLink {
public:
    explicit TFcToolButtonActionLink(TFcToolButton* Client);

    bool IsCheckedLinked() override;
    bool IsImageIndexLinked() override;
    void SetChecked(bool Value) override;
    void SetImageIndex(int Value) override;

protected:
    TFcToolButton* FClient;
};
