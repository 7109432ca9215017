#include "platform/windows/DragManager.h"

#include "platform/windows/WinControl.h"

#include <cstdlib>
#include <memory>

namespace {

struct TDrag {
    TControl* Source = nullptr;
    TDragObject* Object = nullptr;
    bool OwnsObject = false;
    bool Waiting = false;
    int Threshold = 0;
    TPoint Start;
    TControl* Target = nullptr;
    bool Accepted = false;
    HWND Capture = nullptr;
};

TDrag* GDrag = nullptr;

bool IsDock(const TDrag& D)
{
    return dynamic_cast<TDragDockObject*>(D.Object) != nullptr;
}

// The object a drop target sees as the source: the control itself for a
// plain control drag, as classically.
TObject* SourceObject(const TDrag& D)
{
    if (dynamic_cast<TDragControlObject*>(D.Object) != nullptr)
        return D.Source;
    return D.Object;
}

TWinControl* FindDockSite(TControl* Dragged, TPoint Pos, TRect& DockRect)
{
    TControl* Under = FindDragTarget(Pos, false);
    for (TControl* C = Under; C != nullptr; C = C->Parent()) {
        auto* Site = dynamic_cast<TWinControl*>(C);
        if (Site == nullptr || !Site->DockSite() || Site == Dragged)
            continue;
        if (auto* W = dynamic_cast<TWinControl*>(Dragged); W != nullptr && W->ContainsControl(Site))
            continue;
        TRect Influence;
        GetWindowRect(Site->Handle(), &Influence);
        bool CanDock = true;
        Site->GetSiteInfo(Dragged, Influence, Pos, CanDock);
        if (CanDock && PtInRect(Influence, Pos)) {
            DockRect = Influence;
            return Site;
        }
    }
    return nullptr;
}

void Notify(TDrag& D, TControl* Target, TPoint Pos, TDragState State)
{
    if (Target == nullptr)
        return;
    const TPoint P = Target->ScreenToClient(Pos);
    if (auto* Dock = dynamic_cast<TDragDockObject*>(D.Object)) {
        auto* Site = dynamic_cast<TWinControl*>(Target);
        D.Accepted = Site != nullptr && Site->DockOver(Dock, P.X, P.Y, State);
        return;
    }
    bool Accept = false;
    Target->DragOver(SourceObject(D), P.X, P.Y, State, Accept);
    D.Accepted = Accept;
}

void DragTo(TDrag& D, TPoint Pos)
{
    D.Object->DragPos = Pos;
    TControl* Target = nullptr;
    if (auto* Dock = dynamic_cast<TDragDockObject*>(D.Object)) {
        TRect R;
        Target = FindDockSite(D.Source, Pos, R);
        Dock->DockRect = Target != nullptr ? R : Bounds(Pos.X, Pos.Y, D.Source->UndockWidth(), D.Source->UndockHeight());
        Dock->Floating = Target == nullptr;
    } else {
        Target = FindDragTarget(Pos, false);
    }
    if (Target != D.Target) {
        if (D.Target != nullptr)
            Notify(D, D.Target, Pos, dsDragLeave);
        D.Target = Target;
        D.Object->DragTarget = Target;
        D.Accepted = false;
        Notify(D, Target, Pos, dsDragEnter);
    } else {
        Notify(D, Target, Pos, dsDragMove);
    }
    if (Target != nullptr)
        D.Object->DragTargetPos = Target->ScreenToClient(Pos);
    SetCursor(CursorHandle(D.Object->GetDragCursor(D.Accepted || IsDock(D), Pos.X, Pos.Y)));
}

void EndDrag(bool Drop)
{
    if (GDrag == nullptr)
        return;
    std::unique_ptr<TDrag> D(GDrag);
    GDrag = nullptr;
    if (IsWindow(D->Capture)) {
        if (GetCapture() == D->Capture)
            ReleaseCapture();
        DestroyWindow(D->Capture);
    }
    TPoint Pos;
    GetCursorPos(&Pos);
    const bool Started = !D->Waiting;
    TControl* Target = Drop && Started ? D->Target : nullptr;
    D->Object->Dropped = Target != nullptr && (D->Accepted || IsDock(*D));
    D->Object->Cancelling = !Drop;
    if (auto* Dock = dynamic_cast<TDragDockObject*>(D->Object); Dock != nullptr && Drop && Started) {
        if (auto* Site = dynamic_cast<TWinControl*>(Target); Site != nullptr && D->Accepted) {
            const TPoint P = Site->ScreenToClient(Pos);
            Site->DockDrop(Dock, P.X, P.Y);
        } else if (D->Source->DragKind() == dkDock) {
            D->Source->ManualFloat(Dock->DockRect);
        }
        D->Source->DoEndDock(Target, Pos.X, Pos.Y);
    } else {
        if (D->Object->Dropped) {
            const TPoint P = Target->ScreenToClient(Pos);
            Target->DragDrop(SourceObject(*D), P.X, P.Y);
        }
        const TPoint P = Target != nullptr ? Target->ScreenToClient(Pos) : TPoint{0, 0};
        D->Source->DoEndDrag(D->Object->Dropped ? Target : nullptr, P.X, P.Y);
    }
    D->Object->Finished(Target, Pos.X, Pos.Y, D->Object->Dropped);
    if (D->OwnsObject)
        delete D->Object;
    SetCursor(CursorHandle(crDefault));
}

void CaptureProc(TMessage& M)
{
    if (GDrag == nullptr)
        return;
    switch (M.Msg) {
    case WM_MOUSEMOVE: {
        TPoint Pos;
        GetCursorPos(&Pos);
        if (GDrag->Waiting) {
            if (std::abs(Pos.X - GDrag->Start.X) < GDrag->Threshold
                && std::abs(Pos.Y - GDrag->Start.Y) < GDrag->Threshold)
                return;
            GDrag->Waiting = false;
        }
        DragTo(*GDrag, Pos);
        return;
    }
    case WM_LBUTTONUP:
        EndDrag(true);
        return;
    case WM_RBUTTONDOWN:
    case WM_CANCELMODE:
        EndDrag(false);
        return;
    case WM_CAPTURECHANGED:
        if (M.LParam != 0 && HWND(M.LParam) != GDrag->Capture)
            EndDrag(false);
        return;
    case WM_KEYDOWN:
    case CN_KEYDOWN:
        // The application hands keys to the capture window as CN_KEYDOWN.
        if (M.WParam == VK_ESCAPE)
            EndDrag(false);
        M.Result = 1;
        return;
    default:
        M.Result = DefWindowProc(GDrag->Capture, M.Msg, M.WParam, M.LParam);
        return;
    }
}

} // namespace

TCursor TDragObject::GetDragCursor(bool Accepted, int X, int Y)
{
    (void)X;
    (void)Y;
    return Accepted ? crDrag : crNoDrop;
}

void TDragObject::Finished(TObject* Target, int X, int Y, bool Accepted)
{
    (void)Target;
    (void)X;
    (void)Y;
    (void)Accepted;
}

void StartDrag(TControl* Control, bool Immediate, int Threshold)
{
    if (GDrag != nullptr || Control == nullptr)
        return;
    auto D = std::make_unique<TDrag>();
    D->Source = Control;
    D->Waiting = !Immediate;
    D->Threshold = std::max(1, Threshold);
    GetCursorPos(&D->Start);
    TDragObject* Object = nullptr;
    if (Control->DragKind() == dkDock)
        Control->DoStartDock(Object);
    else
        Control->DoStartDrag(Object);
    if (Object == nullptr) {
        Object = Control->DragKind() == dkDock ? Control->CreateDockObject() : new TDragControlObject(Control);
        D->OwnsObject = true;
    }
    D->Object = Object;
    // The drag is known to the capture window's procedure from its first
    // message on, so that its creation messages get their default answers
    // (a window refusing WM_NCCREATE would never be made).
    TDrag* Raw = D.get();
    GDrag = D.release();
    TWindowCreateParams P;
    P.ClassName = QStringLiteral("TDragCapture");
    P.Style = WS_POPUP;
    P.WindowProc = CaptureProc;
    P.Created = [Raw](HWND Wnd) { Raw->Capture = Wnd; };
    if (CreateWindowEx(P) == nullptr) {
        GDrag = nullptr;
        if (Raw->OwnsObject)
            delete Raw->Object;
        delete Raw;
        return;
    }
    SetCapture(GDrag->Capture);
    if (Immediate)
        DragTo(*GDrag, GDrag->Start);
}

void FinishDrag(TControl* Control, bool Drop)
{
    if (GDrag != nullptr && GDrag->Source == Control)
        EndDrag(Drop);
}

void CancelDrag(TControl* Control)
{
    if (GDrag == nullptr)
        return;
    if (GDrag->Target == Control)
        GDrag->Target = nullptr;
    if (GDrag->Source != Control)
        return;
    std::unique_ptr<TDrag> D(GDrag);
    GDrag = nullptr;
    if (IsWindow(D->Capture))
        DestroyWindow(D->Capture);
    if (D->OwnsObject)
        delete D->Object;
}

TControl* DragControl()
{
    return GDrag != nullptr ? GDrag->Source : nullptr;
}

bool DragWaiting()
{
    return GDrag != nullptr && GDrag->Waiting;
}
