// Tab outlines and painting: the outline points of each style, the shapes
// as painted on each side, the card's shadow only where it belongs, the
// fills of coloured tabs, rotated captions and accelerators, and a paint
// that fails leaving the off-screen picture's state as it found it.
#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "tests/controls/foundation/FcTestSupport.h"
#include "tests/controls/lists/TabTestSupport.h"
#include "tests/support/ErrorMessages.h"

// The off-screen picture and the rotated fonts still selected into it.
struct TFcTabControlTestAccess {
    static TBitmap* Bitmap(TFcCustomTabControl* T) { return T->FBitmap.get(); }
    static int FontStackDepth(TFcCustomTabControl* T) { return int(T->FFontStack.size()); }
};

namespace {

const COLORREF Outline = ColorToRGB(clBtnShadow);

struct TabShapes : TTabFixture {
    // Two 100 x 20 tabs (20 x 100 on the sides) on a 260 x 240 control,
    // the second one current, so tab 0 is drawn as a plain tab.
    TFcCustomTabControl* TwoTabs(TFcTabOrientation Side, TFcTabStyle Style)
    {
        const bool Upright = Side == toLeft || Side == toRight;
        auto* T = NewTabs(Bounds(10, 10, 260, 240), {QString(), QString()}, Upright ? 20 : 100, Upright ? 100 : 20);
        T->SetTabOrientation(Side);
        T->SetTabStyle(Style);
        T->SetTabIndex(1);
        return T;
    }
};

} // namespace

TEST_F(TabShapes, OutlinePointsFollowTheStyle)
{
    const struct {
        TFcTabStyle Style;
        bool Soft;
        int Cut;
        std::vector<TPoint> Points; // relative to the tab's top-left
    } Cases[] = {
        {tsDoubleSlant, false, 6, {{0, 20}, {20, 0}, {80, 0}, {100, 20}}},
        {tsDoubleSlant, true, 6, {{0, 20}, {18, 2}, {24, 0}, {76, 0}, {82, 2}, {100, 20}}},
        {tsSingleSlant, false, 6, {{0, 20}, {0, 2}, {2, 0}, {80, 0}, {100, 20}}},
        {tsSingleSlant, true, 6, {{0, 20}, {0, 2}, {2, 0}, {76, 0}, {82, 2}, {100, 20}}},
        {tsCutCorner, false, 6, {{0, 20}, {0, 0}, {94, 0}, {100, 6}, {100, 20}}},
        // No corner to cut: a rectangle with its corner point twice.
        {tsCutCorner, false, 0, {{0, 20}, {0, 0}, {100, 0}, {100, 0}, {100, 20}}},
        {tsRoundCorners, false, 6, {{0, 20}, {0, 2}, {2, 0}, {98, 0}, {100, 2}, {100, 20}}},
        {tsBackSlant, false, 6, {{0, 20}, {20, 0}, {98, 0}, {100, 2}, {100, 20}}},
        {tsBackSlant, true, 6, {{0, 20}, {18, 2}, {24, 0}, {98, 0}, {100, 2}, {100, 20}}},
    };
    auto* T = NewTabs(Bounds(10, 10, 300, 100), {QStringLiteral("a"), QStringLiteral("b")}, 100, 20);
    for (const auto& C : Cases) {
        T->SetTabStyle(C.Style);
        T->SetSoftCorners(C.Soft);
        T->SetCutCornerSize(C.Cut);
        T->UpdateTabLayout();
        const TPoint Origin = T->AdjustTabRect(0).TopLeft();
        TPoint P[6];
        const int N = T->GetTabShapePoints(0, P);
        ASSERT_EQ(N, int(C.Points.size())) << "style " << C.Style;
        for (int I = 0; I < N; ++I)
            EXPECT_EQ(P[I], (TPoint{Origin.X + C.Points[std::size_t(I)].X, Origin.Y + C.Points[std::size_t(I)].Y}))
                << "style " << C.Style << " point " << I;
    }
}

TEST_F(TabShapes, ADoubleSlantTabIsPaintedOnEachSideWithItsOuterEdgeAwayFromThePage)
{
    // The top edge's middle, a point on the first slant, a point outside
    // the slant and one inside the tab, for each side.
    const struct {
        TFcTabOrientation Side;
        TPoint Edge, Slant, Outside, Inside;
    } Cases[] = {
        {toTop, {50, 0}, {10, 10}, {5, 2}, {50, 10}},
        {toBottom, {50, 239}, {10, 229}, {5, 237}, {50, 229}},
        {toLeft, {0, 189}, {10, 229}, {2, 234}, {10, 189}},
        {toRight, {259, 50}, {249, 10}, {257, 5}, {249, 50}},
    };
    for (const auto& C : Cases) {
        TFcCustomTabControl* T = TwoTabs(C.Side, tsDoubleSlant);
        Form->Show();
        const QImage I = Shown(T);
        const COLORREF Background = ColorToRGB(T->BackgroundColor());
        EXPECT_TRUE(PixelIs(I, C.Edge.X, C.Edge.Y, Outline)) << "side " << C.Side;
        EXPECT_TRUE(PixelIs(I, C.Slant.X, C.Slant.Y, Outline)) << "side " << C.Side;
        EXPECT_TRUE(PixelIs(I, C.Outside.X, C.Outside.Y, Background)) << "side " << C.Side;
        const COLORREF In = ImagePixel(I, C.Inside.X, C.Inside.Y);
        EXPECT_NE(In, Outline);
        EXPECT_NE(In, Background);
        T->Free();
    }
}

TEST_F(TabShapes, TheCardCastsItsShadowOnlyUnderTabsOnTopInTheStandardOrder)
{
    TColorStateGuard Colors(false);
    const COLORREF Dark = ColorToRGB(MixColors(clBlack, clBtnFace, 30));
    const COLORREF Light = ColorToRGB(MixColors(clBlack, clBtnFace, 15));
    const struct {
        TFcTabOrientation Side;
        TFcTabSequence Sequence;
        bool Shadow;
    } Cases[] = {
        {toTop, tsStandard, true},   {toTop, tsReverse, false},    {toBottom, tsStandard, false},
        {toLeft, tsStandard, false}, {toRight, tsStandard, false},
    };
    for (const auto& C : Cases) {
        TFcCustomTabControl* T = TwoTabs(C.Side, tsSingleSlant);
        T->SetTabSequence(C.Sequence);
        EXPECT_TRUE(T->ShowShadow());
        Form->Show();
        const QImage I = Shown(T);
        // The two columns right of the card, half way down.
        EXPECT_EQ(ImagePixel(I, 258, 60) == Dark && ImagePixel(I, 259, 60) == Light, C.Shadow)
            << "side " << C.Side << " order " << C.Sequence;
        EXPECT_EQ(CountColor(I, Dark, Rect(0, 0, 260, 240)) > 0, C.Shadow);
        T->Free();
    }
}

TEST_F(TabShapes, WithoutTheFullFrameOnlyTheCardEdgeAlongTheStripIsDrawn)
{
    TFcCustomTabControl* T = TwoTabs(toTop, tsSingleSlant);
    T->SetShowFullFrame(false);
    EXPECT_FALSE(T->ShowShadow());
    Form->Show();
    const QImage I = Shown(T);
    EXPECT_TRUE(PixelIs(I, 230, 20, Outline));
    // No left, right or bottom edge.
    EXPECT_FALSE(ImagePixel(I, 0, 120) == Outline);
    EXPECT_FALSE(ImagePixel(I, 259, 120) == Outline);
    EXPECT_FALSE(ImagePixel(I, 130, 239) == Outline);
    // Switching the shadow on brings the frame back.
    T->SetShowShadow(true);
    EXPECT_TRUE(T->ShowFullFrame());
}

TEST_F(TabShapes, AColouredTabRunsFromItsColourToADarkerOneOrToButtonFaceWhenWhite)
{
    TColorStateGuard Colors(false);
    for (TColor Tab : {clRed, clWhite, clLime}) {
        TFcCustomTabControl* T = TwoTabs(toTop, tsSingleSlant);
        T->SetUseColoredTabs(true);
        T->Tabs()->Items(0)->SetColor(Tab);
        Form->Show();
        const QImage I = Shown(T);
        const TColor End = Tab == clWhite ? clBtnFace : DarkenColor(Tab, 30);
        // The gradient's last row lies against the page.
        EXPECT_TRUE(PixelIs(I, 40, 19, ColorToRGB(End))) << std::hex << Tab;
        T->Free();
    }
}

TEST_F(TabShapes, PlainTabsFollowTheTabColoursAndTheCurrentTabTheControlsColour)
{
    TColorStateGuard Colors(false, XpSchemeBlue, false);
    TFcCustomTabControl* T = TwoTabs(toTop, tsCutCorner);
    T->SetColor(clYellow);
    T->TabColors()->SetUnselected(clAqua);
    Form->Show();
    const QImage I = Shown(T);
    // Few colours: no gradient, the tab is flat.
    EXPECT_TRUE(PixelIs(I, 40, 10, ColorToRGB(clAqua)));
    EXPECT_TRUE(PixelIs(I, 40, 19, ColorToRGB(clAqua)));
    const TPoint Current = TabCentre(T, 1);
    EXPECT_TRUE(PixelIs(I, Current.X, Current.Y + 5, ColorToRGB(clYellow)));
    // The card takes the control's colour too.
    EXPECT_TRUE(PixelIs(I, 100, 70, ColorToRGB(clYellow)));
}

TEST_F(TabShapes, VerticalCaptionsRunAlongTheStrip)
{
    for (TFcTabOrientation Side : {toTop, toLeft, toRight}) {
        auto* T = NewTabs(Bounds(10, 10, 200, 200), {QStringLiteral("Tekst")});
        T->SetTabOrientation(Side);
        T->SetTextOrientation(orVertical);
        T->SetTabStyle(tsCutCorner);
        Form->Show();
        const QImage I = Shown(T);
        const TRect Tab = T->TabClientRect(0);
        const QImage Inside = I.copy(QRect(Tab.Left, Tab.Top, Tab.Width(), Tab.Height()));
        const TRect Text = BoundsOfColor(Inside, Black);
        ASSERT_FALSE(IsRectEmpty(Text)) << "side " << Side;
        EXPECT_GT(Text.Height(), Text.Width()) << "side " << Side;
        EXPECT_GT(Tab.Height(), Tab.Width()) << "a vertical caption makes a tall tab";
        T->Free();
    }
}

TEST_F(TabShapes, AccelerationMarksAreTakenOutAndALastAmpersandStays)
{
    // Each pair paints alike: a doubled "&" is one "&", a single one at
    // the end is shown as it stands.
    auto Picture = [this](const QString& Caption) {
        auto* T = NewTabs(Bounds(10, 10, 200, 60), {Caption}, 120, 24);
        T->SetTextAlignment(haLeft);
        Form->Show();
        const QImage I = Shown(T);
        T->Free();
        return I;
    };
    EXPECT_EQ(Picture(QStringLiteral("AB&")), Picture(QStringLiteral("AB&&")));
    EXPECT_EQ(BoundsOfColor(Picture(QStringLiteral("A&&B")), Black).Bottom,
              BoundsOfColor(Picture(QStringLiteral("AB")), Black).Bottom);
    // A marked letter is underlined: its text reaches lower than the plain one.
    const TRect Marked = BoundsOfColor(Picture(QStringLiteral("&AB")), Black);
    const TRect Plain = BoundsOfColor(Picture(QStringLiteral("AB")), Black);
    EXPECT_EQ(Marked.Left, Plain.Left);
    EXPECT_GT(Marked.Bottom, Plain.Bottom);
}

TEST_F(TabShapes, APaintThatFailsLeavesNoSavedStateBehind)
{
    TFcCustomTabControl* T = TwoTabs(toTop, tsSingleSlant);
    T->SetOnPaintTabBackground(
        [](TObject*, TCanvas*, int, const TRect&, bool&) { throw Exception(QStringLiteral("geen tab")); });
    QStringList Errors;
    Application->SetOnException([&](TObject*, Exception& E) { Errors << E.Message(); });
    Form->Show();
    Shown(T);
    Application->SetOnException(nullptr);
    EXPECT_FALSE(Errors.isEmpty());
    HDC DC = TFcTabControlTestAccess::Bitmap(T)->Canvas()->Handle();
    EXPECT_EQ(SaveDC(DC), 1);
    RestoreDC(DC, -1);
    EXPECT_EQ(TFcTabControlTestAccess::FontStackDepth(T), 0);
}

TEST_F(TabShapes, PaintingCanBeTakenOverAtEachStep)
{
    TFcCustomTabControl* T = TwoTabs(toTop, tsSingleSlant);
    T->Tabs()->Items(0)->SetCaption(QStringLiteral("Tekst"));
    QStringList Steps;
    T->SetOnPaintBackground([&](TObject*, TCanvas* C, const TRect& R, bool& Handled) {
        Steps << "background";
        C->Brush()->SetColor(clLime);
        C->FillRect(R);
        Handled = true;
    });
    T->SetOnPaintCardBackground([&](TObject*, TCanvas* C, int Row, const TRect& R, bool& Handled) {
        Steps << QStringLiteral("card %1").arg(Row);
        C->Brush()->SetColor(clFuchsia);
        C->FillRect(R);
        Handled = true;
    });
    T->SetOnGetTextColor([&](TObject*, int Tab, TFcTextStyle Style, TColor& Color, bool& Handled) {
        Steps << QStringLiteral("text %1 %2").arg(Tab).arg(int(Style));
        Color = clRed;
        Handled = true;
    });
    Form->Show();
    const QImage I = Shown(T);
    EXPECT_EQ(Steps, QStringList({"background", "text 0 1", "card 0"}));
    EXPECT_TRUE(PixelIs(I, 250, 5, ColorToRGB(clLime)));
    EXPECT_TRUE(PixelIs(I, 130, 120, ColorToRGB(clFuchsia)));
    EXPECT_GT(CountColor(I, Red, T->TabClientRect(0)), 0);
}

TEST_F(TabShapes, ATransparentStripShowsItsParentBehindTheTabs)
{
    Form->SetColor(clNavy);
    TFcCustomTabControl* T = TwoTabs(toTop, tsSingleSlant);
    T->SetParentBackgroundColor(false);
    T->SetBackgroundColor(clYellow);
    Form->Show();
    EXPECT_TRUE(PixelIs(Shown(T), 250, 5, ColorToRGB(clYellow)));
    T->SetTransparent(true);
    EXPECT_TRUE(PixelIs(Shown(T), 250, 5, ColorToRGB(clNavy)));
    // A strip that follows its parent takes the parent's colour.
    T->SetTransparent(false);
    T->SetParentBackgroundColor(true);
    EXPECT_EQ(T->BackgroundColor(), clNavy);
}
