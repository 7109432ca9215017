// The combo box: items through CB_* messages, the edit part and the text,
// choosing with keys, typed letters and the wheel, the drop-down list with
// its own loop (keys, clicks, presses outside, the events in their order),
// owner drawing of the face and the list, auto-completion, and a list whose
// items change, or whose combo box goes, while it is open or painting.
#include "tests/platform/stdctrls/StdCtrlsFixture.h"
#include "tests/support/ImageHelpers.h"

#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/ListMessages.h"

namespace {

struct Combos : StdForm {
    TComboBox* Combo = nullptr;
    QStringList Events;
    TQueuedSteps Steps;
    // Run one after the other inside the list's loop once it opens,
    // however it is opened.
    std::vector<std::function<void()>> WhileOpen;
    void SetUp() override
    {
        StdForm::SetUp();
        Combo = Make<TComboBox>(Bounds(10, 10, 150, 21));
        Combo->SetOnChange([this](TObject*) { Events << QStringLiteral("change ") + Combo->Text(); });
        Combo->SetOnSelect([this](TObject*) { Events << QStringLiteral("select %1").arg(Combo->ItemIndex()); });
        Combo->SetOnDropDown([this](TObject*) {
            Events << QStringLiteral("dropdown");
            for (auto& Step : WhileOpen)
                Steps.Add(Step);
            WhileOpen.clear();
            Steps.Start();
        });
        Combo->SetOnCloseUp([this](TObject*) { Events << QStringLiteral("closeup"); });
        for (const char* T : {"Januari", "Februari", "Maart", "April", "Mei"})
            Combo->Items()->Add(QString::fromUtf8(T));
    }
    // The open list as a control the mouse helpers take.
    TWinControl* List() { return FindControl(Combo->ListHandle()); }
    TPoint ItemCenter(int Index)
    {
        const int H = Combo->ItemHeight();
        return {20, (Index - int(Combo->Perform(CB_GETTOPINDEX, 0, 0))) * H + H / 2};
    }
};

TEST_F(Combos, ItemIndexSetsTheEditTextAndTheTextFindsNoItem)
{
    Combo->SetItemIndex(2);
    EXPECT_EQ(Combo->Text(), QStringLiteral("Maart"));
    EXPECT_EQ(Combo->SelLength(), 5);
    Combo->SetItemIndex(-1);
    EXPECT_EQ(Combo->Text(), QString());
    // Items.Clear empties the edit part too.
    Combo->SetText(QStringLiteral("typed"));
    Combo->Items()->Clear();
    EXPECT_EQ(Combo->Text(), QString());
    // Text set by the program is no change by the user.
    EXPECT_TRUE(Events.isEmpty());
}

TEST_F(Combos, ListStylesShowTheChosenItemAndSetTheTextByItem)
{
    Combo->SetStyle(csDropDownList);
    EXPECT_EQ(Combo->EditHandle(), nullptr);
    Combo->SetText(QStringLiteral("april"));
    EXPECT_EQ(Combo->ItemIndex(), 3);
    EXPECT_EQ(Combo->Text(), QStringLiteral("April"));
    Combo->SetText(QStringLiteral("nothing"));
    EXPECT_EQ(Combo->ItemIndex(), -1);
    // The face paints the chosen item, lit while focused.
    Combo->SetItemIndex(1);
    Combo->SetFocus();
    const TPoint O = InForm(Combo);
    const QImage Img = FormImage(Combo);
    EXPECT_GT(
        CountColor(Img, ColorToRGB(clHighlight), Bounds(O.X, O.Y, Combo->ClientWidth() - 20, Combo->ClientHeight())),
        50);
    EXPECT_GT(CountColor(Img, ColorToRGB(clHighlightText),
                         Bounds(O.X, O.Y, Combo->ClientWidth() - 20, Combo->ClientHeight())),
              5);
    // The drop button at the right end.
    EXPECT_GT(CountColor(Img, ColorToRGB(clBtnFace),
                         Bounds(O.X + Combo->ClientWidth() - 18, O.Y + 2, 16, Combo->ClientHeight() - 4)),
              50);
}

TEST_F(Combos, ArrowsChooseWhileTheListIsClosed)
{
    Combo->SetStyle(csDropDownList);
    Combo->SetFocus();
    PressKey(Combo, Qt::Key_Down);
    PressKey(Combo, Qt::Key_Down);
    EXPECT_EQ(Combo->ItemIndex(), 1);
    PressKey(Combo, Qt::Key_End);
    EXPECT_EQ(Combo->ItemIndex(), 4);
    PressKey(Combo, Qt::Key_Down);
    EXPECT_EQ(Events, QStringList({"select 0", "select 1", "select 4"}));
    // Without OnSelect a choice is a change.
    Combo->SetOnSelect({});
    Events.clear();
    PressKey(Combo, Qt::Key_Up);
    EXPECT_EQ(Events, QStringList({"change April"}));
}

TEST_F(Combos, TheEditPartTakesKeysAndTheArrowsChoose)
{
    Combo->SetFocus();
    ASSERT_EQ(GetFocus(), Combo->EditHandle());
    EXPECT_TRUE(Combo->Focused());
    PressKey(Combo, Qt::Key_Z);
    EXPECT_EQ(Combo->Text(), QStringLiteral("z"));
    EXPECT_EQ(Events, QStringList({"change z"}));
    PressKey(Combo, Qt::Key_Down);
    EXPECT_EQ(Combo->Text(), QStringLiteral("Januari"));
    EXPECT_EQ(Combo->ItemIndex(), 0);
    // Home and End move the caret in the edit part.
    PressKey(Combo, Qt::Key_Home);
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_EQ(Combo->SelStart(), 0);
    Combo->SetMaxLength(3);
    Combo->SetText(QString());
    for (int K : {Qt::Key_X, Qt::Key_Y, Qt::Key_Z, Qt::Key_W})
        PressKey(Combo, K);
    EXPECT_EQ(Combo->Text(), QStringLiteral("xyz"));
}

TEST_F(Combos, TypedLettersChooseInTheListStyles)
{
    TTestClock Clock;
    Combo->SetStyle(csDropDownList);
    Combo->SetFocus();
    PressKey(Combo, Qt::Key_M);
    EXPECT_EQ(Combo->ItemIndex(), 2);
    Clock.Advance(100);
    PressKey(Combo, Qt::Key_E);
    EXPECT_EQ(Combo->ItemIndex(), 4);
    Clock.Advance(2000);
    PressKey(Combo, Qt::Key_J);
    EXPECT_EQ(Combo->ItemIndex(), 0);
}

TEST_F(Combos, AutoCompleteFillsInTheRestOfTheFirstMatch)
{
    Combo->Items()->Add(QStringLiteral("Apricot"));
    Combo->SetFocus();
    PressKey(Combo, Qt::Key_A);
    EXPECT_EQ(Combo->Text(), QStringLiteral("April"));
    EXPECT_EQ(Combo->SelStart(), 1);
    EXPECT_EQ(Combo->SelLength(), 4);
    PressKey(Combo, Qt::Key_P);
    PressKey(Combo, Qt::Key_R);
    PressKey(Combo, Qt::Key_I);
    PressKey(Combo, Qt::Key_C);
    EXPECT_EQ(Combo->Text(), QStringLiteral("Apricot"));
    EXPECT_EQ(Combo->SelText(), QStringLiteral("ot"));
    Combo->SetAutoComplete(false);
    Combo->SetText(QString());
    PressKey(Combo, Qt::Key_A);
    EXPECT_EQ(Combo->Text(), QStringLiteral("a"));
}

TEST_F(Combos, TheWheelStepsThroughTheItems)
{
    Combo->SetStyle(csDropDownList);
    Combo->SetFocus();
    Combo->SetItemIndex(1);
    MouseWheel(Combo, Point(10, 5), -120);
    EXPECT_EQ(Combo->ItemIndex(), 2);
    MouseWheel(Combo, Point(10, 5), 240);
    EXPECT_EQ(Combo->ItemIndex(), 0);
    MouseWheel(Combo, Point(10, 5), 120);
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_EQ(Events, QStringList({"select 2", "select 1", "select 0"}));
}

TEST_F(Combos, TheOpenListTakesArrowsAndEnterChooses)
{
    Combo->SetStyle(csDropDownList);
    Combo->SetFocus();
    WhileOpen.push_back([&] {
        EXPECT_TRUE(Combo->DroppedDown());
        ASSERT_NE(List(), nullptr);
        // Below the combo box, as wide as it.
        TRect R;
        GetWindowRect(Combo->ListHandle(), &R);
        TRect C;
        GetWindowRect(Combo->Handle(), &C);
        EXPECT_EQ(R.Top, C.Bottom);
        EXPECT_EQ(R.Width(), C.Width());
        EXPECT_EQ(R.Height(), 5 * Combo->ItemHeight() + 2);
        PressKey(Combo, Qt::Key_Down);
        PressKey(Combo, Qt::Key_Down);
    });
    WhileOpen.push_back([&] { PressKey(Combo, Qt::Key_Return); });
    PressKey(Combo, Qt::Key_F4);
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Events, QStringList({"dropdown", "select 0", "select 1", "closeup"}));
    EXPECT_FALSE(IsWindowVisible(Combo->ListHandle()));
    EXPECT_TRUE(Combo->Focused());
}

TEST_F(Combos, EnterAndEscapeBelongToTheOpenListNotToTheFormsButtons)
{
    Combo->SetFocus();
    EXPECT_EQ(Combo->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 0);
    WhileOpen.push_back([&] {
        EXPECT_EQ(Combo->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 1);
        EXPECT_EQ(Combo->Perform(CM_WANTSPECIALKEY, VK_ESCAPE, 0), 1);
        PressKey(Combo, Qt::Key_Down);
    });
    WhileOpen.push_back([&] { PressKey(Combo, Qt::Key_Escape); });
    Combo->SetDroppedDown(true);
    EXPECT_FALSE(Combo->DroppedDown());
    // The arrow chose; Escape closed without undoing it.
    EXPECT_EQ(Combo->Text(), QStringLiteral("Januari"));
    EXPECT_EQ(Combo->Perform(CM_WANTSPECIALKEY, VK_ESCAPE, 0), 0);
}

TEST_F(Combos, AClickOnAnItemChoosesAndAPressOutsideIsSwallowed)
{
    auto* Other = Make<TListBox>(Bounds(200, 10, 100, 80));
    Other->Items()->Add(QStringLiteral("other"));
    int OtherClicks = 0;
    Other->SetOnClick([&](TObject*) { ++OtherClicks; });
    WhileOpen.push_back([&] {
        MouseMove(List(), ItemCenter(3));
        MouseDown(List(), ItemCenter(3));
        MouseUp(List(), ItemCenter(3));
    });
    Combo->SetDroppedDown(true);
    EXPECT_EQ(Combo->ItemIndex(), 3);
    EXPECT_EQ(Combo->Text(), QStringLiteral("April"));
    EXPECT_EQ(Events, QStringList({"dropdown", "select 3", "closeup"}));
    Events.clear();
    WhileOpen.push_back([&] {
        MouseMove(List(), ItemCenter(1));
        MouseClick(Other, Point(10, 5));
    });
    Combo->SetDroppedDown(true);
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), 3);
    EXPECT_EQ(OtherClicks, 0);
    EXPECT_EQ(Other->ItemIndex(), -1);
    EXPECT_EQ(Events, QStringList({"dropdown", "closeup"}));
}

TEST_F(Combos, AClickOnTheButtonOpensTheList)
{
    Combo->SetStyle(csDropDownList);
    const TRect C = Combo->ClientRect();
    WhileOpen.push_back([&] {
        // The release of the press that opened the list chooses nothing.
        MouseUp(Combo, Point(C.Right - 8, C.Bottom / 2));
        EXPECT_TRUE(Combo->DroppedDown());
        PressKey(Combo, Qt::Key_Escape);
    });
    MouseDown(Combo, Point(C.Right - 8, C.Bottom / 2));
    EXPECT_EQ(Events, QStringList({"dropdown", "closeup"}));
    EXPECT_TRUE(Combo->Focused());
}

TEST_F(Combos, ItemsChangedWhileTheListIsOpenAreFollowed)
{
    Combo->SetItemIndex(4);
    WhileOpen.push_back([&] {
        // Fewer items: the list shrinks and its lit item goes.
        Combo->Items()->Clear();
        Combo->Items()->Add(QStringLiteral("Zon"));
        Combo->Items()->Add(QStringLiteral("Maan"));
        TRect R;
        GetWindowRect(Combo->ListHandle(), &R);
        EXPECT_EQ(R.Height(), 2 * Combo->ItemHeight() + 2);
        EXPECT_EQ(Combo->ItemIndex(), -1);
    });
    WhileOpen.push_back([&] { PressKey(Combo, Qt::Key_Down); });
    WhileOpen.push_back([&] { PressKey(Combo, Qt::Key_Down); });
    WhileOpen.push_back([&] { PressKey(Combo, Qt::Key_Return); });
    Combo->SetFocus();
    Combo->SetDroppedDown(true);
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Combo->Text(), QStringLiteral("Maan"));
}

TEST_F(Combos, AnOwnerDrawnListThatEditsItsItemsWhilePaintingStaysSound)
{
    Combo->SetStyle(csOwnerDrawFixed);
    Combo->SetItemHeight(18);
    QList<int> FaceDrawn;
    bool Trimmed = false;
    Combo->SetOnDrawItem([&](TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
        if (State.Contains(odComboBoxEdit))
            FaceDrawn << Index;
        // Painting the list's first item takes the last items away.
        if (!State.Contains(odComboBoxEdit) && Index == 0 && !Trimmed) {
            Trimmed = true;
            Combo->Items()->Delete(4);
            Combo->Items()->Delete(3);
        }
        Combo->Canvas()->Brush()->SetColor(clRed);
        Combo->Canvas()->FillRect(Rect);
    });
    Combo->SetItemIndex(2);
    FormImage(Combo);
    EXPECT_EQ(FaceDrawn.last(), 2);
    WhileOpen.push_back([&] {
        FormImage(List());
        EXPECT_TRUE(Trimmed);
        PumpMessages();
        TRect R;
        GetWindowRect(Combo->ListHandle(), &R);
        EXPECT_EQ(R.Height(), 3 * 18 + 2);
        const QImage Img = FormImage(List());
        EXPECT_TRUE(RectHasColor(Img, Bounds(1, 1, R.Width() - 2, 3 * 18), Red));
        PressKey(Combo, Qt::Key_Escape);
    });
    Combo->SetFocus();
    Combo->SetDroppedDown(true);
    EXPECT_EQ(Combo->Items()->Count(), 3);
}

TEST_F(Combos, VariableHeightItemsAreMeasured)
{
    Combo->SetStyle(csOwnerDrawVariable);
    Combo->SetOnMeasureItem([](TWinControl*, int Index, int& Height) { Height = 12 + 2 * Index; });
    Combo->Items()->Add(QStringLiteral("new"));
    EXPECT_EQ(Combo->Perform(CB_GETITEMHEIGHT, 5, 0), 22);
    Combo->Items()->Clear();
    Combo->Items()->Add(QStringLiteral("a"));
    Combo->Items()->Add(QStringLiteral("b"));
    WhileOpen.push_back([&] {
        TRect R;
        GetWindowRect(Combo->ListHandle(), &R);
        EXPECT_EQ(R.Height(), 12 + 14 + 2);
        PressKey(Combo, Qt::Key_Escape);
    });
    Combo->SetFocus();
    Combo->SetDroppedDown(true);
}

TEST_F(Combos, AComboBoxThatGoesWhileItsListIsOpenEndsTheLoop)
{
    WhileOpen.push_back([&] {
        Form->Release();
        Form = nullptr;
    });
    Combo->SetFocus();
    Combo->SetDroppedDown(true);
    EXPECT_EQ(Form, nullptr);
}

TEST_F(Combos, LosingTheActivationOrTabbingAwayClosesTheList)
{
    auto* Next = Make<TComboBox>(Bounds(10, 60, 150, 21));
    WhileOpen.push_back([&] { PostMessage(nullptr, CM_DEACTIVATE, 0, 0); });
    Combo->SetFocus();
    Combo->SetDroppedDown(true);
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Events, QStringList({"dropdown", "closeup"}));
    // Tab chooses the lit item and moves on.
    WhileOpen.push_back([&] { PressKey(Combo, Qt::Key_Down); });
    WhileOpen.push_back([&] { PressKey(Combo, Qt::Key_Tab); });
    Combo->SetDroppedDown(true);
    PumpMessages();
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->Text(), QStringLiteral("Januari"));
    EXPECT_TRUE(Next->Focused());
}

TEST_F(Combos, SortedItemsAndTheLetterCaseOfTheEditPart)
{
    Combo->SetSorted(true);
    EXPECT_EQ(Combo->Items()->ToStringList(), QStringList({"April", "Februari", "Januari", "Maart", "Mei"}));
    EXPECT_EQ(Combo->Items()->Add(QStringLiteral("Juni")), 3);
    Combo->SetCharCase(ecUpperCase);
    Combo->SetAutoComplete(false);
    Combo->SetFocus();
    PressKey(Combo, Qt::Key_Z);
    EXPECT_EQ(Combo->Text(), QStringLiteral("Z"));
}

TEST_F(Combos, ItemDataGoesWithItsItemAndIsAnnouncedWhenDeleted)
{
    TObject A, B;
    Combo->Items()->Clear();
    Combo->Items()->AddObject(QStringLiteral("a"), &A);
    Combo->Items()->AddObject(QStringLiteral("b"), &B);
    std::vector<std::uintptr_t> Deleted;
    const TWindowProcedure Old = Combo->WindowProc();
    Combo->SetWindowProc([&](TMessage& M) {
        if (M.Msg == WM_DELETEITEM)
            Deleted.push_back(LParamToPtr<DELETEITEMSTRUCT>(M.LParam)->itemData);
        Old(M);
    });
    EXPECT_EQ(Combo->Items()->Objects(1), &B);
    Combo->Items()->Delete(0);
    Combo->Items()->Clear();
    EXPECT_EQ(Deleted, (std::vector<std::uintptr_t>{std::uintptr_t(&A), std::uintptr_t(&B)}));
    Combo->SetWindowProc(Old);
}

} // namespace
