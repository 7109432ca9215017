// The program itself on an X server with a window manager, driven as a user
// would drive it: open a contact file, "Beheer Adressen", add an address
// with F9, close, quit; the address is in the contact file afterwards.
//
// Needs Xvfb, openbox, xdotool and wmctrl (scripts/setup.sh installs them)
// and skips, saying why, where any of them or the X server is missing.
// It takes the first free display of QUORVY_TEST_DISPLAYS ("61-69"), or of
// 100 to 199 without it.
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcGroupBar.h"
#include "controls/lists/FcGroupItems.h"
#include "tests/app/MainWindowFixture.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace {

// A virtual X server with openbox on it, and the commands that drive it.
class TXSession {
public:
    ~TXSession()
    {
        for (QProcess* P : {&FProgram, &FWindowManager, &FServer})
            if (P->state() != QProcess::NotRunning) {
                P->terminate();
                if (!P->waitForFinished(3000))
                    P->kill(), P->waitForFinished(1000);
            }
    }
    // Empty when running, else why not.
    QString Start()
    {
        for (const char* Tool : {"Xvfb", "openbox", "xdotool", "wmctrl"})
            if (QStandardPaths::findExecutable(Tool).isEmpty())
                return QStringLiteral("%1 is not installed").arg(Tool);
        if (!StartServer())
            return QStringLiteral("no X server could be started");
        FWindowManager.setProcessEnvironment(Environment());
        FWindowManager.start(QStringLiteral("openbox"), {});
        // A window shown before the window manager runs is never managed.
        for (int I = 0; I < 100 && FWindowManager.waitForStarted(5000); ++I, QThread::msleep(100))
            if (Run(QStringLiteral("wmctrl"), {"-m"}).contains(QStringLiteral("Openbox")))
                return QString();
        return QStringLiteral("openbox did not start");
    }
    QProcessEnvironment Environment() const
    {
        QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
        Env.insert(QStringLiteral("DISPLAY"), FDisplay);
        Env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        return Env;
    }
    // Runs a tool on the display; its output, trimmed.
    QString Run(const QString& Tool, const QStringList& Args, int TimeoutMs = 10000)
    {
        QProcess P;
        P.setProcessEnvironment(Environment());
        P.start(Tool, Args);
        if (!P.waitForFinished(TimeoutMs))
            P.kill(), P.waitForFinished(1000);
        return QString::fromUtf8(P.readAllStandardOutput()).trimmed();
    }
    // The id of the first shown window whose name matches, waiting for it.
    QString WaitForWindow(const QString& Name)
    {
        return Run(QStringLiteral("xdotool"), {"search", "--sync", "--onlyvisible", "--name", Name})
            .section('\n', 0, 0);
    }
    bool WaitUntilGone(const QString& Name)
    {
        for (int I = 0; I < 100; ++I, QThread::msleep(100))
            if (Run(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", Name}).isEmpty())
                return true;
        return false;
    }
    void Click(const QString& Window, TPoint At)
    {
        Run(QStringLiteral("xdotool"),
            {"mousemove", "--window", Window, QString::number(At.X), QString::number(At.Y), "click", "1"});
        QThread::msleep(400);
    }
    void Keys(const QStringList& Keys) { Run(QStringLiteral("xdotool"), QStringList{"key", "--delay", "60"} + Keys); }
    void Type(const QString& Text) { Run(QStringLiteral("xdotool"), {"type", "--delay", "40", Text}); }
    void CloseWindow(const QString& Name) { Run(QStringLiteral("wmctrl"), {"-c", Name}); }
    QProcess& Program() { return FProgram; }

private:
    // The first free display of the range the test may take.
    bool StartServer()
    {
        QStringList Range = qEnvironmentVariable("QUORVY_TEST_DISPLAYS").split('-');
        if (Range.size() != 2)
            Range = QStringList{"100", "199"};
        for (int N = Range[0].toInt(); N <= Range[1].toInt(); ++N) {
            const QString Display = ":" + QString::number(N);
            if (!QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(N)) && StartServerOn(Display))
                return FDisplay = Display, true;
        }
        return false;
    }
    bool StartServerOn(const QString& Display)
    {
        FServer.start(QStringLiteral("Xvfb"), {Display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!FServer.waitForStarted(5000))
            return false;
        for (int I = 0; I < 50 && FServer.state() == QProcess::Running; ++I, QThread::msleep(100))
            if (QFileInfo::exists("/tmp/.X11-unix/X" + Display.mid(1)))
                return true;
        FServer.kill();
        FServer.waitForFinished(1000);
        return false;
    }

    QProcess FServer, FWindowManager, FProgram;
    QString FDisplay;
};

class RealProgramTest : public MainWindowTest {
protected:
    // Where a control's middle is in the main window's client area.
    TPoint InMain(TControl* Control, TPoint Offset) const
    {
        const TPoint A = Control->ClientToScreen(Offset), B = Main->ClientToScreen({0, 0});
        return {A.X - B.X, A.Y - B.Y};
    }
};

} // namespace

TEST_F(RealProgramTest, TheAddressListOpensFromTheProgramAndAddsAnAddress)
{
    const QString Program = QCoreApplication::applicationDirPath() + QStringLiteral("/quorvy");
    if (!QFileInfo(Program).isExecutable())
        GTEST_SKIP() << "the program is not built next to the tests";
    const QString Settings = QStringLiteral("[Algemeen]\r\nConfirmOnExit=0\r\n[Folders]\r\nData=%1\r\n[UI]\r\n"
                                            "Allow1Group2BOpen=1\r\n")
                                 .arg(DataFolder);
    WriteSettings(Settings);
    ASSERT_TRUE(QDir().mkpath(Dir.File("xdg/quorvy")));
    ASSERT_TRUE(WriteRaw(Dir.File("xdg/quorvy/quorvy.ini"), Settings.toUtf8()));
    const QString File = MakeContactFile("straten.quorvy", {{1, "Jansen"}});

    // Where the user clicks, worked out on the same windows here: the file
    // in the start page's list, the "Adressen" group and its one item.
    ShowMain();
    const TRect FileRow = Main->FcListBoxPreviousFiles->ItemRect(0);
    const TPoint FileAt = InMain(Main->FcListBoxPreviousFiles, {FileRow.Left + 40, FileRow.Top + 8});
    Main->OpenFile(File);
    TFcGroup* Group = Main->FcGroupAdressen;
    const TPoint GroupAt = InMain(Group, {Group->Width() / 2, Group->CaptionHeight() / 2});
    MouseClick(Group, {Group->Width() / 2, Group->CaptionHeight() / 2});
    ASSERT_TRUE(Group->Opened());
    TPoint ItemAt{-1, -1};
    for (int Y = Group->CaptionHeight(); Y < Group->Height() && ItemAt.Y < 0; ++Y)
        if (Group->ItemAt({Group->Width() / 2, Y}) == Group->Items()->Items(0))
            ItemAt = InMain(Group, {Group->Width() / 2, Y + 8});
    ASSERT_GE(ItemAt.Y, 0);
    // The program locks the file while it is open.
    Main->CloseCurrentFile();

    TXSession X;
    if (const QString Why = X.Start(); !Why.isEmpty())
        GTEST_SKIP() << Why.toStdString();
    QProcessEnvironment Env = X.Environment();
    Env.insert("XDG_CONFIG_HOME", Dir.File("xdg"));
    Env.insert("XDG_STATE_HOME", Dir.File("state"));
    Env.insert("XDG_CACHE_HOME", Dir.File("cache"));
    Env.insert("TMPDIR", Dir.File("tmp"));
    X.Program().setProcessEnvironment(Env);
    X.Program().start(Program, {});
    ASSERT_TRUE(X.Program().waitForStarted(5000));

    const QString MainWindow = X.WaitForWindow(QStringLiteral("^Quorvy"));
    ASSERT_FALSE(MainWindow.isEmpty());
    QThread::msleep(500);
    X.Click(MainWindow, FileAt);
    X.Click(MainWindow, GroupAt);
    X.Click(MainWindow, ItemAt);
    const QString List = X.WaitForWindow(QStringLiteral("^Beheer Adressen$"));
    ASSERT_FALSE(List.isEmpty());
    X.Run("xdotool", {"windowactivate", "--sync", List});
    X.Keys({"F9"});
    ASSERT_FALSE(X.WaitForWindow(QStringLiteral("^Toevoegen nieuw Adres$")).isEmpty());
    X.Type("Teststraat");
    X.Keys({"Tab"});
    X.Type("9");
    X.Keys({"Tab", "Tab", "Tab", "Tab"});
    X.Type("Putten");
    X.Keys({"Return"});
    EXPECT_TRUE(X.WaitUntilGone(QStringLiteral("^Toevoegen nieuw Adres$")));
    X.CloseWindow(QStringLiteral("Beheer Adressen"));
    EXPECT_TRUE(X.WaitUntilGone(QStringLiteral("^Beheer Adressen$")));
    X.CloseWindow(QStringLiteral("Quorvy® 2023"));
    ASSERT_TRUE(X.Program().waitForFinished(20000)) << "the program did not quit";

    ASSERT_TRUE(Data->OpenFiles(File, false));
    TClientDataSet* Addresses = Data->cdsAdres;
    ASSERT_EQ(Addresses->RecordCount(), 1);
    EXPECT_EQ(Addresses->FieldByName("STRAAT_NAAM")->AsString(), "Teststraat");
    EXPECT_EQ(Addresses->FieldByName("HUIS_NUMMER")->AsString().trimmed(), "9");
    EXPECT_EQ(Addresses->FieldByName("WOON_PLAATS")->AsString(), "Putten");
    EXPECT_EQ(Addresses->FieldByName("LAND")->AsString(), "Nederland");
    EXPECT_EQ(Addresses->FieldByName("ID_ADRES")->AsInteger(), 1);
    Data->CloseFiles();
}
