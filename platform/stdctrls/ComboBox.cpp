#include "platform/stdctrls/ComboBox.h"

#include "platform/classes/ComponentRef.h"
#include "platform/classes/TypInfo.h"
#include "platform/stdctrls/ComboBoxWindow.h"
#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/ItemStrings.h"
#include "platform/stdctrls/LineEditWindow.h"
#include "platform/stdctrls/ListMessages.h"
#include "platform/stdctrls/TextMetrics.h"

REGISTER_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable)

REGISTER_COMPONENT(TCustomComboBox, TWinControl)
    PUBLISHED_STORED(Caption, String(), false)
    PUBLISHED(Style, csDropDown)
    PUBLISHED(AutoComplete, true)
    PUBLISHED(AutoDropDown, false)
    PUBLISHED(AutoCloseUp, false)
    PUBLISHED(CharCase, ecNormal)
    PUBLISHED(DropDownCount, 8)
    PUBLISHED(DropDownWidth, 0)
    PUBLISHED_NODEFAULT(ItemHeight)
    PUBLISHED(MaxLength, 0)
    PUBLISHED(ParentColor, false)
    PUBLISHED(Sorted, false)
    PUBLISHED(TabStop, true)
    PUBLISHED_AS(Text, &TControl::Text, &TControl::SetText, String())
    PUBLISHED_OBJECT(Items)
    PUBLISHED(ItemIndex, -1)
    PUBLISHED_EVENT(OnChange)
    PUBLISHED_EVENT(OnSelect)
    PUBLISHED_EVENT(OnDropDown)
    PUBLISHED_EVENT(OnCloseUp)
    PUBLISHED_EVENT(OnDrawItem)
    PUBLISHED_EVENT(OnMeasureItem)
END_REGISTER

REGISTER_COMPONENT(TComboBox, TCustomComboBox)
END_REGISTER

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TItemStrings>(this, ComboBoxItemMessages)),
      FCanvas(std::make_unique<TControlCanvas>()), FWindow(std::make_unique<TComboBoxWindow>(this))
{
    FControlStyle = {csSetCaption, csDoubleClicks, csFixedHeight};
    FWidth = 145;
    SetColor(clWindow);
    SetTabStop(true);
    FCanvas->SetControl(this);
    ApplyStyle();
    FHeight = FieldHeight() + 6;
}

TCustomComboBox::~TCustomComboBox()
{
    FCanvas->SetControl(nullptr);
}

void TCustomComboBox::BeforeDestruction()
{
    // A list that is still dropped closes without telling anyone: the
    // control is going.
    Destroying();
    FWindow->DestroyList();
    TWinControl::BeforeDestruction();
}

// --- the window -----------------------------------------------------------------------------

void TCustomComboBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style |= DWORD(WS_CLIPCHILDREN) | DWORD(CBS_HASSTRINGS);
    static const DWORD Styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                   DWORD(CBS_DROPDOWNLIST) | DWORD(CBS_OWNERDRAWFIXED),
                                   DWORD(CBS_DROPDOWNLIST) | DWORD(CBS_OWNERDRAWVARIABLE)};
    Params.Style |= Styles[FStyle];
    if (FSorted)
        Params.Style |= CBS_SORT;
}

void TCustomComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    if (HasEdit())
        CreateEdit();
    ApplyStyle();
    AdjustHeight();
}

void TCustomComboBox::CreateEdit()
{
    TWindowCreateParams P;
    P.ClassName = QStringLiteral("Edit");
    // The window's text so far becomes the edit part's.
    P.WindowName = FText;
    P.Style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    if (FCharCase == ecUpperCase)
        P.Style |= ES_UPPERCASE;
    else if (FCharCase == ecLowerCase)
        P.Style |= ES_LOWERCASE;
    const TRect R = FWindow->FieldRect();
    P.X = R.Left;
    P.Y = R.Top;
    P.Width = R.Width();
    P.Height = R.Height();
    P.Parent = FHandle;
    P.WindowProc = [this](TMessage& M) { EditWndProc(M); };
    P.Created = [this](HWND Wnd) { FEditHandle = Wnd; };
    if (CreateWindowEx(P) == nullptr) {
        FEditHandle = nullptr;
        return;
    }
    const HWND Edit = FEditHandle;
    const std::uint64_t Serial = WindowSerial(Edit);
    SetWindowHostedWidget(Edit, CreateLineEditWidget(Edit, [this, Edit, Serial](WORD Code) {
                              if (IsWindowSerial(Edit, Serial))
                                  EditNotify(Code);
                          }));
    SendMessage(Edit, WM_SETFONT, WPARAM(Font()->Handle()), 0);
    SendMessage(Edit, EM_LIMITTEXT, WPARAM(FMaxLength), 0);
    SetEditorColors(GetWindowHostedWidget(Edit), Color(), Font()->Color());
}

void TCustomComboBox::DestroyWnd()
{
    FWindow->DestroyList();
    TWinControl::DestroyWnd();
    FEditHandle = nullptr;
}

void TCustomComboBox::Loaded()
{
    TWinControl::Loaded();
    ApplyStyle();
    AdjustHeight();
}

void TCustomComboBox::EditNotify(WORD Code)
{
    if (Code == EN_CHANGE && !FSettingText)
        Perform(CN_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE), PtrToLParam(FHandle));
}

HWND TCustomComboBox::ListHandle() const
{
    return FWindow->ListHandle();
}

bool TCustomComboBox::Focused() const
{
    const HWND Focus = GetFocus();
    return Focus != nullptr && (Focus == FHandle || Focus == FEditHandle);
}

// --- size -------------------------------------------------------------------------------------

int TCustomComboBox::FontHeight()
{
    return FontTextMetrics(Font()).tmHeight;
}

int TCustomComboBox::FieldHeight()
{
    return IsOwnerDrawn() ? FItemHeight : FontHeight() + 2;
}

void TCustomComboBox::AdjustHeight()
{
    // The face is the selection field in a sunken frame: its height is
    // the font's (or the owner-drawn items'), never the user's.
    if (!ComponentState().Contains(csLoading))
        SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!ComponentState().Contains(csLoading))
        AHeight = FieldHeight() + 6;
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomComboBox::ApplyStyle()
{
    FEngine.SetVariableHeight(FStyle == csOwnerDrawVariable);
    FEngine.SetItemHeight(IsOwnerDrawn() ? FItemHeight : FontHeight());
    FEngine.SetSorted(FSorted);
    if (FStyle == csOwnerDrawVariable && !ComponentState().Contains(csLoading))
        for (int I = 0; I < FEngine.Count(); ++I)
            MeasureNewItem(I);
    FWindow->ItemsChanged();
}

void TCustomComboBox::MeasureNewItem(int Index)
{
    if (FStyle == csOwnerDrawVariable)
        FEngine.SetHeightOf(Index, MeasureOwnerItem(this, ODT_COMBOBOX, Index, FItemHeight, FEngine.Data(Index)));
}

// --- properties --------------------------------------------------------------------------------

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    if (!AssignIfChanged(FStyle, Value))
        return;
    ApplyStyle();
    RecreateWnd();
    AdjustHeight();
}

void TCustomComboBox::SetItems(TStrings* Value)
{
    FItems->Assign(Value);
}

int TCustomComboBox::ItemIndex()
{
    return int(Perform(CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int Value)
{
    if (ItemIndex() != Value)
        Perform(CB_SETCURSEL, WPARAM(Value), 0);
}

int TCustomComboBox::ItemHeight()
{
    return IsOwnerDrawn() ? FItemHeight : FEngine.ItemHeight();
}

void TCustomComboBox::SetItemHeight(int Value)
{
    if (Value > 0 && AssignIfChanged(FItemHeight, Value)) {
        ApplyStyle();
        AdjustHeight();
    }
}

int TCustomComboBox::DropDownWidth()
{
    return FDropDownWidth;
}

void TCustomComboBox::SetDropDownWidth(int Value)
{
    Perform(CB_SETDROPPEDWIDTH, WPARAM(std::max(Value, 0)), 0);
}

bool TCustomComboBox::DroppedDown()
{
    return FWindow->Dropped();
}

void TCustomComboBox::SetDroppedDown(bool Value)
{
    Perform(CB_SHOWDROPDOWN, Value ? TRUE : FALSE, 0);
}

void TCustomComboBox::SetSorted(bool Value)
{
    if (AssignIfChanged(FSorted, Value))
        ApplyStyle();
}

void TCustomComboBox::SetMaxLength(int Value)
{
    if (AssignIfChanged(FMaxLength, std::max(Value, 0)))
        Perform(CB_LIMITTEXT, WPARAM(FMaxLength), 0);
}

void TCustomComboBox::SetCharCase(TEditCharCase Value)
{
    if (AssignIfChanged(FCharCase, Value))
        RecreateWnd();
}

int TCustomComboBox::SelStart()
{
    DWORD Start = 0;
    Perform(CB_GETEDITSEL, WPARAM(&Start), 0);
    return int(Start);
}

void TCustomComboBox::SetSelStart(int Value)
{
    Perform(CB_SETEDITSEL, 0, MAKELPARAM(Value, Value));
}

int TCustomComboBox::SelLength()
{
    DWORD Start = 0, End = 0;
    Perform(CB_GETEDITSEL, WPARAM(&Start), PtrToLParam(&End));
    return int(End) - int(Start);
}

void TCustomComboBox::SetSelLength(int Value)
{
    const int Start = SelStart();
    Perform(CB_SETEDITSEL, 0, MAKELPARAM(Start, Start + std::max(Value, 0)));
}

String TCustomComboBox::SelText()
{
    return Text().mid(SelStart(), SelLength());
}

void TCustomComboBox::SetSelText(const String& Value)
{
    if (FEditHandle != nullptr)
        SendMessage(FEditHandle, EM_REPLACESEL, 0, PtrToLParam(&Value));
}

void TCustomComboBox::SelectAll()
{
    Perform(CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void TCustomComboBox::AddItem(const String& Item, TObject* AObject)
{
    FItems->AddObject(Item, AObject);
}

void TCustomComboBox::Clear()
{
    FItems->Clear();
    SetText(String());
}

// --- events ------------------------------------------------------------------------------------

void TCustomComboBox::Change()
{
    TControl::Changed();
    if (FOnChange)
        FOnChange(this);
}

void TCustomComboBox::Select()
{
    if (FOnSelect)
        FOnSelect(this);
    else
        Change();
}

void TCustomComboBox::DropDown()
{
    if (FOnDropDown)
        FOnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
    if (FOnCloseUp)
        FOnCloseUp(this);
}

void TCustomComboBox::KeyPress(QChar& Key)
{
    TWinControl::KeyPress(Key);
    if (Key.isNull())
        return;
    // Opening waits until this key is done: the list runs a loop.
    if (FAutoDropDown && !DroppedDown() && Key != QChar(8) && Key != QChar(9) && Key != QChar(27) && HandleAllocated())
        PostMessage(FHandle, CB_SHOWDROPDOWN, TRUE, 0);
    if (!FAutoComplete || FStyle != csDropDown || FEditHandle == nullptr || !Key.isPrint())
        return;
    // Typed at the end of the text: the first item that begins with what
    // is typed completes it, the completion selected.
    const String Current = Text();
    if (SelStart() + SelLength() != Current.size())
        return;
    const String Typed = Current.left(SelStart()) + Key;
    const int Found = FEngine.FindPrefix(Typed);
    if (Found < 0)
        return;
    FWindow->SelectIndex(Found, false);
    Perform(CB_SETEDITSEL, 0, MAKELPARAM(Typed.size(), -1));
    Key = QChar();
    Perform(CN_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE), PtrToLParam(FHandle));
}

void TCustomComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    (void)State;
    if (FOnDrawItem) {
        FOnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    // The items may have changed while the list paints.
    if (FEngine.IsItem(Index))
        FCanvas->TextOut(Rect.Left + 2, Rect.Top, FEngine.Text(Index));
}

void TCustomComboBox::MeasureItem(int Index, int& Height)
{
    if (FOnMeasureItem)
        FOnMeasureItem(this, Index, Height);
}

// --- messages ------------------------------------------------------------------------------------

void TCustomComboBox::DefaultHandler(TMessage& Message)
{
    // The notifications the window sends (a click) may free the box.
    const TComponentRef<> Self(this);
    if (FWindow->Handle(Message) || !Self)
        return;
    TWinControl::DefaultHandler(Message);
}

void TCustomComboBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND:
        CNCommand(Message);
        return;
    case CN_DRAWITEM:
        CNDrawItem(Message);
        return;
    case CN_MEASUREITEM:
        CNMeasureItem(Message);
        return;
    default:
        TWinControl::Dispatch(Message);
        return;
    }
}

void TCustomComboBox::EditWndProc(TMessage& Message)
{
    ComboWndProc(Message, FEditHandle, [this](TMessage& M) { LineEditWndProc(FEditHandle, M); });
}

void TCustomComboBox::ComboWndProc(TMessage& Message, HWND ComboWnd, const TWindowProcedure& ComboProc)
{
    (void)ComboWnd;
    switch (Message.Msg) {
    case WM_SETFOCUS:
        // The focus in the edit part is the combo box's for the form.
        if (IFormSite* Form = ParentFormSite(this); Form != nullptr && !Form->SetFocusedControl(this))
            return;
        break;
    case WM_KILLFOCUS:
        if (FControlState.Contains(csFocusing))
            return;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (DoKeyDown(Message) || FWindow->ComboKey(Message))
            return;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (DoKeyUp(Message))
            return;
        break;
    case WM_CHAR:
        if (DoKeyPress(Message))
            return;
        break;
    case WM_MOUSEWHEEL:
        // The wheel turns the combo box, not its edit part.
        Message.Result = Perform(Message.Msg, Message.WParam, Message.LParam);
        return;
    default:
        break;
    }
    ComboProc(Message);
    if (Message.Msg == WM_LBUTTONDBLCLK)
        DblClick();
}

void TCustomComboBox::CNCommand(TMessage& Message)
{
    switch (HIWORD(Message.WParam)) {
    case CBN_EDITCHANGE:
        Change();
        break;
    case CBN_SELCHANGE: {
        // OnClick may free the box.
        const TComponentRef<> Self(this);
        Click();
        if (Self)
            Select();
        break;
    }
    case CBN_DROPDOWN:
        DropDown();
        break;
    case CBN_CLOSEUP:
        CloseUp();
        break;
    default:
        break;
    }
}

void TCustomComboBox::CNDrawItem(TMessage& Message)
{
    OwnerDrawItem(this, FCanvas.get(), Message,
                  [this](int Index, TRect Rect, TOwnerDrawState State) { DrawItem(Index, Rect, State); });
}

void TCustomComboBox::CNMeasureItem(TMessage& Message)
{
    AnswerMeasureItem(Message, FItemHeight, [this](int Index, int& Height) { MeasureItem(Index, Height); });
}

void TCustomComboBox::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    if (FEditHandle != nullptr) {
        SendMessage(FEditHandle, WM_SETFONT, WPARAM(Font()->Handle()), 0);
        SetEditorColors(GetWindowHostedWidget(FEditHandle), Color(), Font()->Color());
    }
    ApplyStyle();
    AdjustHeight();
}

void TCustomComboBox::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    if (FEditHandle != nullptr)
        SetEditorColors(GetWindowHostedWidget(FEditHandle), Color(), Font()->Color());
}

void TCustomComboBox::CMEnabledChanged(TMessage& Message)
{
    TWinControl::CMEnabledChanged(Message);
    if (!Enabled())
        FWindow->Close(false);
    if (FEditHandle != nullptr)
        EnableWindow(FEditHandle, Enabled());
    Invalidate();
}

void TCustomComboBox::CMWantSpecialKey(TMessage& Message)
{
    // While the list is open Enter and Escape close it; the form's default
    // and cancel buttons do not see them.
    const bool ListKey = Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE;
    Message.Result = ListKey && FWindow->Dropped() ? 1 : 0;
}
