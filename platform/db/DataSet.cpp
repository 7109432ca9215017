#include "platform/db/DataSet.h"

#include "platform/classes/TypInfo.h"
#include "platform/db/DataLink.h"
#include "platform/db/Fields.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

REGISTER_ENUM(TFilterOption, foCaseInsensitive, foNoPartialCompare)

REGISTER_COMPONENT(TDataSet, TComponent)
END_REGISTER

namespace {

// Points the fields at another record for the length of a scope.
class TOverrideGuard {
public:
    TOverrideGuard(const std::uint8_t*& Slot, const std::uint8_t* Rec) : FSlot(Slot), FSaved(Slot) { Slot = Rec; }
    ~TOverrideGuard() { FSlot = FSaved; }
    TOverrideGuard(const TOverrideGuard&) = delete;
    TOverrideGuard& operator=(const TOverrideGuard&) = delete;

private:
    const std::uint8_t*& FSlot;
    const std::uint8_t* FSaved;
};

bool IsTextType(TFieldType T)
{
    return StorageKindOf(T) == skText;
}

}  // namespace

TDataSet::TDataSet(TComponent* AOwner)
    : TComponent(AOwner), FFieldDefs(std::make_unique<TFieldDefs>(this)), FFields(std::make_unique<TFields>(this))
{
}

TDataSet::~TDataSet()
{
    // Data sources and persistent fields may outlive this object; cut them
    // loose before the members they would call back into are gone.
    for (TDataSource* DS : std::vector<TDataSource*>(FDataSources))
        DS->DataSetGone();
    FDataSources.clear();
    FState = dsInactive;
    DestroyDefaultFields();
    for (TField* F : std::vector<TField*>(FFields->FList)) {
        F->FDataSet = nullptr;
        F->FFieldNo = 0;
    }
    FFields->FList.clear();
}

void TDataSet::Loaded()
{
    TComponent::Loaded();
    if (FStreamedActive) {
        FStreamedActive = false;
        SetActive(true);
    }
}

void TDataSet::CheckActive() const
{
    if (FState == dsInactive)
        DatabaseError(QString::fromLatin1(DBConsts::SDataSetClosed));
}

void TDataSet::CheckInactive() const
{
    if (FState != dsInactive)
        DatabaseError(QString::fromLatin1(DBConsts::SDataSetOpen));
}

// --- opening and closing -----------------------------------------------------

void TDataSet::SetActive(bool Value)
{
    if (ComponentState().Contains(csLoading)) {
        FStreamedActive = Value;
        return;
    }
    if (Value == Active())
        return;
    if (Value)
        DoOpen();
    else
        DoClose();
}

void TDataSet::DoOpen()
{
    DoEvent(FBeforeOpen);
    try {
        InternalOpen();
        if (FFields->Count() == 0)
            CreateFields();
        BindFields();
        FFilterExpr.reset();
        if (FFiltered)
            PrepareFilter();
    } catch (...) {
        for (TField* F : FFields->FList)
            F->FFieldNo = 0;
        DestroyDefaultFields();
        FFilterExpr.reset();
        InternalClose();
        FTable = nullptr;
        throw;
    }
    InvalidateView();
    FModified = false;
    FCurId = -1;
    FCurPos = 0;
    FFirstPos = 0;
    FActiveRecord = 0;
    FState = dsBrowse;
    SyncCursor();
    FBof = true;
    FEof = View().empty();
    // State change first, so links become active and read the first record.
    const TDataSetState Saved = FState;
    FState = dsInactive;
    SetState(Saved);
    DoEvent(FAfterOpen);
    if (!IsEmpty())
        DoEvent(FAfterScroll);
}

void TDataSet::DoClose()
{
    DoEvent(FBeforeClose);
    if (FState == dsEdit || FState == dsInsert || FState == dsSetKey) {
        // Unposted changes go, as they always did on Close.
        FEditBuffer.clear();
        FState = dsBrowse;
        SyncCursor();
    }
    // May write a file and raise: then the data set simply stays open.
    BeforeInternalClose();
    SetState(dsInactive);
    for (TField* F : FFields->FList)
        F->FFieldNo = 0;
    DestroyDefaultFields();
    FFilterExpr.reset();
    FFilteredView.clear();
    InternalClose();
    FTable = nullptr;
    FCurId = -1;
    FCurPos = -1;
    FBof = FEof = true;
    DoEvent(FAfterClose);
}

void TDataSet::CreateFields()
{
    // Marked first, so that a type without a field class half way through
    // leaves no fields behind that a later Open would take for persistent.
    FDefaultFields = true;
    for (int I = 0; I < FFieldDefs->Count(); ++I) {
        const TFieldDef* Def = FFieldDefs->Items(I);
        TField* F = CreateFieldForType(Def->DataType(), this);
        if (!F)
            DatabaseErrorFmt(DBConsts::SUnsupportedFieldType, Def->Name());
        F->FFieldName = Def->Name();
        F->FDataType = Def->DataType();
        if (IsTextType(Def->DataType()))
            F->FSize = Def->DataType() == ftMemo || Def->DataType() == ftFmtMemo ? 0 : Def->Size();
        F->FRequired = Def->Required();
        F->FDataSet = this;
        FFields->Add(F);
    }
}

void TDataSet::DestroyDefaultFields()
{
    if (!FDefaultFields)
        return;
    FDefaultFields = false;
    for (TField* F : std::vector<TField*>(FFields->FList)) {
        if (F->Owner() == this) {
            FFields->Remove(F);
            F->FDataSet = nullptr;
            delete F;
        }
    }
}

void TDataSet::BindFields()
{
    for (TField* F : FFields->FList) {
        F->FFieldNo = 0;
        if (F->FFieldKind != fkData)
            continue;
        const int No = FTable->FieldNo(F->FFieldName);
        if (No < 0)
            DatabaseErrorFmt(DBConsts::SFieldNotFound, F->DisplayName());
        const TFieldType Stored = FTable->Fields()[std::size_t(No)].DataType;
        if (StorageKindOf(Stored) != StorageKindOf(F->FDataType)
            || (Stored != F->FDataType && !(IsTextType(Stored) && IsTextType(F->FDataType))
                && !(StorageKindOf(Stored) == skInt32)))
            throw EDatabaseError(
                Format(QString::fromLatin1(DBConsts::SFieldTypeMismatch),
                       {QuotedInput(F->DisplayName()), FieldTypeName(F->FDataType), FieldTypeName(Stored)}));
        F->FFieldNo = No + 1;
    }
}

void TDataSet::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    for (TField* F : FFields->FList)
        if (F->Owner() == Root)
            Proc(F);
}

void TDataSet::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove)
        if (auto* DS = dynamic_cast<TDataSource*>(AComponent))
            RemoveDataSource(DS);
}

void TDataSet::RemoveDataSource(TDataSource* Source)
{
    FDataSources.erase(std::remove(FDataSources.begin(), FDataSources.end(), Source), FDataSources.end());
    UpdateBufferCount();
}

// --- state and notification ------------------------------------------------

void TDataSet::SetState(TDataSetState Value)
{
    if (!AssignIfChanged(FState, Value))
        return;
    FModified = false;
    DataEvent(deUpdateState);
}

void TDataSet::DataEvent(TDataEvent Event, std::intptr_t Info)
{
    if (Event == deFieldChange) {
        auto* F = reinterpret_cast<TField*>(Info);
        if (F && (F->FFieldKind == fkData || F->FFieldKind == fkInternalCalc))
            FModified = true;
    }
    if (FDisableCount == 0) {
        for (TDataSource* DS : std::vector<TDataSource*>(FDataSources))
            DS->DataEvent(Event, Info);
    } else if ((Event == deUpdateState && FState == dsInactive) || Event == deLayoutChange) {
        FEnableEvent = deLayoutChange;
    }
}

void TDataSet::DisableControls()
{
    if (FDisableCount == 0) {
        FDisableState = FState;
        FEnableEvent = deDataSetChange;
    }
    ++FDisableCount;
}

void TDataSet::EnableControls()
{
    if (FDisableCount == 0)
        return;
    if (--FDisableCount > 0)
        return;
    if (FDisableState != FState)
        DataEvent(deUpdateState);
    if (FDisableState != dsInactive && FState != dsInactive)
        DataEvent(FEnableEvent);
}

void TDataSet::UpdateBufferCount()
{
    int Count = 1;
    for (TDataSource* DS : FDataSources)
        for (TDataLink* L : DS->FDataLinks)
            Count = std::max(Count, L->BufferCount());
    if (Count == FBufferCount)
        return;
    FBufferCount = Count;
    if (Active()) {
        AdjustWindow();
        DataEvent(deDataSetChange);
    }
}

int TDataSet::BufferRecordCount() const
{
    if (!Active())
        return 0;
    int N = int(View().size()) - FFirstPos;
    if (FState == dsInsert)
        ++N;
    return std::clamp(N, 0, FBufferCount);
}

// --- the view and the cursor ---------------------------------------------------

namespace {

const TRecordIdList NoRecords;

} // namespace

const TRecordIdList& TDataSet::View() const
{
    // Every field read asks for the view: without a filter it is short.
    if (!FTable)
        return NoRecords;
    const TTableIndex* Index = CurrentIndex();
    const TRecordIdList& Base = Index ? Index->Order() : FTable->NaturalOrder();
    if (!FFiltered || (!FFilterExpr && !FOnFilterRecord))
        return Base;
    return FilteredView(Base);
}

const TRecordIdList& TDataSet::FilteredView(const TRecordIdList& Base) const
{
    if (!FViewValid || FViewVersion != FTable->Version() || FViewOrder != &Base) {
        FFilteredView.clear();
        for (TRecordId Id : Base)
            if (RecordFilterAccepts(Id))
                FFilteredView.push_back(Id);
        FViewValid = true;
        FViewVersion = FTable->Version();
        FViewOrder = &Base;
    }
    return FFilteredView;
}

bool TDataSet::RecordFilterAccepts(TRecordId Id) const
{
    const std::uint8_t* Rec = FTable->Record(Id);
    if (!Rec)
        return false;
    bool Accept = true;
    if (FFilterExpr) {
        const TRecordLayout& L = FTable->Layout();
        const auto& Defs = FTable->Fields();
        Accept = FFilterExpr->Evaluate([&](int Col) -> TFilterValue {
            if (L.IsNull(Rec, Col))
                return TFilterValue::Null();
            switch (L.Kind(Col)) {
            case skInt32: return TFilterValue::FromInteger(L.Int32(Rec, Col));
            case skInt64: return TFilterValue::FromInteger(L.Int64(Rec, Col));
            case skBool: return TFilterValue::FromBoolean(L.Bool(Rec, Col));
            case skDouble: {
                const TFieldType T = Defs[std::size_t(Col)].DataType;
                const double V = L.Double(Rec, Col);
                return T == ftDate || T == ftTime || T == ftDateTime ? TFilterValue::FromDateTime(V)
                                                                     : TFilterValue::FromFloat(V);
            }
            case skText: return TFilterValue::FromUtf8(L.Utf8(Rec, Col));
            case skNone: break;
            }
            return TFilterValue::Null();
        });
    }
    if (Accept && FOnFilterRecord) {
        auto* Self = const_cast<TDataSet*>(this);
        TOverrideGuard Guard(FOverrideRec, Rec);
        const TDataSetState Saved = FState;
        Self->FState = dsFilter;
        try {
            FOnFilterRecord(Self, Accept);
        } catch (...) {
            Self->FState = Saved;
            throw;
        }
        Self->FState = Saved;
    }
    return Accept;
}

void TDataSet::PrepareFilter()
{
    if (FFilterText.trimmed().isEmpty()) {
        FFilterExpr.reset();
        return;
    }
    const TTableData* Table = FTable;
    auto Resolve = [Table](const String& Name) -> TFilterField {
        TFilterField F;
        F.Index = Table->FieldNo(Name);
        if (F.Index >= 0)
            F.DataType = Table->Fields()[std::size_t(F.Index)].DataType;
        return F;
    };
    auto Expr = std::make_unique<TFilterExpr>(FFilterText, Resolve, FFilterOptions);
    FFilterExpr = std::move(Expr);
    InvalidateView();
}

int TDataSet::PositionInView(TRecordId Id) const
{
    const std::uint8_t* Rec = FTable ? FTable->Record(Id) : nullptr;
    if (!Rec)
        return -1;
    const TRecordIdList& V = View();
    if (&V == &FFilteredView)
        return int(V.find(Id));
    if (const TTableIndex* Index = CurrentIndex())
        return Index->PositionOf(FTable->Store(), Id, Rec);
    return FTable->NaturalPosition(Id);
}

void TDataSet::SyncCursor()
{
    const TRecordIdList& V = View();
    if (V.empty()) {
        FCurPos = -1;
        FCurId = -1;
        FFirstPos = 0;
        FActiveRecord = 0;
        FBof = FEof = true;
        return;
    }
    int P = FCurId >= 0 ? PositionInView(TRecordId(FCurId)) : -1;
    if (P < 0)
        P = std::clamp(FCurPos, 0, int(V.size()) - 1);
    FCurPos = P;
    FCurId = V[std::size_t(P)];
    AdjustWindow();
}

int TDataSet::AdjustWindow()
{
    const int N = int(View().size());
    const int Old = FFirstPos;
    if (FCurPos < 0) {
        FFirstPos = 0;
        FActiveRecord = 0;
        return -Old;
    }
    const int Lo = std::max(0, FCurPos - FBufferCount + 1);
    const int Hi = std::min(FCurPos, std::max(0, N - FBufferCount));
    FFirstPos = std::clamp(FCurPos - FActiveRecord, Lo, std::max(Lo, Hi));
    FActiveRecord = FCurPos - FFirstPos;
    return FFirstPos - Old;
}

void TDataSet::OrderChanged()
{
    if (!Active())
        return;
    InvalidateView();
    SyncCursor();
    FBof = FEof = View().empty();
    DataEvent(deDataSetChange);
}

void TDataSet::Resync()
{
    CheckActive();
    SyncCursor();
    DataEvent(deDataSetChange);
}

const std::uint8_t* TDataSet::ActiveBuffer() const
{
    if (FOverrideRec)
        return FOverrideRec;
    // Every field read comes here: browsing goes straight to the row's
    // record, the view looked up once.
    if (FState != dsBrowse) {
        if (FState == dsInactive)
            return nullptr;
        if (FState == dsSetKey)
            return FKeyBuffer.empty() ? nullptr : FKeyBuffer.data();
        if ((FState == dsEdit || FState == dsInsert) && FActiveRecord == FCurPos - FFirstPos)
            return FEditBuffer.data();
    }
    const TRecordIdList& V = View();
    const int Pos = ActiveRowPosition(V);
    return Pos < 0 ? nullptr : FTable->Record(V[std::size_t(Pos)]);
}

int TDataSet::ActiveRowPosition() const
{
    return ActiveRowPosition(View());
}

// --- navigation ----------------------------------------------------------------

void TDataSet::First()
{
    CheckBrowseMode();
    DoEvent(FBeforeScroll);
    const int N = int(View().size());
    FCurPos = N > 0 ? 0 : -1;
    FCurId = N > 0 ? View().front() : -1;
    FFirstPos = 0;
    FActiveRecord = 0;
    FBof = true;
    FEof = N == 0;
    DataEvent(deDataSetChange);
    DoEvent(FAfterScroll);
}

void TDataSet::Last()
{
    CheckBrowseMode();
    DoEvent(FBeforeScroll);
    const int N = int(View().size());
    FCurPos = N - 1;
    FCurId = N > 0 ? View().back() : -1;
    FFirstPos = std::max(0, N - FBufferCount);
    FActiveRecord = std::max(0, FCurPos - FFirstPos);
    FEof = true;
    FBof = N == 0;
    DataEvent(deDataSetChange);
    DoEvent(FAfterScroll);
}

int TDataSet::MoveBy(int Distance)
{
    CheckBrowseMode();
    if (Distance == 0 || (Distance > 0 && FEof) || (Distance < 0 && FBof))
        return 0;
    FBof = FEof = false;
    DoEvent(FBeforeScroll);
    const int N = int(View().size());
    if (N == 0) {
        FBof = FEof = true;
        DataEvent(deDataSetChange);
        DoEvent(FAfterScroll);
        return 0;
    }
    long long Target = (long long)FCurPos + Distance;
    if (Target >= N) {
        Target = N - 1;
        FEof = true;
    }
    if (Target < 0) {
        Target = 0;
        FBof = true;
    }
    const int Moved = int(Target) - FCurPos;
    FCurPos = int(Target);
    FCurId = View()[std::size_t(FCurPos)];
    PrefetchNext(Distance);
    // The window follows the cursor only as far as it has to.
    const int OldFirst = FFirstPos;
    if (FCurPos < FFirstPos)
        FFirstPos = FCurPos;
    else if (FCurPos > FFirstPos + FBufferCount - 1)
        FFirstPos = FCurPos - FBufferCount + 1;
    FActiveRecord = FCurPos - FFirstPos;
    DataEvent(deDataSetScroll, -(FFirstPos - OldFirst));
    DoEvent(FAfterScroll);
    return Moved;
}

void TDataSet::PrefetchNext(int Distance) const
{
    // In a sort order the records lie anywhere in memory: a loop over all
    // of them (a report, an export) would wait for every record's bytes.
    // The next record in the same direction is asked for now, so it is in
    // the cache by the time the loop gets there.
    constexpr int RecordBytes = 320;
    const TRecordIdList& V = View();
    const long long Next = (long long)FCurPos + Distance, AfterNext = Next + Distance;
    const auto Inside = [&V](long long Pos) { return Pos >= 0 && Pos < (long long)V.size(); };
    if (Inside(Next))
        FTable->Store().PrefetchRecord(V[std::size_t(Next)], RecordBytes);
    if (Inside(AfterNext))
        FTable->Store().PrefetchPlace(V[std::size_t(AfterNext)]);
}

int TDataSet::RecNo() const
{
    if (!Active())
        return 0;
    // While a link reads another row of its window (a grid drawing its
    // rows), the number is that row's record's.
    if (FCurPos >= 0 && FActiveRecord != FCurPos - FFirstPos && FOverrideRec == nullptr
        && (FState == dsBrowse || FState == dsEdit || FState == dsInsert))
        return ActiveRowPosition() + 1;
    if (FState == dsInsert)
        return -1;
    return FCurPos < 0 ? 0 : FCurPos + 1;
}

void TDataSet::SetRecNo(int Value)
{
    CheckBrowseMode();
    const int N = int(View().size());
    if (N == 0)
        return;
    const int Pos = std::clamp(Value, 1, N) - 1;
    if (Pos != FCurPos)
        GotoPosition(Pos);
}

int TDataSet::RecordCount() const
{
    return Active() ? int(View().size()) : 0;
}

bool TDataSet::IsEmpty() const
{
    return !Active() || (FState != dsInsert && View().empty());
}

// --- editing ---------------------------------------------------------------------

void TDataSet::BeginInsertAppend(bool Append)
{
    CheckBrowseMode();
    if (!CanModify())
        DatabaseError(QString::fromLatin1(DBConsts::SDataSetReadOnly));
    DoEvent(FBeforeInsert);
    DoEvent(FBeforeScroll);
    const int N = int(View().size());
    FEditBuffer = FTable->Layout().EmptyRecord();
    if (Append || N == 0) {
        FInsertBefore = -1;
        FCurPos = N;
        FFirstPos = std::max(0, N + 1 - FBufferCount);
        FActiveRecord = FCurPos - FFirstPos;
        FEof = true;
    } else {
        FInsertBefore = FCurId;
    }
    FState = dsInsert;
    FModified = false;
    DataEvent(deUpdateState);
    try {
        DoEvent(FOnNewRecord);
    } catch (...) {
        FEditBuffer.clear();
        FState = dsBrowse;
        SyncCursor();
        DataEvent(deUpdateState);
        DataEvent(deDataSetChange);
        throw;
    }
    FModified = false;
    DataEvent(deDataSetChange);
    DoEvent(FAfterInsert);
    DoEvent(FAfterScroll);
}

void TDataSet::Insert()
{
    BeginInsertAppend(false);
}

void TDataSet::Append()
{
    BeginInsertAppend(true);
}

void TDataSet::Edit()
{
    if (FState == dsEdit || FState == dsInsert)
        return;
    CheckActive();
    if (View().empty()) {
        Insert();
        return;
    }
    CheckBrowseMode();
    if (!CanModify())
        DatabaseError(QString::fromLatin1(DBConsts::SDataSetReadOnly));
    DoEvent(FBeforeEdit);
    const std::uint8_t* Rec = FTable->Record(TRecordId(FCurId));
    FEditBuffer.assign(Rec, Rec + TRecordLayout::Length(Rec));
    SetState(dsEdit);
    DataEvent(deRecordChange);
    DoEvent(FAfterEdit);
}

void TDataSet::UpdateRecord()
{
    if (FState != dsEdit && FState != dsInsert && FState != dsSetKey)
        DatabaseError(QString::fromLatin1(DBConsts::SNotEditing));
    DataEvent(deUpdateRecord);
}

void TDataSet::Post()
{
    UpdateRecord();
    if (FState == dsSetKey) {
        PostKeyBuffer();
        SetState(dsBrowse);
        return;
    }
    DataEvent(deCheckBrowseMode);
    // Anything raised from here on leaves the record in edit state with
    // what was typed, so the user can correct it.
    DoEvent(FBeforePost);
    for (TField* F : FFields->FList)
        if (F->FFieldKind == fkData && F->FRequired && F->FFieldNo > 0 && F->IsNull())
            DatabaseErrorFmt(DBConsts::SFieldRequired, F->DisplayName());
    if (FState == dsInsert)
        FCurId = FTable->Append(FEditBuffer, FInsertBefore);
    else
        FTable->Modify(TRecordId(FCurId), FEditBuffer);
    FEditBuffer.clear();
    FInsertBefore = -1;
    FState = dsBrowse;
    InvalidateView();
    SyncCursor();
    FBof = FEof = false;
    FModified = false;
    DataEvent(deUpdateState);
    DataEvent(deDataSetChange);
    LogChange();
    DoEvent(FAfterPost);
}

void TDataSet::Cancel()
{
    if (FState == dsSetKey) {
        FKeyBuffer = FSavedKeyBuffer;
        SetState(dsBrowse);
        DataEvent(deDataSetChange);
        return;
    }
    if (FState != dsEdit && FState != dsInsert)
        return;
    DataEvent(deCheckBrowseMode);
    DoEvent(FBeforeCancel);
    FEditBuffer.clear();
    FInsertBefore = -1;
    FState = dsBrowse;
    SyncCursor();
    FBof = FEof = View().empty();
    FModified = false;
    DataEvent(deUpdateState);
    DataEvent(deDataSetChange);
    DoEvent(FAfterCancel);
}

void TDataSet::Delete()
{
    CheckActive();
    if (FState == dsInsert || FState == dsSetKey) {
        Cancel();
        return;
    }
    if (View().empty())
        DatabaseError(QString::fromLatin1(DBConsts::SDataSetEmpty));
    if (!CanModify())
        DatabaseError(QString::fromLatin1(DBConsts::SDataSetReadOnly));
    DataEvent(deCheckBrowseMode);
    DoEvent(FBeforeDelete);
    DoEvent(FBeforeScroll);
    FTable->Delete(TRecordId(FCurId));
    FEditBuffer.clear();
    FCurId = -1;
    const TDataSetState Old = FState;
    FState = dsBrowse;
    InvalidateView();
    SyncCursor();
    FBof = FEof = View().empty();
    if (Old != dsBrowse)
        DataEvent(deUpdateState);
    DataEvent(deDataSetChange);
    LogChange();
    DoEvent(FAfterDelete);
    DoEvent(FAfterScroll);
}

void TDataSet::CheckBrowseMode()
{
    CheckActive();
    DataEvent(deCheckBrowseMode);
    switch (FState) {
    case dsEdit:
    case dsInsert:
        UpdateRecord();
        if (FModified)
            Post();
        else
            Cancel();
        break;
    case dsSetKey:
        Post();
        break;
    default:
        break;
    }
}

void TDataSet::WriteField(TField* Field,
                          const std::function<void(std::vector<std::uint8_t>&, const TRecordLayout&, int)>& Write)
{
    std::vector<std::uint8_t>* Buffer = nullptr;
    switch (FState) {
    case dsEdit:
    case dsInsert:
        Buffer = &FEditBuffer;
        break;
    case dsSetKey:
        CheckFieldCanBeKey(Field);
        Buffer = &FKeyBuffer;
        break;
    default:
        DatabaseError(QString::fromLatin1(DBConsts::SNotEditing));
    }
    if (Field->FFieldNo <= 0)
        DatabaseErrorFmt(DBConsts::SFieldNotFound, Field->DisplayName());
    if (FState != dsSetKey && (Field->FReadOnly || Field->FFieldKind != fkData))
        DatabaseErrorFmt(DBConsts::SFieldReadOnly, Field->DisplayName());
    std::vector<std::uint8_t> Changed = *Buffer;
    Write(Changed, FTable->Layout(), Field->FFieldNo - 1);
    if (Field->FOnValidate && FState != dsSetKey) {
        // The handler sees the new value and may refuse it by raising.
        TOverrideGuard Guard(FOverrideRec, Changed.data());
        Field->FOnValidate(Field);
    }
    Buffer->swap(Changed);
    if (FState == dsSetKey) {
        DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(Field));
        return;
    }
    if (Field->FOnChange)
        Field->FOnChange(Field);
    DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(Field));
}

void TDataSet::BeginKeyEdit(bool Clear)
{
    CheckBrowseMode();
    if (Clear || FKeyBuffer.empty())
        FKeyBuffer = FTable->Layout().EmptyRecord();
    FSavedKeyBuffer = FKeyBuffer;
    SetState(dsSetKey);
    DataEvent(deDataSetChange);
}

void TDataSet::GotoPosition(int Pos)
{
    DoEvent(FBeforeScroll);
    FCurPos = Pos;
    FCurId = View()[std::size_t(Pos)];
    FBof = FEof = false;
    AdjustWindow();
    DataEvent(deDataSetChange);
    DoEvent(FAfterScroll);
}

// --- bookmarks -------------------------------------------------------------------

TBookmark TDataSet::GetBookmark() const
{
    if (!Active() || FState == dsInsert || FCurId < 0)
        return NoBookmark;
    return FCurId;
}

bool TDataSet::BookmarkValid(TBookmark Bookmark) const
{
    return Active() && Bookmark >= 0 && Bookmark <= 0xFFFFFFFFLL && PositionInView(TRecordId(Bookmark)) >= 0;
}

void TDataSet::GotoBookmark(TBookmark Bookmark)
{
    CheckBrowseMode();
    const int Pos = Bookmark >= 0 && Bookmark <= 0xFFFFFFFFLL ? PositionInView(TRecordId(Bookmark)) : -1;
    if (Pos < 0)
        DatabaseError(QString::fromLatin1(DBConsts::SBookmarkNotFound));
    GotoPosition(Pos);
}

int TDataSet::CompareBookmarks(TBookmark Bookmark1, TBookmark Bookmark2) const
{
    if (Bookmark1 == Bookmark2)
        return 0;
    if (Bookmark1 < 0)
        return -1;
    if (Bookmark2 < 0)
        return 1;
    const int P1 = PositionInView(TRecordId(Bookmark1));
    const int P2 = PositionInView(TRecordId(Bookmark2));
    return P1 < P2 ? -1 : P1 > P2 ? 1 : 0;
}

// --- searching -----------------------------------------------------------------

bool TDataSet::MatchesKeys(const std::vector<TField*>& KeyFields, const Variant& KeyValues,
                           TLocateOptions Options) const
{
    for (std::size_t I = 0; I < KeyFields.size(); ++I) {
        TField* F = KeyFields[I];
        const Variant& Key = KeyValues.IsArray() ? KeyValues[int(I)] : KeyValues;
        if (Key.IsNull() || Key.IsEmpty()) {
            if (!F->IsNull())
                return false;
            continue;
        }
        if (IsTextType(F->DataType())) {
            const String S = F->AsString();
            const String K = Key.AsString();
            const Qt::CaseSensitivity CS = Options.Contains(loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
            if (Options.Contains(loPartialKey) ? !S.startsWith(K, CS) : S.compare(K, CS) != 0)
                return false;
            continue;
        }
        if (F->IsNull())
            return false;
        try {
            if (Variant::Compare(F->AsVariant(), Key) != 0)
                return false;
        } catch (const Exception&) {
            return false;
        }
    }
    return true;
}

std::int64_t TDataSet::FindFirstMatch(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options) const
{
    std::vector<TField*> Fields;
    for (const QString& Name : KeyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        Fields.push_back(FieldByName(Name.trimmed()));
    if (Fields.empty())
        DatabaseErrorFmt(DBConsts::SFieldNotFound, KeyFields);
    if (KeyValues.IsArray() && KeyValues.ArrayCount() < int(Fields.size()))
        DatabaseError(QStringLiteral("Too few key values for '%1'").arg(QuotedInput(KeyFields)));
    const TRecordIdList& V = View();
    for (std::size_t P = 0; P < V.size(); ++P) {
        TOverrideGuard Guard(FOverrideRec, FTable->Record(V[P]));
        if (MatchesKeys(Fields, KeyValues, Options))
            return std::int64_t(P);
    }
    return -1;
}

bool TDataSet::Locate(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options)
{
    CheckBrowseMode();
    const std::int64_t Pos = FindFirstMatch(KeyFields, KeyValues, Options);
    if (Pos < 0)
        return false;
    GotoPosition(int(Pos));
    return true;
}

Variant TDataSet::Lookup(const String& KeyFields, const Variant& KeyValues, const String& ResultFields)
{
    CheckBrowseMode();
    const std::int64_t Pos = FindFirstMatch(KeyFields, KeyValues, {});
    if (Pos < 0)
        return Null();
    TOverrideGuard Guard(FOverrideRec, FTable->Record(View()[std::size_t(Pos)]));
    const QStringList Names = ResultFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (Names.size() == 1)
        return FieldByName(Names[0].trimmed())->AsVariant();
    QList<Variant> Values;
    for (const QString& Name : Names)
        Values << FieldByName(Name.trimmed())->AsVariant();
    return Variant::FromArray(Values);
}

// --- filtering -------------------------------------------------------------------

void TDataSet::SetFilter(const String& Value)
{
    if (Value == FFilterText)
        return;
    if (Active() && FFiltered) {
        CheckBrowseMode();
        const String Old = FFilterText;
        FFilterText = Value;
        try {
            PrepareFilter();
        } catch (...) {
            FFilterText = Old;
            throw;
        }
        First();
        return;
    }
    FFilterText = Value;
}

void TDataSet::SetFiltered(bool Value)
{
    if (Value == FFiltered)
        return;
    if (Active()) {
        CheckBrowseMode();
        if (Value)
            PrepareFilter();
        FFiltered = Value;
        InvalidateView();
        First();
        return;
    }
    FFiltered = Value;
}

void TDataSet::SetFilterOptions(TFilterOptions Value)
{
    if (Value == FFilterOptions)
        return;
    FFilterOptions = Value;
    if (Active() && FFiltered) {
        CheckBrowseMode();
        PrepareFilter();
        First();
    }
}

void TDataSet::SetOnFilterRecord(const TFilterRecordEvent& Value)
{
    FOnFilterRecord = Value;
    if (Active() && FFiltered) {
        InvalidateView();
        First();
    }
}
