// The notes window: the ".naw" file beside the open contact file, read,
// edited (characters of two code units typed whole), saved or left alone,
// and never lost when it cannot be read or written.
#include "tests/app/ReportFixture.h"

#include "app/qv_naw.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/lists/FcMemo.h"
#include "tests/support/Utf8Text.h"

#include <QFile>

namespace {

using TNotesFormPtr = std::unique_ptr<TFormNAWBestand, TComponentDeleter>;

} // namespace

class NotesWindow : public ReportTest {
protected:
    QString Notes() const { return DataFolder + "familie.naw"; }
    TNotesFormPtr NewWindow() { return TNotesFormPtr(CreateComponent<TFormNAWBestand>(nullptr)); }
};

TEST_F(NotesWindow, ReadsTheNotesFileBesideTheContactFile)
{
    // Old notes were single-byte text.
    ASSERT_TRUE(WriteRaw(Notes(), "Notities van Ren\xE9\r\n\ttweede regel\r\n"));
    TNotesFormPtr Form = NewWindow();
    EXPECT_EQ(Form->Caption(), "Informatie over het NAW Bestand");
    EXPECT_EQ(Form->FcMemoNAW->Lines()->ToStringList(), QStringList({"Notities van René", "\ttweede regel"}));
    EXPECT_TRUE(Form->FcBitBtnOK->Enabled());
    EXPECT_EQ(Form->ActiveControl(), Form->FcMemoNAW);
}

TEST_F(NotesWindow, OkSavesTheTextAndCancelLeavesTheFileAlone)
{
    {
        TNotesFormPtr Form = NewWindow();
        EXPECT_EQ(Form->FcMemoNAW->Lines()->Count(), 0);
        Form->FcBitBtnOKClick(nullptr);
        EXPECT_EQ(Form->ModalResult(), mrOk);
    }
    // An empty memo gives an empty notes file.
    EXPECT_EQ(ReadRaw(Notes()), "");
    {
        TNotesFormPtr Form = NewWindow();
        Form->FcMemoNAW->Lines()->SetText("Opa wordt 90\r\nZoë\tverhuisd");
        Form->FcBitBtnOKClick(nullptr);
    }
    EXPECT_EQ(ReadRaw(Notes()), QString("Opa wordt 90\r\nZoë\tverhuisd\r\n").toUtf8());
    {
        TNotesFormPtr Form = NewWindow();
        Form->Show();
        Form->FcMemoNAW->Lines()->SetText("weggooien");
        Form->FcBitBtnCancelClick(nullptr);
        EXPECT_FALSE(Form->Visible());
    }
    EXPECT_EQ(ReadRaw(Notes()), QString("Opa wordt 90\r\nZoë\tverhuisd\r\n").toUtf8());
}

// Characters beyond the Basic Multilingual Plane, typed as the desktop
// sends them or composed by an input method, are saved and read back whole.
TEST_F(NotesWindow, TypedCharactersOfTwoCodeUnitsAreSavedWhole)
{
    const QString Typed = U("üüü ששש ééé \U0001F600\U0001F600 x");
    const QString Composed = U("\U0002000B en \U0001F600");
    {
        TNotesFormPtr Form = NewWindow();
        Form->Show();
        Form->FcMemoNAW->SetFocus();
        PumpMessages();
        TypeCharacters(Form.get(), Typed);
        PressKey(Form.get(), Qt::Key_Return);
        CommitInput(Form.get(), Composed);
        Form->FcBitBtnOKClick(nullptr);
    }
    EXPECT_EQ(ReadRaw(Notes()), (Typed + "\r\n" + Composed + "\r\n").toUtf8());
    TNotesFormPtr Form = NewWindow();
    EXPECT_EQ(Form->FcMemoNAW->Lines()->ToStringList(), QStringList({Typed, Composed}));
}

// Alt with a key that is no accelerator types nothing and beeps.
TEST_F(NotesWindow, AltWithALetterOrDigitTypesNothing)
{
    {
        TNotesFormPtr Form = NewWindow();
        Form->Show();
        Form->FcMemoNAW->SetFocus();
        PumpMessages();
        TypeCharacters(Form.get(), "Opa");
        int Beeps = 0;
        SetBeepHook([&](UINT) { ++Beeps; });
        for (auto [Key, Text] : {std::pair{Qt::Key_Q, "q"}, {Qt::Key_Z, "z"}, {Qt::Key_3, "3"}})
            PressKey(Form.get(), Key, Qt::AltModifier, Text);
        SetBeepHook(nullptr);
        EXPECT_EQ(Beeps, 3);
        Form->FcBitBtnOKClick(nullptr);
    }
    EXPECT_EQ(ReadRaw(Notes()), "Opa\r\n");
}

TEST_F(NotesWindow, AFailedSaveSaysWhyAndKeepsTheWindowWithTheText)
{
    ASSERT_TRUE(WriteRaw(Notes(), "oud\r\n"));
    TNotesFormPtr Form = NewWindow();
    Form->FcMemoNAW->Lines()->SetText(QString(500, QLatin1Char('x')));
    TScriptedMessageBoxes Boxes;
    {
        TFileSizeLimit DiskFull(100);
        Form->FcBitBtnOKClick(nullptr);
    }
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_TRUE(Boxes.Asked()[0].Text.startsWith("Het NAW bestand \"" + Notes() + "\" kan niet worden opgeslagen"))
        << Boxes.Asked()[0].Text.toStdString();
    EXPECT_TRUE(Boxes.Asked()[0].Text.endsWith(": het bestand wordt te groot.")) << Boxes.Asked()[0].Text.toStdString();
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Opslaan mislukt");
    EXPECT_EQ(Boxes.Asked()[0].Flags, 16u);
    EXPECT_EQ(Form->ModalResult(), mrNone);
    EXPECT_EQ(Form->FcMemoNAW->Lines()->Strings(0).size(), 500);
    EXPECT_EQ(ReadRaw(Notes()), "oud\r\n");
    // Once the disk has room, OK saves.
    Form->FcBitBtnOKClick(nullptr);
    EXPECT_EQ(ReadRaw(Notes()).size(), 502);
}

TEST_F(NotesWindow, NotesThatCannotBeReadAreNeverOverwritten)
{
    ASSERT_TRUE(QDir().mkpath(Notes()));
    ASSERT_TRUE(WriteRaw(Notes() + "/binnen", "x"));
    TScriptedMessageBoxes Boxes;
    TNotesFormPtr Form = NewWindow();
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_TRUE(Boxes.Asked()[0].Text.startsWith("Het NAW bestand \"" + Notes() + "\" kan niet worden gelezen"))
        << Boxes.Asked()[0].Text.toStdString();
    EXPECT_EQ(Boxes.Asked()[0].Caption, "NAW Bestand niet leesbaar");
    EXPECT_FALSE(Form->FcBitBtnOK->Enabled());
    EXPECT_TRUE(Form->FcMemoNAW->ReadOnly());
    Form->FcBitBtnOKClick(nullptr);
    EXPECT_TRUE(QFileInfo(Notes()).isDir());
    EXPECT_EQ(ReadRaw(Notes() + "/binnen"), "x");
}

TEST_F(NotesWindow, TheFileButtonNamesTheFourFilesOfTheContactFile)
{
    TNotesFormPtr Form = NewWindow();
    TScriptedMessageBoxes Boxes;
    Form->SpeedButtonFileInfoClick(nullptr);
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Text,
              "Gehanteerde files in dit contact- en adressenbestand:\r\n\r\n- " + DataFolder
                  + "familie.naw (Informatie over NAW Bestand)\r\n- " + DataFolder
                  + "familie.quorvy (Persoonsbestand)\r\n- " + DataFolder
                  + "familie.quorvy.adres (Adressenbestand)\r\n- " + DataFolder
                  + "familie.quorvy.groep (Groepbestand)");
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Gehanteerde Bestanden");
    EXPECT_EQ(Boxes.Asked()[0].Flags, 64u);
}

TEST_F(NotesWindow, TheGroupBarItemAndItsMenuTwinEditTheNotesWhileAFileIsOpen)
{
    for (bool ByMenu : {false, true}) {
        TWhileModal Modal([ByMenu](TCustomForm* Form) {
            auto* Notes = dynamic_cast<TFormNAWBestand*>(Form);
            ASSERT_NE(Notes, nullptr);
            Notes->FcMemoNAW->Lines()->Add(ByMenu ? "menu" : "groep");
            Notes->FcBitBtnOKClick(nullptr);
        });
        if (ByMenu)
            dynamic_cast<TMenuItem*>(Main->FindComponent("NAWBestand"))->Click();
        else
            Main->FcGroupEditItems4Click(nullptr);
        EXPECT_EQ(Modal.Shown(), "TFormNAWBestand");
    }
    EXPECT_EQ(ReadRaw(Notes()), "groep\r\nmenu\r\n");
    Data->CloseFiles();
    TWhileModal None([](TCustomForm*) {});
    Main->FcGroupEditItems4Click(nullptr);
    EXPECT_EQ(None.Shown(), "");
}
