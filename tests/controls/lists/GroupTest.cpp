// A group: opening and closing by the rules of its bar's style with the
// vetoes and events, the property rules (caption height, default colours,
// the opened height of an empty group, the group index, the parent it
// accepts), restyling by the bar, and the height its items need,
// separators included.
#include "tests/controls/lists/GroupBarTestSupport.h"
#include "tests/support/ErrorMessages.h"

#include "platform/actions/ImgList.h"
#include "platform/stdctrls/ExtCtrls.h"

namespace {

// Records the group events in order.
struct TEventLog {
    QStringList Events;
    bool AllowClose = true;
    bool AllowOpen = true;
    void Watch(TFcGroup* G)
    {
        const QString Name = G->Caption();
        G->SetOnCanClose([this, Name](TObject*, bool& Can) {
            Events << "CanClose " + Name;
            Can = AllowClose;
        });
        G->SetOnCanOpen([this, Name](TObject*, bool& Can) {
            Events << "CanOpen " + Name;
            Can = AllowOpen;
        });
        G->SetOnClose([this, Name](TObject*) { Events << "Close " + Name; });
        G->SetOnOpen([this, Name](TObject*) { Events << "Open " + Name; });
    }
};

} // namespace

using GroupOpening = GroupBarFixture;

TEST_F(GroupOpening, ACategoryGroupOpensAndClosesWithItsEventsAndAVeto)
{
    TFcGroup* A = AddGroup("A", {"a1", "a2"});
    TEventLog Log;
    Log.Watch(A);
    const int OpenHeight = A->Height();
    A->Close();
    EXPECT_FALSE(A->Opened());
    EXPECT_EQ(A->Height(), A->CaptionHeight());
    A->Open();
    EXPECT_EQ(A->Height(), OpenHeight);
    EXPECT_EQ(Log.Events, (QStringList{"CanClose A", "Close A", "CanOpen A", "Open A"}));

    // A veto leaves the state and the layout and fires nothing else.
    Log.Events.clear();
    Log.AllowClose = false;
    A->Close();
    EXPECT_TRUE(A->Opened());
    EXPECT_EQ(A->Height(), OpenHeight);
    EXPECT_EQ(Log.Events, QStringList{"CanClose A"});
}

TEST_F(GroupOpening, ACategoryGroupThatCannotCloseCanNeitherBeClosedNorOpened)
{
    TFcGroup* A = AddGroup("A", {"a1"});
    A->Close();
    A->SetCanClose(false);
    // Not closable means open first.
    EXPECT_TRUE(A->Opened());
    A->Close();
    A->ToggleOpened();
    EXPECT_TRUE(A->Opened());
}

TEST_F(GroupOpening, ATaskListGroupStaysOpenWithoutEvents)
{
    Bar->SetStyle(gbsTaskList);
    TFcGroup* A = AddGroup("A", {"a1"});
    TEventLog Log;
    Log.Watch(A);
    A->SetOpened(false);
    EXPECT_TRUE(A->Opened());
    EXPECT_FALSE(A->CanClose());
    EXPECT_EQ(Log.Events, QStringList{"CanClose A"});
}

TEST_F(GroupOpening, AnOutlookGroupClosesOnlyWhenAnotherOpens)
{
    Bar->SetStyle(gbsOutlook);
    TFcGroup* A = AddGroup("A", {"a1"});
    TFcGroup* B = AddGroup("B", {"b1"});
    EXPECT_TRUE(A->Opened());
    EXPECT_FALSE(B->Opened());
    TEventLog Log;
    Log.Watch(A);
    Log.Watch(B);
    A->Close();
    EXPECT_TRUE(A->Opened());
    Log.Events.clear();
    Log.AllowClose = false; // not asked: the other group closes regardless
    B->Open();
    EXPECT_FALSE(A->Opened());
    EXPECT_TRUE(B->Opened());
    EXPECT_EQ(Log.Events, (QStringList{"CanOpen B", "Close A", "Open B"}));
}

// The Outlook style's scroll buttons: shown only for what is above or below
// the page, placed at the body's right edge, and repeating while held.
TEST_F(GroupBarFixture, OutlookScrollButtonsRepeatWhileHeldAndShowOnlyWhatIsOffThePage)
{
    Bar->SetStyle(gbsOutlook);
    std::initializer_list<QString> Many = {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11",
                                           "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22"};
    TFcGroup* G = AddGroup("G", Many);
    TFcGroup* Short = AddGroup("S", {"s1"});
    TFcRapidFireButton* Up = G->ScrollButton(0);
    TFcRapidFireButton* Down = G->ScrollButton(1);
    ASSERT_GT(G->CalcItemsHeight(G->ClientWidth()), G->ClientHeight());
    EXPECT_EQ(Up->ScrollStyle(), scsUp);
    EXPECT_EQ(Down->ScrollStyle(), scsDown);
    EXPECT_FALSE(Up->Visible()) << "nothing above the first item";
    EXPECT_TRUE(Down->Visible());
    EXPECT_EQ(Down->BoundsRect(), Bounds(G->ClientWidth() - 21, G->ClientHeight() - 21, 17, 17));
    EXPECT_EQ(Up->BoundsRect(), Bounds(G->ClientWidth() - 21, G->CaptionHeight() + 4, 17, 17));

    MouseDown(Down, {8, 8});
    EXPECT_EQ(G->TopItemIndex(), 0) << "the press alone does not scroll";
    for (int I = 0; I < 3; ++I)
        Down->RepeatTimer()->OnTimer()(Down->RepeatTimer());
    EXPECT_EQ(G->TopItemIndex(), 3);
    MouseUp(Down, {8, 8});
    EXPECT_EQ(G->TopItemIndex(), 4) << "the release clicks once more, as a speed button does";
    EXPECT_FALSE(Down->RepeatTimer()->Enabled());
    EXPECT_TRUE(Up->Visible());
    MouseClick(Up, {8, 8});
    EXPECT_EQ(G->TopItemIndex(), 3);

    // Content shorter than the page, and the other styles, show neither.
    Short->Open();
    EXPECT_FALSE(Short->ScrollButton(0)->Visible());
    EXPECT_FALSE(Short->ScrollButton(1)->Visible());
    G->Open();
    Bar->SetStyle(gbsCategoryView);
    EXPECT_FALSE(Down->Visible());
    EXPECT_FALSE(Up->Visible());
    EXPECT_EQ(G->ControlCount(), 2) << "the buttons stay the group's own children";
}

TEST_F(GroupOpening, AGroupReadBeforeItJoinsABarKeepsItsState)
{
    auto* G = new TFcGroup(Form);
    EXPECT_TRUE(G->Opened()) << "a group made in code starts open";
    G->SetOpened(false);
    EXPECT_FALSE(G->Opened());
    G->SetGroupBar(Bar);
    EXPECT_FALSE(G->Opened());
    EXPECT_EQ(G->Parent(), Bar);
}

// --- properties ---------------------------------------------------------------------------------------

TEST_F(GroupBarFixture, AnEmptyGroupOpensFiftyHighWhateverIsSet)
{
    TFcGroup* Empty = AddGroup("Leeg");
    Empty->SetOpenedHeight(120);
    EXPECT_EQ(Empty->OpenedHeight(), 50);
    EXPECT_EQ(Empty->Height(), 50);

    // A group hosting a control keeps the height it is given.
    TFcGroup* Host = AddGroup("Met paneel");
    auto* Panel = new TPanel(Form);
    Panel->SetParent(Host);
    Host->SetOpenedHeight(120);
    EXPECT_EQ(Host->OpenedHeight(), 120);
    EXPECT_EQ(Host->Height(), 120);
}

TEST(GroupProperties, CaptionHeightIsAtLeastSixteen)
{
    std::unique_ptr<TFcGroup, TComponentDeleter> G(new TFcGroup(nullptr));
    for (auto [Set, Read] : {std::pair{10, 16}, {16, 16}, {30, 30}, {-5, 16}}) {
        G->SetCaptionHeight(Set);
        EXPECT_EQ(G->CaptionHeight(), Read);
    }
}

TEST_F(GroupBarFixture, DefaultColoursComeBackWhenAskedFor)
{
    TFcGroup* A = AddGroup("A");
    EXPECT_EQ(A->Color(), clBtnFace);
    EXPECT_EQ(A->CaptionColor(), clHighlightText);
    A->SetCaptionColor(clRed);
    A->SetColor(clYellow);
    EXPECT_FALSE(A->CaptionColorDefault());
    EXPECT_FALSE(A->ColorDefault());
    EXPECT_TRUE(A->IsColorStored());
    A->SetCaptionColorDefault(true);
    A->SetColorDefault(true);
    EXPECT_EQ(A->CaptionColor(), clHighlightText);
    EXPECT_EQ(A->Color(), clBtnFace);
    EXPECT_TRUE(A->CaptionColorDefault());
    EXPECT_TRUE(A->ColorDefault());
    EXPECT_FALSE(A->IsColorStored());
}

TEST_F(GroupBarFixture, GroupIndexMovesTheGroupAndRefusesPositionsOutsideTheBar)
{
    TFcGroup* A = AddGroup("A");
    TFcGroup* B = AddGroup("B");
    TFcGroup* C = AddGroup("C");
    C->SetGroupIndex(0);
    EXPECT_EQ(Bar->Groups(0), C);
    EXPECT_EQ(A->GroupIndex(), 1);
    EXPECT_LT(C->Top(), A->Top());
    EXPECT_EQ(ErrorMessage<EListError>([&] { B->SetGroupIndex(3); }),
              QStringLiteral("3 is an invalid GroupIndex value. GroupIndex must be between 0 and 2"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { B->SetGroupIndex(-1); }), QStringLiteral("List index out of bounds (-1)"));
    EXPECT_EQ(B->GroupIndex(), 2);
    std::unique_ptr<TFcGroup, TComponentDeleter> Loose(new TFcGroup(nullptr));
    Loose->SetGroupIndex(4);
    EXPECT_EQ(Loose->GroupIndex(), -1);
}

TEST_F(GroupBarFixture, OnlyAGroupBarCanHoldAGroup)
{
    TFcGroup* A = AddGroup("A");
    auto* Panel = new TPanel(Form);
    Panel->SetParent(Form);
    EXPECT_EQ(ErrorMessage<EFcGroupBarError>([&] { A->SetParent(Panel); }),
              QStringLiteral("TFcGroup components can only be placed in a TFcGroupBar component"));
    EXPECT_EQ(A->Parent(), Bar);
    // Leaving the bar hides the group and takes it off the bar.
    A->SetGroupBar(nullptr);
    EXPECT_EQ(A->Parent(), nullptr);
    EXPECT_FALSE(A->Visible());
    EXPECT_EQ(Bar->GroupCount(), 0);
    // Parenting it on a bar in code joins that bar.
    A->SetParent(Bar);
    EXPECT_EQ(A->GroupBar(), Bar);
    EXPECT_EQ(Bar->GroupCount(), 1);
}

TEST_F(GroupBarFixture, TheBarsStyleRestylesItsGroups)
{
    TFcGroup* A = AddGroup("A", {"a1"});
    TFcGroup* B = AddGroup("B", {"b1"});
    B->Close();
    Bar->SetStyle(gbsTaskList);
    for (TFcGroup* G : {A, B}) {
        // Shown open whatever its flag says.
        EXPECT_EQ(G->Height(), G->CalcItemsHeight(G->Width()));
        EXPECT_FALSE(G->CanClose());
        EXPECT_TRUE(G->DividerVisible());
        EXPECT_TRUE(G->ParentColor());
        EXPECT_EQ(G->Color(), clWindow);
        EXPECT_EQ(G->CaptionFont()->Color(), clWindowText);
    }
    Bar->SetStyle(gbsOutlook);
    EXPECT_TRUE(A->Opened());
    EXPECT_FALSE(B->Opened());
    EXPECT_EQ(A->Color(), clBtnShadow);
    EXPECT_EQ(A->CaptionColor(), clBtnFace);
    EXPECT_EQ(A->CaptionFont()->Style(), TFontStyles());
    EXPECT_FALSE(A->CaptionFont()->Style().Contains(fsBold));
    Bar->SetStyle(gbsCategoryView);
    EXPECT_TRUE(B->Opened()) << "leaving the Outlook style opens the groups";
    EXPECT_TRUE(B->CanClose());
    EXPECT_FALSE(B->DividerVisible());
    EXPECT_EQ(B->CaptionFont()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(B->CaptionFont()->Color(), clHighlight);
    // Fonts and colours set for a group stay through restyling.
    B->SetColor(clAqua);
    B->CaptionFont()->SetColor(clMaroon);
    Bar->SetStyle(gbsOutlook);
    EXPECT_EQ(B->Color(), clAqua);
    EXPECT_EQ(B->CaptionFont()->Color(), clMaroon);
}

TEST_F(GroupBarFixture, AFontChangeRestylesTheCaptionAndStaticFontsUnlessSetOnTheirOwn)
{
    TFcGroup* A = AddGroup("A");
    A->Font()->SetName(QStringLiteral("Verdana"));
    EXPECT_EQ(A->CaptionFont()->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(A->CaptionFont()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(A->ItemStaticFont()->Name(), QStringLiteral("Verdana"));
    EXPECT_FALSE(A->IsCaptionFontStored());
    A->ItemStaticFont()->SetName(QStringLiteral("Tahoma"));
    EXPECT_TRUE(A->IsItemStaticFontStored());
    A->Font()->SetSize(12);
    EXPECT_EQ(A->ItemStaticFont()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(A->CaptionFont()->Size(), 12);
}

// --- separators and item heights ----------------------------------------------------------------------

namespace {

// Items as letters: 'n' a normal item, 's' a separator, 'i' an invisible
// normal item.
void FillItems(TFcGroup* G, const std::string& Items)
{
    G->Items()->Clear();
    for (char Kind : Items) {
        TFcGroupItem* Item = G->Items()->Add();
        Item->SetCaption(Kind == 's' ? QStringLiteral("-") : QStringLiteral("Regel"));
        Item->SetVisible(Kind != 'i');
    }
}

} // namespace

TEST(GroupSeparators, ARunShowsItsFirstSeparatorOnlyBetweenNormalItems)
{
    std::unique_ptr<TFcGroup, TComponentDeleter> G(new TFcGroup(nullptr));
    const struct {
        const char* Items;
        const char* Hidden; // per item: 'h' hidden separator, '.' shown or not a separator
    } Cases[] = {
        {"nssn", "..h."},   {"snn", "h.."},     {"nns", "..h"},     {"nsn", "..."},
        {"nsisn", "...h."}, {"nsiii", ".h..."}, {"nssss", ".hhhh"}, {"nisn", "...."},
    };
    for (const auto& C : Cases) {
        FillItems(G.get(), C.Items);
        std::string Hidden;
        for (int I = 0; I < G->Items()->Count(); ++I)
            Hidden += G->Items()->Items(I)->IsSeparator() && G->IsSeparatorHidden(I) ? 'h' : '.';
        EXPECT_EQ(Hidden, C.Hidden) << C.Items;
    }
}

TEST_F(GroupBarFixture, ItemHeightsSumTheShownItemsAndOneSeparatorPerRun)
{
    TFcGroup* G = AddGroup("G");
    const int W = 144;
    const auto Height = [&](const char* Items) {
        FillItems(G, Items);
        return G->CalcItemsHeight(W);
    };
    const int One = Height("n");
    EXPECT_EQ(Height(""), G->CaptionHeight());
    const struct {
        const char* Items;
        int Extra; // rows of ItemHeight more than one item
    } Cases[] = {{"nn", 1}, {"nsn", 2}, {"nssn", 2}, {"nsssn", 2}, {"sn", 0}, {"ns", 0}, {"nin", 1}, {"nsisn", 2}};
    for (const auto& C : Cases)
        EXPECT_EQ(Height(C.Items), One + C.Extra * G->ItemHeight()) << C.Items;

    // A caption that wraps takes the room of its lines.
    FillItems(G, "n");
    G->Items()->Items(0)->SetCaption(QStringLiteral("Een heel lange regel die niet op een regel past"));
    EXPECT_GT(G->CalcItemsHeight(W), One + G->ItemHeight() / 2);

    // Large items: 34 for the image area and 8 below each, 12 a separator.
    G->SetItemStyle(isLarge);
    const int LargeOne = Height("n");
    EXPECT_EQ(Height("nn") - LargeOne, G->ItemHeight() + 34 + 8);
    EXPECT_EQ(Height("nsn") - Height("nn"), 12);
}

TEST_F(GroupBarFixture, ItemTextStartsAfterTheImagesOnlyWhenAnItemHasOne)
{
    TFcGroup* G = AddGroup("G", {"a", "b"});
    EXPECT_EQ(G->ItemTextLeft(), 8);
    auto* Images = new TImageList(Form);
    Images->SetWidth(20);
    G->SetSmallImages(Images);
    EXPECT_EQ(G->ItemTextLeft(), 8);
    G->Items()->Items(1)->SetImageIndex(0);
    EXPECT_EQ(G->ItemTextLeft(), 32);
    // The bar's images serve groups without their own.
    G->SetSmallImages(nullptr);
    Bar->SetSmallImages(Images);
    EXPECT_EQ(G->EffectiveSmallImages(), Images);
    Images->Free();
    EXPECT_EQ(Bar->SmallImages(), nullptr);
    EXPECT_EQ(G->ItemTextLeft(), 8);
}
