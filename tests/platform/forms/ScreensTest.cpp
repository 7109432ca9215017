// Screens and window geometry: where centred forms go when there are
// several monitors, the bounds a maximised form returns to, and whether the
// desktop lets the program place its windows.
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
