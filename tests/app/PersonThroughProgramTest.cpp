// The program itself on an X server, driven as a user would: open a
// contact file, add a person with F9 in the person form, and find that
// person as the grid's current row ("Wijzigen" opens the form on it); the
// person is in the contact file after quitting.  Skips where no X server
// can be started (see TXSession).
#include "tests/app/MainWindowFixture.h"
#include "tests/support/XSession.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

class PersonThroughProgram : public MainWindowTest {
protected:
    // Where the first file of the start page's list is, in the main
    // window's client area, worked out on the same window here.
    QPoint FirstFileInMain()
    {
        ShowMain();
        const TRect Row = Main->FcListBoxPreviousFiles->ItemRect(0);
        const TPoint At = Main->FcListBoxPreviousFiles->ClientToScreen({Row.Left + 40, Row.Top + 8});
        const TPoint Origin = Main->ClientToScreen({0, 0});
        return QPoint(At.X - Origin.X, At.Y - Origin.Y);
    }
};

} // namespace

TEST_F(PersonThroughProgram, APersonAddedWithF9IsTheGridsCurrentRowAndIsSaved)
{
    const QString Program = QCoreApplication::applicationDirPath() + QStringLiteral("/quorvy");
    if (!QFileInfo(Program).isExecutable())
        GTEST_SKIP() << "the program is not built next to the tests";
    const QString Settings =
        QStringLiteral("[Algemeen]\r\nConfirmOnExit=0\r\n[Folders]\r\nData=%1\r\n").arg(DataFolder);
    WriteSettings(Settings);
    ASSERT_TRUE(QDir().mkpath(Dir.File("xdg/quorvy")));
    ASSERT_TRUE(WriteRaw(Dir.File("xdg/quorvy/quorvy.ini"), Settings.toUtf8()));
    const QString File = MakeContactFile("personen.quorvy", {{1, "Jansen", "piet"}, {2, "Bakker"}});
    const QPoint FileAt = FirstFileInMain();
    const QSize MainSize(Main->ClientWidth(), Main->ClientHeight());

    TXSession X;
    QV_SKIP_WITHOUT_X(X);
    // The program's folders are the test's (TMPDIR is already).
    const TEnvGuard Config{"XDG_CONFIG_HOME", Dir.File("xdg").toUtf8()};
    const TEnvGuard State{"XDG_STATE_HOME", Dir.File("state").toUtf8()};
    const TEnvGuard Cache{"XDG_CACHE_HOME", Dir.File("cache").toUtf8()};
    ASSERT_TRUE(X.Start(Program));

    const QString MainWindow = X.WaitForWindow(QStringLiteral("^Quorvy.* 2023$"));
    ASSERT_FALSE(MainWindow.isEmpty());
    // Clicked where the window manager has put it, at the size it has here.
    ASSERT_EQ(X.WaitForGeometry(MainWindow, [&](const QRect& R) { return R.size() == MainSize; }).size(), MainSize);
    ASSERT_TRUE(X.ClickIn(MainWindow, FileAt));
    ASSERT_FALSE(X.WaitForWindow(QStringLiteral("^Quorvy.* - .*personen\\.quorvy$")).isEmpty())
        << "the file did not open";

    // F9 in the grid: the person form for a new person, the salutation
    // first; three tabs on to the call name, two more to the last name.
    ASSERT_TRUE(X.SendKeys({QStringLiteral("F9")}, MainWindow));
    const QString New = X.WaitForWindow(QStringLiteral("^Toevoegen nieuw Contact$"));
    ASSERT_FALSE(New.isEmpty());
    X.SendKeys({"Tab", "Tab", "Tab"}, New);
    X.Type(QStringLiteral("eva"), New);
    X.SendKeys({"Tab", "Tab"}, New);
    X.Type(QStringLiteral("Visser"), New);
    X.SendKeys({QStringLiteral("Return")}, New);
    ASSERT_TRUE(X.WaitUntilGone(New)) << "the person form did not close";

    // The new person is the grid's current row: "Wijzigen" opens it.
    X.SendKeys({QStringLiteral("ctrl+Return")}, MainWindow);
    const QString Edit = X.WaitForWindow(QStringLiteral("^Wijzigen gegevens van Eva Visser$"));
    EXPECT_FALSE(Edit.isEmpty()) << "the grid's current row is not the person added";
    if (!Edit.isEmpty()) {
        X.SendKeys({QStringLiteral("alt+a")}, Edit); // "&Annuleer"
        EXPECT_TRUE(X.WaitUntilGone(Edit));
    }
    X.SendKeys({QStringLiteral("alt+x")}, MainWindow);
    ASSERT_EQ(X.WaitForExit(), 0) << "the program did not quit";

    ASSERT_TRUE(Data->OpenFiles(File, false));
    TClientDataSet* Persons = Data->cdsQuorvy;
    ASSERT_EQ(Persons->RecordCount(), 3);
    ASSERT_TRUE(Persons->Locate("ACHTER_NAAM", Variant(QStringLiteral("Visser")), {}));
    EXPECT_EQ(Persons->FieldByName("ROEP_NAAM")->AsString(), "eva");
    EXPECT_EQ(Persons->FieldByName("ID_QUORVY")->AsInteger(), 3);
    EXPECT_EQ(Persons->FieldByName("GENDER")->AsString(), "V");
    Data->CloseFiles();
}
