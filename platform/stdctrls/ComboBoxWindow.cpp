#include "platform/stdctrls/ComboBoxWindow.h"

#include "platform/classes/ComponentRef.h"
#include "platform/forms/Application.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/ComboDropDown.h"
#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/ItemMessages.h"
#include "platform/stdctrls/ListMessages.h"
#include "platform/stdctrls/MessageArgs.h"
#include "platform/windows/Themes.h"

namespace {

bool IsPress(UINT Msg)
{
    switch (Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

} // namespace

TComboBoxWindow::TComboBoxWindow(TCustomComboBox* Combo) : FCombo(Combo)
{}

TComboBoxWindow::~TComboBoxWindow() = default;

TListEngine& TComboBoxWindow::Engine()
{
    return FCombo->FEngine;
}

void TComboBoxWindow::Notify(unsigned short Code)
{
    FCombo->Perform(CN_COMMAND, MAKEWPARAM(0, Code), PtrToLParam(FCombo->FHandle));
}

HWND TComboBoxWindow::ListHandle() const
{
    return FList && FList->HandleAllocated() ? FList->WindowHandle() : nullptr;
}

void TComboBoxWindow::DestroyList()
{
    if (FDropped)
        Close(false);
    FList.reset();
}

// --- messages ----------------------------------------------------------------------------------

bool TComboBoxWindow::Handle(TMessage& M)
{
    if (M.Msg >= CB_GETEDITSEL && M.Msg <= CB_SETDROPPEDWIDTH) {
        M.Result = 0;
        if (!ItemMessage(M) && !OtherComboMessage(M))
            M.Result = CB_ERR;
        return true;
    }
    switch (M.Msg) {
    case WM_GETTEXT:
    case WM_SETTEXT:
    case WM_GETTEXTLENGTH:
        return TextMessage(M);
    case WM_PAINT:
        Paint(M);
        return true;
    case QV_LIST_CHANGED:
        ItemsChanged();
        return true;
    case WM_SIZE:
        if (FCombo->FEditHandle != nullptr) {
            const TRect R = FieldRect();
            MoveWindow(FCombo->FEditHandle, R.Left, R.Top, R.Width(), R.Height(), TRUE);
        }
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!FCombo->Focused() && FCombo->CanFocus())
            FCombo->SetFocus();
        if (FCombo->HandleAllocated() && (!FCombo->HasEdit() || PtInRect(ButtonRect(), LParamToPoint(M.LParam))))
            Open();
        return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return ComboKey(M);
    case WM_CHAR:
        if (FCombo->HasEdit())
            return false;
        Char(M);
        return true;
    case WM_MOUSEWHEEL:
        Wheel(std::int16_t(HIWORD(M.WParam)));
        return true;
    case WM_SETFOCUS:
        // The edit part takes the focus of a drop-down combo box.
        if (FCombo->FEditHandle != nullptr) {
            SetFocus(FCombo->FEditHandle);
            SendMessage(FCombo->FEditHandle, EM_SETSEL, 0, -1);
        }
        FCombo->Invalidate();
        return false;
    case WM_KILLFOCUS:
        FCombo->Invalidate();
        return false;
    case WM_GETDLGCODE:
        M.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return true;
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
        if (FCombo->FEditHandle != nullptr)
            M.Result = SendMessage(FCombo->FEditHandle, M.Msg, M.WParam, M.LParam);
        return true;
    default:
        return false;
    }
}

bool TComboBoxWindow::ItemMessage(TMessage& M)
{
    TListEngine& E = Engine();
    TItemHooks Hooks;
    Hooks.Added = [this](int Index) { FCombo->MeasureNewItem(Index); };
    // The control hears of every item that carries data before it goes.
    Hooks.Deleting = [this, &E](int Index) {
        if (E.Data(Index) == 0)
            return;
        DELETEITEMSTRUCT Item{ODT_COMBOBOX, 0, UINT(Index), FCombo->FHandle, E.Data(Index)};
        FCombo->Perform(WM_DELETEITEM, 0, PtrToLParam(&Item));
    };
    // Emptied, a combo box's edit part is emptied too.
    Hooks.Cleared = [this] {
        if (FCombo->HasEdit())
            SetEditText(String());
    };
    Hooks.Changed = [this] { ItemsChanged(); };
    if (HandleItemMessage(E, ComboBoxItemMessages, M, Hooks))
        return true;
    const int Index = IndexArg(M);
    switch (M.Msg) {
    case CB_SELECTSTRING:
        M.Result = E.FindPrefix(StringArg(M), Index);
        if (M.Result >= 0)
            SelectIndex(int(M.Result), false);
        return true;
    case CB_SETCURSEL:
        M.Result = E.IsItem(Index) ? Index : LRESULT(CB_ERR);
        SelectIndex(Index, false);
        return true;
    case CB_GETCURSEL:
        M.Result = E.CurSel();
        return true;
    default:
        return false;
    }
}

bool TComboBoxWindow::OtherComboMessage(TMessage& M)
{
    TListEngine& E = Engine();
    const int Index = IndexArg(M);
    HWND Edit = FCombo->FEditHandle;
    switch (M.Msg) {
    case CB_SHOWDROPDOWN:
        if (M.WParam != 0)
            Open();
        else
            Close(false);
        M.Result = TRUE;
        return true;
    case CB_GETDROPPEDSTATE:
        M.Result = FDropped ? TRUE : FALSE;
        return true;
    case CB_SETITEMHEIGHT:
        if (Index >= 0 && E.VariableHeight())
            E.SetHeightOf(Index, int(M.LParam));
        else if (Index >= 0)
            E.SetItemHeight(int(M.LParam));
        ItemsChanged();
        return true;
    case CB_GETITEMHEIGHT:
        M.Result = Index < 0 ? FCombo->FieldHeight() : E.HeightOf(Index);
        return true;
    case CB_SETDROPPEDWIDTH:
        FCombo->FDropDownWidth = std::max(0, Index);
        M.Result = FCombo->FDropDownWidth;
        return true;
    case CB_GETDROPPEDWIDTH:
        M.Result = FCombo->FDropDownWidth;
        return true;
    case CB_GETDROPPEDCONTROLRECT:
        if (M.LParam != 0 && ListHandle() != nullptr)
            GetWindowRect(ListHandle(), LParamToPtr<TRect>(M.LParam));
        M.Result = TRUE;
        return true;
    case CB_LIMITTEXT:
        if (Edit != nullptr)
            SendMessage(Edit, EM_LIMITTEXT, M.WParam, 0);
        M.Result = TRUE;
        return true;
    case CB_GETEDITSEL:
        M.Result = Edit != nullptr ? SendMessage(Edit, EM_GETSEL, M.WParam, M.LParam) : 0;
        return true;
    case CB_SETEDITSEL:
        if (Edit != nullptr)
            SendMessage(Edit, EM_SETSEL, WPARAM(std::int16_t(LOWORD(std::uintptr_t(M.LParam)))),
                        std::int16_t(HIWORD(std::uintptr_t(M.LParam))));
        M.Result = Edit != nullptr ? TRUE : LRESULT(CB_ERR);
        return true;
    case CB_GETTOPINDEX:
        M.Result = E.TopIndex();
        return true;
    case CB_SETTOPINDEX:
        E.SetTopIndex(Index, FList ? FList->ListClient() : TSize{0, 0});
        ItemsChanged();
        return true;
    default:
        return false;
    }
}

bool TComboBoxWindow::TextMessage(TMessage& M)
{
    if (FCombo->HasEdit()) {
        if (FCombo->FEditHandle == nullptr)
            return false;
        // Text the program sets is no edit by the user.
        const bool Setting = FCombo->FSettingText;
        FCombo->FSettingText = Setting || M.Msg == WM_SETTEXT;
        M.Result = SendMessage(FCombo->FEditHandle, M.Msg, M.WParam, M.LParam);
        FCombo->FSettingText = Setting;
        return true;
    }
    // The list styles show the chosen item; setting the text chooses the
    // item of that text.
    TListEngine& E = Engine();
    const String Text = E.Text(E.CurSel());
    switch (M.Msg) {
    case WM_GETTEXT:
        if (M.LParam != 0)
            *LParamToPtr<String>(M.LParam) = Text;
        M.Result = Text.size();
        break;
    case WM_GETTEXTLENGTH:
        M.Result = Text.size();
        break;
    default:
        SelectIndex(E.FindExact(StringArg(M)), false);
        M.Result = TRUE;
        break;
    }
    return true;
}

String TComboBoxWindow::EditText()
{
    String Text;
    if (FCombo->FEditHandle != nullptr)
        SendMessage(FCombo->FEditHandle, WM_GETTEXT, 0, PtrToLParam(&Text));
    else
        Text = FCombo->TWinControl::GetText();
    return Text;
}

void TComboBoxWindow::SetEditText(const String& Text)
{
    // Text the combo box sets is no edit by the user: no CBN_EDITCHANGE.
    FCombo->FSettingText = true;
    if (FCombo->FEditHandle != nullptr) {
        SendMessage(FCombo->FEditHandle, WM_SETTEXT, 0, PtrToLParam(&Text));
    } else {
        TMessage M{WM_SETTEXT, 0, PtrToLParam(&Text), 0};
        FCombo->TWinControl::DefaultHandler(M);
    }
    FCombo->FSettingText = false;
}

// --- choosing ----------------------------------------------------------------------------------

void TComboBoxWindow::SelectIndex(int Index, bool Notify)
{
    TListEngine& E = Engine();
    E.SetCurSel(Index);
    Index = E.CurSel();
    if (FCombo->HasEdit()) {
        SetEditText(E.Text(Index));
        if (FCombo->FEditHandle != nullptr)
            SendMessage(FCombo->FEditHandle, EM_SETSEL, 0, -1);
    }
    if (FList && FDropped)
        FList->SetHot(Index, true);
    FCombo->Invalidate();
    if (Notify)
        this->Notify(CBN_SELCHANGE);
}

void TComboBoxWindow::Choose(int Index)
{
    const TComponentRef<> Alive(FCombo);
    if (Index != Engine().CurSel() || (FCombo->HasEdit() && EditText() != Engine().Text(Index)))
        SelectIndex(Index, true);
    if (Alive)
        Close(true);
}

void TComboBoxWindow::ItemsChanged()
{
    if (FList && FDropped)
        FList->ItemsChanged();
    if (FPainting)
        FChangedWhilePainting = true;
    else if (FCombo->HandleAllocated())
        FCombo->Invalidate();
}

int TComboBoxWindow::StepFrom(int Index, unsigned Key)
{
    TListEngine& E = Engine();
    if (E.Count() == 0)
        return -1;
    const int Page = std::max(1, FCombo->FDropDownCount - 1);
    switch (Key) {
    case VK_UP:
    case VK_LEFT:
        Index = Index < 0 ? 0 : Index - 1;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        Index += 1;
        break;
    case VK_PRIOR:
        Index -= Page;
        break;
    case VK_NEXT:
        Index = std::max(Index, 0) + Page;
        break;
    case VK_HOME:
        Index = 0;
        break;
    case VK_END:
        Index = E.Count() - 1;
        break;
    default:
        return Index;
    }
    return std::clamp(Index, 0, E.Count() - 1);
}

bool TComboBoxWindow::ComboKey(TMessage& M)
{
    const unsigned Key = unsigned(M.WParam);
    const bool Alt = M.Msg == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0;
    if ((Key == VK_F(4) && !Alt) || (Alt && (Key == VK_DOWN || Key == VK_UP))) {
        if (FDropped)
            Close(true);
        else if (Key != VK_UP)
            Open();
        return true;
    }
    if (Alt)
        return false;
    if (FDropped && Key == VK_TAB) {
        // Tab chooses and moves on: the key goes round again once the
        // list is closed.
        Close(true);
        PostMessage(GetFocus(), WM_KEYDOWN, M.WParam, M.LParam);
        return true;
    }
    if (FDropped && (Key == VK_RETURN || Key == VK_ESCAPE)) {
        const int Hot = FList ? FList->Hot() : -1;
        if (Key == VK_RETURN && Hot >= 0 && Hot != Engine().CurSel())
            Choose(Hot);
        else
            Close(Key == VK_RETURN);
        return true;
    }
    // Home, End, Left and Right move the caret of an edit part.
    const bool EditKey = FCombo->HasEdit() && (Key == VK_HOME || Key == VK_END || Key == VK_LEFT || Key == VK_RIGHT);
    if (EditKey && !FDropped)
        return false;
    int From = FDropped && FList && FList->Hot() >= 0 ? FList->Hot() : Engine().CurSel();
    if (From < 0 && FCombo->HasEdit())
        From = Engine().FindExact(EditText());
    const int To = StepFrom(From, Key);
    if (To == From
        && !(Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_HOME || Key == VK_END
             || Key == VK_LEFT || Key == VK_RIGHT))
        return false;
    if (To >= 0 && To != Engine().CurSel())
        SelectIndex(To, true);
    return true;
}

void TComboBoxWindow::Char(TMessage& M)
{
    const QChar C(char16_t(M.WParam));
    TListEngine& E = Engine();
    if (!C.isPrint() || E.Count() == 0)
        return;
    const int Found =
        FCombo->FAutoComplete ? FTypeAhead.Next(E, C, E.CurSel(), GetTickCount()) : E.FindPrefix(String(C), E.CurSel());
    if (Found >= 0 && Found != E.CurSel())
        SelectIndex(Found, true);
}

void TComboBoxWindow::Wheel(int Delta)
{
    FWheelRest += Delta;
    const int Notches = FWheelRest / WHEEL_DELTA;
    FWheelRest -= Notches * WHEEL_DELTA;
    if (Notches == 0)
        return;
    if (FDropped && FList) {
        UINT Lines = 3;
        SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
        FList->ScrollBy(-Notches * int(std::min(Lines, UINT(FCombo->FDropDownCount))));
        return;
    }
    TListEngine& E = Engine();
    if (E.Count() == 0)
        return;
    const int To = std::clamp(E.CurSel() - Notches, 0, E.Count() - 1);
    if (To != E.CurSel())
        SelectIndex(To, true);
}

// --- the list and its loop --------------------------------------------------------------------

void TComboBoxWindow::Open()
{
    if (FDropped || !FCombo->HandleAllocated() || !FCombo->Showing() || !FCombo->Enabled())
        return;
    const TComponentRef<> Alive(FCombo);
    Notify(CBN_DROPDOWN);
    if (!Alive || FDropped || !FCombo->HandleAllocated() || !FCombo->Showing())
        return;
    if (!FList)
        FList.reset(new TComboDropDownList(FCombo));
    TListEngine& E = Engine();
    int Hot = E.CurSel();
    const String Text = FCombo->HasEdit() ? EditText() : String();
    if (FCombo->HasEdit() && (Hot < 0 || E.Text(Hot) != Text) && !Text.isEmpty())
        Hot = E.FindPrefix(Text);
    FDropped = true;
    FList->SetHot(Hot, false);
    FList->Place();
    FList->SetHot(Hot, true);
    SetCapture(FList->Handle());
    FCombo->Invalidate();
    RunLoop();
}

void TComboBoxWindow::Close(bool Ok)
{
    if (!FDropped)
        return;
    FDropped = false;
    if (FList && FList->HandleAllocated()) {
        if (GetCapture() == FList->WindowHandle())
            ReleaseCapture();
        ShowWindow(FList->WindowHandle(), SW_HIDE);
    }
    const TComponentRef<> Alive(FCombo);
    Notify(Ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (!Alive || FCombo->ComponentState().Contains(csDestroying))
        return;
    Notify(CBN_CLOSEUP);
    if (Alive && FCombo->HandleAllocated())
        FCombo->Invalidate();
}

bool TComboBoxWindow::EndsLoop(const MSG& M)
{
    if (M.message == WM_QUIT) {
        Close(false);
        return true;
    }
    // The program or its window losing the activation closes the list.
    if ((M.hwnd == nullptr && M.message == CM_DEACTIVATE) || (M.message == WM_ACTIVATEAPP && M.wParam == 0)) {
        Close(false);
        return false;
    }
    if (IsPress(M.message) && M.hwnd != ListHandle()) {
        MSG Taken;
        PeekMessage(Taken, nullptr, M.message, M.message, PM_REMOVE);
        Close(false);
        return true;
    }
    return false;
}

void TComboBoxWindow::RunLoop()
{
    const TComponentRef<> Alive(FCombo);
    while (Alive && FDropped) {
        MSG M;
        if (PeekMessage(M, nullptr, 0, 0, PM_NOREMOVE) && EndsLoop(M))
            break;
        if (!Alive || !FDropped)
            break;
        if (Application != nullptr) {
            Application->HandleMessage();
        } else if (PeekMessage(M, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(M);
            DispatchMessage(M);
        } else {
            WaitMessage();
        }
        if (!Alive)
            return;
        const HWND Focus = GetFocus();
        if (FDropped
            && (!FCombo->Showing() || !FCombo->Enabled()
                || (Focus != FCombo->FHandle && (Focus == nullptr || Focus != FCombo->FEditHandle))))
            Close(false);
    }
}

// --- painting -----------------------------------------------------------------------------------

TRect TComboBoxWindow::ButtonRect()
{
    TRect R = FCombo->ClientRect();
    InflateRect(R, -2, -2);
    return {std::max(R.Left, R.Right - GetSystemMetrics(SM_CXVSCROLL)), R.Top, R.Right, R.Bottom};
}

TRect TComboBoxWindow::FieldRect()
{
    TRect R = FCombo->ClientRect();
    InflateRect(R, -3, -3);
    R.Right = std::max(R.Left, ButtonRect().Left - 1);
    return R;
}

void TComboBoxWindow::Paint(TMessage& M)
{
    HDC DC = HDC(M.WParam);
    PAINTSTRUCT PS;
    if (DC == nullptr)
        DC = BeginPaint(FCombo->FHandle, &PS);
    try {
        const TPaintingScope Scope(FPainting);
        if (DC != nullptr)
            PaintFace(DC);
    } catch (...) {
        if (M.WParam == 0)
            EndPaint(FCombo->FHandle, &PS);
        throw;
    }
    if (M.WParam == 0)
        EndPaint(FCombo->FHandle, &PS);
    if (FChangedWhilePainting) {
        FChangedWhilePainting = false;
        PostMessage(FCombo->FHandle, QV_LIST_CHANGED, 0, 0);
    }
}

void TComboBoxWindow::PaintFace(void* Context)
{
    HDC DC = static_cast<HDC>(Context);
    TRect R = FCombo->ClientRect();
    DrawEdge(DC, &R, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(DC, &R, FCombo->Brush()->Handle());
    PaintButton(DC);
    if (!FCombo->HasEdit())
        PaintField(DC);
}

void TComboBoxWindow::PaintButton(void* Context)
{
    HDC DC = static_cast<HDC>(Context);
    TRect R = ButtonRect();
    const bool Enabled = FCombo->Enabled();
    if (ThemeServices().ThemesEnabled()) {
        const TThemedComboBox Part = !Enabled ? tcDropDownButtonDisabled
            : FDropped                        ? tcDropDownButtonPressed
                                              : tcDropDownButtonNormal;
        ThemeServices().DrawElement(DC, TThemeServices::GetElementDetails(Part), R);
        return;
    }
    DrawFrameControl(DC, &R, DFC_SCROLL,
                     DFCS_SCROLLCOMBOBOX | (FDropped ? DFCS_PUSHED | DFCS_FLAT : 0u) | (Enabled ? 0u : DFCS_INACTIVE));
}

void TComboBoxWindow::PaintField(void* Context)
{
    HDC DC = static_cast<HDC>(Context);
    const TRect R = FieldRect();
    TListEngine& E = Engine();
    const int Index = E.CurSel();
    const bool Lit = FCombo->Focused() && !FDropped;
    UINT State = ODS_COMBOBOXEDIT;
    if (Lit)
        State |= ODS_SELECTED | ODS_FOCUS;
    if (!FCombo->Enabled())
        State |= ODS_DISABLED;
    const int Saved = SaveDC(DC);
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    if (FCombo->IsOwnerDrawn()) {
        SendDrawItem(FCombo, ODT_COMBOBOX, FCombo->FHandle, DC, Index, R, State, E.Data(Index));
    } else {
        TPlainItem Item;
        Item.Text = E.Text(Index);
        Item.Back = FCombo->Color();
        Item.Font = FCombo->Font();
        Item.Lit = Lit;
        Item.Disabled = !FCombo->Enabled();
        DrawPlainItem(DC, R, Item);
        if (Lit)
            DrawFocusRect(DC, &R);
    }
    RestoreDC(DC, Saved);
}
