#pragma once
// TSiWndProcComponent (unit SiWndProcComponent): a non-visual component that
// hooks the window procedure of its owner, so that a descendant sees the
// owner's messages first (WndProc) and passes them on (CallOldWndProc).
//
// The hook is put in after loading (not while designing unless
// HookAtDesignTime), or on demand by Hook(); it is taken out by Unhook(), on
// destruction and when the owner goes.  When something else hooked the
// owner after this component, unhooking cannot take this component out of
// the chain; its link then only passes messages on.
//
// Hook modes: 0 normal, 1 an MDI child form (the hook goes at WM_DESTROY
// and comes back after the window is made again), 2 an MDI frame.  This
// desktop has no MDI client window, so a frame is hooked as in mode 0.
#include "platform/windows/WinUser.h"
#include "sysinfo/SiCustomComponent.h"

#include <memory>

class TWinControl;

class TSiWndProcComponent : public TSiCustomComponent {
public:
    explicit TSiWndProcComponent(TComponent* AOwner);
    ~TSiWndProcComponent() override;
    void BeforeDestruction() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    // Whether the hook is also put in while designing.
    bool HookAtDesignTime() const { return FHookAtDesignTime; }
    void SetHookAtDesignTime(bool Value) { FHookAtDesignTime = Value; }
    // Whether the application's window is hooked as well.
    bool HookMainWindow() const { return FHookMainWindow; }
    void SetHookMainWindow(bool Value) { FHookMainWindow = Value; }
    // Hooks an MDI form as any other form.
    bool ForceNormalMode() const { return FForceNormalMode; }
    void SetForceNormalMode(bool Value) { FForceNormalMode = Value; }

    int HookMode() const { return FHookMode; }
    bool Hooked() const { return FState != nullptr; }
    bool MainWindowHooked() const { return FMainWindowHooked; }

    virtual bool CanHook() const { return true; }
    // Only for an owner that is a windowed control, not already hooked, and
    // (outside designing) while Enabled.
    virtual void Hook();
    virtual void Unhook();
    // Unhooks while designing, unless HookAtDesignTime.
    virtual void DesignTimeRelease();

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Every message of the owner; the default passes it on.
    virtual void WndProc(TMessage& Message);
    // The messages of the application's window while that is hooked.
    virtual void MainWndProc(TMessage& Message);
    // Hands Message to the procedure the owner had before the hook.
    void CallOldWndProc(TMessage& Message);
    bool Busy() const { return FBusy; }
    void SetBusy(bool Value) { FBusy = Value; }

private:
    struct THookState;
    struct THookThunk;
    TWinControl* OwnerControl() const;
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    void HookApplicationWindow();
    void UnhookApplicationWindow();

    bool FEnabled = true;
    bool FHookAtDesignTime = false;
    bool FHookMainWindow = false;
    bool FMainWindowHooked = false;
    int FHookMode = 0;
    bool FBusy = false;
    bool FForceNormalMode = false;
    std::shared_ptr<THookState> FState;
    std::shared_ptr<THookState> FMainState;
    HWND FMainWindow = nullptr;
};
