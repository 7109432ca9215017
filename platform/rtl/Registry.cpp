#include "platform/rtl/Registry.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/SysUtils.h"

namespace {

const QChar Backslash{u'\\'};

// Key names that would break the section header of an ini file.
bool ValidKeyPart(const String& Part)
{
    return !Part.contains(QLatin1Char(']')) && !Part.contains(QLatin1Char('\r')) &&
           !Part.contains(QLatin1Char('\n')) && Part == Part.trimmed();
}

// Value names the ini file keeps as they are.
bool ValidValueName(const String& Name)
{
    return !Name.isEmpty() && Name == Name.trimmed() && !Name.contains(QLatin1Char('=')) &&
           !Name.contains(QLatin1Char('\r')) && !Name.contains(QLatin1Char('\n')) &&
           !Name.startsWith(QLatin1Char(';')) && !Name.startsWith(QLatin1Char('['));
}

// Blanks at the ends, and quotes the profile reader would strip, survive
// inside one pair of quotes.
String Stored(const String& Value)
{
    const bool Quoted = Value.size() >= 2 && (Value.front() == QLatin1Char('"') || Value.front() == QLatin1Char('\'')) &&
                        Value.back() == Value.front();
    if (Value != Value.trimmed() || Quoted)
        return QLatin1Char('"') + Value + QLatin1Char('"');
    return Value;
}

[[noreturn]] void FailSet(const String& Name)
{
    throw ERegistryException(QStringLiteral("Failed to set data for '%1'").arg(Name));
}

} // namespace

String RegistryFileName(HKEY RootKey)
{
    const String Folder = UserConfigFolder() + QStringLiteral("quorvy/registry/");
    if (RootKey == HKEY_CURRENT_USER)
        return Folder + QStringLiteral("current-user.ini");
    if (RootKey == HKEY_LOCAL_MACHINE)
        return Folder + QStringLiteral("local-machine.ini");
    return String();
}

TRegistry::TRegistry() = default;

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(HKEY Value)
{
    CloseKey();
    FRootKey = Value;
}

bool TRegistry::ResolveKey(const String& Key, String& Path) const
{
    QStringList Parts;
    if (FOpen && !Key.startsWith(Backslash) && !FCurrentPath.isEmpty())
        Parts = FCurrentPath.split(Backslash);
    for (const String& Part : Key.split(Backslash, Qt::SkipEmptyParts)) {
        if (!ValidKeyPart(Part))
            return false;
        Parts.append(Part);
    }
    Path = Parts.join(Backslash);
    return true;
}

bool TRegistry::PathExists(const String& Path) const
{
    if (Path.isEmpty())
        return true;
    const String File = RegistryFileName(FRootKey);
    if (File.isEmpty())
        return false;
    TIniFile Ini(File);
    TStringList Sections;
    Ini.ReadSections(&Sections);
    const String Below = Path + Backslash;
    for (int I = 0; I < Sections.Count(); ++I) {
        const String S = Sections.Strings(I);
        if (S.compare(Path, Qt::CaseInsensitive) == 0 || S.startsWith(Below, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate)
{
    String Path;
    if (!ResolveKey(Key, Path))
        return false;
    if (!PathExists(Path) && !(CanCreate && !RegistryFileName(FRootKey).isEmpty()))
        return false;
    FCurrentPath = Path;
    FOpen = true;
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& Key)
{
    if (!OpenKey(Key, false))
        return false;
    FReadOnly = true;
    return true;
}

void TRegistry::CloseKey()
{
    FCurrentPath.clear();
    FOpen = false;
    FReadOnly = false;
}

bool TRegistry::KeyExists(const String& Key) const
{
    String Path;
    return ResolveKey(Key, Path) && PathExists(Path);
}

bool TRegistry::HasValue(const String& Path, const String& Name) const
{
    const String File = RegistryFileName(FRootKey);
    if (File.isEmpty() || Path.isEmpty() || !ValidValueName(Name))
        return false;
    TIniFile Ini(File);
    return Ini.ValueExists(Path, Name);
}

String TRegistry::ReadValue(const String& Path, const String& Name, const String& Default) const
{
    if (!HasValue(Path, Name))
        return Default;
    TIniFile Ini(RegistryFileName(FRootKey));
    return Ini.ReadString(Path, Name, Default);
}

void TRegistry::WriteValue(const String& Path, const String& Name, const String& Value)
{
    const String File = RegistryFileName(FRootKey);
    if (File.isEmpty() || Path.isEmpty() || FReadOnly || !ValidValueName(Name) ||
        Value.contains(QLatin1Char('\r')) || Value.contains(QLatin1Char('\n')))
        FailSet(Name);
    try {
        if (!ForceDirectories(ExtractFileDir(File)))
            FailSet(Name);
        TIniFile Ini(File);
        Ini.WriteString(Path, Name, Stored(Value));
    } catch (const EIniFileException&) {
        FailSet(Name);
    }
}

bool TRegistry::ValueExists(const String& Name) const
{
    return FOpen && HasValue(FCurrentPath, Name);
}

String TRegistry::ReadString(const String& Name) const
{
    return FOpen ? ReadValue(FCurrentPath, Name, String()) : String();
}

int TRegistry::ReadInteger(const String& Name) const
{
    if (!ValueExists(Name))
        throw ERegistryException(QStringLiteral("Failed to get data for '%1'").arg(Name));
    int Value = 0;
    if (!TryStrToInt(ReadString(Name).trimmed(), Value))
        throw ERegistryException(QStringLiteral("Invalid data type for '%1'").arg(Name));
    return Value;
}

bool TRegistry::ReadBool(const String& Name) const
{
    return ReadInteger(Name) != 0;
}

void TRegistry::WriteString(const String& Name, const String& Value)
{
    if (!FOpen)
        FailSet(Name);
    WriteValue(FCurrentPath, Name, Value);
}

void TRegistry::WriteInteger(const String& Name, int Value)
{
    WriteString(Name, IntToStr(Value));
}

void TRegistry::WriteBool(const String& Name, bool Value)
{
    WriteInteger(Name, Value ? 1 : 0);
}

bool TRegistry::DeleteValue(const String& Name)
{
    if (!FOpen || FReadOnly || !HasValue(FCurrentPath, Name))
        return false;
    try {
        TIniFile Ini(RegistryFileName(FRootKey));
        Ini.DeleteKey(FCurrentPath, Name);
        return true;
    } catch (const EIniFileException&) {
        return false;
    }
}

// --- TRegIniFile ---------------------------------------------------------------

TRegIniFile::TRegIniFile(const String& FileName) : FFileName(FileName)
{
    OpenKey(FileName, true);
}

String TRegIniFile::SectionPath(const String& Section) const
{
    // A section is a subkey of the open key; an empty one is the key itself.
    String Path;
    if (!HasCurrentKey() || !ResolveKey(Section, Path))
        return String();
    return Path;
}

String TRegIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const
{
    return ReadValue(SectionPath(Section), Ident, Default);
}

int TRegIniFile::ReadInteger(const String& Section, const String& Ident, int Default) const
{
    return StrToIntDef(ReadString(Section, Ident, String()).trimmed(), Default);
}

bool TRegIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TRegIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    const String Path = SectionPath(Section);
    if (Path.isEmpty())
        throw ERegistryException(QStringLiteral("Failed to set data for '%1'").arg(Ident));
    WriteValue(Path, Ident, Value);
}

void TRegIniFile::WriteInteger(const String& Section, const String& Ident, int Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

void TRegIniFile::WriteBool(const String& Section, const String& Ident, bool Value)
{
    WriteInteger(Section, Ident, Value ? 1 : 0);
}
