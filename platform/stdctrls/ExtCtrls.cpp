#include "platform/stdctrls/ExtCtrls.h"

#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"
#include "platform/graphics/Canvas.h"

REGISTER_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)

REGISTER_COMPONENT(TCustomPanel, TCustomControl)
    PUBLISHED(Alignment, taCenter)
    PUBLISHED(BevelInner, bvNone)
    PUBLISHED(BevelOuter, bvRaised)
    PUBLISHED(BevelWidth, 1)
    PUBLISHED(BorderStyle, TBorderStyle(bsNone))
    PUBLISHED_STORED(Color, clBtnFace, &TCustomPanel::IsColorStored)
    PUBLISHED(ParentColor, false)
    PUBLISHED(FullRepaint, true)
    PUBLISHED(Locked, false)
    PUBLISHED(UseDockManager, true)
    PUBLISHED_NODEFAULT(Width)
    PUBLISHED_NODEFAULT(Height)
END_REGISTER

REGISTER_COMPONENT(TPanel, TCustomPanel)
END_REGISTER

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width)
{
    Canvas->Pen()->SetWidth(1);
    --Rect.Bottom;
    --Rect.Right;
    for (; Width > 0; --Width) {
        const TPoint TopRight{Rect.Right, Rect.Top};
        TPoint BottomLeft{Rect.Left, Rect.Bottom};
        Canvas->Pen()->SetColor(TopColor);
        Canvas->Polyline({BottomLeft, Rect.TopLeft(), TopRight});
        Canvas->Pen()->SetColor(BottomColor);
        --BottomLeft.X;
        Canvas->Polyline({TopRight, Rect.BottomRight(), BottomLeft});
        InflateRect(Rect, -1, -1);
    }
    ++Rect.Bottom;
    ++Rect.Right;
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                     csReplicatable};
    FWidth = 185;
    FHeight = 41;
    SetColor(clBtnFace);
    SetUseDockManager(true);
}

void TCustomPanel::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::AdjustClientRect(TRect& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    int Size = BorderWidth();
    if (FBevelOuter != bvNone)
        Size += FBevelWidth;
    if (FBevelInner != bvNone)
        Size += FBevelWidth;
    InflateRect(Rect, -Size, -Size);
}

void TCustomPanel::Paint()
{
    auto Colors = [](TPanelBevel Bevel, TColor& Top, TColor& Bottom) {
        Top = Bevel == bvLowered ? clBtnShadow : clBtnHighlight;
        Bottom = Bevel == bvLowered ? clBtnHighlight : clBtnShadow;
    };
    TRect R = GetClientRect();
    TColor Top, Bottom;
    if (FBevelOuter != bvNone) {
        Colors(FBevelOuter, Top, Bottom);
        Frame3D(Canvas(), R, Top, Bottom, FBevelWidth);
    }
    Frame3D(Canvas(), R, Color(), Color(), BorderWidth());
    if (FBevelInner != bvNone) {
        Colors(FBevelInner, Top, Bottom);
        Frame3D(Canvas(), R, Top, Bottom, FBevelWidth);
    }
    if (!ThemeServices().ThemesEnabled() || !ParentBackground()) {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(R);
    }
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->Font()->Assign(Font());
    const int FontHeight = Canvas()->TextHeight(QStringLiteral("W"));
    R.Top = (R.Bottom + R.Top - FontHeight) / 2;
    R.Bottom = R.Top + FontHeight;
    static const unsigned Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    const unsigned Flags = DrawTextBiDiModeFlags(DT_EXPANDTABS | DT_VCENTER | Alignments[FAlignment]);
    DrawText(Canvas()->Handle(), Caption(), &R, Flags);
}

void TCustomPanel::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_TEXTCHANGED || Message.Msg == CM_CTL3DCHANGED) {
        Invalidate();
        if (Message.Msg == CM_CTL3DCHANGED)
            RecreateWnd();
        return;
    }
    TCustomControl::Dispatch(Message);
}

void TCustomPanel::WMWindowPosChanged(TMessage& Message)
{
    // Without a full repaint only the strips the bevels move over are
    // painted again.
    if (FFullRepaint || !Caption().isEmpty()) {
        Invalidate();
    } else if (HandleAllocated()) {
        const int Size = BorderWidth() + (FBevelOuter != bvNone ? FBevelWidth : 0)
            + (FBevelInner != bvNone ? FBevelWidth : 0) + 1;
        const TRect C = GetClientRect();
        TRect Right{C.Right - Size, 0, C.Right, C.Bottom};
        TRect Bottom{0, C.Bottom - Size, C.Right, C.Bottom};
        InvalidateRect(Handle(), &Right, TRUE);
        InvalidateRect(Handle(), &Bottom, TRUE);
    }
    TCustomControl::WMWindowPosChanged(Message);
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
    if (AssignIfChanged(FAlignment, Value))
        Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value)
{
    if (!AssignIfChanged(FBevelInner, Value))
        return;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value)
{
    if (!AssignIfChanged(FBevelOuter, Value))
        return;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(TBevelWidth Value)
{
    if (!AssignIfChanged(FBevelWidth, Value))
        return;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value)
{
    if (TFormBorderStyle(FBorderStyle) == TFormBorderStyle(Value))
        return;
    FBorderStyle = Value;
    RecreateWnd();
}
