// The program itself on an X server with a window manager, driven as a user
// would drive it: open a contact file, "Beheer Adressen", add an address
// with F9, close, quit; the address is in the contact file afterwards.
// Skips, saying why, where no X server can be started (see TXSession).
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcGroupBar.h"
#include "controls/lists/FcGroupItems.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/XSession.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

class RealProgramTest : public MainWindowTest {
protected:
    // Where a control's point is in the main window's client area.
    QPoint InMain(TControl* Control, TPoint Offset) const
    {
        const TPoint A = Control->ClientToScreen(Offset), B = Main->ClientToScreen({0, 0});
        return QPoint(A.X - B.X, A.Y - B.Y);
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
    const QSize MainSize(Main->ClientWidth(), Main->ClientHeight());
    const TRect FileRow = Main->FcListBoxPreviousFiles->ItemRect(0);
    const QPoint FileAt = InMain(Main->FcListBoxPreviousFiles, {FileRow.Left + 40, FileRow.Top + 8});
    Main->OpenFile(File);
    TFcGroup* Group = Main->FcGroupAdressen;
    const QPoint GroupAt = InMain(Group, {Group->Width() / 2, Group->CaptionHeight() / 2});
    MouseClick(Group, {Group->Width() / 2, Group->CaptionHeight() / 2});
    ASSERT_TRUE(Group->Opened());
    QPoint ItemAt(-1, -1);
    for (int Y = Group->CaptionHeight(); Y < Group->Height() && ItemAt.y() < 0; ++Y)
        if (Group->ItemAt({Group->Width() / 2, Y}) == Group->Items()->Items(0))
            ItemAt = InMain(Group, {Group->Width() / 2, Y + 8});
    ASSERT_GE(ItemAt.y(), 0);
    // The program locks the file while it is open.
    Main->CloseCurrentFile();

    TXSession X;
    QV_SKIP_WITHOUT_X(X);
    // The program's folders are the test's (TMPDIR is already).
    const TEnvGuard Config{"XDG_CONFIG_HOME", Dir.File("xdg").toUtf8()};
    const TEnvGuard Cache{"XDG_CACHE_HOME", Dir.File("cache").toUtf8()};
    ASSERT_TRUE(X.Start(Program));

    const QString MainWindow = X.WaitForWindow(QStringLiteral("^Quorvy.* 2023$"));
    ASSERT_FALSE(MainWindow.isEmpty());
    // Clicked where the window manager has put it, at the size it has here.
    ASSERT_EQ(X.WaitForGeometry(MainWindow, [&](const QRect& R) { return R.size() == MainSize; }).size(), MainSize);
    ASSERT_TRUE(X.ClickIn(MainWindow, FileAt));
    ASSERT_FALSE(X.WaitForWindow(QStringLiteral("^Quorvy.* - .*straten\\.quorvy$")).isEmpty())
        << "the file did not open";
    // The group opens as its caption is clicked, before the program takes
    // the click on its item.
    ASSERT_TRUE(X.ClickIn(MainWindow, GroupAt));
    ASSERT_TRUE(X.ClickIn(MainWindow, ItemAt));
    const QString List = X.WaitForWindow(QStringLiteral("^Beheer Adressen$"));
    ASSERT_FALSE(List.isEmpty());
    ASSERT_TRUE(X.SendKeys({"F9"}, List));
    const QString Add = X.WaitForWindow(QStringLiteral("^Toevoegen nieuw Adres$"));
    ASSERT_FALSE(Add.isEmpty());
    X.Type("Teststraat", Add);
    X.SendKeys({"Tab"}, Add);
    X.Type("9", Add);
    X.SendKeys({"Tab", "Tab", "Tab", "Tab"}, Add);
    X.Type("Putten", Add);
    X.SendKeys({"Return"}, Add);
    EXPECT_TRUE(X.WaitUntilGone(Add));
    ASSERT_TRUE(X.Close(List));
    EXPECT_TRUE(X.WaitUntilGone(List));
    ASSERT_TRUE(X.Close(MainWindow));
    ASSERT_EQ(X.WaitForExit(), 0) << "the program did not quit";

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
