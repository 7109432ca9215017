// The framed panel: its border in every combination, the client area its
// children get, a transparent panel over a gradient, the caption's
// alignment and margins, the design grid, the memory of disabled children,
// the frame controller, obsolete form properties and the dock manager.
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFrameController.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcPanel.h"
#include "controls/foundation/FcPanelDockManager.h"
#include "tests/controls/foundation/ContainerFixture.h"
#include "tests/support/FormTextHelpers.h"

#include "platform/stdctrls/ExtCtrls.h"

namespace {

struct Panel : TContainerFixture {
    TFcPanel* P = nullptr;
    void SetUp() override
    {
        Form->SetBounds(10, 10, 300, 200);
        Form->SetColor(clWhite);
        P = Add<TFcPanel>(Bounds(10, 10, 20, 16));
        P->SetColor(clYellow);
        P->SetBorderColor(clBlue);
        P->SetFlatColor(clRed);
        P->SetFlatColorAdjustment(0);
        P->SetBorderHighlight(clLime);
        P->SetBorderShadow(clNavy);
    }
};

// What the panel shows of Text drawn by DrawText into R with Flags, on
// Background.
QImage TextImage(TFont* Font, int Width, int Height, const String& Text, TRect R, unsigned Flags, TColor Background)
{
    return PaintToImage(
        Width, Height,
        [&](TCanvas& C) {
            C.Font()->Assign(Font);
            C.Brush()->SetStyle(bsClear);
            DrawText(C.Handle(), Text, &R, Flags);
        },
        ColorToRGB(Background));
}

int TextHeight(TFont* Font, const String& Text, int Width, unsigned Flags)
{
    int H = 0;
    PaintToImage(Width, 10, [&](TCanvas& C) {
        C.Font()->Assign(Font);
        TRect R = Rect(0, 0, Width, 10);
        H = DrawText(C.Handle(), Text, &R, Flags | DT_CALCRECT);
    });
    return H;
}

} // namespace

TEST_F(Panel, EveryBorderCombinationFromTheEdgeInwards)
{
    const TColor Y = clYellow, R = clRed, B = clBlue;
    const struct {
        TFrameStyleEx Outer, Inner;
        int BorderWidth, BevelWidth;
        TSides Sides;
        // Along the middle row from the left edge and from the right edge.
        std::vector<COLORREF> Left, Right;
        int ChildInset;
    } Cases[] = {
        {fsFlat, fsNone, 0, 1, AllSides, RGBs({R, Y}), RGBs({R, Y}), 1},
        {fsFlatBold, fsFlat, 1, 1, AllSides, RGBs({R, R, B, R, Y}), RGBs({R, R, B, R, Y}), 4},
        {fsRaised, fsLowered, 2, 1, AllSides, RGBs({cl3DLight, clBtnHighlight, B, B, clBtnShadow, cl3DDkShadow, Y}),
         RGBs({cl3DDkShadow, clBtnShadow, B, B, clBtnHighlight, cl3DLight, Y}), 6},
        {fsStatus, fsNone, 0, 2, AllSides, RGBs({clNavy, clNavy, Y}), RGBs({clLime, clLime, Y}), 2},
        {fsPopup, fsNone, 0, 1, AllSides, RGBs({clLime, Y}), RGBs({clNavy, Y}), 1},
        {fsNone, fsNone, 3, 1, AllSides, RGBs({B, B, B, Y}), RGBs({B, B, B, Y}), 3},
        {fsFlat, fsNone, 0, 1, TSides{sdRight, sdTop}, RGBs({Y, Y}), RGBs({R, Y}), 0},
    };
    auto* Child = Add<TPanel>(Bounds(0, 0, 5, 5), P);
    Child->SetAlign(alClient);
    Child->SetColor(clYellow);
    Child->SetBevelOuter(bvNone);
    P->HandleNeeded();
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "outer " << C.Outer << " inner " << C.Inner << " band " << C.BorderWidth);
        P->SetBorderOuter(C.Outer);
        P->SetBorderInner(C.Inner);
        P->SetBorderWidth(C.BorderWidth);
        P->SetBevelWidth(C.BevelWidth);
        P->SetBorderSides(C.Sides);
        const QImage I = PaintControlImage(P);
        EXPECT_EQ(RowColors(I, 8, 0, int(C.Left.size())), C.Left);
        EXPECT_EQ(RowColors(I, 8, 19, int(C.Right.size()), -1), C.Right);
        EXPECT_EQ(Child->Left(), C.Sides.Contains(sdLeft) ? C.ChildInset : C.BorderWidth);
    }
}

TEST_F(Panel, ChildrenGetTheAreaInsideAllBorders)
{
    P->SetBounds(10, 10, 100, 80);
    P->SetBorderOuter(fsRaised);
    P->SetBorderInner(fsLowered);
    P->SetBorderWidth(2);
    auto* Child = Add<TPanel>(Bounds(0, 0, 10, 10), P);
    Child->SetAlign(alClient);
    P->HandleNeeded();
    EXPECT_EQ(Child->BoundsRect(), Rect(6, 6, 94, 74));
    // A dock site's own client rectangle leaves the borders out as well.
    P->SetDockSite(true);
    TRect R = P->ClientRect();
    P->AdjustClientRect(R);
    EXPECT_EQ(R, Rect(6, 6, 94, 74));
}

TEST_F(Panel, ATransparentPanelShowsItsGradientParentAndFillsNothing)
{
    P->SetBounds(5, 5, 200, 120);
    P->SetBorderOuter(fsNone);
    P->SetVisualStyle(vsGradient);
    P->SetGradientColorStyle(gcsCustom);
    P->SetGradientColorStart(clRed);
    P->SetGradientColorStop(clBlue);
    auto* Clear = Add<TFcPanel>(Bounds(30, 20, 80, 50), P);
    Clear->SetBorderOuter(fsNone);
    Clear->SetColor(clLime);
    Clear->SetTransparent(true);
    EXPECT_FALSE(Clear->ControlStyle().Contains(csOpaque));
    Form->Show();
    const QImage Under = Shown(Clear);
    const QImage Expected = PaintToImage(
        200, 120, [](TCanvas& C) { FillGradientRect(&C, Rect(0, 0, 200, 120), gdHorizontalEnd, clRed, clBlue, 1); });
    EXPECT_EQ(Under, Expected.copy(30, 20, 80, 50).convertToFormat(Under.format()));
    // Opaque again, it fills its client area with its colour.
    Clear->SetTransparent(false);
    EXPECT_TRUE(RectHasColor(Shown(Clear), Rect(0, 0, 80, 50), ColorToRGB(clLime)));
}

TEST_F(Panel, TheCaptionFollowsItsAlignmentAndMargins)
{
    P->SetBounds(10, 10, 120, 60);
    P->SetBorderOuter(fsNone);
    P->SetColor(clWhite);
    P->Font()->SetColor(clBlack);
    P->SetTextMargin(5);
    P->SetTextMarginVertical(4);
    const String Text = QStringLiteral("Xy");
    P->SetCaption(Text);
    const int H = TextHeight(P->Font(), Text, 110, DT_EXPANDTABS | DT_VCENTER | DT_WORDBREAK);
    // The caption's rectangle inside the margins: (5, 4, 115, 56).
    const struct {
        TAlignment Horizontal;
        TAlignmentVertical Vertical;
        TRect Expected;
        unsigned Flag;
    } Cases[] = {
        {taLeftJustify, avTop, Rect(5, 4, 115, 4 + H), DT_LEFT},
        {taCenter, avCenter, Rect(5, (60 - H) / 2, 115, (60 - H) / 2 + H), DT_CENTER},
        {taRightJustify, avBottom, Rect(5, 56 - H - 1, 115, 56), DT_RIGHT},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "alignment " << C.Horizontal << " vertical " << C.Vertical);
        P->SetAlignment(C.Horizontal);
        P->SetAlignmentVertical(C.Vertical);
        const QImage Expected = TextImage(P->Font(), 120, 60, Text, C.Expected,
                                          DT_EXPANDTABS | DT_VCENTER | DT_WORDBREAK | C.Flag, clWhite);
        EXPECT_EQ(PaintControlImage(P), Expected.convertToFormat(QImage::Format_RGB32));
    }
}

TEST_F(Panel, ABottomCaptionTallerThanThePanelStartsAtTheTopMargin)
{
    P->SetBounds(10, 10, 60, 20);
    P->SetBorderOuter(fsNone);
    P->SetColor(clWhite);
    P->Font()->SetColor(clBlack);
    P->SetTextMarginVertical(3);
    P->SetAlignmentVertical(avBottom);
    P->SetCaption(QStringLiteral("een twee drie vier vijf zes"));
    const TRect Text = BoundsOfColor(PaintControlImage(P), ColorToRGB(clBlack));
    ASSERT_FALSE(IsRectEmpty(Text));
    EXPECT_GE(Text.Top, 3);
    EXPECT_LE(Text.Top, 3 + P->Font()->Size());
    // A disabled panel writes its caption in the grey text colour.
    P->SetEnabled(false);
    EXPECT_EQ(CountColor(PaintControlImage(P), ColorToRGB(clBlack), Rect(0, 0, 60, 20)), 0);
    EXPECT_GT(CountColor(PaintControlImage(P), ColorToRGB(clGrayText), Rect(0, 0, 60, 20)), 0);
}

TEST_F(Panel, TheDesignGridInEachStyle)
{
    P->SetBounds(10, 10, 22, 14);
    P->SetBorderOuter(fsFlat);
    P->SetColor(clWhite);
    P->SetGridColor(clBlack);
    P->SetGridXSize(8);
    P->SetGridYSize(4);
    P->SetShowGrid(true);
    // The client rectangle is (1, 1, 21, 13): columns x = 8 and 16, rows
    // y = 4, 8 and 12.
    const auto OnColumn = [](int X) { return X == 8 || X == 16; };
    const auto OnRow = [](int Y) { return Y == 4 || Y == 8 || Y == 12; };
    const struct {
        TFcGridStyle Style;
        std::function<bool(int X, int Y)> Black;
    } Cases[] = {
        {gsDots, [&](int X, int Y) { return OnColumn(X) && OnRow(Y); }},
        {gsSolidLines, [&](int X, int Y) { return OnColumn(X) || OnRow(Y); }},
        {gsDottedLines, [&](int X, int Y) { return (OnColumn(X) && Y % 2 == 0) || (OnRow(Y) && X % 2 == 0); }},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "style " << C.Style);
        P->SetGridStyle(C.Style);
        EXPECT_TRUE(PixelsMatch(PaintControlImage(P), [&](int X, int Y, COLORREF& Want) {
            if (X < 1 || Y < 1 || X >= 21 || Y >= 13)
                return false;
            Want = C.Black(X, Y) ? ColorToRGB(clBlack) : ColorToRGB(clWhite);
            return true;
        }));
    }
    // Without a column width there are no columns, only the rows.
    P->SetGridStyle(gsSolidLines);
    P->SetGridXSize(0);
    EXPECT_TRUE(PixelsMatch(PaintControlImage(P), [&](int X, int Y, COLORREF& Want) {
        if (X < 1 || Y < 1 || X >= 21 || Y >= 13)
            return false;
        Want = OnRow(Y) ? ColorToRGB(clBlack) : ColorToRGB(clWhite);
        return true;
    }));
}

TEST_F(Panel, DisablingRemembersEachChildItselfAndForgetsChildrenThatLeave)
{
    // Two unnamed children: remembered apart, not by their (empty) names.
    auto* Enabled = Add<TPanel>(Bounds(0, 0, 5, 5), P);
    auto* Disabled = Add<TPanel>(Bounds(5, 0, 5, 5), P);
    auto* Leaving = Add<TPanel>(Bounds(10, 0, 5, 5), P);
    Disabled->SetEnabled(false);
    Leaving->SetEnabled(false);
    P->SetEnabled(false);
    EXPECT_FALSE(Enabled->Enabled());
    // A child that leaves while the panel is disabled is forgotten: back
    // in the panel, it is enabled with the rest.
    Leaving->SetParent(Form);
    Leaving->SetParent(P);
    P->SetEnabled(true);
    EXPECT_TRUE(Enabled->Enabled());
    EXPECT_FALSE(Disabled->Enabled());
    EXPECT_TRUE(Leaving->Enabled());
}

TEST_F(Panel, APanelAlongTheBottomOrRightKeepsThatEdge)
{
    P->SetAlign(alBottom);
    const int Bottom = P->Top() + P->Height();
    P->SetHeight(40);
    EXPECT_EQ(P->Top() + P->Height(), Bottom);
    P->SetAlign(alRight);
    const int Right = P->Left() + P->Width();
    P->SetWidth(50);
    EXPECT_EQ(P->Left() + P->Width(), Right);
}

TEST_F(Panel, TheFrameControllerSetsBordersAndColoursWhileItsFrameIsVisible)
{
    auto* FC = new TFcFrameController(Form);
    FC->SetFrameStyle(fsFlatBold);
    FC->SetFrameColor(clMaroon);
    FC->SetColor(clSilver);
    P->SetFrameControllerNotifications(AllFrameControllerNotifications
                                       - TFcFrameControllerNotifications{fcpFrameSides});
    P->SetBorderSides(TSides{sdLeft});
    P->SetFrameController(FC);
    // An invisible frame is not taken.
    EXPECT_EQ(P->BorderOuter(), fsRaised);
    FC->SetFrameVisible(true);
    EXPECT_EQ(P->BorderOuter(), fsFlatBold);
    EXPECT_EQ(P->BorderSides(), TSides{sdLeft});
    EXPECT_EQ(P->FlatColor(), clMaroon);
    EXPECT_EQ(P->FlatColorAdjustment(), 0);
    EXPECT_EQ(P->Color(), clSilver);
    EXPECT_EQ(P->BorderHighlight(), LightenColor(clSilver, 100));
    EXPECT_EQ(P->BorderShadow(), DarkenColor(clSilver, 50));
    // Taken from the controller, the colour is not written.
    EXPECT_FALSE(WriteComponentToText(P).contains("Color = clSilver"));
    FC->Free();
    EXPECT_EQ(P->FrameController(), nullptr);
}

TEST(PanelDefinition, ObsoleteNamesAreReadAndDropped)
{
    auto Root = ReadRoot<TFcPanel>(R"(object PanelOud: TFcPanel
  FrameSides = [sdLeft, sdTop]
  ThemeAware = True
  UseGradients = True
end
)");
    EXPECT_EQ(Root->VisualStyle(), vsGradient);
    EXPECT_EQ(Root->BorderSides(), AllSides);
    EXPECT_FALSE(WriteComponentToText(Root.get()).contains("UseGradients"));
}

TEST_F(Panel, DockedClientsGetACaptionStripWithACloseCross)
{
    P->SetBounds(0, 0, 200, 120);
    P->SetBorderOuter(fsNone);
    P->SetDockSite(true);
    ASSERT_NE(dynamic_cast<TFcPanelDockManager*>(P->DockManager()), nullptr);
    auto* Client = new TPanel(Form);
    Client->SetCaption(QStringLiteral("Gereedschap"));
    Client->ManualDock(P);
    Form->Show();
    // Not aligned to the top or bottom: the strip is on top, 14 high.
    EXPECT_EQ(Client->BoundsRect(), Rect(0, 14, 200, 120));
    QImage I = Shown(P);
    EXPECT_EQ(ImagePixel(I, 100, 1), ColorToRGB(clInactiveCaption));
    EXPECT_GT(CountColor(I, ColorToRGB(clInactiveCaptionText), Rect(200 - 15, 1, 200 - 2, 12)), 0);
    // Along the top of the form, the strip is on the left.
    P->SetAlign(alTop);
    EXPECT_EQ(Client->Left(), 14);
    I = Shown(P);
    EXPECT_EQ(ImagePixel(I, 1, 100), ColorToRGB(clInactiveCaption));
    EXPECT_GT(CountColor(I, ColorToRGB(clCaptionText), Rect(1, 1, 12, 12)), 0);
    // Without captions the platform's grabber is drawn instead.
    P->SetShowDockClientCaptions(false);
    EXPECT_NE(ImagePixel(Shown(P), 1, 100), ColorToRGB(clInactiveCaption));
}
