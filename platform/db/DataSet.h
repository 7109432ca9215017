#pragma once
// TDataSet: the cursor over a table with the classic states, navigation,
// editing, bookmarks, searching, filtering and the notification of data
// sources.  The records themselves live in a TTableData that the descendant
// (TClientDataSet) provides; this class does everything that does not
// depend on where the table came from.
#include "platform/classes/Component.h"
#include "platform/db/Field.h"
#include "platform/db/FieldDefs.h"
#include "platform/db/FilterExpr.h"
#include "platform/db/TableData.h"

#include <memory>

class TDataSource;

enum TDataSetState {
    dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter, dsNewValue,
    dsOldValue, dsCurValue, dsBlockRead, dsInternalCalc, dsOpening
};

enum TDataEvent {
    deFieldChange, deRecordChange, deDataSetChange, deDataSetScroll, deLayoutChange,
    deUpdateRecord, deUpdateState, deCheckBrowseMode, dePropertyChange, deFieldListChange,
    deFocusControl, deParentScroll, deConnectChange, deReconcileError, deDisabledStateChange
};

enum TLocateOption { loCaseInsensitive, loPartialKey };
using TLocateOptions = TSet<TLocateOption>;

enum TGetMode { gmCurrent, gmNext, gmPrior };

// A bookmark is the record's id: valid across index and filter changes for
// as long as the record exists.  -1 is no bookmark.
using TBookmark = std::int64_t;
inline constexpr TBookmark NoBookmark = -1;

using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TFilterRecordEvent = std::function<void(TDataSet* DataSet, bool& Accept)>;

class TDataSet : public TComponent {
public:
    using TRecordId = TTableData::TRecordId;

    explicit TDataSet(TComponent* AOwner);
    ~TDataSet() override;

    // --- opening ---
    bool Active() const { return FState != dsInactive; }
    void SetActive(bool Value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return FState; }
    bool Modified() const { return FModified; }

    // --- fields ---
    TFieldDefs* FieldDefs() const { return FFieldDefs.get(); }
    void SetFieldDefs(TFieldDefs* Value) { FFieldDefs->Assign(Value); }
    TFields* Fields() const { return FFields.get(); }
    int FieldCount() const { return FFields->Count(); }
    TField* FindField(const String& FieldName) const { return FFields->FindField(FieldName); }
    TField* FieldByName(const String& FieldName) const { return FFields->FieldByName(FieldName); }
    // Fields the data set made itself because none were persistent.
    bool DefaultFields() const { return FDefaultFields; }

    // --- navigation ---
    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    int MoveBy(int Distance);
    bool Bof() const { return FBof; }
    bool Eof() const { return FEof; }
    // 1-based position in the current order (filter applied); -1 while
    // inserting, 0 when there is no record.  While a link reads another
    // row of its window, the position of that row's record.
    int RecNo() const;
    void SetRecNo(int Value);
    int RecordCount() const;
    bool IsEmpty() const;

    // --- editing ---
    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    void CheckBrowseMode();
    void UpdateRecord();
    bool CanModify() const { return Active() && !FReadOnly; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }

    // --- bookmarks ---
    TBookmark GetBookmark() const;
    void GotoBookmark(TBookmark Bookmark);
    void FreeBookmark(TBookmark& Bookmark) { Bookmark = NoBookmark; }
    bool BookmarkValid(TBookmark Bookmark) const;
    // <0, 0, >0 by position in the current order; -1 or 1 for no bookmark.
    int CompareBookmarks(TBookmark Bookmark1, TBookmark Bookmark2) const;
    TBookmark Bookmark() const { return GetBookmark(); }
    void SetBookmark(TBookmark Value) { GotoBookmark(Value); }

    // --- searching ---
    // KeyFields "A;B"; KeyValues one value or an array (VarArrayOf) of one
    // per field.  Moves to the first match in the current order.
    bool Locate(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options = {});
    // The ResultFields value(s) of the first match (Null when none); does not move.
    Variant Lookup(const String& KeyFields, const Variant& KeyValues, const String& ResultFields);

    // --- filtering ---
    String Filter() const { return FFilterText; }
    void SetFilter(const String& Value);
    bool Filtered() const { return FFiltered; }
    void SetFiltered(bool Value);
    TFilterOptions FilterOptions() const { return FFilterOptions; }
    void SetFilterOptions(TFilterOptions Value);

    // --- controls ---
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return FDisableCount > 0; }
    // Runs Event through the data set and its data sources.
    void DataEvent(TDataEvent Event, std::intptr_t Info = 0);
    void Resync();

    // --- events ---
    DECLARE_EVENT(TDataSetNotifyEvent, BeforeOpen)
    DECLARE_EVENT(TDataSetNotifyEvent, AfterOpen)
    DECLARE_EVENT(TDataSetNotifyEvent, BeforeClose)
    DECLARE_EVENT(TDataSetNotifyEvent, AfterClose)
    DECLARE_EVENT(TDataSetNotifyEvent, BeforeInsert)
    DECLARE_EVENT(TDataSetNotifyEvent, AfterInsert)
    DECLARE_EVENT(TDataSetNotifyEvent, BeforeEdit)
    DECLARE_EVENT(TDataSetNotifyEvent, AfterEdit)
    DECLARE_EVENT(TDataSetNotifyEvent, BeforePost)
    DECLARE_EVENT(TDataSetNotifyEvent, AfterPost)
    DECLARE_EVENT(TDataSetNotifyEvent, BeforeCancel)
    DECLARE_EVENT(TDataSetNotifyEvent, AfterCancel)
    DECLARE_EVENT(TDataSetNotifyEvent, BeforeDelete)
    DECLARE_EVENT(TDataSetNotifyEvent, AfterDelete)
    DECLARE_EVENT(TDataSetNotifyEvent, BeforeScroll)
    DECLARE_EVENT(TDataSetNotifyEvent, AfterScroll)
    DECLARE_EVENT(TDataSetNotifyEvent, OnNewRecord)
    DECLARE_EVENT(TDataSetNotifyEvent, OnCalcFields)
    TFilterRecordEvent OnFilterRecord() const { return FOnFilterRecord; }
    void SetOnFilterRecord(const TFilterRecordEvent& Value);

    // --- the record window of data links (grids show several rows) ---
    // Number of record buffers, the largest BufferCount of the links.
    int BufferCount() const { return FBufferCount; }
    // Row of the current record within the window, and the number of rows
    // that hold a record.  Links set ActiveRecord while they read a row.
    int ActiveRecord() const { return FActiveRecord; }
    void SetActiveRecord(int Value) { FActiveRecord = Value; }
    int BufferRecordCount() const;

    // --- for fields ---
    // The stored bytes of the active record (nullptr: none) and their layout.
    const std::uint8_t* ActiveBuffer() const;
    const TRecordLayout* Layout() const { return FTable && FTable->Defined() ? &FTable->Layout() : nullptr; }
    TTableData* Table() const { return FTable; }

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

protected:
    // The descendant hands over its table (opened or created).
    virtual void InternalOpen() = 0;
    virtual void InternalClose() {}
    // Called after Close's events; a descendant may write its file first and
    // raise, which keeps the data set open.
    virtual void BeforeInternalClose() {}
    // The current sort order; nullptr for the natural order.
    virtual TTableIndex* CurrentIndex() const { return nullptr; }
    // The descendant changed the sort order: keep the current record.
    void OrderChanged();
    // A record was posted or deleted (for the change log).
    virtual void LogChange() {}
    virtual void PostKeyBuffer() {}
    void SetTable(TTableData* Table) { FTable = Table; }
    void SetState(TDataSetState Value);
    void CheckActive() const;
    void CheckInactive() const;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    // Key buffer (dsSetKey): fields write into it; the descendant searches.
    std::vector<std::uint8_t>& KeyBuffer() { return FKeyBuffer; }
    void BeginKeyEdit(bool Clear);
    // Moves to position Pos of the current view with the scroll events.
    void GotoPosition(int Pos);
    // The records in the current order with the filter applied.
    const TRecordIdList& View() const;
    // View() of a filtered data set: the records of Base that pass.
    const TRecordIdList& FilteredView(const TRecordIdList& Base) const;
    int CurrentPosition() const { return FCurPos; }
    // Position of a record in View(), -1 when the view does not hold it.
    int PositionInView(TRecordId Id) const;
    // Raises when Field is not part of the key being searched.
    virtual void CheckFieldCanBeKey(TField* Field) const { (void)Field; }

private:
    friend class TField;
    friend class TDataSource;
    friend class TDataLink;

    void RemoveDataSource(TDataSource* Source);

    void DoOpen();
    void DoClose();
    void CreateFields();
    void BindFields();
    void DestroyDefaultFields();
    void DoEvent(const TDataSetNotifyEvent& Event) { if (Event) Event(this); }
    void BeginInsertAppend(bool Append);
    bool RecordFilterAccepts(TRecordId Id) const;
    void PrepareFilter();
    void InvalidateView() { FViewValid = false; }
    // After the order or the records changed: find the current record again.
    void SyncCursor();
    // Position in View() of the record the active row shows (not the one
    // being edited or inserted); -1 for none.
    int ActiveRowPosition() const;
    int ActiveRowPosition(const TRecordIdList& V) const
    {
        const int CurRow = FCurPos - FFirstPos;
        int Pos = FFirstPos + FActiveRecord;
        // Below a record being inserted the rows show the records one up.
        if (FState == dsInsert && FActiveRecord > CurRow)
            --Pos;
        return Pos >= 0 && Pos < int(V.size()) ? Pos : -1;
    }
    // Brings the record Distance further on into the cache.
    void PrefetchNext(int Distance) const;
    // Keeps the current position within the window; returns rows scrolled.
    int AdjustWindow();
    void UpdateBufferCount();
    void WriteField(TField* Field,
                    const std::function<void(std::vector<std::uint8_t>&, const TRecordLayout&, int)>& Write);
    bool MatchesKeys(const std::vector<TField*>& Fields, const Variant& KeyValues, TLocateOptions Options) const;
    std::int64_t FindFirstMatch(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options) const;

    TTableData* FTable = nullptr;
    std::unique_ptr<TFieldDefs> FFieldDefs;
    std::unique_ptr<TFields> FFields;
    std::vector<TDataSource*> FDataSources;
    TDataSetState FState = dsInactive;
    bool FDefaultFields = false;
    bool FModified = false;
    bool FReadOnly = false;
    bool FBof = true;
    bool FEof = true;
    // Cursor: the current record and its position in View().
    std::int64_t FCurId = -1;
    int FCurPos = -1;
    // Window of data-link rows: View() positions FFirstPos ...
    int FFirstPos = 0;
    int FActiveRecord = 0;
    int FBufferCount = 1;
    std::vector<std::uint8_t> FEditBuffer;
    std::vector<std::uint8_t> FKeyBuffer;
    std::vector<std::uint8_t> FSavedKeyBuffer;
    std::int64_t FInsertBefore = -1;
    bool FStreamedActive = false;
    TDataSetState FSavedState = dsInactive;
    mutable const std::uint8_t* FOverrideRec = nullptr;
    int FDisableCount = 0;
    TDataSetState FDisableState = dsInactive;
    TDataEvent FEnableEvent = deDataSetChange;

    String FFilterText;
    bool FFiltered = false;
    TFilterOptions FFilterOptions;
    std::unique_ptr<TFilterExpr> FFilterExpr;
    TEventSlot<TFilterRecordEvent> FOnFilterRecord;
    mutable TRecordIdList FFilteredView;
    mutable bool FViewValid = false;
    mutable std::uint64_t FViewVersion = 0;
    mutable const void* FViewOrder = nullptr;
};
