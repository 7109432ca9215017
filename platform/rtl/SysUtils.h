#pragma once
// The classic string, number and formatting routines.  Strings are QString
// (0-based in C++); the routines marked "1-based" take and return the
// positions the classic library uses, so code can follow documented indexes.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/System.h"

#include <QChar>
#include <QStringView>
#include <array>
#include <concepts>
#include <cstdint>
#include <initializer_list>

// --- format settings ------------------------------------------------------

// The process-wide number and date conventions.  Month and day name arrays
// are 0-based here: ShortMonthNames[0] is January, ShortDayNames[0] Sunday.
struct TFormatSettings {
    QChar DateSeparator = QLatin1Char('-');
    QChar TimeSeparator = QLatin1Char(':');
    String ShortDateFormat = QStringLiteral("dd-mm-yyyy");
    String LongDateFormat = QStringLiteral("dddd, d mmmm yyyy");
    String ShortTimeFormat = QStringLiteral("hh:nn");
    String LongTimeFormat = QStringLiteral("hh:mm:ss");
    String TimeAMString = QStringLiteral("AM");
    String TimePMString = QStringLiteral("PM");
    QChar DecimalSeparator = QLatin1Char('.');
    QChar ThousandSeparator = QLatin1Char(',');
    String CurrencyString = QStringLiteral("$");
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
    std::uint8_t CurrencyFormat = 0;
    // 0 "($1)", 1 "-$1", ... 15 "(1 $)", the classic sixteen forms.
    std::uint8_t NegCurrFormat = 0;
    std::uint8_t CurrencyDecimals = 2;
    int TwoDigitYearCenturyWindow = 50;
    std::array<String, 12> ShortMonthNames{
        QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
        QStringLiteral("May"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
        QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    std::array<String, 12> LongMonthNames{
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"),
        QStringLiteral("July"), QStringLiteral("August"), QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    std::array<String, 7> ShortDayNames{
        QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
        QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat")};
    std::array<String, 7> LongDayNames{
        QStringLiteral("Sunday"), QStringLiteral("Monday"), QStringLiteral("Tuesday"),
        QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
        QStringLiteral("Saturday")};
};

extern TFormatSettings FormatSettings;

// --- trimming and case ----------------------------------------------------

// Blanks and control characters (everything <= ' ') are trimmed.
String Trim(const String& S);
String TrimLeft(const String& S);
String TrimRight(const String& S);
// Only a-z / A-Z change; every other character stays as it is.
String UpperCase(const String& S);
String LowerCase(const String& S);
// Every letter, one character for one character (the length never changes).
String AnsiUpperCase(const String& S);
String AnsiLowerCase(const String& S);
// Full Unicode case folding, locale-free ("Straße" and "STRASSE" fold alike):
// the key that AnsiCompareText compares.
String AnsiCaseFold(const String& S);
// The folded text with its accents taken off ("Émile" gives "emile"): the
// first thing text is ordered by, so accented names sort among their letter.
String AnsiBaseFold(const String& S);
// A key whose plain code order is AnsiCompareText's order: the base fold,
// a separator, then the case fold that breaks ties between accents.  Tables
// keep one per record for their case-insensitive indexes.
String AnsiSortKey(const String& S);

// --- comparison (results <0, 0, >0) ---------------------------------------

int CompareStr(const String& S1, const String& S2);
// ASCII letters without regard to case; other characters by code.
int CompareText(const String& S1, const String& S2);
bool SameText(const String& S1, const String& S2);
// Without regard to case for every letter, locale-free: letters first by their
// base ("Émile" between "Emil" and "Emma"), then accents ("e" before "é").
int AnsiCompareText(const String& S1, const String& S2);
bool AnsiSameText(const String& S1, const String& S2);
// Case-folded order first, so "apple" stays next to "Apple"; ties by code.
int AnsiCompareStr(const String& S1, const String& S2);
bool AnsiSameStr(const String& S1, const String& S2);

// --- integers -------------------------------------------------------------

String IntToStr(long long Value);
// Negative values print as two's complement of the argument's width:
// IntToHex(-1, 2) is "FFFFFFFF", for a 64-bit argument 16 F's.
String IntToHexBits(std::uint64_t Bits, int Digits);
template <std::integral T>
String IntToHex(T Value, int Digits)
{
    if constexpr (sizeof(T) <= 4)
        return IntToHexBits(static_cast<std::uint32_t>(Value), Digits);
    else
        return IntToHexBits(static_cast<std::uint64_t>(Value), Digits);
}
// Leading blanks, a sign and a '$' or "0x" hex prefix are accepted; anything
// after the digits (trailing blanks too) makes the text invalid.  Errors:
// EConvertError "'%s' is not a valid integer value".
int StrToInt(const String& S);
int StrToIntDef(const String& S, int Default);
bool TryStrToInt(const String& S, int& Value);
long long StrToInt64(const String& S);
long long StrToInt64Def(const String& S, long long Default);
bool TryStrToInt64(const String& S, long long& Value);

// --- floating point -------------------------------------------------------

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Surrounding blanks are accepted; the decimal separator is the settings'
// one.  Errors: EConvertError "'%s' is not a valid floating point value".
double StrToFloat(const String& S);
double StrToFloat(const String& S, const TFormatSettings& Settings);
double StrToFloatDef(const String& S, double Default);
bool TryStrToFloat(const String& S, double& Value);
bool TryStrToFloat(const String& S, double& Value, const TFormatSettings& Settings);
// ffGeneral with 15 significant digits.
String FloatToStr(double Value);
String FloatToStr(double Value, const TFormatSettings& Settings);
// Decimal digits are rounded half away from zero, from the value's first
// 15 significant digits (so 1.005 with two decimals is "1.01").
String FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
String FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                   const TFormatSettings& Settings);
// Halves to the even neighbour, as the classic Round.
long long Round(double Value);
long long Trunc(double Value);

// --- Format ---------------------------------------------------------------

// One argument of Format, as the classic "array of const" element.
class TVarRec {
public:
    enum TVType { vtInteger, vtInt64, vtUInt64, vtExtended, vtString, vtChar, vtPointer };
    TVarRec(int V) : FType(vtInteger), FInt(V) {}
    TVarRec(unsigned V) : FType(vtInt64), FInt(V) {}
    TVarRec(long V) : FType(vtInt64), FInt(V) {}
    TVarRec(unsigned long V) : FType(vtUInt64), FInt(static_cast<long long>(V)) {}
    TVarRec(long long V) : FType(vtInt64), FInt(V) {}
    TVarRec(unsigned long long V) : FType(vtUInt64), FInt(static_cast<long long>(V)) {}
    TVarRec(double V) : FType(vtExtended), FDouble(V) {}
    TVarRec(const char* V) : FType(vtString), FString(QString::fromUtf8(V)) {}
    TVarRec(const String& V) : FType(vtString), FString(V) {}
    TVarRec(QChar V) : FType(vtChar), FString(V) {}
    TVarRec(char V) : FType(vtChar), FString(QChar::fromLatin1(V)) {}
    TVarRec(char16_t V) : FType(vtChar), FString(QChar(V)) {}
    TVarRec(const void* V) : FType(vtPointer), FInt(static_cast<long long>(reinterpret_cast<std::uintptr_t>(V))) {}

    TVType Type() const { return FType; }
    bool IsInteger() const { return FType == vtInteger || FType == vtInt64 || FType == vtUInt64; }
    long long AsInt64() const { return FInt; }
    double AsDouble() const { return FDouble; }
    const String& AsString() const { return FString; }

private:
    TVType FType;
    long long FInt = 0;
    double FDouble = 0;
    String FString;
};

// The classic Format: %[index:][-][width][.precision]type with the types
// d u e f g n m p s x (width and precision may be '*'), and %% for '%'.
// A bad format or an argument of the wrong kind raises EConvertError
// "Format '%s' invalid or incompatible with argument".
String Format(const String& Fmt, std::initializer_list<TVarRec> Args);
String Format(const String& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings);

// --- building and quoting -------------------------------------------------

String StringOfChar(QChar Ch, int Count);
// 'it''s' style: the quote doubled inside, one at each end.
String QuotedStr(const String& S);
String AnsiQuotedStr(const String& S, QChar Quote);
// Reads a quoted string starting at S[Index] (0-based, must be the quote),
// undoubling inner quotes; Index ends just past the closing quote (or at
// the end when it is missing).  Returns empty when S[Index] is no quote.
String AnsiExtractQuotedStr(const String& S, int& Index, QChar Quote);
// The unquoted text when S is quoted at both ends, else S itself.
String AnsiDequotedStr(const String& S, QChar Quote);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
String StringReplace(const String& S, const String& OldPattern, const String& NewPattern,
                     TReplaceFlags Flags);

enum TTextLineBreakStyle { tlbsLF, tlbsCRLF };
// Every CR, LF and CR LF becomes the one line break of the style.
String AdjustLineBreaks(const String& S, TTextLineBreakStyle Style = tlbsCRLF);
// Breaks Line after the last break character before MaxCol, never inside
// quotes ('...' or "..."), inserting BreakStr; existing CR LF breaks stay.
String WrapText(const String& Line, const String& BreakStr = QStringLiteral("\r\n"),
                const String& BreakChars = QStringLiteral(" -\t"), int MaxCol = 45);

// --- characters of two code units ----------------------------------------

// Cut, or one less where a cut into S after Cut code units would part the
// two halves of a character beyond the Basic Multilingual Plane (a
// surrogate pair): S.left(WholeCharacterCut(S, Cut)) never ends in half a
// character.  Cut is clipped to 0..S.size().
qsizetype WholeCharacterCut(QStringView S, qsizetype Cut);

// --- 1-based positions ----------------------------------------------------

inline int Length(const String& S) { return int(S.size()); }
// Index < 1 counts as 1; Count is clipped to the end; Count <= 0 gives "".
String Copy(const String& S, int Index, int Count);
// 0 when absent, else the 1-based position of the first occurrence.
int Pos(const String& Sub, const String& S);
int Pos(QChar Ch, const String& S);
// As Pos, starting at Offset; 0 when Offset is outside 1..Length(S).
int PosEx(const String& Sub, const String& S, int Offset = 1);
// Nothing happens when Index is outside 1..Length(S) or Count <= 0.
void Delete(String& S, int Index, int Count);
// Index below 1 inserts at the front, beyond the end appends.
void Insert(const String& Sub, String& S, int Index);
bool IsDelimiter(const String& Delimiters, const String& S, int Index);
// 1-based position of the last character of S that is in Delimiters, or 0.
int LastDelimiter(const String& Delimiters, const String& S);

// Floating point failures (Round of a value out of range, NaN).
DECLARE_EXCEPTION(EMathError, Exception)
DECLARE_EXCEPTION(EInvalidOp, EMathError)
