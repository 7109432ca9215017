#pragma once
// The filter language of the client data set's Filter property.  A filter
// text is parsed once into a tree, with every field resolved and every
// literal converted to the type it is compared with; the tree is then run
// against each record through a cheap accessor, without allocating for the
// common comparisons (text stays UTF-8 when it can be compared as bytes).
//
//   expression  := or
//   or          := and { OR and }
//   and         := not { AND not }
//   not         := NOT not | predicate
//   predicate   := operand [ op operand | IS [NOT] NULL
//                          | [NOT] LIKE 'pattern' | [NOT] IN ( operand {, operand} ) ]
//   op          := = | <> | < | > | <= | >=
//   operand     := field | [field name] | "field name" | 'text' | number | -number
//                | TRUE | FALSE | NULL | function ( operand ) | ( expression )
//   function    := UPPER | LOWER | TRIM | TRIMLEFT | TRIMRIGHT | YEAR | MONTH | DAY
//
// Keywords and function names are case-insensitive; a field whose name is a
// keyword is written in brackets.  A comparison with a null value is false
// (so NOT turns it true); only IS NULL and "= NULL" see nulls.
#include "platform/db/DBTypes.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Variants.h"

#include <QByteArrayView>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

// The classic FilterOptions: case-insensitive text comparison, and turning
// off the trailing '*' that makes "= 'Jan*'" a prefix match.
enum TFilterOption { foCaseInsensitive, foNoPartialCompare };
using TFilterOptions = TSet<TFilterOption>;

// What the data set tells the parser about a field named in the text.  An
// Index below 0 means the data set has no such field.
struct TFilterField {
    int Index = -1;
    TFieldType DataType = ftUnknown;
};

// Maps a field name as written (brackets removed, case as typed) to the
// field.  It may raise its own EDatabaseError or return Index -1.
using TFilterFieldResolver = std::function<TFilterField(const String& FieldName)>;

// One field value of the current record, as the accessor hands it over.
// Numbers, dates and booleans are held by value; text either borrowed (a
// view that must stay valid until Evaluate returns, such as the bytes of a
// stored record) or owned.
class TFilterValue {
public:
    enum TKind : std::uint8_t { fvNull, fvInteger, fvFloat, fvDateTime, fvBoolean, fvString, fvUtf8 };

    TFilterValue() = default;
    static TFilterValue Null() { return TFilterValue(); }
    static TFilterValue FromInteger(std::int64_t Value) { TFilterValue V(fvInteger); V.FInt = Value; return V; }
    static TFilterValue FromFloat(double Value) { TFilterValue V(fvFloat); V.FFloat = Value; return V; }
    static TFilterValue FromDateTime(TDateTime Value) { TFilterValue V(fvDateTime); V.FFloat = Value; return V; }
    static TFilterValue FromBoolean(bool Value) { TFilterValue V(fvBoolean); V.FInt = Value ? 1 : 0; return V; }
    static TFilterValue FromString(const String& Value) { TFilterValue V(fvString); V.FOwned = Value; V.FOwns = true; return V; }
    static TFilterValue FromStringView(QStringView Value) { TFilterValue V(fvString); V.FView = Value; return V; }
    static TFilterValue FromUtf8(QByteArrayView Value) { TFilterValue V(fvUtf8); V.FUtf8 = Value; return V; }
    // Null and Empty become null; a string is copied.
    static TFilterValue FromVariant(const Variant& Value);

    TKind Kind() const { return FKind; }
    bool IsNull() const { return FKind == fvNull; }
    std::int64_t AsInteger() const { return FInt; }
    // fvFloat and fvDateTime.
    double AsFloat() const { return FFloat; }
    bool AsBoolean() const { return FInt != 0; }
    // fvString.
    QStringView StringView() const { return FOwns ? QStringView(FOwned) : FView; }
    // fvUtf8.
    QByteArrayView Utf8() const { return FUtf8; }

private:
    explicit TFilterValue(TKind Kind) : FKind(Kind) {}

    TKind FKind = fvNull;
    bool FOwns = false;
    union {
        std::int64_t FInt = 0;
        double FFloat;
    };
    QStringView FView;
    QByteArrayView FUtf8;
    String FOwned;
};

inline TFilterValue TFilterValue::FromVariant(const Variant& Value)
{
    switch (Value.Type()) {
    case varInteger:
    case varInt64:
        return FromInteger(Value.AsInt64());
    case varDouble:
        return FromFloat(Value.AsDouble());
    case varDate:
        return FromDateTime(Value.AsDateTime());
    case varBoolean:
        return FromBoolean(Value.AsBoolean());
    case varString:
        return FromString(Value.AsString());
    default:
        return Null();
    }
}

// Hands the value of field Index of the current record to the filter.  A
// non-owning reference to a callable (a lambda lives as long as the call to
// Evaluate it is passed to), or a plain function with a context pointer:
// one indirect call per field read, nothing copied or allocated.
class TFilterRecordAccessor {
public:
    using TGetFunction = TFilterValue (*)(void* Context, int FieldIndex);

    TFilterRecordAccessor(TGetFunction Get, void* Context) : FContext(Context), FGet(Get) {}

    template <typename F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, TFilterRecordAccessor> &&
                 std::is_invocable_r_v<TFilterValue, F&, int>)
    TFilterRecordAccessor(F&& Func)
        : FContext(const_cast<void*>(static_cast<const void*>(std::addressof(Func)))),
          FGet([](void* Context, int FieldIndex) -> TFilterValue {
              return (*static_cast<std::remove_reference_t<F>*>(Context))(FieldIndex);
          })
    {
    }

    TFilterValue operator()(int FieldIndex) const { return FGet(FContext, FieldIndex); }

private:
    void* FContext;
    TGetFunction FGet;
};

class TFilterNode;

// A parsed filter text.  Parse errors raise EDatabaseError naming the problem
// and the whole text ("Unterminated string constant in filter expression
// 'NAAM = 'Jan'"); a field the resolver does not know raises "Field '%s' not
// found".  A blank text accepts every record.
class TFilterExpr {
public:
    TFilterExpr(const String& Text, const TFilterFieldResolver& Resolve, TFilterOptions Options = {});
    ~TFilterExpr();
    TFilterExpr(TFilterExpr&& Other) noexcept;
    TFilterExpr& operator=(TFilterExpr&& Other) noexcept;
    TFilterExpr(const TFilterExpr&) = delete;
    TFilterExpr& operator=(const TFilterExpr&) = delete;

    const String& Text() const { return FText; }
    TFilterOptions Options() const { return FOptions; }
    bool IsEmpty() const { return !FRoot; }
    // The field indexes the expression reads, each once, in order of appearance.
    const std::vector<int>& FieldIndexes() const { return FFieldIndexes; }

    // True when the current record passes.  Safe to call from several threads.
    bool Evaluate(const TFilterRecordAccessor& Get) const;

private:
    String FText;
    TFilterOptions FOptions;
    std::unique_ptr<TFilterNode> FRoot;
    std::vector<int> FFieldIndexes;
};
