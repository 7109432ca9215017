#include "platform/db/ClientDataSet.h"

#include "platform/classes/TypInfo.h"
#include "platform/db/TableFile.h"
#include "platform/rtl/FileUtils.h"

#include <QDebug>

REGISTER_COMPONENT(TClientDataSet, TDataSet)
    PUBLISHED(Active, false)
    PUBLISHED_OBJECT(FieldDefs)
    PUBLISHED(FileName, String())
    PUBLISHED(Filter, String())
    PUBLISHED(Filtered, false)
    PUBLISHED(FilterOptions, TFilterOptions())
    PUBLISHED_OBJECT(IndexDefs)
    PUBLISHED(IndexFieldNames, String())
    PUBLISHED(IndexName, String())
    PUBLISHED(ReadOnly, false)
    PUBLISHED_EVENT(BeforeOpen)
    PUBLISHED_EVENT(AfterOpen)
    PUBLISHED_EVENT(BeforeClose)
    PUBLISHED_EVENT(AfterClose)
    PUBLISHED_EVENT(BeforeInsert)
    PUBLISHED_EVENT(AfterInsert)
    PUBLISHED_EVENT(BeforeEdit)
    PUBLISHED_EVENT(AfterEdit)
    PUBLISHED_EVENT(BeforePost)
    PUBLISHED_EVENT(AfterPost)
    PUBLISHED_EVENT(BeforeCancel)
    PUBLISHED_EVENT(AfterCancel)
    PUBLISHED_EVENT(BeforeDelete)
    PUBLISHED_EVENT(AfterDelete)
    PUBLISHED_EVENT(BeforeScroll)
    PUBLISHED_EVENT(AfterScroll)
    PUBLISHED_EVENT(OnCalcFields)
    PUBLISHED_EVENT(OnFilterRecord)
    PUBLISHED_EVENT(OnNewRecord)
END_REGISTER

namespace {

// The data set's own unique indexes must hold for the records of the file
// as well, or the table would refuse every record posted after it.
void CheckUniqueKeys(TTableData& Table, const String& FileName)
{
    for (const TTableIndexDef& D : Table.IndexDefs()) {
        if (!D.Options.Contains(ixUnique) && !D.Options.Contains(ixPrimary))
            continue;
        try {
            Table.IndexByName(D.Name);
        } catch (const EDatabaseError& E) {
            throw EDatabaseError(QString::fromLatin1(DBConsts::STableFileDamaged).replace(QLatin1String("%s"), FileName)
                                 + QStringLiteral(": ") + E.Message());
        }
    }
}

}  // namespace

TClientDataSet::TClientDataSet(TComponent* AOwner)
    : TDataSet(AOwner), FIndexDefs(std::make_unique<TIndexDefs>(this))
{
}

TClientDataSet::~TClientDataSet()
{
    // What was typed and posted is not lost because the owner went first;
    // a failure cannot be raised from here and is only reported.
    if (Active() && WritesOnClose()) {
        try {
            TTableFile::Save(FFileName, FTable);
        } catch (const Exception& E) {
            qWarning("%s", qPrintable(E.Message()));
        }
    }
    FCurrentIndex = nullptr;
}

std::vector<TTableIndexDef> TClientDataSet::MergedIndexDefs(const std::vector<TTableIndexDef>& FromFile) const
{
    // The definitions stored with the component come first; the file adds
    // those it knows and the component does not.
    std::vector<TTableIndexDef> Out = FIndexDefs->ToTableIndexDefs();
    for (const TTableIndexDef& D : FromFile) {
        const bool Known = std::any_of(Out.begin(), Out.end(), [&](const TTableIndexDef& O) {
            return O.Name.compare(D.Name, Qt::CaseInsensitive) == 0;
        });
        if (!Known)
            Out.push_back(D);
    }
    return Out;
}

void TClientDataSet::InternalOpen()
{
    if (FCreating) {
        if (FieldDefs()->Count() == 0 && Fields()->Count() == 0)
            DatabaseError(QString::fromLatin1(DBConsts::SFieldDefsEmpty));
        std::vector<TTableField> Defs = FieldDefs()->ToTableFields();
        if (Defs.empty()) {
            // Persistent fields alone describe the table.
            for (TField* F : *Fields())
                if (F->FieldKind() == fkData)
                    Defs.push_back({F->FieldName(), F->DataType(), F->Size(), F->Required()});
        }
        TTableData Fresh;
        Fresh.Define(Defs, FIndexDefs->ToTableIndexDefs());
        FTable.Swap(Fresh);
        // Nothing was read: a file that appears under the name is another's.
        FDiskVersion = {};
        FDiskVersionOf = FFileName;
    } else if (!FLoading) {
        if (FFileName.isEmpty())
            DatabaseError(QString::fromLatin1(DBConsts::SFieldDefsEmpty));
        TTableData Loaded;
        TTableFileVersion Version;
        TTableFile::Load(FFileName, Loaded, &Version);
        Loaded.SetIndexDefs(MergedIndexDefs(Loaded.IndexDefs()));
        CheckUniqueKeys(Loaded, FFileName);
        FTable.Swap(Loaded);
        FDiskVersion = Version;
        FDiskVersionOf = FFileName;
    }
    FieldDefs()->FromTableFields(FTable.Fields());
    FIndexDefs->FromTableIndexDefs(FTable.IndexDefs());
    FCurrentIndex = nullptr;
    SetTable(&FTable);
    FSavedVersion = FTable.Version();
    FChangeCount = 0;
    SelectIndex();
}

void TClientDataSet::InternalClose()
{
    FCurrentIndex = nullptr;
    TTableData Empty;
    FTable.Swap(Empty);
    FChangeCount = 0;
}

void TClientDataSet::BeforeInternalClose()
{
    // A new table is written even when empty; an unchanged one is not
    // touched.  A failed write raises and the table stays open.
    if (WritesOnClose()) {
        FDiskVersionOf = FFileName;
        TTableFile::Save(FFileName, FTable, &FDiskVersion);
        FSavedVersion = FTable.Version();
    }
}

bool TClientDataSet::WritesOnClose() const
{
    return !FFileName.isEmpty() && (DataChanged() || !FileExists(FFileName));
}

bool TClientDataSet::FileChangedOnDisk() const
{
    if (FFileName.isEmpty() || FFileName != FDiskVersionOf)
        return false;
    return !TTableFile::HoldsVersion(FFileName, FDiskVersion);
}

void TClientDataSet::LogChange()
{
    if (FLogChanges)
        ++FChangeCount;
}

void TClientDataSet::CreateDataSet()
{
    CheckInactive();
    FCreating = true;
    try {
        Open();
    } catch (...) {
        FCreating = false;
        throw;
    }
    FCreating = false;
}

void TClientDataSet::LoadFromFile(const String& FileName)
{
    const String Name = FileName.isEmpty() ? FFileName : FileName;
    TTableData Loaded;
    TTableFileVersion Version;
    TTableFile::Load(Name, Loaded, &Version);
    Loaded.SetIndexDefs(MergedIndexDefs(Loaded.IndexDefs()));
    CheckUniqueKeys(Loaded, Name);
    if (Active()) {
        // Nothing written back: the file's content replaces the table.
        CheckBrowseMode();
        FSavedVersion = FTable.Version();
        const String Saved = FFileName;
        FFileName.clear();
        try {
            Close();
        } catch (...) {
            FFileName = Saved;
            throw;
        }
        FFileName = Saved;
    }
    FTable.Swap(Loaded);
    FLoading = true;
    try {
        Open();
    } catch (...) {
        FLoading = false;
        throw;
    }
    FLoading = false;
    FDiskVersion = Version;
    FDiskVersionOf = Name;
}

void TClientDataSet::SaveToFile(const String& FileName)
{
    CheckActive();
    CheckBrowseMode();
    const String Name = FileName.isEmpty() ? FFileName : FileName;
    if (Name != FFileName) {
        TTableFile::Save(Name, FTable);
        return;
    }
    FDiskVersionOf = Name;
    TTableFile::Save(Name, FTable, &FDiskVersion);
    FSavedVersion = FTable.Version();
}

void TClientDataSet::EmptyDataSet()
{
    CheckActive();
    if (State() == dsEdit || State() == dsInsert)
        Cancel();
    CheckBrowseMode();
    FTable.Empty();
    if (FLogChanges)
        ++FChangeCount;
    OrderChanged();
}

// --- the current index -----------------------------------------------------------

void TClientDataSet::SelectIndex()
{
    if (!FIndexName.isEmpty())
        FCurrentIndex = &FTable.IndexByName(FIndexName);
    else if (!FIndexFieldNames.isEmpty())
        FCurrentIndex = &FTable.IndexByFields(FIndexFieldNames);
    else
        FCurrentIndex = nullptr;
}

void TClientDataSet::SetIndexName(const String& Value)
{
    if (!Active()) {
        FIndexName = Value;
        if (!Value.isEmpty())
            FIndexFieldNames.clear();
        return;
    }
    CheckBrowseMode();
    TTableIndex* Index = Value.isEmpty() ? nullptr : &FTable.IndexByName(Value);
    FIndexName = Value;
    FIndexFieldNames.clear();
    FCurrentIndex = Index;
    OrderChanged();
}

void TClientDataSet::SetIndexFieldNames(const String& Value)
{
    if (!Active()) {
        FIndexFieldNames = Value;
        if (!Value.isEmpty())
            FIndexName.clear();
        return;
    }
    CheckBrowseMode();
    TTableIndex* Index = Value.isEmpty() ? nullptr : &FTable.IndexByFields(Value);
    FIndexFieldNames = Value;
    FIndexName.clear();
    FCurrentIndex = Index;
    OrderChanged();
}

int TClientDataSet::IndexFieldCount() const
{
    return FCurrentIndex ? FCurrentIndex->KeyCount() : 0;
}

TField* TClientDataSet::IndexFields(int Index) const
{
    if (!FCurrentIndex || Index < 0 || Index >= FCurrentIndex->KeyCount())
        DatabaseError(QString::fromLatin1(DBConsts::SFieldIndexError));
    return Fields()->FieldByNumber(FCurrentIndex->Keys()[std::size_t(Index)].Field + 1);
}

// --- key search -------------------------------------------------------------------

void TClientDataSet::CheckFieldCanBeKey(TField* Field) const
{
    if (FCurrentIndex)
        for (const TIndexKeyField& K : FCurrentIndex->Keys())
            if (K.Field == Field->FieldNo() - 1)
                return;
    DatabaseErrorFmt(DBConsts::SNotIndexField, Field->DisplayName());
}

TTableIndex& TClientDataSet::RequireIndex() const
{
    if (!FCurrentIndex)
        DatabaseError(QString::fromLatin1(DBConsts::SNoFieldIndexes));
    return *FCurrentIndex;
}

void TClientDataSet::SetKey()
{
    CheckActive();
    RequireIndex();
    BeginKeyEdit(true);
    FKeyFieldCount = 0;
}

void TClientDataSet::EditKey()
{
    CheckActive();
    RequireIndex();
    BeginKeyEdit(false);
}

int TClientDataSet::EffectiveKeyCount() const
{
    const int All = RequireIndex().KeyCount();
    return FKeyFieldCount > 0 && FKeyFieldCount < All ? FKeyFieldCount : All;
}

bool TClientDataSet::GotoKey()
{
    CheckBrowseMode();
    TTableIndex& Index = RequireIndex();
    if (KeyBuffer().empty())
        return false;
    const int Count = EffectiveKeyCount();
    // The first match in the index that the filter lets through.  Without a
    // filter the index order is the view, so its position is the cursor's.
    const TRecordIdList& Order = Index.Order();
    const bool Unfiltered = &View() == &Order;
    for (int I = Index.LowerBound(FTable.Store(), KeyBuffer().data(), Count); I < int(Order.size()); ++I) {
        const TRecordId Id = Order[std::size_t(I)];
        if (Index.CompareKeys(FTable.Store().Record(Id), KeyBuffer().data(), Count) != 0)
            break;
        const int Pos = Unfiltered ? I : PositionInView(Id);
        if (Pos >= 0) {
            GotoPosition(Pos);
            return true;
        }
    }
    return false;
}

void TClientDataSet::GotoNearest()
{
    CheckBrowseMode();
    TTableIndex& Index = RequireIndex();
    if (KeyBuffer().empty() || View().empty())
        return;
    const int Count = EffectiveKeyCount();
    const TRecordIdList& Order = Index.Order();
    const bool Unfiltered = &View() == &Order;
    int Pos = -1;
    for (int I = Index.LowerBound(FTable.Store(), KeyBuffer().data(), Count); I < int(Order.size()); ++I) {
        Pos = Unfiltered ? I : PositionInView(Order[std::size_t(I)]);
        if (Pos >= 0)
            break;
    }
    // Past the last key: the last record.
    if (Pos < 0)
        Pos = int(View().size()) - 1;
    GotoPosition(Pos);
}

void TClientDataSet::SetKeyFields(std::initializer_list<Variant> KeyValues)
{
    SetKey();
    const int Count = std::min<int>(int(KeyValues.size()), IndexFieldCount());
    try {
        int I = 0;
        for (const Variant& V : KeyValues) {
            if (I >= Count)
                break;
            IndexFields(I++)->SetAsVariant(V);
        }
    } catch (...) {
        Cancel();
        throw;
    }
    FKeyFieldCount = Count;
}

bool TClientDataSet::FindKey(std::initializer_list<Variant> KeyValues)
{
    SetKeyFields(KeyValues);
    return GotoKey();
}

void TClientDataSet::FindNearest(std::initializer_list<Variant> KeyValues)
{
    SetKeyFields(KeyValues);
    GotoNearest();
}
