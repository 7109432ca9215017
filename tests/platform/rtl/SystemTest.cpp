#include "platform/rtl/Exceptions.h"

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
    try {
        Box.Assign(&Crate);
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Cannot assign a TTestCrate to a TTestBox"));
    }
    try {
        Box.Assign(nullptr);
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Cannot assign a nil to a TTestBox"));
    }
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
