// The gradient separator: its direction and colours for each orientation
// and highlight place, the pixels at its ends and middle, and its plain
// forms.
#include "controls/foundation/FcBckgnd.h"
#include "controls/foundation/FcColorScheme.h"
#include "tests/controls/foundation/FcTestSupport.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TFcSeparator> WhiteOnBlack(TOrientation Orientation, TFcHighlightLocation Location)
{
    auto S = std::make_unique<TFcSeparator>(nullptr);
    S->SetColor(clWhite);
    S->SetHighlightColor(clBlack);
    S->SetHighlightLocation(Location);
    S->SetOrientation(Orientation);
    return S;
}

COLORREF Grey(int Value)
{
    return RGB(Value, Value, Value);
}

} // namespace

TEST(Separator, DirectionAndColoursFollowOrientationAndHighlightPlace)
{
    const struct {
        TOrientation Orientation;
        TFcHighlightLocation Location;
        TGradientDirection Direction;
        bool HighlightFirst;
    } Cases[] = {
        {orHorizontal, hlCenter, gdVerticalCenter, false},  {orHorizontal, hlUpperLeft, gdVerticalEnd, true},
        {orHorizontal, hlLowerRight, gdVerticalEnd, false}, {orVertical, hlCenter, gdHorizontalCenter, false},
        {orVertical, hlUpperLeft, gdHorizontalEnd, true},   {orVertical, hlLowerRight, gdHorizontalEnd, false},
    };
    for (const auto& C : Cases) {
        const auto S = WhiteOnBlack(C.Orientation, C.Location);
        EXPECT_EQ(S->GradientDirection(), C.Direction);
        EXPECT_EQ(S->StartColor(), C.HighlightFirst ? clBlack : clWhite);
        EXPECT_EQ(S->StopColor(), C.HighlightFirst ? clWhite : clBlack);
        // A new colour comes through at once.
        S->SetColor(clLime);
        EXPECT_EQ(C.HighlightFirst ? S->StopColor() : S->StartColor(), clLime);
    }
}

TEST(Separator, TurningItSwapsWidthAndHeight)
{
    TFcSeparator S(nullptr);
    EXPECT_EQ(S.Width(), 200);
    EXPECT_EQ(S.Height(), 2);
    S.SetOrientation(orVertical);
    EXPECT_EQ(S.Width(), 2);
    EXPECT_EQ(S.Height(), 200);
}

TEST(Separator, CentreHighlightSitsInTheMiddleColumnBetweenTheColour)
{
    // The far end is exactly the colour; the near end is where the band
    // walk from the middle stops, one step short of it: 100 steps of
    // 255 * 65536 / 101 (truncated) reach 252, not 255.
    TColorStateGuard Guard(false);
    const auto S = WhiteOnBlack(orHorizontal, hlCenter);
    const QImage I = PaintControlImage(S.get());
    EXPECT_TRUE(RectHasColor(I, Rect(100, 0, 101, 2), Grey(0)));
    EXPECT_TRUE(RectHasColor(I, Rect(199, 0, 200, 2), Grey(255)));
    EXPECT_TRUE(RectHasColor(I, Rect(0, 0, 1, 2), Grey(252)));
    // Turned, the same runs down the rows.
    S->SetOrientation(orVertical);
    const QImage V = PaintControlImage(S.get());
    EXPECT_TRUE(RectHasColor(V, Rect(0, 100, 2, 101), Grey(0)));
    EXPECT_TRUE(RectHasColor(V, Rect(0, 199, 2, 200), Grey(255)));
}

TEST(Separator, EndHighlightSitsInItsEndColumn)
{
    TColorStateGuard Guard(false);
    // Lower right: the highlight exactly in the last column.
    EXPECT_TRUE(
        RectHasColor(PaintControlImage(WhiteOnBlack(orHorizontal, hlLowerRight).get()), Rect(199, 0, 200, 2), Grey(0)));
    // Upper left: the colour exactly in the last column, the first one
    // step short of the highlight (255 - 199 steps of 83558 / 65536 is 1).
    const QImage I = PaintControlImage(WhiteOnBlack(orHorizontal, hlUpperLeft).get());
    EXPECT_TRUE(RectHasColor(I, Rect(199, 0, 200, 2), Grey(255)));
    EXPECT_TRUE(RectHasColor(I, Rect(0, 0, 1, 2), Grey(1)));
}

TEST(Separator, PlainStrips)
{
    const auto S = WhiteOnBlack(orHorizontal, hlCenter);
    S->SetColor(clYellow);
    {
        TColorStateGuard FewColours(false, XpSchemeBlue, false);
        EXPECT_TRUE(RectHasColor(PaintControlImage(S.get()), Rect(0, 0, 200, 2), Grey(0)));
    }
    S->SetShowGradient(false);
    EXPECT_TRUE(RectHasColor(PaintControlImage(S.get()), Rect(0, 0, 200, 2), ColorToRGB(clYellow)));
}
