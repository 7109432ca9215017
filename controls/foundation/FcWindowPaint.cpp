#include "controls/foundation/FcWindowPaint.h"

#include "platform/classes/TypInfo.h"
#include "platform/windows/CustomControl.h"
#include "platform/forms/Forms.h"

namespace {

// While the parent paints the backdrop, a graphic control would be painted
// among the parent's graphic children - inside its own painting, for a
// control that asks for its backdrop from Paint.  Its window procedure
// lets that paint pass by until the backdrop is done.
class TSkipOwnPaint {
public:
    explicit TSkipOwnPaint(TControl* Control) : FControl(dynamic_cast<TWinControl*>(Control) ? nullptr : Control)
    {
        if (FControl == nullptr)
            return;
        FOld = FControl->WindowProc();
        FControl->SetWindowProc([Old = FOld](TMessage& Message) {
            if (Message.Msg != WM_PAINT)
                Old(Message);
        });
    }
    ~TSkipOwnPaint()
    {
        if (FControl != nullptr)
            FControl->SetWindowProc(FOld);
    }
    TSkipOwnPaint(const TSkipOwnPaint&) = delete;
    TSkipOwnPaint& operator=(const TSkipOwnPaint&) = delete;

private:
    TControl* FControl;
    TWindowProcedure FOld;
};

bool KeepsItsOwnPicture(TWinControl* Parent)
{
    return dynamic_cast<TCustomControl*>(Parent) != nullptr || dynamic_cast<TCustomForm*>(Parent) != nullptr;
}

} // namespace

void PaintParentBackdrop(TControl* Control, HDC DC, bool RepaintParent)
{
    if (Control == nullptr || Control->Parent() == nullptr || !IsValidDC(DC))
        return;
    TWinControl* Parent = Control->Parent();
    {
        TSkipOwnPaint Skip(Control);
        const int Saved = SaveDC(DC);
        TPoint Origin;
        GetViewportOrgEx(DC, &Origin);
        SetViewportOrgEx(DC, Origin.X - Control->Left(), Origin.Y - Control->Top(), nullptr);
        IntersectClipRect(DC, 0, 0, Parent->ClientWidth(), Parent->ClientHeight());
        try {
            Parent->Perform(WM_ERASEBKGND, WPARAM(DC), 0);
            Parent->Perform(WM_PAINT, WPARAM(DC), 0);
        } catch (...) {
            RestoreDC(DC, Saved);
            throw;
        }
        RestoreDC(DC, Saved);
    }
    if (RepaintParent && !KeepsItsOwnPicture(Parent) && !Control->ComponentState().Contains(csDesigning))
        Parent->Invalidate();
}

void PaintParentBackdropOnCanvas(TControl* Control, TCanvas* Canvas, bool RepaintParent)
{
    if (Canvas != nullptr)
        PaintParentBackdrop(Control, Canvas->Handle(), RepaintParent);
}

void RedrawFrameArea(HWND Wnd, const TRect* R)
{
    HDC DC = GetWindowDC(Wnd);
    TRect Box;
    const int Visible = GetClipBox(DC, &Box);
    ReleaseDC(Wnd, DC);
    if (Visible != NULLREGION && Visible != RGN_ERROR)
        RedrawWindow(Wnd, R, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void InvalidateTransparentControls(TWinControl* Control)
{
    if (Control == nullptr)
        return;
    for (int I = 0; I < Control->ControlCount(); ++I) {
        TControl* Child = Control->Controls(I);
        const TPropInfo* P = GetPropInfo(Child, QStringLiteral("Transparent"));
        if (P != nullptr && P->PropType == TypeInfoOf<bool>() && GetOrdProp(Child, P) != 0)
            Child->Invalidate();
    }
}
