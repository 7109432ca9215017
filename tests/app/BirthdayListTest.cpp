// The birthday list: the month and year asked for, the page written and
// opened, the message when nobody has a birthday, and a year refused.
#include "tests/app/ReportFixture.h"

#include "app/qv_birth.h"
#include "controls/foundation/FcCheckBox.h"
#include "controls/lists/FcComboBox.h"
#include "controls/lists/FcEdit.h"

namespace {

using TBirthDaysPtr = std::unique_ptr<TFormBirthDays, TComponentDeleter>;

const QString Cell = QStringLiteral("<TD VALIGN=\"TOP\"><FONT FACE=\"Tahoma\" SIZE=\"-1\">");
const QString Next = QStringLiteral("</FONT></TD>") + Cell;

QString Row(const QString& Day, const QString& Name, const QString& Age)
{
    return Cell + Day + Next + Name + Next + Age + "</FONT></TD>";
}

} // namespace

class BirthdayList : public ReportTest {
protected:
    TBirthDaysPtr NewWindow() { return TBirthDaysPtr(CreateComponent<TFormBirthDays>(nullptr)); }
    // The page's rows for Month in Year, by the window's OK.
    QStringList RowsFor(int Month, const QString& Year)
    {
        TBirthDaysPtr Form = NewWindow();
        Form->FcComboBoxMaand->SetItemIndex(Month - 1);
        Form->FcMaskEditJaar->SetText(Year);
        Form->FcBitBtnOKClick(nullptr);
        if (Data->TempFiles->Count() == 0)
            return {"<no page>"};
        const QStringList Lines = LinesOf(Data->TempFiles->Strings(Data->TempFiles->Count() - 1), true);
        QStringList Rows;
        for (const QString& Line : Lines)
            if (Line.startsWith(Cell))
                Rows << Line;
        return Rows;
    }

    TShellRecorder Shell;
};

TEST_F(BirthdayList, TheWindowOpensOnThisMonthAndYear)
{
    TBirthDaysPtr Form = NewWindow();
    EXPECT_EQ(Form->Caption(), "Afdrukken Verjaardagslijst");
    EXPECT_EQ(Form->FcComboBoxMaand->Text(), "Mei");
    EXPECT_EQ(Form->FcComboBoxMaand->Items()->Count(), 12);
    EXPECT_EQ(Form->FcMaskEditJaar->Text(), "2024");
    EXPECT_FALSE(Form->FcCheckBoxClose->Checked());
    EXPECT_EQ(Form->ActiveControl(), Form->FcComboBoxMaand);
}

TEST_F(BirthdayList, TheMonthsBirthdaysAreListedByDayWithTheAgeReachedThatYear)
{
    AddPerson(1, {{"ACHTER_NAAM", "jansen"}, {"ROEP_NAAM", "piet"}, {"GEBOORTE_DATUM", "29/02/1980"}});
    AddPerson(2, {{"ACHTER_NAAM", "Bakker"}, {"AANHEF", "Mevrouw"}, {"GEBOORTE_DATUM", "03/02/2001"}});
    AddPerson(3, {{"ACHTER_NAAM", "Zonder"}});
    AddPerson(4, {{"ACHTER_NAAM", "Visser"}, {"GEBOORTE_DATUM", "03/02/1990"}, {"DATUM_INACTIEF", "17/05/2024"}});
    AddPerson(5, {{"ACHTER_NAAM", "Weg"}, {"GEBOORTE_DATUM", "10/02/1990"}, {"DATUM_INACTIEF", "16/05/2024"}});
    AddPerson(6, {{"ACHTER_NAAM", "Mei"}, {"GEBOORTE_DATUM", "10/05/1990"}});
    // A 29 February in a year without one keeps its day; a year before the
    // birth gives a negative age.
    EXPECT_EQ(RowsFor(2, "2023"),
              QStringList({Row("03/02/2023", "Mevrouw Bakker", "22"), Row("03/02/2023", "Visser", "33"),
                           Row("29/02/2023", "Piet Jansen", "43")}));
    EXPECT_EQ(RowsFor(2, "1985"),
              QStringList({Row("03/02/1985", "Mevrouw Bakker", "-16"), Row("03/02/1985", "Visser", "-5"),
                           Row("29/02/1985", "Piet Jansen", "5")}));
    ASSERT_EQ(Shell.Opened().size(), 2u);
    EXPECT_EQ(Shell.Opened()[1], QUrl::fromLocalFile(Data->TempFiles->Strings(1)));
}

TEST_F(BirthdayList, ThePageHasItsHeadAndEscapesNames)
{
    AddPerson(1, {{"ACHTER_NAAM", "<b>Jansen</b> & Co"}, {"GEBOORTE_DATUM", "01/12/2000"}});
    TBirthDaysPtr Form = NewWindow();
    Form->FcComboBoxMaand->SetItemIndex(11);
    Form->FcBitBtnOKClick(nullptr);
    ASSERT_EQ(Data->TempFiles->Count(), 1);
    const QStringList Lines = LinesOf(Data->TempFiles->Strings(0), true);
    const QString Header = "<TD VALIGN=\"TOP\" BGCOLOR=\"#0000CC\" HEIGHT=\"18\"><FONT COLOR=\"#FFFFCC\" "
                           "FACE=\"Tahoma\" SIZE=\"-1\"><B>%1</B></FONT></TD>";
    EXPECT_EQ(
        Lines,
        QStringList({"<HTML>", "<HEAD>", "<TITLE>Quorvy® 2023 - Verjaardagslijst December 2024</TITLE>", "</HEAD>",
                     "<BODY BGCOLOR=\"#FFFFCC\" TEXT=\"#000099\">", "<TABLE WIDTH=\"100%\" BORDER=\"1\">", "<TR>",
                     Header.arg("Datum"), Header.arg("Naam"), Header.arg("Leeftijd"), "</TR>", "<TR>",
                     Row("01/12/2024", "&lt;b&gt;Jansen&lt;/b&gt; &amp; Co", "24"), "</TR>", "</TABLE>", "</BODY>",
                     "</HTML>"}));
}

TEST_F(BirthdayList, TwoPersonsWithTheSameNameBirthdayAndAgeGiveOneRow)
{
    AddPerson(1, {{"ACHTER_NAAM", "Jansen"}, {"ROEP_NAAM", "Piet"}, {"GEBOORTE_DATUM", "04/05/1970"}});
    AddPerson(2, {{"ACHTER_NAAM", "Jansen"}, {"ROEP_NAAM", "piet"}, {"GEBOORTE_DATUM", "04/05/1970"}});
    AddPerson(3, {{"ACHTER_NAAM", "Jansen"}, {"ROEP_NAAM", "Piet"}, {"GEBOORTE_DATUM", "04/05/1971"}});
    EXPECT_EQ(RowsFor(5, "2024"),
              QStringList({Row("04/05/2024", "Piet Jansen", "53"), Row("04/05/2024", "Piet Jansen", "54")}));
}

TEST_F(BirthdayList, NoBirthdaySaysSoAndStillSavesThePage)
{
    AddPerson(1, {{"ACHTER_NAAM", "Jansen"}, {"GEBOORTE_DATUM", "04/05/1970"}});
    TScriptedMessageBoxes Boxes;
    EXPECT_EQ(RowsFor(6, "2024"), QStringList());
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Text, "Geen verjaardagen in Juni 2024.");
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Geen Verjaardagen");
    EXPECT_EQ(Boxes.Asked()[0].Flags, 64u);
    EXPECT_TRUE(Shell.Opened().empty());
    EXPECT_EQ(ReportFiles(), Data->TempFiles->ToStringList());
}

TEST_F(BirthdayList, AYearThatIsNoNumberIsRefusedBeforeTheGridChanges)
{
    AddPerson(1, {{"ACHTER_NAAM", "Jansen"}, {"GEBOORTE_DATUM", "04/05/1970"}});
    TScriptedMessageBoxes Boxes;
    TBirthDaysPtr Form = NewWindow();
    Form->FcMaskEditJaar->SetText("    ");
    Form->FcBitBtnOKClick(nullptr);
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Ongeldig jaar");
    EXPECT_EQ(Boxes.Asked()[0].Flags, 16u);
    EXPECT_EQ(Data->cdsQuorvy->IndexName(), "ACHTER_NAAM_ASC");
    EXPECT_FALSE(Data->cdsQuorvy->ControlsDisabled());
    EXPECT_TRUE(ReportFiles().isEmpty());
    EXPECT_TRUE(Shell.Opened().empty());
}

TEST_F(BirthdayList, AFailedRunLeavesNoPageAndPutsTheGridBack)
{
    for (int Id = 1; Id <= 20; ++Id)
        AddPerson(Id, {{"ACHTER_NAAM", QString("Jansen%1").arg(Id)}, {"GEBOORTE_DATUM", "04/05/1970"}});
    Data->cdsQuorvy->SetIndexName("ID_QUORVY_DESC");
    Data->cdsQuorvy->First();
    Data->cdsQuorvy->Next();
    const TBookmark Mark = Data->cdsQuorvy->GetBookmark();
    TBirthDaysPtr Form = NewWindow();
    {
        TFileSizeLimit DiskFull(100);
        EXPECT_THROW(Form->FcBitBtnOKClick(nullptr), EInOutError);
    }
    EXPECT_TRUE(ReportFiles().isEmpty());
    EXPECT_EQ(Data->TempFiles->Count(), 0);
    EXPECT_EQ(Data->cdsQuorvy->IndexName(), "ID_QUORVY_DESC");
    EXPECT_EQ(Data->cdsQuorvy->GetBookmark(), Mark);
    EXPECT_FALSE(Data->cdsQuorvy->ControlsDisabled());
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(BirthdayList, TheCloseBoxClosesTheWindowAfterARun)
{
    AddPerson(1, {{"ACHTER_NAAM", "Jansen"}, {"GEBOORTE_DATUM", "04/05/1970"}});
    TBirthDaysPtr Form = NewWindow();
    Form->Show();
    Form->FcBitBtnOKClick(nullptr);
    EXPECT_TRUE(Form->Visible());
    Form->FcCheckBoxClose->SetChecked(true);
    Form->FcBitBtnOKClick(nullptr);
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Shell.Opened().size(), 2u);
}

TEST_F(BirthdayList, TheGroupBarItemAndItsMenuTwinOpenTheWindowWhileAFileIsOpen)
{
    for (bool ByMenu : {false, true}) {
        TWhileModal Modal([](TCustomForm*) {});
        if (ByMenu)
            dynamic_cast<TMenuItem*>(Main->FindComponent("Verjaardagslijst"))->Click();
        else
            Main->FcGroupRapportagesItems2Click(nullptr);
        EXPECT_EQ(Modal.Shown(), "TFormBirthDays");
    }
    Data->CloseFiles();
    TWhileModal None([](TCustomForm*) {});
    Main->FcGroupRapportagesItems2Click(nullptr);
    EXPECT_EQ(None.Shown(), "");
}
