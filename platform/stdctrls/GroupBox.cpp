#include "platform/stdctrls/GroupBox.h"

#include "platform/actions/Menus.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"
#include "platform/graphics/Canvas.h"
#include "platform/stdctrls/ControlText.h"

REGISTER_COMPONENT(TCustomGroupBox, TCustomControl)
    PUBLISHED(ParentBackground, true)
END_REGISTER

REGISTER_COMPONENT(TGroupBox, TCustomGroupBox)
END_REGISTER

namespace {

// Where the caption starts, from the frame's left (or right) edge.
constexpr int CaptionIndent = 8;

} // namespace

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents,     csSetCaption,
                     csDoubleClicks,    csReplicatable, csParentBackground};
    FWidth = 185;
    FHeight = 105;
}

void TCustomGroupBox::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    // Only the frame and the caption need painting again after a resize.
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

int TCustomGroupBox::FontHeight()
{
    HDC DC = GetDC(nullptr);
    HGDIOBJ Old = SelectObject(DC, Font()->Handle());
    TEXTMETRIC Metrics;
    GetTextMetrics(DC, &Metrics);
    SelectObject(DC, Old);
    ReleaseDC(nullptr, DC);
    return Metrics.tmHeight;
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    // Below the caption, inside the frame (two lines of it when 3-D).
    Rect.Top += FontHeight();
    InflateRect(Rect, -1, -1);
    if (Ctl3D())
        InflateRect(Rect, -1, -1);
}

void TCustomGroupBox::Paint()
{
    Canvas()->Font()->Assign(Font());
    const int H = Canvas()->TextHeight(QStringLiteral("0"));
    PaintFrame(H);
    if (!Caption().isEmpty())
        PaintCaption(H);
}

// The frame runs through the middle of the caption's line; the caption is
// painted over it afterwards.
void TCustomGroupBox::PaintFrame(int CaptionHeight)
{
    TRect R{0, CaptionHeight / 2 - 1, Width(), Height()};
    if (ThemeServices().ThemesEnabled()) {
        const int Saved = SaveDC(Canvas()->Handle());
        if (!Caption().isEmpty()) {
            // The caption interrupts the themed frame rather than covering it.
            TRect Text = R;
            DrawText(Canvas()->Handle(), Caption(), &Text, DrawTextBiDiModeFlags(DT_SINGLELINE | DT_CALCRECT));
            const int Left = UseRightToLeftAlignment() ? R.Right - Text.Width() - CaptionIndent : CaptionIndent;
            ExcludeClipRect(Canvas()->Handle(), Left, 0, Left + Text.Width(), CaptionHeight);
        }
        const TThemedButton Part = Enabled() ? tbGroupBoxNormal : tbGroupBoxDisabled;
        ThemeServices().DrawElement(Canvas()->Handle(), TThemeServices::GetElementDetails(Part), R);
        RestoreDC(Canvas()->Handle(), Saved);
        return;
    }
    if (Ctl3D()) {
        ++R.Left;
        ++R.Top;
        Canvas()->Brush()->SetColor(clBtnHighlight);
        Canvas()->FrameRect(R);
        OffsetRect(R, -1, -1);
        Canvas()->Brush()->SetColor(clBtnShadow);
    } else {
        Canvas()->Brush()->SetColor(clWindowFrame);
    }
    Canvas()->FrameRect(R);
}

void TCustomGroupBox::PaintCaption(int CaptionHeight)
{
    const unsigned Flags = DrawTextBiDiModeFlags(DT_SINGLELINE);
    TRect R{CaptionIndent, 0, 0, CaptionHeight};
    if (UseRightToLeftAlignment())
        R.Left = Width() - Canvas()->TextWidth(Caption()) - CaptionIndent;
    DrawText(Canvas()->Handle(), Caption(), &R, Flags | DT_CALCRECT);
    if (ThemeServices().ThemesEnabled()) {
        const TThemedButton Part = Enabled() ? tbGroupBoxNormal : tbGroupBoxDisabled;
        ThemeServices().DrawText(Canvas()->Handle(), TThemeServices::GetElementDetails(Part), Caption(), R, Flags,
                                 Enabled() ? 0u : unsigned(DTT_GRAYED));
        return;
    }
    // The caption's own background cuts the frame line.
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(R);
    Canvas()->Brush()->SetStyle(bsClear);
    DrawControlText(Canvas(), Caption(), R, Flags, Enabled());
}

void TCustomGroupBox::Dispatch(TMessage& Message)
{
    TCustomControl::Dispatch(Message);
    // The caption's line decides where the children go.
    if (Message.Msg == CM_TEXTCHANGED || Message.Msg == CM_CTL3DCHANGED || Message.Msg == CM_FONTCHANGED) {
        Invalidate();
        Realign();
    }
}

void TCustomGroupBox::CMDialogChar(TMessage& Message)
{
    if (IsAccel(WORD(Message.WParam), Caption()) && CanFocus()) {
        SelectFirst();
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(Message);
}

void TCustomGroupBox::WMSize(TMessage& Message)
{
    Invalidate();
    TCustomControl::WMSize(Message);
}
