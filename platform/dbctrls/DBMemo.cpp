#include "platform/dbctrls/DBMemo.h"

#include "platform/classes/TypInfo.h"
#include "platform/db/Field.h"
#include "platform/stdctrls/EditMessages.h"

REGISTER_COMPONENT(TDBMemo, TCustomMemo)
    UNPUBLISHED(Lines)
    PUBLISHED(AutoDisplay, true)
    PUBLISHED(DataField, String())
    PUBLISHED(DataSource, nullptr)
    PUBLISHED(ReadOnly, false)
END_REGISTER

TDBMemo::TDBMemo(TComponent* AOwner) : TCustomMemo(AOwner), FDataLink(std::make_unique<TFieldDataLink>())
{
    TCustomMemo::SetReadOnly(true);
    FControlStyle.Include(csReplicatable);
    FDataLink->SetControl(this);
    FDataLink->SetOnDataChange([this](TObject*) { DataChange(); });
    FDataLink->SetOnEditingChange([this](TObject*) { EditingChange(); });
    FDataLink->SetOnUpdateData([this](TObject*) { UpdateData(); });
}

TDBMemo::~TDBMemo()
{
    // Leaving the data source tells the link; this memo is half gone.
    FDataLink->SetOnDataChange(nullptr);
    FDataLink->SetOnEditingChange(nullptr);
    FDataLink->SetOnUpdateData(nullptr);
}

void TDBMemo::SetDataSource(TDataSource* Value)
{
    FDataLink->SetControlDataSource(Value);
}

void TDBMemo::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomMemo::Notification(AComponent, Operation);
    if (Operation == opRemove && FDataLink != nullptr && AComponent == DataSource())
        SetDataSource(nullptr);
}

void TDBMemo::Loaded()
{
    TCustomMemo::Loaded();
    if (ComponentState().Contains(csDesigning))
        DataChange();
}

void TDBMemo::CreateWnd()
{
    TCustomMemo::CreateWnd();
    UpdateReadOnlyInput();
}

void TDBMemo::SetAutoDisplay(bool Value)
{
    if (!AssignIfChanged(FAutoDisplay, Value))
        return;
    if (Value && Field() != nullptr && Field()->IsBlob())
        LoadMemo();
}

// --- the field ------------------------------------------------------------------------------

void TDBMemo::SetEditReadOnly(bool Value)
{
    TCustomMemo::SetReadOnly(Value);
}

void TDBMemo::UpdateReadOnlyInput()
{
    if (HandleAllocated())
        Perform(QV_EM_SETREADONLYINPUT, FDataLink->CanModify() ? TRUE : FALSE, 0);
}

void TDBMemo::LoadMemo()
{
    if (FMemoLoaded || Field() == nullptr || !Field()->IsBlob())
        return;
    Lines()->SetText(Field()->AsString());
    FMemoLoaded = true;
    EditingChange();
}

void TDBMemo::DataChange()
{
    TField* F = Field();
    if (F == nullptr) {
        SetText(ComponentState().Contains(csDesigning) ? Name() : String());
        FMemoLoaded = false;
    } else if (F->IsBlob()) {
        if (FAutoDisplay || (FDataLink->Editing() && FMemoLoaded)) {
            FMemoLoaded = false;
            LoadMemo();
        } else {
            SetText(QStringLiteral("(%1)").arg(F->DisplayLabel()));
            FMemoLoaded = false;
        }
    } else {
        SetText(FFocused && FDataLink->CanModify() ? F->Text() : F->DisplayText());
        FMemoLoaded = true;
    }
    if (HandleAllocated())
        Invalidate();
}

void TDBMemo::EditingChange()
{
    SetEditReadOnly(!(FDataLink->Editing() && FMemoLoaded));
    UpdateReadOnlyInput();
}

void TDBMemo::UpdateData()
{
    if (Field() != nullptr)
        Field()->SetAsString(Text());
}

void TDBMemo::SetFocused(bool Value)
{
    if (!AssignIfChanged(FFocused, Value))
        return;
    if (Field() == nullptr || !Field()->IsBlob())
        FDataLink->Reset();
}

// --- input ----------------------------------------------------------------------------------

void TDBMemo::Change()
{
    if (FMemoLoaded)
        FDataLink->Modified();
    FMemoLoaded = true;
    TCustomMemo::Change();
}

void TDBMemo::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomMemo::KeyDown(Key, Shift);
    if (FMemoLoaded && (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift))))
        FDataLink->Edit();
}

void TDBMemo::KeyPress(QChar& Key)
{
    TCustomMemo::KeyPress(Key);
    if (!FMemoLoaded) {
        if (Key == QChar(13))
            LoadMemo();
        Key = QChar();
        return;
    }
    const char16_t C = Key.unicode();
    // Without a field there is nothing to ask about the character.
    if (C >= 32 && Field() != nullptr && !Field()->IsValidChar(Key)) {
        // A character of two code units beeps once, for its first half.
        if (!Key.isLowSurrogate())
            MessageBeep(MB_OK_BEEP);
        Key = QChar();
        return;
    }
    if (C == 8 || C == 9 || C == 10 || C == 13 || C == 22 || C == 24 || C >= 32)
        FDataLink->Edit();
    else if (C == 27)
        FDataLink->Reset();
}

void TDBMemo::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CUT:
    case WM_PASTE:
    case WM_UNDO:
        FDataLink->Edit();
        break;
    case WM_LBUTTONDBLCLK:
        if (!FMemoLoaded) {
            LoadMemo();
            return;
        }
        break;
    case CM_GETDATALINK:
        Message.Result = LRESULT(FDataLink.get());
        return;
    default:
        break;
    }
    TCustomMemo::WndProc(Message);
}

void TDBMemo::CMEnter(TMessage& Message)
{
    // Whether the field can be changed may have changed meanwhile (a data
    // set made read-only tells no one).
    UpdateReadOnlyInput();
    SetFocused(true);
    TCustomMemo::CMEnter(Message);
}

// A text the field refuses keeps the user in the memo with it.
void TDBMemo::CMExit(TMessage& Message)
{
    try {
        FDataLink->UpdateRecord();
    } catch (...) {
        if (CanFocus())
            SetFocus();
        throw;
    }
    SetFocused(false);
    TCustomMemo::CMExit(Message);
}
