#include "platform/dbctrls/InplaceEdit.h"

#include "platform/dbctrls/Grids.h"
#include "platform/stdctrls/EditMessages.h"

TInplaceEdit::TInplaceEdit(TCustomGrid* Grid) : TCustomMaskEdit(Grid), FGrid(Grid)
{
    SetAutoSize(false);
    SetBorderStyle(bsNone);
    SetTabStop(false);
    SetVisible(false);
}

void TInplaceEdit::CreateParams(TCreateParams& Params)
{
    TCustomMaskEdit::CreateParams(Params);
    Params.Style &= ~DWORD(WS_TABSTOP);
}

void TInplaceEdit::UpdateContents()
{
    const int Col = FGrid->Col();
    const int Row = FGrid->Row();
    SetEditMask(FGrid->GetEditMask(Col, Row));
    SetMaxLength(IsMasked() ? 0 : FGrid->GetEditLimit());
    SetText(FGrid->GetEditText(Col, Row));
    SetModified(false);
    SelectAll();
}

bool TInplaceEdit::EditCanModify()
{
    return FGrid->CanEditModify();
}

bool TInplaceEdit::CaretAtStart()
{
    return SelLength() == 0 && SelStart() == 0;
}

bool TInplaceEdit::CaretAtEnd()
{
    return SelLength() == 0 && SelStart() >= EditText().size();
}

bool TInplaceEdit::IsGridKey(WORD Key, TShiftState Shift)
{
    const bool Plain = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
    case VK_RETURN:
    case VK_F(2):
        return true;
    case VK_TAB:
        return !Shift.Contains(ssAlt);
    case VK_INSERT:
        return Plain;
    case VK_DELETE:
        return Shift.Contains(ssCtrl);
    case VK_HOME:
    case VK_END:
        return Shift.Contains(ssCtrl);
    case VK_LEFT:
        return Plain && CaretAtStart();
    case VK_RIGHT:
        return Plain && CaretAtEnd();
    default:
        return false;
    }
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (IsGridKey(Key, Shift)) {
        FGrid->EditorKeyDown(Key, Shift);
        Key = 0;
        return;
    }
    // A plain edit deletes through Qt: ask first, as the masked one does.
    if (Key == VK_DELETE && !IsMasked() && !FGrid->CanEditModify()) {
        Key = 0;
        return;
    }
    TCustomMaskEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(QChar& Key)
{
    // Tab, Enter and Escape went to the grid as keys.
    if (Key == QChar(u'\t') || Key == QChar(u'\r') || Key == QChar(27)) {
        Key = QChar();
        return;
    }
    if (!IsMasked() && (Key.unicode() >= 32 || Key == QChar(8)) && !FGrid->CanEditModify()) {
        // A character of two code units beeps once, for its first half.
        if (!Key.isLowSurrogate())
            MessageBeep(MB_OK_BEEP);
        Key = QChar();
        return;
    }
    TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
        if (!IsMasked() && !FGrid->CanEditModify())
            return;
        break;
    default:
        break;
    }
    TCustomMaskEdit::WndProc(Message);
    if (Message.Msg == WM_GETDLGCODE && FGrid->Options().Contains(goTabs))
        Message.Result |= DLGC_WANTTAB;
}
