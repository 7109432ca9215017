// Menus: trees read from form definitions and written back, shortcuts the
// form dispatches before the focused control sees the key, popup menus on
// right click and the context-menu key, a popup whose owner goes while it
// is open, the Qt view following the items, and the main menu's bar.
#include "platform/actions/Menus.h"
#include "platform/actions/QtMenuView.h"
#include "platform/classes/Filer.h"
#include "platform/windows/CustomControl.h"
#include "platform/windows/GraphicControl.h"
#include "platform/forms/Forms.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/WindowHelpers.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

const char* const MenuFormText = R"(object MenuForm: TForm
  ClientWidth = 300
  ClientHeight = 200
  object ImagesMenu: TImageList
    Width = 4
    Height = 4
  end
  object PopupMenuMRU: TPopupMenu
    Images = ImagesMenu
    Alignment = paRight
    object MenuStandaard: TMenuItem
      Caption = 'Bestanden uit standaard datafolder'
      Checked = True
      RadioItem = True
    end
    object MenuMRU: TMenuItem
      Caption = 'Laatst gebruikte Bestanden'
      RadioItem = True
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object LeegMRUlijst: TMenuItem
      Caption = 'Leeg MRU-lijst'
      ShortCut = 16460
      ImageIndex = 0
    end
    object Meer: TMenuItem
      Caption = '&Meer'
      object Eerste: TMenuItem
        Caption = 'Eerste Adres'
        ShortCut = 16417
      end
    end
  end
  object MainMenu1: TMainMenu
    object Bestand: TMenuItem
      Caption = '&Bestand'
      object Afsluiten: TMenuItem
        Caption = 'Afsluiten'
        ShortCut = 32856
      end
    end
  end
end
)";

class TKeyLoggingBox : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    QStringList Keys;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override
    {
        Keys << QString::number(Key);
        TCustomControl::KeyDown(Key, Shift);
    }
};

class TPlainGraphic : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
};

struct Menus : ::testing::Test {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    void SetUp() override { ReadComponentFromText(MenuFormText, Form, QStringLiteral("menus.form")); }
    void TearDown() override
    {
        if (Form != nullptr)
            Form->Free();
    }
    TPopupMenu* Popup() const { return dynamic_cast<TPopupMenu*>(Form->FindComponent(QStringLiteral("PopupMenuMRU"))); }
    TMenuItem* Item(const char* Name) const
    {
        return dynamic_cast<TMenuItem*>(Form->FindComponent(QString::fromLatin1(Name)));
    }
};

TEST_F(Menus, AreBuiltFromTheDefinitionAndWrittenBackTheSame)
{
    TPopupMenu* M = Popup();
    ASSERT_NE(M, nullptr);
    ASSERT_EQ(M->Items()->Count(), 5);
    EXPECT_TRUE(Item("N1")->IsLine());
    EXPECT_EQ(Item("LeegMRUlijst")->ShortCut(), TShortCut(unsigned(scCtrl) | 'L'));
    EXPECT_EQ(Item("Eerste")->Parent(), Item("Meer"));
    EXPECT_EQ(Item("Eerste")->GetParentMenu(), M);
    EXPECT_EQ(M->Alignment(), paRight);
    EXPECT_EQ(M->Images(), Form->FindComponent(QStringLiteral("ImagesMenu")));
    EXPECT_TRUE(Item("MenuStandaard")->Checked());
    // Radio items of one group: checking one unchecks the other.
    Item("MenuMRU")->SetChecked(true);
    EXPECT_FALSE(Item("MenuStandaard")->Checked());
    Item("MenuStandaard")->SetChecked(true);
    const QByteArray Written = WriteComponentToText(Form);
    // The form writes what it owns outside its controls.
    EXPECT_TRUE(Written.contains("object PopupMenuMRU: TPopupMenu"));
    EXPECT_TRUE(Written.contains("object MainMenu1: TMainMenu"));
    // One form of a name at a time: a second would be renamed MenuForm_1.
    Form->Free();
    Form = nullptr;
    TForm* Again = CreateNewForm<TForm>(nullptr);
    ReadComponentFromText(Written, Again, QStringLiteral("again.form"));
    EXPECT_EQ(WriteComponentToText(Again), Written);
    Again->Free();
}

TEST_F(Menus, CommandsAreUniqueAndDispatchToTheirItem)
{
    EXPECT_NE(Item("MenuMRU")->Command(), Item("MenuStandaard")->Command());
    int Clicked = 0;
    Item("Eerste")->SetOnClick([&](TObject*) { ++Clicked; });
    EXPECT_TRUE(Popup()->DispatchCommand(Item("Eerste")->Command()));
    EXPECT_EQ(Clicked, 1);
    EXPECT_FALSE(Popup()->DispatchCommand(Item("Afsluiten")->Command()));
}

struct Shown : Menus {
    TKeyLoggingBox* Box = nullptr;
    TPlainGraphic* Graphic = nullptr;
    void SetUp() override
    {
        Menus::SetUp();
        Box = new TKeyLoggingBox(Form);
        Box->SetName(QStringLiteral("Box"));
        Box->SetBounds(10, 10, 100, 80);
        Box->SetParent(Form);
        Box->SetTabStop(true);
        Box->SetPopupMenu(Popup());
        Graphic = new TPlainGraphic(Form);
        Graphic->SetBounds(20, 20, 30, 30);
        Graphic->SetParent(Box);
        Form->Show();
        Box->SetFocus();
    }
};

TEST_F(Shown, TheFormDispatchesShortcutsBeforeTheFocusedControlSeesTheKey)
{
    int Cleared = 0, Closed = 0, First = 0;
    Item("LeegMRUlijst")->SetOnClick([&](TObject*) { ++Cleared; });
    Item("Afsluiten")->SetOnClick([&](TObject*) { ++Closed; });
    Item("Eerste")->SetOnClick([&](TObject*) { ++First; });
    PressKey(Form, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(Cleared, 1) << "the focused control's popup menu";
    PressKey(Form, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(First, 1) << "an item of a sub-menu";
    EXPECT_TRUE(Box->Keys.isEmpty());
    // The main menu's shortcut works once it is the form's menu.
    PressKey(Form, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(Closed, 0);
    EXPECT_EQ(Box->Keys, QStringList({"88"}));
    Form->SetMenu(dynamic_cast<TMainMenu*>(Form->FindComponent(QStringLiteral("MainMenu1"))));
    PressKey(Form, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(Closed, 1);
    // A disabled item lets the key through.
    Item("LeegMRUlijst")->SetEnabled(false);
    PressKey(Form, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(Cleared, 1);
    EXPECT_EQ(Box->Keys, QStringList({"88", "76"}));
}

TEST_F(Shown, AParentsPopupMenuShortcutRunsItsItemsAction)
{
    // The focus on a child of the box whose popup menu holds the shortcut;
    // the item runs through its action (whose shortcut it takes).
    auto* Child = new TKeyLoggingBox(Form);
    Child->SetBounds(5, 5, 30, 30);
    Child->SetParent(Box);
    Child->SetTabStop(true);
    Child->SetFocus();
    auto* Action = new TAction(Form);
    int Executed = 0;
    Action->SetOnExecute([&](TObject*) { ++Executed; });
    Action->SetShortCut(TShortCut(unsigned(scCtrl) | 'L'));
    Item("LeegMRUlijst")->SetAction(Action);
    PressKey(Form, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(Executed, 1);
    EXPECT_TRUE(Child->Keys.isEmpty());
}

TEST_F(Shown, RightClickAndTheContextKeyShowTheControlsPopupMenu)
{
    TScriptedPopupMenus Menus({QStringLiteral("Laatst gebruikte Bestanden"), QString(), QString()});
    Item("MenuMRU")->SetOnClick([this](TObject*) { Item("MenuMRU")->SetChecked(true); });
    int Popups = 0;
    Popup()->SetOnPopup([&](TObject*) { ++Popups; });
    MouseClick(Box, {70, 60}, Qt::RightButton);
    ASSERT_EQ(Menus.Shown().size(), 1u);
    EXPECT_EQ(Menus.Shown()[0].PopupComponent, Box);
    EXPECT_EQ(Menus.Shown()[0].At, Box->ClientToScreen({70, 60}));
    EXPECT_TRUE(Item("MenuMRU")->Checked()) << "the chosen item ran after the menu closed";
    PressKey(Form, Qt::Key_Menu);
    ASSERT_EQ(Menus.Shown().size(), 2u);
    EXPECT_EQ(Menus.Shown()[1].At, Box->ClientToScreen({0, 0}));
    // A graphic control with a menu of its own shows that one.
    auto* Own = new TPopupMenu(Form);
    Own->SetName(QStringLiteral("OwnMenu"));
    Graphic->SetPopupMenu(Own);
    MouseClick(Box, {25, 25}, Qt::RightButton);
    ASSERT_EQ(Menus.Shown().size(), 3u);
    EXPECT_EQ(Menus.Shown()[2].MenuName, QStringLiteral("OwnMenu"));
    EXPECT_EQ(Menus.Shown()[2].PopupComponent, Graphic);
    EXPECT_EQ(Popups, 2);
    // AutoPopup off: no menu.
    Popup()->SetAutoPopup(false);
    MouseClick(Box, {70, 60}, Qt::RightButton);
    EXPECT_EQ(Menus.Shown().size(), 3u);
}

// A menu opened by a press takes the mouse, as the classic menu mode does:
// the press's capture ends and its release, already queued, is the
// menu's; the windows do not see it.
TEST_F(Shown, AnOpeningMenuTakesTheCaptureAndTheQueuedMouseInput)
{
    TScriptedPopupMenus Menus({QString()});
    int Ups = 0;
    bool CapturedWhileOpen = true;
    Box->SetOnMouseUp([&](TObject*, TMouseButton, TShiftState, int, int) { ++Ups; });
    Menus.WhileOpen = [&](TPopupMenu*) { CapturedWhileOpen = GetCapture() != nullptr; };
    Box->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int, int) {
        ASSERT_EQ(GetCapture(), Box->Handle());
        QueueMouseUp(Box, {70, 60});
        Popup()->Popup(0, 0);
    });
    MouseDown(Box, {70, 60});
    EXPECT_EQ(Menus.Shown().size(), 1u);
    EXPECT_FALSE(CapturedWhileOpen);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Ups, 0);
}

TEST_F(Shown, APopupWhoseOwnerGoesWhileItIsOpenClosesWithoutTouchingIt)
{
    TScriptedPopupMenus Menus({QStringLiteral("Leeg MRU-lijst")});
    bool OwnerTouched = false;
    Item("LeegMRUlijst")->SetOnClick([&](TObject*) { OwnerTouched = true; });
    Popup()->SetOnClose([&](TObject*) { OwnerTouched = true; });
    Menus.WhileOpen = [&](TPopupMenu* M) {
        EXPECT_TRUE(M->Showing());
        EXPECT_EQ(ShowingPopupMenus().size(), 1u);
        Form->Free();
        Form = nullptr;
    };
    TPopupMenu* M = Popup();
    M->Popup(5, 5);
    EXPECT_FALSE(OwnerTouched);
    EXPECT_TRUE(ShowingPopupMenus().empty());
    ASSERT_EQ(Menus.Shown().size(), 1u);
}

// Popup menus look like the classic ones around them: the screen's menu
// font (Tahoma 8), the menu colours, the highlight on the active item and
// grey disabled items; sub-menus too.
TEST_F(Shown, PopupMenusAreDrawnInTheMenuFontAndTheMenuColours)
{
    QMenu Qt;
    TQtMenuView View(Popup(), &Qt);
    Item("LeegMRUlijst")->SetEnabled(false);
    for (QMenu* M : {&Qt, View.ActionOf(Item("Meer"))->menu()}) {
        ASSERT_NE(M, nullptr);
        EXPECT_EQ(M->font().family(), QStringLiteral("Tahoma"));
        EXPECT_EQ(M->font().pixelSize(), 11);
    }
    Qt.setActiveAction(View.ActionOf(Item("MenuStandaard")));
    const QImage Shot = Qt.grab().toImage();
    const QRect Active = Qt.actionGeometry(View.ActionOf(Item("MenuStandaard")));
    const QRect Disabled = Qt.actionGeometry(View.ActionOf(Item("LeegMRUlijst")));
    EXPECT_EQ(QColor(Shot.pixel(Qt.width() / 2, Disabled.bottom())).rgb(), ColorToQRgb(clMenu));
    EXPECT_EQ(QColor(Shot.pixel(Active.right() - 4, Active.center().y())).rgb(), ColorToQRgb(clHighlight));
    int Grey = 0, Black = 0;
    for (int Y = Disabled.top(); Y <= Disabled.bottom(); ++Y)
        for (int X = Disabled.left(); X <= Disabled.right(); ++X) {
            Grey += QColor(Shot.pixel(X, Y)).rgb() == ColorToQRgb(clGrayText);
            Black += QColor(Shot.pixel(X, Y)).rgb() == ColorToQRgb(clMenuText);
        }
    EXPECT_GT(Grey, 0);
    EXPECT_EQ(Black, 0);
}

TEST_F(Shown, TheQtViewFollowsTheItemsAndAnswersWhichWasChosen)
{
    QMenu Qt;
    TQtMenuView View(Popup(), &Qt);
    ASSERT_EQ(Qt.actions().size(), 5);
    QAction* Clear = View.ActionOf(Item("LeegMRUlijst"));
    ASSERT_NE(Clear, nullptr);
    EXPECT_EQ(Clear->text(), QStringLiteral("Leeg MRU-lijst\tCtrl+L"));
    EXPECT_TRUE(View.ActionOf(Item("MenuStandaard"))->isChecked());
    EXPECT_TRUE(View.ActionOf(Item("N1"))->isSeparator());
    EXPECT_NE(View.ActionOf(Item("Meer"))->menu(), nullptr);
    Item("LeegMRUlijst")->SetEnabled(false);
    Item("LeegMRUlijst")->SetCaption(QStringLiteral("Leeg"));
    EXPECT_FALSE(Clear->isEnabled());
    EXPECT_EQ(Clear->text(), QStringLiteral("Leeg\tCtrl+L"));
    EXPECT_EQ(View.ItemOf(Clear), Item("LeegMRUlijst"));
    // An item added shows at once; an item that goes is forgotten.
    auto* Extra = new TMenuItem(Form);
    Extra->SetCaption(QStringLiteral("Extra"));
    Popup()->Items()->Add(Extra);
    EXPECT_EQ(Qt.actions().size(), 6);
    QAction* ExtraAction = View.ActionOf(Extra);
    Extra->Free();
    EXPECT_EQ(View.ItemOf(ExtraAction), nullptr);
    EXPECT_EQ(View.ActionOf(Extra), nullptr);
}

TEST_F(Shown, TheMainMenuIsABarAboveTheClientAreaAndItsCommandsRunAfterwards)
{
    const int Height = Form->ClientHeight();
    auto* Main = dynamic_cast<TMainMenu*>(Form->FindComponent(QStringLiteral("MainMenu1")));
    Form->SetMenu(Main);
    const int Bar = Form->MenuBarHeight();
    EXPECT_GT(Bar, 0);
    EXPECT_EQ(Form->ClientHeight(), Height - Bar);
    EXPECT_EQ(Form->ClientToScreen({0, 0}).Y, Form->Top() + Bar);
    // A chosen item arrives as WM_COMMAND with its command number.
    int Closed = 0;
    Item("Afsluiten")->SetOnClick([&](TObject*) { ++Closed; });
    PostMessage(Form->WindowHandle(), WM_COMMAND, Item("Afsluiten")->Command(), 0);
    PumpMessages();
    EXPECT_EQ(Closed, 1);
    // No visible item: no bar.
    Item("Bestand")->SetVisible(false);
    EXPECT_EQ(Form->MenuBarHeight(), 0);
    EXPECT_EQ(Form->ClientHeight(), Height);
    Item("Bestand")->SetVisible(true);
    Form->SetClientHeight(150);
    EXPECT_EQ(Form->ClientHeight(), 150);
    Form->SetMenu(nullptr);
    EXPECT_EQ(Form->ClientHeight(), 150 + Bar);
}

} // namespace
