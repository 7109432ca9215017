#include "platform/rtl/Variants.h"

#include "platform/rtl/SysUtils.h"

#include <cmath>
#include <limits>

namespace {

bool IsNumericType(TVarType T)
{
    return T == varInteger || T == varInt64 || T == varDouble || T == varDate || T == varBoolean;
}

bool IsIntegerType(TVarType T)
{
    return T == varInteger || T == varInt64 || T == varBoolean;
}

// Numbers in text: integers as written, otherwise a floating-point value with
// the settings' decimal separator (a '.' is accepted as well, so values that
// came from files written elsewhere still read).
bool TextToDouble(const String& S, double& Value)
{
    long long I = 0;
    if (TryStrToInt64(S, I)) {
        Value = double(I);
        return true;
    }
    if (TryStrToFloat(S, Value))
        return true;
    TFormatSettings Dot = FormatSettings;
    Dot.DecimalSeparator = QLatin1Char('.');
    return TryStrToFloat(S, Value, Dot);
}

int Sign(double A, double B)
{
    return A < B ? -1 : (A > B ? 1 : 0);
}

}  // namespace

Variant Variant::FromArray(const QList<Variant>& Items)
{
    Variant V;
    V.FType = varArray | varVariant;
    V.FArray = std::make_shared<const QList<Variant>>(Items);
    return V;
}

void Variant::CastError(TVarType Target) const
{
    throw EVariantError(QStringLiteral("Could not convert variant of type (%1) into type (%2)")
                            .arg(VarTypeAsText(FType), VarTypeAsText(Target)));
}

String Variant::AsString() const
{
    switch (FType) {
    case varEmpty:
        return String();
    case varInteger:
    case varInt64:
        return IntToStr(FInt);
    case varDouble:
        return FloatToStr(FDouble);
    case varDate:
        return DateTimeToStr(FDouble);
    case varBoolean:
        return FInt != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case varString:
        return FString;
    default:
        CastError(varString);
    }
}

std::int64_t Variant::AsInt64() const
{
    switch (FType) {
    case varEmpty:
        return 0;
    case varInteger:
    case varInt64:
        return FInt;
    case varBoolean:
        return FInt != 0 ? -1 : 0;
    case varDouble:
    case varDate:
        // Whole numbers only: a value beyond the range cannot be converted.
        if (!std::isfinite(FDouble) || std::fabs(FDouble) >= 9.2e18)
            CastError(varInt64);
        return Round(FDouble);
    case varString: {
        long long I = 0;
        if (TryStrToInt64(FString, I))
            return I;
        double D = 0;
        if (TextToDouble(FString, D) && std::isfinite(D) && std::fabs(D) < 9.2e18)
            return Round(D);
        CastError(varInt64);
    }
    default:
        CastError(varInt64);
    }
}

int Variant::AsInteger() const
{
    std::int64_t Value = 0;
    try {
        Value = AsInt64();
    } catch (const EVariantError&) {
        CastError(varInteger);
    }
    if (Value < std::numeric_limits<int>::min() || Value > std::numeric_limits<int>::max())
        CastError(varInteger);
    return int(Value);
}

double Variant::AsDouble() const
{
    switch (FType) {
    case varEmpty:
        return 0.0;
    case varInteger:
    case varInt64:
        return double(FInt);
    case varBoolean:
        return FInt != 0 ? -1.0 : 0.0;
    case varDouble:
    case varDate:
        return FDouble;
    case varString: {
        double D = 0;
        if (TextToDouble(FString, D))
            return D;
        CastError(varDouble);
    }
    default:
        CastError(varDouble);
    }
}

TDateTime Variant::AsDateTime() const
{
    switch (FType) {
    case varEmpty:
        return 0.0;
    case varInteger:
    case varInt64:
    case varDouble:
    case varDate:
    case varBoolean:
        return AsDouble();
    case varString: {
        TDateTime D = 0;
        if (TryStrToDateTime(FString, D))
            return D;
        CastError(varDate);
    }
    default:
        CastError(varDate);
    }
}

bool Variant::AsBoolean() const
{
    switch (FType) {
    case varEmpty:
        return false;
    case varInteger:
    case varInt64:
    case varBoolean:
        return FInt != 0;
    case varDouble:
    case varDate:
        return FDouble != 0.0;
    case varString: {
        const String T = FString.trimmed();
        if (T.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (T.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        double D = 0;
        if (TextToDouble(FString, D))
            return D != 0.0;
        CastError(varBoolean);
    }
    default:
        CastError(varBoolean);
    }
}

int Variant::ArrayCount() const
{
    if (!IsArray())
        throw EVariantError(QStringLiteral("Variant is not an array"));
    return int(FArray->size());
}

const Variant& Variant::operator[](int Index) const
{
    if (Index < 0 || Index >= ArrayCount())
        throw EVariantError(QStringLiteral("Variant or safe array index out of bounds"));
    return FArray->at(Index);
}

int Variant::Compare(const Variant& A, const Variant& B)
{
    const TVarType TA = A.FType;
    const TVarType TB = B.FType;
    if (TA == varNull || TB == varNull)
        return (TA == varNull ? 0 : 1) - (TB == varNull ? 0 : 1);
    if (A.IsArray() || B.IsArray()) {
        if (!(A.IsArray() && B.IsArray()))
            (A.IsArray() ? A : B).CastError(A.IsArray() ? TB : TA);
        const int N = std::min(A.ArrayCount(), B.ArrayCount());
        for (int I = 0; I < N; ++I) {
            if (const int C = Compare(A[I], B[I]))
                return C;
        }
        return A.ArrayCount() < B.ArrayCount() ? -1 : (A.ArrayCount() > B.ArrayCount() ? 1 : 0);
    }
    // Empty takes the other side's type: 0, "" or false.
    if (TA == varEmpty && TB == varEmpty)
        return 0;
    if (TA == varEmpty || TB == varEmpty) {
        const Variant& Other = TA == varEmpty ? B : A;
        Variant Zero;
        if (Other.FType == varString)
            Zero = Variant(String());
        else
            Zero = Variant(0);
        return TA == varEmpty ? Compare(Zero, B) : Compare(A, Zero);
    }
    if (TA == varString && TB == varString) {
        const int C = A.FString.compare(B.FString, Qt::CaseSensitive);
        return C < 0 ? -1 : (C > 0 ? 1 : 0);
    }
    if (TA == varBoolean && TB == varBoolean)
        return int(A.FInt != 0) - int(B.FInt != 0);
    // A date against a string reads the string as a date.
    if (TA == varDate || TB == varDate)
        return Sign(A.AsDateTime(), B.AsDateTime());
    if (IsIntegerType(TA) && IsIntegerType(TB)) {
        const std::int64_t X = A.AsInt64();
        const std::int64_t Y = B.AsInt64();
        return X < Y ? -1 : (X > Y ? 1 : 0);
    }
    return Sign(A.AsDouble(), B.AsDouble());
}

bool Variant::operator==(const Variant& Other) const
{
    if (FType == varNull || Other.FType == varNull)
        return FType == Other.FType;
    return Compare(*this, Other) == 0;
}

// ---------------------------------------------------------------------------

Variant Null()
{
    return Variant::MakeNull();
}

Variant Unassigned()
{
    return Variant();
}

Variant VarFromDateTime(TDateTime Value)
{
    return Variant::FromDateTime(Value);
}

Variant VarArrayOf(std::initializer_list<Variant> Items)
{
    return Variant::FromArray(QList<Variant>(Items));
}

TVarType VarType(const Variant& V)
{
    return V.Type();
}

bool VarIsNull(const Variant& V)
{
    return V.IsNull();
}

bool VarIsEmpty(const Variant& V)
{
    return V.IsEmpty();
}

bool VarIsClear(const Variant& V)
{
    return V.IsEmpty();
}

bool VarIsArray(const Variant& V)
{
    return V.IsArray();
}

bool VarIsNumeric(const Variant& V)
{
    return IsNumericType(V.Type()) && V.Type() != varDate;
}

bool VarIsStr(const Variant& V)
{
    return V.Type() == varString;
}

String VarToStr(const Variant& V)
{
    return VarToStrDef(V, String());
}

String VarToStrDef(const Variant& V, const String& Default)
{
    return V.IsNull() || V.IsEmpty() ? Default : V.AsString();
}

TDateTime VarToDateTime(const Variant& V)
{
    return V.AsDateTime();
}

Variant VarAsType(const Variant& V, TVarType AVarType)
{
    switch (AVarType) {
    case varEmpty:
        return Variant();
    case varNull:
        return Null();
    case varInteger:
        return Variant(V.AsInteger());
    case varInt64:
        return Variant(static_cast<long long>(V.AsInt64()));
    case varDouble:
        return Variant(V.AsDouble());
    case varDate:
        return VarFromDateTime(V.AsDateTime());
    case varBoolean:
        return Variant(V.AsBoolean());
    case varString:
        return Variant(V.AsString());
    default:
        throw EVariantError(QStringLiteral("Could not convert variant of type (%1) into type (%2)")
                                .arg(VarTypeAsText(V.Type()), VarTypeAsText(AVarType)));
    }
}

String VarTypeAsText(TVarType AVarType)
{
    switch (AVarType) {
    case varEmpty: return QStringLiteral("Empty");
    case varNull: return QStringLiteral("Null");
    case varInteger: return QStringLiteral("Integer");
    case varDouble: return QStringLiteral("Double");
    case varDate: return QStringLiteral("Date");
    case varBoolean: return QStringLiteral("Boolean");
    case varVariant: return QStringLiteral("Variant");
    case varInt64: return QStringLiteral("Int64");
    case varString: return QStringLiteral("String");
    case varArray | varVariant: return QStringLiteral("Array Variant");
    default: return QStringLiteral("Unknown");
    }
}

int VarArrayLowBound(const Variant& V, int Dim)
{
    if (!V.IsArray() || Dim != 1)
        throw EVariantError(QStringLiteral("Variant is not an array"));
    return 0;
}

int VarArrayHighBound(const Variant& V, int Dim)
{
    if (!V.IsArray() || Dim != 1)
        throw EVariantError(QStringLiteral("Variant is not an array"));
    return V.ArrayCount() - 1;
}

TVariantRelationship VarCompareValue(const Variant& A, const Variant& B)
{
    const bool ClearA = A.IsNull() || A.IsEmpty();
    const bool ClearB = B.IsNull() || B.IsEmpty();
    if (ClearA || ClearB) {
        if (ClearA && ClearB && A.Type() == B.Type())
            return vrEqual;
        return vrNotEqual;
    }
    const int C = Variant::Compare(A, B);
    return C == 0 ? vrEqual : (C < 0 ? vrLessThan : vrGreaterThan);
}

bool VarSameValue(const Variant& A, const Variant& B)
{
    if (A.Type() != B.Type() && (A.IsNull() || A.IsEmpty() || B.IsNull() || B.IsEmpty()))
        return false;
    return VarCompareValue(A, B) == vrEqual;
}
