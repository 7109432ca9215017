// Objects that go while a form text is being read, or while a reference
// they hold still waits for its module: whatever the reader queued for them
// is dropped with them, never written into freed memory.
#include "TestComponents.h"

#include "platform/classes/Fixups.h"
#include "platform/classes/TypInfo.h"
#include "tests/support/FormTextHelpers.h"

#include <gtest/gtest.h>

namespace {

// A plain sub-object holding a component reference ("Extra.Link = ...").
class TTestLinkHolder : public TPersistent {
public:
    TTestControl* Link() const { return FLink; }
    void SetLink(TTestControl* Value) { FLink = Value; }

private:
    TTestControl* FLink = nullptr;
};

// Frees the sibling its Frees names, as a setter that rebuilds what it
// owns would; a component still being read is left alone.
class TTestFreer : public TComponent {
public:
    explicit TTestFreer(TComponent* AOwner) : TComponent(AOwner) {}
    String Frees() const { return FFrees; }
    void SetFrees(const String& Value)
    {
        FFrees = Value;
        TComponent* Victim = Owner() != nullptr ? Owner()->FindComponent(Value) : nullptr;
        if (Victim != nullptr && !Victim->ComponentState().Contains(csReading))
            Victim->Free();
    }
    TTestLinkHolder* Extra() const { return FExtra.get(); }

private:
    String FFrees;
    std::unique_ptr<TTestLinkHolder> FExtra = std::make_unique<TTestLinkHolder>();
};

TTestControl* Control(TComponent* Root, const char* Name)
{
    return dynamic_cast<TTestControl*>(Root->FindComponent(QString::fromLatin1(Name)));
}

} // namespace

REGISTER_CLASS(TTestLinkHolder, TPersistent)
    PUBLISHED(Link, nullptr)
END_REGISTER

REGISTER_COMPONENT(TTestFreer, TComponent)
    PUBLISHED(Frees, String())
    PUBLISHED_OBJECT(Extra)
END_REGISTER

TEST(FreedWhileReading, CollectionReadTwiceKeepsTheSecondWithoutTheFirstsReferences)
{
    // The first assignment queues Link for an item the second one frees.
    const TRootPtr<TTestModule> M = ReadRoot<TTestModule>(R"(object TestModule: TTestModule
  object Panel1: TTestPanel
    Columns = <
      item
        Caption = 'a'
        Link = Button1
      end>
    Columns = <
      item
        Caption = 'b'
      end>
  end
  object Button1: TTestControl
  end
end
)");
    TTestControl* Panel = Control(M.get(), "Panel1");
    ASSERT_EQ(Panel->Columns()->Count(), 1);
    EXPECT_EQ(Panel->Columns()->Items(0)->Caption(), QStringLiteral("b"));
    EXPECT_EQ(Panel->Columns()->Items(0)->Link(), nullptr);
}

TEST(FreedWhileReading, ComponentsFreedBeforeTheEndAreNeitherResolvedNorLoaded)
{
    // Panel1 and Victim queue references (Victim in a sub-object) and are
    // freed by later siblings before the references are resolved.
    const TRootPtr<TTestModule> M = ReadRoot<TTestModule>(R"(object TestModule: TTestModule
  object Victim: TTestFreer
    Extra.Link = Button1
  end
  object Panel1: TTestPanel
    Buddy = Button1
    Columns = <
      item
        Link = Button1
      end>
  end
  object Freer1: TTestFreer
    Frees = 'Panel1'
  end
  object Freer2: TTestFreer
    Frees = 'Victim'
  end
  object Button1: TTestControl
  end
end
)");
    EXPECT_EQ(M->FindComponent(QStringLiteral("Panel1")), nullptr);
    EXPECT_EQ(M->FindComponent(QStringLiteral("Victim")), nullptr);
    EXPECT_EQ(M->ComponentCount(), 3);
    TTestControl* Button = Control(M.get(), "Button1");
    ASSERT_NE(Button, nullptr);
    EXPECT_EQ(Button->LoadedCount, 1);
    EXPECT_FALSE(Button->ComponentState().Contains(csLoading));
}
