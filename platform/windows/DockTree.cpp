#include "platform/windows/DockTree.h"

#include "platform/graphics/Canvas.h"

#include <algorithm>

TDockTree::TDockTree(TWinControl* DockSite) : FDockSite(DockSite)
{
    // Clients that were docked before the manager came.
    for (int I = 0; I < DockSite->DockClientCount(); ++I)
        FZones.push_back({DockSite->DockClients(I), {}});
}

TDockTree::~TDockTree() = default;

void TDockTree::SetGrabberSize(int Value)
{
    if (FGrabberSize == Value)
        return;
    FGrabberSize = Value;
    ResetBounds(true);
}

void TDockTree::BeginUpdate()
{
    ++FUpdateCount;
}

void TDockTree::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        ResetBounds(true);
}

bool TDockTree::GrabberOnLeft() const
{
    return FDockSite->Align() == alTop || FDockSite->Align() == alBottom;
}

void TDockTree::AdjustDockRect(TControl* Control, TRect& ARect)
{
    (void)Control;
    if (GrabberOnLeft())
        ARect.Left += FGrabberSize;
    else
        ARect.Top += FGrabberSize;
}

void TDockTree::GetControlBounds(TControl* Control, TRect& CtlBounds)
{
    for (const TZone& Z : FZones)
        if (Z.Control == Control) {
            CtlBounds = Z.Rect;
            AdjustDockRect(Control, CtlBounds);
            return;
        }
}

void TDockTree::InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl)
{
    if (FReplacing != nullptr) {
        for (TZone& Z : FZones)
            if (Z.Control == FReplacing)
                Z.Control = Control;
        FReplacing = nullptr;
        ResetBounds(true);
        return;
    }
    if (std::any_of(FZones.begin(), FZones.end(), [Control](const TZone& Z) { return Z.Control == Control; }))
        return;
    auto Pos = FZones.end();
    if (DropCtl != nullptr) {
        Pos = std::find_if(FZones.begin(), FZones.end(), [DropCtl](const TZone& Z) { return Z.Control == DropCtl; });
        if (Pos != FZones.end() && InsertAt != alLeft && InsertAt != alTop)
            ++Pos;
    }
    FZones.insert(Pos, {Control, {}});
    ResetBounds(true);
}

void TDockTree::RemoveControl(TControl* Control)
{
    FZones.erase(std::remove_if(FZones.begin(), FZones.end(), [Control](const TZone& Z) { return Z.Control == Control; }),
                 FZones.end());
    ResetBounds(true);
    if (FDockSite->HandleAllocated())
        FDockSite->Invalidate();
}

void TDockTree::SetReplacingControl(TControl* Control)
{
    FReplacing = Control;
}

void TDockTree::Layout()
{
    if (!FDockSite->HandleAllocated())
        return;
    TRect R = FDockSite->ClientRect();
    FDockSite->AdjustClientRect(R);
    std::vector<TZone*> Shown;
    for (TZone& Z : FZones)
        if (Z.Control->Visible())
            Shown.push_back(&Z);
    const int N = int(Shown.size());
    const bool Across = GrabberOnLeft();
    const int Length = Across ? R.Width() : R.Height();
    for (int I = 0; I < N; ++I) {
        const int From = Length * I / std::max(N, 1), To = Length * (I + 1) / std::max(N, 1);
        Shown[std::size_t(I)]->Rect = Across ? TRect{R.Left + From, R.Top, R.Left + To, R.Bottom}
                                             : TRect{R.Left, R.Top + From, R.Right, R.Top + To};
    }
}

void TDockTree::ResetBounds(bool Force)
{
    (void)Force;
    if (FUpdateCount > 0)
        return;
    Layout();
    for (const TZone& Z : FZones) {
        if (!Z.Control->Visible() || Z.Control->Parent() != FDockSite)
            continue;
        TRect R = Z.Rect;
        AdjustDockRect(Z.Control, R);
        if (Z.Control->BoundsRect() != R)
            Z.Control->SetBoundsRect(R);
    }
}

void TDockTree::PositionDockRect(TControl* Client, TControl* DropCtl, TAlign DropAlign, TRect& DockRect)
{
    (void)Client;
    (void)DropAlign;
    TRect R = FDockSite->ClientRect();
    for (const TZone& Z : FZones)
        if (Z.Control == DropCtl)
            R = Z.Rect;
    const TPoint A = FDockSite->ClientToScreen(R.TopLeft());
    DockRect = Bounds(A.X, A.Y, R.Width(), R.Height());
}

TRect TDockTree::CloseButtonRect(TControl* Control, const TRect& ZoneRect)
{
    (void)Control;
    const int S = std::max(FGrabberSize - 3, 5);
    if (GrabberOnLeft())
        return Bounds(ZoneRect.Left + 1, ZoneRect.Top + 1, S, S);
    return Bounds(ZoneRect.Right - S - 2, ZoneRect.Top + 1, S, S);
}

void TDockTree::PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& ARect)
{
    HDC DC = Canvas->Handle();
    const TRect Close = CloseButtonRect(Control, ARect);
    // Two raised grooves along the grabber, as classic tool windows show.
    for (int Line = 0; Line < 2; ++Line) {
        TRect G;
        if (GrabberOnLeft())
            G = {ARect.Left + 3 + Line * 3, Close.Bottom + 2, ARect.Left + 6 + Line * 3, ARect.Bottom - 2};
        else
            G = {ARect.Left + 2, ARect.Top + 3 + Line * 3, Close.Left - 2, ARect.Top + 6 + Line * 3};
        if (G.Right > G.Left && G.Bottom > G.Top)
            DrawEdge(DC, &G, BDR_RAISEDINNER, BF_RECT);
    }
    TRect B = Close;
    DrawFrameControl(DC, &B, DFC_BUTTON, DFCS_BUTTONPUSH);
    // The cross, drawn: no symbol font is needed.
    Canvas->Pen()->SetColor(clBtnText);
    for (int D = 0; D < 2; ++D) {
        Canvas->MoveTo(Close.Left + 2 + D, Close.Top + 2);
        Canvas->LineTo(Close.Right - 2 + D, Close.Bottom - 2);
        Canvas->MoveTo(Close.Right - 3 + D, Close.Top + 2);
        Canvas->LineTo(Close.Left - 1 + D, Close.Bottom - 2);
    }
}

void TDockTree::PaintSite(HDC DC)
{
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    for (const TZone& Z : FZones)
        if (Z.Control->Visible() && !IsRectEmpty(Z.Rect))
            PaintDockFrame(&Canvas, Z.Control, Z.Rect);
    Canvas.SetHandle(nullptr);
}

int TDockTree::ZoneAt(TPoint P) const
{
    for (std::size_t I = 0; I < FZones.size(); ++I)
        if (FZones[I].Control->Visible() && PtInRect(FZones[I].Rect, P))
            return int(I);
    return -1;
}

bool TDockTree::MouseMessage(TMessage& Message)
{
    const TPoint P = LParamToPoint(Message.LParam);
    const int Zone = ZoneAt(P);
    if (Zone < 0)
        return false;
    TControl* Client = FZones[std::size_t(Zone)].Control;
    TRect ClientArea = FZones[std::size_t(Zone)].Rect;
    AdjustDockRect(Client, ClientArea);
    if (PtInRect(ClientArea, P))
        return false;
    const bool OnClose = PtInRect(CloseButtonRect(Client, FZones[std::size_t(Zone)].Rect), P);
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        if (!OnClose)
            Client->BeginDrag(false);
        return true;
    case WM_LBUTTONUP:
        if (OnClose) {
            if (auto* Win = dynamic_cast<TWinControl*>(Client);
                Win != nullptr && dynamic_cast<IFormSite*>(Win) != nullptr && Win->HandleAllocated())
                PostMessage(Win->Handle(), WM_CLOSE, 0, 0);
            else
                Client->SetVisible(false);
        }
        return true;
    case WM_LBUTTONDBLCLK:
        Client->ManualFloat(Bounds(Client->ClientOrigin().X, Client->ClientOrigin().Y, Client->UndockWidth(),
                                   Client->UndockHeight()));
        return true;
    default:
        return false;
    }
}
