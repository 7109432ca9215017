#include "platform/db/IndexDefs.h"

#include "platform/classes/TypInfo.h"

REGISTER_ENUM(TIndexOption, ixPrimary, ixUnique, ixDescending, ixCaseInsensitive, ixExpression, ixNonMaintained)

REGISTER_CLASS(TIndexDef, TCollectionItem)
    PUBLISHED(Name, String())
    PUBLISHED(CaseInsFields, String())
    PUBLISHED(DescFields, String())
    PUBLISHED(Fields, String())
    PUBLISHED(Options, TIndexOptions())
    PUBLISHED(GroupingLevel, 0)
END_REGISTER

REGISTER_CLASS(TIndexDefs, TCollection)
END_REGISTER

TIndexDef::TIndexDef(TCollection* Collection) : TCollectionItem(Collection) {}

void TIndexDef::Assign(TPersistent* Source)
{
    if (auto* S = dynamic_cast<TIndexDef*>(Source)) {
        FDef = S->FDef;
        FGroupingLevel = S->FGroupingLevel;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(Source);
}

TIndexDefs::TIndexDefs(TPersistent* AOwner) : TOwnedCollection(AOwner, ClassOf<TIndexDef>()) {}

void TIndexDefs::Add(const String& Name, const String& Fields, TIndexOptions Options)
{
    if (IndexOf(Name) >= 0)
        DatabaseErrorFmt(DBConsts::SDuplicateIndexName, Name);
    TIndexDef* Def = AddIndexDef();
    Def->SetName(Name);
    Def->SetFields(Fields);
    Def->SetOptions(Options);
}

int TIndexDefs::IndexOf(const String& Name) const
{
    for (int I = 0; I < Count(); ++I)
        if (Items(I)->Name().compare(Name, Qt::CaseInsensitive) == 0)
            return I;
    return -1;
}

TIndexDef* TIndexDefs::FindIndexForFields(const String& Fields) const
{
    for (int I = 0; I < Count(); ++I)
        if (Items(I)->Fields().compare(Fields, Qt::CaseInsensitive) == 0)
            return Items(I);
    return nullptr;
}

TIndexDef* TIndexDefs::Find(const String& Name) const
{
    const int I = IndexOf(Name);
    if (I < 0)
        DatabaseErrorFmt(DBConsts::SIndexNotFound, Name);
    return Items(I);
}

std::vector<TTableIndexDef> TIndexDefs::ToTableIndexDefs() const
{
    std::vector<TTableIndexDef> Out;
    for (int I = 0; I < Count(); ++I)
        Out.push_back(Items(I)->Def());
    return Out;
}

void TIndexDefs::FromTableIndexDefs(const std::vector<TTableIndexDef>& Defs)
{
    BeginUpdate();
    Clear();
    for (const TTableIndexDef& D : Defs) {
        TIndexDef* Def = AddIndexDef();
        Def->SetName(D.Name);
        Def->SetFields(D.Fields);
        Def->SetDescFields(D.DescFields);
        Def->SetCaseInsFields(D.CaseInsFields);
        Def->SetOptions(D.Options);
    }
    EndUpdate();
}
