#include "controls/lists/FcTabButtons.h"

#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcGlyphs.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/lists/FcTabControl.h"
#include "platform/actions/Menus.h"
#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TFcTabStripButton, TCustomControl)
    PUBLISHED(FrameColor, clBtnShadow)
END_REGISTER

REGISTER_COMPONENT(TFcTabCloseButton, TFcTabStripButton)
    PUBLISHED_EVENT(OnClose)
END_REGISTER

REGISTER_COMPONENT(TFcTabMenuButton, TFcTabStripButton)
    PUBLISHED_EVENT(OnDisplayMenu)
END_REGISTER

void PaintTabButtonFace(TCanvas* Canvas, const TRect& R, TFcCustomTabControl* TabControl, TColor FrameColor, bool Down)
{
    const TFcTabColors Defaults;
    const TFcTabColors* Colors = TabControl != nullptr ? TabControl->TabColors() : &Defaults;
    const TColor Frame = LightenColor(FrameColor, 30);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetColor(Frame);
    if (TabControl == nullptr || TabControl->UseGradients()) {
        TRect Inner = R;
        InflateRect(Inner, -1, -1);
        FillGradientRect(Canvas, Inner, gdHorizontalEnd, Down ? Colors->Shadow() : Colors->Unselected(),
                         Down ? Colors->Unselected() : Colors->Shadow(), 1);
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Rectangle(R);
        Canvas->Brush()->SetStyle(bsSolid);
        return;
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Colors->Unselected());
    Canvas->Rectangle(R);
}

// --- the shared press, slide and release ---------------------------------------------------------------

TFcTabStripButton::TFcTabStripButton(TComponent* AOwner)
    : TCustomControl(AOwner), FTabControl(dynamic_cast<TFcCustomTabControl*>(AOwner))
{
    FWidth = 15;
    FHeight = 15;
}

void TFcTabStripButton::SetFrameColor(TColor Value)
{
    if (AssignIfChanged(FFrameColor, Value))
        Invalidate();
}

void TFcTabStripButton::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    TCustomControl::WndProc(Message);
}

void TFcTabStripButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    FMouseDown = true;
    FPressedIn = true;
    Invalidate();
    SetMouseCapture(true);
}

void TFcTabStripButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FMouseDown)
        return;
    if (AssignIfChanged(FPressedIn, PtInRect(ClientRect(), TPoint{X, Y})))
        Invalidate();
}

void TFcTabStripButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    SetMouseCapture(false);
    FMouseDown = false;
    const bool Click = FPressedIn;
    FPressedIn = false;
    Invalidate();
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Click)
        ButtonClick();
}

// --- the close button -----------------------------------------------------------------------------------

TFcTabCloseButton::TFcTabCloseButton(TComponent* AOwner) : TFcTabStripButton(AOwner)
{}

void TFcTabCloseButton::Paint()
{
    const TRect R = ClientRect();
    PaintTabButtonFace(Canvas(), R, FTabControl, FrameColor(), FPressedIn);
    PaintCloseCross(Canvas(), R, false, true, FPressedIn);
}

void TFcTabCloseButton::ButtonClick()
{
    if (FOnClose)
        FOnClose(this);
}

// --- the tab menu button ----------------------------------------------------------------------------------

TFcTabMenuButton::TFcTabMenuButton(TComponent* AOwner) : TFcTabStripButton(AOwner), FMenu(new TPopupMenu(this))
{}

int TFcTabMenuButton::ArrowDirection() const
{
    if (FTabControl == nullptr)
        return ArrowDown;
    switch (FTabControl->TabOrientation()) {
    case toTop:
        return ArrowDown;
    case toLeft:
        return ArrowRight;
    case toBottom:
        return ArrowUp;
    case toRight:
        return ArrowLeft;
    }
    return ArrowDown;
}

void TFcTabMenuButton::Paint()
{
    const TRect R = ClientRect();
    PaintTabButtonFace(Canvas(), R, FTabControl, FrameColor(), FPressedIn);
    PaintDirectionArrow(Canvas(), R, false, ArrowDirection(), true, FPressedIn);
}

void TFcTabMenuButton::ButtonClick()
{
    ShowTabMenu();
}

void TFcTabMenuButton::ShowTabMenu()
{
    if (FTabControl == nullptr)
        return;
    TMenuItem* Items = FMenu->Items();
    for (int I = Items->Count() - 1; I >= 0; --I)
        Items->Items(I)->Free();
    FMenu->SetImages(FTabControl->Images());
    TFcCustomTabControl* Tabs = FTabControl;
    for (int I = 0; I < Tabs->Tabs()->Count(); ++I) {
        const TFcTabData* T = Tabs->Tabs()->Items(I);
        if (!T->Visible())
            continue;
        auto* Item = new TMenuItem(Tabs->Owner());
        Item->SetCaption(T->Caption());
        Item->SetEnabled(T->Enabled());
        Item->SetChecked(I == Tabs->TabIndex());
        Item->SetImageIndex(!T->Enabled() && T->DisabledIndex() != -1 ? T->DisabledIndex() : T->ImageIndex());
        Item->SetTag(I);
        Item->SetOnClick([Tabs, Item](TObject*) { Tabs->SetTabIndex(int(Item->Tag())); });
        Items->Add(Item);
    }
    // Below or beside the button, away from the page.
    const bool Standard = Tabs->TabSequence() == tsStandard;
    TPoint P{0, 0};
    TPopupAlignment Alignment = paLeft;
    switch (Tabs->TabOrientation()) {
    case toTop:
        P = {Standard ? Width() : 0, Height()};
        Alignment = Standard ? paRight : paLeft;
        break;
    case toLeft:
        P = {Width(), 0};
        break;
    case toBottom:
        P = {Standard ? Width() : 0, 0};
        Alignment = Standard ? paRight : paLeft;
        break;
    case toRight:
        Alignment = paRight;
        break;
    }
    P = ClientToScreen(P);
    FMenu->SetAlignment(Alignment);
    FMenu->Popup(P.X, P.Y);
}
