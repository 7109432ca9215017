#include "platform/stdctrls/ListBoxWindow.h"

#include "platform/stdctrls/ItemMessages.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/ListMessages.h"
#include "platform/stdctrls/MessageArgs.h"
#include "platform/stdctrls/TextMetrics.h"

#include <algorithm>

TListEngine& TListBoxWindow::Engine()
{
    return FBox->FEngine;
}

TSize TListBoxWindow::Client()
{
    return FBox->ClientSize();
}

void TListBoxWindow::Changed()
{
    if (!FRedraw || !FBox->HandleAllocated())
        return;
    if (FPainting) {
        FChangedWhilePainting = true;
        return;
    }
    UpdateScrollBars();
    FBox->Invalidate();
}

void TListBoxWindow::Notify(unsigned short Code)
{
    FBox->Perform(CN_COMMAND, MAKEWPARAM(0, Code), PtrToLParam(FBox->FHandle));
}

bool TListBoxWindow::Handle(TMessage& M)
{
    if (M.Msg >= LB_ADDSTRING && M.Msg <= LB_ITEMFROMPOINT)
        return ListMessage(M);
    switch (M.Msg) {
    case WM_SETREDRAW:
        FRedraw = M.WParam != 0;
        Changed();
        return true;
    case WM_PAINT:
        Paint(M);
        return true;
    case WM_SIZE:
        Engine().SetTopIndex(Engine().TopIndex(), Client());
        UpdateScrollBars();
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(M, M.Msg == WM_LBUTTONDBLCLK);
        return true;
    case WM_MOUSEMOVE:
        MouseMove(M);
        return false;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        MouseUp();
        return false;
    case WM_KEYDOWN:
        return KeyDown(M);
    case WM_CHAR:
        Char(M);
        return true;
    case WM_MOUSEWHEEL:
        Wheel(std::int16_t(HIWORD(M.WParam)));
        return true;
    case WM_VSCROLL:
    case WM_HSCROLL:
        Scroll(M.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(M.WParam), HIWORD(M.WParam));
        return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        FBox->Invalidate();
        return false;
    case WM_GETDLGCODE:
        M.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return true;
    default:
        return false;
    }
}

// --- LB_* ----------------------------------------------------------------------------------

bool TListBoxWindow::ListMessage(TMessage& M)
{
    M.Result = 0;
    if (ItemMessage(M) || SelectionMessage(M) || GeometryMessage(M))
        return true;
    M.Result = LB_ERR;
    return true;
}

bool TListBoxWindow::ItemMessage(TMessage& M)
{
    TListEngine& E = Engine();
    TItemHooks Hooks;
    Hooks.Added = [this](int Index) { FBox->MeasureNewItem(Index); };
    Hooks.Changed = [this] { Changed(); };
    if (HandleItemMessage(E, ListBoxItemMessages, M, Hooks))
        return true;
    const int Index = IndexArg(M);
    switch (M.Msg) {
    case LB_SETCOUNT:
        E.SetVirtualCount(Index);
        Changed();
        return true;
    case LB_SELECTSTRING: {
        const int Found = E.FindPrefix(StringArg(M), Index);
        if (Found >= 0 && E.SelectMode() == TListSelectMode::Single) {
            E.SetCurSel(Found);
            E.EnsureVisible(Found, Client());
            Changed();
        }
        M.Result = Found;
        return true;
    }
    default:
        return false;
    }
}

bool TListBoxWindow::SelectionMessage(TMessage& M)
{
    TListEngine& E = Engine();
    const bool Single = E.SelectMode() == TListSelectMode::Single;
    switch (M.Msg) {
    case LB_SETCURSEL: {
        if (!Single) {
            M.Result = LB_ERR;
            return true;
        }
        const int Index = IndexArg(M);
        M.Result = E.SetCurSel(Index) ? Index : LRESULT(LB_ERR);
        E.EnsureVisible(Index, Client());
        Changed();
        return true;
    }
    case LB_GETCURSEL:
        M.Result = E.CurSel();
        return true;
    case LB_SETSEL: {
        const int Index = int(M.LParam);
        if (Single) {
            M.Result = LB_ERR;
        } else if (Index == -1) {
            if (M.WParam != 0)
                E.SelectRange(0, E.Count() - 1);
            else
                E.ClearSelection();
        } else {
            M.Result = E.SetSelected(Index, M.WParam != 0) ? LRESULT(LB_OKAY) : LRESULT(LB_ERR);
        }
        Changed();
        return true;
    }
    case LB_SELITEMRANGE:
        if (!Single)
            for (int I = LOWORD(std::uintptr_t(M.LParam)); I <= HIWORD(std::uintptr_t(M.LParam)); ++I)
                E.SetSelected(I, M.WParam != 0);
        M.Result = Single ? LRESULT(LB_ERR) : LRESULT(LB_OKAY);
        Changed();
        return true;
    case LB_GETSEL:
        M.Result = E.IsItem(IndexArg(M)) ? (E.Selected(IndexArg(M)) ? 1 : 0) : LRESULT(LB_ERR);
        return true;
    case LB_GETSELCOUNT:
        M.Result = Single ? LRESULT(LB_ERR) : E.SelCount();
        return true;
    case LB_GETSELITEMS: {
        int* Out = LParamToPtr<int>(M.LParam);
        int N = 0;
        for (int I = 0; I < E.Count() && N < IndexArg(M) && Out != nullptr; ++I)
            if (E.Selected(I))
                Out[N++] = I;
        M.Result = Single ? LRESULT(LB_ERR) : N;
        return true;
    }
    case LB_SETCARETINDEX:
        M.Result = E.IsItem(IndexArg(M)) ? LRESULT(LB_OKAY) : LRESULT(LB_ERR);
        E.SetCaret(IndexArg(M));
        if (M.LParam == 0)
            E.EnsureVisible(IndexArg(M), Client());
        Changed();
        return true;
    case LB_GETCARETINDEX:
        M.Result = Single ? E.CurSel() : E.Caret();
        return true;
    case LB_SETANCHORINDEX:
        E.SetAnchor(IndexArg(M));
        return true;
    case LB_GETANCHORINDEX:
        M.Result = E.Anchor();
        return true;
    default:
        return false;
    }
}

bool TListBoxWindow::GeometryMessage(TMessage& M)
{
    TListEngine& E = Engine();
    const int Index = IndexArg(M);
    switch (M.Msg) {
    case LB_SETTOPINDEX:
        E.SetTopIndex(Index, Client());
        M.Result = E.IsItem(Index) || Index == 0 ? LRESULT(LB_OKAY) : LRESULT(LB_ERR);
        Changed();
        return true;
    case LB_GETTOPINDEX:
        M.Result = E.TopIndex();
        return true;
    case LB_SETITEMHEIGHT:
        if (E.VariableHeight() && E.IsItem(Index))
            E.SetHeightOf(Index, LOWORD(std::uintptr_t(M.LParam)));
        else
            E.SetItemHeight(LOWORD(std::uintptr_t(M.LParam)));
        Changed();
        return true;
    case LB_GETITEMHEIGHT:
        M.Result = E.HeightOf(Index);
        return true;
    case LB_GETITEMRECT: {
        const bool Valid = E.IsItem(Index) || (Index == 0 && E.Count() == 0);
        if (Valid && M.LParam != 0)
            *LParamToPtr<TRect>(M.LParam) = E.ItemRect(Index, Client());
        M.Result = Valid ? LRESULT(LB_OKAY) : LRESULT(LB_ERR);
        return true;
    }
    case LB_ITEMFROMPOINT: {
        const TPoint P = LParamToPoint(M.LParam);
        const TSize C = Client();
        const int Inside = E.ItemAt(P, C);
        M.Result = Inside >= 0 ? Inside : MAKELPARAM(std::max(0, E.Count() - 1), 1);
        return true;
    }
    case LB_SETTABSTOPS: {
        const int* Stops = LParamToPtr<const int>(M.LParam);
        FTabStops.assign(Stops, Stops + (Stops != nullptr ? std::max(0, Index) : 0));
        FBox->Invalidate();
        M.Result = TRUE;
        return true;
    }
    case LB_SETHORIZONTALEXTENT:
        E.SetHorizontalExtent(Index);
        E.SetHorizontalOffset(E.HorizontalOffset(), Client());
        Changed();
        return true;
    case LB_GETHORIZONTALEXTENT:
        M.Result = E.HorizontalExtent();
        return true;
    case LB_SETCOLUMNWIDTH:
        E.SetColumnWidth(Index);
        Changed();
        return true;
    default:
        return false;
    }
}

// --- scroll bars --------------------------------------------------------------------------------

void TListBoxWindow::UpdateScrollBars()
{
    HWND Wnd = FBox->FHandle;
    if (Wnd == nullptr || !FRedraw)
        return;
    TListEngine& E = Engine();
    // Twice: a bar that comes or goes changes the room for the other.
    for (int Pass = 0; Pass < 2; ++Pass) {
        const TSize C = Client();
        SCROLLINFO V, H;
        V.fMask = H.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (E.MultiColumn()) {
            const int Rows = E.RowsPerColumn(C);
            H.nMax = std::max(0, (E.Count() + Rows - 1) / Rows - 1);
            H.nPage = UINT(std::max(1, C.cx / std::max(1, E.ColumnWidth())));
            H.nPos = E.TopIndex() / Rows;
            V.nPage = 1;
        } else {
            V.nMax = std::max(0, E.Count() - 1);
            V.nPage = UINT(E.VisibleCount(C));
            V.nPos = E.TopIndex();
            H.nMax = std::max(0, E.HorizontalExtent() - 1);
            H.nPage = UINT(std::max(1, C.cx));
            H.nPos = E.HorizontalOffset();
        }
        SetScrollInfo(Wnd, SB_VERT, &V, TRUE);
        SetScrollInfo(Wnd, SB_HORZ, &H, TRUE);
    }
}

int TListBoxWindow::PageSize()
{
    return std::max(1, Engine().VisibleCount(Client()) - 1);
}

void TListBoxWindow::Scroll(int Bar, int Code, int Pos)
{
    TListEngine& E = Engine();
    const TSize C = Client();
    const bool Items = Bar == SB_VERT || E.MultiColumn();
    // Items scroll by items (columns by a column of rows), the extent by pixels.
    const int Line = !Items ? 8 : E.MultiColumn() ? E.RowsPerColumn(C) : 1;
    const int Page = !Items ? std::max(1, C.cx) : E.MultiColumn() ? E.VisibleCount(C) : PageSize();
    int Current = Items ? E.TopIndex() : E.HorizontalOffset();
    if (Code == SB_THUMBTRACK || Code == SB_THUMBPOSITION) {
        SCROLLINFO Info;
        Info.fMask = SIF_TRACKPOS;
        GetScrollInfo(FBox->FHandle, Bar, &Info);
        Pos = Info.nTrackPos;
    }
    switch (Code) {
    case SB_LINEUP:
        Current -= Line;
        break;
    case SB_LINEDOWN:
        Current += Line;
        break;
    case SB_PAGEUP:
        Current -= Page;
        break;
    case SB_PAGEDOWN:
        Current += Page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        Current = E.MultiColumn() && Items ? Pos * Line : Pos;
        break;
    case SB_TOP:
        Current = 0;
        break;
    case SB_BOTTOM:
        Current = Items ? E.Count() : E.HorizontalExtent();
        break;
    default:
        return;
    }
    if (Items)
        E.SetTopIndex(Current, C);
    else
        E.SetHorizontalOffset(Current, C);
    Changed();
}

void TListBoxWindow::Wheel(int Delta)
{
    FWheelRest += Delta;
    const int Notches = FWheelRest / WHEEL_DELTA;
    FWheelRest -= Notches * WHEEL_DELTA;
    if (Notches == 0)
        return;
    UINT Lines = 3;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
    TListEngine& E = Engine();
    const int Step = E.MultiColumn() ? E.RowsPerColumn(Client()) : Lines == 0xFFFFFFFFu ? PageSize() : int(Lines);
    E.SetTopIndex(E.TopIndex() - Notches * Step, Client());
    Changed();
}

// --- painting -----------------------------------------------------------------------------------

void TListBoxWindow::Paint(TMessage& M)
{
    HDC DC = HDC(M.WParam);
    PAINTSTRUCT PS;
    if (DC == nullptr)
        DC = BeginPaint(FBox->FHandle, &PS);
    try {
        const TPaintingScope Scope(FPainting);
        if (FRedraw && DC != nullptr)
            PaintItems(DC);
    } catch (...) {
        EndPainting(M, PS);
        throw;
    }
    EndPainting(M, PS);
}

void TListBoxWindow::PaintItems(void* Context)
{
    HDC DC = static_cast<HDC>(Context);
    const TSize C = Client();
    const TRect All{0, 0, C.cx, C.cy};
    FillRect(DC, &All, FBox->Brush()->Handle());
    TListEngine& E = Engine();
    // The count is asked afresh for every item: a handler that draws an
    // item may change the items.
    for (int I = E.TopIndex(); E.IsItem(I); ++I) {
        const TRect R = E.ItemRect(I, C);
        if (R.Top >= C.cy || R.Left >= C.cx)
            break;
        if (RectVisible(DC, &R))
            PaintItem(DC, I, R);
    }
    if (E.Count() == 0 && FBox->Focused())
        PaintItem(DC, -1, E.ItemRect(0, C));
}

void TListBoxWindow::EndPainting(const TMessage& M, const PAINTSTRUCT& PS)
{
    if (M.WParam == 0)
        EndPaint(FBox->FHandle, &PS);
    if (FChangedWhilePainting) {
        FChangedWhilePainting = false;
        PostMessage(FBox->FHandle, QV_LIST_CHANGED, 0, 0);
    }
}

void TListBoxWindow::PaintItem(void* Context, int Index, const TRect& R)
{
    HDC DC = static_cast<HDC>(Context);
    TListEngine& E = Engine();
    UINT State = 0;
    if (E.Selected(Index))
        State |= ODS_SELECTED;
    if (FBox->Focused() && (Index == E.Caret() || (Index < 0 && E.Count() == 0)))
        State |= ODS_FOCUS;
    if (!FBox->Enabled())
        State |= ODS_DISABLED;
    const int Saved = SaveDC(DC);
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    if (FBox->IsOwnerDrawn()) {
        SendDrawItem(FBox, ODT_LISTBOX, FBox->FHandle, DC, Index, R, State, E.Data(Index));
    } else {
        DrawStandardItem(DC, Index, R, State);
    }
    RestoreDC(DC, Saved);
}

void TListBoxWindow::DrawStandardItem(void* Context, int Index, const TRect& R, unsigned State)
{
    HDC DC = static_cast<HDC>(Context);
    TPlainItem Item;
    Item.Text = Engine().Text(Index);
    Item.Back = FBox->Color();
    Item.Font = FBox->Font();
    Item.Lit = (State & ODS_SELECTED) != 0;
    Item.Disabled = (State & ODS_DISABLED) != 0;
    // Tab stops come in dialog units: a quarter of the average width.
    const int CharWidth = FontTextMetrics(FBox->Font()).tmAveCharWidth;
    for (int Stop : FTabStops)
        Item.TabStops.push_back(Stop * CharWidth / 4);
    DrawPlainItem(DC, R, Item);
    if ((State & ODS_FOCUS) != 0)
        DrawFocusRect(DC, &R);
}

// --- the mouse ------------------------------------------------------------------------------------

void TListBoxWindow::MouseDown(TMessage& M, bool Double)
{
    if (!FBox->Focused() && FBox->CanFocus())
        FBox->SetFocus();
    if (!FBox->HandleAllocated())
        return;
    const int Index = Engine().ItemAt(LParamToPoint(M.LParam), Client());
    if (Index < 0)
        return;
    const bool Shift = (M.WParam & MK_SHIFT) != 0;
    const bool Ctrl = (M.WParam & MK_CONTROL) != 0;
    TListEngine& E = Engine();
    switch (E.SelectMode()) {
    case TListSelectMode::Single:
        E.SetCurSel(Index);
        break;
    case TListSelectMode::Multiple:
        E.SetSelected(Index, !E.Selected(Index));
        E.SetCaret(Index);
        break;
    case TListSelectMode::Extended:
        Extend(Index, Shift, Ctrl, true);
        break;
    }
    E.EnsureVisible(Index, Client());
    Changed();
    FTracking = true;
    SetCapture(FBox->FHandle);
    if (Double)
        Notify(LBN_DBLCLK);
}

void TListBoxWindow::Extend(int Index, bool Shift, bool Ctrl, bool CtrlToggles)
{
    // Shift: the range from the anchor (added to the rest with Ctrl); Ctrl
    // alone: a click toggles the item, a key only moves the caret; neither:
    // the item alone, the new anchor.
    TListEngine& E = Engine();
    if (Shift) {
        E.SelectRange(E.Anchor() >= 0 ? E.Anchor() : Index, Index, Ctrl);
    } else if (Ctrl) {
        if (CtrlToggles) {
            E.SetSelected(Index, !E.Selected(Index));
            E.SetAnchor(Index);
        }
    } else {
        E.SelectRange(Index, Index);
        E.SetAnchor(Index);
    }
    E.SetCaret(Index);
}

void TListBoxWindow::MouseMove(TMessage& M)
{
    if (!FTracking || Engine().SelectMode() == TListSelectMode::Multiple)
        return;
    TListEngine& E = Engine();
    const TSize C = Client();
    TPoint P = LParamToPoint(M.LParam);
    // Dragging past the top or bottom scrolls the list along.
    if (P.Y < 0 && !E.MultiColumn())
        E.SetTopIndex(E.TopIndex() - 1, C);
    else if (P.Y >= C.cy && !E.MultiColumn())
        E.SetTopIndex(E.TopIndex() + 1, C);
    P.X = std::clamp(P.X, 0, std::max(0, C.cx - 1));
    P.Y = std::clamp(P.Y, 0, std::max(0, C.cy - 1));
    int Index = E.ItemAt(P, C);
    if (Index < 0)
        Index = E.Count() - 1;
    if (!E.IsItem(Index))
        return;
    TrackTo(Index, true, (M.WParam & MK_CONTROL) != 0);
}

void TListBoxWindow::TrackTo(int Index, bool Shift, bool Ctrl)
{
    TListEngine& E = Engine();
    if (E.SelectMode() == TListSelectMode::Single)
        E.SetCurSel(Index);
    else if (Shift)
        E.SelectRange(E.Anchor() >= 0 ? E.Anchor() : Index, Index, Ctrl);
    E.SetCaret(Index);
    E.EnsureVisible(Index, Client());
    Changed();
}

void TListBoxWindow::MouseUp()
{
    if (!FTracking)
        return;
    FTracking = false;
    if (GetCapture() == FBox->FHandle)
        ReleaseCapture();
    Notify(LBN_SELCHANGE);
}

// --- the keyboard ------------------------------------------------------------------------------------

bool TListBoxWindow::KeyDown(TMessage& M)
{
    TListEngine& E = Engine();
    if (E.Count() == 0)
        return false;
    const bool Shift = GetKeyState(VK_SHIFT) < 0;
    const bool Ctrl = GetKeyState(VK_CONTROL) < 0;
    const int Caret = E.CurSel() >= 0 ? E.CurSel() : -1;
    const int Column = E.MultiColumn() ? E.RowsPerColumn(Client()) : 1;
    int To = Caret;
    switch (M.WParam) {
    case VK_UP:
        To = Caret - 1;
        break;
    case VK_DOWN:
        To = Caret + 1;
        break;
    case VK_LEFT:
        To = Caret - Column;
        break;
    case VK_RIGHT:
        To = Caret + Column;
        break;
    case VK_PRIOR:
        To = Caret - PageSize();
        break;
    case VK_NEXT:
        To = Caret + PageSize();
        break;
    case VK_HOME:
        To = 0;
        break;
    case VK_END:
        To = E.Count() - 1;
        break;
    case VK_SPACE:
        if (E.SelectMode() == TListSelectMode::Single || !E.IsItem(E.Caret()))
            return false;
        if (E.SelectMode() == TListSelectMode::Multiple || Ctrl)
            E.SetSelected(E.Caret(), !E.Selected(E.Caret()));
        else
            E.SelectRange(E.Caret(), E.Caret());
        E.SetAnchor(E.Caret());
        Changed();
        Notify(LBN_SELCHANGE);
        return true;
    default:
        return false;
    }
    MoveCaret(std::clamp(To, 0, E.Count() - 1), Shift, Ctrl);
    return true;
}

void TListBoxWindow::MoveCaret(int Index, bool Shift, bool Ctrl)
{
    TListEngine& E = Engine();
    const int Old = E.CurSel();
    switch (E.SelectMode()) {
    case TListSelectMode::Single:
        E.SetCurSel(Index);
        break;
    case TListSelectMode::Multiple:
        E.SetCaret(Index);
        break;
    case TListSelectMode::Extended:
        Extend(Index, Shift, Ctrl, false);
        break;
    }
    E.EnsureVisible(Index, Client());
    Changed();
    if (E.SelectMode() != TListSelectMode::Single || Old != Index)
        Notify(LBN_SELCHANGE);
}

void TListBoxWindow::Char(TMessage& M)
{
    const QChar C(char16_t(M.WParam));
    TListEngine& E = Engine();
    if (!FBox->FAutoComplete || !C.isPrint() || E.Count() == 0)
        return;
    if (C == QLatin1Char(' ') && E.SelectMode() != TListSelectMode::Single)
        return;
    const int Found = FTypeAhead.Next(E, C, E.CurSel(), GetTickCount());
    if (Found < 0)
        return;
    MoveCaret(Found, false, false);
}
