#include "controls/lists/FcListBox.h"

#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcPlatformHelpers.h"
#include "controls/foundation/FcTextHelpers.h"
#include "platform/classes/ComponentRef.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Application.h"
#include "platform/stdctrls/ListMessages.h"

REGISTER_COMPONENT(TFcCustomListBox, TCustomListBox)
    FC_PUBLISHED_COLOR
    PUBLISHED(BeepOnInvalidKey, true)
    FC_PUBLISHED_FRAME_PROPERTIES
    PUBLISHED(GroupColor, clInactiveCaptionText)
    PUBLISHED_NODEFAULT_STORED(GroupFont, &Self::IsGroupFontStored)
    PUBLISHED_STORED(GroupPrefix, String(QStringLiteral("//")), &Self::IsGroupPrefixStored)
    PUBLISHED(HorzExtent, std::uint16_t(0))
    PUBLISHED(HorzScrollBar, false)
    PUBLISHED(IncrementalSearch, true)
    PUBLISHED(OwnerDrawIndent, 0)
    PUBLISHED(ShowGroups, false)
    PUBLISHED(ShowItemHints, true)
    PUBLISHED(TabOnEnter, false)
    PUBLISHED(UseGradients, true)
    PUBLISHED_EVENT(OnDeleteItems)
    PUBLISHED_EVENT(OnMatch)
END_REGISTER

REGISTER_COMPONENT(TFcListBox, TFcCustomListBox)
END_REGISTER

TFcCustomListBox::TFcCustomListBox(TComponent* AOwner)
    : TFcFramedControl<TCustomListBox>(AOwner), FSearch(this), FGroupFont(std::make_unique<TFont>())
{
    FControlStyle.Exclude(csOpaque);
    FGroupFont->Assign(Font());
    FGroupFont->SetStyle(FGroupFont->Style() + TFontStyles{fsBold});
    FGroupFont->SetColor(clHighlight);
    FGroupFont->SetOnChange([this](TObject* Sender) { GroupFontChange(Sender); });
}

TFcCustomListBox::~TFcCustomListBox() = default;

// --- the window -----------------------------------------------------------------------------

void TFcCustomListBox::CreateParams(TCreateParams& Params)
{
    TFcFramedControl::CreateParams(Params);
    if (FHorzScrollBar)
        Params.Style |= WS_HSCROLL;
    else
        Params.Style &= ~DWORD(WS_HSCROLL);
}

void TFcCustomListBox::CreateWnd()
{
    TFcFramedControl::CreateWnd();
    Perform(LB_SETHORIZONTALEXTENT, FHorzExtent, 0);
    ShowScrollBar(FHandle, SB_HORZ, FHorzScrollBar ? TRUE : FALSE);
}

void TFcCustomListBox::Loaded()
{
    if (FHorzScrollBar && !FItemsUpdating)
        UpdateHorzExtent();
    TFcFramedControl::Loaded();
}

void TFcCustomListBox::Resize()
{
    TFcFramedControl::Resize();
    if (FUseGradients)
        Invalidate();
}

// --- properties ---------------------------------------------------------------------------------

void TFcCustomListBox::SetHorzExtent(std::uint16_t Value)
{
    FHorzExtent = Value;
    Perform(LB_SETHORIZONTALEXTENT, Value, 0);
}

void TFcCustomListBox::SetHorzScrollBar(bool Value)
{
    if (AssignIfChanged(FHorzScrollBar, Value))
        RecreateWnd();
}

void TFcCustomListBox::SetGroupFont(TFont* Value)
{
    FGroupFont->Assign(Value);
}

void TFcCustomListBox::GroupFontChange(TObject* Sender)
{
    (void)Sender;
    FGroupFontCustom = true;
    GroupFontChanged();
    Invalidate();
}

void TFcCustomListBox::SetShowGroups(bool Value)
{
    if (!AssignIfChanged(FShowGroups, Value))
        return;
    if (Value) {
        SetStyle(lbOwnerDrawFixed);
        AdjustItemHeight();
    }
    Invalidate();
}

void TFcCustomListBox::AdjustItemHeight()
{
    SetItemHeight(std::max(GetFontHeight(Font()), ItemHeight()));
}

// --- what the application calls -------------------------------------------------------------

int TFcCustomListBox::Add(const String& S)
{
    return Items()->Add(S);
}

int TFcCustomListBox::IndexOf(const String& S)
{
    return Items()->IndexOf(S);
}

String TFcCustomListBox::SelectedItem()
{
    if (MultiSelect() && SelCount() <= 0)
        return String();
    const int Index = ItemIndex();
    return Index < 0 || Index >= Items()->Count() ? String() : Items()->Strings(Index);
}

// --- groups ---------------------------------------------------------------------------------------

bool TFcCustomListBox::IsGroup(int Index)
{
    if (Index < 0 || Index >= Count())
        return false;
    return ItemText(Index).startsWith(FGroupPrefix, Qt::CaseSensitive);
}

int TFcCustomListBox::FindGroupIndex(int Index)
{
    for (int I = std::min(Index, Count() - 1); I >= 0; --I)
        if (IsGroup(I))
            return I;
    return -1;
}

bool TFcCustomListBox::HasGroup(int Index)
{
    return FindGroupIndex(Index) != -1;
}

int TFcCustomListBox::GroupNumber(int Index)
{
    if (!IsGroup(Index))
        return -1;
    int Number = 0;
    for (int I = 0; I < Index; ++I)
        Number += IsGroup(I) ? 1 : 0;
    return Number;
}

String TFcCustomListBox::ItemText(int Index)
{
    if (Style() == lbVirtual || Style() == lbVirtualOwnerDraw)
        return DoGetData(Index);
    return Items()->Strings(Index);
}

String TFcCustomListBox::WithoutPrefix(const String& Text) const
{
    return Text.startsWith(FGroupPrefix) ? Text.mid(FGroupPrefix.size()) : Text;
}

// --- incremental search -------------------------------------------------------------------------

int TFcCustomListBox::FindItem(const String& S)
{
    if (S.isEmpty())
        return -1;
    return int(Perform(LB_FINDSTRING, WPARAM(-1), PtrToLParam(&S)));
}

void TFcCustomListBox::InvalidKeyBeep()
{
    if (FBeepOnInvalidKey)
        MessageBeep(MB_OK_BEEP);
}

void TFcCustomListBox::Match()
{
    if (FOnMatch)
        FOnMatch(this);
}

void TFcCustomListBox::DeleteItems()
{
    if (FOnDeleteItems)
        FOnDeleteItems(this);
}

void TFcCustomListBox::SearchFor(const String& S, TMessage& Message)
{
    const int Old = ItemIndex();
    const int Found = FindItem(S);
    if (Found < 0) {
        InvalidKeyBeep();
        return;
    }
    if (MultiSelect()) {
        if (Old >= 0)
            Perform(LB_SETSEL, FALSE, Old);
        Perform(LB_SETSEL, TRUE, Found);
        Perform(LB_SETCARETINDEX, WPARAM(Found), 0);
    } else {
        SetItemIndex(Found);
    }
    FSearch.SetText(S);
    DoKeyPress(Message);
    Match();
}

void TFcCustomListBox::Backspace(TMessage& Message)
{
    if (Count() == 0)
        return;
    if (FSearch.Empty()) {
        // An empty search matches nothing.
        InvalidKeyBeep();
        return;
    }
    const String S = FSearch.WithoutLast();
    if (S.isEmpty()) {
        SetItemIndex(0);
        // OnClick may free the list.
        const TComponentRef<> Self(this);
        Click();
        if (!Self)
            return;
        FSearch.Clear();
        DoKeyPress(Message);
        return;
    }
    SearchFor(S, Message);
}

void TFcCustomListBox::AddToSearch(const String& Character, TMessage& Message)
{
    FSearch.Typed([&] { SearchFor(FSearch.Text() + Character, Message); });
}

void TFcCustomListBox::IncrementalChar(TMessage& Message)
{
    String Character;
    if (!FSearch.TakeCharacter(QChar(char16_t(Message.WParam)), Character))
        return;
    const QChar C = Character.at(0);
    if (C == QChar(8)) {
        Backspace(Message);
    } else if (C == QChar(13)) {
        QChar Key = C;
        if (!TabOnEnterKey(Key))
            DoKeyPress(Message);
    } else if (C == QChar(27)) {
        SetItemIndex(-1);
    } else if (C.isPrint() || C.isSurrogate()) {
        if (C == QLatin1Char(' ') && MultiSelect() && !ExtendedSelect())
            return;
        AddToSearch(Character, Message);
    }
}

// --- messages --------------------------------------------------------------------------------------

void TFcCustomListBox::ItemsChanged()
{
    if (FHorzScrollBar)
        UpdateHorzExtent();
}

void TFcCustomListBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR:
        if (FIncrementalSearch) {
            IncrementalChar(Message);
            return;
        }
        break;
    case WM_LBUTTONDOWN:
        FSearch.Clear();
        break;
    case WM_KEYDOWN:
        if (Message.WParam == VK_ESCAPE || (Message.WParam >= VK_PRIOR && Message.WParam <= VK_DOWN))
            FSearch.Clear();
        break;
    case WM_SETREDRAW:
        // Items change between BeginUpdate and EndUpdate; what follows all
        // of them is worked out once at the end.
        FItemsUpdating = Message.WParam == 0;
        TFcFramedControl::WndProc(Message);
        if (!FItemsUpdating && FChangedInUpdate) {
            FChangedInUpdate = false;
            ItemsChanged();
        }
        return;
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
        TFcFramedControl::WndProc(Message);
        if (FItemsUpdating || ComponentState().Contains(csLoading))
            FChangedInUpdate = true;
        else
            ItemsChanged();
        return;
    case WM_MOUSEMOVE:
        TFcFramedControl::WndProc(Message);
        if (FShowItemHints)
            ShowItemHint(LParamToPoint(Message.LParam));
        return;
    default:
        break;
    }
    TFcFramedControl::WndProc(Message);
}

void TFcCustomListBox::CMFontChanged(TMessage& Message)
{
    TFcFramedControl::CMFontChanged(Message);
    if (FShowGroups)
        AdjustItemHeight();
    if (FHorzScrollBar && !FItemsUpdating)
        UpdateHorzExtent();
}

void TFcCustomListBox::CMMouseEnter(TMessage& Message)
{
    TFcFramedControl::CMMouseEnter(Message);
    if (ComponentState().Contains(csDesigning))
        return;
    if (FShowItemHints && HandleAllocated()) {
        TPoint P;
        GetCursorPos(&P);
        ShowItemHint(ScreenToClient(P));
    }
}

void TFcCustomListBox::CMMouseLeave(TMessage& Message)
{
    TFcFramedControl::CMMouseLeave(Message);
    HideItemHint();
}

// --- item hints ------------------------------------------------------------------------------------

void TFcCustomListBox::ShowItemHint(TPoint P)
{
    const int Index = ItemAtPos(P, true);
    if (Index < 0 || !ApplicationIsActive()) {
        HideItemHint();
        return;
    }
    String Text = ItemText(Index);
    if (IsGroup(Index))
        Text = WithoutPrefix(Text);
    Canvas()->SetFont(Font());
    if (Canvas()->TextWidth(Text) + 2 <= ClientWidth() - GetOwnerDrawIndent()) {
        HideItemHint();
        return;
    }
    if (FItemHint == nullptr) {
        FItemHint = new THintWindow(this);
        FItemHint->SetColor(Application != nullptr ? Application->HintColor() : clInfoBk);
    }
    Text.replace(QLatin1Char('\t'), QStringLiteral("        "));
    const TRect ItemR = ItemRect(Index);
    TRect R = FItemHint->CalcHintRect(Screen != nullptr ? Screen->Width() : 4096, Text, nullptr);
    const TPoint At =
        ClientToScreen({ItemR.Left + GetOwnerDrawIndent() - 1, ItemR.Top + (ItemR.Height() - R.Height()) / 2 - 2});
    OffsetRect(R, At.X, At.Y);
    if (FItemHint->HandleAllocated() && IsWindowVisible(FItemHint->Handle())) {
        TRect Now;
        GetWindowRect(FItemHint->Handle(), &Now);
        if (Now.Left == R.Left && Now.Top == R.Top && FItemHint->Caption() == Text)
            return;
    }
    FItemHint->ActivateHint(R, Text);
}

void TFcCustomListBox::HideItemHint()
{
    if (FItemHint != nullptr && FItemHint->HandleAllocated())
        ShowWindow(FItemHint->Handle(), SW_HIDE);
}

// --- the horizontal extent -------------------------------------------------------------------------

void TFcCustomListBox::UpdateHorzExtent()
{
    HDC DC = GetDC(nullptr);
    const HGDIOBJ Old = SelectObject(DC, Font()->Handle());
    int Widest = 0;
    for (int I = 0, N = Count(); I < N; ++I) {
        TSize Size;
        GetTextExtentPoint32(DC, ItemText(I) + QLatin1Char('x'), &Size);
        Widest = std::max(Widest, Size.cx);
    }
    SelectObject(DC, Old);
    ReleaseDC(nullptr, DC);
    SetHorzExtent(std::uint16_t(std::min(Widest, 0xFFFF)));
}

// --- painting ---------------------------------------------------------------------------------------

void TFcCustomListBox::CNDrawItem(TMessage& Message)
{
    auto* Item = LParamToPtr<DRAWITEMSTRUCT>(Message.LParam);
    if (Item == nullptr)
        return;
    const int Index = int(Item->itemID);
    const bool Group = FShowGroups && IsGroup(Index);
    if (!Group && Index >= 0) {
        if (UseRightToLeftAlignment())
            Item->rcItem.Right -= GetOwnerDrawIndent();
        else
            Item->rcItem.Left += GetOwnerDrawIndent();
    }
    auto* ItemCanvas = static_cast<TControlCanvas*>(Canvas());
    OwnerDrawItem(this, ItemCanvas, Message, [this, Group](int I, TRect R, TOwnerDrawState State) {
        if (Group)
            DrawGroup(I, R, State);
        else
            DrawItem(I, R, State);
    });
}

void TFcCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    DoDrawItem(Index, Rect, State);
}

void TFcCustomListBox::DoDrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (OnDrawItem())
        OnDrawItem()(this, Index, Rect, State);
    else
        DefaultDrawItem(Index, Rect, State);
}

void TFcCustomListBox::DefaultDrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    (void)State;
    Canvas()->FillRect(Rect);
    // The items may have changed while the list paints.
    if (Index < 0 || Index >= Count())
        return;
    if (UseRightToLeftAlignment())
        Rect.Right -= 2;
    else
        Rect.Left += 2;
    DrawText(Canvas()->Handle(), ItemText(Index), &Rect,
             DrawTextBiDiModeFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX));
}

void TFcCustomListBox::FillGroup(TRect R, TOwnerDrawState State, TColor Fill)
{
    if (State.Contains(odSelected)) {
        Canvas()->FillRect(R);
        return;
    }
    if (!FUseGradients || !ManyColors()) {
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(R);
        return;
    }
    if (UseRightToLeftAlignment())
        FillGradientRect(Canvas(), R, gdVerticalEnd, Color(), Fill, 1);
    else
        FillGradientRect(Canvas(), R, gdVerticalEnd, Fill, Color(), 1);
}

void TFcCustomListBox::DrawGroup(int Index, TRect Rect, TOwnerDrawState State)
{
    TCanvas* C = Canvas();
    const bool Themed = FcThemesEnabled();
    C->SetFont(FGroupFont.get());
    const TColor Text = State.Contains(odSelected) ? clHighlightText : Themed ? GetThemedColor(5) : FGroupFont->Color();
    FillGroup(Rect, State, Themed ? GetThemedColor(4) : FGroupColor);
    C->Font()->SetColor(Text);
    HDC DC = C->Handle();
    const int Saved = SaveDC(DC);
    IntersectClipRect(DC, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
    SetBkMode(DC, TRANSPARENT);
    if (UseRightToLeftAlignment())
        Rect.Right -= 2;
    else
        Rect.Left += 2;
    DrawText(DC, WithoutPrefix(ItemText(Index)), &Rect,
             DrawTextBiDiModeFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX));
    RestoreDC(DC, Saved);
}
