#pragma once
// The window calls under their classic names: windows created on demand
// (HWND is our own object), messages sent, posted and queued, painting,
// focus, capture, timers, scroll bars and the system metrics in use.
//
// Only top-level windows (forms, popups, hint windows) have a Qt window; a
// child window lives in its top-level window's image, as child windows
// share the screen on the classic desktop, and gets its input from its
// top-level window's Qt events through our own hit-testing.  Input becomes
// queued messages; the program's message loop (TApplication) takes them
// out with PeekMessage and hands them to DispatchMessage.  A message to a
// window that has gone is dropped; a window's timers die with it.
//
// Linux differences, by design: forms get their title bar and border from
// the desktop's window manager, so a top-level form has no non-client area
// of ours (its Width is its ClientWidth), and placing one on the screen
// reckons with the frame the desktop will draw (GetDesktopFrameMargins);
// popups and hint windows paint their own frames.  Sounds go through a
// replaceable beep hook.
#include "platform/windows/Messages.h"

#include <functional>
#include <vector>

class TObject;
class QWidget;

// A window procedure: the control's (or whatever subclassed the window).
using TWindowProcedure = std::function<void(TMessage& Message)>;

// What CreateWindowEx takes.  DefaultProc is the window class's own
// procedure, which DefWindowProc stands for when it is empty.
struct TWindowCreateParams {
    DWORD ExStyle = 0;
    String ClassName;
    String WindowName;
    DWORD Style = 0;
    UINT ClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    // The parent (WS_CHILD) or the owner (top-level windows).
    HWND Parent = nullptr;
    TWindowProcedure WindowProc;
    TWindowProcedure DefaultProc;
    // The object that lives behind the window (FindControl).
    TObject* Owner = nullptr;
    // Called with the new handle before the window gets its first message,
    // so that its procedure already knows its handle.
    std::function<void(HWND Wnd)> Created;
    // A window that only receives messages (timers, captures): never shown.
    bool MessageOnly = false;
};

// WM_CREATE's LParam points to this.
struct CREATESTRUCT {
    const TWindowCreateParams* Params = nullptr;
};

// --- life ------------------------------------------------------------------
HWND CreateWindowEx(const TWindowCreateParams& Params);
// Destroys the window and its children (children first get WM_DESTROY
// after their parent): WM_DESTROY, then WM_NCDESTROY.  Any capture,
// focus, timer and queued message of the window goes with it.
BOOL DestroyWindow(HWND Wnd);
// A live window (never one that has been destroyed).
bool IsWindow(HWND Wnd);
// Each window gets a new number; a destroyed window's number never comes
// back, so (handle, number) names one window for ever.
std::uint64_t WindowSerial(HWND Wnd);
bool IsWindowSerial(HWND Wnd, std::uint64_t Serial);
// The object behind the window (TWindowCreateParams::Owner).
TObject* GetWindowOwnerObject(HWND Wnd);

// A window that only receives messages, for objects that need timers or
// posted messages (TTimer, the application).
HWND AllocateHWnd(TWindowProcedure Proc);
void DeallocateHWnd(HWND Wnd);

// --- procedures and messages -------------------------------------------------
LRESULT DefWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
// The window class's own procedure for Wnd (DefWindowProc unless the
// window was created with a DefaultProc).
LRESULT CallDefaultProc(HWND Wnd, TMessage& Message);
TWindowProcedure GetWindowProc(HWND Wnd);
// Subclasses the window; returns the procedure it had.
TWindowProcedure SetWindowProc(HWND Wnd, TWindowProcedure Proc);
LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
LRESULT SendMessage(HWND Wnd, TMessage& Message);
// Queues the message; false when the window is not there.  A null window
// posts to the thread (seen by the loop, not dispatched to a window).
BOOL PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
void PostQuitMessage(int ExitCode);
// Takes Qt's pending events into the queue first, then looks for a message
// for Wnd (any when null) between Min and Max (any when both 0).
BOOL PeekMessage(MSG& Msg, HWND Wnd, UINT Min, UINT Max, UINT Remove);
// Waits for a message; false for WM_QUIT.
BOOL GetMessage(MSG& Msg, HWND Wnd, UINT Min, UINT Max);
// Posts WM_CHAR / WM_SYSCHAR for the characters of a key press.
BOOL TranslateMessage(const MSG& Msg);
// Calls the window's procedure; a message for a window that has gone is
// dropped.  Exceptions go to the exception hook, never further.
LRESULT DispatchMessage(const MSG& Msg);
// Blocks until input or a posted message arrives (or a timer fires).
BOOL WaitMessage();
DWORD GetMessagePos();
DWORD GetMessageTime();
// Whatever catches an exception at one of our entry points hands it here
// (the application's HandleException); the default prints it.
using TExceptionHook = std::function<void(HWND Wnd)>;
void SetEntryExceptionHook(TExceptionHook Hook);
// Runs F, handing any exception to the hook.
void GuardEntry(HWND Wnd, const std::function<void()>& F);
// What hands queued messages out while a loop that is not ours runs (a Qt
// dialog): the application's message processing; one message per call,
// false when there was none.
void SetMessageProcessor(std::function<bool()> Processor);
// The number of message dispatches in progress (0 outside any).
int DispatchDepth();
// Runs F once the outermost dispatch has returned (at once outside one).
void RunAfterDispatch(std::function<void()> F);

// --- tree and geometry ---------------------------------------------------------
HWND GetParent(HWND Wnd);
// Re-parents a live window; a null parent makes it a top-level window.
HWND SetParent(HWND Wnd, HWND NewParent);
enum : UINT { GW_HWNDFIRST = 0, GW_HWNDLAST = 1, GW_HWNDNEXT = 2, GW_HWNDPREV = 3, GW_OWNER = 4, GW_CHILD = 5 };
HWND GetWindow(HWND Wnd, UINT Cmd);
enum : UINT { GA_PARENT = 1, GA_ROOT = 2, GA_ROOTOWNER = 3 };
HWND GetAncestor(HWND Wnd, UINT Flags);
// Gives a top-level window its owner (GWLP_HWNDPARENT; nullptr for none):
// the window it stays above on the desktop and goes with.  Refused for a
// child window, the window itself, or an owner it would come to own.
// Returns the old owner.
HWND SetWindowOwner(HWND Wnd, HWND Owner);
// A top-level window that a modal loop runs: the desktop shows it modal to
// its owner (kept above it, and the owner takes no input meanwhile).
void SetWindowModal(HWND Wnd, BOOL Modal);
// Every top-level window, the front of the desktop first.
std::vector<HWND> TopLevelWindowList();
BOOL IsChild(HWND Parent, HWND Wnd);
// Screen coordinates.
BOOL GetWindowRect(HWND Wnd, TRect* R);
BOOL GetClientRect(HWND Wnd, TRect* R);
BOOL SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int Width, int Height, UINT Flags);
BOOL MoveWindow(HWND Wnd, int X, int Y, int Width, int Height, BOOL Repaint);
BOOL ShowWindow(HWND Wnd, int Cmd);
BOOL IsWindowVisible(HWND Wnd);
BOOL IsIconic(HWND Wnd);
BOOL IsZoomed(HWND Wnd);
// How a window is shown: showCmd SW_SHOWNORMAL, SW_SHOWMINIMIZED or
// SW_SHOWMAXIMIZED, and rcNormalPosition its bounds when neither minimised
// nor maximised (what to store and restore), screen coordinates for a
// top-level window.  The other members are not used here.
struct WINDOWPLACEMENT {
    UINT length = sizeof(WINDOWPLACEMENT);
    UINT flags = 0;
    UINT showCmd = 0;
    TPoint ptMinPosition;
    TPoint ptMaxPosition;
    TRect rcNormalPosition;
};
BOOL GetWindowPlacement(HWND Wnd, WINDOWPLACEMENT* Placement);
BOOL EnableWindow(HWND Wnd, BOOL Enable);
BOOL IsWindowEnabled(HWND Wnd);
long GetWindowLong(HWND Wnd, int Index);
long SetWindowLong(HWND Wnd, int Index, long Value);
BOOL SetWindowText(HWND Wnd, const String& Text);
String GetWindowText(HWND Wnd);
BOOL ClientToScreen(HWND Wnd, TPoint* P);
BOOL ScreenToClient(HWND Wnd, TPoint* P);
int MapWindowPoints(HWND From, HWND To, TPoint* Points, UINT Count);
// The deepest visible, enabled window at a screen point (HTTRANSPARENT
// windows let the point through).
HWND WindowFromPoint(TPoint P);
HWND ChildWindowFromPoint(HWND Parent, TPoint ClientPoint);
// Shapes the window; the region (window coordinates) then belongs to it.
int SetWindowRgn(HWND Wnd, HRGN Region, BOOL Redraw);
int GetWindowRgn(HWND Wnd, HRGN Region);
BOOL ScrollWindow(HWND Wnd, int DX, int DY, const TRect* Scroll, const TRect* Clip);

// --- painting --------------------------------------------------------------------
BOOL InvalidateRect(HWND Wnd, const TRect* R, BOOL Erase);
BOOL InvalidateRgn(HWND Wnd, HRGN Region, BOOL Erase);
BOOL ValidateRect(HWND Wnd, const TRect* R);
BOOL RedrawWindow(HWND Wnd, const TRect* R, HRGN Region, UINT Flags);
// Paints what is pending for the window and its children now.
BOOL UpdateWindow(HWND Wnd);
BOOL GetUpdateRect(HWND Wnd, TRect* R, BOOL Erase);
HDC BeginPaint(HWND Wnd, PAINTSTRUCT* Paint);
BOOL EndPaint(HWND Wnd, const PAINTSTRUCT* Paint);
// The whole window, frame included.
HDC GetWindowDC(HWND Wnd);
enum : DWORD { DCX_WINDOW = 0x01, DCX_CACHE = 0x02, DCX_CLIPCHILDREN = 0x08, DCX_CLIPSIBLINGS = 0x10,
               DCX_PARENTCLIP = 0x20, DCX_EXCLUDERGN = 0x40, DCX_INTERSECTRGN = 0x80 };
HDC GetDCEx(HWND Wnd, HRGN Clip, DWORD Flags);
// Paints Wnd (frame, background, client and child windows) into DC with
// its top-left corner at (X, Y), whether it is shown or not: a test can
// paint any window into a bitmap.
void PaintWindowTo(HWND Wnd, HDC DC, int X, int Y);
// The image a top-level window shows (nullptr for child windows).
const class QImage* WindowSurfaceImage(HWND Wnd);
// The memory that image takes (its buffer may be larger than the window).
std::size_t WindowSurfaceBytes(HWND Wnd);
// The Qt window of a top-level window (tests send it input).
QWidget* WindowQtWidget(HWND Wnd);
// How far the frame the desktop's window manager draws round a top-level
// window reaches out on each side of it (Left, Top with the title bar,
// Right, Bottom); none for windows that draw their own border, child
// windows and desktops without frames. The desktop tells it once it has
// framed the window; before that the frame of another window stands in,
// else an estimate from the style's title bar. A hook scripts it in tests
// (empty puts the desktop back).
TRect GetDesktopFrameMargins(HWND Wnd);
void SetDesktopFrameHook(std::function<TRect(HWND Wnd)> Hook);
// Runs Done once, after the desktop has next painted the top-level window
// Wnd on the screen: by then its window manager has framed it. Nothing runs
// for a window the desktop does not frame or that goes first.
void WhenDesktopFramed(HWND Wnd, std::function<void()> Done);

// --- scroll bars -----------------------------------------------------------------
int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO* Info, BOOL Redraw);
BOOL GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info);
int SetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw);
int GetScrollPos(HWND Wnd, int Bar);
BOOL SetScrollRange(HWND Wnd, int Bar, int Min, int Max, BOOL Redraw);
BOOL GetScrollRange(HWND Wnd, int Bar, int* Min, int* Max);
BOOL ShowScrollBar(HWND Wnd, int Bar, BOOL Show);
// The scroll-bar control's window procedure: a window that is one scroll
// bar (upright with SBS_VERT in its style), its state SB_CTL's.  It paints
// the bar over its client area, follows a left press (the arrows and the
// track repeat while held, the thumb follows the mouse) and the arrow,
// page, Home and End keys, and sends WM_HSCROLL / WM_VSCROLL to its parent
// with its own handle in LParam; everything else goes to DefWindowProc.
enum : DWORD { SBS_HORZ = 0x0000, SBS_VERT = 0x0001 };
LRESULT DefScrollBarProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

// --- input -----------------------------------------------------------------------
HWND SetCapture(HWND Wnd);
BOOL ReleaseCapture();
HWND GetCapture();
HWND SetFocus(HWND Wnd);
HWND GetFocus();
HWND GetActiveWindow();
HWND SetActiveWindow(HWND Wnd);
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND Wnd);
// Whether the program is the active one on the desktop.
bool ApplicationIsActive();
BOOL GetCursorPos(TPoint* P);
BOOL SetCursorPos(int X, int Y);
// What takes the mouse in part of Wnd's client area (ClientRect) changed
// with no window changing: a control without a window of its own came,
// went, moved or was sized.  When the mouse is there, the window under it
// is told where the mouse is once the queue runs dry, as after any window
// was shown, hidden, moved or sized under a still mouse.
void MouseAreaChanged(HWND Wnd, const TRect& ClientRect);
// High bit: the key is down; low bit: a lock key is toggled on.
std::int16_t GetKeyState(int VirtKey);
std::int16_t GetAsyncKeyState(int VirtKey);
BOOL GetKeyboardState(std::uint8_t* States);

// Cursors: an HCURSOR names one of the shapes below.
using HCURSOR = std::intptr_t;
enum : HCURSOR {
    IDC_ARROW = 32512, IDC_IBEAM = 32513, IDC_WAIT = 32514, IDC_CROSS = 32515, IDC_UPARROW = 32516,
    IDC_SIZENWSE = 32642, IDC_SIZENESW = 32643, IDC_SIZEWE = 32644, IDC_SIZENS = 32645, IDC_SIZEALL = 32646,
    IDC_NO = 32648, IDC_HAND = 32649, IDC_APPSTARTING = 32650, IDC_HELP = 32651,
    // Shapes of the class library's own cursor set.
    IDC_DRAG = 33000, IDC_NODROP = 33001, IDC_HSPLIT = 33002, IDC_VSPLIT = 33003, IDC_MULTIDRAG = 33004,
    IDC_SQLWAIT = 33005,
};
HCURSOR LoadCursor(void* Instance, HCURSOR Name);
HCURSOR SetCursor(HCURSOR Cursor);
HCURSOR GetCursor();

// --- timers, time, sound ---------------------------------------------------------
// WM_TIMER reaches Wnd every Elapse ms (at most one queued at a time).
std::uintptr_t SetTimer(HWND Wnd, std::uintptr_t Id, UINT Elapse);
BOOL KillTimer(HWND Wnd, std::uintptr_t Id);
// Milliseconds; a test can replace the clock (empty puts the real one back).
DWORD GetTickCount();
void SetTickCountHook(std::function<DWORD()> Hook);
enum : UINT { MB_OK_BEEP = 0x0000, MB_ICONHAND_BEEP = 0x0010, MB_ICONQUESTION_BEEP = 0x0020,
              MB_ICONEXCLAMATION_BEEP = 0x0030, MB_ICONASTERISK_BEEP = 0x0040, BEEP_SIMPLE = 0xFFFFFFFF };
BOOL MessageBeep(UINT Type);
void SetBeepHook(std::function<void(UINT Type)> Hook);

// --- system facts ----------------------------------------------------------------
int GetSystemMetrics(int Index);
enum : UINT { SPI_GETWORKAREA = 0x0030, SPI_GETWHEELSCROLLLINES = 0x0068, SPI_GETDRAGFULLWINDOWS = 0x0026 };
BOOL SystemParametersInfo(UINT Action, UINT Param, void* Value, UINT WinIni);
// The double-click interval in milliseconds.
UINT GetDoubleClickTime();

// --- embedded Qt editors -----------------------------------------------------------
// Gives a window a Qt widget that fills its client area (an edit's
// QLineEdit).  The window owns the widget from now on.  Key and mouse
// input for the widget is queued as messages to the window first; the
// window's default procedure hands it to the widget.
void SetWindowHostedWidget(HWND Wnd, QWidget* Widget);
QWidget* GetWindowHostedWidget(HWND Wnd);
