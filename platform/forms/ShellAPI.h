#pragma once
// Handing a document to the desktop: ShellExecute with the verb "open"
// opens a web address (http:, https:) in the browser, a "mailto:" link in
// the mail program and an existing file in the program the desktop has
// for it.  Nothing else is handed on: other addresses, missing files,
// folders, programs and desktop launchers, other verbs and command-line
// parameters are refused with a Dutch message, so that text from a
// contact file can never start a program.  Tests replace the hand-off
// with a hook that records it.
//
// On Linux: the hand-off is QDesktopServices (xdg-open), which opens
// whatever it is given, local files and programs alike, so every text is
// checked here first.
#include "platform/windows/WinUser.h"

#include <QUrl>
#include <cstdint>
#include <functional>

using HINSTANCE = std::intptr_t;
// The classic answers: above 32 is success.
enum : HINSTANCE { SE_ERR_FNF = 2, SE_ERR_ACCESSDENIED = 5, SE_ERR_NOASSOC = 31, SE_ERR_OK = 42 };

// What a hand-off would open: the address, or why it is refused (Dutch,
// for the user; empty when allowed).
struct TShellTarget {
    QUrl Url;
    String Refusal;
    HINSTANCE Error = 0;
    bool Allowed() const { return Refusal.isEmpty(); }
};
TShellTarget ShellTarget(const String& Operation, const String& File, const String& Parameters);

// Opens File (see above); a refusal shows its message and answers
// SE_ERR_ACCESSDENIED or SE_ERR_FNF, a desktop that cannot open it
// SE_ERR_NOASSOC.
HINSTANCE ShellExecute(HWND Wnd, const String& Operation, const String& File, const String& Parameters,
                       const String& Directory, int ShowCmd);

// The web and mail hand-off, for text that should be a web or mail address
// (a contact's web site and e-mail fields, the web-link box): only what
// WebOrMailAddress accepts is opened ("www." as https:, a bare mail address
// as mailto:).  Anything else, a local path or "file:" address included,
// is refused with a Dutch message and SE_ERR_ACCESSDENIED without ever
// being looked up on disk: a field's text never opens a local file.  A mail
// address, here and in ShellExecute, passes with its subject only: other
// fields of a "mailto:" link ("attach=", "cc=", "body=" ...) are dropped.
TShellTarget AddressTarget(const String& Address);
HINSTANCE ShellOpenAddress(HWND Wnd, const String& Address);

// The hand-off itself (default: QDesktopServices::openUrl); true when the
// desktop took it.
using TShellOpenHook = std::function<bool(const QUrl& Url)>;
void SetShellOpenHook(TShellOpenHook Hook);
