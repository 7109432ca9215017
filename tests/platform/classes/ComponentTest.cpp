#include "TestComponents.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>

namespace {

// Counts its destructions and records the order.
class TTracked : public TComponent {
public:
    TTracked(TComponent* AOwner, std::vector<String>* Log) : TComponent(AOwner), FLog(Log) {}
    ~TTracked() override { FLog->push_back(Name()); }

private:
    std::vector<String>* FLog;
};

} // namespace

TEST(ComponentTest, OwnerFreesOwnedComponentsLastFirst)
{
    std::vector<String> Log;
    auto* Owner = new TComponent(nullptr);
    for (const char* N : {"A", "B", "C"})
        (new TTracked(Owner, &Log))->SetName(QString::fromLatin1(N));
    ASSERT_EQ(Owner->ComponentCount(), 3);
    EXPECT_EQ(Owner->Components(1)->Name(), QStringLiteral("B"));
    EXPECT_EQ(Owner->Components(2)->ComponentIndex(), 2);
    Owner->Free();
    EXPECT_EQ(Log, (std::vector<String>{"C", "B", "A"}));
}

TEST(ComponentTest, ComponentsOutOfRangeRaisesListError)
{
    TComponent Owner(nullptr);
    new TComponent(&Owner);
    EXPECT_EQ(ErrorMessage<EListError>([&] { Owner.Components(1); }), QStringLiteral("List index out of bounds (1)"));
    EXPECT_THROW(Owner.Components(-1), EListError);
}

TEST(ComponentTest, DeletedChildLeavesItsOwner)
{
    TComponent Owner(nullptr);
    auto* Child = new TComponent(&Owner);
    delete Child;
    EXPECT_EQ(Owner.ComponentCount(), 0);
}

TEST(ComponentTest, NamesAreValidatedAndUniqueWithoutRegardToCase)
{
    TComponent Owner(nullptr);
    auto* A = new TComponent(&Owner);
    auto* B = new TComponent(&Owner);
    A->SetName(QStringLiteral("Button1"));
    EXPECT_EQ(ErrorMessage<EComponentError>([&] { B->SetName(QStringLiteral("BUTTON1")); }),
              QStringLiteral("A component named BUTTON1 already exists"));
    EXPECT_TRUE(B->Name().isEmpty());
    for (const char* Bad : {"1abc", "a b", "a.b", "é"}) {
        EXPECT_EQ(ErrorMessage<EComponentError>([&] { B->SetName(QString::fromUtf8(Bad)); }),
                  QStringLiteral("'%1' is not a valid component name").arg(QString::fromUtf8(Bad)));
    }
    // Renaming to another case of its own name and clearing are fine.
    A->SetName(QStringLiteral("BUTTON1"));
    B->SetName(QStringLiteral("_x9"));
    B->SetName(String());
    EXPECT_EQ(Owner.FindComponent(QStringLiteral("button1")), A);
    EXPECT_EQ(Owner.FindComponent(String()), nullptr);
    EXPECT_EQ(Owner.FindComponent(QStringLiteral("Nope")), nullptr);
}

TEST(ComponentTest, InsertComponentMovesAndRefusesNameClash)
{
    TComponent First(nullptr);
    TComponent Second(nullptr);
    auto* C = new TComponent(&First);
    C->SetName(QStringLiteral("Edit1"));
    Second.InsertComponent(C);
    EXPECT_EQ(C->Owner(), &Second);
    EXPECT_EQ(First.ComponentCount(), 0);
    auto* Other = new TComponent(&First);
    Other->SetName(QStringLiteral("edit1"));
    EXPECT_THROW(Second.InsertComponent(Other), EComponentError);
    EXPECT_EQ(Other->Owner(), &First);
    Second.RemoveComponent(C);
    EXPECT_EQ(C->Owner(), nullptr);
    delete C;
}

TEST(ComponentTest, SetComponentIndexReorders)
{
    TComponent Owner(nullptr);
    auto* A = new TComponent(&Owner);
    auto* B = new TComponent(&Owner);
    auto* C = new TComponent(&Owner);
    C->SetComponentIndex(0);
    EXPECT_EQ(Owner.Components(0), C);
    EXPECT_EQ(Owner.Components(1), A);
    EXPECT_EQ(Owner.Components(2), B);
    A->SetComponentIndex(99); // clamped to the end
    EXPECT_EQ(Owner.Components(2), A);
}

TEST(ComponentTest, FreeNotificationClearsReferenceAcrossOwners)
{
    auto* Module = new TComponent(nullptr);
    auto* Form = new TComponent(nullptr);
    auto* Target = new TTestControl(Module);
    auto* Holder = new TTestControl(Form);
    Holder->SetBuddy(Target);
    Target->Free();
    EXPECT_EQ(Holder->Buddy(), nullptr);
    ASSERT_EQ(Holder->Removed.size(), 1u);
    // Going first must not leave a dangling link in the other direction.
    auto* Target2 = new TTestControl(Module);
    Holder->SetBuddy(Target2);
    Holder->Free();
    Target2->Free();
    Module->Free();
    Form->Free();
}

TEST(ComponentTest, OwnerTellsSiblingsWhenAComponentGoes)
{
    TComponent Owner(nullptr);
    auto* Watcher = new TTestControl(&Owner);
    auto* Victim = new TTestControl(&Owner);
    Watcher->SetBuddy(Victim);
    delete Victim;
    EXPECT_EQ(Watcher->Buddy(), nullptr);
    EXPECT_FALSE(Watcher->Removed.empty());
}

TEST(ComponentTest, ObserversSeeAGoingComponentAsDestroying)
{
    struct TProbe : TComponent {
        using TComponent::TComponent;
        int Seen = 0;
        void Notification(TComponent* AComponent, TOperation Operation) override
        {
            TComponent::Notification(AComponent, Operation);
            if (Operation == opRemove && AComponent->ComponentState().Contains(csDestroying))
                ++Seen;
        }
    };
    TProbe Probe(nullptr);
    auto* Root = new TComponent(nullptr);
    auto* Child = new TComponent(Root);
    auto* Grandchild = new TComponent(Child);
    Child->FreeNotification(&Probe);
    Grandchild->FreeNotification(&Probe);
    Root->Free();
    EXPECT_EQ(Probe.Seen, 2);
}

TEST(ComponentTest, DesignInfoStreamsAsLeftAndTop)
{
    TTestModule* Module = nullptr;
    {
        auto* M = new TTestModule(nullptr);
        M->SetName(QStringLiteral("DesignModule"));
        auto* C = new TComponent(M);
        C->SetName(QStringLiteral("Thing"));
        C->SetDesignInfo(std::int32_t((std::uint32_t(24) << 16) | 300));
        const QByteArray Text = WriteComponentToText(M);
        EXPECT_TRUE(Text.contains("Left = 300")) << Text.constData();
        EXPECT_TRUE(Text.contains("Top = 24"));
        M->Free();
        Module = new TTestModule(nullptr);
        ReadComponentFromText(Text, Module, QStringLiteral("design.form"));
    }
    ASSERT_EQ(Module->ComponentCount(), 1);
    EXPECT_EQ(Module->Components(0)->DesignInfo(), std::int32_t((std::uint32_t(24) << 16) | 300));
    Module->Free();
}
