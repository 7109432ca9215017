#pragma once
// The classic multi-line edit control on a Qt plain-text edit: the window
// procedure of a memo's window.  Text and character positions follow the
// classic edit: lines are separated by CR LF, which counts as two
// characters in SelStart, EM_GETSEL, EM_LINEINDEX and the rest; the line
// messages count display lines as the classic memo does (a line that wraps
// counts as the lines it takes on the screen; -1 means the caret's line),
// and every index and line is a full integer.  The mouse wheel scrolls by the desktop's wheel-scroll-lines
// setting (a page when it is WHEEL_PAGESCROLL).
#include "platform/stdctrls/LineEditWindow.h"

class QPlainTextEdit;

// "Scroll a page per notch" as the wheel-scroll-lines setting.
inline constexpr UINT WHEEL_PAGESCROLL = 0xFFFFFFFFu;

QWidget* CreateMemoWidget(HWND Wnd, TEditNotify Notify);
QPlainTextEdit* MemoEditOf(HWND Wnd);
void MemoWndProc(HWND Wnd, TMessage& Message);
// Qt's own scroll bars (shown always, as the classic WS_HSCROLL and
// WS_VSCROLL show them) and line wrapping at the window's width.
void SetMemoScrolling(HWND Wnd, bool HorzBar, bool VertBar, bool WordWrap);

// The line break of a memo's text.
inline const String MemoLineBreak = QStringLiteral("\r\n");

// Line breaks as the classic memo keeps them: CR LF, whatever came in.
String WithClassicLineBreaks(const String& Text);
