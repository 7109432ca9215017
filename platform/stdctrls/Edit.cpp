#include "platform/stdctrls/Edit.h"

#include "platform/classes/TypInfo.h"
#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/LineEditWindow.h"
#include "platform/stdctrls/TextMetrics.h"

#include <QVariant>
#include <QWidget>

REGISTER_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase)

REGISTER_COMPONENT(TCustomEdit, TWinControl)
    PUBLISHED_STORED(Caption, String(), false)
    PUBLISHED(AutoSelect, true)
    PUBLISHED(AutoSize, true)
    PUBLISHED(BorderStyle, TBorderStyle(bsSingle))
    PUBLISHED(CharCase, ecNormal)
    PUBLISHED(HideSelection, true)
    PUBLISHED(MaxLength, 0)
    PUBLISHED(OEMConvert, false)
    PUBLISHED(ParentColor, false)
    PUBLISHED(PasswordChar, QChar())
    PUBLISHED(ReadOnly, false)
    PUBLISHED(TabStop, true)
    PUBLISHED_AS(Text, &TControl::Text, &TControl::SetText, String())
    PUBLISHED_EVENT(OnChange)
END_REGISTER

REGISTER_COMPONENT(TEdit, TCustomEdit)
END_REGISTER

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = {csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
    FWidth = 121;
    FHeight = 21;
    SetColor(clWindow);
    SetTabStop(true);
    SetAutoSize(true);
}

// --- the window --------------------------------------------------------------------------

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
    if (FReadOnly)
        Params.Style |= ES_READONLY;
    if (FCharCase == ecUpperCase)
        Params.Style |= ES_UPPERCASE;
    else if (FCharCase == ecLowerCase)
        Params.Style |= ES_LOWERCASE;
    if (!FHideSelection)
        Params.Style |= ES_NOHIDESEL;
    if (FOEMConvert)
        Params.Style |= ES_OEMCONVERT;
    Params.WindowClass.lpfnWndProc = [this](TMessage& M) { LineEditWndProc(FHandle, M); };
}

QWidget* TCustomEdit::CreateHostedWidget()
{
    const HWND Wnd = FHandle;
    const std::uint64_t Serial = WindowSerial(Wnd);
    return CreateLineEditWidget(Wnd, [this, Wnd, Serial](WORD Code) {
        // The notification goes to the control as the parent reflects it.
        if (IsWindowSerial(Wnd, Serial))
            Perform(CN_COMMAND, MAKEWPARAM(0, Code), PtrToLParam(Wnd));
    });
}

void TCustomEdit::CreateWnd()
{
    FCreating = true;
    try {
        TWinControl::CreateWnd();
    } catch (...) {
        FCreating = false;
        throw;
    }
    FCreating = false;
    Perform(WM_SETFONT, WPARAM(Font()->Handle()), 0);
    Perform(EM_LIMITTEXT, WPARAM(FMaxLength), 0);
    if (!FPasswordChar.isNull())
        Perform(EM_SETPASSWORDCHAR, FPasswordChar.unicode(), 0);
    Perform(EM_SETMODIFY, FModified ? TRUE : FALSE, 0);
    UpdateEditorLooks();
    if (AutoSize())
        AdjustHeight();
}

void TCustomEdit::DestroyWnd()
{
    FModified = Modified();
    TWinControl::DestroyWnd();
}

void TCustomEdit::Loaded()
{
    TWinControl::Loaded();
    if (AutoSize())
        AdjustHeight();
}

void TCustomEdit::AdjustSize()
{
    if (AutoSize())
        AdjustHeight();
}

void TCustomEdit::AdjustHeight()
{
    if (!HandleAllocated() || ComponentState().Contains(csLoading) || FBorderStyle != bsSingle)
        return;
    SetHeight(FontTextMetrics(Font()).tmHeight + (Ctl3D() ? 8 : 6));
}

void TCustomEdit::UpdateEditorLooks()
{
    SetEditorColors(HostedWidget(), Color(), Font()->Color());
}

// --- properties --------------------------------------------------------------------------

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    if (AssignIfChanged(FBorderStyle, Value)) {
        RecreateWnd();
        AdjustSize();
    }
}

void TCustomEdit::SetCharCase(TEditCharCase Value)
{
    if (AssignIfChanged(FCharCase, Value))
        RecreateWnd();
}

void TCustomEdit::SetMaxLength(int Value)
{
    if (!AssignIfChanged(FMaxLength, std::max(Value, 0)))
        return;
    if (HandleAllocated())
        Perform(EM_LIMITTEXT, WPARAM(FMaxLength), 0);
}

void TCustomEdit::SetPasswordChar(QChar Value)
{
    if (!AssignIfChanged(FPasswordChar, Value))
        return;
    if (HandleAllocated())
        Perform(EM_SETPASSWORDCHAR, FPasswordChar.unicode(), 0);
}

void TCustomEdit::SetReadOnly(bool Value)
{
    if (!AssignIfChanged(FReadOnly, Value))
        return;
    if (HandleAllocated())
        Perform(EM_SETREADONLY, Value ? TRUE : FALSE, 0);
}

bool TCustomEdit::Modified()
{
    return HandleAllocated() ? Perform(EM_GETMODIFY, 0, 0) != 0 : FModified;
}

void TCustomEdit::SetModified(bool Value)
{
    if (HandleAllocated())
        Perform(EM_SETMODIFY, Value ? TRUE : FALSE, 0);
    else
        FModified = Value;
}

std::pair<int, int> TCustomEdit::Selection()
{
    if (!HandleAllocated())
        return {0, 0};
    DWORD Start = 0, End = 0;
    Perform(EM_GETSEL, WPARAM(&Start), PtrToLParam(&End));
    return {int(Start), int(End)};
}

int TCustomEdit::SelStart()
{
    return Selection().first;
}

void TCustomEdit::SetSelStart(int Value)
{
    if (HandleAllocated())
        Perform(EM_SETSEL, WPARAM(Value), Value);
}

int TCustomEdit::SelLength()
{
    const auto [Start, End] = Selection();
    return End - Start;
}

void TCustomEdit::SetSelLength(int Value)
{
    const int Start = SelStart();
    if (HandleAllocated())
        Perform(EM_SETSEL, WPARAM(Start), Start + std::max(Value, 0));
}

String TCustomEdit::SelText()
{
    const auto [Start, End] = Selection();
    return Text().mid(Start, End - Start);
}

void TCustomEdit::SetSelText(const String& Value)
{
    HandleNeeded();
    Perform(EM_REPLACESEL, 0, PtrToLParam(&Value));
}

void TCustomEdit::SelectAll()
{
    if (HandleAllocated())
        Perform(EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection()
{
    Perform(WM_CLEAR, 0, 0);
}

void TCustomEdit::Clear()
{
    SetText(String());
}

bool TCustomEdit::CanUndo()
{
    return HandleAllocated() && Perform(EM_CANUNDO, 0, 0) != 0;
}

void TCustomEdit::Undo()
{
    Perform(WM_UNDO, 0, 0);
}

void TCustomEdit::ClearUndo()
{
    Perform(EM_EMPTYUNDOBUFFER, 0, 0);
}

void TCustomEdit::CopyToClipboard()
{
    Perform(WM_COPY, 0, 0);
}

void TCustomEdit::CutToClipboard()
{
    Perform(WM_CUT, 0, 0);
}

void TCustomEdit::PasteFromClipboard()
{
    Perform(WM_PASTE, 0, 0);
}

// --- messages ------------------------------------------------------------------------------

void TCustomEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND:
        CNCommand(Message);
        return;
    default:
        TWinControl::Dispatch(Message);
        return;
    }
}

void TCustomEdit::Change()
{
    TControl::Changed();
    if (FOnChange)
        FOnChange(this);
}

void TCustomEdit::CNCommand(TMessage& Message)
{
    if (HIWORD(Message.WParam) == EN_CHANGE && !FCreating)
        Change();
}

void TCustomEdit::CMEnter(TMessage& Message)
{
    // Tabbing into a single-line edit selects its text; a click places
    // the caret, and a memo keeps its own.
    const bool MultiLine = HandleAllocated() && (GetWindowLong(FHandle, GWL_STYLE) & long(ES_MULTILINE)) != 0;
    if (FAutoSelect && !MultiLine && !FControlState.Contains(csLButtonDown))
        SelectAll();
    TWinControl::CMEnter(Message);
}

void TCustomEdit::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    if (!HandleAllocated())
        return;
    Perform(WM_SETFONT, WPARAM(Font()->Handle()), 0);
    UpdateEditorLooks();
    if (AutoSize())
        AdjustHeight();
}

void TCustomEdit::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    UpdateEditorLooks();
}

void TCustomEdit::CMEnabledChanged(TMessage& Message)
{
    TWinControl::CMEnabledChanged(Message);
    UpdateEditorLooks();
}

// --- the caret ------------------------------------------------------------------------------

BOOL GetCaretPos(TPoint* Point)
{
    QWidget* Editor = GetWindowHostedWidget(GetFocus());
    if (Editor == nullptr || Point == nullptr)
        return FALSE;
    const QRect R = Editor->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    *Point = {R.x(), R.y()};
    return TRUE;
}
