// The group controller pushes one look to its groups: everything when a
// group joins, one property per change, everything once at the end of an
// Assign; the groups leave what it governs out of their definitions; its
// fonts follow its font unless set on their own.
#include "tests/controls/lists/GroupBarTestSupport.h"

#include "platform/classes/Filer.h"

namespace {

// Counts the calls of two of the setters the controller uses.
class TCountingGroup : public TFcGroup {
public:
    using TFcGroup::TFcGroup;
    int BorderColorSets = 0;
    int ItemHeightSets = 0;
    void SetBorderColor(TColor Value) override
    {
        ++BorderColorSets;
        TFcGroup::SetBorderColor(Value);
    }
    void SetItemHeight(int Value) override
    {
        ++ItemHeightSets;
        TFcGroup::SetItemHeight(Value);
    }
};

struct GroupControllers : GroupBarFixture {
    TFcGroupController* Controller = new TFcGroupController(Form);
    TCountingGroup* G = nullptr;
    void SetUp() override
    {
        GroupBarFixture::SetUp();
        Controller->SetName(QStringLiteral("Controller1"));
        G = new TCountingGroup(Form);
        G->SetName(QStringLiteral("Group1"));
        G->SetGroupBar(Bar);
    }
};

} // namespace

TEST_F(GroupControllers, JoiningGivesEveryValueAtOnceAndTheDefinitionLeavesThemOut)
{
    Controller->SetBorderColor(clRed);
    Controller->SetCaptionColor(clYellow);
    Controller->SetColor(clAqua);
    Controller->SetItemHeight(24);
    Controller->SetDividerVisible(true);
    Controller->SetShowItemSelection(true);
    Controller->SetIgnoreSelectedItemClick(false);
    G->SetGroupController(Controller);
    EXPECT_EQ(G->BorderColorSets, 1);
    EXPECT_EQ(G->BorderColor(), clRed);
    EXPECT_EQ(G->CaptionColor(), clYellow);
    EXPECT_EQ(G->Color(), clAqua);
    EXPECT_EQ(G->ItemHeight(), 24);
    EXPECT_TRUE(G->DividerVisible());
    EXPECT_TRUE(G->ShowItemSelection());
    EXPECT_FALSE(G->IgnoreSelectedItemClick());
    EXPECT_EQ(Controller->Groups(), std::vector<TFcGroup*>{G});

    const QByteArray Text = WriteComponentToText(Form);
    const int At = Text.indexOf("object Group1");
    const QByteArray Group = Text.mid(At, Text.indexOf("end", At) - At);
    for (const char* Left : {"BorderColor", "CaptionColor ", "ItemHeight", "DividerVisible", "ShowItemSelection",
                             "ColorDefault", "Color = clAqua"})
        EXPECT_FALSE(Group.contains(Left)) << Left << " in\n" << Group.toStdString();
    EXPECT_TRUE(Group.contains("GroupController = Controller1"));
    EXPECT_TRUE(Group.contains("IgnoreSelectedItemClick = False"));
}

TEST_F(GroupControllers, EachChangeIsPushedOnItsOwn)
{
    G->SetGroupController(Controller);
    G->BorderColorSets = G->ItemHeightSets = 0;
    Controller->SetItemHeight(30);
    Controller->SetItemHeight(30);
    EXPECT_EQ(G->ItemHeightSets, 1);
    EXPECT_EQ(G->BorderColorSets, 0);
    EXPECT_EQ(G->ItemHeight(), 30);
    Controller->SetCaptionHeight(8);
    EXPECT_EQ(Controller->CaptionHeight(), 16);
    EXPECT_EQ(G->CaptionHeight(), 16);
}

TEST_F(GroupControllers, AssignUpdatesTheGroupsOnceAtTheEnd)
{
    G->SetGroupController(Controller);
    G->BorderColorSets = G->ItemHeightSets = 0;
    std::unique_ptr<TFcGroupController, TComponentDeleter> Other(new TFcGroupController(nullptr));
    Other->SetBorderColor(clGreen);
    Other->SetItemHeight(28);
    Other->SetCaptionColor(clMaroon);
    Other->Font()->SetName(QStringLiteral("Verdana"));
    Controller->Assign(Other.get());
    EXPECT_EQ(G->BorderColorSets, 1);
    EXPECT_EQ(G->ItemHeightSets, 1);
    EXPECT_EQ(G->BorderColor(), clGreen);
    EXPECT_EQ(G->CaptionColor(), clMaroon);
    // The font is not copied; the caption font is, by value.
    EXPECT_NE(Controller->Font()->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(Controller->CaptionFont()->Name(), QStringLiteral("Verdana"));
    EXPECT_NE(Controller->CaptionFont(), Other->CaptionFont());
}

TEST_F(GroupControllers, ParentColourLeavesTheColourToTheParentUntilSwitchedOff)
{
    Controller->SetColor(clAqua);
    G->SetGroupController(Controller);
    Controller->SetParentColor(true);
    EXPECT_TRUE(G->ParentColor());
    EXPECT_EQ(G->Color(), Bar->Color());
    Controller->SetColor(clLime);
    EXPECT_EQ(G->Color(), clLime) << "a colour change is pushed on its own";
    G->SetParentColor(true);
    Controller->SetParentColor(false);
    EXPECT_FALSE(G->ParentColor());
    EXPECT_EQ(G->Color(), clLime);
}

TEST_F(GroupControllers, TheFontRestylesTheOtherFontsUnlessSetOnTheirOwnAndPushesAllThree)
{
    G->SetGroupController(Controller);
    Controller->Font()->SetName(QStringLiteral("Verdana"));
    EXPECT_EQ(Controller->CaptionFont()->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(Controller->CaptionFont()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(Controller->ItemStaticFont()->Name(), QStringLiteral("Verdana"));
    EXPECT_FALSE(Controller->IsCaptionFontStored());
    EXPECT_EQ(G->Font()->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(G->CaptionFont()->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(G->ItemStaticFont()->Name(), QStringLiteral("Verdana"));

    Controller->CaptionFont()->SetName(QStringLiteral("Tahoma"));
    EXPECT_TRUE(Controller->IsCaptionFontStored());
    Controller->Font()->SetName(QStringLiteral("Arial"));
    EXPECT_EQ(Controller->CaptionFont()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(G->CaptionFont()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(G->ItemStaticFont()->Name(), QStringLiteral("Arial"));
}

TEST_F(GroupControllers, AControllerThatGoesLetsItsGroupsGo)
{
    G->SetGroupController(Controller);
    EXPECT_FALSE(G->IsColorStored());
    Controller->Free();
    EXPECT_EQ(G->GroupController(), nullptr);
    EXPECT_TRUE(G->IsColorStored());
    // A group that goes leaves the controller's list.
    auto* Next = new TFcGroupController(Form);
    G->SetGroupController(Next);
    G->Free();
    EXPECT_TRUE(Next->Groups().empty());
}
