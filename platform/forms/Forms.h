#pragma once
// Forms: the top-level windows of the program.  A form is described by its
// form definition: creating it streams the definition (the form's class
// finds its own among the compiled-in definitions), then runs OnCreate.
// Show shows it; ShowModal runs our own loop until ModalResult is set;
// Close asks OnCloseQuery, then OnClose decides what happens.
//
// On this desktop the window manager draws a form's title bar and border,
// so a form's Width and Height are those of its client area.
//
// On Linux: poDesktopCenter centres on the primary screen's work area, not
// across all monitors (that would split a dialog between two screens); and
// on desktops that place windows themselves (Wayland) a position asked for
// is not honoured, which Screen->CanPlaceWindows() tells.
#include "platform/classes/Subrange.h"
#include "platform/windows/WinControl.h"
#include "platform/graphics/ControlCanvas.h"

#include <memory>

class TMainMenu;
class TMonitor;
class TFormMenuBar;

// Forms scroll in the classic library; ours never need scroll bars, but
// popups still pause and resume the automatic ranging.
class TScrollingWinControl : public TWinControl {
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value) { FAutoScroll = Value; }
    void DisableAutoRange() { ++FAutoRangeCount; }
    void EnableAutoRange();
    bool AutoRangeDisabled() const { return FAutoRangeCount > 0; }

private:
    bool FAutoScroll = false;
    int FAutoRangeCount = 0;
};

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// The border style of a control: none or single.
using TBorderStyle = TSubrange<TFormBorderStyle, bsNone, bsSingle>;
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
    poOwnerFormCenter,
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = std::function<void(TMessage& Msg, bool& Handled)>;

class TCustomForm : public TScrollingWinControl, public IFormSite {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // --- showing and closing ---
    void Show();
    void Hide() { SetVisible(false); }
    // While the form is being created a Visible form waits for OnCreate.
    void SetVisible(bool Value) override;
    TCanvas* Canvas() const { return FCanvas.get(); }
    // Shows the form and runs a loop until ModalResult is set; returns it.
    // Raises EInvalidOperation "Cannot make a visible window modal" when
    // the form is already shown.
    virtual TModalResult ShowModal();
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the message that is running has returned.
    void Release();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    bool Modal() const { return FModal; }
    bool Active() const { return FActive; }

    // --- the focus ---
    TWinControl* ActiveControl() const override { return FActiveControl; }
    void SetActiveControl(TWinControl* Control) override;
    void FocusControl(TWinControl* Control) override;
    void DefocusControl(TWinControl* Control, bool Removing) override;
    bool SetFocusedControl(TWinControl* Control) override;
    bool WantChildKey(TControl* Child, TMessage& Message) override;
    bool IsShortCut(TMessage& Message) override;
    bool FormEnabledAndVisible() const override;
    TWinControl* FormControl() override { return this; }
    bool KeyPreview() const override { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    void SetFocus() override;
    // Gives the focus to the active control, or the form itself.
    void SetWindowFocus();

    // --- looks ---
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TDefaultMonitor DefaultMonitor() const { return FDefaultMonitor; }
    void SetDefaultMonitor(TDefaultMonitor Value) { FDefaultMonitor = Value; }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState Value);
    TMainMenu* Menu() const { return FMenu; }
    // The main menu shows as a bar along the top of the window; its height
    // comes off the client area.
    void SetMenu(TMainMenu* Value);
    // The height of the menu bar (0 without one or while no item shows).
    int MenuBarHeight() const;
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }
    bool Scaled() const { return FScaled; }
    void SetScaled(bool Value) { FScaled = Value; }
    int PixelsPerInch() const { return 96; }
    // The monitor most of the form is on.
    TMonitor* Monitor();
    // The form's bounds when neither minimised nor maximised, in the terms
    // of BoundsRect: what to store so that the form opens there next time,
    // whatever state it is in now.
    TRect RestoredBounds() const;
    // Runs the idle-time update of every action of the form.
    virtual void UpdateActions();
    bool ExecuteAction(TBasicAction* Action) override;
    bool UpdateAction(TBasicAction* Action) override;
    // While positive, forms are made without their definitions.
    static inline int CreatingNew = 0;

    // --- events ---
    DECLARE_EVENT(TNotifyEvent, OnCreate)
    DECLARE_EVENT(TNotifyEvent, OnDestroy)
    DECLARE_EVENT(TNotifyEvent, OnShow)
    DECLARE_EVENT(TNotifyEvent, OnHide)
    DECLARE_EVENT(TNotifyEvent, OnActivate)
    DECLARE_EVENT(TNotifyEvent, OnDeactivate)
    DECLARE_EVENT(TNotifyEvent, OnPaint)
    DECLARE_EVENT(TCloseEvent, OnClose)
    DECLARE_EVENT(TCloseQueryEvent, OnCloseQuery)
    DECLARE_EVENT(TShortCutEvent, OnShortCut)

    void MouseWheelHandler(TMessage& Message) override;
    void DefineProperties(TFiler& Filer) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DoCreate();
    void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    virtual void Paint();
    void PaintWindow(HDC DC) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void Loaded() override;
    TRect GetClientRect() override;
    void SetClientSize(TSize Value) override;

    void Dispatch(TMessage& Message) override;
    virtual void WMClose(TMessage& Message);
    virtual void WMActivate(TMessage& Message);
    virtual void WMSysCommand(TMessage& Message);
    void WMPaint(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    virtual void CMActivate(TMessage& Message);
    virtual void CMDeactivate(TMessage& Message);
    virtual void CMRelease(TMessage& Message);
    void CMVisibleChanged(TMessage& Message) override;
    // A command of the main menu, posted by its bar.
    void WMCommand(TMessage& Message) override;
    void DestroyWnd() override;

private:
    void UpdateMenuBar();
    void MenuBarHeightChanged();
    void PlaceOnScreen();
    TRect CentreOn(const TRect& Area);
    HWND DesktopOwner() const;
    void CloseModal();
    void SetActive(bool Value);

    std::unique_ptr<TControlCanvas> FCanvas;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    TDefaultMonitor FDefaultMonitor = dmActiveForm;
    TWindowState FWindowState = wsNormal;
    TMainMenu* FMenu = nullptr;
    std::unique_ptr<TFormMenuBar> FMenuBar;
    bool FOldCreateOrder = false;
    bool FScaled = true;
    bool FKeyPreview = false;
    TModalResult FModalResult = mrNone;
    bool FModal = false;
    // The window that was active when the modal loop began.
    HWND FModalOwner = nullptr;
    bool FActive = false;
    bool FShowingNow = false;
    bool FCreated = false;
    bool FDestroyDone = false;
    bool FVisibleAfterCreate = false;
    int FFocusCount = 0;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner);
};

// Makes a form without reading a form definition (tests, forms built in
// code); a form class with a definition is made with CreateComponent.
template <typename T>
T* CreateNewForm(TComponent* AOwner)
{
    struct TNoDefinition {
        TNoDefinition() { ++TCustomForm::CreatingNew; }
        ~TNoDefinition() { --TCustomForm::CreatingNew; }
    } Scope;
    return CreateComponent<T>(AOwner);
}

// The form a control sits on (its top-most parent), or nullptr.
TCustomForm* GetParentForm(const TControl* Control);
// The same, raising EInvalidOperation "Control '%s' has no parent window"
// when there is none.
TCustomForm* ValidParentForm(const TControl* Control);
