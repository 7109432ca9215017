#include "sysinfo/SiClass.h"

#include "platform/windows/Themes.h"
#include "platform/windows/WinUser.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Screen.h"
#include "platform/rtl/FileUtils.h"
#include "sysinfo/SiIniCtrl.h"
#include "sysinfo/SiInstanceLock.h"
#include "sysinfo/SiTimerPool.h"

#include <chrono>

TSiApplication* SiApplication = nullptr;

namespace {

bool ThemesAvailableFlag = false;

constexpr std::uint16_t PoolInterval = 50;

} // namespace

bool SiThemesAvailable()
{
    return ThemesAvailableFlag;
}

void SetSiThemesAvailable(bool Value)
{
    ThemesAvailableFlag = Value;
}

TSiApplication::TSiApplication(TComponent* AOwner) : TComponent(AOwner)
{
    if (!ComponentState().Contains(csDesigning)) {
        FInstanceLock = std::make_unique<TSiInstanceLock>(ExtractFileName(ProgramFileName()).toUpper());
        FPrevInstance = FInstanceLock->PreviousInstance();
    }
    FTimerPool = new TSiTimerPool(this, PoolInterval);
    FIniCtrl = new TSiIniCtrl(this);
    using Clock = std::chrono::steady_clock;
    FPerformanceFrequency = std::int64_t(Clock::period::den / Clock::period::num);
    FCheckWidth = GetSystemMetrics(SM_CXMENUCHECK);
    FCheckHeight = GetSystemMetrics(SM_CYMENUCHECK);
    UpdateThemesActive();
}

TSiApplication::~TSiApplication()
{
    if (SiApplication == this)
        SiApplication = nullptr;
}

String TSiApplication::LogFile() const
{
    return SiCompleteFileName(FLogFile, FLogPrefix, QStringLiteral(".LOG"));
}

void TSiApplication::UpdateThemesActive()
{
    FThemesActive = ThemeServices().ThemesEnabled();
}

void TSiApplication::SetThemesEnabled(bool Value)
{
    if (Value && !SiThemesAvailable())
        return;
    if (!AssignIfChanged(FThemesEnabled, Value) || ComponentState().Contains(csDesigning))
        return;
    TellThemeChange();
}

void TSiApplication::TellThemeChange()
{
    for (HWND Wnd : TopLevelWindowList())
        SendMessage(Wnd, WM_THEMECHANGED, 0, 0);
    if (FThemesEnabled || !FKeepThemeAppProperties)
        ThemeServices().SetThemesEnabled(FThemesEnabled);
    UpdateThemesActive();
    if (Screen == nullptr)
        return;
    // By index from the end: a form may go while it hears of the change.
    for (int I = Screen->CustomFormCount() - 1; I >= 0; --I) {
        if (I >= Screen->CustomFormCount())
            continue;
        TCustomForm* Form = Screen->CustomForms(I);
        if (!Form->Visible())
            continue;
        TMessage Notice{CM_SITHEMECHANGED, 0, 0, 0};
        Form->Broadcast(Notice);
        TellChildWindows(Form);
    }
}

void TSiApplication::TellChildWindows(TWinControl* Parent)
{
    for (int I = 0; I < Parent->ControlCount(); ++I) {
        auto* Child = dynamic_cast<TWinControl*>(Parent->Controls(I));
        if (Child == nullptr || !Child->HandleAllocated())
            continue;
        SendMessage(Child->Handle(), WM_THEMECHANGED, 0, 0);
        TellChildWindows(Child);
    }
}
