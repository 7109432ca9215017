// Dialogs and the shell, scripted: the message-box flags the program uses
// (buttons, icon, default, Escape), MessageDlg, input, file and folder
// dialogs, and the shell hand-off with its refusals.
#include "platform/forms/Screen.h"
#include "platform/forms/Translations.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"
#include "tests/support/WindowHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <gtest/gtest.h>

namespace {

struct TBoxCase {
    unsigned Flags;
    std::vector<int> Buttons;
    int Default;
    int Escape;
    TMsgDlgType Icon;
};

const TBoxCase BoxCases[] = {
    {16, {IDOK}, IDOK, IDOK, mtError},
    {35, {IDYES, IDNO, IDCANCEL}, IDYES, IDCANCEL, mtConfirmation},
    {36, {IDYES, IDNO}, IDYES, 0, mtConfirmation},
    {48, {IDOK}, IDOK, IDOK, mtWarning},
    {64, {IDOK}, IDOK, IDOK, mtInformation},
    {292, {IDYES, IDNO}, IDNO, 0, mtConfirmation},
    {308, {IDYES, IDNO}, IDNO, 0, mtWarning},
    {547, {IDYES, IDNO, IDCANCEL}, IDCANCEL, IDCANCEL, mtConfirmation},
    {MB_OKCANCEL, {IDOK, IDCANCEL}, IDOK, IDCANCEL, mtCustom},
    {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {IDABORT, IDRETRY, IDIGNORE}, IDIGNORE, 0, mtCustom},
    {MB_YESNO | MB_DEFBUTTON3, {IDYES, IDNO}, IDYES, 0, mtCustom},
};

TEST(MessageBoxes, EachFlagValueGivesItsButtonsIconDefaultAndEscape)
{
    for (const TBoxCase& C : BoxCases) {
        SCOPED_TRACE(C.Flags);
        const TMessageBoxLayout L = MessageBoxLayout(C.Flags);
        EXPECT_EQ(L.Buttons, C.Buttons);
        EXPECT_EQ(L.DefaultButton, C.Default);
        EXPECT_EQ(L.EscapeButton, C.Escape);
        EXPECT_EQ(L.Icon, C.Icon);
    }
}

TEST(MessageBoxes, ButtonsSpeakDutch)
{
    const std::pair<int, const char*> Captions[] = {
        {IDOK, "OK"},           {IDCANCEL, "Annuleren"}, {IDYES, "&Ja"},        {IDNO, "&Nee"},
        {IDABORT, "&Afbreken"}, {IDRETRY, "&Opnieuw"},   {IDIGNORE, "&Negeren"}};
    for (const auto& [Id, Caption] : Captions)
        EXPECT_EQ(MessageBoxButtonCaption(Id), QString::fromUtf8(Caption));
    EXPECT_EQ(MessageDlgButtonCaption(mrYesToAll), QStringLiteral("J&a op alles"));
}

TEST(MessageBoxes, TheScriptAnswersAndRecords)
{
    TScriptedMessageBoxes Boxes({IDNO});
    EXPECT_EQ(MessageBox(QStringLiteral("Wilt u werkelijk stoppen?"), QStringLiteral("Beëindigen"), 36), IDNO);
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Flags, 36u);
}

TEST(MessageBoxes, ABoxLaysOutAScreenfulAtMost)
{
    const QChar Ellipsis(0x2026);
    const QString Line(MaxMessageBoxLineLength, u'a');
    QStringList Lines;
    for (int I = 0; I < MaxMessageBoxLines; ++I)
        Lines << Line;
    const QString Full = Lines.join("\r\n");
    EXPECT_EQ(MessageBoxText(Full), Full);
    EXPECT_EQ(MessageBoxText("kort\r\n\r\nbericht"), "kort\r\n\r\nbericht");

    // Megabytes on one line: cut where a screenful of wrapped lines ends.
    const QString Huge(4 << 20, u'x');
    EXPECT_EQ(MessageBoxText(Huge), Huge.left(MaxMessageBoxLines * MaxMessageBoxLineLength) + Ellipsis);
    // Too many lines: the next one is left out; a long line counts as the
    // lines it wraps into.
    EXPECT_EQ(MessageBoxText(Full + "\r\nmeer"), Full + "\r\n" + Ellipsis);
    EXPECT_EQ(MessageBoxText(Line + "b\r\n" + Full), Line + "b\r\n" + Lines.mid(2).join("\r\n") + "\r\n" + Ellipsis);
    // Never half a character of two code units.
    const QString Clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    const QString Edge = QString(MaxMessageBoxLines * MaxMessageBoxLineLength - 1, u'a') + Clef;
    EXPECT_EQ(MessageBoxText(Edge), Edge.left(Edge.size() - 2) + Ellipsis);
}

TEST(MessageDialogs, LayoutFollowsTheClassicDefaultAndCancelChoice)
{
    struct TCase {
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
        std::vector<int> Shown;
        int Default;
        int Escape;
        const char* Caption;
    };
    const TCase Cases[] = {
        {mtConfirmation, {mbYes, mbNo}, {mrYes, mrNo}, mrYes, mrNo, "Bevestigen"},
        {mtWarning, {mbOK, mbCancel}, {mrOk, mrCancel}, mrOk, mrCancel, "Waarschuwing"},
        {mtError, {mbAbort, mbRetry, mbIgnore}, {mrAbort, mrRetry, mrIgnore}, mrRetry, 0, "Fout"},
        {mtInformation, {mbOK}, {mrOk}, mrOk, mrOk, "Informatie"},
        {mtConfirmation,
         {mbYes, mbNo, mbCancel, mbYesToAll},
         {mrYes, mrNo, mrCancel, mrYesToAll},
         mrYes,
         mrCancel,
         "Bevestigen"},
    };
    for (const TCase& C : Cases) {
        const TMessageBoxLayout L = MessageDlgLayout(C.Type, C.Buttons);
        EXPECT_EQ(L.Buttons, C.Shown);
        EXPECT_EQ(L.DefaultButton, C.Default);
        EXPECT_EQ(L.EscapeButton, C.Escape);
        EXPECT_EQ(L.Icon, C.Type);
        EXPECT_EQ(MessageDlgCaption(C.Type), QString::fromLatin1(C.Caption));
    }
    TScriptedMessageDialogs Dialogs({mrNo});
    EXPECT_EQ(MessageDlg(QStringLiteral("Aanmaken?"), mtConfirmation, {mbYes, mbNo}, 0), mrNo);
    ASSERT_EQ(Dialogs.Asked().size(), 1u);
    EXPECT_EQ(Dialogs.Asked()[0].Buttons, TMsgDlgButtons({mbYes, mbNo}));
}

TEST(InputDialogs, OkTakesTheTypedTextAndCancelKeepsTheValue)
{
    TScriptedInputQueries Inputs({QStringLiteral("Jansen"), std::nullopt});
    String Value = QStringLiteral("<Achternaam>");
    EXPECT_TRUE(InputQuery(QStringLiteral("Zoeken naar \"Achternaam\""), QStringLiteral("Achternaam:"), Value));
    EXPECT_EQ(Value, QStringLiteral("Jansen"));
    EXPECT_EQ(InputBox(QStringLiteral("Graven"), QStringLiteral("Zoekargument:"), QStringLiteral("oud")),
              QStringLiteral("oud"));
    ASSERT_EQ(Inputs.Asked().size(), 2u);
    EXPECT_EQ(Inputs.Asked()[0].Value, QStringLiteral("<Achternaam>"));
    EXPECT_EQ(Inputs.Asked()[1].Prompt, QStringLiteral("Zoekargument:"));
}

// The dialog is shown (off screen) and measured as the desktop gets it.
TEST(InputDialogs, AreAsWideAsTheirCaptionNeedsWithinTheWorkArea)
{
    auto WidthFor = [](const String& Caption) {
        QInputDialog Dialog;
        SetUpInputDialog(Dialog, Caption, QStringLiteral("Zoekargument:"), String());
        Dialog.show();
        const int Width = Dialog.width();
        Dialog.hide();
        return Width;
    };
    const String Short = QStringLiteral("Z");
    const String Long = QStringLiteral("Zoeken naar \"Telefoonnummer Werk\" in alle personen van het bestand");
    const String Huge = Long.repeated(40);
    EXPECT_GT(WidthFor(Long), WidthFor(Short));
    EXPECT_GE(WidthFor(Long), Screen->TitleBarWidth(Long));
    EXPECT_GT(Screen->TitleBarWidth(Long), Screen->TitleBarWidth(Long.left(20)));
    // However long the caption, the dialog stays on the screen.
    const int Frame = 2 * GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(Screen->TitleBarWidth(Huge), Screen->WorkAreaWidth() - Frame);
    EXPECT_EQ(WidthFor(Huge), Screen->WorkAreaWidth() - Frame);
}

TEST(FileDialogs, TheOpenDialogAsksWithItsSettingsAndTakesTheAnswer)
{
    TOpenDialog Dialog(nullptr);
    Dialog.SetFilter(QStringLiteral("Contactbestanden|*.quorvy|Alle bestanden|*.*"));
    Dialog.SetInitialDir(QStringLiteral("/data"));
    Dialog.SetTitle(QStringLiteral("Open een bestaand contact- en adressenbestand"));
    Dialog.SetDefaultExt(QStringLiteral("quorvy"));
    // The name of a file still to be made is taken as it is.
    TScriptedOpenDialogs Dialogs({QStringLiteral("/data/familie"), std::nullopt});
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.FileName(), QStringLiteral("/data/familie.quorvy"));
    EXPECT_EQ(Dialog.Files()->Count(), 1);
    EXPECT_FALSE(Dialog.Execute());
    ASSERT_EQ(Dialogs.Asked().size(), 2u);
    EXPECT_EQ(Dialogs.Asked()[0].InitialDir, QStringLiteral("/data"));
    EXPECT_EQ(Dialogs.Asked()[0].FilterIndex, 1);
    EXPECT_EQ(Dialogs.Asked()[0].Options, TOpenOptions({ofHideReadOnly, ofEnableSizing}));
    EXPECT_EQ(FilterToNameFilters(Dialog.Filter()), QStringList({"Contactbestanden (*.quorvy)", "Alle bestanden (*)"}));
    EXPECT_EQ(FilterToNameFilters(QStringLiteral("Afbeeldingen|*.png;*.jpg")),
              QStringList({"Afbeeldingen (*.png *.jpg)"}));
}

TEST(FileDialogs, SelectDirectoryCreatesAMissingFolderOnlyAfterAYes)
{
    TTestDir Dir;
    const QString Missing = Dir.Path() + QStringLiteral("nieuw/data");
    const TSelectDirOpts All{sdAllowCreate, sdPerformCreate, sdPrompt};
    {
        // No: the dialog comes back; then cancel.
        TScriptedDirectorySelection Folders({Missing});
        TScriptedMessageDialogs Questions({mrNo});
        String D = Dir.Path();
        EXPECT_FALSE(SelectDirectory(D, All, 0));
        EXPECT_EQ(D, Dir.Path());
        EXPECT_EQ(Folders.Asked().size(), 2u);
        EXPECT_EQ(Folders.Asked()[0].Directory, Dir.Path());
        EXPECT_FALSE(QFileInfo(Missing).exists());
    }
    {
        TScriptedDirectorySelection Folders({Missing});
        TScriptedMessageDialogs Questions({mrYes});
        String D = Dir.Path();
        EXPECT_TRUE(SelectDirectory(D, All, 0));
        EXPECT_EQ(D, Missing);
        EXPECT_TRUE(QFileInfo(Missing).isDir());
        ASSERT_EQ(Questions.Asked().size(), 1u);
    }
    {
        // Without sdAllowCreate a missing folder is refused.
        TScriptedDirectorySelection Folders({Dir.Path() + QStringLiteral("weg"), Dir.Path()});
        TScriptedMessageBoxes Boxes;
        String D;
        EXPECT_TRUE(SelectDirectory(D, {}, 0));
        EXPECT_EQ(D, Dir.Path());
        EXPECT_EQ(Boxes.Asked().size(), 1u);
    }
}

TEST(Shell, OpensWebAndMailAddressesAndExistingDocuments)
{
    TTestDir Dir;
    const QString Report = Dir.File(QStringLiteral("rapport.html"));
    QFile F(Report);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("<HTML></HTML>");
    F.close();
    TShellRecorder Shell;
    TScriptedMessageBoxes Boxes;
    EXPECT_GT(
        ShellExecute(nullptr, QStringLiteral("open"), QStringLiteral("http://www.example.nl"), {}, {}, SW_SHOWNORMAL),
        32);
    EXPECT_GT(ShellExecute(nullptr, QStringLiteral("Open"),
                           QStringLiteral("mailto:info@example.nl?subject=Quorvy® Versie 2023"), {}, {}, SW_SHOWNORMAL),
              32);
    EXPECT_GT(ShellExecute(nullptr, QStringLiteral("open"), Report, {}, {}, SW_SHOWNORMAL), 32);
    ASSERT_EQ(Shell.Opened().size(), 3u);
    EXPECT_EQ(Shell.Opened()[0].host(), QStringLiteral("www.example.nl"));
    EXPECT_EQ(Shell.Opened()[1].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(Shell.Opened()[2], QUrl::fromLocalFile(QFileInfo(Report).absoluteFilePath()));
    EXPECT_TRUE(Boxes.Asked().empty());
}

TEST(Shell, RefusesEverythingElseWithAMessageAndHandsNothingOn)
{
    TTestDir Dir;
    const QString Script = Dir.File(QStringLiteral("start.sh"));
    QFile F(Script);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("#!/bin/sh\n");
    F.close();
    F.setPermissions(F.permissions() | QFileDevice::ExeOwner);
    const QString Launcher = Dir.File(QStringLiteral("x.desktop"));
    QFile L(Launcher);
    ASSERT_TRUE(L.open(QIODevice::WriteOnly));
    L.close();
    struct TRefused {
        QString Verb;
        QString File;
        QString Parameters;
        HINSTANCE Error;
    };
    const TRefused Refused[] = {
        {"open", "javascript:alert(1)", "", SE_ERR_ACCESSDENIED},
        {"open", "ftp://example.nl/x", "", SE_ERR_ACCESSDENIED},
        {"open", "www.example.nl", "", SE_ERR_FNF},
        {"open", "http://", "", SE_ERR_ACCESSDENIED},
        {"open", "mailto:", "", SE_ERR_ACCESSDENIED},
        {"open", Dir.File(QStringLiteral("weg.html")), "", SE_ERR_FNF},
        {"open", Dir.Path(), "", SE_ERR_ACCESSDENIED},
        {"open", Script, "", SE_ERR_ACCESSDENIED},
        {"open", Launcher, "", SE_ERR_ACCESSDENIED},
        {"open", "", "", SE_ERR_ACCESSDENIED},
        {"print", "http://www.example.nl", "", SE_ERR_ACCESSDENIED},
        {"open", "http://www.example.nl", "--kiosk", SE_ERR_ACCESSDENIED},
    };
    TShellRecorder Shell;
    TScriptedMessageBoxes Boxes;
    for (const TRefused& R : Refused) {
        SCOPED_TRACE(R.File.toStdString());
        EXPECT_EQ(ShellExecute(nullptr, R.Verb, R.File, R.Parameters, {}, SW_SHOWNORMAL), R.Error);
        EXPECT_FALSE(ShellTarget(R.Verb, R.File, R.Parameters).Allowed());
    }
    EXPECT_TRUE(Shell.Opened().empty());
    ASSERT_EQ(Boxes.Asked().size(), std::size(Refused));
    EXPECT_TRUE(Boxes.Asked()[0].Text.contains(QStringLiteral("Alleen webadressen")));
    EXPECT_EQ(Boxes.Asked()[0].Caption, QStringLiteral("Openen niet mogelijk"));
}

TEST(Shell, AWebOrMailHandOffOpensAddressesOnlyAndNeverALocalFile)
{
    TTestDir Dir;
    const QString Report = Dir.File(QStringLiteral("rapport.html"));
    ASSERT_TRUE(WriteRaw(Report, "<HTML></HTML>"));
    TShellRecorder Shell;
    TScriptedMessageBoxes Boxes;
    EXPECT_EQ(ShellOpenAddress(nullptr, QStringLiteral("www.example.nl")), SE_ERR_OK);
    EXPECT_EQ(ShellOpenAddress(nullptr, QStringLiteral(" jan@example.nl ")), SE_ERR_OK);
    EXPECT_EQ(ShellOpenAddress(nullptr, QStringLiteral("mailto:info@example.nl?subject=Quorvy® Versie 2023")),
              SE_ERR_OK);
    ASSERT_EQ(Shell.Opened().size(), 3u);
    EXPECT_EQ(Shell.Opened()[0], QUrl(QStringLiteral("https://www.example.nl")));
    EXPECT_EQ(Shell.Opened()[1], QUrl(QStringLiteral("mailto:jan@example.nl")));
    EXPECT_EQ(Shell.Opened()[2].scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(Boxes.Asked().empty());

    // Existing files or not, plain or as file: addresses: all refused
    // alike, since the text alone decides.
    const QString Refused[] = {QStringLiteral("/etc/passwd"),      Report,
                               QStringLiteral("file://") + Report, Dir.File(QStringLiteral("weg.html")),
                               QStringLiteral("rapport.html"),     QString()};
    const QString Old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Dir.Path()));
    for (const QString& Text : Refused) {
        SCOPED_TRACE(Text.toStdString());
        EXPECT_FALSE(AddressTarget(Text).Allowed());
        EXPECT_EQ(ShellOpenAddress(nullptr, Text), SE_ERR_ACCESSDENIED);
    }
    QDir::setCurrent(Old);
    EXPECT_EQ(Shell.Opened().size(), 3u);
    ASSERT_EQ(Boxes.Asked().size(), std::size(Refused));
    for (const auto& Asked : Boxes.Asked()) {
        EXPECT_TRUE(Asked.Text.contains(QStringLiteral("is geen webadres of e-mailadres"))) << Asked.Text.toStdString();
        EXPECT_EQ(Asked.Caption, QStringLiteral("Openen niet mogelijk"));
    }
}

TEST(Shell, AMailHandOffPassesTheAddressAndASubjectOnly)
{
    // Mail programs take other fields as orders: attach a file, copy to
    // someone else, write the text.
    const struct {
        QString Given;
        QString Opened;
    } Cases[] = {
        {"a@b.nl?attach=/etc/passwd", "mailto:a@b.nl"},
        {"mailto:a@b.nl?subject=Hoi&attach=/etc/passwd", "mailto:a@b.nl?subject=Hoi"},
        {"a@b.nl?cc=c@d.nl&bcc=e@f.nl&to=g@h.nl&body=Tekst", "mailto:a@b.nl"},
        {"a@b.nl?attachment=/etc/passwd&subject=Hoi", "mailto:a@b.nl?subject=Hoi"},
        {"a@b.nl?subject=Hoi?attach=/etc/passwd", "mailto:a@b.nl?subject=Hoi"},
        {"a@b.nl?&&subject=Hoi&&", "mailto:a@b.nl?subject=Hoi"},
        {"a@b.nl?%61ttach=/etc/passwd", "mailto:a@b.nl"},
        {"a@b.nl?ATTACH=/etc/passwd&SuBjEcT=Hoi", "mailto:a@b.nl?subject=Hoi"},
        {"a@b.nl?%73ubject=Hoi&subject=Tweede", "mailto:a@b.nl?subject=Hoi"},
        {"a@b.nl?subject=a%26attach%3D%2Fetc%2Fpasswd", "mailto:a@b.nl?subject=a%26attach%3D%2Fetc%2Fpasswd"},
        {"a@b.nl?subject=Hoi#attach=/etc/passwd", "mailto:a@b.nl?subject=Hoi"},
        {"a@b.nl?subject=", "mailto:a@b.nl"},
        {"MAILTO:a@b.nl?subject=Quorvy® Versie 2023", "mailto:a@b.nl?subject=Quorvy%C2%AE%20Versie%202023"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Given.toStdString());
        TShellRecorder Shell;
        EXPECT_EQ(ShellOpenAddress(nullptr, C.Given), SE_ERR_OK);
        const QString Link = C.Given.startsWith("mailto:", Qt::CaseInsensitive) ? C.Given : "mailto:" + C.Given;
        EXPECT_EQ(ShellExecute(nullptr, "open", Link, {}, {}, SW_SHOWNORMAL), SE_ERR_OK);
        ASSERT_EQ(Shell.Opened().size(), 2u);
        for (const QUrl& Url : Shell.Opened())
            EXPECT_EQ(Url.toString(QUrl::FullyEncoded).toStdString(), C.Opened.toStdString());
    }
}

TEST(Shell, ARefusalQuotesTheStartOfWhatItRefuses)
{
    TShellRecorder Shell;
    TScriptedMessageBoxes Boxes;
    const QString Long(4 << 20, u'x');
    EXPECT_EQ(ShellOpenAddress(nullptr, Long), SE_ERR_ACCESSDENIED);
    EXPECT_EQ(ShellExecute(nullptr, "open", "x-" + Long + ":", {}, {}, SW_SHOWNORMAL), SE_ERR_ACCESSDENIED);
    ASSERT_EQ(Boxes.Asked().size(), 2u);
    for (const auto& Asked : Boxes.Asked())
        EXPECT_LT(Asked.Text.size(), 400);
    EXPECT_TRUE(Boxes.Asked()[0].Text.startsWith("\"" + QString(40, u'x') + QChar(0x2026) + "\" is geen"));
}

TEST(Shell, ADesktopThatCannotOpenIsNotReported)
{
    TShellRecorder Shell(false);
    TScriptedMessageBoxes Boxes;
    EXPECT_EQ(
        ShellExecute(nullptr, QStringLiteral("open"), QStringLiteral("https://example.nl"), {}, {}, SW_SHOWNORMAL),
        SE_ERR_NOASSOC);
    EXPECT_TRUE(Boxes.Asked().empty());
}

TEST(Translations, QtSpeaksDutch)
{
    ASSERT_TRUE(LoadDutchTranslations()) << "Qt's translations (qt6-translations-l10n) are missing in "
                                         << QtTranslationsPath().toStdString();
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Open"), QStringLiteral("&Openen"));
}

} // namespace
