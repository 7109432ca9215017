#pragma once
// Theme services: the visual-style facade that controls ask whether themes
// are on and through which they draw themed elements (buttons, check boxes,
// combo-box buttons, explorer-bar groups, toolbar buttons ...).
//
// Elements are drawn with the application's QStyle; the few the style has
// no equivalent for (the explorer bar, status panes, window captions ...)
// are painted here as a close likeness.  Themes are a process-wide switch,
// off by default, so the libraries' own classic painting is what users
// see; with the switch off every drawing call of the facade paints nothing
// and the queries give their fallbacks, exactly as the classic facade
// behaved on a desktop without visual styles.
//
// The per-element enumerations keep the classic declaration order: callers
// store and pass their values as numbers (an explorer-bar group is element
// 17, a group box's text colour comes from button element 27).
#include "platform/graphics/Gdi.h"
#include "platform/rtl/System.h"

#include <functional>
#include <memory>

enum TThemedElement {
    teButton, teClock, teComboBox, teEdit, teExplorerBar, teHeader, teListView, teMenu, tePage, teProgress,
    teRebar, teScrollBar, teSpin, teStartPanel, teStatus, teTab, teTaskBand, teTaskBar, teToolBar, teToolTip,
    teTrackBar, teTrayNotify, teTreeview, teWindow,
};

// Every enumeration starts with a "don't care" value and the root of the
// element (the element as a whole, used for backgrounds), then lists each
// part's states in the order of the part and state numbers.

enum TThemedButton {
    tbButtonDontCare, tbButtonRoot,
    tbPushButtonNormal, tbPushButtonHot, tbPushButtonPressed, tbPushButtonDisabled, tbPushButtonDefaulted,
    tbRadioButtonUncheckedNormal, tbRadioButtonUncheckedHot, tbRadioButtonUncheckedPressed,
    tbRadioButtonUncheckedDisabled, tbRadioButtonCheckedNormal, tbRadioButtonCheckedHot,
    tbRadioButtonCheckedPressed, tbRadioButtonCheckedDisabled,
    tbCheckBoxUncheckedNormal, tbCheckBoxUncheckedHot, tbCheckBoxUncheckedPressed, tbCheckBoxUncheckedDisabled,
    tbCheckBoxCheckedNormal, tbCheckBoxCheckedHot, tbCheckBoxCheckedPressed, tbCheckBoxCheckedDisabled,
    tbCheckBoxMixedNormal, tbCheckBoxMixedHot, tbCheckBoxMixedPressed, tbCheckBoxMixedDisabled,
    tbGroupBoxNormal /* 27 */, tbGroupBoxDisabled,
    tbUserButton,
};

enum TThemedClock { tcClockDontCare, tcClockRoot, tcTimeNormal };

enum TThemedComboBox {
    tcComboBoxDontCare, tcComboBoxRoot,
    tcDropDownButtonNormal, tcDropDownButtonHot, tcDropDownButtonPressed, tcDropDownButtonDisabled,
};

enum TThemedEdit {
    teEditDontCare, teEditRoot /* 1 */,
    teEditTextNormal, teEditTextHot, teEditTextSelected, teEditTextDisabled, teEditTextFocused,
    teEditTextReadOnly, teEditTextAssist,
    teEditCaret,
    // The background and border parts came later; they follow the caret so
    // that the older values keep their numbers.
    teBackgroundNormal, teBackgroundHot, teBackgroundDisabled, teBackgroundFocused, teBackgroundReadOnly,
    teBackgroundAssist,
    tePassword,
    teBackgroundWithBorderNormal, teBackgroundWithBorderHot, teBackgroundWithBorderDisabled,
    teBackgroundWithBorderFocused,
    teEditBorderNoScrollNormal, teEditBorderNoScrollHot, teEditBorderNoScrollFocused, teEditBorderNoScrollDisabled,
    teEditBorderHScrollNormal, teEditBorderHScrollHot, teEditBorderHScrollFocused, teEditBorderHScrollDisabled,
    teEditBorderVScrollNormal, teEditBorderVScrollHot, teEditBorderVScrollFocused, teEditBorderVScrollDisabled,
    teEditBorderHVScrollNormal, teEditBorderHVScrollHot, teEditBorderHVScrollFocused,
    teEditBorderHVScrollDisabled,
};

enum TThemedExplorerBar {
    tebExplorerBarDontCare, tebExplorerBarRoot /* 1 */,
    tebHeaderBackgroundNormal, tebHeaderBackgroundHot, tebHeaderBackgroundPressed,
    tebHeaderCloseNormal, tebHeaderCloseHot, tebHeaderClosePressed,
    tebHeaderPinNormal, tebHeaderPinHot, tebHeaderPinPressed,
    tebHeaderPinSelectedNormal, tebHeaderPinSelectedHot, tebHeaderPinSelectedPressed,
    tebIEBarMenuNormal, tebIEBarMenuHot, tebIEBarMenuPressed,
    tebNormalGroupBackground /* 17 */,
    tebNormalGroupCollapseNormal, tebNormalGroupCollapseHot, tebNormalGroupCollapsePressed,
    tebNormalGroupExpandNormal, tebNormalGroupExpandHot, tebNormalGroupExpandPressed,
    tebNormalGroupHead /* 24 */,
    tebSpecialGroupBackground /* 25 */,
    tebSpecialGroupCollapseSpecial, tebSpecialGroupCollapseHot, tebSpecialGroupCollapsePressed,
    tebSpecialGroupExpandSpecial, tebSpecialGroupExpandHot, tebSpecialGroupExpandPressed,
    tebSpecialGroupHead /* 32 */,
};

enum TThemedHeader {
    thHeaderDontCare, thHeaderRoot,
    thHeaderItemNormal, thHeaderItemHot, thHeaderItemPressed,
    thHeaderItemLeftNormal, thHeaderItemLeftHot, thHeaderItemLeftPressed,
    thHeaderItemRightNormal, thHeaderItemRightHot, thHeaderItemRightPressed,
    thHeaderSortArrowSortedUp, thHeaderSortArrowSortedDown,
};

enum TThemedListview {
    tlListviewDontCare, tlListviewRoot,
    tlListItemNormal, tlListItemHot, tlListItemSelected, tlListItemDisabled, tlListItemSelectedNotFocus,
    tlListGroup, tlListDetail, tlListSortDetail, tlEmptyText,
};

enum TThemedMenu {
    tmMenuDontCare, tmMenuRoot,
    tmMenuItemNormal, tmMenuItemSelected, tmMenuItemDemoted,
    tmMenuDropDown, tmMenuBarItem, tmMenuBarDropDown, tmChevron, tmSeparator,
};

enum TThemedPage {
    tpPageDontCare, tpPageRoot,
    tpUpNormal, tpUpHot, tpUpPressed, tpUpDisabled,
    tpDownNormal, tpDownHot, tpDownPressed, tpDownDisabled,
    tpUpHorzNormal, tpUpHorzHot, tpUpHorzPressed, tpUpHorzDisabled,
    tpDownHorzNormal, tpDownHorzHot, tpDownHorzPressed, tpDownHorzDisabled,
};

enum TThemedProgress { tpProgressDontCare, tpProgressRoot, tpBar, tpBarVert, tpChunk, tpChunkVert };

enum TThemedRebar {
    trRebarDontCare, trRebarRoot,
    trGripper, trGripperVert,
    trBandNormal, trBandHot, trBandPressed, trBandDisabled, trBandChecked, trBandHotChecked,
    trChevronNormal, trChevronHot, trChevronPressed, trChevronDisabled,
    trChevronVertNormal, trChevronVertHot, trChevronVertPressed, trChevronVertDisabled,
};

enum TThemedScrollBar {
    tsScrollBarDontCare, tsScrollBarRoot,
    tsArrowBtnUpNormal, tsArrowBtnUpHot, tsArrowBtnUpPressed, tsArrowBtnUpDisabled,
    tsArrowBtnDownNormal, tsArrowBtnDownHot, tsArrowBtnDownPressed, tsArrowBtnDownDisabled,
    tsArrowBtnLeftNormal, tsArrowBtnLeftHot, tsArrowBtnLeftPressed, tsArrowBtnLeftDisabled,
    tsArrowBtnRightNormal, tsArrowBtnRightHot, tsArrowBtnRightPressed, tsArrowBtnRightDisabled,
    tsThumbBtnHorzNormal, tsThumbBtnHorzHot, tsThumbBtnHorzPressed, tsThumbBtnHorzDisabled,
    tsThumbBtnVertNormal, tsThumbBtnVertHot, tsThumbBtnVertPressed, tsThumbBtnVertDisabled,
    tsLowerTrackHorzNormal, tsLowerTrackHorzHot, tsLowerTrackHorzPressed, tsLowerTrackHorzDisabled,
    tsUpperTrackHorzNormal, tsUpperTrackHorzHot, tsUpperTrackHorzPressed, tsUpperTrackHorzDisabled,
    tsLowerTrackVertNormal, tsLowerTrackVertHot, tsLowerTrackVertPressed, tsLowerTrackVertDisabled,
    tsUpperTrackVertNormal, tsUpperTrackVertHot, tsUpperTrackVertPressed, tsUpperTrackVertDisabled,
    tsGripperHorzNormal, tsGripperHorzHot, tsGripperHorzPressed, tsGripperHorzDisabled,
    tsGripperVertNormal, tsGripperVertHot, tsGripperVertPressed, tsGripperVertDisabled,
    tsSizeBoxRightAlign, tsSizeBoxLeftAlign,
};

// "Up horizontal" points right and "down horizontal" points left.
enum TThemedSpin {
    tsSpinDontCare, tsSpinRoot,
    tsUpNormal, tsUpHot, tsUpPressed, tsUpDisabled,
    tsDownNormal, tsDownHot, tsDownPressed, tsDownDisabled,
    tsUpHorzNormal, tsUpHorzHot, tsUpHorzPressed, tsUpHorzDisabled,
    tsDownHorzNormal, tsDownHorzHot, tsDownHorzPressed, tsDownHorzDisabled,
};

enum TThemedStartPanel {
    tspStartPanelDontCare, tspStartPanelRoot,
    tspUserPane, tspMorePrograms,
    tspMoreProgramsArrowNormal, tspMoreProgramsArrowHot, tspMoreProgramsArrowPressed,
    tspProgList, tspProgListSeparator, tspPlacesList, tspPlacesListSeparator, tspLogOff,
    tspLogOffButtonsNormal, tspLogOffButtonsHot, tspLogOffButtonsPressed,
    tspUserPicture, tspPreview,
};

// The root is the status bar's background.
enum TThemedStatus { tsStatusDontCare, tsStatusRoot, tsPane, tsGripperPane, tsGripper };

enum TThemedTab {
    ttTabDontCare, ttTabRoot,
    ttTabItemNormal, ttTabItemHot, ttTabItemSelected, ttTabItemDisabled, ttTabItemFocused,
    ttTabItemLeftEdgeNormal, ttTabItemLeftEdgeHot, ttTabItemLeftEdgeSelected, ttTabItemLeftEdgeDisabled,
    ttTabItemLeftEdgeFocused,
    ttTabItemRightEdgeNormal, ttTabItemRightEdgeHot, ttTabItemRightEdgeSelected, ttTabItemRightEdgeDisabled,
    ttTabItemRightEdgeFocused,
    ttTabItemBothEdgeNormal, ttTabItemBothEdgeHot, ttTabItemBothEdgeSelected, ttTabItemBothEdgeDisabled,
    ttTabItemBothEdgeFocused,
    ttTopTabItemNormal, ttTopTabItemHot, ttTopTabItemSelected, ttTopTabItemDisabled, ttTopTabItemFocused,
    ttTopTabItemLeftEdgeNormal, ttTopTabItemLeftEdgeHot, ttTopTabItemLeftEdgeSelected,
    ttTopTabItemLeftEdgeDisabled, ttTopTabItemLeftEdgeFocused,
    ttTopTabItemRightEdgeNormal, ttTopTabItemRightEdgeHot, ttTopTabItemRightEdgeSelected,
    ttTopTabItemRightEdgeDisabled, ttTopTabItemRightEdgeFocused,
    ttTopTabItemBothEdgeNormal, ttTopTabItemBothEdgeHot, ttTopTabItemBothEdgeSelected,
    ttTopTabItemBothEdgeDisabled, ttTopTabItemBothEdgeFocused,
    ttPane, ttBody,
};

enum TThemedTaskBand {
    ttbTaskBandDontCare, ttbTaskBandRoot, ttbGroupCount, ttbFlashButton, ttbFlashButtonGroupMenu,
};

enum TThemedTaskBar {
    ttTaskBarDontCare, ttTaskBarRoot,
    ttbBackgroundBottom, ttbBackgroundRight, ttbBackgroundTop, ttbBackgroundLeft,
    ttbSizingBarBottom, ttbSizingBarRight, ttbSizingBarTop, ttbSizingBarLeft,
};

// The root is the toolbar's (rebar's) background.  ttbSeparator* is the
// upright line between the buttons of a horizontal toolbar,
// ttbSeparatorVert* the level line between those of a vertical one.
enum TThemedToolBar {
    ttbToolBarDontCare, ttbToolBarRoot,
    ttbButtonNormal, ttbButtonHot, ttbButtonPressed, ttbButtonDisabled, ttbButtonChecked, ttbButtonCheckedHot,
    ttbDropDownButtonNormal, ttbDropDownButtonHot, ttbDropDownButtonPressed, ttbDropDownButtonDisabled,
    ttbDropDownButtonChecked, ttbDropDownButtonCheckedHot,
    ttbSplitButtonNormal, ttbSplitButtonHot, ttbSplitButtonPressed, ttbSplitButtonDisabled,
    ttbSplitButtonChecked, ttbSplitButtonCheckedHot,
    ttbSplitButtonDropDownNormal, ttbSplitButtonDropDownHot, ttbSplitButtonDropDownPressed,
    ttbSplitButtonDropDownDisabled, ttbSplitButtonDropDownChecked, ttbSplitButtonDropDownCheckedHot,
    ttbSeparatorNormal, ttbSeparatorHot, ttbSeparatorPressed, ttbSeparatorDisabled, ttbSeparatorChecked,
    ttbSeparatorCheckedHot,
    ttbSeparatorVertNormal, ttbSeparatorVertHot, ttbSeparatorVertPressed, ttbSeparatorVertDisabled,
    ttbSeparatorVertChecked, ttbSeparatorVertCheckedHot,
};

enum TThemedToolTip {
    tttToolTipDontCare, tttToolTipRoot,
    tttStandardNormal, tttStandardLink, tttStandardTitleNormal, tttStandardTitleLink,
    tttBaloonNormal, tttBaloonLink, tttBaloonTitleNormal, tttBaloonTitleLink,
    tttCloseNormal, tttCloseHot, tttClosePressed,
};

enum TThemedTrackBar {
    ttbTrackBarDontCare, ttbTrackBarRoot,
    ttbTrack, ttbTrackVert,
    ttbThumbNormal, ttbThumbHot, ttbThumbPressed, ttbThumbFocused, ttbThumbDisabled,
    ttbThumbBottomNormal, ttbThumbBottomHot, ttbThumbBottomPressed, ttbThumbBottomFocused,
    ttbThumbBottomDisabled,
    ttbThumbTopNormal, ttbThumbTopHot, ttbThumbTopPressed, ttbThumbTopFocused, ttbThumbTopDisabled,
    ttbThumbVertNormal, ttbThumbVertHot, ttbThumbVertPressed, ttbThumbVertFocused, ttbThumbVertDisabled,
    ttbThumbLeftNormal, ttbThumbLeftHot, ttbThumbLeftPressed, ttbThumbLeftFocused, ttbThumbLeftDisabled,
    ttbThumbRightNormal, ttbThumbRightHot, ttbThumbRightPressed, ttbThumbRightFocused, ttbThumbRightDisabled,
    ttbThumbTics, ttbThumbTicsVert,
};

enum TThemedTrayNotify { ttnTrayNotifyDontCare, ttnTrayNotifyRoot, ttnBackground, ttnAnimBackground };

enum TThemedTreeview {
    ttTreeviewDontCare, ttTreeviewRoot,
    ttItemNormal, ttItemHot, ttItemSelected, ttItemDisabled, ttItemSelectedNotFocus,
    ttGlyphClosed, ttGlyphOpened,
    ttBranch,
};

enum TThemedWindow {
    twWindowDontCare, twWindowRoot,
    twCaptionActive, twCaptionInactive, twCaptionDisabled,
    twSmallCaptionActive, twSmallCaptionInactive, twSmallCaptionDisabled,
    twMinCaptionActive, twMinCaptionInactive, twMinCaptionDisabled,
    twSmallMinCaptionActive, twSmallMinCaptionInactive, twSmallMinCaptionDisabled,
    twMaxCaptionActive, twMaxCaptionInactive, twMaxCaptionDisabled,
    twSmallMaxCaptionActive, twSmallMaxCaptionInactive, twSmallMaxCaptionDisabled,
    twFrameLeftActive, twFrameLeftInactive, twFrameRightActive, twFrameRightInactive,
    twFrameBottomActive, twFrameBottomInactive,
    twSmallFrameLeftActive, twSmallFrameLeftInactive, twSmallFrameRightActive, twSmallFrameRightInactive,
    twSmallFrameBottomActive, twSmallFrameBottomInactive,
    twSysButtonNormal, twSysButtonHot, twSysButtonPushed, twSysButtonDisabled,
    twMDISysButtonNormal, twMDISysButtonHot, twMDISysButtonPushed, twMDISysButtonDisabled,
    twMinButtonNormal, twMinButtonHot, twMinButtonPushed, twMinButtonDisabled,
    twMDIMinButtonNormal, twMDIMinButtonHot, twMDIMinButtonPushed, twMDIMinButtonDisabled,
    twMaxButtonNormal, twMaxButtonHot, twMaxButtonPushed, twMaxButtonDisabled,
    twCloseButtonNormal, twCloseButtonHot, twCloseButtonPushed, twCloseButtonDisabled,
    twSmallCloseButtonNormal, twSmallCloseButtonHot, twSmallCloseButtonPushed, twSmallCloseButtonDisabled,
    twMDICloseButtonNormal, twMDICloseButtonHot, twMDICloseButtonPushed, twMDICloseButtonDisabled,
    twRestoreButtonNormal, twRestoreButtonHot, twRestoreButtonPushed, twRestoreButtonDisabled,
    twMDIRestoreButtonNormal, twMDIRestoreButtonHot, twMDIRestoreButtonPushed, twMDIRestoreButtonDisabled,
    twHelpButtonNormal, twHelpButtonHot, twHelpButtonPushed, twHelpButtonDisabled,
    twMDIHelpButtonNormal, twMDIHelpButtonHot, twMDIHelpButtonPushed, twMDIHelpButtonDisabled,
    twHorzScrollNormal, twHorzScrollHot, twHorzScrollPushed, twHorzScrollDisabled,
    twHorzThumbNormal, twHorzThumbHot, twHorzThumbPushed, twHorzThumbDisabled,
    twVertScrollNormal, twVertScrollHot, twVertScrollPushed, twVertScrollDisabled,
    twVertThumbNormal, twVertThumbHot, twVertThumbPushed, twVertThumbDisabled,
    twDialog,
    twCaptionSizingTemplate, twSmallCaptionSizingTemplate,
    twFrameLeftSizingTemplate, twSmallFrameLeftSizingTemplate,
    twFrameRightSizingTemplate, twSmallFrameRightSizingTemplate,
    twFrameBottomSizingTemplate, twSmallFrameBottomSizingTemplate,
};

// An element, the part of it and the part's state, numbered as the classic
// visual-style tables number them (parts and states from 1; part 0 is the
// element as a whole).
struct TThemedElementDetails {
    TThemedElement Element = teButton;
    int Part = 0;
    int State = 0;
    bool operator==(const TThemedElementDetails&) const = default;
};

// Colour properties for GetThemeColor.
enum : int {
    TMT_BORDERCOLOR = 3801, TMT_FILLCOLOR = 3802, TMT_TEXTCOLOR = 3803, TMT_EDGELIGHTCOLOR = 3804,
    TMT_EDGEHIGHLIGHTCOLOR = 3805, TMT_EDGESHADOWCOLOR = 3806, TMT_EDGEDKSHADOWCOLOR = 3807,
    TMT_EDGEFILLCOLOR = 3808, TMT_GRADIENTCOLOR1 = 3810, TMT_GRADIENTCOLOR2 = 3811,
};
// Flags2 of DrawText: the text is drawn grayed.
enum : unsigned { DTT_GRAYED = 0x1 };

// What the facade needs from the window layer, installed by it.
struct TThemeHooks {
    // Paints what Wnd's parent shows behind Wnd into DC (whose logical
    // coordinates are Wnd's client coordinates): the parent's erase and
    // paint passes, limited to Bounds when given (logical coordinates of
    // DC) and to Wnd's client area otherwise.  True when it painted.
    std::function<bool(HWND Wnd, HDC DC, const TRect* Bounds)> DrawParentBackground;
    // Runs on every theme change, before OnThemeChange: the window layer
    // tells its windows (WM_THEMECHANGED) and repaints them.
    std::function<void()> ThemeChanged;
};
TThemeHooks& ThemeHooks();

// The colours the facade derives from the application's palette.
struct TThemeScheme;

class TThemeServices : public TObject {
public:
    TThemeServices();
    ~TThemeServices() override;

    // A QApplication exists whose style can draw.
    bool ThemesAvailable() const;
    // The switch is on and themes are available.
    bool ThemesEnabled() const;
    // Switches themes for the whole process (settings, tests); a change
    // runs ApplyThemeChange.
    void SetThemesEnabled(bool Value);

    static TThemedElementDetails GetElementDetails(TThemedButton Detail);
    static TThemedElementDetails GetElementDetails(TThemedClock Detail);
    static TThemedElementDetails GetElementDetails(TThemedComboBox Detail);
    static TThemedElementDetails GetElementDetails(TThemedEdit Detail);
    static TThemedElementDetails GetElementDetails(TThemedExplorerBar Detail);
    static TThemedElementDetails GetElementDetails(TThemedHeader Detail);
    static TThemedElementDetails GetElementDetails(TThemedListview Detail);
    static TThemedElementDetails GetElementDetails(TThemedMenu Detail);
    static TThemedElementDetails GetElementDetails(TThemedPage Detail);
    static TThemedElementDetails GetElementDetails(TThemedProgress Detail);
    static TThemedElementDetails GetElementDetails(TThemedRebar Detail);
    static TThemedElementDetails GetElementDetails(TThemedScrollBar Detail);
    static TThemedElementDetails GetElementDetails(TThemedSpin Detail);
    static TThemedElementDetails GetElementDetails(TThemedStartPanel Detail);
    static TThemedElementDetails GetElementDetails(TThemedStatus Detail);
    static TThemedElementDetails GetElementDetails(TThemedTab Detail);
    static TThemedElementDetails GetElementDetails(TThemedTaskBand Detail);
    static TThemedElementDetails GetElementDetails(TThemedTaskBar Detail);
    static TThemedElementDetails GetElementDetails(TThemedToolBar Detail);
    static TThemedElementDetails GetElementDetails(TThemedToolTip Detail);
    static TThemedElementDetails GetElementDetails(TThemedTrackBar Detail);
    static TThemedElementDetails GetElementDetails(TThemedTrayNotify Detail);
    static TThemedElementDetails GetElementDetails(TThemedTreeview Detail);
    static TThemedElementDetails GetElementDetails(TThemedWindow Detail);

    // Paints the element over R (logical coordinates of DC), never outside
    // R, ClipRect (when given) or the DC's clip region.  Parts the element
    // leaves transparent keep what was there.
    void DrawElement(HDC DC, const TThemedElementDetails& Details, const TRect& R,
                     const TRect* ClipRect = nullptr) const;
    // Draws S with DC's font in the element's text colour (DC's text colour
    // when the element has none; grayed with DTT_GRAYED in Flags2) on a
    // transparent background; Flags are the DrawText flags.
    void DrawText(HDC DC, const TThemedElementDetails& Details, const String& S, TRect R, unsigned Flags,
                  unsigned Flags2) const;
    // The rectangle S takes when drawn by DrawText with Flags (measured as
    // DT_CALCRECT does, starting from BoundingRect or from (0, 0)).
    bool GetTextExtent(HDC DC, const TThemedElementDetails& Details, const String& S, unsigned Flags,
                       const TRect* BoundingRect, TRect& ExtentRect) const;
    // The part of BoundingRect inside the element's border, where content goes.
    TRect ContentRect(HDC DC, const TThemedElementDetails& Details, TRect BoundingRect) const;
    // The element's natural size (check boxes, explorer-bar buttons ...);
    // (0, 0) for elements that stretch to any size.
    TSize GetPartSize(HDC DC, const TThemedElementDetails& Details) const;
    // Whether DrawElement leaves parts of its rectangle untouched, so that
    // the parent's background should be painted first.
    bool HasTransparentParts(const TThemedElementDetails& Details) const;
    // A colour property of the element (TMT_BORDERCOLOR ...), as an RGB
    // colour; white when the element has no such colour or themes are off.
    TColor GetThemeColor(const TThemedElementDetails& Details, int PropId) const;
    // Paints the parent's background behind Wnd through the window layer's
    // hook; with OnlyIfTransparent and Details, only when the element has
    // transparent parts.  True when something was painted.
    bool DrawParentBackground(HWND Wnd, HDC DC, const TThemedElementDetails* Details, bool OnlyIfTransparent,
                              const TRect* Bounds = nullptr) const;

    // UpdateThemes reads the application's palette again (call it after
    // changing the style or palette); ApplyThemeChange does that and then
    // tells OnThemeChange.
    void ApplyThemeChange();
    void UpdateThemes();
    TNotifyEvent OnThemeChange() const { return FOnThemeChange; }
    void SetOnThemeChange(const TNotifyEvent& Value) { FOnThemeChange = Value; }

private:
    const TThemeScheme& Scheme() const;

    bool FThemesEnabled = false;
    TEventSlot<TNotifyEvent> FOnThemeChange;
    mutable std::unique_ptr<TThemeScheme> FScheme;
};

// The one theme-services object of the process.
TThemeServices& ThemeServices();
