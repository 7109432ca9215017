#pragma once
// A real X server for the few tests that run a program as a user would,
// beside the offscreen suite: Xvfb on a display of its own, the openbox
// window manager on it, the program started there, keys sent with xdotool,
// windows measured with xwininfo and screenshots taken with ImageMagick's
// import.
//
// On Linux: Xvfb picks a free display itself (-displayfd), so parallel test
// runs never collide; where people share a machine, QV_X_DISPLAYS ("51-59")
// keeps the tests to the displays given; where one of the tools (Xvfb, openbox, xdotool,
// xwininfo, import) is missing or the server does not start, Available()
// is false and Reason() says why, and the test skips (QV_SKIP_WITHOUT_X)
// rather than fails.  scripts/setup.sh installs all of them.
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
#include <memory>

class TXSession {
public:
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
    // The environment programs on the display get: this process's, with
    // DISPLAY set and Qt told to use it (QT_QPA_PLATFORM=xcb).
    QProcessEnvironment Environment() const;

    // Starts Program on the display (one program per session); false when
    // it does not start.  Its output is kept for ProgramOutput().
    bool Start(const QString& Program, const QStringList& Arguments = {});
    QProcess& Program() { return *FProgram; }
    // What the program wrote to its standard output so far.
    QByteArray ProgramOutput();
    // Waits until the program ends; its exit code, or -1 when it did not
    // end within TimeoutMs (it is killed then) or crashed.
    int WaitForExit(int TimeoutMs = 20000);

    // The id of a visible window whose title matches Title (a regular
    // expression, as xdotool matches names), waiting up to TimeoutMs for
    // it to appear; empty when none did.
    QString WaitForWindow(const QString& Title, int TimeoutMs = 20000);
    // The window's place and size on the screen (its client area, without
    // the window manager's frame); an empty rectangle when unknown.
    QRect WindowGeometry(const QString& Window);
    // Sends key strokes, named as xdotool names them ("Escape", "Return",
    // "alt+x", "ctrl+s", "F2"), to Window after activating it, or to
    // whatever window has the focus when Window is empty.
    bool SendKeys(const QStringList& Keys, const QString& Window = QString());
    // Clicks the left mouse button Clicks times at Where on the screen (a
    // double click on a title bar maximises the window, as users do).
    bool Click(QPoint Where, int Clicks = 1);
    // Types Text into Window (or the focused window) as key strokes.
    bool Type(const QString& Text, const QString& Window = QString());
    // The whole screen (or Window) as it shows now; a null image when it
    // cannot be taken.  SaveScreenshot writes it as PNG for a person.
    QImage Screenshot(const QString& Window = QString());
    bool SaveScreenshot(const QString& FileName, const QString& Window = QString());

private:
    bool StartServer();
    // Starts Xvfb on Wanted (":51"), or on any free display when empty.
    bool StartServerOn(const QString& Wanted);
    bool StartWindowManager();
    // Runs a tool on the display; its standard output, and whether it
    // ended with exit code 0.
    bool Run(const QString& Tool, const QStringList& Arguments, QByteArray* Output = nullptr, int TimeoutMs = 10000);
    // xdotool's key or type command, to Window after activating it.
    bool TypeInto(const QString& Window, const QString& Command, const QStringList& What);
    static void Stop(QProcess& Process);

    QSize FScreenSize;
    QString FDisplay;
    QString FReason;
    std::unique_ptr<QProcess> FServer;
    std::unique_ptr<QProcess> FWindowManager;
    std::unique_ptr<QProcess> FProgram;
    QByteArray FProgramOutput;
};

// Skips the running test, saying why, when Session has no X server.
#define QV_SKIP_WITHOUT_X(Session)                                                                                     \
    if (!(Session).Available())                                                                                        \
    GTEST_SKIP() << "No X server for this test: " << (Session).Reason().toStdString()
