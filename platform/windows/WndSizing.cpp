// Moving and sizing a top-level window from its own controls (a size grip,
// a caption drawn by the window): WM_SYSCOMMAND with SC_MOVE or SC_SIZE.
// The desktop does it when it can (QWindow::startSystemMove/Resize, which
// X11 and Wayland window managers offer); otherwise a local loop follows
// the mouse with the capture set, as the classic desktop's own did.
#include "platform/windows/WndHandle.h"
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace QvWnd {

namespace {

struct TSizeEdges {
    bool Left = false, Top = false, Right = false, Bottom = false;
};

// SC_SIZE + WMSZ_*: the edges that follow the mouse.
TSizeEdges EdgesOf(int Code)
{
    switch (Code) {
    case WMSZ_LEFT:
        return {true, false, false, false};
    case WMSZ_RIGHT:
        return {false, false, true, false};
    case WMSZ_TOP:
        return {false, true, false, false};
    case WMSZ_TOPLEFT:
        return {true, true, false, false};
    case WMSZ_TOPRIGHT:
        return {false, true, true, false};
    case WMSZ_BOTTOM:
        return {false, false, false, true};
    case WMSZ_BOTTOMLEFT:
        return {true, false, false, true};
    case WMSZ_BOTTOMRIGHT:
        return {false, false, true, true};
    default:
        return {};
    }
}

bool DesktopDrag(HWND Top, bool Move, TSizeEdges E)
{
    QWidget* Widget = WindowQtWidget(Top);
    QWindow* W = Widget != nullptr ? Widget->windowHandle() : nullptr;
    if (W == nullptr || !W->isVisible())
        return false;
    if (Move)
        return W->startSystemMove();
    Qt::Edges Edges;
    if (E.Left)
        Edges |= Qt::LeftEdge;
    if (E.Top)
        Edges |= Qt::TopEdge;
    if (E.Right)
        Edges |= Qt::RightEdge;
    if (E.Bottom)
        Edges |= Qt::BottomEdge;
    return W->startSystemResize(Edges);
}

// The window's rectangle for the mouse Delta away from where the drag
// began; the window's own constraints apply through WM_WINDOWPOSCHANGING.
TRect Dragged(const TRect& From, TPoint Delta, bool Move, TSizeEdges E)
{
    TRect R = From;
    if (Move) {
        OffsetRect(R, Delta.X, Delta.Y);
        return R;
    }
    if (E.Left)
        R.Left = std::min(R.Left + Delta.X, R.Right);
    if (E.Right)
        R.Right = std::max(R.Right + Delta.X, R.Left);
    if (E.Top)
        R.Top = std::min(R.Top + Delta.Y, R.Bottom);
    if (E.Bottom)
        R.Bottom = std::max(R.Bottom + Delta.Y, R.Top);
    return R;
}

void Place(HWND Top, const TRect& R)
{
    SetWindowPos(Top, nullptr, R.Left, R.Top, R.Width(), R.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

// Follows the mouse until the button is let go (keep) or Escape is
// pressed or the capture is taken away (back to where it was).
void TrackDrag(HWND Top, bool Move, TSizeEdges E, TPoint Start)
{
    const TRect From = Top->Rect;
    SendMessage(Top, WM_ENTERSIZEMOVE, 0, 0);
    SetCapture(Top);
    bool Keep = true;
    MSG Msg;
    while (Live(Top) != nullptr && GetCapture() == Top) {
        if (!GetMessage(Msg, nullptr, 0, 0)) {
            PostQuitMessage(int(Msg.wParam)); // the main loop must still see it
            break;
        }
        if (Msg.message == WM_MOUSEMOVE) {
            Place(Top, Dragged(From, {Msg.pt.X - Start.X, Msg.pt.Y - Start.Y}, Move, E));
        } else if (Msg.message == WM_LBUTTONUP) {
            break;
        } else if (Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE) {
            Keep = false;
            break;
        } else if (Msg.message == WM_KEYDOWN || Msg.message == WM_KEYUP || Msg.message == WM_CHAR
                   || (Msg.message >= WM_MOUSEFIRST && Msg.message <= WM_MOUSELAST)) {
            // Input belongs to the drag while it lasts.
        } else {
            DispatchMessage(Msg);
        }
    }
    if (Live(Top) == nullptr)
        return;
    if (GetCapture() == Top)
        ReleaseCapture();
    else
        Keep = false;
    if (!Keep)
        Place(Top, From);
    SendMessage(Top, WM_EXITSIZEMOVE, 0, 0);
}

} // namespace

void SysCommandSizeMove(HWND Wnd, WPARAM Command, LPARAM Where)
{
    HWND Top = TopLevel(Wnd);
    if (Top == nullptr || Top->Minimized || Top->Maximized)
        return;
    const bool Move = (Command & 0xFFF0) == SC_MOVE;
    const TSizeEdges E = EdgesOf(int(Command & 0x000F));
    if (!Move && !E.Left && !E.Top && !E.Right && !E.Bottom)
        return;
    if (DesktopDrag(Top, Move, E))
        return;
    // Where the press was: the command's point, else that of the message
    // being handled (later mouse moves may already wait in the queue).
    const DWORD Pos = Where != 0 ? DWORD(Where) : GetMessagePos();
    TrackDrag(Top, Move, E, {short(LOWORD(Pos)), short(HIWORD(Pos))});
}

} // namespace QvWnd
