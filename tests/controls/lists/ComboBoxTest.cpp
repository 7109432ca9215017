// The framed combo box: the drop-down list's search with its beep and
// pause, completion in the edit part (its case, Backspace, free text, the
// rules without AllowEdit on every way text arrives, a character of two
// code units taken as one), read-only, the wheel, OnNotInList, item data
// going, values, and the flat button and frame.
#include "controls/lists/FcComboBox.h"
#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/ListMessages.h"
#include "tests/controls/lists/ListsFixture.h"

#include <QLineEdit>

namespace {

const char* const Months[] = {"Januari", "Februari", "Maart",     "April",   "Mei",      "Juni",
                              "Juli",    "Augustus", "September", "Oktober", "November", "December"};

struct FramedCombos : ListsForm {
    TFcComboBox* Combo = nullptr;
    TFcComboBox* Other = nullptr;
    QStringList Heard;
    void SetUp() override
    {
        ListsForm::SetUp();
        Combo = Make<TFcComboBox>(Bounds(10, 10, 150, 21));
        Other = Make<TFcComboBox>(Bounds(10, 60, 150, 21));
        Combo->SetOnChange([this](TObject*) { Heard << QStringLiteral("change"); });
        Combo->SetOnClick([this](TObject*) { Heard << QStringLiteral("click"); });
        Combo->SetOnMatch([this](TObject*) { Heard << QStringLiteral("match"); });
    }
    void Fill(std::initializer_list<const char*> Texts)
    {
        for (const char* T : Texts)
            Combo->Items()->Add(QString::fromUtf8(T));
    }
    void Focus()
    {
        Combo->SetFocus();
        PumpMessages();
        Heard.clear();
    }
    void Type(const QString& Text) { TypeText(Combo, Text); }
    void Backspace() { PressKey(Combo, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b")); }
    String Selected() { return Combo->SelText(); }
};

TEST_F(FramedCombos, TheDropDownListSearchesTypedLettersUntilThePause)
{
    Combo->SetStyle(csDropDownList);
    for (const char* M : Months)
        Combo->Items()->Add(QString::fromLatin1(M));
    Focus();
    Type(QStringLiteral("m"));
    EXPECT_EQ(Combo->Text(), QStringLiteral("Maart"));
    Type(QStringLiteral("a"));
    EXPECT_EQ(Combo->ItemIndex(), 2);
    // "maa" still begins Maart; "maax" begins nothing.
    Type(QStringLiteral("a"));
    EXPECT_EQ(Combo->ItemIndex(), 2);
    EXPECT_EQ(Beeps, 0);
    Type(QStringLiteral("x"));
    EXPECT_EQ(Beeps, 1);
    EXPECT_EQ(Combo->ItemIndex(), 2);
    EXPECT_EQ(Combo->SearchString(), QStringLiteral("maa"));
    EXPECT_TRUE(Combo->SearchTimer()->Enabled());
    EXPECT_EQ(Combo->SearchTimer()->Interval(), 1500u);
    Combo->SearchTimer()->OnTimer()(Combo->SearchTimer());
    Type(QStringLiteral("j"));
    EXPECT_EQ(Combo->Text(), QStringLiteral("Januari"));
    EXPECT_TRUE(Heard.contains(QStringLiteral("click")));
    EXPECT_TRUE(Heard.contains(QStringLiteral("change")));
}

TEST_F(FramedCombos, BackspaceInTheListStepsBackAndAnEmptySearchMatchesNothing)
{
    Combo->SetStyle(csDropDownList);
    for (const char* M : Months)
        Combo->Items()->Add(QString::fromLatin1(M));
    Focus();
    Type(QStringLiteral("ju"));
    Type(QStringLiteral("l"));
    EXPECT_EQ(Combo->Text(), QStringLiteral("Juli"));
    Backspace();
    EXPECT_EQ(Combo->Text(), QStringLiteral("Juni"));
    Backspace();
    Backspace();
    EXPECT_EQ(Combo->ItemIndex(), 0) << "an emptied search goes to the first item";
    EXPECT_EQ(Beeps, 0);
    Backspace();
    EXPECT_EQ(Beeps, 1);
    EXPECT_EQ(Combo->ItemIndex(), 0);
    Combo->Items()->Clear();
    Backspace();
    EXPECT_EQ(Beeps, 1) << "nothing at all on an empty list";
}

TEST_F(FramedCombos, TypingCompletesFromTheFirstItemThatBeginsWithIt)
{
    Fill({"Apple", "Apricot"});
    Focus();
    Type(QStringLiteral("a"));
    EXPECT_EQ(Combo->Text(), QStringLiteral("Apple"));
    EXPECT_EQ(Selected(), QStringLiteral("pple"));
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_TRUE(Heard.contains(QStringLiteral("match")));
    Type(QStringLiteral("p"));
    EXPECT_EQ(Combo->Text(), QStringLiteral("Apple"));
    Type(QStringLiteral("r"));
    EXPECT_EQ(Combo->Text(), QStringLiteral("Apricot"));
    EXPECT_EQ(Selected(), QStringLiteral("icot"));
    EXPECT_EQ(Combo->ItemIndex(), 1);
    // Backspace takes the completion away, then a typed character; it
    // completes nothing.
    Backspace();
    EXPECT_EQ(Combo->Text(), QStringLiteral("Apr"));
    EXPECT_EQ(Combo->ItemIndex(), -1);
    Backspace();
    EXPECT_EQ(Combo->Text(), QStringLiteral("Ap"));
    EXPECT_EQ(Selected(), QString());
}

TEST_F(FramedCombos, KeepSearchCaseKeepsTheCaseOfWhatIsTyped)
{
    Fill({"Apple", "Apricot"});
    Focus();
    Type(QStringLiteral("a"));
    EXPECT_EQ(Combo->Text(), QStringLiteral("Apple")) << "the item's case";
    Combo->SetText(QString());
    Combo->SetKeepSearchCase(true);
    Focus();
    Type(QStringLiteral("a"));
    EXPECT_EQ(Combo->Text(), QStringLiteral("apple")) << "the typed case";
    EXPECT_EQ(Selected(), QStringLiteral("pple"));
    EXPECT_EQ(Combo->ItemIndex(), 0);
}

TEST_F(FramedCombos, TextNotInTheListIsTypedFreelyWithAllowEdit)
{
    Fill({"Apple", "Apricot"});
    Focus();
    Type(QStringLiteral("ax"));
    EXPECT_EQ(Combo->Text(), QStringLiteral("ax"));
    EXPECT_EQ(Beeps, 0);
    int NotIn = 0;
    Combo->SetOnNotInList([&](TObject*) { ++NotIn; });
    Other->SetFocus();
    PumpMessages();
    EXPECT_EQ(NotIn, 1);
    // An item's text, and the list styles, are never "not in the list".
    Combo->SetText(QStringLiteral("Apple"));
    Combo->SetFocus();
    Other->SetFocus();
    PumpMessages();
    EXPECT_EQ(NotIn, 1);
}

TEST_F(FramedCombos, WithoutAllowEditOnlyTheBeginningOfAnItemCanBeTyped)
{
    Fill({"Apple", "Apricot"});
    Combo->SetAllowEdit(false);
    Focus();
    Type(QStringLiteral("ax"));
    EXPECT_EQ(Beeps, 1);
    EXPECT_EQ(Combo->Text(), QStringLiteral("Apple"));
    // Delete only takes a whole selection.
    Combo->SetSelStart(2);
    Combo->SetSelLength(0);
    PressKey(Combo, Qt::Key_Delete);
    EXPECT_EQ(Combo->Text(), QStringLiteral("Apple"));
    Combo->SelectAll();
    PressKey(Combo, Qt::Key_Delete);
    EXPECT_EQ(Combo->Text(), QString());
}

TEST_F(FramedCombos, WithoutAllowEditNoOtherWayEditsTheText)
{
    Fill({"Apple", "Apricot"});
    Combo->SetAllowEdit(false);
    Combo->SetText(QStringLiteral("Apple"));
    Focus();
    SetClipboardText(QStringLiteral("vrij"));
    Combo->SelectAll();
    PressKey(Combo, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    Combo->Perform(WM_PASTE, 0, 0);
    SendMessage(Combo->EditHandle(), WM_PASTE, 0, 0);
    PressKey(Combo, Qt::Key_X, Qt::ControlModifier, QStringLiteral("\x18"));
    SendMessage(Combo->EditHandle(), WM_CUT, 0, 0);
    Combo->SetSelLength(0);
    SendMessage(Combo->EditHandle(), WM_CLEAR, 0, 0);
    PressKey(Combo, Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a"));
    const TPoint Mid{30, 8};
    MouseDown(Combo, Mid, Qt::MiddleButton);
    MouseUp(Combo, Mid, Qt::MiddleButton);
    EXPECT_EQ(Combo->Text(), QStringLiteral("Apple"));
    // Copying is no edit.
    Combo->SelectAll();
    PressKey(Combo, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Apple"));
}

TEST_F(FramedCombos, APasteWithAllowEditIsCompleted)
{
    Fill({"Apple", "Apricot"});
    Focus();
    SetClipboardText(QStringLiteral("apr"));
    PressKey(Combo, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    EXPECT_EQ(Combo->Text(), QStringLiteral("Apricot"));
    EXPECT_EQ(Combo->ItemIndex(), 1);
}

TEST_F(FramedCombos, AReadOnlyComboChangesByNoKeyClickOrWheel)
{
    Fill({"Apple", "Apricot", "Banana"});
    Combo->SetItemIndex(1);
    Combo->SetReadOnly(true);
    EXPECT_EQ(Combo->Color(), clInfoBk);
    Focus();
    Type(QStringLiteral("b"));
    PressKey(Combo, Qt::Key_Down);
    PressKey(Combo, Qt::Key_F4);
    PressKey(Combo, Qt::Key_Down, Qt::AltModifier);
    MouseWheel(Combo, {10, 10}, -120);
    MouseClick(Combo, {Combo->ClientWidth() - 5, 8});
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Combo->Text(), QStringLiteral("Apricot"));
    Combo->SelectAll();
    PressKey(Combo, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Apricot"));
    // A new window (another style) stays read-only.
    Combo->SetStyle(csSimple);
    Combo->SetStyle(csDropDown);
    EXPECT_TRUE(static_cast<QLineEdit*>(GetWindowHostedWidget(Combo->EditHandle()))->isReadOnly());
}

TEST_F(FramedCombos, TheWheelStepsThroughTheItemsAndStopsAtTheEnds)
{
    Fill({"een", "twee", "drie"});
    Focus();
    Combo->SetItemIndex(2);
    Heard.clear();
    MouseWheel(Combo, {10, 10}, -120);
    EXPECT_EQ(Combo->ItemIndex(), 2);
    EXPECT_TRUE(Heard.isEmpty()) << "the last item stays and nothing fires";
    MouseWheel(Combo, {10, 10}, 120);
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Heard, QStringList({"click", "change"}));
    Heard.clear();
    MouseWheel(Combo, {10, 10}, 120);
    MouseWheel(Combo, {10, 10}, 120);
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_EQ(Heard, QStringList({"click", "change"})) << "at the first item nothing fires";
    // The wheel turns the focused combo, not the one under the pointer.
    Other->Items()->Add(QStringLiteral("x"));
    Other->Items()->Add(QStringLiteral("y"));
    MouseWheel(Other, {10, 10}, -120);
    EXPECT_EQ(Other->ItemIndex(), -1);
    EXPECT_EQ(Combo->ItemIndex(), 1);
}

TEST_F(FramedCombos, SettingTheTextCompletesIt)
{
    Fill({"Apple", "Apricot"});
    Combo->SetText(QStringLiteral("Apr"));
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Combo->Text(), QStringLiteral("Apricot"));
    Combo->ForceText(QStringLiteral("Ap"));
    EXPECT_EQ(Combo->Text(), QStringLiteral("Ap")) << "forced text is not completed";
    Combo->SetItemIndex(-1);
    Combo->SetText(QString());
    EXPECT_EQ(Combo->ItemIndex(), -1) << "an empty text matches nothing";
    EXPECT_EQ(Combo->Text(), QString());
}

TEST_F(FramedCombos, ClearingTheSelectionWhileTypingKeepsTheUsersText)
{
    Combo->Items()->Add(QStringLiteral("Hello World"));
    Focus();
    Combo->ForceText(QStringLiteral("Hello Wereld"));
    Combo->Perform(CB_SETEDITSEL, 0, MAKELPARAM(3, 7));
    Backspace();
    EXPECT_EQ(Combo->Text(), QStringLiteral("Helereld"));
}

// Backspace, Delete and cutting take a selection away however it was made
// (the focus arriving by Tab, Ctrl+A, Shift+Home, Shift+End, a completion),
// and what is typed next starts from what the field then shows, never from
// a search typed before.
TEST_F(FramedCombos, DeletingASelectionLeavesWhatTheFieldShows)
{
    Fill({"Mevrouw", "Mejuffrouw", "Mijnheer", "Dokter", "Tandarts"});
    Other->SetTabOrder(0);
    Combo->SetTabOrder(1);
    const auto Keys = [this](int Times, int Key, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        for (int I = 0; I < Times; ++I)
            PressKey(Combo, Key, Mods);
    };
    const struct {
        const char* How;
        const char* Text;
        std::function<void()> Select;
        const char *Left, *Typed, *Result;
    } Cases[] = {
        {"Tab", "Mevrouw", [&] { PressKey(Other, Qt::Key_Tab); }, "", "Dokter", "Dokter"},
        {"Ctrl+A", "Prof. dr.", [&] { PressKey(Combo, Qt::Key_A, Qt::ControlModifier, "\x01"); }, "", "X", "X"},
        {"Shift+Home", "Prof. dr.", [&] { Keys(1, Qt::Key_Home, Qt::ShiftModifier); }, "", "t", "Tandarts"},
        {"Shift+End", "Mevrouw",
         [&] {
             Keys(1, Qt::Key_Home);
             Keys(3, Qt::Key_Right);
             Keys(1, Qt::Key_End, Qt::ShiftModifier);
         },
         "Mev", "x", "Mevx"},
        {"completion", "", [&] { Type("mev"); }, "Mev", "x", "Mevx"},
    };
    const struct {
        const char* Name;
        std::function<void()> Press;
    } Deletions[] = {
        {"Backspace", [&] { Backspace(); }},
        {"Delete", [&] { PressKey(Combo, Qt::Key_Delete); }},
        {"Ctrl+X", [&] { PressKey(Combo, Qt::Key_X, Qt::ControlModifier, "\x18"); }},
    };
    for (const auto& D : Deletions)
        for (const auto& C : Cases) {
            SCOPED_TRACE(testing::Message() << D.Name << " after " << C.How);
            if (QLatin1String(C.How) == "Tab")
                Other->SetFocus();
            Combo->ForceText(QString::fromLatin1(C.Text));
            Combo->SetSelStart(Combo->Text().size());
            C.Select();
            D.Press();
            EXPECT_EQ(Combo->Text(), QString::fromLatin1(C.Left));
            EXPECT_EQ(Combo->SearchString(), QString::fromLatin1(C.Left));
            Type(QString::fromLatin1(C.Typed));
            EXPECT_EQ(Combo->Text(), QString::fromLatin1(C.Result));
            EXPECT_EQ(Combo->ItemIndex(), Combo->Items()->IndexOf(C.Result));
        }
    EXPECT_EQ(Beeps, 0);
    // Without AllowEdit the text stays an item's: Backspace takes a whole
    // selection, and at the end steps back over what was typed.
    Combo->SetAllowEdit(false);
    Combo->SelectAll();
    Backspace();
    EXPECT_EQ(Combo->Text(), QString());
    Type("mej");
    Backspace();
    EXPECT_EQ(Combo->Text(), QStringLiteral("Mevrouw"));
    EXPECT_EQ(Selected(), QStringLiteral("vrouw"));
}

// The completion's own editing takes a character beyond the Basic
// Multilingual Plane as one: typed, stepped back over, deleted, or refused
// by the length limit, never half of it; a second half without its first
// is no character.
TEST_F(FramedCombos, ACharacterOfTwoCodeUnitsCompletesAndGoesWhole)
{
    const QString Grin = QString::fromUtf8("\U0001F600");
    Combo->Items()->Add(Grin + " blij");
    Combo->Items()->Add(Grin + "x");
    Focus();
    Type(Grin);
    EXPECT_EQ(Combo->Text(), Grin + " blij");
    EXPECT_EQ(Selected(), " blij");
    Type("x");
    EXPECT_EQ(Combo->ItemIndex(), 1);
    Backspace();
    EXPECT_EQ(Combo->SearchString(), Grin);
    EXPECT_EQ(Combo->Text(), Grin);
    // Free text: Delete before the pair takes both halves.
    Combo->ForceText("a" + Grin + "b");
    Combo->Perform(CB_SETEDITSEL, 0, MAKELPARAM(1, 1));
    PressKey(Combo, Qt::Key_Delete);
    EXPECT_EQ(Combo->Text(), "ab");
    EXPECT_EQ(Combo->SearchString(), "ab");
    PostMessage(Combo->EditHandle(), WM_CHAR, Grin.at(1).unicode(), 1);
    PumpMessages();
    EXPECT_EQ(Combo->Text(), "ab");
    EXPECT_EQ(Combo->SearchString(), "ab");
    // Without completion the limit refuses the pair whole, with one beep.
    Combo->SetAutoComplete(false);
    Combo->SetMaxLength(3);
    Combo->SetSelStart(2);
    Beeps = 0;
    Type(Grin);
    EXPECT_EQ(Combo->Text(), "ab");
    EXPECT_EQ(Beeps, 1);
}

TEST_F(FramedCombos, ItemDataIsHandedBackOnlyWhenTheItemGoes)
{
    TObject Data;
    QList<void*> Deleted;
    Combo->SetOnDeleteItem([&](TObject*, void* Item) { Deleted << Item; });
    Combo->Items()->AddObject(QStringLiteral("met"), &Data);
    Combo->Items()->Add(QStringLiteral("zonder"));
    Combo->SetStyle(csDropDownList);
    Combo->SetStyle(csDropDown);
    EXPECT_TRUE(Deleted.isEmpty()) << "a new window deletes nothing";
    Combo->Items()->Delete(0);
    EXPECT_EQ(Deleted, QList<void*>({&Data}));
}

TEST_F(FramedCombos, ValuesStandForTheirItems)
{
    Combo->SetStyle(csDropDownList);
    Fill({"Man", "Vrouw", "Onbekend"});
    Combo->Values()->Add(QStringLiteral("M"));
    Combo->Values()->Add(QStringLiteral("V"));
    Combo->SetValue(QStringLiteral("V"));
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Combo->Value(), QStringLiteral("V"));
    // An item without a value stands for its text.
    Combo->SetValue(QStringLiteral("Onbekend"));
    EXPECT_EQ(Combo->ItemIndex(), 2);
    Combo->SetValue(QStringLiteral("X"));
    EXPECT_EQ(Combo->ItemIndex(), -1);
    // The selection moved in code: the value is that of the item now.
    Combo->SetValue(QStringLiteral("M"));
    Combo->SetItemIndex(1);
    EXPECT_EQ(Combo->Value(), QStringLiteral("V"));
    Combo->SetValue(QStringLiteral("M"));
    EXPECT_EQ(Combo->ItemIndex(), 0);
}

TEST_F(FramedCombos, TheFlatButtonAndFrameShowTheHotState)
{
    Combo->SetFlatButtons(true);
    Combo->SetFrameVisible(true);
    Combo->SetFrameHotTrack(true);
    Combo->SetFrameColor(clRed);
    Combo->SetFrameHotColor(clBlue);
    Combo->SetColor(clWhite);
    const int Y = Combo->Height() / 2;
    QImage I = Shown(Combo);
    EXPECT_TRUE(PixelIs(I, 0, Y, ColorToRGB(clRed)));
    // Not hot: the button is the combo's colour with the arrow.
    const TRect Button = Bounds(Combo->ClientWidth() - 19, 2, 17, Combo->ClientHeight() - 4);
    EXPECT_EQ(CountColor(I, ColorToRGB(clBtnFace), Button), 0);
    EXPECT_GT(CountColor(I, Black, Button), 4);
    Focus();
    I = Shown(Combo);
    EXPECT_TRUE(PixelIs(I, 0, Y, ColorToRGB(clBlue)));
    EXPECT_TRUE(PixelIs(I, 1, Y, ColorToRGB(clBlue)));
    EXPECT_GT(CountColor(I, ColorToRGB(clBtnFace), Button), 40);
    EXPECT_TRUE(PixelIs(I, Button.Left, Button.Top + 3, ColorToRGB(clBtnHighlight)));
    // The mouse over the edit part makes it hot as well.
    Other->SetFocus();
    PumpMessages();
    EXPECT_TRUE(PixelIs(Shown(Combo), 0, Y, ColorToRGB(clRed)));
    MouseMove(Combo, {30, Y});
    EXPECT_TRUE(Combo->MouseHot());
    EXPECT_TRUE(PixelIs(Shown(Combo), 0, Y, ColorToRGB(clBlue)));
    MouseMove(Other, {30, 5});
    EXPECT_FALSE(Combo->MouseHot());
}

TEST_F(FramedCombos, WithNoItemsTypingIsFreeAndTheListStyleBeeps)
{
    Focus();
    Type(QStringLiteral("ab"));
    EXPECT_EQ(Combo->Text(), QStringLiteral("ab"));
    Backspace();
    Backspace();
    EXPECT_EQ(Combo->Text(), QString());
    EXPECT_EQ(Beeps, 0);
    Combo->SetStyle(csDropDownList);
    Focus();
    Type(QStringLiteral("a"));
    EXPECT_EQ(Beeps, 1);
    EXPECT_EQ(Combo->ItemIndex(), -1);
}

TEST_F(FramedCombos, EnterWithTabOnEnterMovesOn)
{
    Combo->SetTabOnEnter(true);
    Combo->SetTabOrder(0);
    Other->SetTabOrder(1);
    Focus();
    Type(QStringLiteral("x"));
    PressKey(Combo, Qt::Key_Return);
    PumpMessages();
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Combo->Text(), QStringLiteral("x"));
}

} // namespace
