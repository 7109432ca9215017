#pragma once
// The base of everything: the string type, TObject, TPersistent, the event
// type and small sets, under the classic names the product code uses.
#include "platform/rtl/EventSlot.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <utility>

using String = QString;

class TFiler;
class TPersistent;

class TObject {
public:
    virtual ~TObject() = default;
    // The class name as written in the source ("TStringList").
    String ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Declares the event property Name of type Type: the getter Name(), the
// setter SetName(Value) and the protected field FName that the class and its
// descendants call (if (FOnClick) FOnClick(this);).  The field is a
// TEventSlot, so that the handler may free the object.  Write it in a public
// section, one per line, without a semicolon; the section stays public.
//     DECLARE_EVENT(TNotifyEvent, OnClick)
// clang-format off
#define DECLARE_EVENT(Type, Name)                              \
public:                                                        \
    Type Name() const { return F##Name.Get(); }                \
    void Set##Name(Type Value) { F##Name = std::move(Value); } \
                                                               \
protected:                                                     \
    TEventSlot<Type> F##Name;                                  \
                                                               \
public:
// clang-format on

// The compare-and-assign step of a property setter: stores Value in Field
// and answers true when that changed it, so the setter goes on to react:
//     void TPen::SetColor(TColor Value)
//     {
//         if (AssignIfChanged(FColor, Value))
//             Changed();
//     }
// (Not "SetField": a class with a Field property has a setter of that name,
// which would hide it.)
template <typename T, typename V>
bool AssignIfChanged(T& Field, V&& Value)
{
    if (Field == Value)
        return false;
    Field = std::forward<V>(Value);
    return true;
}

// Assign/AssignTo in the classic double dispatch: a class copies what it
// knows, otherwise asks the source to assign itself to it, otherwise fails
// with "Cannot assign a %s to a %s".
class TPersistent : public TObject {
public:
    virtual void Assign(TPersistent* Source);
    virtual TPersistent* GetOwner() const { return nullptr; }
    virtual String GetNamePath() const;
    // Streams data that is not a published property (obsolete names, lists).
    virtual void DefineProperties(TFiler& Filer);

protected:
    virtual void AssignTo(TPersistent* Dest);
};

// A Pascal set over an enumeration with at most 64 values.
template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> Items)
    {
        for (E Item : Items)
            FBits |= Bit(Item);
    }
    static constexpr TSet FromBits(std::uint64_t Bits) { TSet S; S.FBits = Bits; return S; }
    constexpr std::uint64_t Bits() const { return FBits; }

    constexpr bool Contains(E Item) const { return (FBits & Bit(Item)) != 0; }
    constexpr TSet& Include(E Item) { FBits |= Bit(Item); return *this; }
    constexpr TSet& Exclude(E Item) { FBits &= ~Bit(Item); return *this; }
    constexpr bool Empty() const { return FBits == 0; }

    constexpr TSet operator+(TSet Other) const { return FromBits(FBits | Other.FBits); }
    constexpr TSet operator-(TSet Other) const { return FromBits(FBits & ~Other.FBits); }
    constexpr TSet operator*(TSet Other) const { return FromBits(FBits & Other.FBits); }
    constexpr TSet& operator+=(TSet Other) { FBits |= Other.FBits; return *this; }
    constexpr TSet& operator-=(TSet Other) { FBits &= ~Other.FBits; return *this; }
    constexpr bool operator==(const TSet&) const = default;
    // Subset test, as Pascal's "<=".
    constexpr bool operator<=(TSet Other) const { return (FBits & ~Other.FBits) == 0; }

private:
    static constexpr std::uint64_t Bit(E Item) { return std::uint64_t(1) << static_cast<unsigned>(Item); }
    std::uint64_t FBits = 0;
};
