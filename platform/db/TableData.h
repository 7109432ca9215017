#pragma once
// The in-memory table: field and index definitions, the records and the
// sort orders built from them.  TClientDataSet is the component face of
// this class; everything here works without components.
#include "platform/db/TableIndex.h"

#include <map>
#include <memory>

struct TTableIndexDef {
    String Name;
    String Fields;         // "A;B"
    String DescFields;     // fields sorted descending (besides ixDescending)
    String CaseInsFields;  // fields compared without case (besides ixCaseInsensitive)
    TIndexOptions Options;

    bool operator==(const TTableIndexDef&) const = default;
};

class TTableData {
public:
    using TRecordId = TRecordStore::TRecordId;

    TTableData() = default;
    TTableData(const TTableData&) = delete;
    TTableData& operator=(const TTableData&) = delete;

    // Starts an empty table.  Raises EDatabaseError for an unusable
    // definition (duplicate names, unknown index fields, unstored types).
    void Define(const std::vector<TTableField>& Fields, const std::vector<TTableIndexDef>& Indexes);
    // Drops all records, keeps the definitions.
    void Empty();
    // Exchanges everything with another table (used to swap in a table read
    // whole from a file).
    void Swap(TTableData& Other) noexcept;
    // Index definitions may change while the records stay; the orders of
    // definitions that stay the same are kept.
    void SetIndexDefs(const std::vector<TTableIndexDef>& Indexes);

    const std::vector<TTableField>& Fields() const { return FFields; }
    const std::vector<TTableIndexDef>& IndexDefs() const { return FIndexDefs; }
    const TRecordLayout& Layout() const { return *FLayout; }
    const TRecordStore& Store() const { return FStore; }
    bool Defined() const { return FLayout != nullptr; }
    // -1 when there is no such field (names compare without case).
    int FieldNo(const String& Name) const;
    int RecordCount() const { return FStore.LiveCount(); }
    const std::uint8_t* Record(TRecordId Id) const { return FStore.Record(Id); }

    // Records in the order they were added (the file order).
    const TRecordIdList& NaturalOrder() const { return FNatural; }
    // The sort order of a defined index, built on first use and kept.
    // Raises "Index '%s' not found".
    TTableIndex& IndexByName(const String& Name);
    // The order on "A;B" (IndexFieldNames), built on first use and kept.
    TTableIndex& IndexByFields(const String& FieldNames);
    const TTableIndexDef* FindIndexDef(const String& Name) const;

    // Record changes.  Unique indexes are checked first ("Key violation.");
    // every built order is updated.  Append adds at the end of the natural
    // order, or before NaturalBefore when that is a live record.
    TRecordId Append(const TRecordBuffer& Rec, std::int64_t NaturalBefore = -1);
    void Modify(TRecordId Id, const TRecordBuffer& Rec);
    void Delete(TRecordId Id);
    // Position of a record in the natural order (-1 when absent).
    int NaturalPosition(TRecordId Id) const;

    // Counts every change since Define, Empty or a load.
    std::uint64_t Version() const { return FVersion; }

    // Splits "A;B" into field numbers; raises "Field '%s' not found".
    std::vector<int> FieldList(const String& FieldNames) const;

private:
    std::unique_ptr<TTableIndex> MakeIndex(const std::vector<int>& FieldNos, const TTableIndexDef* Def) const;
    void CheckUnique(const TRecordBuffer& Rec, std::int64_t Except);
    std::vector<TTableIndex*> BuiltIndexes();

    std::vector<TTableField> FFields;
    std::vector<TTableIndexDef> FIndexDefs;
    std::unique_ptr<TRecordLayout> FLayout;
    TRecordStore FStore;
    TRecordIdList FNatural;
    // Keyed by upper-cased index name, or "\x01" + upper-cased field list.
    std::map<String, std::unique_ptr<TTableIndex>> FIndexes;
    std::uint64_t FVersion = 0;

    friend class TTableFile;
};
