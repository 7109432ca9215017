#include "controls/foundation/FcGroupBox.h"

#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcTextHelpers.h"
#include "controls/foundation/FcThemeBridge.h"
#include "controls/foundation/FcWindowPaint.h"
#include "platform/actions/Menus.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"

REGISTER_ENUM(TFcGroupBoxStyle, gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline)

REGISTER_COMPONENT(TFcCustomGroupBox, TFcCustomPanel)
    PUBLISHED(GroupStyle, gsFlat)
    PUBLISHED(Alignment, taLeftJustify)
    PUBLISHED(BorderOuter, fsNone)
    PUBLISHED(BorderInner, fsNone)
END_REGISTER

REGISTER_COMPONENT(TFcGroupBox, TFcCustomGroupBox)
END_REGISTER

namespace {

const unsigned CaptionAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

// The height of Text in Font, measured on the screen (the box may have no
// window yet when its children are aligned).
int ScreenTextHeight(TFont* Font, const String& Text)
{
    HDC DC = GetDC(nullptr);
    HGDIOBJ Old = SelectObject(DC, Font->Handle());
    TSize Size;
    GetTextExtentPoint32(DC, Text, &Size);
    SelectObject(DC, Old);
    ReleaseDC(nullptr, DC);
    return Size.cy;
}

void FlatLine(TCanvas* Canvas, TColor Color, int X1, int Y1, int X2, int Y2)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

TThemedElementDetails GroupBoxDetails(bool Enabled)
{
    return TThemeServices::GetElementDetails(Enabled ? tbGroupBoxNormal : tbGroupBoxDisabled);
}

} // namespace

TFcCustomGroupBox::TFcCustomGroupBox(TComponent* AOwner) : TFcCustomPanel(AOwner)
{
    FControlStyle.Include(csSetCaption);
    FControlStyle.Include(csDoubleClicks);
    SetAlignmentVertical(avTop);
    SetAlignment(taLeftJustify);
    SetBorderOuter(fsNone);
    SetBorderInner(fsNone);
    FHeight = 105;
}

void TFcCustomGroupBox::SetGroupStyle(TFcGroupBoxStyle Value)
{
    if (!AssignIfChanged(FGroupStyle, Value))
        return;
    Realign();
    Invalidate();
}

void TFcCustomGroupBox::ApplyFrameController()
{
    if (FGroupStyle == gsCustom)
        TFcCustomPanel::ApplyFrameController();
}

void TFcCustomGroupBox::AdjustClientRect(TRect& Rect)
{
    TFcCustomPanel::AdjustClientRect(Rect);
    const int H = ScreenTextHeight(Font(), QStringLiteral("Yy"));
    switch (FGroupStyle) {
    case gsStandard:
    case gsFlat: {
        const int Half = H / 2;
        Rect.Top += Half - 1 >= BorderWidth() ? H - BorderWidth() : Half - 1;
        const int Inset = FGroupStyle == gsStandard ? 2 : 1;
        InflateRect(Rect, -Inset, -Inset);
        break;
    }
    case gsCustom:
        if (!Caption().isEmpty())
            Rect.Top += H;
        InflateRect(Rect, -2, -2);
        break;
    case gsTopLine:
        Rect.Top += H;
        break;
    case gsBanner:
        Rect.Top += H + 8;
        break;
    case gsUnderline:
        Rect.Top += H + 4;
        break;
    }
}

TRect TFcCustomGroupBox::CaptionRect(int TextWidth, int TextHeight)
{
    if (Caption().isEmpty() || FGroupStyle == gsCustom)
        return TRect();
    const bool RightToLeft = UseRightToLeftAlignment();
    switch (FGroupStyle) {
    case gsStandard:
    case gsFlat:
        return RightToLeft ? Rect(Width() - TextWidth - 8, 0, Width() - 8, TextHeight)
                           : Rect(8, 0, TextWidth + 8, TextHeight);
    case gsTopLine:
        return RightToLeft ? Rect(Width() - TextWidth - 4, 0, Width() - 4, TextHeight)
                           : Rect(0, 0, TextWidth + 4, TextHeight);
    case gsBanner:
        return Rect(0, 0, Width(), TextHeight + 6);
    default:
        return Rect(0, 0, Width(), TextHeight + 2);
    }
}

TRect TFcCustomGroupBox::FrameRect(int LineHeight)
{
    return Rect(0, LineHeight / 2 - 1, Width(), Height());
}

bool TFcCustomGroupBox::Themed()
{
    return VisualStyle() == vsWinXP && FcThemesEnabled() && (FGroupStyle == gsStandard || FGroupStyle == gsFlat);
}

TSize TFcCustomGroupBox::MeasureCaption(const String& Text)
{
    if (Themed())
        return FcThemedTextExtent(Canvas(), GroupBoxDetails(Enabled()), Text, DT_SINGLELINE);
    TSize Size;
    GetTextExtentPoint32(Canvas()->Handle(), Text, &Size);
    return Size;
}

void TFcCustomGroupBox::Paint()
{
    if (FGroupStyle == gsCustom) {
        TFcCustomPanel::Paint();
        return;
    }
    TCanvas* C = Canvas();
    C->Font()->Assign(Font());
    const TRect FR = FrameRect(C->TextHeight(QStringLiteral("Pp")));
    TRect CR;
    if (!Caption().isEmpty()) {
        const TSize Text = MeasureCaption(StripAccelChars(Caption()));
        CR = CaptionRect(Text.cx, Text.cy);
    }
    if (Themed()) {
        PaintThemed(CR, FR);
        return;
    }
    const int Saved = SaveDC(C->Handle());
    if (Transparent()) {
        if (FGroupStyle != gsBanner)
            ExcludeClipRect(C->Handle(), CR.Left, CR.Top, CR.Right, CR.Bottom);
    } else {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color());
        C->FillRect(ClientRect());
    }
    PaintFrame(CR, FR, ShiftColorLightness(FlatColor(), FlatColorAdjustment()));
    RestoreDC(C->Handle(), Saved);
    if (!Caption().isEmpty())
        PaintCaptionText(CR);
}

void TFcCustomGroupBox::PaintThemed(const TRect& CR, const TRect& FR)
{
    TCanvas* C = Canvas();
    if (!Transparent())
        PaintParentBackdrop(this, C->Handle(), true);
    const int Saved = SaveDC(C->Handle());
    ExcludeClipRect(C->Handle(), CR.Left, CR.Top, CR.Right, CR.Bottom);
    FcDrawThemedElement(C, GroupBoxDetails(Enabled()), FR);
    RestoreDC(C->Handle(), Saved);
    if (!Caption().isEmpty())
        FcDrawThemedText(C, GroupBoxDetails(Enabled()), Caption(), CR, CaptionAlignments[Alignment()] | DT_SINGLELINE,
                         Enabled() ? 0u : unsigned(DTT_GRAYED));
}

void TFcCustomGroupBox::PaintFrame(const TRect& CR, const TRect& FR, TColor Flat)
{
    TCanvas* C = Canvas();
    switch (FGroupStyle) {
    case gsStandard:
        switch (BorderOuter()) {
        case fsNone:
            PaintFrameStyleSides(C, FR, fsGroove, AllSides);
            break;
        case fsFlat:
            PaintBoxOutline(C, FR, Flat);
            break;
        case fsFlatBold:
            PaintBevelRings(C, FR, Flat, Flat, 2, AllSides);
            break;
        default:
            if (TFrameStyle::Contains(BorderOuter()))
                PaintFrameStyleSides(C, FR, BorderOuter(), AllSides);
            break;
        }
        break;
    case gsTopLine:
        PaintTopLine(FR, Flat);
        break;
    case gsFlat:
        PaintRoundedFrame(FR, Flat);
        break;
    case gsBanner:
        PaintBanner(CR, Flat);
        break;
    case gsUnderline:
        FlatLine(C, Flat, CR.Left, CR.Bottom, CR.Right, CR.Bottom);
        break;
    case gsCustom:
        break;
    }
}

void TFcCustomGroupBox::PaintTopLine(const TRect& FR, TColor Flat)
{
    TCanvas* C = Canvas();
    switch (BorderOuter()) {
    case fsNone:
        PaintFrameStyleSides(C, FR, fsGroove, TSides{sdTop});
        break;
    case fsFlatBold:
        FlatLine(C, Flat, FR.Left + 2, FR.Top + 1, FR.Right - 2, FR.Top + 1);
        [[fallthrough]];
    case fsFlat:
        FlatLine(C, Flat, FR.Left + 2, FR.Top, FR.Right - 2, FR.Top);
        break;
    default:
        if (TFrameStyle::Contains(BorderOuter()))
            PaintFrameStyleSides(C, FR, BorderOuter(), TSides{sdTop});
        break;
    }
}

void TFcCustomGroupBox::PaintRoundedFrame(const TRect& FR, TColor Flat)
{
    TCanvas* C = Canvas();
    const int L = FR.Left, T = FR.Top, R = FR.Right, B = FR.Bottom;
    FlatLine(C, Flat, L, T + 2, L, B - 2);
    FlatLine(C, Flat, L + 2, T, R - 2, T);
    FlatLine(C, Flat, R - 1, T + 2, R - 1, B - 2);
    FlatLine(C, Flat, L + 2, B - 1, R - 2, B - 1);
    for (const TPoint P : {TPoint{L + 1, T + 1}, TPoint{R - 2, T + 1}, TPoint{R - 2, B - 2}, TPoint{L + 1, B - 2}})
        C->SetPixels(P.X, P.Y, Flat);
}

void TFcCustomGroupBox::PaintBanner(const TRect& CR, TColor Flat)
{
    TColor Start, Stop, Outline = Flat;
    if (GradientColorStyle() == gcsCustom) {
        Start = GradientColorStart();
        Stop = GradientColorStop();
    } else {
        TColor Divider;
        GetStatusGradientColors(GradientColorStyle(), Stop, Start, Divider);
        Outline = Divider;
    }
    const TRect Inside = PaintFlatLines(Canvas(), CR, Outline);
    FillGradientRect(Canvas(), Inside, gdHorizontalEnd, Start, Stop, 1);
}

void TFcCustomGroupBox::PaintCaptionText(TRect CR)
{
    TCanvas* C = Canvas();
    if (!Transparent() && FGroupStyle != gsBanner) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color());
        C->FillRect(CR);
    }
    if (FGroupStyle == gsBanner)
        InflateRect(CR, -4, -1);
    C->Brush()->SetStyle(bsClear);
    if (!Enabled())
        C->Font()->SetColor(clGrayText);
    else if (VisualStyle() == vsWinXP && FcThemesEnabled())
        C->Font()->SetColor(GetThemedColor(6));
    DrawText(C->Handle(), Caption(), &CR, CaptionAlignments[Alignment()] | DT_SINGLELINE);
}

void TFcCustomGroupBox::CMDialogChar(TMessage& Message)
{
    // Only a box that holds something to focus takes its accelerator.
    if (IsAccel(WORD(Message.WParam), Caption()) && CanFocus()
        && FindNextControl(nullptr, true, false, false) != nullptr) {
        SelectFirst();
        Message.Result = 1;
        return;
    }
    TFcCustomPanel::CMDialogChar(Message);
}

void TFcCustomGroupBox::CMFontChanged(TMessage& Message)
{
    TFcCustomPanel::CMFontChanged(Message);
    Invalidate();
    // The caption's line decides where the children go.
    Realign();
}
