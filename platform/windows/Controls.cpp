#include "platform/windows/Controls.h"

#include "platform/actions/Menus.h"
#include "platform/classes/ComponentRef.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/DragManager.h"
#include "platform/windows/WinControl.h"

#include <algorithm>

REGISTER_COMPONENT(TControl, TComponent)
    PUBLISHED_NODEFAULT(Left)
    PUBLISHED_NODEFAULT(Top)
    PUBLISHED_NODEFAULT(Width)
    PUBLISHED_NODEFAULT(Height)
    PUBLISHED(Cursor, crDefault)
    PUBLISHED_STORED(Hint, String(), &TControl::IsHintStored)
    PUBLISHED(HelpType, htContext)
    PUBLISHED(HelpKeyword, String())
    PUBLISHED_STORED(HelpContext, 0, &TControl::IsHelpContextStored)
    PUBLISHED(Align, alNone)
    PUBLISHED_STORED(Anchors, DefaultAnchors, [](const TControl& C) { return C.Anchors() != AnchorAlign(C.Align()); })
    PUBLISHED(AlignWithMargins, false)
    PUBLISHED_OBJECT(Margins)
    PUBLISHED_OBJECT(Constraints)
    PUBLISHED(Action, nullptr)
    PUBLISHED_STORED(Caption, String(), &TControl::IsCaptionStored)
    PUBLISHED_STORED(Color, clWindow, &TControl::IsColorStored)
    PUBLISHED_STORED(Enabled, true, &TControl::IsEnabledStored)
    PUBLISHED_OBJECT(Font).Stored(&TControl::IsFontStored)
    PUBLISHED(ParentColor, true)
    PUBLISHED(ParentFont, true)
    PUBLISHED(ParentShowHint, true)
    PUBLISHED_STORED(ShowHint, false, &TControl::IsShowHintStored)
    PUBLISHED_STORED(Visible, true, &TControl::IsVisibleStored)
    PUBLISHED(PopupMenu, nullptr)
    PUBLISHED_STORED(BiDiMode, bdLeftToRight, &TControl::IsBiDiModeStored)
    PUBLISHED(ParentBiDiMode, true)
    PUBLISHED(DragMode, dmManual)
    PUBLISHED(DragKind, dkDrag)
    PUBLISHED(DragCursor, crDrag)
    PUBLISHED_EVENT(OnClick).Stored(&TControl::IsOnClickStored)
    PUBLISHED_EVENT(OnDblClick)
    PUBLISHED_EVENT(OnMouseDown)
    PUBLISHED_EVENT(OnMouseMove)
    PUBLISHED_EVENT(OnMouseUp)
    PUBLISHED_EVENT(OnMouseEnter)
    PUBLISHED_EVENT(OnMouseLeave)
    PUBLISHED_EVENT(OnMouseWheel)
    PUBLISHED_EVENT(OnMouseWheelDown)
    PUBLISHED_EVENT(OnMouseWheelUp)
    PUBLISHED_EVENT(OnMouseActivate)
    PUBLISHED_EVENT(OnResize)
    PUBLISHED_EVENT(OnCanResize)
    PUBLISHED_EVENT(OnConstrainedResize)
    PUBLISHED_EVENT(OnContextPopup)
    PUBLISHED_EVENT(OnDragDrop)
    PUBLISHED_EVENT(OnDragOver)
    PUBLISHED_EVENT(OnEndDrag)
    PUBLISHED_EVENT(OnStartDrag)
    PUBLISHED_EVENT(OnEndDock)
    PUBLISHED_EVENT(OnStartDock)
END_REGISTER

namespace {

TControl* GMouseControl = nullptr;
TControl* GCaptureControl = nullptr;

[[noreturn]] void ParentRequired(const TControl* C)
{
    throw EInvalidOperation(QStringLiteral("Control '%1' has no parent window").arg(C->Name()));
}

// A control without a window of its own came, went or moved over R (its
// parent's client coordinates): the mouse may be over another control
// there now.  (A windowed control's window says so itself.)
void NoteMouseArea(TControl* Control, const TRect& R)
{
    TWinControl* Parent = Control->Parent();
    if (Parent != nullptr && Parent->HandleAllocated() && dynamic_cast<TWinControl*>(Control) == nullptr)
        MouseAreaChanged(Parent->WindowHandle(), R);
}

} // namespace

TControlHooks& ControlHooks()
{
    static TControlHooks Hooks;
    return Hooks;
}

// --- construction and destruction ------------------------------------------------------------

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FConstraints(std::make_unique<TSizeConstraints>(this)),
      FMargins(std::make_unique<TMargins>(this)), FFont(std::make_unique<TFont>())
{
    FWindowProc = [this](TMessage& M) { WndProc(M); };
    FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FFont->SetOnChange([this](TObject* Sender) { FontChanged(Sender); });
    FConstraints->SetOnChange([this](TObject* Sender) { DoConstraintsChange(Sender); });
    FMargins->SetOnChange([this](TObject* Sender) { DoMarginChange(Sender); });
}

TControl::~TControl()
{
    if (!FDestroyStarted)
        TControl::BeforeDestruction();
}

void TControl::BeforeDestruction()
{
    if (FDestroyStarted) {
        TComponent::BeforeDestruction();
        return;
    }
    FDestroyStarted = true;
    Destroying();
    if (ControlHooks().ControlDestroyed)
        ControlHooks().ControlDestroyed(this);
    if (GMouseControl == this)
        GMouseControl = nullptr;
    if (GCaptureControl == this)
        SetCaptureControl(nullptr);
    CancelDrag(this);
    if (FHostDockSite != nullptr)
        FHostDockSite->DoRemoveDockClient(this);
    SetParent(nullptr);
    FActionLink.reset();
    TComponent::BeforeDestruction();
}

// --- parent and bounds --------------------------------------------------------------------

void TControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent)
        return;
    if (AParent == this)
        throw EInvalidOperation(QStringLiteral("A control cannot have itself as its parent"));
    if (FParent != nullptr) {
        if (FVisible)
            NoteMouseArea(this, BoundsRect());
        FParent->RemoveControl(this);
    }
    if (AParent != nullptr) {
        AParent->InsertControl(this);
        UpdateAnchorRules();
        if (FVisible)
            NoteMouseArea(this, BoundsRect());
    }
}

TComponent* TControl::GetParentComponent() const
{
    return FParent;
}

void TControl::SetParentComponent(TComponent* Value)
{
    if (auto* P = dynamic_cast<TWinControl*>(Value))
        SetParent(P);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!CheckNewSize(AWidth, AHeight))
        return;
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    InvalidateControl(FVisible, false);
    if (FVisible)
        NoteMouseArea(this, BoundsRect());
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (FVisible)
        NoteMouseArea(this, BoundsRect());
    UpdateAnchorRules();
    Invalidate();
    Perform(WM_WINDOWPOSCHANGED, 0, 0);
    RequestAlign();
    if (!ComponentState().Contains(csLoading))
        Resize();
}

TRect TControl::GetClientRect()
{
    return {0, 0, FWidth, FHeight};
}

void TControl::SetClientSize(TSize Value)
{
    const TRect C = GetClientRect();
    SetBounds(FLeft, FTop, FWidth - C.Right + Value.cx, FHeight - C.Bottom + Value.cy);
}

TPoint TControl::ClientOrigin()
{
    if (FParent == nullptr)
        ParentRequired(this);
    TPoint P = FParent->ClientOrigin();
    P.X += FLeft;
    P.Y += FTop;
    return P;
}

TPoint TControl::ClientToScreen(TPoint P)
{
    const TPoint O = ClientOrigin();
    return {P.X + O.X, P.Y + O.Y};
}

TPoint TControl::ScreenToClient(TPoint P)
{
    const TPoint O = ClientOrigin();
    return {P.X - O.X, P.Y - O.Y};
}

TPoint TControl::ClientToParent(TPoint P, TWinControl* AParent)
{
    if (AParent == nullptr)
        AParent = FParent;
    if (AParent == nullptr)
        ParentRequired(this);
    for (TControl* C = this; C != AParent; C = C->FParent) {
        if (C == nullptr)
            throw EInvalidOperation(QStringLiteral("'%1' is not a parent of '%2'").arg(AParent->Name(), Name()));
        P.X += C->FLeft;
        P.Y += C->FTop;
    }
    return P;
}

TPoint TControl::ParentToClient(TPoint P, TWinControl* AParent)
{
    const TPoint Origin = ClientToParent({0, 0}, AParent);
    return {P.X - Origin.X, P.Y - Origin.Y};
}

void TControl::SetAlign(TAlign Value)
{
    if (FAlign == Value)
        return;
    const TAlign Old = FAlign;
    FAlign = Value;
    SetAnchors(AnchorAlign(Value));
    if (!ComponentState().Contains(csLoading)) {
        const auto IsVert = [](TAlign A) { return A == alTop || A == alBottom; };
        const auto IsHorz = [](TAlign A) { return A == alLeft || A == alRight; };
        if ((IsVert(Old) && IsHorz(Value)) || (IsHorz(Old) && IsVert(Value)))
            SetBounds(FLeft, FTop, FHeight, FWidth);
        else
            AdjustSize();
    }
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value)
{
    if (FAnchors == Value)
        return;
    FAnchors = Value;
    if (!ComponentState().Contains(csLoading))
        UpdateAnchorRules();
}

void TControl::SetAlignWithMargins(bool Value)
{
    if (FAlignWithMargins == Value)
        return;
    FAlignWithMargins = Value;
    RequestAlign();
}

void TControl::SetAutoSize(bool Value)
{
    if (FAutoSize == Value)
        return;
    FAutoSize = Value;
    if (Value)
        AdjustSize();
}

void TControl::RequestAlign()
{
    if (FParent != nullptr)
        FParent->AlignControl(this);
}

void TControl::UpdateAnchorRules()
{
    if (FAnchorMove || ComponentState().Contains(csLoading))
        return;
    if (FAnchors == DefaultAnchors) {
        FOriginalParentSize = {0, 0};
        return;
    }
    if (FAnchors.Contains(akRight))
        FAnchorRules.X = FAnchors.Contains(akLeft) ? FWidth : FLeft;
    else
        FAnchorRules.X = FLeft + FWidth / 2;
    if (FAnchors.Contains(akBottom))
        FAnchorRules.Y = FAnchors.Contains(akTop) ? FHeight : FTop;
    else
        FAnchorRules.Y = FTop + FHeight / 2;
    if (FParent == nullptr)
        return;
    if (FParent->ComponentState().Contains(csReading) || !FParent->HandleAllocated())
        FOriginalParentSize = {FParent->FWidth, FParent->FHeight};
    else
        FOriginalParentSize = FParent->ClientRect().BottomRight();
}

bool TControl::CanResize(int& NewWidth, int& NewHeight)
{
    bool Result = true;
    if (FOnCanResize)
        FOnCanResize(this, NewWidth, NewHeight, Result);
    return Result;
}

bool TControl::CanAutoSize(int& NewWidth, int& NewHeight)
{
    (void)NewWidth;
    (void)NewHeight;
    return true;
}

void TControl::ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)
{
    if (FOnConstrainedResize)
        FOnConstrainedResize(this, MinWidth, MinHeight, MaxWidth, MaxHeight);
}

bool TControl::CheckNewSize(int& NewWidth, int& NewHeight)
{
    int W = NewWidth, H = NewHeight;
    if (!CanResize(W, H))
        return false;
    int MinW = FConstraints->MinWidth() > 0 ? FConstraints->MinWidth() : -1;
    int MinH = FConstraints->MinHeight() > 0 ? FConstraints->MinHeight() : -1;
    int MaxW = FConstraints->MaxWidth() > 0 ? FConstraints->MaxWidth() : -1;
    int MaxH = FConstraints->MaxHeight() > 0 ? FConstraints->MaxHeight() : -1;
    ConstrainedResize(MinW, MinH, MaxW, MaxH);
    if (MaxW > 0 && W > MaxW)
        W = MaxW;
    else if (MinW > 0 && W < MinW)
        W = MinW;
    if (MaxH > 0 && H > MaxH)
        H = MaxH;
    else if (MinH > 0 && H < MinH)
        H = MinH;
    if (FAutoSize) {
        int W2 = W, H2 = H;
        if (CanAutoSize(W2, H2) && (W2 != W || H2 != H))
            W = W2, H = H2;
    }
    NewWidth = W;
    NewHeight = H;
    return true;
}

void TControl::AdjustSize()
{
    if (!ComponentState().Contains(csLoading))
        SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::DoConstraintsChange(TObject* Sender)
{
    (void)Sender;
    AdjustSize();
}

void TControl::DoMarginChange(TObject* Sender)
{
    (void)Sender;
    if (FAlignWithMargins)
        RequestAlign();
}

void TControl::Resize()
{
    if (FOnResize)
        FOnResize(this);
}

// --- visibility, enabling, colour, font, text --------------------------------------------------

void TControl::SetVisible(bool Value)
{
    if (FVisible == Value)
        return;
    FVisible = Value;
    NoteMouseArea(this, BoundsRect());
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
    RequestAlign();
    SendDockNotification(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
}

void TControl::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value)
{
    if (FColor == Value) {
        FParentColor = false;
        return;
    }
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value)
{
    if (FParentColor == Value)
        return;
    FParentColor = Value;
    if (FParent != nullptr && !ComponentState().Contains(csReading))
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::ParentColorChanged()
{
    if (FParentColor && FParent != nullptr) {
        SetColor(FParent->Color());
        FParentColor = true;
    }
}

void TControl::FontChanged(TObject* Sender)
{
    (void)Sender;
    FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value)
{
    if (FParentFont == Value)
        return;
    FParentFont = Value;
    if (FParent != nullptr && !ComponentState().Contains(csReading))
        Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value)
{
    if (FShowHint == Value) {
        FParentShowHint = false;
        return;
    }
    FShowHint = Value;
    FParentShowHint = false;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value)
{
    if (FParentShowHint == Value)
        return;
    FParentShowHint = Value;
    if (FParent != nullptr && !ComponentState().Contains(csReading))
        Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value)
{
    if (FCursor == Value)
        return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value)
{
    if (FPopupMenu == Value)
        return;
    if (FPopupMenu != nullptr)
        FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

TPopupMenu* TControl::GetPopupMenu()
{
    return FPopupMenu;
}

void TControl::SetBiDiMode(TBiDiMode Value)
{
    if (FBiDiMode == Value) {
        FParentBiDiMode = false;
        return;
    }
    FBiDiMode = Value;
    FParentBiDiMode = false;
    Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool Value)
{
    if (FParentBiDiMode == Value)
        return;
    FParentBiDiMode = Value;
    if (FParent != nullptr && !ComponentState().Contains(csReading))
        Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

String TControl::GetText()
{
    String Text;
    Perform(WM_GETTEXT, 0, PtrToLParam(&Text));
    return Text;
}

void TControl::SetText(const TCaption& Value)
{
    if (GetText() == Value)
        return;
    SetTextBuf(Value);
    SendDockNotification(WM_SETTEXT, 0, PtrToLParam(&Value));
}

// A docked control tells its dock site of a new caption or visibility (a
// page control shows them on the control's tab); not while the control is
// read, dragged or going.
void TControl::SendDockNotification(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (FHostDockSite == nullptr || DragControl() != nullptr
        || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying))
        return;
    TDockNotifyRec Rec{Msg, WParam, LParam};
    FHostDockSite->Perform(CM_DOCKNOTIFICATION, WPARAM(this), PtrToLParam(&Rec));
}

void TControl::SetTextBuf(const String& Value)
{
    Perform(WM_SETTEXT, 0, PtrToLParam(&Value));
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetName(const String& Value)
{
    // A control whose caption still is its name follows a new name, as a
    // new control placed on a form does.
    const bool ChangeText = FControlStyle.Contains(csSetCaption) && !ComponentState().Contains(csLoading)
        && Name() == GetText()
        && (Owner() == nullptr || !Owner()->ComponentState().Contains(csLoading));
    TComponent::SetName(Value);
    if (ChangeText)
        SetText(Value);
}

void TControl::Changed()
{
    Perform(CM_CHANGED, 0, LPARAM(this));
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (Action() != nullptr)
        ActionChange(Action(), true);
    UpdateAnchorRules();
}

void TControl::ReadState(TReader& Reader)
{
    // Parent colour, font and hints were not handed down while reading.
    FControlState.Include(csReadingState);
    try {
        TComponent::ReadState(Reader);
    } catch (...) {
        FControlState.Exclude(csReadingState);
        throw;
    }
    FControlState.Exclude(csReadingState);
    if (FParent != nullptr) {
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
        Perform(CM_PARENTFONTCHANGED, 0, 0);
        Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    }
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FPopupMenu)
        FPopupMenu = nullptr;
    if (FActionLink && AComponent == FActionLink->Action())
        SetAction(nullptr);
    if (AComponent == FHostDockSite)
        FHostDockSite = nullptr;
}

void TControl::DefineProperties(TFiler& Filer)
{
    TComponent::DefineProperties(Filer);
    // Sizes the designer remembered; streamed by newer form files, not
    // needed here.
    for (const char* Name : {"ExplicitLeft", "ExplicitTop", "ExplicitWidth", "ExplicitHeight"})
        Filer.DefineProperty(QString::fromLatin1(Name), [](TReader& R) { R.SkipValue(); }, nullptr, false);
}

bool TControl::IsCaptionStored() const
{
    return !IsActionLinked(&TControlActionLink::IsCaptionLinked);
}

bool TControl::IsEnabledStored() const
{
    return !IsActionLinked(&TControlActionLink::IsEnabledLinked);
}

bool TControl::IsVisibleStored() const
{
    return !IsActionLinked(&TControlActionLink::IsVisibleLinked);
}

bool TControl::IsHintStored() const
{
    return !IsActionLinked(&TControlActionLink::IsHintLinked);
}

bool TControl::IsHelpContextStored() const
{
    return !IsActionLinked(&TControlActionLink::IsHelpContextLinked);
}

bool TControl::IsOnClickStored() const
{
    return !IsActionLinked(&TControlActionLink::IsOnExecuteLinked);
}

bool TControl::IsActionLinked(bool (TControlActionLink::*Test)()) const
{
    return FActionLink && FActionLink->Action() != nullptr && (FActionLink.get()->*Test)();
}

// --- actions ----------------------------------------------------------------------------------

TBasicAction* TControl::Action() const
{
    return FActionLink ? FActionLink->Action() : nullptr;
}

std::unique_ptr<TControlActionLink> TControl::CreateActionLink()
{
    return std::make_unique<TControlActionLink>(this);
}

void TControl::SetAction(TBasicAction* Value)
{
    if (Value == nullptr) {
        FActionLink.reset();
        FControlStyle.Exclude(csActionClient);
        return;
    }
    FControlStyle.Include(csActionClient);
    if (!FActionLink)
        FActionLink = CreateActionLink();
    FActionLink->SetAction(Value);
    FActionLink->SetOnChange([this](TObject* Sender) { DoActionChange(Sender); });
    ActionChange(Value, Value->ComponentState().Contains(csLoading));
    Value->FreeNotification(this);
}

void TControl::DoActionChange(TObject* Sender)
{
    // Each property follows the action through its link, and only while
    // the control still shows the action's value: taking every property
    // over here would undo what was changed by hand.
    (void)Sender;
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* A = dynamic_cast<TCustomAction*>(Sender);
    if (A == nullptr)
        return;
    if (!CheckDefaults || GetText().isEmpty() || GetText() == Name())
        SetText(A->Caption());
    if (!CheckDefaults || FEnabled)
        SetEnabled(A->Enabled());
    if (!CheckDefaults || FHint.isEmpty())
        SetHint(A->Hint());
    if (!CheckDefaults || FVisible)
        SetVisible(A->Visible());
    if (!CheckDefaults || FHelpContext == 0)
        SetHelpContext(A->HelpContext());
    if (!CheckDefaults || !FOnClick) {
        FOnClick = A->OnExecute();
        FOnClickFromAction = true;
    }
}

void TControl::SetOnClick(TNotifyEvent Value)
{
    FOnClick = std::move(Value);
    FOnClickFromAction = false;
}

void TControl::InitiateAction()
{
    if (FActionLink)
        FActionLink->Update();
}

bool TControl::ExecuteAction(TBasicAction* Action)
{
    if (Action != nullptr && Action->HandlesTarget(this)) {
        Action->ExecuteTarget(this);
        return true;
    }
    return false;
}

bool TControl::UpdateAction(TBasicAction* Action)
{
    if (Action != nullptr && Action->HandlesTarget(this)) {
        Action->UpdateTarget(this);
        return true;
    }
    return false;
}

void TControl::Click()
{
    // The control's own OnClick wins over its action's; otherwise the
    // action runs (and with it its OnExecute).
    if (FOnClick && Action() != nullptr && !FOnClickFromAction) {
        FOnClick(this);
        return;
    }
    if (FActionLink && FActionLink->Action() != nullptr && !ComponentState().Contains(csDesigning)) {
        FActionLink->Execute(this);
        return;
    }
    if (FOnClick)
        FOnClick(this);
}

void TControl::DblClick()
{
    if (FOnDblClick)
        FOnDblClick(this);
}

// --- painting -----------------------------------------------------------------------------

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque)
{
    if (!IsVisible || FParent == nullptr || !FParent->HandleAllocated())
        return;
    const TRect R = BoundsRect();
    InvalidateRect(FParent->Handle(), &R, !(IsOpaque || FParent->FControlStyle.Contains(csOpaque)));
}

void TControl::Invalidate()
{
    InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::Update()
{
    if (FParent != nullptr)
        FParent->Update();
}

void TControl::Repaint()
{
    if (!FVisible || FParent == nullptr || !FParent->HandleAllocated())
        return;
    if (FControlStyle.Contains(csOpaque)) {
        HDC DC = GetDC(FParent->Handle());
        IntersectClipRect(DC, FLeft, FTop, FLeft + FWidth, FTop + FHeight);
        FParent->PaintControls(DC, this);
        ReleaseDC(FParent->Handle(), DC);
    } else {
        Invalidate();
        Update();
    }
}

bool TControl::Showing() const
{
    return FVisible && FParent != nullptr && FParent->Showing();
}

HWND TControl::GetDeviceContextWindow() const
{
    return FParent != nullptr ? FParent->FHandle : nullptr;
}

// --- z-order ----------------------------------------------------------------------------

void TControl::BringToFront()
{
    SetZOrder(true);
}

void TControl::SendToBack()
{
    SetZOrder(false);
}

void TControl::SetZOrder(bool TopMost)
{
    if (FParent == nullptr)
        return;
    auto& List = FParent->FControls;
    auto It = std::find(List.begin(), List.end(), this);
    if (It == List.end())
        return;
    List.erase(It);
    if (TopMost)
        List.push_back(this);
    else
        List.insert(List.begin(), this);
    InvalidateControl(FVisible, true);
}

// --- messages ------------------------------------------------------------------------------

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage M{Msg, WParam, LParam, 0};
    return Perform(M);
}

LRESULT TControl::Perform(TMessage& Message)
{
    Message.Result = 0;
    if (FWindowProc)
        FWindowProc(Message);
    return Message.Result;
}

void TControl::SetWindowProc(TWindowProcedure Value)
{
    FWindowProc = Value ? std::move(Value) : TWindowProcedure([this](TMessage& M) { WndProc(M); });
}

void TControl::WndProc(TMessage& Message)
{
    const UINT Msg = Message.Msg;
    if (Msg >= WM_KEYFIRST && Msg <= WM_KEYLAST) {
        IFormSite* Form = ParentFormSite(this);
        if (Form != nullptr && Form->WantChildKey(this, Message))
            return;
    } else if (Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST) {
        if (!FControlStyle.Contains(csDoubleClicks)
            && (Msg == WM_LBUTTONDBLCLK || Msg == WM_RBUTTONDBLCLK || Msg == WM_MBUTTONDBLCLK))
            Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        switch (Message.Msg) {
        case WM_MOUSEMOVE:
            if (ControlHooks().HintMouseMessage)
                ControlHooks().HintMouseMessage(this, Message);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (FDragMode == dmAutomatic && !ComponentState().Contains(csDesigning)) {
                BeginDrag(true);
                return;
            }
            FControlState.Include(csLButtonDown);
            break;
        case WM_LBUTTONUP:
            FControlState.Exclude(csLButtonDown);
            break;
        default:
            break;
        }
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(Message); return;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); return;
    case WM_MBUTTONDOWN: WMMButtonDown(Message); return;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); return;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(Message); return;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(Message); return;
    case WM_LBUTTONUP: WMLButtonUp(Message); return;
    case WM_RBUTTONUP: WMRButtonUp(Message); return;
    case WM_MBUTTONUP: WMMButtonUp(Message); return;
    case WM_MOUSEMOVE: WMMouseMove(Message); return;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); return;
    case WM_CANCELMODE: WMCancelMode(Message); return;
    case WM_CONTEXTMENU: WMContextMenu(Message); return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
    case CM_FONTCHANGED: CMFontChanged(Message); return;
    case CM_COLORCHANGED: CMColorChanged(Message); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); return;
    case CM_PARENTBIDIMODECHANGED: CMParentBiDiModeChanged(Message); return;
    case CM_HITTEST: CMHitTest(Message); return;
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_TEXTCHANGED: CMTextChanged(Message); return;
    case CM_HINTSHOW: CMHintShow(Message); return;
    case CM_MOUSEWHEEL: CMMouseWheel(Message); return;
    case CM_FLOAT: CMFloat(Message); return;
    default: DefaultHandler(Message); return;
    }
}

void TControl::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETTEXT:
        if (Message.LParam != 0)
            *LParamToPtr<String>(Message.LParam) = FText;
        Message.Result = FText.size();
        break;
    case WM_GETTEXTLENGTH:
        Message.Result = FText.size();
        break;
    case WM_SETTEXT:
        FText = Message.LParam != 0 ? *LParamToPtr<const String>(Message.LParam) : String();
        Message.Result = 1;
        break;
    default:
        break;
    }
}

// --- mouse -------------------------------------------------------------------------------

void TControl::SendCancelMode()
{
    // A control that has the mouse captured hears that another one is
    // being pressed.
    TControl* Capture = GetCaptureControl();
    if (Capture != nullptr && Capture != this)
        Capture->Perform(WM_CANCELMODE, 0, 0);
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift)
{
    if (FControlStyle.Contains(csNoStdEvents))
        return;
    const TPoint P = LParamToPoint(Message.LParam);
    MouseDown(Button, KeysToShiftState(Message.WParam) + Shift, P.X, P.Y);
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button)
{
    if (FControlStyle.Contains(csNoStdEvents))
        return;
    const TPoint P = LParamToPoint(Message.LParam);
    MouseUp(Button, KeysToShiftState(Message.WParam), P.X, P.Y);
}

// The mouse messages below go on after the default handling and the click
// only while the control is still there: what they run (focus changes,
// OnClick) may have freed it.
bool TControl::DefaultHandlerLeaves(TMessage& Message)
{
    const TComponentRef<> Self(this);
    DefaultHandler(Message);
    return !Self;
}

void TControl::WMLButtonDown(TMessage& Message)
{
    SendCancelMode();
    if (DefaultHandlerLeaves(Message))
        return;
    if (FControlStyle.Contains(csCaptureMouse))
        SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents))
        FControlState.Include(csClicked);
    DoMouseDown(Message, mbLeft, {});
}

void TControl::WMRButtonDown(TMessage& Message)
{
    if (DefaultHandlerLeaves(Message))
        return;
    DoMouseDown(Message, mbRight, {});
}

void TControl::WMMButtonDown(TMessage& Message)
{
    if (DefaultHandlerLeaves(Message))
        return;
    DoMouseDown(Message, mbMiddle, {});
}

void TControl::WMLButtonDblClk(TMessage& Message)
{
    SendCancelMode();
    if (DefaultHandlerLeaves(Message))
        return;
    if (FControlStyle.Contains(csCaptureMouse))
        SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) {
        const TComponentRef<> Self(this);
        DblClick();
        if (!Self)
            return;
    }
    DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMRButtonDblClk(TMessage& Message)
{
    if (DefaultHandlerLeaves(Message))
        return;
    DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMMButtonDblClk(TMessage& Message)
{
    if (DefaultHandlerLeaves(Message))
        return;
    DoMouseDown(Message, mbMiddle, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& Message)
{
    if (DefaultHandlerLeaves(Message))
        return;
    if (FControlStyle.Contains(csCaptureMouse))
        SetMouseCapture(false);
    if (FControlState.Contains(csClicked)) {
        FControlState.Exclude(csClicked);
        const TComponentRef<> Self(this);
        if (PtInRect(GetClientRect(), LParamToPoint(Message.LParam)))
            Click();
        if (!Self)
            return;
    }
    DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonUp(TMessage& Message)
{
    if (DefaultHandlerLeaves(Message))
        return;
    DoMouseUp(Message, mbRight);
}

void TControl::WMMButtonUp(TMessage& Message)
{
    if (DefaultHandlerLeaves(Message))
        return;
    DoMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TMessage& Message)
{
    DefaultHandler(Message);
    if (FControlStyle.Contains(csNoStdEvents))
        return;
    const TPoint P = LParamToPoint(Message.LParam);
    MouseMove(KeysToShiftState(Message.WParam), P.X, P.Y);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FOnMouseDown)
        FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FOnMouseMove)
        FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FOnMouseUp)
        FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::WMMouseWheel(TMessage& Message)
{
    MouseWheelHandler(Message);
    if (Message.Result == 0)
        DefaultHandler(Message);
}

void TControl::MouseWheelHandler(TMessage& Message)
{
    IFormSite* Form = ParentFormSite(this);
    if (Form != nullptr && Form->FormControl() != this) {
        Form->FormControl()->MouseWheelHandler(Message);
        return;
    }
    Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TControl::CMMouseWheel(TMessage& Message)
{
    const int Delta = std::int16_t(HIWORD(Message.WParam));
    const TShiftState Shift = KeysToShiftState(LOWORD(Message.WParam));
    Message.Result = 0;
    if (DoMouseWheel(Shift, Delta, LParamToPoint(Message.LParam)))
        Message.Result = 1;
    else if (FParent != nullptr)
        Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool Handled = false;
    if (FOnMouseWheel)
        FOnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
    if (Handled)
        return true;
    // One step per notch; the window layer delivers whole notches.
    const int Steps = std::abs(WheelDelta) / WHEEL_DELTA;
    for (int I = 0; I < Steps; ++I)
        Handled = (WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos)) || Handled;
    return Handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool Handled = false;
    if (FOnMouseWheelDown)
        FOnMouseWheelDown(this, Shift, MousePos, Handled);
    return Handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool Handled = false;
    if (FOnMouseWheelUp)
        FOnMouseWheelUp(this, Shift, MousePos, Handled);
    return Handled;
}

void TControl::WMCancelMode(TMessage& Message)
{
    (void)Message;
    if (MouseCapture()) {
        SetMouseCapture(false);
        if (FControlState.Contains(csLButtonDown))
            Perform(WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
    }
}

void TControl::WMContextMenu(TMessage& Message)
{
    if (Message.Result != 0)
        return;
    TPoint Pt = LParamToPoint(Message.LParam);
    const bool FromKey = Message.LParam == -1;
    TPoint Client = Pt;
    if (!FromKey) {
        Client = ScreenToClient(Pt);
        if (!PtInRect(GetClientRect(), Client)) {
            DefaultHandler(Message);
            return;
        }
    }
    bool Handled = false;
    DoContextPopup(Client, Handled);
    Message.Result = Handled ? 1 : 0;
    if (Handled)
        return;
    TPopupMenu* Menu = GetPopupMenu();
    if (Menu != nullptr && Menu->AutoPopup()) {
        SendCancelMode();
        Menu->SetPopupComponent(this);
        if (FromKey)
            Pt = ClientToScreen({0, 0});
        Message.Result = 1;
        Menu->Popup(Pt.X, Pt.Y);
        return;
    }
    DefaultHandler(Message);
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled)
{
    if (FOnContextPopup)
        FOnContextPopup(this, MousePos, Handled);
}

void TControl::WMWindowPosChanged(TMessage& Message)
{
    DefaultHandler(Message);
}

bool TControl::MouseCapture() const
{
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value)
{
    if (MouseCapture() == Value)
        return;
    SetCaptureControl(Value ? this : nullptr);
}

// --- change notices ---------------------------------------------------------------------------

void TControl::CMVisibleChanged(TMessage& Message)
{
    (void)Message;
    InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque));
}

void TControl::CMEnabledChanged(TMessage& Message)
{
    (void)Message;
    Invalidate();
}

void TControl::CMFontChanged(TMessage& Message)
{
    (void)Message;
    Invalidate();
}

void TControl::CMColorChanged(TMessage& Message)
{
    (void)Message;
    Invalidate();
}

void TControl::CMParentFontChanged(TMessage& Message)
{
    if (!FParentFont)
        return;
    if (Message.WParam != 0)
        SetFont(LParamToPtr<TFont>(Message.LParam));
    else if (FParent != nullptr)
        SetFont(FParent->Font());
    FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage& Message)
{
    if (!FParentColor)
        return;
    if (Message.WParam != 0)
        SetColor(TColor(Message.LParam));
    else if (FParent != nullptr)
        SetColor(FParent->Color());
    FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage& Message)
{
    (void)Message;
    if (FParentShowHint && FParent != nullptr) {
        SetShowHint(FParent->ShowHint());
        FParentShowHint = true;
    }
}

void TControl::CMParentBiDiModeChanged(TMessage& Message)
{
    (void)Message;
    if (FParentBiDiMode && FParent != nullptr) {
        SetBiDiMode(FParent->BiDiMode());
        FParentBiDiMode = true;
    }
}

void TControl::CMHitTest(TMessage& Message)
{
    Message.Result = HTCLIENT;
}

void TControl::CMMouseEnter(TMessage& Message)
{
    if (FParent != nullptr)
        FParent->Perform(CM_MOUSEENTER, 0, PtrToLParam(this));
    if (Message.LParam == 0 && FOnMouseEnter)
        FOnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage& Message)
{
    if (FParent != nullptr)
        FParent->Perform(CM_MOUSELEAVE, 0, PtrToLParam(this));
    if (Message.LParam == 0 && FOnMouseLeave)
        FOnMouseLeave(this);
}

void TControl::CMTextChanged(TMessage& Message)
{
    DefaultHandler(Message);
}

void TControl::CMHintShow(TMessage& Message)
{
    // The action may add its shortcut or refuse the hint.
    if (FActionLink && Message.LParam != 0)
        DefaultHandler(Message);
}

void TControl::CMFloat(TMessage& Message)
{
    DefaultHandler(Message);
}

// --- bidirectional text --------------------------------------------------------------------

bool TControl::IsRightToLeft() const
{
    return FBiDiMode != bdLeftToRight;
}

bool TControl::UseRightToLeftAlignment() const
{
    return FBiDiMode == bdRightToLeft;
}

bool TControl::UseRightToLeftReading() const
{
    return FBiDiMode != bdLeftToRight;
}

bool TControl::UseRightToLeftScrollBar() const
{
    return FBiDiMode != bdLeftToRight && FBiDiMode != bdRightToLeftNoAlign;
}

unsigned TControl::DrawTextBiDiModeFlags(unsigned Flags) const
{
    unsigned Result = Flags;
    if (UseRightToLeftAlignment()) {
        if ((Flags & (DT_CENTER | DT_RIGHT)) == DT_LEFT)
            Result |= DT_RIGHT;
        else if ((Flags & DT_RIGHT) != 0)
            Result &= ~DT_RIGHT;
    }
    return Result | DrawTextBiDiModeFlagsReadingOnly();
}

unsigned TControl::DrawTextBiDiModeFlagsReadingOnly() const
{
    return UseRightToLeftReading() ? unsigned(DT_RTLREADING) : 0u;
}

TAlignment TControl::GetControlsAlignment() const
{
    return taLeftJustify;
}

// --- dragging and docking ------------------------------------------------------------------

void TControl::BeginDrag(bool Immediate, int Threshold)
{
    if (Threshold < 0)
        Threshold = GetSystemMetrics(SM_CXDRAG);
    StartDrag(this, Immediate, Threshold);
}

void TControl::EndDrag(bool Drop)
{
    FinishDrag(this, Drop);
}

bool TControl::Dragging() const
{
    return DragControl() == this;
}

void TControl::DoEndDrag(TObject* Target, int X, int Y)
{
    if (FOnEndDrag)
        FOnEndDrag(this, Target, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject)
{
    if (FOnStartDrag)
        FOnStartDrag(this, DragObject);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = false;
    if (FOnDragOver) {
        Accept = true;
        FOnDragOver(this, Source, X, Y, State, Accept);
    }
}

void TControl::DragDrop(TObject* Source, int X, int Y)
{
    if (FOnDragDrop)
        FOnDragDrop(this, Source, X, Y);
}

void TControl::DoEndDock(TObject* Target, int X, int Y)
{
    if (FOnEndDock)
        FOnEndDock(this, Target, X, Y);
}

void TControl::DoStartDock(TDragObject*& DragObject)
{
    if (FOnStartDock) {
        TDragDockObject* Dock = nullptr;
        FOnStartDock(this, Dock);
        if (Dock != nullptr)
            DragObject = Dock;
    }
}

TDragObject* TControl::CreateDockObject()
{
    return new TDragDockObject(this);
}

void TControl::SetHostDockSite(TWinControl* Value)
{
    if (FHostDockSite == Value)
        return;
    if (FHostDockSite != nullptr)
        FHostDockSite->RemoveFreeNotification(this);
    FHostDockSite = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

bool TControl::Floating() const
{
    return FHostDockSite == nullptr && FParent == nullptr;
}

void TControl::DoDock(TWinControl* NewDockSite, TRect& ARect)
{
    if (NewDockSite == nullptr) {
        SetParent(nullptr);
        return;
    }
    SetBounds(ARect.Left, ARect.Top, ARect.Width(), ARect.Height());
}

void TControl::Dock(TWinControl* NewDockSite, const TRect& ARect)
{
    TRect R = ARect;
    FControlState.Include(csDocking);
    try {
        DoDock(NewDockSite, R);
        if (FHostDockSite != NewDockSite) {
            if (FHostDockSite != nullptr)
                FHostDockSite->DoRemoveDockClient(this);
            if (NewDockSite != nullptr)
                NewDockSite->DoAddDockClient(this, R);
        }
    } catch (...) {
        FControlState.Exclude(csDocking);
        throw;
    }
    FControlState.Exclude(csDocking);
}

bool TControl::ManualDock(TWinControl* NewDockSite, TControl* DropControl, TAlign ControlSide)
{
    if (FHostDockSite != nullptr && FHostDockSite != NewDockSite) {
        TMessage Undock{CM_UNDOCKCLIENT, WPARAM(NewDockSite), PtrToLParam(this), 0};
        FHostDockSite->Perform(Undock);
        if (FHostDockSite != nullptr)
            FHostDockSite->DoRemoveDockClient(this);
    }
    if (NewDockSite == nullptr) {
        const TPoint Origin = FParent != nullptr ? ClientToScreen({0, 0}) : TPoint{FLeft, FTop};
        return ManualFloat(Bounds(Origin.X, Origin.Y, UndockWidth(), UndockHeight()));
    }
    TDragDockObject Dock(this);
    Dock.DropOnControl = DropControl;
    Dock.DropAlign = ControlSide;
    TRect R = NewDockSite->ClientRect();
    const TPoint O = NewDockSite->ClientToScreen({0, 0});
    OffsetRect(R, O.X, O.Y);
    Dock.DockRect = R;
    NewDockSite->Perform(CM_DOCKCLIENT, 0, PtrToLParam(&Dock));
    return true;
}

bool TControl::ManualFloat(const TRect& ScreenPos)
{
    if (FHostDockSite != nullptr) {
        TMessage Undock{CM_UNDOCKCLIENT, 0, PtrToLParam(this), 0};
        FHostDockSite->Perform(Undock);
        if (FHostDockSite != nullptr)
            FHostDockSite->DoRemoveDockClient(this);
    }
    SetHostDockSite(nullptr);
    TRect R = ScreenPos;
    Dock(nullptr, R);
    SetBounds(R.Left, R.Top, R.Width(), R.Height());
    Perform(CM_FLOAT, 0, 0);
    return true;
}

// --- the action link -------------------------------------------------------------------------

TControlActionLink::TControlActionLink(TControl* Client) : TActionLink(Client), FClient(Client) {}

namespace {
TCustomAction* Custom(TBasicAction* A)
{
    return dynamic_cast<TCustomAction*>(A);
}
} // namespace

bool TControlActionLink::IsCaptionLinked()
{
    return TActionLink::IsCaptionLinked() && FClient->Caption() == Custom(Action())->Caption();
}

bool TControlActionLink::IsEnabledLinked()
{
    return TActionLink::IsEnabledLinked() && FClient->Enabled() == Custom(Action())->Enabled();
}

bool TControlActionLink::IsHelpContextLinked()
{
    return TActionLink::IsHelpContextLinked() && FClient->HelpContext() == Custom(Action())->HelpContext();
}

bool TControlActionLink::IsHintLinked()
{
    return TActionLink::IsHintLinked() && FClient->Hint() == Custom(Action())->Hint();
}

bool TControlActionLink::IsVisibleLinked()
{
    return TActionLink::IsVisibleLinked() && FClient->Visible() == Custom(Action())->Visible();
}

bool TControlActionLink::IsOnExecuteLinked()
{
    // The control's OnClick is the action's while it was taken from it.
    return Action() != nullptr && (!FClient->OnClick() || FClient->FOnClickFromAction);
}

bool TControlActionLink::DoShowHint(String& HintStr)
{
    return TActionLink::DoShowHint(HintStr);
}

void TControlActionLink::SetCaption(const String& Value)
{
    if (IsCaptionLinked())
        FClient->SetCaption(Value);
}

void TControlActionLink::SetEnabled(bool Value)
{
    if (IsEnabledLinked())
        FClient->SetEnabled(Value);
}

void TControlActionLink::SetHelpContext(int Value)
{
    if (IsHelpContextLinked())
        FClient->SetHelpContext(Value);
}

void TControlActionLink::SetHint(const String& Value)
{
    if (IsHintLinked())
        FClient->SetHint(Value);
}

void TControlActionLink::SetVisible(bool Value)
{
    if (IsVisibleLinked())
        FClient->SetVisible(Value);
}

void TControlActionLink::SetOnExecute(const TNotifyEvent& Value)
{
    if (IsOnExecuteLinked()) {
        FClient->FOnClick = Value;
        FClient->FOnClickFromAction = true;
    }
}

// --- finding controls ---------------------------------------------------------------------------

TWinControl* FindControl(HWND Wnd)
{
    return dynamic_cast<TWinControl*>(GetWindowOwnerObject(Wnd));
}

TWinControl* FindVCLWindow(TPoint Pos)
{
    for (HWND W = WindowFromPoint(Pos); W != nullptr; W = GetParent(W))
        if (TWinControl* C = FindControl(W))
            return C;
    return nullptr;
}

TControl* FindDragTarget(TPoint Pos, bool AllowDisabled)
{
    TWinControl* Window = FindVCLWindow(Pos);
    if (Window == nullptr)
        return nullptr;
    TControl* Result = Window;
    if (TControl* Child = Window->ControlAtPos(Window->ScreenToClient(Pos), AllowDisabled))
        Result = Child;
    return Result;
}

TControl* GetCaptureControl()
{
    TControl* Result = FindControl(GetCapture());
    if (Result != nullptr && GCaptureControl != nullptr && GCaptureControl->Parent() == Result)
        Result = GCaptureControl;
    return Result;
}

void SetCaptureControl(TControl* Control)
{
    ReleaseCapture();
    GCaptureControl = nullptr;
    if (Control == nullptr)
        return;
    auto* Win = dynamic_cast<TWinControl*>(Control);
    if (Win == nullptr) {
        if (Control->Parent() == nullptr)
            return;
        GCaptureControl = Control;
        Win = Control->Parent();
    }
    SetCapture(Win->Handle());
}

TControl* MouseControl()
{
    return GMouseControl;
}

void UpdateMouseControl(TControl* Control)
{
    if (Control == GMouseControl)
        return;
    TControl* Old = GMouseControl;
    GMouseControl = Control;
    if (Old != nullptr && !Old->ComponentState().Contains(csDestroying))
        Old->Perform(CM_MOUSELEAVE, 0, 0);
    if (GMouseControl != Control)
        return;
    if (Control != nullptr) {
        Control->Perform(CM_MOUSEENTER, 0, 0);
        if (ControlHooks().MouseEnteredControl && GMouseControl == Control)
            ControlHooks().MouseEnteredControl(Control);
    }
}
