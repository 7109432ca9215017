#pragma once
// TControl: the base of everything that shows on a form.  It has a parent
// (a TWinControl), bounds, alignment and anchors, visibility and enabling,
// colour and font (each of which it can take from its parent), a caption,
// a hint, a cursor, a popup menu and an action, and it turns the messages
// it receives into its mouse and key events.
//
// Messages reach a control through WindowProc (which starts as WndProc);
// WndProc does what every control does with input and hands the message to
// Dispatch, which calls the handler named after the message (WMPaint,
// CMEnabledChanged ...).  A descendant overrides a handler, or WndProc for
// messages of its own, and calls its base for the rest.
#include "platform/actions/ActnList.h"
#include "platform/classes/Component.h"
#include "platform/windows/ControlTypes.h"
#include "platform/windows/SizeConstraints.h"
#include "platform/graphics/Font.h"

#include <functional>
#include <memory>
#include <utility>

class TWinControl;
class TPopupMenu;
class TControlActionLink;
class TDragObject;
class TDragDockObject;
class TCanvas;

// What a docked control tells its dock site about itself
// (CM_DOCKNOTIFICATION, WParam the control, LParam this record): a new
// caption (WM_SETTEXT) or visibility (CM_VISIBLECHANGED, MsgWParam 1 or 0).
struct TDockNotifyRec {
    UINT ClientMsg = 0;
    WPARAM MsgWParam = 0;
    LPARAM MsgLParam = 0;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    void BeforeDestruction() override;

    // --- parent and position ---
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    int Left() const { return FLeft; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    int Top() const { return FTop; }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    // The client area (0, 0, ClientWidth, ClientHeight).
    TRect ClientRect() { return GetClientRect(); }
    int ClientWidth() { return ClientRect().Right; }
    void SetClientWidth(int Value) { SetClientSize({Value, ClientHeight()}); }
    int ClientHeight() { return ClientRect().Bottom; }
    void SetClientHeight(int Value) { SetClientSize({ClientWidth(), Value}); }
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(TPoint P);
    TPoint ScreenToClient(TPoint P);
    TPoint ClientToParent(TPoint P, TWinControl* AParent = nullptr);
    TPoint ParentToClient(TPoint P, TWinControl* AParent = nullptr);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }
    TMargins* Margins() const { return FMargins.get(); }
    void SetMargins(TMargins* Value) { FMargins->Assign(Value); }
    bool AlignWithMargins() const { return FAlignWithMargins; }
    void SetAlignWithMargins(bool Value);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);

    // --- state ---
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    virtual bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    // Caption and Text are the same text under two names.
    TCaption Caption() { return GetText(); }
    void SetCaption(const TCaption& Value) { SetText(Value); }
    TCaption Text() { return GetText(); }
    void SetText(const TCaption& Value);
    String Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);
    THelpContext HelpContext() const { return FHelpContext; }
    void SetHelpContext(THelpContext Value) { FHelpContext = Value; }
    String HelpKeyword() const { return FHelpKeyword; }
    void SetHelpKeyword(const String& Value) { FHelpKeyword = Value; }
    THelpType HelpType() const { return FHelpType; }
    void SetHelpType(THelpType Value) { FHelpType = Value; }
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind Value) { FDragKind = Value; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor Value) { FDragCursor = Value; }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }

    // --- actions ---
    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);
    TControlActionLink* ActionLink() const { return FActionLink.get(); }
    // Lets the action (and its list) update this control's state.
    virtual void InitiateAction();
    // A control that can carry out the action for itself (a hint action
    // shown in a status bar ...) answers true.
    virtual bool ExecuteAction(TBasicAction* Action);
    virtual bool UpdateAction(TBasicAction* Action);

    // --- painting ---
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    // Paints the parent's area under the control afresh.
    void InvalidateControl(bool IsVisible, bool IsOpaque);
    // Whether the control and its parents are shown (a window exists).
    virtual bool Showing() const;

    // --- messages ---
    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
    LRESULT Perform(TMessage& Message);
    TWindowProcedure WindowProc() const { return FWindowProc; }
    void SetWindowProc(TWindowProcedure Value);
    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    // --- z-order ---
    void BringToFront();
    void SendToBack();
    virtual void SetZOrder(bool TopMost);

    // --- mouse ---
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);
    // A click as the user makes it: OnClick, else the action.
    virtual void Click();
    virtual void DblClick();
    // Dragging: starts now, or once the mouse has moved Threshold pixels
    // (-1: the desktop's drag distance).
    void BeginDrag(bool Immediate, int Threshold = -1);
    void EndDrag(bool Drop);
    bool Dragging() const;
    // Docking.
    TWinControl* HostDockSite() const { return FHostDockSite; }
    void SetHostDockSite(TWinControl* Value);
    bool Floating() const;
    bool ManualDock(TWinControl* NewDockSite, TControl* DropControl = nullptr, TAlign ControlSide = alNone);
    bool ManualFloat(const TRect& ScreenPos);
    void Dock(TWinControl* NewDockSite, const TRect& ARect);
    int UndockWidth() const { return FUndockWidth > 0 ? FUndockWidth : FWidth; }
    int UndockHeight() const { return FUndockHeight > 0 ? FUndockHeight : FHeight; }
    void SetUndockWidth(int Value) { FUndockWidth = Value; }
    void SetUndockHeight(int Value) { FUndockHeight = Value; }
    TDockOrientation DockOrientation() const { return FDockOrientation; }
    void SetDockOrientation(TDockOrientation Value) { FDockOrientation = Value; }
    // What a drag asks of its source and its targets.
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    // A drag was dropped on this control: fires OnDragDrop.
    virtual void DragDrop(TObject* Source, int X, int Y);
    virtual void DoEndDock(TObject* Target, int X, int Y);
    virtual void DoStartDock(TDragObject*& DragObject);
    virtual TDragObject* CreateDockObject();

    // --- bidirectional text ---
    bool IsRightToLeft() const;
    virtual bool UseRightToLeftAlignment() const;
    virtual bool UseRightToLeftReading() const;
    virtual bool UseRightToLeftScrollBar() const;
    // DT_RIGHT and/or DT_RTLREADING as the mode asks for, added to Flags.
    unsigned DrawTextBiDiModeFlags(unsigned Flags) const;
    unsigned DrawTextBiDiModeFlagsReadingOnly() const;
    TAlignment GetControlsAlignment() const;

    // --- scaling: our screens are all 96 pixels per inch ---
    void ScaleBy(int M, int D) { (void)M; (void)D; }

    // A caption that still is the old name follows a new name.
    void SetName(const String& Value) override;

    // --- streaming ---
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* Value) override;
    void DefineProperties(TFiler& Filer) override;

    // --- events ---
    TNotifyEvent OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value);
    TNotifyEvent OnDblClick() const { return FOnDblClick; }
    void SetOnDblClick(TNotifyEvent Value) { FOnDblClick = std::move(Value); }
    TMouseEvent OnMouseDown() const { return FOnMouseDown; }
    void SetOnMouseDown(TMouseEvent Value) { FOnMouseDown = std::move(Value); }
    TMouseMoveEvent OnMouseMove() const { return FOnMouseMove; }
    void SetOnMouseMove(TMouseMoveEvent Value) { FOnMouseMove = std::move(Value); }
    TMouseEvent OnMouseUp() const { return FOnMouseUp; }
    void SetOnMouseUp(TMouseEvent Value) { FOnMouseUp = std::move(Value); }
    TNotifyEvent OnMouseEnter() const { return FOnMouseEnter; }
    void SetOnMouseEnter(TNotifyEvent Value) { FOnMouseEnter = std::move(Value); }
    TNotifyEvent OnMouseLeave() const { return FOnMouseLeave; }
    void SetOnMouseLeave(TNotifyEvent Value) { FOnMouseLeave = std::move(Value); }
    TMouseWheelEvent OnMouseWheel() const { return FOnMouseWheel; }
    void SetOnMouseWheel(TMouseWheelEvent Value) { FOnMouseWheel = std::move(Value); }
    TMouseWheelUpDownEvent OnMouseWheelDown() const { return FOnMouseWheelDown; }
    void SetOnMouseWheelDown(TMouseWheelUpDownEvent Value) { FOnMouseWheelDown = std::move(Value); }
    TMouseWheelUpDownEvent OnMouseWheelUp() const { return FOnMouseWheelUp; }
    void SetOnMouseWheelUp(TMouseWheelUpDownEvent Value) { FOnMouseWheelUp = std::move(Value); }
    TMouseActivateEvent OnMouseActivate() const { return FOnMouseActivate; }
    void SetOnMouseActivate(TMouseActivateEvent Value) { FOnMouseActivate = std::move(Value); }
    TNotifyEvent OnResize() const { return FOnResize; }
    void SetOnResize(TNotifyEvent Value) { FOnResize = std::move(Value); }
    TCanResizeEvent OnCanResize() const { return FOnCanResize; }
    void SetOnCanResize(TCanResizeEvent Value) { FOnCanResize = std::move(Value); }
    TConstrainedResizeEvent OnConstrainedResize() const { return FOnConstrainedResize; }
    void SetOnConstrainedResize(TConstrainedResizeEvent Value) { FOnConstrainedResize = std::move(Value); }
    TContextPopupEvent OnContextPopup() const { return FOnContextPopup; }
    void SetOnContextPopup(TContextPopupEvent Value) { FOnContextPopup = std::move(Value); }
    TDragDropEvent OnDragDrop() const { return FOnDragDrop; }
    void SetOnDragDrop(TDragDropEvent Value) { FOnDragDrop = std::move(Value); }
    TDragOverEvent OnDragOver() const { return FOnDragOver; }
    void SetOnDragOver(TDragOverEvent Value) { FOnDragOver = std::move(Value); }
    TEndDragEvent OnEndDrag() const { return FOnEndDrag; }
    void SetOnEndDrag(TEndDragEvent Value) { FOnEndDrag = std::move(Value); }
    TStartDragEvent OnStartDrag() const { return FOnStartDrag; }
    void SetOnStartDrag(TStartDragEvent Value) { FOnStartDrag = std::move(Value); }
    TEndDragEvent OnEndDock() const { return FOnEndDock; }
    void SetOnEndDock(TEndDragEvent Value) { FOnEndDock = std::move(Value); }
    TStartDockEvent OnStartDock() const { return FOnStartDock; }
    void SetOnStartDock(TStartDockEvent Value) { FOnStartDock = std::move(Value); }

    // --- stored rules of the published properties ---
    bool IsCaptionStored() const;
    bool IsColorStored() const { return !FParentColor; }
    bool IsFontStored() const { return !FParentFont; }
    bool IsShowHintStored() const { return !FParentShowHint; }
    bool IsEnabledStored() const;
    bool IsVisibleStored() const;
    bool IsHintStored() const;
    bool IsHelpContextStored() const;
    bool IsOnClickStored() const;
    bool IsBiDiModeStored() const { return !FParentBiDiMode; }

    // The action link's side: takes the action's properties (CheckDefaults:
    // only where this control still has its default).
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);

protected:
    friend class TWinControl;
    friend class TControlActionLink;

    virtual TRect GetClientRect();
    virtual void SetClientSize(TSize Value);
    virtual String GetText();
    virtual void SetTextBuf(const String& Value);
    virtual void Changed();
    virtual void Resize();
    void Loaded() override;
    void ReadState(TReader& Reader) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Alignment and sizing.
    void RequestAlign();
    void UpdateAnchorRules();
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
    virtual void ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight);
    bool CheckNewSize(int& NewWidth, int& NewHeight);
    virtual void AdjustSize();
    virtual void DoConstraintsChange(TObject* Sender);
    void DoMarginChange(TObject* Sender);
    virtual void ParentColorChanged();

    // The usual ends of a property setter: each stores Value and answers
    // whether that changed Field; after a change the control is painted
    // again, or laid out and painted again.
    template <typename T, typename V>
    bool SetPaintProperty(T& Field, V&& Value)
    {
        if (!AssignIfChanged(Field, std::forward<V>(Value)))
            return false;
        PaintPropertyChanged();
        return true;
    }
    template <typename T, typename V>
    bool SetLayoutProperty(T& Field, V&& Value)
    {
        if (!AssignIfChanged(Field, std::forward<V>(Value)))
            return false;
        LayoutPropertyChanged();
        return true;
    }
    // What they do after a change: repaint, and repaint then fit the size
    // again (AdjustSize).  A control that repaints or places what it shows
    // in its own way overrides them, which holds for the properties it
    // inherits as well.
    virtual void PaintPropertyChanged() { Invalidate(); }
    virtual void LayoutPropertyChanged()
    {
        Invalidate();
        AdjustSize();
    }

    // Input, as the message handlers hand it on.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);

public:
    // The wheel goes to the form first, which hands it to its focused
    // control.
    virtual void MouseWheelHandler(TMessage& Message);

protected:
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    virtual void DoDock(TWinControl* NewDockSite, TRect& ARect);
    virtual TPopupMenu* GetPopupMenu();
    // The action link's class for this control.
    virtual std::unique_ptr<TControlActionLink> CreateActionLink();
    virtual void DoActionChange(TObject* Sender);
    // The window that carries this control's pixels: its own for a
    // windowed control, its parent's for a graphic one.
    virtual HWND GetDeviceContextWindow() const;

    // --- message handlers ---
    // DefaultHandler, answering true when the control went while it ran.
    bool DefaultHandlerLeaves(TMessage& Message);
    virtual void WMLButtonDown(TMessage& Message);
    virtual void WMRButtonDown(TMessage& Message);
    virtual void WMMButtonDown(TMessage& Message);
    virtual void WMLButtonDblClk(TMessage& Message);
    virtual void WMRButtonDblClk(TMessage& Message);
    virtual void WMMButtonDblClk(TMessage& Message);
    virtual void WMLButtonUp(TMessage& Message);
    virtual void WMRButtonUp(TMessage& Message);
    virtual void WMMButtonUp(TMessage& Message);
    virtual void WMMouseMove(TMessage& Message);
    virtual void WMMouseWheel(TMessage& Message);
    virtual void WMCancelMode(TMessage& Message);
    virtual void WMContextMenu(TMessage& Message);
    virtual void WMWindowPosChanged(TMessage& Message);
    virtual void CMVisibleChanged(TMessage& Message);
    virtual void CMEnabledChanged(TMessage& Message);
    virtual void CMFontChanged(TMessage& Message);
    virtual void CMColorChanged(TMessage& Message);
    virtual void CMParentFontChanged(TMessage& Message);
    virtual void CMParentColorChanged(TMessage& Message);
    virtual void CMParentShowHintChanged(TMessage& Message);
    virtual void CMParentBiDiModeChanged(TMessage& Message);
    virtual void CMHitTest(TMessage& Message);
    virtual void CMMouseEnter(TMessage& Message);
    virtual void CMMouseLeave(TMessage& Message);
    virtual void CMTextChanged(TMessage& Message);
    virtual void CMHintShow(TMessage& Message);
    virtual void CMMouseWheel(TMessage& Message);
    virtual void CMFloat(TMessage& Message);

    TControlStyle FControlStyle;
    TControlState FControlState;
    String FText;
    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FAnchorMove = false;
    TPoint FAnchorRules;
    TPoint FOriginalParentSize;
    bool FVisible = true;
    bool FEnabled = true;
    TEventSlot<TNotifyEvent> FOnClick;
    bool FOnClickFromAction = false;

private:
    void FontChanged(TObject* Sender);
    void SendCancelMode();
    void SendDockNotification(UINT Msg, WPARAM WParam, LPARAM LParam);
    void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(TMessage& Message, TMouseButton Button);
    bool IsActionLinked(bool (TControlActionLink::*Test)()) const;

    TAlign FAlign = alNone;
    TAnchors FAnchors = DefaultAnchors;
    std::unique_ptr<TSizeConstraints> FConstraints;
    std::unique_ptr<TMargins> FMargins;
    bool FAlignWithMargins = false;
    bool FAutoSize = false;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    THelpContext FHelpContext = 0;
    String FHelpKeyword;
    THelpType FHelpType = htContext;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    TCursor FDragCursor = crDrag;
    TWinControl* FHostDockSite = nullptr;
    int FUndockWidth = 0;
    int FUndockHeight = 0;
    TDockOrientation FDockOrientation = doNoOrient;
    std::unique_ptr<TControlActionLink> FActionLink;
    TWindowProcedure FWindowProc;
    bool FDestroyStarted = false;

    TEventSlot<TNotifyEvent> FOnDblClick;
    TEventSlot<TMouseEvent> FOnMouseDown;
    TEventSlot<TMouseMoveEvent> FOnMouseMove;
    TEventSlot<TMouseEvent> FOnMouseUp;
    TEventSlot<TNotifyEvent> FOnMouseEnter;
    TEventSlot<TNotifyEvent> FOnMouseLeave;
    TEventSlot<TMouseWheelEvent> FOnMouseWheel;
    TEventSlot<TMouseWheelUpDownEvent> FOnMouseWheelDown;
    TEventSlot<TMouseWheelUpDownEvent> FOnMouseWheelUp;
    TEventSlot<TMouseActivateEvent> FOnMouseActivate;
    TEventSlot<TNotifyEvent> FOnResize;
    TEventSlot<TCanResizeEvent> FOnCanResize;
    TEventSlot<TConstrainedResizeEvent> FOnConstrainedResize;
    TEventSlot<TContextPopupEvent> FOnContextPopup;
    TEventSlot<TDragDropEvent> FOnDragDrop;
    TEventSlot<TDragOverEvent> FOnDragOver;
    TEventSlot<TEndDragEvent> FOnEndDrag;
    TEventSlot<TStartDragEvent> FOnStartDrag;
    TEventSlot<TEndDragEvent> FOnEndDock;
    TEventSlot<TStartDockEvent> FOnStartDock;
};

// The control's side of an action link: each property follows the action
// while the control's own value still equals the action's.
class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* Client);
    TControl* Client() const { return FClient; }

    bool IsCaptionLinked() override;
    bool IsEnabledLinked() override;
    bool IsHelpContextLinked() override;
    bool IsHintLinked() override;
    bool IsVisibleLinked() override;
    bool IsOnExecuteLinked() override;
    bool DoShowHint(String& HintStr) override;
    void SetCaption(const String& Value) override;
    void SetEnabled(bool Value) override;
    void SetHelpContext(int Value) override;
    void SetHint(const String& Value) override;
    void SetVisible(bool Value) override;
    void SetOnExecute(const TNotifyEvent& Value) override;

protected:
    TControl* FClient;
};

// --- finding controls -------------------------------------------------------------------

// The control behind a window (nullptr for windows that are not ours).
TWinControl* FindControl(HWND Wnd);
// The windowed control under a screen point.
TWinControl* FindVCLWindow(TPoint Pos);
// The control under a screen point, graphic controls included.
TControl* FindDragTarget(TPoint Pos, bool AllowDisabled);
// The control that has the mouse captured (a graphic control whose parent
// holds the capture counts).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The control the mouse is over, as the last mouse message left it.
TControl* MouseControl();

// What the application object does for the controls: installed by the
// application (platform/forms); every hook may be empty.
struct TControlHooks {
    // A mouse move over a control: the hint machinery follows it.
    std::function<void(TControl* Control, TMessage& Message)> HintMouseMessage;
    // A control is going: forget every pointer to it.
    std::function<void(TControl* Control)> ControlDestroyed;
    // The hint of a control changed while it shows.
    std::function<void()> CancelHint;
    // The cursor the screen forces (crDefault: none).
    std::function<TCursor()> ScreenCursor;
    // The application's current hint follows the control under the mouse.
    std::function<void(TControl* Control)> MouseEnteredControl;
};
TControlHooks& ControlHooks();

// Updates the control the mouse is over, sending CM_MOUSELEAVE and
// CM_MOUSEENTER as it changes (the window layer's mouse messages call it).
void UpdateMouseControl(TControl* Control);
