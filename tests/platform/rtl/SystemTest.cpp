#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>

class TTestBox : public TPersistent {};
class TTestCrate : public TPersistent {};
namespace {
enum TFruit { frApple, frPear, frPlum };
}

TEST(System, AssignBetweenUnrelatedClassesNamesBoth)
{
    TTestBox Box;
    TTestCrate Crate;
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { Box.Assign(&Crate); }),
              QStringLiteral("Cannot assign a TTestCrate to a TTestBox"));
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { Box.Assign(nullptr); }),
              QStringLiteral("Cannot assign a nil to a TTestBox"));
}

TEST(System, SetOperations)
{
    TSet<TFruit> S{frApple, frPlum};
    EXPECT_TRUE(S.Contains(frPlum));
    EXPECT_FALSE(S.Contains(frPear));
    EXPECT_EQ(S - TSet<TFruit>{frApple}, TSet<TFruit>{frPlum});
    EXPECT_TRUE(TSet<TFruit>{frPlum} <= S);
    EXPECT_FALSE(S <= TSet<TFruit>{frPlum});
}

TEST(System, ErrorMessagesQuoteTheStartOfLongInput)
{
    const QString Ellipsis(QChar(0x2026));
    const QString Forty(40, u'a');
    EXPECT_EQ(QuotedInput("kort"), "kort");
    EXPECT_EQ(QuotedInput(Forty), Forty);
    EXPECT_EQ(QuotedInput(Forty + "b"), Forty + Ellipsis);
    // A character of two code units is never cut in half.
    const QString Clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    EXPECT_EQ(QuotedInput(QString(39, u'a') + Clef + "z"), QString(39, u'a') + Ellipsis);
    EXPECT_EQ(ErrorMessage<EConvertError>([] { StrToInt(QString(1000000, u'9') + "x"); }),
              "'" + QString(40, u'9') + Ellipsis + "' is not a valid integer value");
}
