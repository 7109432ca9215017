// Pieces of the window layer the control libraries build on: dock sites
// with their grabbers, a popup's own message loop, embedded Qt editors,
// the keys that ask for a context menu, lock keys and scroll bars.
#include "tests/platform/forms/TestControls.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/WindowHelpers.h"

#include "platform/stdctrls/ExtCtrls.h"
#include "platform/windows/DockTree.h"
#include "platform/windows/LockKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct Layer : ::testing::Test {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    void SetUp() override { Form->SetBounds(60, 60, 320, 200); }
    void TearDown() override { Form->Free(); }
};

TEST_F(Layer, ADockedClientGetsItsGrabberStrip)
{
    auto* Site = new TPanel(Form);
    Site->SetParent(Form);
    Site->SetBoundsRect(Bounds(0, 0, 200, 150));
    Site->SetBevelOuter(bvNone);
    Site->SetDockSite(true);
    auto* Client = new TTestBox(Form);
    Client->SetColor(clRed);
    Form->Show();
    Client->ManualDock(Site);
    ASSERT_EQ(Site->DockClientCount(), 1);
    EXPECT_EQ(Client->HostDockSite(), Site);
    auto* Tree = dynamic_cast<TDockTree*>(Site->DockManager());
    ASSERT_NE(Tree, nullptr);
    // Not aligned to a top or bottom edge: the grabber is on top.
    EXPECT_EQ(Client->BoundsRect(), Rect(0, Tree->GrabberSize(), 200, 150));
    const QImage Img = FormImage(Site);
    EXPECT_TRUE(RectHasColor(Img, Bounds(0, Tree->GrabberSize(), 200, 150 - Tree->GrabberSize()), ColorToRGB(clRed)));
    EXPECT_GT(CountColor(Img, ColorToRGB(clBtnHighlight), Bounds(0, 0, 200, Tree->GrabberSize())), 10);
    // Undocking floats it out of the site.
    Client->ManualDock(nullptr);
    EXPECT_EQ(Site->DockClientCount(), 0);
    EXPECT_EQ(Client->Parent(), nullptr);
    Client->Free();
}

TEST_F(Layer, ADragEndsOnATargetThatAcceptsItOrIsCalledOffByEscape)
{
    auto* Source = new TTestBox(Form);
    auto* Target = new TTestBox(Form);
    Source->SetBoundsRect(Bounds(10, 10, 40, 40));
    Target->SetBoundsRect(Bounds(100, 10, 60, 60));
    Source->SetParent(Form);
    Target->SetParent(Form);
    Form->Show();
    TObject* Ended = Source;
    int Dropped = 0;
    Target->SetOnDragOver(
        [&](TObject*, TObject* From, int, int, TDragState, bool& Accept) { Accept = From == Source; });
    Target->SetOnDragDrop([&](TObject*, TObject*, int, int) { ++Dropped; });
    Source->SetOnEndDrag([&](TObject*, TObject* On, int, int) { Ended = On; });
    // Dropped on the target.
    MouseDown(Source, {5, 5});
    Source->BeginDrag(true);
    MouseMove(Source, {120, 20}, Qt::LeftButton);
    MouseUp(Source, {120, 20});
    EXPECT_EQ(Dropped, 1);
    EXPECT_EQ(Ended, Target);
    // Called off by Escape: no drop, and the source hears of no target.
    MouseDown(Source, {5, 5});
    Source->BeginDrag(true);
    MouseMove(Source, {120, 20}, Qt::LeftButton);
    PressKey(Form, Qt::Key_Escape);
    EXPECT_FALSE(Source->Dragging());
    EXPECT_EQ(Ended, nullptr);
    MouseUp(Source, {120, 20});
    EXPECT_EQ(Dropped, 1);
}

TEST_F(Layer, APopupLoopSwallowsThePressOutsideThatEndsIt)
{
    auto* Button = new TTestBox(Form);
    Button->SetBoundsRect(Bounds(10, 10, 80, 30));
    Button->SetParent(Form);
    Form->Show();
    // An owned popup that never takes activation, as a drop-down panel.
    TWindowCreateParams P;
    P.Style = WS_POPUP | WS_BORDER;
    P.Parent = Form->Handle();
    P.X = 100;
    P.Y = 100;
    P.Width = 50;
    P.Height = 40;
    HWND Popup = CreateWindowEx(P);
    SetWindowPos(Popup, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    EXPECT_EQ(GetActiveWindow(), Form->Handle());
    // The press is queued before the loop runs, as tests must.
    QueueMouseDown(Button, {5, 5});
    bool Closed = false;
    MSG M;
    while (!Closed && PeekMessage(M, nullptr, 0, 0, PM_NOREMOVE)) {
        if (M.message == WM_LBUTTONDOWN && M.hwnd != Popup && !IsChild(Popup, M.hwnd)) {
            PeekMessage(M, nullptr, 0, 0, PM_REMOVE);
            Closed = true;
            break;
        }
        PeekMessage(M, nullptr, 0, 0, PM_REMOVE);
        DispatchMessage(M);
    }
    EXPECT_TRUE(Closed);
    EXPECT_EQ(Button->Clicks, 0);
    DestroyWindow(Popup);
}

// A control whose window holds a Qt line edit, as the edits do.
class TLineEditHost : public TWinControl {
public:
    explicit TLineEditHost(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }
    QLineEdit* Edit() const { return static_cast<QLineEdit*>(HostedWidget()); }

protected:
    QWidget* CreateHostedWidget() override { return new QLineEdit; }
};

TEST_F(Layer, KeysForAnEmbeddedEditorGoThroughTheControlFirst)
{
    auto* Host = new TLineEditHost(Form);
    Host->SetBoundsRect(Bounds(10, 10, 120, 24));
    Host->SetParent(Form);
    auto* Next = new TTestButton(Form);
    Next->SetBoundsRect(Bounds(10, 50, 75, 25));
    Next->SetParent(Form);
    Form->Show();
    Host->SetFocus();
    PumpMessages();
    // Qt's focus follows ours.
    ASSERT_TRUE(Host->Edit()->hasFocus());
    Host->SetOnKeyPress([](TObject*, QChar& Key) {
        if (Key == QLatin1Char('x'))
            Key = QChar();
        else
            Key = Key.toUpper();
    });
    for (int K : {Qt::Key_A, Qt::Key_X, Qt::Key_B})
        PressKey(Host, K);
    EXPECT_EQ(Host->Edit()->text(), QStringLiteral("AB"));
    PressKey(Host, Qt::Key_Left);
    PressKey(Host, Qt::Key_Backspace);
    EXPECT_EQ(Host->Edit()->text(), QStringLiteral("B"));
    // Tab never reaches Qt's own focus chain: our Tab order moves on.
    PressKey(Host, Qt::Key_Tab);
    EXPECT_TRUE(Next->Focused());
    EXPECT_EQ(Host->Edit()->text(), QStringLiteral("B"));
    // The editor is part of the window's image: its text shows there (as
    // whatever pixels the face in use gives, so compared with no text).
    const QRect Editor(10, 10, 120, 24);
    PumpMessages();
    const QImage WithText = FormImage(Form).copy(Editor);
    Host->Edit()->clear();
    PumpMessages();
    EXPECT_NE(FormImage(Form).copy(Editor), WithText);
}

// The two keys that ask for a context menu, sent as a keyboard does:
// Shift+F10 may be let go Shift first (as xdotool does) or F10 first.
const std::pair<const char*, std::function<void(TControl*)>> ContextKeys[] = {
    {"Menu", [](TControl* C) { PressKey(C, Qt::Key_Menu); }},
    {"Shift+F10, Shift up first",
     [](TControl* C) {
         KeyDown(C, Qt::Key_Shift, Qt::ShiftModifier);
         KeyDown(C, Qt::Key_F10, Qt::ShiftModifier);
         KeyUp(C, Qt::Key_Shift);
         KeyUp(C, Qt::Key_F10);
     }},
    {"Shift+F10, F10 up first",
     [](TControl* C) {
         KeyDown(C, Qt::Key_Shift, Qt::ShiftModifier);
         KeyDown(C, Qt::Key_F10, Qt::ShiftModifier);
         KeyUp(C, Qt::Key_F10, Qt::ShiftModifier);
         KeyUp(C, Qt::Key_Shift);
     }},
};

TEST_F(Layer, TheMenuKeyAndShiftF10ShowTheFocusedControlsPopupMenu)
{
    auto* Box = new TTestBox(Form);
    Box->SetBoundsRect(Bounds(10, 10, 100, 60));
    auto* Host = new TLineEditHost(Form);
    Host->SetBoundsRect(Bounds(10, 100, 120, 24));
    auto* Menu = new TPopupMenu(Form);
    for (TControl* C : std::initializer_list<TControl*>{Box, Host}) {
        C->SetParent(Form);
        C->SetPopupMenu(Menu);
    }
    Form->Show();
    for (TWinControl* C : std::initializer_list<TWinControl*>{Box, Host}) {
        C->SetFocus();
        for (const auto& [Name, Send] : ContextKeys) {
            SCOPED_TRACE(Name);
            TScriptedPopupMenus Menus({QString()});
            Send(Form);
            ASSERT_EQ(Menus.Shown().size(), 1u);
            EXPECT_EQ(Menus.Shown()[0].PopupComponent, C);
            EXPECT_EQ(Menus.Shown()[0].At, C->ClientToScreen({0, 0}));
        }
    }
}

TEST_F(Layer, F10AloneAndAControlThatTakesShiftF10ItselfShowNoMenu)
{
    auto* Box = new TTestBox(Form);
    Box->SetBoundsRect(Bounds(10, 10, 100, 60));
    Box->SetParent(Form);
    Box->SetPopupMenu(new TPopupMenu(Form));
    Form->Show();
    Box->SetFocus();
    TScriptedPopupMenus Menus({QString()});
    QStringList Keys;
    Box->SetOnKeyDown([&](TObject*, WORD& Key, TShiftState Shift) {
        Keys << QStringLiteral("%1%2").arg(Shift.Contains(ssShift) ? "Shift+" : "").arg(Key);
    });
    PressKey(Form, Qt::Key_F10);
    PressKey(Form, Qt::Key_F10, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Menus.Shown().empty()) << "F10 alone, or with Ctrl, is a key";
    EXPECT_EQ(Keys, QStringList({"121", "Shift+121"}));
    // A control that drops the key in its handler keeps it from the menu.
    Box->SetOnKeyDown([](TObject*, WORD& Key, TShiftState) { Key = 0; });
    PressKey(Form, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(Menus.Shown().empty());
    // One that shows a menu of its own hears of the keyboard's position.
    Box->SetOnKeyDown(nullptr);
    TPoint Asked{0, 0};
    Box->SetOnContextPopup([&](TObject*, TPoint MousePos, bool& Handled) {
        Asked = MousePos;
        Handled = true;
    });
    PressKey(Form, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(Menus.Shown().empty());
    EXPECT_EQ(Asked, TPoint(-1, -1));
}

TEST(KeyState, LockKeysToggleOnEachPress)
{
    TForm* Form = CreateNewForm<TForm>(nullptr);
    Form->Show();
    const bool Before = (GetKeyState(VK_CAPITAL) & 1) != 0;
    PressKey(Form, Qt::Key_CapsLock);
    EXPECT_NE((GetKeyState(VK_CAPITAL) & 1) != 0, Before);
    KeyDown(Form, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    KeyUp(Form, Qt::Key_Shift);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    PressKey(Form, Qt::Key_CapsLock);
    EXPECT_EQ((GetKeyState(VK_CAPITAL) & 1) != 0, Before);
    // Insert toggles the program's overwrite flag the same way.
    const bool Overwrite = (GetKeyState(VK_INSERT) & 1) != 0;
    PressKey(Form, Qt::Key_Insert);
    EXPECT_NE((GetKeyState(VK_INSERT) & 1) != 0, Overwrite);
    Form->Free();
}

// A lock already on when the program starts is on from the start: the key
// table takes the desktop's state (scripted here), and asks again whenever
// a lock may have changed.
TEST(KeyState, LockKeysAreAsTheDesktopHasThem)
{
    TScriptedLockKeys Desktop({{VK_CAPITAL, false}, {VK_NUMLOCK, true}, {VK_SCROLL, true}});
    EXPECT_EQ(GetKeyState(VK_NUMLOCK), 1);
    EXPECT_EQ(GetKeyState(VK_SCROLL), 1);
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 0);
    TForm* Form = CreateNewForm<TForm>(nullptr);
    Form->Show();
    Desktop.On[VK_NUMLOCK] = false;
    PressKey(Form, Qt::Key_NumLock);
    EXPECT_EQ(GetKeyState(VK_NUMLOCK), 0);
    Form->Free();
    // Pressed in a window of Qt's own, which the key table never sees.
    Desktop.On[VK_CAPITAL] = true;
    QWidget Stray;
    QKeyEvent Press(QEvent::KeyPress, Qt::Key_CapsLock, Qt::NoModifier);
    QCoreApplication::sendEvent(&Stray, &Press);
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 1);
    // Switched in another program: asked when the program is active again.
    Desktop.On[VK_SCROLL] = false;
    EXPECT_EQ(GetKeyState(VK_SCROLL), 1);
    LockKeysMayHaveChanged();
    EXPECT_EQ(GetKeyState(VK_SCROLL), 0);
}

TEST(KeyState, KeysTypedAheadAreHandledWithTheKeysHeldAsTheyCame)
{
    TForm* Form = CreateNewForm<TForm>(nullptr);
    Form->SetKeyPreview(true);
    Form->Show();
    PumpMessages();
    std::vector<std::pair<WORD, bool>> Seen; // each key, and whether Ctrl was held with it
    bool CtrlUpMeanwhile = false;
    Form->SetOnKeyDown([&](TObject*, WORD& Key, TShiftState Shift) {
        Seen.emplace_back(Key, Shift.Contains(ssCtrl) && GetKeyState(VK_CONTROL) < 0);
        CtrlUpMeanwhile = GetAsyncKeyState(VK_CONTROL) >= 0;
    });
    // Ctrl+P comes in whole while the program is busy.
    QueueKeyDown(Form, Qt::Key_Control, Qt::ControlModifier);
    QueueKeyDown(Form, Qt::Key_P, Qt::ControlModifier);
    QueueKeyUp(Form, Qt::Key_Control);
    QueueKeyUp(Form, Qt::Key_P);
    PumpMessages();
    const std::vector<std::pair<WORD, bool>> CtrlP{{VK_CONTROL, true}, {WORD('P'), true}};
    EXPECT_EQ(Seen, CtrlP);
    EXPECT_TRUE(CtrlUpMeanwhile);
    // Once the keys are handled, the keys held are the keyboard's.
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    Form->Free();
}

TEST_F(Layer, ScrollBarsTakeTheirRoomAndSendScrollMessages)
{
    auto* Box = new TTestBox(Form);
    Box->SetBoundsRect(Bounds(0, 0, 100, 100));
    Box->SetParent(Form);
    Form->Show();
    std::vector<int> Codes;
    Box->SetWindowProc([&, Old = Box->WindowProc()](TMessage& M) {
        if (M.Msg == WM_VSCROLL)
            Codes.push_back(LOWORD(M.WParam));
        Old(M);
    });
    SCROLLINFO Info;
    Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    Info.nMax = 99;
    Info.nPage = 10;
    SetScrollInfo(Box->Handle(), SB_VERT, &Info, TRUE);
    EXPECT_EQ(Box->ClientWidth(), 100 - GetSystemMetrics(SM_CXVSCROLL));
    // A click on the down arrow: one line, then the end of scrolling.
    const TPoint Arrow = Box->ScreenToClient(Box->ClientToScreen({0, 0}));
    (void)Arrow;
    const TPoint Screen = Box->ClientToScreen({100 - GetSystemMetrics(SM_CXVSCROLL) + 5, 95});
    PostMessage(Box->Handle(), WM_LBUTTONUP, 0, 0);
    SendMessage(Box->Handle(), WM_NCLBUTTONDOWN, HTVSCROLL, PointToLParam(Screen));
    EXPECT_EQ(Codes, (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    // Too little to scroll: the bar goes and the client area grows back.
    Info.nPage = 100;
    SetScrollInfo(Box->Handle(), SB_VERT, &Info, TRUE);
    EXPECT_EQ(Box->ClientWidth(), 100);
}

} // namespace
