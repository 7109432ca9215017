// The pick windows and the main window's group filter: the sorted lists and
// their buttons, a click that picks an item (and tells two of one text
// apart), the ways out that pick nothing, "&Nieuw" calling its opener, and
// the filter on the group picked, with F5 and "GEEN Filter".
#include "app/qv_adres.h"
#include "app/qv_fil_g.h"
#include "app/qv_recform.h"
#include "app/qv_sel_a.h"
#include "app/qv_sel_g.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcGroupItems.h"
#include "platform/classes/TypInfo.h"
#include "tests/app/AddressGroupFixture.h"

#include <map>

// Stands in for the person form: the window that opens a pick window and
// whose handler "&Nieuw" calls.
class TTestPickOpener : public TComponent {
public:
    explicit TTestPickOpener(TComponent* AOwner) : TComponent(AOwner) {}
    // Adds an address as the person form does; the test's script decides
    // what becomes of it in the address form.
    void FcToolButtonNieuwAdresClick(TObject* Sender)
    {
        Senders.push_back(Sender);
        DataModuleMain->cdsAdres->Insert();
        Saved = ExecuteRecordForm<TFormAdres>(this, true);
    }
    std::vector<TObject*> Senders;
    bool Saved = false;
};

REGISTER_COMPONENT(TTestPickOpener, TComponent)
    PUBLISHED_METHOD(FcToolButtonNieuwAdresClick)
END_REGISTER

namespace {

class PickFormTest : public AddressGroupTest {
protected:
    template <typename T>
    std::unique_ptr<T, TComponentDeleter> Make(TComponent* Owner = nullptr)
    {
        return std::unique_ptr<T, TComponentDeleter>(CreateComponent<T>(Owner != nullptr ? Owner : Main));
    }
    static void ExpectNothingPicked(const TPickForm* Form)
    {
        EXPECT_FALSE(Form->Selected);
        EXPECT_TRUE(Form->SelectedText.isEmpty());
        EXPECT_EQ(Form->SelectedKey, -1);
    }
    TFcGroupItem* GroupItem(int I) const { return Main->FcGroupGroepen->Items()->Items(I); }
    QStringList PersonsShown() const
    {
        QStringList Out;
        TClientDataSet* P = Data->cdsQuorvy;
        for (P->First(); !P->Eof(); P->Next())
            Out << Text(P, "ACHTER_NAAM");
        P->First();
        return Out;
    }
};

} // namespace

TEST_F(PickFormTest, TheWindowsShowASortedListAndTheirButtons)
{
    struct TCase {
        std::unique_ptr<TPickForm, TComponentDeleter> Form;
        QString Caption, Hint;
        bool New;
    };
    TCase Cases[] = {
        {Make<TFormSelecteerAdres>(), "Selecteer Adres", "Selecteer een adres om dit te koppelen aan het contact.",
         true},
        {Make<TFormSelecteerGroep>(), "Selecteer Groep", "Selecteer een groep om deze te koppelen aan het contact.",
         true},
        {Make<TFormFilterGroep>(), "Selecteer Groep", "Selecteer een groep als een filter voor het contact.", false},
    };
    for (TCase& C : Cases) {
        TPickForm* F = C.Form.get();
        EXPECT_EQ(F->Caption(), C.Caption);
        EXPECT_EQ(F->ChoiceList()->Hint(), C.Hint);
        EXPECT_EQ(F->BorderStyle(), bsToolWindow);
        EXPECT_EQ(F->BorderIcons(), TBorderIcons({biSystemMenu}));
        EXPECT_EQ(F->ClientWidth(), 409);
        EXPECT_EQ(F->ClientHeight(), 289);
        EXPECT_EQ(F->ActiveControl(), F->ChoiceList());
        EXPECT_EQ(F->FcBitBtnClose->Caption(), "&Sluiten");
        EXPECT_TRUE(F->FcBitBtnClose->Default());
        EXPECT_EQ(F->FcBitBtnNieuw != nullptr, C.New);
        ExpectNothingPicked(F);
        // Whatever order they come in, the user sees them sorted.
        F->AddChoice("Zwolle", 3);
        F->ChoiceList()->Items()->Add("Arnhem");
        F->AddChoice("Ede", 1);
        EXPECT_EQ(Items(F), QStringList({"Arnhem", "Ede", "Zwolle"}));
        F->SelectText("Zwolle");
        EXPECT_EQ(F->ChoiceList()->ItemIndex(), 2);
        F->SelectText("Utrecht");
        EXPECT_EQ(F->ChoiceList()->ItemIndex(), 0);
    }
}

TEST_F(PickFormTest, AClickPicksTheItemAndTellsTwoOfOneTextApart)
{
    std::vector<std::int32_t> Keys;
    for (const int Clicked : {0, 1}) {
        auto Form = Make<TFormSelecteerGroep>();
        Form->AddChoice("Werk", 2);
        Form->AddChoice("Familie", 1);
        Form->AddChoice("Familie", 4);
        Form->SelectText("Werk");
        TOnModal<TFormSelecteerGroep> Script([&](TFormSelecteerGroep* F) { ClickItem(F, Clicked); });
        Form->ShowModal();
        EXPECT_FALSE(Form->Visible()) << "a click ends the window";
        EXPECT_TRUE(Form->Selected);
        EXPECT_EQ(Form->SelectedText, "Familie");
        Keys.push_back(Form->SelectedKey);
    }
    // The two items of one text stand for the two groups.
    std::sort(Keys.begin(), Keys.end());
    EXPECT_EQ(Keys, std::vector<std::int32_t>({1, 4}));
}

TEST_F(PickFormTest, EveryOtherWayOutPicksNothing)
{
    // An empty list offers only its buttons; "&Sluiten" and the close box.
    for (const bool CloseBox : {false, true}) {
        auto Empty = Make<TFormSelecteerAdres>();
        TOnModal<TFormSelecteerAdres> Script([&](TFormSelecteerAdres* F) {
            if (CloseBox)
                PostMessage(F->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
            else
                MouseClick(F->FcBitBtnClose, {5, 5});
        });
        Empty->ShowModal();
        EXPECT_EQ(Script.Runs(), 1);
        ExpectNothingPicked(Empty.get());
    }
    // Enter presses "&Sluiten", whatever item is selected.
    auto Filled = Make<TFormFilterGroep>();
    Filled->AddChoice("Werk", 2);
    Filled->ChoiceList()->SetItemIndex(0);
    TOnModal<TFormFilterGroep> Script([](TFormFilterGroep* F) { PressKey(F->ChoiceList(), Qt::Key_Return); });
    Filled->ShowModal();
    ExpectNothingPicked(Filled.get());
}

TEST_F(PickFormTest, NewCallsTheOpenersHandlerAndClosesWithNothingPicked)
{
    TTestPickOpener Opener(nullptr);
    const int Before = Data->cdsAdres->RecordCount();
    auto Form = Make<TFormSelecteerAdres>(&Opener);
    Form->AddChoice("Kerkweg 1, Arnhem", 2);
    // The address form that the opener shows is cancelled.
    TOnModal<TFormAdres> Cancel([](TFormAdres* F) {
        TypeInto(F->FcDBEditStraatnaam, "Weg");
        MouseClick(F->FcBitBtnCancel, {5, 5});
    });
    TOnModal<TFormSelecteerAdres> Script([](TFormSelecteerAdres* F) { MouseClick(F->FcBitBtnNieuw, {5, 5}); });
    Form->ShowModal();
    EXPECT_EQ(Cancel.Runs(), 1);
    ASSERT_EQ(Opener.Senders.size(), 1u);
    EXPECT_FALSE(Opener.Saved);
    EXPECT_FALSE(Form->Visible());
    ExpectNothingPicked(Form.get());
    EXPECT_EQ(Data->cdsAdres->RecordCount(), Before);
    EXPECT_EQ(Data->cdsAdres->State(), dsBrowse);

    // An opener without the handler: the window only closes.
    auto Orphan = Make<TFormSelecteerGroep>(Main);
    TOnModal<TFormSelecteerGroep> Press([](TFormSelecteerGroep* F) { MouseClick(F->FcBitBtnNieuw, {5, 5}); });
    Orphan->ShowModal();
    EXPECT_EQ(Press.Runs(), 1);
    ExpectNothingPicked(Orphan.get());
}

// --- the group filter -------------------------------------------------------------------

TEST_F(PickFormTest, TheFilterShowsOnlyThePersonsOfTheGroupPicked)
{
    ASSERT_FALSE(GroupItem(3)->Enabled());
    // Either group "Familie": the filter follows the item clicked.
    std::map<std::int32_t, QStringList> Shown;
    for (const int Clicked : {0, 1}) {
        QStringList Offered;
        std::int32_t Picked = -1;
        TOnModal<TFormFilterGroep> Script([&](TFormFilterGroep* F) {
            Offered = Items(F);
            EXPECT_EQ(F->ChoiceList()->ItemIndex(), 0);
            ClickItem(F, Clicked);
            Picked = F->SelectedKey;
        });
        Main->FcGroupGroepenItems2Click(nullptr);
        EXPECT_EQ(Offered, QStringList({"Familie", "Familie", "Werk"}));
        Shown[Picked] = PersonsShown();
        if (Clicked == 0)
            Main->FcGroupGroepenItems3Click(nullptr);
    }
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_EQ(Shown[1], QStringList({"jansen", "Zwart"}));
    EXPECT_EQ(Shown[4], QStringList({"de Vries"}));
    const QStringList Expected = PersonsShown();
    EXPECT_EQ(Data->ActiveFilterName, "Familie");
    EXPECT_FALSE(GroupItem(2)->Enabled());
    EXPECT_TRUE(GroupItem(3)->Enabled());
    EXPECT_TRUE(Main->FcDBGridQuorvy->Focused());
    // Navigation sees only the group's persons.
    Main->FcGroupNavigateItems3Click(nullptr);
    EXPECT_EQ(Text(Data->cdsQuorvy, "ACHTER_NAAM"), Expected.back());
    Main->FcGroupNavigateItems0Click(nullptr);
    EXPECT_EQ(Text(Data->cdsQuorvy, "ACHTER_NAAM"), Expected.front());

    // F5 names the filter and offers to end it.
    {
        TScriptedMessageBoxes Question{{IDNO}};
        Main->ToonActieveGroepfilterClick(nullptr);
        ASSERT_EQ(Question.Asked().size(), 1u);
        EXPECT_EQ(Question.Asked()[0].Text,
                  "De actieve groepfilter is: \"Groepnaam = Familie\".\r\nWilt u deze filter deactiveren?");
        EXPECT_TRUE(Data->cdsQuorvy->Filtered());
    }
    // "GEEN Filter" ends it.
    Main->FcGroupGroepenItems3Click(nullptr);
    EXPECT_EQ(PersonsShown().size(), 5);
    EXPECT_TRUE(Data->ActiveFilterName.isEmpty());
    EXPECT_TRUE(GroupItem(2)->Enabled());
    EXPECT_FALSE(GroupItem(3)->Enabled());
    TScriptedMessageBoxes None{{IDOK}};
    Main->ToonActieveGroepfilterClick(nullptr);
    EXPECT_EQ(None.Asked().back().Text, "Er is op dit moment GEEN groepfilter actief");
}

TEST_F(PickFormTest, TheFilterWithoutAPickOrWithoutGroupsChangesNothing)
{
    const QString Group = Text(Data->cdsGroep, "GROEP_NAAM");
    TOnModal<TFormFilterGroep> Script([](TFormFilterGroep* F) { MouseClick(F->FcBitBtnClose, {5, 5}); });
    Main->FcGroupGroepenItems2Click(nullptr);
    EXPECT_EQ(Script.Runs(), 1);
    EXPECT_FALSE(Data->cdsQuorvy->Filtered());
    EXPECT_TRUE(GroupItem(2)->Enabled());
    EXPECT_EQ(Text(Data->cdsGroep, "GROEP_NAAM"), Group) << "the group table stays where it was";

    Data->cdsGroep->EmptyDataSet();
    TOnModal<TFormFilterGroep> NoWindow([](TFormFilterGroep*) { ADD_FAILURE() << "no groups to offer"; });
    Main->FcGroupGroepenItems2Click(nullptr);
    ASSERT_FALSE(Boxes.Asked().empty());
    EXPECT_EQ(Boxes.Asked().back().Text, "Er zijn nog geen groepen bekend.");
    EXPECT_EQ(Boxes.Asked().back().Caption, "Nog geen groepen");
    EXPECT_EQ(Boxes.Asked().back().Flags, unsigned(MB_OK | MB_ICONINFORMATION));
    EXPECT_FALSE(Data->cdsQuorvy->Filtered());
}
