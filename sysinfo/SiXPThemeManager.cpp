#include "sysinfo/SiXPThemeManager.h"

#include "platform/classes/TypInfo.h"
#include "sysinfo/SiClass.h"

REGISTER_COMPONENT(TSiXPThemeManager, TComponent)
END_REGISTER

TSiXPThemeManager* SiXPThemeManager = nullptr;

TSiXPThemeManager::TSiXPThemeManager(TComponent* AOwner) : TSiWndProcComponent(AOwner)
{}

void TSiXPThemeManager::WndProc(TMessage& Message)
{
    TSiWndProcComponent::WndProc(Message);
    if (SiApplication == nullptr)
        return;
    if (Message.Msg == WM_CREATE) {
        SiApplication->UpdateThemesActive();
    } else if (Message.Msg == WM_THEMECHANGED && !Busy()) {
        if (!SiApplication->ThemesEnabled() || !SiApplication->ThemesActive())
            return;
        // Switching tells this window again; that notice is our own.
        struct TBusyScope {
            TSiXPThemeManager& Manager;
            ~TBusyScope() { Manager.SetBusy(false); }
        } Scope{*this};
        SetBusy(true);
        SiApplication->SetThemesEnabled(false);
        SiApplication->SetThemesEnabled(true);
    }
}
