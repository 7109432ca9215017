#pragma once
// TIndexDefs: the stored index definitions of a client data set.
#include "platform/classes/Collection.h"
#include "platform/db/TableData.h"

class TIndexDef : public TCollectionItem {
public:
    explicit TIndexDef(TCollection* Collection);

    String Name() const { return FDef.Name; }
    void SetName(const String& Value) { FDef.Name = Value; Changed(false); }
    String Fields() const { return FDef.Fields; }
    void SetFields(const String& Value) { FDef.Fields = Value; Changed(false); }
    String DescFields() const { return FDef.DescFields; }
    void SetDescFields(const String& Value) { FDef.DescFields = Value; Changed(false); }
    String CaseInsFields() const { return FDef.CaseInsFields; }
    void SetCaseInsFields(const String& Value) { FDef.CaseInsFields = Value; Changed(false); }
    TIndexOptions Options() const { return FDef.Options; }
    void SetOptions(TIndexOptions Value) { FDef.Options = Value; Changed(false); }
    int GroupingLevel() const { return FGroupingLevel; }
    void SetGroupingLevel(int Value) { FGroupingLevel = Value; }

    const TTableIndexDef& Def() const { return FDef; }
    void Assign(TPersistent* Source) override;

protected:
    String GetDisplayName() const override { return FDef.Name; }

private:
    TTableIndexDef FDef;
    int FGroupingLevel = 0;
};

class TIndexDefs : public TOwnedCollection {
public:
    explicit TIndexDefs(TPersistent* AOwner);

    TIndexDef* Items(int Index) const { return static_cast<TIndexDef*>(TCollection::Items(Index)); }
    TIndexDef* operator[](int Index) const { return Items(Index); }
    TIndexDef* AddIndexDef() { return static_cast<TIndexDef*>(TCollection::Add()); }
    void Add(const String& Name, const String& Fields, TIndexOptions Options);
    int IndexOf(const String& Name) const;
    TIndexDef* FindIndexForFields(const String& Fields) const;
    // Raises "Index '%s' not found".
    TIndexDef* Find(const String& Name) const;

    std::vector<TTableIndexDef> ToTableIndexDefs() const;
    void FromTableIndexDefs(const std::vector<TTableIndexDef>& Defs);
};
