#pragma once
// The classic single-line edit control on a Qt line edit: the window
// procedure of an edit window (a TCustomEdit's, or a combo box's edit part)
// that answers the EM_* messages, keeps the text in the Qt widget, routes
// the clipboard and undo keys through WM_CUT / WM_COPY / WM_PASTE / WM_UNDO
// (so that a control can refuse them), and forwards the remaining keys and
// mouse input to Qt through DefWindowProc.
//
// The widget is set up from the window's ES_* style when it is made;
// EM_SETREADONLY, EM_SETPASSWORDCHAR, EM_LIMITTEXT and EM_SETMARGINS change
// it later.  Qt does the editing, the caret, selections, undo and input
// methods; the text limit and the ES_UPPERCASE / ES_LOWERCASE conversion
// apply to what the user types or pastes, never to text set by WM_SETTEXT,
// so a program's text is never cut short.
#include "platform/windows/WinUser.h"
#include "platform/graphics/Colors.h"

#include <functional>

class QLineEdit;
class QPoint;
class QWidget;

// Receives the notifications the edit would send its parent (EN_CHANGE ...).
using TEditNotify = std::function<void(WORD Code)>;

// The Qt widget for the edit window Wnd, set up from its style and text;
// hand it to SetWindowHostedWidget (TWinControl::CreateHostedWidget).
QWidget* CreateLineEditWidget(HWND Wnd, TEditNotify Notify);
// The Qt line edit of an edit window; nullptr before it is made.
QLineEdit* LineEditOf(HWND Wnd);
// The edit window procedure: call it with every message the window's own
// handling passes on (the window class's default procedure).
void LineEditWndProc(HWND Wnd, TMessage& Message);

// The clipboard, undo and select-all keys of an editor window, routed
// through WM_CUT / WM_COPY / WM_PASTE / WM_UNDO / EM_SETSEL to the window:
// Ctrl+letter keys act through their characters (#1 select all, #3 copy,
// #22 paste, #24 cut, #26 undo) so that a key-press handler can refuse
// them, Shift+Insert, Ctrl+Insert and Shift+Delete through their keys,
// Alt+Backspace (undo) through its WM_SYSCHAR.  True when the message was
// one of those and has been handled.
bool RouteEditorKeys(HWND Wnd, TMessage& Message);

// The middle button of an editor window, as X users know it: a press (or
// a quick second one) takes the focus as any click does, puts the caret
// where it was pressed and pastes the primary selection there through the
// window's own WM_PASTE (QV_PASTE_PRIMARY), so that the paste keeps every
// rule a paste has (one line in an edit, the limit with its beep, the
// mask, read-only and data-aware fields, OnChange).  PlaceCaret puts the
// caret at a point of the window's client area.  True when the message
// was one of the middle button's and has been handled.
bool RouteMiddleButton(HWND Wnd, TMessage& Message, const std::function<void(QPoint)>& PlaceCaret);

// The text a WM_PASTE pastes, by its WParam: the clipboard's, or the
// primary selection's for QV_PASTE_PRIMARY.
String PasteText(WPARAM Source);
// Where the primary selection is read (default: the desktop's, empty where
// it keeps none); a test scripts it, and an empty hook puts the desktop's
// back.
void SetPrimarySelectionHook(std::function<String()> Hook);

// Marks the editor window read-only in its style (ES_READONLY), as
// EM_SETREADONLY does.
void SetReadOnlyStyle(HWND Wnd, bool ReadOnly);
// Pasted text cut to what a text limit (0: none) leaves room for, with a
// beep when it did not all fit; never half a character of two code units.
String FitToLimit(const String& Text, int Limit, int Length, int Selected);

// Colours and font of an editing widget: background, text, and the
// selection colours of the classic scheme.
void SetEditorColors(QWidget* Editor, TColor Background, TColor Text);
