// The page control and its sheets: showing the page of the chosen tab
// before the change events, the default page after loading, Ctrl+Tab past
// hidden and disabled pages, closing and reordering pages, hidden tabs,
// freed windows of hidden pages, colours, the page's own Visible, and
// docking a control onto a page of its own.
#include "controls/lists/FcTabButtons.h"
#include "platform/classes/TypInfo.h"
#include "platform/stdctrls/ExtCtrls.h"
#include "tests/controls/lists/TabTestSupport.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/FormTextHelpers.h"

#include <QLineEdit>

namespace {

QStringList GLog;

// A form whose handlers log, for definitions that name them.
class TPagesForm : public TForm {
public:
    explicit TPagesForm(TComponent* AOwner) : TForm(AOwner) {}
    void PagesChanging(TObject*, int NewIndex, bool&) { GLog << QStringLiteral("changing %1").arg(NewIndex); }
    void PagesChange(TObject*) { GLog << QStringLiteral("change"); }
    void PagesPageChange(TObject*) { GLog << QStringLiteral("pagechange"); }
};

// An embedded Qt editor, as an edit box is.
class TLineEditHost : public TWinControl {
public:
    explicit TLineEditHost(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

protected:
    QWidget* CreateHostedWidget() override { return new QLineEdit; }
};

struct PageControl : TTabFixture {
    QStringList& Log = GLog;
    void SetUp() override
    {
        TTabFixture::SetUp();
        GLog.clear();
    }
    void Logged(TFcPageControl* P)
    {
        P->SetOnChanging([](TObject*, int NewIndex, bool&) { GLog << QStringLiteral("changing %1").arg(NewIndex); });
        P->SetOnChange([](TObject*) { GLog << QStringLiteral("change"); });
        P->SetOnPageChange([](TObject*) { GLog << QStringLiteral("pagechange"); });
    }
    TFcPageControl* Shown3()
    {
        TFcPageControl* P = NewPages(Bounds(10, 10, 360, 220), {"&Alpha", "&Beta", "&Gamma"});
        P->SetActivePageIndex(0);
        Logged(P);
        Form->Show();
        Shown(P);
        return P;
    }
};

const char* const ThreePages = "object F: TPagesForm\n"
                               "  Width = 400\n"
                               "  Height = 300\n"
                               "  object Pages: TFcPageControl\n"
                               "    Left = 10\n"
                               "    Top = 10\n"
                               "    Width = 360\n"
                               "    Height = 220\n"
                               "    %1\n"
                               "    OnChanging = PagesChanging\n"
                               "    OnChange = PagesChange\n"
                               "    OnPageChange = PagesPageChange\n"
                               "    object A: TFcTabSheet\n"
                               "      Caption = 'A'\n"
                               "    end\n"
                               "    object B: TFcTabSheet\n"
                               "      Caption = 'B'\n"
                               "    end\n"
                               "    object C: TFcTabSheet\n"
                               "      Caption = 'C'\n"
                               "    end\n"
                               "  end\n"
                               "end\n";

QByteArray PagesDefinition(const char* Active)
{
    return QString::fromLatin1(ThreePages).arg(QString::fromLatin1(Active)).toUtf8();
}

} // namespace

REGISTER_COMPONENT(TPagesForm, TForm)
    PUBLISHED_METHOD(PagesChanging)
    PUBLISHED_METHOD(PagesChange)
    PUBLISHED_METHOD(PagesPageChange)
END_REGISTER

TEST_F(PageControl, ChoosingATabShowsItsPageBeforeTheChangeEvents)
{
    TFcPageControl* P = Shown3();
    TFcTabSheet* Beta = Page(P, 1);
    P->SetOnChanging([&](TObject*, int, bool&) {
        EXPECT_FALSE(Beta->Visible());
        GLog << "changing";
    });
    P->SetOnChange([&](TObject*) {
        EXPECT_TRUE(Beta->Visible());
        EXPECT_EQ(P->ActivePage(), Beta);
        GLog << "change";
    });
    MouseClick(P, TabCentre(P, 1));
    EXPECT_EQ(Log, QStringList({"changing", "change", "pagechange"}));
    EXPECT_FALSE(Page(P, 0)->Visible());
    EXPECT_EQ(P->ActivePageIndex(), 1);
}

TEST_F(PageControl, ARefusedChangeKeepsTheOldPage)
{
    TFcPageControl* P = Shown3();
    P->SetOnChanging([](TObject*, int, bool& Allow) { Allow = false; });
    MouseClick(P, TabCentre(P, 2));
    P->SetActivePage(Page(P, 1));
    EXPECT_EQ(P->ActivePage(), Page(P, 0));
    EXPECT_TRUE(Page(P, 0)->Visible());
    EXPECT_FALSE(Page(P, 1)->Visible()) << "a refused page is not left showing";
    EXPECT_EQ(P->TabIndex(), 0);
    // Nor is a page whose tab is disabled.
    P->SetOnChanging(nullptr);
    Page(P, 2)->SetTabEnabled(false);
    P->SetActivePage(Page(P, 2));
    EXPECT_EQ(P->ActivePage(), Page(P, 0));
    EXPECT_FALSE(Page(P, 2)->Visible());
}

TEST_F(PageControl, TheDefaultPageShowsAfterLoadingWithoutEvents)
{
    const auto Form = ReadRoot<TPagesForm>(PagesDefinition("ActivePage = B\n    ActivePageDefault = C"));
    auto* P = dynamic_cast<TFcPageControl*>(Form->FindComponent(QStringLiteral("Pages")));
    ASSERT_NE(P, nullptr);
    EXPECT_EQ(P->ActivePage()->Name(), QStringLiteral("C"));
    EXPECT_EQ(P->TabIndex(), 2);
    EXPECT_FALSE(P->Pages(1)->Visible());
    EXPECT_TRUE(P->Pages(2)->Visible());
    EXPECT_TRUE(GLog.isEmpty()) << GLog.join(QLatin1Char(',')).toStdString();
    // Without a default the streamed page shows, quietly as well.
    const auto Plain = ReadRoot<TPagesForm>(PagesDefinition("ActivePage = B"));
    auto* Q = dynamic_cast<TFcPageControl*>(Plain->FindComponent(QStringLiteral("Pages")));
    EXPECT_EQ(Q->ActivePage()->Name(), QStringLiteral("B"));
    EXPECT_EQ(Q->TabIndex(), 1);
    EXPECT_TRUE(GLog.isEmpty());
    // Events fire again once loaded.
    Q->SetActivePageIndex(0);
    EXPECT_EQ(GLog, QStringList({"changing 0", "change", "pagechange"}));
}

TEST_F(PageControl, ControlTabStepsPastHiddenAndDisabledPagesWrappingRound)
{
    TFcPageControl* P = NewPages(Bounds(10, 10, 360, 220), {"A", "B", "C", "D", "E"});
    Page(P, 1)->SetTabVisible(false);
    Page(P, 3)->SetTabEnabled(false);
    P->SetActivePageIndex(0);
    Form->Show();
    Shown(P);
    EXPECT_EQ(Page(P, 0)->TabIndex(), 0);
    EXPECT_EQ(Page(P, 1)->TabIndex(), -1);
    EXPECT_EQ(Page(P, 2)->TabIndex(), 1);
    P->SetFocus();
    const struct {
        Qt::KeyboardModifiers Mods;
        int Page;
    } Steps[] = {{Qt::ControlModifier, 2},
                 {Qt::ControlModifier, 4},
                 {Qt::ControlModifier, 0},
                 {Qt::ControlModifier | Qt::ShiftModifier, 4},
                 {Qt::ControlModifier | Qt::ShiftModifier, 2}};
    for (const auto& S : Steps) {
        PressKey(Form, Qt::Key_Tab, S.Mods);
        EXPECT_EQ(P->ActivePageIndex(), S.Page);
    }
    EXPECT_EQ(P->FindNextPage(Page(P, 2), true, true), Page(P, 4));
    EXPECT_EQ(P->FindNextPage(Page(P, 2), true, false), Page(P, 3));
}

TEST_F(PageControl, ControlTabReachesThePagesFromAnEmbeddedEditor)
{
    TFcPageControl* P = Shown3();
    auto* Edit = new TLineEditHost(Form);
    Edit->SetBounds(10, 10, 120, 24);
    Edit->SetParent(Page(P, 0));
    Edit->SetFocus();
    ASSERT_TRUE(Edit->Focused());
    PressKey(Form, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(P->ActivePageIndex(), 1);
    // A plain Tab moves the focus as usual.
    EXPECT_EQ(Log, QStringList({"changing 1", "change", "pagechange"}));
}

TEST_F(PageControl, AHiddenTabKeepsItsPageShownWithoutACurrentTab)
{
    TFcPageControl* P = Shown3();
    Page(P, 0)->SetTabVisible(false);
    EXPECT_EQ(P->ActivePage(), Page(P, 0));
    EXPECT_TRUE(Page(P, 0)->Visible());
    EXPECT_EQ(P->TabIndex(), -1);
    EXPECT_EQ(P->Tabs()->Count(), 2);
    EXPECT_TRUE(Log.isEmpty());
    // Its first control takes the focus when the page control gets it.
    auto* Edit = new TLineEditHost(Form);
    Edit->SetParent(Page(P, 0));
    auto* Other = new TLineEditHost(Form);
    Other->SetParent(Form);
    Other->SetFocus();
    P->SetFocus();
    EXPECT_TRUE(Edit->Focused());
}

TEST_F(PageControl, ClosingTheFirstTabFreesItsPageAndChoosesTheFirstOfTheRest)
{
    TFcPageControl* P = Shown3();
    P->SetShowCloseButton(true);
    P->SetOnClose([](TObject*, bool& Allow) { Allow = true; });
    Shown(P);
    TFcTabSheet* Beta = Page(P, 1);
    MouseClick(P->CloseButton(), {3, 3});
    EXPECT_EQ(P->PageCount(), 2);
    EXPECT_EQ(Form->FindComponent(QStringLiteral("Page0")), nullptr);
    EXPECT_EQ(P->ActivePage(), Beta);
    EXPECT_EQ(P->TabIndex(), 0);
    // Closing the last tab leaves no page.
    MouseClick(P->CloseButton(), {3, 3});
    MouseClick(P->CloseButton(), {3, 3});
    EXPECT_EQ(P->PageCount(), 0);
    EXPECT_EQ(P->ActivePage(), nullptr);
    EXPECT_EQ(P->TabIndex(), -1);
}

TEST_F(PageControl, ReorderingPagesTellsTheNewOrderAndChangesNoPage)
{
    TFcPageControl* P = Shown3();
    std::vector<std::pair<int, int>> Moves;
    P->SetOnTabOrderChange([&](TObject*, int Old, int New) { Moves.push_back({Old, New}); });
    TFcTabSheet* Alpha = Page(P, 0);
    Page(P, 2)->SetPageIndex(0);
    EXPECT_EQ(Moves, (std::vector<std::pair<int, int>>{{2, 0}}));
    EXPECT_EQ(Alpha->PageIndex(), 1);
    EXPECT_EQ(P->ActivePage(), Alpha);
    EXPECT_EQ(P->TabIndex(), 1);
    EXPECT_EQ(P->Tabs()->Items(0)->Caption(), QStringLiteral("&Gamma"));
    EXPECT_TRUE(Log.isEmpty());
    EXPECT_EQ(ErrorMessage<EFcTabControlError>([&] { Alpha->SetPageIndex(3); }),
              QStringLiteral("3 is an invalid PageIndex value. PageIndex must be between 0 and 2"));
    EXPECT_EQ(Alpha->PageIndex(), 1);
}

TEST_F(PageControl, APagesVisibleIsThePageControlsAlone)
{
    TFcPageControl* P = Shown3();
    EXPECT_EQ(ErrorMessage<EFcTabControlError>([&] { Page(P, 1)->SetVisible(true); }),
              QStringLiteral("You cannot change the Visible property of a page"));
    EXPECT_FALSE(Page(P, 1)->Visible());
    EXPECT_EQ(GetPropInfo(Page(P, 1), QStringLiteral("Visible")), nullptr);
    EXPECT_NE(GetPropInfo(P, QStringLiteral("Visible")), nullptr);
}

TEST_F(PageControl, PagesSayWhenTheyShowAndWhatTheyRaiseGoesToTheApplication)
{
    TFcPageControl* P = Shown3();
    QStringList Seen;
    Page(P, 0)->SetOnHide([&](TObject*) { Seen << "hide A"; });
    Page(P, 1)->SetOnShow([&](TObject*) {
        Seen << "show B";
        throw Exception(QStringLiteral("kapot"));
    });
    Application->SetOnException([&](TObject*, Exception& E) { Seen << E.Message(); });
    P->SetActivePageIndex(1);
    Application->SetOnException(nullptr);
    EXPECT_EQ(Seen, QStringList({"show B", "kapot", "hide A"}));
    EXPECT_EQ(P->ActivePageIndex(), 1);
    EXPECT_TRUE(Page(P, 1)->Visible());
}

TEST_F(PageControl, SavingResourcesFreesTheWindowsOfHiddenPages)
{
    TFcPageControl* P = Shown3();
    auto* Box = new TPanel(Form);
    Box->SetParent(Page(P, 1));
    P->SetActivePageIndex(1);
    Shown(P);
    ASSERT_TRUE(Page(P, 0)->HandleAllocated());
    P->SetSaveResources(true);
    EXPECT_FALSE(Page(P, 0)->HandleAllocated());
    EXPECT_TRUE(Page(P, 1)->HandleAllocated());
    P->SetActivePageIndex(0);
    EXPECT_FALSE(Page(P, 1)->HandleAllocated());
    EXPECT_FALSE(Box->HandleAllocated());
    P->SetActivePageIndex(1);
    Shown(P);
    EXPECT_TRUE(Page(P, 1)->HandleAllocated());
    EXPECT_TRUE(Box->HandleAllocated());
    EXPECT_EQ(Box->Parent(), Page(P, 1));
}

TEST_F(PageControl, APageOfItsOwnColourColoursTheTabsAndTheCard)
{
    TFcPageControl* P = Shown3();
    EXPECT_FALSE(P->UseColoredTabs());
    Page(P, 1)->SetColor(clYellow);
    EXPECT_TRUE(P->UseColoredTabs());
    EXPECT_EQ(P->Tabs()->Items(1)->Color(), clYellow);
    P->SetActivePageIndex(1);
    // The current tab and the page show the page's colour.
    const QImage I = Shown(P);
    const TRect Tab = P->TabClientRect(1);
    EXPECT_TRUE(PixelIs(I, Tab.Left + 3, Tab.Bottom - 1, ColorToRGB(clYellow)));
    const TRect Display = P->DisplayRect();
    EXPECT_TRUE(PixelIs(I, Display.Left + 5, Display.Bottom - 5, ColorToRGB(clYellow)));
    // Back to plain tabs: the pages follow the control's colour.
    P->SetUseColoredTabs(false);
    P->SetColor(clAqua);
    for (int I = 0; I < 3; ++I)
        EXPECT_EQ(Page(P, I)->Color(), clAqua);
}

TEST_F(PageControl, AnIndexOutsideThePagesShowsNoPage)
{
    TFcPageControl* P = Shown3();
    for (int Bad : {3, -1, 99}) {
        P->SetActivePageIndex(1);
        P->SetActivePageIndex(Bad);
        EXPECT_EQ(P->ActivePage(), nullptr);
        EXPECT_FALSE(Page(P, 1)->Visible());
        EXPECT_EQ(P->TabIndex(), -1);
    }
    // A page of another control is not taken.
    TFcPageControl* Other = NewPages(Bounds(0, 0, 100, 100), {"X"});
    P->SetActivePageIndex(0);
    P->SetActivePage(Page(Other, 0));
    EXPECT_EQ(P->ActivePageIndex(), 0);
}

TEST_F(PageControl, AFormGoingTakesItsPagesWithoutPageChanges)
{
    TForm* Other = CreateNewForm<TForm>(nullptr);
    auto* P = new TFcPageControl(Other);
    P->SetParent(Other);
    for (int I = 0; I < 3; ++I) {
        auto* S = new TFcTabSheet(Other);
        S->SetPageControl(P);
    }
    P->SetActivePageIndex(2);
    int Changes = 0;
    P->SetOnPageChange([&](TObject*) { ++Changes; });
    P->SetOnChange([&](TObject*) { ++Changes; });
    Other->Show();
    Other->Free();
    EXPECT_EQ(Changes, 0);
}

TEST_F(PageControl, ADockedControlGetsAPageAndADoubleClickFloatsItAgain)
{
    TFcPageControl* P = Shown3();
    P->SetDockSite(true);
    auto* Client = new TPanel(Form);
    Client->SetBounds(0, 0, 80, 60);
    Client->SetParent(Form);
    Client->SetDragKind(dkDock);
    Client->ManualDock(P);
    ASSERT_EQ(P->PageCount(), 4);
    TFcTabSheet* Docked = Page(P, 3);
    EXPECT_EQ(Client->Parent(), Docked);
    EXPECT_EQ(Client->HostDockSite(), P);
    EXPECT_EQ(Client->Align(), alClient);
    EXPECT_EQ(P->ActivePage(), Docked);
    // Its caption's first line is the tab's; hiding it hides the tab.
    Client->SetCaption(QStringLiteral("Eerste\r\nTweede"));
    EXPECT_EQ(Docked->Caption(), QStringLiteral("Eerste"));
    Client->Hide();
    EXPECT_FALSE(Docked->TabVisible());
    Client->Show();
    EXPECT_TRUE(Docked->TabVisible());
    // Once docked it cannot dock again.
    TRect Influence;
    bool CanDock = true;
    P->GetSiteInfo(Client, Influence, {0, 0}, CanDock);
    EXPECT_FALSE(CanDock);
    Shown(P);
    EXPECT_EQ(P->DockClientAt(TabCentre(P, 3)), Client);
    EXPECT_EQ(P->DockClientAt(TabCentre(P, 0)), nullptr);
    P->SetDblClickUndocks(true);
    P->Perform(WM_LBUTTONDBLCLK, 0, PointToLParam(TabCentre(P, 3)));
    EXPECT_EQ(P->PageCount(), 3);
    EXPECT_EQ(Client->HostDockSite(), nullptr);
    EXPECT_NE(Client->Parent(), Docked);
    EXPECT_EQ(P->ActivePageIndex(), 0);
}

TEST_F(PageControl, ADockedFormIsCaptionedByItsFirstLineAndFloatsAgainOnADoubleClick)
{
    TFcPageControl* P = Shown3();
    P->SetDockSite(true);
    TForm* Tool = CreateNewForm<TForm>(nullptr);
    Tool->SetCaption(QStringLiteral("Notities"));
    Tool->SetBounds(300, 300, 200, 150);
    Tool->SetDragKind(dkDock);
    Tool->Show();
    Tool->ManualDock(P);
    ASSERT_EQ(P->PageCount(), 4);
    TFcTabSheet* Docked = Page(P, 3);
    EXPECT_EQ(Docked->Caption(), QStringLiteral("Notities"));
    EXPECT_EQ(P->ActivePage(), Docked);
    EXPECT_EQ(Tool->Parent(), Docked);
    Tool->SetCaption(QStringLiteral("Notities\nbij het adres"));
    EXPECT_EQ(P->Tabs()->Items(3)->Caption(), QStringLiteral("Notities"));
    Shown(P);
    P->Perform(WM_LBUTTONDBLCLK, 0, PointToLParam(TabCentre(P, 3)));
    EXPECT_EQ(P->PageCount(), 3);
    EXPECT_EQ(Tool->Parent(), nullptr);
    EXPECT_EQ(Tool->HostDockSite(), nullptr);
    Tool->Free();
}
