#pragma once
// TSiIniCtrl (unit SiIniCtrl): names where settings are kept - an ini file,
// the registry or an ini file held in memory - and encodes and decodes the
// strings stored there.
//
// The registry is the platform's stand-in (ini files under the user's
// configuration folder, see platform/rtl/Registry.h).  The encodings are
// obfuscation, not protection: the keyed cipher's key is in the program.
#include "platform/rtl/Registry.h"
#include "sysinfo/SiCustomComponent.h"
#include "sysinfo/SiPaths.h"

#include <QByteArray>
#include <cstdint>
#include <memory>

class TMemIniFile;
class TRegIniFile;

enum TSiIniTarget { itIniFile, itRegistry, itAuto, itMemIniFile };
enum TSiRegRootKey { rpClassesRoot, rpCurrentUser, rpLocalMachine, rpUsers, rpCurrentConfig };
enum TSiIniCryptMode { icmKey, icmTextKey, icmCustom };

using TSiIniStringEvent = std::function<void(TObject* Sender, String& Text)>;

class TSiIniCtrl : public TSiCustomComponent {
public:
    explicit TSiIniCtrl(TComponent* AOwner);
    ~TSiIniCtrl() override;

    // A name without extension gets ".INI"; empty: the program's name.
    String IniFile() const { return FIniFile; }
    void SetIniFile(const String& Value);
    TSiPathPrefix IniPrefix() const { return FIniPrefix; }
    void SetIniPrefix(TSiPathPrefix Value) { FIniPrefix = Value; }
    // itAuto counts as itRegistry; itMemIniFile holds the file in memory.
    TSiIniTarget Target() const { return FTarget; }
    void SetTarget(TSiIniTarget Value);
    TSiRegRootKey RegRoot() const { return FRegRoot; }
    void SetRegRoot(TSiRegRootKey Value) { FRegRoot = Value; }
    TSiIniCryptMode CryptMode() const { return FCryptMode; }
    void SetCryptMode(TSiIniCryptMode Value) { FCryptMode = Value; }
    std::uint16_t EncKey() const { return FEncKey; }
    void SetEncKey(std::uint16_t Value) { FEncKey = Value; }
    // The entry limit of list-type settings; at most 26 while AlphaCounter
    // is on (entries are then counted by letters).
    std::uint8_t MaxEntries() const { return FMaxEntries; }
    void SetMaxEntries(std::uint8_t Value);
    bool AlphaCounter() const { return FAlphaCounter; }
    void SetAlphaCounter(bool Value);
    // Switching it on makes User the current user's name.
    bool NetUser() const { return FNetUser; }
    void SetNetUser(bool Value);
    String User() const { return FUser; }
    void SetUser(const String& Value) { FUser = Value; }
    String RegPath() const { return FRegPath; }
    void SetRegPath(const String& Value) { FRegPath = Value; }
    bool Encoded() const { return FEncoded; }
    void SetEncoded(bool Value) { FEncoded = Value; }
    DECLARE_EVENT(TSiIniStringEvent, OnEncodeString)
    DECLARE_EVENT(TSiIniStringEvent, OnDecodeString)

    // --- where the settings are ---
    TSiIniTarget EffectiveTarget() const { return FTarget == itAuto ? itRegistry : FTarget; }
    // IniFile completed: ".INI" added, the IniPrefix folder put in front
    // (the name is used as it stands with ppFixed).
    String IniFileName() const;
    // The in-memory ini file while Target is itMemIniFile, else nullptr.
    TMemIniFile* MemIniFile() const { return FMemIniFile.get(); }
    HKEY RegistryRootKey() const;
    // RegPath, with User as a key below it when given.
    String RegistryKey() const;
    // The registry target opened on RegistryKey below RegistryRootKey.
    std::unique_ptr<TRegIniFile> OpenRegIniFile() const;

    // --- stored strings ---
    // icmKey: the keyed cipher (bytes as characters 0..255); icmTextKey:
    // the cipher, then six-bit text an ini file can hold; icmCustom: the
    // events (the text unchanged without them).  Decoding raises
    // EConvertError for a text the encoding cannot have made.
    virtual String EncodeString(const String& Text);
    virtual String DecodeString(const String& Text);
    // The current user's name.
    virtual String GetUserName() const;

private:
    void FreeMemIniFile();

    String FIniFile;
    TSiPathPrefix FIniPrefix = ppWindows;
    TSiIniTarget FTarget = itAuto;
    TSiRegRootKey FRegRoot = rpCurrentUser;
    TSiIniCryptMode FCryptMode = icmKey;
    std::uint16_t FEncKey = 60734;
    std::uint8_t FMaxEntries = 16;
    bool FAlphaCounter = false;
    bool FNetUser = false;
    String FUser;
    String FRegPath;
    bool FEncoded = false;
    std::unique_ptr<TMemIniFile> FMemIniFile;
};
