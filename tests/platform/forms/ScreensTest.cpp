// Screens and window geometry: where centred forms go when there are
// several monitors and with the desktop's frame round them, the bounds a
// maximised form returns to, and whether the desktop lets the program
// place its windows.
#include "platform/forms/Forms.h"
#include "platform/forms/Screen.h"
#include "tests/support/TempDir.h"
#include "tests/support/WindowHelpers.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

// The primary screen on the left, a larger one to its right.
const char* const TwoScreens = R"({ "screens": [
  { "name": "primary", "x": 0, "y": 0, "width": 1024, "height": 768, "logicalDpi": 96, "logicalBpp": 32, "dpr": 1 },
  { "name": "right", "x": 1024, "y": 0, "width": 1280, "height": 1024, "logicalDpi": 96, "logicalBpp": 32, "dpr": 1 }
] })";

// Runs the current test again in a child process whose offscreen desktop
// has the screens of Config; its result is this test's.
::testing::AssertionResult PassesWithScreens(const QByteArray& Config)
{
    TTestDir Dir;
    if (!WriteRaw(Dir.File(QStringLiteral("screens.json")), Config))
        return ::testing::AssertionFailure() << "cannot write the screen set-up";
    const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess Child;
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    Env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + Dir.File("screens.json"));
    Child.setProcessEnvironment(Env);
    Child.setProcessChannelMode(QProcess::MergedChannels);
    Child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=%1.%2").arg(Info->test_suite_name(), Info->name())});
    if (!Child.waitForFinished(30000))
        return ::testing::AssertionFailure() << "the child run did not end";
    const QByteArray Output = Child.readAll();
    if (Child.exitCode() != 0 || !Output.contains("[  PASSED  ] 1 test"))
        return ::testing::AssertionFailure() << Output.toStdString();
    return ::testing::AssertionSuccess();
}

TForm* ShownForm(TPosition Position, TRect Bounds)
{
    TForm* Form = CreateNewForm<TForm>(nullptr);
    Form->SetBoundsRect(Bounds);
    Form->SetPosition(Position);
    Form->Show();
    return Form;
}

} // namespace

TEST(Screens, CentredFormsStayOnOneMonitor)
{
    if (QGuiApplication::screens().size() < 2) {
        EXPECT_TRUE(PassesWithScreens(TwoScreens));
        return;
    }
    ASSERT_EQ(Screen->MonitorCount(), 2);
    EXPECT_EQ(Screen->DesktopRect(), Bounds(0, 0, 2304, 1024));
    // The desktop's middle is on the seam; the primary screen's is not.
    TForm* Dialog = ShownForm(poDesktopCenter, Bounds(0, 0, 400, 300));
    EXPECT_EQ(Dialog->BoundsRect(), Bounds(312, 234, 400, 300));
    Dialog->Free();
    // Centred on the right-hand monitor, it stays there.
    TForm* Right = ShownForm(poScreenCenter, Bounds(1100, 50, 400, 300));
    EXPECT_EQ(Right->BoundsRect(), Bounds(1464, 362, 400, 300));
    Right->Free();
}

namespace {

// The frame a window manager draws: a title bar on top, thin borders.
const TRect ScriptedFrame{4, 30, 4, 6};

// The desktop's frame as a test says it is, while it lasts.
class TScriptedFrame {
public:
    explicit TScriptedFrame(TRect Frame) : Frame(Frame)
    {
        SetDesktopFrameHook([this](HWND) { return this->Frame; });
    }
    ~TScriptedFrame() { SetDesktopFrameHook(nullptr); }
    TRect Frame;
};

// Where the client area of a form of Size goes when its frame is centred
// on the work area.
TPoint FrameCentred(TSize Size)
{
    const TRect Work = Screen->WorkAreaRect();
    const int Width = Size.cx + ScriptedFrame.Left + ScriptedFrame.Right;
    const int Height = Size.cy + ScriptedFrame.Top + ScriptedFrame.Bottom;
    return {Work.Left + (Work.Width() - Width) / 2 + ScriptedFrame.Left,
            Work.Top + (Work.Height() - Height) / 2 + ScriptedFrame.Top};
}

} // namespace

// The whole window is centred, frame included, and kept on the work area
// title bar first: one too tall with its frame goes to the top, one larger
// than the work area keeps its top-left corner on it.
TEST(Screens, APlacedFormKeepsItsFrameOnTheWorkArea)
{
    const TScriptedFrame Desktop(ScriptedFrame);
    const TRect Work = Screen->WorkAreaRect();
    // The frame's top-left corner on the work area's.
    const TPoint Corner{Work.Left + ScriptedFrame.Left, Work.Top + ScriptedFrame.Top};
    const struct {
        const char* What;
        TSize Size;
        TPoint At;
    } Cases[] = {
        {"fits", {300, 200}, FrameCentred({300, 200})},
        {"fits without its frame", {300, Work.Height() - 20}, {FrameCentred({300, 0}).X, Corner.Y}},
        {"too wide with its frame", {Work.Width() - 4, 200}, {Corner.X, FrameCentred({0, 200}).Y}},
        {"larger", {Work.Width() + 50, Work.Height() + 50}, Corner},
    };
    for (const auto& C : Cases) {
        TForm* Form = ShownForm(poDesktopCenter, Bounds(0, 0, C.Size.cx, C.Size.cy));
        EXPECT_EQ(Form->BoundsRect(), Bounds(C.At.X, C.At.Y, C.Size.cx, C.Size.cy)) << C.What;
        Form->Free();
    }
}

// Before the desktop has framed a window its frame is a guess; once the
// desktop shows it, a form still where it was put whose real frame leaves
// the work area is placed again with it.  One whose frame fits, however
// far from the guess, and one moved meanwhile stay where they are.
TEST(Screens, AFormIsPlacedAgainWhenTheFrameTheDesktopGaveItLeavesTheWorkArea)
{
    const TRect Work = Screen->WorkAreaRect();
    const TRect Thin{1, 2, 1, 1};
    TScriptedFrame Desktop(Thin);
    // Fits with the thin frame, not with the real one: its title bar would
    // be off the top.
    TForm* Tall = ShownForm(poDesktopCenter, Bounds(0, 0, 300, Work.Height() - 20));
    ASSERT_LT(Tall->BoundsRect().Top - ScriptedFrame.Top, Work.Top);
    Desktop.Frame = ScriptedFrame;
    EXPECT_TRUE(RunUntil([&] { return Tall->BoundsRect().Top == Work.Top + ScriptedFrame.Top; }));
    EXPECT_EQ(Tall->BoundsRect(),
              Bounds(FrameCentred({300, 0}).X, Work.Top + ScriptedFrame.Top, 300, Work.Height() - 20));
    Tall->Free();

    // Guessed larger than it is: a few pixels off the centre, no jump.
    Desktop.Frame = ScriptedFrame;
    TForm* Small = ShownForm(poDesktopCenter, Bounds(0, 0, 300, 200));
    const TRect Placed = Small->BoundsRect();
    Desktop.Frame = Thin;
    TScreenPaints SmallPaints(Small);
    ASSERT_TRUE(RunUntil([&] { return SmallPaints.Shown(Small, Small->ClientRect()); }));
    PumpMessages();
    EXPECT_EQ(Small->BoundsRect(), Placed);
    Small->Free();

    Desktop.Frame = Thin;
    TForm* Moved = ShownForm(poDesktopCenter, Bounds(0, 0, 300, 200));
    // Moved where the real frame leaves the work area: the user's choice.
    Moved->SetBounds(10, Work.Top + 20, 300, 200);
    Desktop.Frame = ScriptedFrame;
    TScreenPaints Paints(Moved);
    ASSERT_TRUE(RunUntil([&] { return Paints.Shown(Moved, Moved->ClientRect()); }));
    PumpMessages();
    EXPECT_EQ(Moved->BoundsRect(), Bounds(10, Work.Top + 20, 300, 200));
    Moved->Free();
}

TEST(Screens, AMaximisedFormKnowsTheBoundsItReturnsTo)
{
    TForm* Form = ShownForm(poDesigned, Bounds(30, 40, 400, 260));
    EXPECT_EQ(Form->RestoredBounds(), Bounds(30, 40, 400, 260));
    Form->SetWindowState(wsMaximized);
    ASSERT_TRUE(RunUntil([Form] { return Form->Width() > 400; })) << "the desktop did not maximise the form";
    EXPECT_EQ(Form->WindowState(), wsMaximized);
    EXPECT_EQ(Form->RestoredBounds(), Bounds(30, 40, 400, 260));
    Form->SetWindowState(wsNormal);
    ASSERT_TRUE(RunUntil([Form] { return Form->Width() == 400; }));
    Form->SetBounds(50, 60, 300, 200);
    EXPECT_EQ(Form->RestoredBounds(), Bounds(50, 60, 300, 200));
    Form->Free();
    // Not shown yet: its bounds as they are.
    TForm* Hidden = CreateNewForm<TForm>(nullptr);
    Hidden->SetBounds(5, 6, 70, 80);
    EXPECT_EQ(Hidden->RestoredBounds(), Bounds(5, 6, 70, 80));
    Hidden->Free();
}

TEST(Screens, PlacingWindowsIsUpToTheDesktop)
{
    for (const char* Name : {"xcb", "offscreen", "minimal", "windows"})
        EXPECT_TRUE(TScreen::PlatformPlacesWindows(QString::fromLatin1(Name))) << Name;
    for (const char* Name : {"wayland", "wayland-egl", "Wayland", "eglfs", "linuxfb"})
        EXPECT_FALSE(TScreen::PlatformPlacesWindows(QString::fromLatin1(Name))) << Name;
    EXPECT_TRUE(Screen->CanPlaceWindows());
}
