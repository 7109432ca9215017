// Published fields: a root's members point at its components of the same
// name from the moment they are read, are checked against the definition,
// and never outlive them.
#include "TestComponents.h"

#include "platform/classes/TypInfo.h"
#include "tests/support/FormTextHelpers.h"

#include <gtest/gtest.h>

namespace {

class TBoundRoot : public TComponent {
public:
    explicit TBoundRoot(TComponent* AOwner) : TComponent(AOwner) {}
    TTestPanel* Panel1 = nullptr;
    TTestControl* Button1 = nullptr;
};

const char* const BoundForm = R"(object Root: TBoundRoot
  object Panel1: TTestPanel
    object Button1: TTestControl
      Width = 3
    end
  end
end
)";

TRootPtr<TBoundRoot> ReadBound(const QByteArray& Text)
{
    return ReadRoot<TBoundRoot>(Text, QStringLiteral("bound.form"));
}

String ReadBoundError(const QByteArray& Text)
{
    return ReadRootError<TBoundRoot>(Text, QStringLiteral("bound.form"));
}

} // namespace

REGISTER_COMPONENT(TBoundRoot, TComponent)
    PUBLISHED_FIELD(Panel1)
    PUBLISHED_FIELD(Button1)
END_REGISTER

TEST(FieldBinding, ReadingSetsTheFieldsBeforeLoaded)
{
    TRootPtr<TBoundRoot> Root = ReadBound(BoundForm);
    ASSERT_NE(Root->Panel1, nullptr);
    ASSERT_NE(Root->Button1, nullptr);
    EXPECT_EQ(Root->Panel1, Root->FindComponent(QStringLiteral("Panel1")));
    EXPECT_EQ(Root->Button1->Width(), 3);
    EXPECT_EQ(Root->Button1->Parent(), Root->Panel1);
}

TEST(FieldBinding, WrongClassAndMissingComponentsAreErrorsNamingTheForm)
{
    EXPECT_EQ(ReadBoundError("object Root: TBoundRoot\n"
                             "  object Panel1: TTestPanel\n"
                             "  end\n"
                             "  object Button1: TComponent\n"
                             "  end\n"
                             "end\n"),
              QStringLiteral("bound.form(4): TBoundRoot.Button1 holds a TTestControl, not a TComponent"));
    EXPECT_EQ(ReadBoundError("object Root: TBoundRoot\n"
                             "  object Panel1: TTestControl\n"
                             "  end\n"
                             "end\n"),
              QStringLiteral("bound.form(2): TBoundRoot.Panel1 holds a TTestPanel, not a TTestControl"));
    // Names are matched without regard to case, as the reader matches them.
    EXPECT_EQ(ReadBoundError("object Root: TBoundRoot\n"
                             "  object PANEL1: TTestPanel\n"
                             "  end\n"
                             "end\n"),
              QStringLiteral("bound.form(1): Component Button1 is missing from the definition of TBoundRoot"));
}

TEST(FieldBinding, FieldsFollowRemovalRenamingAndDestruction)
{
    TRootPtr<TBoundRoot> Root = ReadBound(BoundForm);
    TTestControl* Button = Root->Button1;

    Button->SetName(QStringLiteral("Other"));
    EXPECT_EQ(Root->Button1, nullptr);
    Button->SetName(QStringLiteral("button1"));
    EXPECT_EQ(Root->Button1, Button);

    Root->RemoveComponent(Button);
    EXPECT_EQ(Root->Button1, nullptr);
    Root->InsertComponent(Button);
    EXPECT_EQ(Root->Button1, Button);

    // A component of the wrong class can take neither the name nor the place.
    auto* Stranger = new TTestControl(Root.get());
    EXPECT_THROW(Stranger->SetName(QStringLiteral("Panel1")), EComponentError);
    EXPECT_EQ(Stranger->Name(), QString());
    auto* Loose = new TTestControl(nullptr);
    Loose->SetName(QStringLiteral("Panel1"));
    EXPECT_THROW(Root->InsertComponent(Loose), EComponentError);
    EXPECT_EQ(Loose->Owner(), nullptr);
    Loose->Free();

    Button->Free();
    EXPECT_EQ(Root->Button1, nullptr);
    EXPECT_NE(Root->Panel1, nullptr);
    // Freeing the root frees the panel through the fields' owner; nothing
    // is left pointing at freed memory (checked under the sanitizers).
    Root.reset();
}
