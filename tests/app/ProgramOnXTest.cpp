// The real program on a real X server with a window manager, started as a
// user starts it: its main window shows, a contact file the test made is
// opened from the start page's list, the persons are sorted by a click on a
// column title, Shift+F10 shows the grid's menu, and Alt+X quits through
// the close query, which writes the recent-files list; SIGTERM quits the
// same way without asking, and without waiting for a box of the close.
// Skipped where no X server can be started.
#include "app/qv_data.h"
#include "platform/db/Fields.h"
#include "tests/app/AppRoots.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/TempDir.h"
#include "tests/support/XSession.h"

#include <QDir>
#include <QFile>
#include <optional>
#include <gtest/gtest.h>

namespace {

// The grid's title row, in the window's client coordinates: below the
// toolbar (46 pixels), right of the group bar (180) and the indicator (11);
// the first three columns are 120, 110 and 90 pixels wide.  The points are
// right of each title's text, where only its background shows.
constexpr int TitleY = 46 + 8;
constexpr int GridLeft = 180 + 11;
constexpr int LastNameTitleX = GridLeft + 110;
constexpr int CallNameTitleX = GridLeft + 120 + 110 + 80;

void MakeContactFile(const QString& Path)
{
    TOwnAppRoots OwnRoots;
    std::unique_ptr<TDataModuleMain, TComponentDeleter> Data(CreateComponent<TDataModuleMain>(nullptr));
    ASSERT_TRUE(Data->OpenFiles(Path, true));
    int Id = 0;
    for (const char* Name : {"Jansen", "Bakker", "de Vries"}) {
        Data->cdsQuorvy->Append();
        Data->cdsQuorvy->FieldByName("ID_QUORVY")->SetAsInteger(++Id);
        Data->cdsQuorvy->FieldByName("ACHTER_NAAM")->SetAsString(Name);
        Data->cdsQuorvy->Post();
    }
    Data->CloseFiles();
}

QRgb PixelAt(const QImage& Shot, const QRect& Window, int X, int Y)
{
    return Shot.isNull() ? 0xFFFFFFFFu : Shot.pixel(Window.left() + X, Window.top() + Y) & 0xFFFFFF;
}

// The program's files in the test's folder: a contact file of three
// persons in the data folder the settings name.
class ProgramOnX : public ::testing::Test {
protected:
    void MakeFiles(bool ConfirmOnExit)
    {
        ASSERT_TRUE(QDir().mkpath(Dir.File("data")));
        ASSERT_TRUE(QDir().mkpath(Dir.File("config/quorvy")));
        Path = Dir.File("data/familie.quorvy");
        MakeContactFile(Path);
        ASSERT_TRUE(WriteRaw(Dir.File("config/quorvy/quorvy.ini"),
                             QStringLiteral("[General]\r\nSaveSettings=0\r\n[Algemeen]\r\nConfirmOnExit=%1\r\n"
                                            "[Folders]\r\nData=%2\r\n")
                                 .arg(int(ConfirmOnExit))
                                 .arg(Dir.File("data/"))
                                 .toUtf8()));
        Config.emplace("XDG_CONFIG_HOME", Dir.File("config").toUtf8());
        State.emplace("XDG_STATE_HOME", Dir.File("state").toUtf8());
        Temp.emplace("TMPDIR", Dir.Path().toUtf8());
    }
    // Starts the program, waits for its main window and opens the file
    // with a click on it in the start page's list.
    void StartAndOpen(TXSession& X)
    {
        ASSERT_TRUE(X.Start(QStringLiteral(QV_PROGRAM)));
        Window = X.WaitForWindow(QStringLiteral("^Quorvy.* 2023$"));
        ASSERT_FALSE(Window.isEmpty()) << "the main window did not show: " << X.ProgramOutput().toStdString();
        Where = X.WaitForGeometry(Window, [](const QRect& R) { return R.size() == QSize(832, 536); });
        ASSERT_EQ(Where.size(), QSize(832, 536));
        ASSERT_TRUE(X.Click(Where.topLeft() + QPoint(40, 46 + 10)));
        ASSERT_FALSE(X.WaitForWindow(QStringLiteral("^Quorvy.* 2023 - .*familie\\.quorvy$")).isEmpty())
            << "the file did not open";
    }
    QString RecentFiles() const { return QString::fromUtf8(ReadRaw(Dir.File("state/quorvy/quorvy.mru"))); }

    TTestDir Dir;
    QString Path;
    QString Window;
    QRect Where;
    std::optional<TEnvGuard> Config, State, Temp;
};

} // namespace

TEST_F(ProgramOnX, StartsOpensAFileSortsAndQuits)
{
    ASSERT_NO_FATAL_FAILURE(MakeFiles(false));
    TXSession X;
    QV_SKIP_WITHOUT_X(X);
    ASSERT_NO_FATAL_FAILURE(StartAndOpen(X));

    // Sorted by last name, the grid shows that title in blue.
    auto SortedBy = [&](const QImage& Shot, int SortedX, int OtherX) {
        return PixelAt(Shot, Where, SortedX, TitleY) == 0x0000FFu && PixelAt(Shot, Where, OtherX, TitleY) != 0x0000FFu;
    };
    QImage Shot = X.WaitForScreen([&](const QImage& S) { return SortedBy(S, LastNameTitleX, CallNameTitleX); });
    ASSERT_FALSE(Shot.isNull());
    EXPECT_EQ(PixelAt(Shot, Where, LastNameTitleX, TitleY), 0x0000FFu);
    EXPECT_NE(PixelAt(Shot, Where, CallNameTitleX, TitleY), 0x0000FFu);
    // A click on the call name's title sorts by it: its title turns blue,
    // the last name's goes back to the plain look.
    ASSERT_TRUE(X.Click(Where.topLeft() + QPoint(CallNameTitleX, TitleY)));
    Shot = X.WaitForScreen([&](const QImage& S) { return SortedBy(S, CallNameTitleX, LastNameTitleX); });
    EXPECT_EQ(PixelAt(Shot, Where, CallNameTitleX, TitleY), 0x0000FFu)
        << "the call-name title did not take the sort look";
    EXPECT_NE(PixelAt(Shot, Where, LastNameTitleX, TitleY), 0x0000FFu);

    // Shift+F10 shows the focused grid's menu over its top left corner, as
    // the Menu key does; Escape closes it.
    auto MenuShown = [&](const QImage& S) { return PixelAt(S, Where, GridLeft + 60, 46 + 200) != 0xFFFFFFu; };
    EXPECT_FALSE(MenuShown(Shot)) << "the grid's empty part is white";
    ASSERT_TRUE(X.SendKeys({QStringLiteral("shift+F10")}, Window));
    EXPECT_TRUE(MenuShown(X.WaitForScreen(MenuShown))) << "Shift+F10 showed no menu";
    ASSERT_TRUE(X.SendKeys({QStringLiteral("Escape")}));
    EXPECT_FALSE(MenuShown(X.WaitForScreen([&](const QImage& S) { return !MenuShown(S); })));

    // Alt+X quits; the close query wrote the file back to the recent list.
    ASSERT_TRUE(X.SendKeys({QStringLiteral("alt+x")}, Window));
    EXPECT_EQ(X.WaitForExit(), 0);
    EXPECT_EQ(RecentFiles(), Path + "\r\n");
}

// Logging out or shutting down sends the program SIGTERM: it closes as by
// its close command, without asking whether to stop (a question already
// shown is answered as by Escape), and writes what is open (here the
// recent-files list, which only the close writes).
TEST_F(ProgramOnX, EndsWithTheSessionWithoutAskingAndWritesWhatIsOpen)
{
    ASSERT_NO_FATAL_FAILURE(MakeFiles(true));
    TXSession X;
    QV_SKIP_WITHOUT_X(X);
    ASSERT_NO_FATAL_FAILURE(StartAndOpen(X));

    // Even while the program asks whether to stop: the question goes.
    ASSERT_TRUE(X.SendKeys({QStringLiteral("alt+x")}, Window));
    ASSERT_FALSE(X.WaitForWindow(QStringLiteral("^Beëindigen Quorvy")).isEmpty()) << "no question";
    X.Program().terminate();
    EXPECT_EQ(X.WaitForExit(), 0);
    EXPECT_EQ(RecentFiles(), Path + "\r\n");
}

// A logout while another program has moved a table of the open file away:
// the program still ends at once.  The whole set is written again and the
// recent files with it; what the close has to tell goes to the log, since
// a box would keep the program waiting until the logout killed it.
TEST_F(ProgramOnX, EndsWithTheSessionWithoutWaitingForABoxOfTheClose)
{
    ASSERT_NO_FATAL_FAILURE(MakeFiles(false));
    TXSession X;
    QV_SKIP_WITHOUT_X(X);
    ASSERT_NO_FATAL_FAILURE(StartAndOpen(X));

    ASSERT_TRUE(QFile::remove(Path + ".groep"));
    X.Program().terminate();
    EXPECT_EQ(X.WaitForExit(), 0);
    EXPECT_TRUE(QFile::exists(Path + ".groep"));
    EXPECT_EQ(RecentFiles(), Path + "\r\n");
}
