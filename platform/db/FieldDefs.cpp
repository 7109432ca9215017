#include "platform/db/FieldDefs.h"

#include "platform/classes/TypInfo.h"

REGISTER_ENUM(TFieldType, ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency,
              ftBCD, ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic,
              ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString,
              ftLargeint)
REGISTER_ENUM(TFieldAttribute, faHiddenCol, faReadonly, faRequired, faLink, faUnNamed, faFixed)

REGISTER_CLASS(TFieldDef, TCollectionItem)
    PUBLISHED(Name, String())
    PUBLISHED(Attributes, TFieldAttributes())
    PUBLISHED(DataType, ftUnknown)
    PUBLISHED(Precision, 0)
    PUBLISHED(Size, 0)
END_REGISTER

REGISTER_CLASS(TFieldDefs, TCollection)
END_REGISTER

TFieldDef::TFieldDef(TCollection* Collection) : TCollectionItem(Collection) {}

void TFieldDef::SetName(const String& Value)
{
    FName = Value;
    Changed(false);
}

void TFieldDef::SetDataType(TFieldType Value)
{
    FDataType = Value;
    Changed(false);
}

void TFieldDef::SetSize(int Value)
{
    if (Value < 0)
        DatabaseError(QString::fromLatin1(DBConsts::SInvalidFieldSize));
    FSize = Value;
    Changed(false);
}

void TFieldDef::SetAttributes(TFieldAttributes Value)
{
    FAttributes = Value;
    Changed(false);
}

void TFieldDef::SetRequired(bool Value)
{
    TFieldAttributes A = FAttributes;
    if (Value)
        A.Include(faRequired);
    else
        A.Exclude(faRequired);
    SetAttributes(A);
}

void TFieldDef::Assign(TPersistent* Source)
{
    if (auto* S = dynamic_cast<TFieldDef*>(Source)) {
        FName = S->FName;
        FDataType = S->FDataType;
        FSize = S->FSize;
        FPrecision = S->FPrecision;
        FAttributes = S->FAttributes;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(Source);
}

TFieldDefs::TFieldDefs(TPersistent* AOwner) : TOwnedCollection(AOwner, ClassOf<TFieldDef>()) {}

void TFieldDefs::Add(const String& Name, TFieldType DataType, int Size, bool Required)
{
    if (IndexOf(Name) >= 0)
        DatabaseErrorFmt(DBConsts::SDuplicateFieldName, Name);
    TFieldDef* Def = AddFieldDef();
    Def->SetName(Name);
    Def->SetDataType(DataType);
    Def->SetSize(Size);
    Def->SetRequired(Required);
}

int TFieldDefs::IndexOf(const String& Name) const
{
    for (int I = 0; I < Count(); ++I)
        if (Items(I)->Name().compare(Name, Qt::CaseInsensitive) == 0)
            return I;
    return -1;
}

TFieldDef* TFieldDefs::FindDef(const String& Name) const
{
    const int I = IndexOf(Name);
    return I < 0 ? nullptr : Items(I);
}

TFieldDef* TFieldDefs::Find(const String& Name) const
{
    TFieldDef* Def = FindDef(Name);
    if (!Def)
        DatabaseErrorFmt(DBConsts::SFieldNotFound, Name);
    return Def;
}

std::vector<TTableField> TFieldDefs::ToTableFields() const
{
    std::vector<TTableField> Out;
    for (int I = 0; I < Count(); ++I)
        Out.push_back(Items(I)->ToTableField());
    return Out;
}

void TFieldDefs::FromTableFields(const std::vector<TTableField>& Fields)
{
    BeginUpdate();
    try {
        Clear();
        for (const TTableField& F : Fields)
            Add(F.Name, F.DataType, F.Size, F.Required);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}
