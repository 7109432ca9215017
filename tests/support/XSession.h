#pragma once
// A real X server for the few tests that run a program as a user would,
// beside the offscreen suite: Xvfb on a display of its own, the openbox
// window manager on it, the program started there, keys sent with xdotool,
// windows measured with xwininfo, maximised and closed with wmctrl, and
// screenshots taken with ImageMagick's import.  The forms tests that run
// their own test program on a desktop (TXServer, XServer.h) start their
// server through a session too: this is the one place that starts one.
//
// Every step waits for what a user would see (a window shown or gone, a
// title, the focus, pixels, a file, a line of output) up to a generous
// deadline, never for a fixed time: on a loaded machine the program is
// slow, not wrong, and a test only fails when the awaited state never
// comes.  The server, the window manager and the program end with the
// session, also when the test process is killed.
//
// On Linux: Xvfb picks a free display itself (-displayfd), so parallel test
// runs never collide; where people share a machine, QV_X_DISPLAYS ("51-59")
// keeps the tests to the displays given.  Where one of the tools is missing
// or no server starts, Available() is false and Reason() says why, and the
// test skips (QV_SKIP_WITHOUT_X) rather than fails.  scripts/setup.sh
// installs all of them.  When a test fails, the screen as it was is saved
// under failed-images/ for a person to look at.
//
//   TXSession X;
//   QV_SKIP_WITHOUT_X(X);
//   ASSERT_TRUE(X.Start(QV_PROGRAM));
//   const QString Window = X.WaitForWindow(QStringLiteral("Quorvy"));
//   ASSERT_FALSE(Window.isEmpty());
//   X.SendKeys({QStringLiteral("alt+x")}, Window);
//   EXPECT_EQ(X.WaitForExit(), 0);
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class TXSession {
public:
    // How long a wait lasts at most unless told otherwise: far more than
    // any step takes even on a machine busy with other work.
    static constexpr int Patience = 60000;

    // Starts Xvfb with one screen of ScreenSize and openbox on it.
    explicit TXSession(QSize ScreenSize = QSize(1280, 1024));
    // Ends the program, the window manager and the server, in that order.
    ~TXSession();
    TXSession(const TXSession&) = delete;
    TXSession& operator=(const TXSession&) = delete;

    bool Available() const { return FReason.isEmpty(); }
    // Why no X server is there (empty when it is).
    QString Reason() const { return FReason; }
    // ":N".
    QString Display() const { return FDisplay; }
    QSize ScreenSize() const { return FScreenSize; }
    // The environment programs on the display get: this process's as it is
    // now, with DISPLAY set and Qt told to use it (QT_QPA_PLATFORM=xcb).
    QProcessEnvironment Environment() const;

    // Starts Program on the display (one program per session); false when
    // it does not start.  Its output is kept for ProgramOutput().
    bool Start(const QString& Program, const QStringList& Arguments = {});
    QProcess& Program() { return *FProgram; }
    // What the program wrote to its standard output so far.
    QByteArray ProgramOutput();
    // Waits until the program ends; its exit code, or -1 when it did not
    // end within TimeoutMs (it is killed then) or crashed.
    int WaitForExit(int TimeoutMs = Patience);
    // Waits until Done holds, asking again whenever the program wrote
    // something and at least every 50 ms; false when it still did not hold
    // after TimeoutMs.
    bool WaitUntil(const std::function<bool()>& Done, int TimeoutMs = Patience);

    // The id of a visible window whose title matches Title (a regular
    // expression, as xdotool matches names), waiting for it to appear;
    // empty when none did.
    QString WaitForWindow(const QString& Title, int TimeoutMs = Patience);
    // Whether Window is mapped and viewable now.
    bool IsShown(const QString& Window);
    // Waits until Window is no longer shown (closed, hidden or destroyed).
    bool WaitUntilGone(const QString& Window, int TimeoutMs = Patience);
    // Whether Window has the input focus (is the window manager's active
    // window) now.
    bool HasFocus(const QString& Window);
    // The window's place and size on the screen (its client area, without
    // the window manager's frame); an empty rectangle when unknown.
    QRect WindowGeometry(const QString& Window);
    // Waits until Window's geometry is one that Fits takes; the last one
    // seen.
    QRect WaitForGeometry(const QString& Window, const std::function<bool(const QRect&)>& Fits,
                          int TimeoutMs = Patience);
    // Whether the window manager shows Window maximised now.
    bool IsMaximised(const QString& Window);

    // Asks the window manager to maximise Window, as a taskbar does.
    bool Maximise(const QString& Window);
    // Asks the window manager to close Window, as its close button does.
    bool Close(const QString& Window);
    // Sends key strokes, named as xdotool names them ("Escape", "Return",
    // "alt+x", "ctrl+s", "F2"), to Window after activating it and waiting
    // for it to have the focus, or to whatever window has the focus when
    // Window is empty.
    bool SendKeys(const QStringList& Keys, const QString& Window = QString());
    // Types Text into Window (or the focused window) as key strokes.
    bool Type(const QString& Text, const QString& Window = QString());
    // Clicks the left mouse button once at Where on the screen.  (No double
    // clicks: whether two clicks make one depends on how fast they come.)
    bool Click(QPoint Where);
    // Clicks once at Where in Window's client area.
    bool ClickIn(const QString& Window, QPoint Where);
    // The whole screen (or Window) as it shows now; a null image when it
    // cannot be taken.  SaveScreenshot writes it as PNG for a person.
    QImage Screenshot(const QString& Window = QString());
    bool SaveScreenshot(const QString& FileName, const QString& Window = QString());
    // Waits until a screenshot of the whole screen satisfies Shows; the last
    // screenshot taken (null when none could be).
    QImage WaitForScreen(const std::function<bool(const QImage&)>& Shows, int TimeoutMs = Patience);

private:
    bool StartServer();
    // Starts Xvfb on Wanted (":51"), or on any free display when empty.
    bool StartServerOn(const QString& Wanted);
    bool StartWindowManager();
    // Runs a tool on the display; its standard output, and whether it
    // ended with exit code 0.
    bool Run(const QString& Tool, const QStringList& Arguments, QByteArray* Output = nullptr, int TimeoutMs = Patience);
    // WaitUntil, saying what did not come about (and saving the screen as
    // it was then) when it did not.
    bool Await(const QString& What, const std::function<bool()>& Done, int TimeoutMs = Patience);
    // xdotool's key or type command, to Window after activating it.
    bool TypeInto(const QString& Window, const QString& Command, const QStringList& What);
    // Keeps the screen for a person to look at when the running test failed.
    void SaveScreenOfFailedTest();
    static void Stop(QProcess& Process);

    QSize FScreenSize;
    QString FDisplay;
    QString FReason;
    std::unique_ptr<QProcess> FServer;
    std::unique_ptr<QProcess> FWindowManager;
    std::unique_ptr<QProcess> FProgram;
    QByteArray FProgramOutput;
};

// The displays this machine lets the X tests use, from QV_X_DISPLAYS
// ("51-59"): where several people share a machine each keeps to numbers of
// his own.  Empty when unset: the server picks any free display then.
std::vector<int> AllowedXDisplays();

// Asks Done every 50 ms until it holds; false when it still did not after
// TimeoutMs.
bool PollUntil(const std::function<bool()>& Done, int TimeoutMs = TXSession::Patience);

// Skips the running test, saying why, when Session has no X server.
#define QV_SKIP_WITHOUT_X(Session)                                                                                     \
    if (!(Session).Available())                                                                                        \
    GTEST_SKIP() << "No X server for this test: " << (Session).Reason().toStdString()
