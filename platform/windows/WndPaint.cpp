// Painting: update regions, the paint pass over a top-level window's image
// (frame, background, client, then child windows), window device contexts
// and the default frame of a window.
//
// Every top-level window keeps one 32-bit image of itself; its child
// windows paint into that same image through device contexts whose origin
// and clip are their visible part, as windows share the screen on the
// classic desktop.  PaintWindowTo paints the same way into any other
// image, so a test can paint a window that is not even shown.
#include "platform/windows/WndHandle.h"

#include "platform/graphics/DeviceContext.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <unordered_map>

namespace {

// Where the windows of one subtree paint while PaintWindowTo runs.
struct TRedirect {
    HWND Root;
    QImage* Image;
    // Added to image coordinates of the root's top-level to get target ones.
    TPoint Delta;
    TRegionData Clip;
};
std::vector<TRedirect>& Redirects()
{
    static auto* List = new std::vector<TRedirect>;
    return *List;
}

const TRedirect* RedirectFor(HWND Wnd)
{
    auto& List = Redirects();
    for (auto It = List.rbegin(); It != List.rend(); ++It)
        if (It->Root == Wnd || IsChild(It->Root, Wnd))
            return &*It;
    return nullptr;
}

// The window contexts handed out: released ones schedule the part of the
// image they may have changed; a top-level window that goes detaches its
// contexts from its image.
struct TWindowDC {
    HWND Top;
    bool Redirected;
};
std::unordered_map<HDC, TWindowDC>& WindowDCs()
{
    static auto* Map = new std::unordered_map<HDC, TWindowDC>;
    return *Map;
}

// The visible part of Wnd when painting into a redirect: relative to the
// redirect's root, whatever the root's own state.
TRegionData RedirectedRegion(HWND Wnd, bool ClientOnly, const TRedirect& R)
{
    // Temporarily treat the root as the top: clip only within the subtree.
    using namespace QvWnd;
    const TPoint Origin = WindowOrigin(Wnd);
    TRegionData Area(Bounds(Origin.X, Origin.Y, Wnd->Width(), Wnd->Height()));
    if (Wnd->Shape) {
        TRegionData S = *Wnd->Shape;
        S.Offset(Origin.X, Origin.Y);
        Area = Area.Combine(S, RGN_AND);
    }
    if (ClientOnly) {
        TRect C = Wnd->Client;
        OffsetRect(C, Origin.X, Origin.Y);
        Area = Area.Combine(TRegionData(C), RGN_AND);
    }
    if ((Wnd->Style & WS_CLIPCHILDREN) != 0) {
        const TPoint CO = ClientOrigin(Wnd);
        for (HWND C : Wnd->Children)
            if (C->Visible())
                Area = Area.Combine(TRegionData(Bounds(CO.X + C->Rect.Left, CO.Y + C->Rect.Top, C->Width(),
                                                       C->Height())),
                                    RGN_DIFF);
    }
    for (HWND W = Wnd; W != R.Root && W->IsChild(); W = W->Parent) {
        if (!W->Visible())
            return {};
        HWND P = W->Parent;
        const TPoint PO = ClientOrigin(P);
        Area = Area.Combine(TRegionData(Bounds(PO.X, PO.Y, P->Client.Width(), P->Client.Height())), RGN_AND);
        for (HWND S : P->Children) {
            if (S == W)
                break;
            if (S->Visible())
                Area = Area.Combine(
                    TRegionData(Bounds(PO.X + S->Rect.Left, PO.Y + S->Rect.Top, S->Width(), S->Height())),
                    RGN_DIFF);
        }
    }
    Area.Offset(R.Delta.X, R.Delta.Y);
    return Area.Combine(R.Clip, RGN_AND);
}

HDC MakeWindowDC(HWND Wnd, bool ClientOnly, QvWnd::TClipChildren ClipChildren = QvWnd::TClipChildren::ByStyle)
{
    using namespace QvWnd;
    HWND Top = TopLevel(Wnd);
    if (Top == nullptr)
        return nullptr;
    const TPoint Origin = ClientOnly ? ClientOrigin(Wnd) : WindowOrigin(Wnd);
    if (const TRedirect* R = RedirectFor(Wnd)) {
        auto* DC = new TDeviceContext(R->Image, {Origin.X + R->Delta.X, Origin.Y + R->Delta.Y},
                                      RedirectedRegion(Wnd, ClientOnly, *R));
        WindowDCs()[DC] = {Top, true};
        return DC;
    }
    if (!Top->Surface)
        return nullptr;
    auto* DC = new TDeviceContext(&Top->Surface->Image, Origin, VisibleRegion(Wnd, ClientOnly, ClipChildren));
    WindowDCs()[DC] = {Top, false};
    return DC;
}

int ReleaseWindowDC(HWND Wnd, HDC DC)
{
    (void)Wnd;
    auto& Map = WindowDCs();
    const auto It = Map.find(DC);
    if (It == Map.end())
        return 0;
    const TWindowDC Info = It->second;
    Map.erase(It);
    if (!Info.Redirected && QvWnd::Live(Info.Top) != nullptr && IsValidDC(DC)) {
        // Whatever was drawn outside a paint pass must reach the screen.
        const TRegionData& Clip = DC->ClipRegion();
        if (!Clip.IsEmpty())
            QvWnd::SchedulePaint(Info.Top, Clip.Bounds());
    }
    DeleteDC(DC);
    return 1;
}

void AddUpdate(HWND Wnd, const TRegionData& Region, bool Erase)
{
    using namespace QvWnd;
    const TRect CR{0, 0, Wnd->Client.Width(), Wnd->Client.Height()};
    TRegionData R = Region.Combine(TRegionData(CR), RGN_AND);
    if (R.IsEmpty())
        return;
    Wnd->Update = Wnd->Update.Combine(R, RGN_OR);
    if (Erase)
        Wnd->UpdateErase = true;
    if ((Wnd->Style & WS_CLIPCHILDREN) == 0) {
        // Without WS_CLIPCHILDREN the parent paints over its children,
        // which must then paint themselves again.
        for (HWND C : Wnd->Children) {
            if (!C->Visible())
                continue;
            TRegionData Part = R;
            Part.Offset(-C->Rect.Left, -C->Rect.Top);
            if (Part.Combine(TRegionData(TRect{0, 0, C->Width(), C->Height()}), RGN_AND).IsEmpty())
                continue;
            C->FrameUpdate = true;
            Part.Offset(-C->Client.Left, -C->Client.Top);
            AddUpdate(C, Part, Erase);
        }
    }
    if (IsShowing(Wnd)) {
        const TPoint O = ClientOrigin(Wnd);
        TRect B = R.Bounds();
        OffsetRect(B, O.X, O.Y);
        SchedulePaint(TopLevel(Wnd), B);
    }
}

void InvalidateAll(HWND Wnd, bool Erase, bool Frame, bool Children)
{
    if (Frame) {
        Wnd->FrameUpdate = true;
        if (QvWnd::IsShowing(Wnd)) {
            const TPoint O = QvWnd::WindowOrigin(Wnd);
            QvWnd::SchedulePaint(QvWnd::TopLevel(Wnd), Bounds(O.X, O.Y, Wnd->Width(), Wnd->Height()));
        }
    }
    AddUpdate(Wnd, TRegionData(TRect{0, 0, Wnd->Client.Width(), Wnd->Client.Height()}), Erase);
    if (Children)
        for (HWND C : Wnd->Children)
            InvalidateAll(C, Erase, Frame, true);
}

// Renders an embedded Qt editor into the image behind it, so that the
// image (and any bitmap a window is painted into) shows the editor too.
void RenderHosted(HWND Wnd)
{
    if (!Wnd->Hosted)
        return;
    HDC DC = MakeWindowDC(Wnd, true);
    if (DC == nullptr)
        return;
    QImage* Image = DC->Image();
    const TRegionData& Clip = DC->ClipRegion();
    if (Image != nullptr && !Clip.IsEmpty()) {
        QRegion Region;
        for (const TRect& R : Clip.Rects())
            Region += QRect(R.Left, R.Top, R.Width(), R.Height());
        const TPoint O = DC->ToImage({0, 0});
        QPainter Painter(Image);
        Painter.setClipRegion(Region);
        QvWnd::RenderingHosted() = true;
        Wnd->Hosted->render(&Painter, QPoint(O.X, O.Y), QRegion(), QWidget::DrawChildren);
        QvWnd::RenderingHosted() = false;
    }
    ReleaseWindowDC(Wnd, DC);
}

bool AnythingPending(HWND Wnd)
{
    if (!Wnd->Update.IsEmpty() || Wnd->FrameUpdate)
        return true;
    for (HWND C : Wnd->Children)
        if (C->Visible() && AnythingPending(C))
            return true;
    return false;
}

void PaintTree(HWND Wnd, bool Everything)
{
    using namespace QvWnd;
    if (Live(Wnd) == nullptr || !Wnd->Alive)
        return;
    if (Everything) {
        Wnd->FrameUpdate = true;
        Wnd->Update = TRegionData(TRect{0, 0, Wnd->Client.Width(), Wnd->Client.Height()});
        Wnd->UpdateErase = true;
    }
    if (Wnd->FrameUpdate) {
        Wnd->FrameUpdate = false;
        SendMessage(Wnd, WM_NCPAINT, 1, 0);
        if (Live(Wnd) == nullptr)
            return;
    }
    if (!Wnd->Update.IsEmpty() && !Wnd->Painting) {
        Wnd->Painting = true;
        const std::uint64_t Validated = Wnd->Validations;
        SendMessage(Wnd, WM_PAINT, 0, 0);
        if (Live(Wnd) == nullptr)
            return;
        Wnd->Painting = false;
        // A procedure that never validated would be asked for ever; what a
        // validating one invalidated while it painted waits for the next pass.
        if (Everything || Wnd->Validations == Validated) {
            Wnd->Update = TRegionData();
            Wnd->UpdateErase = false;
        }
        RenderHosted(Wnd);
    }
    // Asked as each child's turn comes: an earlier sibling's paint may
    // have invalidated it.  Branches with nothing to paint are not walked.
    std::vector<HWND> Kids(Wnd->Children.rbegin(), Wnd->Children.rend());
    for (HWND C : Kids)
        if (Live(C) != nullptr && C->Visible() && (Everything || AnythingPending(C)))
            PaintTree(C, Everything);
}

} // namespace

namespace QvWnd {

void InstallDCHooks()
{
    WindowDCHooks().GetDC = [](HWND Wnd) { return MakeWindowDC(Wnd, true); };
    WindowDCHooks().ReleaseDC = [](HWND Wnd, HDC DC) { return ReleaseWindowDC(Wnd, DC); };
}

bool& RenderingHosted()
{
    static bool Rendering = false;
    return Rendering;
}

namespace {

} // namespace

bool PaintPending(HWND Wnd)
{
    // A mouse move asks after every one that has changed nothing.
    if (!IsShowing(Wnd) || !AnythingPending(Wnd))
        return false;
    PaintTree(Wnd, false);
    return Live(Wnd) != nullptr && AnythingPending(Wnd);
}

void ResizeSurface(HWND Top)
{
    if (!Top->Surface)
        return;
    if (!SizeSurfaceImage(*Top->Surface, QSize(std::max(1, Top->Width()), std::max(1, Top->Height()))))
        return;
    // Contexts on the old image draw nowhere now; they are fetched again.
    for (auto& [DC, Info] : WindowDCs())
        if (Info.Top == Top && !Info.Redirected)
            DC->DetachWindowImage();
    InvalidateAll(Top, true, true, true);
}

bool SizeSurfaceImage(TWindowSurface& Surface, QSize Size)
{
    if (Surface.Image.size() == Size)
        return false;
    const QSize Held = Surface.Store.size();
    const bool Fits = Size.width() <= Held.width() && Size.height() <= Held.height();
    if (!Fits || 2LL * Size.width() * Size.height() < (long long)Held.width() * Held.height()) {
        Surface.Store = QImage(Size, QImage::Format_RGB32);
        Surface.Store.fill(ColorToQRgb(clBtnFace));
    }
    // A view sharing the store's rows: same stride, so what is painted
    // stays where it was.
    Surface.Image =
        QImage(Surface.Store.bits(), Size.width(), Size.height(), Surface.Store.bytesPerLine(), QImage::Format_RGB32);
    return true;
}

void DetachSurfaceDCs(HWND Top)
{
    for (auto& [DC, Info] : WindowDCs())
        if (Info.Top == Top && !Info.Redirected)
            DC->DetachWindowImage();
}

void DefaultNcCalcSize(HWND Wnd, TRect& Client)
{
    if (Wnd->FramedByDesktop())
        return;
    auto Inset = [&Client](int N) { InflateRect(Client, -N, -N); };
    if ((Wnd->Style & WS_THICKFRAME) != 0)
        Inset(GetSystemMetrics(SM_CXFRAME));
    else if ((Wnd->Style & WS_DLGFRAME) != 0)
        Inset(GetSystemMetrics(SM_CXDLGFRAME));
    else if ((Wnd->Style & WS_BORDER) != 0)
        Inset(1);
    if ((Wnd->ExStyle & WS_EX_CLIENTEDGE) != 0)
        Inset(2);
    if ((Wnd->ExStyle & WS_EX_STATICEDGE) != 0)
        Inset(1);
    if ((Wnd->Style & WS_VSCROLL) != 0) {
        if ((Wnd->ExStyle & WS_EX_LEFTSCROLLBAR) != 0)
            Client.Left += GetSystemMetrics(SM_CXVSCROLL);
        else
            Client.Right -= GetSystemMetrics(SM_CXVSCROLL);
    }
    if ((Wnd->Style & WS_HSCROLL) != 0)
        Client.Bottom -= GetSystemMetrics(SM_CYHSCROLL);
    Client.Right = std::max(Client.Left, Client.Right);
    Client.Bottom = std::max(Client.Top, Client.Bottom);
}

void DefaultNcPaint(HWND Wnd)
{
    if (Wnd->FramedByDesktop())
        return;
    HDC DC = GetWindowDC(Wnd);
    if (DC == nullptr)
        return;
    TRect R{0, 0, Wnd->Width(), Wnd->Height()};
    if ((Wnd->Style & (WS_THICKFRAME | WS_DLGFRAME)) != 0) {
        DrawEdge(DC, &R, EDGE_RAISED, BF_RECT | BF_ADJUST);
        const int Extra = GetSystemMetrics((Wnd->Style & WS_THICKFRAME) != 0 ? SM_CXFRAME : SM_CXDLGFRAME) - 2;
        for (int I = 0; I < Extra; ++I) {
            FrameRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
            InflateRect(R, -1, -1);
        }
    } else if ((Wnd->Style & WS_BORDER) != 0) {
        FrameRect(DC, &R, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(R, -1, -1);
    }
    if ((Wnd->ExStyle & WS_EX_CLIENTEDGE) != 0)
        DrawEdge(DC, &R, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if ((Wnd->ExStyle & WS_EX_STATICEDGE) != 0)
        DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    PaintScrollBars(Wnd, DC);
    ReleaseDC(Wnd, DC);
}

int DefaultNcHitTest(HWND Wnd, TPoint Screen)
{
    TRect WR;
    GetWindowRect(Wnd, &WR);
    if (!PtInRect(WR, Screen))
        return HTNOWHERE;
    const TPoint P{Screen.X - WR.Left, Screen.Y - WR.Top};
    if (PtInRect(Wnd->Client, P))
        return HTCLIENT;
    for (int Bar : {SB_VERT, SB_HORZ}) {
        const TRect SR = ScrollBarRect(Wnd, Bar);
        if (!IsRectEmpty(SR) && PtInRect(SR, P))
            return Bar == SB_VERT ? HTVSCROLL : HTHSCROLL;
    }
    if ((Wnd->Style & WS_THICKFRAME) != 0) {
        const int F = GetSystemMetrics(SM_CXFRAME);
        const bool L = P.X < F, Rt = P.X >= Wnd->Width() - F, T = P.Y < F, B = P.Y >= Wnd->Height() - F;
        if (T && L) return HTTOPLEFT;
        if (T && Rt) return HTTOPRIGHT;
        if (B && L) return HTBOTTOMLEFT;
        if (B && Rt) return HTBOTTOMRIGHT;
        if (L) return HTLEFT;
        if (Rt) return HTRIGHT;
        if (T) return HTTOP;
        if (B) return HTBOTTOM;
    }
    return HTBORDER;
}

} // namespace QvWnd

using namespace QvWnd;

BOOL InvalidateRect(HWND Wnd, const TRect* R, BOOL Erase)
{
    if (Live(Wnd) == nullptr)
        return FALSE;
    const TRect All{0, 0, Wnd->Client.Width(), Wnd->Client.Height()};
    AddUpdate(Wnd, TRegionData(R != nullptr ? NormalizeRect(*R) : All), Erase != 0);
    return TRUE;
}

BOOL InvalidateRgn(HWND Wnd, HRGN Region, BOOL Erase)
{
    if (Live(Wnd) == nullptr)
        return FALSE;
    if (Region == nullptr || !IsGdiObject(Region))
        return InvalidateRect(Wnd, nullptr, Erase);
    AddUpdate(Wnd, Region->Data, Erase != 0);
    return TRUE;
}

BOOL ValidateRect(HWND Wnd, const TRect* R)
{
    if (Live(Wnd) == nullptr)
        return FALSE;
    if (R == nullptr) {
        Wnd->Update = TRegionData();
        Wnd->UpdateErase = false;
    } else {
        Wnd->Update = Wnd->Update.Combine(TRegionData(NormalizeRect(*R)), RGN_DIFF);
    }
    ++Wnd->Validations;
    return TRUE;
}

BOOL RedrawWindow(HWND Wnd, const TRect* R, HRGN Region, UINT Flags)
{
    if (Live(Wnd) == nullptr)
        return FALSE;
    if ((Flags & RDW_INVALIDATE) != 0) {
        const bool Erase = (Flags & RDW_ERASE) != 0;
        if (R == nullptr && (Region == nullptr || !IsGdiObject(Region))) {
            InvalidateAll(Wnd, Erase, (Flags & RDW_FRAME) != 0, (Flags & RDW_ALLCHILDREN) != 0);
        } else {
            if ((Flags & RDW_FRAME) != 0)
                Wnd->FrameUpdate = true;
            if (Region != nullptr && IsGdiObject(Region))
                AddUpdate(Wnd, Region->Data, Erase);
            else
                AddUpdate(Wnd, TRegionData(NormalizeRect(*R)), Erase);
            if ((Flags & RDW_ALLCHILDREN) != 0)
                for (HWND C : Wnd->Children)
                    InvalidateAll(C, Erase, (Flags & RDW_FRAME) != 0, true);
        }
    }
    if ((Flags & RDW_VALIDATE) != 0) {
        ValidateRect(Wnd, R);
        if ((Flags & RDW_NOFRAME) != 0)
            Wnd->FrameUpdate = false;
    }
    if ((Flags & (RDW_UPDATENOW | RDW_ERASENOW)) != 0)
        UpdateWindow(Wnd);
    return TRUE;
}

BOOL UpdateWindow(HWND Wnd)
{
    if (Live(Wnd) == nullptr)
        return FALSE;
    PaintPending(Wnd);
    return TRUE;
}

BOOL GetUpdateRect(HWND Wnd, TRect* R, BOOL Erase)
{
    (void)Erase;
    if (Live(Wnd) == nullptr)
        return FALSE;
    if (R != nullptr)
        *R = Wnd->Update.Bounds();
    return Wnd->Update.IsEmpty() ? FALSE : TRUE;
}

HDC BeginPaint(HWND Wnd, PAINTSTRUCT* Paint)
{
    if (Live(Wnd) == nullptr || Paint == nullptr)
        return nullptr;
    const bool Redirected = RedirectFor(Wnd) != nullptr;
    TRegionData Update = Redirected ? TRegionData(TRect{0, 0, Wnd->Client.Width(), Wnd->Client.Height()})
                                    : Wnd->Update;
    const bool Erase = Redirected || Wnd->UpdateErase;
    if (!Redirected) {
        Wnd->Update = TRegionData();
        Wnd->UpdateErase = false;
        ++Wnd->Validations;
    }
    HDC DC = MakeWindowDC(Wnd, true);
    Paint->hdc = DC;
    Paint->rcPaint = Update.Bounds();
    Paint->fErase = true;
    if (DC == nullptr)
        return nullptr;
    // Only the update region may be painted.
    const TPoint O = DC->ToImage({0, 0});
    TRegionData Clip = Update;
    Clip.Offset(O.X, O.Y);
    Clip = Clip.Combine(DC->ClipRegion(), RGN_AND);
    Clip.Offset(-O.X, -O.Y);
    auto* Rgn = new TGdiRegion(std::move(Clip));
    SelectClipRgn(DC, Rgn);
    DeleteObject(Rgn);
    if (Erase)
        Paint->fErase = SendMessage(Wnd, WM_ERASEBKGND, WPARAM(DC), 0) == 0;
    else
        Paint->fErase = false;
    return DC;
}

BOOL EndPaint(HWND Wnd, const PAINTSTRUCT* Paint)
{
    if (Paint == nullptr || Paint->hdc == nullptr)
        return FALSE;
    ReleaseWindowDC(Wnd, Paint->hdc);
    return TRUE;
}

HDC GetWindowDC(HWND Wnd)
{
    if (Live(Wnd) == nullptr)
        return GetDC(nullptr);
    return MakeWindowDC(Wnd, false);
}

HDC GetDCEx(HWND Wnd, HRGN Clip, DWORD Flags)
{
    if (Live(Wnd) == nullptr)
        return GetDC(nullptr);
    // The flags alone decide whether child windows are drawn over (the
    // splitter's drag line crosses them).
    HDC DC = MakeWindowDC(Wnd, (Flags & DCX_WINDOW) == 0,
                          (Flags & DCX_CLIPCHILDREN) != 0 ? QvWnd::TClipChildren::Yes : QvWnd::TClipChildren::No);
    if (DC != nullptr && Clip != nullptr && IsGdiObject(Clip) && (Flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) != 0)
        ExtSelectClipRgn(DC, Clip, (Flags & DCX_EXCLUDERGN) != 0 ? RGN_DIFF : RGN_AND);
    return DC;
}

void PaintWindowTo(HWND Wnd, HDC DC, int X, int Y)
{
    if (Live(Wnd) == nullptr || !IsValidDC(DC) || DC->Image() == nullptr)
        return;
    const TPoint Target = DC->ToImage({X, Y});
    const TPoint Origin = WindowOrigin(Wnd);
    Redirects().push_back({Wnd, DC->Image(), {Target.X - Origin.X, Target.Y - Origin.Y}, DC->ClipRegion()});
    // Painting for a bitmap must not disturb what is pending on screen.
    struct TSaved {
        HWND W;
        TRegionData Update;
        bool Erase;
        bool Frame;
    };
    std::vector<TSaved> Saved;
    std::function<void(HWND)> Save = [&](HWND W) {
        Saved.push_back({W, W->Update, W->UpdateErase, W->FrameUpdate});
        for (HWND C : W->Children)
            Save(C);
    };
    Save(Wnd);
    try {
        PaintTree(Wnd, true);
    } catch (...) {
        Redirects().pop_back();
        throw;
    }
    Redirects().pop_back();
    for (const TSaved& S : Saved)
        if (Live(S.W) != nullptr) {
            S.W->Update = S.Update;
            S.W->UpdateErase = S.Erase;
            S.W->FrameUpdate = S.Frame;
        }
}

const QImage* WindowSurfaceImage(HWND Wnd)
{
    if (Live(Wnd) == nullptr || !Wnd->Surface)
        return nullptr;
    return &Wnd->Surface->Image;
}

std::size_t WindowSurfaceBytes(HWND Wnd)
{
    if (Live(Wnd) == nullptr || !Wnd->Surface)
        return 0;
    return std::size_t(Wnd->Surface->Store.sizeInBytes());
}
