// The status pane: its automatic width, the caption's alignment with its
// offset, its frame and fill, blinking on the shared timer, the fill that
// follows the colour until it is set, the dividers of a gradient bar, the
// application's hints, the frame controller and the themed look.
#include "controls/foundation/FcBlinking.h"
#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcStatus.h"
#include "controls/foundation/FcStatusBar.h"
#include "tests/controls/foundation/ContainerFixture.h"
#include "tests/controls/foundation/FcTestSupport.h"

#include "platform/windows/Themes.h"

namespace {

struct StatusPane : TContainerFixture {
    TFcStatusBar* Bar = nullptr;
    TFcStatusPane* Pane = nullptr;
    void SetUp() override
    {
        Form->SetBounds(20, 20, 400, 100);
        Form->SetColor(clWhite);
        Bar = new TFcStatusBar(Form);
        Bar->SetParent(Form);
        Bar->SetColor(clYellow);
        Bar->SetShowSizeGrip(false);
        Pane = Add<TFcStatusPane>(Bounds(0, 0, 120, 19), Bar);
        Pane->Font()->SetColor(clBlack);
    }

    static int TextWidth(TFont* Font, const String& Text)
    {
        int W = 0;
        PaintToImage(10, 10, [&](TCanvas& C) {
            C.Font()->Assign(Font);
            W = C.TextWidth(Text);
        });
        return W;
    }
};

// Fires the blinking list's timer once.
void Blink()
{
    TTimer* Timer = BlinkingControlsList()->Timer();
    Timer->OnTimer()(Timer);
}

} // namespace

TEST_F(StatusPane, AutoSizeFitsTheCaptionOrTakesTheDefaultWidth)
{
    Pane->SetDefaultWidth(33);
    Pane->SetAutoSize(true);
    EXPECT_EQ(Pane->Width(), 33);
    Pane->SetCaption(QStringLiteral("Gereed"));
    const int Text = TextWidth(Pane->Font(), QStringLiteral("Gereed"));
    EXPECT_EQ(Pane->Width(), Text + 2 * 1 + 2 + 6);
    Pane->SetCaptionOffset(10);
    Pane->SetBorderWidth(3);
    Pane->SetCaption(QStringLiteral("Gereed "));
    EXPECT_EQ(Pane->Width(), TextWidth(Pane->Font(), QStringLiteral("Gereed ")) + 2 * 3 + 10 + 6);
    Pane->SetCaption(String());
    EXPECT_EQ(Pane->Width(), 33);
}

TEST_F(StatusPane, TheCaptionIsAlignedWithItsOffset)
{
    Pane->SetCaption(QStringLiteral("Naam"));
    Pane->SetCaptionOffset(4);
    Form->Show();
    // The text rectangle of a flat frame and a band of 1: (2, 2, 118, 17).
    const struct {
        TAlignment Alignment;
        std::function<bool(const TRect& Text)> Placed;
    } Cases[] = {
        {taLeftJustify, [](const TRect& T) { return T.Left >= 2 + 4 + 1 && T.Left <= 2 + 4 + 3; }},
        {taRightJustify, [](const TRect& T) { return T.Right <= 118 - 4 - 1 && T.Right >= 118 - 4 - 4; }},
        {taCenter, [](const TRect& T) { return std::abs((T.Left + T.Right) / 2 - 60) <= 2; }},
    };
    for (const auto& C : Cases) {
        Pane->SetAlignment(C.Alignment);
        const TRect Text = BoundsOfColor(Shown(Pane), ColorToRGB(clBlack));
        EXPECT_TRUE(C.Placed(Text)) << "alignment " << C.Alignment << ": text at " << Text.Left << ".." << Text.Right;
    }
}

TEST_F(StatusPane, AFlatFrameHasOpenCornersAndAnOpaquePaneFillsWithItsColours)
{
    Bar->SetVisualStyle(vsClassic);
    Pane->SetFlatColor(clRed);
    Pane->SetFlatColorAdjustment(0);
    Form->Show();
    QImage I = Shown(Pane);
    // Transparent: the bar shows through; the frame one pixel in.
    EXPECT_TRUE(PixelIs(I, 0, 0, ColorToRGB(clYellow)));
    EXPECT_TRUE(PixelIs(I, 1, 1, ColorToRGB(clYellow)));
    EXPECT_TRUE(RectHasColor(I, Rect(2, 1, 118, 2), ColorToRGB(clRed)));
    EXPECT_TRUE(RectHasColor(I, Rect(1, 2, 2, 17), ColorToRGB(clRed)));
    Pane->SetTransparent(false);
    Pane->SetColor(clAqua);
    Pane->SetFillColor(clLime);
    Pane->SetCaption(QStringLiteral("Tekst"));
    I = Shown(Pane);
    EXPECT_TRUE(PixelIs(I, 0, 0, ColorToRGB(clAqua)));
    EXPECT_TRUE(PixelIs(I, 1, 1, ColorToRGB(clAqua)));
    EXPECT_TRUE(PixelIs(I, 3, 3, ColorToRGB(clLime)));
}

TEST_F(StatusPane, SettingTheFillColourStopsItFollowingTheColour)
{
    Bar->SetColor(clSilver);
    EXPECT_TRUE(Pane->ParentFillColor());
    EXPECT_EQ(Pane->FillColor(), clSilver);
    Pane->SetColor(clAqua);
    EXPECT_EQ(Pane->FillColor(), clAqua);
    Pane->SetFillColor(clLime);
    EXPECT_FALSE(Pane->ParentFillColor());
    Pane->SetColor(clNavy);
    EXPECT_EQ(Pane->FillColor(), clLime);
    // Following again takes the colour at once.
    Pane->SetParentColor(true);
    Pane->SetParentFillColor(true);
    EXPECT_EQ(Pane->FillColor(), clSilver);
}

TEST_F(StatusPane, BlinkingAlternatesTheTextColourOnTheSharedTimer)
{
    Pane->SetCaption(QStringLiteral("Let op"));
    Pane->SetBlinkColor(clRed);
    Pane->SetBlinking(true);
    Form->Show();
    const auto Has = [&](TColor C) { return CountColor(Shown(Pane), ColorToRGB(C), Rect(0, 0, 120, 19)) > 0; };
    EXPECT_TRUE(Has(clBlack));
    Blink();
    ASSERT_EQ(BlinkingControlsList()->State(), 0);
    EXPECT_TRUE(Has(clBlack));
    Blink();
    EXPECT_EQ(Pane->CurrentFontColor(), clRed);
    EXPECT_TRUE(Has(clRed));
    EXPECT_FALSE(Has(clBlack));
    // Switched off in the blink phase, it shows the font's colour at once.
    Pane->SetBlinking(false);
    EXPECT_TRUE(Has(clBlack));
    Blink();
    EXPECT_FALSE(Has(clRed));
    // The rhythm is the list's.
    Pane->SetBlinkIntervalOn(200);
    EXPECT_EQ(BlinkingControlsList()->BlinkIntervalOn(), 200);
}

TEST_F(StatusPane, OnlyPanesAfterTheFirstGetADividerInAGradientBar)
{
    Bar->SetVisualStyle(vsGradient);
    auto* Second = Add<TFcStatusPane>(Bounds(120, 0, 100, 19), Bar);
    Pane->SetAlign(alLeft);
    Second->SetAlign(alLeft);
    Form->Show();
    TColor Start, Stop, Divider;
    GetStatusGradientColors(gcsSystem, Start, Stop, Divider);
    EXPECT_EQ(CountColor(Shown(Pane), ColorToRGB(Divider), Rect(0, 0, 2, 19)), 0);
    const QImage I = Shown(Second);
    EXPECT_TRUE(RectHasColor(I, Rect(1, 2, 2, Second->Height() - 2), ColorToRGB(Divider)));
    EXPECT_FALSE(PixelIs(I, 1, 1, ColorToRGB(Divider)));
}

TEST_F(StatusPane, AnAutoHintPaneShowsTheApplicationsHint)
{
    Pane->SetAutoHint(true);
    Form->Show();
    Application->SetHint(QStringLiteral("Opent een adresboek"));
    EXPECT_EQ(Pane->Caption(), QStringLiteral("Opent een adresboek"));
    Application->SetHint(String());
    EXPECT_EQ(Pane->Caption(), String());
    // Without AutoHint the caption stays.
    Pane->SetAutoHint(false);
    Pane->SetCaption(QStringLiteral("Vast"));
    Application->SetHint(QStringLiteral("Iets anders"));
    EXPECT_EQ(Pane->Caption(), QStringLiteral("Vast"));
    Application->SetHint(String());
}

TEST_F(StatusPane, TheFrameControllerGivesStyleAndColoursWhileItsFrameIsVisible)
{
    auto* FC = new TFcFrameController(Form);
    FC->SetFrameStyle(fsLowered);
    FC->SetFrameColor(clMaroon);
    Pane->SetFrameController(FC);
    EXPECT_EQ(Pane->FrameStyle(), fsFlat);
    FC->SetFrameVisible(true);
    EXPECT_EQ(Pane->FrameStyle(), fsLowered);
    EXPECT_EQ(Pane->FlatColor(), clMaroon);
    EXPECT_EQ(Pane->FlatColorAdjustment(), 0);
    EXPECT_FALSE(WriteComponentToText(Pane).contains("FrameStyle"));
}

TEST_F(StatusPane, UnderTheSizeGripTheLastPixelsBelongToTheGrip)
{
    Bar->SetShowSizeGrip(true);
    Pane->SetAlign(alRight);
    Form->Show();
    ASSERT_TRUE(Pane->IsUnderSizeGrip());
    EXPECT_EQ(Pane->Perform(CM_HITTEST, 0, PointToLParam({Pane->Width() - 5, 5})), HTNOWHERE);
    EXPECT_NE(Pane->Perform(CM_HITTEST, 0, PointToLParam({5, 5})), HTNOWHERE);
}

TEST_F(StatusPane, InAThemedBarThePaneIsTheThemesPane)
{
    const TColorStateGuard Themes(true);
    std::vector<TThemedElementDetails> Drawn;
    FcThemeBridge().DrawElement = [&](TCanvas*, const TThemedElementDetails& D, const TRect&) { Drawn.push_back(D); };
    Pane->SetCaption(QStringLiteral("Thema"));
    PaintControlImage(Pane);
    ASSERT_GE(Drawn.size(), 2u);
    EXPECT_EQ(Drawn[0], TThemeServices::GetElementDetails(tsPane));
    // The text stands on the bar's background.
    EXPECT_EQ(Drawn[1], TThemeServices::GetElementDetails(tsStatusRoot));
    // A classic bar's panes paint themselves.
    Drawn.clear();
    Bar->SetVisualStyle(vsClassic);
    PaintControlImage(Pane);
    EXPECT_TRUE(Drawn.empty());
}
