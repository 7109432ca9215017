#pragma once
// Small text services shared by the report writers and the record windows:
// temporary report file names, HTML table cell text, the one-line address
// and the display name of a person.  Never instantiated.
#include "platform/rtl/System.h"

#include <functional>

class ToolBox {
public:
    ToolBox() = delete;

    // The next report file name of this run: temporary folder + "quorvy$" +
    // counter + "." + Extension.  Only builds the name; the caller writes the
    // file and adds it to the data module's TempFiles.
    static String TempFileName(const String& Extension);
    // "&nbsp;" for a text that is blank after trimming, else the text itself
    // (untrimmed) made safe for HTML.
    static String HtmlCellText(const String& Text);
    // Text made safe for an HTML page, in its text and in its attribute
    // values: '&', '<', '>' and '"' become character references.
    static String HtmlText(const String& Text);
    // "Street Number[ Addition], City" from the trimmed parts.
    static String AddressLine(const String& Street, const String& Number,
                              const String& Addition, const String& City);
    // "Anna van Dijk", or "Mevrouw Van Dijk" when there is no call name.
    static String PersonDisplayName(const String& Salutation, const String& CallName,
                                    const String& Infix, const String& LastName);

    // The public map service an address is looked up on when there is no
    // map template: its search takes the address as free text.
    static const String MapServiceBase;
    // The map service's search for "Street Number, City" (each trimmed).
    // Every part is percent-encoded on its own, so that a blank, '&', '#'
    // or '?' in a record stays part of the text searched for.
    static String MapSearchAddress(const String& Street, const String& Number, const String& City);

    // Where the temporary folder comes from.  The main window hands in its
    // system-information component here; until then (and with an empty
    // source) the platform's GetTempPath is asked.
    using TTempPathSource = std::function<String()>;
    static void SetTempPathSource(TTempPathSource Source);
    static String TempPath();
};
