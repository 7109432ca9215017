#pragma once
// TFieldDefs: the stored column definitions of a data set (name, type,
// size, required), the collection a form definition lists under FieldDefs.
#include "platform/classes/Collection.h"
#include "platform/db/RecordLayout.h"

enum TFieldAttribute { faHiddenCol, faReadonly, faRequired, faLink, faUnNamed, faFixed };
using TFieldAttributes = TSet<TFieldAttribute>;

class TFieldDefs;

class TFieldDef : public TCollectionItem {
public:
    explicit TFieldDef(TCollection* Collection);

    String Name() const { return FName; }
    void SetName(const String& Value);
    TFieldType DataType() const { return FDataType; }
    void SetDataType(TFieldType Value);
    int Size() const { return FSize; }
    void SetSize(int Value);
    int Precision() const { return FPrecision; }
    void SetPrecision(int Value) { FPrecision = Value; }
    TFieldAttributes Attributes() const { return FAttributes; }
    void SetAttributes(TFieldAttributes Value);
    bool Required() const { return FAttributes.Contains(faRequired); }
    void SetRequired(bool Value);
    // 1-based position.
    int FieldNo() const { return Index() + 1; }

    TTableField ToTableField() const { return {FName, FDataType, FSize, Required()}; }
    void Assign(TPersistent* Source) override;

protected:
    String GetDisplayName() const override { return FName; }

private:
    String FName;
    TFieldType FDataType = ftUnknown;
    int FSize = 0;
    int FPrecision = 0;
    TFieldAttributes FAttributes;
};

class TFieldDefs : public TOwnedCollection {
public:
    explicit TFieldDefs(TPersistent* AOwner);

    TFieldDef* Items(int Index) const { return static_cast<TFieldDef*>(TCollection::Items(Index)); }
    TFieldDef* operator[](int Index) const { return Items(Index); }
    TFieldDef* AddFieldDef() { return static_cast<TFieldDef*>(TCollection::Add()); }
    void Add(const String& Name, TFieldType DataType, int Size = 0, bool Required = false);
    // -1 / nullptr when absent; names compare without case.
    int IndexOf(const String& Name) const;
    TFieldDef* FindDef(const String& Name) const;
    // Raises "Field '%s' not found".
    TFieldDef* Find(const String& Name) const;

    std::vector<TTableField> ToTableFields() const;
    void FromTableFields(const std::vector<TTableField>& Fields);
};
