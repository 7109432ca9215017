// The mouse in the edits and memos beyond the left button's clicks: no
// text leaves them by dragging.
#include "tests/platform/stdctrls/StdCtrlsFixture.h"

#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Memo.h"

namespace {

struct EditorMouse : StdForm {
    template <typename T>
    T* MakeEditor(const QString& Text)
    {
        T* Editor = Make<T>(Bounds(10, 10, 200, std::is_base_of_v<TCustomMemo, T> ? 80 : 21));
        Editor->SetText(Text);
        return Editor;
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

} // namespace
