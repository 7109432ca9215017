#include "platform/stdctrls/Splitter.h"

#include "platform/classes/TypInfo.h"
#include "platform/windows/WinControl.h"
#include "platform/graphics/Bitmap.h"

REGISTER_ENUM(TResizeStyle, rsNone, rsLine, rsUpdate, rsPattern)

namespace {

// The halftone the rsPattern line is drawn with, made once.
HBRUSH PatternBrush()
{
    static HBRUSH Brush = CreatePatternBrush(AllocPatternBitmap(clBlack, clWhite)->Handle());
    return Brush;
}

} // namespace

REGISTER_COMPONENT(TSplitter, TGraphicControl)
    PUBLISHED(Align, alLeft)
    // Written whenever they are not what the alignment implies: a bar made
    // aligned left has the anchors of alLeft, not the usual ones.
    PUBLISHED_NODEFAULT_STORED(Anchors, [](const TSplitter& S) { return S.Anchors() != AnchorAlign(S.Align()); })
    PUBLISHED(AutoSnap, true)
    PUBLISHED(Beveled, false)
    PUBLISHED(Cursor, crHSplit)
    PUBLISHED(MinSize, 30)
    PUBLISHED(ResizeStyle, rsPattern)
    PUBLISHED_EVENT(OnCanResize)
    PUBLISHED_EVENT(OnMoved)
    PUBLISHED_EVENT(OnPaint)
END_REGISTER

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetAlign(alLeft);
    FWidth = 3;
    SetCursor(crHSplit);
}

TSplitter::~TSplitter()
{
    UnhookFocusKeys();
    if (FLineDC != nullptr && Parent() != nullptr)
        ReleaseDC(Parent()->Handle(), FLineDC);
}

void TSplitter::SetBeveled(bool Value)
{
    if (AssignIfChanged(FBeveled, Value))
        Invalidate();
}

void TSplitter::SetMinSize(int Value)
{
    FMinSize = std::max(Value, 1);
}

void TSplitter::Dispatch(TMessage& Message)
{
    TGraphicControl::Dispatch(Message);
    // The cursor follows the direction the bar moves in, unless set by hand.
    if (Message.Msg == WM_WINDOWPOSCHANGED && (Cursor() == crHSplit || Cursor() == crVSplit))
        SetCursor(Align() == alTop || Align() == alBottom ? crVSplit : crHSplit);
}

TControl* TSplitter::FindControl()
{
    if (Parent() == nullptr)
        return nullptr;
    TPoint P{Left(), Top()};
    switch (Align()) {
    case alLeft:
        --P.X;
        break;
    case alRight:
        P.X += Width();
        break;
    case alTop:
        --P.Y;
        break;
    case alBottom:
        P.Y += Height();
        break;
    default:
        return nullptr;
    }
    const bool Before = Align() == alLeft || Align() == alTop;
    for (int I = 0; I < Parent()->ControlCount(); ++I) {
        TControl* C = Parent()->Controls(I);
        if (C == this || !C->Visible() || !C->Enabled())
            continue;
        // A control collapsed to nothing still sits against the bar.
        TRect R = C->BoundsRect();
        if (R.Width() == 0)
            Before ? --R.Left : ++R.Right;
        if (R.Height() == 0)
            Before ? --R.Top : ++R.Bottom;
        if (PtInRect(R, P))
            return C;
    }
    return nullptr;
}

// The most the control may take: the parent's client extent less MinSize
// and less every other control aligned along the same axis.
void TSplitter::CalcMaxSize()
{
    const bool V = Vertical();
    FMaxSize = (V ? Parent()->ClientWidth() : Parent()->ClientHeight()) - FMinSize;
    for (int I = 0; I < Parent()->ControlCount(); ++I) {
        TControl* C = Parent()->Controls(I);
        if (!C->Visible())
            continue;
        if (V && (C->Align() == alLeft || C->Align() == alRight))
            FMaxSize -= C->Width();
        else if (!V && (C->Align() == alTop || C->Align() == alBottom))
            FMaxSize -= C->Height();
    }
    FMaxSize += V ? FControl->Width() : FControl->Height();
}

void TSplitter::CalcSplitSize(int X, int Y, int& NewSize, int& Split)
{
    Split = Vertical() ? X - FDownPos.X : Y - FDownPos.Y;
    int S = 0;
    switch (Align()) {
    case alLeft:
        S = FControl->Width() + Split;
        break;
    case alRight:
        S = FControl->Width() - Split;
        break;
    case alTop:
        S = FControl->Height() + Split;
        break;
    case alBottom:
        S = FControl->Height() - Split;
        break;
    default:
        break;
    }
    NewSize = std::clamp(S, FMinSize, std::max(FMinSize, FMaxSize));
    // The line stops where the size stops.
    if (S != NewSize)
        Split += Align() == alRight || Align() == alBottom ? S - NewSize : NewSize - S;
}

bool TSplitter::CanResize(int& NewSize)
{
    bool Accept = true;
    if (FOnCanResize)
        FOnCanResize(this, NewSize, Accept);
    return Accept;
}

bool TSplitter::DoCanResize(int& NewSize)
{
    const bool Result = CanResize(NewSize);
    if (Result && NewSize <= FMinSize && FAutoSnap)
        NewSize = 0;
    return Result;
}

// --- dragging ---------------------------------------------------------------------------------------

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    FControl = FindControl();
    FDownPos = {X, Y};
    if (FControl == nullptr)
        return;
    CalcMaxSize();
    CalcSplitSize(X, Y, FNewSize, FSplit);
    FOldSize = Vertical() ? FControl->Width() : FControl->Height();
    // The line crosses the parent's child windows too.
    FLineDC = GetDCEx(Parent()->Handle(), nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    HookFocusKeys();
    if (FResizeStyle == rsLine || FResizeStyle == rsPattern)
        DrawLine();
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!Shift.Contains(ssLeft) || FControl == nullptr)
        return;
    int NewSize = 0, Split = 0;
    CalcSplitSize(X, Y, NewSize, Split);
    if (!DoCanResize(NewSize))
        return;
    const bool Line = FResizeStyle == rsLine || FResizeStyle == rsPattern;
    if (Line)
        DrawLine();
    FNewSize = NewSize;
    FSplit = Split;
    if (FResizeStyle == rsUpdate)
        UpdateControlSize();
    else if (Line)
        DrawLine();
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (FControl == nullptr)
        return;
    if (FLineVisible)
        DrawLine();
    UpdateControlSize();
    StopSizing();
}

void TSplitter::UpdateControlSize()
{
    if (FNewSize == FOldSize)
        return;
    switch (Align()) {
    case alLeft:
        FControl->SetWidth(FNewSize);
        break;
    case alTop:
        FControl->SetHeight(FNewSize);
        break;
    case alRight:
        // Grows to the left: the alignment must not see the half-way state.
        Parent()->DisableAlign();
        FControl->SetBounds(FControl->Left() + FControl->Width() - FNewSize, FControl->Top(), FNewSize,
                            FControl->Height());
        Parent()->EnableAlign();
        break;
    case alBottom:
        Parent()->DisableAlign();
        FControl->SetBounds(FControl->Left(), FControl->Top() + FControl->Height() - FNewSize, FControl->Width(),
                            FNewSize);
        Parent()->EnableAlign();
        break;
    default:
        break;
    }
    Update();
    FOldSize = FNewSize;
    if (FOnMoved)
        FOnMoved(this);
}

void TSplitter::StopSizing()
{
    if (FControl == nullptr)
        return;
    if (FLineVisible)
        DrawLine();
    FControl = nullptr;
    if (FLineDC != nullptr) {
        ReleaseDC(Parent() != nullptr ? Parent()->Handle() : nullptr, FLineDC);
        FLineDC = nullptr;
    }
    UnhookFocusKeys();
}

// The line that follows the mouse: inverted, so drawing it again takes it
// away.
void TSplitter::DrawLine()
{
    if (FLineDC == nullptr)
        return;
    FLineVisible = !FLineVisible;
    TPoint P{Left(), Top()};
    if (Vertical())
        P.X += FSplit;
    else
        P.Y += FSplit;
    HBRUSH Brush = FResizeStyle == rsPattern ? PatternBrush() : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    HBRUSH Old = SelectObject(FLineDC, Brush);
    PatBlt(FLineDC, P.X, P.Y, Width(), Height(), PATINVERT);
    SelectObject(FLineDC, Old);
}

// Escape while dragging ends the drag and leaves the control alone.  Keys
// go to the focused window (the parent's when none has the focus), whose
// window is subclassed meanwhile; losing the mouse ends the drag the same way.
void TSplitter::HookFocusKeys()
{
    FHookedWnd = GetFocus() != nullptr ? GetFocus() : Parent()->Handle();
    FHookedSerial = WindowSerial(FHookedWnd);
    FParentProc = GetWindowProc(FHookedWnd);
    ::SetWindowProc(FHookedWnd, [this, Old = FParentProc](TMessage& Message) {
        if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_ESCAPE) {
            StopSizing();
            return;
        }
        if (Message.Msg == WM_CANCELMODE)
            StopSizing();
        Old(Message);
    });
}

void TSplitter::UnhookFocusKeys()
{
    if (FHookedWnd != nullptr && IsWindowSerial(FHookedWnd, FHookedSerial))
        ::SetWindowProc(FHookedWnd, FParentProc);
    FHookedWnd = nullptr;
    FParentProc = nullptr;
}

void TSplitter::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FControl)
        StopSizing();
}

// --- painting ---------------------------------------------------------------------------------------

void TSplitter::Paint()
{
    TCanvas* C = Canvas();
    TRect R = GetClientRect();
    C->Brush()->SetColor(Color());
    C->FillRect(R);
    if (FBeveled) {
        if (Vertical())
            InflateRect(R, -1, 2);
        else
            InflateRect(R, 2, -1);
        OffsetRect(R, 1, 1);
        C->Brush()->SetColor(clBtnHighlight);
        C->FrameRect(R);
        OffsetRect(R, -2, -2);
        C->Brush()->SetColor(clBtnShadow);
        C->FrameRect(R);
    }
    if (FOnPaint)
        FOnPaint(this);
}
