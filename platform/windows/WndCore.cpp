// Window objects: creation and destruction, the tree, geometry, styles,
// text, sending messages and the default window procedure.
#include "platform/windows/WndHandle.h"
#include "platform/graphics/GdiObjects.h"

#include <QWidget>
#include <algorithm>
#include <unordered_set>

namespace {

std::unordered_set<HWND>& LiveWindows()
{
    static auto* Set = new std::unordered_set<HWND>;
    return *Set;
}

// See RememberInputHit.
std::uint64_t LayoutSerial = 0;
struct TInputHit {
    bool Valid = false;
    TPoint Screen;
    HWND Wnd = nullptr;
    std::uint64_t Layout = 0;
};
TInputHit InputHit;

// Top-level windows, the front of the desktop's z-order first.
std::vector<HWND>& TopOrder()
{
    static auto* List = new std::vector<HWND>;
    return *List;
}

std::uint64_t NextSerial = 1;

// Window objects are freed only once no window procedure is running, so
// that a window that destroys itself inside one of its own messages never
// leaves a caller holding freed memory.
int ProcDepth = 0;
std::vector<TWndHandle*>& DeadWindows()
{
    static auto* List = new std::vector<TWndHandle*>;
    return *List;
}

void FreeDeadWindows()
{
    if (ProcDepth != 0)
        return;
    auto& Dead = DeadWindows();
    while (!Dead.empty()) {
        std::vector<TWndHandle*> Batch;
        Batch.swap(Dead);
        for (TWndHandle* W : Batch)
            delete W;
    }
}

struct TProcScope {
    TProcScope() { ++ProcDepth; }
    ~TProcScope()
    {
        --ProcDepth;
        FreeDeadWindows();
    }
};

void BringToFrontOfDesktop(HWND Wnd)
{
    auto& Order = TopOrder();
    Order.erase(std::remove(Order.begin(), Order.end(), Wnd), Order.end());
    auto Pos = Order.begin();
    if (!Wnd->Topmost)
        while (Pos != Order.end() && (*Pos)->Topmost)
            ++Pos;
    Order.insert(Pos, Wnd);
}

void Unlink(HWND Wnd)
{
    if (Wnd->IsChild()) {
        auto& C = Wnd->Parent->Children;
        C.erase(std::remove(C.begin(), C.end(), Wnd), C.end());
    } else {
        auto& Order = TopOrder();
        Order.erase(std::remove(Order.begin(), Order.end(), Wnd), Order.end());
    }
}

} // namespace

// --- shared helpers -----------------------------------------------------------------

namespace QvWnd {

TLiveCache LiveCache;

TWndHandle* LookUpLive(HWND Wnd)
{
    if (Wnd == nullptr || LiveWindows().count(Wnd) == 0)
        return nullptr;
    LiveCache.Wnd[TLiveCache::SlotOf(Wnd)] = Wnd;
    return Wnd;
}

HWND TopLevel(HWND Wnd)
{
    if (Live(Wnd) == nullptr)
        return nullptr;
    while (Wnd->IsChild())
        Wnd = Wnd->Parent;
    return Wnd;
}

bool IsShowing(HWND Wnd)
{
    if (Live(Wnd) == nullptr)
        return false;
    for (HWND W = Wnd;; W = W->Parent) {
        if (!W->Visible() || W->Minimized)
            return false;
        if (!W->IsChild())
            return true;
    }
}

TPoint WindowOrigin(HWND Wnd)
{
    TPoint P{0, 0};
    for (HWND W = Wnd; W->IsChild(); W = W->Parent) {
        P.X += W->Rect.Left + W->Parent->Client.Left;
        P.Y += W->Rect.Top + W->Parent->Client.Top;
    }
    return P;
}

TPoint ClientOrigin(HWND Wnd)
{
    const TPoint P = WindowOrigin(Wnd);
    return {P.X + Wnd->Client.Left, P.Y + Wnd->Client.Top};
}

TPoint SurfaceScreenOrigin(HWND Top)
{
    return Top->Rect.TopLeft();
}

namespace {

TRegionData WindowArea(HWND W, TPoint Origin)
{
    TRegionData R(Bounds(Origin.X, Origin.Y, W->Width(), W->Height()));
    if (W->Shape) {
        TRegionData S = *W->Shape;
        S.Offset(Origin.X, Origin.Y);
        R = R.Combine(S, RGN_AND);
    }
    return R;
}

} // namespace

namespace {

bool RectsMeet(const TRect& A, const TRect& B)
{
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

// Takes window W's area at Origin away from R, when it reaches into Limit.
void Exclude(TRegionData& R, const TRect& Limit, HWND W, TPoint Origin)
{
    if (!W->Visible() || !RectsMeet(Limit, Bounds(Origin.X, Origin.Y, W->Width(), W->Height())))
        return;
    R = R.Combine(WindowArea(W, Origin), RGN_DIFF);
}

} // namespace

TRegionData VisibleRegion(HWND Wnd, bool ClientOnly, TClipChildren ClipChildren)
{
    if (!IsShowing(Wnd))
        return {};
    // The rectangles of the window and its ancestors' client areas meet
    // first; regions are only built for shapes and for the windows that
    // cover part of what is left.
    const TPoint Origin = WindowOrigin(Wnd);
    TRect Limit = Bounds(Origin.X, Origin.Y, Wnd->Width(), Wnd->Height());
    if (ClientOnly) {
        TRect C = Wnd->Client;
        OffsetRect(C, Origin.X, Origin.Y);
        IntersectRect(Limit, Limit, C);
    }
    bool Shaped = Wnd->Shape.has_value();
    for (HWND W = Wnd; W->IsChild(); W = W->Parent) {
        const TPoint PO = ClientOrigin(W->Parent);
        IntersectRect(Limit, Limit, Bounds(PO.X, PO.Y, W->Parent->Client.Width(), W->Parent->Client.Height()));
        Shaped = Shaped || W->Parent->Shape.has_value();
    }
    if (Limit.Right <= Limit.Left || Limit.Bottom <= Limit.Top)
        return {};
    TRegionData R(Limit);
    if (Shaped) {
        R = R.Combine(WindowArea(Wnd, Origin), RGN_AND);
        for (HWND W = Wnd; W->IsChild(); W = W->Parent)
            if (W->Parent->Shape)
                R = R.Combine(WindowArea(W->Parent, WindowOrigin(W->Parent)), RGN_AND);
    }
    const bool Clip = ClipChildren == TClipChildren::ByStyle ? (Wnd->Style & WS_CLIPCHILDREN) != 0
                                                             : ClipChildren == TClipChildren::Yes;
    if (Clip) {
        const TPoint CO = ClientOrigin(Wnd);
        for (HWND C : Wnd->Children)
            Exclude(R, Limit, C, {CO.X + C->Rect.Left, CO.Y + C->Rect.Top});
    }
    // Siblings above each window of the chain cover it.
    for (HWND W = Wnd; W->IsChild() && !R.IsEmpty(); W = W->Parent) {
        const TPoint PO = ClientOrigin(W->Parent);
        for (HWND S : W->Parent->Children) {
            if (S == W)
                break;
            Exclude(R, Limit, S, {PO.X + S->Rect.Left, PO.Y + S->Rect.Top});
        }
    }
    return R;
}

std::vector<HWND> TopLevelWindows()
{
    return TopOrder();
}

void RememberInputHit(TPoint Screen, HWND Wnd)
{
    InputHit = {true, Screen, Wnd, LayoutSerial};
}

void ForgetInputHit()
{
    InputHit.Valid = false;
}

void WindowsChanged()
{
    ++LayoutSerial;
}

std::uint64_t WindowsVersion()
{
    return LayoutSerial;
}

void RecalcClient(HWND Wnd)
{
    WindowsChanged();
    NCCALCSIZE_PARAMS Params;
    Params.rgrc[0] = {0, 0, Wnd->Width(), Wnd->Height()};
    SendMessage(Wnd, WM_NCCALCSIZE, 0, PtrToLParam(&Params));
    if (Live(Wnd) == nullptr)
        return;
    TRect C = Params.rgrc[0];
    C.Right = std::max(C.Left, C.Right);
    C.Bottom = std::max(C.Top, C.Bottom);
    Wnd->Client = C;
}

} // namespace QvWnd

using namespace QvWnd;

// --- life -------------------------------------------------------------------------------

HWND CreateWindowEx(const TWindowCreateParams& Params)
{
    static const bool Hooked = (InstallDCHooks(), true);
    (void)Hooked;
    HWND Parent = Live(Params.Parent);
    const bool Child = (Params.Style & WS_CHILD) != 0;
    if (Child && Parent == nullptr)
        return nullptr;
    auto* W = new TWndHandle;
    W->Serial = NextSerial++;
    W->Proc = Params.WindowProc;
    W->DefaultProc = Params.DefaultProc;
    W->Owner = Params.Owner;
    W->ClassName = Params.ClassName;
    W->Text = Params.WindowName;
    W->Style = Params.Style & ~WS_VISIBLE;
    W->ExStyle = Params.ExStyle;
    W->ClassStyle = Params.ClassStyle;
    W->Parent = Parent;
    W->Topmost = (Params.ExStyle & WS_EX_TOPMOST) != 0;
    W->MessageOnly = Params.MessageOnly && !Child;
    W->Rect = Bounds(Params.X, Params.Y, std::max(0, Params.Width), std::max(0, Params.Height));
    W->Client = {0, 0, W->Width(), W->Height()};
    W->NormalRect = W->Rect;
    LiveWindows().insert(W);
    WindowsChanged();
    if (Child)
        Parent->Children.insert(Parent->Children.begin(), W);
    else if (!W->MessageOnly)
        BringToFrontOfDesktop(W);
    if (Params.Created)
        Params.Created(W);

    // A procedure that answers 0 to WM_NCCREATE refuses the window.
    CREATESTRUCT Create{&Params};
    if (SendMessage(W, WM_NCCREATE, 0, PtrToLParam(&Create)) == 0) {
        DestroyWindow(W);
        return nullptr;
    }
    if (Live(W) == nullptr)
        return nullptr;
    RecalcClient(W);
    if (!Child && !W->MessageOnly)
        CreateSurfaceWidget(W);
    if (Live(W) == nullptr || SendMessage(W, WM_CREATE, 0, PtrToLParam(&Create)) == -1) {
        DestroyWindow(W);
        return nullptr;
    }
    if (Live(W) == nullptr)
        return nullptr;
    // As on the classic desktop, a new window hears its size and place.
    SendMessage(W, WM_SIZE, SIZE_RESTORED, MAKELPARAM(W->Client.Width(), W->Client.Height()));
    if (Live(W) != nullptr)
        SendMessage(W, WM_MOVE, 0, MAKELPARAM(W->Rect.Left + W->Client.Left, W->Rect.Top + W->Client.Top));
    if (Live(W) == nullptr)
        return nullptr;
    if ((Params.Style & WS_VISIBLE) != 0 && !W->MessageOnly)
        SetWindowPos(W, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return W;
}

namespace {

void DestroyTree(HWND W)
{
    if (Live(W) == nullptr || !W->Alive)
        return;
    SendMessage(W, WM_DESTROY, 0, 0);
    if (Live(W) == nullptr)
        return;
    const std::vector<HWND> Kids = W->Children;
    for (HWND C : Kids)
        DestroyTree(C);
    if (Live(W) == nullptr)
        return;
    SendMessage(W, WM_NCDESTROY, 0, 0);
    if (Live(W) == nullptr)
        return;
    ForgetWindow(W);
    KillTimersOf(W);
    DropQueuedFor(W);
    if (W->Hosted)
        W->Hosted->deleteLater();
    if (W->Surface)
        DestroySurfaceWidget(W);
    Unlink(W);
    WindowsChanged();
    for (HWND C : W->Children)
        C->Parent = nullptr;
    W->Children.clear();
    W->Alive = false;
    LiveWindows().erase(W);
    LiveCache.Clear();
    DeadWindows().push_back(W);
}

} // namespace

BOOL DestroyWindow(HWND Wnd)
{
    if (Live(Wnd) == nullptr || !Wnd->Alive)
        return FALSE;
    TProcScope Scope;
    // Windows this one owns go first, as on the classic desktop.
    for (HWND Owned : TopLevelWindows())
        if (Owned != Wnd && !Owned->IsChild() && Owned->Parent == Wnd)
            DestroyWindow(Owned);
    if (Wnd->Visible() && Wnd->IsChild() && Live(Wnd->Parent) != nullptr) {
        TRect R = Wnd->Rect;
        InvalidateRect(Wnd->Parent, &R, TRUE);
    }
    DestroyTree(Wnd);
    return TRUE;
}

HWND AllocateHWnd(TWindowProcedure Proc)
{
    TWindowCreateParams P;
    P.ClassName = QStringLiteral("TPUtilWindow");
    P.Style = WS_POPUP;
    P.MessageOnly = true;
    // The object hears messages from the moment it has its handle: the
    // window is made with the default procedure, then subclassed.
    HWND Wnd = CreateWindowEx(P);
    if (Wnd != nullptr && Proc)
        SetWindowProc(Wnd, std::move(Proc));
    return Wnd;
}

void DeallocateHWnd(HWND Wnd)
{
    DestroyWindow(Wnd);
}

bool IsWindow(HWND Wnd)
{
    return Live(Wnd) != nullptr;
}

std::uint64_t WindowSerial(HWND Wnd)
{
    return Live(Wnd) != nullptr ? Wnd->Serial : 0;
}

bool IsWindowSerial(HWND Wnd, std::uint64_t Serial)
{
    return Live(Wnd) != nullptr && Wnd->Serial == Serial;
}

TObject* GetWindowOwnerObject(HWND Wnd)
{
    return Live(Wnd) != nullptr ? Wnd->Owner : nullptr;
}

// --- procedures -----------------------------------------------------------------------

LRESULT SendMessage(HWND Wnd, TMessage& Message)
{
    if (Live(Wnd) == nullptr)
        return 0;
    TProcScope Scope;
    if (Wnd->Proc) {
        TWindowProcedure Proc = Wnd->Proc;
        Proc(Message);
    } else {
        Message.Result = CallDefaultProc(Wnd, Message);
    }
    return Message.Result;
}

LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage M{Msg, WParam, LParam, 0};
    return SendMessage(Wnd, M);
}

LRESULT CallDefaultProc(HWND Wnd, TMessage& Message)
{
    if (Live(Wnd) == nullptr)
        return 0;
    if (Wnd->DefaultProc) {
        TProcScope Scope;
        TWindowProcedure Proc = Wnd->DefaultProc;
        Proc(Message);
        return Message.Result;
    }
    return DefWindowProc(Wnd, Message.Msg, Message.WParam, Message.LParam);
}

TWindowProcedure GetWindowProc(HWND Wnd)
{
    return Live(Wnd) != nullptr ? Wnd->Proc : TWindowProcedure();
}

TWindowProcedure SetWindowProc(HWND Wnd, TWindowProcedure Proc)
{
    if (Live(Wnd) == nullptr)
        return {};
    TWindowProcedure Old = std::move(Wnd->Proc);
    Wnd->Proc = std::move(Proc);
    return Old;
}

namespace {

LRESULT DefSetCursor(HWND Wnd, WPARAM WParam, LPARAM LParam)
{
    if (Wnd->IsChild() && SendMessage(Wnd->Parent, WM_SETCURSOR, WParam, LParam) != 0)
        return TRUE;
    switch (std::int16_t(LOWORD(std::uintptr_t(LParam)))) {
    case HTCLIENT: SetCursor(LoadCursor(nullptr, IDC_ARROW)); return TRUE;
    case HTLEFT:
    case HTRIGHT: SetCursor(LoadCursor(nullptr, IDC_SIZEWE)); return TRUE;
    case HTTOP:
    case HTBOTTOM: SetCursor(LoadCursor(nullptr, IDC_SIZENS)); return TRUE;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: SetCursor(LoadCursor(nullptr, IDC_SIZENWSE)); return TRUE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: SetCursor(LoadCursor(nullptr, IDC_SIZENESW)); return TRUE;
    default: SetCursor(LoadCursor(nullptr, IDC_ARROW)); return FALSE;
    }
}

bool IsKeyOrMouse(UINT Msg)
{
    return (Msg >= WM_KEYFIRST && Msg <= WM_KEYLAST) || (Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST);
}

// The keys that ask the focused window for its context menu, as on the
// desktop: Shift+F10 as it goes down (once, not while it repeats), the
// Menu key as it comes up.  F10 alone, or with Ctrl or Alt, stays a key.
bool IsContextMenuKey(UINT Msg, WPARAM Vk, LPARAM KeyData)
{
    switch (Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return Vk == VK_F(10) && (std::uint32_t(KeyData) & KF_REPEAT_BIT) == 0 && GetKeyState(VK_SHIFT) < 0
            && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return Vk == VK_APPS;
    default:
        return false;
    }
}

} // namespace

LRESULT DefWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Live(Wnd) == nullptr)
        return 0;
    // The context menu is ours, from the keys as from the mouse.
    if (IsContextMenuKey(Msg, WParam, LParam)) {
        SendMessage(Wnd, WM_CONTEXTMENU, WPARAM(Wnd), -1);
        return 0;
    }
    if (Wnd->Hosted && IsKeyOrMouse(Msg) && ForwardToHostedWidget(Wnd, TMessage{Msg, WParam, LParam, 0}))
        return 0;
    switch (Msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_GETDLGCODE:
        // An embedded editor wants its arrows and characters, as the
        // classic edit control does.
        return Wnd->Hosted ? DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL : 0;
    case QV_WM_SYNCGEOMETRY:
        HandleSyncGeometry(Wnd);
        return 0;
    case QV_WM_ACTIVATED:
        HandleActivated(Wnd);
        return 0;
    case WM_ACTIVATEAPP:
        HandleActivateApp(Wnd, WParam != 0);
        return 0;
    case WM_ACTIVATE:
        // The window that becomes active takes the focus unless something
        // inside it already has it.
        if (LOWORD(WParam) != WA_INACTIVE && !Wnd->IsChild()) {
            HWND Focus = GetFocus();
            if (Focus == nullptr || TopLevel(Focus) != Wnd)
                SetFocus(Wnd);
        }
        return 0;
    case WM_NCCALCSIZE:
        DefaultNcCalcSize(Wnd, LParamToPtr<NCCALCSIZE_PARAMS>(LParam)->rgrc[0]);
        return 0;
    case WM_NCPAINT:
        DefaultNcPaint(Wnd);
        return 0;
    case WM_NCHITTEST:
        return DefaultNcHitTest(Wnd, LParamToPoint(LParam));
    case WM_PAINT: {
        // With a device context in WParam the caller paints into it.
        if (WParam != 0)
            return 0;
        PAINTSTRUCT PS;
        BeginPaint(Wnd, &PS);
        EndPaint(Wnd, &PS);
        return 0;
    }
    case WM_SETTEXT:
        Wnd->Text = LParam != 0 ? *LParamToPtr<const String>(LParam) : String();
        // A shown form's new caption must reach the desktop's title bar.
        if (!Wnd->IsChild())
            SyncSurfaceTitle(Wnd);
        return TRUE;
    case WM_GETTEXT:
        if (LParam != 0)
            *LParamToPtr<String>(LParam) = Wnd->Text;
        return Wnd->Text.size();
    case WM_GETTEXTLENGTH:
        return Wnd->Text.size();
    case WM_SETFONT: {
        // An embedded editor writes in the window's font.
        LOGFONT Log;
        if (Wnd->Hosted && GetObject(reinterpret_cast<HFONT>(WParam), Log))
            Wnd->Hosted->setFont(QFontFromLogFont(Log));
        return 0;
    }
    case WM_SETCURSOR:
        return DefSetCursor(Wnd, WParam, LParam);
    case WM_MOUSEACTIVATE:
        if (Wnd->IsChild()) {
            const LRESULT R = SendMessage(Wnd->Parent, WM_MOUSEACTIVATE, WParam, LParam);
            if (R != 0)
                return R;
        }
        return (Wnd->ExStyle & WS_EX_NOACTIVATE) != 0 ? MA_NOACTIVATE : MA_ACTIVATE;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        if (Wnd->IsChild())
            return SendMessage(Wnd->Parent, Msg, WParam, LParam);
        return 0;
    case WM_RBUTTONUP: {
        TPoint P = LParamToPoint(LParam);
        ClientToScreen(Wnd, &P);
        SendMessage(Wnd, WM_CONTEXTMENU, WPARAM(Wnd), PointToLParam(P));
        return 0;
    }
    case WM_SYSCHAR: {
        // Alt with a character no accelerator took, as the classic desktop
        // answers a key that opens no menu: a beep, once for a character of
        // two code units.  Alt+Space is the window menu's, which the window
        // manager keeps.
        const QChar C{char16_t(WParam)};
        if ((C.isPrint() || C.isHighSurrogate()) && C != QLatin1Char(' '))
            MessageBeep(MB_OK_BEEP);
        return 0;
    }
    case WM_SYSKEYDOWN:
        if (WParam == VK_F(4))
            PostMessage(TopLevel(Wnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_CLOSE:
        DestroyWindow(Wnd);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const auto* WP = LParamToPtr<WINDOWPOS>(LParam);
        if (WP == nullptr)
            return 0;
        if ((WP->flags & SWP_NOMOVE) == 0)
            SendMessage(Wnd, WM_MOVE, 0, MAKELPARAM(Wnd->Rect.Left + Wnd->Client.Left,
                                                    Wnd->Rect.Top + Wnd->Client.Top));
        if ((WP->flags & SWP_NOSIZE) == 0 && Live(Wnd) != nullptr)
            SendMessage(Wnd, WM_SIZE, Wnd->Maximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
                        MAKELPARAM(Wnd->Client.Width(), Wnd->Client.Height()));
        return 0;
    }
    case WM_NCLBUTTONDOWN:
        if (WParam == HTHSCROLL || WParam == HTVSCROLL) {
            ScrollBarMouse(Wnd, Msg, LParamToPoint(LParam));
            return 0;
        }
        if (WParam == HTCAPTION && !Wnd->IsChild())
            SendMessage(Wnd, WM_SYSCOMMAND, unsigned(SC_MOVE) + unsigned(HTCAPTION), LParam);
        else if (WParam >= WPARAM(HTLEFT) && WParam <= WPARAM(HTBOTTOMRIGHT))
            SendMessage(TopLevel(Wnd), WM_SYSCOMMAND, SC_SIZE + (WParam - HTLEFT + 1), LParam);
        return 0;
    case WM_NCLBUTTONDBLCLK:
        if (WParam == HTHSCROLL || WParam == HTVSCROLL)
            ScrollBarMouse(Wnd, WM_NCLBUTTONDOWN, LParamToPoint(LParam));
        return 0;
    case WM_SYSCOMMAND:
        switch (WParam & 0xFFF0) {
        case SC_CLOSE: PostMessage(TopLevel(Wnd), WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(TopLevel(Wnd), SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(TopLevel(Wnd), SW_SHOWMAXIMIZED); break;
        case SC_RESTORE: ShowWindow(TopLevel(Wnd), SW_RESTORE); break;
        case SC_MOVE:
        case SC_SIZE:
            SysCommandSizeMove(Wnd, WParam, LParam);
            break;
        default: break;
        }
        return 0;
    default:
        return 0;
    }
}

// --- tree ---------------------------------------------------------------------------------

HWND GetParent(HWND Wnd)
{
    if (Live(Wnd) == nullptr)
        return nullptr;
    return Wnd->Parent;
}

HWND SetParent(HWND Wnd, HWND NewParent)
{
    if (Live(Wnd) == nullptr || (NewParent != nullptr && Live(NewParent) == nullptr) || Wnd == NewParent)
        return nullptr;
    for (HWND P = NewParent; P != nullptr; P = P->IsChild() ? P->Parent : nullptr)
        if (P == Wnd)
            return nullptr;
    HWND Old = Wnd->Parent;
    const bool WasVisible = Wnd->Visible();
    if (WasVisible && Wnd->IsChild()) {
        TRect R = Wnd->Rect;
        InvalidateRect(Wnd->Parent, &R, TRUE);
    }
    if (Wnd->Surface && NewParent != nullptr)
        DestroySurfaceWidget(Wnd);
    Unlink(Wnd);
    WindowsChanged();
    Wnd->Parent = NewParent;
    if (NewParent != nullptr) {
        Wnd->Style |= WS_CHILD;
        Wnd->Style &= ~WS_POPUP;
        NewParent->Children.insert(NewParent->Children.begin(), Wnd);
    } else {
        Wnd->Style &= ~WS_CHILD;
        BringToFrontOfDesktop(Wnd);
        CreateSurfaceWidget(Wnd);
    }
    SyncHostedWidgets(Wnd);
    if (WasVisible) {
        RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        if (!Wnd->IsChild())
            SyncSurfaceWidget(Wnd, true, true);
    }
    return Old;
}

HWND GetWindow(HWND Wnd, UINT Cmd)
{
    if (Live(Wnd) == nullptr)
        return nullptr;
    if (Cmd == GW_CHILD)
        return Wnd->Children.empty() ? nullptr : Wnd->Children.front();
    if (Cmd == GW_OWNER)
        return Wnd->IsChild() ? nullptr : Wnd->Parent;
    const std::vector<HWND>& List = Wnd->IsChild() ? Wnd->Parent->Children : TopOrder();
    const auto It = std::find(List.begin(), List.end(), Wnd);
    if (It == List.end())
        return nullptr;
    switch (Cmd) {
    case GW_HWNDFIRST: return List.front();
    case GW_HWNDLAST: return List.back();
    case GW_HWNDNEXT: return It + 1 == List.end() ? nullptr : *(It + 1);
    case GW_HWNDPREV: return It == List.begin() ? nullptr : *(It - 1);
    default: return nullptr;
    }
}

HWND SetWindowOwner(HWND Wnd, HWND Owner)
{
    if (Live(Wnd) == nullptr || Wnd->IsChild() || (Owner != nullptr && Live(Owner) == nullptr))
        return nullptr;
    const HWND Old = Wnd->Parent;
    if (Owner != nullptr) {
        Owner = TopLevel(Owner);
        for (HWND O = Owner; O != nullptr; O = Live(O->Parent) != nullptr && !O->IsChild() ? O->Parent : nullptr)
            if (O == Wnd)
                return Old;
    }
    if (Owner == Old)
        return Old;
    Wnd->Parent = Owner;
    WindowsChanged();
    SyncSurfaceOwner(Wnd);
    return Old;
}

void SetWindowModal(HWND Wnd, BOOL Modal)
{
    if (Live(Wnd) == nullptr || Wnd->IsChild() || Wnd->Modal == (Modal != FALSE))
        return;
    Wnd->Modal = Modal != FALSE;
    SyncSurfaceOwner(Wnd);
}

HWND GetAncestor(HWND Wnd, UINT Flags)
{
    if (Live(Wnd) == nullptr)
        return nullptr;
    switch (Flags) {
    case GA_PARENT: return Wnd->IsChild() ? Wnd->Parent : nullptr;
    case GA_ROOT: return TopLevel(Wnd);
    case GA_ROOTOWNER: {
        HWND W = TopLevel(Wnd);
        while (W->Parent != nullptr && Live(W->Parent) != nullptr)
            W = TopLevel(W->Parent);
        return W;
    }
    default: return nullptr;
    }
}

std::vector<HWND> TopLevelWindowList()
{
    return TopOrder();
}

BOOL IsChild(HWND Parent, HWND Wnd)
{
    if (Live(Parent) == nullptr || Live(Wnd) == nullptr)
        return FALSE;
    for (HWND W = Wnd; W->IsChild(); W = W->Parent)
        if (W->Parent == Parent)
            return TRUE;
    return FALSE;
}

// --- geometry -------------------------------------------------------------------------------

BOOL GetWindowRect(HWND Wnd, TRect* R)
{
    if (Live(Wnd) == nullptr || R == nullptr)
        return FALSE;
    HWND Top = TopLevel(Wnd);
    const TPoint S = SurfaceScreenOrigin(Top);
    const TPoint O = WindowOrigin(Wnd);
    *R = Bounds(S.X + O.X, S.Y + O.Y, Wnd->Width(), Wnd->Height());
    return TRUE;
}

BOOL GetClientRect(HWND Wnd, TRect* R)
{
    if (Live(Wnd) == nullptr || R == nullptr)
        return FALSE;
    *R = {0, 0, Wnd->Client.Width(), Wnd->Client.Height()};
    return TRUE;
}

BOOL ClientToScreen(HWND Wnd, TPoint* P)
{
    if (Live(Wnd) == nullptr || P == nullptr)
        return FALSE;
    const TPoint S = SurfaceScreenOrigin(TopLevel(Wnd));
    const TPoint C = ClientOrigin(Wnd);
    P->X += S.X + C.X;
    P->Y += S.Y + C.Y;
    return TRUE;
}

BOOL ScreenToClient(HWND Wnd, TPoint* P)
{
    if (Live(Wnd) == nullptr || P == nullptr)
        return FALSE;
    const TPoint S = SurfaceScreenOrigin(TopLevel(Wnd));
    const TPoint C = ClientOrigin(Wnd);
    P->X -= S.X + C.X;
    P->Y -= S.Y + C.Y;
    return TRUE;
}

int MapWindowPoints(HWND From, HWND To, TPoint* Points, UINT Count)
{
    TPoint Delta{0, 0};
    if (From != nullptr)
        ClientToScreen(From, &Delta);
    if (To != nullptr)
        ScreenToClient(To, &Delta);
    for (UINT I = 0; I < Count; ++I) {
        Points[I].X += Delta.X;
        Points[I].Y += Delta.Y;
    }
    return MAKELPARAM(Delta.X, Delta.Y);
}

namespace {

void InvalidateInParent(HWND Wnd, const TRect& R)
{
    if (!Wnd->IsChild())
        return;
    TRect PR = R;
    InvalidateRect(Wnd->Parent, &PR, TRUE);
}

void ApplyZOrder(HWND Wnd, HWND After)
{
    if (!Wnd->IsChild()) {
        if (After == HWND_TOPMOST)
            Wnd->Topmost = true;
        else if (After == HWND_NOTOPMOST)
            Wnd->Topmost = false;
        if (After == HWND_BOTTOM) {
            auto& Order = TopOrder();
            Order.erase(std::remove(Order.begin(), Order.end(), Wnd), Order.end());
            Order.push_back(Wnd);
        } else {
            BringToFrontOfDesktop(Wnd);
        }
        return;
    }
    auto& C = Wnd->Parent->Children;
    C.erase(std::remove(C.begin(), C.end(), Wnd), C.end());
    if (After == HWND_TOP || After == HWND_TOPMOST || After == HWND_NOTOPMOST) {
        C.insert(C.begin(), Wnd);
    } else if (After == HWND_BOTTOM) {
        C.push_back(Wnd);
    } else {
        auto It = std::find(C.begin(), C.end(), After);
        C.insert(It == C.end() ? C.begin() : It + 1, Wnd);
    }
}

} // namespace

BOOL SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int Width, int Height, UINT Flags)
{
    if (Live(Wnd) == nullptr)
        return FALSE;
    TProcScope Scope;
    WINDOWPOS Pos{Wnd, InsertAfter, X, Y, Width, Height, Flags};
    // The window may refuse a move or a size while it is asked.
    auto Settle = [Wnd](WINDOWPOS& P) {
        if ((P.flags & SWP_NOMOVE) != 0) {
            P.x = Wnd->Rect.Left;
            P.y = Wnd->Rect.Top;
        }
        if ((P.flags & SWP_NOSIZE) != 0) {
            P.cx = Wnd->Width();
            P.cy = Wnd->Height();
        }
    };
    Settle(Pos);
    if ((Flags & SWP_NOSENDCHANGING) == 0) {
        SendMessage(Wnd, WM_WINDOWPOSCHANGING, 0, PtrToLParam(&Pos));
        if (Live(Wnd) == nullptr)
            return FALSE;
        Settle(Pos);
    }
    Flags = Pos.flags;
    const TRect Old = Wnd->Rect;
    const bool WasVisible = Wnd->Visible();
    const TRect New = Bounds(Pos.x, Pos.y, std::max(0, Pos.cx), std::max(0, Pos.cy));
    const bool Moved = New.Left != Old.Left || New.Top != Old.Top;
    const bool Sized = New.Width() != Old.Width() || New.Height() != Old.Height();
    if (!Moved)
        Pos.flags |= SWP_NOMOVE;
    if (!Sized)
        Pos.flags |= SWP_NOSIZE;
    bool Visible = WasVisible;
    if ((Flags & SWP_SHOWWINDOW) != 0)
        Visible = true;
    if ((Flags & SWP_HIDEWINDOW) != 0)
        Visible = false;
    const bool ZChanged = (Flags & SWP_NOZORDER) == 0;
    const bool Changed = Moved || Sized || Visible != WasVisible || ZChanged || (Flags & SWP_FRAMECHANGED) != 0;

    if (WasVisible && Changed && (Moved || Sized || !Visible || ZChanged))
        InvalidateInParent(Wnd, Old);
    if (Changed)
        WindowsChanged();
    if (ZChanged)
        ApplyZOrder(Wnd, InsertAfter);
    Wnd->Rect = New;
    if (!Wnd->Minimized && !Wnd->Maximized)
        Wnd->NormalRect = New;
    if (Visible)
        Wnd->Style |= WS_VISIBLE;
    else
        Wnd->Style &= ~WS_VISIBLE;
    if (Sized || (Flags & SWP_FRAMECHANGED) != 0) {
        RecalcClient(Wnd);
        if (Live(Wnd) == nullptr)
            return FALSE;
    }
    if (!Wnd->IsChild()) {
        if (Sized)
            ResizeSurface(Wnd);
        SyncSurfaceWidget(Wnd, Moved || Sized, Visible != WasVisible || ZChanged);
    }
    if (Changed)
        SyncHostedWidgets(TopLevel(Wnd));
    if (Visible && (Flags & SWP_NOREDRAW) == 0 && (Sized || Moved || !WasVisible || ZChanged || (Flags & SWP_FRAMECHANGED) != 0))
        RedrawWindow(Wnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | (Moved || !WasVisible ? unsigned(RDW_ALLCHILDREN) : 0u));
    if (Visible && Wnd->IsChild() && (Moved || Sized || !WasVisible))
        InvalidateInParent(Wnd, New);
    if (WasVisible != Visible) {
        SendMessage(Wnd, WM_SHOWWINDOW, Visible ? TRUE : FALSE, 0);
        if (Live(Wnd) == nullptr)
            return TRUE;
    }
    if (Moved || Sized || WasVisible != Visible || ZChanged || (Flags & SWP_FRAMECHANGED) != 0)
        SendMessage(Wnd, WM_WINDOWPOSCHANGED, 0, PtrToLParam(&Pos));
    if (Live(Wnd) != nullptr && !Visible && WasVisible)
        ForgetWindow(Wnd);
    return TRUE;
}

BOOL MoveWindow(HWND Wnd, int X, int Y, int Width, int Height, BOOL Repaint)
{
    return SetWindowPos(Wnd, nullptr, X, Y, Width, Height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (Repaint ? 0u : unsigned(SWP_NOREDRAW)));
}

BOOL ShowWindow(HWND Wnd, int Cmd)
{
    if (Live(Wnd) == nullptr)
        return FALSE;
    const BOOL WasVisible = Wnd->Visible() ? TRUE : FALSE;
    const UINT Keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
    switch (Cmd) {
    case SW_HIDE:
        SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, Keep | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        Wnd->Minimized = true;
        WindowsChanged();
        SyncSurfaceWidget(Wnd, false, true);
        break;
    case SW_SHOWMAXIMIZED:
        Wnd->Minimized = false;
        WindowsChanged();
        Wnd->Maximized = true;
        SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, Keep | SWP_SHOWWINDOW);
        SyncSurfaceWidget(Wnd, false, true);
        break;
    case SW_RESTORE:
        Wnd->Minimized = false;
        WindowsChanged();
        Wnd->Maximized = false;
        SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, Keep | SWP_SHOWWINDOW);
        SyncSurfaceWidget(Wnd, false, true);
        break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
        SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, Keep | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        break;
    default:
        Wnd->Minimized = false;
        WindowsChanged();
        SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, Keep | SWP_SHOWWINDOW);
        break;
    }
    return WasVisible;
}

BOOL IsWindowVisible(HWND Wnd)
{
    return IsShowing(Wnd) ? TRUE : FALSE;
}

BOOL IsIconic(HWND Wnd)
{
    return Live(Wnd) != nullptr && Wnd->Minimized ? TRUE : FALSE;
}

BOOL IsZoomed(HWND Wnd)
{
    return Live(Wnd) != nullptr && Wnd->Maximized ? TRUE : FALSE;
}

BOOL GetWindowPlacement(HWND Wnd, WINDOWPLACEMENT* Placement)
{
    if (Live(Wnd) == nullptr || Placement == nullptr)
        return FALSE;
    Placement->flags = 0;
    Placement->showCmd = Wnd->Minimized ? SW_SHOWMINIMIZED : Wnd->Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    Placement->ptMinPosition = {-1, -1};
    Placement->ptMaxPosition = {-1, -1};
    Placement->rcNormalPosition = Wnd->NormalRect;
    return TRUE;
}

BOOL EnableWindow(HWND Wnd, BOOL Enable)
{
    if (Live(Wnd) == nullptr)
        return FALSE;
    const BOOL WasDisabled = Wnd->Enabled() ? FALSE : TRUE;
    if (bool(Enable) == Wnd->Enabled())
        return WasDisabled;
    WindowsChanged();
    if (Enable) {
        Wnd->Style &= ~WS_DISABLED;
    } else {
        Wnd->Style |= WS_DISABLED;
        // A disabled window keeps neither the focus nor the mouse.
        HWND Focus = GetFocus();
        if (Focus != nullptr && (Focus == Wnd || IsChild(Wnd, Focus)))
            SetFocus(nullptr);
        if (GetCapture() == Wnd)
            ReleaseCapture();
    }
    if (Live(Wnd) != nullptr)
        SendMessage(Wnd, WM_ENABLE, Enable, 0);
    if (Live(Wnd) != nullptr && Wnd->Hosted)
        SyncHostedWidget(Wnd);
    return WasDisabled;
}

BOOL IsWindowEnabled(HWND Wnd)
{
    return Live(Wnd) != nullptr && Wnd->Enabled() ? TRUE : FALSE;
}

long GetWindowLong(HWND Wnd, int Index)
{
    if (Live(Wnd) == nullptr)
        return 0;
    switch (Index) {
    case GWL_STYLE: return long(Wnd->Style);
    case GWL_EXSTYLE: return long(Wnd->ExStyle);
    case GWL_ID: return Wnd->Id;
    case GWL_USERDATA: return Wnd->UserData;
    default: return 0;
    }
}

long SetWindowLong(HWND Wnd, int Index, long Value)
{
    if (Live(Wnd) == nullptr)
        return 0;
    const long Old = GetWindowLong(Wnd, Index);
    if (Index == GWL_STYLE || Index == GWL_EXSTYLE)
        WindowsChanged();
    switch (Index) {
    case GWL_STYLE:
        // Visibility and enabling change only through their own calls.
        Wnd->Style = (DWORD(Value) & ~(WS_VISIBLE | WS_DISABLED)) | (Wnd->Style & (WS_VISIBLE | WS_DISABLED));
        break;
    case GWL_EXSTYLE: Wnd->ExStyle = DWORD(Value); break;
    case GWL_ID: Wnd->Id = Value; break;
    case GWL_USERDATA: Wnd->UserData = Value; break;
    default: break;
    }
    if (Index == GWL_STYLE || Index == GWL_EXSTYLE)
        SendMessage(Wnd, WM_STYLECHANGED, WPARAM(Index), 0);
    return Old;
}

BOOL SetWindowText(HWND Wnd, const String& Text)
{
    if (Live(Wnd) == nullptr)
        return FALSE;
    return SendMessage(Wnd, WM_SETTEXT, 0, PtrToLParam(&Text)) != 0 ? TRUE : FALSE;
}

String GetWindowText(HWND Wnd)
{
    String Text;
    if (Live(Wnd) != nullptr)
        SendMessage(Wnd, WM_GETTEXT, 0, PtrToLParam(&Text));
    return Text;
}

namespace {

bool ContainsPoint(HWND W, TPoint WindowPoint)
{
    if (!PtInRect({0, 0, W->Width(), W->Height()}, WindowPoint))
        return false;
    return !W->Shape || W->Shape->Contains(WindowPoint.X, WindowPoint.Y);
}

// A window's children as they were when a walk over them began: the
// walk sends messages, whose handlers may make or free windows and so
// change the list.  Small lists stay off the heap (a walk runs on every
// mouse move).
class TChildSnapshot {
public:
    explicit TChildSnapshot(const std::vector<HWND>& Children) : FCount(Children.size())
    {
        if (FCount > std::size(FInline))
            FHeap.assign(Children.begin(), Children.end());
        else
            std::copy(Children.begin(), Children.end(), FInline);
    }
    const HWND* begin() const { return FHeap.empty() ? FInline : FHeap.data(); }
    const HWND* end() const { return begin() + FCount; }

private:
    std::size_t FCount;
    HWND FInline[16];
    std::vector<HWND> FHeap;
};

TPointHit Descend(HWND W, TPoint Screen)
{
    // No window object is freed before the walk is over: a handler that
    // frees a window leaves it dead, not gone, and Live() tells.
    TProcScope Scope;
    TPointHit Result{W};
    for (;;) {
        TPoint P = Screen;
        ScreenToClient(W, &P);
        // Child windows show only within their parent's client area: a
        // point on the parent's frame is the parent's.
        if (!PtInRect({0, 0, W->Client.Width(), W->Client.Height()}, P))
            return Result;
        HWND Hit = nullptr;
        int Answer = HTNOWHERE;
        for (HWND C : TChildSnapshot(W->Children)) {
            if (Live(C) == nullptr || !C->Visible() || !C->Enabled())
                continue;
            if (!ContainsPoint(C, {P.X - C->Rect.Left, P.Y - C->Rect.Top}))
                continue;
            Answer = int(SendMessage(C, WM_NCHITTEST, 0, PointToLParam(Screen)));
            if (Answer == HTTRANSPARENT)
                continue;
            Hit = C;
            break;
        }
        if (Hit == nullptr || Live(Hit) == nullptr || Live(W) == nullptr)
            return Live(Result.Wnd) != nullptr ? Result : TPointHit{};
        W = Hit;
        Result = {W, Answer, true};
    }
}

// A shown top-level window whose area holds the screen point.
bool HoldsPoint(HWND Top, TPoint P)
{
    return Live(Top) != nullptr && IsShowing(Top) && ContainsPoint(Top, {P.X - Top->Rect.Left, P.Y - Top->Rect.Top});
}

} // namespace

HWND QvWnd::TopLevelAt(TPoint P, HWND Except)
{
    // The list is walked in place: nothing here sends a message, so
    // nothing can change it under the walk.
    for (HWND Top : TopOrder())
        if (Top != Except && HoldsPoint(Top, P))
            return Top;
    return nullptr;
}

TPointHit QvWnd::HitFromPoint(TPoint P)
{
    // Front to back; a window that answers HTTRANSPARENT (a hint window)
    // lets the point through to the ones behind it.
    TProcScope Scope;
    for (HWND Top : TChildSnapshot(TopOrder())) {
        if (!HoldsPoint(Top, P))
            continue;
        const int Answer = int(SendMessage(Top, WM_NCHITTEST, 0, PointToLParam(P)));
        if (Live(Top) == nullptr || Answer == HTTRANSPARENT)
            continue;
        TPointHit Result = Descend(Top, P);
        if (Result.Wnd == Top)
            Result = {Top, Answer, true};
        return Result;
    }
    return {};
}

HWND WindowFromPoint(TPoint P)
{
    if (InputHit.Valid && InputHit.Screen == P && InputHit.Layout == LayoutSerial
        && (InputHit.Wnd == nullptr || Live(InputHit.Wnd) != nullptr))
        return InputHit.Wnd;
    return HitFromPoint(P).Wnd;
}

HWND ChildWindowFromPoint(HWND Parent, TPoint ClientPoint)
{
    if (Live(Parent) == nullptr)
        return nullptr;
    for (HWND C : Parent->Children)
        if (C->Visible() && PtInRect(C->Rect, ClientPoint))
            return C;
    return PtInRect({0, 0, Parent->Client.Width(), Parent->Client.Height()}, ClientPoint) ? Parent : nullptr;
}

int SetWindowRgn(HWND Wnd, HRGN Region, BOOL Redraw)
{
    if (Live(Wnd) == nullptr)
        return 0;
    WindowsChanged();
    TRegionData Old;
    if (Wnd->Shape)
        Old = *Wnd->Shape;
    if (Region != nullptr && IsGdiObject(Region)) {
        Wnd->Shape = Region->Data;
        DeleteObject(Region);
    } else {
        Wnd->Shape.reset();
    }
    if (!Wnd->IsChild())
        ApplySurfaceMask(Wnd);
    if (Redraw && Wnd->Visible()) {
        if (Wnd->IsChild()) {
            TRect R = Wnd->Rect;
            InvalidateRect(Wnd->Parent, &R, TRUE);
        }
        RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    return 1;
}

int GetWindowRgn(HWND Wnd, HRGN Region)
{
    if (Live(Wnd) == nullptr || Region == nullptr || !IsGdiObject(Region) || !Wnd->Shape)
        return RGN_ERROR;
    Region->Data = *Wnd->Shape;
    return Region->Data.Complexity();
}

BOOL ScrollWindow(HWND Wnd, int DX, int DY, const TRect* Scroll, const TRect* Clip)
{
    (void)Clip;
    if (Live(Wnd) == nullptr)
        return FALSE;
    // Child windows move with the contents; everything is painted afresh
    // (nothing is copied, so nothing stale can show).
    if (Scroll == nullptr)
        for (HWND C : std::vector<HWND>(Wnd->Children))
            if (Live(C) != nullptr)
                SetWindowPos(C, nullptr, C->Rect.Left + DX, C->Rect.Top + DY, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (Live(Wnd) == nullptr)
        return FALSE;
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return TRUE;
}
