// Action links: a control or menu item follows its action's properties
// until one of them is changed by hand; clicks run the action; the
// idle-time update asks each action's handlers and disables an action
// that nobody handles.
#include "platform/actions/Menus.h"
#include "platform/windows/CustomControl.h"
#include "platform/forms/Application.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Timer.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class TPlainBox : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};

struct Links : ::testing::Test {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    TActionList* List = new TActionList(Form);
    TAction* Action = new TAction(Form);
    TPlainBox* Box = new TPlainBox(Form);
    TMenuItem* Item = new TMenuItem(Form);
    int Executed = 0;
    void SetUp() override
    {
        Action->SetActionList(List);
        Action->SetCaption(QStringLiteral("Open"));
        Action->SetHint(QStringLiteral("Open a file"));
        Action->SetOnExecute([this](TObject*) { ++Executed; });
        Box->SetParent(Form);
        Box->SetAction(Action);
        Item->SetAction(Action);
    }
    void TearDown() override { Form->Free(); }
};

// One property each: the action's setter, the client's setter and getter.
struct TLinked {
    const char* Name;
    std::function<void(TAction*, int)> SetOnAction;
    std::function<void(TPlainBox*, int)> SetOnBox;
    std::function<int(TPlainBox*)> OfBox;
    bool Flag = false;
    // What the client shows for V (flags show V's lowest bit).
    int Shown(int V) const { return Flag ? V % 2 : V; }
};

QString Text(int V)
{
    return QStringLiteral("t%1").arg(V);
}

const TLinked ControlProperties[] = {
    {"Caption", [](TAction* A, int V) { A->SetCaption(Text(V)); }, [](TPlainBox* B, int V) { B->SetCaption(Text(V)); },
     [](TPlainBox* B) { return B->Caption().mid(1).toInt(); }},
    {"Hint", [](TAction* A, int V) { A->SetHint(Text(V)); }, [](TPlainBox* B, int V) { B->SetHint(Text(V)); },
     [](TPlainBox* B) { return B->Hint().mid(1).toInt(); }},
    {"Enabled", [](TAction* A, int V) { A->SetEnabled(V % 2 != 0); },
     [](TPlainBox* B, int V) { B->SetEnabled(V % 2 != 0); }, [](TPlainBox* B) { return B->Enabled() ? 1 : 0; }, true},
    {"Visible", [](TAction* A, int V) { A->SetVisible(V % 2 != 0); },
     [](TPlainBox* B, int V) { B->SetVisible(V % 2 != 0); }, [](TPlainBox* B) { return B->Visible() ? 1 : 0; }, true},
    {"HelpContext", [](TAction* A, int V) { A->SetHelpContext(V); }, [](TPlainBox* B, int V) { B->SetHelpContext(V); },
     [](TPlainBox* B) { return B->HelpContext(); }},
};

TEST_F(Links, AControlFollowsEachPropertyUntilItIsChangedByHand)
{
    EXPECT_EQ(Box->Caption(), QStringLiteral("Open"));
    EXPECT_EQ(Box->Hint(), QStringLiteral("Open a file"));
    for (const TLinked& P : ControlProperties) {
        SCOPED_TRACE(P.Name);
        P.SetOnAction(Action, 2);
        EXPECT_EQ(P.OfBox(Box), P.Shown(2)) << "follows";
        P.SetOnAction(Action, 3);
        EXPECT_EQ(P.OfBox(Box), P.Shown(3)) << "follows";
        P.SetOnBox(Box, 4);
        P.SetOnAction(Action, 5);
        EXPECT_EQ(P.OfBox(Box), P.Shown(4)) << "changed by hand: stays";
    }
    // Properties still linked keep following while others stopped.
    Box->SetCaption(QStringLiteral("Mine"));
    Action->SetHint(QStringLiteral("t9"));
    Action->SetCaption(QStringLiteral("Theirs"));
    EXPECT_EQ(Box->Caption(), QStringLiteral("Mine"));
}

TEST_F(Links, AMenuItemFollowsItsActionUntilChangedByHand)
{
    EXPECT_EQ(Item->Caption(), QStringLiteral("Open"));
    Action->SetShortCut(TShortCut(unsigned(scCtrl) | 'O'));
    Action->SetChecked(true);
    Action->SetImageIndex(4);
    EXPECT_EQ(Item->ShortCut(), TShortCut(unsigned(scCtrl) | 'O'));
    EXPECT_TRUE(Item->Checked());
    EXPECT_EQ(Item->ImageIndex(), 4);
    Item->SetImageIndex(1);
    Item->SetCaption(QStringLiteral("&Openen"));
    Action->SetImageIndex(5);
    Action->SetCaption(QStringLiteral("Load"));
    Action->SetChecked(false);
    EXPECT_EQ(Item->ImageIndex(), 1);
    EXPECT_EQ(Item->Caption(), QStringLiteral("&Openen"));
    EXPECT_FALSE(Item->Checked());
}

TEST_F(Links, ClicksRunTheActionUnlessTheClientHasItsOwnOnClick)
{
    Box->Click();
    Item->Click();
    EXPECT_EQ(Executed, 2);
    int Own = 0;
    Item->SetOnClick([&](TObject*) { ++Own; });
    Box->SetOnClick([&](TObject*) { ++Own; });
    Box->Click();
    Item->Click();
    EXPECT_EQ(Executed, 2);
    EXPECT_EQ(Own, 2);
    // A disabled action runs nothing.
    Box->SetOnClick({});
    Action->SetEnabled(false);
    Action->Execute();
    EXPECT_EQ(Executed, 2);
}

TEST_F(Links, AnAutoCheckItemOfAnAutoCheckActionTogglesOnce)
{
    Action->SetAutoCheck(true);
    Item->SetAutoCheck(true);
    Item->Click();
    EXPECT_TRUE(Action->Checked());
    EXPECT_TRUE(Item->Checked());
    Item->Click();
    EXPECT_FALSE(Action->Checked());
    EXPECT_FALSE(Item->Checked());
}

TEST_F(Links, AWindowedControlGetsTheWindowedLinkAndTheLinkGoesWithTheAction)
{
    EXPECT_NE(dynamic_cast<TWinControlActionLink*>(Box->ActionLink()), nullptr);
    Action->Free();
    EXPECT_EQ(Box->Action(), nullptr);
    EXPECT_EQ(Item->Action(), nullptr);
}

TEST_F(Links, AnActionNobodyHandlesDisablesItselfButNeverEnablesItself)
{
    auto* Orphan = new TAction(Form);
    Orphan->SetActionList(List);
    // Disabled in the definition, with a handler: stays disabled.
    Action->SetEnabled(false);
    List->UpdateActions();
    EXPECT_FALSE(Orphan->Enabled());
    EXPECT_FALSE(Action->Enabled());
    Action->SetEnabled(true);
    List->UpdateActions();
    EXPECT_TRUE(Action->Enabled());
    // A list that handles the update decides alone.
    Orphan->SetEnabled(true);
    List->SetOnUpdate([](TBasicAction*, bool& Handled) { Handled = true; });
    List->UpdateActions();
    EXPECT_TRUE(Orphan->Enabled());
}

TEST_F(Links, TheListRunsItsOwnOnExecuteFirst)
{
    QStringList Seen;
    List->SetOnExecute([&](TBasicAction* A, bool& Handled) {
        Seen << A->Name();
        Handled = A == Action;
    });
    Action->SetName(QStringLiteral("ActionOpen"));
    Action->Execute();
    EXPECT_EQ(Seen, QStringList({"ActionOpen"}));
    EXPECT_EQ(Executed, 0);
}

TEST_F(Links, TheApplicationsIdleTimeUpdatesTheActionsOfShownForms)
{
    int Updates = 0;
    Action->SetOnUpdate([&](TObject*) {
        ++Updates;
        Action->SetEnabled(false);
    });
    Form->Show();
    // The idle time comes when the queue is empty, however long showing the
    // form keeps it busy on a loaded machine; a ticking timer ends each wait
    // that follows it.
    TTimer Wake(nullptr);
    Wake.SetInterval(1);
    Wake.SetOnTimer([](TObject*) {});
    for (int I = 0; I < 100000 && Updates == 0; ++I)
        Application->HandleMessage();
    EXPECT_GE(Updates, 1);
    EXPECT_FALSE(Box->Enabled());
    EXPECT_FALSE(Item->Enabled());
}

TEST_F(Links, ActionListImagesAreForgottenWhenTheImagesGo)
{
    auto* Images = new TImageList(Form);
    // The handler outlives the test's body: the list still changes as the
    // form is freed in TearDown, so the count is not a local of the body.
    const auto Changes = std::make_shared<int>(0);
    List->SetOnChange([Changes](TObject*) { ++*Changes; });
    List->SetImages(Images);
    QImage Pixel(16, 16, QImage::Format_ARGB32);
    Pixel.fill(Qt::red);
    Images->AddImage(Pixel);
    EXPECT_GE(*Changes, 2);
    Images->Free();
    EXPECT_EQ(List->Images(), nullptr);
}

} // namespace
