// A program on a real X server with a window manager, driven as a user
// would drive it: a form read from its definition is shown where it asked
// to be, its title bar on the screen, painted, closed with a key, and
// knows its bounds when maximised.  And the X fixtures themselves: they
// keep to the displays given and end with a killed test process.  Skipped
// where no X server can be started.
#include "tests/support/XSession.h"
#include "platform/graphics/Colors.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/XServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

#include <csignal>

namespace {

const QString Title = QStringLiteral("Quorvy X-proef");

// What the probe writes on F3: its bounds and the bounds it returns to.
struct TReport {
    QRect Bounds;
    QRect Restored;
};

std::vector<TReport> Reports(const QByteArray& Output)
{
    static const QRegularExpression Line(QStringLiteral("^(bounds|restored) (-?\\d+) (-?\\d+) (\\d+) (\\d+)$"),
                                         QRegularExpression::MultilineOption);
    std::vector<TReport> Found;
    for (auto It = Line.globalMatch(QString::fromLatin1(Output)); It.hasNext();) {
        const auto M = It.next();
        const QRect R(M.captured(2).toInt(), M.captured(3).toInt(), M.captured(4).toInt(), M.captured(5).toInt());
        if (M.captured(1) == QLatin1String("bounds"))
            Found.push_back({R, QRect()});
        else if (!Found.empty())
            Found.back().Restored = R;
    }
    return Found;
}

// The probe's Number-th report (from 1), waiting until it is complete; an
// empty one when it never came.
TReport WaitForReport(TXSession& X, size_t Number)
{
    TReport Report;
    X.WaitUntil([&] {
        const std::vector<TReport> Found = Reports(X.ProgramOutput());
        if (Found.size() < Number || Found[Number - 1].Restored.isNull())
            return false;
        Report = Found[Number - 1];
        return true;
    });
    return Report;
}

// The processes whose parent is Parent and that have not ended.
std::vector<qint64> LiveChildrenOf(qint64 Parent)
{
    std::vector<qint64> Found;
    for (const QString& Pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile Stat(QStringLiteral("/proc/%1/stat").arg(Pid));
        if (!Stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold spaces.
        const QByteArray Line = Stat.readAll();
        const QList<QByteArray> Fields = Line.mid(Line.lastIndexOf(')') + 2).split(' ');
        if (Fields.size() > 1 && Fields[0] != "Z" && Fields[1].toLongLong() == Parent)
            Found.push_back(Pid.toLongLong());
    }
    return Found;
}

bool Alive(qint64 Pid)
{
    QFile Stat(QStringLiteral("/proc/%1/stat").arg(Pid));
    if (!Stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray Line = Stat.readAll();
    return Line.mid(Line.lastIndexOf(')') + 2, 1) != "Z";
}

// Window with the frame the window manager drew round it, as it tells the
// frame (_NET_FRAME_EXTENTS); an empty rectangle while it has not framed it.
QRect FramedGeometry(TXSession& X, const QString& Window)
{
    QProcess Xprop;
    Xprop.setProcessEnvironment(X.Environment());
    Xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), Window, QStringLiteral("_NET_FRAME_EXTENTS")});
    if (!Xprop.waitForFinished(TXSession::Patience) || Xprop.exitCode() != 0)
        return QRect();
    // "_NET_FRAME_EXTENTS(CARDINAL) = 1, 1, 20, 5": left, right, top, bottom.
    static const QRegularExpression Extents(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)"));
    const auto M = Extents.match(QString::fromLatin1(Xprop.readAllStandardOutput()));
    const QRect Client = X.WindowGeometry(Window);
    if (!M.hasMatch() || Client.isEmpty())
        return QRect();
    return Client.adjusted(-M.captured(1).toInt(), -M.captured(3).toInt(), M.captured(2).toInt(),
                           M.captured(4).toInt());
}

// Waits until Window, with its frame, is where Fits wants it; the last
// framed geometry seen.
QRect WaitForFramedGeometry(TXSession& X, const QString& Window, const std::function<bool(const QRect&)>& Fits)
{
    QRect Seen;
    X.WaitUntil([&] {
        Seen = FramedGeometry(X, Window);
        return !Seen.isEmpty() && Fits(Seen);
    });
    return Seen;
}

// Starts the probe and waits for its form; the form's window id, or empty
// when it did not show.
QString ShowProbe(TXSession& X)
{
    return X.Start(QStringLiteral(QV_XPROBE)) ? X.WaitForWindow(Title) : QString();
}

} // namespace

TEST(XSession, AFormFromADefinitionShowsCentredPaintsAndClosesWithAKey)
{
    TXSession X(QSize(1280, 1024));
    QV_SKIP_WITHOUT_X(X);
    const QString Window = ShowProbe(X);
    ASSERT_FALSE(Window.isEmpty()) << "the form did not show";

    // In the middle of the screen with the window manager's frame round
    // it, at its designed size.
    const QRect Framed = WaitForFramedGeometry(X, Window, [](const QRect& F) {
        return F.topLeft() == QPoint((1280 - F.width()) / 2, (1024 - F.height()) / 2);
    });
    EXPECT_EQ(Framed.topLeft(), QPoint((1280 - Framed.width()) / 2, (1024 - Framed.height()) / 2));
    const QRect Client = X.WindowGeometry(Window);
    EXPECT_EQ(Client.size(), QSize(320, 160));
    EXPECT_GT(Client.top(), Framed.top()) << "no title bar";

    // Painted: the face between the buttons and the top is the form's.
    const QPoint Face = Client.topLeft() + QPoint(20, 20);
    const COLORREF FaceColor = ColorToRGB(clBtnFace);
    const QImage Shot =
        X.WaitForScreen([&](const QImage& S) { return ImagePixel(S, Face.x(), Face.y()) == FaceColor; });
    ASSERT_FALSE(Shot.isNull()) << "no screenshot (ImageMagick's import)";
    EXPECT_EQ(ImagePixel(Shot, Face.x(), Face.y()), FaceColor);

    // Escape presses Cancel: the modal result is the exit code.
    EXPECT_TRUE(X.SendKeys({QStringLiteral("Escape")}, Window));
    EXPECT_EQ(X.WaitForExit(), 2);
}

TEST(XSession, AFormMaximisedByTheDesktopKnowsTheBoundsItReturnsTo)
{
    TXSession X(QSize(1024, 768));
    QV_SKIP_WITHOUT_X(X);
    const QString Window = ShowProbe(X);
    ASSERT_FALSE(Window.isEmpty()) << "the form did not show";
    // Placed in the middle, frame and all.
    const QRect Framed = WaitForFramedGeometry(X, Window, [](const QRect& F) {
        return F.topLeft() == QPoint((1024 - F.width()) / 2, (768 - F.height()) / 2);
    });
    ASSERT_EQ(Framed.topLeft(), QPoint((1024 - Framed.width()) / 2, (768 - Framed.height()) / 2));
    const QRect Normal = X.WindowGeometry(Window);
    ASSERT_EQ(Normal.size(), QSize(320, 160));
    ASSERT_TRUE(X.SendKeys({QStringLiteral("F3")}, Window));
    const TReport Before = WaitForReport(X, 1);
    ASSERT_EQ(Before.Bounds, Normal);
    EXPECT_EQ(Before.Restored, Normal);

    // Maximised by the desktop, as a taskbar asks the window manager.  Once
    // the window manager shows it maximised, the program has been told
    // before the key that follows.
    ASSERT_TRUE(X.Maximise(Window));
    EXPECT_TRUE(X.WaitUntil([&] { return X.IsMaximised(Window) && X.WindowGeometry(Window).width() > 320; }))
        << "the window manager did not maximise the form";
    ASSERT_TRUE(X.SendKeys({QStringLiteral("F3")}, Window));
    const TReport Maximised = WaitForReport(X, 2);
    EXPECT_GT(Maximised.Bounds.width(), 320);
    EXPECT_EQ(Maximised.Restored, Normal);

    EXPECT_TRUE(X.SendKeys({QStringLiteral("Return")}, Window));
    EXPECT_EQ(X.WaitForExit(), 1);
}

// A form that does not fit the screen with its frame keeps the frame's top
// on it, so the title bar with its buttons stays in reach, and is centred
// across; one larger than the screen both ways keeps its top-left corner.
TEST(XSession, APlacedFormKeepsItsTitleBarOnTheScreen)
{
    for (const QSize Screen : {QSize(400, 170), QSize(300, 150)}) {
        TXSession X(Screen);
        QV_SKIP_WITHOUT_X(X);
        const QString Window = ShowProbe(X);
        ASSERT_FALSE(Window.isEmpty()) << "the form did not show";
        const auto Placed = [&](const QRect& F) {
            return F.top() == 0 && F.left() == std::max(0, (Screen.width() - F.width()) / 2);
        };
        const QRect Framed = WaitForFramedGeometry(X, Window, Placed);
        EXPECT_TRUE(Placed(Framed)) << Screen.width() << "x" << Screen.height() << ": at " << Framed.left() << ", "
                                    << Framed.top();
        EXPECT_EQ(X.WindowGeometry(Window).size(), QSize(320, 160));
        EXPECT_TRUE(X.SendKeys({QStringLiteral("Escape")}, Window));
        EXPECT_EQ(X.WaitForExit(), 2);
    }
}

// A test process killed outright (a test run's time limit) runs no
// destructor: whatever an X fixture started (the server, the window
// manager, the program) ends with it all the same, and the display is free
// again.  The forms tests' server stands on the same start as a session.
TEST(XSession, NothingItStartedOutlivesAKilledTestProcess)
{
    const struct {
        const char* Fixture;
        QStringList Arguments;
        size_t Started;
    } Cases[] = {
        {"a session with a program", {QStringLiteral(QV_XPROBE), Title}, 3},
        {"the forms tests' server", {QStringLiteral("--server")}, 2},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Fixture);
        QProcess Holder;
        Holder.start(QStringLiteral(QV_XHOLDER), Case.Arguments);
        ASSERT_TRUE(Holder.waitForStarted(TXSession::Patience));
        QByteArray Said;
        while (!Said.contains('\n') && Holder.waitForReadyRead(TXSession::Patience))
            Said += Holder.readAllStandardOutput();
        if (Said.startsWith("none "))
            GTEST_SKIP() << "No X server for this test: " << Said.mid(5).trimmed().toStdString();
        ASSERT_TRUE(Said.startsWith("ready :")) << Said.toStdString();
        const QString LockFile = QStringLiteral("/tmp/.X%1-lock").arg(QString::fromLatin1(Said.mid(7).trimmed()));
        const std::vector<qint64> Started = LiveChildrenOf(Holder.processId());
        EXPECT_EQ(Started.size(), Case.Started) << "the server, the window manager (and the program)";

        ::kill(pid_t(Holder.processId()), SIGKILL);
        ASSERT_TRUE(Holder.waitForFinished(TXSession::Patience));
        for (const qint64 Pid : Started)
            EXPECT_TRUE(PollUntil([&] { return !Alive(Pid); })) << "process " << Pid << " outlived the test";
        EXPECT_TRUE(PollUntil([&] { return !QFile::exists(LockFile); })) << LockFile.toStdString();
    }
}

namespace {

// The display numbers the test below may take: those QV_X_DISPLAYS gives
// where it is set, else some far above the ones a server picks itself
// (from :0 up).
std::pair<int, int> DisplaysForTheTest()
{
    const std::vector<int> Given = AllowedXDisplays();
    return Given.empty() ? std::pair(460, 469) : std::pair(Given.front(), Given.back());
}

int DisplayNumber(const QString& Display)
{
    return Display.mid(1).toInt();
}

} // namespace

// Where people share a machine, QV_X_DISPLAYS keeps the X tests to the
// displays given: the forms tests' server too, also beside a session that
// holds one of them already.
TEST(XServer, KeepsToTheDisplaysGiven)
{
    const auto [First, Last] = DisplaysForTheTest();
    const struct {
        QByteArray Given;
        int First, Last;
        bool SessionBeside;
    } Cases[] = {
        {QByteArray::number(First) + '-' + QByteArray::number(Last), First, Last, false},
        {QByteArray::number(Last), Last, Last, false},
        {QByteArray::number(First) + '-' + QByteArray::number(Last), First, Last, First < Last},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE("QV_X_DISPLAYS=" + Case.Given.toStdString());
        const TEnvGuard Displays("QV_X_DISPLAYS", Case.Given);
        std::unique_ptr<TXSession> Beside;
        if (Case.SessionBeside) {
            Beside = std::make_unique<TXSession>();
            QV_SKIP_WITHOUT_X(*Beside);
        }
        const TXServer Server;
        if (!Server.Ready())
            GTEST_SKIP() << "No X server for this test: " << Server.Problem().toStdString();
        EXPECT_GE(DisplayNumber(Server.Display()), Case.First) << Server.Display().toStdString();
        EXPECT_LE(DisplayNumber(Server.Display()), Case.Last) << Server.Display().toStdString();
        if (Beside) {
            EXPECT_GE(DisplayNumber(Beside->Display()), Case.First) << Beside->Display().toStdString();
            EXPECT_LE(DisplayNumber(Beside->Display()), Case.Last) << Beside->Display().toStdString();
            EXPECT_NE(Beside->Display(), Server.Display());
        }
    }
}
