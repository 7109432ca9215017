#include "app/qv_keyrec.h"

#include "platform/db/ClientDataSet.h"

#include <algorithm>

namespace {

// Keys up to this many times the record count (and a little) go into the
// flat table: at most a few integers per record.
constexpr long long DenseFactor = 4;
constexpr long long DenseSlack = 1024;

} // namespace

void TKeyRecNos::Build(TClientDataSet* Table, const char* KeyField)
{
    FDense.clear();
    FSparse.clear();
    std::vector<std::pair<int, int>> Keys;
    Keys.reserve(std::size_t(Table->RecordCount()));
    TField* Key = Table->FieldByName(QString::fromLatin1(KeyField));
    int RecNo = 1;
    for (Table->First(); !Table->Eof(); Table->Next(), ++RecNo)
        if (const int Value = Key->AsInteger(); Value >= 0)
            Keys.emplace_back(Value, RecNo);
    FCount = int(Keys.size());
    if (Keys.empty())
        return;
    const int Largest = std::max_element(Keys.begin(), Keys.end())->first;
    if (Largest < DenseFactor * FCount + DenseSlack) {
        FDense.assign(std::size_t(Largest) + 1, 0);
        for (const auto& [K, R] : Keys)
            if (FDense[std::size_t(K)] == 0)
                FDense[std::size_t(K)] = R;
        return;
    }
    FSparse.reserve(Keys.size());
    for (const auto& [K, R] : Keys)
        FSparse.emplace(K, R);
}

int TKeyRecNos::Find(int Key) const
{
    if (Key < 0)
        return 0;
    if (!FDense.empty())
        return std::size_t(Key) < FDense.size() ? FDense[std::size_t(Key)] : 0;
    const auto It = FSparse.find(Key);
    return It == FSparse.end() ? 0 : It->second;
}
