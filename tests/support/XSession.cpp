#include "tests/support/XSession.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <vector>

#include <csignal>
#include <sys/prctl.h>

namespace {

QString Missing(const char* Tool)
{
    return QStringLiteral("%1 is not installed (scripts/setup.sh installs it)").arg(QLatin1String(Tool));
}

// Polls Done every 50 ms until it holds or TimeoutMs has passed.
template <typename TDone>
bool WaitFor(TDone Done, int TimeoutMs)
{
    const QDeadlineTimer Deadline(TimeoutMs);
    for (;;) {
        if (Done())
            return true;
        if (Deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
}

// The server, the window manager and the program go when the test process
// goes, also when it is killed (a test run's time limit) and no destructor
// runs: left behind, they would hold their displays for ever.
std::unique_ptr<QProcess> NewChildProcess()
{
    auto Process = std::make_unique<QProcess>();
    Process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    return Process;
}

} // namespace

TXSession::TXSession(QSize ScreenSize) : FScreenSize(ScreenSize)
{
    for (const char* Tool : {"Xvfb", "openbox", "xdotool", "xwininfo", "import"})
        if (QStandardPaths::findExecutable(QLatin1String(Tool)).isEmpty()) {
            FReason = Missing(Tool);
            return;
        }
    if (StartServer())
        StartWindowManager();
}

TXSession::~TXSession()
{
    for (auto* Process : {FProgram.get(), FWindowManager.get(), FServer.get()})
        if (Process != nullptr)
            Stop(*Process);
}

void TXSession::Stop(QProcess& Process)
{
    if (Process.state() == QProcess::NotRunning)
        return;
    Process.terminate();
    if (!Process.waitForFinished(3000)) {
        Process.kill();
        Process.waitForFinished(3000);
    }
}

// The displays this machine lets the tests use, from QV_X_DISPLAYS ("51-59"):
// where several people share a machine each keeps to numbers of his own.
// Empty when unset: the server picks any free display then.
static std::vector<int> AllowedDisplays()
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

bool TXSession::StartServer()
{
    const std::vector<int> Allowed = AllowedDisplays();
    if (Allowed.empty())
        return StartServerOn(QString());
    for (const int N : Allowed)
        if (!QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(N)) && StartServerOn(QStringLiteral(":%1").arg(N)))
            return true;
    if (FReason.isEmpty())
        FReason = QStringLiteral("no free display among QV_X_DISPLAYS=%1").arg(qEnvironmentVariable("QV_X_DISPLAYS"));
    return false;
}

bool TXSession::StartServerOn(const QString& Wanted)
{
    // The server writes the number of its display to the descriptor given
    // (its standard output here) once it is ready; without a display asked
    // for it takes the first free one.
    FServer = NewChildProcess();
    QStringList Arguments;
    if (!Wanted.isEmpty())
        Arguments << Wanted;
    Arguments << QStringLiteral("-displayfd") << QStringLiteral("1") << QStringLiteral("-screen") << QStringLiteral("0")
              << QStringLiteral("%1x%2x24").arg(FScreenSize.width()).arg(FScreenSize.height())
              << QStringLiteral("-nolisten") << QStringLiteral("tcp");
    FServer->start(QStringLiteral("Xvfb"), Arguments);
    QByteArray Number;
    const bool Started = FServer->waitForStarted(5000)
        && WaitFor(
                             [&] {
                                 FServer->waitForReadyRead(50);
                                 Number += FServer->readAllStandardOutput();
                                 return Number.contains('\n') || FServer->state() == QProcess::NotRunning;
                             },
                             15000);
    bool Ok = false;
    const int Display = Number.trimmed().toInt(&Ok);
    if (!Started || !Ok) {
        FReason = QStringLiteral("Xvfb did not start: %1").arg(QString::fromLocal8Bit(FServer->readAllStandardError()));
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
    // xdotool can ask for the current desktop once a window manager that
    // keeps one runs.
    if (!FWindowManager->waitForStarted(5000)
        || !WaitFor([this] { return Run(QStringLiteral("xdotool"), {QStringLiteral("get_desktop")}); }, 15000)) {
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
    return FProgram->waitForStarted(10000);
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

QString TXSession::WaitForWindow(const QString& Title, int TimeoutMs)
{
    QByteArray Found;
    const QStringList Arguments{QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                Title};
    if (!Available() || !WaitFor([&] { return Run(QStringLiteral("xdotool"), Arguments, &Found); }, TimeoutMs))
        return QString();
    return QString::fromLatin1(Found).split(QLatin1Char('\n'), Qt::SkipEmptyParts).value(0);
}

QRect TXSession::WindowGeometry(const QString& Window)
{
    // xwininfo, not xdotool: xdotool adds the frame's offset twice once the
    // window manager has framed the window.
    QByteArray Info;
    if (!Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), Window}, &Info))
        return QRect();
    auto Value = [&Info](const char* Label) {
        const QRegularExpression Line(QStringLiteral("^\\s*%1:\\s*(-?\\d+)").arg(QLatin1String(Label)),
                                      QRegularExpression::MultilineOption);
        return Line.match(QString::fromLatin1(Info)).captured(1).toInt();
    };
    return QRect(Value("Absolute upper-left X"), Value("Absolute upper-left Y"), Value("Width"), Value("Height"));
}

bool TXSession::TypeInto(const QString& Window, const QString& Command, const QStringList& What)
{
    // Through the keyboard to the focused window, the window activated
    // first: programs ignore keys sent to a window directly as synthetic
    // events.
    QStringList Arguments;
    if (!Window.isEmpty())
        Arguments << QStringLiteral("windowactivate") << QStringLiteral("--sync") << Window;
    Arguments << Command << QStringLiteral("--clearmodifiers") << What;
    return Available() && Run(QStringLiteral("xdotool"), Arguments);
}

bool TXSession::SendKeys(const QStringList& Keys, const QString& Window)
{
    return TypeInto(Window, QStringLiteral("key"), Keys);
}

bool TXSession::Click(QPoint Where, int Clicks)
{
    return Available()
        && Run(QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QString::number(Where.x()), QString::number(Where.y()),
                QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(Clicks), QStringLiteral("--delay"),
                QStringLiteral("80"), QStringLiteral("1")});
}

bool TXSession::Type(const QString& Text, const QString& Window)
{
    return TypeInto(Window, QStringLiteral("type"), {Text});
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
