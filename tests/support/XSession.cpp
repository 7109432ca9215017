#include "tests/support/XSession.h"

#include "tests/support/ImageHelpers.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <cstdio>
#include <gtest/gtest.h>
#include <vector>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Every process a session starts goes when the test process goes, also
// when it is killed (a test run's time limit) and no destructor runs: left
// behind, the server would hold its display for ever.  The signal is asked
// for in the child, so a test process that died while it started is caught
// as well.
void EndWithThisProcess(QProcess& Process)
{
    const pid_t Parent = ::getpid();
    Process.setChildProcessModifier([Parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != Parent)
            ::_exit(127);
    });
}

// Whether Process has ended.  Without an event loop QProcess learns that
// only while it waits.
bool Ended(QProcess& Process)
{
    return Process.state() == QProcess::NotRunning || Process.waitForFinished(0);
}

std::unique_ptr<QProcess> NewChildProcess()
{
    auto Process = std::make_unique<QProcess>();
    EndWithThisProcess(*Process);
    return Process;
}

// Whether something answers on the local socket Path (a leading '@' for the
// abstract namespace).
bool Answers(const QByteArray& Path)
{
    sockaddr_un Address{};
    Address.sun_family = AF_UNIX;
    if (Path.size() >= int(sizeof(Address.sun_path)))
        return false;
    std::memcpy(Address.sun_path, Path.constData(), size_t(Path.size()));
    if (Path.startsWith('@'))
        Address.sun_path[0] = '\0';
    const int Socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (Socket < 0)
        return false;
    const bool Connected = ::connect(Socket, reinterpret_cast<const sockaddr*>(&Address),
                                     socklen_t(offsetof(sockaddr_un, sun_path) + size_t(Path.size())))
        == 0;
    ::close(Socket);
    return Connected;
}

// Whether a running server holds display N: it answers on the display's
// socket (a server started with -displayfd writes no lock file), or has
// locked it as it starts.  What a killed server left behind does not
// count: the next server clears it.
bool DisplayTaken(int N)
{
    const QByteArray Socket = "/tmp/.X11-unix/X" + QByteArray::number(N);
    if (Answers('@' + Socket) || Answers(Socket))
        return true;
    QFile Lock(QStringLiteral("/tmp/.X%1-lock").arg(N));
    if (!Lock.open(QIODevice::ReadOnly))
        return false;
    bool Ok = false;
    const pid_t Owner = Lock.readAll().trimmed().toInt(&Ok);
    return !Ok || Owner <= 0 || ::kill(Owner, 0) == 0 || errno == EPERM;
}

// Asks Done, with Pause (about 50 ms) between, until it holds or TimeoutMs
// has passed.
bool AskUntil(const std::function<bool()>& Done, int TimeoutMs, const std::function<void()>& Pause)
{
    const QDeadlineTimer Deadline(TimeoutMs);
    for (;;) {
        if (Done())
            return true;
        if (Deadline.hasExpired())
            return false;
        Pause();
    }
}

// Held while a session picks a display and starts its server there: two
// sessions that both found a display free would otherwise start on it at
// once, and one of them would fail.  The lock goes with its process.
class TDisplayChoice {
public:
    TDisplayChoice() : FFile(::open("/tmp/.quorvy-x-displays.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0666))
    {
        if (FFile >= 0)
            ::flock(FFile, LOCK_EX);
    }
    ~TDisplayChoice()
    {
        if (FFile >= 0)
            ::close(FFile);
    }
    TDisplayChoice(const TDisplayChoice&) = delete;
    TDisplayChoice& operator=(const TDisplayChoice&) = delete;

private:
    int FFile;
};

} // namespace

std::vector<int> AllowedXDisplays()
{
    const QStringList Range = qEnvironmentVariable("QV_X_DISPLAYS").split(QLatin1Char('-'));
    bool FirstOk = false, LastOk = false;
    const int First = Range.value(0).toInt(&FirstOk);
    const int Last = Range.size() > 1 ? Range.value(1).toInt(&LastOk) : First;
    std::vector<int> Displays;
    if (FirstOk && (LastOk || Range.size() == 1))
        for (int N = First; N <= Last; ++N)
            Displays.push_back(N);
    return Displays;
}

bool PollUntil(const std::function<bool()>& Done, int TimeoutMs)
{
    return AskUntil(Done, TimeoutMs, [] { QThread::msleep(50); });
}

TXSession::TXSession(QSize ScreenSize) : FScreenSize(ScreenSize)
{
    for (const char* Tool : {"Xvfb", "openbox", "xdotool", "xwininfo", "xprop", "wmctrl", "import"})
        if (QStandardPaths::findExecutable(QLatin1String(Tool)).isEmpty()) {
            FReason = QStringLiteral("%1 is not installed (scripts/setup.sh installs it)").arg(QLatin1String(Tool));
            return;
        }
    if (StartServer())
        StartWindowManager();
}

TXSession::~TXSession()
{
    SaveScreenOfFailedTest();
    for (auto* Process : {FProgram.get(), FWindowManager.get(), FServer.get()})
        if (Process != nullptr)
            Stop(*Process);
}

void TXSession::Stop(QProcess& Process)
{
    if (Process.state() == QProcess::NotRunning)
        return;
    Process.terminate();
    if (!Process.waitForFinished(5000)) {
        Process.kill();
        Process.waitForFinished(5000);
    }
}

void TXSession::SaveScreenOfFailedTest()
{
    if (!Available() || !::testing::Test::HasFailure())
        return;
    const QImage Shot = Screenshot();
    if (!Shot.isNull())
        std::printf("The screen when the test failed: %s\n",
                    qPrintable(SaveFailedImage(Shot, CurrentTestImageName(QStringLiteral("-screen")))));
}

bool TXSession::StartServer()
{
    const std::vector<int> Allowed = AllowedXDisplays();
    if (Allowed.empty())
        return StartServerOn(QString());
    // Other tests may hold every display given for a while.  A server that
    // fails on a display nobody holds would fail again.
    bool Failed = false;
    const bool Done = PollUntil(
        [&] {
            const TDisplayChoice Choosing;
            for (const int N : Allowed) {
                if (DisplayTaken(N))
                    continue;
                if (StartServerOn(QStringLiteral(":%1").arg(N)))
                    return true;
                if (!DisplayTaken(N))
                    return Failed = true;
            }
            return false;
        },
        Patience);
    if (!Done)
        FReason = QStringLiteral("no free display among QV_X_DISPLAYS=%1").arg(qEnvironmentVariable("QV_X_DISPLAYS"));
    return Done && !Failed;
}

bool TXSession::StartServerOn(const QString& Wanted)
{
    // The server writes the number of its display to the descriptor given
    // (its standard output here) once it takes connections; without a
    // display asked for it takes the first free one.  It must not reset
    // when its last client leaves: the tools that ask whether the window
    // manager runs yet come and go before the window manager connects, and
    // a reset then throws the window manager out as it starts.
    FServer = NewChildProcess();
    QStringList Arguments;
    if (!Wanted.isEmpty())
        Arguments << Wanted;
    Arguments << QStringLiteral("-displayfd") << QStringLiteral("1") << QStringLiteral("-screen") << QStringLiteral("0")
              << QStringLiteral("%1x%2x24").arg(FScreenSize.width()).arg(FScreenSize.height())
              << QStringLiteral("-nolisten") << QStringLiteral("tcp") << QStringLiteral("-noreset");
    FServer->start(QStringLiteral("Xvfb"), Arguments);
    QByteArray Number;
    const bool Started = FServer->waitForStarted(Patience)
        && PollUntil(
                             [&] {
                                 FServer->waitForReadyRead(50);
                                 Number += FServer->readAllStandardOutput();
                                 return Number.contains('\n') || Ended(*FServer);
                             },
                             Patience);
    bool Ok = false;
    const int Display = Number.trimmed().toInt(&Ok);
    if (!Started || !Ok) {
        FReason = QStringLiteral("Xvfb did not start on %1: %2")
                      .arg(Wanted.isEmpty() ? QStringLiteral("any display") : Wanted,
                           QString::fromLocal8Bit(FServer->readAllStandardError()));
        Stop(*FServer);
        return false;
    }
    FReason.clear();
    FDisplay = QStringLiteral(":%1").arg(Display);
    return true;
}

bool TXSession::StartWindowManager()
{
    FWindowManager = NewChildProcess();
    FWindowManager->setProcessEnvironment(Environment());
    FWindowManager->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    // A window shown before the window manager runs is never framed.
    // openbox names the current desktop once it manages the screen.
    const bool Running =
        FWindowManager->waitForStarted(Patience)
        && PollUntil(
            [this] {
                return Ended(*FWindowManager) || Run(QStringLiteral("xdotool"), {QStringLiteral("get_desktop")});
            },
            Patience);
    if (!Running || Ended(*FWindowManager)) {
        FReason = QStringLiteral("openbox did not start on %1: %2")
                      .arg(FDisplay, QString::fromLocal8Bit(FWindowManager->readAllStandardError()));
        return false;
    }
    return true;
}

QProcessEnvironment TXSession::Environment() const
{
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    Env.insert(QStringLiteral("DISPLAY"), FDisplay);
    Env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    Env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return Env;
}

bool TXSession::Run(const QString& Tool, const QStringList& Arguments, QByteArray* Output, int TimeoutMs)
{
    QProcess P;
    EndWithThisProcess(P);
    P.setProcessEnvironment(Environment());
    P.start(Tool, Arguments);
    if (!P.waitForFinished(TimeoutMs)) {
        Stop(P);
        return false;
    }
    if (Output != nullptr)
        *Output = P.readAllStandardOutput();
    return P.exitStatus() == QProcess::NormalExit && P.exitCode() == 0;
}

bool TXSession::Start(const QString& Program, const QStringList& Arguments)
{
    if (!Available() || FProgram)
        return false;
    FProgram = NewChildProcess();
    FProgram->setProcessEnvironment(Environment());
    FProgram->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    FProgram->start(Program, Arguments);
    return FProgram->waitForStarted(Patience);
}

QByteArray TXSession::ProgramOutput()
{
    if (FProgram)
        FProgramOutput += FProgram->readAllStandardOutput();
    return FProgramOutput;
}

int TXSession::WaitForExit(int TimeoutMs)
{
    if (!FProgram)
        return -1;
    if (!FProgram->waitForFinished(TimeoutMs)) {
        Stop(*FProgram);
        return -1;
    }
    ProgramOutput();
    return FProgram->exitStatus() == QProcess::NormalExit ? FProgram->exitCode() : -1;
}

bool TXSession::WaitUntil(const std::function<bool()>& Done, int TimeoutMs)
{
    // Reading the program's output while waiting keeps it from blocking on
    // a full pipe.
    return AskUntil(Done, TimeoutMs, [this] {
        if (FProgram && FProgram->state() == QProcess::Running && FProgram->waitForReadyRead(50))
            ProgramOutput();
        else
            QThread::msleep(50);
    });
}

bool TXSession::Await(const QString& What, const std::function<bool()>& Done, int TimeoutMs)
{
    if (WaitUntil(Done, TimeoutMs))
        return true;
    // What the screen showed then, for the person who looks into it.
    QByteArray Ids, Active;
    Run(QStringLiteral("xdotool"),
        {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), QStringLiteral(".")},
        &Ids);
    Run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}, &Active);
    QStringList Shown;
    for (const QByteArray& Id : Ids.split('\n'))
        if (QByteArray Name;
            !Id.isEmpty() && Run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), Id}, &Name))
            Shown << QStringLiteral("%1 \"%2\"%3")
                         .arg(QString::fromLatin1(Id), QString::fromUtf8(Name.trimmed()),
                              Id == Active.trimmed() ? QStringLiteral(" (active)") : QString());
    const QImage Shot = Screenshot();
    std::printf("Waited %d ms in vain for %s; shown: %s; the screen: %s\n", TimeoutMs, qPrintable(What),
                qPrintable(Shown.join(QStringLiteral(", "))),
                Shot.isNull() ? "none"
                              : qPrintable(SaveFailedImage(Shot, CurrentTestImageName(QStringLiteral("-timeout")))));
    return false;
}

QString TXSession::WaitForWindow(const QString& Title, int TimeoutMs)
{
    QByteArray Found;
    const QStringList Arguments{QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                Title};
    if (!Available()
        || !Await(
            QStringLiteral("a window named %1").arg(Title),
            [&] { return Run(QStringLiteral("xdotool"), Arguments, &Found); }, TimeoutMs))
        return QString();
    return QString::fromLatin1(Found).split(QLatin1Char('\n'), Qt::SkipEmptyParts).value(0);
}

bool TXSession::IsShown(const QString& Window)
{
    QByteArray Info;
    return Available() && Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), Window}, &Info)
        && Info.contains("Map State: IsViewable");
}

bool TXSession::WaitUntilGone(const QString& Window, int TimeoutMs)
{
    return Await(
        QStringLiteral("window %1 to go").arg(Window), [&] { return !IsShown(Window); }, TimeoutMs);
}

bool TXSession::HasFocus(const QString& Window)
{
    QByteArray Active;
    return Available() && Run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}, &Active)
        && QString::fromLatin1(Active.trimmed()) == Window;
}

QRect TXSession::WindowGeometry(const QString& Window)
{
    // xwininfo, not xdotool: xdotool adds the frame's offset twice once the
    // window manager has framed the window.
    QByteArray Info;
    if (!Available() || !Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), Window}, &Info))
        return QRect();
    auto Value = [&Info](const char* Label) {
        const QRegularExpression Line(QStringLiteral("^\\s*%1:\\s*(-?\\d+)").arg(QLatin1String(Label)),
                                      QRegularExpression::MultilineOption);
        return Line.match(QString::fromLatin1(Info)).captured(1).toInt();
    };
    return QRect(Value("Absolute upper-left X"), Value("Absolute upper-left Y"), Value("Width"), Value("Height"));
}

QRect TXSession::WaitForGeometry(const QString& Window, const std::function<bool(const QRect&)>& Fits, int TimeoutMs)
{
    QRect Seen;
    Await(
        QStringLiteral("window %1 to take its place").arg(Window), [&] { return Fits(Seen = WindowGeometry(Window)); },
        TimeoutMs);
    return Seen;
}

bool TXSession::IsMaximised(const QString& Window)
{
    QByteArray State;
    return Available() && Run(QStringLiteral("xprop"), {QStringLiteral("-id"), Window, "_NET_WM_STATE"}, &State)
        && State.contains("_NET_WM_STATE_MAXIMIZED_VERT") && State.contains("_NET_WM_STATE_MAXIMIZED_HORZ");
}

bool TXSession::Maximise(const QString& Window)
{
    return Available()
        && Run(QStringLiteral("wmctrl"),
               {QStringLiteral("-i"), QStringLiteral("-r"), Window, QStringLiteral("-b"),
                QStringLiteral("add,maximized_vert,maximized_horz")});
}

bool TXSession::Close(const QString& Window)
{
    return Available() && Run(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), Window});
}

bool TXSession::TypeInto(const QString& Window, const QString& Command, const QStringList& What)
{
    // Through the keyboard to the focused window, the window activated
    // first: programs ignore keys sent to a window directly as synthetic
    // events.  The window manager gives the focus when it gets to it.
    if (!Available())
        return false;
    // Asked again while it has not: it refuses while a modal window of
    // the program is still open, and may not come back to it when that
    // window closes.
    if (!Window.isEmpty() && !Await(QStringLiteral("window %1 to have the focus").arg(Window), [&] {
            return HasFocus(Window)
                || (Run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), Window}), false);
        }))
        return false;
    return Run(QStringLiteral("xdotool"), QStringList{Command, QStringLiteral("--clearmodifiers")} + What);
}

bool TXSession::SendKeys(const QStringList& Keys, const QString& Window)
{
    return TypeInto(Window, QStringLiteral("key"), Keys);
}

bool TXSession::Type(const QString& Text, const QString& Window)
{
    return TypeInto(Window, QStringLiteral("type"), {Text});
}

bool TXSession::Click(QPoint Where)
{
    return Available()
        && Run(QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QString::number(Where.x()), QString::number(Where.y()),
                QStringLiteral("click"), QStringLiteral("1")});
}

bool TXSession::ClickIn(const QString& Window, QPoint Where)
{
    const QRect Client = WindowGeometry(Window);
    return !Client.isEmpty() && Click(Client.topLeft() + Where);
}

QImage TXSession::Screenshot(const QString& Window)
{
    QByteArray Png;
    if (!Available()
        || !Run(
            QStringLiteral("import"),
            {QStringLiteral("-window"), Window.isEmpty() ? QStringLiteral("root") : Window, QStringLiteral("png:-")},
            &Png))
        return QImage();
    return QImage::fromData(Png, "PNG");
}

bool TXSession::SaveScreenshot(const QString& FileName, const QString& Window)
{
    const QImage Image = Screenshot(Window);
    return !Image.isNull() && Image.save(FileName, "PNG");
}

QImage TXSession::WaitForScreen(const std::function<bool(const QImage&)>& Shows, int TimeoutMs)
{
    QImage Shot;
    Await(
        QStringLiteral("the screen to show what the test expects"),
        [&] { return !(Shot = Screenshot()).isNull() && Shows(Shot); }, TimeoutMs);
    return Shot;
}
