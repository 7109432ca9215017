// The mouse in the edits and memos beyond the left button's clicks: no
// text leaves them by dragging, and the middle button pastes the desktop's
// primary selection at the click through the control's own paste, with
// every rule a paste has.
#include "tests/platform/stdctrls/StdCtrlsFixture.h"
#include "tests/support/PrimarySelection.h"

#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/Memo.h"

namespace {

struct EditorMouse : StdFormCountingBeeps {
    int Changes = 0;
    TScriptedPrimarySelection Primary;
    template <typename T>
    T* MakeEditor(const QString& Text, int MaxLength = 0)
    {
        T* Editor = Make<T>(Bounds(10, 10, 200, std::is_base_of_v<TCustomMemo, T> ? 80 : 21));
        Editor->SetText(Text);
        Editor->SetMaxLength(MaxLength);
        Editor->SetOnChange([this](TObject*) { ++Changes; });
        return Editor;
    }
    // A middle-click past the end of the text (the last line of a memo).
    static void MiddleClickAtTheEnd(TCustomEdit* Editor)
    {
        const TPoint P{Editor->ClientWidth() - 4, Editor->ClientHeight() - 4};
        MouseDown(Editor, P, Qt::MiddleButton);
        MouseUp(Editor, P, Qt::MiddleButton);
    }
};

// A press in the selection and a move beyond the drag distance select
// anew from the press, as the classic edit and memo do: Qt's drag would
// carry the selected text out of the field, and out of the record when it
// is dropped on another program.
TEST_F(EditorMouse, APressInTheSelectionSelectsAnewAndDragsNoTextOut)
{
    const QString Text = QStringLiteral("Oppas op woensdagmiddag.");
    for (const bool IsMemo : {false, true}) {
        SCOPED_TRACE(IsMemo ? "memo" : "edit");
        TCustomEdit* Editor = IsMemo ? static_cast<TCustomEdit*>(MakeEditor<TMemo>(Text))
                                     : static_cast<TCustomEdit*>(MakeEditor<TEdit>(Text));
        Editor->SetFocus();
        Editor->SelectAll();
        const TPoint Press{20, 8};
        MouseMove(Editor, Press);
        MouseDown(Editor, Press);
        MouseMove(Editor, {Press.X + 30, Press.Y}, Qt::LeftButton);
        MouseMove(Editor, {Press.X + 60, Press.Y}, Qt::LeftButton);
        MouseUp(Editor, {Press.X + 60, Press.Y});
        EXPECT_EQ(Editor->Text(), Text);
        EXPECT_GT(Editor->SelStart(), 0);
        EXPECT_GT(Editor->SelLength(), 0);
        EXPECT_LT(Editor->SelLength(), Text.size());
        Editor->Free();
    }
}

struct TMiddlePasteCase {
    const char* What;
    const char* Text;
    int MaxLength;
    const char* Primary;
    const char* Expected;
    int Beeps;
};

// Into an edit as Ctrl+V pastes: the first line only, cut to fit with a
// beep; into a memo with its lines, within its limit.
TEST_F(EditorMouse, AMiddleClickPastesThePrimarySelectionAsAPasteDoes)
{
    const TMiddlePasteCase Cases[] = {
        {"edit, lines", "Nederlandse", 0, "Regel1\nRegel2\tTab", "NederlandseRegel1", 0},
        {"edit, a triple-clicked line", "", 0, "Jansen\n", "Jansen", 0},
        {"edit, too long", "Nederlandse", 15, "Regel1\r\nRegel2", "NederlandseRege", 1},
        {"memo, lines", "Oppas", 0, "op\nwoensdag", "Oppasop\r\nwoensdag", 0},
        {"memo, too long", "Oppas", 12, "op\nwoensdag", "Oppasop\r\nwoen", 1},
    };
    for (const TMiddlePasteCase& C : Cases) {
        SCOPED_TRACE(C.What);
        const bool IsMemo = QByteArray(C.What).startsWith("memo");
        TCustomEdit* Editor = IsMemo ? static_cast<TCustomEdit*>(MakeEditor<TMemo>(C.Text, C.MaxLength))
                                     : static_cast<TCustomEdit*>(MakeEditor<TEdit>(C.Text, C.MaxLength));
        Primary.SetText(QString::fromLatin1(C.Primary));
        Beeps = Changes = 0;
        MiddleClickAtTheEnd(Editor);
        EXPECT_TRUE(Editor->Focused()) << "the click takes the focus";
        EXPECT_EQ(Editor->Text(), QString::fromLatin1(C.Expected));
        EXPECT_EQ(Beeps, C.Beeps);
        EXPECT_EQ(Changes, 1);
        Editor->Free();
    }
}

TEST_F(EditorMouse, TheMiddleClickPastesWhereItLandsAndNotIntoAReadOnlyEdit)
{
    auto* Edit = MakeEditor<TEdit>(QStringLiteral("Hollandse"));
    Edit->SetFocus();
    Edit->SelectAll();
    Primary.SetText(QStringLiteral("Nieuw-"));
    MouseDown(Edit, {1, 8}, Qt::MiddleButton);
    MouseUp(Edit, {1, 8}, Qt::MiddleButton);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Nieuw-Hollandse")) << "the selection is no part of it";
    Edit->SetReadOnly(true);
    MiddleClickAtTheEnd(Edit);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Nieuw-Hollandse"));
}

TEST_F(EditorMouse, AMiddleClickPastesThroughTheMask)
{
    auto* Edit = MakeEditor<TMaskEdit>(QString());
    Edit->SetEditMask(QStringLiteral("(000)_000;0;_"));
    Primary.SetText(QStringLiteral("(415) 5a6"));
    MouseDown(Edit, {1, 8}, Qt::MiddleButton);
    MouseUp(Edit, {1, 8}, Qt::MiddleButton);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(415) 5__"));
    EXPECT_EQ(Beeps, 1) << "the character the mask refuses";
}

} // namespace
