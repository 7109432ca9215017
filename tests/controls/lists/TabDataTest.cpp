// The tab records and their list, the colour sets, the region cache and
// the rectangle functions under the tab strip.
#include "controls/lists/FcTabControl.h"
#include "controls/lists/FcTabData.h"
#include "controls/lists/FcTabRegionCache.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>

namespace {

HRGN Box(int L, int T, int R, int B)
{
    return CreateRectRgn(L, T, R, B);
}

} // namespace

TEST(TabData, AssignCopiesTheTabButKeepsTheTargetsPlaceAndRow)
{
    TFcTabData Source, Target;
    Source.SetCaption(QStringLiteral("&Adres"));
    Source.SetColor(clRed);
    Source.SetDisabledIndex(3);
    Source.SetEnabled(false);
    Source.SetHint(QStringLiteral("tip"));
    Source.SetImageIndex(2);
    Source.SetVisible(false);
    Source.SetTabRect(Rect(1, 2, 3, 4));
    Source.SetRow(2);
    Target.SetTabRect(Rect(10, 20, 30, 40));
    Target.SetRow(1);
    Target.Assign(&Source);
    EXPECT_EQ(Target.Caption(), QStringLiteral("&Adres"));
    EXPECT_EQ(Target.Color(), clRed);
    EXPECT_EQ(Target.DisabledIndex(), 3);
    EXPECT_FALSE(Target.Enabled());
    EXPECT_EQ(Target.Hint(), QStringLiteral("tip"));
    EXPECT_EQ(Target.ImageIndex(), 2);
    EXPECT_FALSE(Target.Visible());
    EXPECT_EQ(Target.TabRect(), Rect(10, 20, 30, 40));
    EXPECT_EQ(Target.Row(), 1);
}

TEST(TabData, TheListOwnsItsRecordsAndStoringTheSameRecordAgainKeepsIt)
{
    TFcTabDataList List;
    auto* First = new TFcTabData;
    First->SetCaption(QStringLiteral("een"));
    List.Add(First);
    List.Add(new TFcTabData);
    List.SetItems(0, First);
    EXPECT_EQ(List.Items(0)->Caption(), QStringLiteral("een"));
    auto* Other = new TFcTabData;
    List.SetItems(1, Other);
    EXPECT_EQ(List.Items(1), Other);

    TFcTabDataList Copy;
    Copy.Add(new TFcTabData);
    Copy.Assign(&List);
    ASSERT_EQ(Copy.Count(), 2);
    EXPECT_NE(Copy.Items(0), First);
    EXPECT_EQ(Copy.Items(0)->Caption(), QStringLiteral("een"));
    List.Clear();
    EXPECT_EQ(List.Count(), 0);
}

TEST(TabData, RectangleFunctions)
{
    EXPECT_TRUE(IsZeroRect(Rect(0, 0, 0, 0)));
    EXPECT_FALSE(IsZeroRect(Rect(0, 0, 0, 1)));
    TRect R = Rect(10, 20, 0, 5);
    NormalizeRectCorners(R);
    EXPECT_EQ(R, Rect(0, 5, 10, 20));
    EXPECT_TRUE(PtInNormalizedRect(Rect(10, 20, 0, 5), {0, 5}));
    EXPECT_FALSE(PtInNormalizedRect(Rect(10, 20, 0, 5), {10, 20}));
}

TEST(TabRegionCache, WithTheDefaultCapacityOnlyTheLastRegionStays)
{
    TFcTabRegionCache Cache;
    HRGN A = Box(0, 0, 10, 10), B = Box(10, 0, 20, 10);
    Cache.CacheTabRegion(Rect(0, 0, 10, 10), A);
    EXPECT_EQ(Cache.FindCachedRegion(Rect(0, 0, 10, 10)), A);
    Cache.CacheTabRegion(Rect(10, 0, 20, 10), B);
    EXPECT_EQ(Cache.FindCachedRegion(Rect(0, 0, 10, 10)), nullptr);
    EXPECT_EQ(Cache.FindCachedRegion(Rect(10, 0, 20, 10)), B);
    // The region that went was handed back to the drawing layer.
    EXPECT_FALSE(IsGdiObject(A));
    EXPECT_TRUE(IsGdiObject(B));
    Cache.Clear();
    EXPECT_FALSE(IsGdiObject(B));
}

TEST(TabRegionCache, AHitMovesTheItemToTheFrontAndKeepsTheCallersRegion)
{
    TFcTabRegionCache Cache;
    Cache.SetCapacity(2);
    HRGN A = Box(0, 0, 1, 1), B = Box(1, 0, 2, 1), Spare = Box(5, 5, 6, 6);
    Cache.CacheTabRegion(Rect(0, 0, 1, 1), A);
    Cache.CacheTabRegion(Rect(1, 0, 2, 1), B);
    Cache.CacheTabRegion(Rect(0, 0, 1, 1), Spare);
    EXPECT_EQ(Cache.Items(0)->Region(), A);
    EXPECT_TRUE(IsGdiObject(Spare));
    DeleteObject(Spare);
    // The least recent (B) goes first now.
    Cache.CacheTabRegion(Rect(2, 0, 3, 1), Box(2, 0, 3, 1));
    EXPECT_FALSE(IsGdiObject(B));
    EXPECT_TRUE(IsGdiObject(A));
}

TEST(TabRegionCache, LoweringTheCapacityFreesTheLeastRecentlyUsedRegions)
{
    TFcTabRegionCache Cache;
    Cache.SetCapacity(-1);
    std::vector<HRGN> Regions;
    for (int I = 0; I < 10; ++I) {
        Regions.push_back(Box(I, 0, I + 1, 1));
        Cache.CacheTabRegion(Rect(I, 0, I + 1, 1), Regions.back());
    }
    EXPECT_EQ(Cache.Count(), 10);
    Cache.SetCapacity(3);
    EXPECT_EQ(Cache.Count(), 3);
    int Live = 0;
    for (HRGN R : Regions)
        Live += IsGdiObject(R) ? 1 : 0;
    EXPECT_EQ(Live, 3);
    // The three most recent stay.
    for (int I = 7; I < 10; ++I)
        EXPECT_TRUE(IsGdiObject(Regions[std::size_t(I)]));
}

TEST(TabRegionCache, AnInvalidCapacityRaisesAndChangesNothing)
{
    TFcTabRegionCache Cache;
    for (int Bad : {0, -2, -100}) {
        EXPECT_EQ(ErrorMessage<EFcTabControlError>([&] { Cache.SetCapacity(Bad); }),
                  QStringLiteral("Capacity must be -1 (to cache all regions) or > 0"));
        EXPECT_EQ(Cache.Capacity(), 1);
    }
}

TEST(TabColors, EachChangeRepaintsTheOwnerAndAssignCopiesAll)
{
    TFcCustomTabControl Tabs(nullptr);
    TFcTabColors Colors;
    Colors.SetHighlightBar(clRed);
    Colors.SetShadow(clGreen);
    Colors.SetUnselected(clBlue);
    Tabs.TabColors()->Assign(&Colors);
    EXPECT_EQ(Tabs.TabColors()->HighlightBar(), clRed);
    EXPECT_EQ(Tabs.TabColors()->Shadow(), clGreen);
    EXPECT_EQ(Tabs.TabColors()->Unselected(), clBlue);
    TFcTextColors Text;
    Text.SetDisabled(clRed);
    Tabs.TextColors()->Assign(&Text);
    EXPECT_EQ(Tabs.TextColors()->Disabled(), clRed);
    EXPECT_EQ(Tabs.TextColors()->Selected(), clBtnText);
}
