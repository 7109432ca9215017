#pragma once
// Message boxes.  MessageBox shows a text with a caption, an icon and the
// buttons its flags ask for (Dutch captions), and answers with the button
// chosen; as in the classic box, Escape answers Cancel where the box has
// one and OK in a box with only OK, and does nothing in a Yes/No or
// Abort/Retry/Ignore box.  MessageDlg is the class library's dialog: a
// caption from its type, buttons from a set, Escape on Cancel or else No.
// Tests replace the showing with hooks that record the question and give
// the answer.
#include "platform/windows/ControlTypes.h"
#include "platform/rtl/System.h"

#include <functional>
#include <vector>

enum : unsigned {
    MB_OK = 0x00, MB_OKCANCEL = 0x01, MB_ABORTRETRYIGNORE = 0x02, MB_YESNOCANCEL = 0x03, MB_YESNO = 0x04,
    MB_RETRYCANCEL = 0x05, MB_TYPEMASK = 0x0F,
    MB_ICONHAND = 0x10, MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30, MB_ICONASTERISK = 0x40, MB_ICONINFORMATION = 0x40, MB_ICONMASK = 0xF0,
    MB_DEFBUTTON1 = 0x000, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200, MB_DEFMASK = 0xF00,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// The dialog types and buttons of MessageDlg; the types also name the icon
// of a message box (mtCustom: none).
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// What a box shows: its buttons (answers, in order), the default one, the
// one Escape gives (0 when Escape does nothing) and the icon.
struct TMessageBoxLayout {
    std::vector<int> Buttons;
    int DefaultButton = IDOK;
    int EscapeButton = 0;
    TMsgDlgType Icon = mtCustom;
};
TMessageBoxLayout MessageBoxLayout(unsigned Flags);
// "OK", "Annuleren", "&Ja", "&Nee" ...
String MessageBoxButtonCaption(int Id);

using TMessageBoxHook = std::function<int(const String& Text, const String& Caption, unsigned Flags)>;
// Installs a replacement for the showing of message boxes (none: the real
// dialog again).
void SetMessageBoxHook(TMessageBoxHook Hook);
int MessageBox(const String& Text, const String& Caption, unsigned Flags);

// The layout of MessageDlg's box: answers are mrYes, mrNo, mrOk ...
TMessageBoxLayout MessageDlgLayout(TMsgDlgType DlgType, TMsgDlgButtons Buttons);
// "Waarschuwing", "Fout", "Informatie", "Bevestigen"; the application's
// title for mtCustom.
String MessageDlgCaption(TMsgDlgType DlgType);
// The caption of a MessageDlg button by its answer ("&Ja", "Nee op &alles" ...).
String MessageDlgButtonCaption(TModalResult Result);
using TMessageDlgHook =
    std::function<TModalResult(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)>;
void SetMessageDlgHook(TMessageDlgHook Hook);
TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);

// What a box lays out of Text: at most a screenful.  A box lays out its
// whole text at once, and megabytes of it held the program for most of a
// minute; text beyond MaxMessageBoxLines lines of MaxMessageBoxLineLength
// characters (a longer line counts as the lines it wraps into) is left out,
// and "…" says so.
inline constexpr int MaxMessageBoxLines = 40;
inline constexpr int MaxMessageBoxLineLength = 100;
String MessageBoxText(const String& Text);

// A box as a layout describes it, shown by Qt with MessageBoxText of Text;
// answers the button chosen (Escape or the window's close button: the
// layout's Escape answer).
int ShowMessageLayout(const String& Text, const String& Caption, const TMessageBoxLayout& Layout,
                      const std::function<String(int)>& ButtonCaption);
