#pragma once
// The vocabulary of controls: alignment, anchors, mouse buttons, shift
// states, cursors, control styles and states, bidirectional modes, drag
// and dock kinds, modal results, and the event types controls fire.
#include "platform/classes/Alignment.h"
#include "platform/windows/WinUser.h"
#include "platform/rtl/System.h"

#include <cstdint>
#include <functional>

class TControl;
class TWinControl;
class TDragObject;
class TDragDockObject;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using TAlignSet = TSet<TAlign>;
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
inline constexpr TAnchors DefaultAnchors{akLeft, akTop};
// The anchors each alignment implies.
TAnchors AnchorAlign(TAlign Align);

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;
TShiftState KeysToShiftState(WPARAM Keys);
TShiftState KeyDataToShiftState(LPARAM KeyData);
// The shift keys as they are now (GetKeyState).
TShiftState KeyboardStateToShiftState();

// Cursors: 0 and the negative values are the built-in shapes; positive
// values are slots an application fills (TScreen::SetCursors).
enum TCursor : std::int16_t {
    crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -22, crSizeNESW = -6,
    crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12,
    crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18,
    crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22,
};
// Names for form text ("crHandPoint").
bool CursorToIdent(std::int64_t Cursor, String& Ident);
bool IdentToCursor(const String& Ident, std::int64_t& Cursor);
// The window-layer cursor of a TCursor (custom slots through Cursors).
HCURSOR CursorHandle(TCursor Cursor);
// Fills a custom slot (or replaces a built-in shape).
void SetCursorHandle(TCursor Cursor, HCURSOR Handle);

enum TControlStyleItem {
    csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
    csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
    csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint, csParentBackground,
    csPannable, csAlignWithMargins, csGestures, csPaintBlackOpaqueOnGlass, csOverrideStylePaint,
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
    csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
    csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csDesignerHide, csPanning,
    csRecreating, csAligning, csGlassPaint, csPrintClient,
};
using TControlState = TSet<TControlStateItem>;

// Holds Flag in a control's state for the length of a scope, raising or not.
class TControlStateFlag {
public:
    TControlStateFlag(TControlState& State, TControlStateItem Flag) : FState(State), FFlag(Flag)
    {
        FState.Include(FFlag);
    }
    ~TControlStateFlag() { FState.Exclude(FFlag); }
    TControlStateFlag(const TControlStateFlag&) = delete;
    TControlStateFlag& operator=(const TControlStateFlag&) = delete;

private:
    TControlState& FState;
    TControlStateItem FFlag;
};

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDockOrientation { doNoOrient, doHorizontal, doVertical };
enum TMouseActivate { maDefault, maActivate, maActivateAndEat, maNoActivate, maNoActivateAndEat };
using TTabOrder = int;
using TBorderWidth = int;
using TImageIndex = int;

using TCaption = String;
using THelpContext = int;
enum THelpType { htKeyword, htContext };

// Modal results of dialogs and buttons.
using TModalResult = int;
enum : TModalResult {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
    mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11,
};

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos,
                                            bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TMouseActivateEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y,
                                               int HitTest, TMouseActivate& MouseActivate)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TConstrainedResizeEvent = std::function<void(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth,
                                                   int& MaxHeight)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State,
                                          bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TDockDropEvent = std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y)>;
using TDockOverEvent = std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y, TDragState State,
                                          bool& Accept)>;
using TUnDockEvent = std::function<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;
using TGetSiteInfoEvent = std::function<void(TObject* Sender, TControl* DockClient, TRect& InfluenceRect,
                                             TPoint MousePos, bool& CanDock)>;

// Text of a hint: the part before "|" shows in the hint window, the part
// after it in the status bar (both: the whole text when there is no "|").
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);
