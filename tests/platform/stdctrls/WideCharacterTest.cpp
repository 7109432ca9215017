// Characters beyond the Basic Multilingual Plane, two code units each, in
// the standard editors: typed on a keyboard or committed by an input
// method they arrive whole; a key handler that drops or changes one half
// never leaves the other behind; no limit, paste or mask parts them.
#include "tests/platform/stdctrls/StdCtrlsFixture.h"
#include "tests/support/Utf8Text.h"

#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/Memo.h"

namespace {

// U+1F600 and U+2000B (CJK Extension B).
const QString Grin = U("\U0001F600");
const QString Kanji = U("\U0002000B");

enum class TInput { Keys, InputMethod };

const char* InputName(TInput Input)
{
    return Input == TInput::Keys ? "keys" : "input method";
}

struct WideCharacters : StdFormCountingBeeps {
    template <typename T>
    T* Focused()
    {
        T* Editor = Make<T>(Bounds(10, 10, 200, 60));
        Editor->SetFocus();
        PumpMessages();
        return Editor;
    }
    TCustomEdit* FocusedEditor(bool Memo)
    {
        return Memo ? static_cast<TCustomEdit*>(Focused<TMemo>()) : Focused<TEdit>();
    }
    void Enter(TInput Input, const QString& Text)
    {
        if (Input == TInput::Keys)
            TypeCharacters(Form, Text);
        else
            CommitInput(Form, Text);
    }
};

bool HasLoneHalf(const QString& Text)
{
    for (qsizetype I = 0; I < Text.size(); ++I) {
        if (Text[I].isHighSurrogate() && I + 1 < Text.size() && Text[I + 1].isLowSurrogate())
            ++I;
        else if (Text[I].isSurrogate())
            return true;
    }
    return false;
}

TEST_F(WideCharacters, ArriveWholeInEditsMemosAndComboBoxes)
{
    const std::vector<std::pair<const char*, std::function<TWinControl*()>>> Kinds = {
        {"edit", [this] { return Focused<TEdit>(); }},
        {"memo", [this] { return Focused<TMemo>(); }},
        {"combo box", [this] { return Focused<TComboBox>(); }},
    };
    for (const auto& [Kind, Make] : Kinds)
        for (TInput Input : {TInput::Keys, TInput::InputMethod})
            for (const QString& C : {Grin, Kanji}) {
                SCOPED_TRACE(std::string(Kind) + ", " + InputName(Input) + ", " + C.toStdString());
                TWinControl* Editor = Make();
                Enter(Input, "a" + C + "b" + C);
                EXPECT_EQ(Editor->Text(), "a" + C + "b" + C);
                Editor->Free();
            }
}

// A key handler sees both halves, the high one first; whatever it does to
// one of them, the other never comes out alone.
TEST_F(WideCharacters, AHandlerThatDropsOrChangesAHalfLeavesNoHalfBehind)
{
    struct TCase {
        const char* What;
        std::function<void(QChar&)> Handler;
        QString Expected;
    };
    const std::vector<TCase> Cases = {
        {"passes both", [](QChar&) {}, "a" + Grin + "b"},
        {"drops the high half", [](QChar& K) { K = K.isHighSurrogate() ? QChar() : K; }, "ab"},
        {"drops the low half", [](QChar& K) { K = K.isLowSurrogate() ? QChar() : K; }, "ab"},
        {"changes the high half", [](QChar& K) { K = K.isHighSurrogate() ? QChar(u'x') : K; }, "axb"},
        {"changes the low half", [](QChar& K) { K = K.isLowSurrogate() ? QChar(u'y') : K; }, "ayb"},
    };
    for (const TCase& Case : Cases)
        for (TInput Input : {TInput::Keys, TInput::InputMethod}) {
            SCOPED_TRACE(std::string(Case.What) + ", " + InputName(Input));
            TEdit* Edit = Focused<TEdit>();
            QString Seen;
            Edit->SetOnKeyPress([&](TObject*, QChar& Key) {
                Seen += Key;
                Case.Handler(Key);
            });
            Enter(Input, "a" + Grin + "b");
            EXPECT_EQ(Seen, "a" + Grin + "b");
            EXPECT_EQ(Edit->Text(), Case.Expected);
            EXPECT_FALSE(HasLoneHalf(Edit->Text()));
            Edit->Free();
        }
}

// Letter case is changed character by character, letters beyond the
// plane included (U+10428 and U+10400, a Deseret letter's two cases).
TEST_F(WideCharacters, CharCaseChangesLettersOfTwoCodeUnits)
{
    const QString Small = U("\U00010428"), Capital = U("\U00010400");
    TEdit* Edit = Focused<TEdit>();
    Edit->SetCharCase(ecUpperCase);
    Enter(TInput::Keys, "a" + Small + Grin);
    EXPECT_EQ(Edit->Text(), "A" + Capital + Grin);
    Edit->SetCharCase(ecLowerCase);
    Edit->SetText(Capital + "B");
    EXPECT_EQ(Edit->Text(), Small + "b");
}

// A limit with room for one code unit refuses a character of two whole,
// when it is typed as when it is pasted.
TEST_F(WideCharacters, ALimitNeverPartsACharacter)
{
    for (bool Memo : {false, true}) {
        SCOPED_TRACE(Memo ? "memo" : "edit");
        TCustomEdit* Editor = FocusedEditor(Memo);
        Editor->SetMaxLength(3);
        Enter(TInput::Keys, "ab" + Grin);
        EXPECT_EQ(Editor->Text(), "ab");
        // Over a selection of one code unit, in a full text, as well.
        Enter(TInput::Keys, "c");
        Editor->SetSelStart(2);
        Editor->SetSelLength(1);
        Enter(TInput::Keys, Grin);
        EXPECT_EQ(Editor->Text(), "abc");
        Beeps = 0;
        Editor->SetText("a");
        Editor->SetSelStart(1);
        SetClipboardText("b" + Grin + "c");
        Editor->PasteFromClipboard();
        EXPECT_EQ(Editor->Text(), "ab");
        EXPECT_EQ(Beeps, 1);
        Editor->Free();
    }
}

// A mask position holds one code unit: a character of two fits none and
// is refused whole, with one beep, wherever it comes from.
TEST_F(WideCharacters, AMaskRefusesACharacterOfTwoWhole)
{
    auto* Edit = Focused<TMaskEdit>();
    Edit->SetEditMask("ccc;1;_");
    for (TInput Input : {TInput::Keys, TInput::InputMethod}) {
        SCOPED_TRACE(InputName(Input));
        Edit->SetText("");
        Edit->SetSelStart(0);
        Beeps = 0;
        Enter(Input, Kanji + "k");
        EXPECT_EQ(Edit->EditText(), "k__");
        EXPECT_EQ(Beeps, 1);
    }
    Edit->SetText("");
    Edit->SetSelStart(0);
    SetClipboardText("a" + Grin + "b");
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->EditText(), "a__");
}

} // namespace
