#include "platform/db/FilterExpr.h"

#include "platform/rtl/SysUtils.h"

#include <QDate>
#include <cmath>
#include <optional>

// --- nodes ---------------------------------------------------------------

// A predicate: true or false for the current record.
class TFilterNode {
public:
    virtual ~TFilterNode() = default;
    virtual bool Test(const TFilterRecordAccessor& Get) const = 0;
};

namespace {

// Static types of operands.  A quoted literal is etString until it meets the
// operand it is compared with, which decides what it is converted to.
enum TExprType : std::uint8_t { etNull, etInteger, etFloat, etString, etDate, etDateTime, etTime, etBoolean };

// How two operands compare at run time.  Dates, times and numbers are all
// doubles (or integers) by then; only the parse-time conversion differs.
enum TDomain : std::uint8_t { dmNumber, dmText, dmBoolean };

enum TCompareOp : std::uint8_t { coEQ, coNE, coLT, coGT, coLE, coGE };

TDomain DomainOf(TExprType Type)
{
    switch (Type) {
    case etString:
        return dmText;
    case etBoolean:
        return dmBoolean;
    default:
        return dmNumber;
    }
}

// Which types may meet in a comparison: a date is no number, even though
// both compare as numbers once the literals are converted.
enum TTypeKind : std::uint8_t { tyNumeric, tyTemporal, tyText, tyLogical };

TTypeKind KindOf(TExprType Type)
{
    switch (Type) {
    case etDate:
    case etDateTime:
    case etTime:
        return tyTemporal;
    case etString:
        return tyText;
    case etBoolean:
        return tyLogical;
    default:
        return tyNumeric;
    }
}

bool Holds(TCompareOp Op, int Cmp)
{
    switch (Op) {
    case coEQ: return Cmp == 0;
    case coNE: return Cmp != 0;
    case coLT: return Cmp < 0;
    case coGT: return Cmp > 0;
    case coLE: return Cmp <= 0;
    case coGE: return Cmp >= 0;
    }
    return false;
}

TCompareOp Mirrored(TCompareOp Op)
{
    switch (Op) {
    case coLT: return coGT;
    case coGT: return coLT;
    case coLE: return coGE;
    case coGE: return coLE;
    default: return Op;
    }
}

// --- text of a value ---------------------------------------------------------

// Decodes UTF-8 into UTF-16 without a heap allocation for the usual short
// field texts; malformed bytes become U+FFFD, as QString::fromUtf8 does.
class TTextBuffer {
public:
    QStringView Of(const TFilterValue& V)
    {
        switch (V.Kind()) {
        case TFilterValue::fvString:
            return V.StringView();
        case TFilterValue::fvUtf8:
            return Decode(V.Utf8());
        case TFilterValue::fvInteger:
            FHeap = QString::number(V.AsInteger());
            return FHeap;
        case TFilterValue::fvFloat:
        case TFilterValue::fvDateTime:
            FHeap = QString::number(V.AsFloat(), 'g', 15);
            return FHeap;
        case TFilterValue::fvBoolean:
            FHeap = V.AsBoolean() ? QStringLiteral("True") : QStringLiteral("False");
            return FHeap;
        case TFilterValue::fvNull:
            break;
        }
        return QStringView();
    }

private:
    QStringView Decode(QByteArrayView Bytes)
    {
        // UTF-8 never needs fewer bytes than UTF-16 units.
        if (Bytes.size() > LocalSize) {
            FHeap = QString::fromUtf8(Bytes);
            return FHeap;
        }
        const auto* P = reinterpret_cast<const unsigned char*>(Bytes.data());
        const auto* End = P + Bytes.size();
        char16_t* Out = FLocal;
        while (P < End) {
            const unsigned char C = *P;
            if (C < 0x80) {
                *Out++ = C;
                ++P;
                continue;
            }
            int Extra = 0;
            char32_t Code = 0;
            char32_t Min = 0;
            if ((C & 0xE0) == 0xC0) { Extra = 1; Code = C & 0x1F; Min = 0x80; }
            else if ((C & 0xF0) == 0xE0) { Extra = 2; Code = C & 0x0F; Min = 0x800; }
            else if ((C & 0xF8) == 0xF0) { Extra = 3; Code = C & 0x07; Min = 0x10000; }
            else { *Out++ = 0xFFFD; ++P; continue; }
            if (End - P <= Extra) { *Out++ = 0xFFFD; ++P; continue; }
            bool Ok = true;
            for (int I = 1; I <= Extra; ++I) {
                if ((P[I] & 0xC0) != 0x80) { Ok = false; break; }
                Code = (Code << 6) | (P[I] & 0x3F);
            }
            if (!Ok || Code < Min || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) {
                *Out++ = 0xFFFD;
                ++P;
                continue;
            }
            P += Extra + 1;
            if (Code >= 0x10000) {
                Code -= 0x10000;
                *Out++ = char16_t(0xD800 + (Code >> 10));
                *Out++ = char16_t(0xDC00 + (Code & 0x3FF));
            } else {
                *Out++ = char16_t(Code);
            }
        }
        return QStringView(FLocal, Out - FLocal);
    }

    static constexpr qsizetype LocalSize = 256;
    char16_t FLocal[LocalSize];
    QString FHeap;
};

// Case-insensitive order is that of the simple case folding; the
// case-sensitive order keeps words that differ only in case together and
// breaks their tie by code, the order a case-sensitive index has.
int CompareText(QStringView A, QStringView B, bool CaseInsensitive)
{
    const int Folded = A.compare(B, Qt::CaseInsensitive);
    if (Folded != 0 || CaseInsensitive)
        return Folded;
    return A.compare(B, Qt::CaseSensitive);
}

bool ToDouble(const TFilterValue& V, double& D)
{
    switch (V.Kind()) {
    case TFilterValue::fvInteger:
        D = double(V.AsInteger());
        return true;
    case TFilterValue::fvFloat:
    case TFilterValue::fvDateTime:
        D = V.AsFloat();
        return true;
    case TFilterValue::fvBoolean:
        D = V.AsBoolean() ? 1 : 0;
        return true;
    case TFilterValue::fvString:
    case TFilterValue::fvUtf8: {
        // Only when an accessor hands over a number as text.
        bool Ok = false;
        D = V.Kind() == TFilterValue::fvString ? V.StringView().toString().trimmed().toDouble(&Ok)
                                                : QString::fromUtf8(V.Utf8()).trimmed().toDouble(&Ok);
        return Ok;
    }
    case TFilterValue::fvNull:
        break;
    }
    return false;
}

std::optional<int> CompareNumbers(const TFilterValue& A, const TFilterValue& B)
{
    if (A.Kind() == TFilterValue::fvInteger && B.Kind() == TFilterValue::fvInteger)
        return A.AsInteger() < B.AsInteger() ? -1 : A.AsInteger() > B.AsInteger() ? 1 : 0;
    double X, Y;
    if (!ToDouble(A, X) || !ToDouble(B, Y))
        return std::nullopt;
    if (X < Y)
        return -1;
    if (X > Y)
        return 1;
    if (X == Y)
        return 0;
    return std::nullopt;  // NaN
}

bool ToBoolean(const TFilterValue& V, bool& B)
{
    switch (V.Kind()) {
    case TFilterValue::fvBoolean:
    case TFilterValue::fvInteger:
        B = V.AsInteger() != 0;
        return true;
    default:
        return false;
    }
}

// Null on either side: no comparison holds.
bool CompareValues(TDomain Domain, TCompareOp Op, const TFilterValue& A, const TFilterValue& B,
                   bool CaseInsensitive)
{
    if (A.IsNull() || B.IsNull())
        return false;
    switch (Domain) {
    case dmNumber: {
        const std::optional<int> Cmp = CompareNumbers(A, B);
        return Cmp && Holds(Op, *Cmp);
    }
    case dmBoolean: {
        bool X, Y;
        if (!ToBoolean(A, X) || !ToBoolean(B, Y))
            return false;
        return Holds(Op, int(X) - int(Y));
    }
    case dmText: {
        if ((Op == coEQ || Op == coNE) && !CaseInsensitive && A.Kind() == TFilterValue::fvUtf8 &&
            B.Kind() == TFilterValue::fvUtf8)
            return (A.Utf8() == B.Utf8()) == (Op == coEQ);
        TTextBuffer BufA, BufB;
        const QStringView X = BufA.Of(A);
        const QStringView Y = BufB.Of(B);
        if (Op == coEQ || Op == coNE)
            return (X.compare(Y, CaseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0) == (Op == coEQ);
        return Holds(Op, CompareText(X, Y, CaseInsensitive));
    }
    }
    return false;
}

// --- operands ---------------------------------------------------------------

class TOperand {
public:
    virtual ~TOperand() = default;
    virtual TFilterValue Value(const TFilterRecordAccessor& Get) const = 0;
    // The field index when the operand is a field as it stands, else -1:
    // comparisons read such a field directly.
    virtual int FieldIndex() const { return -1; }
};

using TOperandPtr = std::unique_ptr<TOperand>;
using TNodePtr = std::unique_ptr<TFilterNode>;

class TFieldOperand final : public TOperand {
public:
    explicit TFieldOperand(int Index) : FIndex(Index) {}
    TFilterValue Value(const TFilterRecordAccessor& Get) const override { return Get(FIndex); }
    int FieldIndex() const override { return FIndex; }

private:
    int FIndex;
};

class TConstOperand final : public TOperand {
public:
    explicit TConstOperand(TFilterValue Value) : FValue(std::move(Value)) {}
    TFilterValue Value(const TFilterRecordAccessor&) const override { return FValue; }

private:
    TFilterValue FValue;
};

enum TFunction { fnUpper, fnLower, fnTrim, fnTrimLeft, fnTrimRight, fnYear, fnMonth, fnDay };

struct TFunctionInfo {
    const char* Name;
    TFunction Function;
};

constexpr TFunctionInfo Functions[] = {
    {"UPPER", fnUpper}, {"LOWER", fnLower}, {"TRIM", fnTrim}, {"TRIMLEFT", fnTrimLeft},
    {"TRIMRIGHT", fnTrimRight}, {"YEAR", fnYear}, {"MONTH", fnMonth}, {"DAY", fnDay},
};

bool IsTextFunction(TFunction F) { return F <= fnTrimRight; }

// The classic trims: everything up to ' ' (control characters included).
QStringView TrimmedView(QStringView S, bool Left, bool Right)
{
    qsizetype Start = 0, End = S.size();
    if (Left)
        while (Start < End && S[Start].unicode() <= ' ')
            ++Start;
    if (Right)
        while (End > Start && S[End - 1].unicode() <= ' ')
            --End;
    return S.mid(Start, End - Start);
}

TFilterValue ApplyFunction(TFunction F, const TFilterValue& Arg)
{
    if (Arg.IsNull())
        return TFilterValue::Null();
    if (IsTextFunction(F)) {
        TTextBuffer Buf;
        const QStringView S = Buf.Of(Arg);
        switch (F) {
        case fnUpper: return TFilterValue::FromString(S.toString().toUpper());
        case fnLower: return TFilterValue::FromString(S.toString().toLower());
        case fnTrim: return TFilterValue::FromString(TrimmedView(S, true, true).toString());
        case fnTrimLeft: return TFilterValue::FromString(TrimmedView(S, true, false).toString());
        default: return TFilterValue::FromString(TrimmedView(S, false, true).toString());
        }
    }
    double D;
    if (!ToDouble(Arg, D) || !std::isfinite(D) || D < MinDateTime || D >= MaxDateTime + 1)
        return TFilterValue::Null();
    // Day 0 is 1899-12-30, Julian day 2415019; the time never moves the date.
    const QDate Day = QDate::fromJulianDay(2415019 + std::int64_t(std::trunc(D)));
    switch (F) {
    case fnYear: return TFilterValue::FromInteger(Day.year());
    case fnMonth: return TFilterValue::FromInteger(Day.month());
    default: return TFilterValue::FromInteger(Day.day());
    }
}

class TFunctionOperand final : public TOperand {
public:
    TFunctionOperand(TFunction F, TOperandPtr Arg) : FFunction(F), FArg(std::move(Arg)) {}
    TFilterValue Value(const TFilterRecordAccessor& Get) const override
    {
        return ApplyFunction(FFunction, FArg->Value(Get));
    }

private:
    TFunction FFunction;
    TOperandPtr FArg;
};

// --- predicates -------------------------------------------------------------

class TConstNode final : public TFilterNode {
public:
    explicit TConstNode(bool Value) : FValue(Value) {}
    bool Test(const TFilterRecordAccessor&) const override { return FValue; }

private:
    bool FValue;
};

class TAndNode final : public TFilterNode {
public:
    explicit TAndNode(std::vector<TNodePtr> Items) : FItems(std::move(Items)) {}
    bool Test(const TFilterRecordAccessor& Get) const override
    {
        for (const TNodePtr& Item : FItems)
            if (!Item->Test(Get))
                return false;
        return true;
    }

private:
    std::vector<TNodePtr> FItems;
};

class TOrNode final : public TFilterNode {
public:
    explicit TOrNode(std::vector<TNodePtr> Items) : FItems(std::move(Items)) {}
    bool Test(const TFilterRecordAccessor& Get) const override
    {
        for (const TNodePtr& Item : FItems)
            if (Item->Test(Get))
                return true;
        return false;
    }

private:
    std::vector<TNodePtr> FItems;
};

class TNotNode final : public TFilterNode {
public:
    explicit TNotNode(TNodePtr Item) : FItem(std::move(Item)) {}
    bool Test(const TFilterRecordAccessor& Get) const override { return !FItem->Test(Get); }

private:
    TNodePtr FItem;
};

// Reads an operand, going straight to the accessor for a plain field.
class TOperandReader {
public:
    explicit TOperandReader(TOperandPtr Operand) : FOperand(std::move(Operand)), FField(FOperand->FieldIndex()) {}
    TFilterValue Read(const TFilterRecordAccessor& Get) const
    {
        return FField >= 0 ? Get(FField) : FOperand->Value(Get);
    }

private:
    TOperandPtr FOperand;
    int FField;
};

class TIsNullNode final : public TFilterNode {
public:
    TIsNullNode(TOperandPtr Operand, bool Negated) : FOperand(std::move(Operand)), FNegated(Negated) {}
    bool Test(const TFilterRecordAccessor& Get) const override { return FOperand.Read(Get).IsNull() != FNegated; }

private:
    TOperandReader FOperand;
    bool FNegated;
};

// A boolean operand standing alone as a condition.
class TBooleanNode final : public TFilterNode {
public:
    explicit TBooleanNode(TOperandPtr Operand) : FOperand(std::move(Operand)) {}
    bool Test(const TFilterRecordAccessor& Get) const override
    {
        bool B = false;
        return ToBoolean(FOperand.Read(Get), B) && B;
    }

private:
    TOperandReader FOperand;
};

class TCompareNode final : public TFilterNode {
public:
    TCompareNode(TOperandPtr Left, TCompareOp Op, TOperandPtr Right, TDomain Domain, bool CaseInsensitive)
        : FLeft(std::move(Left)), FRight(std::move(Right)), FOp(Op), FDomain(Domain), FCaseInsensitive(CaseInsensitive)
    {
    }
    bool Test(const TFilterRecordAccessor& Get) const override
    {
        const TFilterValue A = FLeft.Read(Get);
        if (A.IsNull())
            return false;
        return CompareValues(FDomain, FOp, A, FRight.Read(Get), FCaseInsensitive);
    }

private:
    TOperandReader FLeft;
    TOperandReader FRight;
    TCompareOp FOp;
    TDomain FDomain;
    bool FCaseInsensitive;
};

// An operand against a constant already converted to the operand's type;
// the usual shape of a filter, so it gets the short path.
class TCompareConstNode final : public TFilterNode {
public:
    TCompareConstNode(TOperandPtr Left, TCompareOp Op, const TFilterValue& Constant, TDomain Domain,
                      bool CaseInsensitive)
        : FLeft(std::move(Left)), FOp(Op), FDomain(Domain), FCaseInsensitive(CaseInsensitive)
    {
        if (Domain == dmText) {
            FText = Constant.StringView().toString();
            FUtf8 = FText.toUtf8();
            FConstant = TFilterValue::FromString(FText);
        } else {
            FConstant = Constant;
        }
    }
    bool Test(const TFilterRecordAccessor& Get) const override
    {
        const TFilterValue A = FLeft.Read(Get);
        if (A.Kind() == TFilterValue::fvInteger && FConstant.Kind() == TFilterValue::fvInteger)
            return Holds(FOp, A.AsInteger() < FConstant.AsInteger() ? -1 : A.AsInteger() > FConstant.AsInteger() ? 1 : 0);
        if (FDomain == dmText && A.Kind() == TFilterValue::fvUtf8 && !FCaseInsensitive && (FOp == coEQ || FOp == coNE))
            return (A.Utf8() == QByteArrayView(FUtf8)) == (FOp == coEQ);
        return CompareValues(FDomain, FOp, A, FConstant, FCaseInsensitive);
    }

private:
    TOperandReader FLeft;
    TCompareOp FOp;
    TDomain FDomain;
    bool FCaseInsensitive;
    TFilterValue FConstant;
    QString FText;
    QByteArray FUtf8;
};

// "= 'Jan*'": the text starts with the prefix ("<>" negates).
class TPrefixNode final : public TFilterNode {
public:
    TPrefixNode(TOperandPtr Left, const QString& Prefix, bool Negated, bool CaseInsensitive)
        : FLeft(std::move(Left)), FPrefix(Prefix), FUtf8(Prefix.toUtf8()), FNegated(Negated),
          FCaseInsensitive(CaseInsensitive)
    {
    }
    bool Test(const TFilterRecordAccessor& Get) const override
    {
        const TFilterValue A = FLeft.Read(Get);
        if (A.IsNull())
            return false;
        // A UTF-8 prefix of whole characters is a byte prefix.
        if (A.Kind() == TFilterValue::fvUtf8 && !FCaseInsensitive)
            return A.Utf8().startsWith(QByteArrayView(FUtf8)) != FNegated;
        TTextBuffer Buf;
        return Buf.Of(A).startsWith(FPrefix, FCaseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive) != FNegated;
    }

private:
    TOperandReader FLeft;
    QString FPrefix;
    QByteArray FUtf8;
    bool FNegated;
    bool FCaseInsensitive;
};

// LIKE with '%' for any run of characters and '_' for one character.
bool LikeMatch(QStringView S, QStringView P, bool CaseInsensitive)
{
    auto Same = [CaseInsensitive](QChar A, QChar B) {
        return A == B || (CaseInsensitive && A.toCaseFolded() == B.toCaseFolded());
    };
    // One "character" for '_': a surrogate pair counts as one.
    auto Step = [&S](qsizetype I) {
        return I + 1 < S.size() && S[I].isHighSurrogate() && S[I + 1].isLowSurrogate() ? 2 : 1;
    };
    qsizetype I = 0, J = 0, Star = -1, Mark = 0;
    while (I < S.size()) {
        if (J < P.size() && P[J] == u'%') {
            Star = J++;
            Mark = I;
        } else if (J < P.size() && P[J] == u'_') {
            I += Step(I);
            ++J;
        } else if (J < P.size() && Same(P[J], S[I])) {
            ++I;
            ++J;
        } else if (Star >= 0) {
            J = Star + 1;
            Mark += Step(Mark);
            I = Mark;
        } else {
            return false;
        }
    }
    while (J < P.size() && P[J] == u'%')
        ++J;
    return J == P.size();
}

class TLikeNode final : public TFilterNode {
public:
    TLikeNode(TOperandPtr Left, const QString& Pattern, bool Negated, bool CaseInsensitive)
        : FLeft(std::move(Left)), FPattern(Pattern), FNegated(Negated), FCaseInsensitive(CaseInsensitive)
    {
    }
    bool Test(const TFilterRecordAccessor& Get) const override
    {
        const TFilterValue A = FLeft.Read(Get);
        if (A.IsNull())
            return false;
        TTextBuffer Buf;
        return LikeMatch(Buf.Of(A), FPattern, FCaseInsensitive) != FNegated;
    }

private:
    TOperandReader FLeft;
    QString FPattern;
    bool FNegated;
    bool FCaseInsensitive;
};

class TInNode final : public TFilterNode {
public:
    TInNode(TOperandPtr Left, std::vector<TFilterValue> Items, TDomain Domain, bool Negated, bool CaseInsensitive)
        : FLeft(std::move(Left)), FItems(std::move(Items)), FDomain(Domain), FNegated(Negated),
          FCaseInsensitive(CaseInsensitive)
    {
    }
    bool Test(const TFilterRecordAccessor& Get) const override
    {
        const TFilterValue A = FLeft.Read(Get);
        if (A.IsNull())
            return false;
        for (const TFilterValue& Item : FItems)
            if (CompareValues(FDomain, coEQ, A, Item, FCaseInsensitive))
                return !FNegated;
        return FNegated;
    }

private:
    TOperandReader FLeft;
    std::vector<TFilterValue> FItems;
    TDomain FDomain;
    bool FNegated;
    bool FCaseInsensitive;
};

// --- tokens -----------------------------------------------------------------

enum TTokenKind { tkEnd, tkName, tkString, tkNumber, tkSymbol };

struct TToken {
    TTokenKind Kind = tkEnd;
    String Text;   // names without their quotes, strings undoubled, symbols as written
    String Raw;    // as written, for messages
    bool Quoted = false;  // a name in brackets or double quotes: never a keyword
};

// Nesting deeper than this is refused rather than risking the stack.
constexpr int MaxDepth = 200;
// Longer texts are refused before they are taken apart: a text of a
// million conditions would otherwise hold hundreds of megabytes of tokens
// and nodes.  A typed filter, or a chain of twenty thousand conditions, fits.
constexpr qsizetype MaxLength = 256 * 1024;

// What a piece of the text parsed into: a condition, or an operand (a field,
// a function of one, or a literal that keeps its value for conversion).
struct TTerm {
    TNodePtr Node;
    TOperandPtr Operand;
    TExprType Type = etNull;
    bool Literal = false;
    bool Quoted = false;     // a quoted literal: converts to what it meets
    TFilterValue Constant;   // the literal's value
    String FieldName;        // a plain field, for messages

    bool IsCondition() const { return Node != nullptr; }
};

// Fmt with its "%s" replaced by the start of Arg (see QuotedInput).
String Substitute(const char* Fmt, const String& Arg)
{
    String S = QString::fromUtf8(Fmt);
    const qsizetype At = S.indexOf(QLatin1String("%s"));
    if (At >= 0)
        S.replace(At, 2, QuotedInput(Arg));
    return S;
}

class TParser {
public:
    TParser(const String& Text, const TFilterFieldResolver& Resolve, TFilterOptions Options,
            std::vector<int>& FieldIndexes)
        : FText(Text), FResolve(Resolve), FOptions(Options), FFieldIndexes(FieldIndexes)
    {
    }

    TNodePtr Parse()
    {
        if (FText.size() > MaxLength)
            Fail(QStringLiteral("Filter expression too long"));
        Tokenize();
        if (FTokens.size() == 1)
            return nullptr;  // blank: no condition
        TTerm Term = ParseOr();
        if (Peek().Kind != tkEnd)
            Fail(QStringLiteral("Filter expression incorrectly terminated"));
        return AsCondition(std::move(Term));
    }

private:
    [[noreturn]] void Fail(const String& Problem) const
    {
        throw EDatabaseError(Problem + QStringLiteral(" in filter expression '") + QuotedInput(FText)
                             + QLatin1Char('\''));
    }

    // --- tokenizer ---

    void Tokenize()
    {
        const String& S = FText;
        qsizetype I = 0;
        const qsizetype N = S.size();
        while (true) {
            while (I < N && (S[I].unicode() <= ' ' || S[I].isSpace()))
                ++I;
            TToken T;
            if (I >= N) {
                FTokens.push_back(T);
                return;
            }
            const qsizetype Start = I;
            const QChar C = S[I];
            if (C == u'\'') {
                T.Kind = tkString;
                ++I;
                while (true) {
                    if (I >= N)
                        Fail(QStringLiteral("Unterminated string constant"));
                    if (S[I] == u'\'') {
                        if (I + 1 < N && S[I + 1] == u'\'') {
                            T.Text += u'\'';
                            I += 2;
                            continue;
                        }
                        ++I;
                        break;
                    }
                    T.Text += S[I++];
                }
            } else if (C == u'[' || C == u'"') {
                const QChar Close = C == u'[' ? u']' : u'"';
                const qsizetype End = S.indexOf(Close, I + 1);
                if (End < 0)
                    Fail(QStringLiteral("Unterminated field name"));
                T.Kind = tkName;
                T.Quoted = true;
                T.Text = S.mid(I + 1, End - I - 1);
                I = End + 1;
            } else if (C.isLetter() || C == u'_') {
                T.Kind = tkName;
                while (I < N && (S[I].isLetterOrNumber() || S[I] == u'_'))
                    ++I;
                T.Text = S.mid(Start, I - Start);
            } else if (IsDigit(C) || (C == u'.' && I + 1 < N && IsDigit(S[I + 1]))) {
                T.Kind = tkNumber;
                while (I < N && IsDigit(S[I]))
                    ++I;
                if (I < N && S[I] == u'.') {
                    ++I;
                    while (I < N && IsDigit(S[I]))
                        ++I;
                }
                T.Text = S.mid(Start, I - Start);
            } else {
                T.Kind = tkSymbol;
                static const QString Pairs[] = {QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">=")};
                for (const QString& Pair : Pairs)
                    if (QStringView(S).mid(I, 2) == Pair)
                        T.Text = Pair;
                if (T.Text.isEmpty()) {
                    if (!QStringLiteral("=<>(),+-*/").contains(C))
                        Fail(Substitute("Invalid filter expression character: '%s'", String(C)));
                    T.Text = String(C);
                }
                I += T.Text.size();
            }
            T.Raw = S.mid(Start, I - Start);
            FTokens.push_back(std::move(T));
        }
    }

    static bool IsDigit(QChar C) { return C >= u'0' && C <= u'9'; }

    const TToken& Peek(int Ahead = 0) const
    {
        const std::size_t At = std::min(FPos + std::size_t(Ahead), FTokens.size() - 1);
        return FTokens[At];
    }
    const TToken& Next()
    {
        const TToken& T = Peek();
        if (FPos + 1 < FTokens.size())
            ++FPos;
        return T;
    }
    bool IsKeyword(const TToken& T, const char* Word) const
    {
        return T.Kind == tkName && !T.Quoted && T.Text.compare(QLatin1String(Word), Qt::CaseInsensitive) == 0;
    }
    bool IsSymbol(const TToken& T, const char* Symbol) const
    {
        return T.Kind == tkSymbol && T.Text == QLatin1String(Symbol);
    }
    static String Describe(const TToken& T)
    {
        if (T.Kind == tkEnd)
            return QStringLiteral("nothing");
        if (T.Kind == tkString)
            return QuotedInput(T.Raw);
        return QLatin1Char('\'') + QuotedInput(T.Raw) + QLatin1Char('\'');
    }
    void Expect(const char* Symbol)
    {
        if (!IsSymbol(Peek(), Symbol))
            Fail(Substitute("'%s' expected but ", QString::fromLatin1(Symbol)) + Describe(Peek()) +
                 QStringLiteral(" found"));
        Next();
    }

    struct TDepthGuard {
        explicit TDepthGuard(TParser& P) : Parser(P)
        {
            if (++Parser.FDepth > MaxDepth)
                Parser.Fail(QStringLiteral("Filter expression nested too deeply"));
        }
        ~TDepthGuard() { --Parser.FDepth; }
        TParser& Parser;
    };

    // --- grammar ---

    TTerm ParseOr()
    {
        TTerm First = ParseAnd();
        if (!IsKeyword(Peek(), "OR"))
            return First;
        std::vector<TNodePtr> Items;
        Items.push_back(AsCondition(std::move(First)));
        while (IsKeyword(Peek(), "OR")) {
            Next();
            Items.push_back(AsCondition(ParseAnd()));
        }
        return Condition(std::make_unique<TOrNode>(std::move(Items)));
    }

    TTerm ParseAnd()
    {
        TTerm First = ParseNot();
        if (!IsKeyword(Peek(), "AND"))
            return First;
        std::vector<TNodePtr> Items;
        Items.push_back(AsCondition(std::move(First)));
        while (IsKeyword(Peek(), "AND")) {
            Next();
            Items.push_back(AsCondition(ParseNot()));
        }
        return Condition(std::make_unique<TAndNode>(std::move(Items)));
    }

    TTerm ParseNot()
    {
        if (!IsKeyword(Peek(), "NOT"))
            return ParsePredicate();
        TDepthGuard Guard(*this);
        Next();
        return Condition(std::make_unique<TNotNode>(AsCondition(ParseNot())));
    }

    TTerm ParsePredicate()
    {
        TTerm Left = ParseOperand();
        const TToken& T = Peek();
        if (T.Kind == tkSymbol) {
            static const struct { const char* Symbol; TCompareOp Op; } Ops[] = {
                {"=", coEQ}, {"<>", coNE}, {"<", coLT}, {">", coGT}, {"<=", coLE}, {">=", coGE}};
            for (const auto& Entry : Ops)
                if (T.Text == QLatin1String(Entry.Symbol)) {
                    Next();
                    return Compare(std::move(Left), Entry.Op, ParseOperand());
                }
            if (T.Text != QLatin1String("(") && T.Text != QLatin1String(")") && T.Text != QLatin1String(","))
                Fail(QStringLiteral("Arithmetic in filter expressions not supported"));
            return Left;
        }
        if (IsKeyword(T, "IS")) {
            Next();
            const bool Negated = IsKeyword(Peek(), "NOT");
            if (Negated)
                Next();
            if (!IsKeyword(Peek(), "NULL"))
                Fail(QStringLiteral("'NULL' expected but ") + Describe(Peek()) + QStringLiteral(" found"));
            Next();
            return IsNull(std::move(Left), Negated);
        }
        bool Negated = false;
        if (IsKeyword(T, "NOT") && (IsKeyword(Peek(1), "LIKE") || IsKeyword(Peek(1), "IN"))) {
            Negated = true;
            Next();
        }
        if (IsKeyword(Peek(), "LIKE")) {
            Next();
            return Like(std::move(Left), ParseOperand(), Negated);
        }
        if (IsKeyword(Peek(), "IN")) {
            Next();
            return In(std::move(Left), Negated);
        }
        return Left;
    }

    TTerm ParseOperand()
    {
        const TToken& T = Peek();
        switch (T.Kind) {
        case tkEnd:
            Fail(QStringLiteral("Expression expected but nothing found"));
        case tkString: {
            TTerm Term = Literal(etString, TFilterValue::FromString(T.Text));
            Term.Quoted = true;
            Next();
            return Term;
        }
        case tkNumber: {
            const String Digits = T.Text;
            Next();
            return Number(Digits, false);
        }
        case tkSymbol:
            if (IsSymbol(T, "(")) {
                TDepthGuard Guard(*this);
                Next();
                TTerm Inner = ParseOr();
                Expect(")");
                return Inner;
            }
            if (IsSymbol(T, "-") || IsSymbol(T, "+")) {
                const bool Negative = IsSymbol(T, "-");
                Next();
                if (Peek().Kind != tkNumber)
                    Fail(QStringLiteral("Arithmetic in filter expressions not supported"));
                const String Digits = Peek().Text;
                Next();
                return Number(Digits, Negative);
            }
            Fail(QStringLiteral("Expression expected but ") + Describe(T) + QStringLiteral(" found"));
        case tkName:
            break;
        }
        if (!T.Quoted) {
            if (IsKeyword(T, "NULL")) {
                Next();
                return Literal(etNull, TFilterValue::Null());
            }
            if (IsKeyword(T, "TRUE") || IsKeyword(T, "FALSE")) {
                const bool Value = IsKeyword(T, "TRUE");
                Next();
                return Literal(etBoolean, TFilterValue::FromBoolean(Value));
            }
            static const char* const Reserved[] = {"AND", "OR", "NOT", "IS", "LIKE", "IN"};
            for (const char* Word : Reserved)
                if (IsKeyword(T, Word))
                    Fail(QStringLiteral("Expression expected but ") + Describe(T) + QStringLiteral(" found"));
            if (IsSymbol(Peek(1), "("))
                return FunctionCall();
        }
        const String Name = T.Text;
        Next();
        return Field(Name);
    }

    TTerm FunctionCall()
    {
        const String Name = Next().Text;
        const TFunctionInfo* Info = nullptr;
        for (const TFunctionInfo& F : Functions)
            if (Name.compare(QLatin1String(F.Name), Qt::CaseInsensitive) == 0)
                Info = &F;
        if (!Info)
            Fail(Substitute("Unknown function '%s'", Name));
        TDepthGuard Guard(*this);
        Expect("(");
        TTerm Arg = ParseOr();
        Expect(")");
        if (Arg.IsCondition())
            TypeMismatch();
        const bool Text = IsTextFunction(Info->Function);
        if (Text ? Arg.Type != etString : (Arg.Type != etDate && Arg.Type != etDateTime && !Arg.Quoted))
            TypeMismatch();
        if (!Text && Arg.Quoted)
            Arg.Constant = Convert(Arg.Constant.StringView().toString(), etDate);
        if (Arg.Literal) {
            TTerm Result = Literal(Text ? etString : etInteger, ApplyFunction(Info->Function, Arg.Constant));
            Result.Quoted = Text && Arg.Quoted;
            return Result;
        }
        TTerm Result;
        Result.Type = Text ? etString : etInteger;
        Result.Operand = std::make_unique<TFunctionOperand>(Info->Function, std::move(Arg.Operand));
        return Result;
    }

    TTerm Field(const String& Name)
    {
        const TFilterField F = FResolve ? FResolve(Name) : TFilterField();
        if (F.Index < 0)
            throw EDatabaseError(Substitute(DBConsts::SFieldNotFound, Name));
        TTerm Term;
        switch (F.DataType) {
        case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
            Term.Type = etInteger;
            break;
        case ftFloat: case ftCurrency: case ftBCD:
            Term.Type = etFloat;
            break;
        case ftString: case ftFixedChar: case ftWideString: case ftMemo: case ftFmtMemo:
            Term.Type = etString;
            break;
        case ftDate:
            Term.Type = etDate;
            break;
        case ftDateTime:
            Term.Type = etDateTime;
            break;
        case ftTime:
            Term.Type = etTime;
            break;
        case ftBoolean:
            Term.Type = etBoolean;
            break;
        default:
            Fail(Substitute("Field '%s' cannot be used in a filter expression", Name));
        }
        Term.FieldName = Name;
        Term.Operand = std::make_unique<TFieldOperand>(F.Index);
        if (std::find(FFieldIndexes.begin(), FFieldIndexes.end(), F.Index) == FFieldIndexes.end())
            FFieldIndexes.push_back(F.Index);
        return Term;
    }

    TTerm Number(const String& Digits, bool Negative)
    {
        const String Text = Negative ? QStringLiteral("-") + Digits : Digits;
        if (!Digits.contains(u'.')) {
            bool Ok = false;
            const qlonglong I = Text.toLongLong(&Ok);
            if (Ok)
                return Literal(etInteger, TFilterValue::FromInteger(I));
        }
        // Too long for an integer, or with a fraction (".5" and "5." too).
        bool Ok = false;
        double D = Text.toDouble(&Ok);
        if (!Ok) {
            String Fixed = Text;
            if (Fixed.endsWith(u'.'))
                Fixed.chop(1);
            D = Fixed.toDouble(&Ok);
        }
        if (!Ok || !std::isfinite(D))
            Fail(QStringLiteral("Constant out of range"));
        return Literal(etFloat, TFilterValue::FromFloat(D));
    }

    static TTerm Literal(TExprType Type, TFilterValue Value)
    {
        TTerm Term;
        Term.Type = Type;
        Term.Literal = true;
        Term.Constant = std::move(Value);
        return Term;
    }

    static TTerm Condition(TNodePtr Node)
    {
        TTerm Term;
        Term.Type = etBoolean;
        Term.Node = std::move(Node);
        return Term;
    }

    [[noreturn]] void TypeMismatch() const { Fail(QStringLiteral("Type mismatch in expression")); }

    TNodePtr AsCondition(TTerm Term)
    {
        if (Term.Node)
            return std::move(Term.Node);
        if (Term.Type != etBoolean) {
            if (!Term.FieldName.isEmpty())
                Fail(Substitute("Field '%s' is not of type Boolean", Term.FieldName));
            TypeMismatch();
        }
        if (Term.Literal)
            return std::make_unique<TConstNode>(Term.Constant.AsBoolean());
        return std::make_unique<TBooleanNode>(std::move(Term.Operand));
    }

    static TOperandPtr OperandOf(TTerm& Term)
    {
        if (Term.Literal)
            return std::make_unique<TConstOperand>(Term.Constant);
        return std::move(Term.Operand);
    }

    // A quoted literal read as the type it is compared with, under the
    // classic conversion texts.
    TFilterValue Convert(const String& Text, TExprType Target) const
    {
        const String Trimmed = Trim(Text);
        switch (Target) {
        case etInteger: {
            long long I = 0;
            if (TryStrToInt64(Trimmed, I))
                return TFilterValue::FromInteger(I);
            double D = 0;
            if (TryStrToFloat(Trimmed, D) && std::isfinite(D))
                return TFilterValue::FromFloat(D);
            Fail(Substitute("'%s' is not a valid integer value", Text));
        }
        case etFloat: {
            double D = 0;
            bool Ok = TryStrToFloat(Trimmed, D);
            if (!Ok)
                D = Trimmed.toDouble(&Ok);
            if (!Ok || !std::isfinite(D))
                Fail(Substitute("'%s' is not a valid floating point value", Text));
            return TFilterValue::FromFloat(D);
        }
        case etDate:
        case etDateTime: {
            TDateTime D = 0;
            const bool Ok = Target == etDate ? TryStrToDate(Trimmed, D) || TryStrToDateTime(Trimmed, D)
                                             : TryStrToDateTime(Trimmed, D) || TryStrToDate(Trimmed, D);
            if (!Ok)
                Fail(Substitute(Target == etDate ? "'%s' is not a valid date" : "'%s' is not a valid date and time",
                                Text));
            return TFilterValue::FromDateTime(D);
        }
        case etTime: {
            TDateTime D = 0;
            if (!TryStrToTime(Trimmed, D))
                Fail(Substitute("'%s' is not a valid time", Text));
            return TFilterValue::FromDateTime(D);
        }
        case etBoolean:
            if (Trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                return TFilterValue::FromBoolean(true);
            if (Trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                return TFilterValue::FromBoolean(false);
            Fail(Substitute("'%s' is not a valid boolean value", Text));
        case etString:
        case etNull:
            break;
        }
        return TFilterValue::FromString(Text);
    }

    // Brings a quoted literal to the type of the other side; afterwards both
    // sides must meet in one domain.
    TDomain Reconcile(TTerm& Left, TTerm& Right)
    {
        if (Right.Quoted && !Left.Quoted && Left.Type != etString) {
            Right.Constant = Convert(Right.Constant.StringView().toString(), Left.Type);
            Right.Type = Left.Type;
            Right.Quoted = false;
        } else if (Left.Quoted && !Right.Quoted && Right.Type != etString) {
            Left.Constant = Convert(Left.Constant.StringView().toString(), Right.Type);
            Left.Type = Right.Type;
            Left.Quoted = false;
        }
        if (KindOf(Left.Type) != KindOf(Right.Type))
            TypeMismatch();
        return DomainOf(Left.Type);
    }

    bool CaseInsensitive() const { return FOptions.Contains(foCaseInsensitive); }

    TTerm Compare(TTerm Left, TCompareOp Op, TTerm Right)
    {
        if (Left.IsCondition() || Right.IsCondition())
            TypeMismatch();
        if (Left.Type == etNull || Right.Type == etNull) {
            if (Op != coEQ && Op != coNE)
                Fail(QStringLiteral("NULL only allowed with '=' and '<>'"));
            if (Left.Type == etNull && Right.Type == etNull)
                return Condition(std::make_unique<TConstNode>(Op == coEQ));
            return IsNull(Left.Type == etNull ? std::move(Right) : std::move(Left), Op == coNE);
        }
        // A literal on the left reads as if written on the right.
        if (Left.Literal && !Right.Literal) {
            std::swap(Left, Right);
            Op = Mirrored(Op);
        }
        const TDomain Domain = Reconcile(Left, Right);
        if (Domain == dmText && Right.Quoted && (Op == coEQ || Op == coNE) &&
            !FOptions.Contains(foNoPartialCompare)) {
            const String Pattern = Right.Constant.StringView().toString();
            if (Pattern.endsWith(u'*'))
                return Condition(std::make_unique<TPrefixNode>(OperandOf(Left), Pattern.chopped(1), Op == coNE,
                                                               CaseInsensitive()));
        }
        if (Right.Literal)
            return Condition(std::make_unique<TCompareConstNode>(OperandOf(Left), Op, Right.Constant, Domain,
                                                                 CaseInsensitive()));
        return Condition(std::make_unique<TCompareNode>(OperandOf(Left), Op, OperandOf(Right), Domain,
                                                        CaseInsensitive()));
    }

    TTerm IsNull(TTerm Operand, bool Negated)
    {
        if (Operand.IsCondition())
            TypeMismatch();
        if (Operand.Literal)
            return Condition(std::make_unique<TConstNode>(Operand.Constant.IsNull() != Negated));
        return Condition(std::make_unique<TIsNullNode>(std::move(Operand.Operand), Negated));
    }

    TTerm Like(TTerm Left, TTerm Pattern, bool Negated)
    {
        if (Left.IsCondition() || Left.Type != etString || !Pattern.Quoted)
            TypeMismatch();
        return Condition(std::make_unique<TLikeNode>(OperandOf(Left), Pattern.Constant.StringView().toString(),
                                                     Negated, CaseInsensitive()));
    }

    TTerm In(TTerm Left, bool Negated)
    {
        if (Left.IsCondition() || Left.Type == etNull)
            TypeMismatch();
        Expect("(");
        if (IsSymbol(Peek(), ")"))
            Fail(QStringLiteral("IN predicate list may not be empty"));
        std::vector<TFilterValue> Items;
        TDomain Domain = DomainOf(Left.Type);
        while (true) {
            TTerm Item = ParseOperand();
            if (Item.IsCondition() || !Item.Literal || Item.Type == etNull)
                TypeMismatch();
            TTerm Probe;
            Probe.Type = Left.Type;
            Probe.Quoted = Left.Quoted;
            Domain = Reconcile(Probe, Item);
            Items.push_back(Item.Constant);
            if (IsSymbol(Peek(), ")"))
                break;
            if (!IsSymbol(Peek(), ","))
                Fail(QStringLiteral("')' or ',' expected but ") + Describe(Peek()) + QStringLiteral(" found"));
            Next();
        }
        Next();
        return Condition(std::make_unique<TInNode>(OperandOf(Left), std::move(Items), Domain, Negated,
                                                   CaseInsensitive()));
    }

    const String& FText;
    const TFilterFieldResolver& FResolve;
    TFilterOptions FOptions;
    std::vector<int>& FFieldIndexes;
    std::vector<TToken> FTokens;
    std::size_t FPos = 0;
    int FDepth = 0;
};

}  // namespace

// --- TFilterExpr -------------------------------------------------------------

TFilterExpr::TFilterExpr(const String& Text, const TFilterFieldResolver& Resolve, TFilterOptions Options)
    : FText(Text), FOptions(Options)
{
    TParser Parser(FText, Resolve, Options, FFieldIndexes);
    FRoot = Parser.Parse();
}

TFilterExpr::~TFilterExpr() = default;
TFilterExpr::TFilterExpr(TFilterExpr&& Other) noexcept = default;
TFilterExpr& TFilterExpr::operator=(TFilterExpr&& Other) noexcept = default;

bool TFilterExpr::Evaluate(const TFilterRecordAccessor& Get) const
{
    return !FRoot || FRoot->Test(Get);
}
