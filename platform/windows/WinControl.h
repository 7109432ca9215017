#pragma once
// TWinControl: a control with a window of its own, created on demand: it
// can take the focus and keys, holds child controls, aligns them, and
// paints its graphic children inside its own painting.
#include "platform/windows/Controls.h"
#include "platform/graphics/Brush.h"

#include <memory>
#include <vector>

class QWidget;
class IDockManager;

// The classic create parameters a control may adjust before its window is
// made (CreateParams).
struct TCreateParams {
    String Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    struct {
        UINT style = 0;
        // The class's own procedure (empty: the default window procedure).
        TWindowProcedure lpfnWndProc;
    } WindowClass;
    String WinClassName;
};

// What a form does for the controls on it; TCustomForm implements it.
class IFormSite {
public:
    virtual ~IFormSite() = default;
    virtual TWinControl* FormControl() = 0;
    // The focus moves to Control: CM_EXIT / CM_ENTER and CM_FOCUSCHANGED
    // in the classic order; false when a handler moved it elsewhere.
    virtual bool SetFocusedControl(TWinControl* Control) = 0;
    virtual void DefocusControl(TWinControl* Control, bool Removing) = 0;
    virtual void FocusControl(TWinControl* Control) = 0;
    virtual TWinControl* ActiveControl() const = 0;
    virtual void SetActiveControl(TWinControl* Control) = 0;
    virtual bool KeyPreview() const = 0;
    virtual bool WantChildKey(TControl* Child, TMessage& Message) = 0;
    // The form's menus and action lists see the key (a shortcut).
    virtual bool IsShortCut(TMessage& Message) = 0;
    virtual bool FormEnabledAndVisible() const = 0;
};
// The form a control sits on (its top-most parent, when that is a form).
IFormSite* ParentFormSite(const TControl* Control);

// The dock manager a dock site uses to lay out and paint its clients.
class IDockManager {
public:
    virtual ~IDockManager() = default;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void GetControlBounds(TControl* Control, TRect& CtlBounds) = 0;
    virtual void InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl) = 0;
    virtual void PaintSite(HDC DC) = 0;
    virtual void PositionDockRect(TControl* Client, TControl* DropCtl, TAlign DropAlign, TRect& DockRect) = 0;
    virtual void RemoveControl(TControl* Control) = 0;
    virtual void ResetBounds(bool Force) = 0;
    virtual void SetReplacingControl(TControl* Control) = 0;
    virtual bool MouseMessage(TMessage& Message) = 0;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    // --- the window ---
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    HWND WindowHandle() const { return FHandle; }
    // A top-level window that parents this control without a TWinControl.
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND Value);
    void RecreateWnd();
    void DestroyHandle();
    // Paints the window (frame, background, client and children) into DC.
    void PaintTo(HDC DC, int X, int Y);
    void PaintTo(TCanvas* Canvas, int X, int Y);

    // --- children ---
    int ControlCount() const { return int(FControls.size() + FWinControls.size()); }
    // Graphic children first, then windowed ones, each in z-order.
    TControl* Controls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(const TControl* Control) const;
    TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false);
    TControl* FindChildControl(const String& ControlName) const;
    void Broadcast(TMessage& Message);
    void NotifyControls(UINT Msg);
    void PaintControls(HDC DC, TControl* First);
    void ScrollBy(int DeltaX, int DeltaY);

    // --- focus and keys ---
    virtual bool CanFocus();
    virtual bool Focused() const;
    virtual void SetFocus();
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    int TabOrder() const;
    void SetTabOrder(int Value);
    void GetTabOrderList(std::vector<TWinControl*>& List);
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
    void SelectFirst();
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    // Moves the focus out of this control (and its children).
    void RemoveFocus(bool Removing);

    // --- alignment ---
    void DisableAlign();
    void EnableAlign();
    void Realign();
    bool AlignDisabled() const { return FAlignLevel != 0; }
    void AlignControl(TControl* AControl);
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    // The part of the client area children are aligned in.
    virtual void AdjustClientRect(TRect& Rect);
    TPadding* Padding() const { return FPadding.get(); }
    void SetPadding(TPadding* Value) { FPadding->Assign(Value); }
    TBorderWidth BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(TBorderWidth Value);

    // --- looks ---
    TBrush* Brush() const { return FBrush.get(); }
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
    bool ParentBackground() const { return FControlStyle.Contains(csParentBackground); }
    void SetParentBackground(bool Value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool Value);
    bool Showing() const override { return FShowing; }
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    TPoint ClientOrigin() override;

    // --- docking ---
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool Value);
    bool UseDockManager() const { return FUseDockManager; }
    void SetUseDockManager(bool Value);
    IDockManager* DockManager() const { return FDockManager.get(); }
    void SetDockManager(std::unique_ptr<IDockManager> Value);
    int DockClientCount() const { return int(FDockClients.size()); }
    TControl* DockClients(int Index) const { return FDockClients[std::size_t(Index)]; }
    virtual void GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock);
    virtual void DockDrop(TDragDockObject* Source, int X, int Y);
    virtual bool DockOver(TDragDockObject* Source, int X, int Y, TDragState State);

    // --- events ---
    TNotifyEvent OnEnter() const { return FOnEnter; }
    void SetOnEnter(TNotifyEvent Value) { FOnEnter = std::move(Value); }
    TNotifyEvent OnExit() const { return FOnExit; }
    void SetOnExit(TNotifyEvent Value) { FOnExit = std::move(Value); }
    TKeyEvent OnKeyDown() const { return FOnKeyDown; }
    void SetOnKeyDown(TKeyEvent Value) { FOnKeyDown = std::move(Value); }
    TKeyPressEvent OnKeyPress() const { return FOnKeyPress; }
    void SetOnKeyPress(TKeyPressEvent Value) { FOnKeyPress = std::move(Value); }
    TKeyEvent OnKeyUp() const { return FOnKeyUp; }
    void SetOnKeyUp(TKeyEvent Value) { FOnKeyUp = std::move(Value); }
    TDockDropEvent OnDockDrop() const { return FOnDockDrop; }
    void SetOnDockDrop(TDockDropEvent Value) { FOnDockDrop = std::move(Value); }
    TDockOverEvent OnDockOver() const { return FOnDockOver; }
    void SetOnDockOver(TDockOverEvent Value) { FOnDockOver = std::move(Value); }
    TGetSiteInfoEvent OnGetSiteInfo() const { return FOnGetSiteInfo; }
    void SetOnGetSiteInfo(TGetSiteInfoEvent Value) { FOnGetSiteInfo = std::move(Value); }
    TUnDockEvent OnUnDock() const { return FOnUnDock; }
    void SetOnUnDock(TUnDockEvent Value) { FOnUnDock = std::move(Value); }
    TNotifyEvent OnAlignInsertBefore() const { return {}; }

    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void SetParent(TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetZOrder(bool TopMost) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, int Order) override;

    // The Qt editing widget that fills the client area, if any.
    QWidget* HostedWidget() const;
    void MouseWheelHandler(TMessage& Message) override;

protected:
    friend class TControl;

    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    virtual void CreateHandle();
    // The Qt widget an editing control wants in its window (called right
    // after the window is made; nullptr: none).
    virtual QWidget* CreateHostedWidget() { return nullptr; }
    void UpdateBounds();
    void UpdateShowing();
    void UpdateControlState();
    void MainWndProc(TMessage& Message);
    TRect GetClientRect() override;
    void SetClientSize(TSize Value) override;
    HWND GetDeviceContextWindow() const override;
    String GetText() override;
    void SetTextBuf(const String& Value) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    void ReadState(TReader& Reader) override;

    virtual void PaintHandler(TMessage& Message);
    virtual void PaintWindow(HDC DC);
    virtual void ControlsAligned() {}
    virtual bool CustomAlignInsertBefore(TControl* C1, TControl* C2);
    virtual void CustomAlignPosition(TControl* Control, int& NewLeft, int& NewTop, int& NewWidth, int& NewHeight,
                                     TRect& AlignRect);
    void AdjustSize() override;
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(QChar& Key);
    bool DoKeyDown(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    bool IsMenuKey(TMessage& Message);
    virtual void DoAddDockClient(TControl* Client, const TRect& ARect);
    virtual void DoRemoveDockClient(TControl* Client);
    virtual std::unique_ptr<IDockManager> CreateDockManager();

    // --- message handlers ---
    virtual void WMPaint(TMessage& Message);
    virtual void WMEraseBkgnd(TMessage& Message);
    virtual void WMSize(TMessage& Message);
    virtual void WMMove(TMessage& Message);
    virtual void WMSetCursor(TMessage& Message);
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    virtual void WMKeyDown(TMessage& Message);
    virtual void WMKeyUp(TMessage& Message);
    virtual void WMChar(TMessage& Message);
    virtual void WMSysKeyDown(TMessage& Message);
    virtual void WMSysKeyUp(TMessage& Message);
    virtual void WMSysChar(TMessage& Message);
    virtual void WMNCDestroy(TMessage& Message);
    virtual void WMNCHitTest(TMessage& Message);
    virtual void WMCommand(TMessage& Message);
    // Sends a child window's notice back to its control as CN_*; false
    // when LParam names no other control.
    bool ReflectToControl(TMessage& Message);
    virtual void WMMouseWheelWin(TMessage& Message);
    // A graphic control under the mouse shows its own popup menu first.
    void WMContextMenu(TMessage& Message) override;
    std::unique_ptr<TControlActionLink> CreateActionLink() override;
    void WMWindowPosChanged(TMessage& Message) override;
    virtual void WMWindowPosChanging(TMessage& Message);
    virtual void CNKeyDown(TMessage& Message);
    virtual void CNKeyUp(TMessage& Message);
    virtual void CNChar(TMessage& Message);
    virtual void CNSysKeyDown(TMessage& Message);
    virtual void CNSysChar(TMessage& Message);
    virtual void CMDialogKey(TMessage& Message);
    virtual void CMDialogChar(TMessage& Message);
    virtual void CMChildKey(TMessage& Message);
    virtual void CMEnter(TMessage& Message);
    virtual void CMExit(TMessage& Message);
    virtual void CMFocusChanged(TMessage& Message);
    virtual void CMShowingChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    virtual void CMBorderChanged(TMessage& Message);
    virtual void CMCursorChanged(TMessage& Message);
    virtual void CMRecreateWnd(TMessage& Message);
    virtual void CMDockClient(TMessage& Message);
    virtual void CMUnDockClient(TMessage& Message);
    virtual void CMInvalidate(TMessage& Message);
    virtual void CMWantSpecialKey(TMessage& Message);

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    bool FShowing = false;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FWinControls;
    std::vector<TControl*> FTabList;
    std::vector<TControl*> FDockClients;

private:
    void InsertChild(TControl* AControl);
    void RemoveChild(TControl* AControl);
    void DoAlign(TControl* AControl, TAlign AAlign, TRect& Rect);
    void DoPosition(TControl* Control, TAlign AAlign, TRect& Rect);
    bool AlignWork() const;
    void DestroyChildren();
    void InvalidateFrame();

    int FAlignLevel = 0;
    bool FTabStop = false;
    TBorderWidth FBorderWidth = 0;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TPadding> FPadding;
    bool FDoubleBuffered = false;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    bool FDockSite = false;
    bool FUseDockManager = false;
    std::unique_ptr<IDockManager> FDockManager;
    String FSavedText;
    bool FHasSavedText = false;
    int FTabOrder = -1;
    bool FDestroyStarted = false;

    TEventSlot<TNotifyEvent> FOnEnter;
    TEventSlot<TNotifyEvent> FOnExit;
    TEventSlot<TKeyEvent> FOnKeyDown;
    TEventSlot<TKeyPressEvent> FOnKeyPress;
    TEventSlot<TKeyEvent> FOnKeyUp;
    TEventSlot<TDockDropEvent> FOnDockDrop;
    TEventSlot<TDockOverEvent> FOnDockOver;
    TEventSlot<TGetSiteInfoEvent> FOnGetSiteInfo;
    TEventSlot<TUnDockEvent> FOnUnDock;
};

// The windowed control's side of an action link (a check box adds its
// checked state to it).
class TWinControlActionLink : public TControlActionLink {
public:
    explicit TWinControlActionLink(TWinControl* Client);
    TWinControl* Client() const { return FWinClient; }

protected:
    TWinControl* FWinClient;
};
