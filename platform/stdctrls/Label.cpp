#include "platform/stdctrls/Label.h"

#include "platform/actions/Menus.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"
#include "platform/windows/WinControl.h"
#include "platform/stdctrls/ControlText.h"

REGISTER_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)

REGISTER_COMPONENT(TCustomLabel, TGraphicControl)
    PUBLISHED(Alignment, taLeftJustify)
    PUBLISHED(AutoSize, true)
    PUBLISHED(FocusControl, nullptr)
    PUBLISHED(Layout, tlTop)
    PUBLISHED(ShowAccelChar, true)
    PUBLISHED_NODEFAULT_STORED(Transparent, &TCustomLabel::IsTransparentStored)
    PUBLISHED(WordWrap, false)
END_REGISTER

REGISTER_COMPONENT(TLabel, TCustomLabel)
END_REGISTER

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle.Include(csReplicatable);
    // Over a themed parent the label lets the parent's background show.
    if (!ThemeServices().ThemesEnabled())
        FControlStyle.Include(csOpaque);
    FWidth = 65;
    FHeight = 17;
    // The size stays until there is text to measure.
    TControl::SetAutoSize(true);
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
    if (AssignIfChanged(FAlignment, Value))
        Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value)
{
    if (AutoSize() == Value)
        return;
    TGraphicControl::SetAutoSize(Value);
    AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl == Value)
        return;
    if (FFocusControl != nullptr)
        FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
    if (AssignIfChanged(FLayout, Value))
        Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
    if (!AssignIfChanged(FShowAccelChar, Value))
        return;
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::SetTransparent(bool Value)
{
    FTransparentSet = true;
    if (Transparent() == Value)
        return;
    if (Value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value)
{
    if (!AssignIfChanged(FWordWrap, Value))
        return;
    AdjustBounds();
    Invalidate();
}

String TCustomLabel::GetLabelText()
{
    return Caption();
}

void TCustomLabel::DoDrawText(TRect& Rect, unsigned Flags)
{
    String Text = GetLabelText();
    // An empty caption (or a lone "&") still measures one line high.
    if ((Flags & DT_CALCRECT) != 0 && (Text.isEmpty() || (FShowAccelChar && Text == QLatin1String("&"))))
        Text += QLatin1Char(' ');
    if (!FShowAccelChar)
        Flags |= DT_NOPREFIX;
    Flags = DrawTextBiDiModeFlags(Flags);
    Canvas()->Font()->Assign(Font());
    DrawControlText(Canvas(), Text, Rect, Flags, Enabled());
}

void TCustomLabel::AdjustBounds()
{
    // Without text there is nothing to fit: the label keeps its size (the
    // one it was made with, or what its last text needed).
    if (ComponentState().Contains(csReading) || !AutoSize() || GetLabelText().isEmpty())
        return;
    // Measured as it paints, on a screen context.
    TRect R = GetClientRect();
    HDC DC = GetDC(nullptr);
    auto* C = static_cast<TControlCanvas*>(Canvas());
    C->FreeHandle();
    C->SetHandle(DC);
    try {
        DoDrawText(R, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0u));
    } catch (...) {
        C->SetHandle(nullptr);
        ReleaseDC(nullptr, DC);
        throw;
    }
    C->SetHandle(nullptr);
    ReleaseDC(nullptr, DC);
    int X = Left();
    TAlignment A = FAlignment;
    if (UseRightToLeftAlignment() && A != taCenter)
        A = A == taLeftJustify ? taRightJustify : taLeftJustify;
    if (A == taRightJustify)
        X += Width() - R.Right;
    SetBounds(X, Top(), R.Right, R.Bottom);
}

void TCustomLabel::Paint()
{
    static const unsigned Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TCanvas* C = Canvas();
    const TRect Client = GetClientRect();
    if (!Transparent()) {
        C->Brush()->SetColor(Color());
        C->Brush()->SetStyle(bsSolid);
        C->FillRect(Client);
    }
    C->Brush()->SetStyle(bsClear);
    TRect R = Client;
    const unsigned Style = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u) | Alignments[FAlignment];
    if (FLayout != tlTop) {
        TRect Calc = R;
        DoDrawText(Calc, Style | DT_CALCRECT);
        const int Free = Height() - Calc.Bottom;
        OffsetRect(R, 0, FLayout == tlBottom ? Free : Free / 2);
    }
    DoDrawText(R, Style);
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TCustomLabel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_DIALOGCHAR:
        CMDialogChar(Message);
        return;
    case CM_TEXTCHANGED:
        TGraphicControl::Dispatch(Message);
        Invalidate();
        AdjustBounds();
        return;
    case CM_FONTCHANGED:
        TGraphicControl::Dispatch(Message);
        AdjustBounds();
        return;
    default:
        TGraphicControl::Dispatch(Message);
        return;
    }
}

void TCustomLabel::CMDialogChar(TMessage& Message)
{
    if (FFocusControl != nullptr && Enabled() && FShowAccelChar && IsAccel(WORD(Message.WParam), Caption())
        && FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
    }
}
