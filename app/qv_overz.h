#pragma once
// The contact overview: one HTML page with everything known of the current
// person, the person's address and the person's group, written as a report
// file of the run and handed to the user's browser.  The main window's
// "Individueel" and the person form's print button both show it; printing
// is left to the browser, which has the page open.
//
// Decisions for this desktop:
// - Every value on the page is escaped, in text and in attributes, so a
//   name or remark holding markup (a closing text-area tag included) stays
//   text.
// - Only web sites (http:, https:) and mail addresses are linked.  A web
//   site that starts with "http://" or "https://" in any case is linked as
//   it is; one without a scheme gets "http://"; anything else (another
//   scheme, blanks) is shown as text without a link.  A mail link carries
//   the address only, percent-encoded; "mailto:" before it or a query after
//   it in the field are left out of the link.
// - The page is written into a new file (never over anything that has the
//   name), UTF-8 with a byte-order mark.
#include "platform/rtl/System.h"
#include "platform/windows/WinUser.h"

#include <QStringList>

class ContactOverview {
public:
    ContactOverview() = delete;

    // The page of the current person of the data module's person table.
    // The address and group are looked up by key on the current index of
    // their tables, which must be their key indexes; what the look-up finds
    // stays their current record.
    static QStringList PageLines();
    // Writes the page of the current person as a new report file (added to
    // the data module's TempFiles before it is written) and hands it to the
    // desktop, Parent being the window the browser is opened for.  Nothing
    // happens while the person table is closed or empty.  The address and
    // group tables get their key indexes for the look-up and have their
    // own back afterwards, also when writing fails (EInOutError passes on).
    static void Show(HWND Parent);

    // The address a person's web site links to: the site itself when it
    // starts with "http://" or "https://" (any case), else "http://" + the
    // site; empty when that is no web address (another scheme, blanks) or
    // the site is blank.
    static String WebSiteTarget(const String& Site);
    // "mailto:" + the address of a person's mail field (blanks around it,
    // a "mailto:" before it and a query after it left out, the address
    // percent-encoded); empty when the field holds no mail address.
    static String MailTarget(const String& Address);
};
