#include "platform/rtl/SysUtils.h"

#include <QStringView>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

TFormatSettings FormatSettings;

// --- trimming and case ----------------------------------------------------

namespace {

bool IsBlank(QChar C)
{
    return C.unicode() <= ' ';
}

bool IsAscii(const String& S)
{
    return std::all_of(S.begin(), S.end(), [](QChar C) { return C.unicode() < 0x80; });
}

char16_t AsciiLower(char16_t C)
{
    return (C >= 'A' && C <= 'Z') ? char16_t(C + 32) : C;
}

char16_t AsciiUpper(char16_t C)
{
    return (C >= 'a' && C <= 'z') ? char16_t(C - 32) : C;
}

template <typename Map>
String MapAscii(const String& S, Map Fn)
{
    String R = S;
    for (QChar& C : R)
        C = QChar(Fn(C.unicode()));
    return R;
}

// Maps code point by code point, so the length stays what it was.
String MapCodePoints(const String& S, char32_t (*Fn)(char32_t))
{
    String R;
    R.reserve(S.size());
    for (qsizetype I = 0; I < S.size(); ++I) {
        char32_t C = S[I].unicode();
        if (S[I].isHighSurrogate() && I + 1 < S.size() && S[I + 1].isLowSurrogate()) {
            C = QChar::surrogateToUcs4(S[I], S[I + 1]);
            ++I;
        }
        const char32_t M = Fn(C);
        R.append(QStringView(QChar::fromUcs4(M)));
    }
    return R;
}

int Sign(int V)
{
    return (V > 0) - (V < 0);
}

} // namespace

String TrimLeft(const String& S)
{
    qsizetype L = 0;
    while (L < S.size() && IsBlank(S[L]))
        ++L;
    return S.mid(L);
}

String TrimRight(const String& S)
{
    qsizetype R = S.size();
    while (R > 0 && IsBlank(S[R - 1]))
        --R;
    return S.left(R);
}

String Trim(const String& S)
{
    return TrimLeft(TrimRight(S));
}

String UpperCase(const String& S)
{
    return MapAscii(S, AsciiUpper);
}

String LowerCase(const String& S)
{
    return MapAscii(S, AsciiLower);
}

String AnsiUpperCase(const String& S)
{
    return MapCodePoints(S, [](char32_t C) { return QChar::toUpper(C); });
}

String AnsiLowerCase(const String& S)
{
    return MapCodePoints(S, [](char32_t C) { return QChar::toLower(C); });
}

String AnsiCaseFold(const String& S)
{
    if (IsAscii(S))
        return LowerCase(S);
    // Qt folds one character to one; going through the full upper case
    // first expands the characters whose folding is longer (ß, ﬁ, ŉ ...),
    // the second fold brings U+1E9E (capital sharp s) along.
    return S.toCaseFolded().toUpper().toCaseFolded();
}

String AnsiBaseFold(const String& S)
{
    const String Folded = AnsiCaseFold(S);
    if (IsAscii(Folded))
        return Folded;
    // Canonical decomposition puts every accent in a combining mark of its
    // own; dropping the marks leaves the base letters.
    const String Decomposed = Folded.normalized(QString::NormalizationForm_D);
    String Result;
    Result.reserve(Decomposed.size());
    for (QChar C : Decomposed)
        if (C.category() != QChar::Mark_NonSpacing)
            Result.append(C);
    return Result;
}

String AnsiSortKey(const String& S)
{
    const String Folded = AnsiCaseFold(S);
    if (IsAscii(Folded))
        return Folded;
    const String Base = AnsiBaseFold(Folded);
    return Base == Folded ? Folded : Base + QChar(u'\x01') + Folded;
}

// --- comparison -----------------------------------------------------------

int CompareStr(const String& S1, const String& S2)
{
    return Sign(QString::compare(S1, S2, Qt::CaseSensitive));
}

int CompareText(const String& S1, const String& S2)
{
    const qsizetype N = std::min(S1.size(), S2.size());
    for (qsizetype I = 0; I < N; ++I) {
        const int D = int(AsciiUpper(S1[I].unicode())) - int(AsciiUpper(S2[I].unicode()));
        if (D != 0)
            return Sign(D);
    }
    return Sign(int(S1.size() - S2.size()));
}

bool SameText(const String& S1, const String& S2)
{
    return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

int AnsiCompareText(const String& S1, const String& S2)
{
    // Plain ASCII is folded in place; from the first other character on the
    // rest of both strings is compared through the sort keys.
    const qsizetype N = std::min(S1.size(), S2.size());
    for (qsizetype I = 0; I < N; ++I) {
        const char16_t A = S1[I].unicode(), B = S2[I].unicode();
        if (A >= 0x80 || B >= 0x80)
            return Sign(QString::compare(AnsiSortKey(S1.mid(I)), AnsiSortKey(S2.mid(I)), Qt::CaseSensitive));
        const int D = int(AsciiLower(A)) - int(AsciiLower(B));
        if (D != 0)
            return Sign(D);
    }
    // No character folds to nothing: the longer string comes last.
    return Sign(int(S1.size() - S2.size()));
}

bool AnsiSameText(const String& S1, const String& S2)
{
    return AnsiCompareText(S1, S2) == 0;
}

int AnsiCompareStr(const String& S1, const String& S2)
{
    const int C = AnsiCompareText(S1, S2);
    return C != 0 ? C : CompareStr(S1, S2);
}

bool AnsiSameStr(const String& S1, const String& S2)
{
    return S1 == S2;
}

// --- integers -------------------------------------------------------------

String IntToStr(long long Value)
{
    return QString::number(Value);
}

String IntToHexBits(std::uint64_t Bits, int Digits)
{
    const String Hex = QString::number(Bits, 16).toUpper();
    return Hex.size() >= Digits ? Hex : String(Digits - Hex.size(), QLatin1Char('0')) + Hex;
}

namespace {

int DigitValue(QChar C, int Base)
{
    const char16_t U = C.unicode();
    int D = -1;
    if (U >= '0' && U <= '9')
        D = U - '0';
    else if (Base == 16 && AsciiLower(U) >= 'a' && AsciiLower(U) <= 'f')
        D = AsciiLower(U) - 'a' + 10;
    return D < Base ? D : -1;
}

// The classic Val: leading blanks, a sign, a hex prefix, digits to the end.
// Hex takes the bits of a Bits-wide unsigned number (so "$FFFFFFFF" is -1 as
// a 32-bit integer); decimal must lie within the signed range.
bool ParseInteger(const String& S, int Bits, long long& Value)
{
    qsizetype I = 0;
    const qsizetype N = S.size();
    while (I < N && (S[I] == QLatin1Char(' ') || S[I] == QLatin1Char('\t')))
        ++I;
    bool Negative = false;
    if (I < N && (S[I] == QLatin1Char('+') || S[I] == QLatin1Char('-')))
        Negative = S[I++] == QLatin1Char('-');
    int Base = 10;
    if (I < N && S[I] == QLatin1Char('$')) {
        Base = 16;
        ++I;
    } else if (I + 1 < N && S[I] == QLatin1Char('0') && (S[I + 1] == QLatin1Char('x') || S[I + 1] == QLatin1Char('X'))) {
        Base = 16;
        I += 2;
    }
    if (I >= N)
        return false;
    const std::uint64_t MaxBits = Bits == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << Bits) - 1;
    const std::uint64_t Limit = Base == 16 ? MaxBits : (MaxBits >> 1) + (Negative ? 1 : 0);
    std::uint64_t Acc = 0;
    for (; I < N; ++I) {
        const int D = DigitValue(S[I], Base);
        if (D < 0 || Acc > (Limit - std::uint64_t(D)) / std::uint64_t(Base))
            return false;
        Acc = Acc * std::uint64_t(Base) + std::uint64_t(D);
    }
    if (Bits == 32)
        Value = static_cast<std::int32_t>(static_cast<std::uint32_t>(Negative ? 0u - std::uint32_t(Acc) : std::uint32_t(Acc)));
    else
        Value = static_cast<long long>(Negative ? 0u - Acc : Acc);
    return true;
}

[[noreturn]] void InvalidInteger(const String& S)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(QuotedInput(S)));
}

} // namespace

bool TryStrToInt(const String& S, int& Value)
{
    long long V = 0;
    if (!ParseInteger(S, 32, V))
        return false;
    Value = int(V);
    return true;
}

int StrToInt(const String& S)
{
    int V = 0;
    if (!TryStrToInt(S, V))
        InvalidInteger(S);
    return V;
}

int StrToIntDef(const String& S, int Default)
{
    int V = 0;
    return TryStrToInt(S, V) ? V : Default;
}

bool TryStrToInt64(const String& S, long long& Value)
{
    return ParseInteger(S, 64, Value);
}

long long StrToInt64(const String& S)
{
    long long V = 0;
    if (!TryStrToInt64(S, V))
        InvalidInteger(S);
    return V;
}

long long StrToInt64Def(const String& S, long long Default)
{
    long long V = 0;
    return TryStrToInt64(S, V) ? V : Default;
}

// --- floating point: reading ------------------------------------------------

bool TryStrToFloat(const String& S, double& Value, const TFormatSettings& Settings)
{
    // Accept exactly: [sign] digits [sep digits] [e [sign] digits], with at
    // least one mantissa digit; then hand the C form to from_chars.
    const String T = Trim(S);
    std::string C;
    qsizetype I = 0;
    const qsizetype N = T.size();
    auto Digits = [&] {
        const qsizetype Start = I;
        while (I < N && T[I].unicode() >= '0' && T[I].unicode() <= '9')
            C += char(T[I++].unicode());
        return I - Start;
    };
    if (I < N && (T[I] == QLatin1Char('+') || T[I] == QLatin1Char('-'))) {
        if (T[I] == QLatin1Char('-'))
            C += '-';
        ++I;
    }
    qsizetype Mantissa = Digits();
    if (I < N && T[I] == Settings.DecimalSeparator) {
        C += '.';
        ++I;
        Mantissa += Digits();
    }
    if (Mantissa == 0)
        return false;
    if (I < N && (T[I] == QLatin1Char('e') || T[I] == QLatin1Char('E'))) {
        C += 'e';
        ++I;
        if (I < N && (T[I] == QLatin1Char('+') || T[I] == QLatin1Char('-')))
            C += char(T[I++].unicode());
        if (Digits() == 0)
            return false;
    }
    if (I != N)
        return false;
    double V = 0;
    const auto [End, Ec] = std::from_chars(C.data(), C.data() + C.size(), V);
    if (Ec != std::errc() || End != C.data() + C.size())
        return false;
    Value = V;
    return true;
}

bool TryStrToFloat(const String& S, double& Value)
{
    return TryStrToFloat(S, Value, FormatSettings);
}

double StrToFloat(const String& S, const TFormatSettings& Settings)
{
    double V = 0;
    if (!TryStrToFloat(S, V, Settings))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(QuotedInput(S)));
    return V;
}

double StrToFloat(const String& S)
{
    return StrToFloat(S, FormatSettings);
}

double StrToFloatDef(const String& S, double Default)
{
    double V = 0;
    return TryStrToFloat(S, V) ? V : Default;
}

// --- floating point: writing ------------------------------------------------

namespace {

// |Value| = 0.Digits x 10^Exponent; Digits empty for zero.
struct TDecimal {
    std::string Digits;
    int Exponent = 0;
    bool Negative = false;
};

void StripTrailingZeros(TDecimal& D)
{
    while (!D.Digits.empty() && D.Digits.back() == '0')
        D.Digits.pop_back();
    if (D.Digits.empty())
        D.Exponent = 0;
}

// Keeps the first Keep digits, rounding half away from zero.
void RoundDigits(TDecimal& D, int Keep)
{
    if (Keep >= int(D.Digits.size()))
        return;
    if (Keep < 0) {
        D.Digits.clear();
        D.Exponent = 0;
        return;
    }
    const bool Up = D.Digits[size_t(Keep)] >= '5';
    D.Digits.resize(size_t(Keep));
    if (Up) {
        int I = Keep - 1;
        while (I >= 0 && D.Digits[size_t(I)] == '9')
            D.Digits[size_t(I--)] = '0';
        if (I < 0) {
            D.Digits.insert(D.Digits.begin(), '1');
            ++D.Exponent;
        } else {
            ++D.Digits[size_t(I)];
        }
    }
    StripTrailingZeros(D);
}

// The value's first 15 significant digits (17 when more are asked for),
// then rounded to Precision digits.
TDecimal Decompose(double Value, int Precision)
{
    TDecimal D;
    D.Negative = std::signbit(Value);
    const int Base = Precision > 15 ? 17 : 15;
    char Buf[64];
    const auto R = std::to_chars(Buf, Buf + sizeof Buf, std::fabs(Value), std::chars_format::scientific, Base - 1);
    const std::string Text(Buf, R.ptr);
    const size_t E = Text.find('e');
    D.Digits = Text.substr(0, 1) + (E > 2 ? Text.substr(2, E - 2) : std::string());
    D.Exponent = std::stoi(Text.substr(E + 1)) + 1;
    if (D.Digits == std::string(D.Digits.size(), '0'))
        D.Digits.clear();
    RoundDigits(D, Precision);
    StripTrailingZeros(D);
    return D;
}

String Latin(const std::string& S)
{
    return String::fromLatin1(S.data(), qsizetype(S.size()));
}

char DigitAt(const TDecimal& D, int I)
{
    return I >= 0 && I < int(D.Digits.size()) ? D.Digits[size_t(I)] : '0';
}

String ExponentText(int Exponent, int MinDigits, bool PlusSign)
{
    String Digits = QString::number(std::abs(Exponent));
    if (Digits.size() < MinDigits)
        Digits.prepend(String(MinDigits - Digits.size(), QLatin1Char('0')));
    const QChar SignChar = Exponent < 0 ? QLatin1Char('-') : QLatin1Char('+');
    return QStringLiteral("E") + (Exponent < 0 || PlusSign ? String(SignChar) : String()) + Digits;
}

// Mantissa d.ddd with Decimals fraction digits (0 = no point at all).
String Scientific(const TDecimal& D, int Decimals, int ExpDigits, bool PlusSign, const TFormatSettings& Settings)
{
    std::string M(1, DigitAt(D, 0));
    String R = Latin(M);
    if (Decimals > 0) {
        std::string F;
        for (int I = 1; I <= Decimals; ++I)
            F += DigitAt(D, I);
        R += Settings.DecimalSeparator + Latin(F);
    }
    return R + ExponentText(D.Digits.empty() ? 0 : D.Exponent - 1, ExpDigits, PlusSign);
}

String GroupThousands(const String& Int, const TFormatSettings& Settings)
{
    String R;
    for (qsizetype I = 0; I < Int.size(); ++I) {
        if (I > 0 && (Int.size() - I) % 3 == 0)
            R += Settings.ThousandSeparator;
        R += Int[I];
    }
    return R;
}

// Plain positional notation with exactly Decimals fraction digits (or as
// many as the digits need when Decimals < 0).
String Positional(const TDecimal& D, int Decimals, bool Grouped, const TFormatSettings& Settings)
{
    std::string Int, Frac;
    for (int I = 0; I < D.Exponent; ++I)
        Int += DigitAt(D, I);
    if (Int.empty())
        Int.push_back('0');
    const int FracDigits = Decimals >= 0 ? Decimals : std::max(0, int(D.Digits.size()) - D.Exponent);
    for (int I = 0; I < FracDigits; ++I)
        Frac += DigitAt(D, D.Exponent + I);
    String R = Grouped ? GroupThousands(Latin(Int), Settings) : Latin(Int);
    if (!Frac.empty())
        R += Settings.DecimalSeparator + Latin(Frac);
    return R;
}

String WithSign(const TDecimal& D, const String& Text)
{
    return D.Negative && !D.Digits.empty() ? QStringLiteral("-") + Text : Text;
}

// Fills a pattern: '$' is the currency string, '1' the number.
String Currency(const String& Number, bool Negative, const TFormatSettings& Settings)
{
    static const char* const Positive[] = {"$1", "1$", "$ 1", "1 $"};
    static const char* const NegativeForms[] = {
        "($1)", "-$1", "$-1", "$1-", "(1$)", "-1$", "1-$", "1$-",
        "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
    const char* Pattern = Negative ? NegativeForms[Settings.NegCurrFormat % 16] : Positive[Settings.CurrencyFormat % 4];
    String R;
    for (const char* P = Pattern; *P; ++P)
        R += *P == '$' ? Settings.CurrencyString : *P == '1' ? Number : String(QLatin1Char(*P));
    return R;
}

} // namespace

String FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& Settings)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    if (std::isinf(Value))
        return Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    Precision = std::clamp(Precision, 1, 18);
    TDecimal D = Decompose(Value, Precision);
    if (Format == ffExponent)
        return WithSign(D, Scientific(D, Precision - 1, std::clamp(Digits, 0, 4), true, Settings));
    const bool TooLarge = D.Exponent > Precision;
    if (Format == ffGeneral || TooLarge) {
        if (D.Exponent > Precision || D.Exponent < -3)
            return WithSign(D, Scientific(D, int(D.Digits.size()) - 1, std::clamp(Digits, 0, 4), false, Settings));
        return WithSign(D, Positional(D, -1, false, Settings));
    }
    Digits = std::clamp(Digits, 0, 18);
    RoundDigits(D, D.Exponent + Digits);
    const String Number = Positional(D, Digits, Format != ffFixed, Settings);
    if (Format == ffCurrency)
        return Currency(Number, D.Negative && !D.Digits.empty(), Settings);
    return WithSign(D, Number);
}

String FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits)
{
    return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

String FloatToStr(double Value, const TFormatSettings& Settings)
{
    return FloatToStrF(Value, ffGeneral, 15, 0, Settings);
}

String FloatToStr(double Value)
{
    return FloatToStr(Value, FormatSettings);
}

long long Round(double Value)
{
    const double R = std::nearbyint(Value);
    if (!(R >= -9223372036854775808.0 && R < 9223372036854775808.0))
        throw EInvalidOp(QStringLiteral("Invalid floating point operation"));
    return static_cast<long long>(R);
}

long long Trunc(double Value)
{
    const double R = std::trunc(Value);
    if (!(R >= -9223372036854775808.0 && R < 9223372036854775808.0))
        throw EInvalidOp(QStringLiteral("Invalid floating point operation"));
    return static_cast<long long>(R);
}

// --- Format ---------------------------------------------------------------

namespace {

class TFormatter {
public:
    TFormatter(const String& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings)
        : FFmt(Fmt), FArgs(Args.begin()), FCount(int(Args.size())), FSettings(Settings) {}

    String Run()
    {
        String R;
        while (FPos < FFmt.size()) {
            const qsizetype Next = FFmt.indexOf(QLatin1Char('%'), FPos);
            R += FFmt.mid(FPos, Next < 0 ? -1 : Next - FPos);
            if (Next < 0)
                break;
            FPos = Next + 1;
            R += Specifier();
        }
        return R;
    }

private:
    [[noreturn]] void Fail() const
    {
        throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(FFmt));
    }
    QChar Peek() const { return FPos < FFmt.size() ? FFmt[FPos] : QChar(); }
    const TVarRec& NextArg()
    {
        if (FArg >= FCount)
            Fail();
        return FArgs[FArg++];
    }
    // A number, '*' (taken from the arguments) or -1 when neither is there.
    int Number()
    {
        if (Peek() == QLatin1Char('*')) {
            ++FPos;
            const TVarRec& A = NextArg();
            if (!A.IsInteger() || A.AsInt64() > 100000 || A.AsInt64() < -100000)
                Fail();
            return int(A.AsInt64());
        }
        int N = -1;
        while (Peek().isDigit() && Peek().unicode() < 0x80) {
            N = std::max(N, 0) * 10 + (Peek().unicode() - '0');
            if (N > 100000)
                Fail();
            ++FPos;
        }
        return N;
    }

    String Specifier()
    {
        if (Peek() == QLatin1Char('%')) {
            ++FPos;
            return QStringLiteral("%");
        }
        int Width = Number();
        if (Peek() == QLatin1Char(':')) {
            ++FPos;
            if (Width < 0)
                Fail();
            FArg = Width;
            Width = -1;
        }
        bool Left = false;
        if (Peek() == QLatin1Char('-')) {
            Left = true;
            ++FPos;
        }
        if (Width < 0)
            Width = Number();
        int Prec = -1;
        if (Peek() == QLatin1Char('.')) {
            ++FPos;
            Prec = std::max(Number(), 0);
        }
        if (FPos >= FFmt.size())
            Fail();
        const char16_t Type = AsciiLower(FFmt[FPos++].unicode());
        const String Text = Convert(Type, Prec, NextArg());
        if (Text.size() >= Width)
            return Text;
        const String Pad(Width - Text.size(), QLatin1Char(' '));
        return Left ? Text + Pad : Pad + Text;
    }

    String Convert(char16_t Type, int Prec, const TVarRec& A) const
    {
        switch (Type) {
        case 'd': case 'u': case 'x': return Integer(Type, Prec, A);
        case 'e': case 'f': case 'g': case 'n': case 'm': return Float(Type, Prec, A);
        case 'p':
            if (A.Type() != TVarRec::vtPointer)
                Fail();
            return IntToHexBits(std::uint64_t(A.AsInt64()), 16);
        case 's':
            if (A.Type() != TVarRec::vtString && A.Type() != TVarRec::vtChar)
                Fail();
            return Prec >= 0 ? A.AsString().left(Prec) : A.AsString();
        default:
            Fail();
        }
    }

    String Integer(char16_t Type, int Prec, const TVarRec& A) const
    {
        if (!A.IsInteger())
            Fail();
        const long long V = A.AsInt64();
        const bool Narrow = A.Type() == TVarRec::vtInteger;
        String Digits;
        bool Negative = false;
        if (Type == 'x')
            Digits = Narrow ? IntToHexBits(std::uint32_t(V), 0) : IntToHexBits(std::uint64_t(V), 0);
        else if (Type == 'u' || A.Type() == TVarRec::vtUInt64)
            Digits = QString::number(Narrow ? std::uint64_t(std::uint32_t(V)) : std::uint64_t(V));
        else {
            Negative = V < 0;
            Digits = QString::number(V).remove(QLatin1Char('-'));
        }
        if (Digits.size() < Prec)
            Digits.prepend(String(Prec - Digits.size(), QLatin1Char('0')));
        return Negative ? QStringLiteral("-") + Digits : Digits;
    }

    String Float(char16_t Type, int Prec, const TVarRec& A) const
    {
        if (A.Type() != TVarRec::vtExtended)
            Fail();
        const double V = A.AsDouble();
        switch (Type) {
        case 'e': return FloatToStrF(V, ffExponent, Prec < 0 ? 15 : Prec, 3, FSettings);
        case 'f': return FloatToStrF(V, ffFixed, 15, Prec < 0 ? 2 : Prec, FSettings);
        case 'g': return FloatToStrF(V, ffGeneral, Prec < 0 ? 15 : Prec, 0, FSettings);
        case 'n': return FloatToStrF(V, ffNumber, 15, Prec < 0 ? 2 : Prec, FSettings);
        default: return FloatToStrF(V, ffCurrency, 15, Prec < 0 ? FSettings.CurrencyDecimals : Prec, FSettings);
        }
    }

    const String& FFmt;
    const TVarRec* FArgs;
    int FCount;
    const TFormatSettings& FSettings;
    qsizetype FPos = 0;
    int FArg = 0;
};

} // namespace

String Format(const String& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings)
{
    return TFormatter(Fmt, Args, Settings).Run();
}

String Format(const String& Fmt, std::initializer_list<TVarRec> Args)
{
    return Format(Fmt, Args, FormatSettings);
}

// --- characters of two code units ----------------------------------------

qsizetype WholeCharacterCut(QStringView S, qsizetype Cut)
{
    Cut = std::clamp<qsizetype>(Cut, 0, S.size());
    if (Cut > 0 && Cut < S.size() && S[Cut - 1].isHighSurrogate() && S[Cut].isLowSurrogate())
        --Cut;
    return Cut;
}

// --- building and quoting -------------------------------------------------

String StringOfChar(QChar Ch, int Count)
{
    return Count > 0 ? String(Count, Ch) : String();
}

String AnsiQuotedStr(const String& S, QChar Quote)
{
    String Inner = S;
    Inner.replace(Quote, String(2, Quote));
    return Quote + Inner + Quote;
}

String QuotedStr(const String& S)
{
    return AnsiQuotedStr(S, QLatin1Char('\''));
}

String AnsiExtractQuotedStr(const String& S, int& Index, QChar Quote)
{
    if (Index < 0 || Index >= S.size() || S[Index] != Quote)
        return String();
    String R;
    ++Index;
    while (Index < S.size()) {
        if (S[Index] == Quote) {
            if (Index + 1 < S.size() && S[Index + 1] == Quote) {
                R += Quote;
                Index += 2;
                continue;
            }
            ++Index;
            break;
        }
        R += S[Index++];
    }
    return R;
}

String AnsiDequotedStr(const String& S, QChar Quote)
{
    if (S.size() < 2 || S.front() != Quote || S.back() != Quote)
        return S;
    int Index = 0;
    const String R = AnsiExtractQuotedStr(S, Index, Quote);
    return Index == S.size() ? R : S;
}

String StringReplace(const String& S, const String& OldPattern, const String& NewPattern, TReplaceFlags Flags)
{
    if (OldPattern.isEmpty())
        return S;
    const Qt::CaseSensitivity Cs = Flags.Contains(rfIgnoreCase) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (Flags.Contains(rfReplaceAll))
        return String(S).replace(OldPattern, NewPattern, Cs);
    const qsizetype At = S.indexOf(OldPattern, 0, Cs);
    return At < 0 ? S : S.left(At) + NewPattern + S.mid(At + OldPattern.size());
}

String AdjustLineBreaks(const String& S, TTextLineBreakStyle Style)
{
    const String Break = Style == tlbsCRLF ? QStringLiteral("\r\n") : QStringLiteral("\n");
    String R;
    R.reserve(S.size() + S.size() / 16);
    for (qsizetype I = 0; I < S.size(); ++I) {
        if (S[I] == QLatin1Char('\r')) {
            if (I + 1 < S.size() && S[I + 1] == QLatin1Char('\n'))
                ++I;
            R += Break;
        } else if (S[I] == QLatin1Char('\n')) {
            R += Break;
        } else {
            R += S[I];
        }
    }
    return R;
}

String WrapText(const String& Line, const String& BreakStr, const String& BreakChars, int MaxCol)
{
    String R;
    qsizetype Start = 0, BreakAt = -1;
    QChar Quote;
    for (qsizetype I = 0; I < Line.size(); ++I) {
        const QChar C = Line[I];
        if (Quote.isNull() && !BreakStr.isEmpty() && QStringView(Line).mid(I).startsWith(BreakStr)) {
            I += BreakStr.size() - 1;
            R += Line.mid(Start, I + 1 - Start);
            Start = I + 1;
            BreakAt = -1;
            continue;
        }
        if (C == QLatin1Char('\'') || C == QLatin1Char('"'))
            Quote = Quote.isNull() ? C : (Quote == C ? QChar() : Quote);
        else if (Quote.isNull() && BreakChars.contains(C))
            BreakAt = I;
        if (I - Start + 1 > MaxCol && BreakAt >= Start && BreakAt < I && Quote.isNull()) {
            R += Line.mid(Start, BreakAt + 1 - Start) + BreakStr;
            Start = BreakAt + 1;
            while (Start <= I && IsBlank(Line[Start]) && BreakChars.contains(Line[Start]))
                ++Start;
            BreakAt = -1;
        }
    }
    return R + Line.mid(Start);
}

// --- 1-based positions ----------------------------------------------------

String Copy(const String& S, int Index, int Count)
{
    Index = std::max(Index, 1);
    if (Count <= 0 || Index > S.size())
        return String();
    return S.mid(Index - 1, std::min<qsizetype>(Count, S.size() - Index + 1));
}

int Pos(const String& Sub, const String& S)
{
    return Sub.isEmpty() ? 0 : int(S.indexOf(Sub)) + 1;
}

int Pos(QChar Ch, const String& S)
{
    return int(S.indexOf(Ch)) + 1;
}

int PosEx(const String& Sub, const String& S, int Offset)
{
    if (Sub.isEmpty() || Offset < 1 || Offset > S.size())
        return 0;
    return int(S.indexOf(Sub, Offset - 1)) + 1;
}

void Delete(String& S, int Index, int Count)
{
    if (Index < 1 || Index > S.size() || Count <= 0)
        return;
    S.remove(Index - 1, std::min<qsizetype>(Count, S.size() - Index + 1));
}

void Insert(const String& Sub, String& S, int Index)
{
    S.insert(std::clamp<qsizetype>(Index, 1, S.size() + 1) - 1, Sub);
}

bool IsDelimiter(const String& Delimiters, const String& S, int Index)
{
    return Index >= 1 && Index <= S.size() && Delimiters.contains(S[Index - 1]);
}

int LastDelimiter(const String& Delimiters, const String& S)
{
    for (qsizetype I = S.size(); I > 0; --I)
        if (Delimiters.contains(S[I - 1]))
            return int(I);
    return 0;
}
