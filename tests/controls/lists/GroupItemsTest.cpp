// Group items: their captions at design time, copying, selection that stays
// unique within a group and across the bars of one parent, the selected
// index following deletions, and the action link - what it gives, what it
// keeps out of the form definition, the count of items with actions and the
// shortcut in the hint.
#include "tests/controls/lists/GroupBarTestSupport.h"
#include "tests/support/FormTextHelpers.h"

#include "controls/foundation/FcMessages.h"
#include "platform/classes/TypInfo.h"

#include "platform/actions/Menus.h"
#include "platform/classes/Filer.h"

namespace {

using TGroupPtr = std::unique_ptr<TFcGroup, TComponentDeleter>;

// A group on no bar with three items captioned A, B and C.
TGroupPtr LooseGroup()
{
    TGroupPtr G(new TFcGroup(nullptr));
    for (const char* Caption : {"A", "B", "C"})
        G->Items()->Add()->SetCaption(QString::fromLatin1(Caption));
    return G;
}

std::vector<bool> SelectedFlags(TFcGroup* G)
{
    std::vector<bool> Flags;
    for (int I = 0; I < G->Items()->Count(); ++I)
        Flags.push_back(G->Items()->Items(I)->Selected());
    return Flags;
}

// Counts the selection notices a group receives.
class TNoticeCountingGroup : public TFcGroup {
public:
    using TFcGroup::TFcGroup;
    int Notices = 0;

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == CM_GROUPITEMSELECTED)
            ++Notices;
        TFcGroup::WndProc(Message);
    }
};

} // namespace

TEST(GroupItems, ARunTimeItemHasNoCaptionADesignedOneIsNamedByPosition)
{
    TGroupPtr G(new TFcGroup(nullptr));
    EXPECT_EQ(G->Items()->Add()->Caption(), QString());
    G->SetDesigning(true);
    EXPECT_EQ(G->Items()->Add()->Caption(), QStringLiteral("Item2"));
    TFcGroupItem* Third = G->Items()->Add();
    EXPECT_EQ(Third->Caption(), QStringLiteral("Item3"));
    // The default caption is not the item's own: an action may replace it.
    EXPECT_FALSE(Third->CaptionSet());
    EXPECT_EQ(Third->DisplayName(), QStringLiteral("Item3"));
    G->SetDesigning(false);
}

TEST(GroupItems, AssignCopiesAllButSelectedIndentAndTag)
{
    TGroupPtr G = LooseGroup();
    TFcGroupItem* From = G->Items()->Items(0);
    From->SetDisabledIndex(4);
    From->SetEnabled(false);
    From->SetFontColor(clRed);
    From->SetFontStyle({fsItalic});
    From->SetHint(QStringLiteral("Kort|Lang"));
    From->SetImageIndex(2);
    From->SetIndentLevel(3);
    From->SetTag(7);
    From->SetSelected(true);
    int Clicked = 0;
    From->SetOnClick([&](TObject*) { ++Clicked; });

    TFcGroupItem* To = G->Items()->Items(2);
    To->Assign(From);
    EXPECT_EQ(To->Caption(), QStringLiteral("A"));
    EXPECT_EQ(To->DisabledIndex(), 4);
    EXPECT_FALSE(To->Enabled());
    EXPECT_EQ(To->FontColor(), clRed);
    EXPECT_EQ(To->FontStyle(), TFontStyles{fsItalic});
    EXPECT_EQ(To->Hint(), QStringLiteral("Kort|Lang"));
    EXPECT_EQ(To->ImageIndex(), 2);
    EXPECT_FALSE(To->Selected());
    EXPECT_EQ(To->IndentLevel(), 0);
    EXPECT_EQ(To->Tag(), 0);
    To->Click();
    EXPECT_EQ(Clicked, 1);
}

TEST(GroupItems, AnItemAssignsItselfToAnAction)
{
    TGroupPtr G = LooseGroup();
    TFcGroupItem* Item = G->Items()->Items(1);
    Item->SetHint(QStringLiteral("Tip"));
    Item->SetImageIndex(5);
    Item->SetVisible(false);
    int Ran = 0;
    Item->SetOnClick([&](TObject*) { ++Ran; });
    std::unique_ptr<TAction, TComponentDeleter> Action(new TAction(nullptr));
    Action->Assign(Item);
    EXPECT_EQ(Action->Caption(), QStringLiteral("B"));
    EXPECT_EQ(Action->Hint(), QStringLiteral("Tip"));
    EXPECT_EQ(Action->ImageIndex(), 5);
    EXPECT_FALSE(Action->Visible());
    Action->Execute();
    EXPECT_EQ(Ran, 1);
}

// --- selection ------------------------------------------------------------------------------------

TEST(GroupItemSelection, AGroupWithoutABarKeepsItsOwnSelectionUnique)
{
    TGroupPtr G = LooseGroup();
    G->SetSelectedItemIndex(2);
    EXPECT_EQ(G->SelectedItemIndex(), 2);
    EXPECT_EQ(G->SelectedItem(), G->Items()->Items(2));
    G->Items()->Items(0)->SetSelected(true);
    EXPECT_EQ(SelectedFlags(G.get()), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(G->SelectedItemIndex(), 0);
    // Out of range changes nothing; -1 clears every item.
    G->SetSelectedItemIndex(5);
    EXPECT_EQ(G->SelectedItemIndex(), 0);
    G->SetSelectedItemIndex(-1);
    EXPECT_EQ(SelectedFlags(G.get()), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(G->SelectedItemIndex(), -1);
}

TEST(GroupItemSelection, UnselectingAnotherItemLeavesTheIndexAlone)
{
    TGroupPtr G = LooseGroup();
    G->SetSelectedItemIndex(1);
    G->Items()->Items(0)->SetSelected(false);
    EXPECT_EQ(G->SelectedItemIndex(), 1);
    G->Items()->Items(1)->SetSelected(false);
    EXPECT_EQ(G->SelectedItemIndex(), -1);
}

TEST(GroupItemSelection, AStreamedSelectionCanBeCleared)
{
    TGroupPtr G(new TFcGroup(nullptr));
    ReadComponentFromText(R"(object G: TFcGroup
  Items = <
    item
      Caption = 'A'
    end
    item
      Caption = 'B'
      Selected = True
    end>
  Opened = True
  DividerVisible = False
end
)",
                          G.get(), QStringLiteral("group.form"));
    EXPECT_EQ(G->SelectedItemIndex(), 1);
    G->SetSelectedItemIndex(-1);
    EXPECT_FALSE(G->Items()->Items(1)->Selected());
}

TEST(GroupItemSelection, DeletingItemsMovesTheSelectedIndex)
{
    const struct {
        int Deleted;
        int After;
    } Cases[] = {{1, -1}, {0, 0}, {2, 1}};
    for (const auto& C : Cases) {
        TGroupPtr G = LooseGroup();
        G->SetSelectedItemIndex(1);
        G->Items()->Delete(C.Deleted);
        EXPECT_EQ(G->SelectedItemIndex(), C.After) << "deleting item " << C.Deleted;
    }
}

TEST_F(GroupBarFixture, UniqueSelectionReachesTheGroupsThatShowItOnEveryBarOfTheParent)
{
    auto* Other = new TFcGroupBar(Form);
    Other->SetParent(Form);
    TFcGroup* A = AddGroup("A", {"A1", "A2"});
    TFcGroup* B = AddGroup("B", {"B1"});
    auto* C = new TFcGroup(Form);
    AddItem(C, "C1");
    C->SetGroupBar(Other);
    auto* Hidden = new TFcGroup(Form);
    AddItem(Hidden, "H1");
    Hidden->SetGroupBar(Other);
    for (TFcGroup* G : {A, B, C})
        G->SetShowItemSelection(true);
    for (TFcGroup* G : {A, B, C, Hidden})
        G->Items()->Items(0)->SetSelected(true);

    // Without UniqueItemSelection every group keeps its own.
    EXPECT_TRUE(A->Items()->Items(0)->Selected());
    Bar->SetUniqueItemSelection(true);
    // Switching it on clears every selection of the bar.
    EXPECT_EQ(A->SelectedItemIndex(), -1);
    EXPECT_FALSE(B->Items()->Items(0)->Selected());

    C->Items()->Items(0)->SetSelected(true);
    Hidden->Items()->Items(0)->SetSelected(true);
    A->Items()->Items(1)->SetSelected(true);
    EXPECT_TRUE(A->Items()->Items(1)->Selected());
    EXPECT_FALSE(C->Items()->Items(0)->Selected());
    // A group that does not show its selection keeps it.
    EXPECT_TRUE(Hidden->Items()->Items(0)->Selected());
}

TEST_F(GroupBarFixture, SelectingAgainRepeatsTheWholeProtocol)
{
    auto* G = new TNoticeCountingGroup(Form);
    AddItem(G, "X");
    G->SetGroupBar(Bar);
    G->SetShowItemSelection(true);
    Bar->SetUniqueItemSelection(true);
    G->Items()->Items(0)->SetSelected(true);
    G->Items()->Items(0)->SetSelected(true);
    // Each time the bar passes the parent's broadcast on to the group.
    EXPECT_EQ(G->Notices, 2);
}

// --- actions ----------------------------------------------------------------------------------------------

namespace {

struct GroupItemActions : ::testing::Test {
    TGroupPtr Group = LooseGroup();
    std::unique_ptr<TActionList, TComponentDeleter> List{new TActionList(nullptr)};
    TAction* Open = new TAction(List.get());
    int Executed = 0;
    void SetUp() override
    {
        Open->SetActionList(List.get());
        Open->SetCaption(QStringLiteral("Openen"));
        Open->SetHint(QStringLiteral("Open een bestand"));
        Open->SetImageIndex(3);
        Open->SetOnExecute([this](TObject*) { ++Executed; });
    }
    TFcGroupItem* Item(int Index) const { return Group->Items()->Items(Index); }
};

} // namespace

TEST_F(GroupItemActions, ALinkedActionGivesItsValuesAndKeepsThemOutOfTheDefinition)
{
    Item(0)->SetAction(Open);
    EXPECT_EQ(Item(0)->Caption(), QStringLiteral("Openen"));
    EXPECT_EQ(Item(0)->Hint(), QStringLiteral("Open een bestand"));
    EXPECT_EQ(Item(0)->ImageIndex(), 3);
    EXPECT_TRUE(Item(0)->IsClickable());
    for (bool Stored : {Item(0)->IsCaptionStored(), Item(0)->IsHintStored(), Item(0)->IsImageIndexStored(),
                        Item(0)->IsEnabledStored(), Item(0)->IsOnClickStored()})
        EXPECT_FALSE(Stored);
    // Changes of the action follow; a value set on the item stops following.
    Open->SetEnabled(false);
    EXPECT_FALSE(Item(0)->Enabled());
    Item(0)->SetCaption(QStringLiteral("Eigen"));
    EXPECT_TRUE(Item(0)->IsCaptionStored());
    Open->SetCaption(QStringLiteral("Anders"));
    // The action's change notice hands every value over again.
    EXPECT_EQ(Item(0)->Caption(), QStringLiteral("Anders"));
}

TEST_F(GroupItemActions, ClickRunsTheItemsOwnHandlerElseTheActionElseOnClick)
{
    int Own = 0;
    Item(0)->SetAction(Open);
    Item(0)->Click();
    EXPECT_EQ(Executed, 1);
    Item(0)->SetOnClick([&](TObject* Sender) {
        EXPECT_EQ(Sender, Item(0));
        ++Own;
    });
    Item(0)->Click();
    EXPECT_EQ(Own, 1);
    EXPECT_EQ(Executed, 1);
    EXPECT_TRUE(Item(0)->IsOnClickStored());
    Item(0)->SetAction(nullptr);
    Item(0)->Click();
    EXPECT_EQ(Own, 2);
}

TEST_F(GroupItemActions, TheCountOfItemsWithActionsChangesOnlyBetweenNoneAndSome)
{
    TAction* Other = new TAction(List.get());
    const auto Client = [this] { return Group->ControlStyle().Contains(csActionClient); };
    Item(0)->SetAction(Open);
    Item(0)->SetAction(Other);
    Item(1)->SetAction(Open);
    EXPECT_TRUE(Client());
    Item(0)->SetAction(nullptr);
    Item(0)->SetAction(nullptr);
    EXPECT_TRUE(Client()) << "one item still has an action";
    // An item that goes gives its count back.
    Group->Items()->Delete(1);
    EXPECT_FALSE(Client());
    Item(0)->SetAction(Other);
    EXPECT_TRUE(Client());
    Other->Free();
    EXPECT_EQ(Item(0)->Action(), nullptr);
    EXPECT_FALSE(Client());
}

TEST_F(GroupItemActions, TheHintShowsTheActionsShortcutWhenTheApplicationShowsThem)
{
    Open->SetShortCut(TextToShortCut(QStringLiteral("Ctrl+O")));
    Item(0)->SetAction(Open);
    const struct {
        const char* Hint;
        bool ShortCuts;
        const char* Shown;
    } Cases[] = {{"Open", true, "Open (Ctrl+O)"}, {"", true, ""}, {"Open", false, "Open"}};
    for (const auto& C : Cases) {
        Application->SetHintShortCuts(C.ShortCuts);
        String Hint = QString::fromLatin1(C.Hint);
        EXPECT_TRUE(Item(0)->ActionLink()->DoShowHint(Hint));
        EXPECT_EQ(Hint, QString::fromLatin1(C.Shown));
    }
    Application->SetHintShortCuts(true);
}

TEST_F(GroupBarFixture, TheIdleUpdateOfTheFormReachesTheItemsActions)
{
    TFcGroup* G = AddGroup("G");
    auto* Action = new TAction(Form);
    Action->SetCaption(QStringLiteral("Opslaan"));
    bool CanSave = false;
    Action->SetOnExecute([](TObject*) {});
    Action->SetOnUpdate([&](TObject*) { Action->SetEnabled(CanSave); });
    TFcGroupItem* Item = G->Items()->Add();
    Item->SetAction(Action);
    Form->UpdateActions();
    EXPECT_FALSE(Item->Enabled());
    CanSave = true;
    Form->UpdateActions();
    EXPECT_TRUE(Item->Enabled());
}

// --- actions linked while a form loads --------------------------------------------------------------

class TItemActionsForm : public TForm {
public:
    explicit TItemActionsForm(TComponent* AOwner) : TForm(AOwner) {}
    TFcGroup* Group1 = nullptr;
};

REGISTER_COMPONENT(TItemActionsForm, TForm)
    PUBLISHED_FIELD(Group1)
END_REGISTER

TEST(GroupItemActionsLoading, ATypedCaptionStaysAndAnUnsetOneFollowsTheAction)
{
    auto Form = ReadRoot<TItemActionsForm>(R"(object ItemActionsForm: TItemActionsForm
  object ActionList1: TActionList
    object ActionOpen: TAction
      Caption = 'Openen'
      Hint = 'Actie'
    end
  end
  object GroupBar1: TFcGroupBar
    GroupBorderSize = 8
    object Group1: TFcGroup
      Items = <
        item
          Action = ActionOpen
          Caption = 'Eigen tekst'
        end
        item
          Action = ActionOpen
        end>
      Opened = True
      DividerVisible = False
    end
  end
end
)");
    TFcGroupItems* Items = Form->Group1->Items();
    EXPECT_EQ(Items->Items(0)->Caption(), QStringLiteral("Eigen tekst"));
    EXPECT_EQ(Items->Items(1)->Caption(), QStringLiteral("Openen"));
    EXPECT_EQ(Items->Items(1)->Hint(), QStringLiteral("Actie"));
    // Written back, the typed caption stays and the action's does not.
    const QByteArray Text = WriteComponentToText(Form.get());
    EXPECT_EQ(Text.count("Caption = 'Eigen tekst'"), 1);
    EXPECT_EQ(Text.count("Caption = 'Openen'"), 1) << Text.toStdString();
}
