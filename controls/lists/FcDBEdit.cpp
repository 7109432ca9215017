#include "controls/lists/FcDBEdit.h"

#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcMessages.h"
#include "platform/classes/TypInfo.h"
#include "platform/db/Field.h"
#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/MemoWindow.h"

REGISTER_COMPONENT(TFcDBEdit, TFcCustomEdit)
    UNPUBLISHED(Text)
    UNPUBLISHED(EditMask)
    PUBLISHED(BeepOnInvalidKey, true)
    PUBLISHED(DataField, String())
    PUBLISHED(DataSource, nullptr)
    PUBLISHED(ReadOnly, false)
END_REGISTER

REGISTER_COMPONENT(TFcDBMemo, TDBMemo)
    FC_PUBLISHED_MEMO_PROPERTIES
END_REGISTER

namespace {

bool IsStringField(const TField* F)
{
    return F != nullptr && (F->DataType() == ftString || F->DataType() == ftWideString);
}

} // namespace

void PaintAsCopy(TCustomPanel* Copy, TControl* Control, TField* Field, const String& Text, WPARAM DC)
{
    Copy->SetBounds(Control->Left(), Control->Top(), Control->Width(), Control->Height());
    if (Field != nullptr)
        Copy->SetAlignment(Field->Alignment());
    Copy->Perform(WM_SETTEXT, 0, PtrToLParam(&Text));
    Copy->Perform(WM_PAINT, DC, 0);
}

// --- the copies ------------------------------------------------------------------------------------

TFcPaintEdit::TFcPaintEdit(TComponent* AOwner, TFcCustomEdit* Edit) : TCustomPanel(AOwner), FEdit(Edit)
{
    SetAlignment(taLeftJustify);
    SetBevelOuter(bvNone);
}

void TFcPaintEdit::PaintBackground(TWinControl* Control, TColor Color, bool FrameVisible, TFrameStyle FrameStyle,
                                   TColor FrameColor, TSides FrameSides)
{
    TCanvas* C = Canvas();
    C->SetFont(Control->Font());
    C->Brush()->SetColor(Color);
    const TRect R = ClientRect();
    C->FillRect(R);
    if (!FrameVisible)
        return;
    if (FrameStyle == fsFlat)
        PaintSideLines(C, R, FrameColor, FrameColor, FrameSides);
    else if (ColorToRGB(Color) == ColorToRGB(clWindow))
        PaintFrameStyleSides(C, R, FrameStyle, FrameSides);
    else
        PaintColoredFrameSides(C, R, Color, FrameStyle, FrameSides);
}

void TFcPaintEdit::Paint()
{
    PaintBackground(FEdit, FEdit->Color(), FEdit->FrameVisible(), FEdit->FrameStyle(), FEdit->FrameColor(),
                    FEdit->FrameSides());
    TCanvas* C = Canvas();
    const bool Frame = FEdit->FrameVisible();
    TRect R = FEdit->GetEditRect();
    if (Frame)
        InflateRect(R, -2, -2);
    int X = R.Left + (Frame ? 0 : 1);
    unsigned Align = TA_LEFT;
    if (Alignment() == taRightJustify) {
        Align = TA_RIGHT;
        X = R.Right - (Frame ? 1 : 2);
    } else if (Alignment() == taCenter) {
        Align = TA_CENTER;
        X = R.Left + R.Width() / 2;
    }
    const int Y = R.Top + (R.Height() - C->TextHeight(QStringLiteral("Pp"))) / 2 - 1;
    SetTextAlign(C->Handle(), Align);
    C->TextRect(R, X, Y, Caption());
}

TFcPaintMemo::TFcPaintMemo(TComponent* AOwner, TFcDBMemo* Memo) : TFcPaintEdit(AOwner, nullptr), FMemo(Memo)
{}

void TFcPaintMemo::Paint()
{
    PaintBackground(FMemo, FMemo->Color(), FMemo->FrameVisible(), FMemo->FrameStyle(), FMemo->FrameColor(),
                    FMemo->FrameSides());
    TRect R = FMemo->ClientRect();
    InflateRect(R, -1, FMemo->FrameVisible() ? -2 : -1);
    R.Left += 1;
    R.Right -= 4;
    const unsigned Align = Alignment() == taRightJustify ? DT_RIGHT : Alignment() == taCenter ? DT_CENTER : DT_LEFT;
    TCanvas* C = Canvas();
    DrawText(C->Handle(), Caption(), -1, &R, Align | DT_EDITCONTROL | DT_EXPANDTABS | DT_WORDBREAK);
}

// --- the edit ----------------------------------------------------------------------------------------

TFcDBEdit::TFcDBEdit(TComponent* AOwner) : TFcCustomEdit(AOwner), FDataLink(std::make_unique<TFieldDataLink>())
{
    SetEditReadOnly(true);
    FPaintControl = new TFcPaintEdit(this, this);
    FPaintControl->SetVisible(false);
    FPaintControl->SetParent(this);
    FControlStyle.Include(csReplicatable);
    FDataLink->SetControl(this);
    FDataLink->SetOnDataChange([this](TObject*) { DataChange(); });
    FDataLink->SetOnEditingChange([this](TObject*) { EditingChange(); });
    FDataLink->SetOnUpdateData([this](TObject*) { UpdateData(); });
    FDataLink->SetOnActiveChange([this](TObject*) { ActiveChange(); });
}

TFcDBEdit::~TFcDBEdit()
{
    // Leaving the data source tells the link; this edit is half gone.
    FDataLink->SetOnDataChange(nullptr);
    FDataLink->SetOnEditingChange(nullptr);
    FDataLink->SetOnUpdateData(nullptr);
    FDataLink->SetOnActiveChange(nullptr);
}

void TFcDBEdit::CreateWnd()
{
    TFcCustomEdit::CreateWnd();
    UpdateReadOnlyInput();
}

void TFcDBEdit::Loaded()
{
    TFcCustomEdit::Loaded();
    ResetMaxLength();
    if (ComponentState().Contains(csDesigning))
        DataChange();
}

void TFcDBEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TFcCustomEdit::Notification(AComponent, Operation);
    if (Operation == opRemove && FDataLink != nullptr && AComponent == DataSource())
        SetDataSource(nullptr);
}

// --- properties ----------------------------------------------------------------------------------------

void TFcDBEdit::SetDataField(const String& Value)
{
    if (!ComponentState().Contains(csDesigning))
        ResetMaxLength();
    FDataLink->SetFieldName(Value);
}

void TFcDBEdit::SetDataSource(TDataSource* Value)
{
    FDataLink->SetControlDataSource(Value);
}

void TFcDBEdit::SetReadOnly(bool Value)
{
    FDataLink->SetReadOnly(Value);
    ReadOnlyChanged();
}

void TFcDBEdit::SetEditReadOnly(bool Value)
{
    TFcCustomEdit::SetReadOnly(Value);
}

// A field that can be changed takes input-method text while the window is
// read-only: the characters ask the link to edit, as typed ones do.
void TFcDBEdit::UpdateReadOnlyInput()
{
    if (HandleAllocated())
        Perform(QV_EM_SETREADONLYINPUT, FDataLink->CanModify() ? TRUE : FALSE, 0);
}

// A MaxLength taken from a field's size does not outlive the link to it,
// also when the data set has gone (then no field can be asked its size).
void TFcDBEdit::ResetMaxLength()
{
    if (MaxLength() > 0 && MaxLength() == FFieldMaxLength)
        SetMaxLength(0);
    FFieldMaxLength = 0;
}

// --- the field -------------------------------------------------------------------------------------------

// The link reads its field before it reports the change of state: the
// field is read once more, so that a MaxLength dropped for the old field
// is taken from the new one at once.
void TFcDBEdit::ActiveChange()
{
    ResetMaxLength();
    if (FDataLink->Active() && Field() != nullptr)
        FDataLink->Reset();
}

TAlignment TFcDBEdit::FieldAlignment() const
{
    return Field() != nullptr ? Field()->Alignment() : taLeftJustify;
}

void TFcDBEdit::ApplyFieldAlignment()
{
    SetAlignment(FieldAlignment());
}

void TFcDBEdit::DataChange()
{
    TField* F = Field();
    if (F == nullptr) {
        FAlignment = taLeftJustify;
        ApplyFieldAlignment();
        SetEditMask(String());
        SetEditText(ComponentState().Contains(csDesigning) ? Name() : String());
        return;
    }
    if (F->Alignment() != FAlignment) {
        SetEditText(String());
        FAlignment = F->Alignment();
        ApplyFieldAlignment();
    }
    SetEditMask(F->EditMask());
    if (!ComponentState().Contains(csDesigning) && IsStringField(F) && MaxLength() == 0) {
        SetMaxLength(F->Size());
        FFieldMaxLength = F->Size();
    }
    if (FFocused && FDataLink->CanModify()) {
        SetText(F->Text());
    } else {
        SetEditText(F->DisplayText());
        if (FDataLink->Editing())
            SetModified(true);
    }
}

void TFcDBEdit::EditingChange()
{
    SetEditReadOnly(!FDataLink->Editing());
    UpdateReadOnlyInput();
}

void TFcDBEdit::UpdateData()
{
    ValidateEdit();
    Field()->SetText(Text());
}

void TFcDBEdit::SetFocused(bool Value)
{
    if (!AssignIfChanged(FFocused, Value))
        return;
    if (Alignment() != taLeftJustify && !IsMasked())
        Invalidate();
    FDataLink->Reset();
}

String TFcDBEdit::GetPaintText()
{
    const String S = Field() != nullptr ? Field()->DisplayText() : String();
    if (PasswordChar().isNull())
        return S;
    return String(S.size(), PasswordChar());
}

// --- editing ---------------------------------------------------------------------------------------------

bool TFcDBEdit::EditCanModify()
{
    return FDataLink->Edit();
}

void TFcDBEdit::Reset()
{
    TFcCustomEdit::Reset();
    FDataLink->Reset();
    SelectAll();
}

void TFcDBEdit::Change()
{
    FDataLink->Modified();
    TFcCustomEdit::Change();
}

void TFcDBEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TFcCustomEdit::KeyDown(Key, Shift);
    if (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift)))
        FDataLink->Edit();
}

void TFcDBEdit::KeyPress(QChar& Key)
{
    TFcCustomEdit::KeyPress(Key);
    const char16_t C = Key.unicode();
    // Without a field there is nothing to ask about the character: it is
    // handled as any edit would.
    if (C >= 32 && Field() != nullptr && !Field()->IsValidChar(Key)) {
        // A character of two code units beeps once, for its first half.
        if (BeepOnInvalidKey() && !Key.isLowSurrogate())
            MessageBeep(MB_OK_BEEP);
        Key = QChar();
        return;
    }
    if (C == 8 || C == 22 || C == 24 || C >= 32) {
        FDataLink->Edit();
    } else if (C == 27) {
        // The masked edit has reset already (through Reset, as here).
        FDataLink->Reset();
        SelectAll();
        Key = QChar();
    }
}

void TFcDBEdit::CMEnter(TMessage& Message)
{
    // Whether the field can be changed may have changed meanwhile (a data
    // set made read-only tells no one).
    UpdateReadOnlyInput();
    SetFocused(true);
    TFcCustomEdit::CMEnter(Message);
}

// The text goes into the field on leaving; a text the field refuses keeps
// the user in the edit with it, all selected, and the error is reported.
void TFcDBEdit::CMExit(TMessage& Message)
{
    (void)Message;
    UpdateFrame(false, false);
    try {
        if (FDataLink->Editing())
            FDataLink->UpdateRecord();
    } catch (...) {
        SelectAll();
        if (CanFocus())
            SetFocus();
        throw;
    }
    SetFocused(false);
    CheckCursor();
    DoExit();
}

// --- messages ----------------------------------------------------------------------------------------------

void TFcDBEdit::PaintMessage(TMessage& Message)
{
    // The window is made again only outside painting.
    if (Alignment() != FieldAlignment() && HandleAllocated())
        PostMessage(FHandle, CM_APPLYFIELDALIGNMENT, 0, 0);
    if (FControlState.Contains(csPaintCopy)) {
        PaintAsCopy(FPaintControl, this, Field(), GetPaintText(), Message.WParam);
        return;
    }
    FPaintControl->SetBounds(0, 0, 0, 0);
    BeforePaint();
    TFcCustomEdit::WndProc(Message);
}

void TFcDBEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        PaintMessage(Message);
        return;
    case WM_CUT:
    case WM_PASTE:
    case WM_UNDO:
        FDataLink->Edit();
        break;
    case CM_GETDATALINK:
        Message.Result = LRESULT(FDataLink.get());
        return;
    case CM_APPLYFIELDALIGNMENT:
        ApplyFieldAlignment();
        return;
    default:
        break;
    }
    TFcCustomEdit::WndProc(Message);
}

// --- the memo ------------------------------------------------------------------------------------------------

TFcDBMemo::TFcDBMemo(TComponent* AOwner) : TFcMemoControl<TDBMemo>(AOwner)
{
    FPaintControl = new TFcPaintMemo(this, this);
    FPaintControl->SetVisible(false);
    FPaintControl->SetParent(this);
}

String TFcDBMemo::GetPaintText()
{
    TField* F = Field();
    if (F == nullptr)
        return String();
    if (!F->IsBlob())
        return F->DisplayText();
    if (AutoDisplay())
        return WithClassicLineBreaks(F->AsString());
    return QStringLiteral("(%1)").arg(F->DisplayLabel());
}

void TFcDBMemo::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_PAINT) {
        TFcMemoControl::WndProc(Message);
        return;
    }
    if (FControlState.Contains(csPaintCopy)) {
        PaintAsCopy(FPaintControl, this, Field(), GetPaintText(), Message.WParam);
        return;
    }
    FPaintControl->SetBounds(0, 0, 0, 0);
    TFcMemoControl::WndProc(Message);
}

void TFcDBEdit::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    (void)Proc;
    (void)Root;
}

void TFcDBMemo::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    (void)Proc;
    (void)Root;
}
