// Characters beyond the Basic Multilingual Plane (emoji, rare CJK), typed
// in the person form as the desktop sends them, keep whole through the
// fields, the contact file written and opened again, the person grid and
// the full report in HTML and as text.
#include "tests/app/ReportFixture.h"
#include "tests/support/Utf8Text.h"

#include "app/qv_qvy.h"
#include "app/qv_rap_f.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/lists/FcChkLst.h"
#include "controls/lists/FcComboBox.h"
#include "controls/lists/FcDBCmbo.h"
#include "controls/lists/FcDBEdit.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcEdit.h"
#include "controls/lists/FcPageControl.h"
#include "controls/lists/FcTabSheet.h"

#include <map>

namespace {

using TFullReportPtr = std::unique_ptr<TFormFullReport, TComponentDeleter>;

class WideCharacters : public ReportTest {
protected:
    // A new person in the person form, typed into it and posted with OK.
    void TypeNewPerson(const std::function<void(TFormQuorvy*)>& Typing)
    {
        Data->cdsQuorvy->Insert();
        auto* Form = CreateComponent<TFormQuorvy>(nullptr, [](TFormQuorvy* F) { F->IsNew = true; });
        Form->Show();
        PumpMessages();
        Typing(Form);
        Form->FcBitBtnOK->Click();
        Form->Free();
    }
    static void Focus(TWinControl* Control)
    {
        Control->SetFocus();
        PumpMessages();
    }
    // The last names the person grid draws, top row first.
    QStringList PaintedLastNames()
    {
        TFcDBGrid* Grid = Main->FcDBGridQuorvy;
        std::map<int, QString> ByTop;
        const auto Saved = Grid->OnDrawColumnCell();
        const bool SavedDefault = Grid->DefaultDrawing();
        Grid->SetDefaultDrawing(false);
        Grid->SetOnDrawColumnCell([&](TObject*, const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State) {
            if (Column->FieldName() == "ACHTER_NAAM")
                ByTop[Rect.Top] = Column->Field()->DisplayText();
            Grid->DefaultDrawColumnCell(Rect, DataCol, Column, State);
        });
        PaintControlImage(Grid);
        Grid->SetOnDrawColumnCell(Saved);
        Grid->SetDefaultDrawing(SavedDefault);
        QStringList Names;
        for (const auto& [Top, Name] : ByTop)
            Names << Name;
        return Names;
    }
    // The full report of these columns in this format (0 HTML, 1 text).
    QStringList Report(std::vector<int> Items, int Format)
    {
        TFullReportPtr Form(CreateComponent<TFormFullReport>(nullptr));
        Form->SpeedButtonSelectNoneClick(nullptr);
        for (int Item : Items)
            Form->FcCheckListBeschikbareVelden->SetItemChecked(Item, true);
        Form->FcComboBoxResult->SetItemIndex(Format);
        Form->FcComboBoxResultChange(nullptr);
        Form->FcEditTitel->SetText("Lijst");
        return LinesOf(Form->RunReport(), Format == 0);
    }

    TShellRecorder Shell;
};

} // namespace

TEST_F(WideCharacters, TypedInThePersonFormTheyReachTheFileTheGridAndTheReports)
{
    const QString LastName = U("Ñøñé-日本-\U0001F600-שלום");
    const QString CallName = U("\U0002000B子");
    const QString Salutation = U("Prof \U0001F393");
    const QString Remarks = U("üüü ששש ééé \U0001F600\U0001F600 x");
    TypeNewPerson([&](TFormQuorvy* F) {
        Focus(F->FcDBComboBoxAanhef);
        TypeCharacters(F, Salutation);
        Focus(F->FcDBEditAchternaam);
        TypeCharacters(F, LastName);
        // Composed by an input method.
        Focus(F->FcDBEditRoepnaam);
        CommitInput(F, CallName);
        F->FcPageControlQuorvy->SetActivePage(F->TabSheetMemo);
        Focus(F->FcDBMemoOpmerkingen);
        TypeCharacters(F, Remarks);
    });
    const auto Fields = [&] {
        QStringList Values;
        for (const char* Name : {"AANHEF", "ACHTER_NAAM", "ROEP_NAAM", "OPMERKINGEN"})
            Values << Data->cdsQuorvy->FieldByName(Name)->AsString();
        return Values;
    };
    const QStringList Typed = {Salutation, LastName, CallName, Remarks};
    EXPECT_EQ(Fields(), Typed);

    // Written, and read again as the main window opens it.
    Data->CloseFiles();
    ShowMain();
    Main->OpenFile(ContactFile);
    ASSERT_TRUE(Data->Active);
    ASSERT_EQ(Data->cdsQuorvy->RecordCount(), 1);
    EXPECT_EQ(Fields(), Typed);
    EXPECT_EQ(PaintedLastNames(), QStringList({LastName}));

    const QString Named = U("\U0002000B子 Ñøñé-日本-\U0001F600-שלום");
    EXPECT_EQ(Report({0, 4, 30}, 1),
              QStringList({LastName + QString(50 - LastName.size(), ' ') + CallName + QString(25 - CallName.size(), ' ')
                           + Named + QString(70 - Named.size(), ' ')}));
    const QString Cell = "<TD VALIGN=\"TOP\"><FONT FACE=\"Tahoma\" SIZE=\"-1\">%1</FONT></TD>";
    EXPECT_EQ(Report({0, 4, 30}, 0).mid(12, 3), QStringList({Cell.arg(LastName), Cell.arg(CallName), Cell.arg(Named)}));
}
