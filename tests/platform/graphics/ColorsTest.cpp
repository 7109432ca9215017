#include "platform/graphics/Colors.h"
#include "platform/graphics/Types.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>

TEST(Colors, SystemColoursResolveThroughTheFixedTable)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(200), 0u);
    // clNone keeps its low bits (white); clDefault its (black).
    EXPECT_EQ(ColorToRGB(clNone), 0xFFFFFFu);
    EXPECT_EQ(ColorToRGB(clDefault), 0u);
}

TEST(Colors, ChannelsAndQtPixels)
{
    const COLORREF C = RGB(0x12, 0x34, 0x56);
    EXPECT_EQ(C, 0x563412u);
    EXPECT_EQ(GetRValue(C), 0x12);
    EXPECT_EQ(GetGValue(C), 0x34);
    EXPECT_EQ(GetBValue(C), 0x56);
    EXPECT_EQ(ColorRefToQRgb(C), qRgb(0x12, 0x34, 0x56));
    EXPECT_EQ(QRgbToColorRef(ColorRefToQRgb(C)), C);
    EXPECT_EQ(RGB(300, -1, 0), RGB(44, 255, 0)); // bytes wrap
}

TEST(Colors, NamesRoundTripForStreaming)
{
    String Name;
    ASSERT_TRUE(ColorToIdent(clBtnFace, Name));
    EXPECT_EQ(Name, "clBtnFace");
    ASSERT_TRUE(ColorToIdent(clSilver, Name));
    EXPECT_EQ(Name, "clSilver"); // clLtGray has the same value; the first name wins
    EXPECT_FALSE(ColorToIdent(0x123456, Name));
    std::int32_t Value = 0;
    ASSERT_TRUE(IdentToColor("clbtnface", Value));
    EXPECT_EQ(Value, clBtnFace);
    EXPECT_FALSE(IdentToColor("clNotAColour", Value));

    EXPECT_EQ(ColorToString(clNone), "clNone");
    EXPECT_EQ(ColorToString(TColor(0x00123456)), "$00123456");
    EXPECT_EQ(StringToColor("$00123456"), TColor(0x123456));
    EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
    EXPECT_EQ(StringToColor("clHighlight"), clHighlight);
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { StringToColor("clBogus"); }), "'clBogus' is not a valid integer value");
    int Count = 0;
    GetColorValues([&](const String&) { ++Count; });
    EXPECT_GT(Count, 50);
}

TEST(Rects, HelpersFollowTheClassicEdges)
{
    TRect R = Rect(10, 10, 20, 30);
    EXPECT_EQ(R.Width(), 10);
    EXPECT_EQ(Bounds(1, 2, 3, 4), Rect(1, 2, 4, 6));
    EXPECT_TRUE(PtInRect(R, {10, 10}));
    EXPECT_FALSE(PtInRect(R, {20, 10})); // right edge outside
    EXPECT_FALSE(PtInRect(R, {10, 30})); // bottom edge outside
    InflateRect(R, 2, -3);
    EXPECT_EQ(R, Rect(8, 13, 22, 27));
    OffsetRect(R, -8, 1);
    EXPECT_EQ(R, Rect(0, 14, 14, 28));

    TRect D;
    EXPECT_TRUE(IntersectRect(D, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
    EXPECT_EQ(D, Rect(5, 5, 10, 10));
    EXPECT_FALSE(IntersectRect(D, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10))); // touching is not overlapping
    EXPECT_TRUE(IsRectEmpty(D));
    EXPECT_EQ(D, TRect{});
    EXPECT_TRUE(UnionRect(D, Rect(0, 0, 1, 1), Rect(5, 5, 6, 7)));
    EXPECT_EQ(D, Rect(0, 0, 6, 7));
    EXPECT_TRUE(UnionRect(D, TRect{}, Rect(5, 5, 6, 7))); // empty sources are ignored
    EXPECT_EQ(D, Rect(5, 5, 6, 7));
    EXPECT_TRUE(IsRectEmpty(Rect(5, 5, 4, 10)));
    EXPECT_TRUE(EqualRect(Rect(1, 2, 3, 4), Rect(1, 2, 3, 4)));

    // Centres count half the extent from the top left, also left of and
    // above the origin, where the mean would round the other way.
    EXPECT_EQ(CenterPoint(Rect(0, 0, 5, 4)), Point(2, 2));
    EXPECT_EQ(CenterPoint(Rect(-3, -5, 0, -2)), Point(-2, -4));
    EXPECT_EQ(CenterPoint(Rect(2000000000, 0, 2000000010, 2)), Point(2000000005, 1));
}

TEST(Rects, MulDivRoundsHalfAwayFromZeroAndReportsFailure)
{
    EXPECT_EQ(MulDiv(8, 96, 72), 11);   // 10.67
    EXPECT_EQ(MulDiv(3, 1, 2), 2);      // 1.5 rounds up
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);    // -1.5 rounds away from zero
    EXPECT_EQ(MulDiv(5, 3, -2), -8);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(2000000000, 2000000000, 1), -1); // overflow
    EXPECT_EQ(MulDiv(2000000000, 2000000000, 2000000000), 2000000000);
}
