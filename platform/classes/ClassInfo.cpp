#include "platform/classes/ClassInfo.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Component.h"
#include "platform/rtl/Exceptions.h"

#include <unordered_map>
#include <cxxabi.h>
#include <cstdlib>

namespace {

// Bumped whenever a class gains a property or a parent, so that the merged
// property lists (which depend on the ancestors) are rebuilt.
unsigned Generation = 1;

// The first entry called Name (any case) in the list ListOf gives of Class
// or, failing that, of its nearest ancestor that has one.
template <typename T, typename L>
const T* FindByName(TClass Class, const String& Name, L ListOf)
{
    for (TClass C = Class; C != nullptr; C = C->ClassParent())
        for (const auto& Entry : *ListOf(C))
            if (Entry->Name.compare(Name, Qt::CaseInsensitive) == 0)
                return Entry.get();
    return nullptr;
}

[[noreturn]] void CannotCreate(const String& Name)
{
    throw EComponentError(QStringLiteral("Cannot create an instance of %1").arg(Name));
}

} // namespace

namespace QvTypInfo {

String DemangledName(const std::type_info& Type)
{
    int Status = 0;
    std::unique_ptr<char, void (*)(void*)> Demangled(
        abi::__cxa_demangle(Type.name(), nullptr, nullptr, &Status), std::free);
    return String::fromLatin1(Status == 0 && Demangled ? Demangled.get() : Type.name());
}

void InvalidateAllProps()
{
    ++Generation;
}

} // namespace QvTypInfo

bool TPropInfo::IsReadOnly() const
{
    return !SetOrd && !SetFloat && !SetStr && !SetObject && !SetMethod;
}

bool TPropInfo::IsDefaultValue(TObject* Instance) const
{
    if (!HasDefault)
        return false;
    switch (Kind()) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
        return GetOrd && GetOrd(Instance) == OrdDefault;
    case tkFloat:
        return GetFloat && GetFloat(Instance) == FloatDefault;
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
        return GetStr && GetStr(Instance) == StrDefault;
    case tkClass:
        // Sub-objects (no setter) are never "default" as a whole: the
        // writer looks at their own properties instead.
        return SetObject && GetObject && GetObject(Instance) == nullptr;
    case tkMethod: {
        if (!GetMethod)
            return true;
        const std::any Value = GetMethod(Instance);
        return !Value.has_value();
    }
    default:
        return false;
    }
}

bool TClassInfo::InheritsFrom(TClass Other) const
{
    for (TClass C = this; C != nullptr; C = C->FParent)
        if (C == Other)
            return true;
    return false;
}

TComponent* TClassInfo::CreateComponent(TComponent* AOwner) const
{
    return FinishConstruction(NewComponent(AOwner));
}

TComponent* TClassInfo::NewComponent(TComponent* AOwner) const
{
    if (!FCreateComponent)
        CannotCreate(FName);
    return FCreateComponent(AOwner);
}

TPersistent* TClassInfo::CreateInstance() const
{
    if (!FCreateInstance)
        CannotCreate(FName);
    return FCreateInstance();
}

TCollectionItem* TClassInfo::CreateItem(TCollection* Collection) const
{
    if (!FCreateItem)
        CannotCreate(FName);
    return FCreateItem(Collection);
}

const std::vector<const TPropInfo*>& TClassInfo::Props() const
{
    if (FAllPropsGeneration == Generation)
        return FAllProps;
    FAllProps.clear();
    if (FParent != nullptr)
        FAllProps = FParent->Props();
    for (const auto& Own : FOwnProps) {
        auto Same = std::find_if(FAllProps.begin(), FAllProps.end(), [&](const TPropInfo* P) {
            return P->Name.compare(Own->Name, Qt::CaseInsensitive) == 0;
        });
        if (Own->Unpublished) {
            if (Same != FAllProps.end())
                FAllProps.erase(Same);
        } else if (Same != FAllProps.end()) {
            *Same = Own.get();
        } else {
            FAllProps.push_back(Own.get());
        }
    }
    FAllPropsGeneration = Generation;
    return FAllProps;
}

const TPropInfo* TClassInfo::FindProp(const String& Name) const
{
    for (const TPropInfo* P : Props())
        if (P->Name.compare(Name, Qt::CaseInsensitive) == 0)
            return P;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const String& Name) const
{
    return FindByName<TMethodInfo>(this, Name, [](TClass C) { return &C->FMethods; });
}

String TClassInfo::FindMethodName(const std::any& Handler, TObject* Root) const
{
    if (!Handler.has_value())
        return String();
    for (TClass C = this; C != nullptr; C = C->FParent)
        for (const auto& M : C->FMethods)
            if (M->Matches && M->Matches(Handler, Root))
                return M->Name;
    return String();
}

std::vector<const TFieldInfo*> TClassInfo::Fields() const
{
    std::vector<const TFieldInfo*> Result = FParent != nullptr ? FParent->Fields() : std::vector<const TFieldInfo*>();
    for (const auto& F : FFields)
        Result.push_back(F.get());
    return Result;
}

const TFieldInfo* TClassInfo::FindField(const String& Name) const
{
    return FindByName<TFieldInfo>(this, Name, [](TClass C) { return &C->FFields; });
}

void TClassInfo::SetRegistration(const String& Name, TClass Parent)
{
    FName = Name;
    FParent = Parent;
    FRegistered = true;
    ++Generation;
}

TPropInfo& TClassInfo::AddProp(const String& Name)
{
    auto Prop = std::make_unique<TPropInfo>();
    Prop->Name = Name;
    FOwnProps.push_back(std::move(Prop));
    ++Generation;
    return *FOwnProps.back();
}

TMethodInfo& TClassInfo::AddMethod(const String& Name)
{
    auto Method = std::make_unique<TMethodInfo>();
    Method->Name = Name;
    FMethods.push_back(std::move(Method));
    return *FMethods.back();
}

TFieldInfo& TClassInfo::AddField(const String& Name)
{
    auto Field = std::make_unique<TFieldInfo>();
    Field->Name = Name;
    FFields.push_back(std::move(Field));
    return *FFields.back();
}

TClass ClassOfObject(const TObject* Object)
{
    if (Object == nullptr)
        return nullptr;
    static std::unordered_map<std::type_index, TClass> Cache;
    static unsigned CacheGeneration = 0;
    if (CacheGeneration != Generation) {
        Cache.clear();
        CacheGeneration = Generation;
    }
    const std::type_index Type(typeid(*Object));
    const auto It = Cache.find(Type);
    if (It != Cache.end())
        return It->second;
    TClass Best = nullptr;
    int BestDepth = -1;
    for (TClass C : RegisteredClasses()) {
        if (C->Type() == Type) {
            Best = C;
            break;
        }
        if (!C->IsInstance(Object))
            continue;
        int Depth = 0;
        for (TClass P = C; P != nullptr; P = P->ClassParent())
            ++Depth;
        if (Depth > BestDepth) {
            Best = C;
            BestDepth = Depth;
        }
    }
    Cache.emplace(Type, Best);
    return Best;
}
