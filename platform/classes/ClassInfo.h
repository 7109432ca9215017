#pragma once
// Run-time type information: what the classic compiler emitted for published
// sections, built here by registration (see TypInfo.h for the macros).
//
// TTypeInfo describes a property type, TPropInfo one published property,
// TMethodInfo one handler method a root publishes for event binding by name,
// TClassInfo one class ("class of" values are const TClassInfo*).  There is
// exactly one TTypeInfo per C++ type and one TClassInfo per C++ class
// (TypeInfoOf<T>(), ClassOf<T>()); registration fills them in, so their
// addresses may be taken before the registering translation unit has run.
#include "platform/classes/Subrange.h"
#include "platform/rtl/System.h"

#include <QStringList>
#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <type_traits>
#include <typeindex>
#include <vector>

class TComponent;
class TCollection;
class TCollectionItem;
class TClassInfo;

using TClass = const TClassInfo*;
using TPersistentClass = const TClassInfo*;
using TComponentClass = const TClassInfo*;
using TCollectionItemClass = const TClassInfo*;

enum TTypeKind {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkWChar,
    tkLString,
    tkWString,
    tkVariant,
    tkArray,
    tkRecord,
    tkInterface,
    tkInt64,
    tkDynArray,
    tkUString
};

// Conversions between identifiers and values of an integer type (colours,
// cursors): the classic RegisterIntegerConsts pair.
using TIdentToInt = std::function<bool(const String& Ident, std::int64_t& Int)>;
using TIntToIdent = std::function<bool(std::int64_t Int, String& Ident)>;

class TTypeInfo {
public:
    TTypeInfo(TTypeKind AKind, std::type_index AType) : Kind(AKind), Type(AType) {}

    String Name;
    TTypeKind Kind;
    std::type_index Type;
    // tkEnumeration: the identifiers in ordinal order (from 0).
    QStringList EnumNames;
    // tkEnumeration sub-range (TSubrange): the enumeration whose identifiers
    // it shares; its values are MinValue..MaxValue of those.
    const TTypeInfo* BaseType = nullptr;
    // The identifiers of an enumeration, its base's for a sub-range.
    const QStringList& Names() const { return BaseType != nullptr ? BaseType->EnumNames : EnumNames; }
    // tkSet: the element type.
    const TTypeInfo* CompType = nullptr;
    // tkInteger: optional identifiers for values.
    TIdentToInt IdentToInt;
    TIntToIdent IntToIdent;
    // tkClass: the class the property holds.
    const TClassInfo* ClassType = nullptr;
    // tkInteger/tkEnumeration: limits a value must lie within.
    std::int64_t MinValue = 0;
    std::int64_t MaxValue = 0;
};

class TPropInfo {
public:
    String Name;
    const TTypeInfo* PropType = nullptr;
    TTypeKind Kind() const { return PropType->Kind; }

    // The declared default; without one the value is always written.
    bool HasDefault = false;
    std::int64_t OrdDefault = 0;
    double FloatDefault = 0;
    String StrDefault;

    // Accessors; those that do not apply to the kind are empty.  Setters of
    // objects and methods answer false when the value has the wrong class or
    // signature.
    std::function<std::int64_t(TObject*)> GetOrd;
    std::function<void(TObject*, std::int64_t)> SetOrd;
    std::function<double(TObject*)> GetFloat;
    std::function<void(TObject*, double)> SetFloat;
    std::function<String(TObject*)> GetStr;
    std::function<void(TObject*, const String&)> SetStr;
    std::function<TObject*(TObject*)> GetObject;
    std::function<bool(TObject*, TObject*)> SetObject;
    std::function<std::any(TObject*)> GetMethod;
    std::function<bool(TObject*, const std::any&)> SetMethod;
    std::function<bool(TObject*)> Stored;

    // Registered by a class that does not publish an inherited property:
    // the class and its descendants do not list it.
    bool Unpublished = false;

    bool IsReadOnly() const;
    bool IsStored(TObject* Instance) const { return !Stored || Stored(Instance); }
    // True when the value equals the declared default (never for a
    // property without one).
    bool IsDefaultValue(TObject* Instance) const;
};

class TMethodInfo {
public:
    String Name;
    // The std::function type a handler of this method fits.
    std::type_index Signature = typeid(void);
    // A callable bound to Root, as std::any holding that std::function.
    std::function<std::any(TObject* Root)> Bind;
    // Whether Handler (std::any of the std::function) calls this method of Root.
    std::function<bool(const std::any& Handler, TObject* Root)> Matches;
};

// A published field: a member of an owner class that points at the owned
// component of the same name (any case), as a form's fields point at its
// controls.  TComponent sets it when a component of that name joins the
// owner or takes the name, and clears it when the component leaves, goes or
// is renamed (the classic FieldAddress binding).
class TFieldInfo {
public:
    String Name;
    // The class the field holds; a component of another class cannot take
    // the name under that owner.
    TClass FieldClass = nullptr;
    // Points the field of Owner at Value (nullptr clears it); does nothing
    // when Owner is not (or no longer) of the declaring class.
    std::function<void(TObject* Owner, TComponent* Value)> Set;
    std::function<TComponent*(TObject* Owner)> Get;
};

class TClassInfo {
public:
    explicit TClassInfo(std::type_index AType) : FType(AType) {}
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    String ClassName() const { return FName; }
    TClass ClassParent() const { return FParent; }
    bool InheritsFrom(TClass Other) const;
    std::type_index Type() const { return FType; }
    bool IsComponentClass() const { return bool(FCreateComponent) || FIsComponent; }
    bool Registered() const { return FRegistered; }

    // The virtual constructors; raise EComponentError "Cannot create an
    // instance of %s" when the class has no suitable one (abstract classes).
    TComponent* CreateComponent(TComponent* AOwner) const;
    // The constructor alone, without AfterConstruction: for a reader that
    // streams a root's definition itself, and for looking at a root's
    // declared defaults before its definition is read.
    TComponent* NewComponent(TComponent* AOwner) const;
    TPersistent* CreateInstance() const;
    TCollectionItem* CreateItem(TCollection* Collection) const;
    bool CanCreateComponent() const { return bool(FCreateComponent); }
    bool CanCreateInstance() const { return bool(FCreateInstance); }
    bool CanCreateItem() const { return bool(FCreateItem); }
    bool IsInstance(const TObject* Object) const { return FIsInstance && FIsInstance(Object); }

    // Published properties, ancestors' first, each in declaration order; a
    // class that publishes an inherited name again (new default) replaces the
    // inherited entry in place.
    const std::vector<const TPropInfo*>& Props() const;
    // Without regard to case; nullptr when absent.
    const TPropInfo* FindProp(const String& Name) const;
    const TMethodInfo* FindMethod(const String& Name) const;
    // The name of the published method of Root that Handler calls; empty
    // when it calls none.
    String FindMethodName(const std::any& Handler, TObject* Root) const;
    // Published fields, ancestors' first; by name without regard to case.
    std::vector<const TFieldInfo*> Fields() const;
    const TFieldInfo* FindField(const String& Name) const;

    // --- filled in by registration (TypInfo.h) ---
    void SetRegistration(const String& Name, TClass Parent);
    void SetDefaultName(const String& Name) { FName = Name; }
    TPropInfo& AddProp(const String& Name);
    TMethodInfo& AddMethod(const String& Name);
    TFieldInfo& AddField(const String& Name);
    std::function<TComponent*(TComponent*)> FCreateComponent;
    std::function<TPersistent*()> FCreateInstance;
    std::function<TCollectionItem*(TCollection*)> FCreateItem;
    std::function<bool(const TObject*)> FIsInstance;
    bool FIsComponent = false;

private:
    std::type_index FType;
    String FName;
    TClass FParent = nullptr;
    bool FRegistered = false;
    std::vector<std::unique_ptr<TPropInfo>> FOwnProps;
    std::vector<std::unique_ptr<TMethodInfo>> FMethods;
    std::vector<std::unique_ptr<TFieldInfo>> FFields;
    mutable std::vector<const TPropInfo*> FAllProps;
    mutable unsigned FAllPropsGeneration = 0;
};

namespace QvTypInfo {
template <typename T> struct IsTSet : std::false_type {};
template <typename E> struct IsTSet<TSet<E>> : std::true_type { using Element = E; };
template <typename T> struct IsFunction : std::false_type {};
template <typename F> struct IsFunction<std::function<F>> : std::true_type {};
template <typename T> struct IsSubrange : std::false_type {};
template <typename E, E First, E Last> struct IsSubrange<TSubrange<E, First, Last>> : std::true_type {};

String DemangledName(const std::type_info& Type);
void InvalidateAllProps();

template <typename T>
TClassInfo* MutableClassOf()
{
    static TClassInfo* Info = [] {
        auto* I = new TClassInfo(typeid(T));
        I->SetDefaultName(DemangledName(typeid(T)));
        I->FIsComponent = std::is_base_of_v<TComponent, T>;
        I->FIsInstance = [](const TObject* Object) { return dynamic_cast<const T*>(Object) != nullptr; };
        if constexpr (!std::is_abstract_v<T>) {
            if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent*>) {
                I->FCreateComponent = [](TComponent* AOwner) -> TComponent* { return new T(AOwner); };
            } else if constexpr (std::is_base_of_v<TCollectionItem, T> && std::is_constructible_v<T, TCollection*>) {
                I->FCreateItem = [](TCollection* Collection) -> TCollectionItem* { return new T(Collection); };
            } else if constexpr (std::is_base_of_v<TPersistent, T> && std::is_default_constructible_v<T>) {
                I->FCreateInstance = []() -> TPersistent* { return new T(); };
            }
        }
        return I;
    }();
    return Info;
}

template <typename T>
TTypeInfo* MutableTypeInfoOf()
{
    static TTypeInfo* Info = [] {
        TTypeKind Kind = tkUnknown;
        auto* I = new TTypeInfo(tkUnknown, typeid(T));
        I->Name = DemangledName(typeid(T));
        if constexpr (std::is_same_v<T, bool>) {
            Kind = tkEnumeration;
            I->Name = QStringLiteral("Boolean");
            I->EnumNames = QStringList{QStringLiteral("False"), QStringLiteral("True")};
            I->MaxValue = 1;
        } else if constexpr (std::is_same_v<T, QChar>) {
            Kind = tkWChar;
            I->MaxValue = 0xFFFF;
        } else if constexpr (std::is_integral_v<T>) {
            Kind = sizeof(T) > 4 ? tkInt64 : tkInteger;
            I->MinValue = std::int64_t(std::numeric_limits<T>::min());
            I->MaxValue = std::numeric_limits<T>::max() > std::numeric_limits<std::int64_t>::max()
                ? std::numeric_limits<std::int64_t>::max()
                : std::int64_t(std::numeric_limits<T>::max());
        } else if constexpr (std::is_floating_point_v<T>) {
            Kind = tkFloat;
        } else if constexpr (IsSubrange<T>::value) {
            Kind = tkEnumeration;
            I->BaseType = MutableTypeInfoOf<typename T::Base>();
            I->MinValue = std::int64_t(T::Low);
            I->MaxValue = std::int64_t(T::High);
        } else if constexpr (std::is_enum_v<T>) {
            Kind = tkEnumeration;
        } else if constexpr (std::is_same_v<T, String>) {
            Kind = tkUString;
        } else if constexpr (IsTSet<T>::value) {
            Kind = tkSet;
            I->CompType = MutableTypeInfoOf<typename IsTSet<T>::Element>();
        } else if constexpr (std::is_pointer_v<T> && std::is_class_v<std::remove_pointer_t<T>>) {
            Kind = tkClass;
            I->ClassType = MutableClassOf<std::remove_cv_t<std::remove_pointer_t<T>>>();
            I->Name = I->ClassType->ClassName();
        } else if constexpr (IsFunction<T>::value) {
            Kind = tkMethod;
        }
        I->Kind = Kind;
        return I;
    }();
    return Info;
}
} // namespace QvTypInfo

// The one class record of T ("T" as a class reference).
template <typename T>
TClass ClassOf()
{
    return QvTypInfo::MutableClassOf<T>();
}

template <typename T>
const TTypeInfo* TypeInfoOf()
{
    return QvTypInfo::MutableTypeInfoOf<T>();
}

// The class record of Object's most derived registered class; for classes
// that were never registered, the deepest registered ancestor (found by
// dynamic_cast, cached).  nullptr for nullptr.
TClass ClassOfObject(const TObject* Object);
