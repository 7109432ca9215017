#pragma once
// TSiApplication (unit SiClass): the system-information library's
// application object.  One exists from the library's initialisation to its
// finalisation (SiLibrary.h), made after the platform's Application.  It
// knows whether another copy of the program runs, keeps the library's log
// file name, timer pool and ini control, and switches the library's themes.
//
// Switching themes tells every window: the top-level windows get
// WM_THEMECHANGED, the platform's theme switch follows (on, or off unless
// KeepThemeAppProperties), and every visible form gets CM_SITHEMECHANGED
// through Broadcast and WM_THEMECHANGED down through its child windows.
#include "platform/classes/Component.h"
#include "platform/windows/Messages.h"
#include "sysinfo/SiPaths.h"

#include <cstdint>
#include <memory>

class TSiIniCtrl;
class TSiInstanceLock;
class TSiTimerPool;
class TWinControl;

// The library's own theme notice to a form's controls.
inline constexpr UINT CM_SITHEMECHANGED = 45270;

class TSiApplication : public TComponent {
public:
    explicit TSiApplication(TComponent* AOwner);
    ~TSiApplication() override;

    // The log file: LogFile completed with ".LOG" and the LogPrefix folder
    // (an empty name is the program's); see SiCompleteFileName.
    TSiPathPrefix LogPrefix() const { return FLogPrefix; }
    void SetLogPrefix(TSiPathPrefix Value) { FLogPrefix = Value; }
    String LogFile() const;
    void SetLogFile(const String& Value) { FLogFile = Value; }

    // True when another copy of the program held the instance lock when
    // this object was made.
    bool PrevInstance() const { return FPrevInstance; }

    // The library's theme switch (on after construction).  Switching on is
    // refused while themes are not available.
    bool ThemesEnabled() const { return FThemesEnabled; }
    void SetThemesEnabled(bool Value);
    // Whether the platform's themes are on, as last read.
    bool ThemesActive() const { return FThemesActive; }
    void UpdateThemesActive();
    // Switching off leaves the platform's theme switch as it is.
    bool KeepThemeAppProperties() const { return FKeepThemeAppProperties; }
    void SetKeepThemeAppProperties(bool Value) { FKeepThemeAppProperties = Value; }

    TSiTimerPool* TimerPool() const { return FTimerPool; }
    TSiIniCtrl* IniCtrl() const { return FIniCtrl; }
    // Ticks a second of the high-resolution clock.
    std::int64_t PerformanceFrequency() const { return FPerformanceFrequency; }
    // One glyph of the system's check-box picture.
    int CheckWidth() const { return FCheckWidth; }
    int CheckHeight() const { return FCheckHeight; }

private:
    void TellThemeChange();
    void TellChildWindows(TWinControl* Parent);

    TSiPathPrefix FLogPrefix = ppProgram;
    String FLogFile;
    bool FThemesEnabled = true;
    bool FThemesActive = false;
    bool FKeepThemeAppProperties = false;
    bool FPrevInstance = false;
    std::unique_ptr<TSiInstanceLock> FInstanceLock;
    TSiTimerPool* FTimerPool = nullptr;
    TSiIniCtrl* FIniCtrl = nullptr;
    std::int64_t FPerformanceFrequency = 0;
    int FCheckWidth = 0;
    int FCheckHeight = 0;
};

// The library's application object (nullptr outside initialisation and
// finalisation) and whether the platform could draw themes when the
// library started.
extern TSiApplication* SiApplication;
bool SiThemesAvailable();
void SetSiThemesAvailable(bool Value);
