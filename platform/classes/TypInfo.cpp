#include "platform/classes/TypInfo.h"

namespace {

[[noreturn]] void UnknownProperty(const String& PropName)
{
    throw EPropertyError(QStringLiteral("Property %1 does not exist").arg(QuotedInput(PropName)));
}

[[noreturn]] void InvalidType(const TPropInfo* PropInfo)
{
    throw EPropertyConvertError(QStringLiteral("Invalid property type: %1")
                                    .arg(PropInfo->PropType ? PropInfo->PropType->Name : PropInfo->Name));
}

[[noreturn]] void ReadOnly()
{
    throw EPropertyError(QStringLiteral("Property is read-only"));
}

[[noreturn]] void InvalidElement(const String& Name)
{
    throw EPropertyConvertError(QStringLiteral("Invalid property element: %1").arg(QuotedInput(Name)));
}

const TPropInfo* Require(const TObject* Instance, const String& PropName)
{
    const TPropInfo* P = GetPropInfo(Instance, PropName);
    if (P == nullptr)
        UnknownProperty(PropName);
    return P;
}

// Whether Value lies within a sub-range type (always, for other types).
bool InSubrange(const TTypeInfo* TypeInfo, std::int64_t Value)
{
    return TypeInfo->BaseType == nullptr || (Value >= TypeInfo->MinValue && Value <= TypeInfo->MaxValue);
}

bool IsOrdinal(TTypeKind Kind)
{
    return Kind == tkInteger || Kind == tkInt64 || Kind == tkChar || Kind == tkWChar || Kind == tkEnumeration
        || Kind == tkSet;
}

} // namespace

namespace QvTypInfo {

void WrongInstance(const String& PropName)
{
    throw EPropertyError(QStringLiteral("Property %1 does not belong to this object").arg(QuotedInput(PropName)));
}

QStringList SplitEnumNames(const char* Text)
{
    QStringList Names;
    for (const QString& Part : QString::fromLatin1(Text).split(QLatin1Char(',')))
        Names.append(Part.trimmed());
    return Names;
}

} // namespace QvTypInfo

const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName)
{
    TClass C = ClassOfObject(Instance);
    return C ? C->FindProp(PropName) : nullptr;
}

const TPropInfo* GetPropInfo(TClass AClass, const String& PropName)
{
    return AClass ? AClass->FindProp(PropName) : nullptr;
}

std::vector<const TPropInfo*> GetPropList(const TObject* Instance)
{
    TClass C = ClassOfObject(Instance);
    return C ? C->Props() : std::vector<const TPropInfo*>();
}

bool IsPublishedProp(const TObject* Instance, const String& PropName)
{
    return GetPropInfo(Instance, PropName) != nullptr;
}

bool PropIsType(const TObject* Instance, const String& PropName, TTypeKind TypeKind)
{
    return PropType(Instance, PropName) == TypeKind;
}

TTypeKind PropType(const TObject* Instance, const String& PropName)
{
    return Require(Instance, PropName)->Kind();
}

bool IsStoredProp(TObject* Instance, const TPropInfo* PropInfo)
{
    return PropInfo != nullptr && PropInfo->IsStored(Instance);
}

std::int64_t GetOrdProp(TObject* Instance, const TPropInfo* PropInfo)
{
    if (PropInfo->Kind() == tkClass)
        return std::int64_t(reinterpret_cast<std::intptr_t>(GetObjectProp(Instance, PropInfo)));
    if (!PropInfo->GetOrd)
        InvalidType(PropInfo);
    return PropInfo->GetOrd(Instance);
}

std::int64_t GetOrdProp(TObject* Instance, const String& PropName)
{
    return GetOrdProp(Instance, Require(Instance, PropName));
}

void SetOrdProp(TObject* Instance, const TPropInfo* PropInfo, std::int64_t Value)
{
    if (!IsOrdinal(PropInfo->Kind()) || !PropInfo->GetOrd)
        InvalidType(PropInfo);
    if (!PropInfo->SetOrd)
        ReadOnly();
    PropInfo->SetOrd(Instance, Value);
}

void SetOrdProp(TObject* Instance, const String& PropName, std::int64_t Value)
{
    SetOrdProp(Instance, Require(Instance, PropName), Value);
}

String GetEnumProp(TObject* Instance, const String& PropName)
{
    const TPropInfo* P = Require(Instance, PropName);
    if (P->Kind() != tkEnumeration)
        InvalidType(P);
    return GetEnumName(P->PropType, GetOrdProp(Instance, P));
}

void SetEnumProp(TObject* Instance, const String& PropName, const String& Value)
{
    const TPropInfo* P = Require(Instance, PropName);
    if (P->Kind() != tkEnumeration)
        InvalidType(P);
    const int Ord = GetEnumValue(P->PropType, Value);
    if (Ord < 0)
        InvalidElement(Value);
    SetOrdProp(Instance, P, Ord);
}

String GetSetProp(TObject* Instance, const String& PropName, bool Brackets)
{
    const TPropInfo* P = Require(Instance, PropName);
    if (P->Kind() != tkSet)
        InvalidType(P);
    return SetToString(P->PropType, GetOrdProp(Instance, P), Brackets);
}

void SetSetProp(TObject* Instance, const String& PropName, const String& Value)
{
    const TPropInfo* P = Require(Instance, PropName);
    if (P->Kind() != tkSet)
        InvalidType(P);
    SetOrdProp(Instance, P, StringToSet(P->PropType, Value));
}

String GetStrProp(TObject* Instance, const TPropInfo* PropInfo)
{
    if (!PropInfo->GetStr)
        InvalidType(PropInfo);
    return PropInfo->GetStr(Instance);
}

String GetStrProp(TObject* Instance, const String& PropName)
{
    return GetStrProp(Instance, Require(Instance, PropName));
}

void SetStrProp(TObject* Instance, const TPropInfo* PropInfo, const String& Value)
{
    if (!PropInfo->GetStr)
        InvalidType(PropInfo);
    if (!PropInfo->SetStr)
        ReadOnly();
    PropInfo->SetStr(Instance, Value);
}

void SetStrProp(TObject* Instance, const String& PropName, const String& Value)
{
    SetStrProp(Instance, Require(Instance, PropName), Value);
}

double GetFloatProp(TObject* Instance, const TPropInfo* PropInfo)
{
    if (!PropInfo->GetFloat)
        InvalidType(PropInfo);
    return PropInfo->GetFloat(Instance);
}

double GetFloatProp(TObject* Instance, const String& PropName)
{
    return GetFloatProp(Instance, Require(Instance, PropName));
}

void SetFloatProp(TObject* Instance, const TPropInfo* PropInfo, double Value)
{
    if (!PropInfo->GetFloat)
        InvalidType(PropInfo);
    if (!PropInfo->SetFloat)
        ReadOnly();
    PropInfo->SetFloat(Instance, Value);
}

void SetFloatProp(TObject* Instance, const String& PropName, double Value)
{
    SetFloatProp(Instance, Require(Instance, PropName), Value);
}

TObject* GetObjectProp(TObject* Instance, const TPropInfo* PropInfo, TClass MinClass)
{
    if (!PropInfo->GetObject)
        InvalidType(PropInfo);
    TObject* Result = PropInfo->GetObject(Instance);
    if (Result != nullptr && MinClass != nullptr && !MinClass->IsInstance(Result))
        return nullptr;
    return Result;
}

TObject* GetObjectProp(TObject* Instance, const String& PropName, TClass MinClass)
{
    return GetObjectProp(Instance, Require(Instance, PropName), MinClass);
}

void SetObjectProp(TObject* Instance, const String& PropName, TObject* Value)
{
    const TPropInfo* P = Require(Instance, PropName);
    if (!P->GetObject)
        InvalidType(P);
    if (!P->SetObject)
        ReadOnly();
    if (!P->SetObject(Instance, Value))
        throw EPropertyConvertError(QStringLiteral("Invalid property value"));
}

std::any GetMethodProp(TObject* Instance, const String& PropName)
{
    const TPropInfo* P = Require(Instance, PropName);
    if (!P->GetMethod)
        InvalidType(P);
    return P->GetMethod(Instance);
}

void SetMethodProp(TObject* Instance, const String& PropName, const std::any& Value)
{
    const TPropInfo* P = Require(Instance, PropName);
    if (!P->GetMethod)
        InvalidType(P);
    if (!P->SetMethod)
        ReadOnly();
    if (!P->SetMethod(Instance, Value))
        throw EPropertyConvertError(QStringLiteral("Invalid property value"));
}

String GetEnumName(const TTypeInfo* TypeInfo, std::int64_t Value)
{
    if (TypeInfo == nullptr || Value < 0 || Value >= TypeInfo->Names().size() || !InSubrange(TypeInfo, Value))
        return String();
    return TypeInfo->Names().at(int(Value));
}

int GetEnumValue(const TTypeInfo* TypeInfo, const String& Name)
{
    if (TypeInfo == nullptr)
        return -1;
    const String Trimmed = Name.trimmed();
    const QStringList& Names = TypeInfo->Names();
    for (int I = 0; I < Names.size(); ++I)
        if (Names.at(I).compare(Trimmed, Qt::CaseInsensitive) == 0)
            return InSubrange(TypeInfo, I) ? I : -1;
    return -1;
}

String SetToString(const TTypeInfo* SetType, std::int64_t Value, bool Brackets)
{
    const TTypeInfo* Comp = SetType ? SetType->CompType : nullptr;
    QStringList Names;
    const auto Bits = std::uint64_t(Value);
    for (int I = 0; I < 64; ++I) {
        if ((Bits & (std::uint64_t(1) << I)) == 0)
            continue;
        const String Name = GetEnumName(Comp, I);
        Names.append(Name.isEmpty() ? QString::number(I) : Name);
    }
    const String Inner = Names.join(QLatin1Char(','));
    return Brackets ? QLatin1Char('[') + Inner + QLatin1Char(']') : Inner;
}

std::int64_t StringToSet(const TTypeInfo* SetType, const String& Value)
{
    const TTypeInfo* Comp = SetType ? SetType->CompType : nullptr;
    String Text = Value.trimmed();
    if (Text.startsWith(QLatin1Char('[')) && Text.endsWith(QLatin1Char(']')))
        Text = Text.mid(1, Text.size() - 2);
    std::uint64_t Bits = 0;
    for (const QString& Part : Text.split(QLatin1Char(','))) {
        const String Name = Part.trimmed();
        if (Name.isEmpty())
            continue;
        const int Ord = GetEnumValue(Comp, Name);
        if (Ord < 0 || Ord >= 64)
            InvalidElement(Name);
        Bits |= std::uint64_t(1) << Ord;
    }
    return std::int64_t(Bits);
}

bool IdentToInt(const TTypeInfo* IntType, const String& Ident, std::int64_t& Int)
{
    return IntType && IntType->IdentToInt && IntType->IdentToInt(Ident, Int);
}

bool IntToIdent(const TTypeInfo* IntType, std::int64_t Int, String& Ident)
{
    return IntType && IntType->IntToIdent && IntType->IntToIdent(Int, Ident);
}

void RegisterIntegerConsts(const TTypeInfo* IntType, TIdentToInt ToInt, TIntToIdent ToIdent)
{
    auto* Type = const_cast<TTypeInfo*>(IntType);
    if (Type->Kind == tkEnumeration && Type->EnumNames.isEmpty()) {
        // An enum used as a plain integer with names for some values.
        Type->Kind = tkInteger;
        Type->MinValue = std::numeric_limits<std::int32_t>::min();
        Type->MaxValue = std::numeric_limits<std::int32_t>::max();
    }
    Type->IdentToInt = std::move(ToInt);
    Type->IntToIdent = std::move(ToIdent);
}

void RegisterIntegerConsts(const TTypeInfo* IntType, std::initializer_list<TIdentMapEntry> Map)
{
    auto Entries = std::make_shared<std::vector<TIdentMapEntry>>(Map);
    RegisterIntegerConsts(
        IntType,
        [Entries](const String& Ident, std::int64_t& Int) {
            for (const TIdentMapEntry& E : *Entries)
                if (Ident.compare(QLatin1String(E.Name), Qt::CaseInsensitive) == 0) {
                    Int = E.Value;
                    return true;
                }
            return false;
        },
        [Entries](std::int64_t Int, String& Ident) {
            for (const TIdentMapEntry& E : *Entries)
                if (E.Value == Int) {
                    Ident = QLatin1String(E.Name);
                    return true;
                }
            return false;
        });
}

void RegisterEnumNames(const TTypeInfo* EnumType, const String& TypeName, const QStringList& Names)
{
    auto* Type = const_cast<TTypeInfo*>(EnumType);
    Type->Kind = tkEnumeration;
    Type->Name = TypeName;
    Type->EnumNames = Names;
    Type->MinValue = 0;
    Type->MaxValue = Names.size() - 1;
}
