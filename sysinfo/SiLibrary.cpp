#include "sysinfo/SiLibrary.h"

#include "platform/windows/Themes.h"
#include "sysinfo/SiClass.h"
#include "sysinfo/SiWinVersion.h"
#include "sysinfo/SiXPThemeManager.h"

void InitializeSiLibrary()
{
    DetectWindowsVersion();
    SetSiThemesAvailable(ThemeServices().ThemesAvailable());
    if (SiApplication == nullptr)
        SiApplication = new TSiApplication(nullptr);
    if (SiXPThemeManager == nullptr)
        SiXPThemeManager = new TSiXPThemeManager(nullptr);
}

void FinalizeSiLibrary()
{
    if (SiXPThemeManager != nullptr) {
        TSiXPThemeManager* Manager = SiXPThemeManager;
        SiXPThemeManager = nullptr;
        Manager->Free();
    }
    if (SiApplication != nullptr) {
        TSiApplication* App = SiApplication;
        SiApplication = nullptr;
        App->Free();
    }
}
