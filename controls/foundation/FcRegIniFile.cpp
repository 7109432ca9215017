#include "controls/foundation/FcRegIniFile.h"

#include "platform/classes/TypInfo.h"

REGISTER_ENUM(TFcPathType, ptIniFile, ptRegistry)
REGISTER_ENUM(TFcRegKey, hkeyClassesRoot, hkeyCurrentUser, hkeyLocalMachine, hkeyUsers, hkeyPerformanceData,
              hkeyCurrentConfig, hkeyDynData)
REGISTER_ENUM(TFcRegAccessKey, keyQueryValue, keySetValue, keyCreateSubKey, keyEnumerateSubKeys, keyNotify,
              keyCreateLink, keyRead, keyWrite, keyExecute, keyAllAccess)
REGISTER_ENUM(TFcSpecialFolder, sfNone, sfUserAppDataRoaming, sfUserAppDataLocal, sfUserDocuments, sfProgramData)

REGISTER_COMPONENT(TFcRegIniFile, TComponent)
    PUBLISHED(Path, String())
    PUBLISHED(PathType, ptIniFile)
    PUBLISHED(RegKey, hkeyCurrentUser)
    PUBLISHED(RegAccess, TFcRegAccess{keyAllAccess})
    PUBLISHED(SpecialFolder, sfNone)
END_REGISTER

TFcRegIniFile::TFcRegIniFile(TComponent* AOwner) : TComponent(AOwner)
{}

template <typename T>
void TFcRegIniFile::Change(T& Field, const T& Value)
{
    if (AssignIfChanged(Field, Value))
        FSettingsChanged = true;
}

void TFcRegIniFile::SetPath(const String& Value)
{
    Change(FPath, Value);
}

void TFcRegIniFile::SetPathType(TFcPathType Value)
{
    Change(FPathType, Value);
}

void TFcRegIniFile::SetRegKey(TFcRegKey Value)
{
    Change(FRegKey, Value);
}

void TFcRegIniFile::SetRegAccess(TFcRegAccess Value)
{
    Change(FRegAccess, Value);
}

void TFcRegIniFile::SetSpecialFolder(TFcSpecialFolder Value)
{
    Change(FSpecialFolder, Value);
}
