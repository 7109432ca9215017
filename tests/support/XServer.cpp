#include "tests/support/XServer.h"

#include "platform/forms/Forms.h"
#include "platform/graphics/GuiApplication.h"
#include "platform/windows/WinUser.h"
#include "tests/support/WindowHelpers.h"
#include "tests/support/XSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <climits>
#include <gtest/gtest.h>

bool TXServer::TRun::Passed() const
{
    return ExitCode == 0 && Output.contains(QStringLiteral("[  PASSED  ] 1 test."));
}

TXServer::TRun TXServer::RunTests(const QString& Filter, int TimeoutMs)
{
    TRun Run;
    if (!FSession.Start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + Filter}))
        return Run;
    Run.ExitCode = FSession.WaitForExit(TimeoutMs);
    if (Run.ExitCode == -1)
        Run.Output = QStringLiteral("did not end within %1 ms, or crashed\n").arg(TimeoutMs);
    Run.Output += QString::fromLocal8Bit(FSession.ProgramOutput());
    return Run;
}

void RunOnXServer(const char* Name)
{
    TXServer X;
    if (!X.Ready())
        GTEST_SKIP() << "No X server for this test: " << X.Problem().toStdString();
    const TXServer::TRun Run = X.RunTests(QStringLiteral("OnXServer.") + QString::fromLatin1(Name));
    EXPECT_TRUE(Run.Passed()) << Run.Output.toStdString();
}

bool OnXServer()
{
    return GuiApplication() != nullptr && QGuiApplication::platformName() == QLatin1String("xcb");
}

QString RunXTool(const QString& Program, const QStringList& Arguments)
{
    QProcess Tool;
    Tool.start(Program, Arguments);
    if (!Tool.waitForFinished(XPatience) || Tool.exitStatus() != QProcess::NormalExit || Tool.exitCode() != 0)
        return QString();
    return QString::fromLocal8Bit(Tool.readAllStandardOutput());
}

::testing::AssertionResult XToolShows(const QString& Program, const QStringList& Arguments,
                                      const std::function<bool(const QString&)>& Fits, int TimeoutMs)
{
    QElapsedTimer Clock;
    Clock.start();
    for (;;) {
        const QString Output = RunXTool(Program, Arguments);
        if (Fits(Output))
            return ::testing::AssertionSuccess();
        if (Clock.elapsed() > TimeoutMs)
            return ::testing::AssertionFailure()
                << "waited " << TimeoutMs << " ms in vain; " << Program.toStdString() << ' '
                << Arguments.join(QLatin1Char(' ')).toStdString() << " printed:\n"
                << Output.toStdString();
        RunUntil([] { return false; }, 50);
    }
}

::testing::AssertionResult WindowManagerCaughtUp()
{
    const QStringList Count{QStringLiteral("get_num_desktops")};
    const int Asked = RunXTool(QStringLiteral("xdotool"), Count).trimmed().toInt() == 4 ? 5 : 4;
    RunXTool(QStringLiteral("xdotool"), {QStringLiteral("set_num_desktops"), QString::number(Asked)});
    return XToolShows(QStringLiteral("xdotool"), Count,
                      [Asked](const QString& Output) { return Output.trimmed().toInt() == Asked; });
}

void XMoveTo(int X, int Y)
{
    // Not with xdotool's --sync: that waits for the pointer to move, for
    // ever when it is there already.
    RunXTool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(X), QString::number(Y)});
    const QString There = QStringLiteral("x:%1 y:%2 ").arg(X).arg(Y);
    if (!PollUntil(
            [&] { return RunXTool(QStringLiteral("xdotool"), {QStringLiteral("getmouselocation")}).startsWith(There); },
            XPatience))
        ADD_FAILURE() << "the pointer did not move to " << X << ", " << Y;
}

void XClick(int X, int Y)
{
    XMoveTo(X, Y);
    RunXTool(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")});
}

namespace {

QString XWindowId(TCustomForm* Form)
{
    return QStringLiteral("0x") + QString::number(WindowQtWidget(Form->Handle())->winId(), 16);
}

// Where xwininfo says a window is on the screen (inside the window
// manager's frame).
TPoint ScreenOrigin(const QString& Info)
{
    auto Value = [&Info](const char* Label) {
        const QRegularExpression Line(QStringLiteral("^\\s*%1:\\s*(-?\\d+)").arg(QLatin1String(Label)),
                                      QRegularExpression::MultilineOption);
        const QRegularExpressionMatch Found = Line.match(Info);
        return Found.hasMatch() ? Found.captured(1).toInt() : INT_MIN;
    };
    return {Value("Absolute upper-left X"), Value("Absolute upper-left Y")};
}

} // namespace

QString ShowOnDesktop(TCustomForm* Form)
{
    auto Shown = [Form] {
        QWidget* W = WindowQtWidget(Form->Handle());
        return W != nullptr && W->windowHandle() != nullptr && W->windowHandle()->isExposed() && Form->Active();
    };
    const QDeadlineTimer Deadline(XPatience);
    Form->Show();
    // A window the window manager missed stays unshown: it is shown again,
    // after longer and longer waits (a busy machine is slow to show it),
    // while the patience lasts.
    for (qint64 Wait = 5000; !RunUntil(Shown, int(std::min(Wait, Deadline.remainingTime()))); Wait *= 2) {
        if (Deadline.hasExpired())
            return RunXTool(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
        Form->Hide();
        PumpMessages();
        Form->Show();
    }
    const QString Id = XWindowId(Form);
    const ::testing::AssertionResult Framed =
        XToolShows(QStringLiteral("xprop"), {QStringLiteral("-id"), Id, QStringLiteral("_NET_FRAME_EXTENTS")},
                   [](const QString& Extents) { return Extents.contains(QLatin1Char('=')); });
    if (!Framed)
        return QString::fromStdString(Framed.message());
    // Placed where the window manager put it, as the form knows it.
    const ::testing::AssertionResult Placed =
        XToolShows(QStringLiteral("xwininfo"), {QStringLiteral("-id"), Id}, [Form](const QString& Info) {
            TRect Window;
            return GetWindowRect(Form->Handle(), &Window) && ScreenOrigin(Info) == Window.TopLeft();
        });
    return Placed ? QString() : QString::fromStdString(Placed.message());
}
