#pragma once
// The user's options and the last main-window rectangle, kept for the whole
// run in the one object `Settings` and stored in "quorvy.ini".  Also the
// exception a contact file's table raises when it cannot be opened or
// created.
//
// On this desktop the program folder is read-only once installed: the file
// lives in the user's configuration folder ($XDG_CONFIG_HOME/quorvy/, else
// ~/.config/quorvy/).  Until it exists, a "quorvy.ini" in the program folder
// (an administrator's choice for every user) is read as the first run's
// settings; the first save writes the user's own file.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/System.h"

#include <cstdint>

// "Het personenbestand kan niet worden geopend!" and its two siblings.
class ECannotOpenFile : public Exception {
public:
    explicit ECannotOpenFile(const String& TableWord);
    String ClassName() const override { return QStringLiteral("ECannotOpenFile"); }
};

class TSettings : public TObject {
public:
    // Until Load runs every option is off and every number zero.
    bool SaveSettings = false;
    bool ConfirmOnExit = false;
    bool SaveLastWindowSettings = false;
    bool ExactSearch = false;
    String DataFolder;
    bool Allow1Group2BOpen = false;
    bool ShowBirthdayAtStartup = false;
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;

    // Reads every option; a missing file or key gives its default.  Without
    // a settings file of the user's own, the first-run file is read.
    void Load();
    // Writes every option into the user's file, making its folder when
    // needed.  The file is replaced in one step: a failed save raises
    // EIniFileException and leaves the old file as it was.
    void Save();

    // The settings file: the user's configuration folder + "quorvy/quorvy.ini",
    // unless tests point it elsewhere (an empty name puts the default back).
    static String IniFileName();
    static void SetIniFileName(const String& FileName);
    // The data folder until the user chooses one: "Quorvy/" in the user's
    // documents folder (the program folder is read-only once installed).
    static String DefaultDataFolder();
    // The first-run settings: the program folder + "quorvy.ini", unless
    // tests point it elsewhere (an empty name puts the default back).
    static String SeedFileName();
    static void SetSeedFileName(const String& FileName);
};

extern TSettings* const Settings;
