#include "platform/rtl/SysUtils.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/Utf8Text.h"

#include <gtest/gtest.h>

namespace {

// Restores the process-wide settings a test changed.
class SysUtilsSettings : public ::testing::Test {
protected:
    void TearDown() override { FormatSettings = TFormatSettings(); }
};

} // namespace

TEST(SysUtils, TrimTakesBlanksAndControlCharactersOnly)
{
    EXPECT_EQ(Trim(U(" \t\r\n a b \x01\x1f ")), U("a b"));
    EXPECT_EQ(TrimLeft(U("  a  ")), U("a  "));
    EXPECT_EQ(TrimRight(U("  a  ")), U("  a"));
    EXPECT_EQ(Trim(U("   ")), String());
    // A no-break space is no blank.
    EXPECT_EQ(Trim(U("\u00a0a\u00a0")), U("\u00a0a\u00a0"));
}

TEST(SysUtils, PlainCaseChangesOnlyAsciiLetters)
{
    EXPECT_EQ(UpperCase(U("abz éß")), U("ABZ éß"));
    EXPECT_EQ(LowerCase(U("ABZ ÉÀ")), U("abz ÉÀ"));
    EXPECT_EQ(AnsiUpperCase(U("één straße")), U("ÉÉN STRAßE"));
    EXPECT_EQ(AnsiLowerCase(U("ÉÉN ÇA")), U("één ça"));
    // One character for one: indexes into the original stay valid.
    EXPECT_EQ(AnsiUpperCase(U("ßﬁ")).size(), 2);
}

TEST(SysUtils, CompareTextFoldsAsciiOnlyAndSortsLikeUpperCase)
{
    EXPECT_EQ(CompareText(U("abc"), U("ABC")), 0);
    EXPECT_LT(CompareText(U("abc"), U("abd")), 0);
    EXPECT_GT(CompareText(U("abcd"), U("ABC")), 0);
    // Folding to upper case puts letters before '_' (0x5F).
    EXPECT_LT(CompareText(U("a"), U("_")), 0);
    EXPECT_NE(CompareText(U("é"), U("É")), 0);
    EXPECT_TRUE(SameText(U("Quorvy"), U("QUORVY")));
    EXPECT_FALSE(SameText(U("Quorvy"), U("Quorvy ")));
}

TEST(SysUtils, AnsiCompareTextFoldsEveryLetterFully)
{
    EXPECT_EQ(AnsiCompareText(U("ÉMILE"), U("émile")), 0);
    EXPECT_EQ(AnsiCompareText(U("Straße"), U("STRASSE")), 0);
    EXPECT_EQ(AnsiCompareText(U("STRAẞE"), U("strasse")), 0);
    EXPECT_EQ(AnsiCompareText(U("ﬁets"), U("FIETS")), 0);
    EXPECT_LT(AnsiCompareText(U("Jansen"), U("jong")), 0);
    EXPECT_GT(AnsiCompareText(U("b"), U("A")), 0);
    EXPECT_LT(AnsiCompareText(U("ab"), U("abé")), 0);
    // Mixed: plain prefix, then folding from the first other character on.
    EXPECT_LT(AnsiCompareText(U("DE ÅS"), U("de åt")), 0);
    // Accented letters sort among their base letter, accents break ties.
    EXPECT_LT(AnsiCompareText(U("Émile"), U("Emma")), 0);
    EXPECT_GT(AnsiCompareText(U("Émile"), U("Emil")), 0);
    EXPECT_LT(AnsiCompareText(U("Öztürk"), U("Pieters")), 0);
    EXPECT_LT(AnsiCompareText(U("Zee"), U("Zeé")), 0);
    EXPECT_NE(AnsiCompareText(U("e"), U("é")), 0);
    EXPECT_TRUE(AnsiSameText(U("ǅ"), U("ǆ")));
    // Case-sensitive order keeps case variants together.
    EXPECT_LT(AnsiCompareStr(U("Apple"), U("apple")), 0);
    EXPECT_LT(AnsiCompareStr(U("apple"), U("Banana")), 0);
}

TEST(SysUtils, IntToStrAndHex)
{
    EXPECT_EQ(IntToStr(-42), U("-42"));
    EXPECT_EQ(IntToStr(9007199254740993LL), U("9007199254740993"));
    EXPECT_EQ(IntToHex(255, 4), U("00FF"));
    EXPECT_EQ(IntToHex(0x12345, 2), U("12345"));
    EXPECT_EQ(IntToHex(-1, 2), U("FFFFFFFF"));
    EXPECT_EQ(IntToHex(static_cast<long long>(-1), 2), U("FFFFFFFFFFFFFFFF"));
}

TEST(SysUtils, StrToIntFollowsValRules)
{
    EXPECT_EQ(StrToInt(U("  42")), 42);
    EXPECT_EQ(StrToInt(U("-17")), -17);
    EXPECT_EQ(StrToInt(U("+7")), 7);
    EXPECT_EQ(StrToInt(U("$ff")), 255);
    EXPECT_EQ(StrToInt(U("0x1A")), 26);
    EXPECT_EQ(StrToInt(U("$FFFFFFFF")), -1);
    EXPECT_EQ(StrToInt(U("-2147483648")), -2147483647 - 1);
    EXPECT_EQ(StrToInt64(U("9223372036854775807")), 9223372036854775807LL);
    int V = 5;
    for (const char* Bad : {"", " ", "12 ", "1a", "2147483648", "-2147483649", "$", "$1FFFFFFFF", "1.0", "--1", "١٢"}) {
        EXPECT_FALSE(TryStrToInt(U(Bad), V)) << Bad;
        EXPECT_EQ(V, 5) << Bad;
    }
    EXPECT_EQ(StrToIntDef(U("x"), -1), -1);
    EXPECT_EQ(StrToInt64Def(U("9223372036854775808"), 3), 3);
    EXPECT_EQ(ErrorMessage<EConvertError>([] { StrToInt(U("12 ")); }), U("'12 ' is not a valid integer value"));
}

TEST_F(SysUtilsSettings, StrToFloatUsesTheDecimalSeparator)
{
    EXPECT_DOUBLE_EQ(StrToFloat(U(" 1.5 ")), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat(U("-.25")), -0.25);
    EXPECT_DOUBLE_EQ(StrToFloat(U("3.")), 3.0);
    EXPECT_DOUBLE_EQ(StrToFloat(U("1E3")), 1000.0);
    EXPECT_DOUBLE_EQ(StrToFloat(U("+2.5e-1")), 0.25);
    double V = 9;
    for (const char* Bad : {"", ".", "1,5", "1.5.", "e5", "1e", "1e+", "inf", "nan", "1e999", "0x10"})
        EXPECT_FALSE(TryStrToFloat(U(Bad), V)) << Bad;
    EXPECT_EQ(V, 9);
    EXPECT_EQ(ErrorMessage<EConvertError>([] { StrToFloat(U("1,5")); }),
              U("'1,5' is not a valid floating point value"));
    FormatSettings.DecimalSeparator = QLatin1Char(',');
    EXPECT_DOUBLE_EQ(StrToFloat(U("1,5")), 1.5);
    EXPECT_FALSE(TryStrToFloat(U("1.5"), V));
    EXPECT_EQ(FloatToStr(1.5), U("1,5"));
}

TEST(SysUtils, FloatToStrGeneral)
{
    EXPECT_EQ(FloatToStr(0), U("0"));
    EXPECT_EQ(FloatToStr(-0.0), U("0"));
    EXPECT_EQ(FloatToStr(0.1), U("0.1"));
    EXPECT_EQ(FloatToStr(1.0 / 3), U("0.333333333333333"));
    EXPECT_EQ(FloatToStr(2.0 / 3), U("0.666666666666667"));
    EXPECT_EQ(FloatToStr(-1234.5), U("-1234.5"));
    EXPECT_EQ(FloatToStr(0.0001), U("0.0001"));
    EXPECT_EQ(FloatToStr(0.00001), U("1E-5"));
    EXPECT_EQ(FloatToStr(123456789012345.0), U("123456789012345"));
    EXPECT_EQ(FloatToStr(1e15), U("1E15"));
    EXPECT_EQ(FloatToStr(1.5e300), U("1.5E300"));
    EXPECT_EQ(FloatToStr(0.1 + 0.2), U("0.3"));
}

TEST(SysUtils, FloatToStrFFixedNumberExponentCurrency)
{
    EXPECT_EQ(FloatToStrF(1.005, ffFixed, 15, 2), U("1.01"));
    EXPECT_EQ(FloatToStrF(0.125, ffFixed, 15, 2), U("0.13"));
    EXPECT_EQ(FloatToStrF(-0.125, ffFixed, 15, 2), U("-0.13"));
    EXPECT_EQ(FloatToStrF(-0.001, ffFixed, 15, 2), U("0.00"));
    EXPECT_EQ(FloatToStrF(9.999, ffFixed, 15, 2), U("10.00"));
    EXPECT_EQ(FloatToStrF(0.6, ffFixed, 15, 0), U("1"));
    EXPECT_EQ(FloatToStrF(0.4, ffFixed, 15, 0), U("0"));
    EXPECT_EQ(FloatToStrF(12.0, ffFixed, 15, 3), U("12.000"));
    EXPECT_EQ(FloatToStrF(1234567.891, ffNumber, 15, 2), U("1,234,567.89"));
    EXPECT_EQ(FloatToStrF(-999.999, ffNumber, 15, 2), U("-1,000.00"));
    EXPECT_EQ(FloatToStrF(123.0, ffNumber, 15, 0), U("123"));
    EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 4, 2), U("1.235E+03"));
    EXPECT_EQ(FloatToStrF(-0.00012, ffExponent, 3, 0), U("-1.20E-4"));
    EXPECT_EQ(FloatToStrF(0, ffExponent, 4, 2), U("0.000E+00"));
    EXPECT_EQ(FloatToStrF(1234.5, ffCurrency, 15, 2), U("$1,234.50"));
    EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2), U("($1,234.50)"));
    TFormatSettings Dutch;
    Dutch.CurrencyString = U("€");
    Dutch.CurrencyFormat = 2;
    Dutch.NegCurrFormat = 12;
    Dutch.DecimalSeparator = QLatin1Char(',');
    Dutch.ThousandSeparator = QLatin1Char('.');
    EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2, Dutch), U("€ -1.234,50"));
    EXPECT_EQ(FloatToStrF(5, ffCurrency, 15, 2, Dutch), U("€ 5,00"));
    // More digits before the point than the precision: scientific.
    EXPECT_EQ(FloatToStrF(1e20, ffFixed, 15, 2), U("1E20"));
}

TEST(SysUtils, RoundHalvesToEvenTruncTowardZero)
{
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(-3.5), -4);
    EXPECT_EQ(Round(2.5000001), 3);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_THROW(Round(1e30), EInvalidOp);
    EXPECT_THROW(Trunc(std::nan("")), EInvalidOp);
}

TEST(SysUtils, FormatClassicSpecifiers)
{
    EXPECT_EQ(Format(U("%s is %d jaar"), {U("Jan"), 42}), U("Jan is 42 jaar"));
    EXPECT_EQ(Format(U("%5d|%-5d|%.3d|%-6s|%6s"), {42, 42, 7, "ab", "ab"}), U("   42|42   |007|ab    |    ab"));
    EXPECT_EQ(Format(U("%x %.4x %X"), {255, 255, -1}), U("FF 00FF FFFFFFFF"));
    EXPECT_EQ(Format(U("%u"), {-1}), U("4294967295"));
    EXPECT_EQ(Format(U("%d"), {-9000000000LL}), U("-9000000000"));
    EXPECT_EQ(Format(U("%.2f %f %n"), {3.14159, 2.0, 1234567.0}), U("3.14 2.00 1,234,567.00"));
    EXPECT_EQ(Format(U("%e"), {1234.5}), U("1.23450000000000E+003"));
    EXPECT_EQ(Format(U("%g"), {0.5}), U("0.5"));
    EXPECT_EQ(Format(U("%.2s|%s"), {"abc", QChar(u'é')}), U("ab|é"));
    EXPECT_EQ(Format(U("100%% %s%s"), {"zeker", u'!'}), U("100% zeker!"));
    EXPECT_EQ(Format(U("%1:s %0:s %s"), {"a", "b"}), U("b a b"));
    EXPECT_EQ(Format(U("%*d|%-*.*f"), {4, 7, 6, 1, 2.25}), U("   7|2.3   "));
    EXPECT_EQ(Format(U("geen argumenten"), {}), U("geen argumenten"));
}

TEST(SysUtils, FormatRejectsBadSpecsAndArguments)
{
    const String Expected = U("Format '%d' invalid or incompatible with argument");
    EXPECT_EQ(ErrorMessage<EConvertError>([] { Format(U("%d"), {"tekst"}); }), Expected);
    for (const char* Fmt : {"%d", "%", "%5", "%q", "%2:s"}) {
        const String F = U(Fmt);
        EXPECT_EQ(ErrorMessage<EConvertError>([&] { Format(F, {}); }),
                  U("Format '%1' invalid or incompatible with argument").arg(F))
            << Fmt;
    }
    EXPECT_THROW(Format(U("%s"), {1}), EConvertError);
    EXPECT_THROW(Format(U("%f"), {1}), EConvertError);
    EXPECT_THROW(Format(U("%d"), {1.0}), EConvertError);
}

TEST(SysUtils, QuotingRoundTrips)
{
    EXPECT_EQ(QuotedStr(U("it's")), U("'it''s'"));
    EXPECT_EQ(AnsiQuotedStr(U("a\"b"), QLatin1Char('"')), U("\"a\"\"b\""));
    EXPECT_EQ(AnsiDequotedStr(U("'it''s'"), QLatin1Char('\'')), U("it's"));
    EXPECT_EQ(AnsiDequotedStr(U("''"), QLatin1Char('\'')), String());
    EXPECT_EQ(AnsiDequotedStr(U("'half"), QLatin1Char('\'')), U("'half"));
    EXPECT_EQ(AnsiDequotedStr(U("'a'b'"), QLatin1Char('\'')), U("'a'b'"));
    int Index = 2;
    EXPECT_EQ(AnsiExtractQuotedStr(U("x \"a\"\"b\" rest"), Index, QLatin1Char('"')), U("a\"b"));
    EXPECT_EQ(Index, 8);
    EXPECT_EQ(StringOfChar(QLatin1Char('-'), 3), U("---"));
    EXPECT_EQ(StringOfChar(QLatin1Char('-'), -1), String());
}

TEST(SysUtils, StringReplaceFlags)
{
    EXPECT_EQ(StringReplace(U("a-b-c"), U("-"), U("+"), {}), U("a+b-c"));
    EXPECT_EQ(StringReplace(U("a-b-c"), U("-"), U("--"), {rfReplaceAll}), U("a--b--c"));
    EXPECT_EQ(StringReplace(U("Aa aA"), U("a"), U("x"), {rfReplaceAll, rfIgnoreCase}), U("xx xx"));
    EXPECT_EQ(StringReplace(U("abc"), String(), U("x"), {rfReplaceAll}), U("abc"));
}

TEST(SysUtils, WholeCharacterCutNeverPartsACharacterOfTwoCodeUnits)
{
    // a b, U+1F600 as two code units, c.
    const String S = U("ab\U0001F600c");
    for (auto [Cut, Expected] :
         {std::pair<qsizetype, qsizetype>{-1, 0}, {0, 0}, {2, 2}, {3, 2}, {4, 4}, {5, 5}, {9, 5}})
        EXPECT_EQ(WholeCharacterCut(S, Cut), Expected) << Cut;
    // A lone half is no character of two: cut where asked.
    EXPECT_EQ(WholeCharacterCut(U("a") + QChar(0xD83D) + U("b"), 2), 2);
}

TEST(SysUtils, OneBasedHelpersClampLikeTheClassicOnes)
{
    const String S = U("abcdef");
    EXPECT_EQ(Copy(S, 1, 3), U("abc"));
    EXPECT_EQ(Copy(S, 0, 2), U("ab"));
    EXPECT_EQ(Copy(S, -5, 2), U("ab"));
    EXPECT_EQ(Copy(S, 5, 100), U("ef"));
    EXPECT_EQ(Copy(S, 6, 1), U("f"));
    EXPECT_EQ(Copy(S, 7, 1), String());
    EXPECT_EQ(Copy(S, 2, -1), String());
    EXPECT_EQ(Pos(U("cd"), S), 3);
    EXPECT_EQ(Pos(U("a"), S), 1);
    EXPECT_EQ(Pos(U("x"), S), 0);
    EXPECT_EQ(Pos(String(), S), 0);
    EXPECT_EQ(PosEx(U("a"), U("abca"), 2), 4);
    EXPECT_EQ(PosEx(U("a"), U("abca"), 5), 0);
    EXPECT_EQ(PosEx(U("a"), U("abca"), 0), 0);
    String D = S;
    Delete(D, 2, 2);
    EXPECT_EQ(D, U("adef"));
    Delete(D, 4, 10);
    EXPECT_EQ(D, U("ade"));
    Delete(D, 0, 1);
    Delete(D, 4, 1);
    EXPECT_EQ(D, U("ade"));
    String I = U("ac");
    Insert(U("b"), I, 2);
    Insert(U("<"), I, -3);
    Insert(U(">"), I, 99);
    EXPECT_EQ(I, U("<abc>"));
    EXPECT_EQ(Length(I), 5);
    EXPECT_TRUE(IsDelimiter(U("/\\"), U("a/b"), 2));
    EXPECT_FALSE(IsDelimiter(U("/\\"), U("a/b"), 4));
    EXPECT_EQ(LastDelimiter(U("/."), U("/a/b.c")), 5);
    EXPECT_EQ(LastDelimiter(U("/."), U("abc")), 0);
}

TEST(SysUtils, LineBreaksAndWrapping)
{
    EXPECT_EQ(AdjustLineBreaks(U("a\nb\rc\r\nd\n\re")), U("a\r\nb\r\nc\r\nd\r\n\r\ne"));
    EXPECT_EQ(AdjustLineBreaks(U("a\r\nb\r"), tlbsLF), U("a\nb\n"));
    EXPECT_EQ(WrapText(U("een twee drie vier"), U("\n"), U(" "), 9), U("een twee \ndrie vier"));
    EXPECT_EQ(WrapText(U("kort"), U("\n"), U(" "), 9), U("kort"));
    // Never inside quotes; existing breaks start a new line.
    EXPECT_EQ(WrapText(U("a 'b c d e' f"), U("\n"), U(" "), 4), U("a \n'b c d e' \nf"));
    EXPECT_EQ(WrapText(U("ab\ncd ef"), U("\n"), U(" "), 4), U("ab\ncd \nef"));
}
