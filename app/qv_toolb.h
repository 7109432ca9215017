#pragma once
// Small text services shared by the report writers and the record windows:
// temporary report file names, HTML table cell text, the one-line address
// and the display name of a person.  Never instantiated.
#include "platform/rtl/System.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QStringView>
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
    // A stored postcode as it is shown: its first four characters, a blank,
    // characters 5 and 6 ("1234AB" shows as "1234 AB").  Characters are
    // code units, as the field's size counts them, but a character of two
    // is never parted: a cut that would fall inside it comes before it.
    static String PostcodeText(const String& Postcode);

    // The same texts appended to Out, from and into either UTF-16 (QString
    // and QStringView) or UTF-8 (QByteArray and QByteArrayView): a report
    // of every person builds them from the stored bytes without a String
    // in between.  Blanks (as Trim sees them) and the four characters HTML
    // escapes are ASCII, which UTF-8 keeps as single bytes, so both forms
    // give the same text.
    template <typename TOut, typename TView>
    static void AppendHtmlCellText(TOut& Out, TView Text);
    template <typename TOut, typename TView>
    static void AppendHtmlText(TOut& Out, TView Text);
    template <typename TOut, typename TView>
    static void AppendAddressLine(TOut& Out, TView Street, TView Number, TView Addition, TView City);
    template <typename TOut, typename TView>
    static void AppendPersonDisplayName(TOut& Out, TView Salutation, TView CallName, TView Infix, TView LastName);
    // Text without the blanks and control characters at either end.
    template <typename TView>
    static TView Trimmed(TView Text);
    // Whether Text holds a character HTML escapes.
    template <typename TView>
    static bool HasHtmlSpecial(TView Text);

    // The public map service an address is looked up on when there is no
    // map template: its search takes the address as free text.
    static const String MapServiceBase;
    // The map service's search for "Street Number, City" (each trimmed).
    // Every part is percent-encoded on its own, so that a blank, '&', '#'
    // or '?' in a record stays part of the text searched for.
    static String MapSearchAddress(const String& Street, const String& Number, const String& City);

    // Text between double quotes, as messages name files and values.
    static String Quoted(const String& Text);
    // Whether anything has that name: a file, a folder or a symbolic link,
    // a dangling one included.
    static bool NameTaken(const String& Path);

    // Where the temporary folder comes from.  The main window hands in its
    // system-information component here; until then (and with an empty
    // source) the platform's GetTempPath is asked.
    using TTempPathSource = std::function<String()>;
    static void SetTempPathSource(TTempPathSource Source);
    static String TempPath();

private:
    static bool IsBlank(QChar C) { return C.unicode() <= ' '; }
    static bool IsBlank(char C) { return static_cast<unsigned char>(C) <= ' '; }
    static char16_t Unit(QChar C) { return C.unicode(); }
    static char16_t Unit(char C) { return static_cast<unsigned char>(C); }
    static void AppendAscii(String& Out, QLatin1StringView Text) { Out.append(Text); }
    static void AppendAscii(QByteArray& Out, QLatin1StringView Text) { Out.append(Text.data(), Text.size()); }
    static void AppendUnit(String& Out, char16_t C) { Out.append(QChar(C)); }
    static void AppendUnit(QByteArray& Out, char16_t C) { Out.append(char(C)); }
    // The character reference of C, or an empty view.
    static QLatin1StringView HtmlReference(char16_t C);
    // Text with its first character upper-cased when it is an ASCII letter
    // (as the classic UpperCase does: "élise" keeps its small é).
    template <typename TOut, typename TView>
    static void AppendCapitalized(TOut& Out, TView Text);
};

inline QLatin1StringView ToolBox::HtmlReference(char16_t C)
{
    switch (C) {
    case '&':
        return QLatin1StringView("&amp;");
    case '<':
        return QLatin1StringView("&lt;");
    case '>':
        return QLatin1StringView("&gt;");
    case '"':
        return QLatin1StringView("&quot;");
    default:
        return QLatin1StringView();
    }
}

template <typename TView>
TView ToolBox::Trimmed(TView Text)
{
    qsizetype First = 0, Last = Text.size();
    while (First < Last && IsBlank(Text[First]))
        ++First;
    while (Last > First && IsBlank(Text[Last - 1]))
        --Last;
    return Text.sliced(First, Last - First);
}

template <typename TView>
bool ToolBox::HasHtmlSpecial(TView Text)
{
    for (const auto C : Text)
        if (!HtmlReference(Unit(C)).isEmpty())
            return true;
    return false;
}

template <typename TOut, typename TView>
void ToolBox::AppendHtmlText(TOut& Out, TView Text)
{
    // Runs without a special character go over whole.
    qsizetype Run = 0;
    for (qsizetype I = 0; I < Text.size(); ++I) {
        const QLatin1StringView Reference = HtmlReference(Unit(Text[I]));
        if (Reference.isEmpty())
            continue;
        Out.append(Text.sliced(Run, I - Run));
        AppendAscii(Out, Reference);
        Run = I + 1;
    }
    Out.append(Text.sliced(Run));
}

template <typename TOut, typename TView>
void ToolBox::AppendHtmlCellText(TOut& Out, TView Text)
{
    if (Trimmed(Text).isEmpty())
        AppendAscii(Out, QLatin1StringView("&nbsp;"));
    else
        AppendHtmlText(Out, Text);
}

template <typename TOut, typename TView>
void ToolBox::AppendAddressLine(TOut& Out, TView Street, TView Number, TView Addition, TView City)
{
    Out.append(Trimmed(Street));
    AppendUnit(Out, ' ');
    Out.append(Trimmed(Number));
    if (const TView Rest = Trimmed(Addition); !Rest.isEmpty()) {
        AppendUnit(Out, ' ');
        Out.append(Rest);
    }
    AppendAscii(Out, QLatin1StringView(", "));
    Out.append(Trimmed(City));
}

template <typename TOut, typename TView>
void ToolBox::AppendCapitalized(TOut& Out, TView Text)
{
    if (Text.isEmpty())
        return;
    const char16_t First = Unit(Text[0]);
    AppendUnit(Out, First >= 'a' && First <= 'z' ? char16_t(First - 32) : First);
    Out.append(Text.sliced(1));
}

template <typename TOut, typename TView>
void ToolBox::AppendPersonDisplayName(TOut& Out, TView Salutation, TView CallName, TView Infix, TView LastName)
{
    if (CallName.isEmpty()) {
        // Without a call name the infix leads and gets the capital: "Van Dijk".
        if (!Salutation.isEmpty()) {
            Out.append(Salutation);
            AppendUnit(Out, ' ');
        }
        if (!Infix.isEmpty()) {
            AppendCapitalized(Out, Infix);
            AppendUnit(Out, ' ');
        }
    } else {
        AppendCapitalized(Out, CallName);
        AppendUnit(Out, ' ');
        if (!Infix.isEmpty()) {
            Out.append(Infix);
            AppendUnit(Out, ' ');
        }
    }
    AppendCapitalized(Out, LastName);
}
