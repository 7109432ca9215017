#pragma once
// Whether a text (a web site or e-mail field of a contact, the web-link
// box) is a web or mail address that may be handed to the desktop, and the
// address to hand over.  The check looks at the text only: it never asks
// the file system, so a local path is never mistaken for an address.
//
// On Linux: the desktop opens what it is given with whatever program it
// has for it, local files and programs included, so only these two kinds
// of address pass, and the text must be one whole address (no blanks or
// control characters in it; blanks only in a mail address's subject).
#include "platform/rtl/System.h"

// "http://host..." or "https://host..." (any case), or "www.host..." which
// stands for "https://www.host...".
bool IsWebAddress(const String& Text);
// "name@domain.tld", with or without "mailto:" before it and with or without
// "?subject=..." after it (the subject may hold blanks).
bool IsMailAddress(const String& Text);
// The address to open for Text (blanks around it ignored): a web address as
// it is, "www." with "https://" before it, a mail address with "mailto:"
// before it when it has none; empty when Text is neither.
String WebOrMailAddress(const String& Text);
