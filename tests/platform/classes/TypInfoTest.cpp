#include "TestComponents.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/TypInfo.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>

TEST(TypInfoTest, PropertiesInDeclarationOrderAncestorsFirst)
{
    TTestPanel Panel(nullptr);
    QStringList Names;
    for (const TPropInfo* P : GetPropList(&Panel))
        Names.append(P->Name);
    EXPECT_EQ(Names.mid(0, 4), (QStringList{"Name", "Tag", "Width", "Enabled"}));
    EXPECT_EQ(Names.last(), QStringLiteral("BevelWidth"));
    // Re-published with another default: same place, new default.
    EXPECT_EQ(Names.count(QStringLiteral("Enabled")), 1);
    EXPECT_EQ(GetPropInfo(&Panel, QStringLiteral("enabled"))->OrdDefault, 0);
    EXPECT_TRUE(IsPublishedProp(&Panel, QStringLiteral("BEVELWIDTH")));
    EXPECT_FALSE(IsPublishedProp(&Panel, QStringLiteral("Points")));
}

TEST(TypInfoTest, KindsAreDeducedFromGetters)
{
    TTestControl C(nullptr);
    EXPECT_TRUE(PropIsType(&C, QStringLiteral("Width"), tkInteger));
    EXPECT_TRUE(PropIsType(&C, QStringLiteral("Enabled"), tkEnumeration));
    EXPECT_TRUE(PropIsType(&C, QStringLiteral("Caption"), tkUString));
    EXPECT_TRUE(PropIsType(&C, QStringLiteral("Ratio"), tkFloat));
    EXPECT_TRUE(PropIsType(&C, QStringLiteral("Align"), tkEnumeration));
    EXPECT_TRUE(PropIsType(&C, QStringLiteral("Anchors"), tkSet));
    EXPECT_TRUE(PropIsType(&C, QStringLiteral("Color"), tkInteger)); // enum with integer consts
    EXPECT_TRUE(PropIsType(&C, QStringLiteral("Big"), tkInt64));
    EXPECT_TRUE(PropIsType(&C, QStringLiteral("Font"), tkClass));
    EXPECT_TRUE(PropIsType(&C, QStringLiteral("OnClick"), tkMethod));
    EXPECT_THROW(PropType(&C, QStringLiteral("Nope")), EPropertyError);
}

TEST(TypInfoTest, OrdinalEnumSetAccess)
{
    TTestControl C(nullptr);
    SetOrdProp(&C, QStringLiteral("Width"), 120);
    EXPECT_EQ(C.Width(), 120);
    SetEnumProp(&C, QStringLiteral("Align"), QStringLiteral("TACLIENT"));
    EXPECT_EQ(C.Align(), taClient);
    EXPECT_EQ(GetEnumProp(&C, QStringLiteral("Align")), QStringLiteral("taClient"));
    EXPECT_EQ(GetEnumProp(&C, QStringLiteral("Enabled")), QStringLiteral("True"));
    SetEnumProp(&C, QStringLiteral("Enabled"), QStringLiteral("False"));
    EXPECT_FALSE(C.Enabled());
    EXPECT_EQ(GetSetProp(&C, QStringLiteral("Anchors")), QStringLiteral("[takLeft,takTop]"));
    SetSetProp(&C, QStringLiteral("Anchors"), QStringLiteral("[takRight, takBottom]"));
    EXPECT_EQ(C.Anchors(), (TTestAnchors{takRight, takBottom}));
    SetSetProp(&C, QStringLiteral("Anchors"), QStringLiteral("[]"));
    EXPECT_TRUE(C.Anchors().Empty());
    EXPECT_EQ(GetSetProp(&C, QStringLiteral("Anchors"), false), QString());
    EXPECT_EQ(ErrorMessage<EPropertyConvertError>(
                  [&] { SetEnumProp(&C, QStringLiteral("Align"), QStringLiteral("taMiddle")); }),
              QStringLiteral("Invalid property element: taMiddle"));
    EXPECT_THROW(SetSetProp(&C, QStringLiteral("Anchors"), QStringLiteral("[takLeft,bogus]")), EPropertyConvertError);
    EXPECT_EQ(C.Anchors(), TTestAnchors());
}

TEST(TypInfoTest, StringFloatObjectAndMethodAccess)
{
    TTestControl C(nullptr);
    SetStrProp(&C, QStringLiteral("Caption"), QStringLiteral("Hallo"));
    EXPECT_EQ(GetStrProp(&C, QStringLiteral("caption")), QStringLiteral("Hallo"));
    SetFloatProp(&C, QStringLiteral("Ratio"), 0.25);
    EXPECT_EQ(GetFloatProp(&C, QStringLiteral("Ratio")), 0.25);
    EXPECT_EQ(GetObjectProp(&C, QStringLiteral("Font")), C.Font());
    EXPECT_EQ(GetObjectProp(&C, QStringLiteral("Font"), ClassOf<TCollection>()), nullptr);
    TTestControl Other(nullptr);
    SetObjectProp(&C, QStringLiteral("Buddy"), &Other);
    EXPECT_EQ(C.Buddy(), &Other);
    TTestFont WrongClass;
    EXPECT_THROW(SetObjectProp(&C, QStringLiteral("Buddy"), &WrongClass), EPropertyConvertError);
    SetObjectProp(&C, QStringLiteral("Buddy"), nullptr);
    EXPECT_EQ(C.Buddy(), nullptr);

    int Calls = 0;
    SetMethodProp(&C, QStringLiteral("OnClick"), std::any(TNotifyEvent([&](TObject*) { ++Calls; })));
    C.OnClick()(&C);
    EXPECT_EQ(Calls, 1);
    EXPECT_THROW(SetMethodProp(&C, QStringLiteral("OnClick"), std::any(42)), EPropertyConvertError);
}

TEST(TypInfoTest, WrongKindReadOnlyAndUnknownAreErrors)
{
    TTestControl C(nullptr);
    EXPECT_EQ(ErrorMessage<EPropertyError>([&] { GetStrProp(&C, QStringLiteral("Missing")); }),
              QStringLiteral("Property Missing does not exist"));
    EXPECT_THROW(GetStrProp(&C, QStringLiteral("Width")), EPropertyConvertError);
    EXPECT_THROW(SetOrdProp(&C, QStringLiteral("Caption"), 1), EPropertyConvertError);
    EXPECT_EQ(ErrorMessage<EPropertyError>([&] { SetObjectProp(&C, QStringLiteral("Font"), nullptr); }),
              QStringLiteral("Property is read-only"));
}

TEST(TypInfoTest, IntegerConstsAndEnumNames)
{
    const TTypeInfo* Color = TypeInfoOf<TTestColor>();
    std::int64_t V = 0;
    EXPECT_TRUE(IdentToInt(Color, QStringLiteral("tclred"), V));
    EXPECT_EQ(V, tclRed);
    String Ident;
    EXPECT_TRUE(IntToIdent(Color, -16, Ident));
    EXPECT_EQ(Ident, QStringLiteral("tclFace"));
    EXPECT_FALSE(IntToIdent(Color, 12345, Ident));
    const TTypeInfo* Align = TypeInfoOf<TTestAlign>();
    EXPECT_EQ(Align->Name, QStringLiteral("TTestAlign"));
    EXPECT_EQ(GetEnumName(Align, 3), QStringLiteral("taClient"));
    EXPECT_EQ(GetEnumName(Align, 4), QString());
    EXPECT_EQ(GetEnumValue(Align, QStringLiteral("taBottom")), 2);
    EXPECT_EQ(GetEnumValue(Align, QStringLiteral("x")), -1);
}

TEST(TypInfoTest, ClassRegistryFindsByNameAndCreatesWithOwner)
{
    EXPECT_EQ(FindClass(QStringLiteral("ttestpanel")), ClassOf<TTestPanel>());
    EXPECT_EQ(GetClass(QStringLiteral("TNoSuchThing")), nullptr);
    EXPECT_EQ(ErrorMessage<EClassNotFound>([&] { FindClass(QStringLiteral("TNoSuchThing")); }),
              QStringLiteral("Class TNoSuchThing not found"));
    TComponent Owner(nullptr);
    TComponent* P = FindClass(QStringLiteral("TTestPanel"))->CreateComponent(&Owner);
    EXPECT_NE(dynamic_cast<TTestPanel*>(P), nullptr);
    EXPECT_EQ(P->Owner(), &Owner);
    EXPECT_TRUE(ClassOf<TTestPanel>()->InheritsFrom(ClassOf<TComponent>()));
    EXPECT_FALSE(ClassOf<TComponent>()->InheritsFrom(ClassOf<TTestPanel>()));
    EXPECT_EQ(ClassOf<TTestPanel>()->ClassParent(), ClassOf<TTestControl>());
    // An unregistered subclass is seen as its nearest registered ancestor.
    struct TLocalPanel : TTestPanel {
        using TTestPanel::TTestPanel;
    };
    TLocalPanel Local(nullptr);
    EXPECT_EQ(ClassOfObject(&Local), ClassOf<TTestPanel>());
    EXPECT_THROW(ClassOf<TTestFont>()->CreateComponent(nullptr), EComponentError);
}

TEST(TypInfoTest, StoredRuleAndDefaults)
{
    TTestControl C(nullptr);
    const TPropInfo* Hint = GetPropInfo(&C, QStringLiteral("Hint"));
    EXPECT_FALSE(IsStoredProp(&C, Hint));
    C.SetParentHint(false);
    EXPECT_TRUE(IsStoredProp(&C, Hint));
    EXPECT_TRUE(GetPropInfo(&C, QStringLiteral("Anchors"))->IsDefaultValue(&C));
    C.SetAnchors({takLeft});
    EXPECT_FALSE(GetPropInfo(&C, QStringLiteral("Anchors"))->IsDefaultValue(&C));
    // Without a default a property is never "default".
    EXPECT_FALSE(GetPropInfo(&C, QStringLiteral("Width"))->IsDefaultValue(&C));
    EXPECT_FALSE(IsStoredProp(&C, GetPropInfo(&C, QStringLiteral("Name"))));
}
