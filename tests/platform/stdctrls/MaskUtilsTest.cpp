// The edit-mask engine: the fields of a mask, the positions it lays out,
// the two texts (what the edit shows and the value it keeps) and the first
// position a text breaks the mask at.
#include "platform/rtl/MaskUtils.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>

namespace {

struct TFieldCase {
    const char* Mask;
    bool Save;
    char16_t Blank;
    const char* Empty;
};

class MaskFields : public ::testing::TestWithParam<TFieldCase> {};

TEST_P(MaskFields, SaveFlagBlankAndEmptyText)
{
    const TFieldCase& C = GetParam();
    const TMaskLayout Layout(QString::fromUtf8(C.Mask));
    EXPECT_EQ(MaskGetMaskSave(QString::fromUtf8(C.Mask)), C.Save);
    EXPECT_EQ(MaskGetMaskBlank(QString::fromUtf8(C.Mask)), QChar(C.Blank));
    EXPECT_EQ(Layout.EmptyEditText(), QString::fromUtf8(C.Empty));
}

INSTANTIATE_TEST_SUITE_P(Classic, MaskFields,
                         ::testing::Values(TFieldCase{"0000;1; ", true, u' ', "    "},
                                           TFieldCase{"(000)_000-0000;0;*", false, u'*', "(***) ***-****"},
                                           TFieldCase{"99", true, u'_', "__"}, TFieldCase{"99;0", false, u'_', "__"},
                                           TFieldCase{"99;;#", true, u'#', "##"},
                                           TFieldCase{"\\;99;1;_", true, u'_', ";__"},
                                           TFieldCase{"!>LL<ll<>cc;1;.", true, u'.', "......"},
                                           TFieldCase{"00/00;1;_", true, u'_', "__-__"},
                                           TFieldCase{"00:00", true, u'_', "__:__"}));

TEST(MaskLayout, DirectivesTakeNoPositionAndSetTheCase)
{
    const TMaskLayout Layout(QStringLiteral("!>L<l<>c\\0"));
    ASSERT_EQ(Layout.Length(), 4);
    EXPECT_TRUE(Layout.LeadingBlanks());
    EXPECT_EQ(Layout.Position(0).Convert(QLatin1Char('a')), QLatin1Char('A'));
    EXPECT_EQ(Layout.Position(1).Convert(QLatin1Char('B')), QLatin1Char('b'));
    EXPECT_EQ(Layout.Position(2).Convert(QLatin1Char('q')), QLatin1Char('q'));
    EXPECT_TRUE(Layout.IsLiteral(3));
    EXPECT_EQ(Layout.Position(3).Char, QLatin1Char('0'));
    EXPECT_EQ(Layout.InputCount(), 3);
    EXPECT_FALSE(TMaskLayout(QString()).IsMasked());
}

TEST(MaskLayout, WhatEachCodeAccepts)
{
    struct TCase {
        char Code;
        const char* Accepted;
        const char* Refused;
        bool Required;
    };
    for (const TCase& C : {TCase{'0', "09", "a+ ", true}, TCase{'9', "5", "x", false}, TCase{'#', "7+-", "a", false},
                           TCase{'L', "aZ", "1_", true}, TCase{'l', "q", "2", false}, TCase{'A', "a1", "-", true},
                           TCase{'a', "B7", "*", false}, TCase{'C', "*- a", "", true}, TCase{'c', "%", "", false}}) {
        const TMaskLayout Layout(QString(QLatin1Char(C.Code)));
        const TMaskPosition& P = Layout.Position(0);
        EXPECT_EQ(P.Required(), C.Required) << C.Code;
        for (const char* A = C.Accepted; *A != 0; ++A)
            EXPECT_TRUE(P.Accepts(QLatin1Char(*A))) << C.Code << " " << *A;
        for (const char* R = C.Refused; *R != 0; ++R)
            EXPECT_FALSE(P.Accepts(QLatin1Char(*R))) << C.Code << " " << *R;
    }
}

struct TTextCase {
    const char* Mask;
    const char* Text;
    const char* EditText;
    const char* TextBack;
};

class MaskTexts : public ::testing::TestWithParam<TTextCase> {};

TEST_P(MaskTexts, TextAndEditTextTurnIntoEachOther)
{
    const TTextCase& C = GetParam();
    const TMaskLayout Layout(QString::fromUtf8(C.Mask));
    const String Shown = Layout.EditTextFromText(QString::fromUtf8(C.Text));
    EXPECT_EQ(Shown, QString::fromUtf8(C.EditText));
    EXPECT_EQ(Layout.TextFromEditText(Shown), QString::fromUtf8(C.TextBack));
}

INSTANTIATE_TEST_SUITE_P(Classic, MaskTexts,
                         ::testing::Values(
                             // Literals saved: every position, blanks as spaces.
                             TTextCase{"0000;1; ", "1984", "1984", "1984"}, TTextCase{"0000;1; ", "", "    ", "    "},
                             TTextCase{"0000;1;_", "19", "19__", "19  "},
                             TTextCase{"00-00;1;_", "12-34", "12-34", "12-34"},
                             // A value without the literals still lines up.
                             TTextCase{"00-00;1;_", "1234", "12-34", "12-34"},
                             // Literals not saved: the input positions, trimmed at the end.
                             TTextCase{"(000)_000;0;_", "4155", "(415) 5__", "4155"},
                             TTextCase{"(000)_000;0;_", "", "(___) ___", ""},
                             // '!': short values stand at the end, trimmed at the start.
                             TTextCase{"!999;0;_", "12", "_12", "12"}, TTextCase{">LL;0;_", "ab", "AB", "AB"},
                             // Too long: cut at the mask's length.
                             TTextCase{"99;0;_", "12345", "12", "12"}));

TEST(MaskLayout, TheFirstInvalidPosition)
{
    const TMaskLayout Layout(QStringLiteral("00-99;1;_"));
    EXPECT_EQ(Layout.FirstInvalid(QStringLiteral("12-__")), -1);
    EXPECT_EQ(Layout.FirstInvalid(QStringLiteral("1_-34")), 1);
    EXPECT_EQ(Layout.FirstInvalid(QStringLiteral("12-3x")), 4);
    EXPECT_EQ(Layout.FirstInvalid(QStringLiteral("12+34")), 2);
    EXPECT_EQ(Layout.FirstInvalid(QStringLiteral("12")), 2);
    EXPECT_EQ(Layout.FirstInvalid(QStringLiteral("12-345")), 5);
}

TEST(MaskLayout, InputPositionsAroundLiterals)
{
    const TMaskLayout Layout(QStringLiteral("(00)0"));
    EXPECT_EQ(Layout.FirstInput(), 1);
    EXPECT_EQ(Layout.NextInput(3), 4);
    EXPECT_EQ(Layout.NextInput(5), 5);
    EXPECT_EQ(Layout.PriorInput(4), 2);
    EXPECT_EQ(Layout.PriorInput(1), -1);
}

TEST(FormatMaskText, ShowsUnfilledPositionsAsSpaces)
{
    EXPECT_EQ(FormatMaskText(QStringLiteral("(000)_000-0000;0;*"), QStringLiteral("4155551212")),
              QStringLiteral("(415) 555-1212"));
    EXPECT_EQ(FormatMaskText(QStringLiteral("0000;1;_"), QStringLiteral("19")), QStringLiteral("19  "));
    EXPECT_EQ(FormatMaskText(QString(), QStringLiteral("as is")), QStringLiteral("as is"));
    EXPECT_EQ(MaskGetFldSeparator(QStringLiteral("\\;0;1")), 3);
    EXPECT_EQ(MaskGetFldSeparator(QStringLiteral("000")), -1);
}

TEST(MaskLayout, SeparatorsFollowTheFormatSettings)
{
    TFormatSettings Dutch;
    Dutch.DateSeparator = QLatin1Char('-');
    Dutch.TimeSeparator = QLatin1Char('.');
    const TMaskLayout Layout(QStringLiteral("00/00 00:00"), Dutch);
    EXPECT_EQ(Layout.EmptyEditText(), QStringLiteral("__-__ __.__"));
}

} // namespace
