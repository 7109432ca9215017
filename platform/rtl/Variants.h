#pragma once
// A small Variant for field values and key searches: empty, null, integers,
// doubles, strings, dates, booleans and arrays of variants.  Conversions and
// comparisons follow the classic rules; impossible ones raise EVariantError
// "Could not convert variant of type (%s) into type (%s)".
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"

#include <QList>
#include <cstdint>
#include <initializer_list>
#include <memory>

// The classic type codes.
using TVarType = std::uint16_t;
inline constexpr TVarType varEmpty = 0x0000;
inline constexpr TVarType varNull = 0x0001;
inline constexpr TVarType varInteger = 0x0003;
inline constexpr TVarType varDouble = 0x0005;
inline constexpr TVarType varDate = 0x0007;
inline constexpr TVarType varBoolean = 0x000B;
inline constexpr TVarType varVariant = 0x000C;
inline constexpr TVarType varInt64 = 0x0014;
inline constexpr TVarType varString = 0x0100;
inline constexpr TVarType varArray = 0x2000;

enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };

class Variant {
public:
    Variant() = default;  // empty (Unassigned)
    Variant(int Value) : FType(varInteger), FInt(Value) {}
    Variant(long Value) : FType(varInt64), FInt(Value) {}
    Variant(long long Value) : FType(varInt64), FInt(Value) {}
    Variant(unsigned Value) : FType(varInt64), FInt(Value) {}
    // Values above the Int64 range wrap, as a classic cast would.
    Variant(unsigned long Value) : FType(varInt64), FInt(static_cast<std::int64_t>(Value)) {}
    Variant(unsigned long long Value) : FType(varInt64), FInt(static_cast<std::int64_t>(Value)) {}
    Variant(double Value) : FType(varDouble), FDouble(Value) {}
    Variant(bool Value) : FType(varBoolean), FInt(Value ? 1 : 0) {}
    Variant(const String& Value) : FType(varString), FString(Value) {}
    // Without this a string literal would become a boolean.
    Variant(const char* Value) : FType(varString), FString(QString::fromUtf8(Value)) {}

    static Variant MakeNull() { Variant V; V.FType = varNull; return V; }
    static Variant FromDateTime(TDateTime Value) { Variant V(Value); V.FType = varDate; return V; }
    static Variant FromArray(const QList<Variant>& Items);

    TVarType Type() const { return FType; }
    bool IsEmpty() const { return FType == varEmpty; }
    bool IsNull() const { return FType == varNull; }
    bool IsArray() const { return FType == (varArray | varVariant); }

    // Conversions.  Empty gives 0, "" or false; Null raises.  Strings convert
    // to numbers and dates when their text is one (FormatSettings); booleans
    // convert to -1/0 and to "True"/"False".
    String AsString() const;
    int AsInteger() const;
    std::int64_t AsInt64() const;
    double AsDouble() const;
    TDateTime AsDateTime() const;
    bool AsBoolean() const;

    // Array items (raises EVariantError when this is not an array or the
    // index is out of range).
    int ArrayCount() const;
    const Variant& operator[](int Index) const;

    // Comparison: numbers across integer, double, date and boolean; strings
    // case-sensitively; a string against a number or date is converted
    // first (EVariantError when it cannot be).  Null equals only Null and
    // sorts before everything else; Empty counts as 0 or "".
    bool operator==(const Variant& Other) const;
    bool operator!=(const Variant& Other) const { return !(*this == Other); }
    bool operator<(const Variant& Other) const { return Compare(*this, Other) < 0; }
    bool operator<=(const Variant& Other) const { return Compare(*this, Other) <= 0; }
    bool operator>(const Variant& Other) const { return Compare(*this, Other) > 0; }
    bool operator>=(const Variant& Other) const { return Compare(*this, Other) >= 0; }
    // <0, 0, >0 under the rules above.
    static int Compare(const Variant& A, const Variant& B);

private:
    [[noreturn]] void CastError(TVarType Target) const;

    TVarType FType = varEmpty;
    std::int64_t FInt = 0;
    double FDouble = 0.0;
    String FString;
    std::shared_ptr<const QList<Variant>> FArray;
};

Variant Null();
Variant Unassigned();
Variant VarFromDateTime(TDateTime Value);
Variant VarArrayOf(std::initializer_list<Variant> Items);

TVarType VarType(const Variant& V);
bool VarIsNull(const Variant& V);
bool VarIsEmpty(const Variant& V);
bool VarIsClear(const Variant& V);
bool VarIsArray(const Variant& V);
bool VarIsNumeric(const Variant& V);
bool VarIsStr(const Variant& V);
// "" for Null and Empty, AsString otherwise.
String VarToStr(const Variant& V);
String VarToStrDef(const Variant& V, const String& Default);
TDateTime VarToDateTime(const Variant& V);
// The value converted to another type code (varInteger, varString ...).
Variant VarAsType(const Variant& V, TVarType AVarType);
// Type name as the error texts use it ("Integer", "String", "Null").
String VarTypeAsText(TVarType AVarType);
int VarArrayHighBound(const Variant& V, int Dim = 1);
int VarArrayLowBound(const Variant& V, int Dim = 1);
// vrEqual/vrLessThan/vrGreaterThan, or vrNotEqual when one side is Null or
// Empty and the other is not.
TVariantRelationship VarCompareValue(const Variant& A, const Variant& B);
bool VarSameValue(const Variant& A, const Variant& B);
