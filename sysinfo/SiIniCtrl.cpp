#include "sysinfo/SiIniCtrl.h"

#include "platform/classes/TypInfo.h"
#include "platform/rtl/IniFiles.h"
#include "sysinfo/SiStrings.h"
#include "sysinfo/SiSystem.h"

REGISTER_ENUM(TSiIniTarget, itIniFile, itRegistry, itAuto, itMemIniFile)
REGISTER_ENUM(TSiRegRootKey, rpClassesRoot, rpCurrentUser, rpLocalMachine, rpUsers, rpCurrentConfig)
REGISTER_ENUM(TSiIniCryptMode, icmKey, icmTextKey, icmCustom)

REGISTER_COMPONENT(TSiIniCtrl, TComponent)
    PUBLISHED(IniFile, String())
    PUBLISHED(IniPrefix, ppWindows)
    PUBLISHED(Target, itAuto)
    PUBLISHED(RegRoot, rpCurrentUser)
    PUBLISHED(CryptMode, icmKey)
    PUBLISHED(EncKey, 60734)
    PUBLISHED(MaxEntries, 16)
    PUBLISHED(AlphaCounter, false)
    PUBLISHED(NetUser, false)
    PUBLISHED(User, String())
    PUBLISHED(RegPath, String())
    PUBLISHED(Encoded, false)
    PUBLISHED_EVENT(OnEncodeString)
    PUBLISHED_EVENT(OnDecodeString)
END_REGISTER

namespace {

constexpr std::uint8_t AlphaLimit = 26;

// The custom encoding: the event's text, the text itself without one.
String RunStringEvent(const TSiIniStringEvent& Event, TObject* Sender, const String& Text)
{
    String Result = Text;
    if (Event)
        Event(Sender, Result);
    return Result;
}

} // namespace

TSiIniCtrl::TSiIniCtrl(TComponent* AOwner) : TSiCustomComponent(AOwner)
{}

TSiIniCtrl::~TSiIniCtrl()
{
    FreeMemIniFile();
}

void TSiIniCtrl::SetIniFile(const String& Value)
{
    FIniFile = Value;
    if (FMemIniFile)
        FMemIniFile->Rename(IniFileName(), false);
}

void TSiIniCtrl::SetTarget(TSiIniTarget Value)
{
    FTarget = Value;
    if (Value != itMemIniFile)
        FreeMemIniFile();
    else if (!FMemIniFile)
        FMemIniFile = std::make_unique<TMemIniFile>(IniFileName());
}

void TSiIniCtrl::SetMaxEntries(std::uint8_t Value)
{
    FMaxEntries = FAlphaCounter ? std::min(Value, AlphaLimit) : Value;
}

void TSiIniCtrl::SetAlphaCounter(bool Value)
{
    if (FAlphaCounter == Value)
        return;
    FAlphaCounter = Value;
    FMaxEntries = std::min(FMaxEntries, AlphaLimit);
}

void TSiIniCtrl::SetNetUser(bool Value)
{
    FNetUser = Value;
    if (Value)
        FUser = GetUserName();
}

String TSiIniCtrl::IniFileName() const
{
    return SiCompleteFileName(FIniFile, FIniPrefix, QStringLiteral(".INI"));
}

HKEY TSiIniCtrl::RegistryRootKey() const
{
    switch (FRegRoot) {
    case rpClassesRoot:
        return HKEY_CLASSES_ROOT;
    case rpCurrentUser:
        return HKEY_CURRENT_USER;
    case rpLocalMachine:
        return HKEY_LOCAL_MACHINE;
    case rpUsers:
        return HKEY_USERS;
    case rpCurrentConfig:
        return HKEY_CURRENT_CONFIG;
    }
    return HKEY_CURRENT_USER;
}

String TSiIniCtrl::RegistryKey() const
{
    if (FUser.isEmpty())
        return FRegPath;
    return FRegPath.isEmpty() ? FUser : FRegPath + QLatin1Char('\\') + FUser;
}

std::unique_ptr<TRegIniFile> TSiIniCtrl::OpenRegIniFile() const
{
    auto Reg = std::make_unique<TRegIniFile>(RegistryKey());
    if (RegistryRootKey() != Reg->RootKey()) {
        Reg->SetRootKey(RegistryRootKey());
        Reg->OpenKey(RegistryKey(), true);
    }
    return Reg;
}

String TSiIniCtrl::EncodeString(const String& Text)
{
    switch (FCryptMode) {
    case icmKey:
        return EncryptKeyed(Text, FEncKey);
    case icmTextKey:
        return EncodeSixBitBytes(EncryptKeyedBytes(Text.toUtf8(), FEncKey));
    case icmCustom:
        break;
    }
    return RunStringEvent(FOnEncodeString, this, Text);
}

String TSiIniCtrl::DecodeString(const String& Text)
{
    switch (FCryptMode) {
    case icmKey:
        return DecryptKeyed(Text, FEncKey);
    case icmTextKey:
        return QString::fromUtf8(DecryptKeyedBytes(DecodeSixBitBytes(Text), FEncKey));
    case icmCustom:
        break;
    }
    return RunStringEvent(FOnDecodeString, this, Text);
}

String TSiIniCtrl::GetUserName() const
{
    return GetCurrentUserName();
}

void TSiIniCtrl::FreeMemIniFile()
{
    if (!FMemIniFile)
        return;
    FMemIniFile->Clear();
    FMemIniFile.reset();
}
