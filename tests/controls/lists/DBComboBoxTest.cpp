// The data-aware combo box on a client data set: the item of the stored
// value shown, the value of the chosen item written, an item with an empty
// value, Items and Values changed at run time, a record that cannot be
// edited, Escape, a refused value on leaving, and the copy painted for a
// data control grid.
#include "controls/lists/FcDBCmbo.h"
#include "platform/stdctrls/ListMessages.h"
#include "tests/controls/foundation/PostedTasks.h"
#include "tests/controls/lists/DBControlsFixture.h"

#include <QLineEdit>

namespace {

struct DBComboBoxes : DBControls {
    TFcDBComboBox* Box = nullptr;
    void SetUp() override
    {
        DBControls::SetUp();
        Box = Make<TFcDBComboBox>(Bounds(10, 10, 150, 21));
        Box->Items()->AddStrings(QStringList{"A", "B"});
        Box->Values()->AddStrings(QStringList{"1", "2"});
        Box->SetDataSource(Source);
        Box->SetDataField(QStringLiteral("AANHEF"));
        Other->SetFocus();
        PumpMessages();
    }
    String Stored() const { return Table->FieldByName(QStringLiteral("AANHEF"))->AsString(); }
    // The user picks item Index from the list.
    void Choose(int Index)
    {
        Box->Perform(CB_SETCURSEL, WPARAM(Index), 0);
        Box->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
    }
};

TEST_F(DBComboBoxes, ShowsTheItemOfTheStoredValueAndWritesTheChosenItemsValue)
{
    const struct {
        TComboBoxStyle Style;
        int Record;
        int ItemIndex;
        const char* Text;
    } Cases[] = {
        {csDropDown, 1, 1, "B"},     {csDropDown, 3, -1, "x"},    {csDropDown, 2, -1, ""},
        {csDropDown, 1, 1, "B"},     {csDropDownList, 1, 1, "B"}, {csDropDownList, 2, -1, ""},
        {csDropDownList, 3, -1, ""}, {csDropDownList, 1, 1, "B"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "style " << int(C.Style) << ", record " << C.Record);
        Box->SetStyle(C.Style);
        GoTo(C.Record);
        EXPECT_EQ(Box->ItemIndex(), C.ItemIndex);
        EXPECT_EQ(Box->GetComboText(), QString::fromLatin1(C.Text));
    }
    EXPECT_EQ(Table->State(), dsBrowse) << "showing a record is no edit";
    Box->SetFocus();
    Choose(0);
    EXPECT_EQ(Table->State(), dsEdit);
    Other->SetFocus();
    EXPECT_EQ(Stored(), QStringLiteral("1"));
    EXPECT_TRUE(Reported.isEmpty());
}

TEST_F(DBComboBoxes, AnItemWithAnEmptyValueIsWrittenEmptyAndReadBack)
{
    Box->Values()->SetStrings(1, QString());
    EXPECT_EQ(Box->GetItemValue(1), QStringLiteral("B")) << "the item value falls back to the text";
    // Record 2 holds an empty field: it is that item.
    GoTo(2);
    EXPECT_EQ(Box->ItemIndex(), 1);
    GoTo(1);
    Box->SetFocus();
    Choose(1);
    Other->SetFocus();
    Table->Post();
    EXPECT_EQ(Stored(), QString());
    GoTo(3);
    GoTo(1);
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_EQ(Box->Text(), QStringLiteral("B"));
}

TEST_F(DBComboBoxes, AnItemBeyondTheValuesWritesItsText)
{
    Box->Items()->Add(QStringLiteral("Overig"));
    Box->SetFocus();
    Choose(2);
    Other->SetFocus();
    EXPECT_EQ(Stored(), QStringLiteral("Overig"));
}

TEST_F(DBComboBoxes, ChangingItemsOrValuesInAnyWayReadsTheFieldAgain)
{
    GoTo(3);
    ASSERT_EQ(Box->ItemIndex(), -1);
    const struct {
        const char* Name;
        std::function<void()> Change;
        int ItemIndex;
    } Cases[] = {
        {"a value changed", [&] { Box->Values()->SetStrings(0, QStringLiteral("x")); }, 0},
        {"a value line deleted", [&] { Box->Values()->Delete(0); }, -1},
        {"values assigned",
         [&] {
             TStringList L;
             L.AddStrings(QStringList{"1", "x"});
             Box->SetValues(&L);
         },
         1},
        {"an item inserted", [&] { Box->Items()->Insert(0, QStringLiteral("Nul")); }, 1},
        {"an item deleted", [&] { Box->Items()->Delete(0); }, 1},
        {"items cleared", [&] { Box->Items()->Clear(); }, -1},
        {"items added in an update",
         [&] {
             Box->Items()->BeginUpdate();
             Box->Items()->AddStrings(QStringList{"A", "B"});
             Box->Items()->EndUpdate();
         },
         1},
    };
    for (const auto& C : Cases) {
        C.Change();
        EXPECT_EQ(Box->ItemIndex(), C.ItemIndex) << C.Name;
    }
    EXPECT_EQ(Table->State(), dsBrowse);
}

TEST_F(DBComboBoxes, ARecordThatCannotBeEditedKeepsItsValue)
{
    Table->SetReadOnly(true);
    Box->SetFocus();
    for (int Key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Down}) {
        PressKey(Box, Key);
        EXPECT_EQ(Box->ItemIndex(), 1);
    }
    MouseWheel(Box, {5, 5}, -120);
    EXPECT_EQ(Box->ItemIndex(), 1);
    // A choice from the list: the field is shown again and the list opens
    // anew.
    Choose(0);
    EXPECT_EQ(Box->ItemIndex(), 1);
    MSG Reopen;
    EXPECT_TRUE(PeekMessage(Reopen, Box->Handle(), CB_SHOWDROPDOWN, CB_SHOWDROPDOWN, PM_REMOVE));
    EXPECT_EQ(Table->State(), dsBrowse);
    Other->SetFocus();
    EXPECT_EQ(Stored(), QStringLiteral("2"));
}

TEST_F(DBComboBoxes, EscapeShowsTheFieldAgainAndNeverStartsAnEdit)
{
    for (TComboBoxStyle Style : {csDropDown, csDropDownList}) {
        SCOPED_TRACE(int(Style));
        Box->SetStyle(Style);
        Box->SetFocus();
        PressKey(Box, Qt::Key_Escape);
        EXPECT_EQ(Table->State(), dsBrowse);
        PressKey(Box, Qt::Key_Up);
        EXPECT_EQ(Box->ItemIndex(), 0);
        EXPECT_EQ(Table->State(), dsEdit);
        PressKey(Box, Qt::Key_Escape);
        EXPECT_EQ(Box->ItemIndex(), 1);
        EXPECT_EQ(Box->GetComboText(), QStringLiteral("B"));
        Other->SetFocus();
        EXPECT_EQ(Stored(), QStringLiteral("2"));
        Table->Cancel();
    }
    // Free text typed into the edit part goes as well.
    Box->SetStyle(csDropDown);
    Box->SetFocus();
    Box->SelectAll();
    TypeText(Box, QStringLiteral("zz"));
    EXPECT_EQ(Box->Text(), QStringLiteral("zz"));
    PressKey(Box, Qt::Key_Escape);
    EXPECT_EQ(Box->Text(), QStringLiteral("B"));
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_TRUE(Reported.isEmpty());
}

// Backspace or Delete over the selected text, then typing: the field gets
// what the box shows, an item's value or free text.
TEST_F(DBComboBoxes, DeletingTheSelectionAndTypingStoresWhatIsShown)
{
    Box->Items()->SetText(QStringLiteral("Mevrouw\nMejuffrouw\nDokter"));
    Box->Values()->SetText(QStringLiteral("Mw\nMej\nDr"));
    const struct {
        int Key;
        const char *Typed, *Stored;
    } Cases[] = {{Qt::Key_Backspace, "Dokter", "Dr"},
                 {Qt::Key_Backspace, "X", "X"},
                 {Qt::Key_Delete, "Dokter", "Dr"},
                 {Qt::Key_Delete, "X", "X"}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Key << " " << C.Typed);
        GoTo(1);
        Table->Edit();
        Field("AANHEF")->SetAsString(QStringLiteral("Mw"));
        Table->Post();
        EXPECT_EQ(Box->Text(), QStringLiteral("Mevrouw"));
        PressKey(Other, Qt::Key_Tab, Qt::ShiftModifier);
        ASSERT_TRUE(Box->Focused());
        PressKey(Box, C.Key, Qt::NoModifier, C.Key == Qt::Key_Backspace ? QStringLiteral("\b") : QString());
        TypeText(Box, QString::fromLatin1(C.Typed));
        PressKey(Box, Qt::Key_Tab);
        EXPECT_EQ(Stored(), QString::fromLatin1(C.Stored));
        Table->Post();
    }
    EXPECT_TRUE(Reported.isEmpty());
}

TEST_F(DBComboBoxes, OpeningTheListStartsAnEditAndEscapeInTheListOnlyClosesIt)
{
    Box->SetStyle(csDropDownList);
    Box->SetFocus();
    // Keys for the list, queued once it has opened.
    TPostedTasks Tasks;
    std::vector<int> Keys;
    Box->SetOnDropDown([&](TObject*) {
        for (int Key : Keys)
            Tasks.Post([&, Key] { PressKey(Box, Key); });
        Keys.clear();
    });
    Keys = {Qt::Key_Up, Qt::Key_Escape};
    PressKey(Box, Qt::Key_F4);
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Table->State(), dsEdit);
    EXPECT_EQ(Box->ItemIndex(), 0) << "the choice made in the list stays";
    PressKey(Box, Qt::Key_Escape);
    EXPECT_EQ(Box->ItemIndex(), 1);
    // A list opened and closed on a record that cannot be edited shows the
    // field as it was.
    Table->Cancel();
    Table->SetReadOnly(true);
    Keys = {Qt::Key_Down, Qt::Key_Escape};
    PressKey(Box, Qt::Key_F4);
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_TRUE(Reported.isEmpty());
}

TEST_F(DBComboBoxes, TheEditPartTakesInputMethodTextWhileTheRecordIsBrowsed)
{
    Box->SetFocus();
    auto* Editor = static_cast<QLineEdit*>(GetWindowHostedWidget(Box->EditHandle()));
    ASSERT_NE(Editor, nullptr);
    EXPECT_TRUE(Editor->isReadOnly());
    EXPECT_TRUE(Editor->testAttribute(Qt::WA_InputMethodEnabled));
    Box->SelectAll();
    CommitInput(Editor, QStringLiteral("é"));
    EXPECT_EQ(Table->State(), dsEdit);
    EXPECT_EQ(Box->Text(), QStringLiteral("é"));
    Other->SetFocus();
    EXPECT_EQ(Stored(), QStringLiteral("é"));
}

TEST_F(DBComboBoxes, AValueTheFieldRefusesKeepsTheFocus)
{
    Box->SetDataField(QStringLiteral("BEDRAG"));
    Box->Values()->Clear();
    Box->SetFocus();
    Box->SelectAll();
    // Without values the field judges the characters.
    TypeText(Box, QStringLiteral("9q99999999999"));
    EXPECT_EQ(Beeps, 1);
    PressKey(Box, Qt::Key_Tab);
    ASSERT_EQ(Reported.size(), 1);
    EXPECT_TRUE(Box->Focused());
    EXPECT_EQ(Box->Text(), QStringLiteral("999999999999"));
    EXPECT_EQ(Box->SelLength(), 12);
}

TEST_F(DBComboBoxes, ACopyShowsTheStoredText)
{
    TTestSurface Surface(Box->Width(), Box->Height());
    const TControlState State = Box->ControlState();
    Box->SetControlState(State + TControlState{csPaintCopy});
    Box->Perform(WM_PAINT, WPARAM(Surface.DC()), 0);
    Box->SetControlState(State);
    EXPECT_EQ(Box->PaintControl()->Caption(), QStringLiteral("2"));
    // The arrow's tip, black, in the middle of the button.
    const int Scroll = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(Surface.Pixel(Box->Width() - Scroll - 2 + Scroll / 2, (Box->Height() - 4) / 2 + 2 - 2), 0u);
    EXPECT_EQ(Surface.Pixel(3, 3), ColorToRGB(clWindow));
}

TEST_F(DBComboBoxes, ABoxADataControlGridHoldsCannotBeSimple)
{
    auto* Link = reinterpret_cast<TFieldDataLink*>(Box->Perform(CM_GETDATALINK, 0, 0));
    ASSERT_NE(Link, nullptr);
    Link->SetDataSourceFixed(true);
    EXPECT_EQ(ErrorMessage<EDatabaseError>([&] { Box->SetStyle(csSimple); }),
              QStringLiteral("Control cannot be used in a DBCtrlGrid"));
    Box->SetStyle(csDropDownList);
    EXPECT_EQ(Box->Style(), csDropDownList);
    Link->SetDataSourceFixed(false);
}

} // namespace
