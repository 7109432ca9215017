#include "controls/lists/FcMemo.h"

#include "platform/classes/TypInfo.h"
#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/MemoWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

REGISTER_COMPONENT(TFcMemo, TMemo)
    FC_PUBLISHED_MEMO_PROPERTIES
END_REGISTER

namespace FcMemoCaret {

namespace {

int CaretIndex(TCustomMemo* Memo)
{
    return Memo->HandleAllocated() ? int(Memo->Perform(QV_EM_GETCARETINDEX, 0, 0)) : 0;
}

int LineIndex(TCustomMemo* Memo, int Line)
{
    return int(Memo->Perform(EM_LINEINDEX, WPARAM(Line), 0));
}

} // namespace

int Line(TCustomMemo* Memo)
{
    if (!Memo->HandleAllocated())
        return 1;
    return int(Memo->Perform(EM_LINEFROMCHAR, WPARAM(CaretIndex(Memo)), 0)) + 1;
}

int Column(TCustomMemo* Memo)
{
    if (!Memo->HandleAllocated())
        return 1;
    const int Caret = CaretIndex(Memo);
    const int Start = LineIndex(Memo, int(Memo->Perform(EM_LINEFROMCHAR, WPARAM(Caret), 0)));
    return Start < 0 ? 1 : Caret - Start + 1;
}

bool SetColumn(TCustomMemo* Memo, int Value)
{
    const int Start = LineIndex(Memo, Line(Memo) - 1);
    if (Start < 0 || Value > int(Memo->Perform(EM_LINELENGTH, WPARAM(Start), 0)) + 1)
        return false;
    Memo->Perform(EM_SETSEL, WPARAM(Start + Value - 1), Start + Value - 1);
    return true;
}

bool SetLine(TCustomMemo* Memo, int Value)
{
    const int Start = LineIndex(Memo, Value - 1);
    if (Start < 0)
        return false;
    Memo->Perform(EM_SETSEL, WPARAM(Start), Start);
    if (Line(Memo) != Value)
        return false;
    // The line becomes the first one shown.
    Memo->Perform(EM_LINESCROLL, 0, Value - int(Memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0)) - 1);
    return true;
}

bool ClipboardHasText()
{
    const QClipboard* Clipboard = QGuiApplication::clipboard();
    const QMimeData* Data = Clipboard != nullptr ? Clipboard->mimeData() : nullptr;
    return Data != nullptr && Data->hasText();
}

void ScrollByWheel(TCustomMemo* Memo, int WheelDelta)
{
    UINT Lines = 3;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
    const bool Pages = Lines == WHEEL_PAGESCROLL;
    const int N = Pages ? WheelDelta / WHEEL_DELTA : (WheelDelta / WHEEL_DELTA) * int(Lines);
    const bool Down = N < 1;
    for (int I = std::abs(N); I > 0; --I) {
        const WPARAM Code = Pages ? (Down ? SB_PAGEDOWN : SB_PAGEUP) : (Down ? SB_LINEDOWN : SB_LINEUP);
        if (HIWORD(std::uintptr_t(Memo->Perform(EM_SCROLL, Code, 0))) == 0)
            break;
    }
}

} // namespace FcMemoCaret
