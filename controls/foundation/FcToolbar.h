#pragma once
// TFcToolbar (unit FcPanel): a framed panel that lays its controls out
// itself, in rows (horizontal) or columns (vertical) of a fixed height,
// wrapping when a control does not fit, and sizes itself to them.  Its
// control list gives the order and is kept in the form definition
// ("ToolbarControls").  It carries what its tool buttons take over -
// caption visibility, glyph layout, button size, visual style - and four
// presets of them (TextOptions).  Without wrapping, what does not fit is
// reached through an overflow button at its end.
#include "controls/foundation/FcCustomizeCaptions.h"
#include "controls/foundation/FcPanel.h"
#include "controls/foundation/FcRegIniFile.h"
#include "controls/foundation/FcToolbarControls.h"
#include "platform/actions/ImgList.h"
#include "platform/graphics/Bitmap.h"
#include "platform/stdctrls/ButtonGlyph.h"

#include <memory>

enum TFcToolbarTextOptions { ttoNoTextLabels, ttoShowTextLabels, ttoSelectiveTextOnRight, ttoCustom };

class TFcToolbarPopupButton;

class TFcToolbar : public TFcCustomPanel {
public:
    explicit TFcToolbar(TComponent* AOwner);
    ~TFcToolbar() override;
    void BeforeDestruction() override;

    // Fit the height (horizontal) or width (vertical) to the rows; never
    // inside a page scroller or a platform toolbar.
    bool AutoResize() const { return FAutoResize; }
    void SetAutoResize(bool Value);
    // The border follows Align.
    bool AutoStyle() const { return FAutoStyle; }
    void SetAutoStyle(bool Value);
    // Tiled over the client area.
    TBitmap* Background() const { return FBackground.get(); }
    void SetBackground(TBitmap* Value);
    // The tool buttons' images when they have none of their own.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // Before the first control of a row and at its end.
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    // Above the first row.
    int TopMargin() const { return FTopMargin; }
    void SetTopMargin(int Value);
    TOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TOrientation Value);
    int RowHeight() const { return FRowHeight; }
    void SetRowHeight(int Value);
    bool ShowButtonCaptions() const { return FShowButtonCaptions; }
    void SetShowButtonCaptions(bool Value);
    TButtonLayout ButtonLayout() const { return FButtonLayout; }
    void SetButtonLayout(TButtonLayout Value);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int Value);
    // The groove along the aligned side.
    bool ShowDivider() const { return FShowDivider; }
    void SetShowDivider(bool Value);
    // A preset of layout, button size, captions and row height; ttoCustom
    // once one of them was set on its own.
    TFcToolbarTextOptions TextOptions() const { return FTextOptions; }
    void SetTextOptions(TFcToolbarTextOptions Value);
    bool WrapControls() const { return FWrapControls; }
    void SetWrapControls(bool Value);
    TFcCustomizeCaptions* CustomizeCaptions() const { return FCustomizeCaptions.get(); }
    void SetCustomizeCaptions(TFcCustomizeCaptions* Value);
    TFcRegIniFile* RegIniFile() const { return FRegIniFile; }
    void SetRegIniFile(TFcRegIniFile* Value);
    DECLARE_EVENT(TNotifyEvent, OnVisibleChanged)

    // The border follows the alignment while AutoStyle; the size starts
    // at 32 across.
    TAlign GetAlign() const { return Align(); }
    void SetAlign(TAlign Value);
    void SetParent(TWinControl* AParent) override;
    void SetBorderInner(TFrameStyleEx Value) override;
    void SetBorderOuter(TFrameStyleEx Value) override;
    void SetBorderSides(TSides Value) override;
    void SetGradientColorStyle(TFcGradientColorStyle Value) override;
    void SetVisualStyle(TFcVisualStyle Value) override;

    TFcToolbarControlList* ControlList() const { return FControlList.get(); }
    // The overflow button (nullptr until first needed) and whether it shows.
    TFcToolbarPopupButton* PopupButton() const { return FPopupButton; }
    bool Overflowing() const { return FOverflow; }
    // The height of each row (column); RowHeight for all.
    virtual int GetRowHeight(int Row);
    // Places every listed control in list order and fits the toolbar.
    virtual void PositionControls();
    virtual void AdjustBorderToAlign(TAlign Value);
    TPoint GetRepaintMargin() override;
    // A toolbar shows no caption.
    void DrawCaption(const TRect&) override {}
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void DefineProperties(TFiler& Filer) override;
    // The last listed control that is there to lay out: on the toolbar
    // and visible (a name not yet resolved has none).
    TControl* LastLaidOutControl() const;

protected:
    virtual void PositionControl(int Index, int Row, int& Pos);
    virtual std::unique_ptr<TFcToolbarControlList> CreateControlList();
    virtual void CheckAutoResize(bool& Value);
    void SetButtonSize(int AWidth, int AHeight, bool ShowCaptions);

    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    void ListControl(TControl* Control);
    void NotifyButtons(UINT Msg);
    void MadeCustom();
    void UpdateOverflow();
    void PlacePopupButton();
    void ResolveNames();
    void FitSize(int Extent, int Rows);
    void NotifyParentOfSize();
    void ReadControls(TReader& Reader);
    void WriteControls(TWriter& Writer);
    bool HasNamedControls() const;

    bool FAutoResize = true;
    bool FAutoStyle = true;
    std::unique_ptr<TBitmap> FBackground;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    TOrientation FOrientation = orHorizontal;
    int FRowHeight = 25;
    bool FShowDivider = true;
    bool FShowButtonCaptions = false;
    TButtonLayout FButtonLayout = blGlyphLeft;
    int FButtonWidth = 25;
    int FButtonHeight = 25;
    TFcToolbarTextOptions FTextOptions = ttoNoTextLabels;
    bool FApplyingTextOptions = false;
    bool FWrapControls = true;
    TFcToolbarPopupButton* FPopupButton = nullptr;
    bool FOverflow = false;
    std::unique_ptr<TFcCustomizeCaptions> FCustomizeCaptions;
    TFcRegIniFile* FRegIniFile = nullptr;
    std::unique_ptr<TFcToolbarControlList> FControlList;
    int FMargin = 4;
    int FTopMargin = 2;
    int FCurrentRowHeight = 25;
    bool FPositioning = false;
};
