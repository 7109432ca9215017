// TFcGroup painting: the custom-drawn category view (the explorer-bar look
// in gradients), the category view drawn with the theme's explorer-bar
// elements, the Outlook look (a button-like caption band) and the task
// list (a plain caption with a divider line).  Every look ends with the
// items, whose painter also records each item's caption and image
// rectangles for hit testing.
#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcTextHelpers.h"
#include "controls/foundation/FcThemeBridge.h"
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcGroupBar.h"
#include "platform/windows/Themes.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>

struct TFcGroup::TItemColors {
    TColor Text = clWindowText;
    TColor HotText = clHotLight;
    TColor PressedText = clWindowText;
    TColor SelectionFrame = cl3DDkShadow;
    TColor SelectionLight = clBtnFace;
    TColor SelectionDark = clBtnShadow;
};

namespace {

const String TextSample = QStringLiteral("Pp");

void FillSolid(TCanvas* C, const TRect& R, TColor Color)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->FillRect(R);
}

void PenLine(TCanvas* C, int X1, int Y1, int X2, int Y2, TColor Color)
{
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(Color);
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

TThemedElementDetails ExplorerBar(int Ordinal)
{
    return TThemeServices::GetElementDetails(TThemedExplorerBar(Ordinal));
}

// Whether any of R lies inside the clip box: items outside are laid out
// but not drawn (a hover repaints only the items it changes).
bool NeedsPainting(const TRect& Clip, const TRect& R)
{
    TRect Common;
    return IntersectRect(Common, Clip, R);
}

// Puts Base's face into the canvas's font unless it is there already (the
// caller sets colour and style): every change of the canvas's font
// selects a new one.
void UseFace(TCanvas* C, TFont* Base)
{
    TFont* F = C->Font();
    if (F->Name() != Base->Name() || F->Height() != Base->Height() || F->Charset() != Base->Charset()
        || F->Pitch() != Base->Pitch() || F->Orientation() != Base->Orientation())
        F->Assign(Base);
}

} // namespace

bool TFcGroup::UseGradients() const
{
    return ManyColors() && FGroupBar != nullptr && FGroupBar->VisualStyle() != vsClassic;
}

TColor TFcGroup::CaptionTextColor(TColor Normal, TColor Hot) const
{
    if (ComponentState().Contains(csDesigning))
        return Normal;
    switch (FCaptionState) {
    case HotOver:
        return Hot;
    case HotPressed:
        return MixColors(clBlack, Normal, 50);
    default:
        return Normal;
    }
}

// The hand-drawn category view paints every pixel, and so does the
// Outlook look with its gradients: erasing first would be wasted.
bool TFcGroup::PaintCoversClient() const
{
    if (FGroupBar == nullptr)
        return false;
    switch (FGroupBar->Style()) {
    case gbsCategoryView:
        return !(FGroupBar->VisualStyle() == vsWinXP && FcThemesEnabled()) && (FOpened || Height() <= FCaptionHeight);
    case gbsOutlook:
        return UseGradients();
    default:
        return false;
    }
}

void TFcGroup::WMEraseBkgnd(TMessage& Message)
{
    if (PaintCoversClient()) {
        Message.Result = 1;
        return;
    }
    TCustomControl::WMEraseBkgnd(Message);
}

void TFcGroup::Paint()
{
    TCustomControl::Paint();
    if (FGroupBar == nullptr)
        return;
    switch (FGroupBar->Style()) {
    case gbsCategoryView:
        if (FGroupBar->VisualStyle() == vsWinXP && FcThemesEnabled())
            DrawThemedCategoryGroup();
        else
            DrawCategoryGroup();
        break;
    case gbsTaskList:
        DrawTaskListGroup();
        break;
    case gbsOutlook:
        DrawOutlookGroup();
        break;
    }
}

// --- caption images -----------------------------------------------------------------------------------

int TFcGroup::DrawCaptionImage()
{
    TCustomImageList* Images = CaptionImages();
    if (Images == nullptr || FCaptionImageIndex == -1)
        return 8;
    const int Overflow = CaptionOverflow();
    const int X = UseRightToLeftAlignment() ? Width() - 8 - Images->Width() : 8;
    const int Y = (FCaptionHeight + Overflow - Images->Height()) / 2 - Overflow;
    Images->Draw(Canvas(), X, Y, FCaptionImageIndex, Enabled());
    return Images->Width() + 12;
}

void TFcGroup::DrawLargeCaptionImage(TCanvas* BarCanvas)
{
    TCustomImageList* Images = CaptionImages();
    if (FGroupBar == nullptr || BarCanvas == nullptr || Images == nullptr || FCaptionImageIndex == -1)
        return;
    const int Overflow = CaptionOverflow();
    if (Top() + FCaptionHeight < 0 || Top() - Overflow > FGroupBar->ClientHeight())
        return;
    const int X = UseRightToLeftAlignment() ? Left() + Width() - 8 - Images->Width() : Left() + 8;
    const int Y = Top() - Overflow + (FCaptionHeight + Overflow - Images->Height()) / 2;
    Images->Draw(BarCanvas, X, Y, FCaptionImageIndex, Enabled());
}

// --- the category view, drawn by hand ---------------------------------------------------------------

void TFcGroup::RoundCorners(TColor CornerColor)
{
    const int W = Width();
    for (TPoint P : {Point(0, 0), Point(1, 0), Point(0, 1), Point(W - 1, 0), Point(W - 2, 0), Point(W - 1, 1)})
        Canvas()->SetPixels(P.X, P.Y, CornerColor);
}

void TFcGroup::DrawCategoryGroup()
{
    TCanvas* C = Canvas();
    TColor C1, C2, C3, C4, C5, C6, C7, C8, C9, C10;
    if (FGroupBar->GradientColorStyle() == gcsCustom) {
        C1 = FSpecial ? FCaptionFont->Color() : FCaptionColor;
        C2 = FSpecial ? FCaptionFont->Color() : FCaptionColorStart;
        C3 = FSpecial ? LightenColor(C2, 30) : FCaptionColorStop;
        C4 = FSpecial ? FCaptionColor : FCaptionFont->Color();
        C5 = FCaptionHotColor;
        C6 = C1;
        C7 = DarkenColor(C6, 30);
        C8 = FDividerColor;
        C9 = Color();
        C10 = FBorderColor;
    } else {
        GetGroupColors(FGroupBar->GradientColorStyle(), FSpecial, C1, C2, C3, C4, C5, C6, C7, C8, C9, C10);
    }
    const int W = Width(), H = Height(), CH = FCaptionHeight;
    const bool Rtl = UseRightToLeftAlignment();
    // A hover repaints one item: the caption band, its gradient, text and
    // button, is drawn only when the paint reaches it.
    if (NeedsPainting(C->ClipRect(), Rect(0, 0, W, CH))) {
        // The bar's colour just left of the group shows in the round corners.
        TColor Corner = FGroupBar->Color();
        if (Left() > 0 && FGroupBar->HandleAllocated())
            Corner = FGroupBar->Canvas()->Pixels(Left() - 1, Top());

        C->Font()->Assign(FCaptionFont.get());
        C->Font()->SetColor(CaptionTextColor(C4, C5));
        if (!UseGradients()) {
            FillSolid(C, Rect(0, 0, W, CH), C2);
        } else if (!Rtl) {
            FillSolid(C, Rect(0, 0, W / 2, CH), C2);
            FillGradientRect(C, Rect(W / 2, 0, W, CH), gdVerticalEnd, C2, C3);
        } else {
            FillSolid(C, Rect(W / 2, 0, W, CH), C2);
            FillGradientRect(C, Rect(0, 0, W / 2, CH), gdVerticalEnd, C3, C2);
        }

        const int L = DrawCaptionImage();
        const int Offset = (CH - SampleHeight(C)) / 2;
        C->Brush()->SetStyle(bsClear);
        if (!Rtl) {
            C->TextRect(Rect(L, 0, W - 24, CH), L, Offset, Caption());
        } else {
            TRect R = Rect(24, Offset, W - L, CH);
            DrawText(C->Handle(), Caption(), &R, DT_RIGHT | DT_RTLREADING | DT_SINGLELINE | DT_NOPREFIX);
        }

        if (FCanClose) {
            DrawOpenCloseButton(FOpened, Rtl ? 4 : W - 20, (CH - 15) / 2, C->Font()->Color(), C7, C6);
            RoundCorners(Corner);
        }
        if (FDividerVisible && FOpened) {
            if (!UseGradients())
                PenLine(C, 0, CH - 1, W, CH - 1, C8);
            else
                FillGradientRect(C, Rect(0, CH - 1, W, CH), gdVerticalEnd, Rtl ? C9 : C8, Rtl ? C8 : C9);
        }
    }
    if (FOpened) {
        C->Pen()->SetStyle(psSolid);
        C->Pen()->SetColor(C10);
        C->MoveTo(0, CH);
        C->LineTo(0, H - 1);
        C->LineTo(W - 1, H - 1);
        C->LineTo(W - 1, CH - 1);
        FillSolid(C, Rect(1, CH, W - 1, H - 1), C9);
    }
    DrawItems();
}

// --- the category view in the theme's explorer-bar elements -------------------------------------

void TFcGroup::DrawThemedCategoryGroup()
{
    TCanvas* C = Canvas();
    const int W = Width(), H = Height(), CH = FCaptionHeight;
    const bool Rtl = UseRightToLeftAlignment();
    const TThemeServices& Theme = ThemeServices();

    // The bar's background behind the caption band, so that the rounded
    // head shows the bar around it.
    TBitmap Back;
    Back.SetSize(std::max(FGroupBar->ClientWidth(), 1), std::max(FGroupBar->ClientHeight(), 1));
    if (FcThemeBridge().DrawExplorerBarBackground)
        FcThemeBridge().DrawExplorerBarBackground(Back.Canvas(), FGroupBar->ClientRect());
    C->CopyRect(Rect(0, 0, W, CH), Back.Canvas(), Bounds(Left(), Top(), W, CH));

    const TThemedElementDetails Head = ExplorerBar(FSpecial ? tebSpecialGroupHead : tebNormalGroupHead);
    Theme.DrawElement(C->Handle(), Head, Rect(0, 0, W, CH));
    if (!FCanClose)
        for (TPoint P : {Point(0, 0), Point(1, 0), Point(0, 1), Point(W - 1, 0), Point(W - 2, 0), Point(W - 1, 1)})
            C->SetPixels(P.X, P.Y, C->Pixels(P.X, P.Y + 2));

    const int L = DrawCaptionImage();
    C->Font()->Assign(FCaptionFont.get());
    TRect TextR = Rtl ? Rect(0, 0, W - L - 20, CH) : Rect(L, 0, W - 24, CH);
    Theme.DrawText(C->Handle(), Head, Caption(), TextR,
                   DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (Rtl ? DT_RIGHT | DT_RTLREADING : DT_LEFT), 0);

    if (FCanClose) {
        const int State = ComponentState().Contains(csDesigning) ? 0 : FCaptionState;
        const int First = FSpecial ? (FOpened ? tebSpecialGroupCollapseSpecial : tebSpecialGroupExpandSpecial)
                                   : (FOpened ? tebNormalGroupCollapseNormal : tebNormalGroupExpandNormal);
        const TThemedElementDetails Button = ExplorerBar(First + State);
        const TSize Size = Theme.GetPartSize(C->Handle(), Button);
        Theme.DrawElement(C->Handle(), Button, Bounds(W - Size.cx - 2, (CH - Size.cy) / 2, Size.cx, Size.cy));
    }
    Theme.DrawElement(C->Handle(), ExplorerBar(FSpecial ? tebSpecialGroupBackground : tebNormalGroupBackground),
                      Rect(0, CH, W, H));
    DrawItems();
}

// --- the Outlook look -----------------------------------------------------------------------------------

void TFcGroup::DrawOutlookGroup()
{
    TCanvas* C = Canvas();
    const int W = Width(), H = Height(), CH = FCaptionHeight;
    TColor CaptionStart, CaptionStop, Text, Hot, BodyStart, BodyStop;
    if (FGroupBar->GradientColorStyle() == gcsCustom) {
        CaptionStart = FCaptionColorStart;
        CaptionStop = FCaptionColorStop;
        Text = FCaptionFont->Color();
        Hot = FCaptionHotColor;
        BodyStart = LightenColor(Color(), 20);
        BodyStop = Color();
    } else {
        GetGroupItemColors(FGroupBar->GradientColorStyle(), CaptionStart, CaptionStop, Text, Hot, BodyStart, BodyStop);
    }
    C->Font()->Assign(FCaptionFont.get());
    C->Font()->SetColor(CaptionTextColor(Text, Hot));

    TFrameStyleEx Frame = fsPopup;
    if (!ComponentState().Contains(csDesigning) && FCaptionState == HotOver)
        Frame = fsButtonUp;
    else if (!ComponentState().Contains(csDesigning) && FCaptionState == HotPressed)
        Frame = fsStatus;
    const TRect Inside = PaintFrameStyle(C, Rect(0, 0, W, CH), TFrameStyle(Frame));
    if (UseGradients())
        FillGradientRect(C, Inside, gdHorizontalEnd, CaptionStart, CaptionStop);
    else
        FillSolid(C, Inside, FCaptionColor);

    const int TextHeight = SampleHeight(C);
    int X = std::max((W - C->TextWidth(Caption())) / 2, 0);
    TCustomImageList* Images = CaptionImages();
    if (Images != nullptr && FCaptionImageIndex != -1) {
        const int ImageX = std::max(X - (Images->Width() + 4) / 2, 0);
        Images->Draw(C, ImageX, (CH - Images->Height()) / 2, FCaptionImageIndex, Enabled());
        X = ImageX + Images->Width() + 4;
    }
    C->Brush()->SetStyle(bsClear);
    C->TextRect(Rect(X, 2, W - 2, CH - 2), X, 2 + (CH - 4 - TextHeight) / 2, Caption());

    if (UseGradients() && H > CH)
        FillGradientRect(C, Rect(0, CH, W, H), gdHorizontalEnd, BodyStart, BodyStop);
    DrawItems();
}

// --- the task list ------------------------------------------------------------------------------------------

void TFcGroup::DrawTaskListGroup()
{
    TCanvas* C = Canvas();
    const int W = Width(), H = Height(), CH = FCaptionHeight;
    const bool Rtl = UseRightToLeftAlignment();
    C->Font()->Assign(FCaptionFont.get());
    FillSolid(C, Rect(0, 0, W, CH), Color());
    if (ComponentState().Contains(csDesigning)) {
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetStyle(psDot);
        C->Pen()->SetColor(FDividerColor);
        C->Rectangle(0, CH - 1, W, H);
        C->Pen()->SetStyle(psSolid);
    }
    const int L = DrawCaptionImage();
    const int Offset = (CH - SampleHeight(C)) / 2;
    C->Brush()->SetStyle(bsClear);
    if (!Rtl) {
        C->TextRect(Rect(L, 0, W, CH), L, Offset, Caption());
    } else {
        TRect R = Rect(0, Offset, W - L, CH);
        DrawText(C->Handle(), Caption(), &R, DT_RIGHT | DT_RTLREADING | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (FDividerVisible) {
        if (!UseGradients())
            PenLine(C, 0, CH - 1, W, CH - 1, FDividerColor);
        else
            FillGradientRect(C, Rect(0, CH - 1, W, CH), gdVerticalEnd, FDividerColor, Color());
    }
    DrawItems();
}

// --- the open/close button ----------------------------------------------------------------------------------

// A 15 x 15 round button drawn pixel by pixel: the outline in the dark
// colour with its curve smoothed by blends of the two colours, the inside
// in the light colour, and two stacked chevrons, 2 pixels thick, in the
// chevron colour, pointing up when open and down when closed.
void TFcGroup::DrawOpenCloseButton(bool IsOpened, int X, int Y, TColor ChevronColor, TColor DarkColor,
                                   TColor LightColor)
{
    // 'D' outline, 'B' blend, 'L' inside; '.' is left alone.
    static const char* const Shape[15] = {
        "....BDDDDDB....", "..BDDLLLLLDDB..", ".BDLLLLLLLLLDB.", ".DLLLLLLLLLLLD.", "BDLLLLLLLLLLLDB",
        "DLLLLLLLLLLLLLD", "DLLLLLLLLLLLLLD", "DLLLLLLLLLLLLLD", "DLLLLLLLLLLLLLD", "DLLLLLLLLLLLLLD",
        "BDLLLLLLLLLLLDB", ".DLLLLLLLLLLLD.", ".BDLLLLLLLLLDB.", "..BDDLLLLLDDB..", "....BDDDDDB....",
    };
    // One chevron pointing up, its apex on the first row.
    static const char* const Chevron[4] = {"...X...", "..XXX..", ".XX.XX.", "XX...XX"};
    const auto Fits = [&](const TButtonImage& I) {
        return I.Bitmap && I.Opened == IsOpened && I.Chevron == ChevronColor && I.Dark == DarkColor
            && I.Light == LightColor;
    };
    // The one used last comes first; a new button replaces the other.
    if (!Fits(FButtonImages[0]))
        std::swap(FButtonImages[0], FButtonImages[1]);
    TButtonImage& B = FButtonImages[0];
    if (!Fits(B)) {
        const auto Argb = [](TColor C) {
            const COLORREF R = ColorToRGB(C);
            return qRgba(GetRValue(R), GetGValue(R), GetBValue(R), 255);
        };
        QImage Image(15, 15, QImage::Format_ARGB32);
        Image.fill(Qt::transparent);
        const QRgb Dark = Argb(DarkColor), Light = Argb(LightColor),
                   Blend = Argb(MixColors(DarkColor, LightColor, 128));
        for (int Row = 0; Row < 15; ++Row)
            for (int Col = 0; Col < 15; ++Col) {
                const char P = Shape[Row][Col];
                if (P != '.')
                    Image.setPixel(Col, Row, P == 'D' ? Dark : P == 'B' ? Blend : Light);
            }
        for (int Apex : {3, 7})
            for (int Row = 0; Row < 4; ++Row)
                for (int Col = 0; Col < 7; ++Col)
                    if (Chevron[Row][Col] == 'X')
                        Image.setPixel(4 + Col, IsOpened ? Apex + Row : 14 - Apex - Row, Argb(ChevronColor));
        B.Bitmap = std::make_unique<TBitmap>();
        B.Bitmap->SetImage(Image);
        B.Opened = IsOpened;
        B.Chevron = ChevronColor;
        B.Dark = DarkColor;
        B.Light = LightColor;
    }
    BLENDFUNCTION Blend;
    Blend.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(Canvas()->Handle(), X, Y, 15, 15, B.Bitmap->Canvas()->Handle(), 0, 0, 15, 15, Blend);
}

// --- the items -------------------------------------------------------------------------------------------------

TFcGroup::TItemColors TFcGroup::ItemColors() const
{
    TItemColors Colors;
    const TFcGradientColorStyle Style = FGroupBar != nullptr ? FGroupBar->GradientColorStyle() : gcsSystem;
    const bool Category = FGroupBar != nullptr && FGroupBar->Style() == gbsCategoryView;
    if (Category && FGroupBar->VisualStyle() == vsWinXP && FcThemesEnabled()) {
        Colors.Text = GetThemedColor(FSpecial ? 2 : 1);
        Colors.HotText = MixColors(clWhite, Colors.Text, 50);
    } else if (Category && Style != gcsCustom) {
        GetGroupTextColors(Style, Colors.Text, Colors.HotText);
    } else {
        Colors.Text = Font()->Color();
        Colors.HotText = FItemHotColor;
    }
    Colors.PressedText = MixColors(clBlack, Colors.Text, 50);
    if (Style == gcsCustom) {
        Colors.SelectionFrame = FSelectionFrameColor;
        Colors.SelectionLight = FSelectionColor;
        Colors.SelectionDark = FSelectionShadowColor;
    } else {
        GetHotTrackColors(Style, Colors.SelectionFrame, Colors.SelectionLight, Colors.SelectionDark);
    }
    return Colors;
}

void TFcGroup::SetItemFont(TCanvas* C, TFcGroupItem* Item, const TItemColors& Colors, bool Underline)
{
    const bool Static = !Item->IsClickable();
    if (!Item->Enabled()) {
        UseFace(C, Static ? FItemStaticFont.get() : Font());
        C->Font()->SetColor(ColorToRGB(Color()) == ColorToRGB(clBtnShadow) ? clBtnFace : clBtnShadow);
        C->Font()->SetStyle({});
        return;
    }
    TFont* Base = Font();
    TColor Ink = Colors.Text;
    TFontStyles Style;
    switch (Item->HotState()) {
    case HotOver:
        Ink = Colors.HotText;
        if (Underline)
            Style.Include(fsUnderline);
        break;
    case HotPressed:
        Ink = Colors.PressedText;
        if (Underline)
            Style.Include(fsUnderline);
        break;
    default:
        if (Static) {
            Base = FItemStaticFont.get();
            Ink = Base->Color();
        }
        break;
    }
    if (Item->FontColor() != clDefault)
        Ink = Item->FontColor();
    UseFace(C, Base);
    C->Font()->SetColor(Ink);
    C->Font()->SetStyle(Base->Style() + Style + Item->FontStyle());
}

void TFcGroup::DrawSeparator(int Y)
{
    TCanvas* C = Canvas();
    const int W = Width();
    if (!UseGradients())
        PenLine(C, 8, Y, W - 8, Y, FDividerColor);
    else if (W - 8 > 8)
        FillGradientRect(C, Rect(8, Y, W - 8, Y + 1), gdVerticalCenter, Color(), FDividerColor);
}

void TFcGroup::DrawSelectionBox(TRect R, bool LightFirst, const TItemColors& Colors)
{
    TCanvas* C = Canvas();
    const TRect Inside = PaintBoxOutline(C, R, Colors.SelectionFrame);
    if (IsRectEmpty(Inside))
        return;
    if (!UseGradients())
        FillSolid(C, Inside, Colors.SelectionLight);
    else
        FillGradientRect(C, Inside, gdHorizontalEnd, LightFirst ? Colors.SelectionLight : Colors.SelectionDark,
                         LightFirst ? Colors.SelectionDark : Colors.SelectionLight);
}

void TFcGroup::DrawItemImage(TCustomImageList* Images, TFcGroupItem* Item, int X, int Y)
{
    if (Item->DisabledIndex() == -1)
        Images->Draw(Canvas(), X, Y, Item->ImageIndex(), Item->Enabled());
    else
        Images->Draw(Canvas(), X, Y, Item->Enabled() ? Item->ImageIndex() : Item->DisabledIndex(), true);
}

TRect TFcGroup::MeasureCaption(TCanvas* C, TFcGroupItem* Item, TRect R, unsigned Format)
{
    TFont* Font = C->Font();
    TMeasured& M = FMeasured[Item->ID()];
    // Lines drawn over the text (a hot item's underline) leave its size
    // alone: a hover needs no new measure.
    TFontStyles Style = Font->Style();
    Style.Exclude(fsUnderline);
    Style.Exclude(fsStrikeOut);
    if (!M.Valid || M.Caption != Item->Caption() || M.Area != R || M.Format != Format || M.FontName != Font->Name()
        || M.FontHeight != Font->Height() || M.FontStyle != Style) {
        M.Valid = true;
        M.Caption = Item->Caption();
        M.Area = R;
        M.Format = Format;
        M.FontName = Font->Name();
        M.FontHeight = Font->Height();
        M.FontStyle = Style;
        M.Result = R;
        DrawText(C->Handle(), Item->Caption(), &M.Result, Format | DT_CALCRECT);
    }
    return M.Result;
}

int TFcGroup::SampleHeight(TCanvas* C)
{
    TFont* F = C->Font();
    const auto Key = std::make_tuple(F->Name(), F->Height(), F->Style().Bits());
    const auto It = FSampleHeights.find(Key);
    if (It != FSampleHeights.end())
        return It->second;
    return FSampleHeights[Key] = C->TextHeight(TextSample);
}

void TFcGroup::DrawItems()
{
    const TItemColors Colors = ItemColors();
    if (FItemStyle == isLarge)
        DrawLargeItems(Colors);
    else
        DrawSmallItems(Colors);
}

void TFcGroup::DrawSmallItems(const TItemColors& Colors)
{
    TCanvas* C = Canvas();
    const TRect Clip = C->ClipRect();
    C->Font()->Assign(Font());
    const int LineHeight = SampleHeight(C);
    const int Pad = (FItemHeight - LineHeight) / 2;
    const int W = Width(), Left = ItemTextLeft();
    const bool Rtl = UseRightToLeftAlignment();
    TCustomImageList* Images = EffectiveSmallImages();
    int Y = FCaptionHeight + 4;
    for (int I = FTopItemIndex; I < FItems->Count(); ++I) {
        TFcGroupItem* Item = FItems->Items(I);
        if (!Item->Visible())
            continue;
        if (Item->IsSeparator() && IsSeparatorHidden(I))
            continue;
        SetItemFont(C, Item, Colors, true);
        const int Indent = Item->IndentLevel() * FItemIndent;
        const int X = Left + Indent;
        const TRect Text = MeasureCaption(C, Item, Rect(X, Y + Pad, std::max(X + 1, W - 8), Y + Pad),
                                          DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        const int TH = Text.Height();
        const int Advance = std::max(2 * Pad + TH, FItemHeight);
        const bool HasImage = Images != nullptr && Item->ImageIndex() != -1 && !Item->IsSeparator();
        const int IY = !HasImage                   ? Y
            : TH <= LineHeight || TH < FItemHeight ? Y + (FItemHeight - Images->Height()) / 2
                                                   : Y + Pad;
        // What the item paints: its caption and image, with the selection
        // box 2 pixels around them while selections show, or a separator's
        // line; the row around them is the group's own.  A hover repaints
        // one item: its neighbours, whose paint lies wholly outside, are not
        // drawn only to be clipped away.
        const int Box = FShowItemSelection ? 2 : 0;
        TRect Extent = Rect(0, Y + Pad - Box, W, Y + Pad + TH + Box);
        if (HasImage)
            Extent = Rect(0, std::min(Extent.Top, IY - Box), W, std::max(Extent.Bottom, IY + Images->Height() + Box));
        if (Item->IsSeparator())
            Extent = Rect(0, Y + FItemHeight / 2, W, Y + FItemHeight / 2 + 1);
        const bool Draw = NeedsPainting(Clip, Extent);
        const bool Selected = FShowItemSelection && Item->Selected();
        const bool Pressed = Item->Pressed() || Item->HotState() == HotPressed;
        const bool LightFirst = Item->HotState() == HotOver || (Item->Selected() && !Pressed);
        if (Item->IsSeparator()) {
            if (Draw)
                DrawSeparator(Y + FItemHeight / 2);
        } else if (!Item->Caption().isEmpty() && Draw) {
            const int TextWidth = Selected ? C->TextWidth(StripAccelChars(Item->Caption())) : 0;
            if (Selected && FItemSelectionStyle == issImageAndCaption) {
                TRect Box = Rect(X - (HasImage ? Images->Width() + 4 : 0), Y + Pad, X + TextWidth, Y + Pad + TH);
                InflateRect(Box, 2, 2);
                DrawSelectionBox(Box, LightFirst, Colors);
            } else if (Selected && (FItemSelectionStyle == issCaption || !HasImage)) {
                TRect Box = Rect(X, Y + Pad, X + TextWidth, Y + Pad + TH);
                InflateRect(Box, 2, 2);
                DrawSelectionBox(Box, LightFirst, Colors);
            }
            C->Brush()->SetStyle(bsClear);
            TRect R =
                Rtl ? Rect(8, Y + Pad, W - X, Y + Pad + TH) : Rect(X, Y + Pad, std::max(X + 1, W - 8), Y + Pad + TH);
            // A caption that fits on one line needs no word breaking.
            const unsigned Lines = TH <= LineHeight ? DT_SINGLELINE : DT_WORDBREAK;
            DrawText(C->Handle(), Item->Caption(), &R,
                     Lines | DT_EXPANDTABS | DT_NOPREFIX | (Rtl ? DT_RIGHT | DT_RTLREADING : DT_LEFT));
        }
        Item->SetCaptionRect(Text);
        if (HasImage) {
            const int IX = Rtl ? W - (8 + Indent) - Images->Width() : 8 + Indent;
            if (Draw) {
                if (FShowItemSelection && FItemSelectionStyle == issImage
                    && (Item->HotState() != HotNormal || Item->Pressed() || Item->Selected())) {
                    TRect Box = Bounds(IX, IY, Images->Width(), Images->Height());
                    InflateRect(Box, 2, 2);
                    DrawSelectionBox(Box, LightFirst, Colors);
                }
                DrawItemImage(Images, Item, IX, IY);
            }
            Item->SetImageRect(Bounds(IX, IY, Images->Width(), 16));
        } else {
            Item->SetImageRect(TRect());
        }
        Y += Advance;
    }
}

void TFcGroup::DrawLargeItems(const TItemColors& Colors)
{
    TCanvas* C = Canvas();
    const TRect Clip = C->ClipRect();
    C->Font()->Assign(Font());
    const int Pad = (FItemHeight - SampleHeight(C)) / 2;
    const int W = Width();
    TCustomImageList* Images = EffectiveLargeImages();
    const int ImageH = Images != nullptr ? Images->Height() + 2 : 34;
    int Y = FCaptionHeight + 4;
    for (int I = FTopItemIndex; I < FItems->Count(); ++I) {
        TFcGroupItem* Item = FItems->Items(I);
        if (!Item->Visible())
            continue;
        if (Item->IsSeparator()) {
            if (IsSeparatorHidden(I))
                continue;
            if (NeedsPainting(Clip, Rect(0, Y, W, Y + 12)))
                DrawSeparator(Y + 2);
            Y += 12;
            continue;
        }
        SetItemFont(C, Item, Colors, false);
        const int Right = std::max(9, W - 8);
        const TRect Measured =
            MeasureCaption(C, Item, Rect(8, 0, Right, 0), DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        const int TH = Measured.Height();
        const int Advance = std::max(2 * Pad + TH, FItemHeight) + ImageH + 8;
        const bool Draw = NeedsPainting(Clip, Rect(0, Y - 4, W, Y + Advance));
        const int TextTop = Y + ImageH + Pad;
        if (Draw) {
            TRect R = Rect(8, TextTop, Right, TextTop + TH);
            C->Brush()->SetStyle(bsClear);
            DrawText(C->Handle(), Item->Caption(), &R, DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        }
        // Where the centred text lies.
        const int TextLeft = 8 + std::max(0, (Right - 8 - Measured.Width()) / 2);
        Item->SetCaptionRect(Rect(TextLeft, TextTop, TextLeft + Measured.Width(), TextTop + TH));
        if (Images != nullptr && Item->ImageIndex() != -1) {
            const int IX = (ClientWidth() - Images->Width()) / 2;
            const int IY = Y + 2;
            if (Draw) {
                const bool Pressed = Item->Pressed() || Item->HotState() == HotPressed;
                if (Item->HotState() != HotNormal || Pressed || (Item->Selected() && FShowItemSelection)) {
                    TRect Box = Bounds(IX, IY, Images->Width(), Images->Height());
                    InflateRect(Box, 2, 2);
                    DrawSelectionBox(Box, Item->HotState() == HotOver || (Item->Selected() && !Pressed), Colors);
                }
                DrawItemImage(Images, Item, IX, IY);
            }
            Item->SetImageRect(Bounds(IX, IY, Images->Width(), Images->Height()));
        } else {
            Item->SetImageRect(TRect());
        }
        Y += Advance;
    }
}
