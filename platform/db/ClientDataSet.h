#pragma once
// TClientDataSet: the in-memory table as a data set, with stored field and
// index definitions, a current index, key search and its table file.
#include "platform/db/DataSet.h"
#include "platform/db/IndexDefs.h"
#include "platform/db/TableFile.h"

class TClientDataSet : public TDataSet {
public:
    explicit TClientDataSet(TComponent* AOwner);
    ~TClientDataSet() override;

    // --- definitions ---
    TIndexDefs* IndexDefs() const { return FIndexDefs.get(); }
    void SetIndexDefs(TIndexDefs* Value) { FIndexDefs->Assign(Value); }
    // Makes an empty table from FieldDefs and IndexDefs and opens it.
    void CreateDataSet();

    // --- current order ---
    String IndexName() const { return FIndexName; }
    // Changing the order keeps the current record.
    void SetIndexName(const String& Value);
    String IndexFieldNames() const { return FIndexFieldNames; }
    void SetIndexFieldNames(const String& Value);
    int IndexFieldCount() const;
    TField* IndexFields(int Index) const;

    // --- the file ---
    String FileName() const { return FFileName; }
    void SetFileName(const String& Value) { FFileName = Value; }
    // Replaces the data with the table in FileName and opens it.  A file
    // that cannot be read leaves the data set as it was.
    void LoadFromFile(const String& FileName = String());
    // Writes the whole table; raises EInOutError and keeps the old file
    // when the write fails.
    void SaveToFile(const String& FileName = String());
    // True when records were posted or deleted since the table was opened,
    // created, loaded or saved; Close then writes FileName.
    bool DataChanged() const { return FTable.Version() != FSavedVersion; }
    // True when Close would write the table: it has a file name, and it
    // changed or its file does not exist yet (a new table).
    bool WritesOnClose() const;
    // True when the file FileName names is no longer the one this table was
    // read from or last wrote: another program changed, replaced or removed
    // it, or made one where this table was created.  False while the table
    // has no file name, or has one other than the file it read or wrote.
    bool FileChangedOnDisk() const;

    // --- change log ---
    bool LogChanges() const { return FLogChanges; }
    void SetLogChanges(bool Value) { FLogChanges = Value; }
    // Changes logged since the last merge (0 while LogChanges is off).
    int ChangeCount() const { return FChangeCount; }
    void MergeChangeLog() { FChangeCount = 0; }
    void EmptyDataSet();

    // --- key search on the current index ---
    void SetKey();
    void EditKey();
    bool GotoKey();
    void GotoNearest();
    bool FindKey(std::initializer_list<Variant> KeyValues);
    void FindNearest(std::initializer_list<Variant> KeyValues);
    // Key fields that GotoKey compares (0: all of the index).
    int KeyFieldCount() const { return FKeyFieldCount; }
    void SetKeyFieldCount(int Value) { FKeyFieldCount = Value; }

protected:
    void InternalOpen() override;
    void InternalClose() override;
    void BeforeInternalClose() override;
    TTableIndex* CurrentIndex() const override { return FCurrentIndex; }
    void LogChange() override;
    void CheckFieldCanBeKey(TField* Field) const override;

private:
    void SelectIndex();
    TTableIndex& RequireIndex() const;
    void SetKeyFields(std::initializer_list<Variant> KeyValues);
    int EffectiveKeyCount() const;
    std::vector<TTableIndexDef> MergedIndexDefs(const std::vector<TTableIndexDef>& FromFile) const;

    TTableData FTable;
    std::unique_ptr<TIndexDefs> FIndexDefs;
    TTableIndex* FCurrentIndex = nullptr;
    String FIndexName;
    String FIndexFieldNames;
    String FFileName;
    bool FLogChanges = true;
    int FChangeCount = 0;
    int FKeyFieldCount = 0;
    std::uint64_t FSavedVersion = 0;
    // The file version the table was read from or last wrote, and its name.
    TTableFileVersion FDiskVersion;
    String FDiskVersionOf;
    // The next Open makes an empty table instead of reading FileName.
    bool FCreating = false;
    bool FLoading = false;
};
