#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Fixups.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/StringList.h"

#include <limits>

namespace {

// A failure inside one property, not yet placed: the reader adds the
// source, line and property path before it leaves.
class EReadPropError : public EReadError {
public:
    using EReadError::EReadError;
};

// A failure that already names source and line; passes outer handlers
// unchanged.
class EPlacedReadError : public EReadError {
public:
    using EReadError::EReadError;
};

[[noreturn]] void InvalidValue()
{
    throw EReadPropError(QStringLiteral("Invalid property value"));
}

bool IsIntType(TValueType T)
{
    return T == vaInt8 || T == vaInt16 || T == vaInt32 || T == vaInt64;
}

bool IsStringType(TValueType T)
{
    return T == vaString || T == vaLString || T == vaWString || T == vaUTF8String;
}

bool IsFloatType(TValueType T)
{
    return T == vaExtended || T == vaSingle || T == vaCurrency || T == vaDate || T == vaDouble;
}

// --- property values by kind: the value the text gives, or "Invalid
// property value" ---

std::int64_t IntegerValue(const TTypeInfo* Type, const TFormValue& Value)
{
    std::int64_t V = 0;
    if (IsIntType(Value.Type))
        V = Value.Int;
    else if (Value.Type != vaIdent || !IdentToInt(Type, Value.Str, V))
        InvalidValue();
    // 32-bit values written as unsigned hex ($FF000000) wrap as in the
    // classic reader; anything else out of range is refused.
    if (Type->MaxValue == std::numeric_limits<std::int32_t>::max() && Type->MinValue < 0 && V > Type->MaxValue
        && V <= std::int64_t(std::numeric_limits<std::uint32_t>::max()))
        V = std::int32_t(std::uint32_t(V));
    if (V < Type->MinValue || V > Type->MaxValue)
        InvalidValue();
    return V;
}

std::int64_t CharValue(const TFormValue& Value)
{
    if (IsStringType(Value.Type) && Value.Str.size() == 1)
        return Value.Str.at(0).unicode();
    if (IsIntType(Value.Type) && Value.Int >= 0 && Value.Int <= 0xFFFF)
        return Value.Int;
    InvalidValue();
}

std::int64_t EnumValue(const TTypeInfo* Type, const TFormValue& Value)
{
    std::int64_t V = -1;
    if (Value.Type == vaTrue || Value.Type == vaFalse) {
        if (Type->EnumNames.size() == 2 && Type->EnumNames.at(0) == QLatin1String("False"))
            V = Value.Type == vaTrue ? 1 : 0;
    } else if (Value.Type == vaIdent) {
        V = GetEnumValue(Type, Value.Str);
    } else if (IsIntType(Value.Type) && Type->Names().isEmpty()) {
        // An enumeration nobody named: its ordinal (within a sub-range).
        const bool InRange = Type->BaseType == nullptr || (Value.Int >= Type->MinValue && Value.Int <= Type->MaxValue);
        V = InRange ? Value.Int : -1;
    }
    if (V < 0)
        InvalidValue();
    return V;
}

std::int64_t SetValue(const TTypeInfo* Type, const TFormValue& Value)
{
    if (Value.Type != vaSet)
        InvalidValue();
    std::uint64_t Bits = 0;
    for (const String& Name : Value.SetItems) {
        const int Ord = GetEnumValue(Type->CompType, Name);
        if (Ord < 0 || Ord >= 64)
            InvalidValue();
        Bits |= std::uint64_t(1) << Ord;
    }
    return std::int64_t(Bits);
}

double FloatValue(const TFormValue& Value)
{
    if (IsFloatType(Value.Type))
        return Value.Float;
    if (IsIntType(Value.Type))
        return double(Value.Int);
    InvalidValue();
}

const String& StringValue(const TFormValue& Value)
{
    if (!IsStringType(Value.Type))
        InvalidValue();
    return Value.Str;
}

// Hands a value to the property's setter of its kind.
template <typename S, typename V>
void Store(const S& Setter, TObject* Instance, const V& Value)
{
    if (!Setter)
        throw EReadPropError(QStringLiteral("Property is read-only"));
    Setter(Instance, Value);
}

String InstanceName(TObject* Instance)
{
    if (auto* P = dynamic_cast<TPersistent*>(Instance))
        return QuotedInput(P->GetNamePath());
    return Instance ? Instance->ClassName() : String();
}

} // namespace

TReader::TReader(const QByteArray& Text, const String& SourceName)
    : FTree(ParseFormText(Text, SourceName)), FSourceName(SourceName),
      FFreeListener(std::make_unique<TFreeListener>([this](TObject* Instance) { ForgetObject(Instance); }))
{
}

TReader::~TReader() = default;

String TReader::ErrorText(const String& Message, int Line) const
{
    return QStringLiteral("%1(%2): %3").arg(FSourceName).arg(Line).arg(Message);
}

void TReader::Error(const String& Message) const
{
    Error(Message, Line());
}

void TReader::Error(const String& Message, int Line) const
{
    throw EPlacedReadError(ErrorText(Message, Line));
}

int TReader::Line() const
{
    if (!FCursors.empty()) {
        const TCursor& C = FCursors.back();
        if (C.Pos < C.Items->size())
            return (*C.Items)[C.Pos].Line;
    }
    return FValueLine;
}

TComponentClass TReader::FindComponentClass(const String& ClassName, int Line)
{
    TComponentClass Result = GetClass(ClassName);
    if (Result == nullptr && OnFindComponentClass)
        OnFindComponentClass(*this, ClassName, Result);
    if (Result == nullptr)
        Error(QStringLiteral("Class %1 not found").arg(QuotedInput(ClassName)), Line);
    if (!Result->CanCreateComponent())
        Error(QStringLiteral("Class %1 is not a component class").arg(QuotedInput(ClassName)), Line);
    return Result;
}

TComponent* TReader::ReadRootComponent(TComponent* Root)
{
    const bool Created = Root == nullptr;
    if (Created) {
        TComponentClass Class = FindComponentClass(FTree.ClassName, FTree.Line);
        // The text is the class's definition: build the bare object and
        // read it here rather than through AfterConstruction.
        Root = Class->NewComponent(nullptr);
    }
    FRoot = Root;
    FOwner = Root;
    FParent = Root;
    FLoaded.clear();
    FFixups.clear();
    Root->IncludeState(csLoading);
    Root->IncludeState(csReading);
    try {
        if (!FTree.Name.isEmpty() && Root->Name().compare(FTree.Name, Qt::CaseInsensitive) != 0) {
            // Another root of that name exists already (a second instance of
            // a form): classic unique naming.
            String Name = FTree.Name;
            for (int I = 1; FindGlobalComponent(Name) != nullptr && FindGlobalComponent(Name) != Root; ++I)
                Name = FTree.Name + QStringLiteral("_%1").arg(I);
            try {
                Root->SetName(Name);
            } catch (const EComponentError& E) {
                Error(E.Message(), FTree.Line);
            }
        }
        FLoaded.push_back(Root);
        FCurrentObject = &FTree;
        Root->ReadState(*this);
        Root->ExcludeState(csReading);
        ResolveFixups(Root);
        CheckFieldsBound(Root);
        RunLoaded();
    } catch (...) {
        for (TComponent* C : FLoaded) {
            if (C == nullptr)
                continue;
            C->ExcludeState(csReading);
            C->ExcludeState(csLoading);
        }
        Root->ExcludeState(csReading);
        Root->ExcludeState(csLoading);
        FLoaded.clear();
        FFixups.clear();
        if (Created)
            Root->Free();
        throw;
    }
    FLoaded.clear();
    return Root;
}

void TReader::ResolveFixups(TComponent* Root)
{
    // By index: a setter may free objects, which then drop out (ForgetObject).
    for (std::size_t I = 0; I < FFixups.size(); ++I) {
        const TFixup F = FFixups[I];
        if (F.Instance == nullptr)
            continue;
        TComponent* Found = nullptr;
        switch (ResolveReference(Root, F.Name, Found)) {
        case rrResolved:
            if (!F.PropInfo->SetObject(F.Instance, Found))
                Error(QStringLiteral("Error reading %1.%2: Invalid property value")
                          .arg(InstanceName(F.Instance), F.PropInfo->Name),
                      F.Line);
            break;
        case rrNoRoot:
            Error(QStringLiteral("Error reading %1.%2: Unresolved reference '%3': there is no form or data module %4")
                      .arg(InstanceName(F.Instance), F.PropInfo->Name, QuotedInput(F.Name),
                           QuotedInput(F.Name.section(QLatin1Char('.'), 0, 0))),
                  F.Line);
        case rrMissing:
            Error(QStringLiteral("Error reading %1.%2: Unresolved reference '%3'")
                      .arg(InstanceName(F.Instance), F.PropInfo->Name, QuotedInput(F.Name)),
                  F.Line);
        }
    }
    FFixups.clear();
}

void TReader::RunLoaded()
{
    // By index, skipping the gone: Loaded may free a component read earlier.
    for (std::size_t I = 0; I < FLoaded.size(); ++I) {
        if (TComponent* C = FLoaded[I]) {
            C->Loaded();
            if (FLoaded[I] == C)
                C->ExcludeState(csLoading);
        }
    }
}

void TReader::ForgetObject(TObject* Instance)
{
    for (TFixup& F : FFixups)
        if (F.Instance == Instance || F.Holder == Instance)
            F.Instance = nullptr;
    for (TComponent*& C : FLoaded)
        if (static_cast<TObject*>(C) == Instance)
            C = nullptr;
}

void TReader::CheckFieldsBound(TComponent* Root) const
{
    // The fields of the class this text defines: an ancestor's definition,
    // read first into a descendant, binds only the ancestor's fields.
    TClass RootClass = ClassOfObject(Root);
    TClass Defined = GetClass(FTree.ClassName);
    if (Defined == nullptr || RootClass == nullptr || !RootClass->InheritsFrom(Defined))
        Defined = RootClass;
    if (Defined == nullptr)
        return;
    for (const TFieldInfo* Field : Defined->Fields())
        if (Field->Get(Root) == nullptr)
            Error(QStringLiteral("Component %1 is missing from the definition of %2")
                      .arg(Field->Name, Defined->ClassName()),
                  FTree.Line);
}

void TReader::ReadData(TComponent* Instance)
{
    const TFormObject* Obj = FCurrentObject;
    if (Obj == nullptr)
        return;
    ReadProperties(Instance, Obj->Properties);
    if (FIgnoreChildren)
        return;
    TComponent* SavedOwner = FOwner;
    TComponent* SavedParent = FParent;
    FParent = Instance->GetChildParent();
    TComponent* ChildOwner = Instance->GetChildOwner();
    FOwner = ChildOwner != nullptr ? ChildOwner : FRoot;
    try {
        for (const TFormObject& Child : Obj->Children)
            ReadComponent(Child);
    } catch (...) {
        FOwner = SavedOwner;
        FParent = SavedParent;
        FCurrentObject = Obj;
        throw;
    }
    FOwner = SavedOwner;
    FParent = SavedParent;
    FCurrentObject = Obj;
}

TComponent* TReader::ReadComponent(const TFormObject& Obj)
{
    TComponent* Result = nullptr;
    if (Obj.Kind == fokInherited) {
        Result = FOwner != nullptr ? FOwner->FindComponent(Obj.Name) : nullptr;
        if (Result == nullptr)
            Error(QStringLiteral("Ancestor for '%1' not found").arg(QuotedInput(Obj.Name)), Obj.Line);
    } else {
        TComponentClass Class = FindComponentClass(Obj.ClassName, Obj.Line);
        try {
            Result = Class->CreateComponent(FOwner);
        } catch (const EPlacedReadError&) {
            throw;
        } catch (const Exception& E) {
            // A class that cannot be made here (a designed module without
            // its definition, say): the error belongs to this object.
            Error(E.Message(), Obj.Line);
        }
        try {
            Result->IncludeState(csLoading);
            Result->IncludeState(csReading);
            if (Obj.Kind == fokInline)
                Result->SetInline(true);
            if (!Obj.Name.isEmpty())
                Result->SetName(Obj.Name);
        } catch (const Exception& E) {
            Result->Free();
            Error(E.Message(), Obj.Line);
        }
    }
    Result->IncludeState(csLoading);
    Result->IncludeState(csReading);
    FLoaded.push_back(Result);
    if (FParent != nullptr && FParent != Result)
        Result->SetParentComponent(FParent);
    FCurrentObject = &Obj;
    Result->ReadState(*this);
    Result->ExcludeState(csReading);
    if (Obj.Position >= 0 && FParent != nullptr)
        FParent->SetChildOrder(Result, Obj.Position);
    return Result;
}

bool TReader::HandleError(const String& Message)
{
    if (!OnError)
        return false;
    bool Handled = false;
    OnError(*this, Message, Handled);
    return Handled;
}

void TReader::ReadProperties(TObject* Instance, const std::vector<TFormProperty>& Properties)
{
    TObject* const SavedHolder = FHolder;
    FHolder = Instance;
    try {
        ReadPropertyList(Instance, Properties);
    } catch (...) {
        FHolder = SavedHolder;
        throw;
    }
    FHolder = SavedHolder;
}

void TReader::ReadPropertyList(TObject* Instance, const std::vector<TFormProperty>& Properties)
{
    for (const TFormProperty& Prop : Properties) {
        String Message;
        try {
            ReadProperty(Instance, Prop);
            continue;
        } catch (const EReadPropError& E) {
            Message = E.Message();
        } catch (const EPlacedReadError&) {
            // Already placed (a nested object or collection item).
            throw;
        } catch (const Exception& E) {
            Message = E.Message();
        }
        const String Text = ErrorText(
            QStringLiteral("Error reading %1.%2: %3").arg(InstanceName(Instance), QuotedInput(Prop.Name), Message),
            FValueLine > 0 ? FValueLine : Prop.Line);
        FCursors.clear();
        if (!HandleError(Text))
            throw EPlacedReadError(Text);
    }
}

void TReader::ReadProperty(TObject* Instance, const TFormProperty& Prop)
{
    FValueLine = Prop.Line;
    FPropPath = Prop.Name;
    const QStringList Parts = Prop.Name.split(QLatin1Char('.'));
    TObject* Obj = Instance;
    for (int I = 0; I + 1 < Parts.size(); ++I) {
        const TPropInfo* Info = GetPropInfo(Obj, Parts.at(I));
        if (Info == nullptr)
            throw EReadPropError(QStringLiteral("Property %1 does not exist").arg(QuotedInput(Prop.Name)));
        if (Info->Kind() != tkClass || !Info->GetObject)
            throw EReadPropError(QStringLiteral("Invalid property path"));
        Obj = Info->GetObject(Obj);
        if (Obj == nullptr)
            throw EReadPropError(QStringLiteral("Invalid property path"));
    }
    FPropName = Parts.last();
    if (const TPropInfo* Info = GetPropInfo(Obj, FPropName)) {
        ReadPropertyValue(Obj, Info, Prop.Value);
        return;
    }
    if (auto* Strings = dynamic_cast<TStrings*>(Obj);
        Strings != nullptr && FPropName.compare(QLatin1String("Strings"), Qt::CaseInsensitive) == 0) {
        ReadStrings(Strings, Prop.Value);
        return;
    }
    auto* Persistent = dynamic_cast<TPersistent*>(Obj);
    BeginValue(Prop.Value);
    FPropHandled = false;
    if (Persistent != nullptr)
        Persistent->DefineProperties(*this);
    if (!FPropHandled) {
        FCursors.clear();
        throw EReadPropError(QStringLiteral("Property %1 does not exist").arg(QuotedInput(Prop.Name)));
    }
    EndValue();
}

void TReader::ReadPropertyValue(TObject* Instance, const TPropInfo* PropInfo, const TFormValue& Value)
{
    FValueLine = Value.Line;
    const TTypeInfo* Type = PropInfo->PropType;
    switch (PropInfo->Kind()) {
    case tkInteger:
    case tkInt64:
        return Store(PropInfo->SetOrd, Instance, IntegerValue(Type, Value));
    case tkChar:
    case tkWChar:
        return Store(PropInfo->SetOrd, Instance, CharValue(Value));
    case tkEnumeration:
        return Store(PropInfo->SetOrd, Instance, EnumValue(Type, Value));
    case tkSet:
        return Store(PropInfo->SetOrd, Instance, SetValue(Type, Value));
    case tkFloat:
        return Store(PropInfo->SetFloat, Instance, FloatValue(Value));
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
        return Store(PropInfo->SetStr, Instance, StringValue(Value));
    case tkClass:
        return ReadObjectValue(Instance, PropInfo, Value);
    case tkMethod:
        return ReadMethodValue(Instance, PropInfo, Value);
    default:
        InvalidValue();
    }
}

void TReader::ReadObjectValue(TObject* Instance, const TPropInfo* PropInfo, const TFormValue& Value)
{
    if (Value.Type == vaCollection) {
        auto* Collection = dynamic_cast<TCollection*>(PropInfo->GetObject ? PropInfo->GetObject(Instance) : nullptr);
        if (Collection == nullptr)
            InvalidValue();
        const String SavedPath = FPropPath;
        ReadCollectionItems(Collection, Value);
        FPropPath = SavedPath;
        return;
    }
    if (Value.Type == vaNil) {
        if (!PropInfo->SetObject || !PropInfo->SetObject(Instance, nullptr))
            InvalidValue();
        return;
    }
    const TClassInfo* Class = PropInfo->PropType->ClassType;
    if (Value.Type != vaIdent || !PropInfo->SetObject || Class == nullptr || !Class->IsComponentClass())
        InvalidValue();
    // Resolved once the whole tree is read: the component may come later in
    // the text or live in another module.
    FFixups.push_back(TFixup{Instance, FHolder != nullptr ? FHolder : Instance, PropInfo, Value.Str, Value.Line});
}

void TReader::ReadMethodValue(TObject* Instance, const TPropInfo* PropInfo, const TFormValue& Value)
{
    if (Value.Type == vaNil) {
        if (!PropInfo->SetMethod || !PropInfo->SetMethod(Instance, std::any()))
            InvalidValue();
        return;
    }
    if (Value.Type != vaIdent || !PropInfo->SetMethod)
        InvalidValue();
    std::any Handler;
    TClass RootClass = ClassOfObject(FRoot);
    const TMethodInfo* Method = RootClass ? RootClass->FindMethod(Value.Str) : nullptr;
    if (Method != nullptr) {
        Handler = Method->Bind(FRoot);
    } else if (OnFindMethod) {
        bool Failed = true;
        OnFindMethod(*this, Value.Str, Handler, Failed);
        if (Failed)
            Handler.reset();
    }
    if (!Handler.has_value())
        throw EReadPropError(QStringLiteral("Invalid property value: method %1 not found").arg(QuotedInput(Value.Str)));
    if (!PropInfo->SetMethod(Instance, Handler))
        throw EReadPropError(
            QStringLiteral("Invalid property value: method %1 does not fit the event").arg(QuotedInput(Value.Str)));
}

void TReader::ReadStrings(TStrings* Strings, const TFormValue& Value)
{
    if (Value.Type != vaList)
        InvalidValue();
    for (const TFormValue& Item : Value.Items)
        if (!IsStringType(Item.Type)) {
            FValueLine = Item.Line;
            InvalidValue();
        }
    Strings->BeginUpdate();
    try {
        Strings->Clear();
        for (const TFormValue& Item : Value.Items)
            Strings->Add(Item.Str);
    } catch (...) {
        Strings->EndUpdate();
        throw;
    }
    Strings->EndUpdate();
}

void TReader::ReadPropValue(TObject* Instance, const String& PropName)
{
    const TPropInfo* Info = GetPropInfo(Instance, PropName);
    if (Info == nullptr)
        throw EReadPropError(QStringLiteral("Property %1 does not exist").arg(QuotedInput(PropName)));
    const TFormValue& Value = Take();
    ReadPropertyValue(Instance, Info, Value);
}

void TReader::ReadCollection(TCollection* Collection)
{
    const TFormValue& Value = Take();
    if (Value.Type != vaCollection)
        InvalidValue();
    ReadCollectionItems(Collection, Value);
}

void TReader::ReadCollectionItems(TCollection* Collection, const TFormValue& Value)
{
    Collection->BeginUpdate();
    try {
        Collection->Clear();
        for (const TFormCollectionItem& Item : Value.CollectionItems)
            ReadProperties(Collection->Add(), Item.Properties);
    } catch (...) {
        Collection->EndUpdate();
        throw;
    }
    Collection->EndUpdate();
}

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                             bool HasData)
{
    (void)WriteData;
    (void)HasData;
    if (FPropHandled || Name.compare(FPropName, Qt::CaseInsensitive) != 0)
        return;
    FPropHandled = true;
    if (ReadData)
        ReadData(*this);
    else
        SkipValue();
}

void TReader::DefineBinaryProperty(const String& Name, const TBinaryReadProc& ReadData,
                                   const TBinaryWriteProc& WriteData, bool HasData)
{
    (void)WriteData;
    (void)HasData;
    if (FPropHandled || Name.compare(FPropName, Qt::CaseInsensitive) != 0)
        return;
    FPropHandled = true;
    const QByteArray Data = ReadBinary();
    if (ReadData)
        ReadData(Data);
}

// --- value cursor ---------------------------------------------------------------

void TReader::BeginValue(const TFormValue& Value)
{
    FSingle.assign(1, Value);
    FCursors.assign(1, TCursor{&FSingle, 0});
    FValueLine = Value.Line;
}

void TReader::EndValue()
{
    const bool Complete = FCursors.size() == 1 && FCursors.back().Pos == FCursors.back().Items->size();
    FCursors.clear();
    if (!Complete)
        InvalidValue();
}

const TFormValue& TReader::Current() const
{
    if (FCursors.empty() || FCursors.back().Pos >= FCursors.back().Items->size())
        throw EReadPropError(QStringLiteral("Invalid property value: value expected"));
    return (*FCursors.back().Items)[FCursors.back().Pos];
}

const TFormValue& TReader::Take()
{
    const TFormValue& V = Current();
    FValueLine = V.Line;
    ++FCursors.back().Pos;
    return V;
}

TValueType TReader::NextValue() const
{
    if (FCursors.empty() || FCursors.back().Pos >= FCursors.back().Items->size())
        return vaNull;
    return (*FCursors.back().Items)[FCursors.back().Pos].Type;
}

TValueType TReader::ReadValue()
{
    if (FCursors.empty())
        return vaNull;
    if (FCursors.back().Pos >= FCursors.back().Items->size()) {
        if (FCursors.size() > 1)
            FCursors.pop_back();
        return vaNull;
    }
    const TFormValue& V = Take();
    if (V.Type == vaList)
        FCursors.push_back(TCursor{&V.Items, 0});
    return V.Type;
}

void TReader::CheckValue(TValueType Value)
{
    if (ReadValue() != Value)
        InvalidValue();
}

bool TReader::EndOfList() const
{
    return NextValue() == vaNull;
}

void TReader::ReadListBegin()
{
    CheckValue(vaList);
}

void TReader::ReadListEnd()
{
    if (FCursors.size() < 2)
        InvalidValue();
    CheckValue(vaNull);
}

std::int64_t TReader::ReadInt64()
{
    const TFormValue& V = Take();
    if (!IsIntType(V.Type))
        InvalidValue();
    return V.Int;
}

std::int32_t TReader::ReadInteger()
{
    const std::int64_t V = ReadInt64();
    if (V < std::numeric_limits<std::int32_t>::min() || V > std::numeric_limits<std::int32_t>::max())
        InvalidValue();
    return std::int32_t(V);
}

bool TReader::ReadBoolean()
{
    const TFormValue& V = Take();
    if (V.Type != vaTrue && V.Type != vaFalse)
        InvalidValue();
    return V.Type == vaTrue;
}

double TReader::ReadFloat()
{
    const TFormValue& V = Take();
    if (IsFloatType(V.Type))
        return V.Float;
    if (IsIntType(V.Type))
        return double(V.Int);
    InvalidValue();
}

String TReader::ReadString()
{
    const TFormValue& V = Take();
    if (!IsStringType(V.Type))
        InvalidValue();
    return V.Str;
}

QChar TReader::ReadChar()
{
    const String S = ReadString();
    if (S.size() != 1)
        InvalidValue();
    return S.at(0);
}

String TReader::ReadIdent()
{
    const TFormValue& V = Take();
    switch (V.Type) {
    case vaIdent:
        return V.Str;
    case vaFalse:
        return QStringLiteral("False");
    case vaTrue:
        return QStringLiteral("True");
    case vaNil:
        return QStringLiteral("nil");
    default:
        InvalidValue();
    }
}

QByteArray TReader::ReadBinary()
{
    const TFormValue& V = Take();
    if (V.Type != vaBinary)
        InvalidValue();
    return V.Binary;
}

QStringList TReader::ReadSet()
{
    const TFormValue& V = Take();
    if (V.Type != vaSet)
        InvalidValue();
    return V.SetItems;
}

void TReader::SkipValue()
{
    Take();
}

TComponent* ReadComponentFromText(const QByteArray& Text, TComponent* Instance, const String& SourceName)
{
    TReader Reader(Text, SourceName);
    return Reader.ReadRootComponent(Instance);
}
