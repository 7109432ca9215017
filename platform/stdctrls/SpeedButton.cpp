#include "platform/stdctrls/SpeedButton.h"

#include "platform/actions/Menus.h"
#include "platform/classes/ComponentRef.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"
#include "platform/windows/WinControl.h"

REGISTER_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)
REGISTER_ENUM(TButtonState, bsUp, bsDisabled, bsDown, bsExclusive)

REGISTER_COMPONENT(TSpeedButton, TGraphicControl)
    PUBLISHED(AllowAllUp, false)
    PUBLISHED(GroupIndex, 0)
    PUBLISHED_STORED(Down, false, &TSpeedButton::IsCheckedStored)
    PUBLISHED_STORED(Color, clBtnFace, &TSpeedButton::IsColorStored)
    PUBLISHED(ParentColor, false)
    PUBLISHED(Flat, false)
    PUBLISHED_OBJECT(Glyph)
    PUBLISHED(Layout, blGlyphLeft)
    PUBLISHED(Margin, -1)
    PUBLISHED(NumGlyphs, 1)
    PUBLISHED(Spacing, 4)
    PUBLISHED(Transparent, true)
END_REGISTER

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TButtonGlyph>())
{
    FGlyph->SetOnChange([this](TObject*) { Invalidate(); });
    FLeft = 0;
    FTop = 0;
    FWidth = 23;
    FHeight = 22;
    FControlStyle = {csCaptureMouse, csDoubleClicks};
    SetColor(clBtnFace);
}

TSpeedButton::~TSpeedButton() = default;

// --- properties ---------------------------------------------------------------------------------

void TSpeedButton::SetAllowAllUp(bool Value)
{
    if (AssignIfChanged(FAllowAllUp, Value))
        UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int Value)
{
    if (AssignIfChanged(FGroupIndex, Value))
        UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value)
{
    if (FGroupIndex == 0)
        Value = false;
    if (Value == FDown)
        return;
    // The down button of a group stays down unless all may be up.
    if (FDown && !FAllowAllUp)
        return;
    FDown = Value;
    if (Value) {
        if (FState == bsUp)
            Invalidate();
        FState = bsExclusive;
        UpdateExclusive();
    } else {
        FState = bsUp;
        Repaint();
    }
}

void TSpeedButton::SetFlat(bool Value)
{
    if (AssignIfChanged(FFlat, Value))
        Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* Value)
{
    FGlyph->SetGlyph(Value);
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value)
{
    if (AssignIfChanged(FLayout, Value))
        Invalidate();
}

void TSpeedButton::SetMargin(int Value)
{
    if (Value >= -1 && AssignIfChanged(FMargin, Value))
        Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value)
{
    FGlyph->SetNumGlyphs(Value);
}

void TSpeedButton::SetSpacing(int Value)
{
    if (AssignIfChanged(FSpacing, Value))
        Invalidate();
}

void TSpeedButton::SetTransparent(bool Value)
{
    if (!AssignIfChanged(FTransparent, Value))
        return;
    if (Value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    Invalidate();
}

bool TSpeedButton::IsCheckedStored() const
{
    return ActionLink() == nullptr || ActionLink()->Action() == nullptr || !ActionLink()->IsCheckedLinked();
}

// Tells the other buttons of the group that this one is down now (and
// which AllowAllUp the group has).
void TSpeedButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || Parent() == nullptr)
        return;
    TMessage M{CM_BUTTONPRESSED, WPARAM(FGroupIndex), PtrToLParam(this), 0};
    Parent()->Broadcast(M);
}

void TSpeedButton::ButtonPressed(TMessage& Message)
{
    if (int(Message.WParam) != FGroupIndex)
        return;
    auto* Sender = dynamic_cast<TSpeedButton*>(LParamToPtr<TControl>(Message.LParam));
    if (Sender == nullptr || Sender == this)
        return;
    if (Sender->Down() && FDown) {
        FDown = false;
        FState = bsUp;
        if (auto* A = dynamic_cast<TCustomAction*>(Action()))
            A->SetChecked(false);
        Invalidate();
    }
    FAllowAllUp = Sender->AllowAllUp();
}

// --- actions ------------------------------------------------------------------------------------

std::unique_ptr<TControlActionLink> TSpeedButton::CreateActionLink()
{
    return std::make_unique<TSpeedButtonActionLink>(this);
}

void TSpeedButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TGraphicControl::ActionChange(Sender, CheckDefaults);
    auto* A = dynamic_cast<TCustomAction*>(Sender);
    if (A == nullptr)
        return;
    if (!CheckDefaults || FGroupIndex == 0)
        SetGroupIndex(A->GroupIndex());
    if (!CheckDefaults || !FDown)
        SetDown(A->Checked());
}

TSpeedButtonActionLink::TSpeedButtonActionLink(TSpeedButton* Client) : TControlActionLink(Client), FClient(Client)
{}

bool TSpeedButtonActionLink::IsCheckedLinked()
{
    auto* A = dynamic_cast<TCustomAction*>(Action());
    return TControlActionLink::IsCheckedLinked() && A != nullptr && FClient->GroupIndex() != 0 && FClient->AllowAllUp()
        && FClient->Down() == A->Checked();
}

bool TSpeedButtonActionLink::IsGroupIndexLinked()
{
    auto* A = dynamic_cast<TCustomAction*>(Action());
    return A != nullptr && FClient->GroupIndex() == A->GroupIndex();
}

void TSpeedButtonActionLink::SetChecked(bool Value)
{
    if (IsCheckedLinked())
        FClient->SetDown(Value);
}

void TSpeedButtonActionLink::SetGroupIndex(int Value)
{
    if (IsGroupIndexLinked())
        FClient->SetGroupIndex(Value);
}

// --- the mouse ------------------------------------------------------------------------------------

bool TSpeedButton::InClient(int X, int Y)
{
    // The classic test lets the row just below the button count.
    return X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging) {
        if (!FMouseInControl)
            UpdateTracking();
        return;
    }
    TButtonState NewState = FDown ? bsExclusive : bsUp;
    if (InClient(X, Y))
        NewState = FDown ? bsExclusive : bsDown;
    if (AssignIfChanged(FState, NewState))
        Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // OnMouseUp and OnClick may free the button.
    const TComponentRef<> Self(this);
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!Self || !FDragging)
        return;
    FDragging = false;
    const bool DoClick = InClient(X, Y);
    if (FGroupIndex == 0) {
        // Painted up at once, in case the mouse is still captured.
        FState = bsUp;
        FMouseInControl = false;
        if (DoClick)
            Invalidate();
    } else if (DoClick) {
        SetDown(!FDown);
        if (FDown)
            Repaint();
    } else {
        if (FDown)
            FState = bsExclusive;
        Repaint();
    }
    if (DoClick)
        Click();
    if (Self)
        UpdateTracking();
}

// Whether the mouse is over the button now, for a flat button's edge.
void TSpeedButton::UpdateTracking()
{
    if (!FFlat || !Enabled() || Parent() == nullptr)
        return;
    TPoint P;
    GetCursorPos(&P);
    const bool Over = FindDragTarget(P, true) == this;
    if (Over != FMouseInControl)
        Perform(Over ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
}

void TSpeedButton::MouseEntered(bool Entered)
{
    if (ComponentState().Contains(csDesigning))
        return;
    const bool Themed = ThemeServices().ThemesEnabled();
    bool NeedRepaint;
    if (Entered)
        NeedRepaint = FFlat && !FMouseInControl && Enabled() && DragMode() != dmAutomatic && GetCapture() == nullptr;
    else
        NeedRepaint = FFlat && FMouseInControl && Enabled() && !FDragging;
    if (!NeedRepaint && !Themed)
        return;
    FMouseInControl = Entered;
    if (Enabled())
        Repaint();
}

// --- messages -------------------------------------------------------------------------------------

void TSpeedButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_BUTTONPRESSED:
        ButtonPressed(Message);
        return;
    case CM_DIALOGCHAR:
        DialogChar(Message);
        return;
    case CM_ENABLEDCHANGED:
        UpdateTracking();
        Repaint();
        return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_SYSCOLORCHANGE:
        TGraphicControl::Dispatch(Message);
        Invalidate();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TGraphicControl::Dispatch(Message);
        if (Message.LParam == 0)
            MouseEntered(Message.Msg == CM_MOUSEENTER);
        return;
    case WM_LBUTTONDBLCLK:
        TGraphicControl::Dispatch(Message);
        if (FDown)
            DblClick();
        return;
    default:
        TGraphicControl::Dispatch(Message);
        return;
    }
}

void TSpeedButton::DialogChar(TMessage& Message)
{
    if (IsAccel(WORD(Message.WParam), Caption()) && Enabled() && Visible() && Parent() != nullptr
        && Parent()->Showing()) {
        Click();
        Message.Result = 1;
    }
}

// --- painting -------------------------------------------------------------------------------------

void TSpeedButton::Paint()
{
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
    Canvas()->Font()->Assign(Font());
    TRect PaintRect = GetClientRect();
    TPoint Offset;
    if (ThemeServices().ThemesEnabled())
        PaintThemedFace(PaintRect, Offset);
    else
        PaintFace(PaintRect, Offset);
    FGlyph->Draw(Canvas(), PaintRect, Offset, Caption(), FLayout, FMargin, FSpacing, FState, FTransparent,
                 DrawTextBiDiModeFlags(0));
}

// The classic face: a raised button, pushed in while down; a flat button
// shows a thin edge only while down or under the mouse.  A button held down
// in its group gets the checkered face (unless a flat one is under the
// mouse).
void TSpeedButton::PaintFace(TRect& PaintRect, TPoint& Offset)
{
    HDC DC = Canvas()->Handle();
    const bool IsDown = FState == bsDown || FState == bsExclusive;
    if (!FFlat) {
        DrawFrameControl(DC, &PaintRect, DFC_BUTTON,
                         DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (IsDown ? unsigned(DFCS_PUSHED) : 0u));
    } else {
        if (IsDown || (FMouseInControl && FState != bsDisabled) || ComponentState().Contains(csDesigning)) {
            DrawEdge(DC, &PaintRect, IsDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
                     (FTransparent ? 0u : unsigned(BF_MIDDLE)) | BF_RECT);
        } else if (!FTransparent) {
            Canvas()->Brush()->SetColor(Color());
            Canvas()->FillRect(PaintRect);
        }
        InflateRect(PaintRect, -1, -1);
    }
    Offset = {0, 0};
    if (!IsDown)
        return;
    if (FState == bsExclusive && (!FFlat || !FMouseInControl)) {
        Canvas()->Brush()->SetBitmap(AllocPatternBitmap(clBtnFace, clBtnHighlight));
        Canvas()->FillRect(PaintRect);
        Canvas()->Brush()->SetBitmap(nullptr);
    }
    Offset = {1, 1};
}

void TSpeedButton::PaintThemedFace(TRect& PaintRect, TPoint& Offset)
{
    enum { Normal, Hot, Pressed, Disabled } Look = Normal;
    if (!Enabled())
        Look = Disabled;
    else if (FState == bsDown || FState == bsExclusive)
        Look = Pressed;
    else if (FMouseInControl)
        Look = Hot;
    static const TThemedButton Push[] = {tbPushButtonNormal, tbPushButtonHot, tbPushButtonPressed,
                                         tbPushButtonDisabled};
    static const TThemedToolBar Tool[] = {ttbButtonNormal, ttbButtonHot, ttbButtonPressed, ttbButtonDisabled};
    const TThemedElementDetails Details =
        FFlat ? TThemeServices::GetElementDetails(Tool[Look]) : TThemeServices::GetElementDetails(Push[Look]);
    HDC DC = Canvas()->Handle();
    ThemeServices().DrawElement(DC, Details, PaintRect);
    PaintRect = ThemeServices().ContentRect(DC, Details, PaintRect);
    Offset = {0, 0};
    if (Look == Pressed) {
        // A pressed flat button shows its caption in the selection colour.
        if (FFlat)
            Canvas()->Font()->SetColor(clHighlightText);
        Offset = {1, 0};
    }
}
