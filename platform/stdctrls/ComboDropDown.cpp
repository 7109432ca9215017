#include "platform/stdctrls/ComboDropDown.h"

#include "platform/classes/ComponentRef.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/ComboBoxWindow.h"
#include "platform/stdctrls/ListMessages.h"

TComboDropDownList::TComboDropDownList(TCustomComboBox* Combo) : TCustomControl(nullptr), FCombo(Combo)
{
    FControlStyle = {csOpaque};
    FVisible = false;
    SetColor(Combo->Color());
    SetFont(Combo->Font());
}

void TComboDropDownList::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;
    // Owned by the combo box's window: it goes with it and never takes
    // the activation from it.
    Params.WndParent = GetAncestor(FCombo->Handle(), GA_ROOT);
}

TListEngine& TComboDropDownList::Engine()
{
    return FCombo->FEngine;
}

TSize TComboDropDownList::ListClient()
{
    if (!HandleAllocated())
        return {std::max(0, FWidth - 2), std::max(0, FHeight - 2)};
    const TRect R = ClientRect();
    return {R.Width(), R.Height()};
}

int TComboDropDownList::VisibleItems()
{
    return std::clamp(Engine().Count(), 1, FCombo->FDropDownCount);
}

void TComboDropDownList::Place()
{
    TListEngine& E = Engine();
    int ItemsHeight = 0;
    const int First = std::clamp(E.TopIndex(), 0, std::max(0, E.Count() - VisibleItems()));
    for (int I = 0; I < VisibleItems(); ++I)
        ItemsHeight += E.HeightOf(First + I);
    TRect Combo;
    GetWindowRect(FCombo->Handle(), &Combo);
    TRect Work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &Work, 0);
    const int W = std::max(Combo.Width(), FCombo->FDropDownWidth);
    const int H = ItemsHeight + 2;
    // Below the combo box, or above it where the screen ends first.
    int Y = Combo.Bottom;
    if (Y + H > Work.Bottom && Combo.Top - H >= Work.Top)
        Y = Combo.Top - H;
    const int X = std::clamp(Combo.Left, Work.Left, std::max(Work.Left, Work.Right - W));
    SetColor(FCombo->Color());
    SetFont(FCombo->Font());
    SetBounds(X, Y, W, H);
    ::SetWindowPos(Handle(), HWND_TOPMOST, X, Y, W, H, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FVisible = true;
    FPressedInside = false;
    FMovedInside = false;
    E.SetTopIndex(E.TopIndex(), ListClient());
    UpdateScrollBar();
    Invalidate();
}

void TComboDropDownList::ItemsChanged()
{
    if (FPainting) {
        FChangedWhilePainting = true;
        return;
    }
    if (!Engine().IsItem(FHot))
        FHot = -1;
    if (HandleAllocated() && IsWindowVisible(WindowHandle()))
        Place();
}

void TComboDropDownList::SetHot(int Index, bool Show)
{
    FHot = Engine().IsItem(Index) ? Index : -1;
    if (!HandleAllocated())
        return;
    if (Show && FHot >= 0) {
        Engine().EnsureVisible(FHot, ListClient());
        UpdateScrollBar();
    }
    Invalidate();
}

void TComboDropDownList::ScrollBy(int Items)
{
    Engine().SetTopIndex(Engine().TopIndex() + Items, ListClient());
    UpdateScrollBar();
    Invalidate();
}

void TComboDropDownList::UpdateScrollBar()
{
    if (!HandleAllocated())
        return;
    SCROLLINFO Info;
    Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    Info.nMax = std::max(0, Engine().Count() - 1);
    Info.nPage = UINT(Engine().VisibleCount(ListClient()));
    Info.nPos = Engine().TopIndex();
    SetScrollInfo(WindowHandle(), SB_VERT, &Info, TRUE);
}

// --- painting ----------------------------------------------------------------------------------

void TComboDropDownList::Paint()
{
    const TPaintingScope Scope(FPainting);
    const TSize C = ListClient();
    Canvas()->Brush()->SetColor(FCombo->Color());
    Canvas()->FillRect({0, 0, C.cx, C.cy});
    TListEngine& E = Engine();
    // The count is asked afresh for every item: drawing an item may change
    // the items.
    for (int I = E.TopIndex(); E.IsItem(I); ++I) {
        const TRect R = E.ItemRect(I, C);
        if (R.Top >= C.cy)
            break;
        PaintItem(I, R);
    }
}

void TComboDropDownList::PaintItem(int Index, const TRect& R)
{
    HDC DC = Canvas()->Handle();
    const bool Lit = Index == FHot;
    const int Saved = SaveDC(DC);
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    if (FCombo->IsOwnerDrawn()) {
        SendDrawItem(FCombo, ODT_COMBOBOX, FCombo->WindowHandle(), DC, Index, R, Lit ? UINT(ODS_SELECTED) : 0u,
                     Engine().Data(Index));
    } else {
        TPlainItem Item;
        Item.Text = Engine().Text(Index);
        Item.Back = FCombo->Color();
        Item.Font = FCombo->Font();
        Item.Lit = Lit;
        DrawPlainItem(DC, R, Item);
    }
    RestoreDC(DC, Saved);
}

// --- input -------------------------------------------------------------------------------------

void TComboDropDownList::PressOutside(TPoint Screen)
{
    TRect Window;
    GetWindowRect(WindowHandle(), &Window);
    if (PtInRect(Window, Screen)) {
        // The scroll bar: it scrolls in a loop of its own, which lets go
        // of the mouse; the list takes it back.
        const int Hit = int(SendMessage(WindowHandle(), WM_NCHITTEST, 0, PointToLParam(Screen)));
        if (Hit == HTVSCROLL) {
            const TComponentRef<> Alive(FCombo);
            FScrolling = true;
            SendMessage(WindowHandle(), WM_NCLBUTTONDOWN, WPARAM(Hit), PointToLParam(Screen));
            if (!Alive)
                return;
            FScrolling = false;
            if (FCombo->FWindow->Dropped())
                SetCapture(WindowHandle());
        }
        return;
    }
    FCombo->FWindow->Close(false);
}

void TComboDropDownList::MouseMessage(TMessage& Message)
{
    const TPoint P = LParamToPoint(Message.LParam);
    const TSize C = ListClient();
    const bool Inside = P.X >= 0 && P.Y >= 0 && P.X < C.cx && P.Y < C.cy;
    const int Index = Inside ? Engine().ItemAt(P, C) : -1;
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        if (Index >= 0 && Index != FHot)
            SetHot(Index, false);
        if (Inside && (Message.WParam & MK_LBUTTON) != 0)
            FMovedInside = true;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (Inside) {
            FPressedInside = true;
            if (Index >= 0)
                SetHot(Index, false);
        } else {
            TPoint Screen = P;
            ::ClientToScreen(WindowHandle(), &Screen);
            PressOutside(Screen);
        }
        break;
    case WM_LBUTTONUP:
        // Only a press in the list, or a drag into it from the combo box's
        // button, chooses: the release of the press that opened it does not.
        if (Index >= 0 && (FPressedInside || FMovedInside))
            FCombo->FWindow->Choose(Index);
        FPressedInside = false;
        break;
    default:
        if (!Inside) {
            TPoint Screen = P;
            ::ClientToScreen(WindowHandle(), &Screen);
            PressOutside(Screen);
        }
        break;
    }
}

void TComboDropDownList::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        MouseMessage(Message);
        return;
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_PAINT:
        TCustomControl::WndProc(Message);
        if (FChangedWhilePainting) {
            FChangedWhilePainting = false;
            PostMessage(WindowHandle(), QV_LIST_CHANGED, 0, 0);
        }
        return;
    case QV_LIST_CHANGED:
        ItemsChanged();
        return;
    case CN_KEYDOWN:
    case CN_CHAR:
    case CN_SYSKEYDOWN:
    case CN_SYSCHAR:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        // Holding the mouse, the list gets the keys; they are the combo
        // box's (its window's or its edit part's, whichever has the focus),
        // dialog keys and shortcuts included.
        if (HWND Focus = GetFocus(); Focus != nullptr && Focus != WindowHandle()) {
            HWND Target = Focus;
            if (Message.Msg >= CN_BASE && FindControl(Focus) == nullptr)
                Target = ::GetParent(Focus);
            Message.Result = SendMessage(Target, Message.Msg, Message.WParam, Message.LParam);
        }
        return;
    case WM_MOUSEWHEEL: {
        TMessage Wheel = Message;
        FCombo->FWindow->Handle(Wheel);
        return;
    }
    case WM_CAPTURECHANGED:
        TCustomControl::WndProc(Message);
        if (!FScrolling && FCombo->FWindow->Dropped() && GetCapture() != WindowHandle())
            FCombo->FWindow->Close(false);
        return;
    case WM_VSCROLL: {
        const int Code = LOWORD(Message.WParam);
        const int Page = std::max(1, Engine().VisibleCount(ListClient()) - 1);
        if (Code == SB_LINEUP || Code == SB_LINEDOWN)
            ScrollBy(Code == SB_LINEUP ? -1 : 1);
        else if (Code == SB_PAGEUP || Code == SB_PAGEDOWN)
            ScrollBy(Code == SB_PAGEUP ? -Page : Page);
        else if (Code == SB_THUMBTRACK || Code == SB_THUMBPOSITION) {
            SCROLLINFO Info;
            Info.fMask = SIF_TRACKPOS;
            GetScrollInfo(WindowHandle(), SB_VERT, &Info);
            ScrollBy(Info.nTrackPos - Engine().TopIndex());
        }
        return;
    }
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}
