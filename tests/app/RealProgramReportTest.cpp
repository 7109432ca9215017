// The real program on a real X server: it opens a contact file from its
// start page, writes the full report with Ctrl+P and Enter, hands the page
// to the desktop and quits with Alt+X.  The desktop's "xdg-open" is a
// script of the test's that records what it was given and keeps a copy of
// the page, so no browser starts.
//
// Needs Xvfb and xdotool (and uses openbox when it is there); without them,
// or when no display can be started, the test skips and says why.  The
// displays tried are QV_TEST_DISPLAYS ("81-89"; default 150-199).
// QV_TEST_SHOTS=<folder> keeps a screenshot of every step there.
#include "tests/app/MainWindowFixture.h"
#include "tests/support/ErrorMessages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <functional>

namespace {

QString Program()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/quorvy");
}

bool WaitFor(const std::function<bool()>& Done, int Milliseconds)
{
    QElapsedTimer Clock;
    Clock.start();
    while (!Done()) {
        if (Clock.elapsed() > Milliseconds)
            return false;
        QThread::msleep(50);
    }
    return true;
}

// An X server of our own with a window manager on it, gone with this
// object.
class TXDisplay {
public:
    TXDisplay()
    {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty()) {
            FWhyNot = "Xvfb or xdotool is not installed";
            return;
        }
        const auto [First, Last] = Range();
        for (int N = First; N <= Last && FName.isEmpty(); ++N)
            Start(N);
        if (FName.isEmpty()) {
            FWhyNot = QString("no X server could be started on displays %1-%2").arg(First).arg(Last);
            return;
        }
        if (!QStandardPaths::findExecutable("openbox").isEmpty()) {
            FWindowManager.setProcessEnvironment(Environment());
            FWindowManager.start("openbox", {"--sm-disable"});
            FWindowManager.waitForStarted();
            QThread::msleep(300);
        }
    }
    ~TXDisplay()
    {
        for (QProcess* P : {&FWindowManager, &FServer}) {
            P->terminate();
            if (!P->waitForFinished(3000))
                P->kill();
            P->waitForFinished(3000);
        }
    }
    // ":N", or empty with WhyNot saying why.
    QString Name() const { return FName; }
    QString WhyNot() const { return FWhyNot; }
    QProcessEnvironment Environment() const
    {
        QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
        Env.insert("DISPLAY", FName);
        return Env;
    }
    // Runs xdotool with these arguments; its output.
    QString XDoTool(const QStringList& Arguments) const
    {
        QProcess Tool;
        Tool.setProcessEnvironment(Environment());
        Tool.start("xdotool", Arguments);
        Tool.waitForFinished(5000);
        return QString::fromUtf8(Tool.readAllStandardOutput()).trimmed();
    }
    // The names of the windows shown.
    QString WindowNames() const
    {
        QStringList Names;
        for (const QString& Id : XDoTool({"search", "--onlyvisible", "--name", "."}).split('\n'))
            if (!Id.isEmpty())
                Names << XDoTool({"getwindowname", Id});
        return Names.join('\n');
    }
    // Gives the keyboard to the window whose name holds Name.
    void Activate(const QString& Name) const
    {
        const QString Id =
            XDoTool({"search", "--onlyvisible", "--name", QRegularExpression::escape(Name)}).split('\n').value(0);
        if (!Id.isEmpty())
            XDoTool({"windowactivate", "--sync", Id});
    }
    void Shot(const QString& Step) const
    {
        const QString Folder = qEnvironmentVariable("QV_TEST_SHOTS");
        if (!Folder.isEmpty())
            QProcess::execute("import", {"-display", FName, "-window", "root", Folder + "/" + Step + ".png"});
    }

private:
    static std::pair<int, int> Range()
    {
        const QStringList Parts = qEnvironmentVariable("QV_TEST_DISPLAYS", "150-199").split('-');
        const int First = Parts.value(0).toInt();
        return {First, Parts.size() > 1 ? Parts[1].toInt() : First};
    }
    void Start(int N)
    {
        if (QFile::exists(QString("/tmp/.X%1-lock").arg(N)))
            return;
        FServer.start("Xvfb", {QString(":%1").arg(N), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        const QString Socket = QString("/tmp/.X11-unix/X%1").arg(N);
        if (!FServer.waitForStarted()
            || !WaitFor([&] { return QFile::exists(Socket) || FServer.state() != QProcess::Running; }, 5000)
            || FServer.state() != QProcess::Running)
            return;
        FName = QString(":%1").arg(N);
    }

    QProcess FServer;
    QProcess FWindowManager;
    QString FName;
    QString FWhyNot;
};

class RealProgram : public MainWindowTest {
protected:
    // The desktop's opener: records its arguments, keeps the page.
    void WriteOpener()
    {
        ASSERT_TRUE(QDir().mkpath(Dir.File("bin")));
        const QString Script = Dir.File("bin/xdg-open");
        ASSERT_TRUE(WriteRaw(Script,
                             QString("#!/bin/sh\n"
                                     "printf '%s\\n' \"$@\" >> '%1'\n"
                                     "for A in \"$@\"; do cp \"${A#file://}\" '%2'; done\n")
                                 .arg(Dir.File("opened.log"), Dir.File("page.html"))
                                 .toUtf8()));
        QFile::setPermissions(Script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QProcessEnvironment ProgramEnvironment(const TXDisplay& X) const
    {
        QProcessEnvironment Env = X.Environment();
        for (const char* Name : {"QT_QPA_PLATFORM", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "BROWSER"})
            Env.remove(Name);
        Env.insert("HOME", Dir.File("home"));
        Env.insert("XDG_CONFIG_HOME", Dir.File("config"));
        Env.insert("XDG_STATE_HOME", Dir.File("state"));
        Env.insert("XDG_CACHE_HOME", Dir.File("cache"));
        Env.insert("TMPDIR", Dir.File("tmp"));
        Env.insert("PATH", Dir.File("bin") + ":" + Env.value("PATH"));
        return Env;
    }
};

} // namespace

TEST_F(RealProgram, WritesTheFullReportOfAContactFileAndHandsItToTheDesktop)
{
    if (!QFile::exists(Program()))
        GTEST_SKIP() << "the program " << Program().toStdString() << " has not been built";
    TXDisplay X;
    if (X.Name().isEmpty())
        GTEST_SKIP() << X.WhyNot().toStdString();
    MakeContactFile("a.quorvy", {{1, "Anders"}});
    MakeContactFile("b.quorvy",
                    {{1, "Jansen", "Piet", {}, "04/05/1970", "06-12345678"},
                     {2, "<b>Bakker</b> & Zn", {}, "de", {}, {}, "<script>x()</script>"}});
    WriteSettings(QString("[Algemeen]\r\nConfirmOnExit=0\r\n[Folders]\r\nData=%1\r\n").arg(DataFolder));
    ASSERT_TRUE(QDir().mkpath(Dir.File("config/quorvy")));
    ASSERT_TRUE(QFile::copy(Dir.File("config/quorvy.ini"), Dir.File("config/quorvy/quorvy.ini")));
    WriteOpener();

    QProcess Quorvy;
    Quorvy.setProcessEnvironment(ProgramEnvironment(X));
    Quorvy.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Quorvy.start(Program(), {});
    ASSERT_TRUE(Quorvy.waitForStarted());
    // Whatever the outcome, the program does not outlive the test.
    const std::unique_ptr<QProcess, void (*)(QProcess*)> Stop(&Quorvy, [](QProcess* P) {
        if (P->state() != QProcess::NotRunning) {
            P->kill();
            P->waitForFinished(5000);
        }
    });
    auto Shown = [&](const QString& Name) { return WaitFor([&] { return X.WindowNames().contains(Name); }, 15000); };
    ASSERT_TRUE(Shown("Quorvy® 2023")) << X.WindowNames().toStdString();
    X.Activate("Quorvy® 2023");
    X.Shot("1-start");
    // The file list has the focus on its first entry: the second is opened,
    // and the person grid then takes Ctrl+P (tried again until the file is
    // open).
    X.XDoTool({"key", "Down"});
    const bool ReportWindow = WaitFor(
        [&] {
            X.XDoTool({"key", "ctrl+p"});
            return WaitFor([&] { return X.WindowNames().contains("Volledige Rapportage"); }, 1500);
        },
        15000);
    X.Shot("2-report-window");
    ASSERT_TRUE(ReportWindow) << X.WindowNames().toStdString();
    X.XDoTool({"key", "Return"});
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(Dir.File("page.html")); }, 15000));
    X.Shot("3-after-report");
    X.XDoTool({"key", "alt+x"});
    EXPECT_TRUE(Quorvy.waitForFinished(15000));

    const QStringList Opened = QString::fromUtf8(ReadRaw(Dir.File("opened.log"))).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(Opened.size(), 1);
    EXPECT_TRUE(Opened[0].startsWith("file://" + Dir.File("tmp/quorvy$"))) << Opened[0].toStdString();
    EXPECT_TRUE(Opened[0].endsWith(".html")) << Opened[0].toStdString();
    const QString Page = QString::fromUtf8(ReadRaw(Dir.File("page.html")));
    EXPECT_TRUE(Page.startsWith("\xEF\xBB\xBF<HTML>\r\n")) << Page.left(40).toStdString();
    EXPECT_TRUE(Page.contains("<TITLE>Quorvy® 2023 - Volledige Rapportage</TITLE>"));
    EXPECT_TRUE(Page.contains(">Jansen<"));
    EXPECT_TRUE(Page.contains(">06-12345678<"));
    EXPECT_TRUE(Page.contains(">&lt;b&gt;Bakker&lt;/b&gt; &amp; Zn<"));
    EXPECT_FALSE(Page.contains("<script"));
    // The program's report files went when it ended.
    EXPECT_FALSE(QFile::exists(Opened[0].mid(7)));
}
