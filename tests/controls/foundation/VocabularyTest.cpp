// The shared enumerations stream by name with their documented ordinals.
#include "controls/foundation/FcCommon.h"
#include "platform/classes/TypInfo.h"

#include <gtest/gtest.h>

TEST(Vocabulary, EnumerationNamesInOrdinalOrder)
{
    EXPECT_EQ(GetEnumName(TypeInfoOf<TFrameStyleEx>(), fsFlatRounded), "fsFlatRounded");
    EXPECT_EQ(GetEnumValue(TypeInfoOf<TFrameStyleEx>(), "fsFlatBold"), 10);
    EXPECT_EQ(GetEnumValue(TypeInfoOf<TGradientDirection>(), "gdBigSquareBox"), 9);
    EXPECT_EQ(GetEnumName(TypeInfoOf<TFcVisualStyle>(), vsGradient), "vsGradient");
    EXPECT_EQ(GetEnumName(TypeInfoOf<TBarStyle>(), bsLED), "bsLED");
    EXPECT_EQ(GetEnumValue(TypeInfoOf<TFcScrollStyle>(), "scsDown"), 4);
}

TEST(Vocabulary, SidesAreBitsOfAByte)
{
    EXPECT_EQ(AllSides.Bits(), 15u);
    EXPECT_EQ(TSides({sdTop, sdBottom}).Bits(), 10u);
    EXPECT_EQ(SetToString(TypeInfoOf<TSides>(), 5), "[sdLeft,sdRight]");
    EXPECT_EQ(StringToSet(TypeInfoOf<TSides>(), "[sdTop,sdBottom]"), 10);
}

TEST(Vocabulary, FrameStyleIsTheSubRangeWithoutTheRoundedFrame)
{
    const TFrameStyle Bold = fsFlatBold;
    EXPECT_EQ(Bold, fsFlatBold);
    const TFrameStyleEx Rounded = fsFlatRounded;
    EXPECT_THROW(TFrameStyle{Rounded}, ERangeError);
    EXPECT_EQ(TypeInfoOf<TFrameStyle>()->Name, "TFrameStyle");
    EXPECT_EQ(TypeInfoOf<TFrameStyle>()->Names().size(), 12);
}
