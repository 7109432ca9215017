// The framed group box: each style's frame with the caption's gap, the
// banner's gradient band, where the caption sits, the room its children
// get, the accelerator, and the themed frame through the theme bridge.
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcGroupBox.h"
#include "tests/controls/foundation/ContainerFixture.h"
#include "tests/controls/foundation/FcTestSupport.h"

#include "platform/windows/Themes.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/ExtCtrls.h"

namespace {

struct GroupBox : TContainerFixture {
    TFcGroupBox* Box = nullptr;
    TSize Text; // the caption's extent
    int Line = 0; // the height of "Pp"
    void SetUp() override
    {
        Form->SetBounds(10, 10, 300, 200);
        Form->SetColor(clWhite);
        Box = Add<TFcGroupBox>(Bounds(10, 10, 120, 80));
        Box->SetColor(clYellow);
        Box->SetFlatColor(clRed);
        Box->SetFlatColorAdjustment(0);
        Box->Font()->SetColor(clBlack);
        Box->SetCaption(QStringLiteral("&Adres"));
        PaintToImage(10, 10, [&](TCanvas& C) {
            C.Font()->Assign(Box->Font());
            GetTextExtentPoint32(C.Handle(), QStringLiteral("Adres"), &Text);
            Line = C.TextHeight(QStringLiteral("Pp"));
        });
    }
    int FrameTop() const { return Line / 2 - 1; }
};

} // namespace

TEST_F(GroupBox, EachStyleLeavesAGapForItsCaption)
{
    const COLORREF Red = ColorToRGB(clRed);
    const int W = 120, T = FrameTop();
    const struct {
        TFcGroupBoxStyle Style;
        TFrameStyleEx Border;
        COLORREF Frame;
        // Where the frame line runs along the top, and where the gap is.
        TRect Line, Gap;
    } Cases[] = {
        {gsStandard, fsNone, ColorToRGB(clBtnShadow), Rect(1, T, W - 2, T + 1), Rect(8, T, 8 + Text.cx, T + 1)},
        {gsStandard, fsFlat, Red, Rect(0, T, W, T + 1), Rect(8, T, 8 + Text.cx, T + 1)},
        {gsFlat, fsNone, Red, Rect(2, T, W - 2, T + 1), Rect(8, T, 8 + Text.cx, T + 1)},
        {gsTopLine, fsFlat, Red, Rect(2, T, W - 2, T + 1), Rect(2, T, Text.cx + 4, T + 1)},
        {gsUnderline, fsNone, Red, Rect(0, Text.cy + 2, W, Text.cy + 3), TRect()},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "style " << C.Style << " border " << C.Border);
        Box->SetGroupStyle(C.Style);
        Box->SetBorderOuter(C.Border);
        const QImage I = PaintControlImage(Box);
        const TRect Before = Rect(C.Line.Left, C.Line.Top, C.Gap.Left, C.Line.Bottom);
        const TRect After =
            Rect(IsRectEmpty(C.Gap) ? C.Line.Left : C.Gap.Right, C.Line.Top, C.Line.Right, C.Line.Bottom);
        if (!IsRectEmpty(Before) && !IsRectEmpty(C.Gap)) {
            EXPECT_TRUE(RectHasColor(I, Before, C.Frame));
        }
        EXPECT_TRUE(RectHasColor(I, After, C.Frame));
        if (!IsRectEmpty(C.Gap)) {
            EXPECT_EQ(CountColor(I, C.Frame, C.Gap), 0);
        }
    }
    // Without a caption the standard frame runs through.
    Box->SetGroupStyle(gsStandard);
    Box->SetBorderOuter(fsFlat);
    Box->SetCaption(String());
    EXPECT_TRUE(RectHasColor(PaintControlImage(Box), Rect(0, T, W, T + 1), Red));
}

TEST_F(GroupBox, TheFlatStyleRoundsItsCorners)
{
    Box->SetGroupStyle(gsFlat);
    const QImage I = PaintControlImage(Box);
    const int T = FrameTop();
    const COLORREF Red = ColorToRGB(clRed), Yellow = ColorToRGB(clYellow);
    EXPECT_TRUE(PixelIs(I, 0, T, Yellow));
    EXPECT_TRUE(PixelIs(I, 1, T + 1, Red));
    EXPECT_TRUE(RectHasColor(I, Rect(0, T + 2, 1, 78), Red));
    EXPECT_TRUE(PixelIs(I, 118, 78, Red));
    EXPECT_TRUE(PixelIs(I, 119, 79, Yellow));
}

TEST_F(GroupBox, ACustomBannerIsAGradientBandAsTallAsTheCaptionAndSix)
{
    Box->SetGroupStyle(gsBanner);
    Box->SetGradientColorStyle(gcsCustom);
    Box->SetGradientColorStart(clWhite);
    Box->SetGradientColorStop(clBlue);
    Box->Font()->SetColor(clLime);
    const int Band = Text.cy + 6;
    const QImage I = PaintControlImage(Box);
    // The outline with open corners, the gradient inside, the box below.
    EXPECT_TRUE(PixelIs(I, 0, 0, ColorToRGB(clYellow)));
    EXPECT_TRUE(RectHasColor(I, Rect(1, 0, 119, 1), ColorToRGB(clRed)));
    EXPECT_TRUE(RectHasColor(I, Rect(1, Band - 1, 119, Band), ColorToRGB(clRed)));
    EXPECT_TRUE(RectHasColor(I, Rect(0, Band, 120, 80), ColorToRGB(clYellow)));
    const QImage Gradient = PaintToImage(118, Band - 2, [&](TCanvas& C) {
        FillGradientRect(&C, Rect(0, 0, 118, Band - 2), gdHorizontalEnd, clWhite, clBlue, 1);
    });
    EXPECT_TRUE(PixelsMatch(I, [&](int X, int Y, COLORREF& Want) {
        if (X < 1 || X >= 119 || Y < 1 || Y >= Band - 1)
            return false;
        if (ImagePixel(I, X, Y) == ColorToRGB(clLime))
            return false; // the caption
        Want = ImagePixel(Gradient, X - 1, Y - 1);
        return true;
    }));
    // The caption stands inset by (4, 1).
    EXPECT_GE(BoundsOfColor(I, ColorToRGB(clLime)).Left, 4);
}

TEST_F(GroupBox, OnlyRightToLeftReadingMovesTheCaptionToTheRight)
{
    Box->SetGroupStyle(gsStandard);
    Box->SetAlignment(taRightJustify);
    EXPECT_EQ(Box->CaptionRect(30, 12), Rect(8, 0, 38, 12));
    Box->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(Box->CaptionRect(30, 12), Rect(120 - 38, 0, 112, 12));
    Box->SetGroupStyle(gsTopLine);
    EXPECT_EQ(Box->CaptionRect(30, 12), Rect(120 - 34, 0, 116, 12));
    Box->SetGroupStyle(gsCustom);
    EXPECT_TRUE(IsRectEmpty(Box->CaptionRect(30, 12)));
}

TEST_F(GroupBox, EachStyleGivesItsChildrenTheRoomBelowTheCaption)
{
    int H = 0;
    PaintToImage(10, 10, [&](TCanvas& C) {
        C.Font()->Assign(Box->Font());
        H = C.TextHeight(QStringLiteral("Yy"));
    });
    auto* Child = Add<TPanel>(Bounds(0, 0, 5, 5), Box);
    Child->SetAlign(alClient);
    Box->HandleNeeded();
    const struct {
        TFcGroupBoxStyle Style;
        TRect Expected;
    } Cases[] = {
        {gsStandard, Rect(2, H + 2, 118, 78)}, {gsFlat, Rect(1, H + 1, 119, 79)},
        {gsCustom, Rect(2, H + 2, 118, 78)},   {gsTopLine, Rect(0, H, 120, 80)},
        {gsBanner, Rect(0, H + 8, 120, 80)},   {gsUnderline, Rect(0, H + 4, 120, 80)},
    };
    for (const auto& C : Cases) {
        Box->SetGroupStyle(C.Style);
        EXPECT_EQ(Child->BoundsRect(), C.Expected) << "style " << C.Style;
    }
}

TEST_F(GroupBox, TheAcceleratorFocusesTheFirstChildOnlyWhenThereIsOne)
{
    Form->Show();
    EXPECT_EQ(Box->Perform(CM_DIALOGCHAR, 'a', 0), 0);
    auto* Button = Add<TButton>(Bounds(10, 30, 60, 24), Box);
    EXPECT_EQ(Box->Perform(CM_DIALOGCHAR, 'a', 0), 1);
    EXPECT_TRUE(Button->Focused());
}

TEST_F(GroupBox, TheThemedFrameIsTheThemesWithTheCaptionCutOut)
{
    const TColorStateGuard Themes(true);
    std::vector<TThemedElementDetails> Drawn;
    TRect FrameRect, TextRect;
    FcThemeBridge().DrawElement = [&](TCanvas*, const TThemedElementDetails& D, const TRect& R) {
        Drawn.push_back(D);
        FrameRect = R;
    };
    FcThemeBridge().TextExtent = [](TCanvas*, const TThemedElementDetails&, const String&, unsigned) {
        return TSize{40, 13};
    };
    FcThemeBridge().DrawText = [&](TCanvas*, const TThemedElementDetails&, const String&, const TRect& R, unsigned,
                                   unsigned) { TextRect = R; };
    Box->SetGroupStyle(gsStandard);
    PaintControlImage(Box);
    ASSERT_EQ(Drawn.size(), 1u);
    EXPECT_EQ(Drawn[0], TThemeServices::GetElementDetails(tbGroupBoxNormal));
    EXPECT_EQ(FrameRect, Rect(0, FrameTop(), 120, 80));
    EXPECT_EQ(TextRect, Rect(8, 0, 48, 13));
    // The other styles paint themselves.
    Drawn.clear();
    Box->SetGroupStyle(gsTopLine);
    PaintControlImage(Box);
    EXPECT_TRUE(Drawn.empty());
}

TEST_F(GroupBox, TheCustomStyleHasThePanelsLook)
{
    Box->SetGroupStyle(gsCustom);
    Box->SetBorderOuter(fsFlat);
    auto* Twin = Add<TFcPanel>(Bounds(150, 10, 120, 80));
    Twin->SetColor(clYellow);
    Twin->SetFlatColor(clRed);
    Twin->SetFlatColorAdjustment(0);
    Twin->SetBorderOuter(fsFlat);
    Twin->Font()->SetColor(clBlack);
    Twin->SetAlignment(taLeftJustify);
    Twin->SetAlignmentVertical(avTop);
    Twin->SetCaption(QStringLiteral("&Adres"));
    EXPECT_EQ(PaintControlImage(Box), PaintControlImage(Twin));
}
