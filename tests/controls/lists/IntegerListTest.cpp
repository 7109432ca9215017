// The integer list: duplicates in sorted and unsorted lists, the range and
// its bounds at the extremes of 32 bits, every refusal with its message and
// the list left as it was, searching and sorting, and its own streaming.
#include "controls/lists/FcIntegerList.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr std::int32_t Lowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Highest = std::numeric_limits<std::int32_t>::max();

std::vector<std::int32_t> Values(const TFcIntegerList& L)
{
    std::vector<std::int32_t> V;
    for (int I = 0; I < L.Count(); ++I)
        V.push_back(L[I]);
    return V;
}

TEST(IntegerList, ANewListIgnoresADuplicateAndAnswersWhereItWouldGo)
{
    TFcIntegerList L;
    EXPECT_EQ(L.Add(5), 0);
    EXPECT_EQ(L.Add(5), 1);
    EXPECT_EQ(Values(L), std::vector<std::int32_t>({5}));
    L.SetDuplicates(dupAccept);
    L.Add(5);
    EXPECT_EQ(Values(L), std::vector<std::int32_t>({5, 5}));
}

struct TDuplicateCase {
    TDuplicates Rule;
    std::vector<std::int32_t> After;
    const char* Error;
};

TEST(IntegerList, ASortedListKeepsOrderUnderEachDuplicatesRule)
{
    const TDuplicateCase Cases[] = {
        {dupIgnore, {1, 3, 7}, nullptr},
        {dupAccept, {1, 3, 3, 7}, nullptr},
        {dupError, {1, 3, 7}, "Duplicates not allowed"},
    };
    for (const TDuplicateCase& C : Cases) {
        TFcIntegerList L;
        L.SetSorted(true);
        L.SetDuplicates(C.Rule);
        for (std::int32_t V : {7, 1, 3})
            L.Add(V);
        const QString Error = ErrorMessage<EListError>([&] { EXPECT_EQ(L.Add(3), 1); });
        EXPECT_EQ(Error, C.Error != nullptr ? QString::fromLatin1(C.Error) : QStringLiteral("<no error>"));
        EXPECT_EQ(Values(L), C.After) << int(C.Rule);
        int Index = -1;
        EXPECT_TRUE(L.Find(3, Index));
        EXPECT_EQ(Index, 1);
        EXPECT_FALSE(L.Find(4, Index));
        EXPECT_EQ(Index, int(C.After.size()) - 1);
        EXPECT_EQ(L.IndexOf(8), -1);
    }
}

TEST(IntegerList, ARangeAcceptsOnlyValuesWithinAtBothEndsOf32Bits)
{
    TFcIntegerList L;
    // Min = Max: no range at all.
    L.Add(Lowest);
    L.Add(Highest);
    L.Clear();
    L.SetMin(Lowest + 1);
    EXPECT_EQ(L.Max(), 0);
    L.SetMax(Highest);
    EXPECT_EQ(ErrorMessage<EOutOfRange>([&] { L.Add(Lowest); }),
              QStringLiteral("Value must be within -2147483647..2147483647"));
    L.Add(Highest);
    L.Add(Lowest + 1);
    EXPECT_EQ(ErrorMessage<EOutOfRange>([&] { L.SetItems(0, Lowest); }),
              QStringLiteral("Value must be within -2147483647..2147483647"));
    EXPECT_EQ(Values(L), std::vector<std::int32_t>({Highest, Lowest + 1}));
}

TEST(IntegerList, NewBoundsThatItemsBreakAreRefused)
{
    TFcIntegerList L;
    L.Add(0);
    EXPECT_EQ(ErrorMessage<EOutOfRange>([&] { L.SetMin(1); }),
              QStringLiteral("Unable to set new minimum value.\rList contains values below 1"));
    EXPECT_EQ(L.Min(), 0);
    L.SetMax(10);
    L.Add(10);
    EXPECT_EQ(ErrorMessage<EOutOfRange>([&] { L.SetMax(9); }),
              QStringLiteral("Unable to set new maximum value.\rList contains values above 9"));
    EXPECT_EQ(L.Max(), 10);
    // A maximum below the minimum takes it down, a minimum above the
    // maximum takes it up.
    L.Clear();
    L.SetMin(5);
    L.SetMax(2);
    EXPECT_EQ(L.Min(), 2);
    EXPECT_EQ(L.Max(), 2);
    L.SetMin(Highest);
    EXPECT_EQ(L.Max(), Highest);
}

TEST(IntegerList, SwitchingTheRangeOnByOneBoundChecksTheOtherEnd)
{
    // The range is off (0..0) and the list holds -5: a maximum of 10 would
    // make a range 0..10 that -5 breaks.
    TFcIntegerList L;
    L.Add(-5);
    EXPECT_EQ(ErrorMessage<EOutOfRange>([&] { L.SetMax(10); }),
              QStringLiteral("Unable to set new minimum value.\rList contains values below 0"));
    EXPECT_EQ(L.Max(), 0);
    L.Clear();
    L.Add(5);
    EXPECT_EQ(ErrorMessage<EOutOfRange>([&] { L.SetMin(-10); }),
              QStringLiteral("Unable to set new maximum value.\rList contains values above 0"));
    EXPECT_EQ(L.Min(), 0);
}

TEST(IntegerList, InsertingChecksTheIndexAndRefusesSortedLists)
{
    TFcIntegerList L;
    L.Add(1);
    L.Insert(L.Count(), 2);
    L.Insert(0, 0);
    EXPECT_EQ(Values(L), std::vector<std::int32_t>({0, 1, 2}));
    EXPECT_EQ(ErrorMessage<EListError>([&] { L.Insert(4, 9); }), QStringLiteral("List index out of bounds (4)"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { L.Insert(-1, 9); }), QStringLiteral("List index out of bounds (-1)"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { L.Items(3); }), QStringLiteral("List index out of bounds (3)"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { L.Delete(-1); }), QStringLiteral("List index out of bounds (-1)"));
    L.SetSorted(true);
    EXPECT_EQ(ErrorMessage<EListError>([&] { L.Insert(0, 9); }),
              QStringLiteral("Operation not allowed on sorted list"));
    EXPECT_EQ(Values(L), std::vector<std::int32_t>({0, 1, 2}));
}

TEST(IntegerList, SortingIsForUnsortedListsOnly)
{
    TFcIntegerList L;
    for (std::int32_t V : {3, Lowest, 2, Highest, -1})
        L.Add(V);
    L.SetSorted(true);
    EXPECT_EQ(Values(L), std::vector<std::int32_t>({3, Lowest, 2, Highest, -1})) << "setting Sorted does not sort";
    L.Sort();
    EXPECT_EQ(L[0], 3) << "a sorted list is not sorted again";
    L.SetSorted(false);
    L.Sort();
    EXPECT_EQ(Values(L), std::vector<std::int32_t>({Lowest, -1, 2, 3, Highest}));
    L.Exchange(0, 4);
    L.Move(0, 2);
    EXPECT_EQ(Values(L), std::vector<std::int32_t>({-1, 2, Highest, 3, Lowest}));
}

TEST(IntegerList, AssigningAddsByTheTargetsOwnRules)
{
    TFcIntegerList Source;
    for (std::int32_t V : {4, 4, 9, 1})
        Source.Add(V);
    Source.SetDuplicates(dupAccept);
    Source.Add(4);
    TFcIntegerList Target;
    Target.SetSorted(true);
    Target.Assign(&Source);
    EXPECT_EQ(Values(Target), std::vector<std::int32_t>({1, 4, 9}));
    EXPECT_FALSE(Target.Equals(&Source));
    TFcIntegerList Copy;
    Copy.SetDuplicates(dupAccept);
    Copy.Assign(&Source);
    EXPECT_TRUE(Copy.Equals(&Source));
    EXPECT_FALSE(Copy.Sorted());
}

class TIntegerHolder : public TComponent {
public:
    explicit TIntegerHolder(TComponent* AOwner) : TComponent(AOwner) {}
    TFcIntegerList* Numbers() const { return FNumbers.get(); }
    std::unique_ptr<TFcIntegerList> FNumbers = std::make_unique<TFcIntegerList>();
};

} // namespace

REGISTER_COMPONENT(TIntegerHolder, TComponent)
    PUBLISHED_OBJECT(Numbers)
END_REGISTER

namespace {

TEST(IntegerList, StreamsItsBoundsAndItemsAndNothingWhenEmpty)
{
    TIntegerHolder Empty(nullptr);
    EXPECT_EQ(WriteComponentToText(&Empty), QByteArray("object TIntegerHolder\nend\n"));

    TIntegerHolder Holder(nullptr);
    Holder.Numbers()->SetMax(100);
    Holder.Numbers()->SetMin(-3);
    for (std::int32_t V : {7, -3, 100})
        Holder.Numbers()->Add(V);
    const QByteArray Text = WriteComponentToText(&Holder);
    EXPECT_TRUE(Text.contains("Numbers.Min = -3")) << Text.toStdString();
    EXPECT_TRUE(Text.contains("Numbers.Max = 100"));
    EXPECT_TRUE(Text.contains("Numbers.Integers = (\n    7\n    -3\n    100)")) << Text.toStdString();
    TIntegerHolder Back(nullptr);
    ReadComponentFromText(Text, &Back, QStringLiteral("numbers.form"));
    EXPECT_TRUE(Back.Numbers()->Equals(Holder.Numbers()));
    EXPECT_EQ(Back.Numbers()->Min(), -3);
    EXPECT_EQ(Back.Numbers()->Max(), 100);
    EXPECT_EQ(WriteComponentToText(&Back), Text);
}

TEST(IntegerList, ReadItemsFollowTheRangeRules)
{
    TIntegerHolder Holder(nullptr);
    const QByteArray Text = "object TIntegerHolder\n"
                            "  Numbers.Min = 1\n"
                            "  Numbers.Max = 5\n"
                            "  Numbers.Integers = (2 9)\n"
                            "end\n";
    EXPECT_TRUE(ErrorMessage<EReadError>([&] {
                    ReadComponentFromText(Text, &Holder, QStringLiteral("n.form"));
                }).contains(QStringLiteral("Value must be within 1..5")));
}

} // namespace
