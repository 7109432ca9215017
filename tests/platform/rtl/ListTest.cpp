#include "platform/rtl/List.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>

namespace {

class TCounted : public TObject {
public:
    explicit TCounted(int V = 0) : Value(V) { ++Alive; }
    ~TCounted() override { --Alive; }
    int Value;
    static inline int Alive = 0;
};

std::vector<int> Values(const TList& List)
{
    std::vector<int> R;
    for (int I = 0; I < List.Count(); ++I)
        R.push_back(List.Items(I) ? *static_cast<int*>(List.Items(I)) : -1);
    return R;
}

} // namespace

TEST(List, EditingKeepsOrderAndReportsBadIndexes)
{
    int N[5] = {0, 1, 2, 3, 4};
    TList List;
    for (int& V : N)
        List.Add(&V);
    List.Move(0, 4);
    EXPECT_EQ(Values(List), (std::vector<int>{1, 2, 3, 4, 0}));
    List.Exchange(0, 1);
    List.Insert(5, nullptr);
    List.Insert(0, &N[3]);
    EXPECT_EQ(Values(List), (std::vector<int>{3, 2, 1, 3, 4, 0, -1}));
    EXPECT_EQ(List.IndexOf(&N[3]), 0);
    EXPECT_EQ(List.Remove(&N[3]), 0);
    EXPECT_EQ(List.Remove(&N[3]), 2);
    EXPECT_EQ(List.Remove(&N[3]), -1);
    List.Pack();
    EXPECT_EQ(Values(List), (std::vector<int>{2, 1, 4, 0}));
    EXPECT_EQ(List.First(), &N[2]);
    EXPECT_EQ(List.Last(), &N[0]);
    EXPECT_EQ(List.Extract(&N[1]), &N[1]);
    EXPECT_EQ(List.Extract(&N[1]), nullptr);
    EXPECT_EQ(ErrorMessage<EListError>([&] { List.Items(3); }), QStringLiteral("List index out of bounds (3)"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { List.Insert(-1, nullptr); }),
              QStringLiteral("List index out of bounds (-1)"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { List.SetCapacity(1); }),
              QStringLiteral("List capacity out of bounds (1)"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { List.SetCount(-2); }), QStringLiteral("List count out of bounds (-2)"));
    List.SetCount(4);
    EXPECT_EQ(Values(List), (std::vector<int>{2, 4, 0, -1}));
    List.Clear();
    EXPECT_EQ(ErrorMessage<EListError>([&] { List.First(); }), QStringLiteral("List index out of bounds (0)"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { List.Last(); }), QStringLiteral("List index out of bounds (-1)"));
}

TEST(List, SortIsStable)
{
    std::pair<int, char> P[] = {{2, 'a'}, {1, 'b'}, {2, 'c'}, {1, 'd'}, {0, 'e'}};
    TList List;
    for (auto& Item : P)
        List.Add(&Item);
    List.Sort([](void* A, void* B) {
        return static_cast<std::pair<int, char>*>(A)->first - static_cast<std::pair<int, char>*>(B)->first;
    });
    std::string Order;
    for (int I = 0; I < List.Count(); ++I)
        Order += static_cast<std::pair<int, char>*>(List.Items(I))->second;
    EXPECT_EQ(Order, "ebdac");
}

TEST(List, ObjectListFreesWhatItOwnsButNotWhatIsExtracted)
{
    TCounted Outside;
    {
        TObjectList List;
        for (int I = 0; I < 4; ++I)
            List.Add(new TCounted(I));
        EXPECT_EQ(TCounted::Alive, 5);
        List.Delete(0);
        EXPECT_EQ(TCounted::Alive, 4);
        TObject* Taken = List.Extract(List.Items(0));
        EXPECT_EQ(TCounted::Alive, 4);
        delete Taken;
        List.SetItems(0, new TCounted(9));
        EXPECT_EQ(TCounted::Alive, 3);
        List.Move(0, 1);
        List.Exchange(0, 1);
        EXPECT_EQ(static_cast<TCounted*>(List.First())->Value, 9);
        List.SetOwnsObjects(false);
        List.Add(&Outside);
        List.Remove(&Outside);
        List.SetOwnsObjects(true);
    }
    EXPECT_EQ(TCounted::Alive, 1);
}
