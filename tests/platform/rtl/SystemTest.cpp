#include "platform/rtl/Exceptions.h"
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
