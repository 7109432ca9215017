#include "controls/lists/FcDBCmbo.h"

#include "controls/foundation/FcFramePainters.h"
#include "controls/lists/FcDBEdit.h"
#include "platform/classes/ComponentRef.h"
#include "platform/classes/TypInfo.h"
#include "platform/db/Field.h"
#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/ListMessages.h"

#include <QScopedValueRollback>

REGISTER_COMPONENT(TFcDBComboBox, TFcCustomComboBox)
    UNPUBLISHED(AutoCloseUp)
    UNPUBLISHED(ItemIndex)
    UNPUBLISHED(Text)
    UNPUBLISHED(OnDeleteItem)
    UNPUBLISHED(OnSelEndCancel)
    UNPUBLISHED(OnSelEndOk)
    PUBLISHED(DataField, String())
    PUBLISHED(DataSource, nullptr)
    PUBLISHED(ReadOnly, false)
    PUBLISHED_OBJECT(Values)
END_REGISTER

// --- the copy ------------------------------------------------------------------------------------

TFcPaintComboBox::TFcPaintComboBox(TComponent* AOwner, TFcDBComboBox* ComboBox)
    : TCustomPanel(AOwner), FComboBox(ComboBox)
{
    SetAlignment(taLeftJustify);
    SetBevelOuter(bvNone);
}

void TFcPaintComboBox::PaintArrow(const TRect& Button)
{
    TCanvas* C = Canvas();
    const TPoint Apex{Button.Left + GetSystemMetrics(SM_CXVSCROLL) / 2, Button.Top + Button.Height() / 2};
    C->Brush()->SetColor(clBlack);
    C->Pen()->SetColor(FComboBox->Color());
    C->Polygon({Apex, {Apex.X - 5, Apex.Y - 5}, {Apex.X + 5, Apex.Y - 5}});
}

void TFcPaintComboBox::PaintFrame(const TRect& Client, const TRect& Button)
{
    TCanvas* C = Canvas();
    TFcDBComboBox* B = FComboBox;
    if (!B->FrameVisible() || B->UseThemes()) {
        PaintBevelEdge(C, Client, true);
    } else if (B->FrameStyle() == fsFlat) {
        PaintSideLines(C, Client, B->FrameColor(), B->FrameColor(), B->FrameSides());
    } else if (B->FrameStyle() == fsFlatBold) {
        PaintBevelRings(C, Client, B->FrameColor(), B->FrameColor(), 2, B->FrameSides());
    } else if (ColorToRGB(B->Color()) == ColorToRGB(clWindow)) {
        PaintFrameStyleSides(C, Client, B->FrameStyle(), B->FrameSides());
    } else {
        PaintColoredFrameSides(C, Client, B->Color(), B->FrameStyle(), B->FrameSides());
    }
    if (B->FlatButtons())
        PaintBevelRings(C, Button, B->Color(), B->Color(), 2, AllSides);
}

void TFcPaintComboBox::Paint()
{
    TCustomPanel::Paint();
    TCanvas* C = Canvas();
    const TRect Client = ClientRect();
    const int Scroll = GetSystemMetrics(SM_CXVSCROLL);
    C->SetFont(FComboBox->Font());
    C->Brush()->SetColor(FComboBox->Color());
    C->FillRect(Client);
    TRect Text = Client;
    InflateRect(Text, -2, -2);
    Text.Right -= Scroll;
    const TRect Button{Width() - Scroll - 2, 2, Width() - 2, Height() - 2};
    C->FillRect(Button);
    PaintArrow(Button);
    PaintFrame(Client, Button);
    const bool DropDown = FComboBox->Style() == csDropDown;
    const int Y = (Height() - C->TextHeight(QStringLiteral("Yy"))) / 2 - (DropDown ? 1 : 0);
    C->Brush()->SetColor(FComboBox->Color());
    SetTextAlign(C->Handle(), TA_LEFT);
    C->TextRect(Text, DropDown ? 3 : 4, Y, Caption());
}

// --- the combo box -----------------------------------------------------------------------------------

TFcDBComboBox::TFcDBComboBox(TComponent* AOwner)
    : TFcCustomComboBox(AOwner), FDataLink(std::make_unique<TFieldDataLink>()), FValues(std::make_unique<TStringList>())
{
    FControlStyle.Include(csReplicatable);
    FControlStyle.Include(csSetCaption);
    FDataLink->SetControl(this);
    FDataLink->SetOnDataChange([this](TObject*) { DataChange(); });
    FDataLink->SetOnEditingChange([this](TObject*) { SetEditReadOnly(); });
    FDataLink->SetOnUpdateData([this](TObject*) { UpdateData(); });
    FPaintControl = new TFcPaintComboBox(this, this);
    FPaintControl->SetVisible(false);
    FPaintControl->SetParent(this);
    FValues->SetOnChange([this](TObject*) { ListChanged(); });
}

TFcDBComboBox::~TFcDBComboBox()
{
    // Leaving the data source tells the link; this combo box is half gone.
    FDataLink->SetOnDataChange(nullptr);
    FDataLink->SetOnEditingChange(nullptr);
    FDataLink->SetOnUpdateData(nullptr);
    FValues->SetOnChange(nullptr);
}

void TFcDBComboBox::CreateWnd()
{
    TFcCustomComboBox::CreateWnd();
    SetEditReadOnly();
}

void TFcDBComboBox::Loaded()
{
    TFcCustomComboBox::Loaded();
    if (ComponentState().Contains(csDesigning))
        DataChange();
}

void TFcDBComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TFcCustomComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && FDataLink != nullptr && AComponent == DataSource())
        SetDataSource(nullptr);
}

// --- properties ------------------------------------------------------------------------------------------

void TFcDBComboBox::SetDataSource(TDataSource* Value)
{
    FDataLink->SetControlDataSource(Value);
}

void TFcDBComboBox::SetReadOnly(bool Value)
{
    TFcCustomComboBox::SetReadOnly(Value);
    FDataLink->SetReadOnly(Value);
}

void TFcDBComboBox::SetValues(TStrings* Value)
{
    FValues->Assign(Value);
}

void TFcDBComboBox::SetItems(TStrings* Value)
{
    TFcCustomComboBox::SetItems(Value);
    ListChanged();
}

void TFcDBComboBox::SetStyle(TComboBoxStyle Value)
{
    if (Value == csSimple && FDataLink->DataSourceFixed())
        DatabaseError(QStringLiteral("Control cannot be used in a DBCtrlGrid"));
    TFcCustomComboBox::SetStyle(Value);
}

bool TFcDBComboBox::IsListStyle() const
{
    return Style() != csDropDown && Style() != csSimple;
}

// --- texts and values --------------------------------------------------------------------------------------

String TFcDBComboBox::GetItemValue(int Index)
{
    if (Index >= 0 && Index < FValues->Count() && !FValues->Strings(Index).isEmpty())
        return FValues->Strings(Index);
    if (Index >= 0 && Index < Items()->Count())
        return Items()->Strings(Index);
    return String();
}

String TFcDBComboBox::StoredValue(int Index)
{
    if (Index >= 0 && Index < FValues->Count())
        return FValues->Strings(Index);
    return GetItemValue(Index);
}

// The item that stores Value; failing that, one whose item value it is
// (a field written before the item had a value of its own).
int TFcDBComboBox::FindValue(const String& Value)
{
    const int N = Items()->Count();
    for (int I = 0; I < N; ++I)
        if (StoredValue(I) == Value)
            return I;
    for (int I = 0; I < N; ++I)
        if (GetItemValue(I) == Value && !Value.isEmpty())
            return I;
    return -1;
}

String TFcDBComboBox::GetComboText()
{
    if (!IsListStyle())
        return Text();
    const int I = ItemIndex();
    return I >= 0 ? Items()->Strings(I) : String();
}

void TFcDBComboBox::SetComboText(const String& Value)
{
    if (Value == GetComboText())
        return;
    if (Style() != csDropDown) {
        const int I = Value.isEmpty() ? -1 : Items()->IndexOf(Value);
        const bool Quiet = IsListStyle() && HandleAllocated();
        if (Quiet)
            Perform(WM_SETREDRAW, FALSE, 0);
        SetItemIndex(I);
        if (Quiet) {
            Perform(WM_SETREDRAW, TRUE, 0);
            Invalidate();
        }
        if (I >= 0 || IsListStyle())
            return;
    }
    ForceText(Value);
}

String TFcDBComboBox::GetComboValue()
{
    int I = ItemIndex();
    if (!IsListStyle())
        I = Text().isEmpty() ? -1 : Items()->IndexOf(Text());
    if (I >= 0 && I < FValues->Count())
        return FValues->Strings(I);
    return GetComboText();
}

void TFcDBComboBox::SetComboValue(const String& Value)
{
    if (Value == FLastValue && !FValuesChanging)
        return;
    {
        const QScopedValueRollback Selecting(FSelecting, true);
        // Read again, the item is chosen afresh: its text replaces any
        // typed over it.
        if (FValuesChanging)
            Perform(CB_SETCURSEL, WPARAM(FindValue(Value)), 0);
        else
            SetItemIndex(FindValue(Value));
    }
    FLastValue = Value;
    if (!FReadingField && FDataLink->Editing())
        FDataLink->Modified();
}

// --- the field -----------------------------------------------------------------------------------------------

void TFcDBComboBox::DataChange()
{
    if (HandleAllocated() && DroppedDown() && Style() != csSimple)
        return;
    const QScopedValueRollback Reading(FReadingField, true);
    if (TField* F = Field()) {
        const String T = F->Text();
        SetComboValue(T);
        if (ItemIndex() < 0)
            SetComboText(T);
    } else if (ComponentState().Contains(csDesigning)) {
        SetComboText(Name());
    } else {
        SetComboText(String());
        SetComboValue(String());
    }
}

void TFcDBComboBox::UpdateData()
{
    if (TField* F = Field())
        F->SetText(GetComboValue());
}

void TFcDBComboBox::ListChanged()
{
    if (ComponentState().Contains(csLoading))
        return;
    if (FItemsUpdating) {
        FItemsChanged = true;
        return;
    }
    const QScopedValueRollback Changing(FValuesChanging, true);
    DataChange();
}

// The edit part is read-only while the record is not being edited, and
// takes input-method text when the field can be changed.
void TFcDBComboBox::SetEditReadOnly()
{
    if (IsListStyle() || EditHandle() == nullptr)
        return;
    SendMessage(EditHandle(), EM_SETREADONLY, FDataLink->Editing() ? FALSE : TRUE, 0);
    SendMessage(EditHandle(), QV_EM_SETREADONLYINPUT, FDataLink->CanModify() ? TRUE : FALSE, 0);
}

// --- user input ------------------------------------------------------------------------------------------------

void TFcDBComboBox::Change()
{
    if (FSelecting || FValuesChanging)
        return;
    // The handlers may free the box.
    const TComponentRef<> Self(this);
    TFcCustomComboBox::Change();
    if (!Self)
        return;
    if (ItemIndex() >= 0)
        SetComboValue(StoredValue(ItemIndex()));
    if (FDataLink->Editing())
        FDataLink->Modified();
}

void TFcDBComboBox::Click()
{
    if (FSelecting)
        return;
    const TComponentRef<> Self(this);
    TFcCustomComboBox::Click();
    if (!Self)
        return;
    if (ItemIndex() >= 0)
        SetComboValue(StoredValue(ItemIndex()));
    if (FDataLink->Editing())
        FDataLink->Modified();
}

void TFcDBComboBox::DropDown()
{
    FDataLink->Edit();
    TFcCustomComboBox::DropDown();
}

// A list closed without an edit leaves the field as it was.
void TFcDBComboBox::CloseUp()
{
    const TComponentRef<> Self(this);
    TFcCustomComboBox::CloseUp();
    if (Self && !FDataLink->Editing()) {
        const QScopedValueRollback Changing(FValuesChanging, true);
        DataChange();
    }
}

// The field is shown again whatever was chosen or typed since.
void TFcDBComboBox::EscapeKey()
{
    {
        const QScopedValueRollback Changing(FValuesChanging, true);
        FDataLink->Reset();
    }
    SelectAll();
}

void TFcDBComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TFcCustomComboBox::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE) {
        // An open list only closes.
        if (!DroppedDown())
            EscapeKey();
        return;
    }
    const bool Editing = Key == VK_BACK || (Key >= 32 && Key <= 255);
    if (!Editing || Shift.Contains(ssAlt))
        return;
    if (!FDataLink->Edit()) {
        if (Key == VK_UP || Key == VK_DOWN)
            Key = 0;
        return;
    }
    if (IsListStyle() && Key == VK_DELETE) {
        SetItemIndex(-1);
        FDataLink->Modified();
        Key = 0;
    }
}

void TFcDBComboBox::KeyPress(QChar& Key)
{
    TFcCustomComboBox::KeyPress(Key);
    const char16_t C = Key.unicode();
    // Escape is the key press down's.
    if (C == 27) {
        Key = QChar();
        return;
    }
    // Without a field there is nothing to ask about the character.
    if (FValues->Count() == 0 && C >= 32 && Field() != nullptr && !Field()->IsValidChar(Key)) {
        // A character of two code units beeps once, for its first half.
        if (!Key.isLowSurrogate())
            InvalidKeyBeep();
        Key = QChar();
        return;
    }
    if (C == 8 || C == 22 || C == 24 || C >= 32)
        FDataLink->Edit();
}

bool TFcDBComboBox::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    if (!DroppedDown() && !FDataLink->Edit())
        return true;
    return TFcCustomComboBox::DoMouseWheelDown(Shift, MousePos);
}

bool TFcDBComboBox::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    if (!DroppedDown() && !FDataLink->Edit())
        return true;
    return TFcCustomComboBox::DoMouseWheelUp(Shift, MousePos);
}

void TFcDBComboBox::CMEnter(TMessage& Message)
{
    // Whether the field can be changed may have changed meanwhile (a data
    // set made read-only tells no one).
    SetEditReadOnly();
    TFcCustomComboBox::CMEnter(Message);
}

// The value goes into the field on leaving; a value the field refuses
// keeps the user in the combo box, all text selected.
void TFcDBComboBox::CMExit(TMessage& Message)
{
    try {
        FDataLink->UpdateRecord();
    } catch (...) {
        SelectAll();
        if (CanFocus())
            SetFocus();
        throw;
    }
    TFcCustomComboBox::CMExit(Message);
}

// --- messages ------------------------------------------------------------------------------------------------------

// A choice the record cannot take: the field is shown again and the list
// reopens.
void TFcDBComboBox::SelChange(TMessage& Message)
{
    if (FDataLink->Edit()) {
        TFcCustomComboBox::WndProc(Message);
        return;
    }
    {
        const QScopedValueRollback Changing(FValuesChanging, true);
        DataChange();
    }
    if (Style() != csSimple && HandleAllocated())
        PostMessage(FHandle, CB_SHOWDROPDOWN, TRUE, 0);
}

// Every change of Items passes here as a message; inside an update of the
// list the field is read once at its end.
void TFcDBComboBox::ItemsMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETREDRAW:
        FItemsUpdating = Message.WParam == FALSE;
        if (!FItemsUpdating && FItemsChanged) {
            FItemsChanged = false;
            ListChanged();
        }
        break;
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
    case CB_DELETESTRING:
    case CB_RESETCONTENT:
        ListChanged();
        break;
    default:
        break;
    }
}

void TFcDBComboBox::WndProc(TMessage& Message)
{
    const bool Designing = ComponentState().Contains(csDesigning);
    switch (Message.Msg) {
    case CN_COMMAND:
        if (!Designing && HIWORD(Message.WParam) == CBN_SELCHANGE) {
            SelChange(Message);
            return;
        }
        break;
    case WM_CHAR:
        // Escape is the key press down's.
        if (Message.WParam == 27)
            return;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!Designing && Style() == csSimple && !FDataLink->Edit())
            return;
        break;
    case CM_GETDATALINK:
        Message.Result = LRESULT(FDataLink.get());
        return;
    case WM_PAINT:
        if (FControlState.Contains(csPaintCopy)) {
            PaintAsCopy(FPaintControl, this, Field(), Field() != nullptr ? Field()->Text() : String(), Message.WParam);
            return;
        }
        FPaintControl->SetBounds(0, 0, 0, 0);
        break;
    default:
        break;
    }
    TFcCustomComboBox::WndProc(Message);
    ItemsMessage(Message);
}

void TFcDBComboBox::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    (void)Proc;
    (void)Root;
}
