// Mouse input on groups: the caption toggles, a press and release on an
// item clicks it (selection on the press), the selected item's press
// ignored when asked, hot tracking one item per move, the item menus, the
// hand cursor, item hints with their short part and the action's shortcut,
// and the Outlook style's scrolling of the clicked item into view.
#include "tests/controls/lists/GroupBarTestSupport.h"

#include "platform/actions/Menus.h"
#include "platform/forms/Application.h"

namespace {

// Records the popup menus shown.
struct TMenuRecorder {
    std::vector<TPopupMenu*> Shown;
    TMenuRecorder()
    {
        SetMenuPopupHook([this](TPopupMenu* Menu, TPoint) -> TMenuItem* {
            Shown.push_back(Menu);
            return nullptr;
        });
    }
    ~TMenuRecorder() { SetMenuPopupHook({}); }
};

} // namespace

using GroupInput = GroupBarFixture;

TEST_F(GroupInput, PressingMovingOffAndReleasingSelectsButDoesNotClick)
{
    TFcGroup* G = AddGroup("G", {"Een", "Twee"});
    TFcGroupItem* Een = G->Items()->Items(0);
    const TPoint On = ItemPoint(Een);
    MouseMove(G, On);
    MouseDown(G, On);
    EXPECT_EQ(Een->HotState(), HotPressed);
    EXPECT_TRUE(Een->Selected());
    EXPECT_EQ(G->SelectedItemIndex(), 0);
    MouseMove(G, {On.X, On.Y + 60}, Qt::LeftButton);
    MouseUp(G, {On.X, On.Y + 60});
    EXPECT_EQ(Clicks["Een"], 0);
    EXPECT_FALSE(Een->Pressed());

    MouseClick(G, On);
    EXPECT_EQ(Clicks["Een"], 1);
    EXPECT_EQ(Een->HotState(), HotOver);
}

TEST_F(GroupInput, ThePressOnTheShownSelectionIsIgnoredWhenAsked)
{
    TFcGroup* G = AddGroup("G", {"Een", "Twee"});
    G->SetShowItemSelection(true);
    const TPoint On = ItemPoint(G->Items()->Items(1));
    MouseClick(G, On);
    MouseClick(G, On);
    EXPECT_EQ(Clicks["Twee"], 1);
    G->SetIgnoreSelectedItemClick(false);
    MouseClick(G, On);
    EXPECT_EQ(Clicks["Twee"], 2);
    // Without the selection shown, a selected item clicks again.
    G->SetIgnoreSelectedItemClick(true);
    G->SetShowItemSelection(false);
    MouseClick(G, On);
    EXPECT_EQ(Clicks["Twee"], 3);
}

TEST_F(GroupInput, AnItemWithoutHandlerIsNeverHotNorPressedButBecomesTheSelectedIndex)
{
    TFcGroup* G = AddGroup("G", {"~Stil", "Actief"});
    TFcGroupItem* Stil = G->Items()->Items(0);
    const TPoint On = ItemPoint(Stil);
    MouseMove(G, On);
    EXPECT_EQ(Stil->HotState(), HotNormal);
    EXPECT_NE(GetCursor(), IDC_HAND);
    MouseDown(G, On);
    EXPECT_FALSE(Stil->Pressed());
    EXPECT_FALSE(Stil->Selected());
    EXPECT_EQ(G->SelectedItemIndex(), 0);
    MouseUp(G, On);
}

TEST_F(GroupInput, ADisabledItemIsHoveredButNotPressed)
{
    TFcGroup* G = AddGroup("G", {"Uit"});
    TFcGroupItem* Uit = G->Items()->Items(0);
    Uit->SetEnabled(false);
    const TPoint On = ItemPoint(Uit);
    MouseMove(G, On);
    EXPECT_EQ(Uit->HotState(), HotOver);
    EXPECT_EQ(G->HotItem(), Uit);
    MouseClick(G, On);
    EXPECT_EQ(Clicks["Uit"], 0);
    EXPECT_EQ(G->SelectedItemIndex(), -1);
}

TEST_F(GroupInput, HotTrackingMovesOneItemPerMouseMove)
{
    TFcGroup* G = AddGroup("G", {"Een", "Twee"});
    TFcGroupItem* Een = G->Items()->Items(0);
    TFcGroupItem* Twee = G->Items()->Items(1);
    std::vector<TFcGroupItem*> Over;
    G->SetOnMouseOverItem([&](TObject*, TFcGroupItem* Item) { Over.push_back(Item); });
    const TPoint OnEen = ItemPoint(Een), OnTwee = ItemPoint(Twee);
    MouseMove(G, OnEen);
    MouseMove(G, OnTwee);
    EXPECT_EQ(Een->HotState(), HotNormal);
    EXPECT_EQ(Twee->HotState(), HotNormal);
    MouseMove(G, OnTwee);
    EXPECT_EQ(Twee->HotState(), HotOver);
    EXPECT_EQ(Over, (std::vector<TFcGroupItem*>{Een, Twee, Twee}));
    // Leaving the group cools everything and tells of no item.
    MouseMove(Bar, {Bar->ClientWidth() / 2, Bar->ClientHeight() - 5});
    EXPECT_EQ(Twee->HotState(), HotNormal);
    EXPECT_EQ(G->HotItem(), nullptr);
    EXPECT_EQ(Over.back(), nullptr);
}

TEST_F(GroupInput, TheCaptionToggles)
{
    TFcGroup* G = AddGroup("G", {"Een"});
    const TPoint Caption{10, 10};
    MouseMove(G, Caption);
    EXPECT_EQ(G->CaptionState(), HotOver);
    EXPECT_EQ(GetCursor(), IDC_HAND);
    MouseDown(G, Caption);
    EXPECT_EQ(G->CaptionState(), HotPressed);
    EXPECT_TRUE(Bar->Focused()) << "the bar takes the focus";
    MouseUp(G, Caption);
    EXPECT_FALSE(G->Opened());
    // Released elsewhere, nothing toggles.
    MouseDown(G, Caption);
    MouseUp(G, {10, 100});
    EXPECT_FALSE(G->Opened());
    MouseClick(G, Caption);
    EXPECT_TRUE(G->Opened());
}

TEST_F(GroupInput, ATaskListCaptionTogglesNothingAndShowsNoHand)
{
    Bar->SetStyle(gbsTaskList);
    TFcGroup* G = AddGroup("G", {"Een"});
    const int Height = G->Height();
    MouseClick(G, {10, 10});
    EXPECT_EQ(G->Height(), Height);
    EXPECT_NE(GetCursor(), IDC_HAND);
}

TEST_F(GroupInput, TheHandShowsOverClickablePlacesOnly)
{
    TFcGroup* G = AddGroup("G", {"Een", "~Stil"});
    const struct {
        TPoint At;
        bool Hand;
    } Cases[] = {
        {{10, 10}, true}, // caption of a group that can close
        {ItemPoint(G->Items()->Items(0)), true}, // item with a handler
        {ItemPoint(G->Items()->Items(1)), false}, // item without
        {{G->Width() - 10, G->Height() - 6}, false}, // empty body
    };
    for (const auto& C : Cases) {
        MouseMove(G, C.At);
        EXPECT_EQ(GetCursor() == IDC_HAND, C.Hand) << C.At.X << "," << C.At.Y;
    }
    G->SetCanClose(false);
    MouseMove(G, {12, 12});
    EXPECT_NE(GetCursor(), IDC_HAND);
}

// --- menus ------------------------------------------------------------------------------------------------

TEST_F(GroupInput, ARightClickOnAnItemShowsTheItemMenuOnlyAndNeverTheGroupsMenu)
{
    TMenuRecorder Menus;
    TFcGroup* G = AddGroup("G", {"Een"});
    auto* GroupMenu = new TPopupMenu(Form);
    G->SetPopupMenu(GroupMenu);
    TFcGroupItem* Een = G->Items()->Items(0);
    const TPoint On = ItemPoint(Een);
    MouseClick(G, On, Qt::RightButton);
    EXPECT_TRUE(Menus.Shown.empty());

    auto* ItemMenu = new TPopupMenu(Form);
    G->SetItemPopupMenu(ItemMenu);
    std::vector<TFcGroupItem*> Asked;
    G->SetOnItemPopupMenu([&](TObject*, TFcGroupItem* Item) { Asked.push_back(Item); });
    MouseClick(G, On, Qt::RightButton);
    EXPECT_EQ(Menus.Shown, std::vector<TPopupMenu*>{ItemMenu});
    EXPECT_EQ(ItemMenu->PopupComponent(), G);
    EXPECT_EQ(G->PopupItem(), Een);
    EXPECT_EQ(Asked, std::vector<TFcGroupItem*>{Een});

    // Elsewhere the group's own menu shows.
    Menus.Shown.clear();
    MouseClick(G, {G->Width() - 10, G->Height() - 6}, Qt::RightButton);
    EXPECT_EQ(Menus.Shown, std::vector<TPopupMenu*>{GroupMenu});
    // The menu going clears the group's reference.
    ItemMenu->Free();
    EXPECT_EQ(G->ItemPopupMenu(), nullptr);
}

// --- hints --------------------------------------------------------------------------------------------------

namespace {

// What CM_HINTSHOW gives for the group now: the text, or "(none)".
QString HintNow(TFcGroup* G, TRect* CursorRect = nullptr)
{
    THintInfo Info;
    Info.HintControl = G;
    Info.CursorRect = G->ClientRect();
    Info.HintStr = GetShortHint(G->Hint());
    if (G->Perform(CM_HINTSHOW, 0, PtrToLParam(&Info)) != 0)
        return QStringLiteral("(none)");
    if (CursorRect != nullptr)
        *CursorRect = Info.CursorRect;
    return Info.HintStr;
}

} // namespace

TEST_F(GroupInput, HintsNameTheHoveredItemByItsShortPart)
{
    TFcGroup* G = AddGroup("G", {"Een", "Twee"});
    G->SetHint(QStringLiteral("Groep"));
    TFcGroupItem* Een = G->Items()->Items(0);
    Een->SetHint(QStringLiteral("Kort|Lange uitleg"));
    MouseMove(G, ItemPoint(Een));
    TRect Area;
    EXPECT_EQ(HintNow(G, &Area), QStringLiteral("Kort"));
    EXPECT_EQ(Area, Een->CaptionRect());
    // The caption has the group's own hint; the empty body none.
    MouseMove(G, {10, 10});
    EXPECT_EQ(HintNow(G, &Area), QStringLiteral("Groep"));
    EXPECT_EQ(Area, Rect(0, 0, G->ClientWidth(), G->CaptionHeight()));
    MouseMove(G, {G->Width() - 10, G->Height() - 6});
    EXPECT_EQ(HintNow(G), QStringLiteral("(none)"));
}

TEST_F(GroupInput, AnItemsHintCarriesItsActionsShortcut)
{
    TFcGroup* G = AddGroup("G");
    auto* Action = new TAction(Form);
    Action->SetCaption(QStringLiteral("Openen"));
    Action->SetHint(QStringLiteral("Open een bestand|Opent een contactbestand"));
    Action->SetShortCut(TextToShortCut(QStringLiteral("Ctrl+O")));
    Action->SetOnExecute([](TObject*) {});
    TFcGroupItem* Item = G->Items()->Add();
    Item->SetAction(Action);
    MouseMove(G, ItemPoint(Item));
    EXPECT_EQ(HintNow(G), QStringLiteral("Open een bestand (Ctrl+O)"));
}

// --- the Outlook style -------------------------------------------------------------------------------------

TEST_F(GroupInput, AnOutlookGroupScrollsTheClickedItemIntoView)
{
    Bar->SetAlign(alNone);
    Bar->SetBounds(0, 0, 160, 150);
    Bar->SetStyle(gbsOutlook);
    TFcGroup* G = AddGroup("G");
    for (int I = 0; I < 10; ++I)
        AddItem(G, QStringLiteral("Regel %1").arg(I));
    ASSERT_EQ(G->Height(), 150);
    // The items are 20 high from 24 on: the seventh shows its top rows.
    Paint();
    const TRect Seventh = G->Items()->Items(6)->CaptionRect();
    ASSERT_LT(Seventh.Top, G->ClientHeight());
    MouseClick(G, {Seventh.Left + 2, Seventh.Top + 1});
    EXPECT_EQ(Clicks["Regel 6"], 1);
    // 227 for ten items is 22 each, so six fit: the seventh moves up.
    EXPECT_EQ(G->TopItemIndex(), 1);
    // A click on an item that shows moves nothing.
    Paint();
    MouseClick(G, ItemPoint(G->Items()->Items(3)));
    EXPECT_EQ(G->TopItemIndex(), 1);
    G->ScrollUp();
    EXPECT_EQ(G->TopItemIndex(), 0);
}

TEST_F(GroupInput, AClickThatRemovesItsItemScrollsNothing)
{
    Bar->SetStyle(gbsOutlook);
    TFcGroup* G = AddGroup("G", {"Weg"});
    G->Items()->Items(0)->SetOnClick([G](TObject*) { G->Items()->Delete(0); });
    MouseClick(G, ItemPoint(G->Items()->Items(0)));
    EXPECT_EQ(G->Items()->Count(), 0);
    EXPECT_EQ(G->TopItemIndex(), 0);
}

TEST_F(GroupInput, ManyHiddenItemsGiveNoAverageAndScrollNothing)
{
    Bar->SetStyle(gbsOutlook);
    TFcGroup* G = AddGroup("G", {"Zichtbaar"});
    for (int I = 0; I < 200; ++I)
        AddItem(G, QStringLiteral("Verborgen"))->SetVisible(false);
    MouseClick(G, ItemPoint(G->Items()->Items(0)));
    EXPECT_EQ(Clicks["Zichtbaar"], 1);
    EXPECT_EQ(G->TopItemIndex(), 0);
}
