// TKeyRecNos: the record number of every key, for keys counted from one
// and for keys scattered over the whole range.
#include "app/qv_keyrec.h"

#include "tests/support/PersonTables.h"

#include <algorithm>
#include <climits>

namespace {

class KeyRecNos : public TPersonTableTest {};

} // namespace

TEST_F(KeyRecNos, FindsEachKeysRecordAndNothingForOtherKeys)
{
    struct TCase {
        const char* What;
        std::vector<int> Keys;
    };
    const TCase Cases[] = {{"counted", {3, 1, 2, 5}},
                           {"scattered", {2000000000, 5, 70000, 0}},
                           {"negative ones among them", {-1, 4, -7, 2}},
                           {"none", {}}};
    for (const TCase& C : Cases) {
        SetUp();
        T->CreateDataSet();
        for (int Key : C.Keys)
            AddPerson(T, Key, "x");
        T->SetIndexName("ID_ASC");
        TKeyRecNos Keys;
        Keys.Build(T, "ID");
        std::vector<int> Sorted = C.Keys;
        std::sort(Sorted.begin(), Sorted.end());
        int NonNegative = 0;
        for (std::size_t I = 0; I < Sorted.size(); ++I) {
            const int Expected = Sorted[I] < 0 ? 0 : int(I) + 1;
            NonNegative += Sorted[I] >= 0;
            EXPECT_EQ(Keys.Find(Sorted[I]), Expected) << C.What << " " << Sorted[I];
        }
        EXPECT_EQ(Keys.Empty(), NonNegative == 0) << C.What;
        for (int Missing : {-2, 6, 69999, 1999999999, INT_MAX, INT_MIN}) {
            if (std::find(Sorted.begin(), Sorted.end(), Missing) == Sorted.end()) {
                EXPECT_EQ(Keys.Find(Missing), 0) << C.What << " " << Missing;
            }
        }
    }
}
