#include "app/qv_set.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/IniFiles.h"

namespace {

TSettings GlobalSettings;

String& IniFileOverride()
{
    static String Name;
    return Name;
}

String& SeedFileOverride()
{
    static String Name;
    return Name;
}

const String General = QStringLiteral("General");
const String Algemeen = QStringLiteral("Algemeen");
const String Folders = QStringLiteral("Folders");
const String UI = QStringLiteral("UI");
const String LastWindow = QStringLiteral("LAST_WINDOW");

} // namespace

TSettings* const Settings = &GlobalSettings;

ECannotOpenFile::ECannotOpenFile(const String& TableWord)
    : Exception(QStringLiteral("Het ") + TableWord + QStringLiteral(" kan niet worden geopend!"))
{
}

String TSettings::IniFileName()
{
    if (!IniFileOverride().isEmpty())
        return IniFileOverride();
    return UserConfigFolder() + QStringLiteral("quorvy/quorvy.ini");
}

void TSettings::SetIniFileName(const String& FileName)
{
    IniFileOverride() = FileName;
}

String TSettings::DefaultDataFolder()
{
    return UserDocumentsFolder() + QStringLiteral("Quorvy/");
}

String TSettings::SeedFileName()
{
    if (!SeedFileOverride().isEmpty())
        return SeedFileOverride();
    return ProgramFolder() + QStringLiteral("quorvy.ini");
}

void TSettings::SetSeedFileName(const String& FileName)
{
    SeedFileOverride() = FileName;
}

void TSettings::Load()
{
    const bool OwnFile = FileExists(IniFileName()) || !FileExists(SeedFileName());
    TMemIniFile Ini(OwnFile ? IniFileName() : SeedFileName());
    SaveSettings = Ini.ReadBool(General, QStringLiteral("SaveSettings"), true);
    ConfirmOnExit = Ini.ReadBool(Algemeen, QStringLiteral("ConfirmOnExit"), true);
    SaveLastWindowSettings = Ini.ReadBool(Algemeen, QStringLiteral("SaveLastWindowSettings"), false);
    ExactSearch = Ini.ReadBool(Algemeen, QStringLiteral("ExactSearch"), false);
    DataFolder = Ini.ReadString(Folders, QStringLiteral("Data"), DefaultDataFolder());
    Allow1Group2BOpen = Ini.ReadBool(UI, QStringLiteral("Allow1Group2BOpen"), true);
    // The key has always been spelt this way; files in use depend on it.
    ShowBirthdayAtStartup = Ini.ReadBool(UI, QStringLiteral("ShowBirthdayAtSartup"), false);
    Top = Ini.ReadInteger(LastWindow, QStringLiteral("TOP"), 0);
    Left = Ini.ReadInteger(LastWindow, QStringLiteral("LEFT"), 0);
    Height = Ini.ReadInteger(LastWindow, QStringLiteral("HEIGHT"), 570);
    Width = Ini.ReadInteger(LastWindow, QStringLiteral("WIDTH"), 840);
}

void TSettings::Save()
{
    // Gathered in memory and written once, so a full disk or a crash halfway
    // never leaves a file with half of this run's options.
    ForceDirectories(ExtractFilePath(IniFileName()));
    TMemIniFile Ini(IniFileName());
    Ini.WriteBool(General, QStringLiteral("SaveSettings"), SaveSettings);
    Ini.WriteBool(Algemeen, QStringLiteral("ConfirmOnExit"), ConfirmOnExit);
    Ini.WriteBool(Algemeen, QStringLiteral("SaveLastWindowSettings"), SaveLastWindowSettings);
    Ini.WriteBool(Algemeen, QStringLiteral("ExactSearch"), ExactSearch);
    Ini.WriteString(Folders, QStringLiteral("Data"), DataFolder);
    Ini.WriteBool(UI, QStringLiteral("Allow1Group2BOpen"), Allow1Group2BOpen);
    Ini.WriteBool(UI, QStringLiteral("ShowBirthdayAtSartup"), ShowBirthdayAtStartup);
    Ini.WriteInteger(LastWindow, QStringLiteral("TOP"), Top);
    Ini.WriteInteger(LastWindow, QStringLiteral("LEFT"), Left);
    Ini.WriteInteger(LastWindow, QStringLiteral("HEIGHT"), Height);
    Ini.WriteInteger(LastWindow, QStringLiteral("WIDTH"), Width);
    Ini.UpdateFile();
}
