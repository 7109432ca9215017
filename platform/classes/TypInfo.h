#pragma once
// Registration of published properties and handler methods, and run-time
// access to properties by name (the classic TypInfo calls).
//
// Registration sits at the top of the class's .cpp, one line per property,
// in declaration order:
//
//   REGISTER_COMPONENT(TTestButton, TComponent)
//       PUBLISHED(Caption, String())
//       PUBLISHED(Align, alNone)
//       PUBLISHED(Anchors, TAnchors{akLeft, akTop})
//       PUBLISHED_STORED(Color, clBtnFace, &TTestButton::IsColorStored)
//       PUBLISHED_NODEFAULT(Width)
//       PUBLISHED_NODEFAULT_STORED(DisplayWidth, &TField::IsDisplayWidthStored)
//       PUBLISHED_OBJECT(Font)          // read-only getter, sub-object
//       PUBLISHED(DataSet, nullptr)     // component reference
//       PUBLISHED_EVENT(OnClick)
//       UNPUBLISHED(Visible)            // inherited, not published here
//   END_REGISTER
//
//   REGISTER_COMPONENT(TFormMain, TForm)
//       PUBLISHED_FIELD(ButtonOK)       // TButton* ButtonOK: the component
//       PUBLISHED_METHOD(FormCreate)    // handler bound by name
//   END_REGISTER
//
//   REGISTER_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient)
//   REGISTER_SUBRANGE(TBorderStyle)     // TSubrange: shares its base's names
//   REGISTER_CLASS(TFont, TPersistent)  // no owner: default constructor
//
// Enumerations share identifiers only as sub-ranges: TSubrange<Base, First,
// Last> of the enumeration that owns the names (see Subrange.h).
//
// A property named Name has the getter Name() and the setter SetName(V) of
// the class (or an ancestor); its type is deduced from the getter.  The
// stored predicate is anything callable with the instance: a member
// function pointer or a lambda taking (const T&).  A published field
// `T* Name` points at the owned component called Name while it exists:
// reading a definition sets it (a component of another class is an error
// naming file and line, one missing from the definition an error naming the
// form), and it is cleared when that component leaves or goes.
//
// A typical property, whole (AssignIfChanged and DECLARE_EVENT: System.h):
//
//   TColor Color() const { return FColor; }        // header, public
//   void SetColor(TColor Value);
//   DECLARE_EVENT(TNotifyEvent, OnClick)           // OnClick(), SetOnClick(), FOnClick
//   TColor FColor = clBtnFace;                     // header, private
//
//   PUBLISHED(Color, clBtnFace)                    // registration
//   PUBLISHED_EVENT(OnClick)
//
//   void TMyControl::SetColor(TColor Value)
//   {
//       if (AssignIfChanged(FColor, Value))
//           Invalidate();
//   }
//
// The conformance test (tests/platform/classes) checks that the declared
// default is what the constructor sets, for every registered class.
#include "platform/classes/ClassInfo.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"

#include <initializer_list>
#include <utility>

DECLARE_EXCEPTION(EPropertyError, Exception)
DECLARE_EXCEPTION(EPropertyConvertError, Exception)

// --- run-time access -----------------------------------------------------

// nullptr when the class publishes no property of that name (any case).
const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName);
const TPropInfo* GetPropInfo(TClass AClass, const String& PropName);
// Ancestors' first, in declaration order.
std::vector<const TPropInfo*> GetPropList(const TObject* Instance);
bool IsPublishedProp(const TObject* Instance, const String& PropName);
bool PropIsType(const TObject* Instance, const String& PropName, TTypeKind TypeKind);
// Raises EPropertyError "Property %s does not exist".
TTypeKind PropType(const TObject* Instance, const String& PropName);
bool IsStoredProp(TObject* Instance, const TPropInfo* PropInfo);

// Every access raises EPropertyError "Property %s does not exist" for an
// unknown name, EPropertyConvertError "Invalid property type: %s" when the
// property is of another kind and EPropertyError "Property is read-only"
// for a setter that does not exist.
std::int64_t GetOrdProp(TObject* Instance, const TPropInfo* PropInfo);
std::int64_t GetOrdProp(TObject* Instance, const String& PropName);
void SetOrdProp(TObject* Instance, const TPropInfo* PropInfo, std::int64_t Value);
void SetOrdProp(TObject* Instance, const String& PropName, std::int64_t Value);
// Enumerations as their identifiers; Booleans as "False"/"True".  An
// unknown identifier raises EPropertyConvertError "Invalid property
// element: %s".
String GetEnumProp(TObject* Instance, const String& PropName);
void SetEnumProp(TObject* Instance, const String& PropName, const String& Value);
// Sets as text, "[akLeft,akTop]" (brackets optional when setting).
String GetSetProp(TObject* Instance, const String& PropName, bool Brackets = true);
void SetSetProp(TObject* Instance, const String& PropName, const String& Value);
String GetStrProp(TObject* Instance, const TPropInfo* PropInfo);
String GetStrProp(TObject* Instance, const String& PropName);
void SetStrProp(TObject* Instance, const TPropInfo* PropInfo, const String& Value);
void SetStrProp(TObject* Instance, const String& PropName, const String& Value);
double GetFloatProp(TObject* Instance, const TPropInfo* PropInfo);
double GetFloatProp(TObject* Instance, const String& PropName);
void SetFloatProp(TObject* Instance, const TPropInfo* PropInfo, double Value);
void SetFloatProp(TObject* Instance, const String& PropName, double Value);
// With MinClass, nullptr unless the object is of that class.
TObject* GetObjectProp(TObject* Instance, const TPropInfo* PropInfo, TClass MinClass = nullptr);
TObject* GetObjectProp(TObject* Instance, const String& PropName, TClass MinClass = nullptr);
// Raises EPropertyConvertError "Invalid property value" for an object of
// the wrong class.
void SetObjectProp(TObject* Instance, const String& PropName, TObject* Value);
// Event handlers as std::any holding the property's std::function type.
std::any GetMethodProp(TObject* Instance, const String& PropName);
void SetMethodProp(TObject* Instance, const String& PropName, const std::any& Value);

// Enumeration names; "" / -1 when out of range or unknown (any case).
String GetEnumName(const TTypeInfo* TypeInfo, std::int64_t Value);
int GetEnumValue(const TTypeInfo* TypeInfo, const String& Name);
// Set (bits) <-> "[a,b]"; StringToSet raises EPropertyConvertError
// "Invalid property element: %s" for an unknown name.
String SetToString(const TTypeInfo* SetType, std::int64_t Value, bool Brackets = true);
std::int64_t StringToSet(const TTypeInfo* SetType, const String& Value);
// Integer identifiers (colours by name); false when none fits.
bool IdentToInt(const TTypeInfo* IntType, const String& Ident, std::int64_t& Int);
bool IntToIdent(const TTypeInfo* IntType, std::int64_t Int, String& Ident);

// Registers names for an integer type (the classic RegisterIntegerConsts).
// The type reads and writes as an integer whose form text may also be one
// of the identifiers; an enum type registered here (TColor) becomes an
// integer type.
void RegisterIntegerConsts(const TTypeInfo* IntType, TIdentToInt ToInt, TIntToIdent ToIdent);
struct TIdentMapEntry {
    std::int64_t Value;
    const char* Name;
};
void RegisterIntegerConsts(const TTypeInfo* IntType, std::initializer_list<TIdentMapEntry> Map);
// Names an enumeration's values in ordinal order from 0.
void RegisterEnumNames(const TTypeInfo* EnumType, const String& TypeName, const QStringList& Names);

// --- registration machinery -------------------------------------------------

namespace QvTypInfo {

template <typename T>
using Plain = std::remove_cv_t<std::remove_reference_t<T>>;

template <typename G, typename C>
using GetterValue = Plain<decltype((std::declval<C&>().*std::declval<G>())())>;

template <typename C>
C* Cast(TObject* Instance)
{
    return dynamic_cast<C*>(Instance);
}

[[noreturn]] void WrongInstance(const String& PropName);

template <typename C>
C& Checked(TObject* Instance, const char* PropName)
{
    C* Object = dynamic_cast<C*>(Instance);
    if (Object == nullptr)
        WrongInstance(QString::fromLatin1(PropName));
    return *Object;
}

template <typename V>
std::int64_t ToOrd(const V& Value)
{
    if constexpr (IsTSet<V>::value)
        return std::int64_t(Value.Bits());
    else
        return std::int64_t(Value);
}

template <typename V>
V FromOrd(std::int64_t Value)
{
    if constexpr (IsTSet<V>::value)
        return V::FromBits(std::uint64_t(Value));
    else if constexpr (std::is_same_v<V, bool>)
        return Value != 0;
    else if constexpr (IsSubrange<V>::value)
        return V(static_cast<typename V::Base>(Value));
    else
        return static_cast<V>(Value);
}

// The thunk a handler method is bound through; kept as a distinct type so
// that the writer can tell which method of which root a handler calls.
template <typename C, typename R, typename... A>
struct TMethodThunk {
    C* Object;
    R (C::*Method)(A...);
    R operator()(A... Args) const { return (Object->*Method)(std::forward<A>(Args)...); }
};

template <typename C, typename R, typename... A>
void FillMethod(TMethodInfo& Info, R (C::*Method)(A...))
{
    using F = std::function<R(A...)>;
    using Thunk = TMethodThunk<C, R, A...>;
    Info.Signature = typeid(F);
    Info.Bind = [Method](TObject* Root) -> std::any {
        C* Object = dynamic_cast<C*>(Root);
        if (Object == nullptr)
            return std::any();
        return std::any(F(Thunk{Object, Method}));
    };
    Info.Matches = [Method](const std::any& Handler, TObject* Root) {
        const F* Fn = std::any_cast<F>(&Handler);
        if (Fn == nullptr || !*Fn)
            return false;
        const Thunk* T = Fn->template target<Thunk>();
        return T != nullptr && T->Method == Method && static_cast<TObject*>(T->Object) == Root;
    };
}

template <typename C, typename B>
class TClassRegistration {
public:
    explicit TClassRegistration(const char* Name)
    {
        static_assert(std::is_base_of_v<B, C> && !std::is_same_v<B, C>, "Base must be an ancestor");
        FInfo = MutableClassOf<C>();
        FInfo->SetRegistration(QString::fromLatin1(Name), ClassOf<B>());
        RegisterClass(FInfo);
    }

    TClassRegistration& Chain() { return *this; }

    // A property with a declared default.
    template <typename G, typename S, typename D>
    TClassRegistration& Published(const char* Name, G Getter, S Setter, const D& Default)
    {
        using V = GetterValue<G, C>;
        TPropInfo& P = Add<V>(Name, Getter, Setter);
        SetDefault<V>(P, Default);
        return *this;
    }

    template <typename G, typename S>
    TClassRegistration& PublishedNoDefault(const char* Name, G Getter, S Setter)
    {
        Add<GetterValue<G, C>>(Name, Getter, Setter);
        return *this;
    }

    template <typename G, typename S, typename D, typename P>
    TClassRegistration& PublishedStored(const char* Name, G Getter, S Setter, const D& Default, P Pred)
    {
        Published(Name, Getter, Setter, Default);
        SetStored(FLast, Pred, Name);
        return *this;
    }

    template <typename G>
    TClassRegistration& PublishedObject(const char* Name, G Getter)
    {
        using V = GetterValue<G, C>;
        static_assert(std::is_pointer_v<V>, "a sub-object getter returns a pointer");
        Add<V>(Name, Getter, nullptr);
        return *this;
    }

    template <typename G, typename S>
    TClassRegistration& PublishedEvent(const char* Name, G Getter, S Setter)
    {
        using V = GetterValue<G, C>;
        static_assert(IsFunction<V>::value, "an event is a std::function");
        Add<V>(Name, Getter, Setter);
        return *this;
    }

    // An inherited property this class does not publish (a page's Visible,
    // which only its page control sets).
    TClassRegistration& Unpublished(const char* Name)
    {
        FInfo->AddProp(QString::fromLatin1(Name)).Unpublished = true;
        return *this;
    }

    // A field of the class pointing at the owned component of that name.
    template <typename T>
    TClassRegistration& Field(const char* Name, T* C::*Member)
    {
        static_assert(std::is_base_of_v<TComponent, T>, "a published field points at a component");
        TFieldInfo& F = FInfo->AddField(QString::fromLatin1(Name));
        F.FieldClass = ClassOf<T>();
        F.Set = [Member](TObject* Owner, TComponent* Value) {
            if (C* Object = dynamic_cast<C*>(Owner))
                Object->*Member = dynamic_cast<T*>(Value);
        };
        F.Get = [Member](TObject* Owner) -> TComponent* {
            C* Object = dynamic_cast<C*>(Owner);
            return Object != nullptr ? Object->*Member : nullptr;
        };
        return *this;
    }

    template <typename M>
    TClassRegistration& Method(const char* Name, M Fn)
    {
        FillMethod(FInfo->AddMethod(QString::fromLatin1(Name)), Fn);
        return *this;
    }

    // The last property's stored rule (used by the macros).
    template <typename P>
    TClassRegistration& Stored(P Pred)
    {
        SetStored(FLast, Pred, "stored");
        return *this;
    }

private:
    template <typename P>
    static void SetStored(TPropInfo* Prop, P Pred, const char* N)
    {
        if constexpr (std::is_same_v<P, bool>) {
            Prop->Stored = [Pred](TObject*) { return Pred; };
        } else {
            Prop->Stored = [Pred, N](TObject* Instance) {
                return bool(std::invoke(Pred, std::as_const(Checked<C>(Instance, N))));
            };
        }
    }

    template <typename V, typename D>
    static void SetDefault(TPropInfo& P, const D& Default)
    {
        if constexpr (std::is_pointer_v<V> || IsFunction<V>::value) {
            (void)Default;
            P.HasDefault = true;
        } else if constexpr (std::is_same_v<V, String>) {
            P.HasDefault = true;
            P.StrDefault = String(Default);
        } else if constexpr (std::is_floating_point_v<V>) {
            P.HasDefault = true;
            P.FloatDefault = double(Default);
        } else if constexpr (std::is_same_v<V, QChar>) {
            P.HasDefault = true;
            P.OrdDefault = QChar(Default).unicode();
        } else {
            P.HasDefault = true;
            P.OrdDefault = ToOrd<V>(V(Default));
        }
    }

    template <typename V, typename G, typename S>
    TPropInfo& Add(const char* Name, G Getter, S Setter)
    {
        TPropInfo& P = FInfo->AddProp(QString::fromLatin1(Name));
        FLast = &P;
        P.PropType = MutableTypeInfoOf<V>();
        constexpr bool HasSetter = !std::is_same_v<S, std::nullptr_t>;
        if constexpr (std::is_same_v<V, String>) {
            P.GetStr = [Getter, Name](TObject* I) -> String { return (Checked<C>(I, Name).*Getter)(); };
            if constexpr (HasSetter)
                P.SetStr = [Setter, Name](TObject* I, const String& Value) { (Checked<C>(I, Name).*Setter)(Value); };
        } else if constexpr (std::is_same_v<V, QChar>) {
            P.GetOrd = [Getter, Name](TObject* I) -> std::int64_t { return (Checked<C>(I, Name).*Getter)().unicode(); };
            if constexpr (HasSetter)
                P.SetOrd = [Setter, Name](TObject* I, std::int64_t Value) {
                    (Checked<C>(I, Name).*Setter)(QChar(char16_t(Value)));
                };
        } else if constexpr (std::is_floating_point_v<V>) {
            P.GetFloat = [Getter, Name](TObject* I) -> double { return double((Checked<C>(I, Name).*Getter)()); };
            if constexpr (HasSetter)
                P.SetFloat = [Setter, Name](TObject* I, double Value) { (Checked<C>(I, Name).*Setter)(V(Value)); };
        } else if constexpr (std::is_integral_v<V> || std::is_enum_v<V> || IsTSet<V>::value || IsSubrange<V>::value) {
            P.GetOrd = [Getter, Name](TObject* I) -> std::int64_t { return ToOrd<V>((Checked<C>(I, Name).*Getter)()); };
            if constexpr (HasSetter)
                P.SetOrd = [Setter, Name](TObject* I, std::int64_t Value) {
                    (Checked<C>(I, Name).*Setter)(FromOrd<V>(Value));
                };
        } else if constexpr (std::is_pointer_v<V>) {
            using O = std::remove_cv_t<std::remove_pointer_t<V>>;
            P.GetObject = [Getter, Name](TObject* I) -> TObject* {
                return const_cast<O*>((Checked<C>(I, Name).*Getter)());
            };
            if constexpr (HasSetter)
                P.SetObject = [Setter, Name](TObject* I, TObject* Value) {
                    O* Typed = dynamic_cast<O*>(Value);
                    if (Value != nullptr && Typed == nullptr)
                        return false;
                    (Checked<C>(I, Name).*Setter)(Typed);
                    return true;
                };
        } else if constexpr (IsFunction<V>::value) {
            P.GetMethod = [Getter, Name](TObject* I) -> std::any { return std::any((Checked<C>(I, Name).*Getter)()); };
            if constexpr (HasSetter)
                P.SetMethod = [Setter, Name](TObject* I, const std::any& Value) {
                    if (!Value.has_value()) {
                        (Checked<C>(I, Name).*Setter)(V());
                        return true;
                    }
                    const V* Fn = std::any_cast<V>(&Value);
                    if (Fn == nullptr)
                        return false;
                    (Checked<C>(I, Name).*Setter)(*Fn);
                    return true;
                };
        } else {
            static_assert(sizeof(V) == 0, "unsupported published property type");
        }
        return P;
    }

    TClassInfo* FInfo;
    TPropInfo* FLast = nullptr;
};

QStringList SplitEnumNames(const char* Text);

} // namespace QvTypInfo

#define QV_CAT_(A, B) A##B
#define QV_CAT(A, B) QV_CAT_(A, B)

#define QV_REGISTER_BLOCK(Class, Base)                                                   \
    static const bool QV_CAT(QvRegistered_, __COUNTER__) [[maybe_unused]] = [] {         \
        using Self [[maybe_unused]] = Class;                                             \
        ::QvTypInfo::TClassRegistration<Class, Base> QvReg(#Class);                      \
        QvReg.Chain()

// A component class (factory: new Class(Owner)) with its published
// properties up to END_REGISTER.
#define REGISTER_COMPONENT(Class, Base) QV_REGISTER_BLOCK(Class, Base)
// A persistent class that is not a component: a sub-object such as a font
// (default constructor) or a collection item (constructor taking the
// collection).
#define REGISTER_CLASS(Class, Base) QV_REGISTER_BLOCK(Class, Base)
#define END_REGISTER ; return true; }();

#define PUBLISHED(Name, ...) .Published(#Name, &Self::Name, &Self::Set##Name, __VA_ARGS__)
#define PUBLISHED_NODEFAULT(Name) .PublishedNoDefault(#Name, &Self::Name, &Self::Set##Name)
#define PUBLISHED_STORED(Name, ...) .PublishedStored(#Name, &Self::Name, &Self::Set##Name, __VA_ARGS__)
// No default (a value the getter works out); written when Pred allows.
#define PUBLISHED_NODEFAULT_STORED(Name, Pred) .PublishedNoDefault(#Name, &Self::Name, &Self::Set##Name).Stored(Pred)
#define PUBLISHED_OBJECT(Name) .PublishedObject(#Name, &Self::Name)
#define PUBLISHED_EVENT(Name) .PublishedEvent(#Name, &Self::Name, &Self::Set##Name)
// An inherited property the class does not publish.
#define UNPUBLISHED(Name) .Unpublished(#Name)
// Explicit accessors, for overloaded or differently named ones.
#define PUBLISHED_AS(Name, Getter, Setter, ...) .Published(#Name, Getter, Setter, __VA_ARGS__)
#define PUBLISHED_METHOD(Name) .Method(#Name, &Self::Name)
// A member `T* Name` bound to the owned component called Name.
#define PUBLISHED_FIELD(Name) .Field(#Name, &Self::Name)

// Handler methods a root publishes for binding by name, outside a block.
#define REGISTER_METHOD(Class, Name)                                                       \
    static const bool QV_CAT(QvMethod_, __COUNTER__) [[maybe_unused]] = [] {                \
        ::QvTypInfo::FillMethod(::QvTypInfo::MutableClassOf<Class>()->AddMethod(QStringLiteral(#Name)), \
                                &Class::Name);                                             \
        return true;                                                                       \
    }();

#define REGISTER_ENUM(Type, ...)                                                           \
    static const bool QV_CAT(QvEnum_, __COUNTER__) [[maybe_unused]] = [] {                  \
        ::RegisterEnumNames(::TypeInfoOf<Type>(), QStringLiteral(#Type),                   \
                            ::QvTypInfo::SplitEnumNames(#__VA_ARGS__));                    \
        return true;                                                                       \
    }();

// The type name of a sub-range (TSubrange), which takes its identifiers
// from its base enumeration.
#define REGISTER_SUBRANGE(Type)                                                            \
    static const bool QV_CAT(QvSubrange_, __COUNTER__) [[maybe_unused]] = [] {              \
        ::QvTypInfo::MutableTypeInfoOf<Type>()->Name = QStringLiteral(#Type);              \
        return true;                                                                       \
    }();

// REGISTER_INTEGER_CONSTS(TColor, {{clBlack, "clBlack"}, ...})
#define REGISTER_INTEGER_CONSTS(Type, ...)                                                 \
    static const bool QV_CAT(QvConsts_, __COUNTER__) [[maybe_unused]] = [] {                \
        ::RegisterIntegerConsts(::TypeInfoOf<Type>(), __VA_ARGS__);                        \
        return true;                                                                       \
    }();
