// The Qt side of the window layer: one Qt window per top-level window,
// which shows the window's image and turns Qt's input into queued
// messages; our own hit-testing, capture, focus, activation, key state,
// double clicks and wheel steps; embedded Qt editors; cursors and the
// system facts the classic calls report.
//
// Our focus model decides and Qt's follows: Qt focus stays on the top-level
// window except while our SetFocus has put it into an embedded editor, and
// editors never take the focus by themselves (their focus policy is
// NoFocus).  Keys always go through the message chain first, also those
// meant for an editor; the window's default procedure hands them on.
#include "platform/actions/Menus.h"
#include "platform/graphics/GuiApplication.h"
#include "platform/windows/DesktopHints.h"
#include "platform/windows/LockKeys.h"
#include "platform/windows/WndHandle.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleHints>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <array>
#include <cmath>
#include <qpa/qwindowsysteminterface.h>
#include <unordered_map>
#include <unordered_set>
#include <utility>

using namespace QvWnd;

namespace {

HWND GFocus = nullptr;
HWND GActive = nullptr;
HWND GCapture = nullptr;
TPoint GCursorPos{-1, -1};
bool GCursorKnown = false;
HCURSOR GCursor = IDC_ARROW;
HWND GMouseTop = nullptr;
// The windows as the mouse last saw them (WindowsVersion), and whether what
// is under it may have changed since all the same: a windowless control
// changed there, or the mouse came into a window without moving in it.
std::uint64_t GMouseSeenVersion = 0;
bool GMouseStale = false;
// The last look at a still mouse queued a move: a change made while that
// move was handled is not looked at again, or a control that changed the
// windows whenever the mouse moved over it would keep the queue busy.
bool GMouseLookMoved = false;
// Popup menus running: they have the mouse.
int GMenuLoops = 0;
// The keys and buttons held: as they are now (GetAsyncKeyState), and as
// the input last taken out of the queue found them.  A program busy while
// the user types on sees each key with the keys held when it was pressed
// (Ctrl+P typed ahead stays Ctrl+P, though Ctrl is up again by the time
// the P is handled).
using TKeyTable = std::array<std::uint8_t, 256>;
TKeyTable GKeys{};
std::shared_ptr<const TKeyTable> GTakenKeys;
bool GAppActive = true;
std::function<void(UINT)> GBeepHook;

struct TLastClick {
    HWND Wnd = nullptr;
    std::uint64_t Serial = 0;
    int Button = 0;
    DWORD Time = 0;
    TPoint Pos;
    bool WasDouble = false;
};
TLastClick GLastClick;

// Editors (and their inner widgets) -> the window that hosts them.
std::unordered_map<QWidget*, HWND>& HostedRoots()
{
    static auto* Map = new std::unordered_map<QWidget*, HWND>;
    return *Map;
}
bool GForwarding = false;

HWND Alive(HWND W)
{
    return Live(W) != nullptr ? W : nullptr;
}

void SetKey(int Vk, bool Down)
{
    Vk &= 0xFF;
    if (Down) {
        // The lock keys, and Insert: the program's one insert/overwrite
        // flag, which every Insert press it sees flips.
        if ((GKeys[Vk] & 0x80) == 0 && (Vk == VK_CAPITAL || Vk == VK_NUMLOCK || Vk == VK_SCROLL || Vk == VK_INSERT))
            GKeys[Vk] ^= 0x01;
        GKeys[Vk] |= 0x80;
    } else {
        GKeys[Vk] &= 0x7F;
    }
}

// The table GetKeyState answers from.  With no input waiting, the input
// taken last found the keys as they are now.
const TKeyTable& SyncKeys()
{
    UpdateLockKeys(GKeys.data());
    return GTakenKeys && InputWaiting() ? *GTakenKeys : GKeys;
}

// Queues keyboard or mouse input with the keys held as it comes in.
void QueueUserInput(MSG& M)
{
    M.Keys = std::make_shared<const TKeyTable>(GKeys);
    QueueInput(M);
}

void SyncModifiers(Qt::KeyboardModifiers M)
{
    SetKey(VK_SHIFT, M.testFlag(Qt::ShiftModifier));
    SetKey(VK_CONTROL, M.testFlag(Qt::ControlModifier));
    SetKey(VK_MENU, M.testFlag(Qt::AltModifier));
}

void SyncButtons(Qt::MouseButtons B)
{
    SetKey(VK_LBUTTON, B.testFlag(Qt::LeftButton));
    SetKey(VK_RBUTTON, B.testFlag(Qt::RightButton));
    SetKey(VK_MBUTTON, B.testFlag(Qt::MiddleButton));
}

WPARAM MouseKeys()
{
    WPARAM K = 0;
    if (GKeys[VK_LBUTTON] & 0x80) K |= MK_LBUTTON;
    if (GKeys[VK_RBUTTON] & 0x80) K |= MK_RBUTTON;
    if (GKeys[VK_MBUTTON] & 0x80) K |= MK_MBUTTON;
    if (GKeys[VK_SHIFT] & 0x80) K |= MK_SHIFT;
    if (GKeys[VK_CONTROL] & 0x80) K |= MK_CONTROL;
    return K;
}

Qt::CursorShape CursorShape(HCURSOR C)
{
    switch (C) {
    case IDC_IBEAM: return Qt::IBeamCursor;
    case IDC_WAIT:
    case IDC_SQLWAIT: return Qt::WaitCursor;
    case IDC_CROSS: return Qt::CrossCursor;
    case IDC_UPARROW: return Qt::UpArrowCursor;
    case IDC_SIZENWSE: return Qt::SizeFDiagCursor;
    case IDC_SIZENESW: return Qt::SizeBDiagCursor;
    case IDC_SIZEWE: return Qt::SizeHorCursor;
    case IDC_SIZENS: return Qt::SizeVerCursor;
    case IDC_SIZEALL: return Qt::SizeAllCursor;
    case IDC_NO:
    case IDC_NODROP: return Qt::ForbiddenCursor;
    case IDC_HAND: return Qt::PointingHandCursor;
    case IDC_APPSTARTING: return Qt::BusyCursor;
    case IDC_HELP: return Qt::WhatsThisCursor;
    case IDC_DRAG:
    case IDC_MULTIDRAG: return Qt::DragMoveCursor;
    case IDC_HSPLIT: return Qt::SplitVCursor;
    case IDC_VSPLIT: return Qt::SplitHCursor;
    default: return Qt::ArrowCursor;
    }
}

// --- keys ---

WORD VirtualKey(int Key, Qt::KeyboardModifiers Mods)
{
    const bool Keypad = Mods.testFlag(Qt::KeypadModifier);
    if (Key >= Qt::Key_A && Key <= Qt::Key_Z)
        return WORD('A' + (Key - Qt::Key_A));
    if (Key >= Qt::Key_0 && Key <= Qt::Key_9)
        return Keypad ? WORD(VK_NUMPAD0 + (Key - Qt::Key_0)) : WORD('0' + (Key - Qt::Key_0));
    if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24)
        return WORD(VK_F1 + (Key - Qt::Key_F1));
    switch (Key) {
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return VK_MENU;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_Super_L:
    case Qt::Key_Meta: return VK_LWIN;
    case Qt::Key_Super_R: return VK_RWIN;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Asterisk:
        return Keypad ? WORD(VK_MULTIPLY) : WORD('8');
    case Qt::Key_Plus: return Keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Minus: return Keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Period: return Keypad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Slash: return Keypad ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    case Qt::Key_Exclam: return WORD('1');
    case Qt::Key_At: return WORD('2');
    case Qt::Key_NumberSign: return WORD('3');
    case Qt::Key_Dollar: return WORD('4');
    case Qt::Key_Percent: return WORD('5');
    case Qt::Key_AsciiCircum: return WORD('6');
    case Qt::Key_Ampersand: return WORD('7');
    case Qt::Key_ParenLeft: return WORD('9');
    case Qt::Key_ParenRight: return WORD('0');
    default: return 0;
    }
}

int QtKey(WORD Vk)
{
    if (Vk >= 'A' && Vk <= 'Z')
        return Qt::Key_A + (Vk - 'A');
    if (Vk >= '0' && Vk <= '9')
        return Qt::Key_0 + (Vk - '0');
    if (Vk >= VK_NUMPAD0 && Vk <= VK_NUMPAD0 + 9)
        return Qt::Key_0 + (Vk - VK_NUMPAD0);
    if (Vk >= VK_F1 && Vk <= VK_F24)
        return Qt::Key_F1 + (Vk - VK_F1);
    switch (Vk) {
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_TAB: return Qt::Key_Tab;
    case VK_BACK: return Qt::Key_Backspace;
    case VK_RETURN: return Qt::Key_Return;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_HOME: return Qt::Key_Home;
    case VK_END: return Qt::Key_End;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    case VK_SPACE: return Qt::Key_Space;
    case VK_APPS: return Qt::Key_Menu;
    default: return Qt::Key_unknown;
    }
}

Qt::KeyboardModifiers CurrentModifiers()
{
    Qt::KeyboardModifiers M;
    const TKeyTable& Keys = SyncKeys();
    if (Keys[VK_SHIFT] & 0x80)
        M |= Qt::ShiftModifier;
    if (Keys[VK_CONTROL] & 0x80)
        M |= Qt::ControlModifier;
    if (Keys[VK_MENU] & 0x80)
        M |= Qt::AltModifier;
    return M;
}

// The characters of Text that print.  A character beyond the Basic
// Multilingual Plane is asked about whole and kept whole: neither of its
// two code units prints by itself.  A lone half does not print.
String PrintableCharacters(QStringView Text)
{
    String Printable;
    for (qsizetype I = 0; I < Text.size();) {
        const bool Pair = Text[I].isHighSurrogate() && I + 1 < Text.size() && Text[I + 1].isLowSurrogate();
        const qsizetype Length = Pair ? 2 : 1;
        if (QChar::isPrint(Pair ? QChar::surrogateToUcs4(Text[I], Text[I + 1]) : char32_t(Text[I].unicode())))
            Printable += Text.sliced(I, Length);
        I += Length;
    }
    return Printable;
}

// The text a WM_CHAR types into an editor.  A character beyond the Basic
// Multilingual Plane comes as two of them, high surrogate then low, as on
// the classic desktop, and an editor must take it as one text: the high
// half waits in its window for the low one, which must be the next thing
// the window hands on.  A half without its partner (a key handler dropped
// or changed the other) is dropped, never typed.  Empty: nothing to type.
String CharacterText(HWND Wnd, QChar C, QChar Held)
{
    if (C.isHighSurrogate()) {
        Wnd->HeldHighSurrogate = C;
        return String();
    }
    if (C.isLowSurrogate())
        return Held.isNull() ? String() : String(Held) + C;
    return String(C);
}

// The characters a key press types, as the classic keyboard translation
// gives them (control characters for Ctrl+letter, CR for Enter ...).
String KeyText(WORD Vk, const QKeyEvent* E)
{
    const auto Mods = E->modifiers();
    const bool Ctrl = Mods.testFlag(Qt::ControlModifier);
    const bool Alt = Mods.testFlag(Qt::AltModifier);
    switch (Vk) {
    case VK_RETURN: return Alt ? String() : String(QChar(13));
    case VK_ESCAPE: return String(QChar(27));
    case VK_BACK: return String(QChar(8));
    case VK_TAB: return Ctrl || Alt ? String() : String(QChar(9));
    default: break;
    }
    if (Ctrl && !Alt) {
        if (Vk >= 'A' && Vk <= 'Z')
            return String(QChar(Vk - 'A' + 1));
        return String();
    }
    // Alt with the keypad's digits is how a character is typed by its code
    // on the classic desktop: the digits are no characters of their own,
    // neither text nor the key of an accelerator.
    if (Alt && Vk >= VK_NUMPAD0 && Vk <= VK_NUMPAD0 + 9)
        return String();
    String Text = E->text();
    if (Text.isEmpty() && Alt && ((Vk >= 'A' && Vk <= 'Z') || (Vk >= '0' && Vk <= '9')))
        Text = Mods.testFlag(Qt::ShiftModifier) ? String(QChar(Vk)) : String(QChar(Vk)).toLower();
    return PrintableCharacters(Text);
}

// Key input is queued for whatever window has the focus when it is taken
// out (KeyTarget); Top is the window the desktop gave it to.
void QueueKey(HWND Top, QKeyEvent* E, bool Down)
{
    const WORD Vk = VirtualKey(E->key(), E->modifiers());
    if (Vk != 0)
        SetKey(Vk, Down);
    SyncModifiers(E->modifiers());
    if (Vk == VK_SHIFT || Vk == VK_CONTROL || Vk == VK_MENU)
        SetKey(Vk, Down);
    const bool Alt = E->modifiers().testFlag(Qt::AltModifier) || Vk == VK_MENU;
    const bool Sys = Alt || Vk == VK_F(10);
    MSG M;
    M.hwnd = Top;
    M.ToFocus = true;
    M.message = Down ? (Sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (Sys ? WM_SYSKEYUP : WM_KEYUP);
    M.wParam = Vk;
    std::uint32_t Data = 1;
    if (Alt)
        Data |= KF_ALTDOWN_BIT;
    if (!Down)
        Data |= KF_REPEAT_BIT | KF_UP_BIT;
    else if (E->isAutoRepeat())
        Data |= KF_REPEAT_BIT;
    M.lParam = LPARAM(Data);
    M.time = GetTickCount();
    M.pt = GCursorPos;
    M.Serial = WindowSerial(Top);
    if (Down)
        M.Text = KeyText(Vk, E);
    QueueUserInput(M);
}

// Text an input method committed, typed as characters: one WM_CHAR per
// code unit, as a key's characters go (a character beyond the Basic
// Multilingual Plane as its two halves, which an editor is handed
// together), for the window that has the focus when each is taken out,
// in order with the keys around it.
void QueueCommittedText(HWND Top, QStringView Text)
{
    // On X11 Qt composes a dead key as it reads the key from the X server
    // and hands the text on at once, while the keys it read before it are
    // still to be delivered: those are queued first, so that "Tab, dead
    // acute, e" typed ahead gives the é after the Tab.
    if (QWindowSystemInterface::windowSystemEventsQueued() > 0)
        QWindowSystemInterface::flushWindowSystemEvents();
    for (QChar C : Text) {
        MSG M;
        M.hwnd = Top;
        M.ToFocus = true;
        M.message = WM_CHAR;
        M.wParam = C.unicode();
        M.lParam = 1;
        M.time = GetTickCount();
        M.pt = GCursorPos;
        M.Serial = WindowSerial(Top);
        QueueUserInput(M);
    }
}

// Queues E when it is key input (keys, text an input method committed)
// that came to Top, or to a window of ours that has gone (Top nullptr):
// what was typed for it goes where the focus is when it is handled.
bool QueueKeyInput(HWND Top, QEvent* E)
{
    switch (E->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        QueueKey(Top, static_cast<QKeyEvent*>(E), E->type() == QEvent::KeyPress);
        return true;
    case QEvent::InputMethod:
        QueueCommittedText(Top, static_cast<QInputMethodEvent*>(E)->commitString());
        return true;
    default:
        return false;
    }
}

// --- mouse ---

int ButtonIndex(Qt::MouseButton B)
{
    switch (B) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 3;
    default: return 0;
    }
}

UINT ButtonMessage(int Button, int Kind, bool NonClient)
{
    // Kind: 0 down, 1 up, 2 double click.
    static const UINT Client[3][3] = {{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
                                      {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
                                      {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK}};
    const UINT M = Client[Button - 1][Kind];
    return NonClient ? M - (WM_LBUTTONDOWN - WM_NCLBUTTONDOWN) : M;
}

struct TMouseTarget {
    HWND Wnd = nullptr;
    int Hit = HTCLIENT;
};

// The window input at Screen goes to, Top being the window the desktop
// gave it to and Under what lies there.
TMouseTarget MouseTarget(HWND Top, TPoint Screen, TPointHit Under)
{
    if (Alive(GCapture) != nullptr)
        return {GCapture, HTCLIENT};
    RememberInputHit(Screen, Under.Wnd);
    if (Under.Wnd == nullptr || TopLevel(Under.Wnd) != Top)
        Under = {Top};
    HWND W = Under.Wnd;
    if (!IsWindowEnabled(TopLevel(W)))
        return {};
    // The walk down to the window asked it already.
    int Hit = Under.Asked ? Under.Hit : int(SendMessage(W, WM_NCHITTEST, 0, PointToLParam(Screen)));
    if (Live(W) == nullptr)
        return {};
    if (Hit == HTTRANSPARENT || Hit == HTNOWHERE)
        Hit = HTCLIENT;
    return {W, Hit};
}

// The window the desktop gave input at Screen to, unless that one lets the
// mouse through (a hint over what it explains): then ours below it.
HWND InputTop(HWND Top, TPoint Screen, const TPointHit& Under)
{
    if (Under.Wnd == nullptr || TopLevel(Under.Wnd) == Top)
        return Top;
    return SendMessage(Top, WM_NCHITTEST, 0, PointToLParam(Screen)) == HTTRANSPARENT ? TopLevel(Under.Wnd) : Top;
}

// Top: the window the desktop gave the input to, then the one that has it.
TMouseTarget FindMouseTarget(HWND& Top, TPoint Screen)
{
    const TPointHit Under = Alive(GCapture) != nullptr ? TPointHit{} : HitFromPoint(Screen);
    Top = InputTop(Top, Screen, Under);
    return MouseTarget(Top, Screen, Under);
}

void QueueMouse(HWND Target, UINT Msg, WPARAM WParam, TPoint Screen, bool NonClient)
{
    MSG M;
    M.hwnd = Target;
    M.message = Msg;
    M.wParam = WParam;
    TPoint P = Screen;
    if (!NonClient)
        ScreenToClient(Target, &P);
    M.lParam = PointToLParam(P);
    M.time = GetTickCount();
    M.pt = Screen;
    M.Serial = WindowSerial(Target);
    QueueUserInput(M);
}

// The kind of a press (0 down, 2 double click), counted by us.
int ClickKind(HWND Target, int Button, TPoint Screen)
{
    const DWORD Now = GetTickCount();
    const int DX = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    const int DY = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    const bool Double = !GLastClick.WasDouble && IsWindowSerial(GLastClick.Wnd, GLastClick.Serial)
        && GLastClick.Wnd == Target && GLastClick.Button == Button && Now - GLastClick.Time <= GetDoubleClickTime()
        && std::abs(Screen.X - GLastClick.Pos.X) <= DX && std::abs(Screen.Y - GLastClick.Pos.Y) <= DY;
    GLastClick = {Target, WindowSerial(Target), Button, Now, Screen, Double};
    if (!Double)
        return 0;
    return (Target->ClassStyle & CS_DBLCLKS) != 0 ? 2 : 0;
}

void QueueMouseActivate(HWND Target, int Hit, UINT Msg)
{
    HWND Top = TopLevel(Target);
    if (Top == GActive)
        return;
    MSG M;
    M.hwnd = Target;
    M.message = WM_MOUSEACTIVATE;
    M.wParam = WPARAM(Top);
    M.lParam = MAKELPARAM(Hit, int(Msg));
    M.time = GetTickCount();
    M.pt = GCursorPos;
    M.Serial = WindowSerial(Target);
    QueueUserInput(M);
}

void QueueMove(const TMouseTarget& T, TPoint Screen)
{
    const bool NonClient = T.Hit != HTCLIENT;
    if (Alive(GCapture) == nullptr) {
        MSG M;
        M.hwnd = T.Wnd;
        M.message = WM_SETCURSOR;
        M.wParam = WPARAM(T.Wnd);
        M.lParam = MAKELPARAM(T.Hit, int(NonClient ? WM_NCMOUSEMOVE : WM_MOUSEMOVE));
        M.Serial = WindowSerial(T.Wnd);
        M.pt = Screen;
        QueueUserInput(M);
    }
    QueueMouse(T.Wnd, NonClient ? WM_NCMOUSEMOVE : WM_MOUSEMOVE, NonClient ? WPARAM(T.Hit) : MouseKeys(), Screen,
               NonClient);
}

// The offscreen platform of the tests can neither raise nor activate.
bool CanRaise()
{
    static const bool Can = QGuiApplication::platformName() != QLatin1String("offscreen");
    return Can;
}

// The desktop says the mouse left Top, but only a window of ours that lets
// it through (a hint over what it explains) came between: for us the mouse
// is still over Top.  (The offscreen platform of the tests has no pointer
// of its own to ask.)
bool UnderHintOnly(HWND Top)
{
    if (!CanRaise())
        return false;
    const QPoint Q = QCursor::pos();
    const TPoint P{Q.x(), Q.y()};
    HWND Front = TopLevelAt(P, nullptr);
    if (Front == nullptr || Front == Top)
        return false;
    const TPointHit Under = HitFromPoint(P);
    return Under.Wnd != nullptr && TopLevel(Under.Wnd) == Top;
}

// The mouse's place was looked at with the windows as they are now.
void MouseSeen()
{
    GMouseSeenVersion = WindowsVersion();
    GMouseStale = false;
    GMouseLookMoved = false;
}

void HandleMouse(HWND Top, QMouseEvent* E, TPoint Screen)
{
    GCursorPos = Screen;
    GCursorKnown = true;
    SyncButtons(E->buttons());
    SyncModifiers(E->modifiers());
    const TMouseTarget T = FindMouseTarget(Top, Screen);
    GMouseTop = Top;
    // What changes from now on is the user's doing; only a move tells the
    // windows what is under the mouse.
    GMouseLookMoved = false;
    if (T.Wnd == nullptr)
        return;
    const bool NonClient = T.Hit != HTCLIENT;
    if (E->type() == QEvent::MouseMove) {
        QueueMove(T, Screen);
        MouseSeen();
        return;
    }
    const int Button = ButtonIndex(E->button());
    if (Button == 0)
        return;
    int Kind = 1;
    if (E->type() == QEvent::MouseButtonPress || E->type() == QEvent::MouseButtonDblClick) {
        Kind = ClickKind(T.Wnd, Button, Screen);
        QueueMouseActivate(T.Wnd, T.Hit, ButtonMessage(Button, 0, false));
    }
    QueueMouse(T.Wnd, ButtonMessage(Button, Kind, NonClient), NonClient ? WPARAM(T.Hit) : MouseKeys(), Screen,
               NonClient);
}

int GWheelRest = 0;

void HandleWheel(HWND Top, QWheelEvent* E, TPoint Screen)
{
    GCursorPos = Screen;
    GCursorKnown = true;
    SyncModifiers(E->modifiers());
    GWheelRest += E->angleDelta().y();
    HWND Target = Alive(GFocus) != nullptr && TopLevel(GFocus) == Top ? GFocus : FindMouseTarget(Top, Screen).Wnd;
    if (Target == nullptr)
        return;
    while (std::abs(GWheelRest) >= WHEEL_DELTA) {
        const int Step = GWheelRest > 0 ? WHEEL_DELTA : -WHEEL_DELTA;
        GWheelRest -= Step;
        MSG M;
        M.hwnd = Target;
        M.message = WM_MOUSEWHEEL;
        M.wParam = MAKEWPARAM(int(MouseKeys()), Step);
        M.lParam = PointToLParam(Screen);
        M.time = GetTickCount();
        M.pt = Screen;
        M.Serial = WindowSerial(Target);
        QueueUserInput(M);
    }
}

} // namespace

// --- the Qt window of a top-level window ------------------------------------------------------

class TSurfaceWidget : public QWidget {
public:
    explicit TSurfaceWidget(HWND Wnd) : FWnd(Wnd), FSerial(Wnd->Serial)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setMouseTracking(true);
        setFocusPolicy(Qt::NoFocus);
        // The controls we draw ourselves (lists, grids, buttons) take
        // characters composed from dead keys and Compose as an editor
        // does: the desktop composes only for a window that takes an
        // input method.
        setAttribute(Qt::WA_InputMethodEnabled);
    }

    HWND Wnd() const { return IsWindowSerial(FWnd, FSerial) ? FWnd : nullptr; }
    bool Syncing = false;
    // The shape SetCursor gave the window last (-1: none yet).
    int ShownCursor = -1;

    QVariant inputMethodQuery(Qt::InputMethodQuery Query) const override
    {
        switch (Query) {
        case Qt::ImEnabled:
            return isEnabled();
        case Qt::ImCursorRectangle:
            return FocusRect();
        case Qt::ImHints:
            return int(Qt::ImhNone);
        default:
            return QWidget::inputMethodQuery(Query);
        }
    }

protected:
    bool focusNextPrevChild(bool) override { return false; }

    void paintEvent(QPaintEvent* E) override
    {
        HWND W = Wnd();
        if (W == nullptr || !W->Surface)
            return;
        bool Again = false;
        GuardEntry(W, [W, &Again] { Again = PaintPending(W); });
        if (Live(W) == nullptr || !W->Surface)
            return;
        // Invalidated while painting: one more pass once this one is shown.
        if (Again)
            QMetaObject::invokeMethod(
                this, [this] { update(); }, Qt::QueuedConnection);
        QPainter P(this);
        P.drawImage(E->rect(), W->Surface->Image, E->rect());
    }

    bool event(QEvent* E) override
    {
        // Events we hand on to an editor never come back as input.
        if (GForwarding)
            return QWidget::event(E);
        // Keys and composed text are queued, also when the window they
        // came to has gone.  (Composed while one of our own drawn controls
        // has the focus, text has no pre-edit to show: what is committed
        // counts.)
        HWND W = Wnd();
        if (QueueKeyInput(W, E))
            return true;
        if (W == nullptr)
            return QWidget::event(E);
        switch (E->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: {
            auto* M = static_cast<QMouseEvent*>(E);
            const QPoint P = M->position().toPoint();
            HandleMouse(W, M, {W->Rect.Left + P.x(), W->Rect.Top + P.y()});
            return true;
        }
        case QEvent::Wheel: {
            auto* M = static_cast<QWheelEvent*>(E);
            const QPoint P = M->position().toPoint();
            HandleWheel(W, M, {W->Rect.Left + P.x(), W->Rect.Top + P.y()});
            return true;
        }
        case QEvent::ShortcutOverride:
            E->accept();
            return true;
        case QEvent::Enter:
            // The mouse came in without moving here: the window in front
            // went, or a modal window that kept this one from the mouse
            // ended.  (The offscreen platform of the tests has no pointer:
            // its made-up one is not the tests' mouse.)
            if (CanRaise()) {
                const QPoint P = static_cast<QEnterEvent*>(E)->position().toPoint();
                GCursorPos = {W->Rect.Left + P.x(), W->Rect.Top + P.y()};
                GCursorKnown = true;
                GMouseTop = W;
                GMouseStale = true;
                GMouseLookMoved = false;
            }
            return QWidget::event(E);
        case QEvent::Leave:
            if (UnderHintOnly(W))
                return true;
            if (GMouseTop == W)
                GMouseTop = nullptr;
            PostMessage(W, WM_MOUSELEAVE, 0, 0);
            return true;
        case QEvent::Close:
            E->ignore();
            PostMessage(W, WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
        case QEvent::Move:
        case QEvent::Resize:
            if (!Syncing && isVisible() && geometry() != QRect(W->Rect.Left, W->Rect.Top, W->Width(), W->Height()))
                PostMessage(W, QV_WM_SYNCGEOMETRY, 0, 0);
            return QWidget::event(E);
        case QEvent::WindowActivate:
            if (GActive != W)
                PostMessage(W, QV_WM_ACTIVATED, 0, 0);
            return QWidget::event(E);
        case QEvent::WindowStateChange:
            if (!Syncing) {
                W->Minimized = isMinimized();
                WindowsChanged();
                W->Maximized = isMaximized();
                // The desktop may have sized the window before saying it
                // maximised it; Qt kept the bounds it had before.
                if ((W->Minimized || W->Maximized) && normalGeometry().isValid())
                    W->NormalRect = Bounds(normalGeometry().x(), normalGeometry().y(), normalGeometry().width(),
                                           normalGeometry().height());
            }
            return QWidget::event(E);
        case QEvent::ContextMenu:
            return true;
        default:
            return QWidget::event(E);
        }
    }

private:
    // Where an input method shows what it composes: at the focused window
    // of ours, in this window's coordinates.
    QRect FocusRect() const
    {
        HWND W = Wnd();
        HWND Focus = Alive(GFocus);
        if (W == nullptr || Focus == nullptr || TopLevel(Focus) != W)
            return QRect();
        const TPoint O = ClientOrigin(Focus);
        return QRect(O.X, O.Y, Focus->Client.Width(), Focus->Client.Height());
    }

    HWND FWnd;
    std::uint64_t FSerial;
};

namespace {

// Input of embedded editors is queued as messages to their window first.
class THostFilter : public QObject {
public:
    bool eventFilter(QObject* Watched, QEvent* E) override
    {
        if (GForwarding)
            return false;
        auto* Widget = qobject_cast<QWidget*>(Watched);
        HWND W = nullptr;
        if (!HostOf(Widget, W))
            return false;
        // An editor whose window has gone: what is typed goes to the focus.
        if (W == nullptr)
            return QueueKeyInput(nullptr, E);
        switch (E->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return QueueKeyInput(TopLevel(W), E);
        case QEvent::ShortcutOverride:
            E->accept();
            return true;
        case QEvent::InputMethod: {
            auto* IM = static_cast<QInputMethodEvent*>(E);
            if (IM->commitString().isEmpty())
                return false;
            QueueCommittedText(TopLevel(W), IM->commitString());
            if (!IM->preeditString().isEmpty() || IM->replacementLength() != 0) {
                QInputMethodEvent Rest(IM->preeditString(), IM->attributes());
                GForwarding = true;
                QCoreApplication::sendEvent(Widget, &Rest);
                GForwarding = false;
            }
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: {
            auto* M = static_cast<QMouseEvent*>(E);
            HWND Top = TopLevel(W);
            const QPoint G = Widget->mapTo(Widget->window(), M->position().toPoint());
            HandleMouse(Top, M, {Top->Rect.Left + G.x(), Top->Rect.Top + G.y()});
            return true;
        }
        case QEvent::Wheel: {
            auto* M = static_cast<QWheelEvent*>(E);
            HWND Top = TopLevel(W);
            const QPoint G = Widget->mapTo(Widget->window(), M->position().toPoint());
            HandleWheel(Top, M, {Top->Rect.Left + G.x(), Top->Rect.Top + G.y()});
            return true;
        }
        case QEvent::ContextMenu:
            return true;
        case QEvent::Paint:
            // The editor changed on the screen (text, caret, selection):
            // its window's image, which a bitmap of the window is taken
            // from, is brought up to date in the next pass.
            if (!RenderingHosted())
                InvalidateRect(W, nullptr, FALSE);
            return false;
        default:
            return false;
        }
    }

    // Whether Widget is (part of) an embedded editor; Host: its window, if
    // that is still there.
    static bool HostOf(QWidget* Widget, HWND& Host)
    {
        for (QWidget* P = Widget; P != nullptr; P = P->parentWidget()) {
            auto It = HostedRoots().find(P);
            if (It != HostedRoots().end()) {
                Host = Alive(It->second);
                return true;
            }
        }
        return false;
    }
};

THostFilter& HostFilter()
{
    static auto* F = new THostFilter;
    return *F;
}

void WatchWidgetTree(QWidget* Widget)
{
    Widget->installEventFilter(&HostFilter());
    Widget->setFocusPolicy(Qt::NoFocus);
    for (QObject* C : Widget->children())
        if (auto* CW = qobject_cast<QWidget*>(C))
            WatchWidgetTree(CW);
}

void ConnectApplicationState()
{
    static bool Connected = false;
    QGuiApplication* App = GuiApplication();
    if (Connected || App == nullptr)
        return;
    Connected = true;
    QObject::connect(App, &QGuiApplication::applicationStateChanged, [](Qt::ApplicationState State) {
        const bool Active = State == Qt::ApplicationActive;
        if (Active == GAppActive)
            return;
        GAppActive = Active;
        if (Active)
            LockKeysMayHaveChanged();
        PostMessage(nullptr, Active ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
        for (HWND Top : TopLevelWindows())
            if (Top->Visible())
                PostMessage(Top, WM_ACTIVATEAPP, Active ? TRUE : FALSE, 0);
    });
}

// A popup menu's loop (see TMenuLoopHooks).  While it runs the menu has
// the mouse: our capture ends, and the input queued for our windows (the
// release of the press that opened the menu above all) is the menu's.
void EnterMenuLoop()
{
    ++GMenuLoops;
    if (Alive(GCapture) != nullptr)
        ReleaseCapture();
    DropQueuedMouseInput();
}

// Afterwards our windows learn where the mouse is now: it moved over the
// menu, which they did not see.  (The offscreen platform of the tests has
// no pointer of its own: there the last place we saw stands.)
void ExitMenuLoop()
{
    --GMenuLoops;
    MouseSeen();
    if (GuiApplication() != nullptr && CanRaise()) {
        const QPoint Q = QCursor::pos();
        GCursorPos = {Q.x(), Q.y()};
        GCursorKnown = true;
    }
    const TPointHit Under = HitFromPoint(GCursorPos);
    HWND Top = Under.Wnd != nullptr ? TopLevel(Under.Wnd) : nullptr;
    if (Top == nullptr) {
        if (HWND Was = Alive(GMouseTop))
            PostMessage(Was, WM_MOUSELEAVE, 0, 0);
        GMouseTop = nullptr;
        return;
    }
    GMouseTop = Top;
    const TMouseTarget T = FindMouseTarget(Top, GCursorPos);
    if (T.Wnd != nullptr)
        QueueMove(T, GCursorPos);
}

const bool MenuLoopHooked = [] {
    MenuLoopHooks().Enter = EnterMenuLoop;
    MenuLoopHooks().Exit = ExitMenuLoop;
    return true;
}();

Qt::WindowFlags FlagsFor(HWND Top)
{
    if (!Top->FramedByDesktop()) {
        // Owned popups and tool windows never take activation: menus,
        // drop-downs, hint windows.
        if (Top->Parent != nullptr || (Top->ExStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)) != 0)
            return Qt::ToolTip | Qt::FramelessWindowHint;
        return Qt::Window | Qt::FramelessWindowHint | (Top->Topmost ? Qt::WindowStaysOnTopHint : Qt::WindowFlags());
    }
    // The window manager's kinds: a tool window (small caption), a dialog
    // (modal frame), a plain window.
    Qt::WindowFlags F = Qt::Window;
    if ((Top->ExStyle & WS_EX_TOOLWINDOW) != 0)
        F = Qt::Tool;
    else if ((Top->ExStyle & WS_EX_DLGMODALFRAME) != 0)
        F = Qt::Dialog;
    F |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if ((Top->Style & WS_SYSMENU) != 0)
        F |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if ((Top->Style & WS_MINIMIZEBOX) != 0 && (Top->Style & WS_CAPTION) == WS_CAPTION)
        F |= Qt::WindowMinimizeButtonHint;
    if ((Top->Style & WS_MAXIMIZEBOX) != 0 && (Top->Style & WS_THICKFRAME) != 0)
        F |= Qt::WindowMaximizeButtonHint;
    if (Top->Topmost)
        F |= Qt::WindowStaysOnTopHint;
    return F;
}

// A captioned window without a sizing border: the user cannot size it.
bool FixedSize(HWND Top)
{
    return (Top->Style & WS_THICKFRAME) == 0 && Top->FramedByDesktop();
}

} // namespace

// --- shared with the other window units -------------------------------------------------------

namespace QvWnd {

void CreateSurfaceWidget(HWND Top)
{
    ConnectApplicationState();
    Top->Surface = std::make_unique<TWindowSurface>();
    SizeSurfaceImage(*Top->Surface, QSize(std::max(1, Top->Width()), std::max(1, Top->Height())));
    if (!HasWidgetApplication())
        return;
    auto* W = new TSurfaceWidget(Top);
    W->setWindowFlags(FlagsFor(Top));
    W->setWindowTitle(Top->Text);
    W->Syncing = true;
    W->setGeometry(Top->Rect.Left, Top->Rect.Top, std::max(1, Top->Width()), std::max(1, Top->Height()));
    W->Syncing = false;
    if (FixedSize(Top))
        W->setFixedSize(std::max(1, Top->Width()), std::max(1, Top->Height()));
    Top->Surface->Widget = W;
    ApplySurfaceMask(Top);
}

std::optional<QMargins> AskDesktopFrame(HWND Top)
{
    if (!HasWidgetApplication())
        return std::nullopt;
    QWidget Probe;
    Probe.setWindowFlags(FlagsFor(Top));
    Probe.resize(std::max(1, Top->Width()), std::max(1, Top->Height()));
    return AskedFrameExtents(&Probe);
}

void DestroySurfaceWidget(HWND Top)
{
    if (!Top->Surface)
        return;
    DetachSurfaceDCs(Top);
    for (auto It = HostedRoots().begin(); It != HostedRoots().end(); ++It)
        if (TopLevel(It->second) == Top && It->first->window() == Top->Surface->Widget)
            It->first->setParent(nullptr);
    if (Top->Surface->Widget) {
        Top->Surface->Widget->hide();
        Top->Surface->Widget->deleteLater();
    }
    Top->Surface.reset();
}

void SyncSurfaceTitle(HWND Top)
{
    if (!Top->Surface || !Top->Surface->Widget)
        return;
    TSurfaceWidget* W = Top->Surface->Widget;
    if (W->windowTitle() != Top->Text)
        W->setWindowTitle(Top->Text);
}

void SyncSurfaceWidget(HWND Top, bool Geometry, bool Visibility)
{
    if (!Top->Surface || !Top->Surface->Widget)
        return;
    TSurfaceWidget* W = Top->Surface->Widget;
    W->Syncing = true;
    if (Geometry) {
        const QSize Size(std::max(1, Top->Width()), std::max(1, Top->Height()));
        if (FixedSize(Top))
            W->setFixedSize(Size);
        else
            W->setMinimumSize(0, 0), W->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        W->setGeometry(QRect(QPoint(Top->Rect.Left, Top->Rect.Top), Size));
    }
    if (Visibility) {
        if (W->windowTitle() != Top->Text)
            W->setWindowTitle(Top->Text);
        const Qt::WindowFlags Flags = FlagsFor(Top);
        if (W->windowFlags() != Flags)
            W->setWindowFlags(Flags);
        // The desktop learns the owner and modality before the window shows.
        // Where that is Qt's window modality, Qt drops what then still
        // comes for the windows it blocks: what came so far is taken first.
        if (Top->Visible() && !W->isVisible()) {
            SyncSurfaceOwner(Top);
            if (W->windowModality() != Qt::NonModal)
                TakeInputSentSoFar();
        }
        if (!Top->Visible()) {
            W->hide();
            SyncSurfaceOwner(Top);
        } else if (Top->Minimized) {
            W->showMinimized();
        } else {
            W->setAttribute(Qt::WA_ShowWithoutActivating, (Flags & Qt::ToolTip) == Qt::ToolTip);
            if (Top->Maximized)
                W->showMaximized();
            else if (W->isMinimized() || W->isMaximized())
                W->showNormal();
            else
                W->show();
            if (CanRaise())
                W->raise();
        }
    }
    W->Syncing = false;
}

void SyncSurfaceOwner(HWND Top)
{
    if (!Top->Surface || !Top->Surface->Widget)
        return;
    TSurfaceWidget* W = Top->Surface->Widget;
    // The modality shows from the next time the window is shown.
    if (!W->isVisible())
        SetDesktopModal(W, Top->Modal);
    HWND Owner = Live(Top->Parent) != nullptr && !Top->IsChild() ? Top->Parent : nullptr;
    QWidget* OwnerWidget = Owner != nullptr && Owner->Surface ? Owner->Surface->Widget.data() : nullptr;
    if (OwnerWidget != nullptr && OwnerWidget->windowHandle() == nullptr)
        OwnerWidget->winId();
    if (W->windowHandle() == nullptr)
        W->winId();
    W->windowHandle()->setTransientParent(OwnerWidget != nullptr ? OwnerWidget->windowHandle() : nullptr);
}

void SchedulePaint(HWND Top, const TRect& ImageRect)
{
    if (Top == nullptr || !Top->Surface || !Top->Surface->Widget)
        return;
    TSurfaceWidget* W = Top->Surface->Widget;
    if (W->isVisible())
        W->update(QRect(ImageRect.Left, ImageRect.Top, ImageRect.Width(), ImageRect.Height()));
}

void ApplySurfaceMask(HWND Top)
{
    if (!Top->Surface || !Top->Surface->Widget)
        return;
    if (!Top->Shape) {
        Top->Surface->Widget->clearMask();
        return;
    }
    QRegion Region;
    for (const TRect& R : Top->Shape->Rects())
        Region += QRect(R.Left, R.Top, R.Width(), R.Height());
    Top->Surface->Widget->setMask(Region);
}

void SyncHostedWidget(HWND Wnd)
{
    QWidget* H = Wnd->Hosted;
    if (H == nullptr)
        return;
    HWND Top = TopLevel(Wnd);
    QWidget* Window = Top->Surface ? Top->Surface->Widget.data() : nullptr;
    if (H->parentWidget() != Window) {
        H->setParent(Window);
        WatchWidgetTree(H);
    }
    const TPoint O = ClientOrigin(Wnd);
    const QRect Geometry(O.X, O.Y, Wnd->Client.Width(), Wnd->Client.Height());
    if (H->geometry() != Geometry)
        H->setGeometry(Geometry);
    bool Enabled = true;
    for (HWND W = Wnd; W != nullptr; W = W->IsChild() ? W->Parent : nullptr)
        Enabled = Enabled && W->Enabled();
    H->setEnabled(Enabled);
    const bool Showing = Window != nullptr && IsShowing(Wnd);
    if (Showing) {
        // Only the visible part: a panel can cover part of an edit.
        const TRegionData Visible = VisibleRegion(Wnd, true);
        QRegion Mask;
        for (const TRect& R : Visible.Rects())
            Mask += QRect(R.Left - O.X, R.Top - O.Y, R.Width(), R.Height());
        if (Mask == QRegion(QRect(QPoint(0, 0), Geometry.size())))
            H->clearMask();
        else
            H->setMask(Mask.isEmpty() ? QRegion(-1, -1, 1, 1) : Mask);
    }
    H->setVisible(Showing);
}

void SyncHostedWidgets(HWND Root)
{
    for (const auto& [Widget, Wnd] : HostedRoots()) {
        (void)Widget;
        if (Live(Wnd) != nullptr && (Wnd == Root || IsChild(Root, Wnd)))
            SyncHostedWidget(Wnd);
    }
}

bool ForwardToHostedWidget(HWND Wnd, const TMessage& Message)
{
    // Whatever else comes between the two halves of a character parts them.
    const QChar Held = std::exchange(Wnd->HeldHighSurrogate, QChar());
    QWidget* H = Wnd->Hosted;
    if (H == nullptr || !H->isEnabled())
        return false;
    const UINT Msg = Message.Msg;
    QWidget* Target = H;
    std::unique_ptr<QEvent> Event;
    if (Msg == WM_KEYDOWN || Msg == WM_KEYUP || Msg == WM_SYSKEYDOWN || Msg == WM_SYSKEYUP) {
        const WORD Vk = WORD(Message.WParam);
        // Enter, Backspace and Tab act on their character, as in a classic
        // edit control, so that a key handler can still drop them.
        if (Vk == VK_RETURN || Vk == VK_BACK || Vk == VK_TAB || Vk == VK_ESCAPE)
            return true;
        const bool Down = Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN;
        Event = std::make_unique<QKeyEvent>(Down ? QEvent::KeyPress : QEvent::KeyRelease, QtKey(Vk), CurrentModifiers());
    } else if (Msg == WM_SYSCHAR) {
        // Alt with a key is never text: the accelerators had it first, and
        // what none of them took beeps (DefWindowProc).
        return false;
    } else if (Msg == WM_CHAR) {
        const QChar C(char16_t(Message.WParam));
        int Key = Qt::Key_unknown;
        const String Text = CharacterText(Wnd, C, Held);
        if (C == QChar(13))
            Key = Qt::Key_Return;
        else if (C == QChar(8))
            Key = Qt::Key_Backspace;
        else if (C == QChar(9))
            Key = Qt::Key_Tab;
        else if (PrintableCharacters(Text).isEmpty())
            return true;
        Qt::KeyboardModifiers Mods = CurrentModifiers() & Qt::ShiftModifier;
        if (Key == Qt::Key_unknown)
            Mods = Qt::NoModifier;
        Event = std::make_unique<QKeyEvent>(QEvent::KeyPress, Key, Mods, Text);
    } else if (Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST && Msg != WM_MOUSEWHEEL && Msg != WM_MOUSEHWHEEL) {
        const TPoint P = LParamToPoint(Message.LParam);
        QPoint Local(P.X, P.Y);
        if (QWidget* Child = H->childAt(Local)) {
            Target = Child;
            Local = Child->mapFrom(H, Local);
        }
        const QPoint Global = Target->mapToGlobal(Local);
        Qt::MouseButtons Buttons;
        if (Message.WParam & MK_LBUTTON) Buttons |= Qt::LeftButton;
        if (Message.WParam & MK_RBUTTON) Buttons |= Qt::RightButton;
        if (Message.WParam & MK_MBUTTON) Buttons |= Qt::MiddleButton;
        QEvent::Type Type = QEvent::MouseMove;
        Qt::MouseButton Button = Qt::NoButton;
        switch (Msg) {
        case WM_LBUTTONDOWN: Type = QEvent::MouseButtonPress; Button = Qt::LeftButton; break;
        case WM_LBUTTONUP: Type = QEvent::MouseButtonRelease; Button = Qt::LeftButton; break;
        case WM_LBUTTONDBLCLK: Type = QEvent::MouseButtonDblClick; Button = Qt::LeftButton; break;
        case WM_RBUTTONDOWN: Type = QEvent::MouseButtonPress; Button = Qt::RightButton; break;
        case WM_RBUTTONUP: Type = QEvent::MouseButtonRelease; Button = Qt::RightButton; break;
        case WM_MBUTTONDOWN: Type = QEvent::MouseButtonPress; Button = Qt::MiddleButton; break;
        case WM_MBUTTONUP: Type = QEvent::MouseButtonRelease; Button = Qt::MiddleButton; break;
        default: break;
        }
        if (Msg == WM_RBUTTONUP)
            return false; // the context menu is ours
        if (Type == QEvent::MouseButtonPress || Type == QEvent::MouseButtonDblClick) {
            Buttons |= Button;
            // A classic edit takes the focus when it is clicked.
            if (GetFocus() != Wnd)
                SetFocus(Wnd);
            if (Live(Wnd) == nullptr || Wnd->Hosted != H)
                return true;
        }
        // The middle button's paste is the window's own (through its
        // WM_PASTE, with every rule of a paste); Qt's would pass none.
        if (Button == Qt::MiddleButton)
            return true;
        Event = std::make_unique<QMouseEvent>(Type, QPointF(Local), QPointF(Local), QPointF(Global), Button, Buttons,
                                              CurrentModifiers());
    } else if (Msg == WM_MOUSEWHEEL) {
        const TPoint S = LParamToPoint(Message.LParam);
        const QPoint Global(S.X, S.Y);
        const QPoint Local = H->mapFromGlobal(Global);
        const int Delta = std::int16_t(HIWORD(Message.WParam));
        Event = std::make_unique<QWheelEvent>(QPointF(Local), QPointF(Global), QPoint(), QPoint(0, Delta),
                                              Qt::NoButton, CurrentModifiers(), Qt::NoScrollPhase, false);
    } else {
        return false;
    }
    if (Msg == WM_KEYDOWN || Msg == WM_CHAR || Msg == WM_SYSKEYDOWN || Msg == WM_KEYUP)
        if (QWidget* F = H->focusWidget(); F != nullptr && H->isAncestorOf(F))
            Target = F;
    GForwarding = true;
    QCoreApplication::sendEvent(Target, Event.get());
    GForwarding = false;
    return true;
}

void HandleSyncGeometry(HWND Top)
{
    if (!Top->Surface || !Top->Surface->Widget || Top->IsChild())
        return;
    const QRect G = Top->Surface->Widget->geometry();
    if (G == QRect(Top->Rect.Left, Top->Rect.Top, Top->Width(), Top->Height()))
        return;
    // Taken from the desktop: our Qt window is already there.
    Top->Surface->Widget->Syncing = true;
    SetWindowPos(Top, nullptr, G.x(), G.y(), G.width(), G.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (Live(Top) != nullptr && Top->Surface && Top->Surface->Widget)
        Top->Surface->Widget->Syncing = false;
}

void HandleActivated(HWND Top)
{
    if (Top->Visible() && IsWindowEnabled(Top))
        SetActiveWindow(Top);
}

void HandleActivateApp(HWND Wnd, bool Active)
{
    if (!Active && Wnd == GActive) {
        GActive = nullptr;
        SendMessage(Wnd, WM_NCACTIVATE, FALSE, 0);
        SendMessage(Wnd, WM_ACTIVATE, WA_INACTIVE, 0);
    }
}

void ForgetWindow(HWND Wnd)
{
    auto Within = [Wnd](HWND W) { return W != nullptr && (W == Wnd || IsChild(Wnd, W)); };
    if (Within(Alive(GCapture)))
        ReleaseCapture();
    if (Within(Alive(GFocus))) {
        HWND Old = GFocus;
        GFocus = nullptr;
        SendMessage(Old, WM_KILLFOCUS, 0, 0);
    }
    if (GActive == Wnd)
        GActive = nullptr;
    // The mouse stays where it is, over the window that was behind this one
    // if that is ours.
    if (GMouseTop == Wnd)
        GMouseTop = TopLevelAt(GCursorPos, Wnd);
    if (GLastClick.Wnd == Wnd)
        GLastClick = {};
}

// Keys go to the focused window, whoever holds the mouse capture (a drag
// that wants Escape watches the queue or its parent, as the classic ones do).
HWND KeyTarget(HWND Top)
{
    if (Alive(GFocus) != nullptr)
        return GFocus;
    if (Alive(GActive) != nullptr)
        return GActive;
    return Alive(Top);
}

void InputTaken(const MSG& Msg)
{
    GTakenKeys = Msg.Keys;
}

void RecheckMouse()
{
    const bool Changed = GMouseStale || WindowsVersion() != GMouseSeenVersion;
    const bool OwnMove = GMouseLookMoved;
    GMouseLookMoved = false;
    if (!Changed)
        return;
    MouseSeen();
    // A held capture or a running menu has the mouse, whatever is under it.
    HWND Was = Alive(GMouseTop);
    if (OwnMove || GMenuLoops > 0 || Alive(GCapture) != nullptr || Was == nullptr)
        return;
    // The mouse is over the front one of our windows at its place, which
    // may be one shown there since; or over none of ours any more.
    const TPointHit Under = HitFromPoint(GCursorPos);
    GMouseTop = Under.Wnd != nullptr ? TopLevel(Under.Wnd) : nullptr;
    if (GMouseTop == nullptr) {
        PostMessage(Was, WM_MOUSELEAVE, 0, 0);
        return;
    }
    const TMouseTarget T = MouseTarget(GMouseTop, GCursorPos, Under);
    if (T.Wnd == nullptr)
        return;
    QueueMove(T, GCursorPos);
    MouseSeen();
    GMouseLookMoved = true;
}

} // namespace QvWnd

// --- focus, activation, capture -------------------------------------------------------------

HWND SetCapture(HWND Wnd)
{
    HWND Old = Alive(GCapture);
    if (Live(Wnd) == nullptr)
        return Old;
    GCapture = Wnd;
    if (Old != nullptr && Old != Wnd)
        SendMessage(Old, WM_CAPTURECHANGED, 0, LPARAM(Wnd));
    HWND Top = TopLevel(Wnd);
    if (Top != nullptr && Top->Surface && Top->Surface->Widget && Top->Surface->Widget->isVisible()
        && QWidget::mouseGrabber() != Top->Surface->Widget)
        Top->Surface->Widget->grabMouse();
    return Old;
}

BOOL ReleaseCapture()
{
    HWND Old = Alive(GCapture);
    GCapture = nullptr;
    if (QWidget* Grabber = QWidget::mouseGrabber())
        Grabber->releaseMouse();
    if (Old != nullptr)
        SendMessage(Old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture()
{
    return Alive(GCapture);
}

HWND SetFocus(HWND Wnd)
{
    HWND Old = Alive(GFocus);
    if (Wnd != nullptr && Live(Wnd) == nullptr)
        return Old;
    if (Wnd == Old)
        return Old;
    if (Wnd != nullptr) {
        HWND Top = TopLevel(Wnd);
        // A window a modal loop has disabled cannot take the focus.
        if (!Top->Enabled())
            return nullptr;
        if (Top != Alive(GActive) && Top->Visible()) {
            SetActiveWindow(Top);
            // Activating may have put the focus somewhere already.
            if (Alive(GFocus) == Wnd)
                return Old;
            Old = Alive(GFocus);
        }
    }
    GFocus = nullptr;
    if (Old != nullptr) {
        static int Changes = 0;
        const int Before = ++Changes;
        SendMessage(Old, WM_KILLFOCUS, WPARAM(Wnd), 0);
        if (Changes != Before || Alive(GFocus) != nullptr)
            return Old;
    }
    if (Wnd == nullptr || Live(Wnd) == nullptr)
        return Old;
    GFocus = Wnd;
    if (Wnd->Hosted) {
        Wnd->Hosted->setFocus(Qt::OtherFocusReason);
    } else if (HWND Top = TopLevel(Wnd); Top->Surface && Top->Surface->Widget) {
        Top->Surface->Widget->setFocus(Qt::OtherFocusReason);
    }
    SendMessage(Wnd, WM_SETFOCUS, WPARAM(Old), 0);
    return Old;
}

HWND GetFocus()
{
    return Alive(GFocus);
}

HWND GetActiveWindow()
{
    return Alive(GActive);
}

HWND SetActiveWindow(HWND Wnd)
{
    HWND Old = Alive(GActive);
    if (Live(Wnd) == nullptr)
        return Old;
    Wnd = TopLevel(Wnd);
    if (Wnd == Old)
        return Old;
    GActive = Wnd;
    if (Old != nullptr) {
        SendMessage(Old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(Old, WM_ACTIVATE, WA_INACTIVE, LPARAM(Wnd));
    }
    if (Live(Wnd) == nullptr || GActive != Wnd)
        return Old;
    if (Wnd->Surface && Wnd->Surface->Widget && Wnd->Surface->Widget->isVisible()) {
        if (CanRaise())
            Wnd->Surface->Widget->raise();
        Wnd->Surface->Widget->activateWindow();
    }
    SendMessage(Wnd, WM_NCACTIVATE, TRUE, 0);
    SendMessage(Wnd, WM_ACTIVATE, WA_ACTIVE, LPARAM(Old));
    return Old;
}

HWND GetForegroundWindow()
{
    return GAppActive ? Alive(GActive) : nullptr;
}

BOOL SetForegroundWindow(HWND Wnd)
{
    return SetActiveWindow(Wnd) != nullptr || GetActiveWindow() == TopLevel(Wnd);
}

bool ApplicationIsActive()
{
    return GAppActive;
}

BOOL GetCursorPos(TPoint* P)
{
    if (P == nullptr)
        return FALSE;
    if (!GCursorKnown && GuiApplication() != nullptr) {
        const QPoint Q = QCursor::pos();
        GCursorPos = {Q.x(), Q.y()};
    }
    *P = GCursorPos;
    return TRUE;
}

void MouseAreaChanged(HWND Wnd, const TRect& ClientRect)
{
    HWND Top = Alive(GMouseTop);
    if (Top == nullptr || Live(Wnd) == nullptr || TopLevel(Wnd) != Top)
        return;
    TPoint P = GCursorPos;
    ScreenToClient(Wnd, &P);
    if (PtInRect(ClientRect, P))
        GMouseStale = true;
}

BOOL SetCursorPos(int X, int Y)
{
    GCursorPos = {X, Y};
    GCursorKnown = true;
    if (GuiApplication() != nullptr && QGuiApplication::platformName() != QLatin1String("offscreen"))
        QCursor::setPos(X, Y);
    return TRUE;
}

std::int16_t GetKeyState(int VirtKey)
{
    const std::uint8_t S = SyncKeys()[VirtKey & 0xFF];
    return std::int16_t(((S & 0x80) != 0 ? 0x8000 : 0) | (S & 0x01));
}

std::int16_t GetAsyncKeyState(int VirtKey)
{
    return std::int16_t((GKeys[VirtKey & 0xFF] & 0x80) != 0 ? 0x8000 : 0);
}

BOOL GetKeyboardState(std::uint8_t* States)
{
    if (States == nullptr)
        return FALSE;
    const TKeyTable& Keys = SyncKeys();
    std::copy(Keys.begin(), Keys.end(), States);
    return TRUE;
}

HCURSOR LoadCursor(void* Instance, HCURSOR Name)
{
    (void)Instance;
    return Name;
}

namespace {

// Every mouse move sets the cursor again (WM_SETCURSOR), mostly to the
// shape it has: Qt would store a new cursor, hand it to the platform and
// send the window a cursor-change event each time.
void ShowCursorShape(TSurfaceWidget* Widget, Qt::CursorShape Shape)
{
    if (Widget->ShownCursor == Shape)
        return;
    Widget->setCursor(QCursor(Shape));
    Widget->ShownCursor = Shape;
}

} // namespace

HCURSOR SetCursor(HCURSOR Cursor)
{
    const HCURSOR Old = GCursor;
    GCursor = Cursor;
    const Qt::CursorShape Shape = CursorShape(Cursor);
    if (HWND Top = Alive(GMouseTop); Top != nullptr && Top->Surface && Top->Surface->Widget) {
        ShowCursorShape(Top->Surface->Widget, Shape);
    } else {
        for (HWND W : TopLevelWindows())
            if (W->Surface && W->Surface->Widget)
                ShowCursorShape(W->Surface->Widget, Shape);
    }
    return Old;
}

HCURSOR GetCursor()
{
    return GCursor;
}

BOOL MessageBeep(UINT Type)
{
    if (GBeepHook)
        GBeepHook(Type);
    else if (HasWidgetApplication())
        QApplication::beep();
    return TRUE;
}

void SetBeepHook(std::function<void(UINT Type)> Hook)
{
    GBeepHook = std::move(Hook);
}

// --- system facts -------------------------------------------------------------------------

namespace {

QRect PrimaryGeometry(bool Available)
{
    QScreen* S = GuiApplication() != nullptr ? QGuiApplication::primaryScreen() : nullptr;
    if (S == nullptr)
        return QRect(0, 0, 1024, 768);
    return Available ? S->availableGeometry() : S->geometry();
}

QRect VirtualGeometry()
{
    QRect R;
    if (GuiApplication() != nullptr)
        for (QScreen* S : QGuiApplication::screens())
            R = R.united(S->geometry());
    return R.isNull() ? PrimaryGeometry(false) : R;
}

} // namespace

int GetSystemMetrics(int Index)
{
    switch (Index) {
    case SM_CXSCREEN: return PrimaryGeometry(false).width();
    case SM_CYSCREEN: return PrimaryGeometry(false).height();
    case SM_CXFULLSCREEN: return PrimaryGeometry(true).width();
    case SM_CYFULLSCREEN: return PrimaryGeometry(true).height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 17;
    case SM_CYCAPTION: return 19;
    case SM_CYSMCAPTION: return 15;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYMENU: return 19;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG:
    case SM_CYDRAG:
        return GuiApplication() != nullptr ? std::max(1, QGuiApplication::styleHints()->startDragDistance()) : 4;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    case SM_MOUSEPRESENT: return 1;
    case SM_SWAPBUTTON: return 0;
    case SM_CMONITORS:
        return GuiApplication() != nullptr ? int(QGuiApplication::screens().size()) : 1;
    case SM_XVIRTUALSCREEN: return VirtualGeometry().x();
    case SM_YVIRTUALSCREEN: return VirtualGeometry().y();
    case SM_CXVIRTUALSCREEN: return VirtualGeometry().width();
    case SM_CYVIRTUALSCREEN: return VirtualGeometry().height();
    default: return 0;
    }
}

BOOL SystemParametersInfo(UINT Action, UINT Param, void* Value, UINT WinIni)
{
    (void)Param;
    (void)WinIni;
    switch (Action) {
    case SPI_GETWORKAREA: {
        if (Value == nullptr)
            return FALSE;
        const QRect R = PrimaryGeometry(true);
        *static_cast<TRect*>(Value) = Bounds(R.x(), R.y(), R.width(), R.height());
        return TRUE;
    }
    case SPI_GETWHEELSCROLLLINES:
        if (Value == nullptr)
            return FALSE;
        *static_cast<UINT*>(Value) = HasWidgetApplication() ? UINT(QApplication::wheelScrollLines()) : 3u;
        return TRUE;
    case SPI_GETDRAGFULLWINDOWS:
        if (Value == nullptr)
            return FALSE;
        *static_cast<BOOL*>(Value) = TRUE;
        return TRUE;
    default:
        return FALSE;
    }
}

UINT GetDoubleClickTime()
{
    return GuiApplication() != nullptr ? UINT(QGuiApplication::styleHints()->mouseDoubleClickInterval()) : 500u;
}

// --- embedded editors -------------------------------------------------------------------------

void SetWindowHostedWidget(HWND Wnd, QWidget* Widget)
{
    if (Live(Wnd) == nullptr)
        return;
    if (Wnd->Hosted) {
        HostedRoots().erase(Wnd->Hosted.data());
        Wnd->Hosted->deleteLater();
    }
    Wnd->Hosted = Widget;
    if (Widget == nullptr)
        return;
    HostedRoots()[Widget] = Wnd;
    QObject::connect(Widget, &QObject::destroyed, [Widget] { HostedRoots().erase(Widget); });
    WatchWidgetTree(Widget);
    SyncHostedWidget(Wnd);
}

QWidget* WindowQtWidget(HWND Wnd)
{
    HWND Top = TopLevel(Wnd);
    return Top != nullptr && Top->Surface ? Top->Surface->Widget.data() : nullptr;
}

QWidget* GetWindowHostedWidget(HWND Wnd)
{
    return Live(Wnd) != nullptr ? Wnd->Hosted.data() : nullptr;
}
