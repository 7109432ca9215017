#include "platform/forms/ShellAPI.h"

#include "platform/forms/Dialogs.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/WebMailAddress.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

TShellOpenHook& ShellHook()
{
    static TShellOpenHook H;
    return H;
}

TShellTarget Refuse(const String& Why, HINSTANCE Error = SE_ERR_ACCESSDENIED)
{
    TShellTarget T;
    T.Refusal = Why;
    T.Error = Error;
    return T;
}

const QString Allowed = QStringLiteral(
    "Alleen webadressen (http: of https:), e-mailadressen (mailto:) en bestaande bestanden kunnen worden geopend.");

bool HasScheme(const String& Text)
{
    // "x:" with x two or more letters; "C:" stays a (Windows) drive.
    const int Colon = Text.indexOf(QLatin1Char(':'));
    if (Colon < 2)
        return false;
    for (int I = 0; I < Colon; ++I) {
        const QChar C = Text.at(I);
        if (!(C.isLetterOrNumber() || C == QLatin1Char('+') || C == QLatin1Char('-') || C == QLatin1Char('.'))
            || (I == 0 && !C.isLetter()))
            return false;
    }
    return true;
}

TShellTarget FileTarget(const String& Path)
{
    const QFileInfo Info(Path);
    if (!Info.exists())
        return Refuse(QStringLiteral("Het bestand \"%1\" bestaat niet en kan dus niet worden geopend.").arg(Path),
                      SE_ERR_FNF);
    const QString Suffix = Info.suffix().toLower();
    if (!Info.isFile() || Info.isExecutable() || Suffix == QLatin1String("desktop"))
        return Refuse(QStringLiteral("\"%1\" is geen document en wordt niet geopend.\r\n\r\n%2").arg(Path, Allowed));
    TShellTarget T;
    T.Url = QUrl::fromLocalFile(Info.absoluteFilePath());
    return T;
}

// What a mail hand-off passes on: the address and a subject, nothing else.
// Mail programs take the other fields of a "mailto:" link as orders
// ("attach=" a local file, "bcc=" another receiver, "body=" a prepared
// text), so a contact's text could send a file away; they are dropped,
// whatever their case or encoding.  Fields are split at "&" and, as some
// mail programs read them, at a further "?"; the subject is encoded anew so
// that nothing in it reads as another field.
QUrl MailUrl(const QUrl& Url)
{
    static const QRegularExpression Separators(QStringLiteral("[&?]"));
    String Subject;
    for (const QString& Field : Url.query(QUrl::FullyEncoded).split(Separators, Qt::SkipEmptyParts)) {
        const qsizetype Equals = Field.indexOf(QLatin1Char('='));
        const String Name = QUrl::fromPercentEncoding(Field.left(Equals).toUtf8());
        if (Equals > 0 && Subject.isEmpty() && Name.compare(QLatin1String("subject"), Qt::CaseInsensitive) == 0)
            Subject = QUrl::fromPercentEncoding(Field.mid(Equals + 1).toUtf8());
    }
    String Text = QStringLiteral("mailto:") + Url.path(QUrl::FullyEncoded);
    if (!Subject.isEmpty())
        Text += QStringLiteral("?subject=") + QString::fromLatin1(QUrl::toPercentEncoding(Subject));
    return QUrl(Text, QUrl::StrictMode);
}

} // namespace

TShellTarget ShellTarget(const String& Operation, const String& File, const String& Parameters)
{
    if (Operation.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0)
        return Refuse(QStringLiteral("De opdracht \"%1\" wordt niet uitgevoerd: alleen openen is toegestaan.")
                          .arg(QuotedInput(Operation)));
    if (!Parameters.trimmed().isEmpty())
        return Refuse(
            QStringLiteral("\"%1\" wordt niet geopend: er worden geen opdrachtparameters doorgegeven.").arg(File));
    const String Text = File.trimmed();
    if (Text.isEmpty())
        return Refuse(QStringLiteral("Er is niets om te openen.\r\n\r\n%1").arg(Allowed));
    if (!HasScheme(Text))
        return FileTarget(Text);
    const QUrl Url(Text, QUrl::TolerantMode);
    const QString Scheme = Url.scheme().toLower();
    if (Scheme == QLatin1String("file") && Url.isValid())
        return FileTarget(Url.toLocalFile());
    const bool Web = Scheme == QLatin1String("http") || Scheme == QLatin1String("https");
    const bool Mail = Scheme == QLatin1String("mailto");
    if (!(Web || Mail) || !Url.isValid() || (Web && Url.host().isEmpty()) || (Mail && Url.path().isEmpty()))
        return Refuse(QStringLiteral("\"%1\" wordt niet geopend.\r\n\r\n%2").arg(QuotedInput(Text), Allowed));
    TShellTarget T;
    T.Url = Mail ? MailUrl(Url) : Url;
    return T;
}

TShellTarget AddressTarget(const String& Address)
{
    const String Opens = WebOrMailAddress(Address);
    QUrl Url(Opens, QUrl::TolerantMode);
    if (Url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0)
        Url = MailUrl(Url);
    if (Opens.isEmpty() || !Url.isValid())
        return Refuse(QStringLiteral("\"%1\" is geen webadres of e-mailadres en wordt niet geopend.\r\n\r\n"
                                     "Een webadres begint met http://, https:// of www., een e-mailadres ziet eruit "
                                     "als naam@voorbeeld.nl.")
                          .arg(QuotedInput(Address.trimmed())));
    TShellTarget T;
    T.Url = Url;
    return T;
}

namespace {

HINSTANCE HandOff(const TShellTarget& Target)
{
    if (!Target.Allowed()) {
        MessageBox(Target.Refusal, QStringLiteral("Openen niet mogelijk"), MB_OK | MB_ICONWARNING);
        return Target.Error;
    }
    const bool Opened = ShellHook() ? ShellHook()(Target.Url) : QDesktopServices::openUrl(Target.Url);
    return Opened ? SE_ERR_OK : SE_ERR_NOASSOC;
}

} // namespace

void SetShellOpenHook(TShellOpenHook Value)
{
    ShellHook() = std::move(Value);
}

HINSTANCE ShellExecute(HWND Wnd, const String& Operation, const String& File, const String& Parameters,
                       const String& Directory, int ShowCmd)
{
    (void)Wnd;
    (void)Directory;
    (void)ShowCmd;
    return HandOff(ShellTarget(Operation, File, Parameters));
}

HINSTANCE ShellOpenAddress(HWND Wnd, const String& Address)
{
    (void)Wnd;
    return HandOff(AddressTarget(Address));
}
