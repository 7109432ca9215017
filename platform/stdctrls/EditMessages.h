#pragma once
// The edit control's messages, notifications and window styles under their
// classic names and numbers, as the edits and memos of this library answer
// them and the framed controls send them.
#include "platform/windows/Messages.h"

// Edit styles (the low word of the window style).
enum : DWORD {
    ES_LEFT = 0x0000,
    ES_CENTER = 0x0001,
    ES_RIGHT = 0x0002,
    ES_MULTILINE = 0x0004,
    ES_UPPERCASE = 0x0008,
    ES_LOWERCASE = 0x0010,
    ES_PASSWORD = 0x0020,
    ES_AUTOVSCROLL = 0x0040,
    ES_AUTOHSCROLL = 0x0080,
    ES_NOHIDESEL = 0x0100,
    ES_OEMCONVERT = 0x0400,
    ES_READONLY = 0x0800,
    ES_WANTRETURN = 0x1000,
};

enum : UINT {
    EM_GETSEL = 0x00B0,
    EM_SETSEL = 0x00B1,
    EM_GETRECT = 0x00B2,
    EM_SCROLL = 0x00B5,
    EM_LINESCROLL = 0x00B6,
    EM_SCROLLCARET = 0x00B7,
    EM_GETMODIFY = 0x00B8,
    EM_SETMODIFY = 0x00B9,
    EM_GETLINECOUNT = 0x00BA,
    EM_LINEINDEX = 0x00BB,
    EM_LINELENGTH = 0x00C1,
    EM_REPLACESEL = 0x00C2,
    EM_GETLINE = 0x00C4,
    EM_LIMITTEXT = 0x00C5,
    EM_CANUNDO = 0x00C6,
    EM_UNDO = 0x00C7,
    EM_LINEFROMCHAR = 0x00C9,
    EM_EMPTYUNDOBUFFER = 0x00CD,
    EM_SETPASSWORDCHAR = 0x00CC,
    EM_GETFIRSTVISIBLELINE = 0x00CE,
    EM_SETREADONLY = 0x00CF,
    EM_GETPASSWORDCHAR = 0x00D2,
    EM_SETMARGINS = 0x00D3,
    EM_GETMARGINS = 0x00D4,
    EM_GETLIMITTEXT = 0x00D5,
    EM_POSFROMCHAR = 0x00D6,
    EM_CHARFROMPOS = 0x00D7,
};

// Our own, beside the classic ones: the caret's character index (the end
// of the selection the caret is at), from the editor's own cursor whether
// or not it has the focus, as a full integer.
enum : UINT { QV_EM_GETCARETINDEX = WM_USER + 0x0110 };
// WParam TRUE: while read-only the editor still takes input-method text.
// A control that leaves read-only when the user starts typing (the
// data-aware edits) asks for it: the composed text then arrives as
// characters the control may accept, instead of the input method being
// switched off for a read-only editor and the text lost.
enum : UINT { QV_EM_SETREADONLYINPUT = WM_USER + 0x0111 };
// WM_PASTE's WParam: where the pasted text comes from.  0, the classic
// value, is the clipboard (Ctrl+V, Shift+Insert, a menu's Paste);
// QV_PASTE_PRIMARY is the desktop's primary selection, which the middle
// button pastes, so that its paste keeps every rule of a paste.
enum : WPARAM { QV_PASTE_PRIMARY = 1 };

// Notifications (the high word of WParam of WM_COMMAND / CN_COMMAND).
enum : WORD {
    EN_SETFOCUS = 0x0100,
    EN_KILLFOCUS = 0x0200,
    EN_CHANGE = 0x0300,
    EN_UPDATE = 0x0400,
    EN_MAXTEXT = 0x0501,
};

// EM_SETMARGINS flags.
enum : WPARAM { EC_LEFTMARGIN = 0x0001, EC_RIGHTMARGIN = 0x0002, EC_USEFONTINFO = 0xFFFF };
