#include "platform/db/Field.h"

#include "platform/classes/TypInfo.h"
#include "platform/db/DataSet.h"
#include "platform/db/RecordLayout.h"

REGISTER_ENUM(TFieldKind, fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate)

REGISTER_COMPONENT(TField, TComponent)
    PUBLISHED(Alignment, taLeftJustify)
    PUBLISHED_NODEFAULT_STORED(DisplayLabel, &TField::IsDisplayLabelStored)
    PUBLISHED_NODEFAULT_STORED(DisplayWidth, &TField::IsDisplayWidthStored)
    PUBLISHED(EditMask, String())
    PUBLISHED(FieldKind, fkData)
    PUBLISHED(FieldName, String())
    PUBLISHED(ReadOnly, false)
    PUBLISHED(Required, false)
    PUBLISHED(Visible, true)
    PUBLISHED_EVENT(OnChange)
    PUBLISHED_EVENT(OnGetText)
    PUBLISHED_EVENT(OnSetText)
    PUBLISHED_EVENT(OnValidate)
END_REGISTER

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

TField::~TField()
{
    if (FDataSet) {
        FDataSet->FFields->Remove(this);
        // Controls showing this field let go of it; nothing here may raise.
        try {
            if (FDataSet->Active())
                FDataSet->DataEvent(deFieldListChange, reinterpret_cast<std::intptr_t>(this));
        } catch (...) {
        }
    }
}

void TField::SetDataSet(TDataSet* Value)
{
    if (Value == FDataSet)
        return;
    if (Value && Value->Active())
        DatabaseError(QString::fromLatin1(DBConsts::SDataSetOpen));
    if (FDataSet) {
        if (FDataSet->Active())
            DatabaseError(QString::fromLatin1(DBConsts::SDataSetOpen));
        FDataSet->FFields->Remove(this);
    }
    FDataSet = Value;
    if (FDataSet)
        FDataSet->FFields->Add(this);
}

TComponent* TField::GetParentComponent() const
{
    return FDataSet;
}

void TField::SetParentComponent(TComponent* Value)
{
    if (auto* DS = dynamic_cast<TDataSet*>(Value))
        SetDataSet(DS);
}

void TField::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
}

void TField::SetFieldName(const String& Value)
{
    if (FDataSet && FDataSet->Active())
        DatabaseError(QString::fromLatin1(DBConsts::SDataSetOpen));
    FFieldName = Value;
    if (FDataSet)
        FDataSet->DataEvent(deFieldListChange);
}

void TField::SetSize(int Value)
{
    if (FDataSet && FDataSet->Active())
        DatabaseError(QString::fromLatin1(DBConsts::SDataSetOpen));
    if (Value < 0)
        DatabaseError(QString::fromLatin1(DBConsts::SInvalidFieldSize));
    FSize = Value;
}

int TField::Index() const
{
    return FDataSet ? FDataSet->FFields->IndexOf(const_cast<TField*>(this)) : -1;
}

void TField::SetIndex(int Value)
{
    if (FDataSet) {
        FDataSet->FFields->Move(this, Value);
        FDataSet->DataEvent(deLayoutChange);
    }
}

void TField::SetAlignment(TAlignment Value)
{
    if (!AssignIfChanged(FAlignment, Value))
        return;
    if (FDataSet)
        FDataSet->DataEvent(deLayoutChange);
}

void TField::SetDisplayLabel(const String& Value)
{
    // A label equal to the field name is no label of its own.
    FDisplayLabel = Value == FFieldName ? String() : Value;
    if (FDataSet)
        FDataSet->DataEvent(deLayoutChange);
}

void TField::SetDisplayWidth(int Value)
{
    FDisplayWidth = Value;
    if (FDataSet)
        FDataSet->DataEvent(deLayoutChange);
}

void TField::SetEditMask(const String& Value)
{
    FEditMask = Value;
    if (FDataSet)
        FDataSet->DataEvent(deLayoutChange);
}

void TField::SetReadOnly(bool Value)
{
    if (!AssignIfChanged(FReadOnly, Value))
        return;
    if (FDataSet)
        FDataSet->DataEvent(deLayoutChange);
}

void TField::SetVisible(bool Value)
{
    if (!AssignIfChanged(FVisible, Value))
        return;
    if (FDataSet)
        FDataSet->DataEvent(deLayoutChange);
}

const std::uint8_t* TField::Record() const
{
    if (!FDataSet || FFieldNo <= 0)
        return nullptr;
    return FDataSet->ActiveBuffer();
}

const TRecordLayout& TField::Layout() const
{
    return *FDataSet->Layout();
}

void TField::WriteValue(const std::function<void(std::vector<std::uint8_t>&, const TRecordLayout&, int)>& Write)
{
    if (!FDataSet)
        DatabaseErrorFmt(DBConsts::SFieldNotFound, FFieldName);
    FDataSet->WriteField(this, Write);
}

bool TField::IsNull() const
{
    const std::uint8_t* R = Record();
    return !R || Layout().IsNull(R, Column());
}

void TField::Clear()
{
    WriteValue([](std::vector<std::uint8_t>& R, const TRecordLayout& L, int C) { L.SetNull(R, C); });
}

void TField::AccessError(const char* TypeName) const
{
    DatabaseErrorFmt("Cannot access field '%s' as type %s", DisplayName(), QString::fromLatin1(TypeName));
}

String TField::AsString() const { AccessError("String"); }
void TField::SetAsString(const String&) { AccessError("String"); }
int TField::AsInteger() const { AccessError("Integer"); }
void TField::SetAsInteger(int) { AccessError("Integer"); }
double TField::AsFloat() const { AccessError("Float"); }
void TField::SetAsFloat(double) { AccessError("Float"); }
TDateTime TField::AsDateTime() const { AccessError("DateTime"); }
void TField::SetAsDateTime(TDateTime) { AccessError("DateTime"); }
bool TField::AsBoolean() const { AccessError("Boolean"); }
void TField::SetAsBoolean(bool) { AccessError("Boolean"); }
Variant TField::AsVariant() const { AccessError("Variant"); }

QByteArrayView TField::AsUtf8(QByteArray& Scratch) const
{
    Scratch = AsString().toUtf8();
    return Scratch;
}

namespace {

// Most stored text is ASCII, which is well-formed UTF-8 as it stands; eight
// bytes are looked at at a time.
bool IsAscii(QByteArrayView Text)
{
    const char* P = Text.data();
    qsizetype Left = Text.size();
    for (; Left >= 8; P += 8, Left -= 8) {
        std::uint64_t Word;
        std::memcpy(&Word, P, 8);
        if (Word & 0x8080808080808080ULL)
            return false;
    }
    for (; Left > 0; ++P, --Left)
        if (static_cast<unsigned char>(*P) >= 0x80)
            return false;
    return true;
}

} // namespace

QByteArrayView TField::StoredUtf8(QByteArray& Scratch) const
{
    const std::uint8_t* R = Record();
    if (!R)
        return QByteArrayView();
    const QByteArrayView Stored = Layout().Utf8(R, Column());
    if (IsAscii(Stored) || Stored.isValidUtf8())
        return Stored;
    // What AsString shows for the damaged bytes: each replaced by U+FFFD.
    Scratch = QString::fromUtf8(Stored).toUtf8();
    return Scratch;
}

void TField::SetAsVariant(const Variant& Value)
{
    if (Value.IsNull() || Value.IsEmpty()) {
        Clear();
        return;
    }
    switch (Value.Type()) {
    case varInteger:
    case varInt64:
        SetAsInteger(int(Value.AsInt64()));
        break;
    case varDouble:
        SetAsFloat(Value.AsDouble());
        break;
    case varDate:
        SetAsDateTime(Value.AsDateTime());
        break;
    case varBoolean:
        SetAsBoolean(Value.AsBoolean());
        break;
    default:
        SetAsString(Value.AsString());
        break;
    }
}

void TField::GetText(String& Text, bool DisplayText) const
{
    (void)DisplayText;
    Text = AsString();
}

String TField::Text() const
{
    String S;
    if (FOnGetText)
        FOnGetText(const_cast<TField*>(this), S, false);
    else
        GetText(S, false);
    return S;
}

void TField::SetText(const String& Value)
{
    if (FOnSetText)
        FOnSetText(this, Value);
    else
        DoSetText(Value);
}

String TField::DisplayText() const
{
    String S;
    if (FOnGetText)
        FOnGetText(const_cast<TField*>(this), S, true);
    else
        GetText(S, true);
    return S;
}

bool TField::IsValidChar(QChar Ch) const
{
    (void)Ch;
    return true;
}

bool TField::IsBlob() const
{
    return FDataType >= ftBlob && FDataType <= ftTypedBinary;
}

bool TField::CanModify() const
{
    if (FReadOnly || !FDataSet)
        return false;
    if (FDataSet->State() == dsSetKey)
        return true;
    return FFieldKind == fkData && FDataSet->CanModify();
}

void TField::FocusControl()
{
    if (FDataSet && FDataSet->Active())
        FDataSet->DataEvent(deFocusControl, reinterpret_cast<std::intptr_t>(this));
}

void TField::Assign(TPersistent* Source)
{
    // Assigning nothing empties the field, as callers copying an optional
    // value expect.
    if (Source == nullptr) {
        Clear();
        return;
    }
    if (auto* F = dynamic_cast<TField*>(Source)) {
        if (F->IsNull())
            Clear();
        else
            SetAsVariant(F->AsVariant());
        return;
    }
    TComponent::Assign(Source);
}

// --- TFields ---------------------------------------------------------------

TField* TFields::Fields(int Index) const
{
    if (Index < 0 || Index >= Count())
        DatabaseError(QString::fromLatin1(DBConsts::SFieldIndexError));
    return FList[std::size_t(Index)];
}

TField* TFields::FindField(const String& FieldName) const
{
    for (TField* F : FList)
        if (F->FieldName().compare(FieldName, Qt::CaseInsensitive) == 0)
            return F;
    return nullptr;
}

TField* TFields::FieldByName(const String& FieldName) const
{
    TField* F = FindField(FieldName);
    if (!F)
        DatabaseErrorFmt(DBConsts::SFieldNotFound, FieldName);
    return F;
}

TField* TFields::FieldByNumber(int FieldNo) const
{
    for (TField* F : FList)
        if (F->FieldNo() == FieldNo)
            return F;
    return nullptr;
}

int TFields::IndexOf(TField* Field) const
{
    for (std::size_t I = 0; I < FList.size(); ++I)
        if (FList[I] == Field)
            return int(I);
    return -1;
}

void TFields::Add(TField* Field)
{
    FList.push_back(Field);
}

void TFields::Remove(TField* Field)
{
    const int I = IndexOf(Field);
    if (I >= 0)
        FList.erase(FList.begin() + I);
}

void TFields::Move(TField* Field, int NewIndex)
{
    const int I = IndexOf(Field);
    if (I < 0)
        return;
    NewIndex = std::clamp(NewIndex, 0, Count() - 1);
    FList.erase(FList.begin() + I);
    FList.insert(FList.begin() + NewIndex, Field);
}
