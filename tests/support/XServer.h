#pragma once
// What only a real desktop shows (the window manager's handling of our
// windows, Qt's menus taking the mouse, X windows that outlive their
// owner) is tested on an X server of the test's own.  A test starts one
// with TXServer and runs tests of its own program there
// (QT_QPA_PLATFORM=xcb); those tests skip unless they find themselves on
// it.  The server is a TXSession's (tests/support/XSession.h): Xvfb with
// openbox on a display that keeps to QV_X_DISPLAYS, ending with the test
// process also when that is killed, and so does the program run there.
// Without the programs (set up by scripts/setup.sh) the test skips and
// says why.
//
// The window manager acts in its own time, after the program's request and
// after the test's click: a test waits for what it expects the window
// manager to set (XToolShows), up to the patience a session has, and never
// reads it once.
#include "tests/support/XSession.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

class TXServer {
public:
    TXServer() = default;

    // The server and its window manager run.
    bool Ready() const { return FSession.Available(); }
    // Why not, when not.
    QString Problem() const { return FSession.Reason(); }
    // ":N".
    QString Display() const { return FSession.Display(); }

    struct TRun {
        int ExitCode = -1;
        QString Output;
        // Exactly one test ran and passed.
        bool Passed() const;
    };
    // Runs the tests of this program that Filter names on the server (once
    // per server: a session runs one program).
    TRun RunTests(const QString& Filter, int TimeoutMs = 120000);

private:
    TXSession FSession;
};

// The whole of a test that runs the test OnXServer.<Name> of this program
// on a server of its own (skipped, saying why, without one).
void RunOnXServer(const char* Name);
// The running program is on an X server (a test run by TXServer::RunTests).
bool OnXServer();
// A test that only a real desktop can run: XServer.<Name> starts a server
// and runs OnXServer.<Name> of this program there, whose body follows the
// macro; elsewhere that one skips.
#define QV_X_SERVER_TEST(Name)                                                                       \
    static void OnXServerBody_##Name();                                                              \
    TEST(XServer, Name)                                                                              \
    {                                                                                                \
        RunOnXServer(#Name);                                                                         \
    }                                                                                                \
    TEST(OnXServer, Name)                                                                            \
    {                                                                                                \
        if (!OnXServer())                                                                            \
            GTEST_SKIP() << "runs on the X server that XServer." #Name " starts";                    \
        OnXServerBody_##Name();                                                                      \
    }                                                                                                \
    static void OnXServerBody_##Name()
// How long a test on the server waits at most for the desktop: as long as
// a session's steps.
constexpr int XPatience = TXSession::Patience;
// Runs an X tool (xdotool, xprop, xwininfo) on this program's display and
// returns what it printed; empty when it failed.
QString RunXTool(const QString& Program, const QStringList& Arguments);
// Waits, running the message loop, until what an X tool prints satisfies
// Fits, running it again about every 50 ms for at most TimeoutMs.  Fails
// with what it printed last, to say what the desktop showed instead.
::testing::AssertionResult XToolShows(const QString& Program, const QStringList& Arguments,
                                      const std::function<bool(const QString&)>& Fits, int TimeoutMs = XPatience);
// Waits until the window manager has dealt with all the server gave it so
// far (a click, a request), where what it did shows no change to wait for:
// it is asked for another number of desktops, which it handles after
// those, and that number is awaited.  The tests keep to the first desktop.
::testing::AssertionResult WindowManagerCaughtUp();
// The pointer moved to a screen point (and clicked there) through the
// server, as a user's mouse does; each returns once the server has the
// pointer there.
void XMoveTo(int X, int Y);
void XClick(int X, int Y);
// Shows the form and waits until the desktop shows it, makes it the active
// window and has framed it, and the form knows where it was put.  A window
// manager that has only just started may miss a window mapped on a busy
// machine: then it is shown again.  Empty when shown; else what the desktop
// holds, to say why not.
class TCustomForm;
QString ShowOnDesktop(TCustomForm* Form);
