#include "controls/lists/FcComboBox.h"

#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGlyphs.h"
#include "platform/classes/ComponentRef.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"
#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/ListMessages.h"

REGISTER_COMPONENT(TFcCustomComboBox, TCustomComboBox)
    FC_PUBLISHED_COLOR
    PUBLISHED(AllowEdit, true)
    PUBLISHED(AutoComplete, true)
    PUBLISHED(BeepOnInvalidKey, true)
    FC_PUBLISHED_FRAME_PROPERTIES
    FC_PUBLISHED_FRAMING(fcpFlatButtonColor, FlatButtonColor, clBtnFace)
    FC_PUBLISHED_FRAMING(fcpFlatButtons, FlatButtons, false)
    PUBLISHED(KeepSearchCase, false)
    PUBLISHED(ReadOnly, false)
    FC_PUBLISHED_FRAMING(fcpReadOnlyColor, ReadOnlyColor, clInfoBk)
    FC_PUBLISHED_FRAMING(fcpReadOnlyColorOnFocus, ReadOnlyColorOnFocus, false)
    PUBLISHED(TabOnEnter, false)
    PUBLISHED_EVENT(OnDeleteItem)
    PUBLISHED_EVENT(OnMatch)
    PUBLISHED_EVENT(OnNotInList)
    PUBLISHED_EVENT(OnSelEndCancel)
    PUBLISHED_EVENT(OnSelEndOk)
    PUBLISHED_EVENT(OnMouseWheel)
    PUBLISHED_EVENT(OnMouseWheelUp)
    PUBLISHED_EVENT(OnMouseWheelDown)
END_REGISTER

REGISTER_COMPONENT(TFcComboBox, TFcCustomComboBox)
    PUBLISHED_OBJECT(Values)
END_REGISTER

namespace {

bool IsTypedCharacter(QChar C)
{
    return C.unicode() >= 32 && (C.isPrint() || C.isSurrogate());
}

} // namespace

TFcCustomComboBox::TFcCustomComboBox(TComponent* AOwner) : TFcFramedControl<TCustomComboBox>(AOwner), FSearch(this)
{
    FControlStyle.Exclude(csSetCaption);
    // The completion is this control's own; the combo box's gives way.
    TCustomComboBox::SetAutoComplete(false);
}

void TFcCustomComboBox::CreateWnd()
{
    TFcFramedControl::CreateWnd();
    if (FReadOnly && EditHandle() != nullptr)
        SendMessage(EditHandle(), EM_SETREADONLY, TRUE, 0);
}

// --- properties ----------------------------------------------------------------------------

void TFcCustomComboBox::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    if ((Style() == csDropDown || Style() == csSimple) && EditHandle() != nullptr)
        SendMessage(EditHandle(), EM_SETREADONLY, Value ? TRUE : FALSE, 0);
    UpdateColors();
    Invalidate();
}

void TFcCustomComboBox::SetItemHeight(int Value)
{
    // Only owner-drawn items have a height of their own.
    if (Style() != csOwnerDrawFixed && Style() != csOwnerDrawVariable)
        return;
    TFcFramedControl::SetItemHeight(Value);
    RecreateWnd();
}

void TFcCustomComboBox::FrameVisibleChanged()
{
    SetParentCtl3D(!FrameVisible());
    SetCtl3D(!FrameVisible());
    Invalidate();
}

void TFcCustomComboBox::ForceText(const String& S)
{
    if (Text() == S)
        return;
    const bool Saved = FAutoComplete;
    FAutoComplete = false;
    try {
        SetText(S);
    } catch (...) {
        FAutoComplete = Saved;
        throw;
    }
    FAutoComplete = Saved;
}

int TFcCustomComboBox::IndexOf(const String& S)
{
    return Items()->IndexOf(S);
}

int TFcCustomComboBox::FindItem(const String& S)
{
    if (S.isEmpty())
        return -1;
    return int(Perform(CB_FINDSTRING, WPARAM(-1), PtrToLParam(&S)));
}

void TFcCustomComboBox::SetTextLocked(const String& S)
{
    FTextChangeLock = true;
    SetText(S);
    FTextChangeLock = false;
}

int TFcCustomComboBox::EditCaret()
{
    return EditHandle() != nullptr ? int(SendMessage(EditHandle(), QV_EM_GETCARETINDEX, 0, 0)) : 0;
}

// --- events --------------------------------------------------------------------------------

void TFcCustomComboBox::InvalidKeyBeep()
{
    if (FBeepOnInvalidKey)
        MessageBeep(MB_OK_BEEP);
}

void TFcCustomComboBox::DeleteItem(void* Item)
{
    if (FOnDeleteItem)
        FOnDeleteItem(this, Item);
}

void TFcCustomComboBox::Match()
{
    if (FOnMatch)
        FOnMatch(this);
}

void TFcCustomComboBox::NotInList()
{
    if (FOnNotInList)
        FOnNotInList(this);
}

void TFcCustomComboBox::SelEndCancel()
{
    if (FOnSelEndCancel)
        FOnSelEndCancel(this);
}

void TFcCustomComboBox::SelEndOk()
{
    if (FOnSelEndOk)
        FOnSelEndOk(this);
}

void TFcCustomComboBox::CloseUp()
{
    TFcFramedControl::CloseUp();
    Invalidate();
}

void TFcCustomComboBox::CNCommand(TMessage& Message)
{
    TFcFramedControl::CNCommand(Message);
    switch (HIWORD(Message.WParam)) {
    case CBN_SELENDOK:
        FTextChangeLock = true;
        SelEndOk();
        break;
    case CBN_SELENDCANCEL:
        SelEndCancel();
        break;
    default:
        break;
    }
}

// --- hot state and focus ---------------------------------------------------------------------

void TFcCustomComboBox::UpdateFrame(bool ViaMouse, bool Active)
{
    if (ViaMouse)
        SetMouseHot(Active);
    else
        FFocusHot = Active;
    if ((FFlatButtons || FrameHotTrack()) && !DroppedDown() && HandleAllocated()) {
        TRect R = ClientRect();
        if (!FrameHotTrack()) {
            const int Strip = GetSystemMetrics(SM_CXVSCROLL) + 2;
            if (UseRightToLeftAlignment())
                R.Right = R.Left + Strip;
            else
                R.Left = R.Right - Strip;
        }
        RedrawWindow(FHandle, &R, nullptr, RDW_INVALIDATE | RDW_NOERASE);
    }
    UpdateColors();
}

void TFcCustomComboBox::CMEnter(TMessage& Message)
{
    // The combo box's own handling first: the focus flag follows it.
    TCustomComboBox::CMEnter(Message);
    FHasFocus = true;
    UpdateFrame(false, true);
}

void TFcCustomComboBox::CMExit(TMessage& Message)
{
    TCustomComboBox::CMExit(Message);
    FHasFocus = false;
    UpdateFrame(false, false);
    if (Style() == csDropDown && !Text().isEmpty() && Items()->IndexOf(Text()) == -1)
        NotInList();
}

// --- completion and search ----------------------------------------------------------------------

void TFcCustomComboBox::CMTextChanged(TMessage& Message)
{
    TFcFramedControl::CMTextChanged(Message);
    if (FAutoComplete && !ComponentState().Contains(csDesigning) && !FTextChangeLock && !DroppedDown()) {
        if (Style() == csDropDown) {
            if (FEnterInList)
                FEnterInList = false;
            else
                FSearch.SetText(Text());
        }
        const int Found = FindItem(FSearch.Text());
        if (Found >= 0) {
            SetItemIndex(Found);
            SetSelStart(int(FSearch.Text().size()));
            SetSelLength(int(Items()->Strings(Found).size() - FSearch.Text().size()));
        }
    }
    FTextChangeLock = false;
}

void TFcCustomComboBox::SelectMatch(const String& S, TMessage& Message)
{
    const int Found = FindItem(S);
    if (Found < 0) {
        InvalidKeyBeep();
        return;
    }
    SetItemIndex(Found);
    FSearch.SetText(S);
    if (ChoiceMade())
        DoKeyPress(Message);
}

bool TFcCustomComboBox::AutoCompleteText(const String& S, TMessage& Message)
{
    const int Old = ItemIndex();
    const int Found = FindItem(S);
    if (Found < 0)
        return false;
    const String Item = Items()->Strings(Found);
    if (FKeepSearchCase) {
        // The item is chosen; the typed characters keep their case.
        Perform(CB_SETCURSEL, WPARAM(Found), 0);
        SetTextLocked(S + Item.mid(S.size()));
    } else if (Found != Old || Text() != Item) {
        // Chosen afresh, so that the text takes the item's case.
        Perform(CB_SETCURSEL, WPARAM(Found), 0);
    }
    if (!ChoiceMade())
        return true;
    // A typed character has been through the key press already.
    if (!FKeyPressDone)
        DoKeyPress(Message);
    SetSelStart(int(S.size()));
    SetSelLength(int(Item.size() - S.size()));
    if (ItemIndex() != Old)
        Match();
    return true;
}

// The drop-down-list style: letters search the items.
void TFcCustomComboBox::ListChar(TMessage& Message)
{
    String Character;
    if (!FSearch.TakeCharacter(QChar(char16_t(Message.WParam)), Character))
        return;
    const QChar C = Character.at(0);
    if (C == QChar(8)) {
        if (Items()->Count() == 0)
            return;
        if (FSearch.Empty()) {
            // An empty search matches nothing.
            InvalidKeyBeep();
            return;
        }
        const String S = FSearch.WithoutLast();
        if (S.isEmpty()) {
            SetItemIndex(0);
            if (ChoiceMade()) {
                FSearch.Clear();
                DoKeyPress(Message);
            }
            return;
        }
        SelectMatch(S, Message);
        return;
    }
    if (IsTypedCharacter(C)) {
        FSearch.Typed([&] { SelectMatch(FSearch.Text() + Character, Message); });
        return;
    }
    TFcFramedControl::WndProc(Message);
}

// --- the edit part -------------------------------------------------------------------------------

void TFcCustomComboBox::ClearListSelection()
{
    const String Kept = Text();
    const int Start = SelStart();
    const int End = Start + SelLength();
    Perform(CB_SETCURSEL, WPARAM(-1), 0);
    if (Text() != Kept)
        SetTextLocked(Kept);
    Perform(CB_SETEDITSEL, 0, MAKELPARAM(Start, End));
}

bool TFcCustomComboBox::EditKeyDown(TMessage& Message)
{
    FSystemKey = false;
    const WORD Key = WORD(Message.WParam);
    const bool Shift = GetKeyState(VK_SHIFT) < 0;
    if (FReadOnly && (Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_F(4)))
        return true;
    if (!FAutoComplete)
        return false;
    switch (Key) {
    case VK_INSERT:
        if (Shift)
            FPasteMarked = true;
        return !FAllowEdit;
    case VK_DELETE:
        // The edit deletes (AfterDeletion follows); without AllowEdit only
        // the whole text can go.
        return !FAllowEdit && !WholeTextSelected();
    case VK_HOME:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
        FSearch.SetText(Text());
        return false;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        FTextChangeLock = true;
        FSearch.Clear();
        return false;
    default:
        return false;
    }
}

// A choice made by a key or the wheel: OnClick, then OnChange while the box
// is still there.  False when a handler freed it.
bool TFcCustomComboBox::ChoiceMade()
{
    const TComponentRef<> Self(this);
    Click();
    if (Self)
        Change();
    return bool(Self);
}

// The search as far as it goes with the text shown.  It stands only while
// the field still shows it: as the whole text, or as the beginning of a
// completed item whose rest is selected.  Text set, read from a field or
// edited another way since makes the text itself the search, so that
// typing never brings back what the field no longer shows.
String TFcCustomComboBox::CurrentSearch()
{
    const String T = Text();
    const String& S = FSearch.Text();
    if (S.isEmpty() || S == T)
        return T;
    const int Start = SelStart();
    const bool Completed = Start == S.size() && Start + SelLength() == T.size()
        && QStringView(T).left(Start).compare(S, Qt::CaseInsensitive) == 0;
    return Completed ? S : T;
}

bool TFcCustomComboBox::WholeTextSelected()
{
    const int Length = int(Text().size());
    return Length > 0 && SelStart() == 0 && SelLength() == Length;
}

bool TFcCustomComboBox::EditBackspace(TMessage& Message)
{
    if (Text().isEmpty()) {
        InvalidKeyBeep();
        return true;
    }
    // As in any edit the selection goes, else the character before the
    // caret; AfterDeletion then starts the search again from what is left.
    // Without AllowEdit only the whole text can go so.
    if (FAllowEdit || WholeTextSelected())
        return false;
    return StepBackSearch(Message);
}

// Without AllowEdit the text stays an item's: Backspace at the end steps
// the search back a character and completes it again.
bool TFcCustomComboBox::StepBackSearch(TMessage& Message)
{
    const TComponentRef<> Self(this);
    String S = CurrentSearch();
    if (EditCaret() >= Text().size()) {
        FSearch.SetText(S);
        S = FSearch.WithoutLast();
    }
    Change();
    if (!Self)
        return true;
    if (S.isEmpty()) {
        SetItemIndex(-1);
        if (FKeepSearchCase)
            SetTextLocked(String());
        FSearch.Clear();
        if (!ChoiceMade())
            return true;
        DoKeyPress(Message);
    }
    FSearch.SetText(S);
    return AutoCompleteText(S, Message);
}

// What a deletion (Backspace, Delete, cutting, clearing) leaves is what the
// user has: nothing is completed, the search starts again from the text,
// and an item the text no longer is is no longer selected.
void TFcCustomComboBox::AfterDeletion()
{
    const String T = Text();
    FSearch.SetText(T);
    const int Index = ItemIndex();
    if (Index >= 0 && Items()->Strings(Index).compare(T, Qt::CaseInsensitive) != 0)
        ClearListSelection();
}

bool TFcCustomComboBox::TypedChar(TMessage& Message, const TWindowProcedure& ComboProc)
{
    // The application sees (and may change) the key first.
    QChar Key(char16_t(Message.WParam));
    if (!Key.isSurrogate()) {
        if (DoKeyPress(Message))
            return true;
        Key = QChar(char16_t(Message.WParam));
        if (!IsTypedCharacter(Key))
            return false;
    }
    String Character;
    if (!FSearch.TakeCharacter(Key, Character)) {
        // The first half of a pair waits for the second.
        return true;
    }
    const String T = Text();
    // The plain text: the search without the selected part.
    String Plain = CurrentSearch();
    Plain.remove(SelStart(), SelLength());
    const int Caret = SelStart();
    const String Typed = Plain.left(Caret) + Character + Plain.mid(Caret);
    FKeyPressDone = true;
    bool Completed = false;
    try {
        Completed = AutoCompleteText(Typed, Message);
    } catch (...) {
        FKeyPressDone = false;
        throw;
    }
    FKeyPressDone = false;
    if (Completed) {
        FSearch.SetText(Typed);
        return true;
    }
    if (!FAllowEdit) {
        InvalidKeyBeep();
        FSearch.SetText(Plain);
        return true;
    }
    // Free text: the completion goes, and the edit part takes the
    // character as typed where the caret was.
    if (T != Plain) {
        SetTextLocked(Plain);
        Perform(CB_SETEDITSEL, 0, MAKELPARAM(Caret, Caret));
    }
    FSearch.SetText(Typed);
    if (Character.size() == 2) {
        const String Pair = Character;
        SendMessage(EditHandle(), EM_REPLACESEL, 0, PtrToLParam(&Pair));
        return true;
    }
    ComboProc(Message);
    return true;
}

bool TFcCustomComboBox::EditChar(TMessage& Message, const TWindowProcedure& ComboProc)
{
    const QChar C(char16_t(Message.WParam));
    if (FSystemKey) {
        FSystemKey = false;
        return false;
    }
    if (FReadOnly) {
        if (TabOnEnter() && C == QChar(13) && !DroppedDown() && HandleAllocated())
            PostMessage(FHandle, WM_KEYDOWN, VK_TAB, 0);
        // Copying is all a read-only combo allows.
        return C != QChar(3);
    }
    if (!FAutoComplete)
        return false;
    if (C == QChar(27)) {
        FSearch.Clear();
        return !DroppedDown();
    }
    if (IsTypedCharacter(C))
        return TypedChar(Message, ComboProc);
    if (C == QChar(8))
        return EditBackspace(Message);
    if ((C == QChar(24) || C == QChar(22)) && !FAllowEdit)
        return true;
    if (C == QChar(13) && DroppedDown()) {
        SelEndOk();
        FEnterInList = true;
    }
    return false;
}

// Edits that come another way than typing: the clipboard, undo, clearing,
// the middle button's paste.
bool TFcCustomComboBox::EditorMayChange(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PASTE:
    case WM_CUT:
    case WM_UNDO:
    case EM_UNDO:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return !FReadOnly && FAllowEdit;
    case WM_CLEAR: {
        const int Length = int(Text().size());
        return !FReadOnly && (FAllowEdit || (SelStart() == 0 && SelLength() == Length && Length > 0));
    }
    default:
        return true;
    }
}

void TFcCustomComboBox::AfterPaste()
{
    FPasteMarked = false;
    if (!FAllowEdit || !FAutoComplete)
        return;
    FSearch.SetText(Text());
    TMessage None{WM_CHAR, 0, 0, 0};
    AutoCompleteText(FSearch.Text(), None);
}

void TFcCustomComboBox::ComboWndProc(TMessage& Message, HWND ComboWnd, const TWindowProcedure& ComboProc)
{
    if (!EditorMayChange(Message))
        return;
    switch (Message.Msg) {
    case WM_KEYDOWN:
        if (EditKeyDown(Message))
            return;
        break;
    case WM_SYSKEYDOWN:
        FSystemKey = true;
        if (FReadOnly && Message.WParam != VK_F(4))
            return;
        break;
    case WM_CHAR:
        if (EditChar(Message, ComboProc))
            return;
        break;
    case WM_LBUTTONDOWN:
        if (FAutoComplete && Style() == csDropDown)
            FSearch.SetText(Text());
        break;
    case WM_MOUSEMOVE:
        // The mouse over the edit part is over the combo: it enters and
        // leaves the combo as a whole.
        if (GetCapture() == nullptr)
            UpdateMouseControl(this);
        break;
    default:
        break;
    }
    // What the message runs (the wheel's choice, a key's events) may free
    // the box.
    const TComponentRef<> Self(this);
    TFcFramedControl::ComboWndProc(Message, ComboWnd, ComboProc);
    if (!Self)
        return;
    if (!FAutoComplete)
        return;
    const bool CharDeletes = Message.Msg == WM_CHAR && (Message.WParam == 8 || Message.WParam == 24);
    const bool KeyDeletes = Message.Msg == WM_KEYDOWN && Message.WParam == VK_DELETE;
    if (CharDeletes || KeyDeletes || Message.Msg == WM_CUT || Message.Msg == WM_CLEAR) {
        AfterDeletion();
        return;
    }
    // The middle button pastes through WM_PASTE too.
    const bool Pasted = Message.Msg == WM_PASTE || (Message.Msg == WM_CHAR && Message.WParam == 22);
    if (FPasteMarked || Pasted)
        AfterPaste();
}

// --- keys and the wheel --------------------------------------------------------------------------------

void TFcCustomComboBox::KeyPress(QChar& Key)
{
    if (Key == QChar(13) && TabOnEnter() && !DroppedDown()) {
        TabOnEnterKey(Key);
        return;
    }
    // A character of two code units needs room for both; its second half
    // was let through (or refused) with its first.
    const int Units = Key.isHighSurrogate() ? 2 : 1;
    if (Style() == csDropDown && MaxLength() >= 1 && IsTypedCharacter(Key) && !Key.isLowSurrogate()
        && Text().size() + Units > MaxLength() && SelLength() == 0) {
        InvalidKeyBeep();
        Key = QChar();
        return;
    }
    TFcFramedControl::KeyPress(Key);
    if (AutoDropDown() && Key == QChar(9) && DroppedDown())
        SetDroppedDown(false);
}

bool TFcCustomComboBox::Wheel(bool Down)
{
    if (FReadOnly)
        return true;
    if (DroppedDown()) {
        UINT Lines = 3;
        SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
        const int Top = int(Perform(CB_GETTOPINDEX, 0, 0)) + (Down ? int(Lines) : -int(Lines));
        Perform(CB_SETTOPINDEX, WPARAM(std::max(Top, 0)), 0);
        return true;
    }
    const int Count = Items()->Count();
    const int Index = ItemIndex();
    if (Count == 0)
        return true;
    if (Down) {
        if (Index < Count - 1) {
            SetItemIndex(Index + 1);
            ChoiceMade();
        }
    } else if (Index <= 0) {
        SetItemIndex(0);
    } else {
        SetItemIndex(Index - 1);
        ChoiceMade();
    }
    return true;
}

bool TFcCustomComboBox::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    TFcFramedControl::DoMouseWheelDown(Shift, MousePos);
    return Wheel(true);
}

bool TFcCustomComboBox::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    TFcFramedControl::DoMouseWheelUp(Shift, MousePos);
    return Wheel(false);
}

// --- the combo's own window -------------------------------------------------------------------------------

void TFcCustomComboBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
        if (FReadOnly)
            return;
        if (Message.WParam == VK_ESCAPE || (Message.WParam >= VK_PRIOR && Message.WParam <= VK_DOWN))
            FSearch.Clear();
        break;
    case WM_CHAR:
        if (FReadOnly) {
            if (Message.WParam == 13 && TabOnEnter() && HandleAllocated())
                PostMessage(FHandle, WM_KEYDOWN, VK_TAB, 0);
            return;
        }
        ListChar(Message);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FReadOnly)
            return;
        break;
    case WM_KILLFOCUS:
        TFcFramedControl::WndProc(Message);
        FSearch.Clear();
        return;
    case WM_CUT:
    case WM_PASTE:
        if (!FAllowEdit || FReadOnly)
            return;
        break;
    case WM_DELETEITEM:
        if (auto* Item = LParamToPtr<DELETEITEMSTRUCT>(Message.LParam); Item != nullptr && Item->itemData != 0) {
            DeleteItem(reinterpret_cast<void*>(Item->itemData));
            Item->itemData = 0;
        }
        break;
    case WM_PAINT:
        TFcFramedControl::WndProc(Message);
        PaintFace(HDC(Message.WParam));
        return;
    default:
        break;
    }
    TFcFramedControl::WndProc(Message);
}

// --- painting ------------------------------------------------------------------------------------------------

TRect TFcCustomComboBox::ButtonRect(int Inset)
{
    TRect R = ClientRect();
    InflateRect(R, -Inset, -Inset);
    const int W = GetSystemMetrics(SM_CXVSCROLL);
    if (UseRightToLeftAlignment())
        R.Right = std::min(R.Right, R.Left + W);
    else
        R.Left = std::max(R.Left, R.Right - W);
    return R;
}

void TFcCustomComboBox::PaintFlatButton(TCanvas* C, const TRect& R)
{
    const bool Open = DroppedDown();
    const bool Themed = FcThemesEnabled();
    if (!Hot()) {
        C->Brush()->SetColor(Color());
        C->FillRect(R);
        PaintDropDownArrow(C, R, Themed, Enabled(), false);
        return;
    }
    if (Themed) {
        FcDrawThemedElement(C, TThemeServices::GetElementDetails(Open ? tcDropDownButtonPressed : tcDropDownButtonHot),
                            R);
        return;
    }
    TRect Inner;
    if (FFlatButtonColor != clBtnFace)
        Inner = PaintColoredFrame(C, R, FFlatButtonColor, Open ? fsStatus : fsPopup);
    else if (Open)
        Inner = PaintBevelRings(C, R, clBtnShadow, clBtnHighlight, 1, AllSides);
    else
        Inner = PaintBevelRings(C, R, clBtnHighlight, clBtnShadow, 1, AllSides);
    C->Brush()->SetColor(FFlatButtonColor);
    C->FillRect(Inner);
    PaintDropDownArrow(C, Inner, false, Enabled(), Open);
}

void TFcCustomComboBox::PaintFace(HDC Given)
{
    if (!HandleAllocated())
        return;
    HDC DC = Given != nullptr ? Given : GetDC(FHandle);
    TCanvas* C = FrameCanvas();
    C->SetHandle(DC);
    try {
        const bool Themed = FcThemesEnabled();
        const int B = Themed ? 1 : 2;
        const TRect Client = ClientRect();
        const TRect Button = ButtonRect(B);
        TRect Text = Client;
        if (UseRightToLeftAlignment())
            Text.Left = Button.Right;
        else
            Text.Right = Button.Left;
        const bool Frame = FrameVisible() && !UseThemes();
        if (Frame && Themed) {
            PaintBoxOutline(C, Client, Color());
            TRect T = Text;
            InflateRect(T, -1, -1);
            PaintBevelRings(C, T, Color(), Color(), 2, AllSides);
        } else if (Frame) {
            PaintBevelRings(C, Client, Color(), Color(), 2, AllSides);
        } else if (Themed && ColorToRGB(Color()) != ColorToRGB(clWhite)) {
            TRect T = Text;
            InflateRect(T, -1, -1);
            PaintBevelRings(C, T, Color(), Color(), 2, AllSides);
        }
        if (Themed && Style() != csSimple) {
            C->Brush()->SetColor(Color());
            C->FillRect(UseRightToLeftAlignment() ? Bounds(Button.Right, Button.Top, 2, Button.Height())
                                                  : Bounds(Button.Left - 2, Button.Top, 2, Button.Height()));
        }
        if (FReadOnly) {
            C->Brush()->SetColor(Color());
            C->FillRect(Button);
        } else if (FFlatButtons) {
            PaintFlatButton(C, Button);
        }
        if (Frame) {
            const bool HotLook = FrameHotTrack() && Hot();
            PaintControlFrame(C, Client.Width(), Client.Height(), HotLook ? FrameHotStyle() : FrameStyle(), Color(),
                              HotLook ? FrameHotColor() : FrameColor(), FrameSides(), true);
        }
    } catch (...) {
        C->SetHandle(nullptr);
        if (Given == nullptr)
            ReleaseDC(FHandle, DC);
        throw;
    }
    C->SetHandle(nullptr);
    if (Given == nullptr)
        ReleaseDC(FHandle, DC);
}

void TFcCustomComboBox::CNDrawItem(TMessage& Message)
{
    auto* Item = LParamToPtr<DRAWITEMSTRUCT>(Message.LParam);
    if (Item == nullptr)
        return;
    auto* ItemCanvas = static_cast<TControlCanvas*>(Canvas());
    const TOwnerDrawState State = OwnerDrawStateFromFlags(Item->itemState);
    const int Index = int(Item->itemID);
    ItemCanvas->FreeHandle();
    ItemCanvas->SetHandle(Item->hDC);
    ItemCanvas->SetFont(Font());
    ItemCanvas->SetBrush(Brush());
    const bool Selected = State.Contains(odSelected);
    if (Selected) {
        ItemCanvas->Brush()->SetColor(clHighlight);
        ItemCanvas->Font()->SetColor(clHighlightText);
    }
    try {
        if (Index < 0) {
            if (Selected)
                PaintDottedOutline(ItemCanvas, Item->rcItem);
            else
                ItemCanvas->FillRect(Item->rcItem);
        } else {
            DrawItem(Index, Item->rcItem, State);
            if (Selected && FSelectedItemFocusRect)
                PaintDottedOutline(ItemCanvas, Item->rcItem);
        }
    } catch (...) {
        ItemCanvas->SetHandle(nullptr);
        throw;
    }
    ItemCanvas->SetHandle(nullptr);
    Message.Result = TRUE;
}

// --- values ---------------------------------------------------------------------------------------------------

TFcComboBox::TFcComboBox(TComponent* AOwner) : TFcCustomComboBox(AOwner), FValues(std::make_unique<TStringList>())
{
    FValues->SetOnChange([this](TObject*) { ValuesChanged(); });
}

void TFcComboBox::SetValues(TStrings* Value)
{
    FValues->Assign(Value);
}

String TFcComboBox::GetItemValue(int Index)
{
    if (Index >= 0 && Index < FValues->Count() && !FValues->Strings(Index).isEmpty())
        return FValues->Strings(Index);
    if (Index >= 0 && Index < Items()->Count())
        return Items()->Strings(Index);
    return String();
}

String TFcComboBox::Value()
{
    int Index = ItemIndex();
    if (Style() == csDropDown || Style() == csSimple)
        Index = Text().isEmpty() ? -1 : Items()->IndexOf(Text());
    if (Index >= 0 && Index < FValues->Count() && !FValues->Strings(Index).isEmpty())
        return FValues->Strings(Index);
    return Text();
}

void TFcComboBox::SetValue(const String& S)
{
    // Unchanged is judged against the value shown now, never a value
    // remembered from before the selection last moved.
    if (S == Value() && !FValuesChanging && (ItemIndex() >= 0 || S.isEmpty()))
        return;
    FSelecting = true;
    try {
        int Found = -1;
        for (int I = 0, N = Items()->Count(); I < N && Found < 0; ++I)
            if (GetItemValue(I) == S)
                Found = I;
        SetItemIndex(Found);
    } catch (...) {
        FSelecting = false;
        throw;
    }
    FSelecting = false;
}

void TFcComboBox::ValuesChanged()
{
    FValuesChanging = true;
    try {
        SetValue(Value());
    } catch (...) {
        FValuesChanging = false;
        throw;
    }
    FValuesChanging = false;
}

void TFcComboBox::Change()
{
    if (FSelecting || FValuesChanging)
        return;
    // The handlers may free the box.
    const TComponentRef<> Self(this);
    TFcCustomComboBox::Change();
    if (Self && ItemIndex() >= 0)
        SetValue(GetItemValue(ItemIndex()));
}

void TFcComboBox::Click()
{
    if (FSelecting)
        return;
    const TComponentRef<> Self(this);
    TFcCustomComboBox::Click();
    if (Self && ItemIndex() >= 0)
        SetValue(GetItemValue(ItemIndex()));
}
