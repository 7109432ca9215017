#include "app/qv_toolb.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"

#include <QFileInfo>
#include <algorithm>
#include <QUrl>

namespace {

// Raised for every name handed out, never reset: names stay unique for the run.
int TempFileCounter = 0;

ToolBox::TTempPathSource& TempPathSource()
{
    static ToolBox::TTempPathSource Source;
    return Source;
}

} // namespace

String ToolBox::Quoted(const String& Text)
{
    return QLatin1Char('"') + Text + QLatin1Char('"');
}

bool ToolBox::NameTaken(const String& Path)
{
    const QFileInfo Info(Path);
    return Info.exists() || Info.isSymLink();
}

void ToolBox::SetTempPathSource(TTempPathSource Source)
{
    TempPathSource() = std::move(Source);
}

String ToolBox::TempPath()
{
    String Path;
    if (TempPathSource())
        Path = TempPathSource()();
    if (Path.isEmpty())
        Path = GetTempPath();
    return IncludeTrailingPathDelimiter(Path);
}

String ToolBox::TempFileName(const String& Extension)
{
    const String Folder = TempPath();
    String Name;
    // A report left behind by a run that crashed keeps its name, and the
    // report writer creates its file exclusively: skip every name that
    // anything has, a dangling symbolic link included.
    do {
        ++TempFileCounter;
        Name = Folder + QStringLiteral("quorvy$") + IntToStr(TempFileCounter) + QLatin1Char('.')
             + Extension;
    } while (NameTaken(Name));
    return Name;
}

String ToolBox::HtmlCellText(const String& Text)
{
    // Blank as Trim sees it: blanks and control characters only.
    if (Trimmed(QStringView(Text)).isEmpty())
        return QStringLiteral("&nbsp;");
    return HtmlText(Text);
}

String ToolBox::HtmlText(const String& Text)
{
    // Names and remarks may hold '<' or '&'; unescaped they would vanish
    // from the page or turn into markup.  (Most values need no new string.)
    if (!HasHtmlSpecial(QStringView(Text)))
        return Text;
    String Result;
    AppendHtmlText(Result, QStringView(Text));
    return Result;
}

String ToolBox::AddressLine(const String& Street, const String& Number, const String& Addition,
                            const String& City)
{
    String Result;
    AppendAddressLine(Result, QStringView(Street), QStringView(Number), QStringView(Addition), QStringView(City));
    return Result;
}

String ToolBox::PersonDisplayName(const String& Salutation, const String& CallName,
                                  const String& Infix, const String& LastName)
{
    String Name;
    AppendPersonDisplayName(Name, QStringView(Salutation), QStringView(CallName), QStringView(Infix),
                            QStringView(LastName));
    return Name;
}

String ToolBox::PostcodeText(const String& Postcode)
{
    const qsizetype Digits = WholeCharacterCut(Postcode, 4);
    const qsizetype End = std::max(Digits, WholeCharacterCut(Postcode, 6));
    return Postcode.left(Digits) + QLatin1Char(' ') + Postcode.mid(Digits, End - Digits);
}

const String ToolBox::MapServiceBase = QStringLiteral("https://www.openstreetmap.org/search?query=");

String ToolBox::MapSearchAddress(const String& Street, const String& Number, const String& City)
{
    const auto Part = [](const String& Text) { return QString::fromLatin1(QUrl::toPercentEncoding(Trim(Text))); };
    return MapServiceBase + Part(Street) + QLatin1Char('+') + Part(Number) + QStringLiteral(",+") + Part(City);
}
