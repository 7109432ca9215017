// Characters beyond the Basic Multilingual Plane, two code units each, in
// the standard editors: typed on a keyboard or committed by an input
// method they arrive whole; a key handler that drops or changes one half
// never leaves the other behind.
#include "tests/platform/stdctrls/StdCtrlsFixture.h"
#include "tests/support/Utf8Text.h"

#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
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

struct WideCharacters : StdForm {
    template <typename T>
    T* Focused()
    {
        T* Editor = Make<T>(Bounds(10, 10, 200, 60));
        Editor->SetFocus();
        PumpMessages();
        return Editor;
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

} // namespace
