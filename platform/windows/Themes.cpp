// Theme services.  Every element is first rendered on a transparent
// scratch image the size of its visible part: QStyle primitives through a
// QPainter, the likenesses through a device context of our own on the same
// image, with the classic drawing calls.  The scratch image is then laid
// over the target device context pixel by pixel, only where the context's
// clip region allows, so themed painting obeys exactly the same clipping
// and origins as classic painting, and transparent parts keep what is
// underneath.
#include "platform/windows/Themes.h"

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/GuiApplication.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <vector>
#include <optional>

namespace {

// --- part numbers of the classic visual-style tables ------------------------

enum : int { BP_PUSHBUTTON = 1, BP_RADIOBUTTON, BP_CHECKBOX, BP_GROUPBOX, BP_USERBUTTON };
enum : int { CLP_TIME = 1 };
enum : int { CP_DROPDOWNBUTTON = 1 };
enum : int {
    EP_EDITTEXT = 1, EP_CARET, EP_BACKGROUND, EP_PASSWORD, EP_BACKGROUNDWITHBORDER, EP_EDITBORDER_NOSCROLL,
    EP_EDITBORDER_HSCROLL, EP_EDITBORDER_VSCROLL, EP_EDITBORDER_HVSCROLL,
};
enum : int {
    EBP_HEADERBACKGROUND = 1, EBP_HEADERCLOSE, EBP_HEADERPIN, EBP_IEBARMENU, EBP_NORMALGROUPBACKGROUND,
    EBP_NORMALGROUPCOLLAPSE, EBP_NORMALGROUPEXPAND, EBP_NORMALGROUPHEAD, EBP_SPECIALGROUPBACKGROUND,
    EBP_SPECIALGROUPCOLLAPSE, EBP_SPECIALGROUPEXPAND, EBP_SPECIALGROUPHEAD,
};
enum : int { HP_HEADERITEM = 1, HP_HEADERITEMLEFT, HP_HEADERITEMRIGHT, HP_HEADERSORTARROW };
enum : int { LVP_LISTITEM = 1, LVP_LISTGROUP, LVP_LISTDETAIL, LVP_LISTSORTEDDETAIL, LVP_EMPTYTEXT };
enum : int { MP_MENUITEM = 1, MP_MENUDROPDOWN, MP_MENUBARITEM, MP_MENUBARDROPDOWN, MP_CHEVRON, MP_SEPARATOR };
enum : int { PGRP_UP = 1, PGRP_DOWN, PGRP_UPHORZ, PGRP_DOWNHORZ };
enum : int { PP_BAR = 1, PP_BARVERT, PP_CHUNK, PP_CHUNKVERT };
enum : int { RP_GRIPPER = 1, RP_GRIPPERVERT, RP_BAND, RP_CHEVRON, RP_CHEVRONVERT };
enum : int {
    SBP_ARROWBTN = 1, SBP_THUMBBTNHORZ, SBP_THUMBBTNVERT, SBP_LOWERTRACKHORZ, SBP_UPPERTRACKHORZ,
    SBP_LOWERTRACKVERT, SBP_UPPERTRACKVERT, SBP_GRIPPERHORZ, SBP_GRIPPERVERT, SBP_SIZEBOX,
};
enum : int { SPNP_UP = 1, SPNP_DOWN, SPNP_UPHORZ, SPNP_DOWNHORZ };
enum : int {
    SPP_USERPANE = 1, SPP_MOREPROGRAMS, SPP_MOREPROGRAMSARROW, SPP_PROGLIST, SPP_PROGLISTSEPARATOR,
    SPP_PLACESLIST, SPP_PLACESLISTSEPARATOR, SPP_LOGOFF, SPP_LOGOFFBUTTONS, SPP_USERPICTURE, SPP_PREVIEW,
};
enum : int { SP_PANE = 1, SP_GRIPPERPANE, SP_GRIPPER };
enum : int {
    TABP_TABITEM = 1, TABP_TABITEMLEFTEDGE, TABP_TABITEMRIGHTEDGE, TABP_TABITEMBOTHEDGE, TABP_TOPTABITEM,
    TABP_TOPTABITEMLEFTEDGE, TABP_TOPTABITEMRIGHTEDGE, TABP_TOPTABITEMBOTHEDGE, TABP_PANE, TABP_BODY,
};
enum : int { TDP_GROUPCOUNT = 1, TDP_FLASHBUTTON, TDP_FLASHBUTTONGROUPMENU };
enum : int { TBP_BACKGROUNDBOTTOM = 1, TBP_SIZINGBARLEFT = 8 };
enum : int { TP_BUTTON = 1, TP_DROPDOWNBUTTON, TP_SPLITBUTTON, TP_SPLITBUTTONDROPDOWN, TP_SEPARATOR, TP_SEPARATORVERT };
enum : int { TTP_STANDARD = 1, TTP_STANDARDTITLE, TTP_BALLOON, TTP_BALLOONTITLE, TTP_CLOSE };
enum : int {
    TKP_TRACK = 1, TKP_TRACKVERT, TKP_THUMB, TKP_THUMBBOTTOM, TKP_THUMBTOP, TKP_THUMBVERT, TKP_THUMBLEFT,
    TKP_THUMBRIGHT, TKP_TICS, TKP_TICSVERT,
};
enum : int { TNP_BACKGROUND = 1, TNP_ANIMBACKGROUND };
enum : int { TVP_TREEITEM = 1, TVP_GLYPH, TVP_BRANCH };
enum : int {
    WP_CAPTION = 1, WP_SMALLCAPTION, WP_MINCAPTION, WP_SMALLMINCAPTION, WP_MAXCAPTION, WP_SMALLMAXCAPTION,
    WP_FRAMELEFT, WP_FRAMERIGHT, WP_FRAMEBOTTOM, WP_SMALLFRAMELEFT, WP_SMALLFRAMERIGHT, WP_SMALLFRAMEBOTTOM,
    WP_SYSBUTTON, WP_MDISYSBUTTON, WP_MINBUTTON, WP_MDIMINBUTTON, WP_MAXBUTTON, WP_CLOSEBUTTON,
    WP_SMALLCLOSEBUTTON, WP_MDICLOSEBUTTON, WP_RESTOREBUTTON, WP_MDIRESTOREBUTTON, WP_HELPBUTTON,
    WP_MDIHELPBUTTON, WP_HORZSCROLL, WP_HORZTHUMB, WP_VERTSCROLL, WP_VERTTHUMB, WP_DIALOG,
};

// The numbers callers pass instead of names.
static_assert(teEditRoot == 1 && tbGroupBoxNormal == 27 && tbUserButton == 29);
static_assert(tebExplorerBarRoot == 1 && tebNormalGroupBackground == 17 && tebNormalGroupHead == 24 &&
              tebSpecialGroupBackground == 25 && tebSpecialGroupHead == 32);

// --- element details ----------------------------------------------------------

// The run of enumeration values First..Last that are the states of Part.
struct TPartSpan {
    int First;
    int Last;
    int Part;
};

TThemedElementDetails MapDetail(TThemedElement Element, int Ordinal, const std::vector<TPartSpan>& Spans)
{
    for (const TPartSpan& Span : Spans)
        if (Ordinal >= Span.First && Ordinal <= Span.Last)
            return {Element, Span.Part, Ordinal - Span.First + 1};
    // "Don't care" and the root stand for the element as a whole; the
    // classic facade numbered their state from the ordinal all the same.
    return {Element, 0, Ordinal == 0 || Ordinal == 1 ? Ordinal + 1 : 0};
}

// One part per value, numbered on from FirstPart.
std::vector<TPartSpan> SingleStateParts(int First, int Last, int FirstPart)
{
    std::vector<TPartSpan> Spans;
    for (int V = First; V <= Last; ++V)
        Spans.push_back({V, V, FirstPart + V - First});
    return Spans;
}

// Parts with a run of the same number of states each, from FirstPart on.
std::vector<TPartSpan> EqualParts(int First, int StatesPerPart, int PartCount, int FirstPart)
{
    std::vector<TPartSpan> Spans;
    for (int P = 0; P < PartCount; ++P)
        Spans.push_back({First + P * StatesPerPart, First + (P + 1) * StatesPerPart - 1, FirstPart + P});
    return Spans;
}

} // namespace

TThemedElementDetails TThemeServices::GetElementDetails(TThemedButton D)
{
    return MapDetail(teButton, D,
                     {{tbPushButtonNormal, tbPushButtonDefaulted, BP_PUSHBUTTON},
                      {tbRadioButtonUncheckedNormal, tbRadioButtonCheckedDisabled, BP_RADIOBUTTON},
                      {tbCheckBoxUncheckedNormal, tbCheckBoxMixedDisabled, BP_CHECKBOX},
                      {tbGroupBoxNormal, tbGroupBoxDisabled, BP_GROUPBOX},
                      {tbUserButton, tbUserButton, BP_USERBUTTON}});
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedClock D)
{
    return MapDetail(teClock, D, {{tcTimeNormal, tcTimeNormal, CLP_TIME}});
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedComboBox D)
{
    return MapDetail(teComboBox, D, {{tcDropDownButtonNormal, tcDropDownButtonDisabled, CP_DROPDOWNBUTTON}});
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedEdit D)
{
    return MapDetail(teEdit, D,
                     {{teEditTextNormal, teEditTextAssist, EP_EDITTEXT},
                      {teEditCaret, teEditCaret, EP_CARET},
                      {teBackgroundNormal, teBackgroundAssist, EP_BACKGROUND},
                      {tePassword, tePassword, EP_PASSWORD},
                      {teBackgroundWithBorderNormal, teBackgroundWithBorderFocused, EP_BACKGROUNDWITHBORDER},
                      {teEditBorderNoScrollNormal, teEditBorderNoScrollDisabled, EP_EDITBORDER_NOSCROLL},
                      {teEditBorderHScrollNormal, teEditBorderHScrollDisabled, EP_EDITBORDER_HSCROLL},
                      {teEditBorderVScrollNormal, teEditBorderVScrollDisabled, EP_EDITBORDER_VSCROLL},
                      {teEditBorderHVScrollNormal, teEditBorderHVScrollDisabled, EP_EDITBORDER_HVSCROLL}});
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedExplorerBar D)
{
    return MapDetail(teExplorerBar, D,
                     {{tebHeaderBackgroundNormal, tebHeaderBackgroundPressed, EBP_HEADERBACKGROUND},
                      {tebHeaderCloseNormal, tebHeaderClosePressed, EBP_HEADERCLOSE},
                      {tebHeaderPinNormal, tebHeaderPinSelectedPressed, EBP_HEADERPIN},
                      {tebIEBarMenuNormal, tebIEBarMenuPressed, EBP_IEBARMENU},
                      {tebNormalGroupBackground, tebNormalGroupBackground, EBP_NORMALGROUPBACKGROUND},
                      {tebNormalGroupCollapseNormal, tebNormalGroupCollapsePressed, EBP_NORMALGROUPCOLLAPSE},
                      {tebNormalGroupExpandNormal, tebNormalGroupExpandPressed, EBP_NORMALGROUPEXPAND},
                      {tebNormalGroupHead, tebNormalGroupHead, EBP_NORMALGROUPHEAD},
                      {tebSpecialGroupBackground, tebSpecialGroupBackground, EBP_SPECIALGROUPBACKGROUND},
                      {tebSpecialGroupCollapseSpecial, tebSpecialGroupCollapsePressed, EBP_SPECIALGROUPCOLLAPSE},
                      {tebSpecialGroupExpandSpecial, tebSpecialGroupExpandPressed, EBP_SPECIALGROUPEXPAND},
                      {tebSpecialGroupHead, tebSpecialGroupHead, EBP_SPECIALGROUPHEAD}});
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedHeader D)
{
    return MapDetail(teHeader, D,
                     {{thHeaderItemNormal, thHeaderItemPressed, HP_HEADERITEM},
                      {thHeaderItemLeftNormal, thHeaderItemLeftPressed, HP_HEADERITEMLEFT},
                      {thHeaderItemRightNormal, thHeaderItemRightPressed, HP_HEADERITEMRIGHT},
                      {thHeaderSortArrowSortedUp, thHeaderSortArrowSortedDown, HP_HEADERSORTARROW}});
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedListview D)
{
    return MapDetail(teListView, D,
                     {{tlListItemNormal, tlListItemSelectedNotFocus, LVP_LISTITEM},
                      {tlListGroup, tlListGroup, LVP_LISTGROUP},
                      {tlListDetail, tlListDetail, LVP_LISTDETAIL},
                      {tlListSortDetail, tlListSortDetail, LVP_LISTSORTEDDETAIL},
                      {tlEmptyText, tlEmptyText, LVP_EMPTYTEXT}});
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedMenu D)
{
    return MapDetail(teMenu, D,
                     {{tmMenuItemNormal, tmMenuItemDemoted, MP_MENUITEM},
                      {tmMenuDropDown, tmMenuDropDown, MP_MENUDROPDOWN},
                      {tmMenuBarItem, tmMenuBarItem, MP_MENUBARITEM},
                      {tmMenuBarDropDown, tmMenuBarDropDown, MP_MENUBARDROPDOWN},
                      {tmChevron, tmChevron, MP_CHEVRON},
                      {tmSeparator, tmSeparator, MP_SEPARATOR}});
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedPage D)
{
    return MapDetail(tePage, D, EqualParts(tpUpNormal, 4, 4, PGRP_UP));
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedProgress D)
{
    return MapDetail(teProgress, D, SingleStateParts(tpBar, tpChunkVert, PP_BAR));
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedRebar D)
{
    return MapDetail(teRebar, D,
                     {{trGripper, trGripper, RP_GRIPPER},
                      {trGripperVert, trGripperVert, RP_GRIPPERVERT},
                      {trBandNormal, trBandHotChecked, RP_BAND},
                      {trChevronNormal, trChevronDisabled, RP_CHEVRON},
                      {trChevronVertNormal, trChevronVertDisabled, RP_CHEVRONVERT}});
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedScrollBar D)
{
    std::vector<TPartSpan> Spans{{tsArrowBtnUpNormal, tsArrowBtnRightDisabled, SBP_ARROWBTN}};
    for (const TPartSpan& S : EqualParts(tsThumbBtnHorzNormal, 4, 8, SBP_THUMBBTNHORZ))
        Spans.push_back(S);
    Spans.push_back({tsSizeBoxRightAlign, tsSizeBoxLeftAlign, SBP_SIZEBOX});
    return MapDetail(teScrollBar, D, Spans);
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedSpin D)
{
    return MapDetail(teSpin, D, EqualParts(tsUpNormal, 4, 4, SPNP_UP));
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedStartPanel D)
{
    return MapDetail(teStartPanel, D,
                     {{tspUserPane, tspUserPane, SPP_USERPANE},
                      {tspMorePrograms, tspMorePrograms, SPP_MOREPROGRAMS},
                      {tspMoreProgramsArrowNormal, tspMoreProgramsArrowPressed, SPP_MOREPROGRAMSARROW},
                      {tspProgList, tspProgList, SPP_PROGLIST},
                      {tspProgListSeparator, tspProgListSeparator, SPP_PROGLISTSEPARATOR},
                      {tspPlacesList, tspPlacesList, SPP_PLACESLIST},
                      {tspPlacesListSeparator, tspPlacesListSeparator, SPP_PLACESLISTSEPARATOR},
                      {tspLogOff, tspLogOff, SPP_LOGOFF},
                      {tspLogOffButtonsNormal, tspLogOffButtonsPressed, SPP_LOGOFFBUTTONS},
                      {tspUserPicture, tspUserPicture, SPP_USERPICTURE},
                      {tspPreview, tspPreview, SPP_PREVIEW}});
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedStatus D)
{
    return MapDetail(teStatus, D, SingleStateParts(tsPane, tsGripper, SP_PANE));
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedTab D)
{
    std::vector<TPartSpan> Spans = EqualParts(ttTabItemNormal, 5, 8, TABP_TABITEM);
    Spans.push_back({ttPane, ttPane, TABP_PANE});
    Spans.push_back({ttBody, ttBody, TABP_BODY});
    return MapDetail(teTab, D, Spans);
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedTaskBand D)
{
    return MapDetail(teTaskBand, D, SingleStateParts(ttbGroupCount, ttbFlashButtonGroupMenu, TDP_GROUPCOUNT));
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedTaskBar D)
{
    return MapDetail(teTaskBar, D, SingleStateParts(ttbBackgroundBottom, ttbSizingBarLeft, TBP_BACKGROUNDBOTTOM));
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedToolBar D)
{
    return MapDetail(teToolBar, D, EqualParts(ttbButtonNormal, 6, 6, TP_BUTTON));
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedToolTip D)
{
    std::vector<TPartSpan> Spans = EqualParts(tttStandardNormal, 2, 4, TTP_STANDARD);
    Spans.push_back({tttCloseNormal, tttClosePressed, TTP_CLOSE});
    return MapDetail(teToolTip, D, Spans);
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedTrackBar D)
{
    std::vector<TPartSpan> Spans{{ttbTrack, ttbTrack, TKP_TRACK}, {ttbTrackVert, ttbTrackVert, TKP_TRACKVERT}};
    for (const TPartSpan& S : EqualParts(ttbThumbNormal, 5, 6, TKP_THUMB))
        Spans.push_back(S);
    Spans.push_back({ttbThumbTics, ttbThumbTics, TKP_TICS});
    Spans.push_back({ttbThumbTicsVert, ttbThumbTicsVert, TKP_TICSVERT});
    return MapDetail(teTrackBar, D, Spans);
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedTrayNotify D)
{
    return MapDetail(teTrayNotify, D, SingleStateParts(ttnBackground, ttnAnimBackground, TNP_BACKGROUND));
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedTreeview D)
{
    return MapDetail(teTreeview, D,
                     {{ttItemNormal, ttItemSelectedNotFocus, TVP_TREEITEM},
                      {ttGlyphClosed, ttGlyphOpened, TVP_GLYPH},
                      {ttBranch, ttBranch, TVP_BRANCH}});
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedWindow D)
{
    // Captions have three states, frames two, buttons and scroll parts
    // four; the rest of the parts have one.
    std::vector<TPartSpan> Spans = EqualParts(twCaptionActive, 3, 6, WP_CAPTION);
    for (const TPartSpan& S : EqualParts(twFrameLeftActive, 2, 6, WP_FRAMELEFT))
        Spans.push_back(S);
    for (const TPartSpan& S : EqualParts(twSysButtonNormal, 4, 16, WP_SYSBUTTON))
        Spans.push_back(S);
    for (const TPartSpan& S : SingleStateParts(twDialog, twSmallFrameBottomSizingTemplate, WP_DIALOG))
        Spans.push_back(S);
    return MapDetail(teWindow, D, Spans);
}

// --- the colour scheme ------------------------------------------------------------

struct TThemeScheme {
    QPalette Palette;
    // The explorer bar, derived from the highlight colour as the classic
    // blue look was from its accent colour.
    COLORREF BarTop = 0, BarBottom = 0;
    COLORREF NormalHeadLeft = 0, NormalHeadRight = 0, NormalHeadText = 0, NormalBody = 0;
    COLORREF SpecialHeadLeft = 0, SpecialHeadRight = 0, SpecialHeadText = 0, SpecialBody = 0;
    COLORREF BodyBorder = 0, ButtonBorder = 0;
    // The border colour the style gives line edits, read from its painting.
    COLORREF EditBorder = 0;
};

namespace {

COLORREF Ref(const QColor& C)
{
    return RGB(C.red(), C.green(), C.blue());
}

COLORREF Role(const TThemeScheme& S, QPalette::ColorRole R, bool Disabled = false)
{
    return Ref(S.Palette.color(Disabled ? QPalette::Disabled : QPalette::Active, R));
}

// Percent of A and the rest of B, per channel.
COLORREF Mix(COLORREF A, COLORREF B, int PercentA)
{
    auto Channel = [&](int Shift) {
        const int CA = int((A >> Shift) & 0xFF), CB = int((B >> Shift) & 0xFF);
        return COLORREF((CA * PercentA + CB * (100 - PercentA) + 50) / 100) << Shift;
    };
    return Channel(0) | Channel(8) | Channel(16);
}

constexpr COLORREF White = 0xFFFFFF;
constexpr COLORREF Black = 0x000000;

void DeriveExplorerColors(TThemeScheme& S)
{
    const COLORREF H = Role(S, QPalette::Highlight);
    S.BarTop = Mix(H, White, 45);
    S.BarBottom = Mix(H, White, 65);
    S.NormalHeadLeft = White;
    S.NormalHeadRight = Mix(H, White, 25);
    S.NormalHeadText = Mix(H, Black, 70);
    S.NormalBody = Mix(H, White, 12);
    S.SpecialHeadLeft = Mix(H, Black, 75);
    S.SpecialHeadRight = Mix(H, White, 80);
    S.SpecialHeadText = White;
    S.SpecialBody = Mix(H, White, 6);
    S.BodyBorder = White;
    S.ButtonBorder = Mix(H, White, 40);
}

// --- drawing on the scratch image ---------------------------------------------------

// One element being rendered: the scratch image, a device context on it
// for the classic calls, the element's rectangle there and what to draw.
struct TRender {
    QImage& Image;
    HDC DC;
    TRect Box;
    int Part;
    int State;
    const TThemeScheme& Scheme;
};

QRect ToQRect(const TRect& R)
{
    return QRect(R.Left, R.Top, R.Width(), R.Height());
}

QStyle* Style()
{
    return QApplication::style();
}

int Metric(QStyle::PixelMetric M)
{
    return Style()->pixelMetric(M);
}

// Runs Paint with a painter on the scratch image and the element's rectangle.
template <typename F>
void WithPainter(const TRender& E, F&& Paint)
{
    QPainter P(&E.Image);
    Paint(P, ToQRect(E.Box));
}

// The states parts are drawn in, whatever their numbering.
struct TLook {
    bool Hot = false;
    bool Pressed = false;
    bool Disabled = false;
    bool Checked = false;
    bool Focused = false;
    bool Selected = false;
};

// Normal, hot, pressed, disabled: the order most parts number their states in.
TLook NormalHotPressedDisabled(int State)
{
    TLook L;
    L.Hot = State == 2;
    L.Pressed = State == 3;
    L.Disabled = State == 4;
    return L;
}

// Normal, hot, pressed, disabled, checked, hot and checked: toolbar buttons.
TLook ToolLook(int State)
{
    TLook L = NormalHotPressedDisabled(State);
    L.Checked = State == 5 || State == 6;
    L.Hot = L.Hot || State == 6;
    return L;
}

void InitOption(QStyleOption& O, const QRect& R, const TLook& L, const QPalette& Palette)
{
    O.rect = R;
    O.palette = Palette;
    O.palette.setCurrentColorGroup(L.Disabled ? QPalette::Disabled : QPalette::Active);
    O.direction = Qt::LeftToRight;
    O.state = L.Pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    if (!L.Disabled)
        O.state |= QStyle::State_Enabled;
    if (L.Hot)
        O.state |= QStyle::State_MouseOver;
    if (L.Checked)
        O.state |= QStyle::State_On;
    if (L.Focused)
        O.state |= QStyle::State_HasFocus;
    if (L.Selected)
        O.state |= QStyle::State_Selected;
}

void StylePrimitive(const TRender& E, QStyle::PrimitiveElement Primitive, const TLook& L,
                    QStyle::State Extra = QStyle::State_None)
{
    WithPainter(E, [&](QPainter& P, const QRect& R) {
        QStyleOption O;
        InitOption(O, R, L, E.Scheme.Palette);
        O.state |= Extra;
        Style()->drawPrimitive(Primitive, &O, &P);
    });
}

void ButtonFace(const TRender& E, const TLook& L, bool Defaulted = false)
{
    WithPainter(E, [&](QPainter& P, const QRect& R) {
        QStyleOptionButton O;
        InitOption(O, R, L, E.Scheme.Palette);
        if (Defaulted)
            O.features |= QStyleOptionButton::DefaultButton;
        Style()->drawControl(QStyle::CE_PushButtonBevel, &O, &P);
    });
}

// A toolbar-like face: nothing unless hot, pressed or checked.
void ToolFace(const TRender& E, const TLook& L)
{
    if (L.Disabled || (!L.Hot && !L.Pressed && !L.Checked))
        return;
    TLook Face = L;
    Face.Pressed = L.Pressed || L.Checked;
    StylePrimitive(E, QStyle::PE_PanelButtonTool, Face, QStyle::State_AutoRaise);
}

void ToolBarBackground(const TRender& E)
{
    WithPainter(E, [&](QPainter& P, const QRect& R) {
        QStyleOptionToolBar O;
        InitOption(O, R, TLook(), E.Scheme.Palette);
        O.state |= QStyle::State_Horizontal;
        O.toolBarArea = Qt::TopToolBarArea;
        O.positionOfLine = QStyleOptionToolBar::OnlyOne;
        O.positionWithinLine = QStyleOptionToolBar::OnlyOne;
        Style()->drawControl(QStyle::CE_ToolBar, &O, &P);
    });
}

// --- the classic drawing calls on the scratch image ----------------------------------

class TSolidBrush {
public:
    explicit TSolidBrush(COLORREF C) : FBrush(CreateSolidBrush(C)) {}
    ~TSolidBrush() { DeleteObject(FBrush); }
    TSolidBrush(const TSolidBrush&) = delete;
    TSolidBrush& operator=(const TSolidBrush&) = delete;
    operator HBRUSH() const { return FBrush; }

private:
    HBRUSH FBrush;
};

// A pen and (optionally) a brush selected for one drawing step.
class TShapeStyle {
public:
    TShapeStyle(HDC DC, COLORREF Pen, std::optional<COLORREF> Fill, int PenStyle = PS_SOLID)
        : FDC(DC), FPen(CreatePen(PenStyle, 1, Pen)),
          FBrush(Fill ? CreateSolidBrush(*Fill) : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)))
    {
        FOldPen = SelectObject(DC, FPen);
        FOldBrush = SelectObject(DC, FBrush);
    }
    ~TShapeStyle()
    {
        SelectObject(FDC, FOldPen);
        SelectObject(FDC, FOldBrush);
        DeleteObject(FPen);
        DeleteObject(FBrush);
    }
    TShapeStyle(const TShapeStyle&) = delete;
    TShapeStyle& operator=(const TShapeStyle&) = delete;

private:
    HDC FDC;
    HPEN FPen;
    HBRUSH FBrush;
    HPEN FOldPen = nullptr;
    HBRUSH FOldBrush = nullptr;
};

void FillSolid(HDC DC, const TRect& R, COLORREF C)
{
    TSolidBrush Brush(C);
    FillRect(DC, &R, Brush);
}

void Line(HDC DC, int X0, int Y0, int X1, int Y1, COLORREF C, int PenStyle = PS_SOLID)
{
    TShapeStyle Pen(DC, C, std::nullopt, PenStyle);
    MoveToEx(DC, X0, Y0, nullptr);
    LineTo(DC, X1, Y1);
}

// From -> To, top to bottom when Downwards, else left to right.
void Gradient(HDC DC, const TRect& R, COLORREF From, COLORREF To, bool Downwards)
{
    const int Steps = Downwards ? R.Height() : R.Width();
    for (int I = 0; I < Steps; ++I) {
        const COLORREF C = Mix(To, From, Steps > 1 ? I * 100 / (Steps - 1) : 0);
        FillSolid(DC, Downwards ? Rect(R.Left, R.Top + I, R.Right, R.Top + I + 1)
                                : Rect(R.Left + I, R.Top, R.Left + I + 1, R.Bottom),
                  C);
    }
}

enum class TArrow { Up, Down, Left, Right };

// A solid triangle centred in R, its base up to nine pixels wide; the
// centre pixel of R is always part of it.
void ArrowGlyph(HDC DC, const TRect& R, TArrow Dir, COLORREF C)
{
    const int Size = std::clamp(std::min(R.Width(), R.Height()) / 4, 1, 4);
    const int CX = (R.Left + R.Right) / 2, CY = (R.Top + R.Bottom) / 2;
    for (int K = 0; K <= Size; ++K) {
        const int Half = Size - K, Offset = K - Size / 2;
        switch (Dir) {
        case TArrow::Down: FillSolid(DC, Rect(CX - Half, CY + Offset, CX + Half + 1, CY + Offset + 1), C); break;
        case TArrow::Up: FillSolid(DC, Rect(CX - Half, CY - Offset, CX + Half + 1, CY - Offset + 1), C); break;
        case TArrow::Right: FillSolid(DC, Rect(CX + Offset, CY - Half, CX + Offset + 1, CY + Half + 1), C); break;
        case TArrow::Left: FillSolid(DC, Rect(CX - Offset, CY - Half, CX - Offset + 1, CY + Half + 1), C); break;
        }
    }
}

// A two-pixel chevron around (CX, CY), pointing up, down or right.
void Chevron(HDC DC, int CX, int CY, TArrow Dir, COLORREF C)
{
    for (int T = 0; T < 2; ++T) {
        TShapeStyle Pen(DC, C, std::nullopt);
        if (Dir == TArrow::Right) {
            const TPoint P[] = {{CX - 2 + T, CY - 3}, {CX + 1 + T, CY}, {CX - 3 + T, CY + 4}};
            Polyline(DC, P, 3);
        } else {
            const int S = Dir == TArrow::Up ? -1 : 1;
            const TPoint P[] = {{CX - 3, CY - 2 * S + T}, {CX, CY + S + T}, {CX + 4, CY - 3 * S + T}};
            Polyline(DC, P, 3);
        }
    }
}

// Two chevrons, one behind the other: the sign of "more" on chevrons and
// the explorer bar's collapse and expand buttons.
void DoubleChevron(HDC DC, const TRect& R, TArrow Dir, COLORREF C)
{
    const TPoint M = CenterPoint(R);
    if (Dir == TArrow::Right) {
        Chevron(DC, M.X - 2, M.Y, Dir, C);
        Chevron(DC, M.X + 2, M.Y, Dir, C);
    } else {
        Chevron(DC, M.X, M.Y - 2, Dir, C);
        Chevron(DC, M.X, M.Y + 2, Dir, C);
    }
}

// A close cross, two pixels thick, in the middle of R.
void CrossGlyph(HDC DC, const TRect& R, COLORREF C)
{
    const TPoint M = CenterPoint(R);
    const int S = std::clamp(std::min(R.Width(), R.Height()) / 2 - 3, 2, 4);
    for (int T = 0; T < 2; ++T) {
        Line(DC, M.X - S + T, M.Y - S, M.X + S + 1 + T, M.Y + S + 1, C);
        Line(DC, M.X + S - 1 + T, M.Y - S, M.X - S - 2 + T, M.Y + S + 1, C);
    }
}

// The largest square centred in R.
TRect CenteredSquare(const TRect& R)
{
    const int S = std::min(R.Width(), R.Height());
    const int X = R.Left + (R.Width() - S) / 2, Y = R.Top + (R.Height() - S) / 2;
    return Rect(X, Y, X + S, Y + S);
}

TRect CenteredSize(const TRect& R, int W, int H)
{
    W = std::min(W, R.Width());
    H = std::min(H, R.Height());
    const int X = R.Left + (R.Width() - W) / 2, Y = R.Top + (R.Height() - H) / 2;
    return Rect(X, Y, X + W, Y + H);
}

COLORREF GlyphColor(const TRender& E, const TLook& L)
{
    return Role(E.Scheme, QPalette::ButtonText, L.Disabled);
}

// --- the elements ---------------------------------------------------------------------

void CheckIndicator(const TRender& E, bool Radio)
{
    const int Look = (E.State - 1) % 4 + 1, Mark = (E.State - 1) / 4;
    const TLook L = NormalHotPressedDisabled(Look);
    const int W = Metric(Radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth);
    const int H = Metric(Radio ? QStyle::PM_ExclusiveIndicatorHeight : QStyle::PM_IndicatorHeight);
    WithPainter(E, [&](QPainter& P, const QRect&) {
        // Styles read the check state from a button option.
        QStyleOptionButton O;
        InitOption(O, ToQRect(CenteredSize(E.Box, W, H)), L, E.Scheme.Palette);
        O.state |= Mark == 0 ? QStyle::State_Off : Mark == 1 ? QStyle::State_On : QStyle::State_NoChange;
        Style()->drawPrimitive(Radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, &O, &P);
    });
}

// The group box's frame: a rounded outline, its line where the caption sits.
void GroupBoxFrame(const TRender& E)
{
    const bool Disabled = E.State == 2;
    const COLORREF C = Mix(Role(E.Scheme, QPalette::Window), Role(E.Scheme, QPalette::Shadow, Disabled), 55);
    TShapeStyle Pen(E.DC, C, std::nullopt);
    RoundRect(E.DC, E.Box.Left, E.Box.Top, E.Box.Right, E.Box.Bottom, 6, 6);
}

void PaintButton(const TRender& E)
{
    switch (E.Part) {
    case BP_PUSHBUTTON:
    case BP_USERBUTTON: ButtonFace(E, NormalHotPressedDisabled(E.State), E.State == 5); break;
    case BP_RADIOBUTTON: CheckIndicator(E, true); break;
    case BP_CHECKBOX: CheckIndicator(E, false); break;
    case BP_GROUPBOX: GroupBoxFrame(E); break;
    default: break;
    }
}

void PaintComboBox(const TRender& E)
{
    if (E.Part != CP_DROPDOWNBUTTON)
        return;
    const TLook L = NormalHotPressedDisabled(E.State);
    ButtonFace(E, L);
    ArrowGlyph(E.DC, E.Box, TArrow::Down, GlyphColor(E, L));
}

void LineEditPanel(const TRender& E, const TLook& L, bool ReadOnly)
{
    WithPainter(E, [&](QPainter& P, const QRect& R) {
        QStyleOptionFrame O;
        InitOption(O, R, L, E.Scheme.Palette);
        O.state &= ~(QStyle::State_Raised | QStyle::State_Sunken);
        O.state |= QStyle::State_Sunken;
        if (ReadOnly)
            O.state |= QStyle::State_ReadOnly;
        O.lineWidth = Metric(QStyle::PM_DefaultFrameWidth);
        O.midLineWidth = 0;
        Style()->drawPrimitive(QStyle::PE_PanelLineEdit, &O, &P);
    });
}

void PaintEdit(const TRender& E)
{
    const TThemeScheme& S = E.Scheme;
    switch (E.Part) {
    case EP_EDITTEXT: {
        TLook L;
        L.Hot = E.State == 2;
        L.Disabled = E.State == 4;
        L.Focused = E.State == 3 || E.State == 5;
        LineEditPanel(E, L, E.State == 6);
        break;
    }
    case EP_CARET: FillSolid(E.DC, E.Box, Role(S, QPalette::Text)); break;
    case EP_BACKGROUND: {
        const bool Disabled = E.State == 3, ReadOnly = E.State == 5;
        FillSolid(E.DC, E.Box, Role(S, Disabled || ReadOnly ? QPalette::Window : QPalette::Base, Disabled));
        break;
    }
    case EP_PASSWORD: {
        TShapeStyle Dot(E.DC, Role(S, QPalette::Text), Role(S, QPalette::Text));
        const TRect Sq = CenteredSquare(E.Box);
        Ellipse(E.DC, Sq.Left, Sq.Top, Sq.Right, Sq.Bottom);
        break;
    }
    case EP_BACKGROUNDWITHBORDER: {
        TLook L;
        L.Hot = E.State == 2;
        L.Disabled = E.State == 3;
        L.Focused = E.State == 4;
        LineEditPanel(E, L, false);
        break;
    }
    default:
        if (E.Part >= EP_EDITBORDER_NOSCROLL && E.Part <= EP_EDITBORDER_HVSCROLL) {
            TLook L;
            L.Hot = E.State == 2;
            L.Focused = E.State == 3;
            L.Disabled = E.State == 4;
            LineEditPanel(E, L, false);
        }
        break;
    }
}

// The explorer bar's group head: a gradient band with rounded top corners.
void ExplorerHead(const TRender& E, COLORREF Left, COLORREF Right)
{
    const TRect& B = E.Box;
    const int W = B.Width();
    for (int I = 0; I < W; ++I) {
        const int Edge = std::min(I, W - 1 - I);
        const int Inset = Edge == 0 ? 2 : Edge == 1 ? 1 : 0;
        const COLORREF C = Mix(Right, Left, W > 1 ? I * 100 / (W - 1) : 0);
        FillSolid(E.DC, Rect(B.Left + I, B.Top + Inset, B.Left + I + 1, B.Bottom), C);
    }
}

// A group's body: its fill with a light border on the sides and bottom.
void ExplorerBody(const TRender& E, COLORREF Fill)
{
    const TRect& B = E.Box;
    FillSolid(E.DC, B, Fill);
    TShapeStyle Pen(E.DC, E.Scheme.BodyBorder, std::nullopt);
    const TPoint P[] = {{B.Left, B.Top}, {B.Left, B.Bottom - 1}, {B.Right - 1, B.Bottom - 1}, {B.Right - 1, B.Top - 1}};
    Polyline(E.DC, P, 4);
}

// The round collapse and expand buttons of a group head.
void ExplorerButton(const TRender& E, bool Special, bool Collapse)
{
    const TThemeScheme& S = E.Scheme;
    const TLook L = NormalHotPressedDisabled(E.State);
    COLORREF Face = Special ? Mix(S.SpecialHeadRight, White, 50) : White;
    COLORREF Sign = Special ? White : S.NormalHeadText;
    if (L.Pressed)
        Face = Mix(Face, Black, 85);
    if (L.Hot)
        Sign = Special ? Mix(S.SpecialHeadRight, White, 30) : Mix(S.NormalHeadText, White, 60);
    const TRect Circle = CenteredSquare(E.Box);
    {
        TShapeStyle Shape(E.DC, S.ButtonBorder, Face);
        Ellipse(E.DC, Circle.Left, Circle.Top, Circle.Right, Circle.Bottom);
    }
    DoubleChevron(E.DC, Circle, Collapse ? TArrow::Up : TArrow::Down, Sign);
}

void PaintExplorerBar(const TRender& E)
{
    const TThemeScheme& S = E.Scheme;
    const TLook L = NormalHotPressedDisabled(E.State);
    switch (E.Part) {
    case 0: Gradient(E.DC, E.Box, S.BarTop, S.BarBottom, true); break;
    case EBP_HEADERBACKGROUND:
        Gradient(E.DC, E.Box, L.Pressed ? S.SpecialHeadLeft : S.SpecialHeadRight, S.SpecialHeadLeft, true);
        break;
    case EBP_HEADERCLOSE:
    case EBP_HEADERPIN:
    case EBP_IEBARMENU:
        ToolFace(E, NormalHotPressedDisabled((E.State - 1) % 3 + 1));
        if (E.Part == EBP_HEADERCLOSE)
            CrossGlyph(E.DC, E.Box, S.NormalHeadText);
        else if (E.Part == EBP_IEBARMENU)
            ArrowGlyph(E.DC, E.Box, TArrow::Down, S.NormalHeadText);
        else
            ArrowGlyph(E.DC, E.Box, E.State > 3 ? TArrow::Down : TArrow::Left, S.NormalHeadText);
        break;
    case EBP_NORMALGROUPBACKGROUND: ExplorerBody(E, S.NormalBody); break;
    case EBP_SPECIALGROUPBACKGROUND: ExplorerBody(E, S.SpecialBody); break;
    case EBP_NORMALGROUPHEAD: ExplorerHead(E, S.NormalHeadLeft, S.NormalHeadRight); break;
    case EBP_SPECIALGROUPHEAD: ExplorerHead(E, S.SpecialHeadLeft, S.SpecialHeadRight); break;
    case EBP_NORMALGROUPCOLLAPSE: ExplorerButton(E, false, true); break;
    case EBP_NORMALGROUPEXPAND: ExplorerButton(E, false, false); break;
    case EBP_SPECIALGROUPCOLLAPSE: ExplorerButton(E, true, true); break;
    case EBP_SPECIALGROUPEXPAND: ExplorerButton(E, true, false); break;
    default: break;
    }
}

void PaintHeader(const TRender& E)
{
    if (E.Part == 0) {
        FillSolid(E.DC, E.Box, Role(E.Scheme, QPalette::Button));
        return;
    }
    WithPainter(E, [&](QPainter& P, const QRect& R) {
        QStyleOptionHeader O;
        if (E.Part == HP_HEADERSORTARROW) {
            InitOption(O, R, TLook(), E.Scheme.Palette);
            O.sortIndicator = E.State == 1 ? QStyleOptionHeader::SortUp : QStyleOptionHeader::SortDown;
            Style()->drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &O, &P);
            return;
        }
        InitOption(O, R, NormalHotPressedDisabled(E.State), E.Scheme.Palette);
        O.orientation = Qt::Horizontal;
        O.position = E.Part == HP_HEADERITEMLEFT    ? QStyleOptionHeader::Beginning
                     : E.Part == HP_HEADERITEMRIGHT ? QStyleOptionHeader::End
                                                    : QStyleOptionHeader::Middle;
        Style()->drawControl(QStyle::CE_HeaderSection, &O, &P);
    });
}

// List and tree items: normal, hot, selected, disabled, selected without focus.
void ItemFill(const TRender& E)
{
    const TThemeScheme& S = E.Scheme;
    const COLORREF H = Role(S, QPalette::Highlight);
    switch (E.State) {
    case 2: FillSolid(E.DC, E.Box, Mix(H, Role(S, QPalette::Base), 20)); break;
    case 3: FillSolid(E.DC, E.Box, H); break;
    case 5: FillSolid(E.DC, E.Box, Mix(H, Role(S, QPalette::Base), 45)); break;
    default: break;
    }
}

void PaintListView(const TRender& E)
{
    const TThemeScheme& S = E.Scheme;
    switch (E.Part) {
    case 0:
    case LVP_LISTDETAIL: FillSolid(E.DC, E.Box, Role(S, QPalette::Base)); break;
    case LVP_LISTSORTEDDETAIL: FillSolid(E.DC, E.Box, Mix(Role(S, QPalette::Base), Black, 96)); break;
    case LVP_LISTITEM: ItemFill(E); break;
    case LVP_LISTGROUP:
        Line(E.DC, E.Box.Left, E.Box.Bottom - 1, E.Box.Right, E.Box.Bottom - 1, Role(S, QPalette::Highlight));
        break;
    default: break;
    }
}

// An etched line across the middle of R, level or upright.
void EtchedLine(const TRender& E, bool Upright)
{
    const TThemeScheme& S = E.Scheme;
    const TPoint M = CenterPoint(E.Box);
    const COLORREF Dark = Role(S, QPalette::Mid), Light = Role(S, QPalette::Light);
    if (Upright) {
        Line(E.DC, M.X - 1, E.Box.Top, M.X - 1, E.Box.Bottom, Dark);
        Line(E.DC, M.X, E.Box.Top, M.X, E.Box.Bottom, Light);
    } else {
        Line(E.DC, E.Box.Left, M.Y - 1, E.Box.Right, M.Y - 1, Dark);
        Line(E.DC, E.Box.Left, M.Y, E.Box.Right, M.Y, Light);
    }
}

void PaintMenu(const TRender& E)
{
    const TThemeScheme& S = E.Scheme;
    switch (E.Part) {
    case 0: FillSolid(E.DC, E.Box, Role(S, QPalette::Window)); break;
    case MP_MENUITEM:
    case MP_MENUDROPDOWN:
    case MP_MENUBARITEM:
    case MP_MENUBARDROPDOWN:
        if (E.Part != MP_MENUITEM || E.State == 2)
            FillSolid(E.DC, E.Box, Role(S, QPalette::Highlight));
        break;
    case MP_CHEVRON: DoubleChevron(E.DC, E.Box, TArrow::Right, Role(S, QPalette::WindowText)); break;
    case MP_SEPARATOR: EtchedLine(E, false); break;
    default: break;
    }
}

// Spin and pager buttons: up, down, up horizontal (right), down horizontal (left).
void ArrowButton(const TRender& E, TArrow Dir, const TLook& L)
{
    ButtonFace(E, L);
    ArrowGlyph(E.DC, E.Box, Dir, GlyphColor(E, L));
}

void PaintSpin(const TRender& E)
{
    static const TArrow Dirs[] = {TArrow::Up, TArrow::Down, TArrow::Right, TArrow::Left};
    if (E.Part >= 1 && E.Part <= 4)
        ArrowButton(E, Dirs[E.Part - 1], NormalHotPressedDisabled(E.State));
}

void PaintProgress(const TRender& E)
{
    if (E.Part < 0 || E.Part > PP_CHUNKVERT)
        return;
    const bool Chunk = E.Part == PP_CHUNK || E.Part == PP_CHUNKVERT;
    const bool Vertical = E.Part == PP_BARVERT || E.Part == PP_CHUNKVERT;
    WithPainter(E, [&](QPainter& P, const QRect& R) {
        QStyleOptionProgressBar O;
        InitOption(O, R, TLook(), E.Scheme.Palette);
        if (!Vertical)
            O.state |= QStyle::State_Horizontal;
        O.minimum = 0;
        O.maximum = 100;
        O.progress = Chunk ? 100 : 0;
        Style()->drawControl(Chunk ? QStyle::CE_ProgressBarContents : QStyle::CE_ProgressBarGroove, &O, &P);
    });
}

void PaintRebar(const TRender& E)
{
    switch (E.Part) {
    case 0: ToolBarBackground(E); break;
    case RP_GRIPPER:
    case RP_GRIPPERVERT:
        StylePrimitive(E, QStyle::PE_IndicatorToolBarHandle, TLook(),
                       E.Part == RP_GRIPPER ? QStyle::State_Horizontal : QStyle::State_None);
        break;
    case RP_BAND: ToolFace(E, ToolLook(E.State)); break;
    case RP_CHEVRON:
    case RP_CHEVRONVERT: {
        const TLook L = NormalHotPressedDisabled(E.State);
        ToolFace(E, L);
        DoubleChevron(E.DC, E.Box, E.Part == RP_CHEVRON ? TArrow::Right : TArrow::Down, GlyphColor(E, L));
        break;
    }
    default: break;
    }
}

void SizeGrip(const TRender& E, Qt::Corner Corner)
{
    WithPainter(E, [&](QPainter& P, const QRect& R) {
        QStyleOptionSizeGrip O;
        const int S = Metric(QStyle::PM_SizeGripSize);
        const int W = std::min(S, R.width()), H = std::min(S, R.height());
        const int X = Corner == Qt::BottomRightCorner ? R.right() + 1 - W : R.left();
        InitOption(O, QRect(X, R.bottom() + 1 - H, W, H), TLook(), E.Scheme.Palette);
        O.corner = Corner;
        Style()->drawControl(QStyle::CE_SizeGrip, &O, &P);
    });
}

// Three short ridges in the middle of a thumb.
void GripperRidges(const TRender& E, bool Horizontal, const TLook& L)
{
    const TPoint M = CenterPoint(E.Box);
    const COLORREF Dark = Role(E.Scheme, QPalette::Mid, L.Disabled), Light = Role(E.Scheme, QPalette::Light);
    for (int I = -1; I <= 1; ++I) {
        if (Horizontal) {
            Line(E.DC, M.X + 2 * I, M.Y - 3, M.X + 2 * I, M.Y + 4, Dark);
            Line(E.DC, M.X + 2 * I + 1, M.Y - 3, M.X + 2 * I + 1, M.Y + 4, Light);
        } else {
            Line(E.DC, M.X - 3, M.Y + 2 * I, M.X + 4, M.Y + 2 * I, Dark);
            Line(E.DC, M.X - 3, M.Y + 2 * I + 1, M.X + 4, M.Y + 2 * I + 1, Light);
        }
    }
}

void ScrollTrack(const TRender& E, const TLook& L)
{
    const COLORREF Base = Mix(Role(E.Scheme, QPalette::Button), Role(E.Scheme, QPalette::Base), 60);
    FillSolid(E.DC, E.Box, L.Pressed ? Role(E.Scheme, QPalette::Mid) : Base);
}

void PaintScrollBar(const TRender& E)
{
    static const TArrow Dirs[] = {TArrow::Up, TArrow::Down, TArrow::Left, TArrow::Right};
    const TLook L = NormalHotPressedDisabled(E.Part == SBP_ARROWBTN ? (E.State - 1) % 4 + 1 : E.State);
    switch (E.Part) {
    case 0: ScrollTrack(E, TLook()); break;
    case SBP_ARROWBTN:
        if (E.State >= 1 && E.State <= 16)
            ArrowButton(E, Dirs[(E.State - 1) / 4], L);
        break;
    case SBP_THUMBBTNHORZ:
    case SBP_THUMBBTNVERT: ButtonFace(E, L); break;
    case SBP_LOWERTRACKHORZ:
    case SBP_UPPERTRACKHORZ:
    case SBP_LOWERTRACKVERT:
    case SBP_UPPERTRACKVERT: ScrollTrack(E, L); break;
    case SBP_GRIPPERHORZ:
    case SBP_GRIPPERVERT: GripperRidges(E, E.Part == SBP_GRIPPERHORZ, L); break;
    case SBP_SIZEBOX: SizeGrip(E, E.State == 2 ? Qt::BottomLeftCorner : Qt::BottomRightCorner); break;
    default: break;
    }
}

void PaintStatus(const TRender& E)
{
    const TThemeScheme& S = E.Scheme;
    const COLORREF Separator = Mix(Role(S, QPalette::Window), Role(S, QPalette::Shadow), 60);
    switch (E.Part) {
    case 0:
        FillSolid(E.DC, E.Box, Role(S, QPalette::Window));
        Line(E.DC, E.Box.Left, E.Box.Top, E.Box.Right, E.Box.Top, Separator);
        break;
    case SP_PANE:
    case SP_GRIPPERPANE:
        Line(E.DC, E.Box.Right - 1, E.Box.Top + 2, E.Box.Right - 1, E.Box.Bottom - 2, Separator);
        break;
    case SP_GRIPPER: SizeGrip(E, Qt::BottomRightCorner); break;
    default: break;
    }
}

void TabItem(const TRender& E)
{
    static const QStyleOptionTab::TabPosition Positions[] = {
        QStyleOptionTab::Middle, QStyleOptionTab::Beginning, QStyleOptionTab::End, QStyleOptionTab::OnlyOneTab};
    TLook L;
    L.Hot = E.State == 2;
    L.Selected = E.State == 3 || E.State == 5;
    L.Disabled = E.State == 4;
    L.Focused = E.State == 5;
    WithPainter(E, [&](QPainter& P, const QRect& R) {
        QStyleOptionTab O;
        InitOption(O, R, L, E.Scheme.Palette);
        O.shape = QTabBar::RoundedNorth;
        O.position = Positions[(E.Part - TABP_TABITEM) % 4];
        Style()->drawControl(QStyle::CE_TabBarTabShape, &O, &P);
    });
}

void PaintTab(const TRender& E)
{
    if (E.Part >= TABP_TABITEM && E.Part <= TABP_TOPTABITEMBOTHEDGE) {
        TabItem(E);
    } else if (E.Part == TABP_PANE) {
        WithPainter(E, [&](QPainter& P, const QRect& R) {
            QStyleOptionTabWidgetFrame O;
            InitOption(O, R, TLook(), E.Scheme.Palette);
            O.shape = QTabBar::RoundedNorth;
            O.lineWidth = Metric(QStyle::PM_DefaultFrameWidth);
            Style()->drawPrimitive(QStyle::PE_FrameTabWidget, &O, &P);
        });
    } else if (E.Part == TABP_BODY || E.Part == 0) {
        FillSolid(E.DC, E.Box, Role(E.Scheme, QPalette::Window));
    }
}

void PaintToolBar(const TRender& E)
{
    const TLook L = ToolLook(E.State);
    switch (E.Part) {
    case 0: ToolBarBackground(E); break;
    case TP_BUTTON:
    case TP_DROPDOWNBUTTON:
    case TP_SPLITBUTTON: ToolFace(E, L); break;
    case TP_SPLITBUTTONDROPDOWN:
        ToolFace(E, L);
        ArrowGlyph(E.DC, CenteredSize(E.Box, 11, 11), TArrow::Down, GlyphColor(E, L));
        break;
    case TP_SEPARATOR:
    case TP_SEPARATORVERT:
        // Qt names a separator by its toolbar: horizontal toolbars have
        // upright separators.
        StylePrimitive(E, QStyle::PE_IndicatorToolBarSeparator, TLook(),
                       E.Part == TP_SEPARATOR ? QStyle::State_Horizontal : QStyle::State_None);
        break;
    default: break;
    }
}

void PaintToolTip(const TRender& E)
{
    const TThemeScheme& S = E.Scheme;
    switch (E.Part) {
    case 0:
    case TTP_STANDARD:
        WithPainter(E, [&](QPainter& P, const QRect& R) {
            QStyleOptionFrame O;
            InitOption(O, R, TLook(), S.Palette);
            Style()->drawPrimitive(QStyle::PE_PanelTipLabel, &O, &P);
        });
        break;
    case TTP_BALLOON: {
        TShapeStyle Shape(E.DC, Role(S, QPalette::ToolTipText), Role(S, QPalette::ToolTipBase));
        RoundRect(E.DC, E.Box.Left, E.Box.Top, E.Box.Right, E.Box.Bottom, 12, 12);
        break;
    }
    case TTP_CLOSE: {
        const TLook L = NormalHotPressedDisabled(E.State);
        ToolFace(E, L);
        CrossGlyph(E.DC, E.Box, Role(S, QPalette::ToolTipText));
        break;
    }
    default: break;
    }
}

// Normal, hot, pressed, focused, disabled: track-bar thumbs.
TLook ThumbLook(int State)
{
    TLook L;
    L.Hot = State == 2;
    L.Pressed = State == 3;
    L.Focused = State == 4;
    L.Disabled = State == 5;
    return L;
}

void PaintTrackBar(const TRender& E)
{
    const TPoint M = CenterPoint(E.Box);
    const COLORREF Tick = Role(E.Scheme, QPalette::Shadow);
    switch (E.Part) {
    case TKP_TRACK:
    case TKP_TRACKVERT: {
        TRect Groove = E.Part == TKP_TRACK ? Rect(E.Box.Left, M.Y - 2, E.Box.Right, M.Y + 2)
                                            : Rect(M.X - 2, E.Box.Top, M.X + 2, E.Box.Bottom);
        FillSolid(E.DC, Groove, Role(E.Scheme, QPalette::Base));
        DrawEdge(E.DC, &Groove, EDGE_SUNKEN, BF_RECT);
        break;
    }
    case TKP_TICS: Line(E.DC, M.X, E.Box.Top, M.X, E.Box.Bottom, Tick); break;
    case TKP_TICSVERT: Line(E.DC, E.Box.Left, M.Y, E.Box.Right, M.Y, Tick); break;
    default:
        if (E.Part >= TKP_THUMB && E.Part <= TKP_THUMBRIGHT)
            ButtonFace(E, ThumbLook(E.State));
        break;
    }
}

void PaintTreeview(const TRender& E)
{
    const TThemeScheme& S = E.Scheme;
    switch (E.Part) {
    case 0: FillSolid(E.DC, E.Box, Role(S, QPalette::Base)); break;
    case TVP_TREEITEM: ItemFill(E); break;
    case TVP_GLYPH:
        StylePrimitive(E, QStyle::PE_IndicatorBranch, TLook(),
                       QStyle::State_Children | (E.State == 2 ? QStyle::State_Open : QStyle::State_None));
        break;
    case TVP_BRANCH: {
        const int Y = CenterPoint(E.Box).Y;
        Line(E.DC, E.Box.Left, Y, E.Box.Right, Y, Role(S, QPalette::Mid), PS_DOT);
        break;
    }
    default: break;
    }
}

QStyle::StandardPixmap TitleBarIcon(int Part)
{
    switch (Part) {
    case WP_MINBUTTON:
    case WP_MDIMINBUTTON: return QStyle::SP_TitleBarMinButton;
    case WP_MAXBUTTON: return QStyle::SP_TitleBarMaxButton;
    case WP_RESTOREBUTTON:
    case WP_MDIRESTOREBUTTON: return QStyle::SP_TitleBarNormalButton;
    case WP_HELPBUTTON:
    case WP_MDIHELPBUTTON: return QStyle::SP_TitleBarContextHelpButton;
    case WP_SYSBUTTON:
    case WP_MDISYSBUTTON: return QStyle::SP_TitleBarMenuButton;
    default: return QStyle::SP_TitleBarCloseButton;
    }
}

void CaptionButton(const TRender& E)
{
    const TLook L = NormalHotPressedDisabled(E.State);
    ToolFace(E, L);
    WithPainter(E, [&](QPainter& P, const QRect& R) {
        const int S = std::max(1, std::min(R.width(), R.height()) - 4);
        const QRect Icon(R.center().x() - S / 2, R.center().y() - S / 2, S, S);
        Style()->standardIcon(TitleBarIcon(E.Part)).paint(&P, Icon, Qt::AlignCenter,
                                                          L.Disabled ? QIcon::Disabled : QIcon::Normal);
    });
}

void PaintWindow(const TRender& E)
{
    const TThemeScheme& S = E.Scheme;
    const bool Active = E.State == 1;
    const COLORREF Accent = Active ? Role(S, QPalette::Highlight) : Role(S, QPalette::Mid);
    if (E.Part >= WP_CAPTION && E.Part <= WP_SMALLMAXCAPTION)
        Gradient(E.DC, E.Box, Accent, Mix(Accent, White, 55), false);
    else if (E.Part >= WP_FRAMELEFT && E.Part <= WP_SMALLFRAMEBOTTOM)
        FillSolid(E.DC, E.Box, Accent);
    else if (E.Part >= WP_SYSBUTTON && E.Part <= WP_MDIHELPBUTTON)
        CaptionButton(E);
    else if (E.Part == WP_HORZSCROLL || E.Part == WP_VERTSCROLL)
        ScrollTrack(E, NormalHotPressedDisabled(E.State));
    else if (E.Part == WP_HORZTHUMB || E.Part == WP_VERTTHUMB)
        ButtonFace(E, NormalHotPressedDisabled(E.State));
    else if (E.Part == WP_DIALOG || E.Part == 0)
        FillSolid(E.DC, E.Box, Role(S, QPalette::Window));
}

// The shell's own elements (clock, task bar, start panel ...): a plain
// panel is likeness enough, nothing in these libraries draws them.
void PaintShellPanel(const TRender& E)
{
    if (E.Part == 0)
        return;
    FillSolid(E.DC, E.Box, Role(E.Scheme, QPalette::Button));
    TSolidBrush Frame(Role(E.Scheme, QPalette::Mid));
    FrameRect(E.DC, &E.Box, Frame);
}

void PaintElement(const TThemedElementDetails& D, const TRender& E)
{
    switch (D.Element) {
    case teButton: PaintButton(E); break;
    case teComboBox: PaintComboBox(E); break;
    case teEdit: PaintEdit(E); break;
    case teExplorerBar: PaintExplorerBar(E); break;
    case teHeader: PaintHeader(E); break;
    case teListView: PaintListView(E); break;
    case teMenu: PaintMenu(E); break;
    case tePage:
    case teSpin: PaintSpin(E); break;
    case teProgress: PaintProgress(E); break;
    case teRebar: PaintRebar(E); break;
    case teScrollBar: PaintScrollBar(E); break;
    case teStatus: PaintStatus(E); break;
    case teTab: PaintTab(E); break;
    case teToolBar: PaintToolBar(E); break;
    case teToolTip: PaintToolTip(E); break;
    case teTrackBar: PaintTrackBar(E); break;
    case teTreeview: PaintTreeview(E); break;
    case teWindow: PaintWindow(E); break;
    case teClock:
    case teStartPanel:
    case teTaskBand:
    case teTaskBar:
    case teTrayNotify: PaintShellPanel(E); break;
    }
}

// Renders the element as it would fill Box on a transparent image of Size.
QImage RenderElement(const TThemedElementDetails& D, const TThemeScheme& Scheme, QSize Size, const TRect& Box)
{
    QImage Image(Size, QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::transparent);
    TDeviceContext DC(&Image, TPoint{0, 0}, Rect(0, 0, Size.width(), Size.height()));
    PaintElement(D, TRender{Image, &DC, Box, D.Part, D.State, Scheme});
    return Image;
}

// Premultiplied source over an opaque destination.
QRgb Over(QRgb Src, QRgb Dest)
{
    const int A = qAlpha(Src);
    if (A == 255)
        return Src;
    auto Channel = [&](int S, int D) { return S + (D * (255 - A) + 127) / 255; };
    return qRgb(Channel(qRed(Src), qRed(Dest)), Channel(qGreen(Src), qGreen(Dest)),
                Channel(qBlue(Src), qBlue(Dest)));
}

// Lays Src, whose (0, 0) lies at Origin of DC's image, over the image
// wherever Limit (image coordinates) allows.
void Composite(HDC DC, const QImage& Src, TPoint Origin, const TRegionData& Limit)
{
    QImage* Dest = DC->Image();
    for (int Y = Origin.Y; Y < Origin.Y + Src.height(); ++Y) {
        const auto* From = reinterpret_cast<const QRgb*>(Src.constScanLine(Y - Origin.Y));
        Limit.ForEachSpan(Y, Origin.X, Origin.X + Src.width(), [&](int A, int B) {
            auto* To = reinterpret_cast<QRgb*>(Dest->scanLine(Y));
            for (int X = A; X < B; ++X) {
                const QRgb S = From[X - Origin.X];
                if (qAlpha(S) != 0)
                    To[X] = DC->SurfaceColor(QRgbToColorRef(Over(S, To[X])));
            }
        });
    }
}

// Elements larger than this are absurd; only the part near what can be
// seen is rendered, so that a huge rectangle cannot exhaust memory.
constexpr int MaxElementExtent = 4096;
constexpr int HiddenMargin = 64;

// The element's rectangle in image coordinates, cut down when absurd.
TRect ElementImageRect(HDC DC, const TRect& R, const TRect& Visible)
{
    TRect Box = DC->ImageRect(R);
    if (Box.Width() > MaxElementExtent || Box.Height() > MaxElementExtent) {
        TRect Near = Visible;
        InflateRect(Near, HiddenMargin, HiddenMargin);
        IntersectRect(Box, Box, Near);
    }
    return Box;
}

// The colour the element's pixel (X, Y) shows on Background.
COLORREF SampleColor(const TThemedElementDetails& D, const TThemeScheme& Scheme, QSize Size, int X, int Y,
                     COLORREF Background)
{
    const QImage Image = RenderElement(D, Scheme, Size, Rect(0, 0, Size.width(), Size.height()));
    return QRgbToColorRef(Over(Image.pixel(X, Y), ColorRefToQRgb(Background)));
}

// --- colours ---------------------------------------------------------------------------

bool IsDisabledState(const TThemedElementDetails& D)
{
    switch (D.Element) {
    case teButton:
        if (D.Part == BP_GROUPBOX)
            return D.State == 2;
        return D.Part != 0 && D.Part != BP_USERBUTTON && (D.State - 1) % 4 == 3;
    case teEdit:
        if (D.Part == EP_BACKGROUND || D.Part == EP_BACKGROUNDWITHBORDER)
            return D.State == 3;
        return (D.Part == EP_EDITTEXT || D.Part >= EP_EDITBORDER_NOSCROLL) && D.State == 4;
    case teComboBox:
    case teSpin:
    case tePage: return D.State == 4;
    case teToolBar: return D.Part != 0 && D.State == 4;
    default: return false;
    }
}

std::optional<COLORREF> ExplorerBarColor(const TThemedElementDetails& D, const TThemeScheme& S, int PropId)
{
    const bool SpecialHead = D.Part == EBP_SPECIALGROUPHEAD;
    switch (PropId) {
    case TMT_TEXTCOLOR: return SpecialHead ? S.SpecialHeadText : S.NormalHeadText;
    case TMT_FILLCOLOR:
        switch (D.Part) {
        case 0: return S.BarTop;
        case EBP_NORMALGROUPBACKGROUND: return S.NormalBody;
        case EBP_SPECIALGROUPBACKGROUND: return S.SpecialBody;
        case EBP_NORMALGROUPHEAD: return S.NormalHeadRight;
        case EBP_SPECIALGROUPHEAD: return S.SpecialHeadLeft;
        default: return S.NormalHeadLeft;
        }
    case TMT_BORDERCOLOR: return S.BodyBorder;
    case TMT_GRADIENTCOLOR1:
        return D.Part == 0 ? S.BarTop : SpecialHead ? S.SpecialHeadLeft : S.NormalHeadLeft;
    case TMT_GRADIENTCOLOR2:
        return D.Part == 0 ? S.BarBottom : SpecialHead ? S.SpecialHeadRight : S.NormalHeadRight;
    default: return std::nullopt;
    }
}

QPalette::ColorRole TextRole(const TThemedElementDetails& D)
{
    switch (D.Element) {
    case teButton: return D.Part == BP_PUSHBUTTON || D.Part == BP_USERBUTTON ? QPalette::ButtonText
                                                                             : QPalette::WindowText;
    case teEdit:
    case teListView:
    case teTreeview:
        // The first part is the text or the item; its third state is "selected".
        return D.Part == 1 && D.State == 3 ? QPalette::HighlightedText : QPalette::Text;
    case teMenu: return D.State == 2 ? QPalette::HighlightedText : QPalette::WindowText;
    case teToolTip: return QPalette::ToolTipText;
    case teWindow: return D.Part <= WP_SMALLMAXCAPTION && D.State == 1 ? QPalette::HighlightedText
                                                                        : QPalette::WindowText;
    case teHeader:
    case teComboBox:
    case teSpin:
    case tePage:
    case teToolBar:
    case teRebar:
    case teScrollBar: return QPalette::ButtonText;
    default: return QPalette::WindowText;
    }
}

QPalette::ColorRole FillRole(const TThemedElementDetails& D)
{
    switch (D.Element) {
    case teEdit:
    case teListView:
    case teTreeview: return QPalette::Base;
    case teToolTip: return QPalette::ToolTipBase;
    case teProgress: return D.Part >= PP_CHUNK ? QPalette::Highlight : QPalette::Base;
    case teWindow: return D.Part <= WP_SMALLMAXCAPTION && D.Part != 0 ? QPalette::Highlight : QPalette::Window;
    case teStatus:
    case teTab:
    case teMenu:
    case teToolBar:
    case teRebar: return QPalette::Window;
    default: return QPalette::Button;
    }
}

std::optional<COLORREF> ElementColor(const TThemedElementDetails& D, const TThemeScheme& S, int PropId)
{
    if (D.Element == teExplorerBar)
        return ExplorerBarColor(D, S, PropId);
    const bool Disabled = IsDisabledState(D);
    switch (PropId) {
    case TMT_TEXTCOLOR: return Role(S, TextRole(D), Disabled);
    case TMT_FILLCOLOR:
    case TMT_EDGEFILLCOLOR: return Role(S, FillRole(D), Disabled);
    case TMT_BORDERCOLOR: return D.Element == teEdit ? S.EditBorder : Role(S, QPalette::Mid, Disabled);
    case TMT_EDGELIGHTCOLOR: return Role(S, QPalette::Midlight);
    case TMT_EDGEHIGHLIGHTCOLOR: return Role(S, QPalette::Light);
    case TMT_EDGESHADOWCOLOR: return Role(S, QPalette::Mid);
    case TMT_EDGEDKSHADOWCOLOR: return Role(S, QPalette::Shadow);
    default: return std::nullopt;
    }
}

// The part of BoundingRect inside each element's border.
int ContentInset(const TThemedElementDetails& D)
{
    const int Frame = Metric(QStyle::PM_DefaultFrameWidth);
    switch (D.Element) {
    case teButton: return D.Part == BP_PUSHBUTTON || D.Part == BP_USERBUTTON ? Frame + 1
                          : D.Part == BP_GROUPBOX                          ? 2
                                                                           : 0;
    case teEdit: return D.Part == EP_EDITTEXT || D.Part >= EP_BACKGROUNDWITHBORDER ? Frame : 0;
    case teComboBox:
    case teProgress: return D.Part != 0 ? Frame : 0;
    case teTab: return D.Part == TABP_PANE ? Frame : D.Part != 0 && D.Part < TABP_PANE ? 2 : 0;
    case teToolBar: return D.Part >= TP_BUTTON && D.Part <= TP_SPLITBUTTONDROPDOWN ? 3 : 0;
    case teToolTip: return D.Part == 0 || D.Part == TTP_STANDARD || D.Part == TTP_BALLOON ? 3 : 0;
    case teHeader: return D.Part >= HP_HEADERITEM && D.Part <= HP_HEADERITEMRIGHT ? 2 : 0;
    case teStatus: return D.Part == SP_PANE || D.Part == SP_GRIPPERPANE ? 1 : 0;
    default: return 0;
    }
}

TSize NaturalSize(const TThemedElementDetails& D)
{
    auto Square = [](int S) { return TSize{S, S}; };
    switch (D.Element) {
    case teButton:
        if (D.Part == BP_RADIOBUTTON)
            return {Metric(QStyle::PM_ExclusiveIndicatorWidth), Metric(QStyle::PM_ExclusiveIndicatorHeight)};
        if (D.Part == BP_CHECKBOX)
            return {Metric(QStyle::PM_IndicatorWidth), Metric(QStyle::PM_IndicatorHeight)};
        return {};
    case teExplorerBar:
        if (D.Part == EBP_HEADERCLOSE || D.Part == EBP_HEADERPIN || D.Part == EBP_IEBARMENU)
            return Square(16);
        if (D.Part == EBP_NORMALGROUPCOLLAPSE || D.Part == EBP_NORMALGROUPEXPAND ||
            D.Part == EBP_SPECIALGROUPCOLLAPSE || D.Part == EBP_SPECIALGROUPEXPAND)
            return Square(18);
        return {};
    case teComboBox: return D.Part == CP_DROPDOWNBUTTON ? Square(Metric(QStyle::PM_ScrollBarExtent)) : TSize{};
    case teHeader: return D.Part == HP_HEADERSORTARROW ? Square(Metric(QStyle::PM_HeaderMarkSize)) : TSize{};
    case teStatus: return D.Part == SP_GRIPPER ? Square(Metric(QStyle::PM_SizeGripSize)) : TSize{};
    case teScrollBar: return D.Part == SBP_SIZEBOX ? Square(Metric(QStyle::PM_SizeGripSize)) : TSize{};
    case teTreeview: return D.Part == TVP_GLYPH ? Square(Metric(QStyle::PM_IndicatorWidth)) : TSize{};
    case teToolTip: return D.Part == TTP_CLOSE ? Square(16) : TSize{};
    default: return {};
    }
}

} // namespace

// --- the facade --------------------------------------------------------------------------

TThemeHooks& ThemeHooks()
{
    static TThemeHooks Hooks;
    return Hooks;
}

TThemeServices& ThemeServices()
{
    static TThemeServices Services;
    return Services;
}

TThemeServices::TThemeServices() = default;
TThemeServices::~TThemeServices() = default;

bool TThemeServices::ThemesAvailable() const
{
    return HasWidgetApplication();
}

bool TThemeServices::ThemesEnabled() const
{
    return FThemesEnabled && ThemesAvailable();
}

void TThemeServices::SetThemesEnabled(bool Value)
{
    if (FThemesEnabled == Value)
        return;
    FThemesEnabled = Value;
    ApplyThemeChange();
}

void TThemeServices::UpdateThemes()
{
    FScheme.reset();
}

void TThemeServices::ApplyThemeChange()
{
    UpdateThemes();
    if (ThemeHooks().ThemeChanged)
        ThemeHooks().ThemeChanged();
    if (FOnThemeChange)
        FOnThemeChange(this);
}

const TThemeScheme& TThemeServices::Scheme() const
{
    if (!FScheme) {
        auto S = std::make_unique<TThemeScheme>();
        S->Palette = QApplication::palette();
        DeriveExplorerColors(*S);
        // The middle of a line edit's top edge is its border.
        S->EditBorder = SampleColor(GetElementDetails(teEditTextNormal), *S, QSize(40, 20), 20, 0,
                                    Role(*S, QPalette::Window));
        FScheme = std::move(S);
    }
    return *FScheme;
}

void TThemeServices::DrawElement(HDC DC, const TThemedElementDetails& Details, const TRect& R,
                                 const TRect* ClipRect) const
{
    if (!ThemesEnabled() || !IsValidDC(DC) || DC->Image() == nullptr || IsRectEmpty(R))
        return;
    TRegionData Limit = DC->ClipRegion().Combine(TRegionData(DC->ImageRect(R)), RGN_AND);
    if (ClipRect != nullptr)
        Limit = Limit.Combine(TRegionData(DC->ImageRect(*ClipRect)), RGN_AND);
    if (Limit.IsEmpty())
        return;
    const TRect Visible = Limit.Bounds();
    TRect Box = ElementImageRect(DC, R, Visible);
    OffsetRect(Box, -Visible.Left, -Visible.Top);
    const QImage Image = RenderElement(Details, Scheme(), QSize(Visible.Width(), Visible.Height()), Box);
    Composite(DC, Image, Visible.TopLeft(), Limit);
}

void TThemeServices::DrawText(HDC DC, const TThemedElementDetails& Details, const String& S, TRect R,
                              unsigned Flags, unsigned Flags2) const
{
    if (!ThemesEnabled() || !IsValidDC(DC) || (Flags & DT_CALCRECT) != 0)
        return;
    const COLORREF Color = (Flags2 & DTT_GRAYED) != 0 ? Role(Scheme(), QPalette::Text, true)
                                                      : COLORREF(GetThemeColor(Details, TMT_TEXTCOLOR));
    const int Saved = SaveDC(DC);
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, Color);
    ::DrawText(DC, S, &R, Flags);
    RestoreDC(DC, Saved);
}

bool TThemeServices::GetTextExtent(HDC DC, const TThemedElementDetails&, const String& S, unsigned Flags,
                                   const TRect* BoundingRect, TRect& ExtentRect) const
{
    ExtentRect = TRect();
    if (!ThemesEnabled() || !IsValidDC(DC))
        return false;
    TRect R = BoundingRect != nullptr ? *BoundingRect : TRect();
    if (::DrawText(DC, S, &R, Flags | DT_CALCRECT) == 0 && !S.isEmpty())
        return false;
    ExtentRect = R;
    return true;
}

TRect TThemeServices::ContentRect(HDC, const TThemedElementDetails& Details, TRect BoundingRect) const
{
    if (!ThemesEnabled())
        return BoundingRect;
    const int Inset = ContentInset(Details);
    return Rect(BoundingRect.Left + Inset, BoundingRect.Top + Inset, BoundingRect.Right - Inset,
                BoundingRect.Bottom - Inset);
}

TSize TThemeServices::GetPartSize(HDC, const TThemedElementDetails& Details) const
{
    return ThemesEnabled() ? NaturalSize(Details) : TSize{};
}

bool TThemeServices::HasTransparentParts(const TThemedElementDetails& Details) const
{
    if (!ThemesEnabled())
        return false;
    // Asked of the painting itself, on a sample of the element's own size.
    TSize Size = NaturalSize(Details);
    if (Size.cx <= 0 || Size.cy <= 0)
        Size = {48, 24};
    const QImage Image =
        RenderElement(Details, Scheme(), QSize(Size.cx, Size.cy), Rect(0, 0, Size.cx, Size.cy));
    for (int Y = 0; Y < Image.height(); ++Y) {
        const auto* Line = reinterpret_cast<const QRgb*>(Image.constScanLine(Y));
        for (int X = 0; X < Image.width(); ++X)
            if (qAlpha(Line[X]) != 255)
                return true;
    }
    return false;
}

TColor TThemeServices::GetThemeColor(const TThemedElementDetails& Details, int PropId) const
{
    if (!ThemesEnabled())
        return clWhite;
    const std::optional<COLORREF> C = ElementColor(Details, Scheme(), PropId);
    return TColor(std::int32_t(C.value_or(White)));
}

bool TThemeServices::DrawParentBackground(HWND Wnd, HDC DC, const TThemedElementDetails* Details,
                                          bool OnlyIfTransparent, const TRect* Bounds) const
{
    if (OnlyIfTransparent && Details != nullptr && !HasTransparentParts(*Details))
        return false;
    const auto& Hook = ThemeHooks().DrawParentBackground;
    return Hook ? Hook(Wnd, DC, Bounds) : false;
}
