#include "platform/db/TableData.h"

#include <QStringList>
#include <algorithm>

namespace {

QStringList SplitFieldNames(const String& FieldNames)
{
    QStringList Out;
    for (const QString& Part : FieldNames.split(QLatin1Char(';')))
        if (!Part.trimmed().isEmpty())
            Out << Part.trimmed();
    return Out;
}

bool ListContains(const String& List, const String& Name)
{
    for (const QString& Part : SplitFieldNames(List))
        if (Part.compare(Name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

}  // namespace

void TTableData::Define(const std::vector<TTableField>& Fields, const std::vector<TTableIndexDef>& Indexes)
{
    for (std::size_t I = 0; I < Fields.size(); ++I) {
        if (StorageKindOf(Fields[I].DataType) == skNone)
            DatabaseErrorFmt(DBConsts::SUnsupportedFieldType, Fields[I].Name);
        for (std::size_t J = 0; J < I; ++J)
            if (Fields[J].Name.compare(Fields[I].Name, Qt::CaseInsensitive) == 0)
                DatabaseErrorFmt(DBConsts::SDuplicateFieldName, Fields[I].Name);
    }
    FIndexes.clear();
    FFields = Fields;
    FLayout = std::make_unique<TRecordLayout>(FFields);
    FStore.Clear();
    FNatural.clear();
    FVersion = 0;
    SetIndexDefs(Indexes);
}

void TTableData::SetIndexDefs(const std::vector<TTableIndexDef>& Indexes)
{
    for (std::size_t I = 0; I < Indexes.size(); ++I) {
        FieldList(Indexes[I].Fields);
        for (std::size_t J = 0; J < I; ++J)
            if (Indexes[J].Name.compare(Indexes[I].Name, Qt::CaseInsensitive) == 0)
                DatabaseErrorFmt(DBConsts::SDuplicateIndexName, Indexes[I].Name);
    }
    // A loaded table has built its unique orders to check the file; they
    // stay when the definitions the data set brings are the same.
    for (auto It = FIndexes.begin(); It != FIndexes.end();) {
        const TTableIndexDef* Old = FindIndexDef(It->first);
        const auto New = std::find_if(Indexes.begin(), Indexes.end(), [&](const TTableIndexDef& D) {
            return D.Name.compare(It->first, Qt::CaseInsensitive) == 0;
        });
        if (Old && New != Indexes.end() && *Old == *New)
            ++It;
        else
            It = FIndexes.erase(It);
    }
    FIndexDefs = Indexes;
}

void TTableData::Empty()
{
    FStore.Clear();
    FNatural.clear();
    for (auto& Entry : FIndexes)
        Entry.second->Clear();
    ++FVersion;
}

void TTableData::Swap(TTableData& Other) noexcept
{
    std::swap(FFields, Other.FFields);
    std::swap(FIndexDefs, Other.FIndexDefs);
    std::swap(FLayout, Other.FLayout);
    std::swap(FStore, Other.FStore);
    std::swap(FNatural, Other.FNatural);
    std::swap(FIndexes, Other.FIndexes);
    std::swap(FVersion, Other.FVersion);
}

int TTableData::FieldNo(const String& Name) const
{
    for (std::size_t I = 0; I < FFields.size(); ++I)
        if (FFields[I].Name.compare(Name, Qt::CaseInsensitive) == 0)
            return int(I);
    return -1;
}

std::vector<int> TTableData::FieldList(const String& FieldNames) const
{
    std::vector<int> Out;
    for (const QString& Name : SplitFieldNames(FieldNames)) {
        const int No = FieldNo(Name);
        if (No < 0 || FLayout->Kind(No) == skNone)
            DatabaseErrorFmt(DBConsts::SFieldNotFound, Name);
        Out.push_back(No);
    }
    if (Out.empty())
        DatabaseErrorFmt(DBConsts::SFieldNotFound, FieldNames);
    return Out;
}

const TTableIndexDef* TTableData::FindIndexDef(const String& Name) const
{
    for (const TTableIndexDef& Def : FIndexDefs)
        if (Def.Name.compare(Name, Qt::CaseInsensitive) == 0)
            return &Def;
    return nullptr;
}

std::unique_ptr<TTableIndex> TTableData::MakeIndex(const std::vector<int>& FieldNos, const TTableIndexDef* Def) const
{
    std::vector<TIndexKeyField> Keys;
    for (int No : FieldNos) {
        TIndexKeyField K;
        K.Field = No;
        K.Kind = FLayout->Kind(No);
        if (Def) {
            K.Descending = Def->Options.Contains(ixDescending) || ListContains(Def->DescFields, FFields[No].Name);
            K.CaseInsensitive = Def->Options.Contains(ixCaseInsensitive)
                || ListContains(Def->CaseInsFields, FFields[No].Name);
        }
        Keys.push_back(K);
    }
    const bool Unique = Def && (Def->Options.Contains(ixUnique) || Def->Options.Contains(ixPrimary));
    return std::make_unique<TTableIndex>(*FLayout, std::move(Keys), Unique);
}

TTableIndex& TTableData::IndexByName(const String& Name)
{
    const String Key = Name.toUpper();
    auto It = FIndexes.find(Key);
    if (It != FIndexes.end())
        return *It->second;
    const TTableIndexDef* Def = FindIndexDef(Name);
    if (!Def)
        DatabaseErrorFmt(DBConsts::SIndexNotFound, Name);
    auto Index = MakeIndex(FieldList(Def->Fields), Def);
    Index->Build(FStore);
    return *FIndexes.emplace(Key, std::move(Index)).first->second;
}

TTableIndex& TTableData::IndexByFields(const String& FieldNames)
{
    const std::vector<int> Nos = FieldList(FieldNames);
    String Key = QStringLiteral("\x01");
    for (int No : Nos)
        Key += FFields[std::size_t(No)].Name.toUpper() + QLatin1Char(';');
    auto It = FIndexes.find(Key);
    if (It != FIndexes.end())
        return *It->second;
    auto Index = MakeIndex(Nos, nullptr);
    Index->Build(FStore);
    return *FIndexes.emplace(Key, std::move(Index)).first->second;
}

std::vector<TTableIndex*> TTableData::BuiltIndexes()
{
    std::vector<TTableIndex*> Out;
    for (auto& Entry : FIndexes)
        Out.push_back(Entry.second.get());
    return Out;
}

void TTableData::CheckUnique(const TRecordBuffer& Rec, std::int64_t Except)
{
    // Unique indexes are checked whether or not anything sorts by them yet.
    for (const TTableIndexDef& Def : FIndexDefs) {
        if (!Def.Options.Contains(ixUnique) && !Def.Options.Contains(ixPrimary))
            continue;
        TTableIndex& Index = IndexByName(Def.Name);
        if (Index.FindDuplicate(FStore, Rec.data(), TRecordId(Except < 0 ? -1 : Except)) >= 0)
            DatabaseError(QString::fromLatin1(DBConsts::SKeyViolation));
    }
}

TTableData::TRecordId TTableData::Append(const TRecordBuffer& Rec, std::int64_t NaturalBefore)
{
    CheckUnique(Rec, -1);
    const TRecordId Id = FStore.Add(Rec);
    const int Pos = NaturalBefore >= 0 ? NaturalPosition(TRecordId(NaturalBefore)) : -1;
    if (Pos >= 0)
        FNatural.insert(std::size_t(Pos), Id);
    else
        FNatural.push_back(Id);
    for (TTableIndex* Index : BuiltIndexes())
        Index->Insert(FStore, Id, FStore.Record(Id));
    ++FVersion;
    return Id;
}

void TTableData::Modify(TRecordId Id, const TRecordBuffer& Rec)
{
    const std::uint8_t* Old = FStore.Record(Id);
    if (!Old)
        DatabaseError(QString::fromLatin1(DBConsts::SBookmarkNotFound));
    CheckUnique(Rec, Id);
    std::vector<TTableIndex*> Indexes = BuiltIndexes();
    for (TTableIndex* Index : Indexes)
        Index->Remove(FStore, Id, Old);
    FStore.Replace(Id, Rec);
    for (TTableIndex* Index : Indexes)
        Index->Insert(FStore, Id, FStore.Record(Id));
    ++FVersion;
}

void TTableData::Delete(TRecordId Id)
{
    const std::uint8_t* Old = FStore.Record(Id);
    if (!Old)
        return;
    for (TTableIndex* Index : BuiltIndexes())
        Index->Remove(FStore, Id, Old);
    if (const int Pos = NaturalPosition(Id); Pos >= 0)
        FNatural.erase(std::size_t(Pos));
    FStore.Remove(Id);
    ++FVersion;
}

int TTableData::NaturalPosition(TRecordId Id) const
{
    // Ids grow in natural order unless records were inserted in between, so
    // try a binary search first and fall back to a scan.
    const std::size_t P = FNatural.partition_point([Id](TRecordId Other) { return Other < Id; });
    if (P < FNatural.size() && FNatural[P] == Id)
        return int(P);
    return int(FNatural.find(Id));
}
