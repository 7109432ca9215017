#include "platform/rtl/Variants.h"

#include "platform/rtl/SysUtils.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>

namespace {

class VariantsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSaved = FormatSettings;
        FormatSettings.DateSeparator = QLatin1Char('/');
        FormatSettings.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
        FormatSettings.TimeSeparator = QLatin1Char(':');
        FormatSettings.LongTimeFormat = QStringLiteral("hh:mm:ss");
        FormatSettings.DecimalSeparator = QLatin1Char('.');
    }
    void TearDown() override { FormatSettings = FSaved; }

private:
    TFormatSettings FSaved;
};

}  // namespace

TEST_F(VariantsTest, TypesOfConstructedValues)
{
    EXPECT_EQ(VarType(Variant()), varEmpty);
    EXPECT_EQ(VarType(Null()), varNull);
    EXPECT_EQ(VarType(Variant(5)), varInteger);
    EXPECT_EQ(VarType(Variant(5LL)), varInt64);
    EXPECT_EQ(VarType(Variant(1.5)), varDouble);
    EXPECT_EQ(VarType(Variant(true)), varBoolean);
    EXPECT_EQ(VarType(Variant("text")), varString);  // a literal is a string, not a boolean
    EXPECT_EQ(VarType(VarFromDateTime(45000)), varDate);
    EXPECT_TRUE(VarIsEmpty(Unassigned()));
    EXPECT_TRUE(VarIsNull(Null()));
    EXPECT_FALSE(VarIsNull(Variant()));
    EXPECT_TRUE(VarIsNumeric(Variant(1.5)));
    EXPECT_FALSE(VarIsNumeric(Variant("1")));
}

TEST_F(VariantsTest, ConversionsThatWork)
{
    EXPECT_EQ(Variant("42").AsInteger(), 42);
    EXPECT_EQ(Variant(" -7").AsInteger(), -7);
    EXPECT_EQ(Variant("2.5").AsInteger(), 2);  // halves to even
    EXPECT_EQ(Variant(3.5).AsInteger(), 4);
    EXPECT_EQ(Variant(true).AsInteger(), -1);
    EXPECT_EQ(Variant().AsInteger(), 0);
    EXPECT_EQ(Variant("1.25").AsDouble(), 1.25);
    EXPECT_EQ(Variant(7).AsString(), "7");
    EXPECT_EQ(Variant(true).AsString(), "True");
    EXPECT_EQ(Variant().AsString(), "");
    EXPECT_EQ(Variant("true").AsBoolean(), true);
    EXPECT_EQ(Variant("0").AsBoolean(), false);
    EXPECT_EQ(Variant(2).AsBoolean(), true);
    const TDateTime D = EncodeDate(2024, 2, 29);
    EXPECT_EQ(VarFromDateTime(D).AsString(), "29/02/2024");
    EXPECT_EQ(Variant("29/02/2024").AsDateTime(), D);
    EXPECT_EQ(VarAsType(Variant("12"), varInteger), Variant(12));
    EXPECT_EQ(VarType(VarAsType(Variant(D), varDate)), varDate);
    EXPECT_EQ(VarToStr(Null()), "");
    EXPECT_EQ(VarToStrDef(Null(), "-"), "-");
}

TEST_F(VariantsTest, ImpossibleConversionsRaiseTheClassicText)
{
    EXPECT_EQ(ErrorMessage<EVariantError>([] { (void)Null().AsInteger(); }),
              "Could not convert variant of type (Null) into type (Integer)");
    EXPECT_EQ(ErrorMessage<EVariantError>([] { (void)Variant("abc").AsInteger(); }),
              "Could not convert variant of type (String) into type (Integer)");
    EXPECT_EQ(ErrorMessage<EVariantError>([] { (void)Variant("abc").AsDouble(); }),
              "Could not convert variant of type (String) into type (Double)");
    EXPECT_EQ(ErrorMessage<EVariantError>([] { (void)Variant("31/04/2024").AsDateTime(); }),
              "Could not convert variant of type (String) into type (Date)");
    EXPECT_EQ(ErrorMessage<EVariantError>([] { (void)Null().AsString(); }),
              "Could not convert variant of type (Null) into type (String)");
    EXPECT_EQ(ErrorMessage<EVariantError>([] { (void)Variant("maybe").AsBoolean(); }),
              "Could not convert variant of type (String) into type (Boolean)");
    EXPECT_EQ(ErrorMessage<EVariantError>([] { (void)Variant(1e12).AsInteger(); }),
              "Could not convert variant of type (Double) into type (Integer)");
    EXPECT_EQ(ErrorMessage<EVariantError>([] { (void)Variant(std::nan("")).AsInt64(); }),
              "Could not convert variant of type (Double) into type (Int64)");
}

TEST_F(VariantsTest, ComparisonAcrossTypes)
{
    EXPECT_TRUE(Variant(1) == Variant(1.0));
    EXPECT_TRUE(Variant(2) < Variant(2.5));
    EXPECT_TRUE(Variant(5LL) > Variant(4));
    EXPECT_TRUE(Variant("10") > Variant(9));  // as numbers, not as text
    EXPECT_TRUE(Variant("10") < Variant("9"));  // as text
    EXPECT_FALSE(Variant("abc") == Variant("ABC"));  // case-sensitive
    EXPECT_TRUE(Variant("abc") > Variant("ABC"));
    EXPECT_TRUE(Variant(false) < Variant(true));
    const TDateTime D = EncodeDate(2024, 2, 29);
    EXPECT_TRUE(VarFromDateTime(D) == Variant("29/02/2024"));
    EXPECT_TRUE(VarFromDateTime(D) > Variant("28/02/2024"));
    EXPECT_TRUE(Variant() == Variant(0));
    EXPECT_TRUE(Variant() == Variant(""));
    EXPECT_EQ(ErrorMessage<EVariantError>([] { (void)(Variant("abc") < Variant(1)); }),
              "Could not convert variant of type (String) into type (Double)");
}

TEST_F(VariantsTest, NullEqualsOnlyNullAndSortsFirst)
{
    EXPECT_TRUE(Null() == Null());
    EXPECT_FALSE(Null() == Variant(0));
    EXPECT_FALSE(Null() == Variant());
    EXPECT_TRUE(Null() != Variant(""));
    EXPECT_TRUE(Null() < Variant(-1000));
    EXPECT_TRUE(Variant("") > Null());
    EXPECT_EQ(VarCompareValue(Null(), Null()), vrEqual);
    EXPECT_EQ(VarCompareValue(Variant(), Variant()), vrEqual);
    EXPECT_EQ(VarCompareValue(Null(), Variant(1)), vrNotEqual);
    EXPECT_EQ(VarCompareValue(Variant(), Variant(0)), vrNotEqual);
    EXPECT_EQ(VarCompareValue(Variant(1), Variant(2)), vrLessThan);
    EXPECT_EQ(VarCompareValue(Variant("b"), Variant("a")), vrGreaterThan);
}

TEST_F(VariantsTest, Arrays)
{
    const Variant A = VarArrayOf({1, "two", Null()});
    EXPECT_TRUE(VarIsArray(A));
    EXPECT_EQ(VarArrayLowBound(A), 0);
    EXPECT_EQ(VarArrayHighBound(A), 2);
    EXPECT_EQ(A[1].AsString(), "two");
    EXPECT_TRUE(VarIsNull(A[2]));
    EXPECT_THROW((void)A[3], EVariantError);
    EXPECT_THROW(VarArrayHighBound(Variant(1)), EVariantError);
    EXPECT_TRUE(A == VarArrayOf({1.0, "two", Null()}));
    EXPECT_TRUE(VarArrayOf({1, "a"}) < VarArrayOf({1, "b"}));
    EXPECT_THROW((void)(A == Variant(1)), EVariantError);
}
