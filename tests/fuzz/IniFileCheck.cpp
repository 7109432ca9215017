#include "tests/fuzz/FuzzChecks.h"

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/StringList.h"
#include "tests/fuzz/CheckGuard.h"

#include <QFile>

namespace {

bool WriteBytes(const QString& Path, const QByteArray& Bytes)
{
    QFile File(Path);
    return File.open(QIODevice::WriteOnly | QIODevice::Truncate) && File.write(Bytes) == Bytes.size();
}

QByteArray ReadBytes(const QString& Path)
{
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

// A value in matching quotes, as the profile functions hand it back.
QString Unquoted(const QString& Value)
{
    if (Value.size() >= 2 && (Value.front() == QLatin1Char('"') || Value.front() == QLatin1Char('\''))
        && Value.back() == Value.front())
        return Value.mid(1, Value.size() - 2);
    return Value;
}

// What an ini file reads as, in the order its reading calls give it.
struct TSectionContents {
    QString Name;
    QStringList Entries; // "Key=Value"
    bool operator==(const TSectionContents&) const = default;
};
using TContents = QList<TSectionContents>;

TContents Contents(TCustomIniFile& Ini, bool Unquote = false)
{
    TContents Result;
    TStringList Sections;
    Ini.ReadSections(&Sections);
    for (int S = 0; S < Sections.Count(); ++S) {
        TSectionContents Section{Sections[S], {}};
        TStringList Keys;
        Ini.ReadSection(Section.Name, &Keys);
        for (int K = 0; K < Keys.Count(); ++K) {
            const QString Value = Ini.ReadString(Section.Name, Keys[K], QStringLiteral("<absent>"));
            Section.Entries.append(Keys[K] + QLatin1Char('=') + (Unquote ? Unquoted(Value) : Value));
        }
        Result.append(Section);
    }
    return Result;
}

QString Text(const TContents& Contents)
{
    QStringList Lines;
    for (const TSectionContents& S : Contents)
        Lines << QLatin1Char('[') + S.Name + QLatin1Char(']') << S.Entries;
    return Lines.join(QLatin1Char('\n'));
}

QString Differs(const char* What, const TContents& Expected, const TContents& Actual)
{
    if (Expected == Actual)
        return {};
    return QStringLiteral("%1:\n%2\n---\n%3").arg(QLatin1String(What), Text(Expected), Text(Actual));
}

bool SameName(const QString& A, const QString& B)
{
    return A.compare(B, Qt::CaseInsensitive) == 0;
}

// Contents without one section.
TContents WithoutSection(TContents Contents, const QString& Section)
{
    Contents.removeIf([&](const TSectionContents& S) { return SameName(S.Name, Section); });
    return Contents;
}

// Contents without one key of a section; the section stays, if need be
// without keys, for a section that was not there is made by writing.
TContents WithoutKey(TContents Contents, const QString& Section, const QString& Key)
{
    for (TSectionContents& S : Contents)
        if (SameName(S.Name, Section)) {
            S.Entries.removeIf([&](const QString& E) { return SameName(E.section(QLatin1Char('='), 0, 0), Key); });
            return Contents;
        }
    Contents.append(TSectionContents{Section, {}});
    return Contents;
}

// Writing, deleting and erasing through Ini, which reads as Before: each
// changes what it names and nothing else.
QString EditsUnsound(TCustomIniFile& Ini, const TContents& Before)
{
    const QString Section = Before.isEmpty() ? QStringLiteral("Nieuw") : Before.first().Name;
    TStringList Keys;
    Ini.ReadSection(Section, &Keys);
    const QString Key = Keys.Count() > 0 ? Keys[0] : QStringLiteral("Sleutel");

    Ini.WriteString(Section, Key, QStringLiteral("waarde"));
    if (Ini.ReadString(Section, Key, QString()) != QLatin1String("waarde"))
        return QStringLiteral("[%1] %2 does not read what was written").arg(Section, Key);
    Ini.DeleteKey(Section, Key);
    if (Ini.ValueExists(Section, Key))
        return QStringLiteral("[%1] %2 is still there after DeleteKey").arg(Section, Key);
    if (QString Problem = Differs("DeleteKey changed more", WithoutKey(Before, Section, Key), Contents(Ini));
        !Problem.isEmpty())
        return Problem;
    Ini.EraseSection(Section);
    if (Ini.SectionExists(Section))
        return QStringLiteral("[%1] is still there after EraseSection").arg(Section);
    return Differs("EraseSection changed more", WithoutSection(Before, Section), Contents(Ini));
}

QString CheckBytes(const QByteArray& Data)
{
    const QString Path = ScratchFolder() + QStringLiteral("fuzz.ini");
    if (!WriteBytes(Path, Data))
        return QStringLiteral("cannot write %1").arg(Path);
    TMemIniFile Memory(Path);
    const TContents Read = Contents(Memory);
    TIniFile OnDisk(Path);
    if (QString Problem = Differs("the file reads otherwise than in memory", Contents(Memory, true), Contents(OnDisk));
        !Problem.isEmpty())
        return Problem;

    // Written back, it reads the same, and writes the same bytes again.
    const QString Copy = ScratchFolder() + QStringLiteral("copy.ini");
    Memory.Rename(Copy, false);
    Memory.UpdateFile();
    const QByteArray Written = ReadBytes(Copy);
    TMemIniFile Again(Copy);
    if (QString Problem = Differs("written back it reads otherwise", Read, Contents(Again)); !Problem.isEmpty())
        return Problem;
    const QString Second = ScratchFolder() + QStringLiteral("second.ini");
    Again.Rename(Second, false);
    Again.UpdateFile();
    if (ReadBytes(Second) != Written)
        return QStringLiteral("written twice it changes");

    if (QString Problem = EditsUnsound(Again, Read); !Problem.isEmpty())
        return QStringLiteral("in memory: ") + Problem;
    if (QString Problem = EditsUnsound(OnDisk, Contents(OnDisk)); !Problem.isEmpty())
        return QStringLiteral("on disk: ") + Problem;
    return {};
}

} // namespace

QString CheckIniFile(const QByteArray& Data)
{
    return Guarded([&] { return CheckBytes(Data); });
}
