#pragma once
// What only a real desktop shows (the window manager's handling of our
// windows, Qt's menus taking the mouse, X windows that outlive their
// owner) is tested on an X server of the test's own: Xvfb, which picks a
// free display itself so that parallel runs never collide, with openbox
// as its window manager.  A test starts one with TXServer and runs tests
// of its own program there (QT_QPA_PLATFORM=xcb); those tests skip
// unless they find themselves on it.  Without the programs (set up by
// scripts/setup.sh) the test skips and says why.
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
#include <memory>

class QProcess;

class TXServer {
public:
    TXServer();
    ~TXServer();
    TXServer(const TXServer&) = delete;
    TXServer& operator=(const TXServer&) = delete;

    // The server and its window manager run.
    bool Ready() const { return FProblem.isEmpty(); }
    // Why not, when not.
    const QString& Problem() const { return FProblem; }
    // ":N".
    const QString& Display() const { return FDisplay; }

    struct TRun {
        int ExitCode = -1;
        QString Output;
        // Exactly one test ran and passed.
        bool Passed() const;
    };
    // Runs the tests of this program that Filter names on the server.
    TRun RunTests(const QString& Filter, int TimeoutMs = 120000) const;

private:
    bool StartServer();
    bool StartWindowManager();
    std::unique_ptr<QProcess> FServer;
    std::unique_ptr<QProcess> FWindowManager;
    QString FDisplay;
    QString FProblem;
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
