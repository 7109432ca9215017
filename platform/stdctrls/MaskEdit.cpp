#include "platform/stdctrls/MaskEdit.h"

#include "platform/classes/TypInfo.h"
#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/LineEditWindow.h"

#include <QApplication>
#include <QClipboard>

REGISTER_COMPONENT(TCustomMaskEdit, TCustomEdit)
    PUBLISHED(EditMask, String())
END_REGISTER

REGISTER_COMPONENT(TMaskEdit, TCustomMaskEdit)
END_REGISTER

namespace {

const char* const MaskEditError = "Invalid input value.  Use escape key to abandon changes";

} // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner)
{}

void TCustomMaskEdit::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    // The window shows the edit text, whatever Text reads.
    Params.Caption = EditText();
}

void TCustomMaskEdit::DestroyWnd()
{
    // The window keeps the edit text; the control keeps it after the
    // window has gone, not the value Text makes of it.
    const String Shown = EditText();
    TCustomEdit::DestroyWnd();
    TCustomEdit::SetTextBuf(Shown);
}

// --- the mask and the two texts ----------------------------------------------------------------

void TCustomMaskEdit::SetEditMask(const TEditMask& Value)
{
    if (FEditMask == Value)
        return;
    const String Value0 = GetText();
    FEditMask = Value;
    FLayout = TMaskLayout(Value);
    TCustomEdit::SetTextBuf(IsMasked() ? FLayout.EditTextFromText(Value0) : Value0);
    FOldValue = EditText();
}

String TCustomMaskEdit::EditText()
{
    return TCustomEdit::GetText();
}

void TCustomMaskEdit::SetEditText(const String& Value)
{
    if (EditText() != Value)
        TCustomEdit::SetTextBuf(Value);
    FOldValue = EditText();
}

String TCustomMaskEdit::GetText()
{
    const String Shown = TCustomEdit::GetText();
    return IsMasked() ? FLayout.TextFromEditText(Shown) : Shown;
}

void TCustomMaskEdit::SetTextBuf(const String& Value)
{
    TCustomEdit::SetTextBuf(IsMasked() ? FLayout.EditTextFromText(Value) : Value);
    FOldValue = EditText();
}

// --- validation --------------------------------------------------------------------------------

void TCustomMaskEdit::ValidateEdit()
{
    if (!IsMasked() || !Modified())
        return;
    const int Pos = FLayout.FirstInvalid(EditText());
    if (Pos < 0)
        return;
    // The user stays in the edit, on the position to correct; coming back
    // is no new entry, so Escape still gives back the text from before.
    if (!ComponentState().Contains(csDesigning) && HandleAllocated() && !Focused() && CanFocus()) {
        FReEnter = true;
        SetFocus();
    }
    SetCursor(Pos);
    ValidateError();
}

void TCustomMaskEdit::ValidateError()
{
    MessageBeep(MB_OK_BEEP);
    throw EDBEditError(QString::fromLatin1(MaskEditError));
}

void TCustomMaskEdit::Reset()
{
    if (!Modified())
        return;
    TCustomEdit::SetTextBuf(FOldValue);
    SetModified(false);
    SelectAll();
}

bool TCustomMaskEdit::EditCanModify()
{
    return true;
}

// The edit is asked first: a data-aware edit leaves read-only when its
// record goes into edit mode, which this question brings about.
bool TCustomMaskEdit::CanModify()
{
    return EditCanModify() && !ReadOnly();
}

// --- the caret ----------------------------------------------------------------------------------

void TCustomMaskEdit::SetCursor(int Pos)
{
    if (!HandleAllocated())
        return;
    Pos = std::clamp(Pos, 0, FLayout.Length());
    Perform(EM_SETSEL, WPARAM(Pos), Pos);
}

void TCustomMaskEdit::CheckCursor()
{
    if (!IsMasked() || !HandleAllocated() || SelLength() != 0)
        return;
    const int Pos = SelStart();
    if (FLayout.IsLiteral(Pos) && Pos < FLayout.Length())
        SetCursor(FLayout.NextInput(Pos));
}

void TCustomMaskEdit::MoveCaret(WORD Key)
{
    const int Pos = SelLength() != 0 && Key == VK_LEFT ? SelStart() : SelStart() + SelLength();
    int To = Pos;
    switch (Key) {
    case VK_LEFT: {
        const int Prior = FLayout.PriorInput(SelLength() != 0 ? Pos + 1 : Pos);
        To = Prior >= 0 ? Prior : FLayout.FirstInput();
        break;
    }
    case VK_RIGHT:
        To = SelLength() != 0 ? Pos : FLayout.NextInput(Pos + 1);
        break;
    case VK_HOME:
        To = FLayout.FirstInput();
        break;
    case VK_END:
        To = FLayout.Length();
        break;
    default:
        break;
    }
    SetCursor(To);
}

// --- editing ------------------------------------------------------------------------------------

String TCustomMaskEdit::BlankRange(int Start, int End)
{
    const String Empty = FLayout.EmptyEditText();
    return Empty.mid(Start, End - Start);
}

void TCustomMaskEdit::ReplaceRange(int Start, int End, const String& Replacement, int Caret)
{
    // Through the edit's own replace, so that Qt's undo list keeps it and
    // the text counts as changed by the user.
    Perform(EM_SETSEL, WPARAM(Start), End);
    Perform(EM_REPLACESEL, TRUE, PtrToLParam(&Replacement));
    SetCursor(Caret);
}

void TCustomMaskEdit::InputChar(QChar C)
{
    int Pos = SelStart();
    const int SelEnd = Pos + SelLength();
    if (SelEnd > Pos)
        ReplaceRange(Pos, SelEnd, BlankRange(Pos, SelEnd), Pos);
    Pos = FLayout.NextInput(Pos);
    if (Pos >= FLayout.Length() || !FLayout.Position(Pos).Accepts(C)) {
        MessageBeep(MB_OK_BEEP);
        return;
    }
    ReplaceRange(Pos, Pos + 1, String(FLayout.Position(Pos).Convert(C)), FLayout.NextInput(Pos + 1));
}

void TCustomMaskEdit::DeleteKeys(bool Backspace)
{
    int Start = SelStart();
    int End = Start + SelLength();
    if (Start == End) {
        if (Backspace) {
            Start = FLayout.PriorInput(Start);
            if (Start < 0)
                return;
        } else {
            Start = FLayout.NextInput(Start);
            if (Start >= FLayout.Length())
                return;
        }
        End = Start + 1;
    }
    ReplaceRange(Start, End, BlankRange(Start, End), Backspace ? Start : SelStart());
}

void TCustomMaskEdit::PasteMasked(const String& Text)
{
    if (!CanModify())
        return;
    for (QChar C : Text) {
        const int Pos = SelStart();
        if (Pos >= FLayout.Length())
            break;
        // Literals of the pasted text pass over the mask's own.
        if (FLayout.IsLiteral(Pos) && FLayout.Position(Pos).Char == C) {
            SetCursor(Pos + 1);
            continue;
        }
        const int Target = FLayout.NextInput(Pos);
        const bool Fits = Target < FLayout.Length() && FLayout.Position(Target).Accepts(C);
        if (!Fits && IsMaskLiteral(C))
            continue;
        if (!Fits) {
            MessageBeep(MB_OK_BEEP);
            break;
        }
        InputChar(C);
    }
}

bool TCustomMaskEdit::IsMaskLiteral(QChar C) const
{
    for (int I = 0; I < FLayout.Length(); ++I)
        if (FLayout.IsLiteral(I) && FLayout.Position(I).Char == C)
            return true;
    return false;
}

void TCustomMaskEdit::CutMasked(bool Copy)
{
    const int Start = SelStart();
    const int End = Start + SelLength();
    if (Start == End)
        return;
    if (Copy && QApplication::clipboard() != nullptr && PasswordChar().isNull())
        QApplication::clipboard()->setText(EditText().mid(Start, End - Start));
    if (CanModify())
        ReplaceRange(Start, End, BlankRange(Start, End), Start);
}

// --- input ---------------------------------------------------------------------------------------

void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomEdit::KeyDown(Key, Shift);
    if (!IsMasked() || Key == 0 || Shift.Contains(ssAlt))
        return;
    switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
        // With Shift the selection grows as Qt grows it.
        if (!Shift.Contains(ssShift)) {
            MoveCaret(Key);
            Key = 0;
        }
        break;
    case VK_DELETE:
        // Shift+Delete cuts; the edit window sends WM_CUT for it.
        if (!Shift.Contains(ssShift)) {
            if (CanModify())
                DeleteKeys(false);
            Key = 0;
        }
        break;
    default:
        break;
    }
}

void TCustomMaskEdit::KeyPress(QChar& Key)
{
    TCustomEdit::KeyPress(Key);
    if (!IsMasked() || Key.isNull())
        return;
    if (Key == QChar(27)) {
        Reset();
        Key = QChar();
    } else if (Key == QChar(8)) {
        if (CanModify())
            DeleteKeys(true);
        Key = QChar();
    } else if (Key.isLowSurrogate()) {
        // No position takes half a character: its first half was refused
        // (with a beep) already.
        Key = QChar();
    } else if (Key.unicode() >= 32) {
        if (CanModify())
            InputChar(Key);
        else
            MessageBeep(MB_OK_BEEP);
        Key = QChar();
    }
}

void TCustomMaskEdit::WndProc(TMessage& Message)
{
    if (IsMasked() && HandleAllocated()) {
        switch (Message.Msg) {
        case WM_PASTE:
            PasteMasked(PasteText(Message.WParam));
            return;
        case WM_CUT:
            CutMasked(true);
            return;
        case WM_CLEAR:
            CutMasked(false);
            return;
        default:
            break;
        }
    }
    TCustomEdit::WndProc(Message);
    if (Message.Msg == WM_LBUTTONUP && IsMasked())
        CheckCursor();
}

void TCustomMaskEdit::CMEnter(TMessage& Message)
{
    if (!FReEnter)
        FOldValue = EditText();
    FReEnter = false;
    TCustomEdit::CMEnter(Message);
    CheckCursor();
}

void TCustomMaskEdit::CMExit(TMessage& Message)
{
    if (IsMasked() && !ComponentState().Contains(csDesigning)) {
        ValidateEdit();
        CheckCursor();
    }
    TCustomEdit::CMExit(Message);
}
