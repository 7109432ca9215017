#pragma once
// The registry, as far as the libraries read and write it.  There is no
// registry here: each root key lives in one ini file under the user's
// configuration folder (quorvy/registry/current-user.ini and
// local-machine.ini), a key's path is its section name
// ("Software\Microsoft\Windows\CurrentVersion\ThemeManager") and its values
// are the section's entries, all of them text.  A missing file reads as
// empty; every write replaces the file at once, atomically.  Keys and values
// are matched without regard to case, as in the registry.
//
// A key exists once a value is stored in it or in a key below it: opening a
// key with CanCreate succeeds but writes nothing by itself.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/System.h"

#include <cstdint>

DECLARE_EXCEPTION(ERegistryException, Exception)

using HKEY = std::uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

// The file that holds a root key; empty for the roots kept nowhere (they
// have no keys and refuse writes).
String RegistryFileName(HKEY RootKey);

class TRegistry : public TObject {
public:
    // Root HKEY_CURRENT_USER, no key open.
    TRegistry();
    ~TRegistry() override;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return FRootKey; }
    // Closes the open key.
    void SetRootKey(HKEY Value);
    // The open key's path without a leading backslash; empty when none is open.
    String CurrentPath() const { return FCurrentPath; }
    bool HasCurrentKey() const { return FOpen; }

    // Key is relative to the open key, or to the root when it starts with a
    // backslash or no key is open.  False when the key does not exist (and
    // may not be created) or its name cannot be kept.
    bool OpenKey(const String& Key, bool CanCreate);
    // As OpenKey without creating; writes through this object then fail.
    bool OpenKeyReadOnly(const String& Key);
    void CloseKey();
    bool KeyExists(const String& Key) const;

    // Values of the open key.
    bool ValueExists(const String& Name) const;
    // Empty when the value is missing.
    String ReadString(const String& Name) const;
    // ERegistryException "Invalid data type for '%s'" when the value is no
    // integer, "Failed to get data for '%s'" when it is missing.
    int ReadInteger(const String& Name) const;
    bool ReadBool(const String& Name) const;
    // ERegistryException "Failed to set data for '%s'" without an open
    // writable key, for a name or value the file cannot hold unchanged (an
    // empty name, '=', line breaks, blanks around the name) or when the file
    // cannot be written.
    void WriteString(const String& Name, const String& Value);
    void WriteInteger(const String& Name, int Value);
    void WriteBool(const String& Name, bool Value);
    // False when there was no such value.
    bool DeleteValue(const String& Name);

protected:
    // The path of Key as OpenKey sees it; false for names a key cannot have.
    bool ResolveKey(const String& Key, String& Path) const;
    bool PathExists(const String& Path) const;
    // Values of the key at Path (no open key needed).
    bool HasValue(const String& Path, const String& Name) const;
    String ReadValue(const String& Path, const String& Name, const String& Default) const;
    void WriteValue(const String& Path, const String& Name, const String& Value);
    bool ReadOnly() const { return FReadOnly; }

private:
    HKEY FRootKey = HKEY_CURRENT_USER;
    String FCurrentPath;
    bool FOpen = false;
    bool FReadOnly = false;
};

// The registry seen as an ini file: sections are subkeys of the key named
// when the object is made (opened, or created on first write).
class TRegIniFile : public TRegistry {
public:
    explicit TRegIniFile(const String& FileName);

    using TRegistry::ReadBool;
    using TRegistry::ReadInteger;
    using TRegistry::ReadString;
    using TRegistry::WriteBool;
    using TRegistry::WriteInteger;
    using TRegistry::WriteString;

    String FileName() const { return FFileName; }
    // Default when the section or the value is missing (or not a number).
    String ReadString(const String& Section, const String& Ident, const String& Default) const;
    int ReadInteger(const String& Section, const String& Ident, int Default) const;
    bool ReadBool(const String& Section, const String& Ident, bool Default) const;
    void WriteString(const String& Section, const String& Ident, const String& Value);
    void WriteInteger(const String& Section, const String& Ident, int Value);
    void WriteBool(const String& Section, const String& Ident, bool Value);

private:
    // The section's key path below the open key.
    String SectionPath(const String& Section) const;
    String FFileName;
};
