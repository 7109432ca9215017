#pragma once
// The window object behind an HWND, private to the window calls
// (WndCore, WndPaint, WndQueue, WndInput, WndScrollBars).  Controls never
// look inside: they use the calls of WinUser.h.
#include "platform/windows/WinUser.h"
#include "platform/graphics/Region.h"

#include <QImage>
#include <QMargins>
#include <QPointer>
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>

class QWidget;
class TSurfaceWidget;

struct TScrollBarState {
    SCROLLINFO Info;
    bool Visible = false;
};

// The image and Qt window of a top-level window.  Image is a view of the
// window's size on Store, which a shrinking window keeps: resizing back
// and forth neither allocates nor fills a new buffer.
struct TWindowSurface {
    QImage Image;
    QImage Store;
    QPointer<TSurfaceWidget> Widget;
};

struct TWndHandle {
    std::uint64_t Serial = 0;
    bool Alive = true;
    TWindowProcedure Proc;
    TWindowProcedure DefaultProc;
    TObject* Owner = nullptr;
    String ClassName;
    String Text;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    UINT ClassStyle = 0;
    long Id = 0;
    long UserData = 0;

    // A child window's parent, or a top-level window's owner.
    HWND Parent = nullptr;
    // Child windows, the top of the z-order first.
    std::vector<HWND> Children;

    // Relative to the parent's client area (child windows) or the screen.
    TRect Rect;
    // Relative to the window's top-left corner (after WM_NCCALCSIZE).
    TRect Client;
    // Rect when last neither minimised nor maximised.
    TRect NormalRect;
    std::optional<TRegionData> Shape;

    // Pending paint: client coordinates.
    TRegionData Update;
    bool UpdateErase = false;
    bool FrameUpdate = false;
    bool Painting = false;
    // Counts BeginPaint and ValidateRect calls: a paint that validated keeps
    // what was invalidated while it painted for the next pass.
    std::uint64_t Validations = 0;

    // SB_HORZ, SB_VERT and (for a scroll-bar control) SB_CTL.
    TScrollBarState Scroll[3];
    bool Minimized = false;
    bool Maximized = false;
    bool Topmost = false;
    bool MessageOnly = false;
    // Run by a modal loop (SetWindowModal).
    bool Modal = false;

    std::unique_ptr<TWindowSurface> Surface;
    QPointer<QWidget> Hosted;
    // The first half of a character of two code units, waiting for its
    // second before the embedded editor gets them (ForwardToHostedWidget).
    QChar HeldHighSurrogate;

    bool IsChild() const { return (Style & WS_CHILD) != 0 && Parent != nullptr; }
    // A top-level window with a caption (dialogs included) gets its title
    // bar and border from the desktop's window manager, not from us: its
    // whole rectangle is client area.  Captionless popups (menus, hints,
    // drop-downs) draw their own border.
    bool FramedByDesktop() const
    {
        return !IsChild() && ((Style & WS_POPUP) == 0 || (Style & WS_CAPTION) == WS_CAPTION);
    }
    bool Visible() const { return (Style & WS_VISIBLE) != 0; }
    bool Enabled() const { return (Style & WS_DISABLED) == 0; }
    int Width() const { return Rect.Right - Rect.Left; }
    int Height() const { return Rect.Bottom - Rect.Top; }
};

// Private messages of the window layer.
enum : UINT {
    // The desktop moved or resized a top-level window: take its geometry.
    QV_WM_SYNCGEOMETRY = 0x03F0,
    // The desktop activated a top-level window.
    QV_WM_ACTIVATED = 0x03F1,
};

// --- shared between the window units ---
namespace QvWnd {

// Windows lately found alive, in slots chosen by address: a mouse move
// asks about the same handful of windows (the top-level, the path down to
// the window under the mouse, the windows it paints) again and again, and
// with one slot each of them was looked up afresh.  Emptied whenever a
// window goes.
struct TLiveCache {
    static constexpr int Bits = 6, Slots = 1 << Bits;
    HWND Wnd[Slots] = {};
    static int SlotOf(HWND W) { return int((std::uintptr_t(W) * 0x9E3779B97F4A7C15ull) >> (64 - Bits)); }
    void Clear() { std::fill(std::begin(Wnd), std::end(Wnd), nullptr); }
};
extern TLiveCache LiveCache;
// The registry of live windows, for a window not in the cache.
TWndHandle* LookUpLive(HWND Wnd);

// The live window or nullptr; never dereferences a dead pointer.
inline TWndHandle* Live(HWND Wnd)
{
    return Wnd != nullptr && LiveCache.Wnd[TLiveCache::SlotOf(Wnd)] == Wnd ? Wnd : LookUpLive(Wnd);
}
HWND TopLevel(HWND Wnd);
// Wnd and its ancestors are all visible (and the top-level is shown).
bool IsShowing(HWND Wnd);
// Window origin and client origin of Wnd in its top-level's image.
TPoint WindowOrigin(HWND Wnd);
TPoint ClientOrigin(HWND Wnd);
// Top-left corner of the top-level window's image on the screen.
TPoint SurfaceScreenOrigin(HWND Top);
// What of the window (Client false: the whole window, frame included)
// can be seen in its top-level's image, in image coordinates.  Child
// windows are left out when the window has WS_CLIPCHILDREN, unless
// ClipChildren says otherwise (GetDCEx's flags decide for themselves).
enum class TClipChildren { ByStyle, Yes, No };
TRegionData VisibleRegion(HWND Wnd, bool ClientOnly, TClipChildren ClipChildren = TClipChildren::ByStyle);
// The window under a screen point (WindowFromPoint) with its answer to
// WM_NCHITTEST there; Asked is false when nobody was asked (no window at
// all).
struct TPointHit {
    HWND Wnd = nullptr;
    int Hit = HTNOWHERE;
    bool Asked = false;
};
TPointHit HitFromPoint(TPoint Screen);
// The front one of the shown top-level windows that holds the screen point,
// Except left out; nothing is asked of the windows.
HWND TopLevelAt(TPoint Screen, HWND Except);
// The window the input layer found under the mouse for an event, kept
// while the messages the event queued are handled (until the queue runs
// dry) and while no window changes: the hint's and the drag's look for the
// control under the mouse at the same point need not walk the windows and
// ask each of them again.
void RememberInputHit(TPoint Screen, HWND Wnd);
void ForgetInputHit();
// A window was made, went, moved, was sized, shown, hidden, enabled,
// disabled, restyled, reshaped or put in another place in the z-order.
void WindowsChanged();
// Counts the calls of WindowsChanged.
std::uint64_t WindowsVersion();
// Every live window, top-level windows first in creation order.
std::vector<HWND> TopLevelWindows();
// Re-runs WM_NCCALCSIZE.
void RecalcClient(HWND Wnd);

// --- painting (WndPaint) ---
void SchedulePaint(HWND Top, const TRect& ImageRect);
// Paints what is pending in Wnd's tree; true when something was
// invalidated again while it painted (another pass is due).
bool PaintPending(HWND Wnd);
// True while an embedded editor is being drawn into its window's image:
// the paint events that drawing causes are not the editor changing.
bool& RenderingHosted();
void ResizeSurface(HWND Top);
// WM_SYSCOMMAND's SC_MOVE and SC_SIZE (+ WMSZ_* edge): the user moves or
// sizes Wnd's top-level window with the mouse; Where is the screen point
// of the press (0: that of the current message).
void SysCommandSizeMove(HWND Wnd, WPARAM Command, LPARAM Where);
// Points the surface's image at Size, reusing its buffer when that holds
// the size and is not more than twice as large; false when nothing changed.
bool SizeSurfaceImage(TWindowSurface& Surface, QSize Size);
// The window's image goes: contexts on it paint nothing from now on.
void DetachSurfaceDCs(HWND Top);
void InstallDCHooks();
// Default painting of the non-client area (borders, edges, scroll bars).
void DefaultNcPaint(HWND Wnd);
void DefaultNcCalcSize(HWND Wnd, TRect& Client);
int DefaultNcHitTest(HWND Wnd, TPoint Screen);
// Forgets anything that points to the window (capture, focus, timers,
// mouse-over, queue entries).
void ForgetWindow(HWND Wnd);

// --- the Qt side (WndInput) ---
void CreateSurfaceWidget(HWND Top);
void DestroySurfaceWidget(HWND Top);
void SyncSurfaceWidget(HWND Top, bool Geometry, bool Visibility);
// The desktop's title bar follows the window's text.
void SyncSurfaceTitle(HWND Top);
void SyncHostedWidget(HWND Wnd);
// Tells the desktop a top-level window's owner and modality (see
// SetWindowOwner, SetWindowModal).
void SyncSurfaceOwner(HWND Top);
void SyncHostedWidgets(HWND Root);
// Key and mouse input for embedded editors, handed on by their windows'
// default procedure.
bool ForwardToHostedWidget(HWND Wnd, const TMessage& Message);
// The private messages above, for DefWindowProc.
void HandleSyncGeometry(HWND Top);
void HandleActivated(HWND Top);
void HandleActivateApp(HWND Wnd, bool Active);
// The shape a top-level window shows.
void ApplySurfaceMask(HWND Top);
// The frame the window manager says it will draw round Top, asked on a
// window of Top's kind that is never shown (Top's own may yet be made
// again as its kind changes); left, top, right, bottom.
std::optional<QMargins> AskDesktopFrame(HWND Top);

// The window key input goes to now: the focused window, whoever holds
// the mouse capture; else the active window; else Top (nullptr: none).
HWND KeyTarget(HWND Top);
// The queue took input out: from now on GetKeyState answers as Msg found
// the keys.
void InputTaken(const MSG& Msg);
// The queue ran dry: when the windows changed under a still mouse since it
// was last seen, the window now under it gets a mouse move there.
void RecheckMouse();

// --- queue (WndQueue) ---
void QueueInput(const MSG& Msg);
// The input the desktop has sent so far becomes queued messages now: a
// window shown modally makes Qt drop what then still comes for the windows
// it blocks (keys typed ahead, above all), though the key message would
// go to the focus in the modal window.
void TakeInputSentSoFar();
// Whether keyboard or mouse input waits in the queue.
bool InputWaiting();
void DropQueuedFor(HWND Wnd);
// Takes the mouse input that waits in the queue out of it.
void DropQueuedMouseInput();
void KillTimersOf(HWND Wnd);
// Whether our own loop is taking Qt's events right now.
bool Pumping();

// --- scroll bars (WndScrollBars) ---
void PaintScrollBars(HWND Wnd, HDC WindowDC);
TRect ScrollBarRect(HWND Wnd, int Bar);
bool ScrollBarMouse(HWND Wnd, UINT Msg, TPoint Screen);

} // namespace QvWnd
