#pragma once
// The user's options and the last main-window rectangle, kept for the whole
// run in the one object `Settings` and stored in "quorvy.ini" beside the
// program.  Also the exception a contact file's table raises when it cannot
// be opened or created.
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

    // Reads every option; a missing file or key gives its default.
    void Load();
    // Writes every option.  The file is replaced in one step: a failed save
    // raises EIniFileException and leaves the old file as it was.
    void Save();

    // The settings file: the program folder + "quorvy.ini", unless tests
    // point it elsewhere (an empty name puts the default back).
    static String IniFileName();
    static void SetIniFileName(const String& FileName);
};

extern TSettings* const Settings;
