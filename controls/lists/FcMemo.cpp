#include "controls/lists/FcMemo.h"

#include "platform/classes/TypInfo.h"
#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/MemoWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

REGISTER_COMPONENT(TFcMemo, TMemo)
    FC_PUBLISHED_COLOR
    FC_PUBLISHED_FRAME_PROPERTIES
    PUBLISHED(ReadOnly, false)
    FC_PUBLISHED_FRAMING(fcpReadOnlyColor, ReadOnlyColor, clInfoBk)
    FC_PUBLISHED_FRAMING(fcpReadOnlyColorOnFocus, ReadOnlyColorOnFocus, false)
    PUBLISHED(TabOnEnter, false)
    PUBLISHED_EVENT(OnLineColChange)
    PUBLISHED_EVENT(OnClipboardChange)
    PUBLISHED_EVENT(OnMouseWheel)
    PUBLISHED_EVENT(OnMouseWheelUp)
    PUBLISHED_EVENT(OnMouseWheelDown)
END_REGISTER

TFcMemo::TFcMemo(TComponent* AOwner) : TFcFramedControl<TMemo>(AOwner)
{
    FControlStyle.Exclude(csSetCaption);
}

void TFcMemo::CreateWnd()
{
    TFcFramedControl::CreateWnd();
    LineColChange();
}

void TFcMemo::SetReadOnly(bool Value)
{
    if (ReadOnly() == Value)
        return;
    TFcFramedControl::SetReadOnly(Value);
    UpdateColors();
}

// --- line and column -------------------------------------------------------------------------

int TFcMemo::CaretIndex()
{
    return HandleAllocated() ? int(Perform(QV_EM_GETCARETINDEX, 0, 0)) : 0;
}

int TFcMemo::LineIndex(int Line)
{
    return int(Perform(EM_LINEINDEX, WPARAM(Line), 0));
}

int TFcMemo::Line()
{
    if (!HandleAllocated())
        return 1;
    return int(Perform(EM_LINEFROMCHAR, WPARAM(CaretIndex()), 0)) + 1;
}

int TFcMemo::Column()
{
    if (!HandleAllocated())
        return 1;
    const int Caret = CaretIndex();
    const int Start = LineIndex(int(Perform(EM_LINEFROMCHAR, WPARAM(Caret), 0)));
    return Start < 0 ? 1 : Caret - Start + 1;
}

void TFcMemo::SetColumn(int Value)
{
    if (!HandleAllocated() || Value < 1)
        return;
    const int Start = LineIndex(Line() - 1);
    if (Start < 0 || Value > int(Perform(EM_LINELENGTH, WPARAM(Start), 0)) + 1)
        return;
    Perform(EM_SETSEL, WPARAM(Start + Value - 1), Start + Value - 1);
    LineColChange();
}

void TFcMemo::SetLine(int Value)
{
    if (!HandleAllocated() || Value < 1)
        return;
    const int Start = LineIndex(Value - 1);
    if (Start < 0)
        return;
    Perform(EM_SETSEL, WPARAM(Start), Start);
    if (Line() != Value)
        return;
    // The line becomes the first one shown.
    Perform(EM_LINESCROLL, 0, Value - int(Perform(EM_GETFIRSTVISIBLELINE, 0, 0)) - 1);
    LineColChange();
}

void TFcMemo::LineColChange()
{
    if (FOnLineColChange)
        FOnLineColChange(this, Line(), Column());
    ClipboardChange();
}

void TFcMemo::ClipboardChange()
{
    if (!FOnClipboardChange)
        return;
    const QClipboard* Clipboard = QGuiApplication::clipboard();
    const QMimeData* Data = Clipboard != nullptr ? Clipboard->mimeData() : nullptr;
    FOnClipboardChange(this, HandleAllocated() && SelLength() != 0, Data != nullptr && Data->hasText());
}

void TFcMemo::Change()
{
    TFcFramedControl::Change();
    LineColChange();
}

void TFcMemo::Click()
{
    TFcFramedControl::Click();
    LineColChange();
}

void TFcMemo::KeyDown(WORD& Key, TShiftState Shift)
{
    TFcFramedControl::KeyDown(Key, Shift);
    LineColChange();
}

void TFcMemo::KeyUp(WORD& Key, TShiftState Shift)
{
    TFcFramedControl::KeyUp(Key, Shift);
    LineColChange();
}

void TFcMemo::KeyPress(QChar& Key)
{
    if (TabOnEnterKey(Key))
        return;
    TFcFramedControl::KeyPress(Key);
}

void TFcMemo::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TFcFramedControl::MouseUp(Button, Shift, X, Y);
    ClipboardChange();
}

// --- the wheel ---------------------------------------------------------------------------------

bool TFcMemo::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (OnMouseWheel())
        return TFcFramedControl::DoMouseWheel(Shift, WheelDelta, MousePos);
    UINT Lines = 3;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
    const bool Pages = Lines == WHEEL_PAGESCROLL;
    const int N = Pages ? WheelDelta / WHEEL_DELTA : (WheelDelta / WHEEL_DELTA) * int(Lines);
    const bool Down = N < 1;
    for (int I = std::abs(N); I > 0; --I) {
        const WPARAM Code = Pages ? (Down ? SB_PAGEDOWN : SB_PAGEUP) : (Down ? SB_LINEDOWN : SB_LINEUP);
        if (HIWORD(std::uintptr_t(Perform(EM_SCROLL, Code, 0))) == 0)
            break;
    }
    return true;
}
