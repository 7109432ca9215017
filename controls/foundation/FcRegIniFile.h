#pragma once
// TFcRegIniFile: a component that names where settings are kept - an ini
// file or a registry key, or a special folder.  Only its properties exist:
// nothing here reads or writes settings through it.  The frame
// controller's RegIniFile property refers to one.
#include "platform/classes/Component.h"

enum TFcPathType { ptIniFile, ptRegistry };
enum TFcRegKey {
    hkeyClassesRoot,
    hkeyCurrentUser,
    hkeyLocalMachine,
    hkeyUsers,
    hkeyPerformanceData,
    hkeyCurrentConfig,
    hkeyDynData
};
enum TFcRegAccessKey {
    keyQueryValue,
    keySetValue,
    keyCreateSubKey,
    keyEnumerateSubKeys,
    keyNotify,
    keyCreateLink,
    keyRead,
    keyWrite,
    keyExecute,
    keyAllAccess
};
using TFcRegAccess = TSet<TFcRegAccessKey>;
enum TFcSpecialFolder { sfNone, sfUserAppDataRoaming, sfUserAppDataLocal, sfUserDocuments, sfProgramData };

class TFcRegIniFile : public TComponent {
public:
    explicit TFcRegIniFile(TComponent* AOwner);

    String Path() const { return FPath; }
    void SetPath(const String& Value);
    TFcPathType PathType() const { return FPathType; }
    void SetPathType(TFcPathType Value);
    TFcRegKey RegKey() const { return FRegKey; }
    void SetRegKey(TFcRegKey Value);
    TFcRegAccess RegAccess() const { return FRegAccess; }
    void SetRegAccess(TFcRegAccess Value);
    TFcSpecialFolder SpecialFolder() const { return FSpecialFolder; }
    void SetSpecialFolder(TFcSpecialFolder Value);

    // Whether any of the above changed since construction.
    bool SettingsChanged() const { return FSettingsChanged; }

private:
    template <typename T>
    void Change(T& Field, const T& Value);

    String FPath;
    TFcPathType FPathType = ptIniFile;
    TFcRegKey FRegKey = hkeyCurrentUser;
    TFcRegAccess FRegAccess{keyAllAccess};
    TFcSpecialFolder FSpecialFolder = sfNone;
    bool FSettingsChanged = false;
};
