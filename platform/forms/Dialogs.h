#pragma once
// Message boxes.  MessageBox shows a text with a caption, an icon and the
// buttons its flags ask for (Dutch captions), and answers with the button
// chosen; Escape answers No or Cancel where the box has one.  Tests replace
// the showing with a hook that records the question and gives the answer.
#include "platform/rtl/System.h"

#include <functional>

enum : unsigned {
    MB_OK = 0x00, MB_OKCANCEL = 0x01, MB_ABORTRETRYIGNORE = 0x02, MB_YESNOCANCEL = 0x03, MB_YESNO = 0x04,
    MB_RETRYCANCEL = 0x05, MB_TYPEMASK = 0x0F,
    MB_ICONHAND = 0x10, MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30, MB_ICONASTERISK = 0x40, MB_ICONINFORMATION = 0x40, MB_ICONMASK = 0xF0,
    MB_DEFBUTTON1 = 0x000, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200, MB_DEFMASK = 0xF00,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// The buttons (ID* values, in order), the default one and the one Escape
// gives (0 when Escape does nothing) of a set of flags.
struct TMessageBoxLayout {
    std::vector<int> Buttons;
    int DefaultButton = IDOK;
    int EscapeButton = 0;
};
TMessageBoxLayout MessageBoxLayout(unsigned Flags);
// "OK", "Annuleren", "Ja", "Nee" ...
String MessageBoxButtonCaption(int Id);

using TMessageBoxHook = std::function<int(const String& Text, const String& Caption, unsigned Flags)>;
// Installs a replacement for the showing of message boxes (none: the real
// dialog again).
void SetMessageBoxHook(TMessageBoxHook Hook);
int MessageBox(const String& Text, const String& Caption, unsigned Flags);
